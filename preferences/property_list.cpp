#include "property_list.h"
#include "custom_combo_box.h"
#include "prefer_resources.h"

namespace {

const char* const kStateProperty = "CPropertyList";

struct ListState {
    WNDPROC BaseProc;
    HFONT Font;
    int Divider;     // x of the column divider, set at the first drawing
    int CurrentRow;  // the row under the last mouse release
    CCustomComboBox Combo;
};

ListState* StateOf(HWND list) { return static_cast<ListState*>(GetPropA(list, kStateProperty)); }

PropertyItem* ItemAt(HWND list, int row) {
    LRESULT data = SendMessageA(list, LB_GETITEMDATA, row, 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<PropertyItem*>(data);
}

void HideCombo(ListState* state) {
    if (state->Combo.Window && IsWindowVisible(state->Combo.Window)) ShowWindow(state->Combo.Window, SW_HIDE);
}

void OnComboCommand(HWND list, ListState* state, int code) {
    if (code == CBN_SELCHANGE) {
        int index = static_cast<int>(SendMessageA(state->Combo.Window, CB_GETCURSEL, 0, 0));
        PropertyItem* item = ItemAt(list, state->CurrentRow);
        if (!item || index < 0 || index >= static_cast<int>(state->Combo.Texts.size())) return;
        item->ValueText = state->Combo.Texts[index];
        item->Value = index;
    } else if (code == CBN_KILLFOCUS) {
        HideCombo(state);
        InvalidateRect(list, nullptr, TRUE);
    }
}

LRESULT CALLBACK PropertyListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    ListState* state = StateOf(list);
    WNDPROC base = state->BaseProc;
    switch (message) {
    case WM_LBUTTONUP: {
        LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lParam);
        if (!HIWORD(hit)) state->CurrentRow = LOWORD(hit);
        break;
    }
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: HideCombo(state); break;
    case WM_MEASUREITEM:
        if (wParam == IDC_INPLACE_COMBO) {
            MeasureComboEntry(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == IDC_INPLACE_COMBO) {
            DrawComboEntry(&state->Combo, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_INPLACE_COMBO) {
            OnComboCommand(list, state, HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        RemovePropA(list, kStateProperty);
        DeleteObject(state->Font);
        delete state;
        break;
    default: break;
    }
    return CallWindowProcA(base, list, message, wParam, lParam);
}

// The divider lies at half the list's width as the list is first drawn.
void EnsureDivider(HWND list, ListState* state) {
    if (state->Divider != 0) return;
    RECT client;
    GetClientRect(list, &client);
    state->Divider = client.right / 2;
}

// An etched line along one side of a cell.
void EtchEdge(HDC dc, RECT cell, UINT sides) { DrawEdge(dc, &cell, EDGE_ETCHED, sides); }

}  // namespace

void AttachPropertyList(HWND list) {
    auto* state = new ListState();
    HDC dc = GetDC(list);
    int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(list, dc);
    state->Font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    state->CurrentRow = 1;
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(state->Font), FALSE);
    SetPropA(list, kStateProperty, state);
    state->BaseProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PropertyListProc)));
}

void AddProperty(HWND list, PropertyItem* item) { SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item)); }

void DrawPropertyRow(HWND list, const DRAWITEMSTRUCT* draw) {
    ListState* state = StateOf(list);
    PropertyItem* item = reinterpret_cast<PropertyItem*>(draw->itemData);
    if (!state || !item || draw->itemID == static_cast<UINT>(-1)) return;
    EnsureDivider(list, state);
    HDC dc = draw->hDC;
    RECT row = draw->rcItem;
    RECT name = {row.left, row.top, state->Divider - 1, row.bottom};
    RECT value = {state->Divider, row.top, row.right, row.bottom};
    HBRUSH grey = CreateSolidBrush(RGB(225, 225, 225));
    FillRect(dc, &name, grey);
    DeleteObject(grey);
    FillRect(dc, &value, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EtchEdge(dc, name, BF_RIGHT | BF_BOTTOM);
    EtchEdge(dc, value, BF_BOTTOM);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    InflateRect(&name, -3, 0);
    InflateRect(&value, -3, 0);
    DrawTextA(dc, item->Name.c_str(), -1, &name, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    DrawTextA(dc, item->ValueText.c_str(), -1, &value, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void OnPropertySelectionChange(HWND list) {
    ListState* state = StateOf(list);
    PropertyItem* item = state ? ItemAt(list, state->CurrentRow) : nullptr;
    if (!item) return;
    RECT row;
    if (SendMessageA(list, LB_GETITEMRECT, state->CurrentRow, reinterpret_cast<LPARAM>(&row)) == LB_ERR) return;
    if (!state->Combo.Window) CreateCustomComboBox(&state->Combo, list, IDC_INPLACE_COMBO);
    EnsureDivider(list, state);
    MoveWindow(state->Combo.Window, state->Divider, row.top, row.right - state->Divider, row.bottom - row.top + 100,
               TRUE);
    FillCustomComboBox(&state->Combo, item->Choices);
    SendMessageA(state->Combo.Window, CB_SETCURSEL, FindComboEntry(&state->Combo, item->ValueText), 0);
    ShowWindow(state->Combo.Window, SW_SHOW);
    SetFocus(state->Combo.Window);
}
