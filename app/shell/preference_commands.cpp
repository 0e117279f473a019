// File commands that hand the settings file to the preferences library: the export-options
// pop-up (51) and the Preferences dialog (58).
#include "shell.h"
#include "zemprefer.h"

// The library wrote the settings file: take its keys up again and let the Link button show
// the target and direction now chosen (the button is a child of the clipping command bar,
// so the area is invalidated with its children).
static void AfterPreferencesChanged(void) {
    LoadScanAndExportPreferences();
    RECT area = {570, 4, 615, 46};
    if (App.CommandBar) RedrawWindow(App.CommandBar, &area, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The pop-up opens at the cursor, where the user pressed the small arrow by the Link button.
void OnExportOptions(void) {
    POINT cursor;
    GetCursorPos(&cursor);
    int place[4] = {cursor.x, cursor.y, cursor.x + 45, cursor.y + 42};
    char settings[MAX_PATH];
    GetSettingsPath(settings, sizeof settings);
    ShowExportMenu(App.MainWindow, settings, place);
    AfterPreferencesChanged();
}

void OnPreferences(void) {
    char settings[MAX_PATH];
    GetSettingsPath(settings, sizeof settings);
    ShowPreferDlg(settings);
    AfterPreferencesChanged();
}
