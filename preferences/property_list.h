// CPropertyList: a two-column owner-drawn list of named values, each edited in place through
// a drop-down list (CCustomComboBox) over its value cell.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// One row: name (left column), value text (right column) and the value's index among the
// choices (0 for none). The field map uses only kind 0, a choice from a list.
struct PropertyItem {
    std::string Name;
    std::string ValueText;
    int Kind;
    std::string Choices;  // the entries, each followed by "|"
    int Value;
};

#define PROPERTY_ROW_HEIGHT 20

// Takes over a dialog's owner-drawn list box (LBS_OWNERDRAWFIXED, rows 20 pixels high).
void AttachPropertyList(HWND list);

// Adds a row whose item data is the item; the caller keeps the item alive.
void AddProperty(HWND list, PropertyItem* item);

// Draws a row; the dialog hands its WM_DRAWITEM for the list here.
void DrawPropertyRow(HWND list, const DRAWITEMSTRUCT* draw);

// The list's selection changed: the current row gets the in-place drop-down list.
void OnPropertySelectionChange(HWND list);
