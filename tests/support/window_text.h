// A window's text read from a test's watcher thread. The window's own thread answers WM_GETTEXT;
// when it does not in time (busy, or blocked waiting for the watcher itself) the text the system
// keeps for the window is taken instead, so that a watcher never waits on the thread it serves.
#pragma once
#include <windows.h>
#include <string>

// The text in the code page asked (CP_UTF8, CP_ACP, ...); waits at most timeoutMs for the window.
inline std::string WindowTextIn(HWND window, UINT codePage, UINT timeoutMs = 2000) {
    wchar_t wide[1024] = L"";
    if (!window) return "";
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, timeoutMs,
                             nullptr))
        InternalGetWindowText(window, wide, 1024);
    wide[1023] = 0;
    char text[3072] = "";
    WideCharToMultiByte(codePage, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}
