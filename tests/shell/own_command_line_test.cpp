// The first instance's own command line as its window receives it, and what the hand-over
// handler accepts as the program's own buffer. A window of this thread stands in for the main
// window and records every message it gets.
#include <gtest/gtest.h>
#include "shell.h"
#include "file_bytes.h"
#include "scratch_folder.h"
#include "build_paths.h"
#include <string>
#include <vector>

namespace {

struct Received {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    std::string Text;  // of a hand-over's own-command-line buffer
};

std::vector<Received> g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_HANDOVER_FILES || message == WM_SCAN_DEFAULT_SOURCE) {
        Received r{message, wParam, lParam, ""};
        if (message == WM_HANDOVER_FILES && wParam == HANDOVER_OWN_COMMAND_LINE && lParam)
            r.Text = reinterpret_cast<const char*>(lParam);
        g_received.push_back(r);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class OwnCommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ShellTestMain";
        RegisterClassA(&wc);
        App.MainWindow =
            CreateWindowA("ShellTestMain", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(App.MainWindow, nullptr);
        g_received.clear();
        App.CommandLine = line_;
        App.ScannerLaunch = App.PanelRequest = 0;
        App.PanelUiMode = 1;
    }
    void TearDown() override {
        DestroyWindow(App.MainWindow);
        App.MainWindow = NULL;
        App.CommandLine = NULL;
        App.ScannerLaunch = App.PanelRequest = 0;
        App.PanelUiMode = 1;
    }
    void Act(const char* commandLine) {
        lstrcpynA(line_, commandLine, sizeof line_);
        g_received.clear();
        ActOnOwnCommandLine();
        PumpPending();
    }
    char line_[256] = "";
};

}  // namespace

TEST_F(OwnCommandLine, FileNamesGoToTheWindowWithTheOpeningQuoteRemovedAndTheLastLetterKept) {
    Act("\"C:\\a.tif\" C:\\b.tif");
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_HANDOVER_FILES));
    EXPECT_EQ(g_received[0].WParam, static_cast<WPARAM>(HANDOVER_OWN_COMMAND_LINE));
    EXPECT_EQ(g_received[0].LParam, reinterpret_cast<LPARAM>(App.CommandLine));
    EXPECT_EQ(g_received[0].Text, "C:\\a.tif\" C:\\b.tif");
    // An empty command line asks for nothing.
    Act("");
    EXPECT_TRUE(g_received.empty());
}

// The Card Editor is shown (sent, 113) before the posted Scan command (70) is handled.
TEST_F(OwnCommandLine, PanelRequestWithoutUserInterfaceShowsTheEditorBeforeScanning) {
    lstrcpyA(App.PanelDataSource, "Panel Source");
    App.PanelRequest = 1;
    App.PanelUiMode = 0;
    Act("/TAPBOARD \"Panel Source\" /NOUI");
    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(g_received[0].WParam, 113u);
    EXPECT_EQ(g_received[1].Message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(g_received[1].WParam, 70u);
    EXPECT_EQ(g_received[1].LParam, reinterpret_cast<LPARAM>(App.PanelDataSource));
    // With the source's interface wanted, only the Scan command.
    App.PanelUiMode = 1;
    Act("/TAPBOARD \"Panel Source\"");
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].WParam, 70u);
}

TEST_F(OwnCommandLine, ScannerButtonLaunchScansWithTheDevicesSource) {
    lstrcpyA(App.ScannerDataSource, "Card Scanner DS");
    App.ScannerLaunch = 1;
    Act("x");
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].Message, static_cast<UINT>(WM_SCAN_DEFAULT_SOURCE));
    EXPECT_EQ(g_received[0].WParam, 70u);
    char stored[64];
    ReadSettingText("Preference", "DefaultDSProductName", "", stored, sizeof stored);
    EXPECT_STREQ(stored, "Card Scanner DS");
    WriteSettingText("Preference", "DefaultDSProductName", NULL);
}

// Only the program's own command-line buffer is taken as one; the same text at any other
// address is refused before anything is read, opened or written, and the queue stays as it was.
TEST_F(OwnCommandLine, HandOverHandlerTakesOnlyTheOwnBuffer) {
    std::string images = ProgramFolder() + "own_line_images";
    RemoveFolderTree(images + "\\");
    CreateDirectoryA(images.c_str(), nullptr);
    WriteSettingText("Directory", "ImageDir", images.c_str());
    std::string batch = images + "\\Batch.ini";
    auto queueCount = [&] { return GetPrivateProfileIntA("Files", "Count", -1, batch.c_str()); };
    auto queueOne = [&] {
        WritePrivateProfileStringA("Files", "Count", "1", batch.c_str());
        WritePrivateProfileStringA("Files", "File0", "C:\\no such card.tif", batch.c_str());
    };

    queueOne();
    char forged[256];
    lstrcpyA(line_, "");
    lstrcpyA(forged, line_);
    EXPECT_EQ(OnHandOverFiles(App.MainWindow, HANDOVER_OWN_COMMAND_LINE, reinterpret_cast<LPARAM>(forged)), 0);
    EXPECT_EQ(queueCount(), 1);
    EXPECT_FALSE(PathExists(images + "\\BatchTemp.ini"));

    EXPECT_EQ(OnHandOverFiles(App.MainWindow, HANDOVER_OWN_COMMAND_LINE, reinterpret_cast<LPARAM>(App.CommandLine)), 0);
    EXPECT_EQ(queueCount(), 0);  // taken: the queue was drained after the own line
    char entry[64];
    GetPrivateProfileStringA("Files", "File0", "", entry, sizeof entry, (images + "\\BatchTemp.ini").c_str());
    EXPECT_STREQ(entry, "*");

    WriteSettingText("Directory", "ImageDir", NULL);
    RemoveFolderTree(images + "\\");
}
