// The settings file zem40.ini: where it lives, and the preferences the program keeps.
#include "shell.h"
#include "print.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

// Replaces the extension of the last path component; a name without a dot stays as it is
// (a dot in a folder name is not an extension) and the caller learns that nothing changed.
BOOL ReplaceFileExtension(char* path, const char* extension) {
    char* name = strrchr(path, '\\');
    char* slash = strrchr(path, '/');
    if (slash && (!name || slash > name)) name = slash;
    char* dot = strrchr(name ? name : path, '.');
    if (!dot) return FALSE;
    strcpy(dot + 1, extension);
    return TRUE;
}

// The settings file of a program file: its path with the extension "INI". A program file
// without an extension gets ".INI" appended: the settings must never be written into the
// program file itself. An empty module path gives an empty settings path.
void FormProgramSettingsPath(const char* module, char* path, int size) {
    lstrcpynA(path, module, size);
    if (!path[0] || ReplaceFileExtension(path, "INI")) return;
    size_t n = strlen(path);
    if (n + 5 <= (size_t)size) strcpy(path + n, ".INI");
}

void GetProgramSettingsPath(char* path, int size) {
    char module[MAX_PATH];
    DWORD n = GetModuleFileNameA(App.Instance, module, sizeof module);
    if (n == 0 || n >= sizeof module) module[0] = 0;
    FormProgramSettingsPath(module, path, size);
}

// Every reader forms the path afresh, so a per-user switch at start-up takes effect at once.
void GetSettingsPath(char* path, int size) {
    if (App.PerUserMode) JoinFolderAndName(path, size, App.PerUserFolder, "Zem40.ini");
    else GetProgramSettingsPath(path, size);
}

int ReadSettingInt(const char* section, const char* key, int fallback) {
    char path[MAX_PATH];
    GetSettingsPath(path, sizeof path);
    return (int)GetPrivateProfileIntA(section, key, fallback, path);
}

void ReadSettingText(const char* section, const char* key, const char* fallback, char* out, int size) {
    char path[MAX_PATH];
    GetSettingsPath(path, sizeof path);
    GetPrivateProfileStringA(section, key, fallback, out, size, path);
}

void WriteSettingText(const char* section, const char* key, const char* value) {
    char path[MAX_PATH];
    GetSettingsPath(path, sizeof path);
    WritePrivateProfileStringA(section, key, value, path);
}

void WriteSettingInt(const char* section, const char* key, int value) {
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    WriteSettingText(section, key, text);
}

static const char* const kPreferenceKeys[] = {"Status",   "DefaultScale", "DefaultView", "ShowDialog",
                                              "Undoable", "ToolTip",      "ShowWebSite"};
static const int kPreferenceDefaults[] = {16129, 0, 1, 0, 1, 1, 1};

// Indexed access to the seven start-up preferences.
void ReadPreferenceValue(int index, int* value) {
    if (index < 1 || index > 7) return;
    *value = ReadSettingInt("Preference", kPreferenceKeys[index - 1], kPreferenceDefaults[index - 1]);
}

void WritePreferenceValue(int index, const char* text) {
    if (index < 1 || index > 6) return;
    WriteSettingText("Preference", kPreferenceKeys[index - 1], text);
}

void LoadStartupPreferences(void) {
    ReadPreferenceValue(1, &App.StatusWord);
    ReadPreferenceValue(2, &App.DefaultScale);
    ReadPreferenceValue(3, &App.DefaultView);
    ReadPreferenceValue(5, &App.UndoFlag);
    ReadPreferenceValue(6, &App.ToolTipFlag);
}

// A digit string gives one number per character; characters past its end count as 0.
static void ReadDigitString(const char* key, int* out, int count) {
    char text[32];
    ReadSettingText("Preference", key, "", text, sizeof text);
    int len = (int)strlen(text);
    for (int i = 0; i < count; ++i) out[i] = (i < len && text[i] >= '0' && text[i] <= '9') ? text[i] - '0' : 0;
}

// The Link button shows the direction its target is set to; an unknown direction keeps the
// picture it had.
static void ChooseLinkButtonBitmap(void) {
    if (App.DefaultExport < 0 || App.DefaultExport >= LINK_TYPE_COUNT) return;
    switch (App.LinkDirection[App.DefaultExport]) {
    case 1: App.LinkButtonBitmapBase = IDB_LINK_EXPORT_BASE; break;
    case 2: App.LinkButtonBitmapBase = IDB_LINK_IMPORT_BASE; break;
    case 3: App.LinkButtonBitmapBase = IDB_LINK_SYNC_BASE; break;
    default: break;
    }
}

// Language number n of the status bar menu and the engine's code and page value for it.
static void SelectRecognitionLanguage(int n) {
    static const int kEngineCodes[] = {15, 102, 101, 103, 104};
    static const int kPageValues[] = {0, 5, 2, 8, 9};
    App.SelectLanguage = n;
    App.LanguageMenuCommand = 700 + n;
    if (n >= 1 && n <= 5) {
        App.EngineLanguageCode = kEngineCodes[n - 1];
        App.PageLanguageValue = kPageValues[n - 1];
    }
}

void LoadScanAndExportPreferences(void) {
    App.DefaultAngle = ReadSettingInt("Preference", "DefaultAngle", 0);
    App.AutoRotate = ReadSettingInt("Preference", "AutoRotate", 0);
    App.DefaultExport = ReadSettingInt("Preference", "DefaultExport", 0);
    App.ShowTwainUI = ReadSettingInt("Preference", "ShowTWAINUI", 0);
    App.ScanDeskew = ReadSettingInt("Preference", "bScanDeskew", 1);
    App.ScanMultiple = ReadSettingInt("Preference", "bScanMultiple", 1);
    App.DefaultReso = ReadSettingInt("Preference", "DefaultReso", 1);
    App.DefaultImgType = ReadSettingInt("Preference", "DefaultImgType", 1);
    App.KeepDialog = ReadSettingInt("Preference", "bKeepDlg", 1);
    App.SaveFieldNames = ReadSettingInt("Preference", "bSaveField", 1);
    App.DetectCalibration = ReadSettingInt("Preference", "DetectIsScannerNeedCalibrate", 0);

    char saveField[EXPORT_FIELD_COUNT + 2];
    ReadSettingText("Preference", "SaveField", "", saveField, sizeof saveField);
    SetExportSelectionFromText(saveField);
    ReadDigitString("DataOptn", App.DataOptions, LINK_TYPE_COUNT);
    ReadDigitString("ExportOptn", App.LinkDirection, LINK_TYPE_COUNT);
    ChooseLinkButtonBitmap();

    char text[32];
    ReadSettingText("Preference", "ShowBorder", "1", text, sizeof text);
    App.ShowBorder = atoi(text);
    ReadDigitString("LanguageSwitch", App.LanguageSwitch, LINK_TYPE_COUNT);
    for (int i = 0; i < LINK_TYPE_COUNT; ++i) App.LanguageSwitch[i] = App.LanguageSwitch[i] ? 1 : 0;
    char language[5];
    ReadSettingText("Preference", "SelectLanguage", "0", language, sizeof language);
    SelectRecognitionLanguage(atoi(language));
}

// What the main window's destruction writes: the flags, the card-file list, the TWAIN flag.
void SaveSessionSettings(void) {
    WriteSettingText("Preference", "Undoable", App.UndoFlag ? "1" : "0");
    WriteSettingText("Preference", "ToolTip", App.ToolTipFlag ? "1" : "0");
    if (App.CardFilePath[0] && !IsUntitledCardFile(App.CardFilePath)) {
        WriteSettingText("CardBase", "DataBaseName", App.CardFilePath);
        WriteSettingInt("CardBase", "Count", App.CardFileListCount);
        for (int i = 0; i < App.CardFileListCount && i < CARD_FILE_LIST_MAX; ++i) {
            char key[16];
            snprintf(key, sizeof key, "File%d", i + 1);
            WriteSettingText("CardBase", key, App.CardFileList[i]);
        }
    }
    WriteSettingInt("Preference", "ShowTWAINUI", App.ShowTwainUI);
}
