// The recognition window: a small popup that shows the page being read, inverts the
// regions the engine marks, and draws a progress bar with a percentage and a status text.
// The engine reaches it through callbacks registered for one recognition run.
#include "capture.h"
#include "pixel_access.h"
#include "recognition.h"
#include "resource.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

#define RECOGNITION_WINDOW_WIDTH  480
#define RECOGNITION_WINDOW_HEIGHT 321

ATOM RegisterRecognitionWindowClass(void) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = RecognitionWndProc;
    wc.hInstance = App.Instance;
    wc.hCursor = App.ArrowCursor ? App.ArrowCursor : LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(LTGRAY_BRUSH);
    wc.lpszClassName = RECOGNITION_WINDOW_CLASS;
    return RegisterClassA(&wc);
}

HWND CreateRecognitionWindow(HWND owner) {
    char caption[33];
    if (LoadStringA(App.Instance, IDS_RECOGNITION_CAPTION, caption, sizeof caption) <= 0) caption[0] = 0;
    int x = (GetSystemMetrics(SM_CXSCREEN) - RECOGNITION_WINDOW_WIDTH) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - RECOGNITION_WINDOW_HEIGHT) / 2;
    HWND window = CreateWindowA(RECOGNITION_WINDOW_CLASS, caption, WS_POPUP | WS_DLGFRAME, x, y,
                                RECOGNITION_WINDOW_WIDTH, RECOGNITION_WINDOW_HEIGHT, owner, NULL, App.Instance, NULL);
    // Shown without taking the activation, which the window never needs (its callbacks hand it
    // its messages): an activated popup goes to the window manager, and where there is none
    // (Wine under a bare X server) its showing and its end each wait about a second for one.
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

// Progress of the engine: into the window's bar while it exists, else the status bar's.
static void __stdcall RecogPercentCallback(uint16_t done, uint16_t total, int32_t flags) {
    HWND window = App.OcrWindow.Window;
    if (!window) {
        if (done && total) StepProgress(done * 100 / total);
        return;
    }
    if (flags & 0x10000) {
        SendMessageA(window, WM_COMMAND, RECOGNITION_COMMAND_STATUS, flags & 15);
        return;
    }
    int percent = total ? done * 100 / total : 0;
    SendMessageA(window, WM_COMMAND, RECOGNITION_COMMAND_PERCENT, percent > 99 ? 99 : percent);
    // Only the window's own messages: no command runs while the engine is busy.
    MSG msg;
    while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Inverts a region the engine reports: yellow for odd kinds, green for even; a second mark
// of the same region restores it.
static void __stdcall RecogMarkCallback(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t kind) {
    HWND window = App.OcrWindow.Window;
    int scale = App.OcrWindow.Scale;
    if (kind <= 0 || !window || scale < 1) return;
    int x0 = App.OcrWindow.ImageArea.left + App.OcrWindow.OffsetX;
    int y0 = App.OcrWindow.ImageArea.top + App.OcrWindow.OffsetY;
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(kind & 1 ? RGB(255, 255, 0) : RGB(0, 255, 0));
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, x0 + left / scale, y0 + top / scale, (right - left) / scale + 1, (bottom - top) / scale + 1, PATINVERT);
    SelectObject(dc, old);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

static int32_t __stdcall RecogRcgWinCallback(int32_t, int32_t, int32_t* value) {
    if (value) *value = 0;
    return 1;
}

// Engine errors are not shown while a page is read; the driver decides afterwards.
static void __stdcall RecogErrMsgCallback(int32_t messageId) { App.EngineErrorId = messageId; }

void RegisterRecognitionCallbacks(void) {
    App.OcrWindow.Window = CreateRecognitionWindow(App.MainWindow);
    RegisterTvrkPercentCallbackFunc(RecogPercentCallback);
    RegisterTvrkMarkCallbackFunc(RecogMarkCallback);
    RegisterTvrkRcgWinCallbackFunc(RecogRcgWinCallback);
    RegisterTvrkErrMsgCallbackFunc(RecogErrMsgCallback);
}

void UnregisterRecognitionCallbacks(void) {
    RegisterTvrkPercentCallbackFunc(NULL);
    RegisterTvrkMarkCallbackFunc(NULL);
    RegisterTvrkRcgWinCallbackFunc(NULL);
    RegisterTvrkErrMsgCallbackFunc(NULL);
    RegisterTvrkSaveImgCallbackFunc(NULL);
    if (App.OcrWindow.Window) DestroyWindow(App.OcrWindow.Window);
    App.OcrWindow.Window = NULL;
}

// The colour of one pixel of the current image, whatever its depth.
static uint32_t PixelColour(const uint8_t* row, int x, int bits, const PALETTEENTRY* palette) {
    uint32_t v = ReadRowPixel(row, x, bits);
    if (bits == 24) return v;
    if (bits == 1) return v ? 0xFFFFFF : 0;
    if (palette)
        return palette[v & 255].peBlue | palette[v & 255].peGreen << 8 | (uint32_t)palette[v & 255].peRed << 16;
    uint32_t grey = bits == 4 ? v * 17 : v;
    return grey | grey << 8 | grey << 16;
}

// A copy of the page reduced by the fit scale, as 24-bit rows top-down.
static void MakeScaledCopy(const ImageRecord* record, int scale) {
    const ImageInfo* info = &record->Info;
    int w = info->Width / scale, h = info->Height / scale;
    if (App.OcrWindow.Copy) GlobalFree(App.OcrWindow.Copy);
    App.OcrWindow.Copy = NULL;
    if (w < 1 || h < 1 || !record->Pixels) return;
    int rowBytes = (w * 3 + 3) / 4 * 4;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)rowBytes * h);
    const uint8_t* pixels = (const uint8_t*)GlobalLock(record->Pixels);
    uint8_t* out = copy ? (uint8_t*)GlobalLock(copy) : NULL;
    if (pixels && out) {
        PALETTEENTRY palette[256];
        int colours = info->Palette ? GetPaletteEntries(info->Palette, 0, 256, palette) : 0;
        for (int y = 0; y < h; ++y) {
            const uint8_t* row = pixels + (size_t)y * scale * info->RowStride;
            for (int x = 0; x < w; ++x)
                WriteRowPixel(out + (size_t)y * rowBytes, x, 24,
                              PixelColour(row, x * scale, info->BitsPerPixel, colours ? palette : NULL));
        }
    }
    if (out) GlobalUnlock(copy);
    if (pixels) GlobalUnlock(record->Pixels);
    App.OcrWindow.Copy = copy;
    App.OcrWindow.CopyWidth = w;
    App.OcrWindow.CopyHeight = h;
}

void FitImageToRecognitionWindow(void) {
    HWND window = App.OcrWindow.Window;
    const ImageRecord* record = &App.CurrentImage;
    if (!window || record->Info.Width < 1 || record->Info.Height < 1) return;
    const RECT* area = &App.OcrWindow.ImageArea;
    int areaWidth = area->right - area->left, areaHeight = area->bottom - area->top;
    int availableWidth = areaWidth - 7, availableHeight = areaHeight - 7;
    if (availableWidth < 1 || availableHeight < 1) return;
    int scaleX = (record->Info.Width + availableWidth - 1) / availableWidth;
    int scaleY = (record->Info.Height + availableHeight - 1) / availableHeight;
    int scale = scaleX > scaleY ? scaleX : scaleY;
    if (scale < 1) scale = 1;
    App.OcrWindow.Scale = scale;
    App.OcrWindow.OffsetX = (areaWidth + 1 - record->Info.Width / scale) / 2;
    App.OcrWindow.OffsetY = (areaHeight + 1 - record->Info.Height / scale) / 2;
    MakeScaledCopy(record, scale);
    InvalidateRect(window, area, TRUE);
    UpdateWindow(window);
}

static void DrawProgressBar(HWND window, int percent) {
    if (percent == App.OcrWindow.Percent) return;
    App.OcrWindow.Percent = percent;
    const RECT* bar = &App.OcrWindow.BarArea;
    HDC dc = GetDC(window);
    HGDIOBJ oldFont = SelectObject(dc, App.DialogFont ? (HGDIOBJ)App.DialogFont : GetStockObject(ANSI_VAR_FONT));
    SIZE size;
    GetTextExtentPoint32A(dc, "100%", 4, &size);
    RECT box = {bar->left, bar->top, bar->left + size.cx + 5, bar->bottom};
    char text[16];
    snprintf(text, sizeof text, "%3d%%", percent);
    SetBkColor(dc, RGB(192, 192, 192));
    SetTextColor(dc, RGB(0, 0, 0));
    ExtTextOutA(dc, box.left, box.top, ETO_OPAQUE | ETO_CLIPPED, &box, NULL, 0, NULL);
    DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, box.right, box.top, NULL);
    LineTo(dc, box.right, box.bottom);
    SelectObject(dc, oldPen);
    RECT rest = {box.right + 1, bar->top, bar->right, bar->bottom};
    int filled = rest.left + percent * (rest.right - rest.left) / 100;
    int length = (int)strlen(App.OcrWindow.Status);
    RECT done = {rest.left, rest.top, filled, rest.bottom};
    SetBkColor(dc, RGB(0, 0, 128));
    SetTextColor(dc, RGB(255, 255, 255));
    ExtTextOutA(dc, rest.left + 4, rest.top + 2, ETO_OPAQUE | ETO_CLIPPED, &done, App.OcrWindow.Status, length, NULL);
    RECT left = {filled, rest.top, rest.right, rest.bottom};
    SetBkColor(dc, RGB(192, 192, 192));
    SetTextColor(dc, RGB(0, 0, 0));
    ExtTextOutA(dc, rest.left + 4, rest.top + 2, ETO_OPAQUE | ETO_CLIPPED, &left, App.OcrWindow.Status, length, NULL);
    SelectObject(dc, oldFont);
    ReleaseDC(window, dc);
}

static void OnRecognitionCommand(HWND window, int id, LPARAM value) {
    if (id == RECOGNITION_COMMAND_PERCENT) {
        DrawProgressBar(window, (int)value);
    } else if (id == RECOGNITION_COMMAND_STATUS) {
        if (LoadStringA(App.Instance, IDS_RECOGNITION_STATUS_FIRST + (int)value, App.OcrWindow.Status,
                        sizeof App.OcrWindow.Status) <= 0)
            App.OcrWindow.Status[0] = 0;
        DrawProgressBar(window, 0);
    }
}

static void OnRecognitionPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    const RECT* bar = &App.OcrWindow.BarArea;
    const RECT* area = &App.OcrWindow.ImageArea;
    DrawSunkenFrame(dc, bar->left - 1, bar->top - 1, bar->right + 1, bar->bottom + 1, 0);
    DrawSunkenFrame(dc, area->left, area->top, area->right, area->bottom, 0);
    if (App.OcrWindow.Scale > 0 && App.OcrWindow.Copy) {
        const uint8_t* rows = (const uint8_t*)GlobalLock(App.OcrWindow.Copy);
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof bmi);
        bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
        bmi.bmiHeader.biWidth = App.OcrWindow.CopyWidth;
        bmi.bmiHeader.biHeight = -App.OcrWindow.CopyHeight;  // top-down rows
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 24;
        if (rows)
            SetDIBitsToDevice(dc, area->left + App.OcrWindow.OffsetX, area->top + App.OcrWindow.OffsetY,
                              App.OcrWindow.CopyWidth, App.OcrWindow.CopyHeight, 0, 0, 0, App.OcrWindow.CopyHeight,
                              rows, &bmi, DIB_RGB_COLORS);
        GlobalUnlock(App.OcrWindow.Copy);
    }
    EndPaint(window, &ps);
    int percent = App.OcrWindow.Percent;
    App.OcrWindow.Percent = -1;
    DrawProgressBar(window, percent < 0 ? 0 : percent);
}

LRESULT CALLBACK RecognitionWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        RECT client;
        GetClientRect(window, &client);
        SetRect(&App.OcrWindow.ImageArea, client.left + 2, client.top + 2, client.right - 4, client.bottom - 23);
        SetRect(&App.OcrWindow.BarArea, client.left + 2, client.bottom - 21, client.right - 4, client.bottom - 2);
        App.OcrWindow.Scale = 0;
        App.OcrWindow.Percent = -1;
        App.OcrWindow.Status[0] = 0;
        return 0;
    }
    case WM_PAINT: OnRecognitionPaint(window); return 0;
    case WM_COMMAND: OnRecognitionCommand(window, LOWORD(wParam), lParam); return 0;
    case WM_DESTROY:
        if (App.OcrWindow.Copy) GlobalFree(App.OcrWindow.Copy);
        App.OcrWindow.Copy = NULL;
        App.OcrWindow.Scale = 0;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
