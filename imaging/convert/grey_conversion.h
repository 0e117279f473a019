// Colour and black-and-white images turned into 8-bit grey images.
#pragma once
#include <windows.h>

namespace pixwell {

HGLOBAL ConvertColourToGrey(HGLOBAL dib);
HGLOBAL ConvertBlackWhiteToGrey(HGLOBAL dib);

}  // namespace pixwell
