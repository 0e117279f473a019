// File > Page Setup, File > Print and File > Print Setup of zem40 in one run of the program:
// a page style edited and stored in zem40.ini, then every card printed with it on the file
// printer and read back with Ghostscript, then the system's Print Setup dialog.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "card_files.h"
#include "dialog_driver.h"
#include "postscript_pages.h"
#include "scratch_folder.h"
#include <dlgs.h>
#include <stdio.h>

using namespace dialog_driver;

namespace {

const int kPageSetup = 56, kPrint = 55, kPrintSetup = 57;

std::string CardName(int number) {
    char name[32];
    snprintf(name, sizeof name, "Printed %02d", number);
    return name;
}

// Cards "Printed 01" to "Printed 40" in the card file the program opens at start.
bool OpenFortyCardsAtStart(const Installation& installation) {
    std::vector<TestCard> cards;
    for (int i = 1; i <= 40; ++i) cards.push_back(TestCard{CardName(i), "", ""});
    std::string cardFile = installation.Path("Printed.mdb");
    if (!CreateCardFile(cardFile, cards)) return false;
    installation.WriteSetting("CardBase", "DataBaseName", cardFile.c_str());
    return true;
}

}  // namespace

TEST(PrintCommands, PageSetupThenPrintAllThenPrintSetup) {
    Installation installation("print-commands");
    ASSERT_TRUE(OpenFortyCardsAtStart(installation));
    DeleteFileA(PRINTER_OUTPUT);
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    // Page Setup: the user's first style ("My Cards 2 x 5") gets three columns.
    PostMessageA(main, WM_COMMAND, kPageSetup, 0);
    HWND setup = WaitForDialog(run.ProcessId(), "Page Setup");
    ASSERT_NE(setup, nullptr);
    ChooseEntry(setup, 2209, 18);
    EXPECT_TRUE(IsEnabled(setup, 1156));
    SetDlgItemTextA(setup, 1156, "3");
    Click(setup, 2205);
    EXPECT_EQ("19, My Cards 2 x 5, 11000, 8500, 500, 750, 3, 5, 2000, 2333, 0, 0, 0, 0, 0",
              installation.WaitForSetting(
                  "PaperLayout", "@19", "19, My Cards 2 x 5, 11000, 8500, 500, 750, 3, 5, 2000, 2333, 0, 0, 0, 0, 0"));
    WaitUntilDrawn(setup, 5000);
    SaveScreenshot(setup, "zem40_page_setup");
    ClickAndGoOn(setup, IDOK);
    EXPECT_TRUE(WaitUntilClosed(setup));
    EXPECT_EQ("18", installation.WaitForSetting("PaperLayout", "SelectLayout", "18"));

    // Print, All: 15 cards a page.
    PostMessageA(main, WM_COMMAND, kPrint, 0);
    HWND print = WaitForDialog(run.ProcessId(), "Print");
    ASSERT_NE(print, nullptr);
    Click(print, rad1);
    WaitUntilDrawn(print, 5000);
    SaveScreenshot(print, "zem40_print_dialog");
    ClickAndGoOn(print, IDOK);
    EXPECT_TRUE(WaitUntilClosed(print));
    for (int i = 0; i < 300 && !IsFile(PRINTER_OUTPUT); ++i) Sleep(100);
    Sleep(500);
    ScratchFolder scratch("print-commands");
    std::vector<std::string> pages = PostScriptPageTexts(PRINTER_OUTPUT, scratch.path());
    ASSERT_EQ(3u, pages.size());
    for (int i = 1; i <= 40; ++i) {
        size_t page = (size_t)(i - 1) / 15;
        for (size_t p = 0; p < pages.size(); ++p)
            EXPECT_EQ(p == page, pages[p].find(CardName(i)) != std::string::npos) << CardName(i) << " page " << p + 1;
    }

    // Print Setup: the system's dialog on the same printer record; Cancel leaves it.
    PostMessageA(main, WM_COMMAND, kPrintSetup, 0);
    HWND printSetup = WaitForDialog(run.ProcessId(), "Print Setup");
    ASSERT_NE(printSetup, nullptr);
    ClickAndGoOn(printSetup, IDCANCEL);
    EXPECT_TRUE(WaitUntilClosed(printSetup));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}

// Closing the main window while a job prints: the job stops (the document never reaches the
// printer) and the program ends, rather than living on without a window.
TEST(PrintCommands, ClosingTheMainWindowWhileAJobPrintsEndsTheProgram) {
    Installation installation("print-close");
    ASSERT_TRUE(OpenFortyCardsAtStart(installation));
    // One card a page: forty pages, a job long enough to be closed in the middle.
    installation.WriteSetting("PaperLayout", "Count", "1");
    installation.WriteSetting("PaperLayout", "SelectLayout", "0");
    installation.WriteSetting("PaperLayout", "@1",
                              "1, One a Page, 11000, 8500, 1000, 1000, 1, 1, 9000, 6500, 0, 0, 0, 0, 0");
    DeleteFileA(PRINTER_OUTPUT);
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, kPrint, 0);
    HWND print = WaitForDialog(run.ProcessId(), "Print");
    ASSERT_NE(print, nullptr);
    Click(print, rad1);
    ClickAndGoOn(print, IDOK);
    HWND printing = WaitForDialog(run.ProcessId(), "Print...");
    ASSERT_NE(printing, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(120000), 0) << "the program ended";
    EXPECT_FALSE(IsFile(PRINTER_OUTPUT)) << "the stopped document never reaches the printer";
}
