#include "field_map_dialog.h"
#include "link_settings.h"
#include "page_layout.h"
#include "prefer_resources.h"
#include "property_list.h"
#include <string.h>

namespace {

const char* SectionOf(const CFieldMapDlg* dialog) { return ferrow::LinkSectionName(dialog->Target); }

// The target's field k (from 1); empty for 0 and for numbers beyond the target's list.
std::string TargetFieldName(int target, int k) {
    TargetFieldList fields = FieldListOf(target);
    return k >= 1 && k <= fields.Count ? LoadText(fields.FirstString + k - 1) : std::string();
}

std::string ChoicesOf(int target) {
    std::string choices;
    TargetFieldList fields = FieldListOf(target);
    for (int k = 1; k <= fields.Count; ++k) choices += TargetFieldName(target, k) + "|";
    return choices;
}

void FillList(HWND window, CFieldMapDlg* dialog) {
    HWND list = GetDlgItem(window, IDC_PROPERTY_LIST);
    std::string choices = ChoicesOf(dialog->Target);
    for (int i = 0; i < MAP_FIELD_COUNT; ++i) {
        auto* item = new PropertyItem{LoadText(IDS_MAP_FIELD_BASE + i), TargetFieldName(dialog->Target, dialog->Map[i]),
                                      0, choices, dialog->Map[i]};
        dialog->Items[i] = item;
        AddProperty(list, item);
    }
}

void EmptyList(HWND window, CFieldMapDlg* dialog) {
    SendDlgItemMessageA(window, IDC_PROPERTY_LIST, LB_RESETCONTENT, 0, 0);
    for (PropertyItem*& item : dialog->Items) {
        delete item;
        item = nullptr;
    }
}

void Layout(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int width = client.right, height = client.bottom, margin = LAYOUT_MARGIN;
    int label = 16, button = 24, buttonWidth = 80;
    PlaceControl(window, IDC_MAP_LABEL, margin, margin, width / 2 - margin, label);
    PlaceControl(window, IDC_TO_LABEL, width / 2, margin, width / 2 - margin, label);
    int listTop = margin + label + 4, listBottom = height - margin - button - margin;
    PlaceControl(window, IDC_PROPERTY_LIST, margin, listTop, width - 2 * margin, listBottom - listTop);
    int buttonTop = height - margin - button;
    PlaceControl(window, IDOK, margin, buttonTop, buttonWidth, button);
    PlaceControl(window, IDCANCEL, margin * 2 + buttonWidth, buttonTop, buttonWidth, button);
    PlaceControl(window, IDC_USE_DEFAULT, width - margin - buttonWidth, buttonTop, buttonWidth, button);
}

// The values the rows show, picked ones included, become the map.
void TakeShownValues(CFieldMapDlg* dialog) {
    for (int i = 0; i < MAP_FIELD_COUNT; ++i)
        if (dialog->Items[i]) dialog->Map[i] = dialog->Items[i]->Value;
}

void OnOk(HWND window, CFieldMapDlg* dialog) {
    TakeShownValues(dialog);
    SaveFieldMap(dialog);
    EndDialog(window, IDOK);
}

// Without a default map the rows keep what they show.
void OnUseDefault(HWND window, CFieldMapDlg* dialog) {
    TakeShownValues(dialog);
    LoadFieldMap(dialog, true);
    EmptyList(window, dialog);
    FillList(window, dialog);
}

INT_PTR CALLBACK FieldMapDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* dialog = reinterpret_cast<CFieldMapDlg*>(GetWindowLongPtrA(window, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        AttachPropertyList(GetDlgItem(window, IDC_PROPERTY_LIST));
        LoadFieldMap(dialog, false);
        FillList(window, dialog);
        Layout(window);
        return TRUE;
    case WM_MEASUREITEM:
        if (wParam == IDC_PROPERTY_LIST) reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = PROPERTY_ROW_HEIGHT;
        return TRUE;
    case WM_DRAWITEM:
        if (wParam == IDC_PROPERTY_LIST)
            DrawPropertyRow(GetDlgItem(window, IDC_PROPERTY_LIST), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SIZE: Layout(window); return TRUE;
    case WM_COMMAND:
        if (!dialog) return TRUE;
        switch (LOWORD(wParam)) {
        case IDC_PROPERTY_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE) OnPropertySelectionChange(GetDlgItem(window, IDC_PROPERTY_LIST));
            break;
        case IDOK: OnOk(window, dialog); break;
        case IDCANCEL: EndDialog(window, IDCANCEL); break;
        case IDC_USE_DEFAULT: OnUseDefault(window, dialog); break;
        default: break;
        }
        return TRUE;
    case WM_DESTROY:
        if (dialog) EmptyList(window, dialog);
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void LoadFieldMap(CFieldMapDlg* dialog, bool useDefault) {
    const char* section = SectionOf(dialog);
    if (!section) return;
    char text[256] = "";
    GetPrivateProfileStringA(section, useDefault ? "DefFieldMap" : "FieldMap", "", text, sizeof(text), dialog->IniPath);
    if (!text[0]) return;
    // The link library reads the same text: one parser keeps the dialog and the links agreed.
    ferrow::FieldMap map = {};
    ferrow::ParseFieldMap(text, &map);
    for (int k = 0; k < MAP_FIELD_COUNT; ++k) dialog->Map[k] = map.id[ferrow::FieldMapSlotTable[k]];
}

void SaveFieldMap(const CFieldMapDlg* dialog) {
    const char* section = SectionOf(dialog);
    if (!section) return;
    std::string text;
    for (int k = 0; k < MAP_FIELD_COUNT; ++k) text += (k ? "," : "") + std::to_string(dialog->Map[k]);
    WritePrivateProfileStringA(section, "FieldMap", text.c_str(), dialog->IniPath);
}

void RunFieldMapDialog(HWND owner, int target, const char* iniPath) {
    if (FieldListOf(target).Count == 0) return;
    CFieldMapDlg dialog = {};
    dialog.Target = target;
    lstrcpynA(dialog.IniPath, iniPath, sizeof(dialog.IniPath));
    DialogBoxParamA(PreferApp.Instance, MAKEINTRESOURCEA(IDD_FIELD_MAP), owner, &FieldMapDialogProc,
                    reinterpret_cast<LPARAM>(&dialog));
}
