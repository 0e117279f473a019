/* Waits until a window of a given class is shown on a given Wine desktop, so that a
 * screenshot shows the program rather than an empty desktop. Exits 0 when the window is
 * there, 1 when the bound passes first, 2 on bad arguments.
 * Usage: wait_window DESKTOP CLASS MILLISECONDS */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Windows are looked up on the desktop the program runs on, which this thread joins once. */
static BOOL join_desktop(const char* desktopName) {
    HDESK desktop = OpenDesktopA(desktopName, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (!desktop) return FALSE; /* not created yet */
    if (!SetThreadDesktop(desktop)) {
        CloseDesktop(desktop);
        return FALSE;
    }
    return TRUE;
}

static BOOL window_shown(const char* className) {
    HWND window = FindWindowA(className, NULL);
    return window && IsWindowVisible(window);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: wait_window DESKTOP CLASS MILLISECONDS\n");
        return 2;
    }
    DWORD bound = (DWORD)strtoul(argv[3], NULL, 10);
    DWORD start = GetTickCount();
    BOOL joined = FALSE;
    while (!(joined = joined || join_desktop(argv[1])) || !window_shown(argv[2])) {
        if (GetTickCount() - start >= bound) return 1;
        Sleep(100);
    }
    return 0;
}
