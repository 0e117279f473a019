// CZemSaveOptn, "Export Options": which card fields a text export writes, as a three-column
// list of check boxes, and whether a row of field names leads the file.
#include "preference_pages.h"
#include "page_layout.h"
#include "prefer_resources.h"

namespace {

void OnInitPage(HWND page, CZemSaveOptn* state) {
    memcpy(state->SaveField, state->Sheet->SaveField, sizeof(state->SaveField));
    HWND list = GetDlgItem(page, IDC_EXPORT_FIELDS);
    for (int i = 0; i < EXPORT_FIELD_COUNT; ++i) SendMessageA(list, LB_ADDSTRING, 0, i);
    CheckDlgButton(page, IDC_FIELD_NAMES, state->Sheet->SaveFieldNames ? BST_CHECKED : BST_UNCHECKED);
}

void OnMeasureItem(HWND page, MEASUREITEMSTRUCT* item) {
    HDC dc = GetDC(page);
    HFONT old = static_cast<HFONT>(SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0))));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(page, dc);
    item->itemHeight = metrics.tmHeight + metrics.tmExternalLeading;
}

void DrawLine(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

// A square box crossed by its diagonals when the field is selected, then its caption.
void OnDrawItem(const CZemSaveOptn* state, const DRAWITEMSTRUCT* item) {
    if (item->itemID >= EXPORT_FIELD_COUNT) return;
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    int side = (r.bottom - r.top) - 4;
    int left = r.left + 2, top = r.top + 2, right = left + side, bottom = top + side;
    HPEN old = static_cast<HPEN>(SelectObject(dc, GetStockObject(BLACK_PEN)));
    DrawLine(dc, left, top, right, top);
    DrawLine(dc, right, top, right, bottom);
    DrawLine(dc, right, bottom, left, bottom);
    DrawLine(dc, left, bottom, left, top);
    if (state->SaveField[item->itemID]) {
        DrawLine(dc, left, top, right, bottom);
        DrawLine(dc, left, bottom, right, top);
    }
    SelectObject(dc, old);
    std::string caption = LoadText(IDS_EXPORT_FIELD_BASE + item->itemID);
    RECT text = {right + 7, r.top, r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void OnSelectionChange(HWND page, CZemSaveOptn* state) {
    HWND list = GetDlgItem(page, IDC_EXPORT_FIELDS);
    int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (index < 0 || index >= EXPORT_FIELD_COUNT) return;
    state->Sheet->SaveField[index] = !state->Sheet->SaveField[index];
    state->SaveField[index] = state->Sheet->SaveField[index];
    RECT r;
    if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(list, &r, TRUE);
}

void Layout(HWND page) {
    PageGrid g = GridOf(page);
    int strip = g.Height / 6;
    int listWidth = g.Width - 2 * LAYOUT_MARGIN;
    PlaceControl(page, IDC_EXPORT_FIELDS, LAYOUT_MARGIN, LAYOUT_MARGIN, listWidth, g.Height - strip - LAYOUT_MARGIN);
    PlaceControl(page, IDC_FIELD_NAMES, LAYOUT_MARGIN, g.Height - strip + (strip - g.Row) / 2, listWidth, g.Row);
    SendDlgItemMessageA(page, IDC_EXPORT_FIELDS, LB_SETCOLUMNWIDTH, listWidth / 3, 0);
}

void OnCommand(HWND page, CZemSaveOptn* state, int id, int code) {
    if (id == IDC_EXPORT_FIELDS && code == LBN_SELCHANGE) OnSelectionChange(page, state);
    if (id == IDC_FIELD_NAMES && code == BN_CLICKED) state->Sheet->SaveFieldNames = !state->Sheet->SaveFieldNames;
}

// The list's rows are measured before the page has its state; they are drawn after.
bool OnOwnerDraw(HWND page, CZemSaveOptn* state, UINT message, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        OnMeasureItem(page, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return true;
    }
    if (message == WM_DRAWITEM) {
        if (state) OnDrawItem(state, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK SaveOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    static const PageHandlers<CZemSaveOptn> handlers = {OnInitPage, Layout, OnCommand, OnOwnerDraw};
    return HandlePageMessage(handlers, page, message, wParam, lParam);
}
