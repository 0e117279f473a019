// Process-wide state of the BMP image file module (one caller at a time, no locks).
#pragma once
#include <windows.h>
#include <rastimg.h>
#include "rast_common.h"

namespace rastbmp {

struct ModuleState {
    // The info header of the last file whose header was read, widened to the 40-byte form,
    // with a positive height; topDown remembers a negative height in the file.
    BITMAPINFOHEADER header{};
    bool headerValid = false;
    bool topDown = false;
    bool invert = false;  // the file's two-colour table was white first
    bool oneBit = false;

    // Colour count of the last header written; -1 before any header was written.
    int savedColourCount = -1;
};

ModuleState& State();

}  // namespace rastbmp
