// The in-place editor (dialog 1033 with edit box 1115) and the candidate buttons.
#pragma once
#include "editor_state.h"

// Creates the hidden in-place editor as a child of the list control.
void CreateLineEditor(Editor& editor);
// Lays the editor over `cell` (the row's text cell in list coordinates) with `text` and shows it.
void PlaceLineEditor(Editor& editor, const RECT& cell, const char* text);
void HideLineEditor(Editor& editor);
// Candidate buttons for character k of the current line.
void ShowCandidates(Editor& editor, int k);
// Makes character k of the current line the caret's and the glyph pane's character and shows
// its candidates.
void PickCharacter(Editor& editor, int k);
// A click on candidate button `id`.
void PickCandidate(Editor& editor, int id);
