// What the stand-ins' in-process COM servers share: their registration under a programmatic
// identifier, and a class object that makes one kind of object unless a switch says it fails.
#pragma once
#include <windows.h>
#include <olectl.h>
#include <stdio.h>
#include <stdlib.h>
#include <initializer_list>

namespace inproc {

inline bool SetClassesValue(const char* key, const char* name, const char* value) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

// Registers module as the in-process server of classId ("{...}") under progId, with its
// threading model ("Apartment", or "Both" for a server that callers in any apartment use
// directly, without marshalling).
inline HRESULT RegisterServer(HMODULE module, const char* progId, const char* classId, const char* threading) {
    char path[MAX_PATH], classKey[64], serverKey[96], progIdKey[128];
    GetModuleFileNameA(module, path, MAX_PATH);
    snprintf(classKey, sizeof(classKey), "CLSID\\%s", classId);
    snprintf(serverKey, sizeof(serverKey), "%s\\InprocServer32", classKey);
    snprintf(progIdKey, sizeof(progIdKey), "%s\\CLSID", progId);
    bool done = SetClassesValue(classKey, nullptr, progId) && SetClassesValue(serverKey, nullptr, path) &&
                SetClassesValue(serverKey, "ThreadingModel", threading) &&
                SetClassesValue(progIdKey, nullptr, classId);
    return done ? S_OK : SELFREG_E_CLASS;
}

inline HRESULT UnregisterServer(const char* progId, const char* classId) {
    char classKey[64], serverKey[96], progIdKey[128];
    snprintf(classKey, sizeof(classKey), "CLSID\\%s", classId);
    snprintf(serverKey, sizeof(serverKey), "%s\\InprocServer32", classKey);
    snprintf(progIdKey, sizeof(progIdKey), "%s\\CLSID", progId);
    for (const char* key : {static_cast<const char*>(serverKey), static_cast<const char*>(classKey),
                            static_cast<const char*>(progIdKey), progId})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    return S_OK;
}

// The class object: New() makes the object with one reference; creation fails when the
// environment variable failSwitch is "1".
template <typename Make>
class CClassFactory : public IClassFactory {
public:
    CClassFactory(Make make, const char* failSwitch) : make_(make), failSwitch_(failSwitch) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
        *object = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        char fail[8] = "";
        if (GetEnvironmentVariableA(failSwitch_, fail, sizeof(fail)) && atoi(fail) == 1) return E_FAIL;
        IUnknown* made = make_();
        HRESULT status = made->QueryInterface(riid, object);
        made->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) InterlockedIncrement(&locks_);
        else InterlockedDecrement(&locks_);
        return S_OK;
    }
    bool Locked() const { return locks_ != 0; }

private:
    Make make_;
    const char* failSwitch_;
    LONG locks_ = 0;
};

}  // namespace inproc
