// The worksheet export: one row of cells per card, streamed to the worksheet writer, so that
// the memory it takes does not grow with the number of cards.
#include "export.h"
#include "worksheet_file.h"
#include <stdlib.h>
#include <string.h>

#define CELL_SIZE 256

// Fills one row of cells with the selected entries of a card, or with their captions when no
// card is given.
static void FillRow(char* row, const CardRec* card) {
    int column = 0;
    for (int i = 0; i < EXPORT_ENTRIES; ++i) {
        if (!App.ExportSelection[i]) continue;
        char* cell = row + (size_t)column++ * CELL_SIZE;
        char date[32];
        int length = 0;
        const char* text = card ? ExportFieldText(card, i, date, &length) : App.ExportFields[i].Caption;
        if (!card) length = lstrlenA(text);
        if (length > CELL_SIZE - 1) length = CELL_SIZE - 1;
        memcpy(cell, text, (size_t)length);
        cell[length] = 0;
    }
}

int ExportCardsSpreadsheet(const char* path, int first, int last) {
    int columns = CountSelectedExportFields();
    if (columns < 1) return EXPORT_NOT_WRITTEN;
    char* row = (char*)malloc((size_t)columns * CELL_SIZE);
    if (!row) return EXPORT_NOT_WRITTEN;
    WORKSHEETWRITER sheet;
    if (!BeginWorksheet(&sheet, path, columns, 1)) {
        free(row);
        return EXPORT_NOT_WRITTEN;
    }
    int full = 0;
    if (App.SaveFieldNames) {
        FillRow(row, NULL);
        AddWorksheetRow(&sheet, row, CELL_SIZE);
    }
    EXPORTWALK walk;
    BeginExportWalk(&walk, first, last);
    while (!sheet.File.Failed && NextExportCard(&walk)) {
        FillRow(row, &walk.Card);
        if (!AddWorksheetRow(&sheet, row, CELL_SIZE)) {
            full = 1;
            break;
        }
    }
    EndExportWalk(&walk);
    free(row);
    if (!FinishWorksheet(&sheet)) return EXPORT_NOT_WRITTEN;
    return full ? EXPORT_ROW_LIMIT : EXPORT_WRITTEN;
}
