// The label template editor: one label of the selected template on a canvas, the tool
// buttons, the font dialog, the header and footer, and the template list with Save As and
// Delete. Changes stay in memory until OK or Save As writes the template.
#include "template_editor.h"
#include "shell.h"
#include "views.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define FIRST_DELETABLE 5
#define TOOL_BUTTONS    16
#define TEXT_LIMIT      63

// The canvas takes the label's shape of the selected page style, centred in its area.
static void FitCanvas(void) {
    PAPERLAYOUTRECORD* style = LockLayout(App.Print.SelectedLayout);
    if (!style) return;
    double ratio = style->LabelWidth > 0 ? (double)style->LabelHeight / style->LabelWidth : 1;
    UnlockLayouts();
    RECT r = App.Print.CanvasArea;
    InflateRect(&r, -4, -4);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width > 0 && (double)height / width < ratio) {
        int fitted = (int)(height / ratio + 0.5);
        r.left += (width - fitted) / 2;
        width = fitted;
    } else {
        int fitted = (int)(width * ratio + 0.5);
        r.top += (height - fitted) / 2;
        height = fitted;
    }
    MoveWindow(App.Print.CanvasWindow, r.left, r.top, width, height, TRUE);
}

// One row of 20 x 20 tool buttons above the canvas, in groups, then the font button.
static void PlaceToolButtons(HWND dialog) {
    int y = (App.Print.CanvasArea.top - 21) / 2, x = App.Print.CanvasArea.left;
    for (int id = IDC_ALIGN_LEFT; id < IDC_ALIGN_LEFT + TOOL_BUTTONS; ++id) {
        MoveWindow(GetDlgItem(dialog, id), x, y, 20, 20, FALSE);
        x += 21;
        if (id == 1029 || id == 1031 || id == 1034 || id == 1038 || id == 1039) x += 24;
    }
    MoveWindow(GetDlgItem(dialog, IDC_FONT_BUTTON), x, y, 40, 20, FALSE);
}

void UpdateEditorButtons(void) {
    HWND dialog = Editor.Dialog;
    if (!dialog) return;
    int selected = SelectedItemCount(), focused = GetFocusedLayoutItem() != LAYOUT_NONE;
    for (int id = IDC_ALIGN_LEFT; id <= IDC_SELECT_ALL; ++id) {
        BOOL enable;
        if (selected >= 3) enable = TRUE;
        else if (selected == 2) enable = id != IDC_DISTRIBUTE_DOWN && id != IDC_DISTRIBUTE_ACROSS;
        else if (!focused) enable = id == IDC_SELECT_ALL;
        else enable = id >= IDC_TEXT_LEFT;
        EnableWindow(GetDlgItem(dialog, id), enable);
    }
    EnableWindow(GetDlgItem(dialog, IDC_FONT_BUTTON), selected >= 2 || focused);
}

static void EnableDeleteFor(HWND dialog, int index) {
    EnableWindow(GetDlgItem(dialog, IDC_DELETE_TEMPLATE), index >= FIRST_DELETABLE);
}

static void ShowHeaderFooterEdits(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_TEMPLATE_HEADER, App.Print.Header);
    SetDlgItemTextA(dialog, IDC_TEMPLATE_FOOTER, App.Print.Footer);
}

static void OnInitEditor(HWND dialog) {
    Editor.Dialog = dialog;
    Editor.DragMode = DRAG_NONE;
    CenterWindowOnScreen(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
    FillTemplateList(dialog, IDC_TEMPLATE_NAMES);
    EnableDeleteFor(dialog, App.Print.SelectedTemplate);
    SetRect(&App.Print.CanvasArea, 4, 18, 192, 166);
    MapDialogRect(dialog, &App.Print.CanvasArea);
    App.Print.CanvasWindow = CreateWindowExA(0, "IMC_EditLayout20", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, dialog,
                                             (HMENU)IDC_LAYOUT_CANVAS, App.Instance, NULL);
    FitCanvas();
    PlaceToolButtons(dialog);
    SetFocusedLayoutItem(LAYOUT_NONE);
    EmptySelection();
    UpdateEditorButtons();
    ShowHeaderFooterEdits(dialog);
    SendDlgItemMessageA(dialog, IDC_TEMPLATE_HEADER, EM_LIMITTEXT, TEXT_LIMIT, 0);
    SendDlgItemMessageA(dialog, IDC_TEMPLATE_FOOTER, EM_LIMITTEXT, TEXT_LIMIT, 0);
}

static void PaintEditor(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawSunkenFrame(dc, App.Print.CanvasArea.left, App.Print.CanvasArea.top, App.Print.CanvasArea.right,
                    App.Print.CanvasArea.bottom, 0);
    if (App.Print.CanvasWindow) {
        RECT canvas;
        GetWindowRect(App.Print.CanvasWindow, &canvas);
        MapWindowPoints(NULL, dialog, (POINT*)&canvas, 2);
        OffsetRect(&canvas, 2, 2);
        FillRect(dc, &canvas, (HBRUSH)GetStockObject(DKGRAY_BRUSH));
    }
    EndPaint(dialog, &paint);
}

// The tool buttons' pictures: enabled b + 306, pushed b + 346, disabled b + 326.
static void DrawToolButton(const DRAWITEMSTRUCT* item) {
    int id = (int)item->CtlID;
    int normal = id == IDC_FONT_BUTTON ? 1346 : id + 306;
    int picture = (item->itemState & ODS_DISABLED)   ? normal + 20
                  : (item->itemState & ODS_SELECTED) ? normal + 40
                                                     : normal;
    RECT r = item->rcItem;
    r.right -= 1;
    r.bottom -= 1;
    DrawBitmapResourceCentered(item->hDC, picture, &r);
}

static int ScreenPointsToHeight(int points) {
    int dpi = App.DisplayDpiY > 0 ? App.DisplayDpiY : 96;
    return (points * dpi + 36) / 72;
}

// The font dialog on the focused item's font (with a selection: the first item's, in black);
// the chosen font and colour go to the focused item or every selected one.
static void OnChooseFont(HWND dialog) {
    int focused = GetFocusedLayoutItem();
    if (focused == LAYOUT_NONE && SelectedItemCount() == 0) return;
    LOGFONTA font;
    uint32_t colour = 0;
    GetLayoutItemProperty(focused != LAYOUT_NONE ? focused : 0, LAYOUT_FONT, &font);
    if (focused != LAYOUT_NONE) GetLayoutItemProperty(focused, LAYOUT_COLOUR, &colour);
    int points = font.lfHeight;
    font.lfHeight = ScreenPointsToHeight(points);
    CHOOSEFONTA choice;
    memset(&choice, 0, sizeof choice);
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.lpLogFont = &font;
    choice.iPointSize = points * 10;
    choice.rgbColors = colour;
    choice.Flags = CF_SCREENFONTS | CF_TTONLY | CF_EFFECTS | CF_SCRIPTSONLY | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&choice) || choice.iPointSize <= 0) return;
    font.lfHeight = (choice.iPointSize + 5) / 10;
    uint32_t chosen = choice.rgbColors;
    if (focused != LAYOUT_NONE) {
        SetLayoutItemProperty(focused, LAYOUT_FONT, &font);
        SetLayoutItemProperty(focused, LAYOUT_COLOUR, &chosen);
    } else {
        for (int i = 0; i < SelectedItemCount(); ++i) {
            SetLayoutItemProperty(GetSelectedItem(i), LAYOUT_FONT, &font);
            SetLayoutItemProperty(GetSelectedItem(i), LAYOUT_COLOUR, &chosen);
        }
    }
    InvalidateRect(App.Print.CanvasWindow, NULL, TRUE);
}

// A newly listed template replaces the one on the canvas: nothing stays focused or selected from the old one.
static void ShowTemplate(HWND dialog, int index) {
    App.Print.SelectedTemplate = index;
    LoadTemplate(index);
    SetFocusedLayoutItem(LAYOUT_NONE);
    EmptySelection();
    ShowHeaderFooterEdits(dialog);
    EnableDeleteFor(dialog, index);
    UpdateEditorButtons();
    InvalidateRect(App.Print.CanvasWindow, NULL, TRUE);
}

static void OnTemplateChosen(HWND dialog) {
    int index = (int)SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETCURSEL, 0, 0);
    if (index < 0) return;
    ShowTemplate(dialog, index);
}

// The header, footer and chosen template taken into the template state.
static void TakeEditorTexts(HWND dialog) {
    GetDlgItemTextA(dialog, IDC_TEMPLATE_HEADER, App.Print.Header, TEXT_LIMIT + 1);
    GetDlgItemTextA(dialog, IDC_TEMPLATE_FOOTER, App.Print.Footer, TEXT_LIMIT + 1);
    int index = (int)SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETCURSEL, 0, 0);
    if (index >= 0) App.Print.SelectedTemplate = index;
}

static void EndEditor(HWND dialog, int result) {
    if (App.Print.PreviewMode == 2 && App.Print.PreviewWindow) InvalidateRect(App.Print.PreviewWindow, NULL, TRUE);
    App.Print.CanvasWindow = NULL;
    Editor.Dialog = NULL;
    EndDialog(dialog, result);
}

static void OnOk(HWND dialog) {
    TakeEditorTexts(dialog);
    int index = (int)SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETCURSEL, 0, 0);
    if (index >= 0) SaveTemplate(dialog, App.Print.TemplateName, index + 1);
    EndEditor(dialog, IDOK);
}

static int TemplateNameExists(HWND dialog, const char* name) {
    int count = (int)SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char listed[256];
        if (SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETTEXTLEN, i, 0) >= (LRESULT)sizeof listed) continue;
        SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETTEXT, i, (LPARAM)listed);
        if (lstrcmpiA(listed, name) == 0) return 1;
    }
    return 0;
}

static void OnSaveAs(HWND dialog) {
    char name[65];
    if (!AskLayoutName(dialog, name, sizeof name)) return;
    if (TemplateNameExists(dialog, name)) {
        MessageBoxFromStringId(dialog, IDS_NAME_EXISTS, "Error!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    SaveTemplate(dialog, name, -1);
    lstrcpynA(App.Print.TemplateName, name, sizeof App.Print.TemplateName);
    EnableDeleteFor(dialog, App.Print.SelectedTemplate);
}

static void OnDelete(HWND dialog) {
    int index = (int)SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETCURSEL, 0, 0);
    if (index < FIRST_DELETABLE) return;
    SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_DELETESTRING, index, 0);
    DeleteTemplate(index + 1);
    int count = (int)SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_GETCOUNT, 0, 0);
    if (index >= count) index = count - 1;
    SendDlgItemMessageA(dialog, IDC_TEMPLATE_NAMES, LB_SETCURSEL, index, 0);
    ShowTemplate(dialog, index);
}

static void OnEditorCommand(HWND dialog, int id, int code) {
    if (id >= IDC_ALIGN_LEFT && id <= IDC_SELECT_ALL) {
        OnEditorToolCommand(id);
        return;
    }
    switch (id) {
    case IDC_FONT_BUTTON: OnChooseFont(dialog); break;
    case IDC_TEMPLATE_NAMES:
        if (code == LBN_SELCHANGE) OnTemplateChosen(dialog);
        break;
    case IDOK: OnOk(dialog); break;
    case IDCANCEL:
        TakeEditorTexts(dialog);
        EndEditor(dialog, IDCANCEL);
        break;
    case IDC_SAVE_TEMPLATE_AS: OnSaveAs(dialog); break;
    case IDC_DELETE_TEMPLATE: OnDelete(dialog); break;
    }
}

INT_PTR CALLBACK LayoutEditorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitEditor(dialog); return FALSE;
    case WM_COMMAND: OnEditorCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_DRAWITEM: DrawToolButton((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_PAINT: PaintEditor(dialog); return TRUE;
    }
    return FALSE;
}
