// Routing of menu, accelerator and command-bar commands. The File, Card, Scan, Edit, View
// and Help handlers join with their own code; the shell handles leaving the program.
#include "shell.h"
#include "resource.h"
#include "scanning.h"

void OnMainCommand(HWND window, int id) {
    HideHintWindow();
    switch (id) {
    case IDM_FILE_EXIT: SendMessageA(window, WM_CLOSE, 0, 0); break;
    case IDM_FILE_IMPORT: OnImportCardImages(0); break;
    case IDM_CARD_NEW: OnNewCard(); break;
    case IDM_SCAN:
    case IDM_PANEL_SCAN:
    case IDM_SELECT_SCANNER: OnScanMenuCommand(id); break;
    case IDM_EXPORT_OPTIONS: OnExportOptions(); break;
    case IDM_FILE_PREFERENCES: OnPreferences(); break;
    case IDM_VIEW_DECK: SetViewMode(VIEW_CARD_DECK); break;
    case IDM_VIEW_EDITOR: SetViewMode(VIEW_CARD_EDITOR); break;
    case IDM_VIEW_LIST: SetViewMode(VIEW_CARD_LIST); break;
    case IDM_VIEW_ALBUM: SetViewMode(VIEW_CARD_ALBUM); break;
    default: break;
    }
}

// Switches the view mode: the menu marks it and the command bar follows. The panes of each
// view are created with the views code.
void SetViewMode(int mode) {
    static const int kViewItems[] = {IDM_VIEW_DECK, IDM_VIEW_EDITOR, IDM_VIEW_LIST, IDM_VIEW_ALBUM};
    if (mode < VIEW_CARD_DECK || mode > VIEW_CARD_ALBUM) return;
    HideHintWindow();
    App.ViewMode = mode;
    for (int m = 0; m < 4; ++m) CheckMenuItem(App.MainMenu, kViewItems[m], m == mode ? MF_CHECKED : MF_UNCHECKED);
    RefreshCardViews(1);
    UpdateCommandStates(App.CommandBar, 0);
}
