// An outside library loaded for one pass only, so that zem40 starts and runs without it.
#pragma once
#include <windows.h>

namespace ferrow {

class CLoadedLibrary {
public:
    explicit CLoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~CLoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    bool Loaded() const { return module_ != nullptr; }

    // The entry of that exact name (or ordinal, through MAKEINTRESOURCE), or null.
    template <typename Fn>
    Fn Entry(const char* name) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_;
};

}  // namespace ferrow
