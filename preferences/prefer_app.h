// What every part of ZemPrefer shares: the library's module (CZemPreferApp), texts by
// string id, and the link targets with their settings sections and field lists.
#pragma once
#include <windows.h>
#include <string>

#define LINK_TARGET_COUNT  6
#define EXPORT_FLAG_COUNT  30
#define EXPORT_FIELD_COUNT 28
#define MAP_FIELD_COUNT    28

// The library's application object: its module handle, set when the library is loaded.
struct CZemPreferApp {
    HINSTANCE Instance;
};
extern CZemPreferApp PreferApp;

// The text of a string resource of the library; empty when the id does not exist.
std::string LoadText(UINT id);

// Shows a string resource of the library in a message box over owner, captioned "Preferences".
void ShowMessage(HWND owner, UINT id, UINT icon);

// The folder of the ZemPrefer library file, ending with a backslash.
std::string LibraryFolder();

// The field list of a link target for the field map: first string id and entry count
// (0 entries for the Mobile Phone, which has no field list).
struct TargetFieldList {
    UINT FirstString;
    int Count;
};
TargetFieldList FieldListOf(int linkType);

// The direction digits of an ExportOptn text and the targets it offers, in link-type order.
// Only a digit of 1, 2 or 3 offers its target: a missing position or any other character
// leaves the target out (there is no picture and no caption for it).
struct OfferedTargets {
    int Direction[LINK_TARGET_COUNT];
    int Target[LINK_TARGET_COUNT];
    int Count;
};
void ParseExportOptions(const char* text, OfferedTargets* offered);
