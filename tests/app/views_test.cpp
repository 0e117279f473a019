// The four view modes driven through zem40 as a user would: one run walks every view on a
// card file of fourteen cards and ends on an empty one; a second run checks what the first
// left in the settings. The cases of a run share its program and follow one another in order.
#include <gtest/gtest.h>
#include "bmp_file.h"
#include "card_files.h"
#include "gui_driver.h"
#include "shared_run.h"
#include "list_view_remote.h"
#include "window_helpers.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Every card sorted by name: lower-case names count under their letter; the apostrophe of
// the last one must survive a search.
const char* const kNames[] = {"Abel Archer", "Ada Aston", "Bea Brook", "Ben Birch", "bo bright",
                              "Cy Cedar",    "dora dale", "Eve Elm",   "Gus Grove", "Hal Hart",
                              "Ida Iris",    "Jo Jay",    "Kim Kent",  "Lu O'Lane"};
const int kCards = 14;
const int kEditorImageCard = 7;  // Eve Elm, with a large card image

// A 24-bit BMP whose pixel (x, y) has red x / 8 % 256, green y / 8 % 256 and blue 77: where
// the image pane starts in the image shows in its colour.
std::string WriteGradientBmp(const std::string& path, int width, int height) {
    return WriteBmp24(path, width, height, [](int x, int y) { return RGB(x / 8 % 256, y / 8 % 256, 77); });
}

// A screenshot once the program has painted what the last commands changed.
void Snap(HWND main, const std::string& name) {
    PumpMessages(2500);
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    SaveScreenshot(main, name);
}

// The shared program run and what the cases look at.
class ViewsRun : public ZemWindows {
public:
    ViewsRun() : installation("views") {
        cardFile = installation.Path("Database\\Views.mdb");
        std::string big = WriteGradientBmp(installation.Path("IMAGE\\big.bmp"), 1600, 1000);
        std::vector<DetailedCard> cards;
        for (int i = 0; i < kCards; ++i) {
            DetailedCard card{{kNames[i], "", ""}, "", "", "", "", 0, {0, 0, 0}};
            card.Company = "Co" + std::to_string(i + 1);
            card.Title = i % 2 ? "Sales" : "";
            card.OfficePhone = "555-01" + std::to_string(10 + i);
            card.City = i == 2 ? "Bern" : "";
            card.Flags = i == 3 ? 1 : 0;
            card.Date[0] = 2001;
            card.Date[1] = 1 + i % 12;
            card.Date[2] = 10 + i;
            if (i == kEditorImageCard) card.Card.ImagePath = big;
            // Cards 9 to 14 have a small image whose thumbnail file is missing.
            if (i >= 8) {
                card.Card.ImagePath =
                    WriteGradientBmp(installation.Path("IMAGE\\small" + std::to_string(i) + ".bmp"), 320, 200);
                card.Card.ThumbnailPath = installation.Path("thumb\\gone" + std::to_string(i) + ".THM");
            }
            cards.push_back(card);
        }
        created = CreateDetailedCardFile(cardFile, cards);
        installation.WriteSetting("CardBase", "DataBaseName", cardFile.c_str());
        installation.WriteSetting("Status", "CurCard", "3");
        run = std::make_unique<ProgramRun>(installation, "");
        Attach();
    }
    // Takes the run's main window, kept above other programs' windows so that what the screen
    // shows of it is its own.
    void Attach() {
        main = run->WaitForMainWindow();
        if (main) SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        work = main ? FindChildById(main, 920, "IMC_WorkEdit20") : nullptr;
    }
    HWND Desk() const { return Pane("IMC_Desk20"); }
    HWND Caption() const { return Pane("IMC_WorkImageCap20"); }
    HWND ImagePane() const {
        return Caption() ? FindWindowExA(Caption(), nullptr, "IMC_WorkEdImage20", nullptr) : nullptr;
    }
    int DeckRow() const {
        std::vector<int> rows = ListSelectedRows(DeckList());
        return rows.size() == 1 ? rows[0] : -100 - static_cast<int>(rows.size());
    }
    std::string Name() const { return WindowText(Field(430)); }
    bool ArrowsShown() const {
        for (int id = 900; id <= 903; ++id) {
            HWND arrow = FindChildById(work, id, "Button");
            if (!arrow || !IsWindowVisible(arrow)) return false;
        }
        return true;
    }
    void ClickStrip(int x, int y) const {
        Send(Strip(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Send(Strip(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void ClickTab(int k) const { ClickStrip(k * 16 + 8, 12); }
    // Types as the keyboard does: every character goes to the focused field.
    void Type(HWND edit, const std::string& text) const {
        Send(edit, EM_SETSEL, 0, -1);
        for (char c : text) Send(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    Installation installation;
    std::string cardFile;
    bool created = false;
    std::unique_ptr<ProgramRun> run;
};

class Views : public SharedRunTest<ViewsRun> {
protected:
    ViewsRun& v = Shared();
};

COLORREF TabColour(const WindowPixels& strip, int k) { return strip.At(k * 16 + 2, 16); }
const COLORREF kTabFace = RGB(92, 118, 157);
const COLORREF kTabGrey = RGB(150, 156, 166);

TEST_F(Views, DeckShowsItsPanesAndTheCardKeptAtTheLastClose) {
    EXPECT_NE(v.Strip(), nullptr);
    EXPECT_NE(v.Pane("IMC_Char20"), nullptr);
    EXPECT_NE(v.Pane("IMC_Paint20"), nullptr);
    ASSERT_NE(v.DeckList(), nullptr);
    EXPECT_EQ(v.Form(), nullptr);
    EXPECT_EQ(v.CardList(), nullptr);
    EXPECT_EQ(v.Desk(), nullptr);
    EXPECT_TRUE(v.ArrowsShown());
    EXPECT_EQ(ListRowCount(v.DeckList()), kCards);
    EXPECT_EQ(ListCellText(v.DeckList(), 4, 0), "bo bright");
    EXPECT_EQ(ListCellText(v.DeckList(), 4, 1), "Co5");
    EXPECT_EQ(v.DeckRow(), 2) << "[Status] CurCard 3";
    Snap(v.main, "views-deck");
}

TEST_F(Views, DeckNavigationStopsAtBothEnds) {
    struct Step {
        int Command;
        int Row;
    };
    const Step steps[] = {{94, 0}, {97, 0}, {96, 1}, {95, kCards - 1}, {96, kCards - 1}, {97, kCards - 2}};
    for (const Step& step : steps) {
        v.Command(step.Command);
        EXPECT_EQ(v.DeckRow(), step.Row) << "command " << step.Command;
    }
    // The deck's own arrows: 900 goes on, 901 back.
    Send(v.work, WM_COMMAND, MAKEWPARAM(900, BN_CLICKED), 0);
    EXPECT_EQ(v.DeckRow(), kCards - 1);
    Send(v.work, WM_COMMAND, MAKEWPARAM(900, BN_CLICKED), 0);
    EXPECT_EQ(v.DeckRow(), kCards - 1);
    Send(v.work, WM_COMMAND, MAKEWPARAM(901, BN_CLICKED), 0);
    EXPECT_EQ(v.DeckRow(), kCards - 2);
}

TEST_F(Views, IndexTabsCountLettersAndStepThroughTheirCards) {
    EXPECT_TRUE(WaitFor([&] { return TabColour(CaptureWindow(v.Strip()), 0) == kTabFace; }));
    WindowPixels strip = CaptureWindow(v.Strip());
    for (int k : {0, 1, 2, 3, 4}) EXPECT_EQ(TabColour(strip, k), kTabFace) << char('A' + k);
    for (int k : {5, 13, 25}) EXPECT_EQ(TabColour(strip, k), kTabGrey) << char('A' + k);
    struct Press {
        int Tab;
        int Row;
    };
    // B, B, B (lower-case bo), B again wraps; C; B starts over; D finds dora; F has no card.
    const Press presses[] = {{1, 2}, {1, 3}, {1, 4}, {1, 2}, {2, 5}, {1, 2}, {3, 6}, {5, 6}, {26, 0}};
    for (const Press& press : presses) {
        v.ClickTab(press.Tab);
        EXPECT_EQ(v.DeckRow(), press.Row) << "tab " << press.Tab;
    }
    // Released outside the strip, the pressed tab still acts.
    Send(v.Strip(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8 * 16 + 8, 12));
    Send(v.Strip(), WM_LBUTTONUP, 0, MAKELPARAM(900, 400));
    EXPECT_EQ(v.DeckRow(), 10);
}

TEST_F(Views, SearchBarFindsNamesStepsOnAndKeepsItsHistory) {
    HWND box = FindChildById(v.Strip(), 704);
    HWND search = FindChildById(v.Strip(), 1);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(search, nullptr);
    struct Search {
        const char* Text;
        int Row;
    };
    // "ar" twice steps on; "AR" is the same text; a quote and a bracket are taken as text.
    const Search searches[] = {{"ar", 0}, {"ar", 5}, {"AR", 9}, {"O'L", 13}, {"x[y", 13}, {"Ida", 10}};
    for (const Search& s : searches) {
        Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.Text));
        Send(search, BM_CLICK);
        EXPECT_EQ(v.DeckRow(), s.Row) << s.Text;
    }
    EXPECT_EQ(Send(box, CB_GETCOUNT), 4) << "ar, O'L, x[y and Ida; AR matched ar";
}

TEST_F(Views, CardEditorShowsTheFormAndKeepsEditsAcrossEveryMove) {
    v.Command(94);
    v.Command(113);
    ASSERT_NE(v.Form(), nullptr);
    EXPECT_NE(v.Strip(), nullptr);
    EXPECT_NE(v.Caption(), nullptr);
    EXPECT_NE(v.ImagePane(), nullptr);
    EXPECT_EQ(v.DeckList(), nullptr);
    EXPECT_EQ(v.Pane("IMC_Char20"), nullptr);
    EXPECT_FALSE(v.ArrowsShown());
    EXPECT_EQ(v.Name(), "Abel Archer");
    EXPECT_EQ(WindowText(v.Field(394)), " 1/10/2001");

    v.Type(v.Field(431), "Chief");
    v.Type(v.Field(435), "12 Main St\rSuite 4");  // Enter makes a line break
    std::string note(20000, 'n');
    note[19999] = 'Z';
    Send(v.Field(545), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(note.c_str()));
    Send(v.Field(545), EM_SETMODIFY, TRUE);
    v.Type(v.Field(394), "12/31/1999");  // the date is shown only

    struct Step {
        int Command;
        const char* Name;
    };
    const Step steps[] = {{97, "Abel Archer"}, {96, "Ada Aston"}, {94, "Abel Archer"},
                          {95, "Lu O'Lane"},   {96, "Lu O'Lane"}, {94, "Abel Archer"}};
    for (const Step& step : steps) {
        v.Command(step.Command);
        EXPECT_EQ(v.Name(), step.Name) << "command " << step.Command;
    }
    EXPECT_EQ(WindowText(v.Field(431)), "Chief");
    EXPECT_EQ(Send(v.Field(545), WM_GETTEXTLENGTH), 20000) << "the note comes back whole";
    EXPECT_EQ(WindowText(v.Field(394)), " 1/10/2001");
}

TEST_F(Views, ATextDragMovesTheSelectionAndUndoPutsBothFieldsBack) {
    HWND title = v.Field(431), company = v.Field(432);
    v.Type(title, "Chief Engineer");
    v.Type(company, "Acme");
    // As a user: a click into the field, the text selected, then a press inside the selection.
    Send(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 3));
    Send(title, WM_LBUTTONUP, 0, MAKELPARAM(2, 3));
    Send(title, EM_SETSEL, 6, 14);
    LRESULT inside = Send(title, EM_POSFROMCHAR, 9);
    POINT drop{0, 0};
    RECT companyRect;
    GetClientRect(company, &companyRect);
    drop = {companyRect.right - 4, companyRect.bottom / 2};
    ClientToScreen(company, &drop);
    Send(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(LOWORD(inside), HIWORD(inside) + 3));
    SetCursorPos(drop.x, drop.y);
    POINT at{drop.x, drop.y};
    ScreenToClient(title, &at);
    Send(title, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(WindowText(title), "Chief ");
    EXPECT_EQ(WindowText(company), "AcmeEngineer");
    v.Command(100);
    EXPECT_EQ(WindowText(title), "Chief Engineer");
    EXPECT_EQ(WindowText(company), "Acme");
    EXPECT_TRUE(Send(title, EM_GETMODIFY));
    EXPECT_TRUE(Send(company, EM_GETMODIFY));
    // A press without a selection starts no drag.
    Send(company, EM_SETSEL, 2, 2);
    Send(company, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    Send(company, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(WindowText(company), "Acme");
}

// The knob of the zoom scale: the reduction step it stands on, 1 to 10, or 0 when not seen.
int KnobStep(HWND caption) {
    WindowPixels shot = CaptureWindow(caption);
    RECT client;
    GetClientRect(caption, &client);
    int scaleLeft = (client.right - 150) / 32 * 32 + 48;
    for (int x = scaleLeft; x < scaleLeft + 70 && x < shot.Width; ++x)
        if (shot.At(x, 17) == RGB(230, 200, 80)) return (x - scaleLeft) / 5 + 1;
    return 0;
}

TEST_F(Views, EditorImageZoomsWithinItsLimitsAndDrags) {
    v.ClickTab(4);  // E: Eve Elm, whose image is 1600 x 1000
    ASSERT_EQ(v.Name(), "Eve Elm");
    HWND caption = v.Caption(), pane = v.ImagePane();
    RECT client;
    GetClientRect(pane, &client);
    // The fit: whole factors, rounded up, across and down, the larger one.
    int across = (1600 + client.right) / (client.right + 1), down = (1000 + client.bottom) / (client.bottom + 1);
    EXPECT_EQ(KnobStep(caption), across > down ? across : down);
    for (int i = 0; i < 12; ++i) v.Command(117);
    EXPECT_EQ(KnobStep(caption), 1) << "Zoom In stops at full size";
    Snap(v.main, "views-editor");
    // At full size the image is larger than the pane: it follows the pointer, never past an edge.
    WindowPixels before = CaptureWindow(pane);
    EXPECT_EQ(before.At(0, 0), RGB(0, 0, 77));
    Send(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    Send(pane, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 120));
    Send(pane, WM_LBUTTONUP, 0, MAKELPARAM(40, 120));
    WindowPixels dragged = CaptureWindow(pane);
    EXPECT_EQ(dragged.At(0, 0), RGB(160 / 8, 80 / 8, 77)) << "the image moved 160 left and 80 up";
    Send(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    Send(pane, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(600, 500));
    Send(pane, WM_LBUTTONUP, 0, MAKELPARAM(600, 500));
    EXPECT_EQ(CaptureWindow(pane).At(0, 0), RGB(0, 0, 77)) << "no gap at the top-left";
    for (int i = 0; i < 12; ++i) v.Command(118);
    EXPECT_EQ(KnobStep(caption), 10) << "Zoom Out stops at a tenth";
    // The caption's own controls: minus, then a click on scale step 3.
    RECT cap;
    GetClientRect(caption, &cap);
    int x0 = (cap.right - 150) / 32 * 32;
    Send(caption, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0 + 30, 18));
    Send(caption, WM_LBUTTONUP, 0, MAKELPARAM(x0 + 30, 18));
    EXPECT_EQ(KnobStep(caption), 9);
    Send(caption, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0 + 48 + 12, 15));
    Send(caption, WM_LBUTTONUP, 0, MAKELPARAM(x0 + 48 + 12, 15));
    EXPECT_EQ(KnobStep(caption), 3);
    // Minus pressed and released away from every control changes nothing.
    Send(caption, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0 + 30, 18));
    Send(caption, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x0 + 30, 200));
    Send(caption, WM_LBUTTONUP, 0, MAKELPARAM(x0 + 30, 200));
    EXPECT_EQ(KnobStep(caption), 3);
}

std::string ExpectedLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) line += cells[i] + (i + 1 < cells.size() ? "\t" : "\r\n");
    return line;
}

std::vector<std::string> ListLine(int i, const std::string& title, const std::string& company) {
    char date[16];
    snprintf(date, sizeof date, "%2d/%2d/%4d", 1 + i % 12, 10 + i, 2001);
    return {i == 3 ? "Y" : "N",
            kNames[i],
            title,
            company,
            "",
            i == 2 ? "Bern" : "",
            "",
            "",
            "",
            "555-01" + std::to_string(10 + i),
            "",
            date};
}

TEST_F(Views, CardListCopiesEditsAndCutsExactlyTheChosenRows) {
    v.Command(110);
    HWND list = v.CardList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(v.Strip(), nullptr);
    EXPECT_EQ(v.Form(), nullptr);
    EXPECT_FALSE(v.ArrowsShown());
    ASSERT_EQ(ListRowCount(list), kCards);
    EXPECT_EQ(ListCellText(list, 0, 0), "1");
    // The edits of the Card Editor reached the card file when it closed.
    EXPECT_EQ(ListCellText(list, 0, 3), "Chief Engineer");
    EXPECT_EQ(ListCellText(list, 0, 5), "12 Main St Suite 4");

    ListSelectRows(list, {1, 4});
    Send(list, 1525);
    std::string expected = ExpectedLine({"?", "Name", "Title", "Company", "Address", "City", "State", "Zip Code",
                                         "Country", "Office Tel.", "Fax", "Date"}) +
                           ExpectedLine(ListLine(1, "Sales", "Co2")) + ExpectedLine(ListLine(4, "", "Co5"));
    EXPECT_EQ(ClipboardText(), expected);
    Snap(v.main, "views-list");

    // A click on the current card's row makes a cell editable; Tab stores it and moves on,
    // Escape drops what was typed.
    RECT cell = ListCellRect(list, 6, 4);
    POINT middle{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    for (int click = 0; click < 2; ++click) {
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
        PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
        PumpMessages(400);
    }
    HWND editor = FindChildById(list, 9305, "Edit");
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(editor) != FALSE; }));
    v.Type(editor, "Zeta Corp");
    PostMessageA(editor, WM_CHAR, '\t', 1);
    EXPECT_TRUE(WaitFor([&] { return ListCellText(list, 6, 4) == "Zeta Corp"; }));
    v.Type(editor, "Nope");
    PostMessageA(editor, WM_CHAR, 27, 1);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(editor); }));
    EXPECT_EQ(ListCellText(list, 6, 5), "");

    ListSelectRows(list, {2, 5, 9});
    Send(list, 1526);
    EXPECT_EQ(ListRowCount(list), kCards - 3);
    std::string cut = ClipboardText();
    EXPECT_NE(cut.find("Bea Brook"), std::string::npos);
    EXPECT_NE(cut.find("Cy Cedar"), std::string::npos);
    EXPECT_NE(cut.find("Hal Hart"), std::string::npos);
    EXPECT_EQ(Send(list, 1529), 0) << "no row stays selected";
}

TEST_F(Views, AlbumPagesThroughTheCardsAndMakesMissingThumbnails) {
    v.Command(114);
    HWND desk = v.Desk();
    ASSERT_NE(desk, nullptr);
    EXPECT_EQ(v.CardList(), nullptr);
    EXPECT_FALSE(v.ArrowsShown());
    HWND previous = GetDlgItem(desk, 736), next = GetDlgItem(desk, 737);
    EXPECT_FALSE(IsWindowEnabled(previous));
    EXPECT_TRUE(IsWindowEnabled(next)) << "11 cards make two pages";
    // Eve Elm's card on the first page has an image but no thumbnail: drawing makes one.
    EXPECT_TRUE(WaitFor([&] { return FolderFiles(v.installation.Path("thumb\\")) == 1; }, 60000));
    Snap(v.main, "views-album");
    Send(desk, WM_COMMAND, MAKEWPARAM(737, BN_CLICKED), reinterpret_cast<LPARAM>(next));
    EXPECT_TRUE(IsWindowEnabled(previous));
    EXPECT_FALSE(IsWindowEnabled(next));
    EXPECT_TRUE(WaitFor([&] { return FolderFiles(v.installation.Path("thumb\\")) == 6; }, 60000));
    Snap(v.main, "views-album-page2");
    // The first cell of page 2 is the seventh card; choosing it opens the deck on it.
    Send(desk, WM_COMMAND, MAKEWPARAM(730, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(desk, 730)));
    ASSERT_TRUE(WaitFor([&] { return v.DeckList() != nullptr; }));
    EXPECT_EQ(v.DeckRow(), 6);
    EXPECT_EQ(ListCellText(v.DeckList(), 6, 0), "Gus Grove");
    Send(v.DeckList(), LVM_SETCOLUMNWIDTH, 1, 150);  // kept for the next run
}

TEST_F(Views, CloseLeavesEveryEditInTheCardFile) {
    PostMessageA(v.main, WM_CLOSE, 0, 0);
    ASSERT_EQ(v.run->WaitForExit(60000), 0);
    std::vector<StoredCard> cards = ReadCards(v.cardFile);
    ASSERT_EQ(cards.size(), static_cast<size_t>(kCards - 3));
    std::vector<std::string> names;
    for (const StoredCard& card : cards) names.push_back(card.Name);
    EXPECT_EQ(CardNames(v.cardFile),
              (std::vector<std::string>{"Abel Archer", "Ada Aston", "Ben Birch", "bo bright", "dora dale", "Eve Elm",
                                        "Gus Grove", "Ida Iris", "Jo Jay", "Kim Kent", "Lu O'Lane"}));
    for (const StoredCard& card : cards) {
        if (card.Name == "Abel Archer") {  // typed in the Card Editor
            EXPECT_EQ(card.Title, "Chief Engineer");
            EXPECT_EQ(card.Address, "12 Main St Suite 4");
            EXPECT_EQ(card.Note.size(), 20000u);
        }
        if (card.Name == "dora dale") {
            EXPECT_EQ(card.Company, "Zeta Corp");
            EXPECT_EQ(card.Address, "");
        }
        // Every card with an image has a thumbnail file again.
        if (!card.ImagePath.empty()) {
            EXPECT_TRUE(IsFile(card.ThumbnailPath)) << card.Name << " " << card.ThumbnailPath;
        }
    }
    EXPECT_EQ(v.installation.ReadSetting("SearchString", "Count"), "4");
    EXPECT_EQ(v.installation.ReadSetting("SearchString", "1"), "Ida");
    EXPECT_EQ(v.installation.ReadSetting("BrowserView", "Position"), "84,150,84,0");
}

// A second start: the search history and the deck's widths come back; an empty card file
// shows in every mode, and a card typed into the empty Card Editor is stored.
TEST_F(Views, ARestartKeepsHistoryAndWidthsAndAnEmptyFileWorksInEveryMode) {
    std::string empty = v.installation.Path("Database\\Empty.mdb");
    ASSERT_TRUE(CreateCardFile(empty, std::vector<TestCard>{}));
    v.installation.WriteSetting("CardBase", "DataBaseName", empty.c_str());
    // A history grown to 40 entries elsewhere: the box takes them all, the file keeps 32.
    for (int i = 5; i <= 40; ++i)
        v.installation.WriteSetting("SearchString", std::to_string(i).c_str(), ("n" + std::to_string(i)).c_str());
    v.installation.WriteSetting("SearchString", "Count", "40");
    v.run = std::make_unique<ProgramRun>(v.installation, "");
    v.Attach();
    ASSERT_NE(v.main, nullptr);
    ASSERT_NE(v.DeckList(), nullptr);
    HWND box = FindChildById(v.Strip(), 704);
    ASSERT_EQ(Send(box, CB_GETCOUNT), 40);
    Send(box, CB_SETCURSEL, 0);
    EXPECT_EQ(WindowText(box), "Ida") << "the last name searched comes first";
    EXPECT_EQ(Send(v.DeckList(), LVM_GETCOLUMNWIDTH, 1), 150);
    v.Command(110);
    ASSERT_NE(v.CardList(), nullptr);
    EXPECT_EQ(ListRowCount(v.CardList()), 0);
    v.Command(111);
    ASSERT_NE(v.DeckList(), nullptr);
    EXPECT_EQ(ListRowCount(v.DeckList()), 0);
    EXPECT_NE(v.Pane("IMC_Paint20"), nullptr);
    v.Command(96);
    v.Command(114);
    ASSERT_NE(v.Desk(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(v.Desk(), 737)));
    v.Command(113);
    ASSERT_NE(v.Form(), nullptr);
    EXPECT_EQ(v.Name(), "");
    v.Type(v.Field(430), "Nova New");
    v.Command(111);
    ASSERT_NE(v.DeckList(), nullptr);
    EXPECT_EQ(ListRowCount(v.DeckList()), 1);
    EXPECT_EQ(ListCellText(v.DeckList(), 0, 0), "Nova New");
    PostMessageA(v.main, WM_CLOSE, 0, 0);
    ASSERT_EQ(v.run->WaitForExit(60000), 0);
    EXPECT_EQ(CardNames(empty), std::vector<std::string>{"Nova New"});
    EXPECT_EQ(v.installation.ReadSetting("SearchString", "Count"), "32");
    EXPECT_EQ(v.installation.ReadSetting("SearchString", "32"), "n32");
}

}  // namespace
