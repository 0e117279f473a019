// The two-tab field list (dialog 1030 with list 1013) and the field menu.
#pragma once
#include "editor_state.h"

// Creates the field list inside the tab control and the in-place editor inside the list.
void CreateFieldList(Editor& editor);
// Fits the field list into the tab control's display area.
void FitFieldList(Editor& editor);
// Refills the rows of the current tab and selects row 0.
void FillFieldList(Editor& editor);
// Selects a row of the current tab and lays the in-place editor over it.
void SelectRow(Editor& editor, int row);
// Rebuilds the field menu from the first-tab slots.
void BuildFieldMenu(Editor& editor);
// Moves slot a's line to slot b (the field menu's choice).
void MoveField(Editor& editor, int a, int b);
// Shows the current line's text in its row and the in-place editor.
void RefreshCurrentRow(Editor& editor);
// Switches to tab 0 or 1.
void ChangeTab(Editor& editor, int tab);
