#include "inproc_server.h"
#include <olectl.h>
#include <stdio.h>
#include <stdlib.h>
#include <initializer_list>

namespace inproc {

namespace {

LONG g_locks = 0;

HMODULE ServerModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ServerModule), &module);
    return module;
}

bool SetClassesValue(const char* key, const char* name, const char* value) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

struct ServerKeys {
    char classKey[64], serverKey[96], progIdKey[128];
    ServerKeys() {
        snprintf(classKey, sizeof(classKey), "CLSID\\%s", kServer.classIdText);
        snprintf(serverKey, sizeof(serverKey), "%s\\InprocServer32", classKey);
        snprintf(progIdKey, sizeof(progIdKey), "%s\\CLSID", kServer.progId);
    }
};

class CClassFactory : public IClassFactory {
public:
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
        if (GetEnvironmentVariableA(kServer.failSwitch, fail, sizeof(fail)) && atoi(fail) == 1) return E_FAIL;
        IUnknown* made = kServer.make();
        HRESULT status = made->QueryInterface(riid, object);
        made->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) InterlockedIncrement(&g_locks);
        else InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

CClassFactory g_factory;

}  // namespace

}  // namespace inproc

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!IsEqualCLSID(clsid, inproc::kServer.classId)) return CLASS_E_CLASSNOTAVAILABLE;
    return inproc::g_factory.QueryInterface(riid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return inproc::g_locks == 0 && inproc::kServer.liveObjects() == 0 ? S_OK : S_FALSE;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
    char path[MAX_PATH];
    GetModuleFileNameA(inproc::ServerModule(), path, MAX_PATH);
    inproc::ServerKeys keys;
    bool done = inproc::SetClassesValue(keys.classKey, nullptr, inproc::kServer.progId) &&
                inproc::SetClassesValue(keys.serverKey, nullptr, path) &&
                inproc::SetClassesValue(keys.serverKey, "ThreadingModel", inproc::kServer.threading) &&
                inproc::SetClassesValue(keys.progIdKey, nullptr, inproc::kServer.classIdText);
    return done ? S_OK : SELFREG_E_CLASS;
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
    inproc::ServerKeys keys;
    for (const char* key : {static_cast<const char*>(keys.serverKey), static_cast<const char*>(keys.classKey),
                            static_cast<const char*>(keys.progIdKey), inproc::kServer.progId})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    return S_OK;
}

}  // extern "C"
