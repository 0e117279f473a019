#include "outlook_version.h"
#include "ferrow_resources.h"
#include "library_module.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace ferrow {

namespace {

const char kOutlookKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE";

bool RegisteredOutlookPath(char* path, DWORD size) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kOutlookKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, bytes = size - 1;
    LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) path[0] = '\0';
    else path[bytes < size ? bytes : size - 1] = '\0';
    // App Paths entries are sometimes written in quotes.
    size_t len = strlen(path);
    if (len >= 2 && path[0] == '"' && path[len - 1] == '"') {
        memmove(path, path + 1, len - 2);
        path[len - 2] = '\0';
    }
    return true;
}

void ShowOutlookRequired() { ShowLibraryMessage(IDS_OUTLOOK_REQUIRED); }

}  // namespace

int FileMajorVersion(const char* programPath) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(programPath, &ignored);
    if (!size) return 0;
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(programPath, 0, size, info.data())) return 0;
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        return 0;
    char query[64];
    snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
    char* version = nullptr;
    if (!VerQueryValueA(info.data(), query, reinterpret_cast<void**>(&version), &length) || !version) return 0;
    if (!strchr(version, '.')) return 0;
    return atoi(version);
}

int RegisteredOutlookMajorVersion() {
    char path[MAX_PATH + 1] = "";
    if (!RegisteredOutlookPath(path, sizeof(path))) return -1;
    return path[0] ? FileMajorVersion(path) : 0;
}

bool OutlookVersionAccepted() {
    int major = RegisteredOutlookMajorVersion();
    if (major >= 9) return true;
    if (major >= 0) ShowOutlookRequired();
    return false;
}

}  // namespace ferrow
