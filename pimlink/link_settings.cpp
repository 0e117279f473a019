#include "link_settings.h"
#include <windows.h>
#include <stdlib.h>
#include <string.h>

namespace ferrow {

const int FieldMapSlotTable[28] = {
    0, 6, 12, 13, 20, 16, 48, 50, 49, 55, 56, 61, 62, 57, 58, 24, 26, 27, 28, 29, 30, 32, 33, 34, 35, 71, 67, 68,
};

const char* LinkSectionName(int linkType) {
    static const char* const names[] = {"Palm", "WINCE", nullptr, "OUTLOOK", "OUTLOOK_EX", "ACT2000", "ACT3"};
    return linkType >= 0 && linkType < 7 ? names[linkType] : nullptr;
}

namespace {

bool IsSeparator(char c) { return static_cast<signed char>(c) <= 32; }

}  // namespace

void ParseFieldMap(const char* text, FieldMap* map) {
    char work[256];
    strncpy(work, text ? text : "", sizeof(work) - 1);
    work[sizeof(work) - 1] = '\0';
    char* p = work;
    for (int k = 0; k < 28; ++k) {
        while (*p && IsSeparator(*p)) ++p;
        char* token = p;
        while (*p && *p != ',' && !IsSeparator(*p)) ++p;
        if (*p) *p++ = '\0';
        map->id[FieldMapSlotTable[k]] = static_cast<int16_t>(atoi(token));
    }
}

void ReadLinkSettings(const char* iniPath, int linkType, LinkSettings* settings) {
    memset(settings, 0, sizeof(*settings));
    settings->palmUser = static_cast<int>(GetPrivateProfileIntA("Preference", "PalmUser", 0, iniPath));
    settings->palmMode = static_cast<int>(GetPrivateProfileIntA("Preference", "PalmMode", 0, iniPath));
    const char* section = LinkSectionName(linkType);
    if (!section) return;
    GetPrivateProfileStringA(section, "DBFileName", "", settings->dbFileName, sizeof(settings->dbFileName), iniPath);
    char mapText[256] = "";
    GetPrivateProfileStringA(section, "FieldMap", "", mapText, sizeof(mapText), iniPath);
    if (mapText[0]) ParseFieldMap(mapText, &settings->map);
}

void SaveLinkDBFileName(const char* iniPath, const char* fileName, FieldMap* map, int linkType) {
    memset(map, 0, sizeof(*map));
    if (linkType == 1 || linkType == 2) return;
    const char* section = LinkSectionName(linkType);
    if (section) WritePrivateProfileStringA(section, "DBFileName", fileName, iniPath);
}

}  // namespace ferrow
