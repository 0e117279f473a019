// The editor on screen with a Chinese page: saved as a picture to look at, and its in-place
// editor's red frame and the page image checked in the window's pixels.
#include "editor_fixture.h"

using EditorOnScreen = ReglyphHost;

TEST_F(EditorOnScreen, ChinesePageWithItsImage) {
    TestPage page({{0, 0, Gbk("张伟")},
                   {0, 1, Gbk("北京星河科技有限公司")},
                   {0, 3, Gbk("销售经理")},
                   {0, 4, Gbk("北京市海淀区中关村大街1号")},
                   {1, 17, "010-6275-1234"},
                   {1, 7, "zhang.wei@example.cn"}});
    // A grey card: light paper with dark bars where the lines are.
    const int width = 900, height = 540, stride = 900;
    HGLOBAL rows = GlobalAlloc(GMEM_MOVEABLE, stride * height);
    BYTE* pixels = static_cast<BYTE*>(GlobalLock(rows));
    memset(pixels, 235, stride * height);
    for (int line = 0; line < 6; ++line)
        for (int y = 60 + 70 * line; y < 90 + 70 * line; ++y) memset(pixels + y * stride + 80, 40, 300 + 60 * line);
    GlobalUnlock(rows);
    RecogImageInfo& image = page.page()->Image;
    image.Width = width;
    image.Height = height;
    image.GreyBytesPerRow = stride;
    image.GreyBitsPerPixel = 8;
    image.GreyRows = rows;
    ASSERT_TRUE(Open(page.page()));
    cardStatus_(12, 5);
    SelectRow(1);
    Pump();
    UpdateWindow(host_);
    std::string shot = SaveScreenshot(host_, "reglyph_editor");
    EXPECT_NE(GetFileAttributesA(shot.c_str()), INVALID_FILE_ATTRIBUTES);
    // The in-place editor over row 1 shows its red frame.
    RECT frame;
    GetWindowRect(Control(1033) ? Control(1033) : GetParent(Box()), &frame);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, frame.left, (frame.top + frame.bottom) / 2), RGB(255, 0, 0));
    ReleaseDC(nullptr, screen);
    Close();
    GlobalFree(rows);
}
