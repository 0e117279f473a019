// Which conduit serves creator 'addr' after the sheet's OK, seen in the conduit manager
// stand-in's registrations (condmgr.ini) and its HotSync reload log (hsapi.log).
#include "prefer_fixture.h"
#include "gui_driver.h"

using namespace dialog_driver;

namespace {

const int kSyncPage = 2;

class ConduitRegistration : public PreferFixture {
protected:
    void SetUp() override {
        PreferFixture::SetUp();
        Write("Preference", "ExportOptn", "310113");
        Write("Preference", "DefaultExport", "0");
    }

    void Register(const char* creator, const char* file) const {
        WritePrivateProfileStringA(creator, "Type", "0", Registry().c_str());
        WritePrivateProfileStringA(creator, "ConduitFile", file, Registry().c_str());
    }
    std::string Registry() const { return StandInFile("condmgr.ini"); }
    std::string Property(const char* key) const { return Read("addr", key, Registry()); }
    std::string ReloadLog() const { return ReadWholeFile(StandInFile("hsapi.log")); }

    // Opens the Synchronization page on Palm; click (when not 0) picks a Palm mode; then OK.
    // Gives the Palm mode the page opened with.
    int SaveWithPalmMode(int click) {
        int opened = -1;
        RunSheet([&](HWND sheet) {
            HWND sync = ShowPage(sheet, kSyncPage);
            opened = IsChecked(sync, 3034) ? 0 : IsChecked(sync, 3035) ? 1 : -1;
            if (click) Click(sync, click);
            PressSheetButton(sheet, PSBTN_OK);
        });
        return opened;
    }
};

TEST_F(ConduitRegistration, AlreadyRegisteredChangesNothing) {
    std::string zemSync = LibraryFolder() + "ZemSync.DLL";
    Register("memo", "Memcn30.DLL");
    Register("addr", zemSync.c_str());
    std::string before = ReadWholeFile(Registry());
    EXPECT_EQ(SaveWithPalmMode(0), 0);
    EXPECT_EQ(ReadWholeFile(Registry()), before);
    EXPECT_EQ(ReloadLog(), "");
    EXPECT_EQ(Read("Preference", "PalmMode"), "0");
}

TEST_F(ConduitRegistration, DesktopModeRestoresTheAddressBookConduit) {
    Register("addr", (LibraryFolder() + "ZemSync.DLL").c_str());
    SaveWithPalmMode(3035);
    EXPECT_EQ(Property("ConduitFile"), "Addcn30.DLL");
    EXPECT_EQ(Property("Title"), "Address Book");
    EXPECT_EQ(Property("Folder"), "Address");
    EXPECT_EQ(Property("DataFile"), "address.dat");
    EXPECT_EQ(Property("RemoteDatabase"), "AddressDB");
    EXPECT_EQ(Property("Priority"), "2");
    EXPECT_EQ(ReloadLog(), "109 2 16\n");
    EXPECT_EQ(Read("Preference", "PalmMode"), "1");
}

TEST_F(ConduitRegistration, HandheldModeReplacesAnotherConduit) {
    Register("addr", "C:\\Palm\\Addcn30.DLL");
    EXPECT_EQ(SaveWithPalmMode(3034), 1);
    EXPECT_EQ(Property("ConduitFile"), LibraryFolder() + "ZemSync.DLL");
    EXPECT_EQ(Property("Title"), "ZemSync");
    EXPECT_EQ(Property("Folder"), "ZemSync");
    EXPECT_EQ(Property("DataFile"), "<none>");
    EXPECT_EQ(ReloadLog(), "109 2 16\n");
}

TEST_F(ConduitRegistration, AFreshInstallIsNotReloaded) {
    Register("memo", "Memcn30.DLL");
    EXPECT_EQ(SaveWithPalmMode(3034), 1);
    EXPECT_EQ(Property("ConduitFile"), LibraryFolder() + "ZemSync.DLL");
    EXPECT_EQ(Property("RemoteDatabase"), "AddressDB");
    EXPECT_EQ(ReloadLog(), "");
    EXPECT_EQ(Read("Preference", "PalmMode"), "0");
}

TEST_F(ConduitRegistration, ARefusedRemovalChangesNothing) {
    Register("addr", "Addcn30.DLL");
    std::string before = ReadWholeFile(Registry());
    SetEnvironmentVariableA("CONDMGR_FAIL", "65");
    SaveWithPalmMode(3034);
    EXPECT_EQ(ReadWholeFile(Registry()), before);
    EXPECT_EQ(Read("Preference", "PalmMode"), "0");
}

TEST_F(ConduitRegistration, AFailedInstallLeavesNoConduitAndNoReload) {
    Register("addr", "Other.DLL");
    SetEnvironmentVariableA("CONDMGR_FAIL", "67");
    SaveWithPalmMode(3034);
    EXPECT_EQ(Property("ConduitFile"), "<none>");
    EXPECT_EQ(ReloadLog(), "");
    EXPECT_EQ(Read("Preference", "PalmMode"), "0");
}

// A manager that cannot be used is never asked: the page opens in Palm Desktop mode and
// nothing is registered.
TEST_F(ConduitRegistration, AnUnusableManagerIsLeftAlone) {
    Register("addr", (LibraryFolder() + "ZemSync.DLL").c_str());
    std::string before = ReadWholeFile(Registry());
    SetEnvironmentVariableA("CONDMGR_FAIL", "90");
    EXPECT_EQ(SaveWithPalmMode(3034), 1);
    EXPECT_EQ(ReadWholeFile(Registry()), before);
    EXPECT_EQ(ReloadLog(), "");
}

// A registered file named without a folder is compared whole.
TEST_F(ConduitRegistration, AFileNameWithoutFolderIsComparedWhole) {
    Register("addr", "zemsync.dll");
    EXPECT_EQ(SaveWithPalmMode(0), 0);
    EXPECT_EQ(Property("ConduitFile"), "zemsync.dll");
}

}  // namespace
