// What the user sees while the recognition database loads at start-up: the status bar's hint
// pane says so, and is empty again once the program is ready.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "card_files.h"
#include <stdio.h>

namespace {

// The hint pane's text area in status-bar coordinates: right of the pane's left edge, left of
// the three fixed panes (120 + 40 + 100 pixels and their gaps) at the bar's right.
RECT HintTextArea(const WindowPixels& bar) { return RECT{5, 3, bar.Width - 275, 18}; }

int CountDarkPixels(const WindowPixels& bar, const RECT& area) {
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            COLORREF c = bar.At(x, y);
            if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80) ++dark;
        }
    return dark;
}

// The status bar's own text, read without a message (the program is busy and answers none).
std::string BusyWindowText(HWND window) {
    wchar_t text[256] = L"";
    InternalGetWindowText(window, text, 256);
    char narrow[256] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (BusyWindowText(window) == expected) return true;
        Sleep(50);
    }
    return false;
}

}  // namespace

TEST(Progress, LoadingTheRecognitionDatabaseShowsItsHintUntilStartUpEnds) {
    Installation installation("progress-load");
    std::string hold = installation.Path("hold-load");
    ASSERT_TRUE(WriteWholeFile(hold, ""));
    ProgramRun run(installation, "", {{"TVRKSDK_HOLD_LOAD", hold}});
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window shows before the database loads";
    HWND status = run.Child("IMC_STAT20");
    ASSERT_NE(status, nullptr);
    // Keep the mouse on a pane without a hint, so nothing but the program's progress writes there.
    RECT bar;
    GetWindowRect(status, &bar);
    SetCursorPos(bar.right - 60, (bar.top + bar.bottom) / 2);

    ASSERT_TRUE(WaitForText(status, "Loading data base...", 60000)) << BusyWindowText(status);
    Sleep(500);
    WindowPixels during = CaptureWindow(status);
    SaveScreenshot(status, "zem40-status-loading");
    EXPECT_GT(CountDarkPixels(during, HintTextArea(during)), 20) << "no text drawn in the hint pane";

    DeleteFileA(hold.c_str());
    ASSERT_TRUE(WaitForText(status, "", 60000)) << BusyWindowText(status);
    PumpMessages(1000);
    // The program answers again: start-up has ended.
    EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Untitled.mdb");
    WindowPixels after = CaptureWindow(status);
    SaveScreenshot(status, "zem40-status-ready");
    EXPECT_EQ(CountDarkPixels(after, HintTextArea(after)), 0) << "the hint pane was not emptied";

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}
