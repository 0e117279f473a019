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
