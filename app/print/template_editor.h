// The label template editor's state, shared by its dialog, its canvas and its commands.
#pragma once
#include "print.h"

// Drag modes: the corners 1, 3, 7, 9 (left-top, left-bottom, right-top, right-bottom), a
// move and a rubber band.
#define DRAG_NONE   0
#define DRAG_MOVE   10
#define DRAG_RUBBER 11

typedef struct TEMPLATEEDITOR {
    HWND Dialog;
    int DragMode;
    POINT Anchor;   // where the drag began
    POINT Last;     // the mouse at the last step of a move
    RECT DragRect;  // canvas pixels
    RECT BoundsAtStart;
} TEMPLATEEDITOR;

extern TEMPLATEEDITOR Editor;

// An item's rectangle in canvas pixels.
RECT ItemCanvasRect(int index);
// Stores a canvas rectangle as the item's rectangle in layout units.
void StoreItemCanvasRect(int index, const RECT* rect);
// Moves an item by a distance in canvas pixels; its size in layout units stays as it is.
void MoveItemBy(int index, int dx, int dy);
void InvalidateItem(int index);
// The union of the selected items' rectangles in canvas pixels.
void GetSelectionBounds(RECT* bounds);
// Forgets the focused item and the selection, repainting their areas.
void ClearLayoutSelection(void);
void UpdateEditorButtons(void);
void SelectAllItems(void);
// The tool buttons' commands: align, distribute, same size, text alignment.
void OnEditorToolCommand(int id);
