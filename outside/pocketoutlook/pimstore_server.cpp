// The store's in-process server, registered as "PocketOutlook.Application".
#include <windows.h>
#include "inproc_server.h"
#include "poom_objects.h"

namespace {

// Our own class id; only the programmatic identifier is the one callers look up.
const CLSID kApplicationClass = {0x2b8f61d4, 0x95c3, 0x4a7e, {0x8d, 0x52, 0x1f, 0x6a, 0x3c, 0x9e, 0x70, 0xb1}};
const char kClassId[] = "{2B8F61D4-95C3-4A7E-8D52-1F6A3C9E70B1}";
const char kProgId[] = "PocketOutlook.Application";

HMODULE g_module = nullptr;
IUnknown* MakeApplication() { return poom::NewApplication(); }
inproc::CClassFactory<IUnknown* (*)()> g_factory(MakeApplication, "ZEM_POOM_FAIL_CREATE");

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
    return !g_factory.Locked() && poom::LiveObjects() == 0 ? S_OK : S_FALSE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    // The companion works in the multithreaded apartment, as on the device, where the store is
    // called directly.
    return inproc::RegisterServer(g_module, kProgId, kClassId, "Both");
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return inproc::UnregisterServer(kProgId, kClassId);
}

}  // extern "C"
