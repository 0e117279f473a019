// The two image panes as the user meets them: cursors by mode and pointer, the region's tracker,
// when panning holds the mouse, the sunken frames around the panes, and the field list's place
// and background inside the tab control.
#include "editor_fixture.h"
#include <algorithm>

namespace {

const COLORREF kTile = RGB(236, 233, 216);  // bitmap 1013 away from its dotted rows

class Panes : public ReglyphHost {
protected:
    HWND Image() { return Control(8012); }
    // The window point of an image point while the (smaller) image is centred at 1:1.
    POINT At(int x, int y) {
        RECT client;
        GetClientRect(Image(), &client);
        return POINT{(client.right - width_) / 2 + x, (client.bottom - height_) / 2 + y};
    }
    // The cursor the image window sets for the pointer at a window point.
    HCURSOR CursorAt(POINT at) {
        ClientToScreen(Image(), &at);
        SetCursorPos(at.x, at.y);
        SendMessageA(Image(), WM_SETCURSOR, (WPARAM)Image(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }
    static HCURSOR Library(int id) { return LoadCursorA(GetModuleHandleA("Reglyph.dll"), MAKEINTRESOURCEA(id)); }
    // The region re-recognition reads: the last ReRecognizeField of the engine trace.
    std::string RegionRead() {
        SendMessageA(editor_, WM_COMMAND, 1199, 0);
        std::string last;
        for (const std::string& call : EngineCalls())
            if (call.rfind("ReRecognizeField", 0) == 0) last = call;
        return last;
    }
    static COLORREF PixelOf(HWND window, int x, int y) {
        UpdateWindow(window);
        HDC dc = GetDC(window);
        COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return colour;
    }
    // A window's rectangle in the coordinates of another.
    static RECT RectIn(HWND window, HWND other) {
        RECT r;
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, other, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    int width_ = 200, height_ = 60;
};

}  // namespace

TEST_F(Panes, ImageModesSetTheClassCursorAndThePointerPicksTheCursor) {
    TestPage page({{0, 0, "John"}});
    PageImages images(page.page(), width_, height_);
    ASSERT_TRUE(Open(page.page()));
    const HCURSOR cross = LoadCursor(nullptr, IDC_CROSS), arrow = LoadCursor(nullptr, IDC_ARROW);
    SendMessageA(editor_, WM_COMMAND, 1003, 0);
    EXPECT_EQ((HCURSOR)GetClassLongPtrA(Image(), GCLP_HCURSOR), arrow);
    // Panning a page that fits the window: nothing to pan, so the arrow even over the image.
    EXPECT_EQ(CursorAt(At(100, 30)), arrow);
    SendMessageA(editor_, WM_COMMAND, 1002, 0);
    EXPECT_EQ((HCURSOR)GetClassLongPtrA(Image(), GCLP_HCURSOR), cross);
    Drag(Image(), {At(100, 20), At(150, 40)});
    EXPECT_EQ(CursorAt(At(120, 30)), Library(1035));  // on the region
    EXPECT_EQ(CursorAt(At(150, 40)), Library(1035));  // on its corner handle
    EXPECT_EQ(CursorAt(At(30, 45)), cross);           // on the image
    EXPECT_EQ(CursorAt(POINT{1, 1}), arrow);          // on the margin beside it
}

TEST_F(Panes, PanningHoldsTheMouseOnlyWhenTheImageDoesNotFit) {
    TestPage page({{0, 0, "John"}});
    for (int big = 0; big < 2; ++big) {
        PageImages images(page.page(), big ? 3000 : width_, big ? 2000 : height_);
        ASSERT_TRUE(Open(page.page()));
        SendMessageA(editor_, WM_COMMAND, 1000, 0);  // one level in: the big page no longer fits
        SendMessageA(editor_, WM_COMMAND, 1003, 0);
        Pump();
        RECT client;
        GetClientRect(Image(), &client);
        POINT middle = {client.right / 2, client.bottom / 2};
        EXPECT_EQ(CursorAt(middle), big ? Library(1037) : LoadCursor(nullptr, IDC_ARROW)) << big;
        SendMessageA(Image(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
        EXPECT_EQ(GetCursor(), Library(1036)) << big;
        EXPECT_EQ(GetCapture() == Image(), big == 1) << big;
        SendMessageA(Image(), WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
        EXPECT_EQ(GetCapture(), nullptr);
        Close();
    }
}

TEST_F(Panes, TheTrackerMovesAndResizesTheRegionAndAPressOffItDrawsANewOne) {
    TestPage page({{0, 0, "John"}});
    PageImages images(page.page(), width_, height_);
    ASSERT_TRUE(Open(page.page()));
    // Dragged from inside: the region moves by the distance, keeping its size.
    Drag(Image(), {At(20, 10), At(60, 30)});
    Drag(Image(), {At(40, 20), At(45, 22), At(50, 25)});
    EXPECT_EQ(RegionRead(), "ReRecognizeField 71 30 15 70 35");
    // Dragged by a handle: that corner or edge follows the pointer.
    Drag(Image(), {At(20, 10), At(60, 30)});
    Drag(Image(), {At(60, 30), At(80, 50)});
    EXPECT_EQ(RegionRead(), "ReRecognizeField 71 20 10 80 50");
    Drag(Image(), {At(20, 10), At(60, 30)});
    Drag(Image(), {At(40, 10), At(40, 2)});  // the top edge's middle
    EXPECT_EQ(RegionRead(), "ReRecognizeField 71 20 2 60 30");
    // A press off the region starts a new one, which may be drawn in any direction.
    Drag(Image(), {At(20, 10), At(60, 30)});
    Drag(Image(), {At(170, 50), At(150, 40)});
    EXPECT_EQ(RegionRead(), "ReRecognizeField 71 150 40 170 50");
    // Moved past the image's edge, the region is clipped to the image.
    Drag(Image(), {At(20, 10), At(60, 30)});
    Drag(Image(), {At(40, 20), At(5, 20)});
    EXPECT_EQ(RegionRead(), "ReRecognizeField 71 0 10 25 30");
}

TEST_F(Panes, BothPanesSitInSunkenFrames) {
    TestPage page({{0, 0, "John"}});
    PageImages images(page.page(), width_, height_);
    ASSERT_TRUE(Open(page.page()));
    const COLORREF dark = RGB(127, 127, 127), light = RGB(223, 223, 223);
    for (int id : {8012, 8013}) {
        RECT r = RectIn(Control(id), editor_);
        int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        EXPECT_EQ(PixelOf(editor_, r.left - 1, y), dark) << id;
        EXPECT_EQ(PixelOf(editor_, x, r.top - 2), dark) << id;
        EXPECT_EQ(PixelOf(editor_, r.right, y), light) << id;
        EXPECT_EQ(PixelOf(editor_, x, r.bottom + 1), light) << id;
    }
}

TEST_F(Panes, TheFieldListSitsInsideTheTabAreaOnTheTiledBackground) {
    TestPage page({{0, 0, "John"}, {0, 1, "Acme"}});
    ASSERT_TRUE(Open(page.page()));
    HWND tabs = Control(1131), list = List();
    RECT area;
    GetClientRect(tabs, &area);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, (LPARAM)&area);
    RECT placed = RectIn(GetParent(list), tabs);
    EXPECT_EQ(placed.left, area.left + 2);
    EXPECT_EQ(placed.right, area.right - 2);
    // Beside the two tabs (and the card buttons over the tab row), and in the list below its two rows, the dialog's tiles show (taken on
    // dialog rows between the tile's dotted ones).
    auto tileRow = [&](HWND window, int y) {
        POINT p = {0, y};
        MapWindowPoints(window, editor_, &p, 1);
        return y - (p.y % 4 == 0 ? 1 : 0);
    };
    RECT tabRow;
    GetClientRect(tabs, &tabRow);
    EXPECT_EQ(PixelOf(tabs, tabRow.right - 5, tileRow(tabs, 12)), kTile);  // past the card buttons
    RECT inside;
    GetClientRect(list, &inside);

    EXPECT_EQ(PixelOf(list, 50, tileRow(list, inside.bottom - 4)), kTile);
    EXPECT_EQ(PixelOf(list, inside.right - 10, tileRow(list, inside.bottom - 4)), kTile);
}
