// The TWAIN data source manager and one data source: loading the manager, opening, enabling
// and closing the source, the default, chosen or named source, the scanner model behind it,
// and the end of an acquisition.
#include "scanning.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

static uint16_t CallManager(TwIdentity* destination, uint32_t group, uint16_t dataType, uint16_t message, void* data) {
    if (!App.Twain.Entry) return TWRC_FAILURE;
    return App.Twain.Entry(&App.Twain.Application, destination, group, dataType, message, data);
}

uint16_t CallTwainSource(uint32_t group, uint16_t dataType, uint16_t message, void* data) {
    return CallManager(&App.Twain.Source, group, dataType, message, data);
}

// The identity start-up hands over, and a scanner button panel's request of the command line.
void SetTwainAppIdentity(const TwIdentity* identity, HWND parent) {
    App.Twain.Application = *identity;
    App.Twain.Parent = parent;
    App.Twain.SourceAvailable = 1;
    App.Twain.PanelScanRequest = App.PanelRequest;
    lstrcpynA(App.Twain.PanelProduct, App.PanelDataSource, TWAIN_PRODUCT_MAX + 1);
}

int OpenTwainManager(void) {
    if (App.TwainManagerOpen) return 1;
    char windows[MAX_PATH], path[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    if (!JoinFolderAndName(path, sizeof path, windows, "TWAIN_32.DLL") || !FileExists(path)) return 0;
    App.Twain.Manager = LoadLibraryA("TWAIN_32.DLL");
    if (!App.Twain.Manager) return 0;
    App.Twain.Entry = (TwainEntryFn)(void*)GetProcAddress(App.Twain.Manager, MAKEINTRESOURCEA(1));
    HWND parent = App.Twain.Parent;
    if (App.Twain.Entry && CallManager(NULL, TW_DG_CONTROL, TW_DAT_PARENT, TW_MSG_OPENDSM, &parent) == TWRC_SUCCESS) {
        App.TwainManagerOpen = 1;
        return 1;
    }
    FreeLibrary(App.Twain.Manager);
    App.Twain.Manager = NULL;
    App.Twain.Entry = NULL;
    return 0;
}

int CloseTwainManager(void) {
    if (!App.TwainManagerOpen) return 0;
    HWND parent = App.Twain.Parent;
    if (CallManager(NULL, TW_DG_CONTROL, TW_DAT_PARENT, TW_MSG_CLOSEDSM, &parent) == TWRC_SUCCESS) {
        App.TwainManagerOpen = 0;
        FreeLibrary(App.Twain.Manager);
        App.Twain.Manager = NULL;
        App.Twain.Entry = NULL;
    }
    return App.TwainManagerOpen;
}

int OpenTwainSource(void) {
    if (App.TwainSourceOpen) return 1;
    if (App.Twain.PanelScanRequest)
        lstrcpynA(App.Twain.Source.ProductName, App.Twain.PanelProduct, sizeof App.Twain.Source.ProductName);
    if (CallManager(NULL, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_OPENDS, &App.Twain.Source) == TWRC_SUCCESS)
        App.TwainSourceOpen = 1;
    return App.TwainSourceOpen;
}

void CloseTwainSource(void) {
    if (!App.TwainSourceOpen) return;
    if (CallManager(NULL, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_CLOSEDS, &App.Twain.Source) == TWRC_SUCCESS)
        App.TwainSourceOpen = 0;
}

int EnableTwainSource(void) {
    if (!App.TwainSourceOpen) return 0;
    TwUserInterface ui;
    memset(&ui, 0, sizeof ui);
    ui.ShowUI = (App.ShowTwainUI == 0 && App.PanelUiMode != 0) ? 0 : 1;
    ui.hParent = App.Twain.Parent;
    return CallTwainSource(TW_DG_CONTROL, TW_DAT_USERINTERFACE, TW_MSG_ENABLEDS, &ui) == TWRC_SUCCESS;
}

void DisableTwainSource(void) {
    if (!App.TwainSourceOpen) return;
    TwUserInterface ui;
    memset(&ui, 0, sizeof ui);
    ui.hParent = App.Twain.Parent;
    CallTwainSource(TW_DG_CONTROL, TW_DAT_USERINTERFACE, TW_MSG_DISABLEDS, &ui);
}

void ClearTwainSourceIdentity(void) {
    App.Twain.Source.Id = 0;
    App.Twain.Source.ProductName[0] = 0;
}

int GetDefaultTwainSource(char* manufacturer, char* product) {
    if (CallManager(NULL, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_GETDEFAULT, &App.Twain.Source) != TWRC_SUCCESS)
        return 0;
    lstrcpynA(manufacturer, App.Twain.Source.Manufacturer, sizeof App.Twain.Source.Manufacturer);
    lstrcpynA(product, App.Twain.Source.ProductName, sizeof App.Twain.Source.ProductName);
    return 1;
}

uint16_t SelectTwainSource(void) {
    TwIdentity chosen;
    memset(&chosen, 0, sizeof chosen);
    CallManager(NULL, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_GETDEFAULT, &chosen);
    uint16_t rc = CallManager(NULL, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_USERSELECT, &chosen);
    if (rc == TWRC_SUCCESS) App.Twain.Source = chosen;
    return rc;
}

int FindTwainSourceByName(const char* name) {
    memset(&App.Twain.Source, 0, sizeof App.Twain.Source);
    uint16_t rc = CallManager(NULL, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_GETFIRST, &App.Twain.Source);
    while (rc == TWRC_SUCCESS) {
        if (lstrcmpiA(App.Twain.Source.ProductName, name) == 0) return 1;
        rc = CallManager(NULL, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_GETNEXT, &App.Twain.Source);
    }
    return 0;
}

// The card-scanner drivers that go with the source follow from its maker and product.
void DetectScannerModel(void) {
    char manufacturer[128], product[128];
    lstrcpynA(manufacturer, App.Twain.Source.Manufacturer, sizeof manufacturer);
    lstrcpynA(product, App.Twain.Source.ProductName, sizeof product);
    CharLowerA(manufacturer);
    CharLowerA(product);
    App.SyscanScanner = strstr(manufacturer, "syscan") != NULL;
    App.DynaCardReader =
        strstr(manufacturer, "dyna data system corporation") != NULL && strstr(product, "nimbra reader series") != NULL;
}

void EndTwainSession(void) {
    DisableTwainSource();
    CloseTwainSource();
    CloseTwainManager();
    EnableWindow(App.MainWindow, TRUE);
    BringWindowToTop(App.MainWindow);
    SetActiveWindow(App.MainWindow);
    UpdateCommandStates(App.CommandBar, 0);
}
