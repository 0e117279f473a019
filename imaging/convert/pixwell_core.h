// What PixwellCore, the static library behind Pixwell.dll, offers to the programs that link
// it directly: the row size the conversions use, and scaling with the factors the DLL passes.
#pragma once
#include <windows.h>

namespace pixwell {

// Bytes of one row padded to 4 bytes: 1, 4, 8, 24 and 32 bits as usual; the width itself
// for other depths.
int DibRowBytes(int bitsPerPixel, int width);

// As the export ScaleImage, with the factors already in single precision.
HGLOBAL ScaleImage(HGLOBAL dib, float x, float y);

}  // namespace pixwell
