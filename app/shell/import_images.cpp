// File > Import Card Images and dropped files: each readable image becomes a stored card.
#include "shell.h"
#include "views.h"
#include "capture.h"
#include "recognition.h"
#include "resource.h"
#include <string.h>

#define IMPORT_BUFFER_SIZE 8192
#define DROPPED_FILES_MAX  49

// The open dialog for card images, several files allowed.
int ShowImportImagesDialog(HWND owner, char* buffer) {
    char drive[MAX_PATH];
    GetCurrentDirectoryA(sizeof drive, drive);
    OPENFILENAMEA record;
    buffer[0] = 0;
    SetupFileDialog(owner, 1, &record, buffer, NULL);
    if (App.Dialogs.ImportFolder[0]) record.lpstrInitialDir = App.Dialogs.ImportFolder;
    int chosen = GetOpenFileNameA(&record) != 0;
    if (chosen) {
        KeepSelectionFileOffset(record.nFileOffset);
        RememberFilterChoice(1, &record);
        lstrcpynA(App.Dialogs.ImportFolder, buffer,
                  record.nFileOffset < sizeof App.Dialogs.ImportFolder ? record.nFileOffset
                                                                       : sizeof App.Dialogs.ImportFolder);
    }
    SetCurrentDirectoryA(drive);
    return chosen;
}

// One image added as a page and stored; 1 when it was taken.
static int ImportOneImage(char* path) {
    char chosen[MAX_PATH], shortPath[MAX_PATH];
    lstrcpynA(chosen, path, sizeof chosen);
    DWORD n = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (n > 0 && n < sizeof shortPath) lstrcpynA(path, shortPath, MAX_PATH);
    if (!AddImagePageShownAs(path, chosen)) return 0;
    RunRecognitionAction(App.MainWindow, RECOGNIZE_AND_STORE);
    return 1;
}

static int ImportChosenImages(void) {
    static char buffer[IMPORT_BUFFER_SIZE];
    if (!ShowImportImagesDialog(App.MainWindow, buffer)) return -1;
    UpdateWindow(App.MainWindow);
    int stored = 0;
    char path[MAX_PATH];
    if (IsSingleFileSelection(buffer)) {
        lstrcpynA(path, buffer, sizeof path);
        stored = ImportOneImage(path);
    } else {
        char folder[MAX_PATH];
        const char* name = FirstSelectedFile(buffer, folder);
        while ((name = NextSelectedFile(name, folder, path)) != NULL) stored |= ImportOneImage(path);
    }
    if (App.WorkEditWindow) {
        InvalidateRect(App.WorkEditWindow, NULL, TRUE);
        UpdateWindow(App.WorkEditWindow);
    }
    return stored;
}

void OnImportCardImages(int fromFile) {
    if (!CommitPendingEdits()) return;
    int stored;
    if (fromFile) {
        if (!ImportOneImage(App.PendingImportPath)) return;
        SendMessageA(App.MainWindow, WM_COMMAND, IDM_CARD_LAST, 0);
        stored = 1;
    } else {
        stored = ImportChosenImages();
        // Nothing stored: the queue of hand-overs waits for the next card that is.
        if (stored <= 0) return;
    }
    if (stored && App.CardTable && App.CardCount > 0) {
        TakeCardAt(App.CurrentCardNumber < 1 ? 1 : App.CurrentCardNumber);
        App.ImageZoom = App.CurrentImage.Zoom;
        RefreshCardViews(1);
        UpdateCommandStates(App.CommandBar, 0);
    }
    ImportQueuedFiles();
}

void OnDropFiles(HWND window, HDROP drop) {
    (void)window;
    char name[MAX_PATH];
    for (UINT i = 0; i < DROPPED_FILES_MAX && DragQueryFileA(drop, i, name, sizeof name); ++i) {
        size_t n = strlen(name);
        if (name[0] == '"' && n >= 2) {
            memmove(name, name + 1, n - 2);
            name[n - 2] = 0;
        }
        if (!IsQuietlyReadableImageFile(name)) continue;  // not an image: skipped without a message
        lstrcpynA(App.PendingImportPath, name, sizeof App.PendingImportPath);
        OnImportCardImages(1);
    }
    App.PendingImportPath[0] = 0;
    DragFinish(drop);
}
