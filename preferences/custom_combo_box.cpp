#include "custom_combo_box.h"

void CreateCustomComboBox(CCustomComboBox* combo, HWND list, int id) {
    combo->Highlight = GetSysColor(COLOR_HIGHLIGHT);
    combo->WindowText = GetSysColor(COLOR_WINDOWTEXT);
    combo->HighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    combo->Background = GetSysColor(COLOR_WINDOW);
    DWORD style =
        WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_NOINTEGRALHEIGHT;
    combo->Window = CreateWindowExA(0, "COMBOBOX", "", style, 0, 0, 0, 0, list, reinterpret_cast<HMENU>(INT_PTR(id)),
                                    reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(list, GWLP_HINSTANCE)), nullptr);
    SendMessageA(combo->Window, WM_SETFONT, SendMessageA(list, WM_GETFONT, 0, 0), FALSE);
    SendMessageA(combo->Window, CB_INITSTORAGE, COMBO_MAX_ENTRIES, 20);
}

void FillCustomComboBox(CCustomComboBox* combo, const std::string& choices) {
    SendMessageA(combo->Window, CB_RESETCONTENT, 0, 0);
    combo->Texts.clear();
    combo->Texts.push_back(std::string());
    for (size_t start = 0; start < choices.size() && combo->Texts.size() < COMBO_MAX_ENTRIES;) {
        size_t bar = choices.find('|', start);
        if (bar == std::string::npos) bar = choices.size();
        combo->Texts.push_back(choices.substr(start, bar - start));
        start = bar + 1;
    }
    // The texts are in place before any item data points at them.
    for (const std::string& text : combo->Texts)
        SendMessageA(combo->Window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int FindComboEntry(const CCustomComboBox* combo, const std::string& text) {
    for (size_t i = 1; i < combo->Texts.size(); ++i)
        if (combo->Texts[i] == text) return static_cast<int>(i);
    return 0;
}

void MeasureComboEntry(MEASUREITEMSTRUCT* measure) { measure->itemHeight = COMBO_ENTRY_HEIGHT; }

void DrawComboEntry(const CCustomComboBox* combo, const DRAWITEMSTRUCT* draw) {
    if (draw->itemID == static_cast<UINT>(-1)) return;
    HDC dc = draw->hDC;
    RECT r = draw->rcItem;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    HBRUSH brush = CreateSolidBrush(selected ? combo->Highlight : combo->Background);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, selected ? combo->HighlightText : combo->WindowText);
    const char* text = reinterpret_cast<const char*>(draw->itemData);
    if (text) DrawTextA(dc, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
