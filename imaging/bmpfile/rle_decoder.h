// Expansion of BI_RLE8 and BI_RLE4 pixel data.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

namespace rastbmp {

struct RleTarget {
    BYTE* pixels;  // rows in file order
    int rowBytes;  // distance between rows
    int width;     // pixels of a row
    int height;    // rows
    int bits;      // 8 or 4
};

// Decodes `data` (`size` bytes) into `target`. Codes that would write outside a row's padded
// bytes or below the last row, and data that ends before the bitmap does, are refused.
// `lineDone` is told the number of each line as it is finished. True when decoded.
bool DecodeRle(const BYTE* data, size_t size, const RleTarget& target, void (*lineDone)(void*, int), void* context);

}  // namespace rastbmp
