// Loads one of our DLLs the way an outside caller does, and finds its exports by their
// exact names, so a test fails when an export is missing or misnamed.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <string>

class DllModule {
public:
    // A load that fails is reported with its error and tried once more: under an emulator, with
    // test programs side by side, a load right after the module was freed has failed once in
    // many runs, and the tests are about the module, not about that load.
    explicit DllModule(const char* fileName) : module_(LoadLibraryA(fileName)), name_(fileName) {
        if (module_) return;
        loadError_ = GetLastError();
        std::fprintf(stderr, "loading %s failed with error %lu; trying once more\n", fileName, loadError_);
        Sleep(500);
        module_ = LoadLibraryA(fileName);
    }
    ~DllModule() {
        if (module_) FreeLibrary(module_);
    }
    DllModule(const DllModule&) = delete;
    DllModule& operator=(const DllModule&) = delete;

    bool loaded() const { return module_ != nullptr; }
    // The error of the first load that failed (0 when it did not fail).
    DWORD loadError() const { return loadError_; }
    HMODULE handle() const { return module_; }

    // The export of that exact name, or null (the caller asserts).
    template <typename Fn>
    Fn find(const char* exportName) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, exportName))) : nullptr;
    }

    // The export of that exact name; records a test failure when it is missing.
    template <typename Fn>
    Fn require(const char* exportName) const {
        Fn fn = find<Fn>(exportName);
        EXPECT_NE(fn, nullptr) << name_ << " does not export " << exportName;
        return fn;
    }

private:
    HMODULE module_;
    std::string name_;
    DWORD loadError_ = 0;
};
