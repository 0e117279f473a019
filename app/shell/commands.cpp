// Routing of menu, accelerator and command-bar commands: every command id goes by its range
// to the handler of its menu; ids outside the ranges do nothing.
#include "shell.h"
#include "views.h"
#include "resource.h"

#define FILE_COMMANDS_LAST  67
#define EDIT_COMMANDS_LAST  109
#define SCAN_COMMANDS_FIRST 70
#define SCAN_COMMANDS_LAST  99
#define VIEW_COMMANDS_LAST  118
#define HELP_COMMANDS_FIRST 140
#define HELP_COMMANDS_LAST  143

void OnMainCommand(HWND window, int id) {
    (void)window;
    HideHintWindow();
    if (id >= IDM_FILE_NEW && id <= FILE_COMMANDS_LAST) OnFileCommand(id, 0);
    else if (id >= IDM_EDIT_UNDO && id <= EDIT_COMMANDS_LAST) OnEditCommand(id);
    else if (id >= IDM_VIEW_LIST && id <= VIEW_COMMANDS_LAST) OnViewCommand(id);
    else if ((id >= SCAN_COMMANDS_FIRST && id <= SCAN_COMMANDS_LAST) ||
             (id >= IDM_SORT_NAME_DESC && id <= IDM_SORT_DATE_DESC))
        OnScanAndCardCommand(id);
    else if (id >= HELP_COMMANDS_FIRST && id <= HELP_COMMANDS_LAST) OnHelpCommand(id);
}
