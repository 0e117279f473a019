// Names (and creates) the per-user data folder.
#include "pathkeep.h"
#include <windows.h>
#include <shlobj.h>
#include <string.h>

namespace {

// Creates every missing folder along path (which ends with a backslash).
bool CreateFolderChain(const char* path) {
    char part[MAX_PATH];
    size_t len = strlen(path);
    for (size_t i = 0; i < len; ++i) {
        if (path[i] != '\\' || i < 3) continue;
        memcpy(part, path, i);
        part[i] = 0;
        if (!CreateDirectoryA(part, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    DWORD attrs = GetFileAttributesA(path);
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool NameFolder(char* folder) {
    DWORD n = GetEnvironmentVariableA("PATHKEEP_FOLDER", folder, MAX_PATH - 1);
    if (n == 0 || n >= MAX_PATH - 1) {
        char base[MAX_PATH];
        if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base))) return false;
        if (strlen(base) + 16 >= MAX_PATH) return false;
        strcpy(folder, base);
        strcat(folder, "\\Orvane\\Nimbra");
    }
    size_t len = strlen(folder);
    if (len == 0) return false;
    if (folder[len - 1] != '\\') strcat(folder, "\\");
    return true;
}

}  // namespace

extern "C" int __cdecl GetAppDataPath(char* folder) {
    if (!folder) return 0;
    if (!NameFolder(folder) || !CreateFolderChain(folder)) {
        folder[0] = 0;
        return 0;
    }
    return 1;
}
