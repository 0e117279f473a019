// What the stand-ins' in-process COM servers share: the four exports of a server DLL
// (DllGetClassObject, DllCanUnloadNow, DllRegisterServer, DllUnregisterServer, in
// inproc_server.cpp), over the one description each server gives of itself.
#pragma once
#include <windows.h>
#include <objbase.h>

namespace inproc {

struct ServerDescription {
    CLSID classId;            // our own class id; callers look the server up by its progId
    const char* classIdText;  // the same as "{...}"
    const char* progId;
    const char* threading;   // "Apartment", or "Both" for a server called without marshalling
    const char* failSwitch;  // creating the object fails while this environment variable is "1"
    IUnknown* (*make)();     // a new object with one reference
    LONG (*liveObjects)();   // objects alive in the library
};

// Defined by each server.
extern const ServerDescription kServer;

}  // namespace inproc
