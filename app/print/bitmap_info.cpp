// Row width and header of the device-independent bitmaps every image path builds.
#include "print.h"
#include "pixwell_core.h"
#include <string.h>

// The image code knows 1-, 4-, 8- and 24-bit images only; any other depth has no row size here.
int GetDibRowBytes(int width, int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 24: return pixwell::DibRowBytes(bitsPerPixel, width);
    default: return 0;
    }
}

static const BYTE kSixteenColours[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                                            {240, 240, 240}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

static void SetQuad(RGBQUAD* quad, BYTE red, BYTE green, BYTE blue) {
    quad->rgbRed = red;
    quad->rgbGreen = green;
    quad->rgbBlue = blue;
    quad->rgbReserved = 0;
}

void BuildBitmapInfo(BITMAPINFO* info, int width, int height, int bitsPerPixel, HPALETTE palette) {
    memset(&info->bmiHeader, 0, sizeof info->bmiHeader);
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = (WORD)bitsPerPixel;
    int entries = bitsPerPixel == 1 ? 2 : bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;
    if (entries == 0) return;
    RGBQUAD* table = info->bmiColors;
    if (palette) {
        PALETTEENTRY colours[256];
        memset(colours, 0, sizeof colours);
        GetPaletteEntries(palette, 0, entries, colours);
        for (int i = 0; i < entries; ++i) SetQuad(&table[i], colours[i].peRed, colours[i].peGreen, colours[i].peBlue);
        return;
    }
    for (int i = 0; i < entries; ++i) {
        if (bitsPerPixel == 1) SetQuad(&table[i], i ? 255 : 0, i ? 255 : 0, i ? 255 : 0);
        else if (bitsPerPixel == 4)
            SetQuad(&table[i], kSixteenColours[i][0], kSixteenColours[i][1], kSixteenColours[i][2]);
        else SetQuad(&table[i], (BYTE)i, (BYTE)i, (BYTE)i);
    }
}
