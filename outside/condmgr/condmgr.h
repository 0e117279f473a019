// The conduit manager's calls as its callers import them: by ordinal, stdcall. Results are
// 0 for success and negative codes for failures.
#pragma once
#include <windows.h>

#define CONDMGR_LIBRARY "CONDMGR.DLL"

// Codes the stand-in gives.
#define CONDMGR_NOT_FOUND     (-1003)  // no conduit registered for that creator
#define CONDMGR_UNUSABLE      (-1006)  // the manager cannot be used
#define CONDMGR_EXISTS        (-1009)  // the creator is already registered
#define CONDMGR_BUFFER_SMALL  (-1010)  // the buffer cannot hold the answer
#define CONDMGR_NOT_REMOVABLE (-1012)  // the registration cannot be removed

enum CondMgrOrdinal {
    CONDMGR_COUNT = 4,           // int ()
    CONDMGR_CREATOR_AT = 10,     // int (int index, char* buffer, int* size)
    CONDMGR_SET_PRIORITY = 40,   // int (const char* creator, int priority)
    CONDMGR_SET_FILE = 46,       // int (const char* creator, const char* conduitFile)
    CONDMGR_FILE_OF = 47,        // int (const char* creator, char* buffer, int* size)
    CONDMGR_SET_FOLDER = 48,     // int (const char* creator, const char* folderName)
    CONDMGR_SET_REMOTE_DB = 50,  // int (const char* creator, const char* database)
    CONDMGR_SET_TITLE = 54,      // int (const char* creator, const char* title)
    CONDMGR_SET_DATA_FILE = 63,  // int (const char* creator, const char* fileName)
    CONDMGR_REMOVE = 65,         // int (const char* creator)
    CONDMGR_INSTALL = 67,        // int (const char* creator, int conduitType)
    CONDMGR_CORE_PATH = 88,      // int (char* buffer, int* size)
    CONDMGR_HOTSYNC_PATH = 90,   // int (char* buffer, int* size)
};

typedef int(WINAPI* CondMgrVoidFn)(void);
typedef int(WINAPI* CondMgrBufferFn)(char* buffer, int* size);
typedef int(WINAPI* CondMgrIndexFn)(int index, char* buffer, int* size);
typedef int(WINAPI* CondMgrQueryFn)(const char* creator, char* buffer, int* size);
typedef int(WINAPI* CondMgrSetTextFn)(const char* creator, const char* value);
typedef int(WINAPI* CondMgrSetIntFn)(const char* creator, int value);
typedef int(WINAPI* CondMgrCreatorFn)(const char* creator);
