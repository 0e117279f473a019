// Open and save dialogs: one set-up routine fills the record by dialog mode.
#include "shell.h"
#include "resource.h"
#include <string.h>

#define FILTER_SIZE ((int)sizeof App.Dialogs.Filter)

// A filter string ends with its separator; every occurrence becomes a terminating zero.
int LoadFilterString(UINT id, char* buffer) {
    int n = LoadStringA(App.Instance, id, buffer, FILTER_SIZE - 1);
    if (n <= 0) {
        buffer[0] = 0;
        return 0;
    }
    char separator = buffer[n - 1];
    for (int i = 0; i < n; ++i)
        if (buffer[i] == separator) buffer[i] = 0;
    buffer[n] = 0;
    return 1;
}

void GetFilterExtension(int index, const char* filters, char* out, int whole) {
    const char* piece = filters;
    for (int i = 0; i < 2 * index + 1 && *piece; ++i) piece += strlen(piece) + 1;
    out[0] = 0;
    if (whole) {
        strcpy(out, piece);
    } else if (strlen(piece) < 5 && strlen(piece) >= 3 && piece[2] != '*') {
        strcpy(out, piece + 2);
    }
}

typedef struct DIALOGMODE {
    int Mode;
    UINT Filter;
    UINT Title;
    DWORD Flags;
    int* RememberedChoice;  // null: filter item 1
    const char* Extension;  // null: from the filter item
    int CardFileFolder;
} DIALOGMODE;

#define SAVE_FLAGS (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOTESTFILECREATE)
#define OPEN_FLAGS (OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)

static const DIALOGMODE kModes[] = {
    {1, IDS_FILTER_IMAGES_OPEN, IDS_TITLE_OPEN_IMAGES,
     OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
     &App.Dialogs.OpenImageChoice, NULL, 0},
    {5, IDS_FILTER_IMAGES_SAVE, IDS_TITLE_SAVE_IMAGES, SAVE_FLAGS, &App.Dialogs.SaveImageChoice, NULL, 0},
    {6, IDS_FILTER_EXPORT, IDS_TITLE_EXPORT, SAVE_FLAGS, &App.Dialogs.ExportChoice, NULL, 0},
    {7, IDS_FILTER_TEMPLATE, IDS_TITLE_SAVE_TEMPLATE, SAVE_FLAGS, NULL, "TPL", 0},
    {8, IDS_FILTER_TEMPLATE, IDS_TITLE_OPEN_TEMPLATE, OPEN_FLAGS, NULL, "TPL", 0},
    {9, IDS_FILTER_CARDFILE, IDS_TITLE_OPEN_CARDFILE_OLD, OPEN_FLAGS, NULL, "MDB", 1},
    {11, IDS_FILTER_CARDFILE, IDS_TITLE_SAVE_CARDFILE, SAVE_FLAGS, NULL, "MDB", 1},
    {12, IDS_FILTER_CARDFILE, IDS_TITLE_OPEN_CARDFILE, OPEN_FLAGS, NULL, "MDB", 1},
    {13, IDS_FILTER_CARDFILE, IDS_TITLE_DELETE_CARDFILE, OPEN_FLAGS | OFN_EXPLORER | OFN_ALLOWMULTISELECT, NULL, "MDB",
     1},
    {14, IDS_FILTER_EXPORT, IDS_TITLE_EXPORT_CARDFILE, SAVE_FLAGS, &App.Dialogs.ExportChoice, NULL, 0},
};

static const DIALOGMODE* FindMode(int mode) {
    for (const DIALOGMODE& m : kModes)
        if (m.Mode == mode) return &m;
    return NULL;
}

void SetupFileDialog(HWND owner, int mode, OPENFILENAMEA* record, char* fileName, LPOFNHOOKPROC hook) {
    const DIALOGMODE* m = FindMode(mode);
    if (!m) return;
    if (!App.Dialogs.ImageFolder[0])
        lstrcpynA(App.Dialogs.ImageFolder, App.ProgramFolderShort, sizeof App.Dialogs.ImageFolder);
    memset(record, 0, sizeof *record);
    record->lStructSize = 76;
    record->hwndOwner = mode == 1 ? owner : App.MainWindow;
    LoadFilterString(m->Filter, App.Dialogs.Filter);
    LoadStringA(App.Instance, m->Title, App.Dialogs.Title, sizeof App.Dialogs.Title);
    record->lpstrFilter = App.Dialogs.Filter;
    record->lpstrFile = fileName;
    record->nMaxFile = mode == 1 || mode == 13 ? 8192 : 256;
    record->lpstrTitle = App.Dialogs.Title;
    record->Flags = m->Flags;
    record->lpstrInitialDir = m->CardFileFolder ? App.Dialogs.CardFileFolder : App.Dialogs.ImageFolder;
    int choice = m->RememberedChoice ? *m->RememberedChoice : 0;
    record->nFilterIndex = choice + 1;
    if (m->Extension) {
        lstrcpyA(App.Dialogs.DefaultExtension, m->Extension);
        record->lpstrDefExt = App.Dialogs.DefaultExtension;
    } else if (mode != 1 || choice != 0) {
        GetFilterExtension(choice, App.Dialogs.Filter, App.Dialogs.DefaultExtension, 0);
        record->lpstrDefExt = App.Dialogs.DefaultExtension[0] ? App.Dialogs.DefaultExtension : NULL;
    }
    // Without a hook procedure the hook flag would make the dialog fail.
    if (mode == 1 && hook) {
        record->Flags |= OFN_ENABLEHOOK;
        record->lpfnHook = hook;
    }
}

// The next dialog of a mode with a remembered choice starts on the file type chosen now.
void RememberFilterChoice(int mode, const OPENFILENAMEA* record) {
    const DIALOGMODE* m = FindMode(mode);
    if (m && m->RememberedChoice && record->nFilterIndex >= 1) *m->RememberedChoice = (int)record->nFilterIndex - 1;
}

// The save dialog of the given mode, on an empty file name; remembers the folder and, for
// card files and exports, the chosen type. Returns 1 when the user chose a path.
int ShowSaveFileDialog(HWND owner, char* path, int mode) {
    path[0] = 0;
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    if (mode == 11 && !App.Dialogs.CardFileFolder[0])
        lstrcpynA(App.Dialogs.CardFileFolder, App.PerUserMode ? App.PerUserFolder : before,
                  sizeof App.Dialogs.CardFileFolder);
    OPENFILENAMEA record;
    SetupFileDialog(owner, mode, &record, path, NULL);
    int chosen = GetSaveFileNameA(&record) ? 1 : 0;
    if (chosen) {
        char folder[MAX_PATH];
        GetCurrentDirectoryA(sizeof folder, folder);
        if (FindMode(mode) && FindMode(mode)->CardFileFolder)
            lstrcpynA(App.Dialogs.CardFileFolder, folder, sizeof App.Dialogs.CardFileFolder);
        else lstrcpynA(App.Dialogs.ImageFolder, folder, sizeof App.Dialogs.ImageFolder);
        if (mode == 6 || mode == 11 || mode == 14) App.Dialogs.ExportFileType = (int)record.nFilterIndex - 1;
        RememberFilterChoice(mode, &record);
    }
    SetCurrentDirectoryA(before);
    // A hung top-level window must not hang the program with it.
    if (chosen) SendMessageTimeoutA(HWND_BROADCAST, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG, 1000, NULL);
    return chosen;
}
