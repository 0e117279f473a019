// What the first instance accepts of a hand-over message, and the queue of files handed over:
// every image named becomes a card through the recognize-and-store action.
#include "shell.h"
#include "capture.h"
#include "handover.h"
#include "views.h"
#include "recognition.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define LIST_APPLICATION_NAME "Nimbra"

// The clipboard text in the hand-over format, copied to the heap, or null. The text comes
// from another process: it is read no further than the clipboard block reaches.
static char* CopyClipboardText(HWND window, UINT format, int* opened) {
    *opened = OpenClipboard(window) != 0;
    if (!*opened) return NULL;
    char* copy = NULL;
    HANDLE data = GetClipboardData(format);
    const char* text = data ? (const char*)GlobalLock(data) : NULL;
    if (text) {
        SIZE_T limit = GlobalSize(data);
        SIZE_T n = 0;
        while (n < limit && text[n]) ++n;
        copy = (char*)HeapAlloc(GetProcessHeap(), 0, n + 1);
        if (copy) {
            memcpy(copy, text, n);
            copy[n] = 0;
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return copy;
}

int IsOwnListFile(const char* path) {
    char name[256];
    GetPrivateProfileStringA("Application", "Name", "", name, sizeof name, path);
    return strcmp(name, LIST_APPLICATION_NAME) == 0;
}

int GetListFileCount(const char* path) { return (int)GetPrivateProfileIntA("Files", "Count", 0, path); }

int GetListFileEntry(const char* path, char* name, int i) {
    char key[24];
    snprintf(key, sizeof key, "File%d", i);
    GetPrivateProfileStringA("Files", key, "", name, 256, path);
    return name[0] != 0;
}

int ParseListFileSwitch(const char* text, char* listName) {
    if (text[0] != '/' || (text[1] != 'F' && text[1] != 'f') || text[2] != ' ') return 0;
    const char* p = text + 3;
    while (*p >= 1 && *p <= 32) ++p;
    if (!FileExists(p) || !IsOwnListFile(p)) return 0;
    lstrcpynA(listName, p, MAX_PATH);
    return 1;
}

// The header's palette is not needed by the callers, who only ask whether the file reads.
static int TakeHeaderAnswer(int read, ImageInfo* info) {
    if (read && info->Palette) DeleteObject(info->Palette);
    return read;
}

int IsReadableImageFile(const char* path) {
    ImageInfo info;
    memset(&info, 0, sizeof info);
    return TakeHeaderAnswer(ReadImageFileHeader(path, &info), &info);
}

int IsQuietlyReadableImageFile(const char* path) {
    ImageInfo info;
    memset(&info, 0, sizeof info);
    return TakeHeaderAnswer(ReadImageFileHeaderQuietly(path, &info), &info);
}

// Adds the named image as a card image page and stores it as a card; 1 when it was taken.
int ImportImageFile(char* path) {
    if (!FileExists(path) || !AddImagePage(path)) return 0;
    RunRecognitionAction(App.MainWindow, RECOGNIZE_AND_STORE);
    return 1;
}

// A name handed over by another program or a second start: one that is missing or that no
// image module reads is skipped without a message, since nobody asked this program for it.
static int ImportHandedOverFile(char* path) {
    return FileExists(path) && IsQuietlyReadableImageFile(path) && ImportImageFile(path);
}

// The views show the card file again after cards were stored.
void RefreshAfterImport(void) {
    if (App.WorkEditWindow) {
        InvalidateRect(App.WorkEditWindow, NULL, TRUE);
        UpdateWindow(App.WorkEditWindow);
    }
    if (App.CardTable && App.CardCount > 0) TakeCardAt(App.CurrentCardNumber > 0 ? App.CurrentCardNumber : 1);
    RefreshCardViews(1);
    UpdateCommandStates(App.CommandBar, 0);
}

static void ImportListFile(const char* listName) {
    int n = GetListFileCount(listName);
    for (int i = 0; i < n; ++i) {
        char name[MAX_PATH];
        if (GetListFileEntry(listName, name, i)) ImportHandedOverFile(name);
    }
    if (n > 0) RefreshAfterImport();
}

static void ImportNameList(const char* text) {
    char* names = CopyInShortForm(text);
    if (!names) {
        MessageBoxFromStringId(App.MainWindow, IDS_NO_MEMORY, NULL, MB_OK | MB_ICONSTOP);
        return;
    }
    int stored = 0;
    const char* rest = names;
    char separator = FileNameSeparator(names);
    while (*rest) {
        rest = SplitNextFileName(rest, separator, App.PendingImportPath, sizeof App.PendingImportPath);
        if (App.PendingImportPath[0]) stored |= ImportHandedOverFile(App.PendingImportPath);
    }
    HeapFree(GetProcessHeap(), 0, names);
    if (stored) RefreshAfterImport();
}

// wParam 0 is the program's own command line, sent to itself: any other address (from
// another process, or forged) is refused, since it would be read as a string.
LRESULT OnHandOverFiles(HWND window, WPARAM wParam, LPARAM lParam) {
    SetForegroundWindow(window);
    BringWindowToTop(window);
    SetActiveWindow(window);
    if (wParam == HANDOVER_OWN_COMMAND_LINE && (const char*)lParam != App.CommandLine) return 0;
    char* text = NULL;
    if (wParam == HANDOVER_CLIPBOARD) {
        int opened = 0;
        text = CopyClipboardText(window, (UINT)lParam, &opened);
        if (opened && !text) return 0;  // nothing in the format: not even the queue
    } else if (wParam == HANDOVER_OWN_COMMAND_LINE) {
        size_t n = strlen(App.CommandLine) + 1;
        text = (char*)HeapAlloc(GetProcessHeap(), 0, n);
        if (text) memcpy(text, App.CommandLine, n);
    }
    if (text) {
        char listName[MAX_PATH];
        lstrcpynA(App.PendingImportPath, text, sizeof App.PendingImportPath);
        if (ParseListFileSwitch(text, listName)) ImportListFile(listName);
        else ImportNameList(text);
        App.PendingImportPath[0] = 0;
        HeapFree(GetProcessHeap(), 0, text);
    }
    ImportQueuedFiles();
    return 0;
}

// Moves the current queue into BatchTemp.ini and resets it, holding the sender's mutex, so
// that names a second start appends meanwhile wait for the next pass. 0 when the mutex could
// not be had (the queue stays for a later call). When the copy or the reset cannot be written
// (a read-only list or folder) the queue is left whole and reported, and nothing is imported:
// a queue that cannot be emptied would be imported again at every pass.
static int TakeBatchList(const char* batch, const char* temp, int* count) {
    HANDLE mutex = TakeBatchListMutex();
    if (!mutex) return 0;
    *count = GetListFileCount(batch);
    int taken = 1;
    if (*count > 0) {
        taken = CopyFileA(batch, temp, FALSE) && WritePrivateProfileStringA("Files", "Count", "0", batch) &&
                GetListFileCount(batch) == 0;
    }
    ReleaseBatchListMutex(mutex);
    if (!taken) MessageBoxFormat(App.MainWindow, MB_OK | MB_ICONEXCLAMATION, IDS_QUEUE_NOT_WRITABLE, batch);
    return taken;
}

void ImportQueuedFiles(void) {
    char batch[MAX_PATH], temp[MAX_PATH];
    if (!GetBatchListPath(batch, sizeof batch) ||
        !JoinFolderSettingAndName("ImageDir", "BatchTemp.ini", temp, sizeof temp))
        return;
    int stored = 0, n = 0;
    while (TakeBatchList(batch, temp, &n) && n > 0) {
        for (int i = 0; i < n; ++i) {
            char key[24], name[MAX_PATH];
            snprintf(key, sizeof key, "File%d", i);
            GetPrivateProfileStringA("Files", key, "*", name, 256, temp);  // AddImagePage writes a whole path back
            if (!name[0] || name[0] == '*') continue;
            stored |= ImportHandedOverFile(name);
            WritePrivateProfileStringA("Files", key, "*", temp);
        }
        if (stored) RefreshAfterImport();
    }
}
