// Palette tests and rows turned into indexes of the fixed thumbnail palette: colours by an
// 8 x 8 ordered dither over the 6 x 6 x 6 colour cube, grey nibbles through a table.
#include "capture.h"

// D[column mod 8][row mod 8].
static const uint8_t kDither[8][8] = {{0, 38, 9, 47, 2, 40, 11, 50},  {25, 12, 35, 22, 27, 15, 37, 24},
                                      {6, 44, 3, 41, 8, 47, 5, 43},   {31, 19, 28, 15, 34, 21, 31, 18},
                                      {1, 39, 11, 49, 0, 39, 10, 48}, {27, 14, 36, 23, 26, 13, 35, 23},
                                      {7, 46, 4, 43, 7, 45, 3, 42},   {33, 20, 30, 17, 32, 19, 29, 16}};

// Cube index (red level + 6 x green level + 36 x blue level) to thumbnail palette entry.
static const uint8_t kCubeToPalette[216] = {
    0,   29,  30,  31,  32,  249, 33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46,  47,  48,
    49,  50,  51,  52,  53,  54,  55,  56,  250, 10,  57,  58,  59,  251, 60,  61,  62,  63,  64,  65,  66,  67,
    68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  81,  82,  83,  84,  85,  86,  87,  88,  89,
    11,  90,  91,  92,  93,  94,  95,  96,  97,  98,  99,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
    111, 227, 112, 113, 114, 115, 116, 117, 118, 119, 151, 120, 121, 122, 123, 124, 228, 125, 126, 229, 133, 162,
    135, 131, 132, 137, 166, 134, 140, 130, 136, 143, 138, 139, 174, 141, 142, 177, 129, 144, 145, 146, 147, 148,
    149, 150, 157, 152, 153, 154, 155, 156, 192, 158, 159, 160, 161, 196, 163, 164, 165, 127, 199, 167, 168, 169,
    170, 171, 172, 173, 207, 175, 176, 210, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189, 190, 191,
    224, 193, 194, 195, 252, 12,  197, 198, 128, 253, 13,  200, 201, 202, 203, 204, 205, 206, 230, 208, 209, 231,
    211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 254, 223, 232, 225, 226, 255};

// 4-bit grey level to the standard 16 colours of the thumbnail palette.
static const uint8_t kGreyNibble[16] = {0, 4, 2, 6, 1, 5, 3, 248, 7, 252, 250, 254, 249, 253, 251, 255};

int IsGreyPalette(const PALETTEENTRY* entries, int n) {
    for (int i = 0; i < n; ++i)
        if (entries[i].peRed != entries[i].peGreen || entries[i].peRed != entries[i].peBlue) return 0;
    return 1;
}

int IsInvertedGreyPalette(const PALETTEENTRY* entries, int n) {
    for (int i = 0; i < n; ++i)
        if (entries[i].peRed != n - 1 - i || entries[i].peGreen != n - 1 - i || entries[i].peBlue != n - 1 - i)
            return 0;
    return 1;
}

static int DitherLevel(int value, int threshold) { return value / 51 + (value % 51 > threshold ? 1 : 0); }

uint8_t DitherToThumbPalette(int red, int green, int blue, int x, int y) {
    int threshold = kDither[x & 7][y & 7];
    int index = DitherLevel(red, threshold) + 6 * DitherLevel(green, threshold) + 36 * DitherLevel(blue, threshold);
    return kCubeToPalette[index];
}

static int Nibble(const uint8_t* row, int x) { return x & 1 ? row[x / 2] & 0x0F : row[x / 2] >> 4; }

void ConvertPaletteRow4ToThumb(uint8_t* out, const uint8_t* in, int width, int y, const PALETTEENTRY* entries) {
    for (int x = 0; x < width; ++x) {
        const PALETTEENTRY* colour = &entries[Nibble(in, x)];
        out[x] = DitherToThumbPalette(colour->peRed, colour->peGreen, colour->peBlue, x, y);
    }
}

void ConvertGreyRow4ToThumb(uint8_t* out, const uint8_t* in, int width) {
    for (int x = 0; x < width; ++x) out[x] = kGreyNibble[Nibble(in, x)];
}

void ConvertRgbRow24ToThumb(uint8_t* out, const uint8_t* in, int width, int y) {
    for (int x = 0; x < width; ++x) out[x] = DitherToThumbPalette(in[3 * x + 2], in[3 * x + 1], in[3 * x], x, y);
}
