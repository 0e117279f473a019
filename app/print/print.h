// The parts of the printing and export code that start-up and the shell use: the bitmap
// header helpers, the layout store, stored page layouts and label templates, the default
// printer and the export field selection.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <stdlib.h>
#include <stdint.h>

// bitmap_info.cpp
int GetDibRowBytes(int width, int bitsPerPixel);
void BuildBitmapInfo(BITMAPINFO* info, int width, int height, int bitsPerPixel, HPALETTE palette);

// layout_store.cpp: text boxes of a label template in one movable block.
#define LAYOUT_NONE   65535
#define LAYOUT_GROWTH 20

#pragma pack(push, 1)
typedef struct LAYOUTITEMBODY {
    uint8_t Type;
    uint8_t Code;
    uint32_t Value;
    char Text[32];
    uint32_t ValueA;
    uint32_t ValueB;
    LOGFONTA Font;  // lfHeight in points
    uint32_t Colour;
    uint8_t DrawMode;
    uint8_t Alignment;
    int32_t Rect[4];  // thousandths of an inch within the label
    HBITMAP Bitmap;
    uint8_t Extra[16];
    uint16_t Word;
    uint32_t Handle;
} LAYOUTITEMBODY;

typedef struct LAYOUTITEM {
    uint8_t Flags;  // bit 0: deleted
    uint16_t Prev;
    uint16_t Next;
    LAYOUTITEMBODY Body;
} LAYOUTITEM;
#pragma pack(pop)

typedef struct LAYOUTSTORE {
    int32_t Capacity;
    int32_t Count;
    int32_t Head;
    int32_t Tail;
    int32_t Live;
    HGLOBAL Block;
} LAYOUTSTORE;

void InitLayoutStore(LAYOUTSTORE* store);
int AppendLayoutItem(LAYOUTSTORE* store, const LAYOUTITEMBODY* body);
void FreeLayoutStore(LAYOUTSTORE* store);

// page_layouts.cpp: the selected paper layout and label template.
#pragma pack(push, 1)
typedef struct PAPERLAYOUTRECORD {
    uint8_t Id;
    char Name[67];
    int32_t PaperHeight;
    int32_t PaperWidth;
    int32_t TopMargin;
    int32_t LeftMargin;
    uint8_t Columns;
    uint8_t Rows;
    int32_t LabelHeight;
    int32_t LabelWidth;
    int32_t RowGap;
    int32_t ColumnGap;
    uint8_t Reserved[3];
} PAPERLAYOUTRECORD;
#pragma pack(pop)

typedef struct PRINTSTATE {
    uint16_t PageGeometry[12];
    int32_t PaperHeight;
    int32_t PaperWidth;
    HGLOBAL LayoutTable;
    uint16_t LayoutCount;
    uint16_t LayoutCapacity;
    uint16_t SelectedLayout;
    LAYOUTSTORE Template;
    int32_t LabelWidth;
    int32_t LabelHeight;
    int32_t FillStyle;
    char TemplateName[256];
    char Header[64];
    char Footer[64];
    int SelectedTemplate;
    uint16_t PrintableFieldIds[43];
    PRINTDLGA PrintDialog;
} PRINTSTATE;

void LoadSelectedLayout(void);
void LoadLayoutTable(int selected);
int ApplyPaperLayout(int index);
void LoadTemplate(int index);
void LoadPrintDefaults(void);
void CreateLayoutSelectionList(void);
void FreePrintResources(void);

// default_printer.cpp
void LoadDefaultPrinter(void);

// export_fields.cpp: the 30 export fields and which of them the user selected.
#define EXPORT_FIELDS 30
typedef struct EXPORTFIELD {
    char Caption[32];
    int Width;  // its sign marks the field as written
} EXPORTFIELD;

void SetExportSelectionFromText(const char* text);
void ReadExportFieldSelection(void);
void WriteExportFieldSelection(void);
