// Reglyph: the recognition result editor. A recognising host opens one modeless editor over a
// recognised page, reloads it with further pages, and takes the corrected lines back.
// All exports are stdcall with decorated names (_OvReglyph@20 and so on).
//
// Lines: on load the editor takes the page's lines of group 0 and 1 out of their blocks (at
// most 254; further lines and lines of group 2 and up stay in their blocks untouched) and works
// on copies; the hand-back links the corrected lines into the first block of the first region
// ahead of the lines that stayed there. Dates travel as three integers shown as "%d/%d/%d".
#pragma once
#include <windows.h>

#include "recogpage.h"

#ifdef __cplusplus
extern "C" {
#endif

// Opens the editor as a child dialog filling the client area of `parent`, over `page` (null:
// an empty editor without lists or image), with the date year/month/day. Commands the user
// gives for card navigation reach the top-level window above the editor as WM_COMMAND 94
// (first), 95 (last), 96 (next) and 97 (previous). Result: the editor's window, or null when it
// could not be made. Only one editor exists at a time; the host does not call this again while
// the window exists.
HWND WINAPI OvReglyph(HWND parent, RecogPage* page, int date1, int date2, int date3);

// Loads another page into the open editor (as the open call does) and shows it. Result: 1;
// 0 without an open editor.
int WINAPI PageInfo2Reglyph(RecogPage* page, int date1, int date2, int date3);

// Hands the corrected lines back: frees the lines the host left in the first block of `page`'s
// first region (the ones the editor left there stay), then links the editor's lines into the
// first block of the first region of the page the editor holds: first-tab lines as group 0
// (empty ones too), second-tab lines with characters as group 1; the date line's text
// "y/m/d" goes to the three integers instead (each pointer may be null). After this the editor
// holds no lines until the next load, and closing it changes the page no further.
// Result: 1; 0 without an open editor.
int WINAPI Reglyph2PageInfo(RecogPage* page, int* date1, int* date2, int* date3);

// Card counter: enables First and Previous from card 2 on and Next and Last below the count,
// and shows "current / count". Result: 1; 0 without an open editor.
int WINAPI Reglyph4CardStatus(int cardCount, int currentCard);

// Clipboard commands for the editor's text box while it is shown: op 1 gives 1 when it has a
// selection, ops 2 copy, 3 paste, 4 clear, 5 cut (each gives 0). Any other op, or no shown
// text box, gives 0.
int WINAPI Reglyph4EditAPI(int op);

#ifdef __cplusplus
}
#endif
