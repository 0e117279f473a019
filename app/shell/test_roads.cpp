// Roads that Wine never takes by itself: its user is always an administrator and no scanner
// push button ever launches the program. Only the program's test build (ZEM40_TEST_ROADS) lets
// the environment walk the restricted-user and scanner-button start-ups through the real
// program; the shipped program answers 0 without reading anything.
#include "test_roads.h"
#include <windows.h>

#ifdef ZEM40_TEST_ROADS

int TestRoadRestrictedUser(void) {
    char value[8];
    DWORD n = GetEnvironmentVariableA("ZEM40_TEST_RESTRICTED_USER", value, sizeof value);
    return n > 0 && n < sizeof value && value[0] == '1';
}

int TestRoadScannerLaunch(char* dataSource, int size) {
    char value[64];
    DWORD n = GetEnvironmentVariableA("ZEM40_TEST_SCANNER_LAUNCH", value, sizeof value);
    if (n == 0 || n >= sizeof value) return 0;
    lstrcpynA(dataSource, value, size);
    return 1;
}

#else

int TestRoadRestrictedUser(void) { return 0; }

int TestRoadScannerLaunch(char*, int) { return 0; }

#endif
