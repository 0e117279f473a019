// Dialog 1000: the editor's window, its layout, buttons and command routing.
#pragma once
#include "editor_state.h"

// Creates the dialog modeless as a child of the host and shows it; null when it fails.
HWND CreateEditorDialog(Editor& editor);

// Enables the navigation buttons for the card counter and repaints the counter.
void ShowCardStatus(Editor& editor);
// Fills a control's client area with the dialog's tiled background (bitmap 1013), the tiles
// lined up with the dialog's own.
void TileLikeDialog(const Editor& editor, HWND control, HDC dc);
// A one-pixel frame inside r: its top and left edges in one colour, its bottom and right in the
// other (raised or sunken by the choice).
void DrawEdges(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight);
