// CFieldMapDlg, "Field Name Mapping": which field of a link target receives each of the 28
// card fields, kept as FieldMap in the target's section of the settings file.
#pragma once
#include <windows.h>
#include "prefer_app.h"

struct PropertyItem;

struct CFieldMapDlg {
    int Target;  // link type
    char IniPath[MAX_PATH];
    int Map[MAP_FIELD_COUNT];  // per card field the target's field number, 0 for none
    PropertyItem* Items[MAP_FIELD_COUNT];
};

// Reads FieldMap (DefFieldMap with useDefault) of the target's section; an empty or missing
// value leaves the map as it is.
void LoadFieldMap(CFieldMapDlg* dialog, bool useDefault);

// Writes the 28 numbers as FieldMap, joined by ",".
void SaveFieldMap(const CFieldMapDlg* dialog);

// Runs the dialog modally for a target; the Mobile Phone, which has no field list, gets none.
void RunFieldMapDialog(HWND owner, int target, const char* iniPath);
