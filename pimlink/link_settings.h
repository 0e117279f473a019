// The link sections of the settings file and the textual field map.
#pragma once
#include "card_field_slot.h"

namespace ferrow {

// Position k of a FieldMap text -> the card field slot it fills.
extern const int FieldMapSlotTable[28];

// The settings file section of a link type ("Palm", "WINCE", "OUTLOOK", "OUTLOOK_EX",
// "ACT2000", "ACT3"); null for type 2 and unknown types.
const char* LinkSectionName(int linkType);

// Fills the field map from a FieldMap text: up to 28 numbers separated by one ',' or one
// character of value 32 or less (as a signed byte); missing and malformed numbers give 0.
void ParseFieldMap(const char* text, FieldMap* map);

// Per call settings of a link.
struct LinkSettings {
    char dbFileName[256];
    FieldMap map;
    int palmUser;
    int palmMode;
};

// Reads [Preference] PalmUser and PalmMode, and DBFileName and FieldMap of the link's section.
void ReadLinkSettings(const char* iniPath, int linkType, LinkSettings* settings);

// Stores DBFileName in the link's section (types 1 and 2 store nothing) and clears the map.
void SaveLinkDBFileName(const char* iniPath, const char* fileName, FieldMap* map, int linkType);

}  // namespace ferrow
