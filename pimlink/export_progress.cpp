#include "export_progress.h"
#include "ferrow_resources.h"
#include "library_module.h"
#include <commctrl.h>
#include <stdio.h>

namespace ferrow {

namespace {

// Only the export ends the dialog: a click or Enter on it changes nothing.
INT_PTR CALLBACK ProgressProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

CExportProgress::CExportProgress(int count, const char* status) : count_(count) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    dialog_ = CreateDialogParamA(LibraryModule(), MAKEINTRESOURCEA(IDD_EXPORT_PROGRESS), nullptr, ProgressProc, 0);
    if (!dialog_) return;
    SendDlgItemMessageA(dialog_, IDC_EXPORT_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    if (count > 0) SendDlgItemMessageA(dialog_, IDC_EXPORT_BAR, PBM_SETSTEP, 100 / count, 0);
    ShowWindow(dialog_, SW_SHOW);
    SetStatus(status);
    SetDlgItemTextA(dialog_, IDC_EXPORT_PERCENT, "");
}

CExportProgress::~CExportProgress() {
    if (dialog_) DestroyWindow(dialog_);
}

void CExportProgress::SetStatus(const char* text) {
    if (dialog_) SetDlgItemTextA(dialog_, IDC_EXPORT_STATUS, text);
}

void CExportProgress::Step() {
    if (dialog_) SendDlgItemMessageA(dialog_, IDC_EXPORT_BAR, PBM_STEPIT, 0, 0);
}

void CExportProgress::ShowPercent(int done) {
    if (!dialog_ || count_ <= 0) return;
    char text[32];
    snprintf(text, sizeof(text), "%d %%", done * 100 / count_);
    SetDlgItemTextA(dialog_, IDC_EXPORT_PERCENT, text);
}

}  // namespace ferrow
