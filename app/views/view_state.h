// State of the card views that lives as long as the program: pane windows, the letter counts,
// the Card List's column table, the album's page and card list, the drag and undo records.
#pragma once
#include <windows.h>

#define LETTER_COUNT_ENTRIES 27  // A to Z, then every card
#define LIST_COLUMN_COUNT    13
#define DECK_COLUMN_COUNT    3
#define UNDO_TEXT_SIZE       32768  // whole texts, the note included
#define SEARCH_TEXT_SIZE     256

// The last change that Edit > Undo takes back.
typedef struct UNDORECORD {
    BYTE Kind;  // 0 none, 7 one edit control, 11 a text drag between two
    HWND Window1;
    HWND Window2;
    char Text1[UNDO_TEXT_SIZE];
    char Text2[UNDO_TEXT_SIZE];
} UNDORECORD;

typedef struct VIEWSSTATE {
    // Panes of the current view mode; null when absent.
    HWND IndexStrip;
    HWND CardTextPane;
    HWND CardImagePane;
    HWND DeckList;
    HWND CardList;
    HWND ListEditor;
    HWND ImageCaption;
    HWND Desk;
    HWND DeckArrows[4];
    HWND HistoryBox;
    WNDPROC DeckListProc;
    WNDPROC CardListProc;

    int LetterCounts[LETTER_COUNT_ENTRIES];

    // Index strip and search bar.
    char LastSearch[SEARCH_TEXT_SIZE];
    int PressedTab;  // -1 none
    int LastReleasedTab;

    // Card panes: the current number at each pane's last single click.
    int TextPaneClickCard;
    int ImagePaneClickCard;

    // Deck list and Card List.
    int DeckWidths[DECK_COLUMN_COUNT];
    int ListColumns[LIST_COLUMN_COUNT];  // above 0 shown with that width; else hidden
    int ShownColumns;
    int ListGrid;
    int ListBackground;  // 207 yellow, 208 grey, 209 white
    int EditRow;         // the cell under the cell editor, -1 none
    int EditColumn;
    int EditCardId;                           // the card the cell editor opened on, 0 none
    int ListColumnTables[LIST_COLUMN_COUNT];  // the table column of each column the list shows

    // Card form: whether the save that runs found a modified control.
    int FormChanged;

    // Card Album.
    int DeskLetter;  // 0 to 25, 26 every card
    int DeskPage;
    HGLOBAL DeskCardList;  // record numbers of the cards under the letter
    int DeskCardCount;
    int DeskCardCapacity;
    int DeskTracking;
    int DeskLetterAtPress;
    RECT PageIndicator;

    // Card Editor image pane and zoom control.
    int DragKind;  // 0 none, 1 across, 2 down, 3 both
    POINT DragPoint;
    RECT ImageRect;
    int Dragging;
    int ZoomPressed;  // -1 minus, -2 plus, -3 knob, 0 none
    int ZoomTracking;
    int ZoomAtPress;
    int ZoomLeft;  // x0 of the zoom bar

    // Field text drag and the undo record.
    HWND DragSource;
    DWORD DragSelection;
    WNDPROC EditClassProc;
    int ControlKey;
    UNDORECORD Undo;
} VIEWSSTATE;
