// The card form's edits: selected text dragged from one field into another, the last change
// kept for Undo, and the program's shortcuts turned into commands while a field has the focus.
#include "views.h"
#include "resource.h"
#include <string.h>

#define DRAG_CLASS_SIZE 20
#define CTRL_Z_CHAR     0x1A

void RecordUndoAction(int kind, HWND window1, HWND window2, const char* text1, const char* text2) {
    UNDORECORD* undo = &App.Views.Undo;
    undo->Kind = (BYTE)kind;
    undo->Window1 = window1;
    undo->Window2 = window2;
    undo->Text1[0] = undo->Text2[0] = 0;
    if (text1) lstrcpynA(undo->Text1, text1, sizeof undo->Text1);
    if (text2) lstrcpynA(undo->Text2, text2, sizeof undo->Text2);
}

// A drag is undone whole: both fields get their texts back and count as changed, so that the
// form stores them both.
void PerformUndo(void) {
    UNDORECORD* undo = &App.Views.Undo;
    if (undo->Kind == 7 && undo->Window2 && IsWindow(undo->Window2)) {
        SendMessageA(undo->Window2, EM_UNDO, 0, 0);
    } else if (undo->Kind == 11 && undo->Window1 && undo->Window2 && IsWindow(undo->Window1) &&
               IsWindow(undo->Window2)) {
        SendMessageA(undo->Window2, WM_SETTEXT, 0, (LPARAM)undo->Text2);
        SendMessageA(undo->Window1, WM_SETTEXT, 0, (LPARAM)undo->Text1);
        SendMessageA(undo->Window1, EM_SETMODIFY, TRUE, 0);
        SendMessageA(undo->Window2, EM_SETMODIFY, TRUE, 0);
        HWND w = undo->Window1;
        undo->Window1 = undo->Window2;
        undo->Window2 = w;
    }
}

static LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(App.Views.EditClassProc, window, message, wParam, lParam);
}

static int IsEditWindow(HWND window) {
    char name[DRAG_CLASS_SIZE] = "";
    return window && GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, "Edit") == 0;
}

// Text is dropped only into an edit of this program: another program's window cannot take
// what the drag would cut.
static int IsDropTarget(HWND window) {
    DWORD process = 0;
    return IsEditWindow(window) && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

// The window under the pointer when the message came: its point is in the client
// coordinates of the edit that holds the mouse.
static HWND WindowAtMessagePoint(HWND edit, LPARAM lParam, POINT* screen) {
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ClientToScreen(edit, &point);
    if (screen) *screen = point;
    return WindowFromPoint(point);
}

static void ClearDrag(void) {
    App.Views.DragSource = NULL;
    App.Views.DragSelection = 0;
}

static void SetCursorByName(const char* name) {
    HCURSOR cursor = LoadCursorA(App.Instance, name);
    if (cursor) SetCursor(cursor);
}

static LRESULT OnFieldButtonDown(HWND edit, WPARAM wParam, LPARAM lParam) {
    if (App.Views.DragSource) return PassOn(edit, WM_LBUTTONDOWN, wParam, lParam);
    DWORD selection = (DWORD)SendMessageA(edit, EM_GETSEL, 0, 0);
    if (LOWORD(selection) == HIWORD(selection)) {
        ClearDrag();
        return PassOn(edit, WM_LBUTTONDOWN, wParam, lParam);
    }
    App.Views.DragSource = edit;
    App.Views.DragSelection = selection;
    PassOn(edit, WM_LBUTTONDOWN, wParam, lParam);
    PassOn(edit, WM_LBUTTONUP, 0, lParam);
    int caret = LOWORD(SendMessageA(edit, EM_GETSEL, 0, 0));
    if (caret > LOWORD(selection) && caret < HIWORD(selection)) {
        SendMessageA(edit, EM_SETSEL, LOWORD(selection), HIWORD(selection));
        SetCursorByName("LIST_HANDUP");
        HideCaret(edit);
        SetCapture(edit);
        return 0;
    }
    ClearDrag();
    PassOn(edit, WM_LBUTTONDOWN, wParam, lParam);
    return 0;
}

static int DragRunning(HWND edit) { return App.Views.DragSource == edit && GetCapture() == edit; }

// The selection moves: cut from the source, pasted where the button was released.
static void DropText(HWND source, HWND target, POINT drop) {
    static char sourceText[UNDO_TEXT_SIZE], targetText[UNDO_TEXT_SIZE];
    GetWindowTextA(source, sourceText, sizeof sourceText);
    GetWindowTextA(target, targetText, sizeof targetText);
    DWORD selection = App.Views.DragSelection;
    SendMessageA(source, EM_SETSEL, LOWORD(selection), HIWORD(selection));
    SendMessageA(source, WM_CUT, 0, 0);
    ScreenToClient(target, &drop);
    // The caret goes where the button was released, by the edit's own messages: a click would
    // start a drag of its own.
    int at = LOWORD(SendMessageA(target, EM_CHARFROMPOS, 0, MAKELPARAM(drop.x, drop.y)));
    SendMessageA(target, EM_SETSEL, at, at);
    SendMessageA(target, WM_PASTE, 0, 0);
    ShowCaret(target);
    SetFocus(target);
    RecordUndoAction(11, source, target, sourceText, targetText);
    SendMessageA(target, EM_SETMODIFY, TRUE, 0);
    SendMessageA(source, EM_SETMODIFY, TRUE, 0);
}

static LRESULT OnFieldButtonUp(HWND edit, WPARAM wParam, LPARAM lParam) {
    if (!DragRunning(edit)) return PassOn(edit, WM_LBUTTONUP, wParam, lParam);
    ReleaseCapture();
    POINT drop;
    HWND target = WindowAtMessagePoint(edit, lParam, &drop);
    if (!IsDropTarget(target)) {
        ShowCaret(edit);
        SendMessageA(edit, EM_SETSEL, LOWORD(App.Views.DragSelection), LOWORD(App.Views.DragSelection));
    } else {
        // The drop lands in a field of this form, the source itself included.
        ShowCaret(edit);
        DropText(edit, target, drop);
    }
    ClearDrag();
    return 0;
}

// Each typed or clipboard change is recorded, and the field counts as modified only when the
// message really changed it.
static LRESULT OnFieldChange(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    RecordUndoAction(7, NULL, edit, NULL, NULL);
    LRESULT wasModified = SendMessageA(edit, EM_GETMODIFY, 0, 0);
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    LRESULT result = PassOn(edit, message, wParam, lParam);
    if (!SendMessageA(edit, EM_GETMODIFY, 0, 0) && wasModified) SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    RecordUndoAction(7, NULL, edit, NULL, NULL);
    return result;
}

static void PostShortcut(int command) {
    PostMessageA(App.MainWindow, WM_COMMAND, command, 0);
    App.Views.ControlKey = 0;
}

static void OnFieldKey(WPARAM key) {
    if (key == VK_CONTROL) {
        App.Views.ControlKey = 1;
        return;
    }
    if (key == VK_F1) {
        PostShortcut(IDM_HELP_CONTENTS);
        return;
    }
    if (GetAsyncKeyState(VK_CONTROL) >= 0) return;
    int shift = GetAsyncKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_PRIOR: PostShortcut(IDM_CARD_PREV); break;
    case VK_NEXT: PostShortcut(IDM_CARD_NEXT); break;
    case VK_END: PostShortcut(IDM_CARD_LAST); break;
    case VK_HOME: PostShortcut(IDM_CARD_FIRST); break;
    case VK_DELETE: PostShortcut(IDM_CARD_DELETE); break;
    case 'D': PostShortcut(IDM_EDIT_CLEAR); break;
    case 'F': PostShortcut(IDM_CARD_SEARCH); break;
    case 'N': PostShortcut(shift ? IDM_FILE_NEW : IDM_CARD_NEW); break;
    case 'O':
        if (App.Views.ControlKey) PostShortcut(IDM_FILE_OPEN);
        break;
    case 'P': PostShortcut(IDM_FILE_PRINT); break;
    case 'S': PostShortcut(IDM_SCAN); break;
    case VK_F5: PostShortcut(IDM_ZOOM_IN); break;
    case VK_F6: PostShortcut(IDM_ZOOM_OUT); break;
    }
}

LRESULT CALLBACK FieldEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: return OnFieldButtonDown(edit, wParam, lParam);
    case WM_MOUSEMOVE:
        if (DragRunning(edit))
            SetCursorByName(IsDropTarget(WindowAtMessagePoint(edit, lParam, NULL)) ? "LIST_HANDUP" : "LIST_STOP");
        break;
    case WM_LBUTTONUP: return OnFieldButtonUp(edit, wParam, lParam);
    case WM_LBUTTONDBLCLK: ClearDrag(); break;
    case WM_SETFOCUS:
        if (!IsEditWindow((HWND)wParam)) ClearDrag();
        break;
    case WM_CHAR:
        // Ctrl+Z is the program's Undo, which puts back both fields of a drag; the edit's own
        // undo knows only its last paste.
        if (wParam == CTRL_Z_CHAR) {
            SendMessageA(App.MainWindow, WM_COMMAND, IDM_EDIT_UNDO, 0);
            return 0;
        }
        return OnFieldChange(edit, message, wParam, lParam);
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR: return OnFieldChange(edit, message, wParam, lParam);
    case WM_KEYDOWN: OnFieldKey(wParam); break;
    case WM_KEYUP:
        if (wParam == VK_CONTROL) App.Views.ControlKey = 0;
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4) PostMessageA(App.MainWindow, WM_COMMAND, IDM_FILE_EXIT, 0);
        break;
    case WM_DESTROY: SetWindowLongPtrA(edit, GWLP_WNDPROC, (LONG_PTR)App.Views.EditClassProc); break;
    }
    return PassOn(edit, message, wParam, lParam);
}
