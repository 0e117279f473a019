// Image rows described to a named memory bank of the engine utility library, without copying.
// Exported by the program (ordinal 1) for outside callers as well; the utility library does the
// work, so the program and the library describe rows to the engine the same way.
#include "capture.h"
#include <windows.h>

extern "C" int __cdecl TransferImageBufferToBank(uint8_t* rows, const char* bankName, uint16_t bytesPerLine,
                                                 uint16_t lineCount, int32_t* bankId) {
    typedef int(__cdecl * Transfer)(uint8_t*, const char*, uint16_t, uint16_t, int32_t*);
    static Transfer library = reinterpret_cast<Transfer>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("Glyphutil.dll"), "TransferImageBufferToBank")));
    return library ? library(rows, bankName, bytesPerLine, lineCount, bankId) : 0;
}
