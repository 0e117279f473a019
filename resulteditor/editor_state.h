// The one editor the library holds, and the module-wide values around it.
#pragma once
#include <windows.h>
#include "page_lines.h"

struct Editor {
    HWND Host = nullptr;
    HWND Dialog = nullptr;      // dialog 1000
    HWND Tabs = nullptr;        // tab control 1131
    HWND FieldList = nullptr;   // dialog 1030
    HWND List = nullptr;        // list control 1013
    HWND LineEditor = nullptr;  // dialog 1033
    HWND LineEdit = nullptr;    // edit box 1115
    HMENU FieldMenu = nullptr;
    HFONT TabFont = nullptr;
    HFONT RowFont = nullptr;
    int RowFontHeight = 0;
    PageLines Lines;
    int CurrentTab = 0;
    int CurrentLine = -1;  // slot, or -1
    int CurrentChar = 0;
    int RightClickSlot = -1;
    int ImageMode = 1;  // 1 select, 2 pan
    int GlyphMode = 1;  // 1 split, 2 merge, 3 erase
    int ZoomLevel = 7;
    RECT Slider = {0, 0, 0, 0};
    bool SliderDragging = false;
    int SliderDragX = 0;
    HWND ImageWindow = nullptr;
    HWND GlyphPane = nullptr;
    // Page images: the base grey image and the one shown (the base or a reduced copy).
    HGLOBAL BaseImage = nullptr;
    HGLOBAL DisplayImage = nullptr;
    int Magnification = 1;
    POINT Scroll = {0, 0};
    POINT Offset = {0, 0};       // margins of an image smaller than the window
    RECT Region = {0, 0, 0, 0};  // in image coordinates; empty: none
    bool Pannable = false;       // the shown image is larger than the window in either direction
    bool Tracking = false;
    int TrackHit = -1;               // select mode: -1 a new band, else the tracker part pressed
    RECT TrackStart = {0, 0, 0, 0};  // the region in window coordinates when the press came
    POINT Anchor = {0, 0};
    POINT Band = {0, 0};
    uint16_t* Candidates = nullptr;  // engine heap
    int CandidateCount = 0;
    // Glyph pane: the page's black-and-white image as a 1-bit bitmap (ink black), the current
    // line's orientation code (1 'h', 2 'v') and character, and the gesture under way.
    HBITMAP GlyphBitmap = nullptr;
    int GlyphWidth = 0, GlyphHeight = 0;
    RecogChar* GlyphChar = nullptr;
    int GlyphOrientation = 1;
    POINT GlyphOrigin = {0, 0};  // view origin in the bitmap
    POINT GlyphMargin = {0, 0};
    int GlyphCell = 1;              // erase mode: pane pixels per image pixel
    RECT GlyphArea = {0, 0, 0, 0};  // erase mode: the enlarged character in the pane
    bool GlyphTracking = false;
    POINT GlyphAnchor = {0, 0}, GlyphPoint = {0, 0};
};

// The library's instance (for its resources) and its one editor (null while none is open).
extern HINSTANCE g_module;
extern Editor* g_editor;
extern int g_cardCount;
extern int g_currentCard;

// Field kind name by string id (kind + 1); empty for kinds outside 0..54.
void FieldKindName(int kind, char* text, int size);
// The slot a row of the current tab stands for.
inline int SlotOfRow(const Editor& e, int row) { return row + (e.CurrentTab ? e.Lines.PrimaryLines : 0); }
