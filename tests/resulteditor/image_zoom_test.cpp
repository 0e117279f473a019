// The page image window: zoom levels, the zoom slider and centring of small images.
#include "editor_fixture.h"

namespace {

// A grey page image of the given size, every pixel `grey`, handed to the page as the engine does.
class GreyImage {
public:
    GreyImage(RecogPage* page, int width, int height, BYTE grey) {
        int stride = (width + 3) / 4 * 4;
        rows_ = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)stride * height);
        memset(GlobalLock(rows_), grey, (SIZE_T)stride * height);
        GlobalUnlock(rows_);
        RecogImageInfo& image = page->Image;
        image.Width = (uint16_t)width;
        image.Height = (uint16_t)height;
        image.GreyBytesPerRow = (uint16_t)stride;
        image.GreyBitsPerPixel = 8;
        image.GreyRows = rows_;
    }
    ~GreyImage() { GlobalFree(rows_); }

private:
    HGLOBAL rows_;
};

class ImageZoom : public ReglyphHost {
protected:
    HWND Image() { return Control(8012); }
    // Width of the shown image in window pixels, read from the horizontal scroll range
    // (valid while the image is wider than the window and fits its height).
    int ShownWidth() {
        SCROLLINFO info = {sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
        GetScrollInfo(Image(), SB_HORZ, &info);
        RECT outer;
        GetWindowRect(Image(), &outer);
        return info.nMax + (outer.right - outer.left);
    }
    void Zoom(int command, int times) {
        for (int i = 0; i < times; ++i) SendMessageA(editor_, WM_COMMAND, command, 0);
        Pump();
    }
    // Drags the slider's thumb by dx pixels (the thumb sits at 3 x level + 1 from the slider's
    // left, which is 111 pixels from the dialog's right edge).
    void DragThumb(int level, int dx) {
        RECT client;
        GetClientRect(editor_, &client);
        int x = client.right - 111 + 3 * level + 9, y = 18;
        SendMessageA(editor_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(editor_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y));
        SendMessageA(editor_, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y));
        Pump();
    }
    COLORREF Pixel(int x, int y) {
        UpdateWindow(Image());
        HDC dc = GetDC(Image());
        COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(Image(), dc);
        return colour;
    }
};

}  // namespace

TEST_F(ImageZoom, LevelsMagnifyFromEightTimesToOneNinth) {
    TestPage page({{0, 0, "x"}});
    GreyImage image(page.page(), 2000, 10, 200);
    ASSERT_TRUE(Open(page.page()));
    Zoom(1000, 20);
    EXPECT_EQ(ShownWidth(), 16000);  // level 0: eight times
    Zoom(1000, 1);
    EXPECT_EQ(ShownWidth(), 16000);  // zoom in at level 0 changes nothing
    Zoom(1001, 7);
    EXPECT_EQ(ShownWidth(), 2000);  // level 7: 1:1
    Zoom(1001, 1);
    EXPECT_EQ(ShownWidth(), 1000);  // level 8: one half
    Zoom(1000, 4);
    EXPECT_EQ(ShownWidth(), 8000);  // level 4: four times
}

TEST_F(ImageZoom, SliderDragsMoveOneLevelPerThreePixels) {
    TestPage page({{0, 0, "x"}});
    GreyImage image(page.page(), 2000, 10, 200);
    ASSERT_TRUE(Open(page.page()));
    Zoom(1000, 20);
    Zoom(1001, 3);
    ASSERT_EQ(ShownWidth(), 10000);  // level 3
    DragThumb(3, 1);
    EXPECT_EQ(ShownWidth(), 10000);  // 1 pixel: no step
    DragThumb(3, 2);
    EXPECT_EQ(ShownWidth(), 8000);  // 2 pixels: level 4
    DragThumb(4, 7);
    EXPECT_EQ(ShownWidth(), 4000);  // 7 pixels: two levels, to 6
}

TEST_F(ImageZoom, SmallImagesAreCentredAndNeverVanish) {
    TestPage page({{0, 0, "x"}});
    GreyImage image(page.page(), 5, 5, 0);
    ASSERT_TRUE(Open(page.page()));
    RECT client;
    GetClientRect(Image(), &client);
    int cx = (client.right - 1) / 2, cy = (client.bottom - 1) / 2;
    const COLORREF margin = RGB(192, 192, 192), ink = RGB(0, 0, 0);
    EXPECT_EQ(Pixel(cx, cy), ink);  // level 7
    EXPECT_EQ(Pixel(0, 0), margin);
    Zoom(1001, 8);  // level 15: one ninth of 5 pixels is still one pixel
    EXPECT_EQ(Pixel(cx, cy), ink);
    EXPECT_EQ(Pixel(cx - 3, cy), margin);
    Zoom(1001, 1);
    Zoom(1000, 15);  // level 0: 40 x 40, centred
    EXPECT_EQ(Pixel(cx - 19, cy - 19), ink);
    EXPECT_EQ(Pixel(cx - 22, cy), margin);
    EXPECT_EQ(Pixel(0, 0), margin);
}
