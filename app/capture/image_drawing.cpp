// The current card image drawn into a rectangle of a device context at a zoom: z <= -1
// magnifies (each source pixel -z x -z screen pixels), 1 draws one to one, z >= 2 reduces.
// Only the visible part is converted, at screen scale, into a temporary DIB of the source's
// depth (4-bit grey levels for a reduced 1-bit image), which GDI then draws unstretched.
#include "capture.h"
#include "shell.h"
#include "pixel_access.h"
#include <string.h>

#define GRAY_PATTERN_ENTRY 32
#define GRAY_LEVELS        9

struct VisiblePart {
    int Left, Top;              // area corner after rounding, view coordinates
    int Width, Height;          // drawn size in screen pixels
    int FirstColumn, FirstRow;  // first source column and row
};

struct TempDib {
    HGLOBAL Block;
    uint8_t* Bits;
    int Stride;
};

struct BitmapInfo256 {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[256];
};

static void SignalDrawFailure(void) {
    FlashWindow(App.MainWindow, TRUE);
    FlashWindow(App.MainWindow, TRUE);
}

static int Smaller(int a, int b) { return a < b ? a : b; }

// What of the image the area shows at this zoom; 0 when nothing.
static int FindVisiblePart(const RECT* area, int zoom, VisiblePart* part) {
    const ImageRecord* image = &App.CurrentImage;
    int magnify = zoom <= -1 ? -zoom : 0;
    int reduce = zoom >= 1 ? zoom : 1;
    part->Left = area->left;
    part->Top = area->top;
    if (magnify) {
        part->Left -= part->Left % magnify;
        part->Top -= part->Top % magnify;
        part->FirstColumn = image->ScrollX + part->Left / magnify;
        part->FirstRow = image->ScrollY + part->Top / magnify;
    } else {
        part->FirstColumn = image->ScrollX + part->Left * reduce;
        part->FirstRow = image->ScrollY + part->Top * reduce;
    }
    int columns = image->Info.Width - part->FirstColumn, rows = image->Info.Height - part->FirstRow;
    if (columns <= 0 || rows <= 0) return 0;
    part->Width = Smaller(area->right - part->Left, magnify ? columns * magnify : columns / reduce);
    part->Height = Smaller(area->bottom - part->Top, magnify ? rows * magnify : rows / reduce);
    return part->Width > 0 && part->Height > 0;
}

static int AllocateTempDib(TempDib* dib, int width, int height, int bits) {
    dib->Stride = GetDibRowBytes(width, bits);
    dib->Block = GlobalAlloc(GHND, (SIZE_T)dib->Stride * height);
    dib->Bits = dib->Block ? (uint8_t*)GlobalLock(dib->Block) : NULL;
    if (dib->Bits) return 1;
    if (dib->Block) GlobalFree(dib->Block);
    dib->Block = NULL;
    return 0;
}

static void FreeTempDib(TempDib* dib) {
    if (!dib->Block) return;
    GlobalUnlock(dib->Block);
    GlobalFree(dib->Block);
    dib->Block = NULL;
}

// Temporary rows are stored bottom-up, so row t from the top lives at height - 1 - t.
static uint8_t* TempRow(const TempDib* dib, int height, int t) {
    return dib->Bits + (size_t)(height - 1 - t) * dib->Stride;
}

static void MagnifyRows(TempDib* dib, const VisiblePart* part, const uint8_t* pixels, int magnify, int bits) {
    const ImageInfo* info = &App.CurrentImage.Info;
    for (int t = 0; t < part->Height; ++t) {
        const uint8_t* in = pixels + (size_t)(part->FirstRow + t / magnify) * info->RowStride;
        uint8_t* out = TempRow(dib, part->Height, t);
        for (int x = 0; x < part->Width; ++x)
            WriteRowPixel(out, x, bits, ReadRowPixel(in, part->FirstColumn + x / magnify, bits));
    }
}

void ReduceImageRow(uint8_t* out, const uint8_t* in, int outBytes, int factor, int bitsPerPixel) {
    if (factor <= 1) {
        memcpy(out, in, outBytes);
        return;
    }
    if (bitsPerPixel == 4) {
        for (int i = 0; i < outBytes; ++i) out[i] = in[i * factor];
        return;
    }
    int size = bitsPerPixel == 24 ? 3 : 1;
    int phase = factor % 2 == 0 ? App.CurrentImage.ScrollX % factor : 0;
    for (int i = 0; i < outBytes / size; ++i) {
        memcpy(out + i * size, in + (size_t)(i * factor + phase) * size, size);
        if (factor % 2 == 0) phase = (phase + 1) % factor;
    }
}

// One to one below 8 bits: the visible part need not start on a byte, so pixels are copied.
static void CopyPackedRows(TempDib* dib, const VisiblePart* part, const uint8_t* pixels, int bits) {
    const ImageInfo* info = &App.CurrentImage.Info;
    for (int t = 0; t < part->Height; ++t) {
        const uint8_t* in = pixels + (size_t)(part->FirstRow + t) * info->RowStride;
        uint8_t* out = TempRow(dib, part->Height, t);
        for (int x = 0; x < part->Width; ++x)
            WriteRowPixel(out, x, bits, ReadRowPixel(in, part->FirstColumn + x, bits));
    }
}

static void ReduceRows(TempDib* dib, const VisiblePart* part, const uint8_t* pixels, int reduce, int bits) {
    const ImageInfo* info = &App.CurrentImage.Info;
    if (bits < 8 && reduce == 1) {
        CopyPackedRows(dib, part, pixels, bits);
        return;
    }
    int outBytes = bits == 4 ? (part->Width + 1) / 2 : part->Width * (bits / 8);
    size_t firstByte = bits == 4 ? part->FirstColumn / 2 : (size_t)part->FirstColumn * (bits / 8);
    int phase = reduce % 2 == 0 ? part->FirstRow % reduce : 0;
    for (int t = 0; t < part->Height; ++t) {
        int row = part->FirstRow + t * reduce + phase;
        if (row >= info->Height) row = info->Height - 1;
        ReduceImageRow(TempRow(dib, part->Height, t), pixels + (size_t)row * info->RowStride + firstByte, outBytes,
                       reduce, bits);
        if (reduce % 2 == 0) phase = (phase + 1) % reduce;
    }
}

static void BlitTempDib(HDC dc, const TempDib* dib, const VisiblePart* part, int bits, HPALETTE palette, int xOffset,
                        int yOffset) {
    BitmapInfo256 info;
    BuildBitmapInfo((BITMAPINFO*)&info, part->Width, part->Height, bits, palette);
    HPALETTE old = palette ? SelectPalette(dc, palette, FALSE) : NULL;
    if (palette) RealizePalette(dc);
    SetDIBitsToDevice(dc, xOffset + part->Left, yOffset + part->Top, part->Width, part->Height, 0, 0, 0, part->Height,
                      dib->Bits, (BITMAPINFO*)&info, DIB_RGB_COLORS);
    if (palette) SelectPalette(dc, old, FALSE);
}

// The 24-, 8- and 4-bit routines (and 1-bit at one to one and magnified) share one road.
static void DrawImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset, int bits) {
    ImageRecord* image = &App.CurrentImage;
    VisiblePart part;
    if (!image->Pixels || !FindVisiblePart(area, zoom, &part)) return;
    const uint8_t* pixels = (const uint8_t*)GlobalLock(image->Pixels);
    TempDib dib = {NULL, NULL, 0};
    if (!pixels || !AllocateTempDib(&dib, part.Width, part.Height, bits)) {
        if (pixels) GlobalUnlock(image->Pixels);
        SignalDrawFailure();
        return;
    }
    if (zoom <= -1) MagnifyRows(&dib, &part, pixels, -zoom, bits);
    else ReduceRows(&dib, &part, pixels, zoom < 1 ? 1 : zoom, bits);
    GlobalUnlock(image->Pixels);
    BlitTempDib(dc, &dib, &part, bits, bits == 24 ? NULL : image->Info.Palette, xOffset, yOffset);
    FreeTempDib(&dib);
}

void DrawRgbImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset) {
    DrawImageScaled(dc, area, zoom, xOffset, yOffset, 24);
}

void DrawPaletteImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset) {
    DrawImageScaled(dc, area, zoom, xOffset, yOffset, 8);
}

void Draw16ColorImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset) {
    DrawImageScaled(dc, area, zoom, xOffset, yOffset, 4);
}

void LoadGrayPattern(uint8_t* out, int which) {
    int size = which ? 544 : GRAY_PATTERN_ENTRY * GRAY_LEVELS;
    memset(out, 0, size);
    HRSRC found = FindResourceA(App.Instance, which ? "GRAYPAL1" : "GRAYPAL", (LPCSTR)RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(App.Instance, found) : NULL;
    const void* data = loaded ? LockResource(loaded) : NULL;
    if (data) memcpy(out, data, Smaller(size, (int)SizeofResource(App.Instance, found)));
}

// Set bits among `factor` source bits starting at bit `first` of the row.
static int CountSetBits(const uint8_t* row, int first, int factor, int rowBytes) {
    int count = 0;
    for (int bit = first; bit < first + factor && bit / 8 < rowBytes; ++bit)
        count += (row[bit >> 3] >> (7 - (bit & 7))) & 1;
    return count;
}

// Grey levels of a 1-bit row from any source column on, so that a reduced image is drawn
// where it lies, whatever column the view starts at.
static void MonoBitsToGrayLevels(uint8_t* out, const uint8_t* in, int factor, const uint8_t* pattern, int firstColumn,
                                 int outBytes, int inRowBytes) {
    int column = firstColumn;
    for (int i = 0; i < outBytes * 2; ++i, column += factor) {
        int level = CountSetBits(in, column, factor, inRowBytes) * 8 / factor;
        if (level > 8) level = 8;
        uint8_t value = (uint8_t)(pattern[level * GRAY_PATTERN_ENTRY + (i & (GRAY_PATTERN_ENTRY - 1))] & 0x0F);
        out[i / 2] = i & 1 ? (uint8_t)(out[i / 2] | value) : (uint8_t)(value << 4);
    }
}

void MonoRowToGrayLevels(uint8_t* out, const uint8_t* in, int factor, const uint8_t* pattern, int firstByte,
                         int outBytes, int inRowBytes) {
    MonoBitsToGrayLevels(out, in, factor, pattern, firstByte * 8, outBytes, inRowBytes);
}

// Reduced 1-bit images become 4-bit grey levels: each screen pixel shows how much of its
// z x 1 source bits are set, through the dither patterns of the GRAYPAL resource.
static void DrawMonoReduced(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset) {
    ImageRecord* image = &App.CurrentImage;
    VisiblePart part;
    if (!FindVisiblePart(area, zoom, &part)) return;
    const uint8_t* pixels = (const uint8_t*)GlobalLock(image->Pixels);
    TempDib dib = {NULL, NULL, 0};
    if (!pixels || !AllocateTempDib(&dib, part.Width, part.Height, 4)) {
        if (pixels) GlobalUnlock(image->Pixels);
        SignalDrawFailure();
        return;
    }
    uint8_t pattern[GRAY_PATTERN_ENTRY * GRAY_LEVELS];
    LoadGrayPattern(pattern, 0);
    int outBytes = (part.Width + 1) / 2;
    for (int t = 0; t < part.Height; ++t) {
        int row = part.FirstRow + t * zoom;
        if (row >= image->Info.Height) break;
        MonoBitsToGrayLevels(TempRow(&dib, part.Height, t), pixels + (size_t)row * image->Info.RowStride, zoom, pattern,
                             part.FirstColumn, outBytes, image->Info.RowStride);
    }
    GlobalUnlock(image->Pixels);
    BlitTempDib(dc, &dib, &part, 4, NULL, xOffset, yOffset);
    FreeTempDib(&dib);
}

void DrawMonoImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset) {
    if (area->right <= area->left || area->bottom <= area->top || !App.CurrentImage.Pixels) return;
    if (zoom >= 2) DrawMonoReduced(dc, area, zoom, xOffset, yOffset);
    else DrawImageScaled(dc, area, zoom, xOffset, yOffset, 1);
}

void DrawCurrentImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset) {
    switch (App.CurrentImage.Info.BitsPerPixel) {
    case 24: DrawRgbImageScaled(dc, area, zoom, xOffset, yOffset); break;
    case 8: DrawPaletteImageScaled(dc, area, zoom, xOffset, yOffset); break;
    case 4: Draw16ColorImageScaled(dc, area, zoom, xOffset, yOffset); break;
    case 1: DrawMonoImageScaled(dc, area, zoom, xOffset, yOffset); break;
    }
}
