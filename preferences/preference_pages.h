// The three pages of the Preferences sheet; each gets its page state through the
// PROPSHEETPAGE's lParam and keeps its own copy of the settings-file path.
#pragma once
#include <windows.h>
#include <prsht.h>
#include "preference_values.h"

// CZemScanOptn: scanning through TWAIN, resolution, image type, card orientation.
struct CZemScanOptn {
    CZemPref* Sheet;
    char IniPath[MAX_PATH];
};
INT_PTR CALLBACK ScanOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// CZemSaveOptn: the export field selection and the field-name row.
struct CZemSaveOptn {
    CZemPref* Sheet;
    char IniPath[MAX_PATH];
    int SaveField[EXPORT_FLAG_COUNT];  // the page's copy, used for drawing
};
INT_PTR CALLBACK SaveOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// CZemExportOptn: per link target the direction, the data option, the active target, the
// Palm mode and user, the ACT! version and database, and the field map.
struct CZemExportOptn {
    CZemPref* Sheet;
    char IniPath[MAX_PATH];
    int Shown;  // the link type shown, -1 for none
};
INT_PTR CALLBACK ExportOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// What a page does with the messages every page handles alike: its state from the
// PROPSHEETPAGE at WM_INITDIALOG, filling and laying out, layout again on WM_SIZE, and its
// commands. Other messages go to Other (when set), which says whether it handled them.
template <typename Page>
struct PageHandlers {
    void (*Init)(HWND page, Page* state);
    void (*Layout)(HWND page);
    void (*Command)(HWND page, Page* state, int id, int code);
    bool (*Other)(HWND page, Page* state, UINT message, LPARAM lParam);
};

template <typename Page>
INT_PTR HandlePageMessage(const PageHandlers<Page>& handlers, HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    Page* state = reinterpret_cast<Page*>(GetWindowLongPtrA(page, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        handlers.Init(page, state);
        handlers.Layout(page);
        return TRUE;
    case WM_SIZE: handlers.Layout(page); return TRUE;
    case WM_COMMAND:
        if (state) handlers.Command(page, state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default: return handlers.Other && handlers.Other(page, state, message, lParam);
    }
}
