// A rectangle cut out of a packed DIB.
#pragma once
#include <windows.h>

namespace pixwell {

HGLOBAL CopyRectangle(HGLOBAL dib, const RECT* rect);

}  // namespace pixwell
