// The File menu's printing commands: Print, Page Setup and Print Setup.
#include "print.h"
#include "shell.h"
#include "resource.h"

#define PRINT_BUTTON 701

void OnPrintCommand(int id) {
    switch (id) {
    case IDM_FILE_PRINT:
        // The Card Editor's form may hold edits that the printed card should show.
        if (App.ViewMode == VIEW_CARD_EDITOR) RefreshCardViews(1);
        PrintCards();
        break;
    case IDM_FILE_PAGESETUP: RunModalDialog(App.MainWindow, 0, IDD_PAGE_SETUP, PageSetupDlgProc); break;
    case IDM_FILE_PRINTSETUP:
        ShowPrintSetupDialog(App.MainWindow);
        UpdateCommandStates(App.CommandBar, PRINT_BUTTON);
        break;
    }
}
