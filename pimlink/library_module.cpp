#include "library_module.h"

namespace ferrow {

HMODULE LibraryModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryModule), &module);
    return module;
}

void ShowLibraryMessage(UINT stringId) {
    wchar_t text[256] = L"";
    LoadStringW(LibraryModule(), stringId, text, 256);
    MessageBoxW(nullptr, text, nullptr, MB_OK | MB_ICONINFORMATION);
}

}  // namespace ferrow
