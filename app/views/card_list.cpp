// The Card List: every card of the open table as a row; header sorting, the options dialog,
// copy and cut of selected rows, and a cell editor that writes a changed cell back.
#include "views.h"
#include "shell.h"
#include "resource.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

#define WM_LIST_HIDE_COLUMN (WM_APP + 17)
#define WM_LIST_OPEN_CELL   (WM_APP + 18)
#define BMP_HEADER_FIRST    284
#define BMP_HEADER_PUSHED   285
#define BMP_SORT_DESCENDING 1280
#define BMP_SORT_ASCENDING  1282
#define IDC_OPTION_FIRST    1040
#define IDC_OPTION_GRID     1054
#define IDC_OPTION_YELLOW   1056
#define IDC_OPTION_GREY     1057
#define IDC_OPTION_WHITE    1058
#define BACKGROUND_YELLOW   207
#define BACKGROUND_GREY     208
#define BACKGROUND_WHITE    209
#define CELL_TEXT_SIZE      256
#define EDIT_TEXT_LIMIT     100

// Table column of each sort key 1 to 5.
static const int kSortColumns[5] = {2, 4, 7, 8, 12};

static HWND List(void) { return App.Views.CardList; }

// The table column shown as list column n, or -1. Columns are mapped through those the list
// was built with: the options may have changed the table since.
static int TableColumnOfListColumn(int n) {
    return n >= 0 && n < App.Views.ShownColumns ? App.Views.ListColumnTables[n] : -1;
}

static int ListColumnOfTableColumn(int column) {
    for (int n = 0; n < App.Views.ShownColumns; ++n)
        if (App.Views.ListColumnTables[n] == column) return n;
    return -1;
}

static int SortKeyOfColumn(int column) {
    for (int k = 0; k < 5; ++k)
        if (kSortColumns[k] == column) return k + 1;
    return 0;
}

static void InsertShownColumns(HWND list) {
    App.Views.ShownColumns = 0;
    for (int i = 0; i < LIST_COLUMN_COUNT; ++i) {
        if (App.Views.ListColumns[i] <= 0) continue;
        char title[64];
        LoadCardListColumnTitle(i, title, sizeof title);
        App.Views.ListColumnTables[App.Views.ShownColumns] = i;
        InsertListColumn(list, App.Views.ShownColumns++, title, App.Views.ListColumns[i]);
    }
}

static void SelectCurrentListRow(void) {
    if (App.CurrentCardNumber < 1) return;
    LVITEMA item;
    memset(&item, 0, sizeof item);
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(List(), LVM_SETITEMSTATE, App.CurrentCardNumber - 1, (LPARAM)&item);
    SendMessageA(List(), LVM_ENSUREVISIBLE, App.CurrentCardNumber - 1, FALSE);
}

// One row per card; each row keeps its card's id, so that a cut deletes the card it shows.
static void FillRows(HWND list) {
    if (App.CardCount < 1) return;
    CardRec card;
    kvRecFirst(App.CardTable);
    kvCardRecGet(App.CardTable, &card, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, App.CardCount, 0);
    BeginListRows(list);
    for (int row = 0; row < App.CardCount; ++row) {
        char text[CELL_TEXT_SIZE];
        FormatCardListCell(&card, 0, row, text, sizeof text);
        LVITEMA item;
        memset(&item, 0, sizeof item);
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = text;
        item.lParam = card.ID;
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        for (int n = 1; n < App.Views.ShownColumns; ++n) {
            FormatCardListCell(&card, TableColumnOfListColumn(n), row, text, sizeof text);
            SetListCell(list, row, n, text);
        }
        kvRecNext(App.CardTable);
        if (kvRecIsEOF(App.CardTable)) {
            kvRecPrev(App.CardTable);
            break;
        }
        kvCardRecGet(App.CardTable, &card, 0);
    }
    EndListRows(list);
}

static LRESULT CALLBACK CardListSubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
static void OpenListCell(int row, int column);

static void CreateListEditor(HWND list) {
    if (App.Views.ListEditor && IsWindow(App.Views.ListEditor)) DestroyWindow(App.Views.ListEditor);
    App.Views.ListEditor = CreateWindowA("EDIT", NULL, WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | ES_AUTOHSCROLL, 0, 0,
                                         10, 10, list, (HMENU)ID_LIST_EDITOR, App.Instance, NULL);
    if (App.Views.ListEditor) {
        SendMessageA(App.Views.ListEditor, WM_SETFONT, (WPARAM)App.DialogFont, FALSE);
        SendMessageA(App.Views.ListEditor, EM_LIMITTEXT, EDIT_TEXT_LIMIT - 1, 0);
    }
    App.Views.EditRow = App.Views.EditColumn = -1;
    App.Views.EditCardId = 0;
}

HWND CreateCardListView(HWND parent) {
    LoadListColumnWidths();
    RECT client;
    GetClientRect(parent, &client);
    HWND list = CreateWindowA(WC_LISTVIEWA, NULL,
                              WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                              client.right, client.bottom, parent, (HMENU)ID_CARD_LIST, App.Instance, NULL);
    if (!list) return NULL;
    App.Views.CardList = list;
    if (!App.Views.ListBackground) {
        App.Views.ListBackground = BACKGROUND_WHITE;
        App.Views.ListGrid = 1;
    }
    InsertShownColumns(list);
    FillRows(list);
    if (App.CardCount > 0) ReturnToCurrentCardOrFirst();
    SelectCurrentListRow();
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x221);
    App.Views.CardListProc = (WNDPROC)SetWindowLongPtrA(list, GWLP_WNDPROC, (LONG_PTR)CardListSubclassProc);
    ShowWindow(list, SW_SHOW);
    CreateListEditor(list);
    return list;
}

// A refill first ends the cell editor: its cell's row may hold another card afterwards.
void FillCardListView(void) {
    HWND list = List();
    if (!list) return;
    EndListEdit();
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    if (App.CardCount < 1) {
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x220);
        return;
    }
    FillRows(list);
    ReturnToCurrentCardOrFirst();
    SelectCurrentListRow();
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x220 | (App.Views.ListGrid == 1 ? 0x1 : 0));
}

void RebuildCardListColumns(void) {
    HWND list = List();
    EndListEdit();
    for (int i = App.Views.ShownColumns - 1; i >= 0; --i) SendMessageA(list, LVM_DELETECOLUMN, i, 0);
    InsertShownColumns(list);
}

static void KeepListColumnWidths(HWND list) {
    for (int n = 0; n < App.Views.ShownColumns; ++n) {
        int column = TableColumnOfListColumn(n);
        if (column >= 0) App.Views.ListColumns[column] = (int)SendMessageA(list, LVM_GETCOLUMNWIDTH, n, 0);
    }
    SaveListColumnWidths();
}

void DestroyCardListView(void) {
    HWND list = List();
    if (!list) return;
    EndListEdit();
    if (IsWindow(list)) {
        KeepListColumnWidths(list);
        SetWindowLongPtrA(list, GWLP_WNDPROC, (LONG_PTR)App.Views.CardListProc);
        DestroyWindow(list);
    }
    App.Views.CardList = NULL;
    App.Views.ListEditor = NULL;
}

// ---- the cell editor ------------------------------------------------------------------------

// Each row keeps its card's ID.
int CardListRowId(int row) {
    LVITEMA item;
    memset(&item, 0, sizeof item);
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageA(List(), LVM_GETITEMA, 0, (LPARAM)&item) ? (int)item.lParam : 0;
}

static int RowOfCard(int id) {
    LVFINDINFOA find;
    memset(&find, 0, sizeof find);
    find.flags = LVFI_PARAM;
    find.lParam = id;
    return (int)SendMessageA(List(), LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
}

static void ForgetListEditCell(void) {
    App.Views.EditRow = App.Views.EditColumn = -1;
    App.Views.EditCardId = 0;
}

static int EditorVisible(void) { return App.Views.ListEditor && IsWindowVisible(App.Views.ListEditor); }

// Stores the text into the field of the card with that ID, cut to the field's width; the
// date is not parsed. The card as stored afterwards in *card; 0 when the table no longer
// holds the card, which is then left alone.
static int StoreListCell(int id, int column, const char* text, CardRec* card) {
    memset(card, 0, sizeof *card);
    if (!FindCardById(id) || kvCardRecGet(App.CardTable, card, 0) != 1 || card->ID != id) return 0;
    int size = 0;
    char* field = CardListField(card, column, &size);
    if (field) {
        lstrcpynA(field, text, size);
        kvStartTransation(App.Database);
        if (kvCardRecUpdate(App.CardTable, card) != 1 || kvCommit(App.Database) != 1) kvRollback(App.Database);
        kvCardRecGet(App.CardTable, card, 0);
    }
    return 1;
}

// Writes a modified cell into the card the editor opened on, wherever its row now stands.
static void CommitListEditCell(void) {
    int id = App.Views.EditCardId, column = App.Views.EditColumn;
    if (id <= 0 || column < 2 || !SendMessageA(App.Views.ListEditor, EM_GETMODIFY, 0, 0)) return;
    SendMessageA(App.Views.ListEditor, EM_SETMODIFY, FALSE, 0);
    char text[EDIT_TEXT_LIMIT];
    GetWindowTextA(App.Views.ListEditor, text, sizeof text);
    static CardRec card;
    int stored = StoreListCell(id, column, text, &card);
    ReturnToCurrentCard();
    int row = RowOfCard(id), listColumn = ListColumnOfTableColumn(column);
    if (!stored || row < 0 || listColumn < 0) return;
    char shown[CELL_TEXT_SIZE];
    FormatCardListCell(&card, column, row, shown, sizeof shown);
    SetListCell(List(), row, listColumn, shown);
}

void EndListEdit(void) {
    if (!EditorVisible()) return;
    CommitListEditCell();
    ShowWindow(App.Views.ListEditor, SW_HIDE);
    ForgetListEditCell();
}

static void ShowListEditor(int row, int column) {
    HWND list = List();
    RECT cell;
    cell.top = ListColumnOfTableColumn(column);
    cell.left = LVIR_BOUNDS;
    if (cell.top < 0 || !SendMessageA(list, LVM_GETSUBITEMRECT, row, (LPARAM)&cell)) return;
    App.Views.EditRow = row;
    App.Views.EditColumn = column;
    App.Views.EditCardId = CardListRowId(row);
    char text[CELL_TEXT_SIZE] = "";
    LVITEMA item;
    memset(&item, 0, sizeof item);
    item.iSubItem = cell.top >= 0 ? ListColumnOfTableColumn(column) : 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, (LPARAM)&item);
    MoveWindow(App.Views.ListEditor, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, TRUE);
    SetWindowTextA(App.Views.ListEditor, text);
    SendMessageA(App.Views.ListEditor, EM_SETMODIFY, FALSE, 0);
    ShowWindow(App.Views.ListEditor, SW_SHOW);
    SetFocus(App.Views.ListEditor);
    SendMessageA(App.Views.ListEditor, EM_SETSEL, 0, -1);
}

static int NextShownDataColumn(int from, int step) {
    for (int c = from + step; c >= 2 && c < LIST_COLUMN_COUNT; c += step)
        if (ListColumnOfTableColumn(c) >= 0) return c;
    return -1;
}

// Tab steps along the shown columns (wrapping to the next or previous row), Enter a row.
static void MoveListEditCell(int forward, int byRow) {
    int row = App.Views.EditRow, column = App.Views.EditColumn;
    if (byRow) row += forward ? 1 : -1;
    else {
        int next = NextShownDataColumn(column, forward ? 1 : -1);
        if (next < 0) {
            row += forward ? 1 : -1;
            next = NextShownDataColumn(forward ? 1 : LIST_COLUMN_COUNT, forward ? 1 : -1);
        }
        column = next;
    }
    if (column < 2 || column >= LIST_COLUMN_COUNT || row < 0 || row >= App.CardCount) return;
    if (row == App.Views.EditRow && column == App.Views.EditColumn) return;
    CommitListEditCell();
    ShowListEditor(row, column);
}

int TranslateWorkAreaKey(HWND window, int key) {
    int shift = GetKeyState(VK_SHIFT) < 0;
    if (App.ViewMode == VIEW_CARD_LIST && EditorVisible() && GetFocus() == App.Views.ListEditor) {
        if (key == VK_TAB) MoveListEditCell(!shift, 0);
        else if (key == VK_RETURN) MoveListEditCell(!shift, 1);
        else if (key == VK_ESCAPE) {
            ShowWindow(App.Views.ListEditor, SW_HIDE);
            ForgetListEditCell();
            SetFocus(List());
        } else return 0;
        return 1;
    }
    if (App.ViewMode == VIEW_CARD_EDITOR && App.CardForm && IsWindow(App.CardForm) && key == VK_TAB) {
        HWND focus = GetFocus();
        HWND next = IsChild(App.CardForm, focus) ? GetNextDlgTabItem(App.CardForm, focus, shift)
                                                 : GetNextDlgTabItem(App.CardForm, NULL, FALSE);
        if (!next) return 0;
        SetFocus(next);
        SendMessageA(next, EM_SETSEL, 0, -1);
        return 1;
    }
    return 0;
}

// ---- copy and cut -----------------------------------------------------------------------------

static std::vector<int> SelectedRows(void) {
    std::vector<int> rows;
    int n = (int)SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0);
    for (int row = -1; (int)rows.size() < n;) {
        row = (int)SendMessageA(List(), LVM_GETNEXTITEM, row, LVNI_SELECTED);
        if (row < 0) break;
        rows.push_back(row);
    }
    return rows;
}

static std::string RowText(int row) {
    std::string line;
    for (int n = 1; n < App.Views.ShownColumns; ++n) {
        char text[CELL_TEXT_SIZE] = "";
        if (row < 0) {
            HDITEMA item;
            memset(&item, 0, sizeof item);
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA((HWND)SendMessageA(List(), LVM_GETHEADER, 0, 0), HDM_GETITEMA, n, (LPARAM)&item);
        } else {
            LVITEMA item;
            memset(&item, 0, sizeof item);
            item.iSubItem = n;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(List(), LVM_GETITEMTEXTA, row, (LPARAM)&item);
        }
        line += text;
        line += n + 1 < App.Views.ShownColumns ? "\t" : "\r\n";
    }
    return line;
}

// The titles, then the selected rows, as tab-separated lines; 1 when the clipboard holds them.
static int CopySelectedRows(const std::vector<int>& rows) {
    std::string text = RowText(-1);
    for (int row : rows) text += RowText(row);
    if (!OpenClipboard(App.MainWindow)) return 0;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    char* data = block ? (char*)GlobalLock(block) : NULL;
    int placed = 0;
    if (data) {
        memcpy(data, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        placed = SetClipboardData(CF_TEXT, block) != NULL;
    }
    if (!placed && block) GlobalFree(block);
    CloseClipboard();
    return placed;
}

// Deletes the cards of the copied rows by the IDs the rows keep, highest row first; a row
// goes only once its card is deleted, so that the list never hides a card the file keeps.
static void DeleteCopiedRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end(), [](int a, int b) { return a > b; });
    int failed = 0;
    for (int row : rows) {
        if (!FindCardById(CardListRowId(row)) || kvRecDelete(App.CardTable) != 1) {
            failed = 1;
            continue;
        }
        SendMessageA(List(), LVM_DELETEITEM, row, 0);
        kvRecFirst(App.CardTable);  // off the deleted record, from which no find starts
    }
    kvRecFirst(App.CardTable);
    App.CardCount = kvTblNRecs(App.CardTable);
    if (!TakeCardAt(1)) ForgetCurrentCardInTable();
    if (failed) MessageBoxFromStringId(App.MainWindow, IDS_CARD_NOT_DELETED, NULL, MB_OK | MB_ICONSTOP);
    RepaintIndexTabs();
    UpdateCommandStates(App.CommandBar, 0);
}

static LRESULT OnListPrivateMessage(UINT message) {
    std::vector<int> rows;
    switch (message) {
    case WM_LIST_COPY:
    case WM_LIST_CUT:
        rows = SelectedRows();
        if (rows.empty()) return 1;
        // The cards go only once the clipboard holds what was cut.
        if (CopySelectedRows(rows) && message == WM_LIST_CUT) DeleteCopiedRows(rows);
        return 1;
    case WM_LIST_CLEAR: SendMessageA(App.MainWindow, WM_COMMAND, IDM_CARD_DELETE, 0); return 1;
    case WM_LIST_SELECTED: return SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0);
    default: return 1;
    }
}

// ---- header -------------------------------------------------------------------------------------

// Appended cards stand at the end whatever their key: the rows then follow no sort.
static int CurrentSortKey(void) { return App.RowsUnsorted ? 0 : App.SortMode & 0xFF; }
static int SortDescending(void) { return (App.SortMode >> 8) & 0xFF; }

static LRESULT DrawListHeaderItem(NMCUSTOMDRAW* draw, HWND header) {
    if (draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    HDC dc = draw->hdc;
    RECT r = draw->rc;
    int n = (int)draw->dwItemSpec, column = TableColumnOfListColumn(n);
    int pushed =
        GetKeyState(VK_LBUTTON) < 0 && (draw->uItemState & CDIS_SELECTED) && (n == 0 || SortKeyOfColumn(column));
    HBRUSH brush = CreateSolidBrush(RGB(93, 119, 158));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    if (n == 0) {
        DrawBitmapResourceCentered(dc, pushed ? BMP_HEADER_PUSHED : BMP_HEADER_FIRST, &r);
        return CDRF_SKIPDEFAULT;
    }
    char title[128] = "";
    HDITEMA item;
    memset(&item, 0, sizeof item);
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    SendMessageA(header, HDM_GETITEMA, n, (LPARAM)&item);
    RECT text = r;
    InflateRect(&text, -2, -2);
    if (pushed) OffsetRect(&text, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, title, -1, &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    HPEN light = CreatePen(PS_SOLID, 1, RGB(158, 173, 197)), dark = CreatePen(PS_SOLID, 1, RGB(61, 77, 102));
    DrawFrameWithPens(dc, r.left, r.top + 1, r.right, r.bottom, light, dark);
    DeleteObject(light);
    DeleteObject(dark);
    if (SortKeyOfColumn(column) && SortKeyOfColumn(column) == CurrentSortKey()) {
        RECT arrow = {text.right - 14, text.top, text.right, text.bottom};
        DrawBitmapResourceCentered(dc, SortDescending() ? BMP_SORT_DESCENDING : BMP_SORT_ASCENDING, &arrow);
    }
    return CDRF_SKIPDEFAULT;
}

// A column dragged to nothing is hidden, keeping minus its default width.
static void OnHeaderTrackEnd(int n, int width) {
    int column = TableColumnOfListColumn(n);
    if (column < 0) return;
    if (width != 0) App.Views.ListColumns[column] = width;
    else PostMessageA(List(), WM_LIST_HIDE_COLUMN, n, column);
}

static void HideListColumn(int n, int column) {
    if (TableColumnOfListColumn(n) != column) return;
    EndListEdit();
    SendMessageA(List(), LVM_DELETECOLUMN, n, 0);
    App.Views.ShownColumns--;
    for (int i = n; i < App.Views.ShownColumns; ++i) App.Views.ListColumnTables[i] = App.Views.ListColumnTables[i + 1];
    App.Views.ListColumns[column] = -CardListDefaultWidth(column);
}

static LRESULT CALLBACK CardListSubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        NMHDR* header = (NMHDR*)lParam;
        HWND headerWindow = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
        if (header->hwndFrom == headerWindow) {
            NMHEADERA* track = (NMHEADERA*)lParam;
            switch (header->code) {
            case NM_CUSTOMDRAW: return DrawListHeaderItem((NMCUSTOMDRAW*)lParam, headerWindow);
            case HDN_BEGINTRACKA:
            case HDN_BEGINTRACKW:
            case HDN_DIVIDERDBLCLICKA:
            case HDN_DIVIDERDBLCLICKW:
                if (track->iItem < 2) return TRUE;
                break;
            case HDN_ENDTRACKA:
            case HDN_ENDTRACKW:
                if (track->pitem && (track->pitem->mask & HDI_WIDTH)) OnHeaderTrackEnd(track->iItem, track->pitem->cxy);
                break;
            }
        }
    } else if (message == WM_DESTROY) {
        // Closing the program in the Card List keeps the widths as a view switch does.
        KeepListColumnWidths(list);
        App.Views.CardList = NULL;
    } else if (message == WM_LIST_OPEN_CELL) {
        OpenListCell((int)wParam, (int)lParam);
        return 0;
    } else if (message == WM_LIST_HIDE_COLUMN) {
        HideListColumn((int)wParam, (int)lParam);
        return 0;
    } else if (message >= WM_LIST_NOTHING && message <= WM_LIST_SELECTED) {
        return OnListPrivateMessage(message);
    }
    return CallWindowProcA(App.Views.CardListProc, list, message, wParam, lParam);
}

// ---- options dialog -----------------------------------------------------------------------------

static INT_PTR CALLBACK ListViewOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    static int changed;
    int* table = App.Views.ListColumns;
    switch (message) {
    case WM_INITDIALOG:
        changed = 0;
        CenterWindowOnScreen(dialog);
        for (int i = 2; i < LIST_COLUMN_COUNT; ++i)
            CheckDlgButton(dialog, IDC_OPTION_FIRST + i - 1, table[i] > 0 ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_OPTION_GRID, App.Views.ListGrid ? BST_CHECKED : BST_UNCHECKED);
        CheckRadioButton(dialog, IDC_OPTION_YELLOW, IDC_OPTION_WHITE,
                         App.Views.ListBackground == BACKGROUND_YELLOW ? IDC_OPTION_YELLOW
                         : App.Views.ListBackground == BACKGROUND_GREY ? IDC_OPTION_GREY
                                                                       : IDC_OPTION_WHITE);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            int anyData = 0;
            for (int i = 2; i < LIST_COLUMN_COUNT; ++i) anyData |= IsDlgButtonChecked(dialog, IDC_OPTION_FIRST + i - 1);
            for (int i = 1; i < LIST_COLUMN_COUNT; ++i) {
                int width = abs(table[i]) ? abs(table[i]) : CardListDefaultWidth(i);
                // Unticking every column keeps the names: the list always shows a data column.
                int shown = i >= 2 && (IsDlgButtonChecked(dialog, IDC_OPTION_FIRST + i - 1) || (!anyData && i == 2));
                table[i] = shown ? width : -width;
            }
            App.Views.ListGrid = IsDlgButtonChecked(dialog, IDC_OPTION_GRID) ? 1 : 0;
            App.Views.ListBackground = IsDlgButtonChecked(dialog, IDC_OPTION_YELLOW) ? BACKGROUND_YELLOW
                                       : IsDlgButtonChecked(dialog, IDC_OPTION_GREY) ? BACKGROUND_GREY
                                                                                     : BACKGROUND_WHITE;
            EndDialog(dialog, changed ? 2 : 1);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        } else {
            changed = 1;
        }
        return TRUE;
    }
    return FALSE;
}

static void OnListOptions(void) {
    INT_PTR result = RunModalDialog(App.MainWindow, 0, IDD_LIST_OPTIONS, ListViewOptionsDlgProc);
    if (result == 2) {
        RebuildCardListColumns();
        FillCardListView();
    }
    InvalidateRect(List(), NULL, TRUE);
}

// ---- notifications ------------------------------------------------------------------------------

static void OnListColumnClick(int n) {
    EndListEdit();
    if (n == 0) {
        OnListOptions();
        return;
    }
    int key = SortKeyOfColumn(TableColumnOfListColumn(n));
    if (!key) return;
    int ascending = IDM_SORT_NAME + key - 1;
    int descending = 345 + key - 1;
    int command = (CurrentSortKey() == key && !SortDescending()) ? descending : ascending;
    PostMessageA(App.MainWindow, WM_COMMAND, command, 0);
}

static LRESULT OnListRowDraw(NMLVCUSTOMDRAW* draw) {
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (App.Views.ListBackground) {
    case BACKGROUND_YELLOW:
        draw->clrText = RGB(0, 0, 128);
        draw->clrTextBk = RGB(255, 255, 225);
        break;
    case BACKGROUND_GREY:
        draw->clrText = RGB(0, 0, 0);
        draw->clrTextBk = RGB(225, 225, 225);
        break;
    default: draw->clrText = RGB(0, 0, 0); draw->clrTextBk = RGB(255, 255, 255);
    }
    return CDRF_NEWFONT;
}

// A click on the current card's row, on a data cell, starts editing that cell.
static void OnListClick(const NMITEMACTIVATE* click, int open) {
    LVHITTESTINFO hit;
    memset(&hit, 0, sizeof hit);
    hit.pt = click->ptAction;
    int row = (int)SendMessageA(List(), LVM_SUBITEMHITTEST, 0, (LPARAM)&hit);
    if (row < 0 || !(hit.flags & LVHT_ONITEM)) {
        SelectCurrentListRow();
        return;
    }
    int wasCurrent = row + 1 == App.CurrentCardNumber;
    TakeCardAt(row + 1);
    if (open) {
        PostMessageA(App.MainWindow, WM_COMMAND, IDM_VIEW_EDITOR, 0);
        return;
    }
    // The cell opens once the list has finished with the click: what the click still brings
    // about must not end the editor it opened.
    int column = TableColumnOfListColumn(hit.iSubItem);
    if (wasCurrent && column >= 2) PostMessageA(List(), WM_LIST_OPEN_CELL, row, column);
}

static void OpenListCell(int row, int column) {
    if (row + 1 != App.CurrentCardNumber || SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0) != 1) return;
    EndListEdit();
    ShowListEditor(row, column);
}

// The notifications that the cell editor itself brings about while it opens: the focus going
// into it and the release of the click that opened it. Drawing changes nothing either.
static int LeavesListEditOpen(UINT code) {
    return code == NM_CUSTOMDRAW || code == NM_RETURN || code == NM_KILLFOCUS || code == NM_SETFOCUS ||
           code == NM_RELEASEDCAPTURE || code == NM_HOVER || code == LVN_HOTTRACK || code == LVN_ITEMACTIVATE;
}

// Any other notification of the list (a selection change, a key, a scroll, a drag, rows
// going) ends the cell editor first: its cell may show another card afterwards.
LRESULT OnCardListNotify(NMHDR* header) {
    if (!List()) return 0;
    if (!LeavesListEditOpen(header->code)) EndListEdit();
    switch (header->code) {
    case LVN_COLUMNCLICK: OnListColumnClick(((NMLISTVIEW*)header)->iSubItem); return 0;
    case NM_CUSTOMDRAW: return OnListRowDraw((NMLVCUSTOMDRAW*)header);
    case NM_CLICK: OnListClick((const NMITEMACTIVATE*)header, 0); return 0;
    case NM_DBLCLK: OnListClick((const NMITEMACTIVATE*)header, 1); return 0;
    }
    return 0;
}
