// Opening, creating and closing the one card file the program works on.
#include "shell.h"
#include "capture.h"
#include "card_file_replace.h"
#include "views.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define CARD_TABLE       "NM"
#define JET_DATABASE     31
#define WESTERN_LANGUAGE 0

void GetUntitledCardFilePath(char* path, int size) {
    JoinFolderAndName(path, size, App.ProgramFolder, "Database\\Untitled.mdb");
}

// Start-up reads the card file to open and the card-file list from the settings.
static void ReadStartupCardFileSettings(char* path, int size) {
    char defaultPath[MAX_PATH];
    JoinFolderAndName(defaultPath, sizeof defaultPath, App.ProgramFolder, "DEFAULT.MDB");
    ReadSettingText("CardBase", "DataBaseName", defaultPath, path, size);
    ReadSettingText("Preference", "HelpFile", "", App.HelpFile, sizeof App.HelpFile);
    // No web site unless the settings name one: the Web-site button then stays disabled.
    ReadSettingText("Preference", "WebSite", "", App.WebSite, sizeof App.WebSite);
    App.CardFileListCount = ReadSettingInt("CardBase", "Count", 0);
    if (App.CardFileListCount > CARD_FILE_LIST_MAX) App.CardFileListCount = CARD_FILE_LIST_MAX;
    if (App.CardFileListCount < 0) App.CardFileListCount = 0;
    App.ShowTwainUI = ReadSettingInt("Preference", "ShowTWAINUI", 0);
    for (int i = 0; i < CARD_FILE_LIST_MAX; ++i) {
        char key[16];
        snprintf(key, sizeof key, "File%d", i + 1);
        ReadSettingText("CardBase", key, "", App.CardFileList[i], CARD_FILE_LIST_ENTRY);
    }
    if (IsUntitledCardFile(path)) lstrcpynA(path, defaultPath, size);
}

// Where the compacted copy is made: "TempDir\temp.mdb", a leftover of which is removed first
// so that a stale copy can never replace the card file. Without a TempDir the copy goes to a
// file of its own in the system's temporary folder: the drive's root is nobody's scratch
// space, and no file the program did not make is removed. 0 when no place can be had.
static int FormCompactionPath(char* path, int size) {
    char tempDir[MAX_PATH];
    int length = ReadFolderSetting("TempDir", tempDir, sizeof tempDir);
    if (length < 0) return 0;
    if (length > 0) {
        if (!JoinFolderAndName(path, size, tempDir, "temp.mdb")) {
            ReportUnusableFolder("TempDir", tempDir);
            return 0;
        }
        DeleteFileA(path);
        return 1;
    }
    char system[MAX_PATH];
    DWORD n = GetTempPathA(sizeof system, system);
    if (n == 0 || n >= sizeof system || size < MAX_PATH || !GetTempFileNameA(system, "zem", 0, path)) return 0;
    DeleteFileA(path);  // made just now for its unique name; the engine creates the copy itself
    return 1;
}

// Compacts the card file and puts the result in its place. The replace is one step, so a
// failure leaves the card file as it was (and the compacted copy beside it).
static void CompactCardFile(const char* path) {
    char compacted[MAX_PATH + 16];
    if (!FormCompactionPath(compacted, sizeof compacted)) return;
    if (kvCompactDatabase(0, path, compacted, WESTERN_LANGUAGE) == 1 && FileExists(compacted))
        ReplaceCardFileWithCompacted(compacted, path);
}

static void ShowCannotOpen(const char* path) {
    MessageBoxFromStringId(App.MainWindow, IDS_CANNOT_OPEN_FILE, path, MB_OK | MB_ICONSTOP);
}

// Opens the card table sorted by name and takes the card count.
static int OpenCardTable(void) {
    if (!kvTblIsExist(App.Database, CARD_TABLE)) return 0;
    if (kvTblNew(App.Database, CARD_TABLE, &App.CardTable) != 1) return 0;
    kvKeyAdd(App.CardTable, "CName");
    kvSetSortOrder(App.CardTable, 0);
    App.SortMode = 1;
    kvTblOpen(App.CardTable);
    App.RowsUnsorted = 0;
    App.CardCount = kvTblNRecs(App.CardTable);
    if (App.CardCount < 0) App.CardCount = 0;
    return 1;
}

static void ReadFirstCard(void) {
    App.CurrentCardNumber = 0;
    App.CurrentCardId = 0;
    memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
    if (App.CardCount <= 0) return;
    kvRecFirst(App.CardTable);
    TakeCardAtPosition();
    SetCurrentCardImage(CardImagePath(&App.CurrentCard));
}

int OpenCardFile(const char* path, int compact) {
    App.CardFileUsable = 1;
    App.CardCount = 0;
    if (path) lstrcpynA(App.CardFilePath, path, sizeof App.CardFilePath);
    else ReadStartupCardFileSettings(App.CardFilePath, sizeof App.CardFilePath);
    if (!FileExists(App.CardFilePath)) {
        App.CardFileUsable = 0;
    } else {
        if (compact) CompactCardFile(App.CardFilePath);
        if (kvOpenDatabase(JET_DATABASE, App.CardFilePath, &App.Database) != 1) {
            ShowCannotOpen(App.CardFilePath);
            App.CardFileUsable = 0;
        } else if (!OpenCardTable()) {
            ShowCannotOpen(App.CardFilePath);
            App.CardFileUsable = 0;
        }
    }
    if (App.CardFileUsable) {
        ReadFirstCard();
    } else {
        // A failed open hands back a handle all the same; nothing of it may stay open.
        CloseCardFile();
        App.CardCount = 0;
        App.CurrentCardNumber = 0;
        App.CurrentCardId = 0;
    }
    return App.CardFileUsable;
}

// The program's last resort: a new, empty, hidden card file in the Database folder.
void CreateUntitledCardFile(void) {
    char folder[MAX_PATH];
    if (JoinFolderAndName(folder, sizeof folder, App.ProgramFolder, "Database")) CreateDirectoryA(folder, NULL);
    GetUntitledCardFilePath(App.CardFilePath, sizeof App.CardFilePath);
    SetFileAttributesA(App.CardFilePath, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(App.CardFilePath);
    kvCreateDatabase(JET_DATABASE, App.CardFilePath, WESTERN_LANGUAGE, &App.Database);
    kvTblCreate(App.Database, CARD_TABLE);
    kvTblNew(App.Database, CARD_TABLE, &App.CardTable);
    kvKeyAdd(App.CardTable, "CName");
    kvSetSortOrder(App.CardTable, 0);
    App.SortMode = 1;
    kvTblOpen(App.CardTable);
    App.RowsUnsorted = 0;
    App.CurrentCardNumber = 0;
    App.CurrentCardId = 0;
    App.CardCount = 0;
    memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
    // Without a writable Database folder nothing may claim a card file is open, and the
    // user learns which file could not be made.
    App.CardFileUsable = App.CardTable && kvTblIsOpen(App.CardTable);
    if (!App.CardFileUsable) ShowCannotOpen(App.CardFilePath);
    SetFileAttributesA(App.CardFilePath, FILE_ATTRIBUTE_HIDDEN);
}

void CloseCardFile(void) {
    if (!App.Database) return;
    if (App.CardTable) {
        kvTblClose(App.CardTable);
        kvTblFree(App.CardTable);
        App.CardTable = NULL;
    }
    kvCloseDatabase(App.Database);
    App.Database = NULL;
}
