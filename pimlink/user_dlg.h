// The ACT! log-on: the user name and password kept for the life of the library, and the
// dialog that asks for them.
#pragma once
#include <windows.h>

namespace ferrow {

// Filled by the open check (the user name from ACT!, both through the dialog); every later
// ACT! step of the process logs on with them. Nothing is stored on disk.
extern char ActUserName[128];
extern char ActPassword[128];

// Dialog 4003: shows ActUserName in edit 4004; OK stores edit 4004 into ActUserName and edit
// 4005 into ActPassword (at most 127 characters each); Cancel changes neither.
class CUserDlg {
public:
    explicit CUserDlg(HWND owner = nullptr) : owner_(owner) {}
    // IDOK or IDCANCEL (-1 when the dialog could not be shown).
    INT_PTR DoModal();

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    HWND owner_;
};

}  // namespace ferrow
