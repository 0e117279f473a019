// Reading the headers and colour table of a BMP file.
#pragma once
#include <windows.h>
#include <rastimg.h>

namespace rastbmp {

// Reads the BMP starting at `base` and leaves the file at its first pixel byte; fills the
// module state and `out`. False for an unreadable or malformed header.
bool ReadBmpHeader(HFILE file, RastImageHeader* out, bool wantPalette, LONG base);

}  // namespace rastbmp
