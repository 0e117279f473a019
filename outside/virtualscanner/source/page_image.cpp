// Page image files (uncompressed BMP: 1, 4, 8 or 24 bits, bottom-up or top-down) read and
// turned into the session's pixel type. A page already in that type passes byte for byte;
// otherwise grey is (299 R + 587 G + 114 B) / 1000 rounded, black and white is grey below 128.
#include "source.h"
#include <string.h>

namespace {

struct BmpFile {
    HANDLE File = INVALID_HANDLE_VALUE;
    BITMAPINFOHEADER Header{};
    RGBQUAD Colours[256] = {};
    DWORD PixelOffset = 0;
    int Width = 0, Height = 0, Stride = 0;
    bool BottomUp = true;
    ~BmpFile() {
        if (File != INVALID_HANDLE_VALUE) CloseHandle(File);
    }
};

bool ReadAt(HANDLE file, DWORD offset, void* out, DWORD size) {
    DWORD got = 0;
    if (SetFilePointer(file, (LONG)offset, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    return ReadFile(file, out, size, &got, NULL) && got == size;
}

bool OpenBmp(const char* path, BmpFile* bmp) {
    bmp->File = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (bmp->File == INVALID_HANDLE_VALUE) return false;
    BITMAPFILEHEADER head;
    if (!ReadAt(bmp->File, 0, &head, sizeof head) || head.bfType != 0x4D42) return false;
    if (!ReadAt(bmp->File, sizeof head, &bmp->Header, sizeof bmp->Header)) return false;
    const BITMAPINFOHEADER& h = bmp->Header;
    int bits = h.biBitCount;
    if (h.biSize < sizeof h || h.biCompression != BI_RGB || h.biPlanes != 1) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return false;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 30000 || h.biHeight > 30000 || h.biHeight < -30000)
        return false;
    bmp->Width = h.biWidth;
    bmp->Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    bmp->BottomUp = h.biHeight > 0;
    bmp->Stride = (bmp->Width * bits + 31) / 32 * 4;
    bmp->PixelOffset = head.bfOffBits;
    if (bits <= 8) {
        DWORD colours = h.biClrUsed ? h.biClrUsed : (1u << bits);
        if (colours > 256) return false;
        if (!ReadAt(bmp->File, sizeof head + h.biSize, bmp->Colours, colours * sizeof(RGBQUAD))) return false;
    }
    return true;
}

int Luminance(int r, int g, int b) { return (299 * r + 587 * g + 114 * b + 500) / 1000; }

// The colour and palette index of pixel x of a stored row.
void PixelAt(const BmpFile& bmp, const uint8_t* row, int x, int* r, int* g, int* b, int* index) {
    int bits = bmp.Header.biBitCount;
    if (bits == 24) {
        *b = row[3 * x];
        *g = row[3 * x + 1];
        *r = row[3 * x + 2];
        *index = Luminance(*r, *g, *b);
        return;
    }
    if (bits == 8) *index = row[x];
    else if (bits == 4) *index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
    else *index = (row[x / 8] >> (7 - x % 8)) & 1;
    const RGBQUAD& c = bmp.Colours[*index];
    *r = c.rgbRed;
    *g = c.rgbGreen;
    *b = c.rgbBlue;
}

int BitsOfType(int type) { return type == TWPT_BW ? 1 : type == TWPT_RGB ? 24 : 8; }

void SetPalette(const BmpFile& bmp, PageImage* page) {
    bool ownColours = bmp.Header.biBitCount <= 8;
    for (int i = 0; i < 256; ++i) {
        page->Palette[i][0] = ownColours ? bmp.Colours[i].rgbRed : (uint8_t)i;
        page->Palette[i][1] = ownColours ? bmp.Colours[i].rgbGreen : (uint8_t)i;
        page->Palette[i][2] = ownColours ? bmp.Colours[i].rgbBlue : (uint8_t)i;
    }
}

void ConvertRow(const BmpFile& bmp, const uint8_t* in, PageImage* page, uint8_t* out) {
    int bits = bmp.Header.biBitCount;
    // A page already in the wanted layout passes unchanged.
    if ((page->PixelType == TWPT_PALETTE && bits == 8) ||
        (page->PixelType == TWPT_BW && bits == 1 &&
         Luminance(bmp.Colours[0].rgbRed, bmp.Colours[0].rgbGreen, bmp.Colours[0].rgbBlue) < 128)) {
        memcpy(out, in, page->BytesPerRow);
        return;
    }
    memset(out, 0, page->BytesPerRow);
    for (int x = 0; x < page->Width; ++x) {
        int r, g, b, index;
        PixelAt(bmp, in, x, &r, &g, &b, &index);
        switch (page->PixelType) {
        case TWPT_BW:
            if (Luminance(r, g, b) >= 128) out[x / 8] |= (uint8_t)(0x80 >> (x % 8));
            break;
        case TWPT_GRAY: out[x] = (uint8_t)Luminance(r, g, b); break;
        case TWPT_PALETTE: out[x] = (uint8_t)index; break;
        default:
            out[3 * x] = (uint8_t)r;
            out[3 * x + 1] = (uint8_t)g;
            out[3 * x + 2] = (uint8_t)b;
        }
    }
}

}  // namespace

int ReadPageFile(const char* path, int pixelType, PageImage* page) {
    BmpFile bmp;
    if (!OpenBmp(path, &bmp)) return 0;
    if (pixelType < TWPT_BW || pixelType > TWPT_PALETTE) pixelType = TWPT_GRAY;
    page->Width = bmp.Width;
    page->Height = bmp.Height;
    page->PixelType = pixelType;
    page->BitsPerPixel = BitsOfType(pixelType);
    page->BytesPerRow = (bmp.Width * page->BitsPerPixel + 7) / 8;
    page->Resolution = (int)((bmp.Header.biXPelsPerMeter * 254 + 5000) / 10000);
    if (page->Resolution <= 0) page->Resolution = Session.Resolution;
    SetPalette(bmp, page);
    std::vector<uint8_t> row(bmp.Stride);
    try {
        page->Rows.assign((size_t)page->BytesPerRow * page->Height, 0);
    } catch (...) {
        return 0;
    }
    for (int y = 0; y < bmp.Height; ++y) {
        int stored = bmp.BottomUp ? bmp.Height - 1 - y : y;
        if (!ReadAt(bmp.File, bmp.PixelOffset + (DWORD)stored * bmp.Stride, row.data(), bmp.Stride)) return 0;
        ConvertRow(bmp, row.data(), page, page->Rows.data() + (size_t)y * page->BytesPerRow);
    }
    return 1;
}
