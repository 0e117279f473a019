// The export-options pop-up: its pictures on screen against the library's own bitmaps, and
// what choosing or dismissing it writes.
#include "prefer_fixture.h"
#include "gui_driver.h"
#include "screen_picture.h"
#include <vector>

using namespace dialog_driver;

namespace {

// The top-left corner at which the picture shows, searched near the menu's border.
bool FindPicture(const WindowPixels& shot, int id, int rowIndex) {
    ScreenPicture picture = PictureResource(GetModuleHandleA("ZemPrefer.dll"), id);
    if (picture.Width != 45 || picture.Height != 42) return false;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (PictureShowsAt(shot.Pixels, shot.Width, shot.Height, picture, x, y + 42 * rowIndex, 24)) return true;
    return false;
}

class ExportMenu : public PreferFixture {
protected:
    void SetUp() override {
        PreferFixture::SetUp();
        owner_ = CreateWindowExA(0, "STATIC", "main", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        PreferFixture::TearDown();
    }

    // Pops the menu up here while script works it from a driver thread.
    int Run(const std::function<void(HWND menu)>& script) {
        std::thread driver([&] {
            HWND menu = WaitForMenu(GetCurrentProcessId());
            if (!menu) {
                ADD_FAILURE() << "no pop-up menu";
                return;
            }
            Sleep(200);
            script(menu);
            if (IsWindow(menu) && IsWindowVisible(menu)) PressKey(menu, VK_ESCAPE);
        });
        int place[4] = {400, 300, 445, 342};
        int result = showExportMenu_(owner_, Ini(), place);
        driver.join();
        return result;
    }

    HWND owner_ = nullptr;
};

TEST_F(ExportMenu, ShowsTheOfferedTargetsAndStoresTheChoice) {
    Write("Preference", "ExportOptn", "010110");
    Write("Preference", "DefaultExport", "1");
    bool ce = false, outlook = false, express = false;
    RECT where = {};
    EXPECT_EQ(Run([&](HWND menu) {
                  GetWindowRect(menu, &where);
                  WindowPixels shot = CaptureWindow(menu);
                  Screenshot(menu, "export_menu_three_targets");
                  ce = FindPicture(shot, 2202, 0);
                  outlook = FindPicture(shot, 2204, 1);
                  express = FindPicture(shot, 2205, 2);
                  PressKey(menu, VK_DOWN);
                  PressKey(menu, VK_DOWN);
                  PressKey(menu, VK_RETURN);
                  WaitUntilClosed(menu);
              }),
              1);
    EXPECT_TRUE(ce);
    EXPECT_TRUE(outlook);
    EXPECT_TRUE(express);
    EXPECT_EQ(where.left, 400);
    EXPECT_EQ(where.top, 300);
    EXPECT_EQ(Read("Preference", "DefaultExport"), "3");
}

TEST_F(ExportMenu, HoveringShowsTheHighlightedPicture) {
    Write("Preference", "ExportOptn", "300000");
    bool normal = false, highlighted = false;
    int items = 0;
    Run([&](HWND menu) {
        items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
        normal = FindPicture(CaptureWindow(menu), 2101, 0);
        PressKey(menu, VK_DOWN);
        Sleep(300);
        highlighted = FindPicture(CaptureWindow(menu), 2113, 0);
        Screenshot(menu, "export_menu_palm_highlighted");
    });
    EXPECT_EQ(items, 1);
    EXPECT_TRUE(normal);
    EXPECT_TRUE(highlighted);
}

TEST_F(ExportMenu, DismissingWritesNothing) {
    Write("Preference", "ExportOptn", "010110");
    Write("Preference", "DefaultExport", "1");
    std::string before = ReadWholeFile(Ini());
    Run([&](HWND menu) {
        PressKey(menu, VK_DOWN);
        PressKey(menu, VK_ESCAPE);
        WaitUntilClosed(menu);
    });
    EXPECT_EQ(ReadWholeFile(Ini()), before);
}

// Positions without a digit of 1 to 3 have no picture and are not offered.
TEST_F(ExportMenu, OffersOnlyTargetsWithADirection) {
    Write("Preference", "ExportOptn", "0501");
    int items = -1;
    Run([&](HWND menu) { items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0))); });
    EXPECT_EQ(items, 1);
}

}  // namespace
