// The View menu: the four view modes and the zoom of the Card Editor's image, with the
// dashed rectangles that play the zoom on the image pane; and the rubber band they draw with.
#include "views.h"
#include "resource.h"

#define ZOOM_STEP      100
#define ZOOM_FULL      100
#define ZOOM_SMALLEST  1000
#define ANIMATION_STEP 8
#define TRAIL_DELAY    7

void DrawXorFrame(HDC dc, const RECT* rect, int dotted) {
    LOGPEN description = {(UINT)(dotted ? PS_DOT : PS_SOLID), {1, 0}, RGB(0, 0, 0)};
    HPEN pen = CreatePenIndirect(&description);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    int oldMix = SetROP2(dc, dotted ? R2_NOTXORPEN : R2_NOT);
    int oldMapping = SetMapMode(dc, MM_TEXT);
    MoveToEx(dc, rect->left, rect->top, NULL);
    LineTo(dc, rect->right, rect->top);
    LineTo(dc, rect->right, rect->bottom);
    LineTo(dc, rect->left, rect->bottom);
    LineTo(dc, rect->left, rect->top);
    SetMapMode(dc, oldMapping);
    SetROP2(dc, oldMix);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

static void StepRect(RECT* r, const RECT* pane, int by) {
    InflateRect(r, by, by);
    IntersectRect(r, r, pane);
}

// Rectangles grow from the pane's centre; a second one follows seven steps behind and
// erases what the first drew.
static void AnimateZoomIn(HWND pane) {
    RECT client;
    GetClientRect(pane, &client);
    RECT lead = {client.right / 2, client.bottom / 2, client.right / 2, client.bottom / 2}, trail = lead;
    HDC dc = GetDC(pane);
    for (int step = 1; step < 1000; ++step) {
        StepRect(&lead, &client, ANIMATION_STEP);
        DrawXorFrame(dc, &lead, 1);
        if (step >= TRAIL_DELAY + 1) {
            StepRect(&trail, &client, ANIMATION_STEP);
            DrawXorFrame(dc, &trail, 1);
            if (!(trail.left > 0 || trail.top >= 1)) break;
        }
    }
    ReleaseDC(pane, dc);
}

static void AnimateZoomOut(HWND pane) {
    RECT client;
    GetClientRect(pane, &client);
    RECT lead = client, trail = client;
    HDC dc = GetDC(pane);
    for (int step = 1; step < 1000; ++step) {
        InflateRect(&lead, -ANIMATION_STEP, -ANIMATION_STEP);
        if (!IsRectEmpty(&lead)) DrawXorFrame(dc, &lead, 1);
        if (step >= TRAIL_DELAY + 1) {
            InflateRect(&trail, -ANIMATION_STEP, -ANIMATION_STEP);
            if (IsRectEmpty(&trail)) break;
            DrawXorFrame(dc, &trail, 1);
        }
    }
    ReleaseDC(pane, dc);
}

static void OnZoomCommand(int command) {
    if (App.ViewMode != VIEW_CARD_EDITOR || !App.CurrentImage.Pixels) return;
    HWND pane = App.ImagePane && IsWindow(App.ImagePane) ? App.ImagePane : NULL;
    if (command == IDM_ZOOM_IN && App.ImageZoom != ZOOM_FULL) {
        App.ImageZoom -= ZOOM_STEP;
        if (pane) AnimateZoomIn(pane);
    } else if (command == IDM_ZOOM_OUT && App.ImageZoom < ZOOM_SMALLEST) {
        App.ImageZoom += ZOOM_STEP;
        App.ImageScrollX = App.ImageScrollY = 0;
        if (pane) AnimateZoomOut(pane);
    }
    RepaintEditorImageCaption();
    RepaintEditorImage();
}

void OnViewCommand(int command) {
    switch (command) {
    case IDM_VIEW_LIST: SetViewMode(VIEW_CARD_LIST); break;
    case IDM_VIEW_DECK: SetViewMode(VIEW_CARD_DECK); break;
    case IDM_VIEW_EDITOR: SetViewMode(VIEW_CARD_EDITOR); break;
    case IDM_VIEW_ALBUM: SetViewMode(VIEW_CARD_ALBUM); break;
    case IDM_ZOOM_IN:
    case IDM_ZOOM_OUT: OnZoomCommand(command); break;
    }
}
