#include "dib_layout.h"
#include "pixwell_core.h"
#include <cstdint>
#include <new>

namespace pixwell {

int TableEntriesForBits(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

int64_t RowBytesForBits(int bitsPerPixel, int64_t width) {
    switch (bitsPerPixel) {
    case 1: return (width + 31) / 32 * 4;
    case 4: return (width + 7) / 8 * 4;
    case 8: return (width + 3) / 4 * 4;
    case 24: return (3 * width + 3) / 4 * 4;
    default: return 0;
    }
}

size_t BufferBytes(int64_t count, int64_t itemBytes) {
    const int64_t limit = PTRDIFF_MAX;
    if (count < 0 || itemBytes < 0 || (itemBytes > 0 && count > limit / itemBytes)) throw std::bad_alloc();
    return static_cast<size_t>(count * itemBytes);
}

size_t BufferBytes(int64_t width, int64_t height, int64_t itemBytes) {
    return BufferBytes(static_cast<int64_t>(BufferBytes(width, height)), itemBytes);
}

int DibRowBytes(int bitsPerPixel, int width) {
    if (bitsPerPixel == 32) return width * 4;
    int64_t bytes = RowBytesForBits(bitsPerPixel, width);
    return bytes > 0 ? static_cast<int>(bytes) : width;
}

}  // namespace pixwell
