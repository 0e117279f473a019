#include "preference_values.h"
#include "conduit_registration.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char* const kSection = "Preference";

int ReadInt(const char* key, const char* iniPath) {
    return static_cast<int>(GetPrivateProfileIntA(kSection, key, 0, iniPath));
}

void WriteInt(const char* key, int value, const char* iniPath) {
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    WritePrivateProfileStringA(kSection, key, text, iniPath);
}

// Each character of a digit text on its own; a missing character gives 0.
void ReadDigits(const char* key, int* values, int count, const char* iniPath) {
    char text[32] = "";
    GetPrivateProfileStringA(kSection, key, "", text, sizeof(text), iniPath);
    size_t length = strlen(text);
    for (int i = 0; i < count; ++i) {
        char digit[2] = {static_cast<size_t>(i) < length ? text[i] : '\0', '\0'};
        values[i] = atoi(digit);
    }
}

void WriteDigits(const char* key, const int* values, int count, const char* iniPath) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::to_string(values[i]);
    WritePrivateProfileStringA(kSection, key, text.c_str(), iniPath);
}

// The export writes every field while SaveField is missing or empty, so the page shows every
// field ticked then and OK keeps that; otherwise each '0' or '1' sets its flag.
void ReadExportSelection(int* flags, const char* iniPath) {
    char text[64] = "";
    GetPrivateProfileStringA(kSection, "SaveField", "", text, sizeof(text), iniPath);
    for (int i = 0; i < EXPORT_FLAG_COUNT; ++i) flags[i] = text[0] == 0;
    for (int i = 0; i < EXPORT_FLAG_COUNT && text[i]; ++i)
        if (text[i] == '0' || text[i] == '1') flags[i] = text[i] - '0';
}

// The registration the Palm mode asks for: ZemSync for the handheld, the Address Book
// conduit for Palm Desktop; the HotSync manager reloads only after a change it must see.
void SettleConduit(int palmMode) {
    int state = GetZemConduitState();
    int registered = 0;
    if (palmMode == 0 && state != CONDUIT_ZEMSYNC) registered = RegisterZemConduit(true);
    else if (palmMode == 1 && state != CONDUIT_OTHER) registered = RegisterZemConduit(false);
    if (registered == 1) ReloadHotSyncConduits();
}

}  // namespace

void LoadPreferences(CZemPref* pref, const char* iniPath) {
    memset(pref, 0, sizeof(*pref));
    lstrcpynA(pref->IniPath, iniPath ? iniPath : "", sizeof(pref->IniPath));
    iniPath = pref->IniPath;

    ReadExportSelection(pref->SaveField, iniPath);
    // The export writes the field names while bSaveField is missing; the page shows that too.
    pref->SaveFieldNames = static_cast<int>(GetPrivateProfileIntA(kSection, "bSaveField", 1, iniPath));
    pref->ImageType = ReadInt("DefaultImgType", iniPath);
    pref->Resolution = ReadInt("DefaultReso", iniPath);
    pref->AngleIndex = ReadInt("DefaultAngle", iniPath) / 90;
    pref->KeepDialog = ReadInt("bKeepDlg", iniPath);
    pref->ScanMultiple = ReadInt("bScanMultiple", iniPath);
    pref->AutoRotate = ReadInt("AutoRotate", iniPath);
    pref->ShowTwainUI = ReadInt("ShowTWAINUI", iniPath);
    ReadDigits("DataOptn", pref->DataOption, LINK_TARGET_COUNT, iniPath);
    char exportOptions[32] = "";
    GetPrivateProfileStringA(kSection, "ExportOptn", "", exportOptions, sizeof(exportOptions), iniPath);
    ParseExportOptions(exportOptions, &pref->Export);
    pref->DefaultExport = ReadInt("DefaultExport", iniPath);
    pref->PalmUser = ReadInt("PalmUser", iniPath);
    pref->PalmMode = ReadInt("PalmMode", iniPath);
    pref->ActVersion = ReadInt("ActVer", iniPath);
    GetPrivateProfileStringA("ACT2000", "DBFileName", "", pref->ActDatabase, sizeof(pref->ActDatabase), iniPath);
}

void SavePreferences(const CZemPref* pref, const char* iniPath) {
    WriteInt("ShowTWAINUI", pref->ShowTwainUI, iniPath);
    WriteInt("bScanMultiple", pref->ScanMultiple, iniPath);
    WriteInt("AutoRotate", pref->AutoRotate, iniPath);
    WriteInt("bKeepDlg", pref->KeepDialog, iniPath);
    WriteInt("DefaultAngle", pref->AngleIndex * 90, iniPath);
    WriteInt("DefaultReso", pref->Resolution, iniPath);
    WriteInt("DefaultImgType", pref->ImageType, iniPath);
    WriteInt("PalmUser", pref->PalmUser, iniPath);
    SettleConduit(pref->PalmMode);
    WriteInt("PalmMode", pref->PalmMode, iniPath);
    WriteInt("ActVer", pref->ActVersion, iniPath);
    WritePrivateProfileStringA("ACT2000", "DBFileName", pref->ActDatabase, iniPath);
    WriteDigits("SaveField", pref->SaveField, EXPORT_FLAG_COUNT, iniPath);
    WriteInt("bSaveField", pref->SaveFieldNames, iniPath);
    WriteInt("DefaultExport", pref->DefaultExport, iniPath);
    WriteDigits("ExportOptn", pref->Export.Direction, LINK_TARGET_COUNT, iniPath);
    WriteDigits("DataOptn", pref->DataOption, LINK_TARGET_COUNT, iniPath);
}
