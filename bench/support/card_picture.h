// A card-like colour picture for the benchmarks that build on zem40's sources: light paper,
// dark print in bands and a coloured logo block, at 24 bits and 300 dpi.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <string.h>
#include "capture.h"
#include "print.h"

// The picture in a movable block of its own (GlobalFree it).
inline ImageRecord MakeCardPicture(int width, int height) {
    ImageRecord image;
    memset(&image, 0, sizeof image);
    image.Info.Width = width;
    image.Info.Height = height;
    image.Info.BitsPerPixel = 24;
    image.Info.Planes = 1;
    image.Info.Resolution = 300;
    image.Info.RowStride = GetDibRowBytes(width, 24);
    image.Pixels = GlobalAlloc(GHND, (SIZE_T)image.Info.RowStride * height);
    uint8_t* pixels = (uint8_t*)GlobalLock(image.Pixels);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pixels + (size_t)y * image.Info.RowStride;
        bool printLine = (y / (height / 40 + 1)) % 3 == 1;
        for (int x = 0; x < width; ++x) {
            bool logo = x < width / 5 && y < height / 4;
            bool ink = printLine && (x * 7 + y) % 11 < 6;
            row[3 * x] = (uint8_t)(logo ? 200 : ink ? 30 : 235);
            row[3 * x + 1] = (uint8_t)(logo ? 80 : ink ? 30 : 232 - (x + y) % 8);
            row[3 * x + 2] = (uint8_t)(logo ? 40 : ink ? 40 : 228);
        }
    }
    GlobalUnlock(image.Pixels);
    return image;
}
