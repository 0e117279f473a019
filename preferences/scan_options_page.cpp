// CZemScanOptn, "Scan Options": the scanner's own dialog or a quick scan with our resolution
// and image type, and how cards are turned upright.
#include "preference_pages.h"
#include "page_layout.h"
#include "prefer_resources.h"

namespace {

const int kDoNotRotate = 4;

void FillCombo(HWND page, int id, const char* const* texts, int count, int selected) {
    HWND combo = GetDlgItem(page, id);
    for (int i = 0; i < count; ++i) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
    SendMessageA(combo, CB_SETCURSEL, selected, 0);
}

void FillComboFromStrings(HWND page, int id, UINT firstString, int count, int selected) {
    std::string texts[8];
    const char* pointers[8];
    for (int i = 0; i < count; ++i) {
        texts[i] = LoadText(firstString + i);
        pointers[i] = texts[i].c_str();
    }
    FillCombo(page, id, pointers, count, selected);
}

// With the scanner's own dialog the scanner picks resolution and image type; the two
// batch options only mean something there.
void EnableForTwainUI(HWND page, bool twainUI) {
    EnableControl(page, IDC_RESOLUTION, !twainUI);
    EnableControl(page, IDC_IMAGE_TYPE, !twainUI);
    EnableControl(page, IDC_KEEP_DIALOG, twainUI);
    EnableControl(page, IDC_SCAN_MULTIPLE, twainUI);
}

int OrientationShown(const CZemPref* pref) {
    return pref->AutoRotate || pref->AngleIndex != 0 ? pref->AngleIndex : kDoNotRotate;
}

void OnInitPage(HWND page, CZemScanOptn* state) {
    CZemPref* pref = state->Sheet;
    static const char* const kResolutions[] = {"600", "400", "300"};
    FillCombo(page, IDC_RESOLUTION, kResolutions, 3, pref->Resolution);
    FillComboFromStrings(page, IDC_IMAGE_TYPE, IDS_IMAGE_TYPE_BASE, 3, pref->ImageType);
    FillComboFromStrings(page, IDC_ORIENTATION, IDS_ORIENTATION_BASE, 5, OrientationShown(pref));
    CheckRadioButton(page, IDC_TWAIN_UI, IDC_QUICK_SCAN, pref->ShowTwainUI ? IDC_TWAIN_UI : IDC_QUICK_SCAN);
    CheckDlgButton(page, IDC_KEEP_DIALOG, pref->KeepDialog ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_SCAN_MULTIPLE, pref->ScanMultiple ? BST_CHECKED : BST_UNCHECKED);
    EnableForTwainUI(page, pref->ShowTwainUI != 0);
}

void OnOrientation(CZemPref* pref, int index) {
    if (index < 0) return;
    pref->AutoRotate = index == 0;
    pref->AngleIndex = index >= 1 && index <= 3 ? index : 0;
}

void OnCommand(HWND page, CZemScanOptn* state, int id, int code) {
    CZemPref* pref = state->Sheet;
    int selection = static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0));
    switch (id) {
    case IDC_TWAIN_UI:
    case IDC_QUICK_SCAN:
        if (code != BN_CLICKED) return;
        if ((id == IDC_TWAIN_UI) == (pref->ShowTwainUI != 0)) return;
        pref->ShowTwainUI = id == IDC_TWAIN_UI;
        EnableForTwainUI(page, pref->ShowTwainUI != 0);
        break;
    case IDC_KEEP_DIALOG:
        if (code == BN_CLICKED) pref->KeepDialog = !pref->KeepDialog;
        break;
    case IDC_SCAN_MULTIPLE:
        if (code == BN_CLICKED) pref->ScanMultiple = !pref->ScanMultiple;
        break;
    case IDC_RESOLUTION:
        if (code == CBN_SELCHANGE && selection >= 0) pref->Resolution = selection;
        break;
    case IDC_IMAGE_TYPE:
        if (code == CBN_SELCHANGE && selection >= 0) pref->ImageType = selection;
        break;
    case IDC_ORIENTATION:
        if (code == CBN_SELCHANGE) OnOrientation(pref, selection);
        break;
    default: break;
    }
}

void Layout(HWND page) {
    PageGrid g = GridOf(page);
    int half = g.Width / 2, right = g.Width - LAYOUT_MARGIN;
    PlaceOnRow(page, g, IDC_TWAIN_UI, 0, LAYOUT_MARGIN, right);
    PlaceOnRow(page, g, IDC_KEEP_DIALOG, 1, LAYOUT_INDENT, right);
    PlaceOnRow(page, g, IDC_SCAN_MULTIPLE, 2, LAYOUT_INDENT, right);
    PlaceOnRow(page, g, IDC_QUICK_SCAN, 4, LAYOUT_MARGIN, right);
    PlaceOnRow(page, g, IDC_RESOLUTION_LBL, 5, LAYOUT_INDENT, half);
    PlaceComboOnRow(page, g, IDC_RESOLUTION, 5, half, right);
    PlaceOnRow(page, g, IDC_IMAGE_TYPE_LBL, 6, LAYOUT_INDENT, half);
    PlaceComboOnRow(page, g, IDC_IMAGE_TYPE, 6, half, right);
    PlaceOnRow(page, g, IDC_ORIENT_LBL, 8, LAYOUT_MARGIN, half);
    PlaceComboOnRow(page, g, IDC_ORIENTATION, 8, half, right);
}

}  // namespace

INT_PTR CALLBACK ScanOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    static const PageHandlers<CZemScanOptn> handlers = {OnInitPage, Layout, OnCommand, nullptr};
    return HandlePageMessage(handlers, page, message, wParam, lParam);
}
