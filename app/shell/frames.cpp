// Frame drawing shared by the status bar, the views and the printing code.
#include "shell.h"

void DrawFrameWithPens(HDC dc, int left, int top, int right, int bottom, HPEN topLeft, HPEN bottomRight) {
    int saved = SaveDC(dc);
    SelectObject(dc, topLeft);
    MoveToEx(dc, right - 1, top, NULL);
    LineTo(dc, left, top);
    LineTo(dc, left, bottom - 1);
    SelectObject(dc, bottomRight);
    MoveToEx(dc, right - 1, top, NULL);
    LineTo(dc, right - 1, bottom - 1);
    LineTo(dc, left, bottom - 1);
    RestoreDC(dc, saved);
}

static void DrawFrameInColours(HDC dc, int left, int top, int right, int bottom, COLORREF topLeft,
                               COLORREF bottomRight) {
    HPEN first = CreatePen(PS_SOLID, 1, topLeft);
    HPEN second = CreatePen(PS_SOLID, 1, bottomRight);
    DrawFrameWithPens(dc, left, top, right, bottom, first, second);
    DeleteObject(first);
    DeleteObject(second);
}

void DrawSunkenFrame(HDC dc, int left, int top, int right, int bottom, int highlighted) {
    if (highlighted) DrawFrameInColours(dc, left, top, right, bottom, RGB(128, 0, 0), RGB(255, 128, 128));
    else DrawFrameInColours(dc, left, top, right, bottom, RGB(128, 128, 128), RGB(255, 255, 255));
}

void DrawRaisedFrame(HDC dc, int left, int top, int right, int bottom) {
    DrawFrameInColours(dc, left, top, right, bottom, RGB(255, 255, 255), RGB(128, 128, 128));
}

// The template editor's canvas repaints an item's area with room for its frame and handles.
void InvalidateLayoutItemRect(RECT rect) {
    if (!App.Print.CanvasWindow) return;
    InflateRect(&rect, 16, 16);
    InvalidateRect(App.Print.CanvasWindow, &rect, FALSE);
}
