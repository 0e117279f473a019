// The template lists of Page Setup (a combo box) and of the template editor (a list box):
// the names of the stored templates, with the selected one chosen.
#include "print.h"
#include "shell.h"
#include "resource.h"
#include <stdio.h>

static int IsComboBox(HWND control) {
    char name[16];
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0;
}

void ShowTemplateHeaderFooter(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_TEMPLATE_HEADER, App.Print.Header);
    SetDlgItemTextA(dialog, IDC_TEMPLATE_FOOTER, App.Print.Footer);
}

void FillTemplateList(HWND dialog, int listId) {
    HWND list = GetDlgItem(dialog, listId);
    int combo = IsComboBox(list);
    SendMessageA(list, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    int count = ReadSettingInt("Template", "Count", 0);
    for (int n = 1; n <= count; ++n) {
        char section[24], name[256];
        snprintf(section, sizeof section, "Template%d", n);
        ReadSettingText(section, "TempName", "", name, sizeof name);
        SendMessageA(list, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, (LPARAM)name);
    }
    // The index is 0-based: the template count itself is already past the last one.
    if (App.Print.SelectedTemplate < 0 || App.Print.SelectedTemplate >= count) {
        App.Print.SelectedTemplate = 0;
        LoadTemplate(0);
    }
    SendMessageA(list, combo ? CB_SETCURSEL : LB_SETCURSEL, App.Print.SelectedTemplate, 0);
    if (combo) ShowTemplateHeaderFooter(dialog);
}
