// Small BMP files built byte by byte, for cases no tool writes (malformed headers, 16-bit
// rows, hand-made run-length streams).
#pragma once
#include <windows.h>
#include "imaging_test_support.h"
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace imagingtest {

struct BmpSpec {
    int width = 4;
    int height = 2;
    int bits = 8;
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
    LONG pelsPerMetre = 0;
    std::vector<RGBQUAD> table;  // written as given
    std::vector<BYTE> pixels;    // written as given after the table
    bool fileHeader = true;
};

inline BmpSpec Spec(int bits, int width, int height) {
    BmpSpec spec;
    spec.bits = bits;
    spec.width = width;
    spec.height = height;
    return spec;
}

inline std::vector<BYTE> BuildBmp(const BmpSpec& s) {
    std::vector<BYTE> bytes;
    auto put = [&](const void* p, size_t n) {
        const BYTE* b = static_cast<const BYTE*>(p);
        bytes.insert(bytes.end(), b, b + n);
    };
    const DWORD offBits = 54 + static_cast<DWORD>(s.table.size()) * 4;
    if (s.fileHeader) {
        const WORD type = 0x4D42;
        const DWORD size = offBits + static_cast<DWORD>(s.pixels.size());
        const DWORD reserved = 0;
        put(&type, 2);
        put(&size, 4);
        put(&reserved, 4);
        put(&offBits, 4);
    }
    BITMAPINFOHEADER info{};
    info.biSize = 40;
    info.biWidth = s.width;
    info.biHeight = s.height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(s.bits);
    info.biCompression = s.compression;
    info.biSizeImage = static_cast<DWORD>(s.pixels.size());
    info.biXPelsPerMeter = info.biYPelsPerMeter = s.pelsPerMetre;
    info.biClrUsed = s.clrUsed;
    put(&info, sizeof info);
    if (!s.table.empty()) put(s.table.data(), s.table.size() * 4);
    if (!s.pixels.empty()) put(s.pixels.data(), s.pixels.size());
    return bytes;
}

// Overwrites `size` bytes at `offset` with the little-endian value.
inline void Patch(std::vector<BYTE>& bytes, size_t offset, uint32_t value, size_t size) {
    std::memcpy(&bytes[offset], &value, size);
}

// Builds the file into the test's working folder under the name; its path.
inline std::string WriteBmp(const std::string& name, const BmpSpec& spec) {
    const std::string path = WorkPath(name);
    WriteFileBytes(path, BuildBmp(spec));
    return path;
}

}  // namespace imagingtest
