// Writing uncompressed BMP files.
#pragma once
#include <windows.h>
#include <rastimg.h>

namespace rastbmp {

bool WriteBmpHeader(HFILE file, const RastImageHeader* header, bool withPalette, LONG base);
bool WriteBmpPalette(HFILE file, HPALETTE palette, LONG base);
bool WriteBmpPixels(HFILE file, const RastImageData* data, long offset);
bool WriteBytes(HFILE file, const void* bytes, DWORD count);

}  // namespace rastbmp
