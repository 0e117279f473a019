// File > Preferences (58) and the export-options pop-up (51) of zem40: what the preferences
// library writes, and the command bar's Link button showing the target chosen.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "dialog_driver.h"
#include "linux_programs.h"
#include "palm_files.h"
#include "screen_picture.h"

using namespace dialog_driver;

namespace {

const int kLinkButton = 711;

// Whether the Link button shows zem40's picture of that link target for cards to the target
// (drawn at build time), in the button's state: an empty card file disables it.
bool LinkButtonShows(HWND bar, int target) {
    HWND button = GetDlgItem(bar, kLinkButton);
    int pictureId = 3201 + target + (IsWindowEnabled(button) ? 0 : 6);
    ScreenPicture picture =
        PictureFile(Installation::BuildFolder() + "app\\generated\\bmp\\" + std::to_string(pictureId) + ".bmp");
    WindowPixels shot = CaptureWindow(button);
    return PictureShowsAt(shot.Pixels, shot.Width, shot.Height, picture, 0, 0, picture.Width);
}

// Polls until the Link button shows the picture (the program repaints it after the call).
bool WaitForLinkPicture(HWND bar, int target) {
    for (int i = 0; i < 50; ++i) {
        if (LinkButtonShows(bar, target)) return true;
        Sleep(100);
    }
    return false;
}

void CopyBesideProgram(const Installation& installation, const char* file) {
    CopyFileA((Installation::BuildFolder() + "bin\\" + file).c_str(), installation.Path(file).c_str(), FALSE);
}

}  // namespace

// Without the conduit manager the Synchronization page opens in Palm Desktop mode; making
// Outlook the active target, then Outlook Express through the pop-up, moves the Link button.
TEST(PreferenceCommands, ActiveTargetFromTheSheetAndThePopUp) {
    Installation installation("preference-commands");
    installation.WriteSetting("Preference", "ExportOptn", "110110");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND bar = run.Child("IMC_CMD20");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(WaitForLinkPicture(bar, 1));  // Windows CE

    PostMessageA(main, WM_COMMAND, 58, 0);
    HWND sheet = WaitForDialog(run.ProcessId(), "Preferences");
    ASSERT_NE(sheet, nullptr);
    HWND sync = ShowPage(sheet, 2);
    ChooseEntry(sync, 3019, 0);
    EXPECT_TRUE(IsChecked(sync, 3035));
    EXPECT_FALSE(IsChecked(sync, 3034));
    ChooseEntry(sync, 3019, 2);
    Click(sync, 3020);
    SaveScreenshot(sheet, "zem40_preferences_outlook");
    PressSheetButton(sheet, PSBTN_OK);
    EXPECT_TRUE(WaitUntilClosed(sheet));
    EXPECT_EQ(installation.WaitForSetting("Preference", "DefaultExport", "3"), "3");
    EXPECT_TRUE(WaitForLinkPicture(bar, 3));

    PostMessageA(main, WM_COMMAND, 51, 0);
    HWND menu = WaitForMenu(run.ProcessId());
    ASSERT_NE(menu, nullptr);
    Sleep(200);
    SaveScreenshot(menu, "zem40_export_menu");
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) PressKey(menu, key);
    EXPECT_TRUE(WaitUntilClosed(menu));
    EXPECT_TRUE(WaitForLinkPicture(bar, 4));
    EXPECT_EQ(installation.WaitForSetting("Preference", "DefaultExport", "4"), "4");
    SaveScreenshot(main, "zem40_link_outlook_express");

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}

// Runs our HotSync manager from the build (it inherits this process's environment); its exit
// code and what it printed.
int RunHotSyncManager(const std::string& arguments, const std::string& printed, std::string* output) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE out = CreateFileA(printed.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    std::string command = "\"" + Installation::BuildFolder() + "bin\\hsmanager.exe\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    PROCESS_INFORMATION process = {};
    BOOL started =
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(out);
    if (!started) return -1;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    *output = ReadWholeFile(printed);
    return static_cast<int>(code);
}

// With the conduit manager beside the program, OK in Palm handheld mode registers ZemSync
// from the program's folder and asks no reload for a fresh registration. Our HotSync manager
// then finds that conduit through the conduit manager and runs a HotSync with it: the card
// waiting for the handheld goes there, the handheld's record comes back as a card.
TEST(PreferenceCommands, HandheldModeRegistersTheConduitThatTheHotSyncManagerRuns) {
    Installation installation("preference-conduit");
    CopyBesideProgram(installation, "CONDMGR.DLL");
    CopyBesideProgram(installation, "HSAPI.DLL");
    std::string standIns = installation.Path("palm\\");
    CreateDirectoryA(standIns.c_str(), nullptr);
    installation.WriteSetting("Preference", "ExportOptn", "110110");
    ProgramRun run(installation, "", {{"PALM_STANDIN_DIR", standIns}});
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    PostMessageA(main, WM_COMMAND, 58, 0);
    HWND sheet = WaitForDialog(run.ProcessId(), "Preferences");
    ASSERT_NE(sheet, nullptr);
    HWND sync = ShowPage(sheet, 2);
    ChooseEntry(sync, 3019, 0);
    Click(sync, 3034);
    PressSheetButton(sheet, PSBTN_OK);
    EXPECT_TRUE(WaitUntilClosed(sheet));

    EXPECT_EQ(installation.WaitForSetting("Preference", "DataOptn", "000000"), "000000");
    std::string registry = standIns + "condmgr.ini";
    char file[MAX_PATH] = "";
    GetPrivateProfileStringA("addr", "ConduitFile", "", file, sizeof(file), registry.c_str());
    EXPECT_EQ(std::string(file), installation.Path("ZemSync.DLL"));
    EXPECT_EQ(installation.ReadSetting("Preference", "PalmMode"), "0");
    EXPECT_EQ(ReadWholeFile(standIns + "hsapi.log"), "");
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);

    // The exchange card database as the Palm link leaves it, beside the conduit; a handheld
    // with one record of its own.
    std::string exchange = installation.Path("ZemSync.mdb");
    ASSERT_TRUE(SeedExchangeCards(exchange, {{"Ann Lee", "Acme", 2}, {"Bob", "Bits", 0}}));
    SetEnvironmentVariableA("PALM_STANDIN_DIR", standIns.c_str());
    EXPECT_TRUE(SeedHandheld({{"Zed", "Zeta"}}));
    std::string printed;
    EXPECT_EQ(RunHotSyncManager("/type 0", standIns + "hsmanager.txt", &printed), 0);
    EXPECT_NE(printed.find("conduit " + installation.Path("ZemSync.DLL")), std::string::npos) << printed;
    EXPECT_EQ(HandheldRecords(), (std::vector<std::string>{"Zed|Zeta", "Ann Lee|Acme"}));
    SetEnvironmentVariableA("PALM_STANDIN_DIR", nullptr);
    EXPECT_EQ(ExchangeCards(exchange), (std::vector<std::string>{"Bob|Bits|0", "Zed|Zeta|3"}));
    EXPECT_EQ(ReadWholeFile(standIns + "hotsync.log"), "19 \n20 AddressTransfer\n");
    EXPECT_FALSE(IsFile(installation.Path("temp\\temp.mdb")));
}
