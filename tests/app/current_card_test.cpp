// The card a user edits is the card that is stored: edits typed into the Card Editor's form or
// a Card List cell, then a road that walks, filters or reorders the card table (Find, the
// index tabs, the sorts, refills, deletes, closing). Each case runs zem40 on a card file of its
// own and compares every card of the file with what the user did, once the program has ended.
#include <gtest/gtest.h>
#include "bmp_file.h"
#include "current_card_run.h"
#include "list_view_remote.h"
#include "window_helpers.h"
#include <functional>
#include <string>
#include <vector>

namespace {

ModelCard* CardNamed(std::vector<ModelCard>& cards, const std::string& name) {
    for (ModelCard& card : cards)
        if (card.Name == name) return &card;
    return nullptr;
}

void ExpectFileHolds(const CardRun& run, const std::vector<ModelCard>& expected, const std::string& label) {
    std::vector<ModelCard> stored = StoredModelCards(run.CardFile());
    EXPECT_EQ(stored, SortedCards(expected))
        << label << "\n stored:   " << Describe(stored) << "\n expected: " << Describe(SortedCards(expected));
}

int CountSeen(DialogAnswerer& answers, const std::string& text) {
    int n = 0;
    for (const SeenDialog& seen : answers.Seen())
        if (seen.Text.find(text) != std::string::npos) ++n;
    return n;
}

const char kNotStored[] = "could not be stored";

// A one-colour 24-bit BMP in the test's folder; its path.
std::string SolidBmp(const std::string& name, COLORREF colour) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return WriteBmp24(std::string(folder) + name, 320, 200, [colour](int, int) { return colour; });
}

bool ShowsColour(HWND window, COLORREF colour) {
    WindowPixels shot = CaptureWindow(window);
    for (int y = 0; y < shot.Height; y += 4)
        for (int x = 0; x < shot.Width; x += 4)
            if (shot.At(x, y) == colour) return true;
    return false;
}

// A Find leaves the table filtered; an edit typed then reaches the card it was typed into,
// whichever road leaves that card next.
TEST(CurrentCard, AnEditAfterAFindReachesTheCardItWasTypedInto) {
    struct Case {
        const char* Label;
        std::function<void(CardRun&)> Leave;
    };
    const Case cases[] = {
        {"Next Card", [](CardRun& r) { r.Command(96); }},
        {"the all-cards tab", [](CardRun& r) { r.ClickTab(26); }},
        {"Previous Card", [](CardRun& r) { r.Command(97); }},
    };
    CardRun run("current-find", FiveCards());
    ASSERT_TRUE(run.Ready());
    std::vector<ModelCard> expected = FiveCards();
    run.Command(113);
    ASSERT_NE(run.Form(), nullptr);
    int i = 0;
    for (const Case& c : cases) {
        ASSERT_TRUE(run.Find("e")) << c.Label;  // Ann Apple, Cal Cedar, Dee Dale, Eve Elm
        run.Command(96);
        std::string shown = run.Name();
        std::string title = "Typed " + std::to_string(++i);
        run.Type(run.Field(kTitleField), title);
        c.Leave(run);
        ASSERT_NE(CardNamed(expected, shown), nullptr) << c.Label << ": " << shown;
        CardNamed(expected, shown)->Title = title;
    }
    ASSERT_EQ(run.Close(), 0);
    ExpectFileHolds(run, expected, "after Find");
}

// The sorts reorder the table under the shown card: its edit stays its own.
TEST(CurrentCard, AnEditBeforeASortReachesTheCardItWasTypedInto) {
    struct Case {
        const char* Label;
        std::function<bool(CardRun&)> Sort;
    };
    auto menu = [](int id) {
        return [id](CardRun& r) {
            r.Command(id);
            return true;
        };
    };
    const Case cases[] = {
        {"menu, company", menu(90)},
        {"menu, name descending", menu(345)},
        {"command bar, company", [](CardRun& r) { return r.SortFromBar(2); }},
        {"command bar, name", [](CardRun& r) { return r.SortFromBar(1); }},
        {"menu, date descending", menu(349)},
    };
    CardRun run("current-sort", FiveCards());
    ASSERT_TRUE(run.Ready());
    std::vector<ModelCard> expected = FiveCards();
    run.Command(113);
    ASSERT_NE(run.Form(), nullptr);
    int i = 0;
    for (const Case& c : cases) {
        run.Command(96);
        std::string shown = run.Name();
        std::string company = "Sorted " + std::to_string(++i);
        run.Type(run.Field(kCompanyField), company);
        ASSERT_TRUE(c.Sort(run)) << c.Label;
        EXPECT_EQ(run.Name(), shown) << c.Label << ": the shown card stays current";
        EXPECT_EQ(WindowText(run.Field(kCompanyField)), company) << c.Label;
        ASSERT_NE(CardNamed(expected, shown), nullptr);
        CardNamed(expected, shown)->Company = company;
    }
    ASSERT_EQ(run.Close(), 0);
    ExpectFileHolds(run, expected, "after the sorts");
}

// A refill of the Card List under an open cell editor: the text goes to the card the editor
// opened on, and Enter afterwards writes nothing into the card that took its row.
TEST(CurrentCard, ACardListCellGoesToItsOwnCardAcrossRefills) {
    struct Case {
        const char* Label;
        std::function<void(CardRun&)> Refill;
    };
    const Case cases[] = {
        {"sort by company", [](CardRun& r) { r.Command(90); }},
        {"Find", [](CardRun& r) { r.Find("a"); }},
        {"sort by name", [](CardRun& r) { r.Command(89); }},
    };
    CardRun run("current-cell", FiveCards());
    ASSERT_TRUE(run.Ready());
    std::vector<ModelCard> expected = FiveCards();
    run.Command(110);
    HWND list = run.CardList();
    ASSERT_NE(list, nullptr);
    int i = 0;
    for (const Case& c : cases) {
        std::string name = ListCellText(list, 1, 2);
        HWND editor = run.OpenCell(1, 3);  // Title of the second row
        ASSERT_NE(editor, nullptr) << c.Label;
        std::string title = "Cell " + std::to_string(++i);
        run.Type(editor, title);
        c.Refill(run);
        EXPECT_FALSE(IsWindowVisible(editor)) << c.Label << ": a refill ends the cell editor";
        PostMessageA(editor, WM_CHAR, '\r', 1);
        PumpMessages(500);
        Send(run.Main(), WM_NULL);
        ASSERT_NE(CardNamed(expected, name), nullptr);
        CardNamed(expected, name)->Title = title;
    }
    ASSERT_EQ(run.Close(), 0);
    ExpectFileHolds(run, expected, "cells across refills");
}

// List View Options answered OK without a change hides the mark column in the settings while
// the list still shows it: a cell still maps to its own field.
TEST(CurrentCard, ListOptionsWithoutAChangeKeepCellsOnTheirFields) {
    CardRun run("current-options", FiveCards());
    ASSERT_TRUE(run.Ready());
    run.Command(110);
    HWND list = run.CardList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(run.ListOptionsOk());
    ASSERT_EQ(ListCellText(list, 0, 2), "Ann Apple") << "the list is the same";
    HWND editor = run.OpenCell(0, 2);  // the Name column
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(WindowText(editor), "Ann Apple");
    run.Type(editor, "Ann Renamed");
    PostMessageA(editor, WM_CHAR, '\t', 1);
    EXPECT_TRUE(WaitFor([&] { return ListCellText(list, 0, 2) == "Ann Renamed"; }, 5000));
    ASSERT_EQ(run.Close(), 0);
    std::vector<ModelCard> expected = FiveCards();
    expected[0].Name = "Ann Renamed";
    ExpectFileHolds(run, expected, "a Name cell after the options");
}

// A Find that leaves no card (its only card deleted): the new card typed meanwhile is stored
// as a card of its own when the all-cards tab comes back to every card.
TEST(CurrentCard, ANewCardTypedWithoutCardsIsStoredOnItsOwn) {
    CardRun run("current-newcard", FiveCards());
    ASSERT_TRUE(run.Ready());
    run.Command(113);
    ASSERT_TRUE(run.Find("Dee"));
    ASSERT_EQ(run.Name(), "Dee Dale");
    run.Command(105);
    ASSERT_EQ(run.Name(), "") << run.SeenMessages();
    run.Type(run.Field(kNameField), "Nova New");
    run.Type(run.Field(kTitleField), "Fresh");
    run.ClickTab(26);
    EXPECT_EQ(run.Name(), "Nova New") << "the new card stays current among every card";
    ASSERT_EQ(run.Close(), 0);
    std::vector<ModelCard> expected = FiveCards();
    expected.erase(expected.begin() + 3);
    expected.push_back({"Nova New", "Fresh", ""});
    ExpectFileHolds(run, expected, "new card after an empty Find");
}

// A store that cannot be committed (another reader holds the card file) is rolled back: the
// edit stays in the form, the card stays current, and the edit is stored once it can be.
TEST(CurrentCard, AFailedCommitKeepsTheEditInTheFormAndStoresItLater) {
    CardRun run("current-commit", FiveCards());
    ASSERT_TRUE(run.Ready());
    run.Answers().AnswerMessage(kNotStored, IDOK);
    run.Command(113);
    ASSERT_EQ(run.Name(), "Ann Apple");
    run.Type(run.Field(kTitleField), "Kept");
    {
        ReaderLock lock(run.CardFile());
        ASSERT_TRUE(lock.Held());
        run.Command(96);
        EXPECT_EQ(CountSeen(run.Answers(), kNotStored), 1) << run.SeenMessages();
        EXPECT_EQ(run.Name(), "Ann Apple") << "a failed store does not leave the card";
        EXPECT_EQ(WindowText(run.Field(kTitleField)), "Kept");
    }
    run.Command(96);
    EXPECT_EQ(run.Name(), "Bob Birch");
    ASSERT_EQ(run.Close(), 0);
    std::vector<ModelCard> expected = FiveCards();
    expected[0].Title = "Kept";
    ExpectFileHolds(run, expected, "after a failed commit");
}

// A new card whose insert fails stays a new card: the store after is an insert again, and
// no card of the file takes its fields.
TEST(CurrentCard, AFailedInsertLeavesANewCardThatIsAddedLater) {
    CardRun run("current-insert", FiveCards());
    ASSERT_TRUE(run.Ready());
    run.Answers().AnswerMessage(kNotStored, IDOK);
    run.Command(113);
    {
        ReaderLock lock(run.CardFile());
        ASSERT_TRUE(lock.Held());
        run.Command(71);
        ASSERT_EQ(run.Name(), "") << run.SeenMessages();
        run.Type(run.Field(kNameField), "Nina Newer");
        run.Command(111);  // to the deck: the store fails, the form stays
        EXPECT_EQ(CountSeen(run.Answers(), kNotStored), 1);
        ASSERT_NE(run.Form(), nullptr);
        EXPECT_EQ(run.Name(), "Nina Newer");
        run.Command(97);
        EXPECT_EQ(CountSeen(run.Answers(), kNotStored), 2);
    }
    ASSERT_EQ(run.Close(), 0);
    std::vector<ModelCard> expected = FiveCards();
    expected.push_back({"Nina Newer", "", ""});
    ExpectFileHolds(run, expected, "after a failed insert");
}

// Closing keeps what was typed: by the close box, at the end of the session, and on the
// untitled card file whose cards are kept in a file the user names.
TEST(CurrentCard, ClosingStoresTheFormFirst) {
    {
        CardRun run("current-endsession", FiveCards());
        ASSERT_TRUE(run.Ready());
        run.Command(113);
        run.Command(96);
        run.Type(run.Field(kTitleField), "Session");
        Send(run.Main(), WM_QUERYENDSESSION, 0, 0);
        Send(run.Main(), WM_ENDSESSION, TRUE, 0);
        ASSERT_EQ(run.WaitForExit(), 0);
        std::vector<ModelCard> expected = FiveCards();
        expected[1].Title = "Session";
        ExpectFileHolds(run, expected, "end of session");
    }
    {
        CardRun run("current-closebox", {});
        ASSERT_TRUE(run.Ready());
        run.Command(113);
        run.Type(run.Field(kNameField), "Solo Card");
        ASSERT_EQ(run.Close(), 0);
        ExpectFileHolds(run, {{"Solo Card", "", ""}}, "close box");
        EXPECT_EQ(run.Setup().ReadSetting("Status", "CurCard"), "1") << "the card the save added";
    }
    {
        CardRun run("current-untitled", FiveCards());
        ASSERT_TRUE(run.Ready());
        std::string kept = run.Setup().Path("Database\\Kept.mdb");
        run.Command(40);  // File > New: the untitled card file
        run.Answers().AnswerMessage("Do you want to save the new card data?", IDYES);
        run.Answers().AnswerFileDialog("Save Card File", kept);
        run.Command(71);
        run.Type(run.Field(kNameField), "Una Untitled");
        ASSERT_EQ(run.Close(), 0);
        std::vector<ModelCard> stored = StoredModelCards(kept);
        EXPECT_EQ(stored, (std::vector<ModelCard>{{"Una Untitled", "", ""}})) << Describe(stored);
    }
}

// A search in the Card Editor that finds a card without an image shows no image, not the one
// of the card shown before.
TEST(CurrentCard, AFoundCardWithoutAnImageShowsNone) {
    CardRun run("current-image", FiveCards(), {{"Eve Elm", SolidBmp("eve.bmp", RGB(200, 30, 30))}});
    ASSERT_TRUE(run.Ready());
    run.Command(113);
    run.ClickTab(4);
    ASSERT_EQ(run.Name(), "Eve Elm");
    HWND caption = FindWindowExA(run.Work(), nullptr, "IMC_WorkImageCap20", nullptr);
    HWND pane = caption ? FindWindowExA(caption, nullptr, "IMC_WorkEdImage20", nullptr) : nullptr;
    ASSERT_NE(pane, nullptr);
    auto showsImage = [&] {
        Send(run.Main(), WM_NULL);
        return ShowsColour(pane, RGB(200, 30, 30));
    };
    EXPECT_TRUE(WaitFor(showsImage, 10000));
    run.SearchBar("Ann");
    ASSERT_EQ(run.Name(), "Ann Apple");
    PumpMessages(1000);
    EXPECT_FALSE(showsImage()) << "Ann Apple's card has no image";
    ASSERT_EQ(run.Close(), 0);
    ExpectFileHolds(run, FiveCards(), "a search changes no card");
}

// Rows of the Card List go only with their cards; a thumbnail the card cannot keep is not
// made again, a file each time, on every paint.
TEST(CurrentCard, FailedStoresLeaveNoRowsGoneAndNoThumbnailFiles) {
    CardRun run("current-locked", FiveCards(), {{"Bob Birch", SolidBmp("bob.bmp", RGB(30, 200, 30))}});
    ASSERT_TRUE(run.Ready());
    run.Answers().AnswerMessage("could not be deleted", IDOK);
    std::string thumbs = run.Setup().Path("thumb\\");
    CreateDirectoryA(thumbs.c_str(), nullptr);
    int before = FolderFiles(thumbs);
    {
        ReaderLock lock(run.CardFile());
        ASSERT_TRUE(lock.Held());
        run.Command(114);
        HWND desk = FindWindowExA(run.Work(), nullptr, "IMC_Desk20", nullptr);
        ASSERT_NE(desk, nullptr);
        for (int paint = 0; paint < 2; ++paint) {
            RedrawWindow(desk, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            PumpMessages(500);
            Send(run.Main(), WM_NULL);
        }
        EXPECT_EQ(FolderFiles(thumbs), before) << "no thumbnail is left that no card names " << run.SeenMessages();
        run.Command(110);
        HWND list = run.CardList();
        ASSERT_NE(list, nullptr);
        ListSelectRows(list, {1, 3});
        Send(list, 1526);
        EXPECT_EQ(CountSeen(run.Answers(), "could not be deleted"), 1) << run.SeenMessages();
        EXPECT_EQ(ListRowCount(list), 5) << "every card is still in the file";
    }
    ASSERT_EQ(run.Close(), 0);
    ExpectFileHolds(run, FiveCards(), "after failed deletes");
}

// Text dragged out of a field and released over another program's edit stays where it was.
TEST(CurrentCard, ATextDropOnAnotherProgramCutsNothing) {
    CardRun run("current-drag", FiveCards());
    ASSERT_TRUE(run.Ready());
    run.Command(113);
    HWND title = run.Field(kTitleField);
    run.Type(title, "Chief Engineer");
    RECT form;
    GetWindowRect(run.Form(), &form);
    HWND other = CreateWindowExA(WS_EX_TOPMOST, "EDIT", "other program", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                 form.left + 40, form.bottom - 80, 200, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    PumpMessages(500);
    Send(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 3));
    Send(title, WM_LBUTTONUP, 0, MAKELPARAM(2, 3));
    Send(title, EM_SETSEL, 6, 14);
    LRESULT inside = Send(title, EM_POSFROMCHAR, 9);
    POINT drop{form.left + 140, form.bottom - 65};
    Send(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(LOWORD(inside), HIWORD(inside) + 3));
    SetCursorPos(drop.x, drop.y);
    POINT at = drop;
    ScreenToClient(title, &at);
    Send(title, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PumpMessages(500);
    EXPECT_EQ(WindowText(title), "Chief Engineer");
    DestroyWindow(other);
    ASSERT_EQ(run.Close(), 0);
    std::vector<ModelCard> expected = FiveCards();
    expected[0].Title = "Chief Engineer";
    ExpectFileHolds(run, expected, "after a drop on another program");
}

// Tab typed outside the card form (in the search bar) brings the focus into the form.
TEST(CurrentCard, TabOutsideTheFormGoesIntoTheForm) {
    CardRun run("current-tab", FiveCards());
    ASSERT_TRUE(run.Ready());
    run.Command(113);
    HWND box = FindChildById(run.Strip(), 704);
    HWND boxEdit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
    ASSERT_NE(boxEdit, nullptr);
    PostMessageA(boxEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(boxEdit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages(300);
    Send(run.Main(), WM_NULL);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(run.Main(), nullptr);
    ASSERT_TRUE(GetGUIThreadInfo(thread, &info));
    ASSERT_EQ(info.hwndFocus, boxEdit);
    PostMessageA(boxEdit, WM_CHAR, '\t', 1);
    PumpMessages(300);
    Send(run.Main(), WM_NULL);
    ASSERT_TRUE(GetGUIThreadInfo(thread, &info));
    ASSERT_TRUE(IsChild(run.Form(), info.hwndFocus)) << "the focus stays in the search bar";
    int id = GetDlgCtrlID(info.hwndFocus);
    for (char c : std::string("Tabbed")) PostMessageA(info.hwndFocus, WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages(300);
    Send(run.Main(), WM_NULL);
    ASSERT_EQ(run.Close(), 0);
    std::vector<ModelCard> expected = FiveCards();
    if (id == kNameField) expected[0].Name = "Tabbed";
    if (id == kTitleField) expected[0].Title = "Tabbed";
    if (id == kCompanyField) expected[0].Company = "Tabbed";
    ExpectFileHolds(run, expected, "typed after Tab, field " + std::to_string(id));
}

// A notification of the Card List other than the ones its cell editor brings about (here the
// selection moving) ends the editor, which stores its cell into its own card.
TEST(CurrentCard, AListNotificationEndsTheCellEditor) {
    CardRun run("current-notify", FiveCards());
    ASSERT_TRUE(run.Ready());
    run.Command(110);
    HWND list = run.CardList();
    ASSERT_NE(list, nullptr);
    HWND editor = run.OpenCell(2, 4);  // Company of Cal Cedar
    ASSERT_NE(editor, nullptr);
    run.Type(editor, "Moved On");
    ListSelectRows(list, {0});
    Send(run.Main(), WM_NULL);
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_EQ(ListCellText(list, 2, 4), "Moved On");
    ASSERT_EQ(run.Close(), 0);
    std::vector<ModelCard> expected = FiveCards();
    expected[2].Company = "Moved On";
    ExpectFileHolds(run, expected, "a cell ended by a selection");
}

}  // namespace
