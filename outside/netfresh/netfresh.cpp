// Records each online update call so that a caller can see it happened.
#include "netfresh.h"
#include <windows.h>
#include <stdio.h>

extern "C" int __stdcall NetfreshCheck(const char* productCode, int reserved, int when) {
    char logPath[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("NETFRESH_LOG", logPath, sizeof logPath);
    if (n == 0 || n >= sizeof logPath) return 1;
    FILE* log = fopen(logPath, "a");
    if (!log) return 1;
    fprintf(log, "%s %d %d\n", productCode ? productCode : "", reserved, when);
    fclose(log);
    return 1;
}

// The component's own version text; the stand-in knows of no update and says so.
extern "C" int __stdcall NetfreshVersionText(const char* productCode, char* buffer, int size) {
    if (!buffer || size <= 0) return 1;
    int n =
        snprintf(buffer, (size_t)size, "Version:\n4.1.0 (%s), no update information", productCode ? productCode : "");
    return n < 0 || n >= size ? 1 : 0;
}
