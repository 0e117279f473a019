// The Help menu and the Tooltips item: help contents, help on help, the About window (or the
// online-update version dialog) and the tooltip switch.
#include "shell.h"
#include "views.h"
#include "resource.h"
#include "netfresh.h"
#include <stdio.h>
#include <string.h>

#define ABOUT_WIDTH        450
#define ABOUT_HEIGHT       359
#define VERSION_TEXT_SIZE  1024
#define TITLE_TEXT_MAX     64
#define UPDATE_INFO_TEXT   60
#define ONLINE_UPDATE_MODE 2
#define ABOUT_LOGO_TOP     40
#define ABOUT_LOGO_HEIGHT  96
#define ABOUT_TITLE_HEIGHT 26
#define ABOUT_TEXT_HEIGHT  16
#define ABOUT_LINE_GAP     4

// The help file lies in the "help" folder beside the program. A missing one is named to the
// user; handed to the shell it would open the help folder or nothing at all.
static void OpenHelpContents(void) {
    char folder[MAX_PATH], path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, folder, sizeof folder);
    if (n == 0 || n >= sizeof folder) return;
    char* slash = strrchr(folder, '\\');
    if (slash) *slash = 0;
    if (!JoinFolderAndName(folder, sizeof folder, folder, "help") ||
        !JoinFolderAndName(path, sizeof path, folder, App.HelpFile))
        return;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        MessageBoxFormat(App.MainWindow, MB_OK | MB_ICONEXCLAMATION, IDS_HELP_FILE_MISSING, path);
        return;
    }
    ShellExecuteA(App.MainWindow, "open", path, NULL, NULL, SW_SHOWNORMAL);
}

// The version shown is the installation's, never a per-user copy's.
static void ReadVersionNumber(char* number, int size) {
    char settings[MAX_PATH];
    GetProgramSettingsPath(settings, sizeof settings);
    GetPrivateProfileStringA("Version", "number", "4", number, (DWORD)size, settings);
}

static void DrawAboutLine(HDC dc, const char* text, int height, int weight, COLORREF colour, RECT* line) {
    HFONT font = CreateFontA(-height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, colour);
    line->bottom = line->top + height * 3 / 2;
    DrawTextA(dc, text, -1, line, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    OffsetRect(line, 0, line->bottom - line->top + ABOUT_LINE_GAP);
    SelectObject(dc, old);
    DeleteObject(font);
}

// The logo, then the product title, its version and the maker's line, centred under it.
static void PaintAbout(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    DrawRaisedFrame(dc, client.left, client.top, client.right - 1, client.bottom - 1);
    RECT logo = {client.left, ABOUT_LOGO_TOP, client.right, ABOUT_LOGO_TOP + ABOUT_LOGO_HEIGHT};
    DrawBitmapResourceCentered(dc, IDB_ABOUT_LOGO, &logo);
    SetBkMode(dc, TRANSPARENT);
    char number[32], version[64], maker[128];
    ReadVersionNumber(number, sizeof number);
    snprintf(version, sizeof version, "Version %s", number);
    RECT line = {client.left + 20, logo.bottom + 16, client.right - 20, 0};
    DrawAboutLine(dc, App.ProductTitle, ABOUT_TITLE_HEIGHT, FW_BOLD, RGB(40, 70, 150), &line);
    DrawAboutLine(dc, version, ABOUT_TEXT_HEIGHT, FW_NORMAL, RGB(0, 0, 0), &line);
    if (LoadStringA(App.Instance, IDS_MAKER_LINE, maker, sizeof maker) > 0)
        DrawAboutLine(dc, maker, ABOUT_TEXT_HEIGHT, FW_NORMAL, RGB(64, 64, 64), &line);
    EndPaint(window, &paint);
}

static void EndAbout(HWND window) {
    ReleaseCapture();
    EndDialog(window, 0);
}

// A window without a caption that any click or the space bar closes.
INT_PTR CALLBACK AboutWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        SetWindowPos(window, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - ABOUT_WIDTH) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - ABOUT_HEIGHT) / 2, ABOUT_WIDTH, ABOUT_HEIGHT,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        SetCapture(window);
        SetFocus(window);
        InvalidateRect(window, NULL, TRUE);
        return FALSE;
    case WM_PAINT: PaintAbout(window); return TRUE;
    case WM_LBUTTONDOWN: EndAbout(window); return TRUE;
    case WM_KEYDOWN:
    case WM_CHAR:
        if (wParam == VK_SPACE) EndAbout(window);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndAbout(window);
        return TRUE;
    }
    return FALSE;
}

// The online-update component's version text with the product title after its first colon.
static void ShowUpdateVersionText(HWND dialog) {
    HMODULE netfresh = LoadLibraryA("Netfresh.dll");
    if (!netfresh) return;
    NetfreshVersionTextFn versionText =
        (NetfreshVersionTextFn)(void*)GetProcAddress(netfresh, MAKEINTRESOURCEA(NETFRESH_VERSION_TEXT_ORDINAL));
    char text[VERSION_TEXT_SIZE] = "";
    if (versionText && versionText(App.NetfreshProduct, text, sizeof text) == 0) {
        text[sizeof text - 1] = 0;
        char title[TITLE_TEXT_MAX], shown[VERSION_TEXT_SIZE + TITLE_TEXT_MAX + 2];
        if (LoadStringA(App.Instance, IDS_PRODUCT_TITLE, title, sizeof title) <= 0) title[0] = 0;
        const char* colon = strchr(text, ':');
        const char* rest = strchr(text, '\n');
        int head = colon ? (int)(colon - text) + 1 : 0;
        snprintf(shown, sizeof shown, "%.*s %s%s", head, text, title, rest ? rest : "");
        SetDlgItemTextA(dialog, UPDATE_INFO_TEXT, shown);
    }
    FreeLibrary(netfresh);
}

INT_PTR CALLBACK UpdateInfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG: ShowUpdateVersionText(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

static void ToggleToolTips(void) {
    HideHintWindow();
    App.ToolTipFlag = !App.ToolTipFlag;
    CheckMenuItem(App.MainMenu, IDM_HELP_TOOLTIPS, MF_BYCOMMAND | (App.ToolTipFlag ? MF_CHECKED : MF_UNCHECKED));
}

void OnHelpCommand(int id) {
    switch (id) {
    case IDM_HELP_CONTENTS: OpenHelpContents(); break;
    case IDM_HELP_ABOUT:
        if (App.ShowWebSite != ONLINE_UPDATE_MODE) RunModalDialog(App.MainWindow, 0, IDD_ABOUT, AboutWndProc);
        else RunModalDialog(App.MainWindow, 0, IDD_UPDATE_INFO, UpdateInfoDlgProc);
        break;
    case IDM_HELP_TOOLTIPS: ToggleToolTips(); break;
    case IDM_HELP_USING: WinHelpA(App.MainWindow, "WINHELP.HLP", HELP_CONTENTS, 0); break;
    }
}
