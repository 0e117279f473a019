// The settings file: defaults from an empty file, what closing writes, and a restricted
// user's per-user copy.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "card_files.h"
#include <stdio.h>

namespace {

// Starts the program, checks its window came up, closes it and returns the exit code.
int RunAndClose(const Installation& installation, const std::vector<std::pair<std::string, std::string>>& env = {}) {
    ProgramRun run(installation, "", env);
    HWND main = run.WaitForMainWindow();
    EXPECT_NE(main, nullptr);
    if (!main) return -1;
    PostMessageA(main, WM_CLOSE, 0, 0);
    return run.WaitForExit();
}

std::string ReadFrom(const std::string& ini, const char* section, const char* key) {
    char value[512];
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
    return value;
}

}  // namespace

TEST(Settings, EmptyFileStartsOnDefaultsAndClosingWritesTheSessionKeys) {
    Installation installation("settings-empty");
    installation.EmptySettings();
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND bar = run.Child("IMC_CMD20");
    ASSERT_NE(bar, nullptr);
    // ShowWebSite 1: the web-site button, no upgrade check.
    EXPECT_NE(GetDlgItem(bar, 713), nullptr);
    EXPECT_EQ(GetDlgItem(bar, 720), nullptr);
    // DefaultExport 0 and no ExportOptn: the Link button speaks of Palm, direction 1.
    HWND status = run.Child("IMC_STAT20");
    RECT r;
    GetWindowRect(GetDlgItem(bar, 711), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PumpMessages(1500);
    EXPECT_EQ(WindowText(status), "Export to Palm");
    // No DataBaseName and no DEFAULT.MDB: a new untitled card file.
    EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Untitled.mdb");
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0);

    struct Key {
        const char* section;
        const char* key;
        const char* value;
    } written[] = {
        {"Preference", "Undoable", "1"},
        {"Preference", "ToolTip", "1"},
        {"Preference", "ShowTWAINUI", "0"},
        {"Status", "CurCard", "-1"},  // no current card
        {"SendTo", "Count", "0"},
        // The untitled card file is never remembered, nor an empty recent-file list.
        {"CardBase", "DataBaseName", "<missing>"},
        {"CardBase", "Count", "<missing>"},
        {"OpenFile", "Count", "<missing>"},
    };
    for (const Key& k : written) EXPECT_EQ(installation.ReadSetting(k.section, k.key, "<missing>"), k.value) << k.key;
}

TEST(Settings, ClosingANamedCardFileRemembersItAndItsList) {
    Installation installation("settings-named");
    std::string cards = installation.Path("Database\\Cards.mdb");
    ASSERT_TRUE(CreateCardFile(cards, {{"Ann Ash", "", ""}, {"Bob Birch", "", ""}}));
    installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
    installation.WriteSetting("CardBase", "Count", "9");
    installation.WriteSetting("CardBase", "File1", "C:\\a.mdb");
    installation.WriteSetting("CardBase", "File4", "C:\\d.mdb");
    installation.WriteSetting("CardBase", "File5", "C:\\e.mdb");
    installation.WriteSetting("Preference", "ToolTip", "0");
    installation.WriteSetting("Preference", "ShowWebSite", "2");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Cards.mdb");
    HWND bar = run.Child("IMC_CMD20");
    EXPECT_NE(GetDlgItem(bar, 720), nullptr);
    // With tool tips off the status text still follows the mouse, but no hint shows.
    RECT r;
    GetWindowRect(GetDlgItem(bar, 702), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PumpMessages(1000);
    EXPECT_EQ(WindowText(run.Child("IMC_STAT20")), "Search");
    HWND hint = FindWindowA("IMC_Hint20", nullptr);
    EXPECT_TRUE(hint == nullptr || !IsWindowVisible(hint));
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0);

    EXPECT_EQ(installation.ReadSetting("CardBase", "DataBaseName"), cards);
    // At most four list entries are read, and written back.
    EXPECT_EQ(installation.ReadSetting("CardBase", "Count"), "4");
    EXPECT_EQ(installation.ReadSetting("CardBase", "File1"), "C:\\a.mdb");
    EXPECT_EQ(installation.ReadSetting("CardBase", "File4"), "C:\\d.mdb");
    EXPECT_EQ(installation.ReadSetting("Preference", "ToolTip"), "0");
    EXPECT_EQ(installation.ReadSetting("Status", "CurCard"), "1");
}

TEST(Settings, RestrictedUserFirstRunWritesItsKeysOnceAndSecondRunNone) {
    Installation installation("settings-restricted", Installation::TestRoads);
    std::string folder = installation.Path("peruser\\");
    std::vector<std::pair<std::string, std::string>> env = {{"ZEM40_TEST_RESTRICTED_USER", "1"},
                                                            {"PATHKEEP_FOLDER", folder}};
    std::string ownBefore = ReadWholeFile(installation.SettingsPath());
    ASSERT_EQ(RunAndClose(installation, env), 0);
    std::string ini = folder + "zem40.ini";
    ASSERT_TRUE(IsFile(ini));
    struct Key {
        const char* section;
        const char* key;
        std::string value;
    } firstRun[] = {
        {"Directory", "WorkDir", folder},
        {"Directory", "TempDir", folder + "TVRKTEMP"},
        {"Directory", "ImageDir", folder + "IMAGE"},
        {"Directory", "ThumbDir", folder + "thumb"},
        {"PALM", "DBFileName", folder + "zemsync.mdb"},
        {"WINCE", "DBFileName", folder + "wincesync.dat"},
        {"OpenFile", "Count", "0"},
        {"CardBase", "DataBaseName", ""},
        {"CardBase", "Count", "0"},
        {"PaperLayout", "Count", "23"},
        {"PaperLayout", "SelectLayout", "0"},
        {"Preference", "ExportOptn", "010110"},
        {"Preference", "bEnableExportOptn", "0101100"},
        {"Preference", "DefaultExport", "1"},
    };
    for (const Key& k : firstRun) EXPECT_EQ(ReadFrom(ini, k.section, k.key), k.value) << k.key;
    for (const char* sub : {"TVRKTEMP", "IMAGE", "thumb", "Database"})
        EXPECT_NE(GetFileAttributesA((folder + sub).c_str()), INVALID_FILE_ATTRIBUTES) << sub;
    EXPECT_TRUE(IsFile(folder + "empty.tif"));
    // The program's own settings stay untouched by the per-user run.
    EXPECT_EQ(ReadWholeFile(installation.SettingsPath()), ownBefore);

    // The user changes three of those keys; a second run keeps them.
    WritePrivateProfileStringA("Preference", "ExportOptn", "222222", ini.c_str());
    WritePrivateProfileStringA("Preference", "DefaultExport", "3", ini.c_str());
    WritePrivateProfileStringA("PaperLayout", "Count", "7", ini.c_str());
    ASSERT_EQ(RunAndClose(installation, env), 0);
    EXPECT_EQ(ReadFrom(ini, "Preference", "ExportOptn"), "222222");
    EXPECT_EQ(ReadFrom(ini, "Preference", "DefaultExport"), "3");
    EXPECT_EQ(ReadFrom(ini, "PaperLayout", "Count"), "7");
}

// The current card of the last session comes back when it still exists; any other stored
// value leaves the first card current (and that is what the next close writes).
TEST(Settings, CurrentCardIsRestoredOnlyWithinTheCardCount) {
    struct Case {
        const char* stored;
        const char* writtenBack;
    } cases[] = {{"2", "2"}, {"3", "3"}, {"0", "1"}, {"-1", "1"}, {"4", "1"}};
    Installation installation("settings-curcard");
    std::string cards = installation.Path("Database\\Three.mdb");
    ASSERT_TRUE(CreateCardFile(cards, {{"A", "", ""}, {"B", "", ""}, {"C", "", ""}}));
    installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
    for (const Case& c : cases) {
        installation.WriteSetting("Status", "CurCard", c.stored);
        ASSERT_EQ(RunAndClose(installation), 0) << c.stored;
        EXPECT_EQ(installation.ReadSetting("Status", "CurCard"), c.writtenBack) << c.stored;
    }
}
