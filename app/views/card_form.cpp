// The Card Editor's form: one labelled edit per text field of the current card, the date and
// the note. 2017 saves what was changed into the card file, 2018 shows the current card again.
#include "views.h"
#include "shell.h"
#include "resource.h"
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#define FIELD_TABLE_1  1097
#define LENGTH_TABLE_1 1095
#define FIELD_TABLE_2  1108
#define LENGTH_TABLE_2 1110
#define TABLE_ROWS     16  // 15 ids and the closing 0
#define IDC_NOTE       545
#define IDC_DATE       394
#define IDC_ADDRESS    435
#define IDC_ALT_ADDR   390
#define LABEL_OFFSET   20
#define FORM_TOP       49
#define FORM_WIDTH     448
#define BMP_FORM_TILE  431

// Where each edit's text lives in the card record, and the buffer its text is read with.
struct FormField {
    int Id;
    size_t Offset;
    int ReadSize;
    int LabelString;
};

#define FIELD(id, member, size, label)                                                                                 \
    { id, offsetof(CardRec, member), size, label }
static const FormField kFormFields[] = {
    FIELD(430, CName, 50, 2113),    FIELD(431, Title, 80, 2114),       FIELD(432, Company, 60, 2115),
    FIELD(435, Address, 256, 2118), FIELD(436, City, 30, 2119),        FIELD(437, State, 30, 2120),
    FIELD(438, Zip, 10, 2121),      FIELD(433, OPhone, 30, 2116),      FIELD(434, Fax, 30, 2117),
    FIELD(443, PPhone, 30, 2126),   FIELD(444, HPhone, 30, 2127),      FIELD(440, EMail, 50, 2123),
    FIELD(439, Country, 20, 2122),  FIELD(441, Category1, 50, 2124),   FIELD(442, Category2, 50, 2125),
    FIELD(404, AltName, 50, 2128),  FIELD(390, AltAddress, 256, 2129), FIELD(391, AltCity, 30, 2130),
    FIELD(392, AltState, 30, 2131), FIELD(393, AltZip, 10, 2132),      FIELD(394, CDate, 10, 2133),
    FIELD(395, User1, 50, 0),       FIELD(396, User2, 50, 2134),       FIELD(397, User3, 50, 2135),
    FIELD(398, User4, 50, 2136),    FIELD(399, User5, 50, 2137),       FIELD(400, User6, 50, 2138),
    FIELD(401, User7, 50, 2139),    FIELD(402, User8, 50, 2140),       FIELD(403, User9, 50, 0),
};
#undef FIELD

static const FormField* FindFormField(int id) {
    for (const FormField& field : kFormFields)
        if (field.Id == id) return &field;
    return NULL;
}

// The ids (or lengths) of one of the form's two field tables, closed by 0.
static void LoadFieldTable(int id, WORD* table) {
    LoadRcDataResource(App.Instance, id, table, TABLE_ROWS * sizeof(WORD));
}

static void ForEachTableField(void (*action)(HWND form, int id, int length), HWND form) {
    const int tables[2][2] = {{FIELD_TABLE_1, LENGTH_TABLE_1}, {FIELD_TABLE_2, LENGTH_TABLE_2}};
    for (const auto& pair : tables) {
        WORD ids[TABLE_ROWS], lengths[TABLE_ROWS];
        LoadFieldTable(pair[0], ids);
        LoadFieldTable(pair[1], lengths);
        for (int i = 0; i < TABLE_ROWS - 1 && ids[i]; ++i) action(form, ids[i], lengths[i]);
    }
}

static void SetLabel(HWND form, int id, int length) {
    const FormField* field = FindFormField(id);
    if (!field || !field->LabelString) return;
    char text[64] = "";
    LoadStringA(App.Instance, field->LabelString, text, sizeof text);
    SetDlgItemTextA(form, id + LABEL_OFFSET, text);
}

static void LimitField(HWND form, int id, int length) {
    SendDlgItemMessageA(form, id, EM_LIMITTEXT, length > 0 ? length - 1 : 0, 0);
}

static void FillField(HWND form, int id, int length) {
    const FormField* field = FindFormField(id);
    if (!field) return;
    if (id == IDC_DATE) {
        char date[32];
        const int32_t* d = App.CurrentCard.CDate;
        snprintf(date, sizeof date, "%2d/%2d/%4d", d[1], d[2], d[0]);
        SetDlgItemTextA(form, id, date);
    } else {
        SetDlgItemTextA(form, id, (const char*)&App.CurrentCard + field->Offset);
    }
    SendDlgItemMessageA(form, id, EM_SETMODIFY, FALSE, 0);
}

static void FillCardForm(HWND form) {
    ForEachTableField(FillField, form);
    CardRecBlob* note = &App.CurrentCard.CNote;
    SetDlgItemTextA(form, IDC_NOTE, note->Size > 0 && note->Data ? note->Data : "");
    note->Modified = 0;
    SendDlgItemMessageA(form, IDC_NOTE, EM_SETMODIFY, FALSE, 0);
}

// The address keeps one line: each line break becomes a blank.
static void JoinLines(char* text) {
    char* out = text;
    for (const char* c = text; *c; ++c) {
        if (c[0] == '\r' && c[1] == '\n') {
            *out++ = ' ';
            ++c;
        } else {
            *out++ = *c;
        }
    }
    *out = 0;
}

static void ReadField(HWND form, int id, int length) {
    const FormField* field = FindFormField(id);
    if (!field || id == IDC_DATE || !SendDlgItemMessageA(form, id, EM_GETMODIFY, 0, 0)) return;
    char* target = (char*)&App.CurrentCard + field->Offset;
    GetDlgItemTextA(form, id, target, field->ReadSize);
    if (id == IDC_ADDRESS) JoinLines(target);
    App.Views.FormChanged = 1;
}

// Reads every modified control into the current record; 1 when any was modified.
static int SaveCardForm(HWND form) {
    App.Views.FormChanged = 0;
    ForEachTableField(ReadField, form);
    if (SendDlgItemMessageA(form, IDC_NOTE, EM_GETMODIFY, 0, 0)) {
        int length = GetDlgItemTextA(form, IDC_NOTE, App.NoteBuffer, NOTE_BUFFER_SIZE);
        CardRecBlob* note = &App.CurrentCard.CNote;
        note->Kind = 1;
        note->Storage = 1;
        note->Data = App.NoteBuffer;
        note->Size = length;
        note->Modified = 1;
        App.Views.FormChanged = 1;
    }
    return App.Views.FormChanged;
}

static void ClearModified(HWND form, int id, int length) { SendDlgItemMessageA(form, id, EM_SETMODIFY, FALSE, 0); }

// Undoes what a failed store began: nothing of it may ride along with the next transaction.
static int AbandonStore(void) {
    kvRollback(App.Database);
    return 0;
}

// The record goes to the card with the current card's ID, wherever the table stands; a new
// card is appended, and it becomes current by its number and ID once it is committed.
static int StoreCurrentCard(void) {
    if (App.CurrentCardNumber != -1) {
        if (!ReturnToCurrentCard()) return 0;
        kvStartTransation(App.Database);
        if (kvCardRecUpdate(App.CardTable, &App.CurrentCard) != 1) return AbandonStore();
        return kvCommit(App.Database) == 1 ? 1 : AbandonStore();
    }
    kvStartTransation(App.Database);
    if (kvCardRecInsert(App.CardTable, &App.CurrentCard) != 1) return AbandonStore();
    if (kvCommit(App.Database) != 1) return AbandonStore();
    App.RowsUnsorted = 1;
    // A new card joins the end of the open table until it is opened again; the count is
    // taken from a card (an empty table reports none until the cursor stands on one).
    kvRecLast(App.CardTable);
    App.CardCount = kvTblNRecs(App.CardTable);
    App.CurrentCardNumber = kvRecNum(App.CardTable);
    CardRec stored;
    memset(&stored, 0, sizeof stored);
    if (kvCardRecGet(App.CardTable, &stored, 0) == 1) App.CurrentCardId = stored.ID;
    return 1;
}

static void MarkFormStored(HWND form) {
    ForEachTableField(ClearModified, form);
    SendDlgItemMessageA(form, IDC_NOTE, EM_SETMODIFY, FALSE, 0);
    App.CurrentCard.CNote.Modified = 0;
    App.CurrentCard.SecondText.Modified = 0;
    App.CurrentCard.CImage.Modified = 0;
}

// The one road by which the form's edits reach the card file. The modified controls go into
// the current card, which is stored where its ID is (a new card is added). After a stored
// save the controls count as unchanged, so that the same edit is never stored twice. 1 when
// nothing was pending or the card was stored; 0 when the store failed: it was rolled back,
// the edits stay in the form (still modified) and the user is told.
int CommitCardForm(void) {
    HWND form = App.CardForm;
    if (!form || !IsWindow(form) || !App.CardTable || !SaveCardForm(form)) return 1;
    if (!StoreCurrentCard()) {
        MessageBoxFromStringId(App.MainWindow, IDS_CARD_NOT_STORED, NULL, MB_OK | MB_ICONSTOP);
        return 0;
    }
    MarkFormStored(form);
    UpdateCommandStates(App.CommandBar, 0);
    CountCardsByLetter();
    if (App.Views.IndexStrip) InvalidateRect(App.Views.IndexStrip, NULL, FALSE);
    return 1;
}

static void PlaceControl(HWND form, int id, int x, int y, int w, int h) {
    HWND control = GetDlgItem(form, id);
    if (control) MoveWindow(control, x, y, w, h, FALSE);
}

// The widest label text in the font the labels are drawn with at row height h, with the
// margins the drawing keeps.
static int WidestLabelWidth(HWND form, int h) {
    RECT row = {0, 0, 0, h};
    HFONT font = CreateLabelBoxFont(&row, 0, 0);
    HDC dc = GetDC(form);
    HGDIOBJ old = SelectObject(dc, font);
    int widest = 0;
    for (const FormField& field : kFormFields) {
        char text[64] = "";
        GetDlgItemTextA(form, field.Id + LABEL_OFFSET, text, sizeof text);
        SIZE extent = {0, 0};
        HWND label = GetDlgItem(form, field.Id + LABEL_OFFSET);
        int shown = label && (GetWindowLongA(label, GWL_STYLE) & WS_VISIBLE);  // the form may not be shown yet
        if (shown && GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent) && extent.cx > widest) widest = extent.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(form, dc);
    DeleteObject(font);
    return widest + 2 * LABEL_BOX_MARGIN + 1;
}

static void LayoutCardForm(HWND form) {
    static const int left[16] = {430, 404, 431, 400, 399, 432, 433, 443, 444, 434, 401, 440, 396, 397, 398, 394};
    static const int right[12] = {435, 436, 437, 438, 439, 390, 391, 392, 393, 402, 441, 442};
    RECT units = {10, 6, 50, 18};
    MapDialogRect(form, &units);
    int labelWidth = units.right - units.left + 5, h = units.bottom - units.top;
    RECT c;
    GetClientRect(form, &c);
    if (c.bottom - ((h + 2) * 16 + 8) < h) h = (c.bottom - 8) / 18 - 2;
    if (h < 1) h = 1;
    // No label may be cut: the column is as wide as its widest text needs.
    int needed = WidestLabelWidth(form, h);
    if (needed > labelWidth) labelWidth = needed;
    int editLeft = 4 + labelWidth + 2, editWidth = c.right / 2 - 6 - labelWidth;
    for (int i = 0; i < 16; ++i) {
        int y = 4 + i * (h + 2);
        PlaceControl(form, left[i] + LABEL_OFFSET, 4, y, labelWidth, h);
        PlaceControl(form, left[i], editLeft, y, editWidth, h);
    }
    int rightLabel = c.right / 2 + 4, rightEdit = rightLabel + labelWidth + 2;
    for (int i = 0, row = 0; i < 12; ++i) {
        int rows = (right[i] == IDC_ADDRESS || right[i] == IDC_ALT_ADDR) ? 3 : 1;
        int y = 4 + row * (h + 2);
        PlaceControl(form, right[i] + LABEL_OFFSET, rightLabel, y, labelWidth, h);
        PlaceControl(form, right[i], rightEdit, y, c.right - 4 - rightEdit, rows == 3 ? 3 * h + 2 : h);
        row += rows;
    }
    int noteTop = 4 + 16 * (h + 2);
    PlaceControl(form, IDC_NOTE, 4, noteTop, c.right - 8, c.bottom - 4 - noteTop);
    InvalidateRect(form, NULL, TRUE);
}

static void SubclassField(HWND form, int id, int length) {
    HWND edit = GetDlgItem(form, id);
    if (!edit) return;
    WNDPROC previous = (WNDPROC)SetWindowLongPtrA(edit, GWLP_WNDPROC, (LONG_PTR)FieldEditProc);
    if (!App.Views.EditClassProc) App.Views.EditClassProc = previous;
}

static void SubclassCardFormFields(HWND form) {
    ForEachTableField(SubclassField, form);
    SubclassField(form, IDC_NOTE, 0);
}

static void DrawCardFormLabel(const DRAWITEMSTRUCT* item) {
    int id = (int)item->CtlID;
    if (!((id >= 410 && id <= 424) || (id >= 450 && id <= 464))) return;
    char text[20] = "";
    GetWindowTextA(item->hwndItem, text, sizeof text);
    if (!text[0]) return;
    RECT r = item->rcItem;
    DrawLabelBox(item->hDC, &r, text, 0, 0);
}

static void OnFormInit(HWND form) {
    App.CardForm = form;
    ForEachTableField(SetLabel, form);
    ForEachTableField(LimitField, form);
    HWND parent = GetParent(form);
    RECT client;
    GetClientRect(parent, &client);
    MoveWindow(form, client.left, client.top + FORM_TOP, FORM_WIDTH, client.bottom - FORM_TOP, FALSE);
    FillCardForm(form);
    SubclassCardFormFields(form);
    LayoutCardForm(form);
}

INT_PTR CALLBACK CardFormDlgProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnFormInit(form); return FALSE;
    case WM_FORM_SAVE_CARD: SetWindowLongPtrA(form, DWLP_MSGRESULT, CommitCardForm()); return TRUE;
    case WM_FORM_RELOAD_CARD: FillCardForm(form); return TRUE;
    case WM_DESTROY:
        // Every road that takes the form away commits it first, while the card file is open.
        if (App.CardForm == form) App.CardForm = NULL;
        return FALSE;
    case WM_SIZE: LayoutCardForm(form); return TRUE;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(form, &client);
        TileBitmapResource((HDC)wParam, BMP_FORM_TILE, &client);
        SetWindowLongPtrA(form, DWLP_MSGRESULT, 1);
        return TRUE;
    }
    case WM_DRAWITEM: DrawCardFormLabel((const DRAWITEMSTRUCT*)lParam); return TRUE;
    }
    return FALSE;
}

HWND CreateCardForm(HWND parent) {
    HWND form = CreateDialogParamA(App.Instance, MAKEINTRESOURCEA(IDD_CARD_FORM), parent, CardFormDlgProc, 0);
    if (form) ShowWindow(form, SW_SHOW);
    return form;
}
