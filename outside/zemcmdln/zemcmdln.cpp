// Recognises the button panel's scan request on a command line.
#include "zemcmdln.h"
#include <ctype.h>
#include <string.h>

namespace {

const char kSwitch[] = "/TAPBOARD";
const char kNoUi[] = "/NOUI";
const int kSourceMax = 127;

const char* SkipBlanks(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (toupper(static_cast<unsigned char>(*text)) != *prefix) return false;
    return true;
}

bool EndsWord(const char* p) { return *p == 0 || *p == ' ' || *p == '\t'; }

// Copies the data source name at p (quoted, or up to the /NOUI switch or the end) and
// returns the position after it.
const char* TakeSourceName(const char* p, char* out) {
    int n = 0;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') {
            if (n < kSourceMax) out[n++] = *p;
            ++p;
        }
        if (*p == '"') ++p;
    } else {
        while (*p && !(StartsWithNoCase(p, kNoUi) && EndsWord(p + strlen(kNoUi)))) {
            if (n < kSourceMax) out[n++] = *p;
            ++p;
        }
        while (n > 0 && (out[n - 1] == ' ' || out[n - 1] == '\t')) --n;
    }
    out[n] = 0;
    return p;
}

}  // namespace

extern "C" int __stdcall OvZEMCmdLineParser4Tapboard(const char* commandLine, char* dataSource, int* uiMode) {
    char source[kSourceMax + 1] = "";
    if (dataSource) dataSource[0] = 0;
    if (!commandLine) return 0;
    const char* p = SkipBlanks(commandLine);
    if (!StartsWithNoCase(p, kSwitch) || !EndsWord(p + strlen(kSwitch))) return 0;
    p = SkipBlanks(p + strlen(kSwitch));
    p = SkipBlanks(TakeSourceName(p, source));
    int mode = 1;
    if (StartsWithNoCase(p, kNoUi) && EndsWord(p + strlen(kNoUi))) mode = 0;
    if (dataSource) strcpy(dataSource, source);
    if (uiMode) *uiMode = mode;
    return 1;
}
