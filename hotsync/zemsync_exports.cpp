// The six entry points that the HotSync manager calls by name, and the library's application
// object (CAddressTransferApp) that counts loads around the language resources.
#include "palm_field_map.h"
#include "palmcmn.h"
#include "sync_run.h"
#include "transfer_dialog.h"
#include <string.h>
#include <string>

namespace {

const char kConduitName[] = "ZemSync";
const int kConduitVersion = 0x101;

struct CAddressTransferApp {
    int Loads;
    HINSTANCE Instance;
    HINSTANCE LanguageResources;
    bool LanguageLoaded;
    FreeLanguageFn FreeLanguage;  // PalmCmn stays loaded once it has served
    char Folder[MAX_PATH];
    PalmFieldMaps Maps;  // kept from one run to the next while the library is loaded
} App;

template <typename Fn>
Fn PalmCommon(int ordinal) {
    HMODULE module = LoadLibraryA(PALMCMN_LIBRARY);  // held: the resources are freed through it
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))))
                  : nullptr;
}

// A library must not load others while the loader holds it: the language resources are
// loaded at the first call after the first load.
void InitInstance(HINSTANCE instance) {
    if (App.Loads++ == 0) App.Instance = App.LanguageResources = instance;
}

void LoadLanguageResources() {
    if (App.LanguageLoaded) return;
    App.LanguageLoaded = true;
    int status = 0;
    auto load = PalmCommon<LoadLanguageFn>(PALMCMN_LOAD_LANGUAGE);
    App.FreeLanguage = PalmCommon<FreeLanguageFn>(PALMCMN_FREE_LANGUAGE);
    if (load) App.LanguageResources = load("ADDRESSTRANSFERLANG.DLL", App.Instance, &status);
}

// At process end the other libraries may be gone already: only an unload frees the resources.
void ExitInstance(bool processEnds) {
    if (--App.Loads > 0) return;
    if (!processEnds && App.FreeLanguage) App.FreeLanguage(App.LanguageResources, App.Instance);
    App.LanguageResources = App.Instance;
}

// The conduit's folder, from its own file name; false when that cannot be had.
bool ConduitFolder(std::string* folder) {
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(App.Instance, path, sizeof(path));
    if (n == 0 || n >= sizeof(path)) return false;
    char* slash = strrchr(path, '\\');
    if (!slash) return false;
    slash[1] = '\0';
    *folder = path;
    return true;
}

// Zero-fills the buffer over its size and copies at most size - 1 characters of the name.
void CopyName(char* buffer, unsigned size) {
    if (!size) return;
    memset(buffer, 0, size);
    strncpy(buffer, kConduitName, size - 1);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) InitInstance(instance);
    if (reason == DLL_PROCESS_DETACH) ExitInstance(reserved != nullptr);
    return TRUE;
}

extern "C" {

long __cdecl OpenConduit(void* progress, const char* properties) {
    LoadLanguageResources();
    std::string folder;
    if (ConduitFolder(&folder)) lstrcpynA(App.Folder, folder.c_str(), sizeof(App.Folder));
    if (!progress) return -1;
    if (!properties) return SYNC_ERR_MEMORY;
    return RunHotSync(App.Folder, properties, &App.Maps);
}

long __cdecl GetConduitName(char* buffer, WORD size) {
    if (buffer) CopyName(buffer, size);
    return 0;
}

DWORD __cdecl GetConduitVersion() { return kConduitVersion; }

long __cdecl ConfigureConduit(char* preferences) {
    LoadLanguageResources();
    if (!preferences) return -1;
    int type = 0, zero = 0;
    memcpy(preferences + 516, &zero, 4);
    memcpy(&type, preferences + 520, 4);
    TransferChoice choice;
    if (!RunTransferDialog(App.Instance, type, &choice)) return -1;
    memcpy(preferences + 520, &choice.Type, 4);
    memcpy(preferences + 516, &choice.Preference, 4);
    return 0;
}

long __cdecl GetConduitInfo(int kind, const void* arguments, void* out, DWORD* outSize) {
    if (!out) return 4209;
    if (!outSize) return 4215;
    switch (kind) {
    case 0: {
        if (!arguments) return 4212;
        DWORD fields[2];
        memcpy(fields, arguments, sizeof(fields));
        if (fields[0] != 1 || fields[1] != 80) return 4213;
        CopyName(static_cast<char*>(out), *outSize);
        return 0;
    }
    case 1:
    case 2: {
        if (*outSize != 4) return 4211;
        DWORD value = kind == 1 ? 0x500 : 3;
        memcpy(out, &value, 4);
        return 0;
    }
    default: return 4208;
    }
}

long __cdecl CfgConduit(int kind, char* record, DWORD* size) {
    LoadLanguageResources();
    if (!record) return 4212;
    if (!size) return 4216;
    if (*size != 352) return 4218;
    if (kind != 0) return 4217;
    DWORD version = 0;
    memcpy(&version, record, 4);
    if (version != 1) return 4219;
    int type = 0;
    memcpy(&type, record + 340, 4);
    TransferChoice choice;
    if (RunTransferDialog(App.Instance, type, &choice)) {
        memcpy(record + 344, &choice.Type, 4);
        memcpy(record + 348, &choice.Preference, 4);
    }
    return 0;
}

}  // extern "C"
