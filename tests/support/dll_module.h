// Loads one of our DLLs the way an outside caller does, and finds its exports by their
// exact names, so a test fails when an export is missing or misnamed.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

class DllModule {
public:
    explicit DllModule(const char* fileName) : module_(LoadLibraryA(fileName)), name_(fileName) {}
    ~DllModule() {
        if (module_) FreeLibrary(module_);
    }
    DllModule(const DllModule&) = delete;
    DllModule& operator=(const DllModule&) = delete;

    bool loaded() const { return module_ != nullptr; }
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
};
