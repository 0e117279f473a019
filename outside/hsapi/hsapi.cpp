// The HotSync API stand-in: asking the HotSync manager to reload its conduits leaves a line
// in hsapi.log, which is all a test needs to see that the request was made.
#include "hsapi.h"
#include "standin_folder.h"
#include <stdio.h>

extern "C" int WINAPI RefreshConduits(DWORD what, DWORD how) {
    char line[64];
    snprintf(line, sizeof(line), "%d %lu %lu", HSAPI_REFRESH_CONDUITS, static_cast<unsigned long>(what),
             static_cast<unsigned long>(how));
    palm_standin::AppendLine("hsapi.log", line);
    return 0;
}
