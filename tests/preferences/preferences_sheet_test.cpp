// The Preferences sheet driven through its pages; what it wrote is read back from the file.
#include "prefer_fixture.h"
#include "file_bytes.h"
#include "gui_driver.h"
#include "window_helpers.h"
#include <vector>

using namespace dialog_driver;

namespace {

const int kScanPage = 0, kExportPage = 1, kSyncPage = 2;

std::vector<std::string> TargetNames(HWND page) {
    std::vector<std::string> names;
    HWND combo = GetDlgItem(page, 3019);
    for (int i = 0; i < EntryCount(page, 3019); ++i) names.push_back(EntryText(combo, i));
    return names;
}

class PreferencesSheet : public PreferFixture {
protected:
    // The keys of the Synchronization page: directions, data options, active target.
    void WriteLinkKeys(const char* exportOptn, const char* dataOptn, const char* defaultExport) const {
        Write("Preference", "ExportOptn", exportOptn);
        Write("Preference", "DataOptn", dataOptn);
        Write("Preference", "DefaultExport", defaultExport);
    }
    void ExpectLinkKeys(const char* exportOptn, const char* dataOptn, const char* defaultExport) const {
        EXPECT_EQ(Read("Preference", "ExportOptn"), exportOptn);
        EXPECT_EQ(Read("Preference", "DataOptn"), dataOptn);
        EXPECT_EQ(Read("Preference", "DefaultExport"), defaultExport);
    }
};

TEST_F(PreferencesSheet, CancelAfterChangesOnEveryPageLeavesTheFileAsItWas) {
    Write("Preference", "ExportOptn", "010110");
    Write("Preference", "DefaultExport", "1");
    Write("Preference", "SaveField", "111111111111111111111111111111");
    Write("Palm", "FieldMap", "1,2,3");
    std::string before = ReadWholeFile(Ini());
    RunSheet([&](HWND sheet) {
        HWND scan = ShowPage(sheet, kScanPage);
        Click(scan, 3005);
        ChooseEntry(scan, 3011, 4);
        HWND fields = ShowPage(sheet, kExportPage);
        ClickRow(GetDlgItem(fields, 3016), 3);
        Click(fields, 3017);
        HWND sync = ShowPage(sheet, kSyncPage);
        ChooseEntry(sync, 3019, 1);
        Click(sync, 3024);
        Click(sync, 3020);
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(ReadWholeFile(Ini()), before);
}

// Only a digit of 1 to 3 offers its target, in link-type order.
TEST_F(PreferencesSheet, OffersTheTargetsThatExportOptnSwitchesOn) {
    struct Case {
        const char* exportOptn;
        std::vector<std::string> names;
    } cases[] = {
        {"010110", {"Windows CE Device", "Microsoft Outlook", "Microsoft Outlook Express"}},
        {"0101", {"Windows CE Device", "Microsoft Outlook"}},
        {"040130", {"Microsoft Outlook", "Microsoft Outlook Express"}},
        {"000000", {}},
    };
    for (const Case& c : cases) {
        Write("Preference", "ExportOptn", c.exportOptn);
        std::vector<std::string> shown;
        RunSheet([&](HWND sheet) { shown = TargetNames(ShowPage(sheet, kSyncPage)); });
        EXPECT_EQ(shown, c.names) << c.exportOptn;
    }
}

TEST_F(PreferencesSheet, BothWaysWithOutlookTakesAllCards) {
    WriteLinkKeys("010110", "222222", "3");
    bool selectedEnabled = true;
    std::string caption;
    RunSheet([&](HWND sheet) {
        HWND sync = ShowPage(sheet, kSyncPage);
        caption = WindowText(GetDlgItem(sync, 3024));
        Click(sync, 3024);
        selectedEnabled = IsEnabled(sync, 3027);
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(caption, "Nimbra<->Outlook");
    EXPECT_FALSE(selectedEnabled);
    ExpectLinkKeys("010310", "222122", "3");
}

TEST_F(PreferencesSheet, ChangingTheTargetKeepsWhatWasChosenForTheOneBefore) {
    WriteLinkKeys("010110", "111111", "1");
    RunSheet([&](HWND sheet) {
        HWND sync = ShowPage(sheet, kSyncPage);
        ChooseEntry(sync, 3019, 1);  // Outlook
        Click(sync, 3027);
        ChooseEntry(sync, 3019, 2);  // Outlook Express
        Click(sync, 3023);
        Click(sync, 3020);
        PressSheetButton(sheet, PSBTN_OK);
    });
    ExpectLinkKeys("010120", "111211", "4");
}

TEST_F(PreferencesSheet, WindowsCeSendsOnly) {
    Write("Preference", "ExportOptn", "010110");
    Write("Preference", "DefaultExport", "1");
    bool receive = true, both = true, mapping = false;
    RunSheet([&](HWND sheet) {
        HWND sync = ShowPage(sheet, kSyncPage);
        receive = IsEnabled(sync, 3023);
        both = IsEnabled(sync, 3024);
        mapping = IsWindowVisible(GetDlgItem(sync, 3028)) != FALSE;
    });
    EXPECT_FALSE(receive);
    EXPECT_FALSE(both);
    EXPECT_TRUE(mapping);
}

TEST_F(PreferencesSheet, ScanOptionsAreStored) {
    struct Case {
        int orientation;
        const char* autoRotate;
        const char* angle;
    } cases[] = {{4, "0", "0"}, {3, "0", "270"}, {0, "1", "0"}};
    for (const Case& c : cases) {
        Write("Preference", "ShowTWAINUI", "1");
        Write("Preference", "bSaveField", "1");
        bool resolutionEnabled = true;
        RunSheet([&](HWND sheet) {
            HWND scan = ShowPage(sheet, kScanPage);
            resolutionEnabled = IsEnabled(scan, 3009);
            ChooseEntry(scan, 3011, c.orientation);
            Click(scan, 3005);
            ChooseEntry(scan, 3009, 2);
            ChooseEntry(scan, 3010, 1);
            HWND fields = ShowPage(sheet, kExportPage);
            Click(fields, 3017);
            PressSheetButton(sheet, PSBTN_OK);
        });
        EXPECT_FALSE(resolutionEnabled);
        EXPECT_EQ(Read("Preference", "AutoRotate"), c.autoRotate) << c.orientation;
        EXPECT_EQ(Read("Preference", "DefaultAngle"), c.angle) << c.orientation;
        EXPECT_EQ(Read("Preference", "ShowTWAINUI"), "0");
        EXPECT_EQ(Read("Preference", "DefaultReso"), "2");
        EXPECT_EQ(Read("Preference", "DefaultImgType"), "1");
        EXPECT_EQ(Read("Preference", "bSaveField"), "0");
    }
}

TEST_F(PreferencesSheet, TogglingEmail2ChangesOnlyItsCharacter) {
    const std::string saveField = "010101010101010101010101010101";
    Write("Preference", "SaveField", saveField.c_str());
    RunSheet([&](HWND sheet) {
        HWND fields = ShowPage(sheet, kExportPage);
        Screenshot(sheet, "preferences_export_options");
        ClickRow(GetDlgItem(fields, 3016), 12);
        PressSheetButton(sheet, PSBTN_OK);
    });
    std::string expected = saveField;
    expected[12] = '1';
    EXPECT_EQ(Read("Preference", "SaveField"), expected);
}

TEST_F(PreferencesSheet, PagesAsTheyLook) {
    Write("Preference", "ExportOptn", "310113");
    Write("Preference", "DefaultExport", "5");
    Write("ACT2000", "DBFileName", "C:\\ACT\\contacts.dbf");
    std::string actDatabase;
    RunSheet([&](HWND sheet) {
        Screenshot(sheet, "preferences_scan_options");
        HWND sync = ShowPage(sheet, kSyncPage);
        actDatabase = WindowText(GetDlgItem(sync, 3041));
        Screenshot(sheet, "preferences_synchronization_act");
        ChooseEntry(sync, 3019, 0);
        Screenshot(sheet, "preferences_synchronization_palm");
    });
    EXPECT_EQ(actDatabase, "C:\\ACT\\contacts.dbf");
}

}  // namespace

// The ACT! database path is kept in 255 characters: a database chosen with a longer path is
// refused with a message and the one chosen before stays whole; one of 255 is taken.
TEST_F(PreferencesSheet, AnActDatabasePathLongerThanTheSettingHoldsIsRefused) {
    Write("Preference", "ExportOptn", "310113");
    Write("Preference", "DefaultExport", "5");
    Write("ACT2000", "DBFileName", "C:\\ACT\\contacts.dbf");
    std::string folder = TempFolderPath("actpath" + std::to_string(GetTickCount()));
    ASSERT_LT(folder.size(), 200u);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    folder += "\\" + std::string(240 - folder.size() - 1, 'd');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string fits = folder + "\\" + std::string(10, 'a') + ".dbf";
    const std::string tooLong = folder + "\\" + std::string(11, 'a') + ".dbf";
    ASSERT_EQ(fits.size(), 255u);
    ASSERT_EQ(tooLong.size(), 256u);
    for (const std::string& path : {fits, tooLong}) WriteWholeFile(path, "ACT!");

    DialogAnswerer answers(GetCurrentProcessId());
    answers.AnswerMessage("longer than 255 characters", IDOK);
    std::string afterRefusal, afterFit;
    RunSheet([&](HWND sheet) {
        HWND sync = ShowPage(sheet, kSyncPage);
        answers.AnswerFileDialog("Open", tooLong, 1);
        ClickAndGoOn(sync, 3038);
        WaitFor([&] { return !answers.Seen().empty() && answers.Seen().back().Text.find("255") != std::string::npos; });
        afterRefusal = WindowText(GetDlgItem(sync, 3041));
        answers.AnswerFileDialog("Open", fits, 1);
        ClickAndGoOn(sync, 3038);
        WaitFor([&] { return WindowText(GetDlgItem(sync, 3041)) == fits; });
        afterFit = WindowText(GetDlgItem(sync, 3041));
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(afterRefusal, "C:\\ACT\\contacts.dbf");
    EXPECT_EQ(afterFit, fits);
    EXPECT_EQ(Read("ACT2000", "DBFileName"), fits);
    int refusals = 0;
    for (const SeenDialog& seen : answers.Seen()) refusals += seen.Text.find("longer than 255") != std::string::npos;
    EXPECT_EQ(refusals, 1);
    for (const std::string& path : {fits, tooLong}) DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(folder.substr(0, folder.rfind('\\')).c_str());
}
