// The in-process server: its class object and its registration as "Outlook.Application".
#include <windows.h>
#include "inproc_server.h"
#include "outlook_objects.h"

namespace {

// Our own class id; only the programmatic identifier is the one callers look up.
const CLSID kApplicationClass = {0x6f1b2c3d, 0x7a44, 0x4e0b, {0x9c, 0x1e, 0x5d, 0x2f, 0x8a, 0x7b, 0x3c, 0x40}};
const char kClassId[] = "{6F1B2C3D-7A44-4E0B-9C1E-5D2F8A7B3C40}";
const char kProgId[] = "Outlook.Application";

HMODULE g_module = nullptr;
IUnknown* MakeApplication() { return outlook::NewApplication(); }
inproc::CClassFactory<IUnknown* (*)()> g_factory(MakeApplication, "ZEM_OUTLOOK_FAIL_CREATE");

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
    return !g_factory.Locked() && outlook::LiveObjects() == 0 ? S_OK : S_FALSE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    return inproc::RegisterServer(g_module, kProgId, kClassId, "Apartment");
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return inproc::UnregisterServer(kProgId, kClassId);
}

}  // extern "C"
