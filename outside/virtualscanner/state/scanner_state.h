// The virtual scanner's one state file, shared by its TWAIN data source, the card-scanner
// driver libraries and the tests that set it up: "<Windows folder>\twain_32\virtual_scanner.ini".
// Every reader takes each value at the moment it needs it, so a test can change the scanner
// (devices, pages, faults, paper, button) between two scans of one running program.
#pragma once
#include <windows.h>

// The state file's path.
void ScannerStatePath(char* path, int size);

int ReadScannerInt(const char* section, const char* key, int fallback);
void ReadScannerText(const char* section, const char* key, const char* fallback, char* out, int size);
void WriteScannerInt(const char* section, const char* key, int value);

// 1 when the comma-separated list `key` of `section` holds `value` (decimal or 0x hex).
int ScannerListHas(const char* section, const char* key, int value);
