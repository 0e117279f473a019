// What the File commands, closing and the import paths share around the open card file:
// the untitled file's question on close, Save As, deleting a card file's image files, the
// restricted user's access tests and the refresh of the views.
#include "shell.h"
#include "views.h"
#include "resource.h"
#include "ferrow.h"
#include <stdio.h>
#include <string.h>

#define CARD_TABLE   "NM"
#define JET_DATABASE 31

void GetUntitledCardFilePath(char* path, int size);

int IsUntitledCardFile(const char* path) {
    char untitled[MAX_PATH + 32];
    GetUntitledCardFilePath(untitled, sizeof untitled);
    return path && lstrcmpiA(path, untitled) == 0;
}

int DeleteFileIfExists(const char* path) {
    if (!FileExists(path)) return 0;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path) ? 1 : 0;
}

// The file path a long column holds: in memory (Size bytes, not always terminated) or, for a
// long value, in the engine's temporary file, which is read and then deleted.
void ReadBlobPath(const CardRecBlob* blob, char* path, int size) {
    path[0] = 0;
    if (blob->Storage == 1 && blob->Data && blob->Size > 0) {
        int n = blob->Size < size - 1 ? blob->Size : size - 1;
        memcpy(path, blob->Data, n);
        path[n] = 0;
    } else if (blob->Storage == 2 && blob->FileName[0]) {
        HANDLE file = CreateFileA(blob->FileName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        DWORD n = 0;
        if (file != INVALID_HANDLE_VALUE) {
            ReadFile(file, path, size - 1, &n, NULL);
            CloseHandle(file);
        }
        path[n] = 0;
        DeleteFileA(blob->FileName);
    }
}

static void DeleteBlobFile(const CardRecBlob* blob) {
    char path[MAX_PATH];
    ReadBlobPath(blob, path, sizeof path);
    if (path[0]) DeleteFileIfExists(path);
}

// Opens a card file of its own (not the program's open one) and its card table.
static int OpenOtherCardFile(const char* path, HKVDB* database, HKVTBL* table) {
    *database = NULL;
    *table = NULL;
    if (!FileExists(path)) return 0;
    if (kvOpenDatabase(JET_DATABASE, path, database) != 1) {
        kvCloseDatabase(*database);
        *database = NULL;
        return 0;
    }
    if (!kvTblIsExist(*database, CARD_TABLE) || kvTblNew(*database, CARD_TABLE, table) != 1) {
        kvCloseDatabase(*database);
        *database = NULL;
        *table = NULL;
        return -1;
    }
    return 1;
}

static void CloseOtherCardFile(HKVDB database, HKVTBL table) {
    if (table) {
        kvTblClose(table);
        kvTblFree(table);
    }
    kvCloseDatabase(database);
}

int DeleteCardImageFiles(const char* path) {
    HKVDB database;
    HKVTBL table;
    int opened = OpenOtherCardFile(path, &database, &table);
    if (opened <= 0) return 0;
    kvTblOpen(table);
    int count = kvTblNRecs(table);
    if (count > 0) kvRecFirst(table);
    for (int i = 0; i < count; ++i) {
        static CardRec card;
        memset(&card, 0, sizeof card);
        if (kvCardRecGet(table, &card, 1)) {
            DeleteBlobFile(&card.SecondText);
            DeleteBlobFile(&card.CImage);
        }
        kvRecNext(table);
    }
    CloseOtherCardFile(database, table);
    return 1;
}

// The number of cards in a card file, or -1 when it cannot be opened.
static int CountCardsInFile(const char* path) {
    HKVDB database;
    HKVTBL table;
    if (OpenOtherCardFile(path, &database, &table) <= 0) return -1;
    int count = kvTblOpen(table) ? kvTblNRecs(table) : -1;
    CloseOtherCardFile(database, table);
    return count;
}

// Moves a card file that is to be replaced aside, under a free name beside it. 1 with the
// name (empty when there was no file), 0 when it cannot move: another program holds it or its
// folder takes no files. Nothing of it is deleted before the copy has taken its place.
static int MoveReplacedCardFileAside(const char* target, char* aside) {
    aside[0] = 0;
    if (!FileExists(target)) return 1;
    char folder[MAX_PATH];
    lstrcpynA(folder, target, sizeof folder);
    char* slash = strrchr(folder, '\\');
    if (slash) slash[1] = 0;
    else lstrcpyA(folder, ".\\");
    if (!GetTempFileNameA(folder, "zem", 0, aside)) return 0;
    if (MoveFileExA(target, aside, MOVEFILE_REPLACE_EXISTING)) return 1;
    DeleteFileA(aside);
    aside[0] = 0;
    return 0;
}

static void DeleteCardFileAndImages(const char* path) {
    DeleteCardImageFiles(path);
    DeleteFileIfExists(path);
}

// 1 when every card reached the target. A target that cannot be replaced is left whole, and
// one that was replaced by a failed copy comes back.
int SaveCardFileAs(const char* source, const char* target) {
    if (lstrcmpiA(source, target) == 0) return 0;
    char aside[MAX_PATH];
    if (!MoveReplacedCardFileAside(target, aside)) return 0;
    int copied = DuplicateDBFile(source, target, 0) == FERROW_TRANSFER_DONE;
    if (!aside[0]) return copied;
    if (copied) {
        DeleteCardFileAndImages(aside);
    } else {
        // The partial copy's cards may name the source's own image files: only the file goes.
        DeleteFileIfExists(target);
        MoveFileExA(aside, target, MOVEFILE_REPLACE_EXISTING);
    }
    return copied;
}

int TestWriteAccess(const char* path) {
    char folder[MAX_PATH];
    lstrcpynA(folder, path, sizeof folder);
    char* dot = strrchr(folder, '.');
    char* slash = strrchr(folder, '\\');
    if (dot && (!slash || dot > slash)) *dot = 0;
    if (!CreateDirectoryA(folder, NULL)) return 0;
    RemoveDirectoryA(folder);
    return 1;
}

// Tested on the first card's image folder; a card file without cards keeps no image in the
// program folder, and the open card file's current card is left alone.
int CardImagesInProgramFolder(const char* path) {
    char program[MAX_PATH];
    GetModuleFileNameA(App.Instance, program, sizeof program);
    char* slash = strrchr(program, '\\');
    if (slash) *slash = 0;
    HKVDB database;
    HKVTBL table;
    if (OpenOtherCardFile(path, &database, &table) <= 0) return 0;
    kvKeyAdd(table, "CName");
    kvSetSortOrder(table, 0);
    kvTblOpen(table);
    char imageFolder[MAX_PATH] = "";
    if (kvTblNRecs(table) > 0 && kvRecFirst(table)) {
        static CardRec card;
        memset(&card, 0, sizeof card);
        if (kvCardRecGet(table, &card, 1)) {
            ReadBlobPath(&card.CImage, imageFolder, sizeof imageFolder);
            char* last = strrchr(imageFolder, '\\');
            if (last) *last = 0;
        }
    }
    CloseOtherCardFile(database, table);
    return imageFolder[0] && strstr(imageFolder, program) != NULL;
}

// Asks for a path to keep the untitled cards under, until the user gives a usable one or
// cancels. 1 with the path, 0 when cancelled.
static int AskPathForUntitledCards(char* path) {
    for (;;) {
        if (!ShowSaveFileDialog(App.MainWindow, path, 11)) return 0;
        if (!App.PerUserMode || TestWriteAccess(path)) return 1;
        char text[200];
        LoadStringA(App.Instance, IDS_NO_PERMISSION, text, sizeof text);
        MessageBoxA(App.MainWindow, text, NULL, MB_OK);
    }
}

// Yes: the untitled cards move to a file the user names. The untitled file and its image
// files go only once the copy opens with every card; otherwise nothing is deleted, the
// untitled file is opened again and closing stops.
static int KeepUntitledCards(const char* untitled) {
    char target[MAX_PATH];
    if (!AskPathForUntitledCards(target)) return 0;
    int count = App.CardCount;
    CloseCardFile();
    // The copy must report every card stored as well as hold the count: a file that could not
    // be replaced may hold as many cards of its own.
    if (!SaveCardFileAs(untitled, target) || CountCardsInFile(target) != count) {
        MessageBoxFromStringId(App.MainWindow, IDS_CANNOT_OPEN_FILE, target, MB_OK | MB_ICONSTOP);
        OpenCardFile(untitled, 0);
        return 0;
    }
    DeleteCardFileAndImages(untitled);
    lstrcpynA(App.CardFilePath, target, sizeof App.CardFilePath);
    return 1;
}

int QueryCloseCardFile(void) {
    if (!App.Database) return 1;
    int untitled = IsUntitledCardFile(App.CardFilePath);
    if (App.CardCount <= 0) {
        if (untitled) {
            CloseCardFile();
            DeleteFileIfExists(App.CardFilePath);
        }
        return 1;
    }
    if (!untitled) return 1;
    char path[MAX_PATH];
    lstrcpynA(path, App.CardFilePath, sizeof path);
    int answer = MessageBoxFromStringId(App.MainWindow, IDS_SAVE_NEW_CARDS, NULL, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return 0;
    if (answer == IDYES) return KeepUntitledCards(path);
    CloseCardFile();
    DeleteCardFileAndImages(path);
    return 1;
}

// Brings every pane of the current view mode up to date with the open card file and the
// current card.
void RefreshCardViews(int fullRefresh) {
    if (App.CardTable) RefreshViewPanes(fullRefresh);
    if (App.MainWindow) InvalidateRect(App.MainWindow, NULL, FALSE);
}
