// The conduit manager stand-in: one section of condmgr.ini per registered creator, in the
// order of registration, with the properties the setters store.
#include "condmgr.h"
#include "standin_folder.h"
#include <string.h>
#include <string>
#include <vector>

namespace {

const char* const kFailVariable = "CONDMGR_FAIL";

std::string RegistryPath() { return palm_standin::FilePath("condmgr.ini"); }

std::vector<std::string> Creators() {
    std::vector<char> names(32768);
    DWORD n = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), RegistryPath().c_str());
    std::vector<std::string> list;
    for (DWORD i = 0; i < n && names[i];) {
        std::string name = &names[i];
        list.push_back(name);
        i += static_cast<DWORD>(name.size()) + 1;
    }
    return list;
}

bool IsRegistered(const char* creator) {
    if (!creator) return false;
    for (const std::string& c : Creators())
        if (lstrcmpiA(c.c_str(), creator) == 0) return true;
    return false;
}

int CopyOut(const std::string& text, char* buffer, int* size) {
    if (!buffer || !size || *size <= 0) return CONDMGR_BUFFER_SMALL;
    if (static_cast<int>(text.size()) >= *size) return CONDMGR_BUFFER_SMALL;
    memcpy(buffer, text.c_str(), text.size() + 1);
    *size = static_cast<int>(text.size()) + 1;
    return 0;
}

int SetProperty(const char* creator, const char* key, const char* value) {
    if (!IsRegistered(creator)) return CONDMGR_NOT_FOUND;
    return WritePrivateProfileStringA(creator, key, value ? value : "", RegistryPath().c_str()) ? 0 : CONDMGR_UNUSABLE;
}

}  // namespace

extern "C" {

int WINAPI CorePath(char* buffer, int* size) { return CopyOut(palm_standin::Folder(), buffer, size); }

int WINAPI HotSyncPath(char* buffer, int* size) {
    if (palm_standin::SwitchedOn(kFailVariable, CONDMGR_HOTSYNC_PATH)) return CONDMGR_UNUSABLE;
    // Callers ask with a small buffer: the manager's file name, not its whole path.
    return CopyOut("hsmanager.exe", buffer, size);
}

int WINAPI ConduitCount(void) { return static_cast<int>(Creators().size()); }

int WINAPI ConduitCreatorAt(int index, char* buffer, int* size) {
    std::vector<std::string> list = Creators();
    if (index < 0 || index >= static_cast<int>(list.size())) return CONDMGR_NOT_FOUND;
    return CopyOut(list[index], buffer, size);
}

int WINAPI ConduitFileOf(const char* creator, char* buffer, int* size) {
    if (!IsRegistered(creator)) return CONDMGR_NOT_FOUND;
    char file[MAX_PATH] = "";
    GetPrivateProfileStringA(creator, "ConduitFile", "", file, sizeof(file), RegistryPath().c_str());
    return CopyOut(file, buffer, size);
}

int WINAPI RemoveCreator(const char* creator) {
    if (palm_standin::SwitchedOn(kFailVariable, CONDMGR_REMOVE)) return CONDMGR_NOT_REMOVABLE;
    if (!IsRegistered(creator)) return CONDMGR_NOT_FOUND;
    return WritePrivateProfileStringA(creator, nullptr, nullptr, RegistryPath().c_str()) ? 0 : CONDMGR_UNUSABLE;
}

int WINAPI InstallCreator(const char* creator, int conduitType) {
    if (palm_standin::SwitchedOn(kFailVariable, CONDMGR_INSTALL)) return CONDMGR_UNUSABLE;
    if (!creator || !creator[0]) return CONDMGR_NOT_FOUND;
    if (IsRegistered(creator)) return CONDMGR_EXISTS;
    char type[16];
    wsprintfA(type, "%d", conduitType);
    return WritePrivateProfileStringA(creator, "Type", type, RegistryPath().c_str()) ? 0 : CONDMGR_UNUSABLE;
}

int WINAPI SetCreatorRemoteDatabase(const char* creator, const char* name) {
    return SetProperty(creator, "RemoteDatabase", name);
}

int WINAPI SetCreatorPriority(const char* creator, int priority) {
    char text[16];
    wsprintfA(text, "%d", priority);
    return SetProperty(creator, "Priority", text);
}

int WINAPI SetCreatorFile(const char* creator, const char* file) { return SetProperty(creator, "ConduitFile", file); }
int WINAPI SetCreatorTitle(const char* creator, const char* title) { return SetProperty(creator, "Title", title); }
int WINAPI SetCreatorFolder(const char* creator, const char* folder) { return SetProperty(creator, "Folder", folder); }
int WINAPI SetCreatorDataFile(const char* creator, const char* file) { return SetProperty(creator, "DataFile", file); }

}  // extern "C"
