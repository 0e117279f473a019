// The program entry: settles where the settings live, keeps the program to one instance
// (handing a second start's request to the first), builds the application and runs the loop.
#include "shell.h"
#include "views.h"
#include "handover.h"
#include "scanning.h"
#include "test_roads.h"
#include "pathkeep.h"
#include "zemcmdln.h"
#include <stdio.h>
#include <string.h>

APPSTATE App;

static char* CopyToHeap(const char* text) {
    size_t n = strlen(text) + 1;
    char* copy = (char*)HeapAlloc(GetProcessHeap(), 0, n);
    if (copy) memcpy(copy, text, n);
    return copy;
}

// Removes a leading double quote and, only when it is one, the closing one.
void RemoveEnclosingQuotes(char* text) {
    if (text[0] != '"') return;
    memmove(text, text + 1, strlen(text));
    size_t n = strlen(text);
    if (n > 0 && text[n - 1] == '"') text[n - 1] = 0;
}

static void ParseCommandLine(const char* commandLine) {
    App.PanelDataSource[0] = 0;
    App.PanelUiMode = 1;
    App.OriginalCommandLine = CopyToHeap(commandLine ? commandLine : "");
    App.CommandLine = CopyToHeap(commandLine ? commandLine : "");
    if (!App.OriginalCommandLine || !App.CommandLine) ExitProcess(0);
    App.PanelRequest = OvZEMCmdLineParser4Tapboard(App.CommandLine, App.PanelDataSource, &App.PanelUiMode);
    if (App.PanelRequest == 0) App.PanelUiMode = 1;
}

// Creates the per-user folder of that name and writes the key naming it, in that order.
static void WriteFolderKey(const char* section, const char* key, const char* name) {
    char folder[MAX_PATH];
    if (!JoinFolderAndName(folder, sizeof folder, App.PerUserFolder, name)) return;
    CreateDirectoryA(folder, NULL);
    WriteSettingText(section, key, folder);
}

// A per-user file's path written as a setting.
static void WriteFileKey(const char* section, const char* key, const char* name) {
    char path[MAX_PATH];
    if (JoinFolderAndName(path, sizeof path, App.PerUserFolder, name)) WriteSettingText(section, key, path);
}

// A restricted user's first run: the per-user copy of the settings gets its folders and the
// defaults a fresh installation needs.
static void SetUpPerUserFirstRun(void) {
    char source[MAX_PATH], target[MAX_PATH];
    if (JoinFolderAndName(source, sizeof source, App.ProgramFolder, "empty.tif") &&
        JoinFolderAndName(target, sizeof target, App.PerUserFolder, "empty.tif"))
        CopyFileA(source, target, TRUE);
    CreateDirectoryA(App.PerUserDatabaseFolder, NULL);
    WriteSettingText("Directory", "WorkDir", App.PerUserFolder);
    WriteFolderKey("Directory", "TempDir", "TVRKTEMP");
    WriteFolderKey("Directory", "ImageDir", "IMAGE");
    WriteFolderKey("Directory", "ThumbDir", "thumb");
    WriteFileKey("PALM", "DBFileName", "zemsync.mdb");
    WriteFileKey("WINCE", "DBFileName", "wincesync.dat");
    WriteSettingText("OpenFile", "Count", "0");
    WriteSettingText("CardBase", "DataBaseName", "");
    WriteSettingText("CardBase", "Count", "0");
    WriteSettingText("PaperLayout", "Count", "23");
    WriteSettingText("PaperLayout", "SelectLayout", "0");
    WriteSettingText("Preference", "ExportOptn", "010110");
    WriteSettingText("Preference", "bEnableExportOptn", "0101100");
    WriteSettingText("Preference", "DefaultExport", "1");
}

static void SetProgramFolderFromModule(void) {
    GetModuleFileNameA(App.Instance, App.ProgramFolder, sizeof App.ProgramFolder);
    char* slash = strrchr(App.ProgramFolder, '\\');
    if (slash) slash[1] = 0;
}

// A user in neither Administrators nor Power Users works in a folder of their own.
static void SettlePerUserFolder(void) {
    if (!IsNT5OrLater()) return;
    int restricted = TestRoadRestrictedUser() || (!IsUserAdministrator() && !IsUserPowerUser());
    if (!restricted) return;
    App.PerUserMode = 1;
    HMODULE pathkeep = LoadLibraryA("Pathkeep.dll");
    GetAppDataPathFn getAppDataPath =
        pathkeep ? (GetAppDataPathFn)(void*)GetProcAddress(pathkeep, "GetAppDataPath") : NULL;
    if (getAppDataPath && getAppDataPath(App.PerUserFolder)) {
        JoinFolderAndName(App.PerUserDatabaseFolder, sizeof App.PerUserDatabaseFolder, App.PerUserFolder, "Database");
        char own[MAX_PATH], copy[MAX_PATH];
        GetProgramSettingsPath(own, sizeof own);
        if (JoinFolderAndName(copy, sizeof copy, App.PerUserFolder, "zem40.ini") && CopyFileA(own, copy, TRUE))
            SetUpPerUserFirstRun();
    } else {
        App.PerUserFolder[0] = 0;
    }
    if (pathkeep) FreeLibrary(pathkeep);
}

static void CheckScannerLaunch(void) {
    App.ScannerLaunch = CheckStillImageLaunch(App.ScannerDataSource, 0);
    if (!App.ScannerLaunch)
        App.ScannerLaunch = TestRoadScannerLaunch(App.ScannerDataSource, sizeof App.ScannerDataSource);
}

static void BringToFront(HWND window) {
    if (!window) return;
    SetForegroundWindow(window);
    ShowWindow(window, SW_SHOWNORMAL);
}

// A scanner-button start asks the running window to scan with the device's data source.
static void HandOverScannerLaunch(HWND window) {
    WriteSettingText("Preference", "DefaultDSProductName", App.ScannerDataSource);
    PostMessageA(window, WM_SCAN_DEFAULT_SOURCE, 70, (LPARAM)App.ScannerDataSource);
}

static void HandOverThroughClipboard(HWND window);

// A second start while the first holds the mutex: hand the request over and end.
static void HandOverThroughMutexRoad(void) {
    HWND window = FindWindowA(MAIN_WINDOW_CLASS, NULL);
    BringToFront(window);
    if (!App.CommandLine[0]) return;
    if (App.ScannerLaunch) {
        HandOverScannerLaunch(window);
    } else if (App.PanelRequest) {
        WriteSettingText("Preference", "EP_UI_MODE", App.PanelUiMode ? "1" : "0");
        WriteSettingText("Preference", "EpsonDSProductName", App.PanelDataSource);
        PostMessageA(window, WM_COMMAND, 99, (LPARAM)App.PanelDataSource);
    } else if (AppendNamesToBatchList(App.CommandLine)) {
        window = FindWindowA(MAIN_WINDOW_CLASS, NULL);
        if (window) PostMessageA(window, WM_HANDOVER_FILES, HANDOVER_LIST_FILE, 0);
    } else if (window) {
        // The list stayed locked too long: the names go over the clipboard instead.
        HandOverThroughClipboard(window);
    }
}

// Puts the command line on the clipboard in the program's own format for a running window.
static void HandOverThroughClipboard(HWND window) {
    if (!OpenClipboard(window)) return;
    UINT format = RegisterClipboardFormatA(CLIPBOARD_FORMAT_NAME);
    size_t n = strlen(App.OriginalCommandLine);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n + 1);
    char* text = block ? (char*)GlobalLock(block) : NULL;
    if (text) {
        memset(text, 0, n + 1);
        memcpy(text, App.OriginalCommandLine, n);
        GlobalUnlock(block);
        if (!SetClipboardData(format, block)) GlobalFree(block);
    } else if (block) {
        GlobalFree(block);
    }
    CloseClipboard();
    SendMessageA(window, WM_HANDOVER_FILES, HANDOVER_CLIPBOARD, format);
}

// A running window without the mutex (its instance lost or never had it).
static void HandOverToWindowWithoutMutex(HWND window) {
    BringToFront(window);
    if (!App.CommandLine[0]) return;
    RemoveEnclosingQuotes(App.CommandLine);
    if (App.ScannerLaunch) HandOverScannerLaunch(window);
    else if (App.PanelRequest) PostMessageA(window, WM_COMMAND, 70, (LPARAM)App.PanelDataSource);
    else HandOverThroughClipboard(window);
}

// Shows the card that was current when the program last closed, when it still exists.
static void RestoreCurrentCard(void) { GotoCard(ReadSettingInt("Status", "CurCard", -1)); }

static HMODULE LoadDriverIfPresent(const char* path) { return FileExists(path) ? LoadLibraryA(path) : NULL; }

static void ProbeScanners(void) {
    if (!ReadSettingInt("Preference", "bCheckScanner", 1)) return;
    char windows[MAX_PATH], path[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    if (!JoinFolderAndName(path, sizeof path, windows, "System\\A8100.DLL") || !FileExists(path))
        JoinFolderAndName(path, sizeof path, windows, "System32\\A8100.DLL");
    App.A8100Driver = LoadDriverIfPresent(path);
    App.CardScannerButtonPressed = 0;
    if (OpenTwainManager()) {
        ClearTwainSourceIdentity();
        if (OpenTwainSource()) {
            DetectScannerModel();
            CloseTwainSource();
        }
        CloseTwainManager();
    }
    JoinFolderAndName(path, sizeof path, windows, "twain_32\\ov_zem\\SCANL.DLL");
    App.ScanLDriver = LoadDriverIfPresent(path);
    JoinFolderAndName(path, sizeof path, windows, "twain_32\\KD7N\\SCANL30.DLL");
    App.ScanL30Driver = LoadDriverIfPresent(path);
}

// The first instance's own request, carried out by its window as a second start's would be.
void ActOnOwnCommandLine(void) {
    if (!App.CommandLine[0]) return;
    RemoveEnclosingQuotes(App.CommandLine);
    if (App.ScannerLaunch) {
        HandOverScannerLaunch(App.MainWindow);
    } else if (App.PanelRequest) {
        PostMessageA(App.MainWindow, WM_COMMAND, 70, (LPARAM)App.PanelDataSource);
        if (App.PanelUiMode == 0) SendMessageA(App.MainWindow, WM_COMMAND, 113, 0);
    } else {
        SendMessageA(App.MainWindow, WM_HANDOVER_FILES, HANDOVER_OWN_COMMAND_LINE, (LPARAM)App.CommandLine);
    }
}

// The state values that are not zero before anything has been read or shown.
static void SetInitialState(HINSTANCE instance) {
    App.Instance = instance;
    App.MenuHintId = 1000;
    App.IsNT4 = 1;
    App.LinkButtonBitmapBase = 3201;
    App.Status.HintId = -1;
    App.Status.LastPercent = -1;
    App.Hint.ShownId = -1;
    App.Bar.SortChoice = 1;
    App.Dialogs.SaveImageChoice = 2;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    SetInitialState(instance);
    SetProgramFolderFromModule();
    ParseCommandLine(commandLine);
    SettlePerUserFolder();

    App.InstanceMutex = CreateMutexA(NULL, FALSE, INSTANCE_MUTEX_NAME);
    DWORD mutexError = GetLastError();
    CheckScannerLaunch();
    if (mutexError == ERROR_ALREADY_EXISTS) {
        HandOverThroughMutexRoad();
        return 0;
    }
    if (!IsWindowsNT4()) App.IsNT4 = 0;
    HWND running = FindWindowA(MAIN_WINDOW_CLASS, NULL);
    if (running) {
        HandOverToWindowWithoutMutex(running);
        return 0;
    }

    if (!InitApplication() || !CreateMainWindow(instance, showCommand)) return 0;
    CreateHintWindow(App.MainWindow);
    RestoreCurrentCard();
    ProbeScanners();
    ActOnOwnCommandLine();
    return RunMessageLoop();
}

// While a TWAIN acquisition runs, the source sees every message first. The work area's key
// handler joins this loop with the views code.
// Tab, Enter and Escape typed outside the card form go to the work area's key handler first
// (the form's own keys went to its dialog handling already).
static int IsWorkAreaKey(const MSG* msg) {
    if (msg->message != WM_CHAR || !GetActiveWindow()) return 0;
    if (App.CardForm && IsWindow(App.CardForm) && (msg->hwnd == App.CardForm || IsChild(App.CardForm, msg->hwnd)))
        return 0;
    int key = LOBYTE(VkKeyScanA((CHAR)msg->wParam));
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE;
}

int RunMessageLoop(void) {
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (IsTwainManagerOpen() && IsTwainSourceOpen()) {
            if (ProcessTwainEvent(App.MainWindow, &msg)) continue;
            if (TranslateAcceleratorA(App.MainWindow, App.Accelerators, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (App.CardForm && IsWindow(App.CardForm) && IsDialogMessageA(App.CardForm, &msg)) continue;
        if (TranslateAcceleratorA(App.MainWindow, App.Accelerators, &msg)) continue;
        TranslateMessage(&msg);
        if (IsWorkAreaKey(&msg) && TranslateWorkAreaKey(GetActiveWindow(), LOBYTE(VkKeyScanA((CHAR)msg.wParam))))
            continue;
        DispatchMessageA(&msg);
    }
    return (int)LOWORD(msg.wParam);
}
