// The scan road's entry: the Scan, hand-over scan and Select Scanner commands. A scan probes
// the default source to learn the scanner model, asks the card-scanner drivers whether the
// scanner is calibrated and holds a card, disables the main window and starts the
// acquisition, then returns; the acquisition goes on from the message loop.
#include "card_scanner.h"
#include "resource.h"
#include "scanning.h"
#include "shell.h"
#include <stdlib.h>
#include <string.h>

static int AcquisitionOpen(void) { return IsTwainManagerOpen() && IsTwainSourceOpen(); }

static FARPROC DriverFunction(HMODULE driver, const char* name) { return driver ? GetProcAddress(driver, name) : NULL; }

static void ShowScanError(UINT id) { MessageBoxFromStringId(App.MainWindow, id, NULL, MB_OK | MB_ICONEXCLAMATION); }

static void ShowPlaceCard(void) {
    char text[64], caption[64];
    LoadStringA(App.Instance, IDS_PLACE_CARD, text, sizeof text);
    LoadStringA(App.Instance, IDS_ERROR, caption, sizeof caption);
    MessageBoxA(App.MainWindow, text, caption, MB_OK | MB_ICONINFORMATION);
}

static void RestoreMainWindow(void) {
    EnableWindow(App.MainWindow, TRUE);
    BringWindowToTop(App.MainWindow);
    SetActiveWindow(App.MainWindow);
}

// Which scanner the default source drives; 0 when the manager cannot be opened.
static int ProbeDefaultSource(void) {
    App.SyscanScanner = App.DynaCardReader = 0;
    if (!OpenTwainManager()) return 0;
    ClearTwainSourceIdentity();
    if (OpenTwainSource()) {
        App.Twain.SourceAvailable = 1;
        DetectScannerModel();
        CloseTwainSource();
    } else {
        App.Twain.SourceAvailable = 0;
    }
    CloseTwainManager();
    return 1;
}

static void CalibrateIfNeeded(void) {
    if (!App.SyscanScanner || !App.DetectCalibration) return;
    CardScannerQueryFn needed = (CardScannerQueryFn)(void*)DriverFunction(App.A8100Driver, "IO_IsCalibrationNeeded");
    CardScannerCalibrateFn calibrate =
        (CardScannerCalibrateFn)(void*)DriverFunction(App.A8100Driver, "IO_CalibrateScanner");
    if (needed && calibrate && needed()) calibrate(0);
}

// 1 when the card scanner holds a card, or is not asked.
static int CardIsPresent(void) {
    if (App.ShowTwainUI != 0 || App.ScanWithNamedSource) return 1;
    if (App.SyscanScanner) {
        CardScannerQueryFn paperOn = (CardScannerQueryFn)(void*)DriverFunction(App.A8100Driver, "IO_IsPaperOn");
        if (paperOn && !paperOn()) return 0;
    }
    if (App.DynaCardReader && App.ScanLDriver) {
        CardReaderStatusFn status =
            (CardReaderStatusFn)(void*)DriverFunction(App.ScanLDriver, "Dyna_CheckScannerStatus");
        BYTE present = 0;
        if (!status || (status(&present) && present == 0)) return 0;
    }
    return 1;
}

static void ScanWithTwain(void) {
    if (AcquisitionOpen()) return;
    if (!App.ScanWithNamedSource && !ProbeDefaultSource()) {
        ShowScanError(IDS_ERROR_ACCESSING_DS);
        return;
    }
    CalibrateIfNeeded();
    if (!CardIsPresent()) {
        ShowPlaceCard();
        return;
    }
    UpdateCommandStates(App.CommandBar, 0);
    EnableWindow(App.MainWindow, FALSE);
    if (!App.Twain.SourceAvailable) {
        RestoreMainWindow();
        ShowScanError(IDS_ERROR_ACCESSING_DS);
        App.Twain.SourceAvailable = 1;
        return;
    }
    if (!SetupBatchScan(App.MainWindow)) {
        RestoreMainWindow();
        ShowScanError(IDS_ERROR_ACCESSING_DS);
    }
}

static void SelectScanner(void) {
    if (AcquisitionOpen()) return;
    UpdateCommandStates(App.CommandBar, 0);
    if (!OpenTwainManager()) {
        char text[64];
        LoadStringA(App.Instance, IDS_ENABLE_DS_FAILURE, text, sizeof text);
        MessageBoxA(App.MainWindow, text, "Scan Error!", MB_OK | MB_ICONSTOP);
        return;
    }
    SelectTwainSource();
    if (OpenTwainSource()) {
        DetectScannerModel();
        CloseTwainSource();
    }
    CloseTwainManager();
    UpdateCommandStates(App.CommandBar, 0);
}

void OnScanCommand(int code) {
    if (code == IDM_SCANNER_SCAN) ScanWithTwain();
    else if (code == IDM_SCANNER_SELECT) SelectScanner();
}

// An Epson source whose dialog is suppressed scans with its sheet feeder.
static void NoteEpsonDefaultSource(void) {
    char manufacturer[64] = "", product[64] = "";
    if (OpenTwainManager()) {
        if (!GetDefaultTwainSource(manufacturer, product)) manufacturer[0] = 0;
        CloseTwainManager();
    }
    CharLowerA(manufacturer);
    if (strstr(manufacturer, "epson") && App.ShowTwainUI == 0) App.Twain.EpsonScanner = 1;
}

// A scanner button panel's request handed over by a second start.
static void TakePanelScanRequest(void) {
    char mode[TWAIN_PRODUCT_MAX + 1];
    App.Twain.PanelScanRequest = 1;
    ReadSettingText("Preference", "EpsonDSProductName", "", App.Twain.PanelProduct, TWAIN_PRODUCT_MAX + 1);
    ReadSettingText("Preference", "EP_UI_MODE", "", mode, sizeof mode);
    App.PanelUiMode = atoi(mode);
}

static void RunScanMenuCommand(int id) {
    if (id == IDM_SELECT_SCANNER) {
        OnScanCommand(IDM_SCANNER_SELECT);
        return;
    }
    // A request that arrives during an acquisition (a hand-over, the button) waits for none.
    if (AcquisitionOpen()) return;
    if (id == IDM_PANEL_SCAN) TakePanelScanRequest();
    if (App.ViewMode == VIEW_CARD_EDITOR && App.CardForm && IsWindow(App.CardForm)) {
        SendMessageA(App.CardForm, WM_FORM_SAVE_CARD, 0, 0);
        SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
    }
    NoteEpsonDefaultSource();
    OnScanCommand(IDM_SCANNER_SCAN);
    ImportQueuedFiles();
}

// A scan command's message box, or one shown while the scanned pages are recognised, runs a
// message loop of its own, where the scanner button's timer would start a second scan inside
// the first; its new queue would take the place of pages not yet stored. One at a time.
int ScanCommandRunning(void) { return App.Twain.ScanCommandRunning || App.Twain.WalkingScanQueue; }

void OnScanMenuCommand(int id) {
    if (ScanCommandRunning()) return;
    App.Twain.ScanCommandRunning = 1;
    RunScanMenuCommand(id);
    App.Twain.ScanCommandRunning = 0;
}
