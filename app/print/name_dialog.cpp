// The Save As name dialog of Page Setup and the template editor: a name of up to 64
// characters, OK only while one is typed.
#include "print.h"
#include "shell.h"
#include "resource.h"

#define NAME_LIMIT (int)(sizeof App.Print.TypedName - 1)

static INT_PTR CALLBACK SaveAsNameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_SAVE_AS_NAME, EM_LIMITTEXT, NAME_LIMIT, 0);
        EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SAVE_AS_NAME:
            if (HIWORD(wParam) == EN_CHANGE)
                EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, IDC_SAVE_AS_NAME)) > 0);
            return TRUE;
        case IDOK:
            GetDlgItemTextA(dialog, IDC_SAVE_AS_NAME, App.Print.TypedName, sizeof App.Print.TypedName);
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

int AskLayoutName(HWND owner, char* name, int size) {
    App.Print.TypedName[0] = 0;
    if (RunModalDialog(owner, 0, IDD_SAVE_AS_NAME, SaveAsNameDlgProc) != IDOK || !App.Print.TypedName[0]) return 0;
    lstrcpynA(name, App.Print.TypedName, size);
    return 1;
}
