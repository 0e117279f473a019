// The Card List's 13 columns: titles, cell texts, default widths, and the column table kept
// in the settings file, which printing and export read to know the columns shown.
#include "views.h"
#include "shell.h"
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#define ROW_NUMBER_COLUMN 0
#define MARK_COLUMN       1
#define DATE_COLUMN       12

static const int kDefaultWidths[LIST_COLUMN_COUNT] = {36, 18, 96, 108, 144, 180, 72, 72, 60, 96, 96, 72, 72};

// Offsets and buffer sizes of the text fields of columns 2 to 11.
static const struct {
    size_t Offset;
    int Size;
} kFieldColumns[] = {
    {offsetof(CardRec, CName), sizeof(((CardRec*)0)->CName)},
    {offsetof(CardRec, Title), sizeof(((CardRec*)0)->Title)},
    {offsetof(CardRec, Company), sizeof(((CardRec*)0)->Company)},
    {offsetof(CardRec, Address), sizeof(((CardRec*)0)->Address)},
    {offsetof(CardRec, City), sizeof(((CardRec*)0)->City)},
    {offsetof(CardRec, State), sizeof(((CardRec*)0)->State)},
    {offsetof(CardRec, Zip), sizeof(((CardRec*)0)->Zip)},
    {offsetof(CardRec, Country), sizeof(((CardRec*)0)->Country)},
    {offsetof(CardRec, OPhone), sizeof(((CardRec*)0)->OPhone)},
    {offsetof(CardRec, Fax), sizeof(((CardRec*)0)->Fax)},
};

int CardListDefaultWidth(int column) { return column >= 0 && column < LIST_COLUMN_COUNT ? kDefaultWidths[column] : 0; }

char* CardListField(CardRec* card, int column, int* size) {
    if (column < 2 || column >= DATE_COLUMN) return NULL;
    *size = kFieldColumns[column - 2].Size;
    return (char*)card + kFieldColumns[column - 2].Offset;
}

void LoadCardListColumnTitle(int column, char* title, int size) {
    title[0] = 0;
    if (column == MARK_COLUMN) lstrcpynA(title, "?", size);
    else if (column >= 2 && column < LIST_COLUMN_COUNT) LoadStringA(App.Instance, 2001 + column - 2, title, size);
}

void FormatCardListCell(const CardRec* card, int column, int row, char* text, int size) {
    int fieldSize = 0;
    if (column == ROW_NUMBER_COLUMN) snprintf(text, size, "%d", row + 1);
    else if (column == MARK_COLUMN) lstrcpynA(text, card->Flags ? "Y" : "N", size);
    else if (column == DATE_COLUMN) snprintf(text, size, "%2d/%2d/%4d", card->CDate[1], card->CDate[2], card->CDate[0]);
    else {
        const char* field = CardListField((CardRec*)card, column, &fieldSize);
        lstrcpynA(text, field ? field : "", size < fieldSize ? size : fieldSize);
    }
}

// The table never leaves the list without its row numbers or without a data column: a kept
// list that hides them all, or none at all, gives every column its default width.
static void SettleColumnTable(void) {
    int* table = App.Views.ListColumns;
    int data = 0;
    for (int i = 2; i < LIST_COLUMN_COUNT; ++i)
        if (table[i] > 0) ++data;
    if (data == 0)
        for (int i = 0; i < LIST_COLUMN_COUNT; ++i) table[i] = kDefaultWidths[i];
    if (table[ROW_NUMBER_COLUMN] <= 0) table[ROW_NUMBER_COLUMN] = kDefaultWidths[ROW_NUMBER_COLUMN];
}

void LoadListColumnWidths(void) {
    char text[256];
    ReadSettingText("ListView", "Position", "", text, sizeof text);
    if (text[0]) ParsePositionList(text, App.Views.ListColumns, LIST_COLUMN_COUNT);
    SettleColumnTable();
}

void SaveListColumnWidths(void) {
    char text[LIST_COLUMN_COUNT * 12 + 4];
    int n = 0;
    for (int i = 0; i < LIST_COLUMN_COUNT; ++i)
        n += snprintf(text + n, sizeof text - n, "%d,", App.Views.ListColumns[i]);
    snprintf(text + n, sizeof text - n, "0");
    WriteSettingText("ListView", "Position", text);
}
