// CExportMenuWnd and CCustomMenu: the pop-up of link-target pictures from which the user
// picks the active target.
#pragma once
#include <windows.h>

// Pops the menu up at place[0], place[1]; a choice is written as DefaultExport.
void RunExportMenu(HWND mainWindow, const char* iniPath, const int* place);
