// The single-sheet worksheet file (the BIFF4 layout of Excel 4.0): text cells with their
// column widths. Rows are streamed to the file one at a time, so that no grid of the whole
// sheet needs to be held in memory.
#pragma once
#include "export_file.h"

#define WORKSHEET_ROW_LIMIT    16384  // rows of one sheet in this format
#define WORKSHEET_COLUMN_LIMIT 256
#define WORKSHEET_TEXT_LIMIT   254  // longer cell texts are cut

typedef struct WORKSHEETWRITER {
    EXPORTFILE File;
    int Columns;
    int Rows;  // rows written so far
    int GridLines;
    DWORD ColumnInfoOffset;  // where the column widths and the dimensions are rewritten
    int Longest[WORKSHEET_COLUMN_LIMIT];
} WORKSHEETWRITER;

// Creates (or truncates) the file and writes what precedes the cells. 1 when it is open;
// 0 for no path, a column count outside 1..256 or a file that cannot be created.
int BeginWorksheet(WORKSHEETWRITER* sheet, const char* path, int columns, int gridLines);
// Writes one row of text cells, cell c at row + c x cellSize, zero-terminated within its slot.
// 1 written; 0 when the sheet already holds WORKSHEET_ROW_LIMIT rows (nothing is written).
int AddWorksheetRow(WORKSHEETWRITER* sheet, const char* row, int cellSize);
// Writes the end record, then the column widths and the dimensions of the rows written, and
// closes the file. 1 when every write succeeded; 0 when any failed (the file stays as far as
// it was written).
int FinishWorksheet(WORKSHEETWRITER* sheet);

// Writes a whole grid of rows x columns cells of cellSize bytes, row-major, with all four cell
// borders when gridLines is set. 1 written; 2 written, but the rows past WORKSHEET_ROW_LIMIT
// were left out; 0 for no path or grid, rows, columns or cellSize below 1, more than 256
// columns, or a file that could not be created or written.
int WriteWorksheetFile(const char* path, int rows, int columns, const char* grid, int cellSize, int gridLines);
