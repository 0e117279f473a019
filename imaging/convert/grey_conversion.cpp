#include "grey_conversion.h"
#include "grey_rows.h"
#include "dib_layout.h"
#include "packed_dib.h"

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

}  // namespace

HGLOBAL ConvertColourToGrey(HGLOBAL dib) { return ConvertToGrey(dib, 24, ColourRowToGrey); }

// A set bit is white whatever the colour table says: scanners deliver 1 as paper.
HGLOBAL ConvertBlackWhiteToGrey(HGLOBAL dib) { return ConvertToGrey(dib, 1, BitRowToGrey); }

}  // namespace pixwell
