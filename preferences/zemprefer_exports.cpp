// The two exports that zem40 calls by name.
#include "zemprefer.h"
#include "export_menu.h"
#include "preferences_sheet.h"

extern "C" int __cdecl ShowPreferDlg(const char* iniPath) {
    CZemPref pref;
    LoadPreferences(&pref, iniPath);
    if (RunPreferencesSheet(&pref, GetActiveWindow())) SavePreferences(&pref, pref.IniPath);
    return 0;
}

extern "C" int __cdecl ShowExportMenu(HWND mainWindow, const char* iniPath, int* place) {
    RunExportMenu(mainWindow, iniPath, place);
    return 1;
}
