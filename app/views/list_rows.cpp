// Filling a list view with a row per card: a visible list repainted after every inserted row
// took seconds per thousand cards, so the rows go in with drawing held and the list is
// repainted once.
#include "views.h"

void BeginListRows(HWND list) { SendMessageA(list, WM_SETREDRAW, FALSE, 0); }

void EndListRows(HWND list) {
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}
