// What every image file module shares whatever its format: the caller-facing state behind the
// error, subformat and waiting-callback exports, and the capability record.
#pragma once
#include <windows.h>
#include <rastimg.h>

namespace rastcommon {

struct CommonState {
    HINSTANCE instance = nullptr;
    RastWaitingCallback callback = nullptr;
    int lastError = 0;
    int errorCode = 0;
    int subformat = RAST_SUBFORMAT_257;
};

// The one state of this module (one caller at a time, no locks).
CommonState& Common();

// Runs the body of one export. Its callers know only result codes: an exception (memory that
// cannot be had, mostly) would end their process, so it becomes the export's failure result.
template <typename Result, typename Body>
Result Guarded(Result failure, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

// The module's three-letter format tag ("BMP", "TIF", ...), defined by each module.
const char* ModuleTag();

}  // namespace rastcommon
