// Reading the pixel rows of the file whose header was read last.
#pragma once
#include <windows.h>
#include <rastimg.h>
#include <cstdint>

namespace rastbmp {

// Reads the rows into `data` from byte `offset` of the target on (or copies the raw pixel
// bytes into another file). False on any failure or cancel.
bool ReadBmpPixels(HFILE file, const RastImageData* data, long offset);

// Hands each stored row, top line first, to `rowFunction`; false when the header cannot be
// read or no row buffer is had.
bool DecodeBmpRows(HFILE file, RastRowFunction rowFunction, long user);

// Copies `count` bytes from the current position of `from` to the current position of `to`
// in 4,096-byte chunks, complementing each byte when `invert` is set; one progress step per
// chunk.
bool CopyFileBytes(HFILE from, HFILE to, int64_t count, bool invert);

}  // namespace rastbmp
