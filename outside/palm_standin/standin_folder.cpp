#include "standin_folder.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace palm_standin {

namespace {

// The module that holds this code (each stand-in links its own copy).
HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

}  // namespace

std::string Folder() {
    char path[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("PALM_STANDIN_DIR", path, sizeof(path));
    if (n == 0 || n >= sizeof(path)) {
        n = GetModuleFileNameA(ThisModule(), path, sizeof(path));
        if (n == 0 || n >= sizeof(path)) path[0] = '\0';
        char* slash = strrchr(path, '\\');
        if (slash) slash[1] = '\0';
    }
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string FilePath(const char* name) { return Folder() + name; }

void AppendLine(const char* fileName, const std::string& line) {
    FILE* f = fopen(FilePath(fileName).c_str(), "ab");
    if (!f) return;
    fprintf(f, "%s\n", line.c_str());
    fclose(f);
}

bool SwitchedOn(const char* variable, int ordinal) {
    char value[256] = "";
    DWORD n = GetEnvironmentVariableA(variable, value, sizeof(value));
    if (n == 0 || n >= sizeof(value)) return false;
    for (char* p = value; *p;) {
        if (atoi(p) == ordinal) return true;
        p = strchr(p, ',');
        if (!p) break;
        ++p;
    }
    return false;
}

}  // namespace palm_standin
