// The File menu: new, open, delete and save-as of card files, the recent card files, the web
// site and Exit. The links, import, preferences and scanner codes have files of their own.
#include "shell.h"
#include "views.h"
#include "scanning.h"
#include "capture.h"
#include "resource.h"
#include "export.h"
#include <string.h>

#define OPEN_BUFFER_SIZE 8192

// Two spellings of one file (long and short names, relative parts) count as the same file.
int IsSameFile(const char* a, const char* b) {
    char fullA[MAX_PATH], fullB[MAX_PATH], shortA[MAX_PATH], shortB[MAX_PATH];
    if (!GetFullPathNameA(a, sizeof fullA, fullA, NULL)) lstrcpynA(fullA, a, sizeof fullA);
    if (!GetFullPathNameA(b, sizeof fullB, fullB, NULL)) lstrcpynA(fullB, b, sizeof fullB);
    if (!GetShortPathNameA(fullA, shortA, sizeof shortA)) lstrcpynA(shortA, fullA, sizeof shortA);
    if (!GetShortPathNameA(fullB, shortB, sizeof shortB)) lstrcpynA(shortB, fullB, sizeof shortB);
    return lstrcmpiA(shortA, shortB) == 0;
}

static void ClearCurrentCard(void) {
    ForgetCurrentCardInTable();
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
}

// After another card file was opened or made: the Card Deck shows it from the start.
static void ShowOtherCardFile(void) {
    if (App.ViewMode == VIEW_CARD_DECK) {
        RefreshCardViews(1);
    } else {
        SetViewMode(VIEW_CARD_DECK);
        RefreshCardViews(0);
    }
    UpdateCommandStates(App.CommandBar, 0);
    RepaintIndexTabs();
}

// The untitled card file is where the program always has something open.
static void FallBackToUntitled(void) {
    CloseCardFile();
    CreateUntitledCardFile();
    ClearCurrentCard();
    SetMainWindowTitle(App.CardFilePath);
}

static void OnNewCardFile(void) {
    if (!QueryCloseCardFile()) return;
    FallBackToUntitled();
    ShowOtherCardFile();
}

// A restricted user may only take card files he can write and whose images are his own.
static int MayUseCardFile(const char* path, int testImages) {
    if (!App.PerUserMode) return 1;
    if (TestWriteAccess(path) && !(testImages && CardImagesInProgramFolder(path))) return 1;
    char text[200];
    LoadStringA(App.Instance, IDS_NO_PERMISSION, text, sizeof text);
    MessageBoxA(App.MainWindow, text, NULL, MB_OK);
    return 0;
}

static void PushCardFileList(const char* chosen) {
    for (int i = CARD_FILE_LIST_MAX - 1; i > 0; --i)
        lstrcpynA(App.CardFileList[i], App.CardFileList[i - 1], CARD_FILE_LIST_ENTRY);
    if (App.CardFileListCount < CARD_FILE_LIST_MAX) App.CardFileListCount++;
    lstrcpynA(App.CardFileList[1], App.CardFilePath, CARD_FILE_LIST_ENTRY);
    lstrcpynA(App.CardFileList[0], chosen, CARD_FILE_LIST_ENTRY);
}

static void DropFirstCardFileEntry(void) {
    for (int i = 0; i < CARD_FILE_LIST_MAX - 1; ++i)
        lstrcpynA(App.CardFileList[i], App.CardFileList[i + 1], CARD_FILE_LIST_ENTRY);
    App.CardFileList[CARD_FILE_LIST_MAX - 1][0] = 0;
    if (App.CardFileListCount > 0) App.CardFileListCount--;
}

// Opens the path as the program's card file; when it cannot be opened the program keeps the
// untitled card file instead of none.
static int OpenCardFileOrUntitled(const char* path) {
    SetMainWindowTitle(path);
    if (OpenCardFile(path, 1)) return 1;
    FallBackToUntitled();
    return 0;
}

// Cancel: only a card file that closing really closed (an empty untitled one, or untitled
// cards kept under a new name) is opened again.
static void AfterOpenCancelled(void) {
    if (!App.Database) {
        if (!OpenCardFile(App.CardFilePath, 0)) {
            FallBackToUntitled();
            ShowOtherCardFile();
            return;
        }
    }
    SetMainWindowTitle(App.CardFilePath);
    RefreshCardViews(1);
    UpdateCommandStates(App.CommandBar, 0);
}

static void OnOpenCardFile(void) {
    if (!QueryCloseCardFile()) return;
    char* buffer = (char*)calloc(OPEN_BUFFER_SIZE, 1);
    if (!buffer) return;
    int chosen;
    while ((chosen = ShowOpenCardFileDialog(App.MainWindow, buffer, 12)) && !MayUseCardFile(buffer, 1)) {}
    if (!chosen) {
        free(buffer);
        AfterOpenCancelled();
        return;
    }
    CloseCardFile();
    PushCardFileList(buffer);
    lstrcpynA(App.CardFilePath, buffer, sizeof App.CardFilePath);
    SetMainWindowTitle(App.CardFilePath);
    if (!OpenCardFile(App.CardFilePath, 1)) {
        DropFirstCardFileEntry();
        OpenCardFileOrUntitled(App.CardFileList[0]);
    }
    free(buffer);
    ShowOtherCardFile();
}

static int MayUseEveryChosenFile(const char* buffer) {
    if (IsSingleFileSelection(buffer)) return MayUseCardFile(buffer, 1);
    char folder[MAX_PATH], path[MAX_PATH];
    const char* name = FirstSelectedFile(buffer, folder);
    while ((name = NextSelectedFile(name, folder, path)) != NULL)
        if (!MayUseCardFile(path, 1)) return 0;
    return 1;
}

static void DeleteOneCardFile(const char* path) {
    if (IsSameFile(path, App.CardFilePath)) {
        MessageBoxFromStringId(App.MainWindow, IDS_CANNOT_DELETE_CURRENT, NULL, MB_OK | MB_ICONSTOP);
        return;
    }
    DeleteCardImageFiles(path);
    DeleteFileIfExists(path);
}

static void OnDeleteCardFiles(void) {
    char* buffer = (char*)calloc(OPEN_BUFFER_SIZE, 1);
    if (!buffer) return;
    int chosen;
    while ((chosen = ShowOpenCardFileDialog(App.MainWindow, buffer, 13)) && !MayUseEveryChosenFile(buffer)) {}
    if (chosen &&
        MessageBoxFromStringId(App.MainWindow, IDS_CONFIRM_DELETE_FILE, NULL, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        if (IsSingleFileSelection(buffer)) {
            DeleteOneCardFile(buffer);
        } else {
            char folder[MAX_PATH], path[MAX_PATH];
            const char* name = FirstSelectedFile(buffer, folder);
            while ((name = NextSelectedFile(name, folder, path)) != NULL) DeleteOneCardFile(path);
        }
    }
    free(buffer);
}

// The untitled card file goes only once its copy opened with every card; a copy that failed
// leaves the program on the file it had.
static void OnSaveCardFileAs(void) {
    char path[MAX_PATH];
    int chosen;
    while ((chosen = ShowSaveFileDialog(App.MainWindow, path, 11)) && !MayUseCardFile(path, 0)) {}
    if (!chosen || IsSameFile(path, App.CardFilePath)) return;
    char previous[MAX_PATH];
    lstrcpynA(previous, App.CardFilePath, sizeof previous);
    int count = App.CardCount;
    CloseCardFile();
    SaveCardFileAs(previous, path);
    if (!OpenCardFile(path, 1) || App.CardCount != count) {
        CloseCardFile();
        MessageBoxFromStringId(App.MainWindow, IDS_CANNOT_OPEN_FILE, path, MB_OK | MB_ICONSTOP);
        OpenCardFileOrUntitled(previous);
        ShowOtherCardFile();
        return;
    }
    if (IsUntitledCardFile(previous)) {
        DeleteCardImageFiles(previous);
        DeleteFileIfExists(previous);
    }
    SetMainWindowTitle(App.CardFilePath);
    RefreshCardViews(1);
}

static void OnRecentCardFile(int index) {
    if (index >= App.CardFileListCount || !App.CardFileList[index][0]) return;
    if (IsSameFile(App.CardFileList[index], App.CardFilePath)) return;
    if (!FileExists(App.CardFileList[index])) {
        MessageBoxFromStringId(App.MainWindow, IDS_FILE_NOT_FOUND, App.CardFileList[index], MB_OK | MB_ICONSTOP);
        return;
    }
    if (!QueryCloseCardFile()) return;
    CloseCardFile();
    char chosen[CARD_FILE_LIST_ENTRY];
    lstrcpynA(chosen, App.CardFileList[index], sizeof chosen);
    for (int i = index; i > 0; --i) lstrcpynA(App.CardFileList[i], App.CardFileList[i - 1], CARD_FILE_LIST_ENTRY);
    lstrcpynA(App.CardFileList[0], chosen, CARD_FILE_LIST_ENTRY);
    lstrcpynA(App.CardFilePath, chosen, sizeof App.CardFilePath);
    OpenCardFileOrUntitled(App.CardFilePath);
    RefreshCardViews(1);
    UpdateCommandStates(App.CommandBar, 0);
    RepaintIndexTabs();
}

// Commands that leave the card shown take what the Card Editor's form holds first (Export and
// Print see to it themselves).
static int SavesEditorFirst(int id) {
    return id == IDM_FILE_NEW || id == IDM_FILE_OPEN || (id >= IDM_FILE_SAVEAS && id <= IDM_LINK_ACT) ||
           id == IDM_FILE_PAGESETUP || id == IDM_FILE_EXIT || (id >= IDM_RECENT_FIRST && id <= IDM_RECENT_LAST) ||
           id == IDM_SCANNER_SCAN || id == IDM_SCANNER_SELECT;
}

void OnFileCommand(int id, int fromFile) {
    if (SavesEditorFirst(id) && !CommitPendingEdits()) return;
    if (App.ViewMode == VIEW_CARD_EDITOR && SavesEditorFirst(id)) RefreshCardViews(1);
    switch (id) {
    case IDM_FILE_NEW: OnNewCardFile(); break;
    case IDM_FILE_OPEN: OnOpenCardFile(); break;
    case IDM_FILE_DELETE: OnDeleteCardFiles(); break;
    case IDM_FILE_SAVEAS: OnSaveCardFileAs(); break;
    case IDM_LINK_PALM:
    case IDM_LINK_WINCE:
    case IDM_LINK_PHONE:
    case IDM_LINK_OUTLOOK:
    case IDM_LINK_OUTLOOKEXPRESS:
    case IDM_LINK_ACT: OnPimLink(id - IDM_LINK_PALM); break;
    case IDM_EXPORT_OPTIONS: OnExportOptions(); break;
    case IDM_FILE_EXPORT: OnFileExport(); break;
    case IDM_FILE_IMPORT: OnImportCardImages(fromFile); break;
    case IDM_FILE_PRINT:
    case IDM_FILE_PAGESETUP:
    case IDM_FILE_PRINTSETUP: OnPrintCommand(id); break;
    case IDM_FILE_PREFERENCES: OnPreferences(); break;
    case IDM_FILE_EXIT: SendMessageA(App.MainWindow, WM_CLOSE, 0, 0); break;
    case IDM_WEBSITE: OpenWebAddress(App.WebSite); break;
    case IDM_SCANNER_SCAN:
    case IDM_SCANNER_SELECT:
        OnScanCommand(id);
        UpdateCommandStates(App.CommandBar, 0);
        break;
    default:
        if (id >= IDM_RECENT_FIRST && id <= IDM_RECENT_LAST) OnRecentCardFile(id - IDM_RECENT_FIRST);
        break;
    }
}
