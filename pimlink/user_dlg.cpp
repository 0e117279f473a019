#include "user_dlg.h"
#include "ferrow_resources.h"
#include "library_module.h"

namespace ferrow {

char ActUserName[128];
char ActPassword[128];

INT_PTR CUserDlg::DoModal() {
    return DialogBoxParamA(LibraryModule(), MAKEINTRESOURCEA(IDD_ACT_USER), owner_, DialogProc, 0);
}

INT_PTR CALLBACK CUserDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: SetDlgItemTextA(dialog, IDC_ACT_USER, ActUserName); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            GetDlgItemTextA(dialog, IDC_ACT_USER, ActUserName, sizeof(ActUserName));
            GetDlgItemTextA(dialog, IDC_ACT_PASSWORD, ActPassword, sizeof(ActPassword));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace ferrow
