// What the link benchmarks share: the build's paths, a timed FerrowDBFile call and the
// stand-ins' server registration.
#pragma once
#include <windows.h>
#include <string.h>
#include <string>
#include <vector>
#include "best_time.h"
#include "cardrec.h"
#include "linkcards.h"

using FerrowDBFileFn = int (*)(const char*, const char*, CardRecV4**, int*, int, int);

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

struct LinkRun {
    FerrowDBFileFn link;
    std::string ini;
    int type;

    // One FerrowDBFile call on a fresh copy of the cards; the seconds it took.
    double Run(const std::vector<CardRecV4>& cards, int direction, int* result, int* count) {
        CardRecV4* array = AllocLinkCards(static_cast<int>(cards.size()));
        *count = static_cast<int>(cards.size());
        if (*count) memcpy(array, cards.data(), cards.size() * sizeof(CardRecV4));
        double start = Seconds();
        *result = link(ini.c_str(), nullptr, &array, count, type, direction);
        double took = Seconds() - start;
        FreeLinkCards(array);
        return took;
    }
};

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
