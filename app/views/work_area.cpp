// The work area: the child window below the command bar that holds the panes of the current
// view mode, switches between the four modes and routes the panes' notifications.
#include "views.h"
#include "shell.h"
#include "capture.h"
#include "resource.h"
#include <string.h>

#define DECK_ARROW_WIDTH  30
#define DECK_ARROW_HEIGHT 15
#define DECK_WIDTH        448
#define STRIP_HEIGHT      49

static const POINT kDeckArrowPlaces[4] = {{42, 190}, {42, 301}, {372, 190}, {372, 301}};

static void RegisterPaneClass(const char* name, WNDPROC proc, HCURSOR cursor, HBRUSH background) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = App.Instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

static LRESULT CALLBACK WorkEditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every window class of the views, registered once at start-up.
void RegisterWorkAreaClasses(void) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterPaneClass("IMC_Paint20", CardImageWndProc, LoadCursorA(App.Instance, MAKEINTRESOURCEA(IDC_PAINT_PANE)),
                      white);
    RegisterPaneClass("IMC_Char20", CardTextWndProc, LoadCursorA(App.Instance, MAKEINTRESOURCEA(IDC_CHAR_PANE)), white);
    RegisterPaneClass("IMC_WorkCap20", IndexTabsWndProc, LoadCursor(NULL, IDC_ARROW), App.IndexStripBrush);
    RegisterPaneClass("IMC_WorkEdit20", WorkEditWndProc, LoadCursor(NULL, IDC_ARROW), white);
    RegisterPaneClass("IMC_WorkImageCap20", ImageCaptionWndProc, LoadCursor(NULL, IDC_ARROW), white);
    RegisterPaneClass("IMC_WorkEdImage20", EditorImageWndProc, LoadCursor(NULL, IDC_ARROW), white);
    RegisterPaneClass("IMC_Desk20", DeskWndProc, LoadCursor(NULL, IDC_ARROW), App.DeskBrush);
}

void GetCardAreaRect(RECT* area) {
    RECT client;
    GetClientRect(App.MainWindow, &client);
    int x = 2, y = 0, width = client.right - 4, height = client.bottom - 1;
    if (App.CommandBar) {
        y += COMMAND_BAR_HEIGHT;
        height -= COMMAND_BAR_HEIGHT;
    }
    if (App.StatusBar) height -= STATUS_BAR_HEIGHT;
    SetRect(area, x, y, x + width, y + height);
}

HWND CreateWorkEditWindow(HWND parent) {
    RECT area;
    GetCardAreaRect(&area);
    App.WorkEditWindow =
        CreateWindowA("IMC_WorkEdit20", NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area.left, area.top,
                      area.right - area.left, area.bottom - area.top, parent, (HMENU)ID_WORK_AREA, App.Instance, NULL);
    if (App.WorkEditWindow) {
        ShowWindow(App.WorkEditWindow, SW_SHOW);
        UpdateWindow(App.WorkEditWindow);
    }
    return App.WorkEditWindow;
}

void LayoutWorkEditWindow(WPARAM flag) {
    if (!App.WorkEditWindow) return;
    if (flag == SIZE_MINIMIZED) {
        MoveWindow(App.WorkEditWindow, 0, 0, 0, 0, TRUE);
        return;
    }
    App.ImageScrollX = App.ImageScrollY = 0;
    RECT area;
    GetCardAreaRect(&area);
    MoveWindow(App.WorkEditWindow, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

static void DestroyPane(HWND* pane) {
    if (*pane && IsWindow(*pane)) DestroyWindow(*pane);
    *pane = NULL;
}

// The form's edits were committed by the view switch before it goes.
static void DestroyCardEditorPanes(void) {
    if (App.CardForm && IsWindow(App.CardForm)) DestroyWindow(App.CardForm);
    App.CardForm = NULL;
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    DestroyEditorImagePanes();
}

static int CardImagePaneExists(void) { return App.Views.CardImagePane && IsWindow(App.Views.CardImagePane); }
static int CardFormExists(void) { return App.CardForm && IsWindow(App.CardForm); }
static int CardListExists(void) { return App.Views.CardList && IsWindow(App.Views.CardList); }
static int DeskExists(void) { return App.Views.Desk && IsWindow(App.Views.Desk); }

// Leaves the deck for the Card List or the album: the strip goes with it.
static void DestroyDeckForOtherViews(void) {
    DestroyPane(&App.Views.IndexStrip);
    DestroyDeckPanes();
    DestroyDeckList();
}

void SwitchWorkAreaView(HWND parent) {
    switch (App.ViewMode) {
    case VIEW_CARD_DECK:
        if (CardListExists()) DestroyCardListView();
        else if (CardFormExists()) DestroyCardEditorPanes();
        else if (DeskExists()) DestroyCardDesk();
        if (!App.Views.IndexStrip) CreateIndexStrip(parent);
        if (!App.Views.DeckList) CreateDeckList(parent);
        CreateDeckPanes(parent);
        if (App.Views.DeckList) SetFocus(App.Views.DeckList);
        break;
    case VIEW_CARD_EDITOR:
        if (CardListExists()) DestroyCardListView();
        else if (CardImagePaneExists()) {
            DestroyDeckPanes();
            DestroyDeckList();
        } else if (DeskExists()) DestroyCardDesk();
        if (!App.Views.IndexStrip) CreateIndexStrip(parent);
        CreateCardForm(parent);
        CreateEditorImagePanes(parent);
        if (App.CardForm) SetFocus(GetDlgItem(App.CardForm, 430));
        break;
    case VIEW_CARD_LIST:
    case VIEW_CARD_ALBUM:
        if (CardImagePaneExists()) DestroyDeckForOtherViews();
        else if (CardFormExists()) {
            DestroyCardEditorPanes();
            DestroyPane(&App.Views.IndexStrip);
        } else if (App.ViewMode == VIEW_CARD_LIST && DeskExists()) DestroyCardDesk();
        else if (App.ViewMode == VIEW_CARD_ALBUM && CardListExists()) DestroyCardListView();
        if (App.ViewMode == VIEW_CARD_LIST) CreateCardListView(parent);
        else CreateCardDesk(parent);
        break;
    }
}

static void MovePane(HWND pane, int x, int y, int w, int h) {
    if (pane && IsWindow(pane)) MoveWindow(pane, x, y, w < 0 ? 0 : w, h < 0 ? 0 : h, TRUE);
}

void LayoutWorkArea(HWND parent, WPARAM flag) {
    RECT client;
    GetClientRect(parent, &client);
    int w = client.right, h = client.bottom;
    if (flag == SIZE_MINIMIZED) w = h = 0;
    switch (App.ViewMode) {
    case VIEW_CARD_DECK:
        if (flag == SIZE_MINIMIZED) {
            MovePane(App.Views.DeckList, 0, 0, 0, 0);
            MovePane(App.Views.IndexStrip, 0, 0, 0, 0);
            MovePane(App.Views.CardTextPane, 0, 0, 0, 0);
            MovePane(App.Views.CardImagePane, 0, 0, 0, 0);
            break;
        }
        MovePane(App.Views.DeckList, 450, 2, w - 452, h - 4);
        MovePane(App.Views.IndexStrip, 0, 0, DECK_WIDTH, STRIP_HEIGHT);
        MovePane(App.Views.CardTextPane, 96, 96, 245, 141);
        MovePane(App.Views.CardImagePane, 105, 269, 232, 132);
        break;
    case VIEW_CARD_EDITOR:
        if (flag == SIZE_MINIMIZED) {
            MovePane(App.Views.IndexStrip, 0, 0, 0, 0);
            MovePane(App.CardForm, 0, 0, 0, 0);
            MovePane(App.Views.ImageCaption, 0, 0, 0, 0);
            break;
        }
        MovePane(App.Views.IndexStrip, 0, 0, DECK_WIDTH, STRIP_HEIGHT);
        MovePane(App.CardForm, 0, STRIP_HEIGHT, DECK_WIDTH, h - STRIP_HEIGHT);
        MovePane(App.Views.ImageCaption, DECK_WIDTH, 0, w - DECK_WIDTH, h);
        break;
    case VIEW_CARD_LIST: MovePane(App.Views.CardList, 0, 0, w, h); break;
    case VIEW_CARD_ALBUM: LayoutCardDesk(parent, flag); break;
    }
}

static void MarkViewMenu(int mode) {
    static const int kViewItems[] = {IDM_VIEW_DECK, IDM_VIEW_EDITOR, IDM_VIEW_LIST, IDM_VIEW_ALBUM};
    for (int m = 0; m < 4; ++m) CheckMenuItem(App.MainMenu, kViewItems[m], m == mode ? MF_CHECKED : MF_UNCHECKED);
}

// Puts the table on the current card (card 1 when the table does not hold it) and reads it;
// the views that show one card start from it.
static void ReadCardForView(void) {
    if (App.CurrentCardNumber == -1) {
        App.CurrentCardNumber = 0;
        App.CurrentCardId = 0;
    }
    ReturnToCurrentCardOrFirst();
}

void SetViewMode(int mode) {
    if (mode < VIEW_CARD_DECK || mode > VIEW_CARD_ALBUM || mode == App.ViewMode) return;
    if (!CommitPendingEdits()) return;
    HideHintWindow();
    if (App.ViewMode == VIEW_CARD_EDITOR) ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    App.ViewMode = mode;
    RecordUndoAction(0, NULL, NULL, NULL, NULL);
    HWND work = App.WorkEditWindow;
    if (mode == VIEW_CARD_DECK) {
        if (App.CardCount > 0) ReadCardForView();
        SwitchWorkAreaView(work);
        if (App.Views.CardImagePane) InvalidateRect(App.Views.CardImagePane, NULL, TRUE);
        if (work) InvalidateRect(work, NULL, TRUE);
        if (App.Views.DeckList) SetFocus(App.Views.DeckList);
    } else if (mode == VIEW_CARD_EDITOR) {
        if (App.CardCount < 1) {
            ForgetCurrentCardInTable();
            ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
        } else {
            ReadCardForView();
            SetCurrentCardImage(CardImagePath(&App.CurrentCard));
        }
        SwitchWorkAreaView(work);
        if (App.CardForm) InvalidateRect(App.CardForm, NULL, TRUE);
        RepaintEditorImageCaption();
        RepaintEditorImage();
    } else {
        SwitchWorkAreaView(work);
        if (mode == VIEW_CARD_LIST && App.Views.CardList) InvalidateRect(App.Views.CardList, NULL, TRUE);
    }
    MarkViewMenu(mode);
    for (int i = 0; i < 4; ++i)
        if (App.Views.DeckArrows[i]) ShowWindow(App.Views.DeckArrows[i], mode == VIEW_CARD_DECK ? SW_SHOW : SW_HIDE);
    if (work) LayoutWorkArea(work, SIZE_RESTORED);
    UpdateCommandStates(App.CommandBar, 0);
}

// The views' part of the card refresh: every pane of the current mode shows the open card
// file and the current card again.
void RefreshViewPanes(int fullRefresh) {
    int mode = App.ViewMode;
    if (mode == VIEW_CARD_DECK || mode == VIEW_CARD_EDITOR) CountCardsByLetter();
    if (mode == VIEW_CARD_DECK) {
        if (App.WorkEditWindow) InvalidateRect(App.WorkEditWindow, NULL, FALSE);
        if (App.Views.IndexStrip) InvalidateRect(App.Views.IndexStrip, NULL, FALSE);
        RepaintDeckPanes();
        if (fullRefresh) RefillDeckList();
        else if (App.Views.DeckList) {
            InvalidateRect(App.Views.DeckList, NULL, TRUE);
            UpdateWindow(App.Views.DeckList);
        }
    } else if (mode == VIEW_CARD_EDITOR) {
        if (App.CardForm && IsWindow(App.CardForm) && CommitCardForm()) {
            SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
            if (fullRefresh) {
                InvalidateRect(App.CardForm, NULL, TRUE);
                SetCurrentCardImage(CardImagePath(&App.CurrentCard));
                UpdateWindow(App.CardForm);
            }
        }
        if (App.Views.IndexStrip) InvalidateRect(App.Views.IndexStrip, NULL, FALSE);
        RepaintEditorImage();
        RepaintEditorImageCaption();
    } else if (mode == VIEW_CARD_LIST) {
        if (App.Views.CardList && fullRefresh) FillCardListView();
        else if (App.Views.CardList) {
            InvalidateRect(App.Views.CardList, NULL, TRUE);
            UpdateWindow(App.Views.CardList);
        }
    } else {
        CountCardsByLetter();
        CollectDeskCards();
        if (App.Views.Desk) InvalidateRect(App.Views.Desk, NULL, TRUE);
        RepaintDeskCells();
    }
}

// What the views hold beyond the panes, given back when the main window goes.
void FreeViewResources(void) { FreeDeskCardList(); }

static void CreateDeckArrows(HWND window) {
    for (int i = 0; i < 4; ++i)
        App.Views.DeckArrows[i] =
            CreateWindowA("BUTTON", NULL, WS_CHILD | BS_OWNERDRAW | (App.ViewMode == VIEW_CARD_DECK ? WS_VISIBLE : 0),
                          kDeckArrowPlaces[i].x, kDeckArrowPlaces[i].y, DECK_ARROW_WIDTH, DECK_ARROW_HEIGHT, window,
                          (HMENU)(INT_PTR)(ID_DECK_ARROW + i), App.Instance, NULL);
}

static void DestroyDeckArrows(void) {
    for (int i = 0; i < 4; ++i) DestroyPane(&App.Views.DeckArrows[i]);
}

static int IsNextArrow(int id) { return id == 900 || id == 902; }

static int DeckArrowDisabled(int id) {
    if (App.CardCount < 1) return 1;
    return IsNextArrow(id) ? App.CurrentCardNumber >= App.CardCount : App.CurrentCardNumber <= 1;
}

static void DrawDeckArrow(const DRAWITEMSTRUCT* item) {
    int id = (int)item->CtlID;
    int offset = DeckArrowDisabled(id) ? 416 : (item->itemState & ODS_SELECTED) ? 424 : 420;
    RECT r = item->rcItem;
    DrawBitmapResourceCentered(item->hDC, id + offset, &r);
}

static void OnDeckArrow(HWND window, int id) {
    if (IsNextArrow(id)) {
        if (App.CardCount > 0 && App.CurrentCardNumber < App.CardCount) NavigateCard(IDM_CARD_NEXT);
    } else if (App.CardCount >= 1 && App.CurrentCardNumber != 1) {
        NavigateCard(IDM_CARD_PREV);
    }
    if (App.Views.IndexStrip) InvalidateRect(App.Views.IndexStrip, NULL, FALSE);
    InvalidateRect(window, NULL, FALSE);
}

static void PaintWorkArea(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    if (App.ViewMode == VIEW_CARD_DECK) {
        RECT deck = {0, STRIP_HEIGHT, DECK_WIDTH, 469};
        DrawBitmapResourceCentered(dc, 430, &deck);
        RECT below = {0, 469, DECK_WIDTH, client.bottom};
        if (below.bottom > below.top) TileBitmapResource(dc, 431, &below);
    } else if (App.ViewMode == VIEW_CARD_ALBUM) {
        TileBitmapResource(dc, 431, &client);
    }
    EndPaint(window, &ps);
}

static LRESULT OnWorkAreaNotify(NMHDR* header) {
    if (header->idFrom == ID_DECK_LIST) OnDeckListNotify(header);
    else if (header->idFrom == ID_CARD_LIST) return OnCardListNotify(header);
    return 0;
}

static LRESULT CALLBACK WorkEditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        App.WorkEditWindow = window;
        if (App.CardCount > 0 && App.CurrentCardNumber > 0) TakeCardAt(App.CurrentCardNumber);
        CreateDeckArrows(window);
        SwitchWorkAreaView(window);
        LayoutWorkArea(window, SIZE_RESTORED);
        return 0;
    case WM_DESTROY: DestroyDeckArrows(); return 0;
    case WM_SIZE: LayoutWorkArea(window, wParam); return 0;
    case WM_PAINT: PaintWorkArea(window); return 0;
    case WM_DRAWITEM: DrawDeckArrow((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) >= ID_DECK_ARROW && LOWORD(wParam) <= ID_DECK_ARROW + 3) OnDeckArrow(window, LOWORD(wParam));
        return 0;
    case WM_NOTIFY: return OnWorkAreaNotify((NMHDR*)lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
