// What the link benchmarks share: a clock, the build's paths, FerrowDBFile and the stand-ins'
// server registration.
#pragma once
#include <windows.h>
#include <string>
#include "cardrec.h"

using FerrowDBFileFn = int (*)(const char*, const char*, CardRecV4**, int*, int, int);

inline double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The Windows form of a path that CMake gives in its Linux form (the build lies on drive Z:).
inline std::string WindowsPathOf(const char* linuxPath) {
    std::string path = std::string("Z:") + linuxPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Ferrow.dll's FerrowDBFile, or null.
inline FerrowDBFileFn LoadFerrowLink() {
    HMODULE ferrow = LoadLibraryA("Ferrow.dll");
    return ferrow ? reinterpret_cast<FerrowDBFileFn>(reinterpret_cast<void*>(GetProcAddress(ferrow, "FerrowDBFile")))
                  : nullptr;
}

// Calls DllRegisterServer or DllUnregisterServer of an in-process server; false when it is
// missing or fails.
inline bool CallServer(const char* linuxPath, const char* entry) {
    using RegisterFn = HRESULT(__stdcall*)();
    HMODULE server = LoadLibraryA(WindowsPathOf(linuxPath).c_str());
    auto call = server ? reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(server, entry))) : nullptr;
    bool done = call && call() == S_OK;
    if (server) FreeLibrary(server);
    return done;
}
