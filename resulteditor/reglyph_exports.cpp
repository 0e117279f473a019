// The five exports: open the editor, reload it, hand the lines back, card counter, clipboard.
#include "reglyph.h"
#include "editor_dialog.h"
#include "editor_state.h"
#include "field_list.h"
#include "image_window.h"
#include "line_editor.h"
#include <commctrl.h>

HINSTANCE g_module = nullptr;
Editor* g_editor = nullptr;
int g_cardCount = 0;
int g_currentCard = 0;

namespace {
int g_date[3] = {0, 0, 0};

void StoreDate(int d1, int d2, int d3) {
    g_date[0] = d1;
    g_date[1] = d2;
    g_date[2] = d3;
}

bool Open() { return g_editor && g_editor->Dialog && IsWindow(g_editor->Dialog); }
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

void FieldKindName(int kind, char* text, int size) {
    text[0] = 0;
    if (kind >= 0 && kind < kFieldKindCount) LoadStringA(g_module, kind + 1, text, size);
}

extern "C" HWND WINAPI OvReglyph(HWND parent, RecogPage* page, int date1, int date2, int date3) {
    StoreDate(date1, date2, date3);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    Editor* editor = new Editor;
    editor->Host = parent;
    memcpy(editor->Lines.Date, g_date, sizeof g_date);
    if (page && AllocatePageLines(editor->Lines)) {
        editor->FieldMenu = CreatePopupMenu();
        LoadPageLines(editor->Lines, page);
    }
    g_editor = editor;
    HWND dialog = CreateEditorDialog(*editor);
    if (!dialog) {
        FreePageLines(editor->Lines);
        if (editor->FieldMenu) DestroyMenu(editor->FieldMenu);
        delete editor;
        g_editor = nullptr;
    }
    return dialog;
}

extern "C" int WINAPI PageInfo2Reglyph(RecogPage* page, int date1, int date2, int date3) {
    StoreDate(date1, date2, date3);
    if (!Open()) return 0;
    Editor& e = *g_editor;
    memcpy(e.Lines.Date, g_date, sizeof g_date);
    // An editor opened without a page has neither array nor field menu yet.
    if (!e.Lines.Slots && page) AllocatePageLines(e.Lines);
    if (!e.FieldMenu && e.Lines.Slots) e.FieldMenu = CreatePopupMenu();
    LoadPageLines(e.Lines, page);
    e.CurrentLine = -1;
    e.CurrentChar = 0;
    ReloadImage(e, true);
    BuildFieldMenu(e);
    FillFieldList(e);
    return 1;
}

extern "C" int WINAPI Reglyph2PageInfo(RecogPage* page, int* date1, int* date2, int* date3) {
    if (!Open()) return 0;
    Editor& e = *g_editor;
    FreeHostLines(e.Lines, page);
    WithdrawHandedBack(e.Lines);
    StorePageLines(e.Lines);
    e.Lines.TakenByHost = true;
    memcpy(g_date, e.Lines.Date, sizeof g_date);
    if (date1) *date1 = g_date[0];
    if (date2) *date2 = g_date[1];
    if (date3) *date3 = g_date[2];
    return 1;
}

extern "C" int WINAPI Reglyph4CardStatus(int cardCount, int currentCard) {
    g_cardCount = cardCount;
    g_currentCard = currentCard;
    if (!Open()) return 0;
    ShowCardStatus(*g_editor);
    return 1;
}

extern "C" int WINAPI Reglyph4EditAPI(int op) {
    if (!Open() || !g_editor->Tabs || !g_editor->LineEditor || !IsWindowVisible(g_editor->LineEditor)) return 0;
    HWND box = g_editor->LineEdit;
    switch (op) {
    case 1: {
        DWORD start = 0, end = 0;
        SendMessageA(box, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        return start < end ? 1 : 0;
    }
    case 2: SendMessageA(box, WM_COPY, 0, 0); return 0;
    case 3: SendMessageA(box, WM_PASTE, 0, 0); return 0;
    case 4: SendMessageA(box, WM_CLEAR, 0, 0); return 0;
    case 5: SendMessageA(box, WM_CUT, 0, 0); return 0;
    default: return 0;
    }
}
