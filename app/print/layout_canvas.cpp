// The template editor's canvas: one label of the template drawn over the window, its items
// selected, moved and resized with the mouse, several gathered with a rubber band.
#include "template_editor.h"
#include "shell.h"
#include "views.h"
#include <array>
#include <utility>
#include <vector>

TEMPLATEEDITOR Editor;

static SIZE CanvasSize(void) {
    RECT client = {0, 0, 0, 0};
    if (App.Print.CanvasWindow) GetClientRect(App.Print.CanvasWindow, &client);
    SIZE size = {client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1};
    return size;
}

void LayoutToCanvas(POINT* points, int count, int toLayout) {
    SIZE canvas = CanvasSize();
    int labelWidth = App.Print.LabelWidth > 0 ? App.Print.LabelWidth : 1;
    int labelHeight = App.Print.LabelHeight > 0 ? App.Print.LabelHeight : 1;
    for (int i = 0; i < count; ++i) {
        if (toLayout) {
            points[i].x = MulDiv(points[i].x, labelWidth, canvas.cx);
            points[i].y = MulDiv(points[i].y, labelHeight, canvas.cy);
        } else {
            points[i].x = MulDiv(points[i].x, canvas.cx, labelWidth);
            points[i].y = MulDiv(points[i].y, canvas.cy, labelHeight);
        }
    }
}

RECT ItemCanvasRect(int index) {
    int32_t r[4] = {0, 0, 0, 0};
    GetLayoutItemProperty(index, LAYOUT_RECT, r);
    POINT corners[2] = {{r[0], r[1]}, {r[2], r[3]}};
    LayoutToCanvas(corners, 2, 0);
    RECT rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return rect;
}

void StoreItemCanvasRect(int index, const RECT* rect) {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LayoutToCanvas(corners, 2, 1);
    int32_t r[4] = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    SetLayoutItemProperty(index, LAYOUT_RECT, r);
}

void MoveItemBy(int index, int dx, int dy) {
    int32_t r[4];
    if (!GetLayoutItemProperty(index, LAYOUT_RECT, r)) return;
    RECT moved = ItemCanvasRect(index);
    OffsetRect(&moved, dx, dy);
    POINT corner = {moved.left, moved.top};
    LayoutToCanvas(&corner, 1, 1);
    int32_t width = r[2] - r[0], height = r[3] - r[1];
    int32_t placed[4] = {corner.x, corner.y, corner.x + width, corner.y + height};
    SetLayoutItemProperty(index, LAYOUT_RECT, placed);
}

void InvalidateItem(int index) {
    RECT r = ItemCanvasRect(index);
    InflateRect(&r, 8, 8);
    InvalidateLayoutItemRect(r);
}

void ClearLayoutSelection(void) {
    if (GetFocusedLayoutItem() != LAYOUT_NONE) InvalidateItem(GetFocusedLayoutItem());
    SetFocusedLayoutItem(LAYOUT_NONE);
    for (int i = 0; i < SelectedItemCount(); ++i) InvalidateItem(GetSelectedItem(i));
    EmptySelection();
}

// The state frames: plain grey, selected (yellow fill and a blue frame), focused (the same
// with four inverted corner handles).
static void DrawItemState(HDC dc, int index, int state) {
    RECT r = ItemCanvasRect(index);
    if (state == 0) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, r.left, r.top, NULL);
        LineTo(dc, r.right, r.top);
        LineTo(dc, r.right, r.bottom);
        LineTo(dc, r.left, r.bottom);
        LineTo(dc, r.left, r.top);
        SelectObject(dc, old);
        DeleteObject(pen);
        return;
    }
    HBRUSH fill = CreateSolidBrush(RGB(255, 255, 192));
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0xA000C9);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FrameRect(dc, &r, blue);
    DeleteObject(blue);
    if (state == 2) {
        POINT corners[4] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.top}, {r.right, r.bottom}};
        for (POINT c : corners) PatBlt(dc, c.x - 3, c.y - 3, 7, 7, DSTINVERT);
    }
}

static void PaintCanvas(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, App.Print.LabelWidth > 0 ? App.Print.LabelWidth : 1,
                   App.Print.LabelHeight > 0 ? App.Print.LabelHeight : 1, NULL);
    SetViewportExtEx(dc, client.right + 1, client.bottom + 1, NULL);
    DrawTemplateItems(dc, 0, 0, 0);
    RestoreDC(dc, saved);
    int focused = GetFocusedLayoutItem();
    LAYOUTITEM* items = LockLayoutItems();
    if (items) {
        for (int i = App.Print.Template.Head; i != LAYOUT_NONE && i < App.Print.Template.Count; i = items[i].Next) {
            if (items[i].Flags & 1) continue;
            int state = focused != LAYOUT_NONE ? (i == focused ? 2 : 0) : (IsItemSelected(i) ? 1 : 0);
            DrawItemState(dc, i, state);
        }
        UnlockLayoutItems();
    }
    EndPaint(window, &paint);
}

// A rectangle whose corners may lie either way round, with left above right and top above bottom.
static RECT Normalized(const RECT* r) {
    RECT n = {r->left < r->right ? r->left : r->right, r->top < r->bottom ? r->top : r->bottom,
              r->left < r->right ? r->right : r->left, r->top < r->bottom ? r->bottom : r->top};
    return n;
}

static void XorFrame(const RECT* r) {
    HDC dc = GetDC(App.Print.CanvasWindow);
    RECT normal = Normalized(r);
    DrawXorFrame(dc, &normal, 0);
    ReleaseDC(App.Print.CanvasWindow, dc);
}

// Where the items of a move lay before it, in layout units, so that a cancelled move can put
// them back exactly.
static std::vector<std::pair<int, std::array<int32_t, 4>>> MovedItemsAtStart;

static void RememberItemPlace(int index) {
    std::array<int32_t, 4> rect;
    if (GetLayoutItemProperty(index, LAYOUT_RECT, rect.data())) MovedItemsAtStart.push_back({index, rect});
}

static void RememberMovedItems(void) {
    MovedItemsAtStart.clear();
    if (SelectedItemCount() == 0) RememberItemPlace(GetFocusedLayoutItem());
    for (int i = 0; i < SelectedItemCount(); ++i) RememberItemPlace(GetSelectedItem(i));
}

static void BeginDrag(int mode, const RECT* frame) {
    if (mode == DRAG_MOVE) RememberMovedItems();
    // Taken before the drag begins: taking it may tell the canvas it changed hands.
    SetCapture(App.Print.CanvasWindow);
    Editor.DragMode = mode;
    Editor.DragRect = *frame;
    if (mode != DRAG_MOVE || SelectedItemCount() == 0) XorFrame(&Editor.DragRect);
    if (App.MoveCursor) SetCursor(App.MoveCursor);
}

// The corner of a rectangle under a point: 1 left-top, 2 left-bottom, 3 right-top,
// 4 right-bottom, 0 none.
static int CornerHit(const RECT* r, POINT p) {
    POINT corners[4] = {{r->left, r->top}, {r->left, r->bottom}, {r->right, r->top}, {r->right, r->bottom}};
    for (int i = 0; i < 4; ++i)
        if (p.x >= corners[i].x - 3 && p.x <= corners[i].x + 3 && p.y >= corners[i].y - 3 && p.y <= corners[i].y + 3)
            return i + 1;
    return 0;
}

static int HitAt(POINT p) {
    LayoutToCanvas(&p, 1, 1);
    return HitTestLayoutItem(p.x, p.y, 0);
}

// With a focused item: Shift adds another to a selection, its corners resize it, its
// inside moves it. Gives 1 when the press was taken.
static int PressOnFocusedItem(POINT p, int shift) {
    int focused = GetFocusedLayoutItem();
    RECT r = ItemCanvasRect(focused);
    if (shift) {
        int hit = HitAt(p);
        if (hit >= 0 && hit != focused) {
            SetFocusedLayoutItem(LAYOUT_NONE);
            AddToSelection(focused);
            AddToSelection(hit);
            InvalidateItem(focused);
            InvalidateItem(hit);
        } else {
            ClearLayoutSelection();
        }
        return 1;
    }
    static const int kCornerModes[] = {0, 1, 3, 7, 9};
    if (int corner = CornerHit(&r, p)) {
        InvalidateItem(focused);
        UpdateWindow(App.Print.CanvasWindow);
        BeginDrag(kCornerModes[corner], &r);
        return 1;
    }
    if (PtInRect(&r, p)) {
        BeginDrag(DRAG_MOVE, &r);
        return 1;
    }
    ClearLayoutSelection();
    return 0;
}

static void OnButtonDown(POINT p, int shift) {
    if (Editor.DragMode != DRAG_NONE) return;
    Editor.Anchor = Editor.Last = p;
    if (GetFocusedLayoutItem() != LAYOUT_NONE && PressOnFocusedItem(p, shift)) {
        UpdateEditorButtons();
        return;
    }
    int hit = HitAt(p);
    if (hit >= 0 && SelectedItemCount() > 0) {
        if (shift) {
            if (IsItemSelected(hit)) RemoveFromSelection(hit);
            else AddToSelection(hit);
            InvalidateItem(hit);
        } else if (IsItemSelected(hit)) {
            GetSelectionBounds(&Editor.BoundsAtStart);
            BeginDrag(DRAG_MOVE, &Editor.BoundsAtStart);
        } else {
            ClearLayoutSelection();
            SetFocusedLayoutItem(hit);
            InvalidateItem(hit);
        }
    } else if (hit >= 0) {
        SetFocusedLayoutItem(hit);
        InvalidateItem(hit);
        RECT r = ItemCanvasRect(hit);
        BeginDrag(DRAG_MOVE, &r);
    } else {
        if (SelectedItemCount() > 0) ClearLayoutSelection();
        RECT band = {p.x, p.y, p.x, p.y};
        BeginDrag(DRAG_RUBBER, &band);
    }
    UpdateEditorButtons();
}

static int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

static void OnMouseMove(POINT p) {
    SIZE canvas = CanvasSize();
    RECT* r = &Editor.DragRect;
    switch (Editor.DragMode) {
    case 1:
    case 3:
    case 7:
    case 9:
        XorFrame(r);
        if (Editor.DragMode <= 3) r->left = Clamp(p.x, 0, r->right);
        else r->right = Clamp(p.x, r->left, canvas.cx);
        if (Editor.DragMode == 1 || Editor.DragMode == 7) r->top = Clamp(p.y, 0, r->bottom);
        else r->bottom = Clamp(p.y, r->top, canvas.cy);
        XorFrame(r);
        break;
    case DRAG_MOVE: {
        int dx = p.x - Editor.Last.x, dy = p.y - Editor.Last.y;
        if (SelectedItemCount() == 0) XorFrame(r);
        OffsetRect(r, dx, dy);
        if (SelectedItemCount() == 0) {
            MoveItemBy(GetFocusedLayoutItem(), dx, dy);
            XorFrame(r);
        } else {
            for (int i = 0; i < SelectedItemCount(); ++i) {
                InvalidateItem(GetSelectedItem(i));
                MoveItemBy(GetSelectedItem(i), dx, dy);
                InvalidateItem(GetSelectedItem(i));
            }
        }
        Editor.Last = p;
        break;
    }
    case DRAG_RUBBER:
        XorFrame(r);
        r->right = p.x;
        r->bottom = p.y;
        XorFrame(r);
        break;
    }
}

static void DeleteFocusedItem(void) {
    int focused = GetFocusedLayoutItem();
    uint8_t flags = 0;
    GetLayoutItemProperty(focused, LAYOUT_FLAGS, &flags);
    flags |= 1;
    SetLayoutItemProperty(focused, LAYOUT_FLAGS, &flags);
    --App.Print.Template.Live;
    ClearLayoutSelection();
}

static void OnButtonUp(void) {
    RECT* r = &Editor.DragRect;
    int focused = GetFocusedLayoutItem();
    switch (Editor.DragMode) {
    case 1:
    case 3:
    case 7:
    case 9:
        XorFrame(r);
        if (IsRectEmpty(r)) {
            InvalidateItem(focused);
            DeleteFocusedItem();
        } else {
            InvalidateItem(focused);
            StoreItemCanvasRect(focused, r);
            RECT shown = *r;
            InflateRect(&shown, 4, 4);
            InvalidateLayoutItemRect(shown);
        }
        break;
    case DRAG_MOVE:
        if (SelectedItemCount() == 0) {
            XorFrame(r);
            InvalidateLayoutItemRect(Editor.BoundsAtStart);
            InvalidateItem(focused);
            InvalidateRect(App.Print.CanvasWindow, NULL, FALSE);
        }
        break;
    case DRAG_RUBBER: {
        XorFrame(r);
        RECT normal = Normalized(r);
        POINT corners[2] = {{normal.left, normal.top}, {normal.right, normal.bottom}};
        LayoutToCanvas(corners, 2, 1);
        RECT band = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        int count = SelectItemsInRect(&band);
        if (count == 1) {
            SetFocusedLayoutItem(GetSelectedItem(0));
            EmptySelection();
            InvalidateItem(GetFocusedLayoutItem());
        } else {
            for (int i = 0; i < count; ++i) InvalidateItem(GetSelectedItem(i));
        }
        break;
    }
    }
    // The drag is over before the capture goes, so that losing it now cancels nothing.
    int dragging = Editor.DragMode != DRAG_NONE;
    Editor.DragMode = DRAG_NONE;
    if (dragging) ReleaseCapture();
    UpdateEditorButtons();
}

// Another window took the mouse in the middle of a drag (a message box, a window switch):
// the drag ends as if it never began, and a later button-up applies nothing.
static void CancelDrag(void) {
    int mode = Editor.DragMode;
    if (mode == DRAG_NONE) return;
    Editor.DragMode = DRAG_NONE;
    if (mode != DRAG_MOVE || SelectedItemCount() == 0) XorFrame(&Editor.DragRect);
    if (mode == DRAG_MOVE)
        for (const auto& moved : MovedItemsAtStart)
            SetLayoutItemProperty(moved.first, LAYOUT_RECT, moved.second.data());
    MovedItemsAtStart.clear();
    InvalidateRect(App.Print.CanvasWindow, NULL, TRUE);
    UpdateEditorButtons();
}

LRESULT CALLBACK LayoutCanvasWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT p = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    switch (message) {
    case WM_PAINT: PaintCanvas(window); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(p, (wParam & MK_SHIFT) != 0); return 0;
    case WM_MOUSEMOVE:
        if (Editor.DragMode != DRAG_NONE) OnMouseMove(p);
        return 0;
    case WM_LBUTTONUP: OnButtonUp(); return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != window) CancelDrag();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void GetSelectionBounds(RECT* bounds) {
    SetRectEmpty(bounds);
    for (int i = 0; i < SelectedItemCount(); ++i) {
        RECT r = ItemCanvasRect(GetSelectedItem(i));
        if (i == 0) *bounds = r;
        else UnionRect(bounds, bounds, &r);
    }
}
