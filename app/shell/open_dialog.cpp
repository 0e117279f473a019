// Open dialogs for card files (open, delete) and the walk through a several-file result that
// they share with the image import.
#include "shell.h"
#include <string.h>

void KeepSelectionFileOffset(WORD offset) { App.Dialogs.SelectionFileOffset = offset; }

int IsSingleFileSelection(const char* buffer) {
    return App.Dialogs.SelectionFileOffset > 0 && buffer[App.Dialogs.SelectionFileOffset - 1] != 0;
}

const char* FirstSelectedFile(const char* buffer, char* folder) {
    char shortFolder[MAX_PATH];
    DWORD n = GetShortPathNameA(buffer, shortFolder, sizeof shortFolder);
    lstrcpynA(folder, n > 0 && n < sizeof shortFolder ? shortFolder : buffer, MAX_PATH - 1);
    size_t length = strlen(folder);
    if (length && folder[length - 1] != '\\') lstrcatA(folder, "\\");
    return buffer + strlen(buffer) + 1;
}

const char* NextSelectedFile(const char* name, const char* folder, char* path) {
    if (!name[0]) return NULL;
    char whole[MAX_PATH * 2];
    lstrcpynA(whole, folder, MAX_PATH);
    lstrcatA(whole, name);
    DWORD n = GetShortPathNameA(whole, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) lstrcpynA(path, whole, MAX_PATH);
    return name + strlen(name) + 1;
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
