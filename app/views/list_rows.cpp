// Building the card views' list views: their left-aligned columns, and a row per card with its cells. A
// visible list repainted after every inserted row took seconds per thousand cards, so the rows
// go in with drawing held and the list is repainted once.
#include "views.h"
#include <string.h>

void InsertListColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA column;
    memset(&column, 0, sizeof column);
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = (char*)title;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, (LPARAM)&column);
}

void SetListCell(HWND list, int row, int column, const char* text) {
    LVITEMA item;
    memset(&item, 0, sizeof item);
    item.iSubItem = column;
    item.pszText = (char*)text;
    SendMessageA(list, LVM_SETITEMTEXTA, row, (LPARAM)&item);
}

void BeginListRows(HWND list) { SendMessageA(list, WM_SETREDRAW, FALSE, 0); }

void EndListRows(HWND list) {
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}
