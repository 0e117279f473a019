// Shared resources, window classes and the main window: what start-up builds before the
// message loop runs, and what shut-down frees.
#include "shell.h"
#include "capture.h"
#include "recognition.h"
#include "scanning.h"
#include "print.h"
#include "views.h"
#include "resource.h"
#include "netfresh.h"
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#define FONT_TABLE_ENTRIES 256

static const char* const kProgramCursorNames[PROGRAM_CURSOR_COUNT] = {"LIST_SELROW",
                                                                      "LIST_SELCOL",
                                                                      "LIST_SELSIZE",
                                                                      "LIST_DROP",
                                                                      "LIST_HAND",
                                                                      "LIST_HANDUP",
                                                                      "LIST_ZOOMIN",
                                                                      "LIST_ZOOMOUT",
                                                                      "LIST_STOP",
                                                                      MAKEINTRESOURCEA(IDC_CHAR_PANE),
                                                                      MAKEINTRESOURCEA(IDC_PAINT_PANE)};

static void SetProgramFolder(void) {
    if (App.PerUserMode) lstrcpynA(App.ProgramFolder, App.PerUserFolder, sizeof App.ProgramFolder);
    if (!GetShortPathNameA(App.ProgramFolder, App.ProgramFolderShort, sizeof App.ProgramFolderShort))
        lstrcpynA(App.ProgramFolderShort, App.ProgramFolder, sizeof App.ProgramFolderShort);
}

static void SetDatabaseFolder(void) {
    if (App.PerUserMode) lstrcpynA(App.DatabaseFolder, App.PerUserDatabaseFolder, sizeof App.DatabaseFolder);
    else JoinFolderAndName(App.DatabaseFolder, sizeof App.DatabaseFolder, App.ProgramFolder, "Database");
}

static void LoadCursorsAndStrings(void) {
    App.WaitCursor = LoadCursor(NULL, IDC_WAIT);
    App.ArrowCursor = LoadCursor(NULL, IDC_ARROW);
    App.IBeamCursor = LoadCursor(NULL, IDC_IBEAM);
    for (int i = 0; i < PROGRAM_CURSOR_COUNT; ++i)
        if (kProgramCursorNames[i]) App.ProgramCursors[i] = LoadCursorA(App.Instance, kProgramCursorNames[i]);
    LoadStringA(App.Instance, IDS_PRODUCT_TITLE, App.ProductTitle, sizeof App.ProductTitle);
    LoadStringA(App.Instance, IDS_UNTITLED, App.UntitledName, sizeof App.UntitledName);
    if (!LoadStringA(App.Instance, IDS_UI_FONT, App.UiFontFace, sizeof App.UiFontFace))
        lstrcpyA(App.UiFontFace, "System Font");
    App.Icon = LoadIconA(App.Instance, "IMICON");
    App.DeskBrush = CreateSolidBrush(RGB(161, 210, 234));
    App.IndexStripBrush = CreateSolidBrush(RGB(118, 122, 118));
    App.GoldBrush = CreateSolidBrush(RGB(205, 184, 69));
    App.HintBrush = CreateSolidBrush(RGB(255, 255, 223));
    App.FingerCursor = LoadCursorA(App.Instance, "CUR_FINGER");
    App.MoveCursor = LoadCursorA(App.Instance, "FMOVECUR");
    App.DialogFont = CreateFontA(12, 0, 0, 0, FW_DONTCARE, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
}

// A palette of 256 entries from red, green and blue values.
static HPALETTE CreatePalette256(const BYTE (*rgb)[3]) {
    struct {
        WORD Version;
        WORD Count;
        PALETTEENTRY Entries[256];
    } palette;
    palette.Version = 0x300;
    palette.Count = 256;
    for (int i = 0; i < 256; ++i) {
        palette.Entries[i].peRed = rgb[i][0];
        palette.Entries[i].peGreen = rgb[i][1];
        palette.Entries[i].peBlue = rgb[i][2];
        palette.Entries[i].peFlags = 0;
    }
    return CreatePalette((LOGPALETTE*)&palette);
}

// The thumbnail colour palette (the resource holds a colour table, blue first) and a grey one.
static void BuildPalettes(void) {
    BYTE rgb[256][3];
    BYTE table[1024];
    memset(table, 0, sizeof table);
    HRSRC found = FindResourceA(App.Instance, "PALDATA1", MAKEINTRESOURCEA(10));
    HGLOBAL loaded = found ? LoadResource(App.Instance, found) : NULL;
    const BYTE* data = loaded ? (const BYTE*)LockResource(loaded) : NULL;
    if (data)
        memcpy(table, data,
               SizeofResource(App.Instance, found) < sizeof table ? SizeofResource(App.Instance, found) : sizeof table);
    for (int i = 0; i < 256; ++i) {
        rgb[i][0] = table[i * 4 + 2];
        rgb[i][1] = table[i * 4 + 1];
        rgb[i][2] = table[i * 4];
    }
    App.ColourPalette = CreatePalette256(rgb);
    for (int i = 0; i < 256; ++i) rgb[i][0] = rgb[i][1] = rgb[i][2] = (BYTE)i;
    App.GreyPalette = CreatePalette256(rgb);
}

int InitResources(void) {
    if (!OpenCardFile(NULL, 1)) CreateUntitledCardFile();
    SetDatabaseFolder();
    LoadCursorsAndStrings();
    BuildPalettes();
    LoadRecentFiles();
    LoadSelectedLayout();
    App.WorkBlock = GlobalAlloc(GHND, WORK_BLOCK_SIZE);
    App.WorkBlockData = App.WorkBlock ? GlobalLock(App.WorkBlock) : NULL;
    LoadPrintDefaults();
    return 1;
}

static void ReadDisplayMetrics(void) {
    App.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    App.VScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    App.HScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    HDC info = CreateICA("DISPLAY", NULL, NULL, NULL);
    if (info) {
        App.DisplayWidth = GetDeviceCaps(info, HORZRES);
        App.DisplayHeight = GetDeviceCaps(info, VERTRES);
        App.DisplayDpiX = GetDeviceCaps(info, LOGPIXELSX);
        App.DisplayDpiY = GetDeviceCaps(info, LOGPIXELSY);
        DeleteDC(info);
    }
    GetSystemInfo(&App.SystemInfo);
}

int InitApplication(void) {
    SetProgramFolder();
    InitResources();
    App.MainMenu = LoadMenuA(App.Instance, IDR_DARODORI);
    App.Accelerators = LoadAcceleratorsA(App.Instance, IDR_DARODORI);
    LoadDefaultPrinter();
    ReadDisplayMetrics();
    return 1;
}

static ATOM RegisterProgramClass(const char* name, UINT style, WNDPROC proc, HCURSOR cursor, HBRUSH background,
                                 HICON icon) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = App.Instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    return RegisterClassA(&wc);
}

// The shell's own window classes; the view panes, the recognition window and the layout
// editor register theirs with their own code.
static void RegisterShellClasses(void) {
    App.ShowWebSite = ReadSettingInt("Preference", "ShowWebSite", 1);
    RegisterProgramClass("IMC_CMD20", CS_DBLCLKS, CommandBarWndProc, App.FingerCursor,
                         (HBRUSH)GetStockObject(LTGRAY_BRUSH), NULL);
    RegisterProgramClass("IMC_STAT20", CS_DBLCLKS, StatusWndProc, App.ArrowCursor, (HBRUSH)GetStockObject(LTGRAY_BRUSH),
                         NULL);
    RegisterProgramClass("IMC_Hint20", 0, HintWndProc, App.ArrowCursor, (HBRUSH)GetStockObject(NULL_BRUSH), NULL);
    RegisterRecognitionWindowClass();
    RegisterWorkAreaClasses();
    RegisterPrintWindowClasses();
    CreateLayoutSelectionList();
}

static int CALLBACK CollectFont(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type, LPARAM table) {
    if (App.FontCount >= FONT_TABLE_ENTRIES) return 0;
    ((LOGFONTA*)table)[App.FontCount++] = *font;
    return 1;
}

// The display's fonts, for the font choices of the card form and the layouts.
static void EnumerateDisplayFonts(void) {
    App.FontCount = 0;
    App.FontTable = GlobalAlloc(GHND, FONT_TABLE_ENTRIES * sizeof(LOGFONTA));
    LOGFONTA* table = App.FontTable ? (LOGFONTA*)GlobalLock(App.FontTable) : NULL;
    if (!table) {
        MessageBoxFromStringId(App.MainWindow, IDS_NO_MEMORY, NULL, MB_OK | MB_ICONSTOP);
        return;
    }
    HDC dc = GetDC(App.MainWindow);
    EnumFontFamiliesA(dc, NULL, CollectFont, (LPARAM)table);
    ReleaseDC(App.MainWindow, dc);
    GlobalUnlock(App.FontTable);
}

static void MarkMenuItems(void) {
    static const int kViewItems[] = {IDM_VIEW_DECK, IDM_VIEW_EDITOR, IDM_VIEW_LIST, IDM_VIEW_ALBUM};
    CheckMenuItem(App.MainMenu, IDM_HELP_TOOLTIPS, App.ToolTipFlag ? MF_CHECKED : MF_UNCHECKED);
    for (int mode = 0; mode < 4; ++mode)
        CheckMenuItem(App.MainMenu, kViewItems[mode], mode == App.ViewMode ? MF_CHECKED : MF_UNCHECKED);
}

// The online update component, by ordinal: start-up (0), shut-down and explicit checks (1).
void CallOnlineUpdate(int when) {
    HMODULE netfresh = LoadLibraryA("Netfresh.dll");
    if (!netfresh) return;
    NetfreshCheckFn check = (NetfreshCheckFn)(void*)GetProcAddress(netfresh, MAKEINTRESOURCEA(NETFRESH_CHECK_ORDINAL));
    if (check) check(App.NetfreshProduct, 0, when);
    FreeLibrary(netfresh);
}

// Who the program is to the TWAIN data source manager and its sources.
static void HandTwainIdentity(void) {
    TwIdentity identity;
    memset(&identity, 0, sizeof identity);
    identity.Version.MajorNum = 1;
    identity.Version.MinorNum = 0;
    identity.Version.Language = TWLG_USA;
    identity.Version.Country = TWCY_USA;
    lstrcpynA(identity.Version.Info, "TVRK version 4.0", sizeof identity.Version.Info);
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 5;
    identity.SupportedGroups = TW_DG_CONTROL | TW_DG_IMAGE;
    lstrcpynA(identity.Manufacturer, "Orvane", sizeof identity.Manufacturer);
    lstrcpynA(identity.ProductFamily, "QKTR", sizeof identity.ProductFamily);
    lstrcpynA(identity.ProductName, "TVRK V40", sizeof identity.ProductName);
    SetTwainAppIdentity(&identity, App.MainWindow);
}

int CreateMainWindow(HINSTANCE instance, int showCommand) {
    RegisterShellClasses();
    CreateImageDocuments();
    ReadExportFieldSelection();
    if (App.ImageZoom < 100) App.ImageZoom = 100;
    ResetCurrentImage();
    RegisterProgramClass(MAIN_WINDOW_CLASS, CS_HREDRAW | CS_VREDRAW, MainWndProc, App.ArrowCursor,
                         (HBRUSH)GetStockObject(LTGRAY_BRUSH), App.Icon);
    App.MainWindow =
        CreateWindowA(MAIN_WINDOW_CLASS, NULL, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, App.MainMenu, instance, NULL);
    if (!App.MainWindow) {
        MessageBoxFromStringId(NULL, IDS_CREATE_WINDOW_FAILED, NULL, MB_OK | MB_ICONSTOP);
        return 0;
    }
    SetTimer(App.MainWindow, CARD_SCANNER_TIMER, 200, NULL);
    HandTwainIdentity();
    App.CommandBar = CreateCommandBar(App.MainWindow);
    App.StatusBar = CreateStatusBar(App.MainWindow);
    CreateWorkEditWindow(App.MainWindow);
    SetMainWindowTitle(App.CardFilePath);
    ShowWindow(App.MainWindow, showCommand);
    InvalidateRect(App.MainWindow, NULL, TRUE);
    UpdateWindow(App.MainWindow);
    EnumerateDisplayFonts();
    LoadStartupPreferences();

    if (!CreateRecognitionDocument()) {
        MessageBoxFormat(App.MainWindow, MB_ICONEXCLAMATION, IDS_ERR_LOAD_DATABASE);
        FreeAppResources();
        return 0;
    }
    DragAcceptFiles(App.MainWindow, TRUE);
    MarkMenuItems();
    UpdateCommandStates(App.CommandBar, 0);
    if (App.Views.DeckList) SetFocus(App.Views.DeckList);
    if (App.ShowWebSite == 2) {
        ReadSettingText("Netfresh", "P_NAME", "ZEM", App.NetfreshProduct, sizeof App.NetfreshProduct);
        CallOnlineUpdate(0);
    }
    return 1;
}

void FreeAppResources(void) {
    CloseCardFile();
    FreePrintResources();
    if (App.WorkBlock) {
        GlobalUnlock(App.WorkBlock);
        GlobalFree(App.WorkBlock);
        App.WorkBlock = NULL;
        App.WorkBlockData = NULL;
    }
    HBRUSH* brushes[] = {&App.DeskBrush, &App.IndexStripBrush, &App.GoldBrush, &App.HintBrush};
    for (HBRUSH* brush : brushes) {
        if (*brush) DeleteObject(*brush);
        *brush = NULL;
    }
    for (int i = 0; i < PROGRAM_CURSOR_COUNT; ++i) {
        if (App.ProgramCursors[i]) DestroyCursor(App.ProgramCursors[i]);
        App.ProgramCursors[i] = NULL;
    }
    if (App.FingerCursor) DestroyCursor(App.FingerCursor);
    if (App.MoveCursor) DestroyCursor(App.MoveCursor);
    App.FingerCursor = App.MoveCursor = NULL;
    if (App.DialogFont) DeleteObject(App.DialogFont);
    if (App.Icon) DestroyIcon(App.Icon);
    if (App.ColourPalette) DeleteObject(App.ColourPalette);
    if (App.GreyPalette) DeleteObject(App.GreyPalette);
    App.DialogFont = NULL;
    App.Icon = NULL;
    App.ColourPalette = App.GreyPalette = NULL;
    SaveSendToList();
    SaveRecentFiles();
}
