// The exports every image file module answers alike, and its entry point.
#include "rast_common.h"
#include <cctype>
#include <cstring>

// libstdc++'s release of what its runtime keeps until process exit (declared for checkers).
namespace __gnu_cxx {
void __freeres();
}

namespace rastcommon {

CommonState& Common() {
    static CommonState state;
    return state;
}

namespace {

// The capability record: tag, five flags, a depth mask, the module's file name, two values.
void FillCapability(BYTE* record) {
    std::memset(record, 0, RAST_CAP_BYTES);
    std::memcpy(record, ModuleTag(), 3);
    const DWORD flags[5] = {0, 1, 1, 0, 0};
    std::memcpy(record + 4, flags, sizeof flags);
    record[24] = 63;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(Common().instance, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    // The field holds 13 bytes: a longer name is cut there.
    for (int i = 0; i < 13 && name[i]; ++i)
        record[25 + i] = static_cast<BYTE>(std::tolower(static_cast<unsigned char>(name[i])));
    const WORD kind = 2;
    const DWORD size = 900;
    std::memcpy(record + 38, &kind, 2);
    std::memcpy(record + 40, &size, 4);
}

}  // namespace
}  // namespace rastcommon

using rastcommon::Common;

extern "C" {

RastWaitingCallback WINAPI rastSetWaitingCallback(RastWaitingCallback callback) {
    Common().callback = callback;
    return callback;
}

int WINAPI rastGetError(void) { return Common().lastError; }

int WINAPI rastGetErrorCode(void) { return Common().errorCode < 0 ? Common().errorCode : 0; }

int WINAPI rastSetSubformat(int subformat) {
    if (subformat != RAST_SUBFORMAT_256 && subformat != RAST_SUBFORMAT_257) {
        Common().errorCode = RAST_CODE_BAD_SUBFORMAT;
        return 0;
    }
    Common().subformat = subformat;
    return 1;
}

int WINAPI rastGetSubformat(int) { return Common().subformat; }

int WINAPI rastGetCap(void* capability) {
    if (!capability) return 0;
    rastcommon::FillCapability(static_cast<BYTE*>(capability));
    return 1;
}

int WINAPI rastSetReadOption(int) { return 0; }
int WINAPI rastSetSaveOption(int) { return 0; }
int WINAPI rastNeedReadOption(void) { return 0; }
int WINAPI rastNeedSaveOption(void) { return 0; }

// The program loads a module for one operation and frees it again, so whatever the module's
// own C++ runtime keeps for the process's life is lost at every unload: the exception
// runtime's emergency pool (about 19 KB a load) is given back when the module is freed. At
// process exit (reserved set) the pool is left to the end of the process.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) Common().instance = instance;
    if (reason == DLL_PROCESS_DETACH && !reserved) __gnu_cxx::__freeres();
    return TRUE;
}

}  // extern "C"
