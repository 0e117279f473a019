#include "grey_conversion.h"
#include "dib_layout.h"
#include "packed_dib.h"
#include <cstdint>
#include <cstring>

namespace pixwell {
namespace {

// A new zero-filled grey block shaped like the source, or null.
HGLOBAL NewGreyBlockLike(const CPackedDib& source) {
    BITMAPINFOHEADER header = source.Header();
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = 0;
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = 256;
    header.biClrImportant = 0;
    RGBQUAD ramp[256];
    FillGreyRamp(ramp);
    return NewPackedDib(header, ramp, 256, RowBytesForBits(8, source.Width()), source.Rows());
}

// Runs `convertRow(sourceRow, greyRow)` over every row of a new grey block made for `dib`
// when its depth is `bits`.
template <typename RowConverter>
HGLOBAL ConvertToGrey(HGLOBAL dib, int bits, RowConverter convertRow) {
    CPackedDib source;
    if (!source.Attach(dib) || source.Bits() != bits) return nullptr;
    HGLOBAL grey = NewGreyBlockLike(source);
    if (!grey) return nullptr;
    CLockedDib target(grey);
    if (!target.Header()) {
        GlobalFree(grey);
        return nullptr;
    }
    const size_t greyRowBytes = static_cast<size_t>(RowBytesForBits(8, source.Width()));
    BYTE* greyRow = target.Pixels(256);
    for (int row = 0; row < source.Rows(); ++row, greyRow += greyRowBytes)
        convertRow(source.Row(row), greyRow, source.Width());
    return grey;
}

// Weighted components and the division by 100 as tables: a page is millions of pixels.
struct GreyWeights {
    uint16_t red[256], green[256], blue[256];
    BYTE hundredth[25501];
    GreyWeights() {
        for (int v = 0; v < 256; ++v) {
            red[v] = static_cast<uint16_t>(30 * v);
            green[v] = static_cast<uint16_t>(59 * v);
            blue[v] = static_cast<uint16_t>(11 * v);
        }
        for (int sum = 0; sum <= 25500; ++sum) hundredth[sum] = static_cast<BYTE>(sum / 100);
    }
};

// Each source byte as its eight grey bytes.
struct BitExpansion {
    uint64_t bytes[256];
    BitExpansion() {
        for (int b = 0; b < 256; ++b) {
            BYTE grey[8];
            for (int bit = 0; bit < 8; ++bit) grey[bit] = (b & (0x80 >> bit)) ? 255 : 0;
            std::memcpy(&bytes[b], grey, 8);
        }
    }
};

}  // namespace

HGLOBAL ConvertColourToGrey(HGLOBAL dib) {
    static const GreyWeights weights;
    return ConvertToGrey(dib, 24, [](const BYTE* bgr, BYTE* grey, int width) {
        for (int x = 0; x < width; ++x, bgr += 3)
            grey[x] = weights.hundredth[weights.red[bgr[2]] + weights.green[bgr[1]] + weights.blue[bgr[0]]];
    });
}

// A set bit is white whatever the colour table says: scanners deliver 1 as paper.
HGLOBAL ConvertBlackWhiteToGrey(HGLOBAL dib) {
    static const BitExpansion expansion;
    return ConvertToGrey(dib, 1, [](const BYTE* bits, BYTE* grey, int width) {
        const int whole = width / 8;
        for (int i = 0; i < whole; ++i) std::memcpy(grey + 8 * i, &expansion.bytes[bits[i]], 8);
        // Bits past the width are padding and stay unread.
        for (int x = whole * 8; x < width; ++x) grey[x] = (bits[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    });
}

}  // namespace pixwell
