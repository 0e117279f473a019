// Row kernels of the grey conversions: one source row in, one grey row out.
#pragma once
#include <windows.h>

namespace pixwell {

// grey = (30 x red + 59 x green + 11 x blue) / 100 for `width` blue-green-red pixels.
void ColourRowToGrey(const BYTE* bgr, BYTE* grey, int width);

// 255 for a set bit, 0 for a clear one, most significant bit first; bits past `width` are
// not read.
void BitRowToGrey(const BYTE* bits, BYTE* grey, int width);

}  // namespace pixwell
