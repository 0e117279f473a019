// Menu items greyed by the program's state, on the program's own menu in a window of this
// test build: no card file, no cards, cards in each view, an acquisition, the recent files.
#include <gtest/gtest.h>
#include "shell.h"
#include "resource.h"
#include <string>
#include <vector>

namespace {

class MenuStates : public testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowA("STATIC", "menus", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                LoadMenuA(App.Instance, IDR_DARODORI), App.Instance, nullptr);
        ASSERT_NE(window_, nullptr);
        saved_ = App;
        App.MainWindow = window_;
        App.CardForm = nullptr;
        App.Views.CardList = nullptr;
        App.Views.Undo.Kind = 0;
        App.CurrentImage.Pixels = nullptr;
        App.TwainManagerOpen = App.TwainSourceOpen = 0;
        App.CardFileListCount = 0;
        memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
    }
    void TearDown() override {
        HWND window = window_;
        App = saved_;
        DestroyWindow(window);
    }
    void State(int cards, int current, int view) {
        App.CardCount = cards;
        App.CurrentCardNumber = current;
        App.ViewMode = view;
    }
    bool Grey(int id) {
        UINT state = GetMenuState(GetMenu(window_), static_cast<UINT>(id), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && (state & MF_GRAYED) != 0;
    }
    // The ids of the list that the passes of every menu grey.
    std::vector<int> GreyOf(const std::vector<int>& ids) {
        for (int position = 0; position < 4; ++position) UpdateMenuStates(window_, position);
        std::vector<int> grey;
        for (int id : ids)
            if (Grey(id)) grey.push_back(id);
        return grey;
    }
    HWND window_ = nullptr;
    APPSTATE saved_;
};

const std::vector<int> kWatched = {40, 41, 43, 44, 45, 50, 52,  55,  58,  72,  85,  87, 89,
                                   93, 94, 95, 96, 97, 98, 101, 103, 105, 110, 117, 118};

}  // namespace

TEST_F(MenuStates, ItemsFollowCardsViewAndPosition) {
    struct Case {
        const char* what;
        int cards, current, view;
        std::vector<int> grey;
    } cases[] = {
        {"no cards", 0, 0, 0, {44, 45, 50, 52, 55, 72, 85, 87, 89, 93, 94, 95, 96, 97, 98, 101, 103, 105, 117, 118}},
        {"new card not stored", 0, -1, 1, {44, 45, 50, 52, 55, 72,  85,  87,  89,  93,
                                           94, 95, 96, 97, 98, 101, 103, 105, 117, 118}},
        {"first of three in the deck", 3, 1, 0, {85, 87, 94, 97, 101, 103, 117, 118}},
        {"middle card in the editor", 3, 2, 1, {85, 87, 101, 103, 117, 118}},
        {"last card in the editor", 3, 3, 1, {85, 87, 95, 96, 101, 103, 117, 118}},
        {"album", 3, 2, 3, {44, 45, 50, 52, 72, 85, 87, 89, 93, 94, 95, 96, 97, 98, 101, 103, 105, 117, 118}},
    };
    for (const Case& c : cases) {
        State(c.cards, c.current, c.view);
        EXPECT_EQ(GreyOf(kWatched), c.grey) << c.what;
    }
    // An acquisition greys every command of the four menus.
    State(3, 2, 0);
    App.TwainSourceOpen = 1;
    std::vector<int> all = GreyOf(kWatched);
    EXPECT_EQ(all, kWatched);
}

TEST_F(MenuStates, CardLinksNeedTheirField) {
    State(2, 1, 0);
    lstrcpyA(App.CurrentCard.User3, "http://example.org");
    lstrcpyA(App.CurrentCard.User2, "b@example.org");
    EXPECT_EQ(GreyOf({85, 86, 87, 88}), (std::vector<int>{86, 87}));
    State(0, 0, 0);
    EXPECT_EQ(GreyOf({85, 86, 87, 88}), (std::vector<int>{85, 86, 87, 88}));
}

TEST_F(MenuStates, RecentCardFilesFillTheirSubMenu) {
    HMENU file = GetSubMenu(GetMenu(window_), 0);
    State(0, 0, 0);
    UpdateMenuStates(window_, 0);
    EXPECT_NE(GetMenuState(file, 16, MF_BYPOSITION) & MF_GRAYED, 0u);
    App.CardFileListCount = 2;
    lstrcpyA(App.CardFileList[0], "C:\\cards\\one.mdb");
    lstrcpyA(App.CardFileList[1], "C:\\cards\\two.mdb");
    UpdateMenuStates(window_, 0);
    EXPECT_EQ(GetMenuState(file, 16, MF_BYPOSITION) & MF_GRAYED, 0u);
    HMENU recent = GetSubMenu(file, 16);
    ASSERT_NE(recent, nullptr);
    ASSERT_EQ(GetMenuItemCount(recent), 2);
    char text[MAX_PATH];
    EXPECT_EQ(GetMenuItemID(recent, 1), 63u);
    GetMenuStringA(recent, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "C:\\cards\\one.mdb");
    // Filled again, not appended to.
    UpdateMenuStates(window_, 0);
    EXPECT_EQ(GetMenuItemCount(recent), 2);
}
