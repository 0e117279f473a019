// The source's own modeless dialog, shown when the application enables the source with its
// user interface: Scan sends the next page of the feeder, Close asks the application to
// close the source.
#include "source.h"
#include "scan_dialog_ids.h"
#include <stdio.h>

static INT_PTR CALLBACK ScanDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: SetWindowTextA(dialog, Session.Self.ProductName); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_SCAN_BUTTON && Session.State == 5) StartScan();
        else if (LOWORD(wParam) == IDCANCEL) NotifyApplication(TW_MSG_CLOSEDSREQ);
        return TRUE;
    case WM_CLOSE: NotifyApplication(TW_MSG_CLOSEDSREQ); return TRUE;
    }
    return FALSE;
}

HWND CreateScanDialog(HWND parent) {
    HWND dialog = CreateDialogParamA(SourceModule, MAKEINTRESOURCEA(IDD_SCAN_DIALOG), parent, ScanDialogProc, 0);
    Session.Dialog = dialog;
    UpdateScanDialog();
    if (dialog) ShowWindow(dialog, SW_SHOW);
    return dialog;
}

void UpdateScanDialog(void) {
    if (!Session.Dialog) return;
    char text[64];
    int left = FeederCount() - FeederNext();
    snprintf(text, sizeof text, "Pages in the feeder: %d", left < 0 ? 0 : left);
    SetDlgItemTextA(Session.Dialog, IDC_FEEDER_TEXT, text);
}
