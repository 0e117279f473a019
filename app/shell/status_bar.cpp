// The status bar: a hint pane that doubles as the progress bar of long operations, and
// three empty panes on the right.
#include "shell.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define PANE_COUNT STATUS_PANE_COUNT

static HFONT GetStatusFont(void) {
    if (!App.Status.Font)
        App.Status.Font = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    return App.Status.Font;
}

static void ComputePanes(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int w = client.right, h = client.bottom;
    RECT* panes = App.Status.Panes;
    SetRect(&panes[1], w - 125, 2, w - 5, h);
    SetRect(&panes[2], panes[1].left - 43, 2, panes[1].left - 3, h);
    SetRect(&panes[3], panes[2].left - 103, 2, panes[2].left - 3, h);
    SetRect(&panes[0], client.left + 2, 2, panes[3].left - 3, h);
}

HWND CreateStatusBar(HWND mainWindow) {
    RECT client;
    GetClientRect(mainWindow, &client);
    return CreateWindowA("IMC_STAT20", NULL, WS_CHILD | WS_VISIBLE, 0, client.bottom - STATUS_BAR_HEIGHT, client.right,
                         STATUS_BAR_HEIGHT, mainWindow, NULL, App.Instance, NULL);
}

static void TextRect(RECT* r) {
    const RECT* hintPane = &App.Status.Panes[0];
    SetRect(r, hintPane->left + 3, hintPane->top + 1, hintPane->right - 1, hintPane->bottom - 1);
}

static void DrawHintText(HDC dc) {
    RECT r;
    TextRect(&r);
    FillRect(dc, &r, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    HGDIOBJ old = SelectObject(dc, GetStatusFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, App.Status.HintText, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
}

void ShowStatusHint(HWND window, int id, int paintNow) {
    // The bar keeps its text while the printing job's dialog is up.
    if (App.Print.AbortDialog && IsWindowVisible(App.Print.AbortDialog)) return;
    if (!window || id == App.Status.HintId) return;
    App.Status.HintId = id;
    if (LoadStringA(App.Instance, id, App.Status.HintText, 255) <= 0) App.Status.HintText[0] = 0;
    // The bar's window text is the hint shown, so that accessibility tools can read it.
    SetWindowTextA(window, App.Status.HintText);
    if (!paintNow) return;
    HDC dc = GetDC(window);
    DrawHintText(dc);
    ReleaseDC(window, dc);
}

// While a card is recognised, a file opened anew (a working copy) starts the recognition
// window's bar again from its empty state.
void BeginProgress(int id) {
    App.Status.SavedCursor = SetCursor(App.WaitCursor ? App.WaitCursor : LoadCursor(NULL, IDC_WAIT));
    ShowStatusHint(App.StatusBar, id, 1);
    App.Status.LastPercent = -1;
    if (App.OcrWindow.Window && id == IDS_OPEN_FILE_PROGRESS)
        SendMessageA(App.OcrWindow.Window, WM_COMMAND, RECOGNITION_COMMAND_PERCENT, 0);
}

// The percentage in a box at the left, then the hint text over a bar that fills in blue; the
// recognition window, while it is open, shows the same percentage in its own bar.
void StepProgress(int percent) {
    if (percent == App.Status.LastPercent) return;
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    if (App.OcrWindow.Window) SendMessageA(App.OcrWindow.Window, WM_COMMAND, RECOGNITION_COMMAND_PERCENT, percent);
    if (!App.StatusBar) {
        App.Status.LastPercent = percent;
        return;
    }
    HDC dc = GetDC(App.StatusBar);
    HGDIOBJ oldFont = SelectObject(dc, GetStatusFont());
    SIZE extent;
    GetTextExtentPoint32A(dc, "100%", 4, &extent);
    RECT box = {App.Status.Panes[0].left + 3, App.Status.Panes[0].top + 1, App.Status.Panes[0].left + extent.cx + 5,
                App.Status.Panes[0].bottom - 1};
    FillRect(dc, &box, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    char number[8];
    snprintf(number, sizeof number, "%3d%%", percent);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, number, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, box.right, box.top, NULL);
    LineTo(dc, box.right, box.bottom);
    SelectObject(dc, oldPen);

    RECT bar = {box.right + 1, box.top, App.Status.Panes[0].right - 1, box.bottom};
    int done = (int)((long long)(bar.right - bar.left) * percent / 100);
    RECT doneRect = {bar.left, bar.top, bar.left + done, bar.bottom};
    RECT restRect = {bar.left + done, bar.top, bar.right, bar.bottom};
    RECT textRect = {bar.left + 2, bar.top, bar.right, bar.bottom};
    struct {
        const RECT* Clip;
        COLORREF Back;
        COLORREF Text;
    } parts[] = {{&doneRect, RGB(0, 0, 255), RGB(255, 255, 255)}, {&restRect, RGB(192, 192, 192), RGB(0, 0, 0)}};
    for (auto& part : parts) {
        if (part.Clip->right <= part.Clip->left) continue;
        HBRUSH brush = CreateSolidBrush(part.Back);
        FillRect(dc, part.Clip, brush);
        DeleteObject(brush);
        HRGN clip = CreateRectRgnIndirect(part.Clip);
        SelectClipRgn(dc, clip);
        SetTextColor(dc, part.Text);
        DrawTextA(dc, App.Status.HintText, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectClipRgn(dc, NULL);
        DeleteObject(clip);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(App.StatusBar, dc);
    App.Status.LastPercent = percent;
}

void EndProgress(void) {
    ShowStatusHint(App.StatusBar, IDS_PROGRESS_DONE, 1);
    if (App.StatusBar) {
        InvalidateRect(App.StatusBar, NULL, TRUE);
        UpdateWindow(App.StatusBar);
    }
    App.Status.LastPercent = -1;
    SetCursor(App.Status.SavedCursor);
}

void InvalidateStatusPane(int pane) {
    if (!App.StatusBar || pane < 0 || pane >= PANE_COUNT) return;
    InvalidateRect(App.StatusBar, &App.Status.Panes[pane], TRUE);
    UpdateWindow(App.StatusBar);
}

int StatusPaneHitTest(int x, int y, RECT* out) {
    POINT p = {x, y};
    for (int i = 0; i < PANE_COUNT; ++i) {
        if (PtInRect(&App.Status.Panes[i], p)) {
            if (out) *out = App.Status.Panes[i];
            return 2065 + i;
        }
    }
    return 0;
}

// Drawing over the bar can leave it flashed; two calls bring back its normal look.
void ResetStatusBarFlash(void) {
    FlashWindow(App.StatusBar, FALSE);
    FlashWindow(App.StatusBar, FALSE);
}

void ResizeBars(HWND mainWindow, WPARAM sizeType) {
    RECT client;
    GetClientRect(mainWindow, &client);
    if (sizeType == SIZE_MINIMIZED) {
        if (App.CommandBar) MoveWindow(App.CommandBar, 0, 0, 0, 0, TRUE);
        if (App.StatusBar) MoveWindow(App.StatusBar, 0, 0, 0, 0, TRUE);
        return;
    }
    if (App.CommandBar) MoveWindow(App.CommandBar, 0, 0, client.right, COMMAND_BAR_HEIGHT, TRUE);
    if (App.StatusBar)
        MoveWindow(App.StatusBar, 0, client.bottom - STATUS_BAR_HEIGHT, client.right, STATUS_BAR_HEIGHT, TRUE);
}

static void PaintStatusBar(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    for (int i = 0; i < PANE_COUNT; ++i)
        DrawSunkenFrame(dc, App.Status.Panes[i].left, App.Status.Panes[i].top, App.Status.Panes[i].right,
                        App.Status.Panes[i].bottom, 0);
    EndPaint(window, &ps);
}

static void OnStatusSetCursor(HWND window) {
    static const int kPaneHints[PANE_COUNT] = {1068, 1069, 1067, 1066};
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    int id = 1065;
    for (int i = 0; i < PANE_COUNT; ++i)
        if (PtInRect(&App.Status.Panes[i], p)) id = kPaneHints[i];
    ShowStatusHint(window, id, 1);
}

LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: ComputePanes(window); return 0;
    case WM_SIZE:
        ComputePanes(window);
        InvalidateRect(window, NULL, TRUE);
        return 0;
    case WM_PAINT: PaintStatusBar(window); return 0;
    case WM_SETCURSOR: OnStatusSetCursor(window); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return 0;
    case WM_DESTROY:
        if (App.Status.Font) DeleteObject(App.Status.Font);
        App.Status.Font = NULL;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
