// CZemPref as a dialog: the modal sheet over the three pages.
#include "preferences_sheet.h"
#include "preference_pages.h"
#include "prefer_resources.h"
#include <commctrl.h>

namespace {

PROPSHEETPAGEA PageOf(int templateId, DLGPROC proc, void* state) {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof(page);
    page.hInstance = PreferApp.Instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = proc;
    page.lParam = reinterpret_cast<LPARAM>(state);
    return page;
}

}  // namespace

bool RunPreferencesSheet(CZemPref* pref, HWND owner) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CZemScanOptn scan = {pref, ""};
    CZemSaveOptn save = {pref, "", {}};
    CZemExportOptn sync = {pref, "", -1};
    lstrcpynA(scan.IniPath, pref->IniPath, sizeof(scan.IniPath));
    lstrcpynA(save.IniPath, pref->IniPath, sizeof(save.IniPath));
    lstrcpynA(sync.IniPath, pref->IniPath, sizeof(sync.IniPath));
    PROPSHEETPAGEA pages[] = {PageOf(IDD_SCAN_OPTIONS, &ScanOptionsPageProc, &scan),
                              PageOf(IDD_EXPORT_OPTIONS, &SaveOptionsPageProc, &save),
                              PageOf(IDD_SYNCHRONIZE, &ExportOptionsPageProc, &sync)};
    std::string caption = LoadText(IDS_PREFERENCES);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = PreferApp.Instance;
    header.pszCaption = caption.c_str();
    header.nPages = sizeof(pages) / sizeof(pages[0]);
    header.ppsp = pages;
    return PropertySheetA(&header) > 0;
}
