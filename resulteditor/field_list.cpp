// The field list: rows of the current tab, owner-drawn, the field menu and moving fields.
#include "field_list.h"
#include "editor_dialog.h"
#include "glyph_pane.h"
#include "image_window.h"
#include "line_editor.h"
#include "page_nodes.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <string.h>

namespace {

constexpr int kRowHeight = 24;
constexpr int kNameColumnWidth = 100;

int RowCount(const Editor& e) {
    return e.CurrentTab ? e.Lines.TotalLines - e.Lines.PrimaryLines : e.Lines.PrimaryLines;
}

// Column 0: the field kind's name, on the first tab with " 2" or " 3" by ordinal.
void RowName(const Editor& e, int slot, char* text, int size) {
    FieldKindName(e.Lines.Slots[slot].FieldKind, text, size);
    if (slot >= e.Lines.PrimaryLines || !text[0]) return;
    int ordinal = e.Lines.Ordinals[slot];
    if (ordinal == 1) strncat(text, " 2", size - strlen(text) - 1);
    if (ordinal == 2) strncat(text, " 3", size - strlen(text) - 1);
}

void RowText(const Editor& e, int slot, char* text, int size) { LineText(&e.Lines.Slots[slot], text, size, 255); }

void SetRow(Editor& e, int row, bool insert) {
    int slot = SlotOfRow(e, row);
    char name[64], text[260];
    RowName(e, slot, name, sizeof name);
    RowText(e, slot, text, sizeof text);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = name;
    SendMessageA(e.List, insert ? LVM_INSERTITEMA : LVM_SETITEMA, 0, (LPARAM)&item);
    item.iSubItem = 1;
    item.pszText = text;
    SendMessageA(e.List, LVM_SETITEMA, 0, (LPARAM)&item);
}

// The row's text cell in list coordinates, as the in-place editor covers it.
RECT TextCell(const Editor& e, int row) {
    RECT cell = {};
    cell.top = 1;
    cell.left = LVIR_BOUNDS;
    SendMessageA(e.List, LVM_GETSUBITEMRECT, row, (LPARAM)&cell);
    InflateRect(&cell, -4, -1);
    cell.right += 4;
    return cell;
}

void EnsureRowFont(Editor& e, int rowHeight) {
    if (e.RowFont && e.RowFontHeight == rowHeight) return;
    if (e.RowFont) DeleteObject(e.RowFont);
    e.RowFontHeight = rowHeight;
    e.RowFont = CreateFontA(rowHeight - 8, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "新細明體");
    if (e.LineEdit) SendMessageA(e.LineEdit, WM_SETFONT, (WPARAM)e.RowFont, TRUE);
}

void DrawRow(Editor& e, const DRAWITEMSTRUCT& item) {
    int slot = SlotOfRow(e, item.itemID);
    if (slot < 0 || slot >= e.Lines.TotalLines) return;
    EnsureRowFont(e, item.rcItem.bottom - item.rcItem.top);
    HDC dc = item.hDC;
    HGDIOBJ oldFont = SelectObject(dc, e.RowFont);
    SetBkMode(dc, TRANSPARENT);
    int width = (int)SendMessageA(e.List, LVM_GETCOLUMNWIDTH, 0, 0);
    RECT name = {item.rcItem.left, item.rcItem.top, item.rcItem.left + width, item.rcItem.bottom};
    FillRect(dc, &name, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdges(dc, name, RGB(255, 255, 255), RGB(127, 127, 127));  // raised
    char text[260];
    RowName(e, slot, text, sizeof text);
    TextOutA(dc, name.left + 3, name.top + 3, text, lstrlenA(text));
    RECT cell = {name.right + 4, item.rcItem.top + 1, item.rcItem.right, item.rcItem.bottom - 1};
    FillRect(dc, &cell, (HBRUSH)GetStockObject(WHITE_BRUSH));
    FrameRect(dc, &cell, (HBRUSH)GetStockObject(GRAY_BRUSH));
    RowText(e, slot, text, sizeof text);
    RECT clip = cell;
    InflateRect(&clip, -1, -1);
    ExtTextOutA(dc, name.right + 5, item.rcItem.top + 2, ETO_CLIPPED, &clip, text, lstrlenA(text), nullptr);
    SelectObject(dc, oldFont);
}

void ShowFieldMenu(Editor& e, int slot) {
    if (!e.FieldMenu) return;
    e.RightClickSlot = slot;
    POINT at;
    GetCursorPos(&at);
    int chosen = TrackPopupMenu(e.FieldMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                e.FieldList, nullptr);
    int b = chosen - IDC_FIELD_MENU_BASE;
    if (chosen && b >= 0 && b < e.Lines.PrimaryLines) MoveField(e, slot, b);
}

// Set while SelectRow selects its row in the list, whose change note would select it again.
bool g_selectingRow = false;

void Notify(Editor& e, const NMHDR& note) {
    if (note.idFrom != IDC_FIELD_LIST) return;
    if (note.code == LVN_ITEMCHANGED) {
        const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(note);
        bool selected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
        if (selected && !g_selectingRow) SelectRow(e, change.iItem);
    } else if (note.code == NM_RCLICK) {
        const NMITEMACTIVATE& click = reinterpret_cast<const NMITEMACTIVATE&>(note);
        int width = (int)SendMessageA(e.List, LVM_GETCOLUMNWIDTH, 0, 0);
        if (click.iItem >= 0 && click.ptAction.x < width) ShowFieldMenu(e, SlotOfRow(e, click.iItem));
    } else if (note.code == LVN_ENDSCROLL) {
        int row = (int)SendMessageA(e.List, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
        if (row >= 0 && e.LineEditor && IsWindowVisible(e.LineEditor)) {
            RECT cell = TextCell(e, row);
            if (cell.bottom < 6) SetRectEmpty(&cell);
            SetWindowPos(e.LineEditor, nullptr, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

// The font the rows' texts are drawn in (the list's own until a row has been drawn).
HFONT RowTextFont(const Editor& e) {
    return e.RowFont ? e.RowFont : reinterpret_cast<HFONT>(SendMessageA(e.List, WM_GETFONT, 0, 0));
}

// A press at x (list coordinates) picks the current line's character under it: the line's text
// is measured a character at a time from the in-place editor's left edge, and the first
// character whose running width passes the pointer is taken. Past the end nothing is picked.
void PickInRow(Editor& e, int x) {
    if (e.CurrentLine < 0 || !e.LineEditor || !IsWindowVisible(e.LineEditor)) return;
    RECT editor;
    GetWindowRect(e.LineEditor, &editor);
    MapWindowPoints(nullptr, e.List, reinterpret_cast<POINT*>(&editor), 2);
    int distance = x - editor.left;
    char text[260];
    RowText(e, e.CurrentLine, text, sizeof text);
    HDC dc = GetDC(e.List);
    HGDIOBJ old = SelectObject(dc, RowTextFont(e));
    int width = 0, picked = -1;
    for (int offset = 0, index = 0; text[offset] && picked < 0; ++index) {
        int length = IsDBCSLeadByte((BYTE)text[offset]) && text[offset + 1] ? 2 : 1;
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text + offset, length, &size);
        width += size.cx;
        if (width > distance) picked = index;
        offset += length;
    }
    SelectObject(dc, old);
    ReleaseDC(e.List, dc);
    if (picked >= 0) PickCharacter(e, picked);
}

// The list takes a press first (it selects the row and the in-place editor moves there); the
// press then picks a character of that row's line.
WNDPROC g_listProc = nullptr;

LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    // Around and below the rows the list shows the dialog's tiles.
    if (message == WM_ERASEBKGND && g_editor && g_editor->List == list) {
        TileLikeDialog(*g_editor, list, (HDC)wParam);
        return 1;
    }
    LRESULT result = CallWindowProcA(g_listProc, list, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN && g_editor && g_editor->List == list) PickInRow(*g_editor, (short)LOWORD(lParam));
    return result;
}

void SizeList(Editor& e) {
    RECT client;
    GetClientRect(e.FieldList, &client);
    MoveWindow(e.List, 0, 0, client.right, client.bottom, TRUE);
    RECT inner;
    GetClientRect(e.List, &inner);
    SendMessageA(e.List, LVM_SETCOLUMNWIDTH, 0, kNameColumnWidth);
    SendMessageA(e.List, LVM_SETCOLUMNWIDTH, 1, client.right - kNameColumnWidth - GetSystemMetrics(SM_CXVSCROLL) - 4);
}

INT_PTR CALLBACK FieldListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor* e = g_editor;
    if (!e) return FALSE;
    switch (message) {
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        RECT client = {};
        if (e->List) GetClientRect(e->List, &client);
        measure.itemHeight = client.bottom < kRowHeight ? kRowHeight : client.bottom / (client.bottom / kRowHeight);
        return TRUE;
    }
    case WM_DRAWITEM: DrawRow(*e, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_NOTIFY: Notify(*e, *reinterpret_cast<NMHDR*>(lParam)); return TRUE;
    case WM_SIZE:
        if (e->List) SizeList(*e);
        return TRUE;
    case WM_COMMAND: {
        int row = (int)SendMessageA(e->List, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
        if (LOWORD(wParam) == IDC_PREVIOUS_ROW && row > 0) SelectRow(*e, row - 1);
        if (LOWORD(wParam) == IDC_NEXT_ROW && row + 1 < RowCount(*e)) SelectRow(*e, row + 1);
        return TRUE;
    }
    }
    return FALSE;
}

}  // namespace

void CreateFieldList(Editor& e) {
    e.FieldList = CreateDialogParamA(g_module, MAKEINTRESOURCEA(IDD_FIELD_LIST), e.Tabs, FieldListProc, 0);
    e.List = GetDlgItem(e.FieldList, IDC_FIELD_LIST);
    SendMessageA(e.List, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageA(e.List, LVM_SETBKCOLOR, 0, CLR_NONE);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = kNameColumnWidth;
    SendMessageA(e.List, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    SendMessageA(e.List, LVM_INSERTCOLUMNA, 1, (LPARAM)&column);
    g_listProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(e.List, GWLP_WNDPROC, (LONG_PTR)ListProc));
    CreateLineEditor(e);
}

void FitFieldList(Editor& e) {
    RECT area;
    GetClientRect(e.Tabs, &area);
    SendMessageA(e.Tabs, TCM_ADJUSTRECT, FALSE, (LPARAM)&area);
    RECT tabRow = {};
    SendMessageA(e.Tabs, TCM_GETITEMRECT, 0, (LPARAM)&tabRow);
    int top = tabRow.bottom + 1, left = area.left + 2, width = area.right - area.left - 4;
    int height = area.bottom - top;
    height = height < 2 ? height : (height - 2) / kRowHeight * kRowHeight + 2;
    MoveWindow(e.FieldList, left, top, width, height, TRUE);
}

void FillFieldList(Editor& e) {
    // Drawn once when all rows are in, not once per row taken out or put in.
    SendMessageA(e.List, WM_SETREDRAW, FALSE, 0);
    SendMessageA(e.List, LVM_DELETEALLITEMS, 0, 0);
    HideLineEditor(e);
    e.CurrentLine = -1;
    SetGlyphCharacter(e, nullptr);
    if (e.Lines.Slots) {
        SendMessageA(e.List, LVM_SETITEMCOUNT, RowCount(e), 0);
        for (int row = 0; row < RowCount(e); ++row) SetRow(e, row, true);
    }
    SendMessageA(e.List, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(e.List, nullptr, TRUE);
    if (!e.Lines.Slots) return;
    // Selecting the first row shows its candidates; without rows the buttons go.
    if (RowCount(e) > 0) SelectRow(e, 0);
    else ShowCandidates(e, 0);
}

void SelectRow(Editor& e, int row) {
    if (row < 0 || row >= RowCount(e)) return;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    int slot = SlotOfRow(e, row);
    e.CurrentLine = slot;
    g_selectingRow = true;
    SendMessageA(e.List, LVM_SETITEMSTATE, row, (LPARAM)&state);
    g_selectingRow = false;
    SendMessageA(e.List, LVM_ENSUREVISIBLE, row, FALSE);
    RecogLine& line = e.Lines.Slots[slot];
    if (line.Rect.left >= line.Rect.right || line.Rect.top >= line.Rect.bottom) line.Rect = RecogBox{0, 0, 0, 0};
    ShowRegion(e, RECT{line.Rect.left, line.Rect.top, line.Rect.right, line.Rect.bottom});
    char text[260];
    RowText(e, slot, text, sizeof text);
    e.CurrentChar = 0;
    PlaceLineEditor(e, TextCell(e, row), text);
    ShowCandidates(e, 0);
}

void BuildFieldMenu(Editor& e) {
    if (!e.FieldMenu) return;
    while (GetMenuItemCount(e.FieldMenu) > 0) DeleteMenu(e.FieldMenu, 0, MF_BYPOSITION);
    char name[64];
    for (int slot = 0; slot < e.Lines.PrimaryLines; ++slot) {
        RowName(e, slot, name, sizeof name);
        AppendMenuA(e.FieldMenu, MF_STRING, IDC_FIELD_MENU_BASE + slot, name);
    }
}

void MoveField(Editor& e, int a, int b) {
    RecogLine* slots = e.Lines.Slots;
    if (!slots || a < 0 || b < 0 || a >= e.Lines.TotalLines || b >= e.Lines.TotalLines || a == b) return;
    RecogLine moved = slots[a];
    if (slots[a].FieldKind == slots[b].FieldKind) {
        slots[a] = slots[b];
        slots[b] = moved;
    } else if (a < e.Lines.PrimaryLines) {
        // b takes a's line under its own kind; a keeps its kind, emptied. b's former text is
        // overwritten, so its characters go back to the engine.
        int kindB = slots[b].FieldKind, kindA = slots[a].FieldKind;
        for (RecogChar* c = slots[b].FirstChar; c;) {
            RecogChar* next = c->Next;
            char_free(c);
            c = next;
        }
        slots[b] = moved;
        slots[b].FieldKind = kindB;
        memset(&slots[a], 0, sizeof slots[a]);
        slots[a].FieldKind = kindA;
    } else {
        // The two exchange their lines; the field slot b keeps its kind, and a shows b's
        // former line under that kind too.
        int kindB = slots[b].FieldKind;
        slots[a] = slots[b];
        slots[b] = moved;
        slots[b].FieldKind = kindB;
    }
    if (e.CurrentTab == 0) {
        SetRow(e, b, false);
        if (a < e.Lines.PrimaryLines) SetRow(e, a, false);
    } else if (a >= e.Lines.PrimaryLines) {
        SetRow(e, a - e.Lines.PrimaryLines, false);
    }
    RefreshCurrentRow(e);
}

void RefreshCurrentRow(Editor& e) {
    int row = (int)SendMessageA(e.List, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (row < 0 || e.CurrentLine < 0) return;
    SetRow(e, row, false);
    char text[260];
    LineText(&e.Lines.Slots[e.CurrentLine], text, sizeof text, 255);
    SetWindowTextA(e.LineEdit, text);
    InvalidateRect(GetDlgItem(e.Dialog, ID_GLYPH_PANE), nullptr, FALSE);
}

void ChangeTab(Editor& e, int tab) {
    HideLineEditor(e);
    e.CurrentTab = tab;
    FillFieldList(e);
}
