// The flat interface of Pixwell.dll.
#include <pixwell.h>
#include "border_detection.h"
#include "copy_dib.h"
#include "grey_conversion.h"
#include "pixwell_core.h"

extern "C" {

HGLOBAL __cdecl CopyDIB(HGLOBAL dib, const RECT* rect) { return pixwell::CopyRectangle(dib, rect); }

HGLOBAL __cdecl ScaleImage(HGLOBAL dib, double x, double y) {
    return pixwell::ScaleImage(dib, static_cast<float>(x), static_cast<float>(y));
}

HGLOBAL __cdecl Color2Gray(HGLOBAL dib) { return pixwell::ConvertColourToGrey(dib); }

HGLOBAL __cdecl BW2Gray(HGLOBAL dib) { return pixwell::ConvertBlackWhiteToGrey(dib); }

int __cdecl GetBorder4GrayImage_CPP(HGLOBAL dib, RECT* out, int method) {
    return pixwell::FindCardBorder(dib, out, method);
}

}  // extern "C"
