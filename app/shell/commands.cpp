// Routing of menu, accelerator and command-bar commands. The File, Card, Scan, Edit, View
// and Help handlers join with their own code; the shell handles leaving the program.
#include "shell.h"
#include "views.h"
#include "resource.h"
#include "scanning.h"
#include "export.h"

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
    case IDM_FILE_EXPORT: OnFileExport(); break;
    case IDM_FILE_PREFERENCES: OnPreferences(); break;
    case IDM_FILE_PRINT:
    case IDM_FILE_PAGESETUP:
    case IDM_FILE_PRINTSETUP: OnPrintCommand(id); break;
    case IDM_EDIT_UNDO:
        PerformUndo();
        RecordUndoAction(0, NULL, NULL, NULL, NULL);
        break;
    default:
        if (id >= IDM_CARD_FIRST && id <= IDM_CARD_GOTO) NavigateCard(id);
        else if (id >= IDM_VIEW_LIST && id <= IDM_ZOOM_OUT) OnViewCommand(id);
        break;
    }
}
