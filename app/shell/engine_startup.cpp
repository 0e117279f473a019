// The recognition engine's document and database at start-up, and the engine's end.
#include "shell.h"
#include "resource.h"
#include "attribute_set.h"
#include <stdio.h>
#include <string.h>

#define FAST_START_INDEX -1
#define NOTHING_LOADED   -32767

static int ReadEngineText(const char* section, const char* key, const char* fallback, char* out) {
    ReadSettingText(section, key, fallback, out, 128);
    return out[0] != 0;
}

// Reads the engine's settings into the document; 0 at the first missing or unknown value.
static int ReadRecognitionSettings(RecogDocument* document, int* index) {
    RECOGNITIONSETTINGS* settings = &App.Recognition;
    char text[128];
    settings->DatabaseFolderCount = 0;
    if (ReadFolderSetting("TempDir", document->TempFolder, sizeof document->TempFolder) <= 0) return 0;
    if (!ReadEngineText("CodePage", "DisplayCode", "", text)) return 0;
    if (lstrcmpiA(text, "BIG5") == 0) document->CodePage = 0;
    else if (lstrcmpiA(text, "GB2312") == 0) document->CodePage = 1;
    else if (lstrcmpiA(text, "SJIS") == 0) document->CodePage = 2;
    else return 0;
    if (!ReadEngineText("DataBase", "PathComm", "", settings->CommonDatabasePath)) return 0;
    for (int n = 0; n < RECOGNITION_FOLDER_MAX; ++n) {
        char key[8];
        snprintf(key, sizeof key, "DBS%d", n);
        if (ReadEngineText("DataBase", key, "", text))
            lstrcpynA(settings->DatabaseFolders[settings->DatabaseFolderCount++], text, 260);
    }
    ReadEngineText("DataBase", "DefCharSet", "0", text);
    App.CurrentDatabaseIndex = atoi(text);
    if (App.CurrentDatabaseIndex >= settings->DatabaseFolderCount) App.CurrentDatabaseIndex = 0;
    ReadEngineText("DataBase", "FastLaunch", "0", text);
    *index = text[0] == '1' ? FAST_START_INDEX : App.CurrentDatabaseIndex;
    return 1;
}

// 1 when the database is loaded (or nothing had to be done), 0 when the engine refused it.
int LoadRecognitionDatabase(RecogDocument* document, int index) {
    if (index == App.LoadedDatabaseIndex) return 1;
    RecogLoadRecord record;
    memset(&record, 0, sizeof record);
    lstrcpynA(record.CommonPath, App.Recognition.CommonDatabasePath, sizeof record.CommonPath);
    if (index == FAST_START_INDEX) return TVRK_load_database(document->CodePage, &record, 0) == 1;
    if (index < 0 || index >= App.Recognition.DatabaseFolderCount) return 1;
    lstrcpynA(record.DatabaseFolder, App.Recognition.DatabaseFolders[index], sizeof record.DatabaseFolder);
    if (TVRK_load_database(document->CodePage, &record, 1) != 1) return 0;
    lstrcpynA(document->DatabaseFolder, record.DatabaseFolder, sizeof document->DatabaseFolder);
    lstrcpynA(document->CommonDatabasePath, record.CommonPath, sizeof document->CommonDatabasePath);
    document->DatabaseKind = (record.ResultKind >= 0 && record.ResultKind <= 2) ? (uint8_t)record.ResultKind : 0;
    App.LoadedDatabaseIndex = App.CurrentDatabaseIndex = index;
    WriteSettingInt("DataBase", "DefCharSet", index);
    return 1;
}

// The attributes every page hands to the engine.
void InitPageAttributes(uint8_t* block) {
    memset(block, 0, 16);
    set_attribute(0, block, 7);
    set_attribute(2, block, 1);
    set_attribute(5, block, 1);
}

// Creates the engine's document and loads its database. Returns 0 only when the engine
// refused the database; without usable settings the program starts without a database
// and recognition reports the missing database when it is asked for.
int CreateRecognitionDocument(void) {
    int loaded = 1;
    App.LoadedDatabaseIndex = NOTHING_LOADED;
    BeginProgress(IDS_LOADING_DATABASE);
    if (Create_Document(&App.Document, &App.Workspace) == 1) {
        App.Document->PageFlag = 1;
        InitPageAttributes(App.PageAttributes);
        int index = 0;
        if (ReadRecognitionSettings(App.Document, &index)) loaded = LoadRecognitionDatabase(App.Document, index);
    }
    EndProgress();
    return loaded;
}

void EndRecognitionEngine(void) {
    if (App.Document) {
        RemoveDocumentInfo(App.Document);
        Delete_Document(App.Document, App.Workspace);
        App.Document = NULL;
        App.Workspace = NULL;
    }
    TVRK_free_database_and_working_buffer();
    TVRK_term_FR4();
}
