// The recognition database: the stand-in checks only that the named folder exists.
#include "tvrksdk.h"
#include "database.h"
#include "trace.h"
#include "load_hold.h"
#include <windows.h>
#include <stdio.h>

namespace {
bool g_databaseLoaded = false;
int g_codePage = 0;

bool IsFolder(const char* path) {
    DWORD attrs = GetFileAttributesA(path);
    return path[0] && attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

extern "C" int32_t TVRK_load_database(int32_t codePage, RecogLoadRecord* record, int32_t withDatabase) {
    char line[320];
    snprintf(line, sizeof line, "TVRK_load_database %d %d %.260s", codePage, withDatabase,
             record ? record->DatabaseFolder : "");
    TraceEngineCall(line);
    HoldLoadWhileAsked();
    if (!record || codePage < 0 || codePage > 2) return 0;
    g_codePage = codePage;
    if (!withDatabase) return 1;
    if (!IsFolder(record->DatabaseFolder)) return 0;
    record->ResultKind = 0;
    g_databaseLoaded = true;
    return 1;
}

bool ReadsChinese() { return g_codePage == 1; }

extern "C" int32_t TVRK_free_database_and_working_buffer(void) {
    TraceEngineCall("TVRK_free_database_and_working_buffer");
    g_databaseLoaded = false;
    return 1;
}

extern "C" int32_t TVRK_term_FR4(void) {
    TraceEngineCall("TVRK_term_FR4");
    return 1;
}
