// Menu items enabled and greyed by what the program holds each time a menu of the main
// window pops up: a card file with or without cards, the view mode, the selection, the
// clipboard and a running acquisition.
#include "shell.h"
#include "views.h"
#include "resource.h"

#define FILE_MENU         0
#define EDIT_MENU         1
#define VIEW_MENU         2
#define CARD_MENU         3
#define RECENT_MENU_PLACE 16  // below the separator that closes the printing items
#define ZOOM_FULL         100
#define ZOOM_SMALLEST     1000

static void SetItem(int id, int grey) {
    EnableMenuItem(App.MenuBar, (UINT)id, MF_BYCOMMAND | (grey ? MF_GRAYED | MF_DISABLED : MF_ENABLED));
}

static void SetRange(int first, int last, int grey) {
    for (int id = first; id <= last; ++id) SetItem(id, grey);
}

static int Busy(void) { return IsTwainManagerOpen() || IsTwainSourceOpen(); }
static int NoCards(void) { return App.CardCount < 1; }
static int InAlbum(void) { return App.ViewMode == VIEW_CARD_ALBUM; }

static int ListHasSelection(void) {
    return App.Views.CardList && IsWindow(App.Views.CardList) &&
           SendMessageA(App.Views.CardList, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

// The recent card files as items 62 to 65 of the sub-menu at their place in the File menu.
static void FillRecentCardFiles(HMENU fileMenu) {
    if (App.CardFileListCount <= 0) {
        EnableMenuItem(fileMenu, RECENT_MENU_PLACE, MF_BYPOSITION | MF_GRAYED);
        return;
    }
    EnableMenuItem(fileMenu, RECENT_MENU_PLACE, MF_BYPOSITION | MF_ENABLED);
    HMENU recent = GetSubMenu(fileMenu, RECENT_MENU_PLACE);
    if (!recent) return;
    while (GetMenuItemCount(recent) > 0) DeleteMenu(recent, 0, MF_BYPOSITION);
    for (int i = 0; i < App.CardFileListCount && i < CARD_FILE_LIST_MAX; ++i)
        AppendMenuA(recent, MF_STRING, IDM_RECENT_FIRST + i, App.CardFileList[i]);
}

static void UpdateFileMenu(void) {
    FillRecentCardFiles(GetSubMenu(App.MenuBar, FILE_MENU));
    int busy = Busy();
    SetRange(IDM_FILE_NEW, 67, busy);
    SetRange(IDM_FILE_SAVEAS, IDM_LINK_ACT, busy || NoCards() || InAlbum());
    SetItem(IDM_FILE_EXPORT, busy || NoCards() || InAlbum() || (App.ViewMode == VIEW_CARD_LIST && !ListHasSelection()));
    SetItem(IDM_FILE_PRINT, busy || NoCards());
}

static int ClipboardHasText(void) {
    if (!OpenClipboard(App.MainWindow)) return 0;
    int has = GetClipboardData(CF_TEXT) != NULL;
    CloseClipboard();
    return has;
}

// Delete Card sits in the Card menu and follows the Edit commands' rules in both passes.
static void SetDeleteCardState(int busy) {
    int grey = busy || NoCards();
    if (App.ViewMode == VIEW_CARD_LIST) grey = grey || !ListHasSelection();
    else if (InAlbum()) grey = 1;
    else grey = grey || App.CurrentCardNumber < 1 || App.CurrentCardNumber > App.CardCount;
    SetItem(IDM_CARD_DELETE, grey);
}

static void UpdateEditMenu(void) {
    int busy = Busy();
    SetItem(IDM_EDIT_UNDO, busy || App.Views.Undo.Kind == 0);
    int base = busy || NoCards();
    int selection = 0;
    if (App.ViewMode == VIEW_CARD_EDITOR) {
        HWND focus = GetFocus();
        selection = IsEditControl(focus) && HasTextSelection(focus);
    } else if (App.ViewMode == VIEW_CARD_LIST) {
        selection = ListHasSelection();
    }
    SetItem(IDM_EDIT_CUT, base || !selection);
    SetItem(IDM_EDIT_COPY, base || !selection);
    SetItem(IDM_EDIT_CLEAR, base || !selection);
    SetItem(IDM_EDIT_PASTE,
            base || App.ViewMode != VIEW_CARD_EDITOR || !IsEditControl(GetFocus()) || !ClipboardHasText());
    SetDeleteCardState(busy);
}

static void UpdateViewMenu(void) {
    int busy = Busy();
    SetRange(IDM_VIEW_LIST, IDM_ZOOM_OUT, busy);
    int noImage = App.ViewMode != VIEW_CARD_EDITOR || !App.CurrentImage.Pixels;
    SetItem(IDM_ZOOM_IN, busy || noImage || App.ImageZoom < ZOOM_FULL);
    SetItem(IDM_ZOOM_OUT, busy || noImage || App.ImageZoom > ZOOM_SMALLEST);
}

static void UpdateCardMenu(void) {
    CommitCardForm();
    int busy = Busy();
    int none = busy || NoCards();
    SetRange(IDM_SCAN, IDM_PANEL_SCAN, busy);
    SetItem(IDM_CARD_SEARCH, none || InAlbum());
    SetRange(IDM_SORT_NAME, IDM_SORT_DATE, none || InAlbum());
    SetItem(IDM_BROWSE_WEB, none || !App.CurrentCard.User3[0]);
    SetItem(IDM_BROWSE_WEB2, none || !App.CurrentCard.User4[0]);
    SetItem(IDM_MAIL, none || !App.CurrentCard.EMail[0]);
    SetItem(IDM_MAIL2, none || !App.CurrentCard.User2[0]);
    int atFirst = none || InAlbum() || App.CurrentCardNumber == 1;
    int atLast = none || InAlbum() || App.CurrentCardNumber == App.CardCount;
    SetItem(IDM_CARD_FIRST, atFirst);
    SetItem(IDM_CARD_PREV, atFirst);
    SetItem(IDM_CARD_LAST, atLast);
    SetItem(IDM_CARD_NEXT, atLast);
    SetItem(IDM_CARD_GOTO, none || InAlbum());
    SetDeleteCardState(busy);
}

void UpdateMenuStates(HWND window, int position) {
    App.MenuBar = GetMenu(window);
    if (!App.MenuBar) return;
    switch (position) {
    case FILE_MENU: UpdateFileMenu(); break;
    case EDIT_MENU: UpdateEditMenu(); break;
    case VIEW_MENU: UpdateViewMenu(); break;
    case CARD_MENU: UpdateCardMenu(); break;
    }
}

// Only the menu bar's own menus are set; a sub-menu (the links, the sort orders, the recent
// files) pops up at a place of its own parent, which is no menu of the bar.
void OnInitMenuPopup(HWND window, HMENU popup, LPARAM lParam) {
    HMENU bar = GetMenu(window);
    if (HIWORD(lParam) || !bar || GetSubMenu(bar, LOWORD(lParam)) != popup) return;
    UpdateMenuStates(window, LOWORD(lParam));
}
