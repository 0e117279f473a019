// The HotSync common library's language-resource calls, by ordinal (stdcall).
#pragma once
#include <windows.h>

#define PALMCMN_LIBRARY       "PalmCmn.DLL"
#define PALMCMN_LOAD_LANGUAGE 2  // HINSTANCE (const char* library, HINSTANCE caller, int* status)
#define PALMCMN_FREE_LANGUAGE 3  // void (HINSTANCE resources, HINSTANCE caller)

typedef HINSTANCE(WINAPI* LoadLanguageFn)(const char* library, HINSTANCE caller, int* status);
typedef void(WINAPI* FreeLanguageFn)(HINSTANCE resources, HINSTANCE caller);
