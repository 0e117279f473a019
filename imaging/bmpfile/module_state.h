// Process-wide state of the BMP image file module (one caller at a time, no locks).
#pragma once
#include <windows.h>
#include <rastimg.h>

namespace rastbmp {

struct ModuleState {
    HINSTANCE instance = nullptr;

    // The info header of the last file whose header was read, widened to the 40-byte form,
    // with a positive height; topDown remembers a negative height in the file.
    BITMAPINFOHEADER header{};
    bool headerValid = false;
    bool topDown = false;
    bool invert = false;  // the file's two-colour table was white first
    bool oneBit = false;

    // Colour count of the last header written; -1 before any header was written.
    int savedColourCount = -1;

    RastWaitingCallback callback = nullptr;
    int lastError = 0;
    int errorCode = 0;
    int subformat = RAST_SUBFORMAT_257;
};

ModuleState& State();

}  // namespace rastbmp
