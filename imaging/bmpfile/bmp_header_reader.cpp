#include "bmp_header_reader.h"
#include "bmp_format.h"
#include "module_state.h"
#include "win_file.h"
#include <cmath>
#include <cstring>
#include <vector>

namespace rastbmp {
namespace {

struct ParsedHeader {
    BITMAPINFOHEADER info{};
    bool core = false;
    bool topDown = false;
    int colourCount = 0;           // entries of the palette handed out
    int entriesInFile = 0;         // entries the file stores
    int64_t dataOffset = 0;        // from the file header; 0 when none
    DWORD declaredImageBytes = 0;  // biSizeImage as the file gives it
};

// Reads the file header (when there is one) and the info or core header.
bool ReadInfoHeader(const CWinFile& f, LONG base, ParsedHeader& h) {
    BYTE fileHeader[kFileHeaderBytes];
    if (!f.Seek(base) || !f.ReadExact(fileHeader, sizeof fileHeader)) return false;
    WORD signature;
    std::memcpy(&signature, fileHeader, 2);
    if (signature == kBmpSignature) {
        DWORD offBits;
        std::memcpy(&offBits, fileHeader + 10, 4);
        h.dataOffset = offBits;
    } else if (!f.Seek(base)) {
        return false;
    }
    const int64_t headerStart = f.Position();

    // A core file can be shorter than 40 bytes past its file header, so the header size is
    // read first.
    BYTE raw[kInfoHeaderBytes] = {};
    if (!f.ReadExact(raw, 4)) return false;
    DWORD size;
    std::memcpy(&size, raw, 4);
    if (size == kCoreHeaderBytes) {
        BITMAPCOREHEADER core;
        if (!f.Seek(headerStart) || !f.ReadExact(&core, sizeof core)) return false;
        h.core = true;
        h.info.biSize = kInfoHeaderBytes;
        h.info.biWidth = core.bcWidth;
        h.info.biHeight = core.bcHeight;
        h.info.biPlanes = core.bcPlanes;
        h.info.biBitCount = core.bcBitCount;
        return true;
    }
    if (size != kInfoHeaderBytes || !f.ReadExact(raw + 4, kInfoHeaderBytes - 4)) return false;
    std::memcpy(&h.info, raw, sizeof h.info);
    h.declaredImageBytes = h.info.biSizeImage;
    return true;
}

// Dimensions and depth the interface's 16-bit record can carry and the readers handle.
bool IsSupportedShape(ParsedHeader& h) {
    BITMAPINFOHEADER& info = h.info;
    const int bits = info.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (info.biHeight < 0) {
        h.topDown = true;
        if (info.biHeight < -kMaxDimension) return false;
        info.biHeight = -info.biHeight;
    }
    return info.biWidth >= 1 && info.biWidth <= kMaxDimension && info.biHeight >= 1 && info.biHeight <= kMaxDimension &&
           StoredRowBytes(bits, info.biWidth) <= kMaxDimension;
}

// The table that the caller gets, and how much of it the file stores: a file may store
// fewer entries than its depth allows (biClrUsed), and no more than 256 are ever taken.
bool DecideColourCount(ParsedHeader& h) {
    BITMAPINFOHEADER& info = h.info;
    switch (info.biBitCount) {
    case 1: h.colourCount = 2; break;
    case 4: h.colourCount = 16; break;
    case 8: h.colourCount = info.biClrUsed ? static_cast<int>(info.biClrUsed) : 256; break;
    default: h.colourCount = static_cast<int>(info.biClrUsed); break;
    }
    if (info.biClrUsed > kMaxTableEntries || h.colourCount > kMaxTableEntries) return false;
    h.entriesInFile = (info.biClrUsed != 0 && static_cast<int>(info.biClrUsed) < h.colourCount)
                          ? static_cast<int>(info.biClrUsed)
                          : h.colourCount;
    if (info.biClrUsed == 0) info.biClrUsed = h.colourCount;
    if (info.biSizeImage == 0)
        info.biSizeImage = static_cast<DWORD>(StoredRowBytes(info.biBitCount, info.biWidth) * info.biHeight);
    return true;
}

bool ReadColourTable(const CWinFile& f, const ParsedHeader& h, RGBQUAD* table) {
    const int entrySize = h.core ? 3 : 4;
    std::vector<BYTE> raw(static_cast<size_t>(h.entriesInFile) * entrySize);
    if (!raw.empty() && !f.ReadExact(raw.data(), static_cast<DWORD>(raw.size()))) return false;
    for (int i = 0; i < h.entriesInFile; ++i) {
        const BYTE* e = &raw[static_cast<size_t>(i) * entrySize];
        table[i] = RGBQUAD{e[0], e[1], e[2], 0};
        if (entrySize == 4) table[i].rgbReserved = e[3];
    }
    return true;
}

// Whether the bytes from the first pixel byte to the end of the file can be the pixel data:
// every stored row of an uncompressed file, or the run-length data as long as the header says
// (at least its end code). Checked before the header is handed out, since the caller allocates
// the picture the header declares.
bool FileHoldsPixels(const ParsedHeader& h, int64_t available) {
    if (h.info.biCompression == BI_RLE8 || h.info.biCompression == BI_RLE4)
        return available >= 2 && available >= static_cast<int64_t>(h.declaredImageBytes);
    if (h.info.biCompression != BI_RGB) return true;  // the image read refuses it with error 4
    return available >= StoredRowBytes(h.info.biBitCount, h.info.biWidth) * h.info.biHeight;
}

HPALETTE MakePalette(const RGBQUAD* table, int count) {
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        palette->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return CreatePalette(palette);
}

short DotsPerInch(LONG pelsPerMetre) {
    if (pelsPerMetre <= 0) return 0;
    const double dpi = std::trunc(0.5 + pelsPerMetre * 0.025400050800101603);
    return static_cast<short>(dpi > kMaxDimension ? kMaxDimension : dpi);
}

void FillRecord(const ParsedHeader& h, HPALETTE palette, RastImageHeader* out) {
    const BITMAPINFOHEADER& info = h.info;
    out->colourType = ColourTypeForBits(info.biBitCount);
    out->width = static_cast<short>(info.biWidth);
    out->height = static_cast<short>(info.biHeight);
    out->rowBytes = static_cast<short>(StoredRowBytes(info.biBitCount, info.biWidth));
    out->bitsPerPixel = static_cast<short>(info.biBitCount);
    out->xResolution = DotsPerInch(info.biXPelsPerMeter);
    out->yResolution = DotsPerInch(info.biYPelsPerMeter);
    out->palette = palette;
    out->reserved[0] = -1;
    out->reserved[1] = -1;
    out->reserved[2] = 6;
    out->reserved[3] = 1;
}

}  // namespace

bool ReadBmpHeader(HFILE file, RastImageHeader* out, bool wantPalette, LONG base) {
    ModuleState& state = State();
    state.headerValid = false;
    state.invert = false;
    if (file == HFILE_ERROR || !out || base < 0) return false;
    const CWinFile f(file);
    ParsedHeader h;
    if (!ReadInfoHeader(f, base, h) || !IsSupportedShape(h) || !DecideColourCount(h)) return false;
    state.oneBit = h.info.biBitCount == 1;

    RGBQUAD table[kMaxTableEntries] = {};
    const bool readTable = wantPalette && h.colourCount != 0;
    if (readTable) {
        if (!ReadColourTable(f, h, table)) return false;
    } else if (!f.Seek(f.Position() + static_cast<int64_t>(h.entriesInFile) * (h.core ? 3 : 4))) {
        return false;
    }
    // Only 1-bit pixels can be complemented into the rewritten table; an 8-bit file with a
    // two-entry table keeps its own, or its picture would come out inverted.
    bool invert = false;
    if (readTable && h.colourCount == 2 && h.info.biBitCount == 1 && table[0].rgbRed == 255) {
        table[0] = RGBQUAD{0, 0, 0, 0};
        table[1] = RGBQUAD{255, 255, 255, 0};
        invert = true;
    }
    // A data offset past the end of the file would send the image read outside it.
    if (h.dataOffset != 0 && (base + h.dataOffset > f.Size() || !f.Seek(base + h.dataOffset))) return false;
    if (!FileHoldsPixels(h, f.Size() - f.Position())) {
        SetError(RAST_ERR_READ);
        return false;
    }

    HPALETTE palette = readTable ? MakePalette(table, h.colourCount) : nullptr;
    if (readTable && !palette) return false;
    FillRecord(h, palette, out);
    state.header = h.info;
    state.topDown = h.topDown;
    state.invert = invert;
    state.headerValid = true;
    return true;
}

}  // namespace rastbmp
