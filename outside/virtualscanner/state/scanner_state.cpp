#include "scanner_state.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void ScannerStatePath(char* path, int size) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    snprintf(path, size, "%s\\twain_32\\virtual_scanner.ini", windows);
}

int ReadScannerInt(const char* section, const char* key, int fallback) {
    char text[32];
    ReadScannerText(section, key, "", text, sizeof text);
    if (!text[0]) return fallback;
    return (int)strtol(text, NULL, 0);
}

void ReadScannerText(const char* section, const char* key, const char* fallback, char* out, int size) {
    char path[MAX_PATH];
    ScannerStatePath(path, sizeof path);
    GetPrivateProfileStringA(section, key, fallback, out, size, path);
}

void WriteScannerInt(const char* section, const char* key, int value) {
    char path[MAX_PATH], text[16];
    ScannerStatePath(path, sizeof path);
    snprintf(text, sizeof text, "%d", value);
    WritePrivateProfileStringA(section, key, text, path);
}

int ScannerListHas(const char* section, const char* key, int value) {
    char list[512];
    ReadScannerText(section, key, "", list, sizeof list);
    for (char* item = strtok(list, ", "); item; item = strtok(NULL, ", "))
        if ((int)strtol(item, NULL, 0) == value) return 1;
    return 0;
}
