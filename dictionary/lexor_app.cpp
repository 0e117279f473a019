#include "lexor_app.h"
#include <windows.h>

namespace {
CLexorApp* theApp = nullptr;
}

CLexorApp& TheApp() { return *theApp; }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH: theApp = new (std::nothrow) CLexorApp; return theApp != nullptr;
    case DLL_PROCESS_DETACH:
        // At process exit (reserved non-null) other threads are gone and the heap may be in
        // any state; only an explicit unload closes the table and frees the object.
        if (!reserved && theApp) {
            theApp->dictionary.Close();
            delete theApp;
            theApp = nullptr;
        }
        break;
    default: break;
    }
    return TRUE;
}
