// Sizes inside a packed DIB, shared by every conversion.
#pragma once
#include <windows.h>
#include <cstdint>

namespace pixwell {

// Colour table entries by bit count alone (the library's own rule, whatever biClrUsed says).
int TableEntriesForBits(int bitsPerPixel);

// Bytes of one row of a supported depth (1, 4, 8, 24), padded to 4 bytes; 0 for others.
int64_t RowBytesForBits(int bitsPerPixel, int64_t width);

// Largest pixel area the library will allocate or walk; larger headers count as malformed.
constexpr int64_t kMaxPixelBytes = 0x40000000;

// count x itemBytes as a buffer size, worked out in 64 bits; throws std::bad_alloc when the
// product is negative or larger than this process can address, so that a working buffer is
// never sized by a product that wrapped around.
size_t BufferBytes(int64_t count, int64_t itemBytes = 1);
size_t BufferBytes(int64_t width, int64_t height, int64_t itemBytes);

}  // namespace pixwell
