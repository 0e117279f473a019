// FerrowDBFile through Ferrow.dll, as the main program calls it.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "build_paths.h"
#include "dialog_watch.h"
#include "dll_module.h"
#include "file_bytes.h"
#include "ferrow.h"
#include "linkcards.h"
#include "temp_settings_file.h"

namespace {

using FerrowDBFileFn = int (*)(const char*, const char*, CardRecV4**, int*, int, int);

const char kOutlookKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE";

class FerrowLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ferrow_.loaded());
        link_ = ferrow_.require<FerrowDBFileFn>("FerrowDBFile");
        ASSERT_NE(link_, nullptr);
        cards_ = AllocLinkCards(1);
        count_ = 1;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kOutlookKey);
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kOutlookKey);
        FreeLinkCards(cards_);
    }
    void RegisterOutlook(const std::string& program) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kOutlookKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                       static_cast<DWORD>(program.size() + 1));
        RegCloseKey(key);
    }
    int Link(int type, int direction) { return link_(ini_.c_str(), nullptr, &cards_, &count_, type, direction); }

    DllModule ferrow_{"Ferrow.dll"};
    FerrowDBFileFn link_ = nullptr;
    TempSettingsFile ini_{"ferrow_link_zem40.ini"};
    CardRecV4* cards_ = nullptr;
    int count_ = 0;
};

}  // namespace

TEST_F(FerrowLink, NothingIsDoneForMobilePhoneAndUnknownTargets) {
    for (int type : {2, 7, 6, -1}) EXPECT_EQ(Link(type, 1), FERROW_NOTHING_DONE) << type;
    EXPECT_EQ(count_, 1);
    EXPECT_EQ(link_(ini_.c_str(), nullptr, nullptr, &count_, 0, 1), FERROW_NOTHING_DONE);
}

TEST_F(FerrowLink, OutlookMustBeRegisteredAndAtLeastVersion9) {
    DialogWatch user(IDOK);
    EXPECT_EQ(Link(FERROW_LINK_OUTLOOK, 1), FERROW_OUTLOOK_MISSING);  // no registry key
    EXPECT_TRUE(user.Seen().empty());

    RegisterOutlook(ProgramFolder() + "OUTLOOK8.exe");
    EXPECT_EQ(Link(FERROW_LINK_OUTLOOK, 1), FERROW_OUTLOOK_MISSING);
    auto seen = user.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].find("Outlook 2000"), std::string::npos) << seen[0];

    RegisterOutlook("\"" + ProgramFolder() + "OUTLOOK9.exe\"");
    // The version test passes; no automation server is registered, so the export fails.
    EXPECT_EQ(Link(FERROW_LINK_OUTLOOK, 1), FERROW_OUTLOOK_EXPORT_FAILED);
    EXPECT_EQ(Link(FERROW_LINK_OUTLOOK, 0), FERROW_NOTHING_DONE);
    EXPECT_EQ(user.Seen().size(), 1u);

    RegisterOutlook(ProgramFolder() + "no-such-outlook.exe");
    EXPECT_EQ(Link(FERROW_LINK_OUTLOOK, 2), FERROW_OUTLOOK_MISSING);
}

TEST_F(FerrowLink, ActNeedsAnExistingDatabaseFile) {
    ini_.Write("ACT2000", "DBFileName", "C:\\no\\such\\act.dbf");
    EXPECT_EQ(Link(FERROW_LINK_ACT, 1), FERROW_ACT_FILE_MISSING);

    ini_.Write("ACT2000", "DBFileName", "");
    DialogWatch user(IDCANCEL);  // the Open dialog is cancelled
    EXPECT_EQ(Link(FERROW_LINK_ACT, 3), FERROW_ACT_FILE_MISSING);
    EXPECT_FALSE(user.Seen().empty());
}

TEST_F(FerrowLink, PalmDesktopModeFailsWithoutTheTableLibrary) {
    // A user whose address book is there: only the table library, which no folder on this
    // program's search path holds, is missing.
    std::string folder = MakeFreshTestFolder("ferrow_no_table21") + "\\";
    std::string users = folder + "users.ini";
    WritePrivateProfileStringA("Users", "Count", "1", users.c_str());
    WritePrivateProfileStringA("User0", "Id", "101", users.c_str());
    WritePrivateProfileStringA("User0", "Folder", "LeeA", users.c_str());
    CreateDirectoryA((folder + "LeeA").c_str(), nullptr);
    CreateDirectoryA((folder + "LeeA\\address").c_str(), nullptr);
    const char emptyBook[12] = {'Z', 'A', 'D', 'R', 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(WriteWholeFile(folder + "LeeA\\address\\address.dat", emptyBook, sizeof(emptyBook)));
    SetEnvironmentVariableA("PALM_STANDIN_DIR", folder.c_str());
    ini_.Write("Preference", "PalmMode", "1");
    ini_.Write("Preference", "PalmUser", "0");

    EXPECT_EQ(Link(FERROW_LINK_PALM, FERROW_TO_PIM), FERROW_PALM_EXPORT_FAILED);
    EXPECT_EQ(Link(FERROW_LINK_PALM, FERROW_FROM_PIM), FERROW_PALM_IMPORT_FAILED);
    EXPECT_EQ(Link(FERROW_LINK_PALM, FERROW_FROM_THEN_TO), FERROW_PALM_IMPORT_FAILED);
    EXPECT_EQ(GetModuleHandleA("TABLE21.dll"), nullptr);
    EXPECT_EQ(count_, 1);
    SetEnvironmentVariableA("PALM_STANDIN_DIR", nullptr);
    RemoveFolderTree(folder);
}
