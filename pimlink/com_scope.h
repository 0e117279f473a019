// COM for the length of one connector pass. zem40 never initialises COM itself; a pass starts
// it on the caller's thread and undoes only what it did itself.
#pragma once
#include <windows.h>

namespace ferrow {

class CComScope {
public:
    CComScope() : status_(CoInitialize(nullptr)) {}
    // S_OK and S_FALSE (already started on this thread) both take a matching uninitialise; a
    // thread in another apartment mode is left alone.
    ~CComScope() {
        if (SUCCEEDED(status_)) CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT status_;
};

}  // namespace ferrow
