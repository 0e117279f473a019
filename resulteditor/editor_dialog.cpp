// Dialog 1000: layout, owner-drawn buttons, card counter and command routing.
#include "editor_dialog.h"
#include "engine_memory.h"
#include "field_list.h"
#include "glyph_pane.h"
#include "image_window.h"
#include "line_editor.h"
#include "region_recognition.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <stdio.h>

namespace {

struct ButtonPictures {
    int Id, Enabled, Pressed, Disabled;
};
const ButtonPictures kButtonPictures[] = {
    {IDC_ZOOM_IN, 1017, 1014, 1015},     {IDC_ZOOM_OUT, 1001, 1019, 1020},    {IDC_IMAGE_SELECT, 1029, 1026, 1027},
    {IDC_IMAGE_PAN, 1022, 1025, 1023},   {IDC_GLYPH_SPLIT, 1008, 1005, 1006}, {IDC_GLYPH_MERGE, 1004, 1016, 1002},
    {IDC_GLYPH_ERASE, 1012, 1009, 1010}, {IDC_FIRST_CARD, 1048, 1050, 1049},  {IDC_PREVIOUS_CARD, 1051, 1053, 1052},
    {IDC_NEXT_CARD, 1054, 1062, 1055},   {IDC_LAST_CARD, 1057, 1063, 1058},
};

const int kHostCommandOfButton[] = {HOST_FIRST_CARD, HOST_PREVIOUS_CARD, HOST_NEXT_CARD, HOST_LAST_CARD};

void DrawBitmapCentered(HDC dc, int id, const RECT& area) {
    HBITMAP bitmap = LoadBitmapA(g_module, MAKEINTRESOURCEA(id));
    if (!bitmap) return;
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int x = (area.left + area.right - info.bmWidth) / 2, y = (area.top + area.bottom - info.bmHeight) / 2;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

// The dialog's tiled background as a brush (made once, kept for the library's lifetime).
HBRUSH BackgroundBrush() {
    static HBRUSH brush = nullptr;
    if (brush) return brush;
    HBITMAP tile = LoadBitmapA(g_module, MAKEINTRESOURCEA(IDB_BACKGROUND));
    brush = tile ? CreatePatternBrush(tile) : GetSysColorBrush(COLOR_BTNFACE);
    if (tile) DeleteObject(tile);
    return brush;
}

void TileBackground(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, BackgroundBrush());
}

// Controls show the dialog's background behind their text: the tile, aligned with the dialog's.
HBRUSH ControlBackground(HWND dialog, HWND control, HDC dc) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return BackgroundBrush();
}

// A sunken 1-pixel frame around a pane, one pixel off it to the sides and two above and below:
// dark grey top and left, light grey bottom and right.
void FramePane(HWND dialog, HDC dc, int id) {
    HWND pane = GetDlgItem(dialog, id);
    if (!pane) return;
    RECT r;
    GetWindowRect(pane, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    InflateRect(&r, 1, 2);
    DrawEdges(dc, r, RGB(127, 127, 127), RGB(223, 223, 223));
}

// The tab control shows the dialog's tiles behind its tabs and around the field list.
WNDPROC g_tabsProc = nullptr;

LRESULT CALLBACK TabsProc(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND && g_editor) {
        TileLikeDialog(*g_editor, tabs, (HDC)wParam);
        return 1;
    }
    return CallWindowProcA(g_tabsProc, tabs, message, wParam, lParam);
}

bool ModeIsCurrent(const Editor& e, int id) {
    if (id == IDC_IMAGE_SELECT || id == IDC_IMAGE_PAN) return e.ImageMode == id - IDC_IMAGE_SELECT + 1;
    if (id >= IDC_GLYPH_SPLIT && id <= IDC_GLYPH_ERASE) return e.GlyphMode == id - IDC_GLYPH_SPLIT + 1;
    return false;
}

void DrawCounter(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, ControlBackground(GetParent(item.hwndItem), item.hwndItem, item.hDC));
    char text[32];
    snprintf(text, sizeof text, "%d / %d", g_currentCard, g_cardCount);
    SetBkMode(item.hDC, TRANSPARENT);
    RECT area = item.rcItem;
    DrawTextA(item.hDC, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void DrawButton(const Editor& e, const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_COUNTER) return DrawCounter(item);
    for (const ButtonPictures& b : kButtonPictures) {
        if ((int)item.CtlID != b.Id) continue;
        int picture = b.Enabled;
        if (item.itemState & ODS_DISABLED) picture = b.Disabled;
        else if ((item.itemState & ODS_SELECTED) || ModeIsCurrent(e, b.Id)) picture = b.Pressed;
        DrawBitmapCentered(item.hDC, picture, item.rcItem);
    }
}

void DrawTab(const Editor& e, const DRAWITEMSTRUCT& item) {
    char name[32];
    LoadStringA(g_module, item.itemID == 0 ? IDS_TAB_PRIMARY : IDS_TAB_OTHER, name, sizeof name);
    SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ old = SelectObject(item.hDC, e.TabFont);
    TextOutA(item.hDC, item.rcItem.left + 11, item.rcItem.top + 7, name, lstrlenA(name));
    SelectObject(item.hDC, old);
}

void Place(HWND dialog, int id, int x, int y, int w, int h) {
    SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Layout(Editor& e, int W, int H) {
    HWND d = e.Dialog;
    SetWindowPos(e.Tabs, nullptr, 3, 8, 448, H - 208, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    FitFieldList(e);
    Place(d, ID_GLYPH_PANE, 6, H - 194, 394, 150);
    Place(d, IDC_CANDIDATE_LABEL, 2, H - 29, 70, 16);
    for (int i = 0; i < 14; ++i) Place(d, IDC_CANDIDATE_FIRST + i, 70 + 27 * i, H - 32, 24, 24);
    Place(d, IDC_FIRST_CARD, 280, 9, 20, 20);
    Place(d, IDC_PREVIOUS_CARD, 299, 9, 20, 20);
    Place(d, IDC_COUNTER_BASE, 320, 10, 70, 18);
    Place(d, IDC_COUNTER, 320, 10, 70, 18);
    Place(d, IDC_NEXT_CARD, 391, 9, 20, 20);
    Place(d, IDC_LAST_CARD, 410, 9, 20, 20);
    Place(d, IDC_ZOOM_IN, W - 147, 5, 28, 28);
    Place(d, IDC_ZOOM_OUT, W - 44, 5, 28, 28);
    e.Slider = {W - 111, 13, W - 50, 24};
    Place(d, IDC_IMAGE_SELECT, 460, 8, 25, 24);
    Place(d, IDC_IMAGE_PAN, 494, 8, 25, 24);
    Place(d, IDC_GLYPH_SPLIT, 411, H - 188, 39, 38);
    Place(d, IDC_GLYPH_MERGE, 411, H - 138, 39, 38);
    Place(d, IDC_GLYPH_ERASE, 411, H - 86, 39, 38);
    Place(d, ID_IMAGE_WINDOW, 460, 40, W - 476, H - 86);
    ReloadImage(e, false);
    Place(d, IDC_MODE_LABEL, 460, H - 29, 116, 16);
    for (int i = 0; i < 3; ++i) Place(d, IDC_CHINESE + i, 570 + 60 * i, H - 33, 60, 24);
    InvalidateRect(d, nullptr, TRUE);
}

void SetUpTabs(Editor& e) {
    g_tabsProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(e.Tabs, GWLP_WNDPROC, (LONG_PTR)TabsProc));
    e.TabFont = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "新細明體");
    SendMessageA(e.Tabs, WM_SETFONT, (WPARAM)e.TabFont, 0);
    SendMessageA(e.Tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(136, 28));
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    char name[32];
    for (int tab = 0; tab < 2; ++tab) {
        LoadStringA(g_module, tab == 0 ? IDS_TAB_PRIMARY : IDS_TAB_OTHER, name, sizeof name);
        item.pszText = name;
        SendMessageA(e.Tabs, TCM_INSERTITEMA, tab, (LPARAM)&item);
    }
}

void Initialise(Editor& e, HWND dialog) {
    e.Dialog = dialog;
    CreateImageWindow(e);
    CreateGlyphPane(e);
    e.Tabs = GetDlgItem(dialog, IDC_TABS);
    SetUpTabs(e);
    CreateFieldList(e);
    for (int id = IDC_CHINESE; id <= IDC_DIGITS; ++id) CheckDlgButton(dialog, id, BST_CHECKED);
    e.CurrentLine = -1;
    e.Candidates = static_cast<uint16_t*>(OCR_malloc(14));
    RECT host;
    GetClientRect(e.Host, &host);
    MoveWindow(dialog, 0, 0, host.right, host.bottom, TRUE);
    ReloadImage(e, true);
    ShowCardStatus(e);
    BuildFieldMenu(e);
    FillFieldList(e);
    SelectRow(e, 1);
    SelectRow(e, 0);
}

void Destroy(Editor& e) {
    FreeImages(e);
    FreeGlyphBitmap(e);
    OCR_free(e.Candidates);
    e.Candidates = nullptr;
    // A host that took the lines since the last load has them (and may have let its page go):
    // closing then hands back nothing more.
    if (!e.Lines.TakenByHost) StorePageLines(e.Lines);
    FreePageLines(e.Lines);
    if (e.FieldMenu) DestroyMenu(e.FieldMenu);
    if (e.TabFont) DeleteObject(e.TabFont);
    if (e.RowFont) DeleteObject(e.RowFont);
    if (g_editor == &e) g_editor = nullptr;
    delete &e;
}

void SetMode(Editor& e, int id) {
    if (id <= IDC_IMAGE_PAN) {
        SetImageMode(e, id - IDC_IMAGE_SELECT + 1);
        for (int b = IDC_IMAGE_SELECT; b <= IDC_IMAGE_PAN; ++b) InvalidateRect(GetDlgItem(e.Dialog, b), nullptr, FALSE);
    } else {
        SetGlyphMode(e, id - IDC_GLYPH_SPLIT + 1);
        for (int b = IDC_GLYPH_SPLIT; b <= IDC_GLYPH_ERASE; ++b)
            InvalidateRect(GetDlgItem(e.Dialog, b), nullptr, FALSE);
    }
}

// Mask of the ticked recognition boxes: 64 Chinese, 6 Latin letters, 1 digits; 119 for none.
int RecognitionMask(HWND dialog) {
    int mask = 0;
    if (IsDlgButtonChecked(dialog, IDC_CHINESE)) mask += 64;
    if (IsDlgButtonChecked(dialog, IDC_ENGLISH)) mask += 6;
    if (IsDlgButtonChecked(dialog, IDC_DIGITS)) mask += 1;
    return mask ? mask : 119;
}

void Command(Editor& e, int id, LPARAM lParam) {
    // The image window's field menu: its ids overlap the dialog's own commands, so they are
    // told apart by the second parameter and never run as those commands.
    if (lParam == FIELD_MENU_FROM_IMAGE) {
        if (id >= IDC_FIELD_MENU_BASE)
            ReRecognizeRegion(e, id - IDC_FIELD_MENU_BASE, e.Region, RecognitionMask(e.Dialog));
        return;
    }
    if (id == IDC_RECOGNIZE_SELECTED) {
        int row = (int)SendMessageA(e.List, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
        if (row >= 0) ReRecognizeRegion(e, SlotOfRow(e, row), e.Region, RecognitionMask(e.Dialog));
        return;
    }
    if (id == IDC_ZOOM_IN && e.ZoomLevel > 0) {
        SetZoomLevel(e, e.ZoomLevel - 1);
    } else if (id == IDC_ZOOM_OUT) {
        SetZoomLevel(e, e.ZoomLevel + 1);
    } else if (id >= IDC_FIRST_CARD && id <= IDC_LAST_CARD) {
        // A disabled button's picture says there is no such card: no command, however it came.
        if (!IsWindowEnabled(GetDlgItem(e.Dialog, id))) return;
        HWND top = GetAncestor(e.Dialog, GA_ROOT);
        SendMessageA(top, WM_COMMAND, kHostCommandOfButton[id - IDC_FIRST_CARD], 0);
    } else if (id >= IDC_IMAGE_SELECT && id <= IDC_GLYPH_ERASE) {
        SetMode(e, id);
    } else if (id == IDC_REFRESH) {
        RefreshCurrentRow(e);
    } else if (id >= IDC_CANDIDATE_FIRST && id <= IDC_CANDIDATE_LAST) {
        PickCandidate(e, id);
    }
}

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor* e = g_editor;
    switch (message) {
    case WM_INITDIALOG: Initialise(*e, dialog); return FALSE;
    case WM_SIZE:
        if (e && e->Tabs) Layout(*e, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_ERASEBKGND:
        TileBackground(dialog, (HDC)wParam);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        if (e) PaintSlider(*e, dc);
        FramePane(dialog, dc, ID_IMAGE_WINDOW);
        FramePane(dialog, dc, ID_GLYPH_PANE);
        EndPaint(dialog, &paint);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        if (e) SliderMouse(*e, message, POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)});
        return TRUE;
    // Labels and check boxes show the tiled background behind their text. A null brush would
    // leave their area unpainted, since the dialog clips its children; the tile, aligned with
    // the dialog's, looks the same.
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return (INT_PTR)ControlBackground(dialog, (HWND)lParam, (HDC)wParam);
    // Controls that draw their parent's background into their own picture ask for it this way.
    case WM_PRINTCLIENT: TileBackground(dialog, (HDC)wParam); return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_TAB) DrawTab(*e, item);
        else DrawButton(*e, item);
        return TRUE;
    }
    case WM_NOTIFY: {
        const NMHDR& note = *reinterpret_cast<NMHDR*>(lParam);
        if (note.idFrom == IDC_TABS && note.code == TCN_SELCHANGE)
            ChangeTab(*e, (int)SendMessageA(e->Tabs, TCM_GETCURSEL, 0, 0));
        return TRUE;
    }
    case WM_COMMAND: Command(*e, LOWORD(wParam), lParam); return TRUE;
    case WM_NCDESTROY:
        if (e) Destroy(*e);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

HWND CreateEditorDialog(Editor& editor) {
    HWND dialog = CreateDialogParamA(g_module, MAKEINTRESOURCEA(IDD_EDITOR), editor.Host, EditorDialogProc, 0);
    if (dialog) ShowWindow(dialog, SW_SHOW);
    return dialog;
}

void DrawEdges(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    HPEN first = CreatePen(PS_SOLID, 1, topLeft), second = CreatePen(PS_SOLID, 1, bottomRight);
    HGDIOBJ old = SelectObject(dc, first);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, second);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    SelectObject(dc, old);
    DeleteObject(first);
    DeleteObject(second);
}

void TileLikeDialog(const Editor& e, HWND control, HDC dc) {
    POINT origin = {0, 0};
    MapWindowPoints(control, e.Dialog, &origin, 1);
    POINT old;
    SetBrushOrgEx(dc, -origin.x, -origin.y, &old);
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, BackgroundBrush());
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
}

void ShowCardStatus(Editor& e) {
    EnableWindow(GetDlgItem(e.Dialog, IDC_FIRST_CARD), g_currentCard >= 2);
    EnableWindow(GetDlgItem(e.Dialog, IDC_PREVIOUS_CARD), g_currentCard >= 2);
    EnableWindow(GetDlgItem(e.Dialog, IDC_NEXT_CARD), g_currentCard < g_cardCount);
    EnableWindow(GetDlgItem(e.Dialog, IDC_LAST_CARD), g_currentCard < g_cardCount);
    RedrawWindow(e.Dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
