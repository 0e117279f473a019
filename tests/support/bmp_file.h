// 24-bit BMP files written for the program to load as card images.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "file_bytes.h"

// Writes a bottom-up 24-bit BMP of width x height whose pixel (x, y) (y = 0 the top row) is
// colourAt(x, y); the path, or an empty string when it could not be written.
inline std::string WriteBmp24(const std::string& path, int width, int height,
                              const std::function<COLORREF(int x, int y)>& colourAt) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<char> data(54 + static_cast<size_t>(stride) * height, 0);
    BITMAPFILEHEADER* file = reinterpret_cast<BITMAPFILEHEADER*>(data.data());
    *file = {0x4D42, static_cast<DWORD>(data.size()), 0, 0, 54};
    BITMAPINFOHEADER* info = reinterpret_cast<BITMAPINFOHEADER*>(data.data() + 14);
    *info = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 11811, 11811, 0, 0};
    for (int y = 0; y < height; ++y) {
        unsigned char* row =
            reinterpret_cast<unsigned char*>(data.data() + 54 + static_cast<size_t>(height - 1 - y) * stride);
        for (int x = 0; x < width; ++x) {
            COLORREF colour = colourAt(x, y);
            row[x * 3] = GetBValue(colour);
            row[x * 3 + 1] = GetGValue(colour);
            row[x * 3 + 2] = GetRValue(colour);
        }
    }
    return WriteWholeFile(path, data.data(), data.size()) ? path : std::string();
}
