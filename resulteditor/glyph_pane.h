// The glyph pane (window 8013): the page's black-and-white image around the current character
// with the current line's character boxes, and the split, merge and erase gestures that the
// engine recognises again at once.
#pragma once
#include "editor_state.h"

// Creates the pane as a child of the dialog (its class registered once).
HWND CreateGlyphPane(Editor& editor);
// Rebuilds the glyph bitmap from the page's black-and-white rows (none without a page).
void BuildGlyphBitmap(Editor& editor);
void FreeGlyphBitmap(Editor& editor);
// Gives the pane its current character (null: none) and repaints it.
void SetGlyphCharacter(Editor& editor, RecogChar* character);
// Glyph mode 1 split, 2 merge, 3 erase: the pane's class cursor follows.
void SetGlyphMode(Editor& editor, int mode);
