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
