// The process-wide state of zem40: one structure, owned by the GUI thread.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <stdlib.h>
#include <stdint.h>
#include "cardrec.h"
#include "kvdb32.h"
#include "tvrksdk.h"
#include "image_record.h"
#include "print.h"
#include "twain_protocol.h"
#include "view_state.h"

// Private messages between instances and inside the program.
#define WM_HANDOVER_FILES      (WM_USER + 101)   // 1125
#define WM_SCAN_DEFAULT_SOURCE (WM_USER + 3000)  // 4024
#define WM_FORM_SAVE_CARD      2017
#define WM_FORM_RELOAD_CARD    2018

#define HANDOVER_OWN_COMMAND_LINE 0
#define HANDOVER_CLIPBOARD        1
#define HANDOVER_LIST_FILE        3

#define MAIN_WINDOW_CLASS     "IMC_ZEM30_ENG"
#define INSTANCE_MUTEX_NAME   "Orvane_ZEM"
#define CLIPBOARD_FORMAT_NAME "ZEM_CMDLINE"
#define CARD_SCANNER_TIMER    101
#define COMMAND_BAR_HEIGHT    51
#define STATUS_BAR_HEIGHT     19

#define VIEW_CARD_DECK   0
#define VIEW_CARD_EDITOR 1
#define VIEW_CARD_LIST   2
#define VIEW_CARD_ALBUM  3

#define CARD_FILE_LIST_MAX   4
#define CARD_FILE_LIST_ENTRY 145
#define EXPORT_FIELD_COUNT   30
#define LINK_TYPE_COUNT      6
#define NOTE_BUFFER_SIZE     32768
#define WORK_BLOCK_SIZE      32768
#define PROGRAM_CURSOR_COUNT 13

#define STATUS_PANE_COUNT         4
#define COMMAND_BAR_SEPARATOR_MAX 8
#define RECOGNITION_FOLDER_MAX    32

// The recognition window of one run (recognition_window.cpp), and the WM_COMMAND ids that
// draw its progress bar: a percentage, or a status text by index.
#define RECOGNITION_COMMAND_PERCENT 1001
#define RECOGNITION_COMMAND_STATUS  1002
typedef struct OCRWINDOWSTATE {
    HWND Window;  // null when no run is under way
    RECT ImageArea;
    RECT BarArea;
    int Scale;  // 0 until a page is fitted
    int OffsetX;
    int OffsetY;
    HGLOBAL Copy;  // the page scaled to fit, 24 bits, rows top-down
    int CopyWidth;
    int CopyHeight;
    int Percent;  // drawn last, -1 before the first
    char Status[64];
} OCRWINDOWSTATE;

// The status bar (status_bar.cpp): its panes, the hint shown and the progress drawn.
typedef struct STATUSBARSTATE {
    RECT Panes[STATUS_PANE_COUNT];  // the hint pane first, then the three on the right
    char HintText[256];
    int HintId;           // string id of the hint shown, -1 before the first
    int LastPercent;      // progress drawn last, -1 when none is under way
    HCURSOR SavedCursor;  // the cursor before a progress began
    HFONT Font;
} STATUSBARSTATE;

// The program's own tooltip window (hint_window.cpp).
typedef struct HINTWINDOWSTATE {
    char Text[64];
    int ShownId;  // the button whose hint is shown, -1 for none
    int Busy;     // set while a hint slides in, so that mouse moves do not start another
    HFONT Font;
} HINTWINDOWSTATE;

// The command bar (command_bar.cpp).
typedef struct COMMANDBARSTATE {
    RECT Separators[COMMAND_BAR_SEPARATOR_MAX];
    BYTE SeparatorCount;
    int SortChoice;  // 1-based radio button last chosen in the Sort dialog
} COMMANDBARSTATE;

// Open and save dialogs (file_dialog.cpp): the buffers a dialog record points into and what
// the user chose last time.
typedef struct FILEDIALOGSTATE {
    char Filter[256];
    char Title[32];
    char DefaultExtension[8];
    char ImageFolder[128];
    char CardFileFolder[MAX_PATH];
    int OpenImageChoice;  // 0-based filter items
    int SaveImageChoice;
    int ExportChoice;
    int ExportFileType;
    char ImportFolder[128];    // where the last image import was chosen
    WORD SelectionFileOffset;  // where the names of the last several-file result start
} FILEDIALOGSTATE;

// The Find dialog (find_dialog.cpp): its mode, the texts kept between uses (three search
// texts, then the from and to dates) and the filter the card table was given.
#define FIND_TEXT_COUNT  5
#define FIND_TEXT_SIZE   128
#define FIND_FILTER_SIZE 32768
typedef struct FINDSTATE {
    int FreeSearchMode;
    char SavedTexts[FIND_TEXT_COUNT][FIND_TEXT_SIZE + 1];
    char Filter[FIND_FILTER_SIZE];
} FINDSTATE;

// The recognition engine's database folders read at start-up (engine_startup.cpp).
typedef struct RECOGNITIONSETTINGS {
    char DatabaseFolders[RECOGNITION_FOLDER_MAX][260];
    int DatabaseFolderCount;
    char CommonDatabasePath[128];
} RECOGNITIONSETTINGS;

// The image a TWAIN transfer received, until the scan queue takes it (scan_queue.cpp).
typedef struct SCANNEDIMAGE {
    HGLOBAL Block;  // movable, rows top-down, Stride x Height bytes
    int Width;
    int Height;
    int Stride;
    int BitsPerPixel;  // 1, 8 or 24
    int Planes;
    int Resolution;    // dots per inch
    HPALETTE Palette;  // grey and palette images; null for black and white and colour
} SCANNEDIMAGE;

// The one TWAIN acquisition (twain_session.cpp, twain_transfer.cpp, scan_command.cpp).
typedef struct TWAINSTATE {
    TwIdentity Application;
    TwIdentity Source;  // identifier 0 and no product name: the manager's default source
    HWND Parent;
    HMODULE Manager;
    TwainEntryFn Entry;
    int PanelScanRequest;  // the next acquisition uses PanelProduct
    char PanelProduct[129];
    int EpsonScanner;
    int TransferCancelled;
    int SourceAvailable;     // what the last probe of the default source found
    int ScanCommandRunning;  // a Scan command is showing its acquisition and messages
    int WalkingScanQueue;    // the scanned pages are being recognised (their messages may show)
    SCANNEDIMAGE Scanned;
} TWAINSTATE;

typedef struct APPSTATE {
    // Process and windows.
    HINSTANCE Instance;
    HWND MainWindow;
    HWND CommandBar;
    HWND StatusBar;
    HWND HintWindow;
    HWND CardForm;        // the Card Editor's form
    HWND WorkEditWindow;  // the work area
    HMENU MainMenu;
    HACCEL Accelerators;
    HANDLE InstanceMutex;

    // Start-up: the command line (heap copy of any length) and what the parser made of it.
    char* OriginalCommandLine;  // exactly as the system gave it; CommandLine loses its quotes
    char* CommandLine;
    char PanelDataSource[128];
    int PanelRequest;
    int PanelUiMode;
    int PerUserMode;
    char PerUserFolder[MAX_PATH];
    char PerUserDatabaseFolder[MAX_PATH + 16];
    int ScannerLaunch;
    char ScannerDataSource[35];
    int IsNT4;

    // Folders.
    char ProgramFolder[MAX_PATH];  // ends with a backslash
    char ProgramFolderShort[128];
    char DatabaseFolder[MAX_PATH + 16];

    // The open card file.
    char CardFilePath[MAX_PATH];
    HKVDB Database;
    HKVTBL CardTable;
    int CardCount;
    int CurrentCardNumber;  // 1-based; 0 empty file; -1 new card not yet stored
    int CurrentCardId;      // the current card's ID, which survives sorting and filtering; 0 none
    CardRec CurrentCard;
    char NoteBuffer[NOTE_BUFFER_SIZE];
    int CardFileUsable;
    int SortMode;
    int RowsUnsorted;  // cards were appended since the table was last opened in its sort order
    char HelpFile[MAX_PATH];
    char WebSite[MAX_PATH];
    int ShowTwainUI;
    char CardFileList[CARD_FILE_LIST_MAX][CARD_FILE_LIST_ENTRY];
    int CardFileListCount;
    int ViewMode;

    // Preferences.
    int StatusWord;
    int DefaultScale;
    int DefaultView;
    int UndoFlag;
    int ToolTipFlag;
    int ShowWebSite;
    int DefaultAngle;
    int AutoRotate;
    int DefaultExport;
    int ScanDeskew;
    int ScanMultiple;
    int DefaultReso;
    int DefaultImgType;
    int KeepDialog;
    int SaveFieldNames;
    int DetectCalibration;
    int DataOptions[LINK_TYPE_COUNT];
    int LinkDirection[LINK_TYPE_COUNT];
    int LinkButtonBitmapBase;
    int ShowBorder;
    int LanguageSwitch[LINK_TYPE_COUNT];
    int SelectLanguage;
    int LanguageMenuCommand;
    int EngineLanguageCode;
    int PageLanguageValue;
    char NetfreshProduct[30];

    // Shared drawing resources.
    char ProductTitle[32];
    char UntitledName[32];
    char UiFontFace[32];
    HCURSOR WaitCursor;
    HCURSOR ArrowCursor;
    HCURSOR IBeamCursor;
    HCURSOR ProgramCursors[PROGRAM_CURSOR_COUNT];
    HCURSOR FingerCursor;
    HCURSOR MoveCursor;
    HICON Icon;
    HBRUSH DeskBrush;
    HBRUSH IndexStripBrush;
    HBRUSH GoldBrush;
    HBRUSH HintBrush;
    HFONT DialogFont;
    HPALETTE ColourPalette;
    HPALETTE GreyPalette;
    HGLOBAL WorkBlock;
    void* WorkBlockData;
    int CaptionHeight;
    int VScrollWidth;
    int HScrollHeight;
    int DisplayWidth;
    int DisplayHeight;
    int DisplayDpiX;
    int DisplayDpiY;
    SYSTEM_INFO SystemInfo;
    HGLOBAL FontTable;
    int FontCount;

    // Card-scanner drivers.
    HMODULE A8100Driver;
    HMODULE ScanLDriver;
    HMODULE ScanL30Driver;
    int SyscanScanner;
    int DynaCardReader;
    int CardScannerButtonPressed;
    int TwainManagerOpen;  // set while a TWAIN acquisition is open
    int TwainSourceOpen;
    TWAINSTATE Twain;

    // Recognition engine.
    RecogDocument* Document;
    RecogWorkspace* Workspace;
    uint8_t PageAttributes[16];
    int CurrentDatabaseIndex;
    int LoadedDatabaseIndex;
    RECOGNITIONSETTINGS Recognition;

    // Lists kept across runs.
    HGLOBAL RecentFiles;
    WORD RecentCapacity;
    WORD RecentCount;
    WORD SendToCount;

    // Main window.
    int MenuHintId;
    HWND HotCommandButton;
    int ScanWithNamedSource;
    char NamedSourceProduct[128];
    char PendingImportPath[MAX_PATH];

    // Card images: the current image record, the image documents and the image view.
    ImageRecord CurrentImage;
    ImageDocuments ImageDocs;
    char StoredThumbnailName[MAX_PATH];  // the thumbnail blob of a card being stored points here
    int ImageZoom;                       // reduction percentage of the Card Editor's image pane, 100 to 1000
    int ImageScrollX;
    int ImageScrollY;
    HWND CardDeck;   // the card deck window, told when the documents change
    HWND ImagePane;  // the Card Editor's image pane

    // The card views: their panes, counts, lists and records.
    VIEWSSTATE Views;

    // State of the shell's windows and dialogs, one structure each.
    STATUSBARSTATE Status;
    HINTWINDOWSTATE Hint;
    COMMANDBARSTATE Bar;
    FILEDIALOGSTATE Dialogs;
    FINDSTATE Find;
    HMENU MenuBar;  // the menu bar whose items are being greyed

    // Recognition runs: the progress window, the orientation scores kept between runs, and
    // what the engine reported meanwhile.
    OCRWINDOWSTATE OcrWindow;
    int32_t OrientationScores[4];
    int EngineErrorId;      // the last error the engine reported during a run, 0 none
    int NoOcrMessageShown;  // the missing OCR program is told once per run of the program
    int LastPageRead;       // what the engine's single-page recognition last answered

    // Printing: paper layouts, the template, the printer; the export fields and the user's choice.
    PRINTSTATE Print;
    EXPORTFIELD ExportFields[EXPORT_FIELDS];
    int ExportSelection[EXPORT_FIELDS];
} APPSTATE;

extern APPSTATE App;
