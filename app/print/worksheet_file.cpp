// The worksheet writer: a fixed prologue of fonts and cell formats, one column-width record per
// column, the sheet's dimensions, one text cell record per cell and the end record; every number
// little-endian. Widths and dimensions are known only after the last row, so their records are
// written first as placeholders of the same size and rewritten in place at the end.
#include "worksheet_file.h"
#include <stdint.h>
#include <string.h>

#define RECORD_BOF        0x0409
#define RECORD_FONT       0x0231
#define RECORD_XF         0x0443
#define RECORD_COLINFO    0x007D
#define RECORD_DIMENSIONS 0x0200
#define RECORD_LABEL      0x0204
#define RECORD_EOF        0x000A

#define COLINFO_SIZE       15
#define DIMENSIONS_SIZE    14
#define FORMAT_ALL_BORDERS 30
#define FORMAT_NO_BORDERS  33
#define NARROWEST_COLUMN   10
#define WIDEST_COLUMN      255  // characters; the width is kept in one byte

static void PutU16(uint8_t* at, unsigned value) {
    at[0] = (uint8_t)(value & 0xFF);
    at[1] = (uint8_t)((value >> 8) & 0xFF);
}

static void WriteRecordHeader(EXPORTFILE* file, unsigned type, unsigned length) {
    uint8_t header[4];
    PutU16(header, type);
    PutU16(header + 2, length);
    WriteExportBytes(file, header, sizeof header);
}

static void WriteRecord(EXPORTFILE* file, unsigned type, const uint8_t* data, unsigned length) {
    WriteRecordHeader(file, type, length);
    WriteExportBytes(file, data, length);
}

static void WriteFont(EXPORTFILE* file, unsigned height, unsigned attributes, const uint8_t* name,
                      unsigned nameLength) {
    uint8_t data[32];
    PutU16(data, height);
    PutU16(data + 2, attributes);
    PutU16(data + 4, 0x7FFF);
    data[6] = (uint8_t)nameLength;
    memcpy(data + 7, name, nameLength);
    WriteRecord(file, RECORD_FONT, data, 7 + nameLength);
}

static void WriteCellFormat(EXPORTFILE* file, const uint8_t* head, const uint8_t* borders) {
    uint8_t data[12];
    memcpy(data, head, 8);
    memcpy(data + 8, borders, 4);
    WriteRecord(file, RECORD_XF, data, sizeof data);
}

// The same 683 bytes start every sheet: the fonts, then 34 cell formats. Formats 15 to 30 carry
// the borders given by the bits of their number less 15 (bit 3 the first border byte).
static void WritePrologue(EXPORTFILE* file) {
    static const uint8_t kBof[6] = {0x00, 0x00, 0x10, 0x00, 0x00, 0x00};
    static const uint8_t kBig5Name[8] = {0xB7, 0x73, 0xB2, 0xD3, 0xA9, 0xFA, 0xC5, 0xE9};
    static const uint8_t kBig5Name2[6] = {0xBC, 0xD0, 0xB7, 0xA2, 0xC5, 0xE9};
    static const uint8_t kStyleFormat[8] = {0x00, 0x00, 0xF5, 0xFF, 0x00, 0xFD, 0x00, 0x00};
    static const uint8_t kCellFormat[8] = {0x02, 0x00, 0x01, 0x00, 0x00, 0xFD, 0x00, 0x00};
    static const uint8_t kFirstCellFormat[8] = {0x01, 0x00, 0x01, 0x00, 0x00, 0xFD, 0x00, 0x00};
    static const uint8_t kNoBorders[4] = {0, 0, 0, 0};
    WriteRecord(file, RECORD_BOF, kBof, sizeof kBof);
    WriteFont(file, 200, 0, (const uint8_t*)"MS Sans Serif", 13);
    WriteFont(file, 480, 1, (const uint8_t*)"MS Sans Serif", 13);
    WriteFont(file, 240, 0, (const uint8_t*)"Times New Roman", 15);
    WriteFont(file, 480, 1, kBig5Name, sizeof kBig5Name);
    WriteFont(file, 240, 0, kBig5Name, sizeof kBig5Name);
    WriteFont(file, 240, 0, kBig5Name2, sizeof kBig5Name2);
    for (int i = 0; i < 15; ++i) WriteCellFormat(file, kStyleFormat, kNoBorders);
    for (int m = 0; m < 16; ++m) {
        uint8_t borders[4];
        for (int b = 0; b < 4; ++b) borders[b] = (m & (8 >> b)) ? 0xC1 : 0x00;
        WriteCellFormat(file, kCellFormat, borders);
    }
    WriteCellFormat(file, kCellFormat, kNoBorders);
    WriteCellFormat(file, kFirstCellFormat, kNoBorders);
    WriteCellFormat(file, kCellFormat, kNoBorders);
}

// A column is as wide as its longest text, at least 10 characters, plus 2; a column of
// texts near the cell limit stays at the widest width the byte holds.
static unsigned ColumnWidth(int longest) {
    int width = (longest < NARROWEST_COLUMN ? NARROWEST_COLUMN : longest) + 2;
    return (unsigned)(width > WIDEST_COLUMN ? WIDEST_COLUMN : width);
}

// The column widths followed by the dimensions, as one run of bytes; rowLimit and
// columnLimit are one more than the counts.
static void BuildSheetTable(const WORKSHEETWRITER* sheet, uint8_t* out, unsigned rowLimit, unsigned columnLimit) {
    uint8_t* at = out;
    for (int c = 0; c < sheet->Columns; ++c, at += COLINFO_SIZE) {
        memset(at, 0, COLINFO_SIZE);
        PutU16(at, RECORD_COLINFO);
        PutU16(at + 2, 11);
        PutU16(at + 4, (unsigned)c);
        PutU16(at + 6, (unsigned)c);
        PutU16(at + 8, ColumnWidth(sheet->Longest[c]) << 8);
    }
    memset(at, 0, DIMENSIONS_SIZE);
    PutU16(at, RECORD_DIMENSIONS);
    PutU16(at + 2, 10);
    PutU16(at + 6, rowLimit);
    PutU16(at + 10, columnLimit);
}

static DWORD SheetTableSize(int columns) { return (DWORD)(columns * COLINFO_SIZE + DIMENSIONS_SIZE); }

int BeginWorksheet(WORKSHEETWRITER* sheet, const char* path, int columns, int gridLines) {
    memset(sheet, 0, sizeof *sheet);
    sheet->File.Handle = INVALID_HANDLE_VALUE;
    if (!path || columns < 1 || columns > WORKSHEET_COLUMN_LIMIT) return 0;
    if (!CreateExportFile(&sheet->File, path, 0)) return 0;
    sheet->Columns = columns;
    sheet->GridLines = gridLines;
    WritePrologue(&sheet->File);
    sheet->ColumnInfoOffset = ExportFilePosition(&sheet->File);
    uint8_t table[WORKSHEET_COLUMN_LIMIT * COLINFO_SIZE + DIMENSIONS_SIZE];
    BuildSheetTable(sheet, table, 4, 2);
    WriteExportBytes(&sheet->File, table, SheetTableSize(columns));
    return 1;
}

int AddWorksheetRow(WORKSHEETWRITER* sheet, const char* row, int cellSize) {
    if (sheet->Rows >= WORKSHEET_ROW_LIMIT) return 0;
    unsigned format = sheet->GridLines ? FORMAT_ALL_BORDERS : FORMAT_NO_BORDERS;
    for (int c = 0; c < sheet->Columns; ++c) {
        const char* text = row + (size_t)c * cellSize;
        const char* end = (const char*)memchr(text, 0, (size_t)cellSize);
        int length = end ? (int)(end - text) : cellSize;
        if (length > WORKSHEET_TEXT_LIMIT) length = WORKSHEET_TEXT_LIMIT;
        if (length > sheet->Longest[c]) sheet->Longest[c] = length;
        uint8_t cell[8];
        PutU16(cell, (unsigned)sheet->Rows);
        PutU16(cell + 2, (unsigned)c);
        PutU16(cell + 4, format);
        PutU16(cell + 6, (unsigned)length);
        WriteRecordHeader(&sheet->File, RECORD_LABEL, 8 + (unsigned)length);
        WriteExportBytes(&sheet->File, cell, sizeof cell);
        WriteExportBytes(&sheet->File, text, (DWORD)length);
    }
    ++sheet->Rows;
    return 1;
}

int FinishWorksheet(WORKSHEETWRITER* sheet) {
    if (sheet->File.Handle == INVALID_HANDLE_VALUE) return 0;
    WriteRecordHeader(&sheet->File, RECORD_EOF, 0);
    uint8_t table[WORKSHEET_COLUMN_LIMIT * COLINFO_SIZE + DIMENSIONS_SIZE];
    BuildSheetTable(sheet, table, (unsigned)sheet->Rows + 1, (unsigned)sheet->Columns + 1);
    RewriteExportBytes(&sheet->File, sheet->ColumnInfoOffset, table, SheetTableSize(sheet->Columns));
    return CloseExportFile(&sheet->File);
}

int WriteWorksheetFile(const char* path, int rows, int columns, const char* grid, int cellSize, int gridLines) {
    if (!path || !grid || rows < 1 || columns < 1 || cellSize < 1) return 0;
    WORKSHEETWRITER sheet;
    if (!BeginWorksheet(&sheet, path, columns, gridLines)) return 0;
    int row = 0;
    size_t rowBytes = (size_t)columns * cellSize;
    while (row < rows && AddWorksheetRow(&sheet, grid + row * rowBytes, cellSize)) ++row;
    if (!FinishWorksheet(&sheet)) return 0;
    return row < rows ? 2 : 1;
}
