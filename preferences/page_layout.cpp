#include "page_layout.h"

PageGrid GridOf(HWND page) {
    RECT client;
    GetClientRect(page, &client);
    PageGrid grid;
    grid.Width = client.right;
    grid.Height = client.bottom;
    grid.Row = client.bottom / 12;
    return grid;
}

void PlaceControl(HWND page, int id, int x, int y, int width, int height) {
    HWND control = GetDlgItem(page, id);
    if (control) MoveWindow(control, x, y, width > 0 ? width : 0, height > 0 ? height : 0, TRUE);
}

void PlaceOnRow(HWND page, const PageGrid& grid, int id, int row, int x, int right) {
    PlaceControl(page, id, x, row * grid.Row, right - x, grid.Row - 2);
}

void PlaceComboOnRow(HWND page, const PageGrid& grid, int id, int row, int x, int right) {
    PlaceControl(page, id, x, row * grid.Row, right - x, grid.Row * 8);
}

void ShowControl(HWND dialog, int id, bool shown) {
    HWND control = GetDlgItem(dialog, id);
    if (control) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

void EnableControl(HWND dialog, int id, bool enabled) {
    HWND control = GetDlgItem(dialog, id);
    if (control) EnableWindow(control, enabled);
}
