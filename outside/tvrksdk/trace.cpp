#include "trace.h"
#include <windows.h>
#include <stdio.h>

void TraceEngineCall(const char* line) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("TVRKSDK_TRACE", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    FILE* f = fopen(path, "a");
    if (!f) return;
    fprintf(f, "%s\n", line);
    fclose(f);
}
