// Open dialogs for card files (open, delete) and the walk through a several-file result that
// they share with the image import.
#include "shell.h"
#include <string.h>

void KeepSelectionFileOffset(WORD offset) { App.Dialogs.SelectionFileOffset = offset; }

int IsSingleFileSelection(const char* buffer) {
    return App.Dialogs.SelectionFileOffset > 0 && buffer[App.Dialogs.SelectionFileOffset - 1] != 0;
}

// A folder too long to hold any file of its own gives no names at all.
const char* FirstSelectedFile(const char* buffer, char* folder) {
    char shortFolder[MAX_PATH];
    DWORD n = GetShortPathNameA(buffer, shortFolder, sizeof shortFolder);
    if (!JoinFolderAndName(folder, MAX_PATH, n > 0 && n < sizeof shortFolder ? shortFolder : buffer, "")) return "";
    return buffer + strlen(buffer) + 1;
}

// A name whose path would not fit is passed over: a cut path would name another file.
const char* NextSelectedFile(const char* name, const char* folder, char* path) {
    char whole[MAX_PATH];
    for (; name[0]; name += strlen(name) + 1) {
        if (!JoinFolderAndName(whole, sizeof whole, folder, name)) continue;
        DWORD n = GetShortPathNameA(whole, path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) lstrcpynA(path, whole, MAX_PATH);
        return name + strlen(name) + 1;
    }
    return NULL;
}

// The card-file dialog of mode 12 (open) or 13 (delete, several files). It starts in the
// per-user folder for a restricted user, remembers the folder chosen, and leaves the current
// folder as it found it.
int ShowOpenCardFileDialog(HWND owner, char* buffer, int mode) {
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    lstrcpynA(App.Dialogs.CardFileFolder, App.PerUserMode ? App.PerUserFolder : before,
              sizeof App.Dialogs.CardFileFolder);
    OPENFILENAMEA record;
    buffer[0] = 0;
    SetupFileDialog(owner, mode, &record, buffer, NULL);
    int chosen = GetOpenFileNameA(&record) != 0;
    if (chosen) {
        KeepSelectionFileOffset(record.nFileOffset);
        char folder[MAX_PATH];
        GetCurrentDirectoryA(sizeof folder, folder);
        lstrcpynA(App.Dialogs.CardFileFolder, folder, sizeof App.Dialogs.CardFileFolder);
    }
    SetCurrentDirectoryA(before);
    return chosen;
}
