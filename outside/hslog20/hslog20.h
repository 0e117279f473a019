// The HotSync log call a conduit makes, by ordinal (stdcall).
#pragma once
#include <windows.h>

#define HSLOG20_LIBRARY "HSLOG20.DLL"
#define HSLOG_ADD_ENTRY 52  // void (const char* text, int activity, int timestamped)

typedef void(WINAPI* LogAddEntryFn)(const char* text, int activity, int timestamped);
