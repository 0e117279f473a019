// Start-up on a fresh installation: main window, menu, command bar, status bar, hints.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "card_files.h"
#include <algorithm>

namespace {

const int kAllButtons[] = {700, 701, 702, 703, 704, 705, 706, 707, 708, 709, 710, 711, 712, 713};

bool ButtonEnabled(HWND bar, int id) { return IsWindowEnabled(GetDlgItem(bar, id)) != FALSE; }

void ExpectButtonsEnabledExactly(HWND bar, const std::vector<int>& enabled) {
    for (int id : kAllButtons) {
        bool expected = std::find(enabled.begin(), enabled.end(), id) != enabled.end();
        EXPECT_EQ(ButtonEnabled(bar, id), expected) << "button " << id;
    }
}

}  // namespace

TEST(Startup, FreshInstallationShowsTitleMenuBarsAndScreenshot) {
    Installation installation("startup-fresh");
    ProgramRun run(installation, "");
    ASSERT_TRUE(run.Started());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Untitled.mdb");
    EXPECT_NE(GetMenu(main), nullptr);

    HWND bar = run.Child("IMC_CMD20");
    HWND status = run.Child("IMC_STAT20");
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), 902);
    RECT barRect, statusRect, client;
    GetClientRect(bar, &barRect);
    GetClientRect(status, &statusRect);
    GetClientRect(main, &client);
    EXPECT_EQ(barRect.bottom, 51);
    EXPECT_EQ(statusRect.bottom, 19);
    EXPECT_EQ(barRect.right, client.right);
    // The default online-update mode shows the web-site button but not the upgrade check.
    EXPECT_NE(GetDlgItem(bar, 713), nullptr);
    EXPECT_EQ(GetDlgItem(bar, 720), nullptr);
    // A separator stands between Export options and the web-site button.
    EXPECT_EQ(CommandBarSeparatorsBetween(bar, RightInParent(GetDlgItem(bar, 712)), LeftInParent(GetDlgItem(bar, 713))),
              1);
    // An untitled card file without cards: nothing to print, search, sort, export or link; the
    // shipped settings name no web site, so its button is shown but does nothing.
    ExpectButtonsEnabledExactly(bar, {700, 704, 705, 706, 707, 708, 709, 712});

    std::string shot = SaveScreenshot(main, "zem40-startup");
    EXPECT_TRUE(IsFile(shot)) << shot;

    EXPECT_TRUE(IsFile(installation.Path("Database\\Untitled.mdb")));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
    // An untitled card file without cards goes when the program closes.
    EXPECT_FALSE(IsFile(installation.Path("Database\\Untitled.mdb")));
}

// The menu bar and accelerators as the program carries them (a menu handle of another
// process cannot be read here, so the resources are read from the program file).
TEST(Startup, MenuAndAcceleratorsCarryEveryItem) {
    Installation installation("startup-menu");
    HMODULE program = LoadLibraryExA(installation.Path("zem40.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HMENU menu = LoadMenuA(program, "DARODORI");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    struct Item {
        int id;
        const char* text;
    } items[] = {{40, "&New"},
                 {41, "&Open..."},
                 {43, "&Delete..."},
                 {44, "Save &As..."},
                 {45, "Palm Computing Platform"},
                 {46, "Windows CE  Device"},
                 {48, "Microsoft Outlook"},
                 {49, "Microsoft Outlook Express"},
                 {50, "ACT!"},
                 {52, "&Export..."},
                 {53, "&Import Card Images..."},
                 {55, "&Print..."},
                 {56, "Pa&ge Setup..."},
                 {57, "Print &Setup..."},
                 {58, "Pre&ferences..."},
                 {61, "E&xit"},
                 {70, "&Scan..."},
                 {71, "&New Card"},
                 {72, "Sea&rch..."},
                 {84, "Select Scanner..."},
                 {85, "Browse \"Web Site\""},
                 {88, "Send E-mail to \"Email 2\""},
                 {89, "by &Name"},
                 {93, "by &Date"},
                 {94, "&First Card"},
                 {98, "&Go to Card..."},
                 {101, "Cu&t"},
                 {104, "&Clear"},
                 {105, "Delete Ca&rd"},
                 {110, "Card &List"},
                 {114, "Card &Album"},
                 {117, "Zoom &In"},
                 {118, "Zoom &Out"},
                 {140, "&Contents"},
                 {141, "&About Tamsel! Nimbra..."},
                 {142, "&Tooltips"},
                 {143, "&Using Help"}};
    for (const Item& item : items) {
        char text[64] = "";
        GetMenuStringA(menu, item.id, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(text, item.text) << "item " << item.id;
    }
    // The File menu keeps a separator at position 15.
    EXPECT_EQ(GetMenuState(GetSubMenu(menu, 0), 15, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    DestroyMenu(menu);

    HACCEL table = LoadAcceleratorsA(program, "DARODORI");
    ASSERT_NE(table, nullptr);
    ACCEL accels[32];
    int count = CopyAcceleratorTableA(table, accels, 32);
    EXPECT_EQ(count, 20);
    auto has = [&](BYTE flags, WORD key, WORD cmd) {
        for (int i = 0; i < count; ++i)
            if ((accels[i].fVirt & ~FNOINVERT) == flags && accels[i].key == key && accels[i].cmd == cmd) return true;
        return false;
    };
    EXPECT_TRUE(has(FVIRTKEY | FCONTROL | FSHIFT, 'N', 40));
    EXPECT_TRUE(has(FVIRTKEY | FCONTROL, 'N', 71));
    EXPECT_TRUE(has(FVIRTKEY | FALT, VK_F4, 61));
    EXPECT_TRUE(has(FVIRTKEY | FCONTROL, VK_DELETE, 105));
    EXPECT_TRUE(has(FVIRTKEY, VK_F1, 140));
    DestroyAcceleratorTable(table);
    FreeLibrary(program);
}

TEST(Startup, MenuHintsAndMinimumSize) {
    Installation installation("startup-hints");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND status = run.Child("IMC_STAT20");
    // The mouse rests on the work area, where it shows no hint of its own.
    RECT area;
    GetWindowRect(main, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    PumpMessages(300);
    // The menu handle is only a value here: the hint code never reads the menu.
    HMENU menu = GetMenu(main);
    struct Case {
        WPARAM wParam;
        LPARAM menu;
        const char* expected;
    } cases[] = {
        {MAKEWPARAM(41, MF_STRING), reinterpret_cast<LPARAM>(menu), "Open a card file"},
        {MAKEWPARAM(45, MF_STRING), reinterpret_cast<LPARAM>(menu), "Synchronize with Palm"},
        {MAKEWPARAM(50, MF_STRING), reinterpret_cast<LPARAM>(menu), "Synchronize with ACT!"},
        {MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(menu), ""},
        {MAKEWPARAM(114, MF_STRING), reinterpret_cast<LPARAM>(menu), "Display card in an  album"},
        {MAKEWPARAM(0, 0xFFFF), 0, "Tamsel! Nimbra"},
    };
    for (const Case& c : cases) {
        SendMessageA(main, WM_MENUSELECT, c.wParam, c.menu);
        EXPECT_EQ(WindowText(status), c.expected);
    }

    // Minimized, both bars shrink to nothing; restored, they have their heights again.
    HWND bar = run.Child("IMC_CMD20");
    ShowWindow(main, SW_MINIMIZE);
    PumpMessages(300);
    RECT barRect, statusRect;
    GetClientRect(bar, &barRect);
    GetClientRect(status, &statusRect);
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ(barRect.right * barRect.bottom, 0);
    EXPECT_EQ(statusRect.right * statusRect.bottom, 0);
    ShowWindow(main, SW_RESTORE);
    PumpMessages(300);
    GetClientRect(bar, &barRect);
    GetClientRect(status, &statusRect);
    EXPECT_EQ(barRect.bottom, 51);
    EXPECT_EQ(statusRect.bottom, 19);

    SetWindowPos(main, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
    PumpMessages(300);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_GE(r.right - r.left, 624);
    EXPECT_GE(r.bottom - r.top, 480);

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST(Startup, HoveringAButtonShowsItsHintAndStatusText) {
    Installation installation("startup-tooltip");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND bar = run.Child("IMC_CMD20");
    HWND status = run.Child("IMC_STAT20");
    HWND open = GetDlgItem(bar, 700);
    HWND print = GetDlgItem(bar, 701);
    RECT r;
    GetWindowRect(open, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PumpMessages(1500);
    HWND hint = FindWindowA("IMC_Hint20", nullptr);
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint));
    EXPECT_EQ(WindowText(hint), "Open a card file");
    EXPECT_EQ(WindowText(status), "Open a card file");
    RECT hintRect;
    GetWindowRect(hint, &hintRect);
    EXPECT_EQ(hintRect.top, r.bottom + 2);
    SaveScreenshot(main, "zem40-hint");

    // A disabled button has its hint too.
    GetWindowRect(print, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PumpMessages(1500);
    EXPECT_EQ(WindowText(hint), "Print");
    EXPECT_EQ(WindowText(status), "Print");

    // Off the bar the hint goes.
    RECT client;
    GetWindowRect(main, &client);
    SetCursorPos((client.left + client.right) / 2, (client.top + client.bottom) / 2);
    PumpMessages(1000);
    EXPECT_FALSE(IsWindowVisible(hint));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}
