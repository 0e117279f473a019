#include "prefer_app.h"
#include "prefer_resources.h"
#include <stdlib.h>
#include <string.h>

CZemPreferApp PreferApp;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        PreferApp.Instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

std::string LoadText(UINT id) {
    char text[512];
    int n = LoadStringA(PreferApp.Instance, id, text, sizeof(text));
    return std::string(text, n > 0 ? n : 0);
}

void ShowMessage(HWND owner, UINT id, UINT icon) {
    MessageBoxA(owner, LoadText(id).c_str(), LoadText(IDS_PREFERENCES).c_str(), MB_OK | icon);
}

std::string LibraryFolder() {
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(PreferApp.Instance, path, sizeof(path));
    if (n == 0 || n >= sizeof(path)) return std::string();
    char* slash = strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    return path;
}

TargetFieldList FieldListOf(int linkType) {
    switch (linkType) {
    case 0: return {IDS_PALM_FIELDS, 22};
    case 1: return {IDS_WINCE_FIELDS, 46};
    case 3: return {IDS_OUTLOOK_FIELDS, 47};
    case 4: return {IDS_OUTLOOK_EX_FIELDS, 30};
    case 5: return {IDS_ACT_FIELDS, 60};
    default: return {0, 0};
    }
}

void ParseExportOptions(const char* text, OfferedTargets* offered) {
    memset(offered, 0, sizeof(*offered));
    size_t length = text ? strlen(text) : 0;
    for (int t = 0; t < LINK_TARGET_COUNT; ++t) {
        char digit = static_cast<size_t>(t) < length ? text[t] : '0';
        offered->Direction[t] = digit >= '0' && digit <= '9' ? digit - '0' : 0;
        if (digit >= '1' && digit <= '3') offered->Target[offered->Count++] = t;
    }
}
