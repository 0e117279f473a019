// CZemExportOptn, "Synchronization": per link target the direction, the cards to send, the
// active target, and the target's own settings (Palm mode and user, ACT! version and file).
#include "preference_pages.h"
#include "conduit_registration.h"
#include "field_map_dialog.h"
#include "page_layout.h"
#include "prefer_resources.h"
#include "userdata.h"
#include <commdlg.h>
#include <string.h>

namespace {

const int kPalm = 0, kWindowsCE = 1, kMobilePhone = 2, kAct = 5;

int CheckedOf(HWND page, int first, int last) {
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(page, id) == BST_CHECKED) return id - first + 1;
    return 0;
}

// The radio states of the shown target become its direction and data option.
void StoreRadioStates(HWND page, CZemExportOptn* state) {
    if (state->Shown < 0) return;
    int direction = CheckedOf(page, IDC_DIRECTION_1, IDC_DIRECTION_3);
    int data = CheckedOf(page, IDC_ALL_CARDS, IDC_SELECTED_CARDS);
    if (direction) state->Sheet->Export.Direction[state->Shown] = direction;
    if (data) state->Sheet->DataOption[state->Shown] = data;
}

void CheckDataOption(HWND page, int option) {
    CheckDlgButton(page, IDC_ALL_CARDS, option == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_SELECTED_CARDS, option == 2 ? BST_CHECKED : BST_UNCHECKED);
}

// Receiving from the target or both ways takes all cards.
void ApplyDirection(HWND page, CZemExportOptn* state, int direction) {
    CZemPref* pref = state->Sheet;
    pref->Export.Direction[state->Shown] = direction;
    if (direction >= 2) {
        pref->DataOption[state->Shown] = 1;
        CheckDataOption(page, 1);
    }
    EnableControl(page, IDC_SELECTED_CARDS, direction == 1);
}

void FillPalmUsers(HWND combo) {
    HMODULE module = LoadLibraryA(USERDATA_LIBRARY);
    if (!module) return;
    auto count = reinterpret_cast<UserCountFn>(
        reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(USERDATA_COUNT))));
    auto idAt =
        reinterpret_cast<UserIdAtFn>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(USERDATA_ID_AT))));
    auto nameOf =
        reinterpret_cast<UserTextFn>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(USERDATA_NAME))));
    if (count && idAt && nameOf) {
        int users = count();
        for (int n = 0; n < users; ++n) {
            DWORD id = 0;
            char name[256] = "";
            int size = sizeof(name);
            if (idAt(static_cast<WORD>(n), &id) > 0) nameOf(id, name, &size);
            name[sizeof(name) - 1] = '\0';
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
    }
    FreeLibrary(module);
}

// The handheld is only written to: one direction, any cards.
void EnablePalmDirections(HWND page, int palmMode) {
    EnableControl(page, IDC_DIRECTION_2, palmMode != 0);
    EnableControl(page, IDC_DIRECTION_3, palmMode != 0);
}

void ShowPalmSettings(HWND page, CZemPref* pref) {
    SetDlgItemTextA(page, IDC_EXTRA_GROUP, LoadText(IDS_PALM_GROUP).c_str());
    SetDlgItemTextA(page, IDC_EXTRA_LABEL, LoadText(IDS_PALM_USER).c_str());
    CheckRadioButton(page, IDC_PALM_HANDHELD, IDC_PALM_DESKTOP,
                     pref->PalmMode == 0 ? IDC_PALM_HANDHELD : IDC_PALM_DESKTOP);
    HWND combo = GetDlgItem(page, IDC_EXTRA_COMBO);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    FillPalmUsers(combo);
    SendMessageA(combo, CB_SETCURSEL, pref->PalmUser, 0);
    EnablePalmDirections(page, pref->PalmMode);
}

void ShowActSettings(HWND page, CZemPref* pref) {
    SetDlgItemTextA(page, IDC_EXTRA_GROUP, LoadText(IDS_ACT_GROUP).c_str());
    SetDlgItemTextA(page, IDC_EXTRA_LABEL, LoadText(IDS_ACT_VERSION).c_str());
    SetDlgItemTextA(page, IDC_FILE_LABEL, LoadText(IDS_ACT_DATABASE).c_str());
    SetDlgItemTextA(page, IDC_FILE_EDIT, pref->ActDatabase);
    HWND combo = GetDlgItem(page, IDC_EXTRA_COMBO);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("ACT! 2000"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("ACT! 3.07"));
    SendMessageA(combo, CB_SETCURSEL, pref->ActVersion, 0);
}

void ShowTargetControls(HWND page, int target) {
    bool palm = target == kPalm, act = target == kAct;
    ShowControl(page, IDC_EXTRA_GROUP, palm || act);
    ShowControl(page, IDC_EXTRA_COMBO, palm || act);
    ShowControl(page, IDC_EXTRA_LABEL, palm || act);
    ShowControl(page, IDC_PALM_HANDHELD, palm);
    ShowControl(page, IDC_PALM_DESKTOP, palm);
    ShowControl(page, IDC_BROWSE, act);
    ShowControl(page, IDC_FILE_LABEL, act);
    ShowControl(page, IDC_FILE_EDIT, act);
    ShowControl(page, IDC_FIELD_MAPPING, target != kMobilePhone);
}

void Layout(HWND page) {
    PageGrid g = GridOf(page);
    int half = g.Width / 2, right = g.Width - LAYOUT_MARGIN;
    int comboRight = LAYOUT_MARGIN + g.Width * 5 / 8;
    PlaceOnRow(page, g, IDC_TARGET_LABEL, 0, LAYOUT_MARGIN, right);
    PlaceComboOnRow(page, g, IDC_TARGET, 1, LAYOUT_MARGIN, comboRight);
    PlaceOnRow(page, g, IDC_SET_ACTIVE, 1, comboRight + LAYOUT_MARGIN, right);
    PlaceControl(page, IDC_METHOD_GROUP, LAYOUT_MARGIN, 2 * g.Row, half - 2 * LAYOUT_MARGIN + 5, 4 * g.Row);
    PlaceOnRow(page, g, IDC_DIRECTION_1, 3, LAYOUT_INDENT, half - LAYOUT_MARGIN);
    PlaceOnRow(page, g, IDC_DIRECTION_2, 4, LAYOUT_INDENT, half - LAYOUT_MARGIN);
    PlaceOnRow(page, g, IDC_DIRECTION_3, 5, LAYOUT_INDENT, half - LAYOUT_MARGIN);
    PlaceControl(page, IDC_DATA_GROUP, half, 2 * g.Row, right - half, 4 * g.Row);
    PlaceOnRow(page, g, IDC_ALL_CARDS, 3, half + LAYOUT_MARGIN, right - LAYOUT_MARGIN);
    PlaceOnRow(page, g, IDC_SELECTED_CARDS, 4, half + LAYOUT_MARGIN, right - LAYOUT_MARGIN);
    PlaceControl(page, IDC_EXTRA_GROUP, LAYOUT_MARGIN, 6 * g.Row + 4, right - LAYOUT_MARGIN, 5 * g.Row - 4);
    PlaceOnRow(page, g, IDC_PALM_HANDHELD, 7, LAYOUT_INDENT, half);
    PlaceOnRow(page, g, IDC_PALM_DESKTOP, 7, half, right - LAYOUT_MARGIN);
    PlaceOnRow(page, g, IDC_EXTRA_LABEL, 8, LAYOUT_INDENT, half);
    PlaceComboOnRow(page, g, IDC_EXTRA_COMBO, 8, half, right - LAYOUT_MARGIN);
    PlaceOnRow(page, g, IDC_FILE_LABEL, 9, LAYOUT_INDENT, half);
    PlaceOnRow(page, g, IDC_FILE_EDIT, 9, half, right - LAYOUT_MARGIN - 2 * g.Row);
    PlaceOnRow(page, g, IDC_BROWSE, 9, right - LAYOUT_MARGIN - 2 * g.Row + 2, right - LAYOUT_MARGIN);
    PlaceOnRow(page, g, IDC_FIELD_MAPPING, 11, half, right);
}

// Shows one target's settings in the page.
void ShowTarget(HWND page, CZemExportOptn* state, int target) {
    CZemPref* pref = state->Sheet;
    state->Shown = target;
    CheckDlgButton(page, IDC_SET_ACTIVE, target == pref->DefaultExport ? BST_CHECKED : BST_UNCHECKED);
    static const UINT kCaptionBases[] = {IDS_DIRECTION_1_BASE, IDS_DIRECTION_2_BASE, IDS_DIRECTION_3_BASE};
    for (int d = 0; d < 3; ++d) SetDlgItemTextA(page, IDC_DIRECTION_1 + d, LoadText(kCaptionBases[d] + target).c_str());
    int direction = pref->Export.Direction[target];
    CheckRadioButton(page, IDC_DIRECTION_1, IDC_DIRECTION_3, IDC_DIRECTION_1 + direction - 1);
    if (direction >= 2) pref->DataOption[target] = 1;
    CheckDataOption(page, pref->DataOption[target]);
    EnableControl(page, IDC_SELECTED_CARDS, direction < 2);
    EnableControl(page, IDC_DIRECTION_2, target != kWindowsCE);
    EnableControl(page, IDC_DIRECTION_3, target != kWindowsCE);
    if (target == kPalm) ShowPalmSettings(page, pref);
    if (target == kAct) ShowActSettings(page, pref);
    ShowTargetControls(page, target);
    Layout(page);
}

void OnInitPage(HWND page, CZemExportOptn* state) {
    CZemPref* pref = state->Sheet;
    lstrcpynA(state->IniPath, pref->IniPath, sizeof(state->IniPath));
    pref->PalmMode = GetZemConduitState() == CONDUIT_ZEMSYNC ? 0 : 1;
    HWND combo = GetDlgItem(page, IDC_TARGET);
    int selected = 0;
    for (int i = 0; i < pref->Export.Count; ++i) {
        int target = pref->Export.Target[i];
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadText(IDS_TARGET_BASE + target).c_str()));
        if (target == pref->DefaultExport) selected = i;
    }
    state->Shown = -1;
    if (pref->Export.Count == 0) {
        for (int id = IDC_SET_ACTIVE; id <= IDC_FIELD_MAPPING; ++id) EnableControl(page, id, false);
        ShowTargetControls(page, kMobilePhone);
        ShowControl(page, IDC_FIELD_MAPPING, false);
        return;
    }
    SendMessageA(combo, CB_SETCURSEL, selected, 0);
    ShowTarget(page, state, pref->Export.Target[selected]);
}

void OnPalmMode(HWND page, CZemExportOptn* state, int mode) {
    state->Sheet->PalmMode = mode;
    if (mode == 0) {
        CheckRadioButton(page, IDC_DIRECTION_1, IDC_DIRECTION_3, IDC_DIRECTION_1);
        EnableControl(page, IDC_SELECTED_CARDS, true);
        state->Sheet->Export.Direction[state->Shown] = 1;
    }
    EnablePalmDirections(page, mode);
}

// The dialog may give a path longer than the setting holds: it is refused with a message
// rather than kept cut, which would name another file or none.
void OnBrowseActDatabase(HWND page, CZemPref* pref) {
    char path[1024] = "*.dbf";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = page;
    ofn.lpstrFilter = "ACT! Database File (*.dbf)\0*.dbf\0All Files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof(path);
    ofn.lpstrDefExt = "dbf";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn)) return;
    if (strlen(path) >= sizeof(pref->ActDatabase)) return ShowMessage(page, IDS_ACT_PATH_TOO_LONG, MB_ICONSTOP);
    if (lstrcmpA(path, pref->ActDatabase) == 0) return;
    lstrcpynA(pref->ActDatabase, path, sizeof(pref->ActDatabase));
    SetDlgItemTextA(page, IDC_FILE_EDIT, pref->ActDatabase);
}

void OnTargetChange(HWND page, CZemExportOptn* state) {
    int index = static_cast<int>(SendDlgItemMessageA(page, IDC_TARGET, CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= state->Sheet->Export.Count) return;
    StoreRadioStates(page, state);
    ShowTarget(page, state, state->Sheet->Export.Target[index]);
}

void OnExtraCombo(HWND page, CZemExportOptn* state) {
    int index = static_cast<int>(SendDlgItemMessageA(page, IDC_EXTRA_COMBO, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    if (state->Shown == kPalm) state->Sheet->PalmUser = index;
    if (state->Shown == kAct) state->Sheet->ActVersion = index;
}

void OnCommand(HWND page, CZemExportOptn* state, int id, int code) {
    if (id == IDC_TARGET && code == CBN_SELCHANGE) return OnTargetChange(page, state);
    if (id == IDC_EXTRA_COMBO && code == CBN_SELCHANGE) return OnExtraCombo(page, state);
    if (code != BN_CLICKED || state->Shown < 0) return;
    CZemPref* pref = state->Sheet;
    switch (id) {
    case IDC_SET_ACTIVE:
        if (IsDlgButtonChecked(page, IDC_SET_ACTIVE) == BST_CHECKED) pref->DefaultExport = state->Shown;
        break;
    case IDC_DIRECTION_1:
    case IDC_DIRECTION_2:
    case IDC_DIRECTION_3: ApplyDirection(page, state, id - IDC_DIRECTION_1 + 1); break;
    case IDC_ALL_CARDS:
    case IDC_SELECTED_CARDS: pref->DataOption[state->Shown] = id - IDC_ALL_CARDS + 1; break;
    case IDC_PALM_HANDHELD: OnPalmMode(page, state, 0); break;
    case IDC_PALM_DESKTOP: OnPalmMode(page, state, 1); break;
    case IDC_BROWSE: OnBrowseActDatabase(page, pref); break;
    case IDC_FIELD_MAPPING: RunFieldMapDialog(page, state->Shown, state->IniPath); break;
    default: break;
    }
}

// The radio states of the target shown last are kept when the page goes.
bool OnDestroy(HWND page, CZemExportOptn* state, UINT message, LPARAM) {
    if (message == WM_DESTROY && state) StoreRadioStates(page, state);
    return false;
}

}  // namespace

INT_PTR CALLBACK ExportOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    static const PageHandlers<CZemExportOptn> handlers = {OnInitPage, Layout, OnCommand, OnDestroy};
    return HandlePageMessage(handlers, page, message, wParam, lParam);
}
