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

// Property ids of GetLayoutItemProperty and SetLayoutItemProperty. The navigation ids (1, 2,
// 21, 22) give an item index, LAYOUT_NONE when there is none, and with the extra block (23)
// can only be read.
#define LAYOUT_PREVIOUS_A         1   // u16: the previous live 'A' item
#define LAYOUT_NEXT_A             2   // u16: the next live 'A' item
#define LAYOUT_RECT               3   // 4 x i32
#define LAYOUT_HANDLE             4   // u32
#define LAYOUT_FONT               5   // LOGFONTA
#define LAYOUT_TEXT               6   // string
#define LAYOUT_VALUE              7   // u32
#define LAYOUT_TYPE               8   // u8 type letter
#define LAYOUT_ALIGNMENT          9   // u8
#define LAYOUT_DRAW_MODE          10  // u8
#define LAYOUT_VALUE_A            11  // u32
#define LAYOUT_VALUE_B            12  // u32
#define LAYOUT_CODE               13  // u32 read, u8 written
#define LAYOUT_BOLD               14  // u32: 1 for any weight but 400; set non-zero gives 700
#define LAYOUT_ITALIC             15  // u8
#define LAYOUT_UNDERLINE          16  // u8
#define LAYOUT_STRIKE_OUT         17  // u8
#define LAYOUT_FLAGS              18  // u8
#define LAYOUT_WORD               19  // u32 read, u16 written
#define LAYOUT_BODY               20  // LAYOUTITEMBODY
#define LAYOUT_THIS_OR_NEXT_A     21  // u16: this item when a live 'A', else the next one
#define LAYOUT_THIS_OR_PREVIOUS_A 22  // u16: this item when a live 'A', else the previous one
#define LAYOUT_EXTRA              23  // 16 bytes
#define LAYOUT_COLOUR             24  // u32 COLORREF: the font dialog's colour beside the font

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
    int32_t PageGeometry[12];  // thousandths of an inch kept whole: paper runs to 99 inches
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
    // The print job (print_job.cpp): the orientation of the printer chosen last (0 before
    // any), and while a job runs the user's cancel and the "Print..." dialog.
    int16_t PrinterOrientation;
    int JobRunning;     // a job is between its Print dialog and its end
    int CloseAfterJob;  // the main window was closed meanwhile
    int Aborted;
    HWND AbortDialog;
    HMENU AbortMenu;
    // Page Setup (page_setup.cpp): its preview window and what the preview draws (0 cell
    // frames, 2 cards).
    HWND PreviewWindow;
    int PreviewMode;
    // The template editor (template_editor.cpp): its canvas window, and the flag raised by
    // every change of an item's property (cleared by the shell).
    HWND CanvasWindow;
    int LayoutModified;
    RECT CanvasArea;         // the canvas's place in the editor, in dialog pixels
    int FocusedLayoutItem;   // the item the editor's keys act on, LAYOUT_NONE for none
    int PageSetupModified;   // a value of the shown style changed and is not yet stored
    char TypedName[64 + 1];  // the name typed into the Save As name dialog
} PRINTSTATE;

void LoadSelectedLayout(void);
void LoadLayoutTable(int selected);
int ApplyPaperLayout(int index);
void LoadTemplate(int index);
void LoadPrintDefaults(void);
void FreePrintResources(void);

// layout_items.cpp: the current template's items for the template editor. Get and Set give
// 1, or 0 for an index at or above the count, a property id not listed above, or (Set) a
// property that can only be read; a successful Set raises LayoutModified. HitTestLayoutItem
// gives the item under a point in layout units (filter 0 any type), or -1. AddToSelection
// gives the position taken, or -1 for an index above 65533 or already selected.
void CreateLayoutSelectionList(void);
void FreeLayoutSelectionList(void);
LAYOUTITEM* LockLayoutItems(void);
void UnlockLayoutItems(void);
int GetLayoutItemProperty(int index, int property, void* out);
int SetLayoutItemProperty(int index, int property, const void* in);
int HitTestLayoutItem(int x, int y, int filter);
int GetFocusedLayoutItem(void);
void SetFocusedLayoutItem(int index);
int SelectedItemCount(void);
int IsItemSelected(int index);
int AddToSelection(int index);
int GetSelectedItem(int position);
void SetSelectedItem(int position, int index);
void RemoveFromSelection(int index);
void EmptySelection(void);
int SelectItemsInRect(const RECT* rect);

// layout_saving.cpp: the page style table. Add and Remove give 1, or 0 without a table;
// SavePaperLayouts gives 1, or 0 without a table. LockLayout gives the record or none.
int AddPaperLayout(const PAPERLAYOUTRECORD* record);
int RemovePaperLayout(int index);
int SavePaperLayouts(void);
PAPERLAYOUTRECORD* LockLayout(int index);
void UnlockLayouts(void);
void MakeStorableLayoutName(char* name);

// template_saving.cpp and template_list.cpp: stored templates. SaveTemplate's number is the
// 1-based number of an existing template, or -1 for a new one named `name`.
void SaveTemplate(HWND editor, const char* name, int number);
void DeleteTemplate(int number);
void FillTemplateList(HWND dialog, int listId);
void ShowTemplateHeaderFooter(HWND dialog);

// name_dialog.cpp: 1 when the user typed a name and pressed OK.
int AskLayoutName(HWND owner, char* name, int size);

// page_setup.cpp, template_editor.cpp, layout_canvas.cpp: the two dialogs and the canvas.
INT_PTR CALLBACK PageSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LayoutEditorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LayoutCanvasWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void LayoutToCanvas(POINT* points, int count, int toLayout);

// default_printer.cpp
void LoadDefaultPrinter(void);

// card_rendering.cpp: a page of card cells, or one label's items. margins, gaps and grid are
// the three groups of four PageGeometry values. Modes: 0 cell frames only, 1 cards from the
// first card until they run out, 2 the same with the other cells framed, 3 printing from card
// `first`, at most `count` cards, with the progress dialog's percentage. Gives the number of
// the next card to print when cards remain after this page, else 0.
int RenderLayoutPage(HWND owner, HDC dc, const RECT* target, const int32_t* margins, const int32_t* gaps,
                     const int32_t* grid, int count, int mode, int first, HWND progress);
// Draws the live template items in chain order, offset by (dx, dy); in card mode an item
// naming a printable field shows the current card's value.
void DrawTemplateItems(HDC dc, int dx, int dy, int cardMode);
void DrawTemplateItem(HDC dc, const LAYOUTITEMBODY* body, int dx, int dy, int cardMode);

// preview_window.cpp: the Page Setup preview (class IMC_Preview20) and the registration of
// the printing code's window classes, at start-up.
LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void RegisterPrintWindowClasses(void);

// print_job.cpp: File > Print and File > Print Setup. PrintCards shows no message but the
// orientation question; RunPrintDialog gives the printer's device context or none;
// StartPrintJob gives 1 when the document started (on 0 the device context is gone).
void PrintCards(void);
// Closing the main window while a job prints: the job is cancelled and the window is closed
// again once the job has ended, so that nothing is freed under a page being drawn.
void CancelPrintJobThenClose(void);

// print_commands.cpp: File > Print, Page Setup and Print Setup.
void OnPrintCommand(int id);
void ShowPrintSetupDialog(HWND owner);
HDC RunPrintDialog(void);
BOOL IsOrientationMismatch(void);
int StartPrintJob(HDC dc);
void EndPrintJob(HDC dc);
BOOL CALLBACK PrintAbortProc(HDC dc, int code);
INT_PTR CALLBACK PrintAbortDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// export_fields.cpp: the 30 export fields and which of them the user selected.
#define EXPORT_FIELDS 30
typedef struct EXPORTFIELD {
    char Caption[32];
    int Width;  // its sign marks the field as written
} EXPORTFIELD;

void SetExportSelectionFromText(const char* text);
void ReadExportFieldSelection(void);
void WriteExportFieldSelection(void);
