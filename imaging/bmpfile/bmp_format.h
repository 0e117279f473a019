// Facts of the BMP format shared by the reader and the writer.
#pragma once
#include <windows.h>
#include <cstdint>

namespace rastbmp {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr DWORD kFileHeaderBytes = 14;
constexpr DWORD kInfoHeaderBytes = 40;
constexpr DWORD kCoreHeaderBytes = 12;
constexpr int kMaxTableEntries = 256;
constexpr int kMaxDimension = 32767;  // the interface's 16-bit width, height and row bytes

// Bytes of one stored row of `bits` per pixel.
inline int64_t StoredRowBytes(int bits, int64_t width) { return (bits * width + 31) / 32 * 4; }

// Bytes of one delivered row: 16- and 32-bit rows are handed out as 24-bit rows.
inline int64_t DeliveredRowBytes(int bits, int64_t width) {
    return StoredRowBytes(bits == 16 || bits == 32 ? 24 : bits, width);
}

// Colour type of the interface's header record.
short ColourTypeForBits(int bits);

// Colour table entries that the writer puts into a file of that depth.
int WrittenColourCount(int bits);

}  // namespace rastbmp
