// What the first instance accepts of a hand-over message. The names it carries are imported
// by the capture code (file queue and recognition); here the message is checked and its
// text taken into the program's own memory.
#include "shell.h"
#include <string.h>

// The clipboard text in the hand-over format, copied to the heap (any length), or null.
static char* CopyClipboardText(HWND window, UINT format) {
    if (!OpenClipboard(window)) return NULL;
    char* copy = NULL;
    HANDLE data = GetClipboardData(format);
    const char* text = data ? (const char*)GlobalLock(data) : NULL;
    if (text) {
        SIZE_T limit = GlobalSize(data);
        SIZE_T n = 0;
        while (n < limit && text[n]) ++n;
        copy = (char*)HeapAlloc(GetProcessHeap(), 0, n + 1);
        if (copy) {
            memcpy(copy, text, n);
            copy[n] = 0;
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return copy;
}

// wParam 0 is the program's own command line, sent to itself: any other address (from
// another process, or forged) is refused, since it would be read as a string.
LRESULT OnHandOverFiles(HWND window, WPARAM wParam, LPARAM lParam) {
    SetForegroundWindow(window);
    BringWindowToTop(window);
    SetActiveWindow(window);
    if (wParam == HANDOVER_OWN_COMMAND_LINE && (const char*)lParam != App.CommandLine) return 0;
    if (wParam == HANDOVER_CLIPBOARD) {
        char* text = CopyClipboardText(window, (UINT)lParam);
        if (!text) return 0;
        HeapFree(GetProcessHeap(), 0, text);
    }
    return 0;
}
