// The Card Deck's list of every card (name, company, office telephone) beside the deck; its
// column widths are kept in the settings file.
#include "views.h"
#include "shell.h"
#include "resource.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const int kDeckTitles[DECK_COLUMN_COUNT] = {2001, 2003, 2009};
static const int kDeckDefaultWidths[DECK_COLUMN_COUNT] = {84, 120, 84};

// Up to count numbers of a kept position list ("84,120,84,0"); values the text does not
// hold are left as they are. The number of values read.
int ParsePositionList(const char* text, int* values, int count) {
    const char* c = text;
    int n = 0;
    while (n < count) {
        while (*c && (unsigned char)*c <= 32) ++c;
        if (!*c) break;
        char number[16];
        int length = 0;
        while (*c && *c != ',' && (unsigned char)*c > 32) {
            if (length < (int)sizeof number - 1) number[length++] = *c;
            ++c;
        }
        number[length] = 0;
        values[n++] = atoi(number);
        if (*c == ',') ++c;
    }
    return n;
}

static void LoadDeckColumnWidths(void) {
    char text[256];
    ReadSettingText("BrowserView", "Position", "", text, sizeof text);
    memcpy(App.Views.DeckWidths, kDeckDefaultWidths, sizeof App.Views.DeckWidths);
    if (text[0]) ParsePositionList(text, App.Views.DeckWidths, DECK_COLUMN_COUNT);
}

static void SaveDeckColumnWidths(void) {
    char text[64];
    snprintf(text, sizeof text, "%d,%d,%d,0", App.Views.DeckWidths[0], App.Views.DeckWidths[1],
             App.Views.DeckWidths[2]);
    WriteSettingText("BrowserView", "Position", text);
}

// One row per card of the table, in its order, read into a record of its own: the current
// card's record stays as it is. The table ends on the last card.
static void FillDeckRows(HWND list) {
    if (App.CardCount < 1) return;
    static CardRec card;
    memset(&card, 0, sizeof card);
    kvRecFirst(App.CardTable);
    kvCardRecGet(App.CardTable, &card, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, App.CardCount, 0);
    BeginListRows(list);
    for (int row = 0; row < App.CardCount; ++row) {
        LVITEMA item;
        memset(&item, 0, sizeof item);
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = card.CName;
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        SetListCell(list, row, 1, card.Company);
        SetListCell(list, row, 2, card.OPhone);
        kvRecNext(App.CardTable);
        if (kvRecIsEOF(App.CardTable)) {
            kvRecPrev(App.CardTable);
            break;
        }
        kvCardRecGet(App.CardTable, &card, 0);
    }
    EndListRows(list);
}

static LRESULT DrawHeaderItem(NMCUSTOMDRAW* draw, HWND header, COLORREF fill) {
    if (draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    HDC dc = draw->hdc;
    RECT r = draw->rc;
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    char title[128] = "";
    HDITEMA item;
    memset(&item, 0, sizeof item);
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    SendMessageA(header, HDM_GETITEMA, draw->dwItemSpec, (LPARAM)&item);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT text = r;
    InflateRect(&text, -2, -2);
    DrawTextA(dc, title, -1, &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    HPEN light = CreatePen(PS_SOLID, 1, RGB(158, 173, 197)), dark = CreatePen(PS_SOLID, 1, RGB(61, 77, 102));
    DrawFrameWithPens(dc, r.left, r.top + 1, r.right, r.bottom, light, dark);
    DeleteObject(light);
    DeleteObject(dark);
    return CDRF_SKIPDEFAULT;
}

static void KeepDeckColumnWidths(HWND list) {
    for (int i = 0; i < DECK_COLUMN_COUNT; ++i)
        App.Views.DeckWidths[i] = (int)SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0);
    SaveDeckColumnWidths();
}

// The widths are kept however the list goes: with a view switch or with the main window.
static LRESULT CALLBACK DeckListSubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        KeepDeckColumnWidths(list);
        App.Views.DeckList = NULL;
    }
    if (message == WM_NOTIFY) {
        NMHDR* header = (NMHDR*)lParam;
        if (header->code == NM_CUSTOMDRAW && header->hwndFrom == (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0))
            return DrawHeaderItem((NMCUSTOMDRAW*)lParam, header->hwndFrom, RGB(92, 118, 157));
    }
    return CallWindowProcA(App.Views.DeckListProc, list, message, wParam, lParam);
}

HWND CreateDeckList(HWND parent) {
    LoadDeckColumnWidths();
    RECT client;
    GetClientRect(parent, &client);
    HWND list =
        CreateWindowA(WC_LISTVIEWA, NULL,
                      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                      450, 2, client.right - 452, client.bottom - 4, parent, (HMENU)ID_DECK_LIST, App.Instance, NULL);
    if (!list) return NULL;
    App.Views.DeckList = list;
    for (int i = 0; i < DECK_COLUMN_COUNT; ++i) {
        char title[32] = "";
        LoadStringA(App.Instance, kDeckTitles[i], title, sizeof title);
        InsertListColumn(list, i, title, App.Views.DeckWidths[i]);
    }
    FillDeckRows(list);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x220);
    if (App.CurrentCardNumber > 0) ReturnToCurrentCardOrFirst();
    SelectCurrentDeckRow();
    App.Views.DeckListProc = (WNDPROC)SetWindowLongPtrA(list, GWLP_WNDPROC, (LONG_PTR)DeckListSubclassProc);
    ShowWindow(list, SW_SHOW);
    return list;
}

void RefillDeckList(void) {
    HWND list = App.Views.DeckList;
    if (!list) return;
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    FillDeckRows(list);
    if (App.CurrentCardNumber != -1 && App.CardCount > 0) ReturnToCurrentCardOrFirst();
    else if (App.CardCount < 1) memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
    SelectCurrentDeckRow();
}

void DestroyDeckList(void) {
    HWND list = App.Views.DeckList;
    if (!list) return;
    if (IsWindow(list)) {
        KeepDeckColumnWidths(list);
        SetWindowLongPtrA(list, GWLP_WNDPROC, (LONG_PTR)App.Views.DeckListProc);
        DestroyWindow(list);
    }
    App.Views.DeckList = NULL;
}

void SelectCurrentDeckRow(void) {
    HWND list = App.Views.DeckList;
    if (!list || App.CurrentCardNumber < 1) return;
    int row = App.CurrentCardNumber - 1;
    LVITEMA item;
    memset(&item, 0, sizeof item);
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, (LPARAM)&item);
    int top = (int)SendMessageA(list, LVM_GETTOPINDEX, 0, 0);
    int shown = (int)SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0);
    if (row < top || row >= top + shown) SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
}

static void OnDeckRowChosen(void) {
    int row = (int)SendMessageA(App.Views.DeckList, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (row < 0 || row + 1 == App.CurrentCardNumber) return;
    TakeCardAt(row + 1);
    RepaintDeckPanes();
    if (App.Views.IndexStrip) {
        RECT arrows = {4, 26, 136, 46};
        InvalidateRect(App.Views.IndexStrip, &arrows, FALSE);
    }
    RepaintIndexTabs();
}

static void OnDeckDoubleClick(void) {
    LVHITTESTINFO hit;
    memset(&hit, 0, sizeof hit);
    GetCursorPos(&hit.pt);
    ScreenToClient(App.Views.DeckList, &hit.pt);
    int row = (int)SendMessageA(App.Views.DeckList, LVM_HITTEST, 0, (LPARAM)&hit);
    if (row >= 0 && (hit.flags & LVHT_ONITEM)) {
        TakeCardAt(row + 1);
        PostMessageA(App.MainWindow, WM_COMMAND, IDM_VIEW_EDITOR, 0);
    } else {
        SelectCurrentDeckRow();
    }
}

void OnDeckListNotify(NMHDR* header) {
    if (!App.Views.DeckList) return;
    if (header->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* change = (const NMLISTVIEW*)header;
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) OnDeckRowChosen();
    } else if (header->code == NM_DBLCLK) {
        OnDeckDoubleClick();
    }
}
