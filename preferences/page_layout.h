// Places dialog controls in proportion to the client area: the pages and the field map
// dialog lay themselves out again whenever they are sized.
#pragma once
#include <windows.h>

#define LAYOUT_MARGIN 10
#define LAYOUT_INDENT 20

struct PageGrid {
    int Width;
    int Height;
    int Row;  // row height: a twelfth of the client height
};

PageGrid GridOf(HWND page);

// Moves a control; a missing control is skipped.
void PlaceControl(HWND page, int id, int x, int y, int width, int height);

// A control on grid row r, from x to right, one row high less a small gap.
void PlaceOnRow(HWND page, const PageGrid& grid, int id, int row, int x, int right);

// A drop-down list on grid row r, with room for its list below.
void PlaceComboOnRow(HWND page, const PageGrid& grid, int id, int row, int x, int right);

// Shows or hides, enables or disables a control of a dialog.
void ShowControl(HWND dialog, int id, bool shown);
void EnableControl(HWND dialog, int id, bool enabled);
