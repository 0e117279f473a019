// The command bar: owner-drawn picture buttons that post the main menu's commands,
// enabled by the state of the card file and of a TWAIN acquisition.
#include "shell.h"
#include "views.h"
#include "resource.h"
#include <string.h>

#define BUTTON_W  45
#define BUTTON_H  42
#define SEPARATOR -1

static const int kButtonOrder[] = {
    IDB_CMD_OPEN, IDB_CMD_SCAN,   IDB_CMD_NEWCARD,       IDB_CMD_PRINT, SEPARATOR,       IDB_CMD_SEARCH, IDB_CMD_SORT,
    SEPARATOR,    IDB_CMD_EDITOR, IDB_CMD_DECK,          IDB_CMD_LIST,  IDB_CMD_ALBUM,   SEPARATOR,      IDB_CMD_EXPORT,
    SEPARATOR,    IDB_CMD_LINK,   IDB_CMD_EXPORTOPTIONS, SEPARATOR,     IDB_CMD_WEBSITE, IDB_CMD_UPGRADE};
static const int kStateOrder[] = {IDB_CMD_OPEN,          IDB_CMD_SCAN,    IDB_CMD_NEWCARD, IDB_CMD_PRINT,
                                  IDB_CMD_SEARCH,        IDB_CMD_SORT,    IDB_CMD_EDITOR,  IDB_CMD_DECK,
                                  IDB_CMD_LIST,          IDB_CMD_ALBUM,   IDB_CMD_EXPORT,  IDB_CMD_LINK,
                                  IDB_CMD_EXPORTOPTIONS, IDB_CMD_WEBSITE, IDB_CMD_UPGRADE};

static int IsButtonShown(int id) {
    if (id == IDB_CMD_WEBSITE) return App.ShowWebSite >= 1;
    if (id == IDB_CMD_UPGRADE) return App.ShowWebSite == 2;
    return 1;
}

HWND CreateCommandBar(HWND mainWindow) {
    RECT client;
    GetClientRect(mainWindow, &client);
    HWND bar = CreateWindowA("IMC_CMD20", NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right,
                             COMMAND_BAR_HEIGHT, mainWindow, (HMENU)IDC_COMMAND_BAR, App.Instance, NULL);
    if (bar) UpdateWindow(bar);
    return bar;
}

// A separator stands only between two groups: none is drawn after the bar's last button.
static int IsButtonShownAfter(size_t position) {
    for (size_t i = position + 1; i < sizeof kButtonOrder / sizeof kButtonOrder[0]; ++i)
        if (kButtonOrder[i] != SEPARATOR && IsButtonShown(kButtonOrder[i])) return 1;
    return 0;
}

static void CreateButtons(HWND bar) {
    RECT client;
    GetClientRect(bar, &client);
    int y = (client.bottom - BUTTON_H) / 2;
    if (y < 0) y = 0;
    int x = 5;
    App.Bar.SeparatorCount = 0;
    for (size_t position = 0; position < sizeof kButtonOrder / sizeof kButtonOrder[0]; ++position) {
        int id = kButtonOrder[position];
        if (id == SEPARATOR) {
            if (!IsButtonShownAfter(position)) continue;
            if (App.Bar.SeparatorCount < COMMAND_BAR_SEPARATOR_MAX)
                SetRect(&App.Bar.Separators[App.Bar.SeparatorCount++], x + 7, client.top + 3, x + 8, client.bottom - 7);
            x += 14;
            continue;
        }
        if (!IsButtonShown(id)) continue;
        if (id == IDB_CMD_EXPORTOPTIONS) {
            CreateWindowA("button", NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, y + 30, 16, 12, bar,
                          (HMENU)(INT_PTR)id, App.Instance, NULL);
            x += 11;
            continue;
        }
        HWND button = CreateWindowA("button", NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, y, BUTTON_W, BUTTON_H, bar,
                                    (HMENU)(INT_PTR)id, App.Instance, NULL);
        SetClassLongPtrA(button, GCLP_HCURSOR, (LONG_PTR)App.FingerCursor);
        x += BUTTON_W + 1;
    }
    // 712 sits under 711's right edge: keep it above its neighbour.
    HWND options = GetDlgItem(bar, IDB_CMD_EXPORTOPTIONS);
    if (options) SetWindowPos(options, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// Status text of the Link button: its direction and target.
int LinkStatusTextId(void) {
    int target = App.DefaultExport;
    if (target < 0 || target >= LINK_TYPE_COUNT) target = 0;
    int direction = App.LinkDirection[target];
    if (direction < 1 || direction > 3) direction = 1;
    return IDS_LINK_TEXT_BASE + target + (direction - 1) * 10;
}

static int StatusTextId(int id) { return id == IDB_CMD_LINK ? LinkStatusTextId() : id; }

// Picture of a button in a state (offsets of resource.h).
static int PictureId(int id, int stateOffset) {
    if (id == IDB_CMD_LINK) {
        static const int kLinkOffsets[] = {LINK_STATE_NORMAL, LINK_STATE_PUSHED, LINK_STATE_DISABLED, LINK_STATE_HOVER};
        int target = App.DefaultExport >= 0 && App.DefaultExport < LINK_TYPE_COUNT ? App.DefaultExport : 0;
        int index = (stateOffset - BMP_OFFSET_NORMAL) / 20;
        return App.LinkButtonBitmapBase + target + kLinkOffsets[index];
    }
    if (id == IDB_CMD_UPGRADE) id = IDB_CMD_UPGRADE_PICTURES;
    return id + stateOffset;
}

static void DrawButton(const DRAWITEMSTRUCT* item) {
    int offset = BMP_OFFSET_NORMAL;
    if (!IsWindowEnabled(item->hwndItem)) offset = BMP_OFFSET_DISABLED;
    else if (SendMessageA(item->hwndItem, BM_GETSTATE, 0, 0) & BST_PUSHED) offset = BMP_OFFSET_PUSHED;
    DrawBitmapResourceCentered(item->hDC, PictureId((int)item->CtlID, offset), &item->rcItem);
}

static void DrawHoverPicture(HWND button) {
    RECT r;
    GetClientRect(button, &r);
    HDC dc = GetDC(button);
    DrawBitmapResourceCentered(dc, PictureId(GetDlgCtrlID(button), BMP_OFFSET_HOVER), &r);
    ReleaseDC(button, dc);
}

static void RepaintButton(HWND button) {
    if (!button) return;
    InvalidateRect(button, NULL, FALSE);
    UpdateWindow(button);
}

static void OnBarSetCursor(HWND bar) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(bar, &p);
    HWND child = ChildWindowFromPoint(bar, p);
    if (child == bar) child = NULL;
    if (!child) {
        RepaintButton(App.HotCommandButton);
        App.HotCommandButton = NULL;
        HideHintWindow();
        return;
    }
    if (IsWindowEnabled(child) && child != App.HotCommandButton) {
        RepaintButton(App.HotCommandButton);
        DrawHoverPicture(child);
        App.HotCommandButton = child;
    }
    ShowHintIfEnabled();
    ShowStatusHint(App.StatusBar, StatusTextId(GetDlgCtrlID(child)), 1);
}

static void PaintBar(HWND bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    RECT client;
    GetClientRect(bar, &client);
    TileBitmapResource(dc, IDB_COMMAND_BAR_TILE, &client);
    HPEN light = CreatePen(PS_SOLID, 1, RGB(230, 230, 230));
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(100, 100, 100));
    HGDIOBJ old = SelectObject(dc, light);
    for (int i = 0; i < App.Bar.SeparatorCount; ++i) {
        SelectObject(dc, light);
        MoveToEx(dc, App.Bar.Separators[i].left, App.Bar.Separators[i].top, NULL);
        LineTo(dc, App.Bar.Separators[i].left, App.Bar.Separators[i].bottom);
        SelectObject(dc, dark);
        MoveToEx(dc, App.Bar.Separators[i].right, App.Bar.Separators[i].top, NULL);
        LineTo(dc, App.Bar.Separators[i].right, App.Bar.Separators[i].bottom);
    }
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
    EndPaint(bar, &ps);
}

static INT_PTR CALLBACK SortDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        RECT r;
        GetWindowRect(dialog, &r);
        SetWindowPos(dialog, NULL, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        CheckRadioButton(dialog, IDC_SORT_NAME, IDC_SORT_DATE, IDC_SORT_NAME + App.Bar.SortChoice - 1);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            for (int id = IDC_SORT_NAME; id <= IDC_SORT_DATE; ++id)
                if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) App.Bar.SortChoice = id - 324;
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

static void SendMainCommand(int id) { SendMessageA(App.MainWindow, WM_COMMAND, id, 0); }

// A button's command; those that need cards test the count again at the click.
static void OnButtonCommand(int id) {
    int needsCards = id == IDB_CMD_PRINT || id == IDB_CMD_SEARCH || id == IDB_CMD_SORT || id == IDB_CMD_EXPORT ||
                     id == IDB_CMD_LINK || id == IDB_CMD_EXPORTOPTIONS;
    if (needsCards && App.CardCount < 1) return;
    HideHintWindow();
    switch (id) {
    case IDB_CMD_OPEN: SendMainCommand(IDM_FILE_OPEN); break;
    case IDB_CMD_PRINT: SendMainCommand(IDM_FILE_PRINT); break;
    case IDB_CMD_SEARCH: SendMainCommand(IDM_CARD_SEARCH); break;
    case IDB_CMD_SORT:
        if (RunModalDialog(App.MainWindow, 0, IDD_SORT, SortDlgProc) == 1) SendMainCommand(88 + App.Bar.SortChoice);
        break;
    case IDB_CMD_ALBUM: SetViewMode(VIEW_CARD_ALBUM); break;
    case IDB_CMD_EDITOR: SetViewMode(VIEW_CARD_EDITOR); break;
    case IDB_CMD_LIST: SetViewMode(VIEW_CARD_LIST); break;
    case IDB_CMD_DECK: SetViewMode(VIEW_CARD_DECK); break;
    case IDB_CMD_NEWCARD: SendMainCommand(IDM_CARD_NEW); break;
    case IDB_CMD_SCAN: SendMainCommand(IDM_SCAN); break;
    case IDB_CMD_EXPORT: SendMainCommand(IDM_FILE_EXPORT); break;
    // Only the six link targets have a command; another stored target does nothing.
    case IDB_CMD_LINK:
        if (App.DefaultExport >= 0 && App.DefaultExport < LINK_TYPE_COUNT)
            SendMainCommand(IDM_LINK_PALM + App.DefaultExport);
        break;
    case IDB_CMD_EXPORTOPTIONS: SendMainCommand(IDM_EXPORT_OPTIONS); break;
    case IDB_CMD_WEBSITE: SendMainCommand(IDM_WEBSITE); break;
    case IDB_CMD_UPGRADE: CallOnlineUpdate(1); break;
    }
}

static int ShouldEnable(int id) {
    if (IsTwainManagerOpen() || IsTwainSourceOpen()) return 0;
    switch (id) {
    case IDB_CMD_PRINT:
    case IDB_CMD_SEARCH:
    case IDB_CMD_SORT:
    case IDB_CMD_EXPORT:
    case IDB_CMD_LINK: return App.CardCount >= 1;
    case IDB_CMD_NEWCARD:
    case IDB_CMD_SCAN: return App.Database != NULL && App.CardFileUsable;
    case IDB_CMD_WEBSITE: return App.WebSite[0] != 0;
    default: return 1;
    }
}

// Every button the bar shows is set, Export options included, so that none stays enabled
// during an acquisition.
void UpdateCommandStates(HWND bar, int buttonId) {
    if (!bar) return;
    for (int id : kStateOrder) {
        if (!IsButtonShown(id) || (buttonId && id != buttonId)) continue;
        HWND button = GetDlgItem(bar, id);
        if (button) EnableWindow(button, ShouldEnable(id));
    }
}

LRESULT CALLBACK CommandBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: CreateButtons(bar); return 0;
    case WM_PAINT: PaintBar(bar); return 0;
    case WM_DRAWITEM: DrawButton((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_SETCURSOR: OnBarSetCursor(bar); break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnButtonCommand(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN: return 0;
    }
    return DefWindowProcA(bar, message, wParam, lParam);
}
