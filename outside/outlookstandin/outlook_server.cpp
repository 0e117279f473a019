// The in-process server: its class object and its registration as "Outlook.Application".
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <olectl.h>
#include "outlook_objects.h"

namespace {

// Our own class id; only the programmatic identifier is the one callers look up.
const CLSID kApplicationClass = {0x6f1b2c3d, 0x7a44, 0x4e0b, {0x9c, 0x1e, 0x5d, 0x2f, 0x8a, 0x7b, 0x3c, 0x40}};
const char kClassKey[] = "CLSID\\{6F1B2C3D-7A44-4E0B-9C1E-5D2F8A7B3C40}";
const char kProgId[] = "Outlook.Application";
const char kClassId[] = "{6F1B2C3D-7A44-4E0B-9C1E-5D2F8A7B3C40}";

LONG g_locks = 0;
HMODULE g_module = nullptr;

class CApplicationFactory : public IClassFactory {
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
        if (GetEnvironmentVariableA("ZEM_OUTLOOK_FAIL_CREATE", fail, sizeof(fail)) && atoi(fail) == 1) return E_FAIL;
        IDispatch* application = outlook::NewApplication();
        HRESULT status = application->QueryInterface(riid, object);
        application->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) InterlockedIncrement(&g_locks);
        else InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

CApplicationFactory g_factory;

bool SetValue(const char* key, const char* name, const char* value) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!IsEqualCLSID(clsid, kApplicationClass)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, object);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return g_locks == 0 && outlook::LiveObjects() == 0 ? S_OK : S_FALSE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    char path[MAX_PATH];
    GetModuleFileNameA(g_module, path, MAX_PATH);
    char server[sizeof(kClassKey) + 32];
    snprintf(server, sizeof(server), "%s\\InprocServer32", kClassKey);
    char progIdKey[64];
    snprintf(progIdKey, sizeof(progIdKey), "%s\\CLSID", kProgId);
    bool done = SetValue(kClassKey, nullptr, "Outlook stand-in application") && SetValue(server, nullptr, path) &&
                SetValue(server, "ThreadingModel", "Apartment") && SetValue(progIdKey, nullptr, kClassId);
    return done ? S_OK : SELFREG_E_CLASS;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    char server[sizeof(kClassKey) + 32];
    snprintf(server, sizeof(server), "%s\\InprocServer32", kClassKey);
    char progIdKey[64];
    snprintf(progIdKey, sizeof(progIdKey), "%s\\CLSID", kProgId);
    for (const char* key : {static_cast<const char*>(server), static_cast<const char*>(kClassKey),
                            static_cast<const char*>(progIdKey), kProgId})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    return S_OK;
}

}  // extern "C"
