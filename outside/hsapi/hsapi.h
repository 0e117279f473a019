// The HotSync API call that ZemPrefer makes, by ordinal (stdcall).
#pragma once
#include <windows.h>

#define HSAPI_LIBRARY          "HSAPI.DLL"
#define HSAPI_REFRESH_CONDUITS 109  // int (DWORD what, DWORD how): the HotSync manager re-reads its conduits

typedef int(WINAPI* HsRefreshFn)(DWORD what, DWORD how);
