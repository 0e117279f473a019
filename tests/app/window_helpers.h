// Small helpers of the window tests: messages with a time limit, waiting for a state, child
// windows by id, files of a folder, the clipboard's text and keys pressed as the keyboard does.
#pragma once
#include <windows.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include "dialog_watch.h"
#include "gui_driver.h"

inline LRESULT Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, 60000, &result);
    return static_cast<LRESULT>(result);
}

// Pumps this thread's messages until the condition holds; false after the time (by default
// generous, since test programs run side by side, possibly under an emulator).
inline bool WaitFor(const std::function<bool()>& condition, DWORD ms = 60000) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > ms) return false;
        PumpMessages(50);
    }
    return true;
}

// The program's visible dialog without a caption (its About box), waited for; null when none
// shows.
inline HWND WaitForUncaptionedDialog(DWORD processId) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND dialog : VisibleDialogsOf(processId))
            if (WindowText(dialog).empty()) found = dialog;
        return found != nullptr;
    });
    return found;
}

inline HWND FindChildById(HWND parent, int id, const char* className = nullptr) {
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr))
        if (GetDlgCtrlID(child) == id) return child;
    return nullptr;
}

// The windows of a running zem40 that a window test drives: the main window and its work area,
// the panes and lists in it, the card form and its fields, and commands sent or posted.
struct ZemWindows {
    HWND main = nullptr;
    HWND work = nullptr;
    HWND Pane(const char* className) const { return FindWindowExA(work, nullptr, className, nullptr); }
    HWND Strip() const { return Pane("IMC_WorkCap20"); }
    HWND DeckList() const { return FindChildById(work, 2002); }
    HWND CardList() const { return FindChildById(work, 9300); }
    HWND Form() const { return Pane("#32770"); }
    HWND Field(int id) const { return Form() ? GetDlgItem(Form(), id) : nullptr; }
    void Command(int id) const { Send(main, WM_COMMAND, id, 0); }
    // Posted: the command's modal dialog runs while the test goes on.
    void PostCommand(int id) const { PostMessageA(main, WM_COMMAND, id, 0); }
};

// The number of files (not folders) in the folder, whose path ends with a backslash.
inline int FolderFiles(const std::string& folder) {
    int n = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return n;
}

inline std::string ClipboardText() {
    std::string text;
    for (int tries = 0; tries < 20 && !OpenClipboard(nullptr); ++tries) Sleep(100);
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* p = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (p) text = p;
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

// Keys as the keyboard sends them to the program in the foreground: the card form's fields
// ask whether Control is down while they take the key, so the keys are held meanwhile.
inline void PressKeys(std::vector<WORD> modifiers, WORD key, HWND program) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    for (WORD m : modifiers) add(m, 0);
    add(key, 0);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    inputs.clear();
    PumpMessages(300);
    SendMessageTimeoutA(program, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    PumpMessages(300);
    add(key, KEYEVENTF_KEYUP);
    std::reverse(modifiers.begin(), modifiers.end());
    for (WORD m : modifiers) add(m, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
