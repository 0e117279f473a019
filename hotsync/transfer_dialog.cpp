#include "transfer_dialog.h"
#include "zemsync_resources.h"

namespace {

struct DialogState {
    int Type;
    TransferChoice* Choice;
};

void OnInit(HWND dialog, const DialogState* state) {
    CheckRadioButton(dialog, IDC_SYNC_FILES, IDC_DO_NOTHING, IDC_SYNC_FILES + RadioIndexOfType(state->Type));
    // Only the handheld can be overwritten, or nothing done; a type that picks a disabled
    // button keeps it picked.
    EnableWindow(GetDlgItem(dialog, IDC_SYNC_FILES), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_HANDHELD_OVERWRITES), FALSE);
    CheckDlgButton(dialog, IDC_SET_DEFAULT, BST_UNCHECKED);
}

// An automatic radio button unchecks only the enabled ones of its group: a disabled choice
// that the passed type checked would stay checked beside the user's.
void OnActionClicked(HWND dialog, int id) { CheckRadioButton(dialog, IDC_SYNC_FILES, IDC_DO_NOTHING, id); }

void OnOk(HWND dialog, DialogState* state) {
    int index = 3;
    for (int i = 0; i < 4; ++i)
        if (IsDlgButtonChecked(dialog, IDC_SYNC_FILES + i) == BST_CHECKED) index = i;
    state->Choice->Type = TypeOfRadioIndex(index);
    state->Choice->Preference = IsDlgButtonChecked(dialog, IDC_SET_DEFAULT) == BST_CHECKED ? 1 : 2;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK TransferDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog, state); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) >= IDC_SYNC_FILES && LOWORD(wParam) <= IDC_DO_NOTHING && HIWORD(wParam) == BN_CLICKED)
            OnActionClicked(dialog, LOWORD(wParam));
        if (LOWORD(wParam) == IDOK) OnOk(dialog, state);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int RadioIndexOfType(int type) {
    switch (type) {
    case 0: return 0;
    case 3: return 1;
    case 2: return 2;
    default: return 3;
    }
}

int TypeOfRadioIndex(int index) {
    static const int kTypes[] = {0, 3, 2, 6};
    return index >= 0 && index < 4 ? kTypes[index] : 6;
}

bool RunTransferDialog(HINSTANCE instance, int type, TransferChoice* choice) {
    DialogState state = {type, choice};
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_TRANSFER), GetActiveWindow(), &TransferDialogProc,
                           reinterpret_cast<LPARAM>(&state)) == IDOK;
}
