// The program's own tooltip: a small pop-up under the command-bar button below the mouse,
// sliding into view one pixel row at a time.
#include "shell.h"
#include "resource.h"
#include <string.h>

#define REVEAL_AT_ONCE   0
#define REVEAL_DOWNWARDS 1
#define REVEAL_UPWARDS   2

static HFONT GetHintFont(void) {
    if (!App.Hint.Font)
        App.Hint.Font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, App.UiFontFace);
    return App.Hint.Font;
}

HWND CreateHintWindow(HWND mainWindow) {
    App.HintWindow = CreateWindowExA(0, "IMC_Hint20", NULL, WS_POPUP | WS_CLIPSIBLINGS | WS_DISABLED, 0, 0, 8, 8,
                                     mainWindow, NULL, App.Instance, NULL);
    return App.HintWindow;
}

void WaitMilliseconds(DWORD n) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < n) {}
}

void HideHintWindow(void) {
    if (App.HintWindow && IsWindowVisible(App.HintWindow)) ShowWindow(App.HintWindow, SW_HIDE);
    App.Hint.ShownId = -1;
}

void ShowHintIfEnabled(void) {
    if (App.ToolTipFlag) ShowHintForControl();
}

// The finished hint in a memory bitmap of the window's size.
static HBITMAP DrawHintBitmap(HDC windowDC, int w, int h, HDC* memoryDC) {
    *memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, w, h);
    SelectObject(*memoryDC, bitmap);
    RECT r = {0, 0, w, h};
    HBRUSH background = CreateSolidBrush(RGB(255, 255, 223));
    FillRect(*memoryDC, &r, background);
    DeleteObject(background);
    SelectObject(*memoryDC, GetHintFont());
    SetBkMode(*memoryDC, TRANSPARENT);
    SetTextColor(*memoryDC, RGB(0, 0, 0));
    TextOutA(*memoryDC, 2, 2, App.Hint.Text, (int)strlen(App.Hint.Text));
    SelectObject(*memoryDC, GetStockObject(BLACK_PEN));
    MoveToEx(*memoryDC, 0, 0, NULL);
    LineTo(*memoryDC, w - 1, 0);
    LineTo(*memoryDC, w - 1, h - 1);
    LineTo(*memoryDC, 0, h - 1);
    LineTo(*memoryDC, 0, 0);
    return bitmap;
}

// Slides the hint in, one row every 10 ms. Every row copied lies inside the bitmap (rows
// 0 .. height - 1), however the window was sized.
static void RevealHint(HWND window, int direction) {
    RECT client;
    GetClientRect(window, &client);
    int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    HDC dc = GetDC(window);
    HDC memory;
    HBITMAP bitmap = DrawHintBitmap(dc, w, h, &memory);
    if (direction == REVEAL_AT_ONCE) {
        BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    } else if (direction == REVEAL_DOWNWARDS) {
        for (int i = 0; i < h - 1; ++i) {
            BitBlt(dc, 0, 0, w, 1, memory, 0, h - 1 - i, SRCCOPY);
            RECT rows = {0, 0, w, i + 1};
            ScrollDC(dc, 0, 1, &rows, &client, NULL, NULL);
            WaitMilliseconds(10);
        }
        BitBlt(dc, 0, 0, w, 1, memory, 0, 0, SRCCOPY);
    } else {
        for (int i = 0; i < h - 2; ++i) {
            BitBlt(dc, 0, h - 1, w, 1, memory, 0, i, SRCCOPY);
            RECT rows = {0, h - 1 - i, w, h};
            ScrollDC(dc, 0, -1, &rows, &client, NULL, NULL);
            WaitMilliseconds(10);
        }
        BitBlt(dc, 0, h - 2, w, 2, memory, 0, h - 2, SRCCOPY);
    }
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(window, dc);
}

// The command-bar button under the mouse and its hint id (0 for none).
static HWND ButtonUnderCursor(int* id) {
    *id = 0;
    if (!App.CommandBar) return NULL;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(App.CommandBar, &p);
    HWND child = ChildWindowFromPoint(App.CommandBar, p);
    if (!child || child == App.CommandBar) return NULL;
    int childId = GetDlgCtrlID(child);
    if ((childId >= IDB_CMD_OPEN && childId <= 715) || childId == IDB_CMD_UPGRADE) *id = childId;
    return child;
}

static void PlaceAndRevealHint(HWND button, int id) {
    int textId = id == IDB_CMD_LINK ? LinkStatusTextId() : id;
    if (LoadStringA(App.Instance, textId, App.Hint.Text, sizeof App.Hint.Text) <= 0) App.Hint.Text[0] = 0;
    // The window's text is the hint shown, so that screen readers read it as a tooltip's.
    SetWindowTextA(App.HintWindow, App.Hint.Text);
    HDC dc = GetDC(App.HintWindow);
    HGDIOBJ old = SelectObject(dc, GetHintFont());
    SIZE extent;
    GetTextExtentPoint32A(dc, App.Hint.Text, (int)strlen(App.Hint.Text), &extent);
    SelectObject(dc, old);
    ReleaseDC(App.HintWindow, dc);
    RECT r;
    GetWindowRect(button, &r);
    SetWindowPos(App.HintWindow, HWND_TOPMOST, r.left, r.bottom + 2, extent.cx + 4, extent.cy + 4,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RevealHint(App.HintWindow, REVEAL_DOWNWARDS);
}

void ShowHintForControl(void) {
    if (App.Hint.Busy || !App.HintWindow) return;
    App.Hint.Busy = 1;
    int id;
    HWND button = ButtonUnderCursor(&id);
    if (id == 0) {
        HideHintWindow();
    } else if (id != App.Hint.ShownId) {
        HideHintWindow();
        if (App.CommandBar) UpdateWindow(App.CommandBar);
        if (App.MainWindow) UpdateWindow(App.MainWindow);
        App.Hint.ShownId = id;
        PlaceAndRevealHint(button, id);
    }
    App.Hint.Busy = 0;
}

LRESULT CALLBACK HintWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        RevealHint(window, REVEAL_AT_ONCE);
        return 0;
    }
    if (message == WM_DESTROY && App.Hint.Font) {
        DeleteObject(App.Hint.Font);
        App.Hint.Font = NULL;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
