// Shutting down: the engine's end in order, the online update report, temporary files, the
// recent image files, and the end of a Windows session.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "card_files.h"
#include <stdio.h>

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* f = fopen(path.c_str(), "r");
    if (!f) return lines;
    char line[1024];
    while (fgets(line, sizeof line, f)) {
        std::string text = line;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        lines.push_back(text);
    }
    fclose(f);
    return lines;
}

}  // namespace

TEST(Shutdown, EngineEndsInOrderAndOnlineUpdateIsToldAtStartAndEnd) {
    Installation installation("shutdown-engine");
    installation.WriteSetting("Preference", "ShowWebSite", "2");
    installation.WriteSetting("Netfresh", "P_NAME", "NIMBRA4");
    std::string trace = installation.Path("engine.log");
    std::string netfresh = installation.Path("netfresh.log");
    WriteSmallFile(installation.Path("TVRKTEMP\\PAGE0001.IFO"));
    WriteSmallFile(installation.Path("TVRKTEMP\\KEEP.TXT"));
    ProgramRun run(installation, "", {{"TVRKSDK_TRACE", trace}, {"NETFRESH_LOG", netfresh}});
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_NE(GetDlgItem(run.Child("IMC_CMD20"), 720), nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0);

    std::string database = installation.Path("TVRKDB\\WESTERN");
    // The image documents close first, which empties the engine's document.
    EXPECT_EQ(ReadLines(trace),
              (std::vector<std::string>{"Create_Document", "TVRK_load_database 0 1 " + database, "DiscardPreviousWork",
                                        "Reset_Document", "RemoveDocumentInfo", "Delete_Document",
                                        "TVRK_free_database_and_working_buffer", "TVRK_term_FR4"}));
    EXPECT_EQ(ReadLines(netfresh), (std::vector<std::string>{"NIMBRA4 0 0", "NIMBRA4 0 1"}));
    EXPECT_FALSE(IsFile(installation.Path("TVRKTEMP\\PAGE0001.IFO")));
    EXPECT_TRUE(IsFile(installation.Path("TVRKTEMP\\KEEP.TXT")));
    EXPECT_EQ(installation.ReadSetting("DataBase", "DefCharSet"), "0");
}

TEST(Shutdown, RefusedRecognitionDatabaseEndsTheStartWithItsMessage) {
    Installation installation("shutdown-nodatabase");
    installation.WriteSetting("DataBase", "DBS0", installation.Path("TVRKDB\\MISSING").c_str());
    ProgramRun run(installation, "");
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("ERR_LOAD_DATABASE", IDOK);
    EXPECT_EQ(run.WaitForExit(), 0);
    auto seen = answers.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Caption, "Tamsel! Nimbra");
    EXPECT_EQ(seen[0].Text, "ERR_LOAD_DATABASE,   ");
}

TEST(Shutdown, RecentImageFilesKeepTheNewestTenOnce) {
    Installation installation("shutdown-recent");
    installation.WriteSetting("OpenFile", "Count", "14");
    std::vector<std::string> files;
    for (int i = 1; i <= 12; ++i) {
        char name[32];
        snprintf(name, sizeof name, "IMAGE\\CARD%02d.TIF", i);
        files.push_back(WriteSmallFile(installation.Path(name)));
    }
    int key = 1;
    for (int i = 0; i < 12; ++i) {
        installation.WriteSetting("OpenFile", ("File" + std::to_string(key++)).c_str(), files[i].c_str());
        if (i == 5) {
            // The same file in other letters, and a file that no longer exists.
            std::string upper = files[2];
            for (char& ch : upper) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
            installation.WriteSetting("OpenFile", ("File" + std::to_string(key++)).c_str(), upper.c_str());
            installation.WriteSetting("OpenFile", ("File" + std::to_string(key++)).c_str(),
                                      installation.Path("IMAGE\\GONE.TIF").c_str());
        }
    }
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(installation.ReadSetting("OpenFile", "Count"), "10");
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(installation.ReadSetting("OpenFile", ("File" + std::to_string(i)).c_str()), files[i + 1]) << i;
}

TEST(Shutdown, EndSessionAsksOnlyWhenTheSessionReallyEnds) {
    Installation installation("shutdown-session");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    SendMessageA(main, WM_COMMAND, 71, 0);
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("Do you want to save the new card data?", IDNO);
    // A cancelled logoff: no question, the cards and the program stay.
    SendMessageTimeoutA(main, WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    PumpMessages(1000);
    EXPECT_TRUE(answers.Seen().empty());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsFile(installation.Path("Database\\Untitled.mdb")));
    // The real end: the question, and No lets the window go.
    PostMessageA(main, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(answers.Seen().size(), 1u);
    EXPECT_FALSE(IsFile(installation.Path("Database\\Untitled.mdb")));
}

TEST(Shutdown, SortButtonNeedsCardsAndOffersItsDialog) {
    Installation installation("shutdown-sort");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND bar = run.Child("IMC_CMD20");
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("Do you want to save the new card data?", IDNO);
    answers.AnswerMessage("", IDCANCEL);  // the Sort dialog has no message text
    // Without cards a click does nothing, even on a button whose window is enabled.
    EnableWindow(GetDlgItem(bar, 703), TRUE);
    PostMessageA(bar, WM_COMMAND, MAKEWPARAM(703, BN_CLICKED), 0);
    PumpMessages(1500);
    EXPECT_TRUE(answers.Seen().empty());
    SendMessageA(main, WM_COMMAND, 71, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(bar, 703)));
    PostMessageA(bar, WM_COMMAND, MAKEWPARAM(703, BN_CLICKED), 0);
    PumpMessages(2000);
    auto seen = answers.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Caption, "Sort");
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}
