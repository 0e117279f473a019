// SCANL30.DLL: the second card reader's driver library. The program only loads it and keeps
// it loaded, so it offers nothing but its presence.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) { return TRUE; }
