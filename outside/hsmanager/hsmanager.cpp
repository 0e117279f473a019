// hsmanager [/conduit <path>] [/type <n>] [/configure]
//
// Finds the conduit that the conduit manager registers for creator 'addr' (or the one named),
// loads it and calls its entry points by name as the HotSync manager does: name, version,
// information 0 to 2, the configuration dialog when asked, then one HotSync. Prints what
// each call gave and ends with OpenConduit's result.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "condmgr.h"

namespace {

typedef long(__cdecl* OpenConduitFn)(void* progress, const char* properties);
typedef long(__cdecl* GetConduitNameFn)(char* buffer, WORD size);
typedef DWORD(__cdecl* GetConduitVersionFn)();
typedef long(__cdecl* ConfigureConduitFn)(char* preferences);
typedef long(__cdecl* GetConduitInfoFn)(int kind, const void* arguments, void* out, DWORD* outSize);
typedef long(__cdecl* CfgConduitFn)(int kind, char* record, DWORD* size);

struct Options {
    std::string Conduit;
    int Type = 0;
    bool Configure = false;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (lstrcmpiA(argv[i], "/conduit") == 0 && i + 1 < argc) options.Conduit = argv[++i];
        else if (lstrcmpiA(argv[i], "/type") == 0 && i + 1 < argc) options.Type = atoi(argv[++i]);
        else if (lstrcmpiA(argv[i], "/configure") == 0) options.Configure = true;
    }
    return options;
}

// The conduit file registered for 'addr'; empty when there is none.
std::string RegisteredConduit() {
    HMODULE manager = LoadLibraryA(CONDMGR_LIBRARY);
    if (!manager) return std::string();
    auto fileOf = reinterpret_cast<CondMgrQueryFn>(
        reinterpret_cast<void*>(GetProcAddress(manager, MAKEINTRESOURCEA(CONDMGR_FILE_OF))));
    char path[MAX_PATH] = "";
    int size = sizeof(path);
    std::string file = fileOf && fileOf("addr", path, &size) == 0 ? path : "";
    FreeLibrary(manager);
    return file;
}

template <typename Fn>
Fn Entry(HMODULE conduit, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(conduit, name)));
}

void __cdecl Progress(const char*) {}

void Configure(HMODULE conduit, int type) {
    if (auto cfg = Entry<CfgConduitFn>(conduit, "CfgConduit")) {
        char record[352] = {};
        DWORD version = 1, size = sizeof(record);
        memcpy(record, &version, 4);
        memcpy(record + 340, &type, 4);
        long result = cfg(0, record, &size);
        int chosen = 0, preference = 0;
        memcpy(&chosen, record + 344, 4);
        memcpy(&preference, record + 348, 4);
        printf("configure %ld type %d preference %d\n", result, chosen, preference);
    } else if (auto configure = Entry<ConfigureConduitFn>(conduit, "ConfigureConduit")) {
        char preferences[1024] = {};
        memcpy(preferences + 520, &type, 4);
        printf("configure %ld\n", configure(preferences));
    }
}

void PrintInformation(HMODULE conduit) {
    char name[64] = "";
    if (auto getName = Entry<GetConduitNameFn>(conduit, "GetConduitName"))
        printf("name %ld %s\n", getName(name, sizeof(name)), name);
    if (auto getVersion = Entry<GetConduitVersionFn>(conduit, "GetConduitVersion"))
        printf("version %lu\n", static_cast<unsigned long>(getVersion()));
    auto info = Entry<GetConduitInfoFn>(conduit, "GetConduitInfo");
    if (!info) return;
    DWORD arguments[2] = {1, 80};
    DWORD size = sizeof(name);
    long result = info(0, arguments, name, &size);
    printf("info 0 %ld %s\n", result, name);
    for (int kind = 1; kind <= 2; ++kind) {
        DWORD value = 0;
        size = 4;
        result = info(kind, nullptr, &value, &size);
        printf("info %d %ld %lu\n", kind, result, static_cast<unsigned long>(value));
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options = ParseOptions(argc, argv);
    std::string path = options.Conduit.empty() ? RegisteredConduit() : options.Conduit;
    if (path.empty()) {
        fprintf(stderr, "no conduit registered for 'addr'\n");
        return 2;
    }
    HMODULE conduit = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    auto open = conduit ? Entry<OpenConduitFn>(conduit, "OpenConduit") : nullptr;
    if (!open) {
        fprintf(stderr, "cannot load %s\n", path.c_str());
        return 3;
    }
    printf("conduit %s\n", path.c_str());
    fflush(stdout);
    PrintInformation(conduit);
    if (options.Configure) Configure(conduit, options.Type);
    // The sync properties: the sync type first, the handheld database's name at 772.
    static char properties[1024];
    static const char kDatabase[] = "AddressDB";
    const char* name = kDatabase;
    memcpy(properties, &options.Type, 4);
    memcpy(properties + 772, &name, sizeof(name));
    long result = open(reinterpret_cast<void*>(&Progress), properties);
    printf("sync %ld\n", result);
    fflush(stdout);
    FreeLibrary(conduit);
    return static_cast<int>(result);
}
