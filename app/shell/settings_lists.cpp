// The lists that survive from one run to the next: recent image files and send-to entries.
// (The card-file list is read with the card file and written by SaveSessionSettings.)
#include "shell.h"
#include <stdio.h>
#include <string.h>

#define RECENT_ENTRY_SIZE 256
#define RECENT_GROWTH     20
#define RECENT_SAVED_MAX  10

BOOL FileExists(const char* path) {
    if (!path || !path[0]) return FALSE;
    DWORD attrs = GetFileAttributesA(path);
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

void LoadRecentFiles(void) {
    App.RecentCapacity = RECENT_GROWTH;
    App.RecentCount = 0;
    App.RecentFiles = GlobalAlloc(GHND, RECENT_GROWTH * RECENT_ENTRY_SIZE);
    int count = ReadSettingInt("OpenFile", "Count", 0);
    for (int i = 1; i <= count; ++i) {
        char key[16], path[RECENT_ENTRY_SIZE];
        snprintf(key, sizeof key, "File%d", i);
        ReadSettingText("OpenFile", key, "", path, sizeof path);
        if (path[0]) AddRecentFile(path);
    }
    LoadScanAndExportPreferences();
}

// Keeps each existing image file once, in the order it was first used.
void AddRecentFile(const char* path) {
    if (!App.RecentFiles || !FileExists(path)) return;
    char* entries = (char*)GlobalLock(App.RecentFiles);
    if (!entries) return;
    for (int i = 0; i < App.RecentCount; ++i) {
        if (lstrcmpiA(entries + i * RECENT_ENTRY_SIZE, path) == 0) {
            GlobalUnlock(App.RecentFiles);
            return;
        }
    }
    GlobalUnlock(App.RecentFiles);
    if (App.RecentCount + 1 > App.RecentCapacity) {
        HGLOBAL grown = GlobalReAlloc(App.RecentFiles, (App.RecentCapacity + RECENT_GROWTH) * RECENT_ENTRY_SIZE,
                                      GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!grown) return;
        App.RecentFiles = grown;
        App.RecentCapacity += RECENT_GROWTH;
    }
    entries = (char*)GlobalLock(App.RecentFiles);
    if (!entries) return;
    lstrcpynA(entries + App.RecentCount * RECENT_ENTRY_SIZE, path, RECENT_ENTRY_SIZE);
    App.RecentCount++;
    GlobalUnlock(App.RecentFiles);
}

// Writes the newest ten, oldest first; an empty list leaves the stored one alone.
void SaveRecentFiles(void) {
    if (!App.RecentFiles) return;
    if (App.RecentCount > 0) {
        const char* entries = (const char*)GlobalLock(App.RecentFiles);
        if (entries) {
            int saved = App.RecentCount < RECENT_SAVED_MAX ? App.RecentCount : RECENT_SAVED_MAX;
            WriteSettingInt("OpenFile", "Count", saved);
            int first = App.RecentCount - saved;
            for (int i = 0; i < saved; ++i) {
                char key[16];
                snprintf(key, sizeof key, "File%d", i + 1);
                WriteSettingText("OpenFile", key, entries + (first + i) * RECENT_ENTRY_SIZE);
            }
            GlobalUnlock(App.RecentFiles);
        }
    }
    GlobalFree(App.RecentFiles);
    App.RecentFiles = NULL;
    App.RecentCount = 0;
    App.RecentCapacity = 0;
}

// Nothing in the program adds send-to entries, so only the count is ever written.
void SaveSendToList(void) { WriteSettingInt("SendTo", "Count", App.SendToCount); }
