// The main window procedure: command routing, the card-scanner button poll, the minimum
// size, menu hints, and the shut-down order on close and destroy.
#include "shell.h"
#include "capture.h"
#include "print.h"
#include "views.h"
#include "resource.h"
#include "scanning.h"
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#define MIN_TRACK_WIDTH  624
#define MIN_TRACK_HEIGHT 480

static void RunScanCommand(void) { SendMessageA(App.MainWindow, WM_COMMAND, IDM_SCAN, 0); }

// A recognised card scanner's button, polled every 200 ms while no acquisition is open.
static void OnScannerButtonTimer(void) {
    if (IsTwainManagerOpen() || IsTwainSourceOpen() || ScanCommandRunning()) return;
    if (IsCardScannerButtonPressed()) RunScanCommand();
}

static void OnScanDefaultSource(void) {
    App.ScanWithNamedSource = 1;
    ReadSettingText("Preference", "DefaultDSProductName", "", App.NamedSourceProduct, sizeof App.NamedSourceProduct);
    if (App.NamedSourceProduct[0]) RunScanCommand();
}

// The status bar explains the menu entry under the mouse.
static void OnMenuSelect(WPARAM wParam) {
    UINT flags = HIWORD(wParam) == 0xFFFF ? 0xFFFFFFFF : HIWORD(wParam);
    int item = (flags != 0xFFFFFFFF && (flags & MF_POPUP)) ? 0 : LOWORD(wParam);
    int oldId = App.MenuHintId;
    int id;
    if (flags != 0xFFFFFFFF && !(flags & MF_SYSMENU)) {
        if (flags & MF_POPUP) id = IDS_NO_HINT;
        else id = (item >= 300 && item <= 399) ? 300 : item;
    } else {
        id = (flags != 0xFFFFFFFF && !(flags & MF_POPUP)) ? item : IDS_PRODUCT_TITLE;
    }
    App.MenuHintId = id;
    if (id == oldId) return;
    ShowStatusHint(App.StatusBar, (id >= IDM_LINK_PALM && id <= IDM_LINK_ACT) ? id + 796 : id, 1);
}

// Dropped image files are imported like File > Import Card Images, at most 49 at a time;
// the import itself comes with the capture code, until then a drop is released unused.

static void OnMainSetCursor(HWND window) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    if (App.HotCommandButton && ChildWindowFromPoint(window, point) != App.CommandBar) {
        HideHintWindow();
        InvalidateRect(App.HotCommandButton, NULL, FALSE);
        UpdateWindow(App.HotCommandButton);
        App.HotCommandButton = NULL;
    }
}

static void DrawWorkAreaFrame(HDC dc, const RECT* r) {
    HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HGDIOBJ old = SelectObject(dc, grey);
    MoveToEx(dc, r->left, r->bottom - 1, NULL);
    LineTo(dc, r->left, r->top);
    LineTo(dc, r->right, r->top);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, r->right - 1, r->top, NULL);
    LineTo(dc, r->right - 1, r->bottom - 1);
    LineTo(dc, r->left, r->bottom - 1);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, r->left + 1, r->bottom - 2, NULL);
    LineTo(dc, r->left + 1, r->top + 1);
    LineTo(dc, r->right - 1, r->top + 1);
    SelectObject(dc, old);
    DeleteObject(grey);
}

static void OnMainPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    if (App.CommandBar) r.top += COMMAND_BAR_HEIGHT;
    if (App.StatusBar) r.bottom -= 20;
    r.right -= 1;
    DrawWorkAreaFrame(dc, &r);
    EndPaint(window, &ps);
}

// A minimized window keeps its bars at zero size until it is restored.
int LayoutMainChildren(HWND window, WPARAM kind) {
    ResizeBars(window, kind);
    if (kind == SIZE_MINIMIZED) return 1;
    if (App.WorkEditWindow) LayoutCardDesk(App.WorkEditWindow, kind);
    LayoutWorkEditWindow(kind);
    return 1;
}

// The window is never made smaller than the command bar and the views need.
static void OnGetMinMaxInfo(MINMAXINFO* limits) {
    limits->ptMinTrackSize.x = MIN_TRACK_WIDTH;
    limits->ptMinTrackSize.y = MIN_TRACK_HEIGHT;
}

static void FreeScannerDrivers(void) {
    if (App.A8100Driver) FreeLibrary(App.A8100Driver);
    if (App.ScanLDriver) FreeLibrary(App.ScanLDriver);
    App.A8100Driver = NULL;
    App.ScanLDriver = NULL;
}

static void FreeFontTable(void) {
    if (App.FontTable) GlobalFree(App.FontTable);
    App.FontTable = NULL;
    App.FontCount = 0;
}

// What was typed reaches the card file while it is still open, before the untitled file's
// question may copy and close it; the card number kept for the next start is the one the
// save settled. 0 when the program must stay (a failed store, or the user cancelled).
static int MayCloseCardFile(void) {
    if (!CommitPendingEdits()) return 0;
    int number = App.CurrentCardNumber > 0 ? App.CurrentCardNumber : -1;
    if (!QueryCloseCardFile()) return 0;
    WriteSettingInt("Status", "CurCard", number);
    return 1;
}

static void EndMainWindow(HWND window) {
    FreeScannerDrivers();
    if (App.CardForm && IsWindow(App.CardForm)) DestroyWindow(App.CardForm);
    App.CardForm = NULL;
    FreeFontTable();
    DestroyWindow(window);
}

// A job that prints is cancelled first, and the window closes once the job has ended, so that
// nothing is freed while a page is drawn.
static void OnMainClose(HWND window) {
    if (App.Print.JobRunning) {
        CancelPrintJobThenClose();
        return;
    }
    if (MayCloseCardFile()) EndMainWindow(window);
}

// The session question is asked only when the session really ends: a cancelled logoff
// (ending 0) must not ask, nor close, the card file.
static void OnEndSession(HWND window, WPARAM ending) {
    if (ending && MayCloseCardFile()) EndMainWindow(window);
}

// Deletes the engine's temporary ".IFO" files left in the temporary folder. Without a
// TempDir the engine had no folder to leave them in, and nothing is deleted anywhere.
static void DeleteTemporaryInfoFiles(void) {
    char folder[MAX_PATH], pattern[MAX_PATH], path[MAX_PATH];
    if (ReadFolderSetting("TempDir", folder, sizeof folder) <= 0) return;
    if (!JoinFolderAndName(pattern, sizeof pattern, folder, "*.IFO")) return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (JoinFolderAndName(path, sizeof path, folder, found.cFileName)) DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

static void OnMainDestroy(HWND window) {
    if (IsTwainManagerOpen() && IsTwainSourceOpen()) EndTwainSession();
    SaveSessionSettings();
    CloseAllImageDocuments();
    FreeAppResources();
    FreeViewResources();
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    KillTimer(window, CARD_SCANNER_TIMER);
    DestroyMenu(App.MainMenu);
    App.MainMenu = NULL;
    EndRecognitionEngine();
    DeleteTemporaryInfoFiles();
    if (App.InstanceMutex) {
        ReleaseMutex(App.InstanceMutex);
        CloseHandle(App.InstanceMutex);
        App.InstanceMutex = NULL;
    }
    if (App.ShowWebSite == 2) CallOnlineUpdate(1);
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: OnMainDestroy(window); return 0;
    case WM_SIZE: LayoutMainChildren(window, wParam); return 0;
    case WM_PAINT: OnMainPaint(window); return 0;
    case WM_CLOSE: OnMainClose(window); return 0;
    case WM_ENDSESSION: OnEndSession(window, wParam); return 0;
    case WM_SETCURSOR: OnMainSetCursor(window); return DefWindowProcA(window, message, wParam, lParam);
    case WM_GETMINMAXINFO: OnGetMinMaxInfo((MINMAXINFO*)lParam); return 0;
    case WM_COMMAND: OnMainCommand(window, LOWORD(wParam)); return 0;
    case WM_TIMER: OnScannerButtonTimer(); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(window, (HMENU)wParam, lParam); return 0;
    case WM_MENUSELECT: OnMenuSelect(wParam); return 0;
    case WM_DROPFILES: OnDropFiles(window, (HDROP)wParam); return 0;
    case WM_HANDOVER_FILES: return OnHandOverFiles(window, wParam, lParam);
    case WM_SCAN_DEFAULT_SOURCE: OnScanDefaultSource(); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
