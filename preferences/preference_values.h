// CZemPref: the preference values while the sheet is open, read from and written to the
// settings file. The pages change them; only OK writes them back.
#pragma once
#include <windows.h>
#include "prefer_app.h"

struct CZemPref {
    char IniPath[MAX_PATH];
    int SaveField[EXPORT_FLAG_COUNT];  // per export field: included
    int SaveFieldNames;                // header row of captions
    int ImageType;                     // 0 black and white, 1 grey, 2 colour
    int Resolution;                    // 0 600, 1 400, 2 300 dpi
    int AngleIndex;                    // 0-3: 0, 90, 180, 270 degrees
    int KeepDialog;
    int ScanMultiple;
    int AutoRotate;
    int ShowTwainUI;
    int DataOption[LINK_TARGET_COUNT];  // 1 all cards, 2 selected cards
    OfferedTargets Export;              // direction per link type and the offered targets
    int DefaultExport;                  // the active link target
    int PalmUser;
    int PalmMode;  // 0 handheld through the conduit, 1 Palm Desktop
    int ActVersion;
    char ActDatabase[256];
};

// The defaults of a new sheet, then every value from the settings file.
void LoadPreferences(CZemPref* pref, const char* iniPath);

// Writes every value back and settles the conduit registration for the Palm mode.
void SavePreferences(const CZemPref* pref, const char* iniPath);
