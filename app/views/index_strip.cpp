// The strip above the Card Deck and the Card Editor: 27 index tabs that jump to the cards of
// a letter, and the search bar with its arrows, card counter, Search button and a history of
// searched names kept in the settings file.
#include "views.h"
#include "shell.h"
#include "capture.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define STRIP_WIDTH     448
#define STRIP_HEIGHT    49
#define TABS_HEIGHT     21
#define TAB_WIDTH       16
#define ALL_CARDS_TAB   26
#define HISTORY_MAX     32
#define IDC_SEARCH      1
#define IDC_FIRST_CARD  700
#define IDC_PREV_CARD   701
#define IDC_NEXT_CARD   702
#define IDC_LAST_CARD   703
#define IDC_HISTORY     704
#define BMP_TABS        1390
#define BMP_TAB_PRESSED 1391
#define BMP_TAB_GREY    1392
#define BMP_SEARCH_BAR  1393
#define BMP_SEARCH      1396
#define BMP_SEARCH_PUSH 1397

static const RECT kCounterRect = {42, 27, 97, 44};
static const RECT kArrowsRect = {4, 26, 136, 46};

static int HasCards(void) { return App.CardCount > 0; }
static int FormExists(void) { return App.CardForm && IsWindow(App.CardForm); }

// Quotes are doubled so that a name with an apostrophe stays one text; brackets always stand
// for themselves; with literalWildcards "*", "?" and "#" do too.
void EscapeSearchText(char* out, int size, const char* text, int literalWildcards) {
    int n = 0;
    for (const char* c = text; *c && n < size - 4; ++c) {
        if (*c == '\'') {
            out[n++] = '\'';
            out[n++] = '\'';
        } else if (*c == '[' || *c == ']' || (literalWildcards && (*c == '*' || *c == '?' || *c == '#'))) {
            out[n++] = '[';
            out[n++] = *c;
            out[n++] = ']';
        } else {
            out[n++] = *c;
        }
    }
    out[n] = 0;
}

static void LetterCriterion(char* out, int size, int letter) { snprintf(out, size, "CNAME like '%c*'", 'A' + letter); }

static void CountLetters(void) {
    char criterion[32];
    for (int k = 0; k < 26; ++k) {
        App.Views.LetterCounts[k] = 0;
        if (!HasCards()) continue;
        LetterCriterion(criterion, sizeof criterion, k);
        for (int found = kvRecFindFirst(App.CardTable, criterion); found == 1;
             found = kvRecFindNext(App.CardTable, criterion))
            App.Views.LetterCounts[k]++;
    }
}

// The count walks the table: it ends back on the current card.
void CountCardsByLetter(void) {
    App.Views.LetterCounts[ALL_CARDS_TAB] = App.CardCount;
    App.Views.DeskLetter = ALL_CARDS_TAB;
    CountLetters();
    ReturnToCurrentCard();
}

void RepaintIndexTabs(void) {
    if (!App.Views.IndexStrip) return;
    InvalidateRect(App.Views.IndexStrip, &kCounterRect, FALSE);
    UpdateWindow(App.Views.IndexStrip);
}

int HitTestIndexTab(int x, int y) {
    if (y < 2 || y > 20 || x < 0) return -1;
    int k = x / TAB_WIDTH;
    if (k == 27) k = ALL_CARDS_TAB;
    if (k > ALL_CARDS_TAB) return -1;
    if (k < ALL_CARDS_TAB && App.Views.LetterCounts[k] < 1) return -1;
    return k;
}

static RECT TabRect(int k) {
    RECT r = {k * TAB_WIDTH, 0, k == ALL_CARDS_TAB ? STRIP_WIDTH : k * TAB_WIDTH + TAB_WIDTH, TABS_HEIGHT};
    return r;
}

static void DrawTab(HDC dc, int k, int bitmapId) {
    RECT r = TabRect(k);
    POINT at = {r.left, r.top};
    DrawBitmapResourcePart(dc, bitmapId, at, &r);
}

static void DrawCardCounter(HDC dc) {
    RECT field = kCounterRect;
    if (HasCards()) {
        HBRUSH fill = CreateSolidBrush(RGB(158, 173, 197));
        FillRect(dc, &field, fill);
        DeleteObject(fill);
        char text[32];
        snprintf(text, sizeof text, "%d/%d", App.CurrentCardNumber, App.CardCount);
        HFONT font = CreateFontA(10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, text, -1, &field, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        OffsetRect(&field, -1, -1);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextA(dc, text, -1, &field, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        SelectObject(dc, old);
        DeleteObject(font);
    } else {
        FillRect(dc, &field, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    }
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(61, 77, 102));
    DrawFrameWithPens(dc, kCounterRect.left, kCounterRect.top, kCounterRect.right, kCounterRect.bottom, dark,
                      (HPEN)GetStockObject(WHITE_PEN));
    DeleteObject(dark);
}

// The arrows draw their state from the current card and the count, which change whenever the
// counter does: each paint of the strip draws them again.
static void InvalidateSearchBarArrows(HWND strip) {
    for (int id = IDC_FIRST_CARD; id <= IDC_LAST_CARD; ++id) {
        HWND arrow = GetDlgItem(strip, id);
        if (arrow) InvalidateRect(arrow, NULL, FALSE);
    }
}

static void PaintIndexStrip(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT tabs = {0, 0, STRIP_WIDTH, TABS_HEIGHT};
    DrawBitmapResourceCentered(dc, BMP_TABS, &tabs);
    for (int k = 0; k < 26; ++k)
        if (App.Views.LetterCounts[k] == 0) DrawTab(dc, k, BMP_TAB_GREY);
    RECT bar = {0, TABS_HEIGHT, STRIP_WIDTH, STRIP_HEIGHT};
    DrawBitmapResourceCentered(dc, BMP_SEARCH_BAR, &bar);
    DrawCardCounter(dc);
    EndPaint(window, &ps);
    InvalidateSearchBarArrows(window);
}

static void CreateSearchBar(HWND strip) {
    static const struct {
        int Id;
        RECT Place;
    } buttons[] = {{IDC_FIRST_CARD, {4, 26, 21, 45}},
                   {IDC_PREV_CARD, {22, 26, 39, 45}},
                   {IDC_NEXT_CARD, {100, 26, 117, 45}},
                   {IDC_LAST_CARD, {118, 26, 135, 45}},
                   {IDC_SEARCH, {138, 26, 167, 45}}};
    for (const auto& b : buttons)
        CreateWindowA("BUTTON", b.Id == IDC_SEARCH ? "Search" : NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                      b.Place.left, b.Place.top, b.Place.right - b.Place.left, b.Place.bottom - b.Place.top, strip,
                      (HMENU)(INT_PTR)b.Id, App.Instance, NULL);
    App.Views.HistoryBox =
        CreateWindowA("COMBOBOX", NULL, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                      172, 23, 272, 120, strip, (HMENU)IDC_HISTORY, App.Instance, NULL);
    if (App.DialogFont) SendMessageA(App.Views.HistoryBox, WM_SETFONT, (WPARAM)App.DialogFont, FALSE);
    int count = ReadSettingInt("SearchString", "Count", 0);
    for (int i = 1; i <= count && i <= 10000; ++i) {
        char key[16], value[256];
        snprintf(key, sizeof key, "%d", i);
        ReadSettingText("SearchString", key, "", value, sizeof value);
        if (value[0]) SendMessageA(App.Views.HistoryBox, CB_ADDSTRING, 0, (LPARAM)value);
    }
}

static void SaveSearchHistory(void) {
    if (!App.Views.HistoryBox) return;
    int n = (int)SendMessageA(App.Views.HistoryBox, CB_GETCOUNT, 0, 0);
    if (n < 0) n = 0;
    if (n > HISTORY_MAX) n = HISTORY_MAX;
    WriteSettingInt("SearchString", "Count", n);
    for (int i = 0; i < n; ++i) {
        char key[16], value[256] = "";
        snprintf(key, sizeof key, "%d", i + 1);
        if (SendMessageA(App.Views.HistoryBox, CB_GETLBTEXTLEN, i, 0) < (LRESULT)sizeof value)
            SendMessageA(App.Views.HistoryBox, CB_GETLBTEXT, i, (LPARAM)value);
        WriteSettingText("SearchString", key, value);
    }
}

static int ArrowDisabled(int id) {
    if (!HasCards()) return 1;
    if (id == IDC_FIRST_CARD || id == IDC_PREV_CARD) return App.CurrentCardNumber == 1;
    return App.CurrentCardNumber == App.CardCount;
}

static void InvalidateDeckArrows(int first, int second) {
    HWND a = App.Views.DeckArrows[first - ID_DECK_ARROW], b = App.Views.DeckArrows[second - ID_DECK_ARROW];
    if (a) InvalidateRect(a, NULL, FALSE);
    if (b) InvalidateRect(b, NULL, FALSE);
}

static void DrawSearchBarButton(const DRAWITEMSTRUCT* item) {
    int id = (int)item->CtlID;
    RECT r = item->rcItem;
    int pushed = (item->itemState & ODS_SELECTED) != 0;
    if (id == IDC_SEARCH) {
        DrawBitmapResourceCentered(item->hDC, pushed ? BMP_SEARCH_PUSH : BMP_SEARCH, &r);
        return;
    }
    DrawBitmapResourceCentered(item->hDC, id + (ArrowDisabled(id) ? 608 : pushed ? 604 : 600), &r);
    if (id == IDC_PREV_CARD) InvalidateDeckArrows(901, 903);
    if (id == IDC_NEXT_CARD) InvalidateDeckArrows(900, 902);
}

// The panes show the card the search or the tab made current.
static void ShowFoundCard(void) {
    if (App.ViewMode == VIEW_CARD_DECK) {
        RepaintDeckPanes();
        SelectCurrentDeckRow();
    } else if (App.ViewMode == VIEW_CARD_EDITOR) {
        if (FormExists()) {
            SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
            InvalidateRect(App.CardForm, NULL, FALSE);
        }
        // A found card without an image shows none, not the image of the card before it.
        const char* image = CardImagePath(&App.CurrentCard);
        if (image) SetCurrentCardImage(image);
        else ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
        RepaintEditorImageCaption();
        RepaintEditorImage();
    }
}

static void TakeFoundCard(void) {
    if (!TakeCardAtPosition() && HasCards()) TakeCardAt(1);  // the table lost its place: card 1
}

static void OnSearchButton(void) {
    char text[256] = "", escaped[1024], criterion[1100];
    GetWindowTextA(App.Views.HistoryBox, text, sizeof text);
    if (!text[0] || !HasCards() || !CommitPendingEdits()) return;
    ReturnToCurrentCard();  // a next match is looked for after the current card
    EscapeSearchText(escaped, sizeof escaped, text, 0);
    snprintf(criterion, sizeof criterion, "CNAME like '*%s*'", escaped);
    if (lstrcmpiA(text, App.Views.LastSearch) != 0) {
        kvRecFindFirst(App.CardTable, criterion);
        if (SendMessageA(App.Views.HistoryBox, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text) == CB_ERR)
            SendMessageA(App.Views.HistoryBox, CB_INSERTSTRING, 0, (LPARAM)text);
        lstrcpynA(App.Views.LastSearch, text, sizeof App.Views.LastSearch);
    } else {
        kvRecFindNext(App.CardTable, criterion);
    }
    TakeFoundCard();
    ShowFoundCard();
    RepaintIndexTabs();
}

static void OnHistoryNotification(int code) {
    char text[256] = "", escaped[1024], criterion[1100];
    if (code == CBN_SELCHANGE) {
        int selected = (int)SendMessageA(App.Views.HistoryBox, CB_GETCURSEL, 0, 0);
        if (selected < 0) return;
        if (SendMessageA(App.Views.HistoryBox, CB_GETLBTEXTLEN, selected, 0) >= (LRESULT)sizeof text) return;
        SendMessageA(App.Views.HistoryBox, CB_GETLBTEXT, selected, (LPARAM)text);
    } else {
        GetWindowTextA(App.Views.HistoryBox, text, sizeof text);
    }
    if (!text[0] || !HasCards() || !CommitPendingEdits()) return;
    EscapeSearchText(escaped, sizeof escaped, text, 1);
    snprintf(criterion, sizeof criterion, "CNAME like '*%s*'", escaped);
    kvRecFindFirst(App.CardTable, criterion);
    TakeFoundCard();
    ShowFoundCard();
    RepaintIndexTabs();
}

static void OnSearchBarCommand(HWND strip, int id, int code) {
    switch (id) {
    case IDC_FIRST_CARD:
        if (HasCards()) NavigateCard(IDM_CARD_FIRST);
        InvalidateRect(strip, NULL, FALSE);
        break;
    case IDC_PREV_CARD:
        if (HasCards() && App.CurrentCardNumber != 1) NavigateCard(IDM_CARD_PREV);
        break;
    case IDC_NEXT_CARD:
        if (HasCards() && App.CurrentCardNumber != App.CardCount) NavigateCard(IDM_CARD_NEXT);
        break;
    case IDC_LAST_CARD:
        if (HasCards()) NavigateCard(IDM_CARD_LAST);
        break;
    case IDC_SEARCH: OnSearchButton(); break;
    case IDC_HISTORY: OnHistoryNotification(code); break;
    }
}

// The Find filter goes, and the letters are counted over every card again.
static int ClearFilter(void) {
    kvTblClose(App.CardTable);
    kvSetFilter(App.CardTable, "");
    kvTblOpen(App.CardTable);
    App.RowsUnsorted = 0;
    return kvTblNRecs(App.CardTable);
}

static void RefreshAfterFilterChange(void) {
    CountCardsByLetter();
    if (App.Views.IndexStrip) InvalidateRect(App.Views.IndexStrip, NULL, FALSE);
    if (App.ViewMode == VIEW_CARD_DECK) RefillDeckList();
}

// A new card typed meanwhile is stored first, and stays current among every card.
static void OnAllCardsTabWithoutCards(void) {
    if (!CommitPendingEdits()) return;
    int n = ClearFilter();
    if (n <= 0) return;
    App.CardCount = n;
    if (App.CurrentCardNumber == -1) App.CurrentCardNumber = 0;
    ReturnToCurrentCardOrFirst();
    RefreshAfterFilterChange();
    ShowFoundCard();
    UpdateCommandStates(App.CommandBar, 0);
    RepaintIndexTabs();
}

static void OnTabWithCards(int k) {
    if (!CommitPendingEdits()) return;
    if (k < ALL_CARDS_TAB) {
        char criterion[32];
        LetterCriterion(criterion, sizeof criterion, k);
        ReturnToCurrentCard();  // the same tab again steps on from the current card
        if (k == App.Views.LastReleasedTab) {
            if (kvRecFindNext(App.CardTable, criterion) != 1) kvRecFindFirst(App.CardTable, criterion);
        } else {
            kvRecFindFirst(App.CardTable, criterion);
        }
        TakeFoundCard();
    } else {
        int n = ClearFilter();
        kvRecGoto(App.CardTable, 1);
        TakeFoundCard();
        if (n != App.CardCount) {
            App.CardCount = n;
            RefreshAfterFilterChange();
        }
    }
    if (App.ViewMode == VIEW_CARD_EDITOR) ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    ShowFoundCard();
    if (App.Views.IndexStrip) InvalidateRect(App.Views.IndexStrip, NULL, FALSE);
    RepaintIndexTabs();
}

static void OnIndexTabDown(HWND strip, int x, int y) {
    HideHintWindow();
    if (App.Views.PressedTab != -1) return;
    int k = HitTestIndexTab(x, y);
    if (k < 0) return;
    HDC dc = GetDC(strip);
    DrawTab(dc, k, BMP_TAB_PRESSED);
    ReleaseDC(strip, dc);
    App.Views.PressedTab = k;
    SetCapture(strip);
}

static void OnIndexTabUp(HWND strip) {
    int k = App.Views.PressedTab;
    if (k == -1) return;
    HDC dc = GetDC(strip);
    DrawTab(dc, k, BMP_TABS);
    ReleaseDC(strip, dc);
    if (!HasCards()) {
        if (k == ALL_CARDS_TAB) OnAllCardsTabWithoutCards();
    } else {
        OnTabWithCards(k);
    }
    ReleaseCapture();
    App.Views.LastReleasedTab = k;
    App.Views.PressedTab = -1;
}

// Counts the letters and puts the table back on the current card.
static void OnStripCreate(HWND strip) {
    App.Views.IndexStrip = strip;
    App.Views.PressedTab = -1;
    App.Views.LastReleasedTab = -1;
    CountCardsByLetter();
    CreateSearchBar(strip);
}

LRESULT CALLBACK IndexTabsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnStripCreate(window); return 0;
    case WM_DESTROY:
        SaveSearchHistory();
        App.Views.HistoryBox = NULL;
        if (App.Views.IndexStrip == window) App.Views.IndexStrip = NULL;
        break;
    case WM_SIZE: InvalidateRect(window, NULL, TRUE); return 0;
    case WM_PAINT: PaintIndexStrip(window); return 0;
    case WM_SETCURSOR: ShowStatusHint(App.StatusBar, 1052, 1); break;
    case WM_DRAWITEM: DrawSearchBarButton((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_COMMAND: OnSearchBarCommand(window, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_LBUTTONDOWN: OnIndexTabDown(window, (short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;
    case WM_LBUTTONUP: OnIndexTabUp(window); return 0;
    case WM_MOUSEMOVE: return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateIndexStrip(HWND parent) {
    return CreateWindowA("IMC_WorkCap20", NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, STRIP_WIDTH,
                         STRIP_HEIGHT, parent, (HMENU)ID_INDEX_STRIP, App.Instance, NULL);
}
