// Palm Desktop's user library as its callers import it: by ordinal, stdcall.
#pragma once
#include <windows.h>

#define USERDATA_LIBRARY "UserData.dll"

enum UserDataOrdinal {
    USERDATA_COUNT = 101,           // WORD (): the number of Palm Desktop users
    USERDATA_ID_AT = 102,           // int (WORD number, DWORD* id): above 0 with the id of user number (from 0)
    USERDATA_NAME = 103,            // int (DWORD id, char* buffer, int* size): 0 with the user's name
    USERDATA_FOLDER = 104,          // int (DWORD id, char* buffer, int* size): 0 with the user's folder name
    USERDATA_DESKTOP_FOLDER = 105,  // int (char* buffer, int* size): 0 with Palm Desktop's folder (ends with '\')
};

typedef WORD(WINAPI* UserCountFn)(void);
typedef int(WINAPI* UserIdAtFn)(WORD number, DWORD* id);
typedef int(WINAPI* UserTextFn)(DWORD id, char* buffer, int* size);
typedef int(WINAPI* DesktopFolderFn)(char* buffer, int* size);

// Codes besides 0.
#define USERDATA_UNKNOWN_USER (-1)
#define USERDATA_BUFFER_SMALL (-2)
