// A second start hands its request to the running instance. The running instance is played
// here by a window of the program's class in this process, so that every message it gets
// can be counted and read.
#include <gtest/gtest.h>
#include <algorithm>
#include "gui_driver.h"
#include "card_files.h"
#include "recognition_checks.h"

namespace {

struct Received {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    std::string ClipboardText;
};

std::vector<Received> g_received;

LRESULT CALLBACK FirstInstanceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 101 || message == WM_USER + 3000 ||
        (message == WM_COMMAND && (wParam == 70 || wParam == 99))) {
        Received r{message, wParam, lParam, ""};
        if (message == WM_USER + 101 && wParam == 1 && OpenClipboard(window)) {
            HANDLE data = GetClipboardData(static_cast<UINT>(lParam));
            if (data) {
                r.ClipboardText = static_cast<const char*>(GlobalLock(data));
                GlobalUnlock(data);
            }
            CloseClipboard();
        }
        g_received.push_back(r);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of class IMC_ZEM30_ENG, with or without the instance mutex.
class FakeFirstInstance {
public:
    explicit FakeFirstInstance(bool holdMutex) {
        g_received.clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = FirstInstanceProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "IMC_ZEM30_ENG";
        RegisterClassA(&wc);
        window_ = CreateWindowA("IMC_ZEM30_ENG", "first", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        if (holdMutex) mutex_ = CreateMutexA(nullptr, FALSE, "Orvane_ZEM");
    }
    ~FakeFirstInstance() {
        DestroyWindow(window_);
        UnregisterClassA("IMC_ZEM30_ENG", GetModuleHandleA(nullptr));
        if (mutex_) CloseHandle(mutex_);
    }

private:
    HWND window_ = nullptr;
    HANDLE mutex_ = nullptr;
};

int RunSecondStart(const Installation& installation, const std::string& arguments,
                   const std::vector<std::pair<std::string, std::string>>& env = {}) {
    ProgramRun run(installation, arguments, env);
    EXPECT_TRUE(run.Started());
    int code = run.WaitForExit(30000);
    PumpMessages(300);  // posted messages arrive
    return code;
}

}  // namespace

TEST(HandOver, SecondStartWithNamesAppendsToBatchListAndPostsOnce) {
    Installation installation("handover-names");
    std::string batch = installation.Path("IMAGE\\Batch.ini");
    WritePrivateProfileStringA("Files", "Count", "1", batch.c_str());
    WritePrivateProfileStringA("Files", "File0", "C:\\OLD.TIF", batch.c_str());
    FakeFirstInstance first(true);
    EXPECT_EQ(RunSecondStart(installation, "C:\\CARD1.TIF C:\\CARD2.TIF"), 0);
    char value[256];
    GetPrivateProfileStringA("Files", "Count", "", value, sizeof value, batch.c_str());
    EXPECT_STREQ(value, "3");
    GetPrivateProfileStringA("Files", "File0", "", value, sizeof value, batch.c_str());
    EXPECT_STREQ(value, "C:\\OLD.TIF");
    GetPrivateProfileStringA("Files", "File1", "", value, sizeof value, batch.c_str());
    EXPECT_STREQ(value, "C:\\CARD1.TIF");
    GetPrivateProfileStringA("Files", "File2", "", value, sizeof value, batch.c_str());
    EXPECT_STREQ(value, "C:\\CARD2.TIF");
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_USER + 101));
    EXPECT_EQ(g_received[0].WParam, 3u);
    EXPECT_EQ(g_received[0].LParam, 0);
}

TEST(HandOver, QuotedNamesWithBlanksAndAVeryLongCommandLine) {
    Installation installation("handover-long");
    std::string batch = installation.Path("IMAGE\\Batch.ini");
    FakeFirstInstance first(true);
    std::string longName = "C:\\" + std::string(3000, 'x') + ".tif";
    EXPECT_EQ(RunSecondStart(installation, "\"C:\\My Cards\\one card.tif\" \"" + longName + "\""), 0);
    char value[256];
    GetPrivateProfileStringA("Files", "File0", "", value, sizeof value, batch.c_str());
    EXPECT_STREQ(value, "C:\\My Cards\\one card.tif");
    GetPrivateProfileStringA("Files", "Count", "", value, sizeof value, batch.c_str());
    EXPECT_STREQ(value, "2");
    EXPECT_EQ(g_received.size(), 1u);
}

// The list is held by the first instance too long (here by the test): nothing is written to
// it, and the names reach the running window over the clipboard instead of being dropped.
TEST(HandOver, LockedBatchListHandsTheNamesOverTheClipboard) {
    Installation installation("handover-locked");
    std::string batch = installation.Path("IMAGE\\Batch.ini");
    FakeFirstInstance first(true);
    HANDLE list = CreateMutexA(nullptr, TRUE, "Orvane_ZEM_Batch");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(RunSecondStart(installation, "C:\\CARD1.TIF C:\\CARD2.TIF"), 0);
    ReleaseMutex(list);
    CloseHandle(list);
    EXPECT_FALSE(IsFile(batch));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_USER + 101));
    EXPECT_EQ(g_received[0].WParam, 1u);
    EXPECT_EQ(g_received[0].ClipboardText, "C:\\CARD1.TIF C:\\CARD2.TIF");
}

TEST(HandOver, SecondStartWithoutArgumentsOnlyBringsTheWindowForward) {
    Installation installation("handover-empty");
    FakeFirstInstance first(true);
    EXPECT_EQ(RunSecondStart(installation, ""), 0);
    EXPECT_TRUE(g_received.empty());
    EXPECT_FALSE(IsFile(installation.Path("IMAGE\\Batch.ini")));
}

TEST(HandOver, WindowWithoutMutexGetsTheCommandLineOnTheClipboard) {
    Installation installation("handover-clipboard");
    FakeFirstInstance first(false);
    EXPECT_EQ(RunSecondStart(installation, "\"C:\\a b.tif\" C:\\c.tif"), 0);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_USER + 101));
    EXPECT_EQ(g_received[0].WParam, 1u);
    EXPECT_EQ(static_cast<UINT>(g_received[0].LParam), RegisterClipboardFormatA("ZEM_CMDLINE"));
    EXPECT_EQ(g_received[0].ClipboardText, "\"C:\\a b.tif\" C:\\c.tif");
    EXPECT_FALSE(IsFile(installation.Path("IMAGE\\Batch.ini")));
}

TEST(HandOver, ScannerButtonAndPanelStartsAskTheRunningInstanceToScan) {
    Installation installation("handover-scan", Installation::TestRoads);
    {
        FakeFirstInstance first(true);
        EXPECT_EQ(RunSecondStart(installation, "x", {{"ZEM40_TEST_SCANNER_LAUNCH", "Card Scanner DS"}}), 0);
        ASSERT_EQ(g_received.size(), 1u);
        EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_USER + 3000));
        EXPECT_EQ(g_received[0].WParam, 70u);
        EXPECT_EQ(installation.ReadSetting("Preference", "DefaultDSProductName"), "Card Scanner DS");
    }
    {
        FakeFirstInstance first(true);
        EXPECT_EQ(RunSecondStart(installation, "/TAPBOARD \"Panel Source\" /NOUI"), 0);
        ASSERT_EQ(g_received.size(), 1u);
        EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_COMMAND));
        EXPECT_EQ(g_received[0].WParam, 99u);
        EXPECT_EQ(installation.ReadSetting("Preference", "EpsonDSProductName"), "Panel Source");
        EXPECT_EQ(installation.ReadSetting("Preference", "EP_UI_MODE"), "0");
    }
}

// A forged own-command-line message from another process must not make the program read
// that process's address: it is refused before anything is read, opened or written (a queued
// name stays queued), and the program keeps running. A genuine queue message then drains it.
TEST(HandOver, ForeignPointerInOwnCommandLineMessageIsRefused) {
    Installation installation("handover-forged");
    std::string batch = installation.Path("IMAGE\\Batch.ini");
    std::string temp = installation.Path("IMAGE\\BatchTemp.ini");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    WritePrivateProfileStringA("Files", "Count", "1", batch.c_str());
    WritePrivateProfileStringA("Files", "File0", "C:\\NO SUCH CARD.TIF", batch.c_str());
    std::string queued = ReadWholeFile(batch);
    for (LPARAM forged : {static_cast<LPARAM>(0x10), static_cast<LPARAM>(0x7FFF0000)}) {
        DWORD_PTR result = 1;
        EXPECT_NE(SendMessageTimeoutA(main, WM_USER + 101, 0, forged, SMTO_ABORTIFHUNG, 5000, &result), 0);
        EXPECT_EQ(result, 0u);
    }
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(ReadWholeFile(batch), queued);
    EXPECT_FALSE(IsFile(temp));
    DWORD_PTR result = 1;
    EXPECT_NE(SendMessageTimeoutA(main, WM_USER + 101, 3, 0, SMTO_ABORTIFHUNG, 15000, &result), 0);
    EXPECT_EQ(GetPrivateProfileIntA("Files", "Count", -1, batch.c_str()), 0);
    EXPECT_TRUE(IsFile(temp));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}

// File > Import Card Images that stores no card (the one file chosen is no image) leaves the
// queue of hand-overs for the next import that does; the user, who chose the file, is told.
TEST(HandOver, ImportThatStoresNothingLeavesTheQueue) {
    Installation installation("handover-import-nothing");
    std::string batch = installation.Path("IMAGE\\Batch.ini");
    WriteSmallFile(installation.Path("notacard.bmp"));
    ProgramRun run(installation, "");
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerFileDialog("Open Images", "notacard.bmp", 1);
    answers.AnswerMessage("", IDOK);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    WritePrivateProfileStringA("Files", "Count", "1", batch.c_str());
    WritePrivateProfileStringA("Files", "File0", "C:\\NO SUCH CARD.TIF", batch.c_str());
    PostMessageA(main, WM_COMMAND, 53, 0);
    for (int waited = 0; waited < 60000 && !SeenMessageWith(answers.Seen(), "Unknown format"); waited += 200)
        PumpMessages(200);
    // The copy made of the file for the card it would have been does not stay behind.
    auto copies = [&] {
        std::vector<std::string> names = FilesIn(installation.Path("IMAGE\\"));
        return std::count_if(names.begin(), names.end(),
                             [](const std::string& n) { return n.find(".ini") == std::string::npos; });
    };
    for (int waited = 0; waited < 30000 && copies() > 0; waited += 200) PumpMessages(200);
    PumpMessages(1000);
    std::vector<SeenDialog> seen = answers.Seen();
    EXPECT_TRUE(SeenMessageWith(seen, "Open Images")) << AllSeen(seen);
    EXPECT_TRUE(SeenMessageWith(seen, "Unknown format")) << AllSeen(seen);
    EXPECT_EQ(copies(), 0);
    EXPECT_EQ(GetPrivateProfileIntA("Files", "Count", -1, batch.c_str()), 1);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}
