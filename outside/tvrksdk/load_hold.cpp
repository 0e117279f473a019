// A real database load takes seconds; this stand-in loads nothing, so a test that wants to see
// what the user sees meanwhile asks for the wait by naming a file, and removes it to go on.
#include "load_hold.h"
#include <windows.h>

void HoldLoadWhileAsked(void) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("TVRKSDK_HOLD_LOAD", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    const DWORD kLongestHold = 180000;
    DWORD start = GetTickCount();
    while (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && GetTickCount() - start < kLongestHold) {
        // Under Wine a busy thread's drawing reaches the screen only when the thread looks at
        // its queue; asking for the queue's state handles no message.
        GetQueueStatus(QS_ALLINPUT);
        Sleep(50);
    }
}
