// The status bar's progress reaches the recognition window while a card is recognised: a file
// opened anew starts its bar from empty, and each step shows the same percentage there.
#include "capture_fixture.h"
#include "recognition.h"
#include "resource.h"

namespace {

// The colour the recognition window shows at a fraction of its bar's width, on the bar's
// middle row, read from the screen.
COLORREF BarColourAt(HWND window, double fraction) {
    const RECT& bar = App.OcrWindow.BarArea;
    HDC dc = GetDC(window);
    SIZE box;
    GetTextExtentPoint32A(dc, "100%", 4, &box);  // the percentage box is at least this wide
    int left = bar.left + box.cx + 5 + 1;
    int x = left + static_cast<int>((bar.right - left) * fraction);
    COLORREF colour = GetPixel(dc, x, (bar.top + bar.bottom) / 2);
    ReleaseDC(window, dc);
    return colour;
}

struct RecognitionWindow {
    RecognitionWindow() {
        RegisterRecognitionWindowClass();
        App.OcrWindow.Window = CreateRecognitionWindow(nullptr);
        UpdateWindow(App.OcrWindow.Window);
    }
    ~RecognitionWindow() {
        DestroyWindow(App.OcrWindow.Window);
        App.OcrWindow.Window = nullptr;
    }
};

}  // namespace

TEST(RecognitionWindow, StatusProgressIsHandedToTheOpenWindowAndAnOpenedFileEmptiesItsBar) {
    RecognitionWindow open;
    HWND window = App.OcrWindow.Window;
    ASSERT_NE(window, nullptr);
    const COLORREF done = RGB(0, 0, 128), rest = RGB(192, 192, 192);

    BeginProgress(IDS_OPEN_FILE_PROGRESS);
    StepProgress(60);
    EXPECT_EQ(App.OcrWindow.Percent, 60);
    EXPECT_EQ(BarColourAt(window, 0.3), done);
    EXPECT_EQ(BarColourAt(window, 0.9), rest);

    // Another long operation leaves the bar as it is; opening a file empties it.
    EndProgress();
    BeginProgress(5056);
    EXPECT_EQ(App.OcrWindow.Percent, 60);
    EndProgress();
    BeginProgress(IDS_OPEN_FILE_PROGRESS);
    EXPECT_EQ(App.OcrWindow.Percent, 0);
    EXPECT_EQ(BarColourAt(window, 0.3), rest);
    StepProgress(100);
    EXPECT_EQ(BarColourAt(window, 0.95), done);
    EndProgress();
}

// The window of each recognition run shows without taking the activation from the main
// window; made and ended that way it costs no wait for a window manager (Wine under a bare X
// server waited about 2 s per card for an activated one).
TEST(RecognitionWindow, EachRunsWindowShowsWithoutTakingTheActivation) {
    RegisterRecognitionWindowClass();
    HWND main = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    SetActiveWindow(main);
    App.MainWindow = main;
    DWORD start = GetTickCount();
    for (int run = 0; run < 3; ++run) {
        RegisterRecognitionCallbacks();
        HWND window = App.OcrWindow.Window;
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(GetActiveWindow(), main);
        UnregisterRecognitionCallbacks();
        EXPECT_FALSE(IsWindow(window));
    }
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 3000u) << "three runs' windows took " << elapsed << " ms";
    App.MainWindow = nullptr;
    DestroyWindow(main);
}
