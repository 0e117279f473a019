// ZemPrefer: the Preferences dialog and the export-options pop-up. Both work only on the
// settings file whose path the caller passes; the caller re-reads its keys afterwards.
#pragma once
#include <windows.h>

#ifdef ZEMPREFER_BUILDING
#define ZEMPREFER_API __declspec(dllexport)
#else
#define ZEMPREFER_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Runs the modal Preferences sheet (Scan Options, Export Options, Synchronization) over the
// settings file iniPath. OK writes the [Preference] keys and settles the HotSync conduit
// registration for the chosen Palm mode; Cancel writes nothing. Always 0.
ZEMPREFER_API int __cdecl ShowPreferDlg(const char* iniPath);

// Pops up the pictures of the link targets that [Preference] ExportOptn offers, with the
// menu's top-left corner at place[0], place[1] (screen coordinates; place holds four
// integers). Choosing one writes its link type as [Preference] DefaultExport; Escape or a
// click elsewhere writes nothing. Always 1.
ZEMPREFER_API int __cdecl ShowExportMenu(HWND mainWindow, const char* iniPath, int* place);

#ifdef __cplusplus
}
#endif
