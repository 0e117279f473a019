// The Page Setup dialog: the page style (paper, margins, grid, gaps) picked, edited, added
// and removed, the label template picked or edited, and a live preview of the page. Lengths
// are shown in inches with three decimals and kept in thousandths of an inch.
#include "print.h"
#include "shell.h"
#include "views.h"
#include "resource.h"
#include <initializer_list>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define BUILT_IN_STYLES 18
#define LENGTH_MAX      99000
#define GRID_MAX        99
#define LENGTH_STEP     100

// The eight edits, the Update and Delete buttons and the six up-downs: the controls that
// change a style.
static const int kStyleEditors[] = {IDC_PAPER_HEIGHT, IDC_PAPER_WIDTH, IDC_TOP_MARGIN, IDC_LEFT_MARGIN,
                                    IDC_COLUMNS,      IDC_ROWS,        IDC_ROW_GAP,    IDC_COLUMN_GAP,
                                    IDC_UPDATE_STYLE, IDC_DELETE_STYLE};

static void EnableStyleEditing(HWND dialog, BOOL enable) {
    for (int id : kStyleEditors) EnableWindow(GetDlgItem(dialog, id), enable);
    for (int id = IDC_TOP_MARGIN_SPIN; id <= IDC_COLUMN_GAP_SPIN; ++id) EnableWindow(GetDlgItem(dialog, id), enable);
}

static int SelectedStyle(void) {
    return App.Print.SelectedLayout < App.Print.LayoutCount ? App.Print.SelectedLayout : -1;
}

// Built-in styles are shown read-only, and so is the dialog without any style.
static void EnableEditingFor(HWND dialog, int index, int builtIn) {
    EnableStyleEditing(dialog, index >= builtIn && index < App.Print.LayoutCount);
}

static void ShowLength(HWND dialog, int id, int value) {
    char text[24];
    snprintf(text, sizeof text, "%d.%.3d", value / 1000, value % 1000);
    SetDlgItemTextA(dialog, id, text);
}

// The up-downs' own form: "2.0" for 2000, "0.500" for 500.
static void ShowSteppedLength(HWND dialog, int id, int value) {
    char text[24];
    int whole = value / 1000, thousandths = value % 1000;
    if (thousandths) snprintf(text, sizeof text, "%d.%.3d", whole, thousandths);
    else snprintf(text, sizeof text, "%d.0", whole);
    SetDlgItemTextA(dialog, id, text);
}

static void ShowStyleValues(HWND dialog, const PAPERLAYOUTRECORD* r) {
    ShowLength(dialog, IDC_PAPER_HEIGHT, r->PaperHeight);
    ShowLength(dialog, IDC_PAPER_WIDTH, r->PaperWidth);
    ShowLength(dialog, IDC_TOP_MARGIN, r->TopMargin);
    ShowLength(dialog, IDC_LEFT_MARGIN, r->LeftMargin);
    ShowLength(dialog, IDC_ROW_GAP, r->RowGap);
    ShowLength(dialog, IDC_COLUMN_GAP, r->ColumnGap);
    SetDlgItemInt(dialog, IDC_COLUMNS, r->Columns, FALSE);
    SetDlgItemInt(dialog, IDC_ROWS, r->Rows, FALSE);
    ShowLength(dialog, IDC_LABEL_HEIGHT, r->LabelHeight);
    ShowLength(dialog, IDC_LABEL_WIDTH, r->LabelWidth);
}

static void ShowSelectedStyle(HWND dialog) {
    PAPERLAYOUTRECORD* r = LockLayout(SelectedStyle());
    if (!r) return;
    ShowStyleValues(dialog, r);
    UnlockLayouts();
}

static int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// A typed length: digits and '.' only, else the stored value stays.
static int ReadLength(HWND dialog, int id, int stored, int rounding) {
    char text[32];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    if (!text[0] || strspn(text, "0123456789.") != strlen(text)) return stored;
    double value = atof(text) * 1000 + (rounding ? 0.5 : 0);
    return value > 2e9 ? 2000000000 : (int)value;
}

static int ReadCount(HWND dialog, int id, int stored) {
    char text[32];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    if (!text[0] || strspn(text, "0123456789") != strlen(text)) return stored;
    return Clamp(atoi(text), 1, GRID_MAX);
}

// Every cell keeps at least one thousandth: margins and gaps leave room for the grid.
static void LimitMarginsAndGaps(PAPERLAYOUTRECORD* r) {
    int topLimit = (r->PaperHeight - r->RowGap * (r->Rows - 1) - r->Rows) / 2;
    int leftLimit = (r->PaperWidth - r->ColumnGap * (r->Columns - 1) - r->Columns) / 2;
    r->TopMargin = Clamp(r->TopMargin, 0, topLimit < 0 ? 0 : topLimit);
    r->LeftMargin = Clamp(r->LeftMargin, 0, leftLimit < 0 ? 0 : leftLimit);
    int rowGapLimit = r->Rows >= 2 ? (r->PaperHeight - 2 * r->TopMargin) / (r->Rows - 1) : 0;
    int columnGapLimit = r->Columns >= 2 ? (r->PaperWidth - 2 * r->LeftMargin) / (r->Columns - 1) : 0;
    r->RowGap = Clamp(r->RowGap, 0, rowGapLimit < 0 ? 0 : rowGapLimit);
    r->ColumnGap = Clamp(r->ColumnGap, 0, columnGapLimit < 0 ? 0 : columnGapLimit);
}

static void ComputeLabelSize(PAPERLAYOUTRECORD* r) {
    r->LabelHeight = (r->PaperHeight - 2 * r->TopMargin - r->RowGap * (r->Rows - 1)) / r->Rows;
    r->LabelWidth = (r->PaperWidth - 2 * r->LeftMargin - r->ColumnGap * (r->Columns - 1)) / r->Columns;
}

// The shown values, read into a style record (values that are not numbers keep its own).
static void ReadShownValues(HWND dialog, PAPERLAYOUTRECORD* r) {
    r->PaperHeight = Clamp(ReadLength(dialog, IDC_PAPER_HEIGHT, r->PaperHeight, 1), 1, LENGTH_MAX);
    r->PaperWidth = Clamp(ReadLength(dialog, IDC_PAPER_WIDTH, r->PaperWidth, 1), 1, LENGTH_MAX);
    r->Columns = (uint8_t)ReadCount(dialog, IDC_COLUMNS, r->Columns ? r->Columns : 1);
    r->Rows = (uint8_t)ReadCount(dialog, IDC_ROWS, r->Rows ? r->Rows : 1);
    r->TopMargin = Clamp(ReadLength(dialog, IDC_TOP_MARGIN, r->TopMargin, 1), 0, LENGTH_MAX);
    r->LeftMargin = Clamp(ReadLength(dialog, IDC_LEFT_MARGIN, r->LeftMargin, 1), 0, LENGTH_MAX);
    r->RowGap = Clamp(ReadLength(dialog, IDC_ROW_GAP, r->RowGap, 1), 0, LENGTH_MAX);
    r->ColumnGap = Clamp(ReadLength(dialog, IDC_COLUMN_GAP, r->ColumnGap, 1), 0, LENGTH_MAX);
    LimitMarginsAndGaps(r);
    ComputeLabelSize(r);
}

static void RepaintPreview(void) {
    if (App.Print.PreviewWindow) InvalidateRect(App.Print.PreviewWindow, NULL, TRUE);
}

// The page's shape fitted into the preview area of the dialog, centred.
static void FitPreviewWindow(HWND dialog, HWND preview) {
    RECT area = {6, 4, 156, 200};
    MapDialogRect(dialog, &area);
    InflateRect(&area, -4, -4);
    int width = area.right - area.left - 2, height = area.bottom - area.top - 2;
    if (App.Print.PaperWidth > 0 && App.Print.PaperHeight > 0 && width > 0) {
        double ratio = (double)App.Print.PaperHeight / App.Print.PaperWidth;
        if ((double)height / width < ratio) {
            int fitted = (int)(height / ratio + 0.5);
            area.left += (width - fitted) / 2;
            width = fitted;
        } else {
            int fitted = (int)(width * ratio + 0.5);
            area.top += (height - fitted) / 2;
            height = fitted;
        }
    }
    MoveWindow(preview, area.left, area.top, width + 2, height + 2, TRUE);
}

static HWND CreatePreviewWindow(HWND dialog) {
    if (!App.Print.Template.Block) LoadSelectedLayout();
    HWND preview = CreateWindowExA(0, "IMC_Preview20", "", WS_CHILD | WS_BORDER, 0, 0, 10, 10, dialog,
                                   (HMENU)IDC_PREVIEW_WINDOW, App.Instance, NULL);
    if (preview) {
        FitPreviewWindow(dialog, preview);
        ShowWindow(preview, SW_SHOW);
    }
    return preview;
}

static void DestroyPreviewWindow(void) {
    if (App.Print.PreviewWindow) DestroyWindow(App.Print.PreviewWindow);
    App.Print.PreviewWindow = NULL;
}

// Applies a style and shows it: its values, its page's shape and its cells.
static void ShowStyle(HWND dialog, int index) {
    ApplyPaperLayout(index);
    if (App.Print.PreviewWindow) FitPreviewWindow(dialog, App.Print.PreviewWindow);
    RepaintPreview();
    ShowSelectedStyle(dialog);
}

// The style list filled from a freshly loaded table, the stored selection chosen.
static void FillStyleList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_STYLE_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < App.Print.LayoutCount; ++i) {
        PAPERLAYOUTRECORD* r = LockLayout(i);
        if (!r) break;
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)r->Name);
        UnlockLayouts();
    }
    SendMessageA(list, CB_SETCURSEL, SelectedStyle(), 0);
    EnableWindow(GetDlgItem(dialog, IDC_EDIT_TEMPLATE), App.Print.LayoutCount >= 1);
}

// Stores the shown values into the selected style and applies them.
static void Recompute(HWND dialog) {
    PAPERLAYOUTRECORD* r = LockLayout(SelectedStyle());
    if (!r) return;
    ReadShownValues(dialog, r);
    ShowStyleValues(dialog, r);
    UnlockLayouts();
    ApplyPaperLayout(SelectedStyle());
    RepaintPreview();
}

static void OnInitPageSetup(HWND dialog) {
    App.Print.PageSetupModified = 0;
    CenterWindowOnScreen(dialog);
    App.Print.PreviewWindow = CreatePreviewWindow(dialog);
    LoadRcDataResource(App.Instance, IDR_PRINT_FIELDS, App.Print.PrintableFieldIds, sizeof App.Print.PrintableFieldIds);
    if (App.Print.LayoutTable) GlobalFree(App.Print.LayoutTable);
    App.Print.LayoutTable = NULL;
    App.Print.LayoutCount = 0;
    LoadSelectedLayout();
    if (App.Print.PreviewWindow) FitPreviewWindow(dialog, App.Print.PreviewWindow);
    FillStyleList(dialog);
    FillTemplateList(dialog, IDC_TEMPLATE_LIST);
    for (int id = IDC_TOP_MARGIN_SPIN; id <= IDC_COLUMN_GAP_SPIN; ++id) {
        SendDlgItemMessageA(dialog, id, UDM_SETRANGE, 0, MAKELPARAM(99, -99));
        SendDlgItemMessageA(dialog, id, UDM_SETPOS, 0, 0);
    }
    ShowSelectedStyle(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
    EnableEditingFor(dialog, SelectedStyle(), BUILT_IN_STYLES);
    CheckDlgButton(dialog, IDC_PREVIEW_CHECK, BST_CHECKED);
    App.Print.PreviewMode = 2;
    ShowTemplateHeaderFooter(dialog);
    for (int id : {IDC_PAPER_HEIGHT, IDC_PAPER_WIDTH, IDC_TOP_MARGIN, IDC_LEFT_MARGIN, IDC_ROW_GAP, IDC_COLUMN_GAP})
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 6, 0);
    SendDlgItemMessageA(dialog, IDC_COLUMNS, EM_LIMITTEXT, 2, 0);
    SendDlgItemMessageA(dialog, IDC_ROWS, EM_LIMITTEXT, 2, 0);
}

// One step of an up-down: a tenth of an inch for lengths, one for columns and rows.
static void OnSpin(HWND dialog, const NMUPDOWN* change) {
    int spin = (int)change->hdr.idFrom;
    static const int kBuddies[] = {IDC_TOP_MARGIN, IDC_LEFT_MARGIN, IDC_COLUMNS, IDC_ROWS, IDC_ROW_GAP, IDC_COLUMN_GAP};
    int buddy = kBuddies[spin - IDC_TOP_MARGIN_SPIN];
    int direction = change->iDelta < 0 ? -1 : 1;
    SendDlgItemMessageA(dialog, spin, UDM_SETPOS, 0, 0);
    PAPERLAYOUTRECORD* r = LockLayout(SelectedStyle());
    if (!r) return;
    if (buddy == IDC_COLUMNS || buddy == IDC_ROWS) {
        int value =
            Clamp(ReadCount(dialog, buddy, buddy == IDC_COLUMNS ? r->Columns : r->Rows) + direction, 1, GRID_MAX);
        SetDlgItemInt(dialog, buddy, value, FALSE);
    } else {
        PAPERLAYOUTRECORD limited = *r;
        int* field = buddy == IDC_TOP_MARGIN    ? &limited.TopMargin
                     : buddy == IDC_LEFT_MARGIN ? &limited.LeftMargin
                     : buddy == IDC_ROW_GAP     ? &limited.RowGap
                                                : &limited.ColumnGap;
        *field = Clamp(ReadLength(dialog, buddy, *field, 0) + direction * LENGTH_STEP, 0, LENGTH_MAX);
        LimitMarginsAndGaps(&limited);
        ShowSteppedLength(dialog, buddy, *field);
    }
    UnlockLayouts();
    Recompute(dialog);
}

static void OnStyleChosen(HWND dialog) {
    int index = (int)SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0);
    if (index < 0) return;
    EnableEditingFor(dialog, index, ReadSettingInt("PaperLayout", "DefaultCount", BUILT_IN_STYLES));
    ShowStyle(dialog, index);
    App.Print.PageSetupModified = 1;
}

static void OnUpdateStyle(HWND dialog) {
    if (SelectedStyle() < 0) return;
    Recompute(dialog);
    SavePaperLayouts();
    ShowStyle(dialog, SelectedStyle());
    App.Print.PageSetupModified = 0;
}

static int StyleNameExists(const char* name) {
    for (int i = 0; i < App.Print.LayoutCount; ++i) {
        PAPERLAYOUTRECORD* r = LockLayout(i);
        if (!r) return 0;
        int same = strcmp(r->Name, name) == 0;
        UnlockLayouts();
        if (same) return 1;
    }
    return 0;
}

static void OnSaveStyleAs(HWND dialog) {
    char name[65];
    if (!AskLayoutName(dialog, name, sizeof name)) return;
    MakeStorableLayoutName(name);
    if (StyleNameExists(name)) {
        MessageBoxFromStringId(dialog, IDS_NAME_EXISTS, "Error!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    PAPERLAYOUTRECORD copy;
    memset(&copy, 0, sizeof copy);
    if (PAPERLAYOUTRECORD* selected = LockLayout(SelectedStyle())) {
        copy = *selected;
        UnlockLayouts();
    }
    ReadShownValues(dialog, &copy);
    lstrcpynA(copy.Name, name, sizeof copy.Name);
    if (!AddPaperLayout(&copy)) return;
    int index = App.Print.LayoutCount - 1;
    SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_ADDSTRING, 0, (LPARAM)copy.Name);
    SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_SETCURSEL, index, 0);
    ShowStyle(dialog, index);
    EnableStyleEditing(dialog, TRUE);
    App.Print.PageSetupModified = 1;
}

static void OnDeleteStyle(HWND dialog) {
    int index = SelectedStyle();
    if (index < 0 || !RemovePaperLayout(index)) return;
    SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_DELETESTRING, index, 0);
    if (index >= App.Print.LayoutCount) index = App.Print.LayoutCount - 1;
    SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_SETCURSEL, index, 0);
    if (index >= 0) ShowStyle(dialog, index);
    else App.Print.SelectedLayout = LAYOUT_NONE;
    EnableEditingFor(dialog, index, BUILT_IN_STYLES);
    App.Print.PageSetupModified = 1;
}

static void OnTemplateChosen(HWND dialog) {
    int index = (int)SendDlgItemMessageA(dialog, IDC_TEMPLATE_LIST, CB_GETCURSEL, 0, 0);
    if (index < 0) return;
    App.Print.SelectedTemplate = index;
    LoadTemplate(index);
    ShowTemplateHeaderFooter(dialog);
    RepaintPreview();
    App.Print.PageSetupModified = 1;
}

static void OnEditTemplate(HWND dialog) {
    int remembered = App.Print.SelectedTemplate;
    RunModalDialog(dialog, 0, IDD_TEMPLATE_EDITOR, LayoutEditorDlgProc);
    FillTemplateList(dialog, IDC_TEMPLATE_LIST);
    if (remembered >= 0 && remembered < ReadSettingInt("Template", "Count", 0)) App.Print.SelectedTemplate = remembered;
    SendDlgItemMessageA(dialog, IDC_TEMPLATE_LIST, CB_SETCURSEL, App.Print.SelectedTemplate, 0);
    LoadTemplate(App.Print.SelectedTemplate);
    ShowTemplateHeaderFooter(dialog);
    RepaintPreview();
    App.Print.PageSetupModified = 1;
}

// OK in one of the value fields takes that value (as Enter does) and keeps the dialog open.
static void OnOk(HWND dialog) {
    int focus = GetDlgCtrlID(GetFocus());
    if (focus >= IDC_PAPER_HEIGHT && focus <= IDC_COLUMN_GAP && GetParent(GetFocus()) == dialog) {
        Recompute(dialog);
        if (App.Print.PreviewWindow) FitPreviewWindow(dialog, App.Print.PreviewWindow);
        return;
    }
    SavePaperLayouts();
    DestroyPreviewWindow();
    EndDialog(dialog, IDOK);
}

static void OnPageSetupCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_STYLE_LIST:
        if (code == CBN_SELCHANGE || code == CBN_DBLCLK) OnStyleChosen(dialog);
        break;
    case IDC_TEMPLATE_LIST:
        if (code == CBN_SELCHANGE || code == CBN_DBLCLK) OnTemplateChosen(dialog);
        break;
    case IDC_UPDATE_STYLE: OnUpdateStyle(dialog); break;
    case IDC_SAVE_STYLE_AS: OnSaveStyleAs(dialog); break;
    case IDC_DELETE_STYLE: OnDeleteStyle(dialog); break;
    case IDC_EDIT_TEMPLATE: OnEditTemplate(dialog); break;
    case IDC_PREVIEW_CHECK:
        App.Print.PreviewMode = IsDlgButtonChecked(dialog, IDC_PREVIEW_CHECK) ? 2 : 0;
        RepaintPreview();
        break;
    case IDOK: OnOk(dialog); break;
    case IDCANCEL:
        if (App.Print.LayoutTable) GlobalFree(App.Print.LayoutTable);
        App.Print.LayoutTable = NULL;
        App.Print.LayoutCount = 0;
        DestroyPreviewWindow();
        EndDialog(dialog, IDCANCEL);
        break;
    }
}

INT_PTR CALLBACK PageSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitPageSetup(dialog); return FALSE;
    case WM_COMMAND: OnPageSetupCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = (const NMHDR*)lParam;
        if (header->code == UDN_DELTAPOS && header->idFrom >= IDC_TOP_MARGIN_SPIN &&
            header->idFrom <= IDC_COLUMN_GAP_SPIN) {
            OnSpin(dialog, (const NMUPDOWN*)lParam);
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);  // the position stays at 0
            return TRUE;
        }
        return FALSE;
    }
    case WM_CLOSE:
        if (App.Print.PageSetupModified) LoadSelectedLayout();
        DestroyPreviewWindow();
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}
