// The card's rectangle inside a scanned grey page, found by cutting the dark band on each side.
#pragma once
#include <windows.h>
#include <cstdint>

namespace pixwell {

// Lines to cut from one side: `counts` holds the dark pixels of n lines, line 0 outermost; the
// band must start within `start` lines and is made of lines with at least `threshold` dark
// pixels. A band that fills the strip to its last line cuts nothing.
int FindBandEnd(const int32_t* counts, int start, int n, int threshold);

// 1 and `out` filled; 0 when the block is not an 8-bit grey image or memory runs out.
int FindCardBorder(HGLOBAL dib, RECT* out, int method);

}  // namespace pixwell
