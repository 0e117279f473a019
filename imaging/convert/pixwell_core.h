// What PixwellCore, the static library behind Pixwell.dll, offers to the programs that link
// it directly: the row size the conversions use, scaling with the factors the DLL passes, and
// the grey conversions and border search behind Color2Gray, BW2Gray and GetBorder4GrayImage_CPP.
#pragma once
#include <windows.h>
#include "border_detection.h"
#include "grey_conversion.h"

namespace pixwell {

// Copies the 40-byte header of a packed DIB into `header`; a 12-byte core header is widened.
// For a 40-byte header an image size of 0 is filled in from the row size and a colour count
// of 0 from DibPaletteEntries. Result: 1; 0 for a null or unlockable handle.
int ReadDibHeader(HGLOBAL dib, BITMAPINFOHEADER* header);

// Colour table entries: the header's colour count when set (not for core headers), else 2, 16
// or 256 for 1, 4 or 8 bits, 0 for other depths.
int DibPaletteEntries(const BITMAPINFOHEADER* header);

// Colour table bytes: entries x 3 behind a 12-byte core header, x 4 otherwise.
int DibPaletteBytes(const BITMAPINFOHEADER* header);

// Bytes of one row padded to 4 bytes: 1, 4, 8, 24 and 32 bits as usual; the width itself
// for other depths.
int DibRowBytes(int bitsPerPixel, int width);

// As the export ScaleImage, with the factors already in single precision.
HGLOBAL ScaleImage(HGLOBAL dib, float x, float y);

}  // namespace pixwell
