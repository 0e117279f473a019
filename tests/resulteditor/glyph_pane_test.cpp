// The glyph pane's split, merge and erase gestures and re-recognition of a drawn region, on
// hand-built pages with black-and-white images (boxes without ink read as blanks, so the OCR
// program is not needed here).
#include "editor_fixture.h"
#include <algorithm>

namespace {

class GlyphPane : public ReglyphHost {
protected:
    HWND Pane() { return Control(8013); }
    // The pane point of an image point while the (smaller) image is centred in the pane.
    POINT At(int x, int y) {
        RECT client;
        GetClientRect(Pane(), &client);
        return POINT{(client.right - width_) / 2 + x, (client.bottom - height_) / 2 + y};
    }
    // Gives the characters of the first line of `page` these boxes, in order.
    static void Boxes(TestPage& page, const std::vector<RecogBox>& boxes) {
        RecogChar* c = page.Lines()[0]->FirstChar;
        for (const RecogBox& box : boxes) {
            c->Rect = c->Rect2 = box;
            c = c->Next;
        }
    }
    std::vector<RecogBox> HandedBackBoxes(TestPage& page) {
        int y, m, d;
        EXPECT_EQ(handBack_(page.page(), &y, &m, &d), 1);
        std::vector<RecogBox> boxes;
        for (RecogChar* c = page.Lines()[0]->FirstChar; c; c = c->Next) boxes.push_back(c->Rect);
        return boxes;
    }
    bool Called(const std::string& call) {
        std::vector<std::string> calls = EngineCalls();
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    int width_ = 200, height_ = 60;
};

bool Same(const RecogBox& a, const RecogBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST_F(GlyphPane, SplitCutsTheCurrentCharacterWhereTheLineWasDrawn) {
    TestPage page({{0, 0, "AB"}});
    Boxes(page, {{10, 10, 29, 39}, {30, 10, 49, 39}});
    PageImages images(page.page(), width_, height_);
    ASSERT_TRUE(Open(page.page()));
    SendMessageA(editor_, WM_COMMAND, 1004, 0);
    Drag(Pane(), {At(14, 20), At(18, 22), At(20, 25)});
    EXPECT_TRUE(Called("split_and_recognize"));
    // The refresh shows the two pieces, read as blanks (no ink), before B.
    EXPECT_EQ(BoxText(), "  B");
    std::vector<RecogBox> boxes = HandedBackBoxes(page);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_TRUE(Same(boxes[0], {10, 10, 19, 39}));
    EXPECT_TRUE(Same(boxes[1], {20, 10, 29, 39}));
    EXPECT_TRUE(Same(boxes[2], {30, 10, 49, 39}));
}

TEST_F(GlyphPane, MergeJoinsOnlyAnUnbrokenRunOfTwoOrMore) {
    // B stands lower than A and C, so a band can touch A and C and leave B out.
    const struct {
        const char* name;
        RecogBox band;
        size_t chars;
    } cases[] = {{"one character", {12, 12, 20, 20}, 3},
                 {"two characters", {20, 30, 35, 50}, 2},
                 {"a broken run", {15, 12, 60, 20}, 3}};
    for (const auto& c : cases) {
        TestPage page({{0, 0, "ABC"}});
        Boxes(page, {{10, 10, 29, 39}, {30, 45, 49, 55}, {50, 10, 69, 39}});
        PageImages images(page.page(), width_, height_);
        ASSERT_TRUE(Open(page.page())) << c.name;
        SendMessageA(editor_, WM_COMMAND, 1005, 0);
        Drag(Pane(), {At(c.band.left, c.band.top), At(c.band.right, c.band.bottom)});
        std::vector<RecogBox> boxes = HandedBackBoxes(page);
        ASSERT_EQ(boxes.size(), c.chars) << c.name;
        if (c.chars == 2) {
            EXPECT_TRUE(Same(boxes[0], {10, 10, 49, 55})) << c.name;
            EXPECT_TRUE(Called("merge_and_recognize"));
        }
        Close();
    }
}

TEST_F(GlyphPane, EraseOfAllInkReachesTheBankAndStaysInsideTheImage) {
    TestPage page({{0, 0, "ABC"}});
    // C reaches past the image's right and bottom edges.
    Boxes(page, {{10, 10, 29, 39}, {30, 10, 49, 39}, {190, 40, 215, 70}});
    PageImages images(page.page(), width_, height_);
    images.Ink(10, 10, 49, 39);
    images.Ink(0, 41, 199, 59);
    ASSERT_TRUE(Open(page.page()));
    SendMessageA(editor_, WM_COMMAND, 1006, 0);
    // Paints every cell of the enlarged character white.
    auto eraseAll = [&](int w, int h) {
        RECT client;
        GetClientRect(Pane(), &client);
        int cell = std::min(client.right / w, client.bottom / h);
        int x0 = (client.right - cell * w) / 2, y0 = (client.bottom - cell * h) / 2;
        std::vector<POINT> path;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) path.push_back({x0 + x * cell + cell / 2, y0 + y * cell + cell / 2});
        path.push_back(path.back());
        Drag(Pane(), path);
    };
    eraseAll(20, 30);
    EXPECT_TRUE(Called("erase_and_recognize"));
    EXPECT_EQ(BoxText(), " BC");
    for (int y = 10; y <= 39; ++y)
        for (int x = 10; x <= 49; ++x) ASSERT_EQ(images.InkAt(x, y), x >= 30) << x << "," << y;
    // The character beyond the edges: only the image's own rows and bytes change.
    SendMessageA(Box(), EM_SETSEL, 2, 2);
    SendMessageA(Box(), WM_KEYUP, VK_RIGHT, 0xC0000001);
    Pump();
    eraseAll(26, 31);
    EXPECT_TRUE(images.GuardIntact());
    for (int y = 41; y <= 59; ++y)
        for (int x = 0; x < 200; ++x) ASSERT_EQ(images.InkAt(x, y), x < 190) << x << "," << y;
}

TEST_F(GlyphPane, RegionsAreClippedToTheImageAndReadWithTheTickedClasses) {
    TestPage page({{0, 0, "John"}, {0, 1, "Acme"}});
    PageImages images(page.page(), width_, height_);
    ASSERT_TRUE(Open(page.page()));
    HWND image = Control(8012);
    RECT client;
    GetClientRect(image, &client);
    // At 1:1 the small image is centred; the drag ends outside it.
    POINT origin = {(client.right - width_) / 2, (client.bottom - height_) / 2};
    Drag(image, {{origin.x + 150, origin.y + 40}, {client.right - 3, client.bottom - 3}});
    SendMessageA(editor_, WM_COMMAND, 1199, 0);
    // Selecting the row made the (now empty) line's rectangle the region: draw it again.
    Drag(image, {{origin.x + 150, origin.y + 40}, {client.right - 3, client.bottom - 3}});
    for (int id = 1009; id <= 1011; ++id) CheckDlgButton(editor_, id, BST_UNCHECKED);
    SendMessageA(editor_, WM_COMMAND, 1010 + 1, 1688);  // the image window's field menu, slot 1
    std::vector<std::string> calls = EngineCalls();
    std::vector<std::string> reads;
    for (const std::string& call : calls)
        if (call.rfind("ReRecognizeField", 0) == 0) reads.push_back(call);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0], "ReRecognizeField 71 150 40 199 59");
    EXPECT_EQ(reads[1], "ReRecognizeField 119 150 40 199 59");
    // The region held no ink: both fields are empty now, and the second is the selected row.
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(BoxText(), "");
    EXPECT_TRUE(commands_.empty());
}

// A region drawn around a column of Chinese characters is read as a vertical line: its text
// from top to bottom, the line marked 'v', and each character with a box of its own, one under
// the other, inside the column.
TEST_F(GlyphPane, ColumnRegionIsReadAsAVerticalLine) {
    const wchar_t column[] = L"北京银行";
    const int size = 48, pitch = 60, left = 80, top = 20;
    width_ = 200;
    height_ = top + 4 * pitch + 20;
    TestPage page({{0, 0, "x"}});
    PageImages images(page.page(), width_, height_);
    // The characters drawn in a Chinese font, black on white, then taken over pixel by pixel.
    BITMAPINFOHEADER header{sizeof header, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP picture = CreateDIBSection(dc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldPicture = SelectObject(dc, picture);
    RECT all = {0, 0, width_, height_};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    HFONT font = CreateFontW(size, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                             L"WenQuanYi Micro Hei");
    HGDIOBJ oldFont = SelectObject(dc, font);
    for (int i = 0; i < 4; ++i) TextOutW(dc, left, top + i * pitch, column + i, 1);
    GdiFlush();
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if ((static_cast<const uint32_t*>(bits)[y * width_ + x] & 0xFF) < 128) images.Ink(x, y, x, y);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPicture);
    DeleteObject(font);
    DeleteObject(picture);
    DeleteDC(dc);

    ASSERT_TRUE(Open(page.page()));
    HWND image = Control(8012);
    RECT client;
    GetClientRect(image, &client);
    POINT origin = {(client.right - width_) / 2, (client.bottom - height_) / 2};
    Drag(image, {{origin.x + left - 10, origin.y + top - 8}, {origin.x + left + size + 10, origin.y + height_ - 10}});
    SendMessageA(editor_, WM_COMMAND, 1199, 0);
    EXPECT_EQ(Cell(0, 1), Gbk("北京银行"));
    int y, m, d;
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    RecogLine* line = page.Lines()[0];
    EXPECT_EQ(line->Orientation, 'v');
    EXPECT_EQ(TextOf(line), Gbk("北京银行"));
    int i = 0, above = -1;
    for (RecogChar* c = line->FirstChar; c; c = c->Next, ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(c->Rect.top, above);
        EXPECT_GE(c->Rect.top, top + i * pitch);
        EXPECT_LT(c->Rect.bottom, top + (i + 1) * pitch);
        EXPECT_GE(c->Rect.left, left);
        EXPECT_LT(c->Rect.right, left + size + 4);
        above = c->Rect.bottom;
    }
    EXPECT_EQ(i, 4);
}
