// The glyph pane: split and merge modes show the bitmap 1:1 around the current character with
// the line's character boxes; erase mode shows the character's pixels enlarged, to be painted
// white cell by cell. Each edit goes to the engine and ends with the refresh command 1017.
#include "glyph_pane.h"
#include "resource_ids.h"
#include "result_edits.h"
#include "engine_memory.h"
#include <string.h>
#include <vector>

namespace {

const int kModeCursors[] = {IDC_CURSOR_SPLIT, IDC_CURSOR_MERGE, IDC_CURSOR_ERASE};

RecogLine* CurrentLine(Editor& e) {
    if (!e.Lines.Slots || e.CurrentLine < 0 || e.CurrentLine >= e.Lines.TotalLines) return nullptr;
    return &e.Lines.Slots[e.CurrentLine];
}

// The current character while it still belongs to the current line (edits may have freed it).
RecogChar* CurrentCharacter(Editor& e) {
    RecogLine* line = CurrentLine(e);
    for (RecogChar* c = line ? line->FirstChar : nullptr; c; c = c->Next)
        if (c == e.GlyphChar) return c;
    return nullptr;
}

// Pane point of an image point, and back (split and merge modes).
POINT ToPane(const Editor& e, int x, int y) {
    return POINT{x - e.GlyphOrigin.x + e.GlyphMargin.x, y - e.GlyphOrigin.y + e.GlyphMargin.y};
}
POINT ToBitmap(const Editor& e, POINT at) {
    return POINT{at.x - e.GlyphMargin.x + e.GlyphOrigin.x, at.y - e.GlyphMargin.y + e.GlyphOrigin.y};
}

RECT PaneBox(const Editor& e, const RecogBox& box) {
    POINT a = ToPane(e, box.left, box.top), b = ToPane(e, box.right, box.bottom);
    return RECT{a.x, a.y, b.x + 1, b.y + 1};
}

// Per direction: a bitmap smaller than the pane is centred; a larger one is viewed from an
// origin that centres the character, kept inside the bitmap.
void PlaceView(int paneSize, int bitmapSize, int centre, LONG& origin, LONG& margin) {
    if (bitmapSize < paneSize) {
        origin = 0;
        margin = (paneSize - bitmapSize) / 2;
        return;
    }
    margin = 0;
    int o = centre - paneSize / 2;
    origin = o < 0 ? 0 : o > bitmapSize - paneSize ? bitmapSize - paneSize : o;
}

void PaintBoxes(Editor& e, HDC dc, RecogChar* current) {
    COLORREF colour = e.GlyphMode == 1 ? RGB(159, 159, 159) : RGB(0, 0, 255);
    HBRUSH line = CreateSolidBrush(colour), red = CreateSolidBrush(RGB(255, 0, 0));
    for (RecogChar* c = CurrentLine(e)->FirstChar; c; c = c->Next) {
        RECT box = PaneBox(e, c->Rect);
        FrameRect(dc, &box, c == current ? red : line);
    }
    DeleteObject(line);
    DeleteObject(red);
}

void Paint(Editor& e, HDC dc) {
    RECT client;
    GetClientRect(e.GlyphPane, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    RecogChar* current = CurrentCharacter(e);
    if (!e.GlyphBitmap || !current) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, e.GlyphBitmap);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    const RecogBox& box = current->Rect;
    if (e.GlyphMode == 3) {
        int w = box.right - box.left + 1, h = box.bottom - box.top + 1;
        int cell = w > 0 && h > 0 ? (client.right / w < client.bottom / h ? client.right / w : client.bottom / h) : 0;
        e.GlyphCell = cell < 1 ? 1 : cell;
        int x = (client.right - e.GlyphCell * w) / 2, y = (client.bottom - e.GlyphCell * h) / 2;
        e.GlyphArea = RECT{x, y, x + e.GlyphCell * w, y + e.GlyphCell * h};
        StretchBlt(dc, x, y, e.GlyphCell * w, e.GlyphCell * h, memory, box.left, box.top, w, h, SRCCOPY);
    } else {
        PlaceView(client.right, e.GlyphWidth, (box.left + box.right) / 2, e.GlyphOrigin.x, e.GlyphMargin.x);
        PlaceView(client.bottom, e.GlyphHeight, (box.top + box.bottom) / 2, e.GlyphOrigin.y, e.GlyphMargin.y);
        int w = e.GlyphWidth < client.right ? e.GlyphWidth : client.right;
        int h = e.GlyphHeight < client.bottom ? e.GlyphHeight : client.bottom;
        BitBlt(dc, e.GlyphMargin.x, e.GlyphMargin.y, w, h, memory, e.GlyphOrigin.x, e.GlyphOrigin.y, SRCCOPY);
        PaintBoxes(e, dc, current);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

void Refresh(Editor& e) { SendMessageA(e.Dialog, WM_COMMAND, IDC_REFRESH, 0); }

// The cut line of a split, drawn so that drawing it again takes it away.
void DrawCut(Editor& e, const RECT& box, POINT at) {
    HDC dc = GetDC(e.GlyphPane);
    SetROP2(dc, R2_NOTXORPEN);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    if (e.GlyphOrientation == 1) {
        MoveToEx(dc, at.x, box.top, nullptr);
        LineTo(dc, at.x, box.bottom);
    } else {
        MoveToEx(dc, box.left, at.y, nullptr);
        LineTo(dc, box.right, at.y);
    }
    SelectObject(dc, old);
    DeleteObject(red);
    ReleaseDC(e.GlyphPane, dc);
}

void DrawBand(Editor& e) {
    HDC dc = GetDC(e.GlyphPane);
    SetROP2(dc, R2_NOT);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, e.GlyphAnchor.x < e.GlyphPoint.x ? e.GlyphAnchor.x : e.GlyphPoint.x,
              e.GlyphAnchor.y < e.GlyphPoint.y ? e.GlyphAnchor.y : e.GlyphPoint.y,
              (e.GlyphAnchor.x > e.GlyphPoint.x ? e.GlyphAnchor.x : e.GlyphPoint.x) + 1,
              (e.GlyphAnchor.y > e.GlyphPoint.y ? e.GlyphAnchor.y : e.GlyphPoint.y) + 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    ReleaseDC(e.GlyphPane, dc);
}

POINT Clamped(POINT at, const RECT& box) {
    at.x = at.x < box.left ? box.left : at.x >= box.right ? box.right - 1 : at.x;
    at.y = at.y < box.top ? box.top : at.y >= box.bottom ? box.bottom - 1 : at.y;
    return at;
}

void Split(Editor& e, UINT message, POINT at, RecogChar* current) {
    RECT box = PaneBox(e, current->Rect);
    if (message == WM_LBUTTONDOWN) {
        if (!PtInRect(&box, at)) return;
        e.GlyphTracking = true;
        e.GlyphPoint = at;
        SetCapture(e.GlyphPane);
        DrawCut(e, box, at);
        return;
    }
    DrawCut(e, box, e.GlyphPoint);
    e.GlyphPoint = Clamped(at, box);
    if (message == WM_MOUSEMOVE) return DrawCut(e, box, e.GlyphPoint);
    POINT cut = ToBitmap(e, e.GlyphPoint);
    split_and_recognize(e.Lines.Page, CurrentLine(e), current, cut.x, cut.y, e.GlyphOrientation == 1 ? 0 : 1, 0);
    Refresh(e);
}

bool Intersects(const RecogBox& box, const RECT& band) {
    return box.left <= band.right && band.left <= box.right && box.top <= band.bottom && band.top <= box.bottom;
}

void Merge(Editor& e, UINT message, POINT at) {
    if (message == WM_LBUTTONDOWN) {
        e.GlyphTracking = true;
        e.GlyphAnchor = e.GlyphPoint = at;
        SetCapture(e.GlyphPane);
        DrawBand(e);
        return;
    }
    DrawBand(e);
    e.GlyphPoint = at;
    if (message == WM_MOUSEMOVE) return DrawBand(e);
    POINT a = ToBitmap(e, e.GlyphAnchor), b = ToBitmap(e, at);
    RECT band = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x > b.x ? a.x : b.x, a.y > b.y ? a.y : b.y};
    RecogChar *first = nullptr, *last = nullptr;
    for (RecogChar* c = CurrentLine(e)->FirstChar; c; c = c->Next) {
        if (Intersects(c->Rect, band)) {
            if (!first) first = c;
            last = c;
        } else if (first) {
            break;  // the run ends at the first character the band leaves out
        }
    }
    if (first && last != first) {
        merge_and_recognize(e.Lines.Page, CurrentLine(e), first, last);
        e.GlyphChar = first;
    }
    Refresh(e);
}

// Paints the cell under the pointer white, on the pane and in the glyph bitmap.
void EraseCell(Editor& e, POINT at, RecogChar* current) {
    if (!PtInRect(&e.GlyphArea, at)) return;
    int cx = (at.x - e.GlyphArea.left) / e.GlyphCell, cy = (at.y - e.GlyphArea.top) / e.GlyphCell;
    HDC dc = GetDC(e.GlyphPane);
    RECT cell = {e.GlyphArea.left + cx * e.GlyphCell, e.GlyphArea.top + cy * e.GlyphCell, 0, 0};
    cell.right = cell.left + e.GlyphCell;
    cell.bottom = cell.top + e.GlyphCell;
    FillRect(dc, &cell, (HBRUSH)GetStockObject(WHITE_BRUSH));
    ReleaseDC(e.GlyphPane, dc);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, e.GlyphBitmap);
    SetPixel(memory, current->Rect.left + cx, current->Rect.top + cy, RGB(255, 255, 255));
    SelectObject(memory, old);
    DeleteDC(memory);
}

// The erased character's rows go back into the page's bank, inside the image's rows and bytes.
void WriteBack(Editor& e, const RecogBox& box) {
    const RecogImageInfo& image = e.Lines.Page->Image;
    int stride = (e.GlyphWidth + 15) / 16 * 2;
    std::vector<BYTE> bits((size_t)stride * e.GlyphHeight);
    GetBitmapBits(e.GlyphBitmap, (LONG)bits.size(), bits.data());
    int rowBytes = image.BwBytesPerRow < stride ? image.BwBytesPerRow : stride;
    int top = box.top < 0 ? 0 : box.top, bottom = box.bottom >= e.GlyphHeight ? e.GlyphHeight - 1 : box.bottom;
    int first = box.left < 0 ? 0 : box.left / 8, last = box.right / 8 >= rowBytes ? rowBytes - 1 : box.right / 8;
    for (int y = top; y <= bottom; ++y) {
        uint8_t* row = mem_get_bank(image.BwBank, y, 0, 1);
        if (!row) continue;
        for (int b = first; b <= last; ++b) row[b] = (uint8_t)~bits[(size_t)y * stride + b];
    }
}

void Erase(Editor& e, UINT message, POINT at, RecogChar* current) {
    if (message == WM_LBUTTONDOWN) {
        if (!PtInRect(&e.GlyphArea, at)) return;
        e.GlyphTracking = true;
        SetCapture(e.GlyphPane);
        return EraseCell(e, at, current);
    }
    if (message == WM_MOUSEMOVE) return EraseCell(e, at, current);
    WriteBack(e, current->Rect);
    erase_and_recognize(e.Lines.Page, CurrentLine(e), current);
    Refresh(e);
}

void Mouse(Editor& e, UINT message, POINT at) {
    RecogChar* current = CurrentCharacter(e);
    if (!e.GlyphBitmap || !current || !e.Lines.Page) return;
    if (message == WM_LBUTTONDOWN && e.GlyphTracking) return;  // one gesture at a time
    if (message != WM_LBUTTONDOWN && !e.GlyphTracking) return;
    if (message == WM_LBUTTONUP) {
        e.GlyphTracking = false;
        ReleaseCapture();
    }
    if (e.GlyphMode == 1) Split(e, message, at, current);
    else if (e.GlyphMode == 2) Merge(e, message, at);
    else Erase(e, message, at, current);
}

LRESULT CALLBACK GlyphPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor* e = g_editor;
    if (!e || e->GlyphPane != window) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(*e, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: Mouse(*e, message, POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)}); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateGlyphPane(Editor& e) {
    WNDCLASSA pane = {};
    if (!GetClassInfoA(g_module, "ReglyphGlyphPane", &pane)) {
        pane.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        pane.lpfnWndProc = GlyphPaneProc;
        pane.hInstance = g_module;
        pane.hCursor = LoadCursorA(g_module, MAKEINTRESOURCEA(kModeCursors[0]));
        pane.lpszClassName = "ReglyphGlyphPane";
        RegisterClassA(&pane);
    }
    e.GlyphPane = CreateWindowExA(0, "ReglyphGlyphPane", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, e.Dialog,
                                  (HMENU)(INT_PTR)ID_GLYPH_PANE, g_module, nullptr);
    return e.GlyphPane;
}

void FreeGlyphBitmap(Editor& e) {
    if (e.GlyphBitmap) DeleteObject(e.GlyphBitmap);
    e.GlyphBitmap = nullptr;
    e.GlyphWidth = e.GlyphHeight = 0;
}

void BuildGlyphBitmap(Editor& e) {
    FreeGlyphBitmap(e);
    if (!e.Lines.Page) return;
    const RecogImageInfo& image = e.Lines.Page->Image;
    int w = image.Width, h = image.Height;
    if (!image.BwRows || w < 1 || h < 1 || image.BwBytesPerRow < (w + 7) / 8) return;
    const BYTE* rows = static_cast<const BYTE*>(GlobalLock(image.BwRows));
    if (!rows) return;
    int stride = (w + 15) / 16 * 2, copy = (w + 7) / 8;
    std::vector<BYTE> bits((size_t)stride * h, 0xFF);
    for (int y = 0; y < h; ++y)
        for (int b = 0; b < copy; ++b) bits[(size_t)y * stride + b] = (BYTE)~rows[(size_t)y * image.BwBytesPerRow + b];
    GlobalUnlock(image.BwRows);
    e.GlyphBitmap = CreateBitmap(w, h, 1, 1, bits.data());
    if (!e.GlyphBitmap) return;
    e.GlyphWidth = w;
    e.GlyphHeight = h;
}

void SetGlyphCharacter(Editor& e, RecogChar* character) {
    e.GlyphChar = character;
    RecogLine* line = CurrentLine(e);
    e.GlyphOrientation = line && line->Orientation == 'v' ? 2 : 1;
    if (e.GlyphPane) InvalidateRect(e.GlyphPane, nullptr, FALSE);
}

void SetGlyphMode(Editor& e, int mode) {
    e.GlyphMode = mode;
    SetClassLongPtrA(e.GlyphPane, GCLP_HCURSOR,
                     (LONG_PTR)LoadCursorA(g_module, MAKEINTRESOURCEA(kModeCursors[mode - 1])));
    InvalidateRect(e.GlyphPane, nullptr, FALSE);
}
