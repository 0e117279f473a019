// Drives dialogs, property sheets and pop-up menus of a process from a thread of the test, as
// a user would: windows found by caption and control id, buttons pressed, entries chosen, list
// rows clicked at their rectangles, keys pressed in a menu. Works across processes too.
#pragma once
#include <windows.h>
#include <prsht.h>
#include <string>
#include "window_text.h"

namespace dialog_driver {

struct FindRequest {
    DWORD ProcessId;
    const char* ClassName;
    const char* Caption;  // null: any
    HWND Found;
};

inline BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<FindRequest*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != request->ProcessId || !IsWindowVisible(window)) return TRUE;
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (lstrcmpA(cls, request->ClassName) != 0) return TRUE;
    if (request->Caption && WindowTextIn(window, CP_ACP) != request->Caption) return TRUE;
    request->Found = window;
    return FALSE;
}

// A visible top-level window of the process with that class and caption; null after the time.
inline HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs = 120000) {
    DWORD start = GetTickCount();
    do {
        FindRequest request = {processId, className, caption, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&request));
        if (request.Found) return request.Found;
        Sleep(30);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

inline HWND WaitForDialog(DWORD processId, const char* caption) { return WaitForWindow(processId, "#32770", caption); }

// The visible pop-up menu of the process.
inline HWND WaitForMenu(DWORD processId) { return WaitForWindow(processId, "#32768", nullptr); }

// Waits until the window is gone; false when it is still there after the time.
inline bool WaitUntilClosed(HWND window, DWORD timeoutMs = 120000) {
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(30);
    }
    return true;
}

// Makes page `index` of a property sheet current and returns the page's window.
inline HWND ShowPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// Presses a button and waits for its handler to finish.
inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Presses a button whose handler runs a modal dialog: the press is posted, not waited for.
inline void ClickAndGoOn(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

inline bool IsChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// Picks an entry of a drop-down list as a user's choice does: selection, then the
// notification to the list's parent.
inline void ChooseEntry(HWND combo, int index) {
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

inline void ChooseEntry(HWND dialog, int id, int index) { ChooseEntry(GetDlgItem(dialog, id), index); }

inline std::string EntryText(HWND combo, int index) {
    char text[512] = "";
    LRESULT n = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (n == CB_ERR || n >= static_cast<LRESULT>(sizeof(text))) return std::string();
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

inline int EntryCount(HWND dialog, int id) {
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), CB_GETCOUNT, 0, 0));
}

// Clicks the middle of a list box row: button down and up at that point.
inline void ClickRow(HWND list, int row) {
    RECT r;
    if (SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)) == LB_ERR) return;
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
}

// A key pressed while a menu or dialog has the keyboard.
inline void PressKey(HWND window, UINT key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// Presses OK or Cancel of a property sheet and waits for it to close. The press is posted:
// the sheet's own loop must wake up to see that it has ended.
inline bool PressSheetButton(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    return WaitUntilClosed(sheet);
}

}  // namespace dialog_driver
