// CCustomComboBox: the owner-drawn drop-down list that CPropertyList places over a value
// cell. It keeps its entries' texts itself, whole, and each entry's item data points to one.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#define COMBO_MAX_ENTRIES  73
#define COMBO_ENTRY_HEIGHT 15

struct CCustomComboBox {
    HWND Window = nullptr;
    std::vector<std::string> Texts;  // entry 0 is always empty
    COLORREF Highlight, WindowText, HighlightText, Background;
};

// Creates the hidden drop-down list as a child of the list, with the list's font.
void CreateCustomComboBox(CCustomComboBox* combo, HWND list, int id);

// Empties it, adds the empty entry, then each "|"-terminated piece of choices.
void FillCustomComboBox(CCustomComboBox* combo, const std::string& choices);

// The index of the entry whose text is text, 0 (the empty entry) when none is.
int FindComboEntry(const CCustomComboBox* combo, const std::string& text);

void MeasureComboEntry(MEASUREITEMSTRUCT* measure);
void DrawComboEntry(const CCustomComboBox* combo, const DRAWITEMSTRUCT* draw);
