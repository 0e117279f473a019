// Card rendering drawn into enhanced metafiles made with the file printer's device context
// as reference (print mode) or the screen's (preview modes): which texts each cell shows,
// where, and which card comes next.
#include "print_fixture.h"
#include <algorithm>
#include <string.h>

using namespace printtest;

namespace {

// Letter paper, 2 columns of 8 rows: cells 3500 x 1125 from (750, 1000).
const char* const kTwoByEight = "1, Two by Eight, 11000, 8500, 1000, 750, 2, 8, 1125, 3500, 0, 0, 0, 0, 0";
const std::vector<std::string> kNameAndCompany = {"Name,100,100,3300,400,Arial,12,700,0,0,0,0,0,0,0",
                                                  "Company,100,600,3300,400,Arial,10,400,0,0,0,0,0,0,0"};

struct Rendered {
    std::vector<DrawnText> Texts;
    int Next = -1;
    int LineSegments = 0;
};

int CALLBACK CountLines(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    if (record->iType == EMR_LINETO) ++*reinterpret_cast<int*>(data);
    return 1;
}

// One page rendered in `mode`; print mode with the file printer as reference device.
Rendered Render(int count, int mode, int first) {
    HDC reference = mode == 3 ? CreateDCA("WINSPOOL", kPrinterName, nullptr, nullptr) : nullptr;
    HDC dc = CreateEnhMetaFileA(reference, nullptr, nullptr, nullptr);
    RECT page = {0, 0, 800, 1000};
    if (reference) page = {0, 0, GetDeviceCaps(reference, HORZRES), GetDeviceCaps(reference, VERTRES)};
    const auto* g = App.Print.PageGeometry;
    Rendered result;
    result.Next = RenderLayoutPage(nullptr, dc, &page, g, g + 4, g + 8, count, mode, first, nullptr);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    result.Texts = TextsOf(metafile);
    EnumEnhMetaFile(nullptr, metafile, CountLines, &result.LineSegments, nullptr);
    DeleteEnhMetaFile(metafile);
    if (reference) DeleteDC(reference);
    return result;
}

std::vector<std::string> Persons(const std::vector<DrawnText>& texts) {
    std::vector<std::string> names;
    for (const DrawnText& text : texts)
        if (text.Text.rfind("Person", 0) == 0) names.push_back(text.Text);
    return names;
}

std::vector<std::string> PersonRange(int first, int last) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) names.push_back(PersonName(i));
    return names;
}

std::string WithoutBlanks(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\n' || c == '\r'; }),
               text.end());
    return text;
}

std::string AllText(const std::vector<DrawnText>& texts) {
    std::string all;
    for (const DrawnText& text : texts) all += text.Text;
    return all;
}

class CardRendering : public ::testing::Test {
protected:
    void SetUp() override {
        StoreTemplate(1, kNameAndCompany, 3500, 1125);
        StoreLayouts({kTwoByEight}, 0);
        OpenCards(40);
    }
};

}  // namespace

TEST_F(CardRendering, PrintModeFillsColumnsTopToBottomAndNamesTheNextCard) {
    // Print mode stops at the last card it draws: only the cells drawn are framed.
    struct Case {
        int Count, First, Next, LastDrawn;
    } cases[] = {
        {16, 1, 0, 16},   // exactly one page
        {20, 5, 21, 20},  // a full page with cards left over
        {3, 3, 0, 5},     // a range shorter than the page
        {40, 33, 0, 40},  // the file ends before the page does
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.Count) + " from " + std::to_string(c.First));
        Rendered page = Render(c.Count, 3, c.First);
        EXPECT_EQ(c.Next, page.Next);
        EXPECT_EQ(PersonRange(c.First, c.LastDrawn), Persons(page.Texts));
        EXPECT_EQ((c.LastDrawn - c.First + 1) * 4, page.LineSegments);
    }
}

TEST_F(CardRendering, PrintModeCellsLieWhereTheLayoutPutsThemOnThePrintablePage) {
    HDC printer = CreateDCA("WINSPOOL", kPrinterName, nullptr, nullptr);
    ASSERT_NE(nullptr, printer);
    int dpi = GetDeviceCaps(printer, LOGPIXELSX), offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX),
        offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
    DeleteDC(printer);
    Rendered page = Render(16, 3, 1);
    std::vector<DrawnText> names;
    for (const DrawnText& text : page.Texts)
        if (text.Text.rfind("Person", 0) == 0) names.push_back(text);
    ASSERT_EQ(16u, names.size());
    for (int k = 0; k < 16; ++k) {
        SCOPED_TRACE(names[k].Text);
        int column = k / 8, row = k % 8;
        // Cell corner in device pixels, then the item's offset (100 of 3500 and 1125 units).
        int cellX = 750 * dpi / 1000 - offsetX + column * (3500 * dpi / 1000);
        int cellY = 1000 * dpi / 1000 - offsetY + row * (1125 * dpi / 1000);
        EXPECT_NEAR(cellX + 100 * dpi / 1000, names[k].At.x, 2);
        EXPECT_NEAR(cellY + 100 * dpi / 1000, names[k].At.y, 2);
    }
}

TEST_F(CardRendering, PreviewModeTwoDrawsTheFileFromCardOneAndFramesTheEmptyCells) {
    OpenCards(10);
    Rendered page = Render(App.CardCount, 2, 1);
    EXPECT_EQ(PersonRange(1, 10), Persons(page.Texts));
    EXPECT_EQ(16 * 4, page.LineSegments);
    // Cards 9 and 10 head the second column.
    std::vector<DrawnText> names;
    for (const DrawnText& text : page.Texts)
        if (text.Text.rfind("Person", 0) == 0) names.push_back(text);
    ASSERT_EQ(10u, names.size());
    EXPECT_GT(names[8].At.x, names[7].At.x + 100);
    EXPECT_EQ(names[0].At.y, names[8].At.y);
    EXPECT_EQ(names[1].At.y, names[9].At.y);
    for (int k = 1; k < 8; ++k) EXPECT_GT(names[k].At.y, names[k - 1].At.y) << "column one runs downwards";
    // Mode 0 frames the cells and draws no card.
    Rendered frames = Render(App.CardCount, 0, 1);
    EXPECT_TRUE(frames.Texts.empty());
    EXPECT_EQ(16 * 4, frames.LineSegments);
}

// A row gap beyond 65.535 inches on 99-inch paper: the second card lies where the layout
// puts it, 500 + 16000 + 66000 + 100 thousandths down, mapped onto 800 pixels for 8500.
TEST_F(CardRendering, GapsBeyondSixtyFiveInchesPlaceTheCellsWhereTheLayoutSays) {
    StoreTemplate(1, kNameAndCompany, 7500, 16000);  // the cell's own size: item positions unscaled
    StoreLayouts({"1, Banner, 99000, 8500, 500, 500, 1, 2, 16000, 7500, 66000, 0, 0, 0, 0"}, 0);
    OpenCards(2);
    Rendered page = Render(App.CardCount, 2, 1);
    std::vector<DrawnText> names;
    for (const DrawnText& text : page.Texts)
        if (text.Text.rfind("Person", 0) == 0) names.push_back(text);
    ASSERT_EQ(2u, names.size());
    EXPECT_NEAR(MulDiv(500 + 100, 800, 8500), names[0].At.y, 3);
    EXPECT_NEAR(MulDiv(500 + 16000 + 66000 + 100, 800, 8500), names[1].At.y, 3);
}

TEST_F(CardRendering, TheCurrentCardIsReadAgainAfterThePage) {
    kvRecGoto(App.CardTable, 7);
    App.CurrentCardNumber = 7;
    Render(16, 3, 17);
    EXPECT_EQ(7, kvRecNum(App.CardTable));
    EXPECT_STREQ("Person 07", App.CurrentCard.CName);
}

TEST_F(CardRendering, ItemsShowTheirFieldsComposedWholeOrTheirOwnText) {
    CardRec card = NamedCard(1);
    // The longest name and title the card holds: 50 and 80 characters.
    snprintf(card.CName, sizeof card.CName, "%s", std::string(50, 'N').c_str());
    snprintf(card.Title, sizeof card.Title, "%s", std::string(80, 'T').c_str());
    snprintf(card.City, sizeof card.City, "Springfield");
    snprintf(card.State, sizeof card.State, "IL");
    snprintf(card.Zip, sizeof card.Zip, "62701");
    snprintf(card.User3, sizeof card.User3, "www.first.example");
    snprintf(card.User4, sizeof card.User4, "www.second.example");
    card.CDate[0] = 2024, card.CDate[1] = 3, card.CDate[2] = 7;
    OpenCardRecords({card});
    struct Case {
        const char* Text;
        std::string Expected;
    } cases[] = {
        {"Name_Title", std::string(50, 'N') + ", " + std::string(80, 'T')},
        {"cItY_sTaTe_ZiPcOdE", "Springfield, IL, 62701"},
        {"ZipCode_City", "62701, Springfield"},
        {"Date", " 3/ 7/2024"},
        {"WebSite", "www.first.example"},
        {"Fixed words", "Fixed words"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        StoreTemplate(1, {std::string(c.Text) + ",0,0,3500,1125,Arial,6,400,0,0,0,0,0,0,0"}, 3500, 1125);
        StoreLayouts({kTwoByEight}, 0);
        EXPECT_EQ(WithoutBlanks(c.Expected), WithoutBlanks(AllText(Render(1, 3, 1).Texts)));
    }
}

TEST_F(CardRendering, ItemsNotDrawnOnPaperOrDeletedStayOff) {
    StoreTemplate(
        1,
        {"Name,100,100,3300,400,Arial,12,700,0,0,0,0,0,0,0", "Company,100,600,3300,400,Arial,10,400,0,0,0,0,0,0,2",
         "Title,100,600,3300,400,Arial,10,400,0,0,0,0,0,0,1", "Fixed,100,600,3300,400,Arial,10,400,0,0,0,0,0,0,0"},
        3500, 1125);
    StoreLayouts({kTwoByEight}, 0);
    LAYOUTITEM* items = (LAYOUTITEM*)GlobalLock(App.Print.Template.Block);
    ASSERT_NE(nullptr, items);
    items[3].Flags |= 1;  // the editor deleted the fixed text
    GlobalUnlock(App.Print.Template.Block);
    OpenCards(1);
    std::string all = AllText(Render(1, 3, 1).Texts);
    EXPECT_NE(std::string::npos, all.find("Person 01"));
    EXPECT_EQ(std::string::npos, all.find("Company")) << "draw mode 2";
    EXPECT_EQ(std::string::npos, all.find("Fixed")) << "deleted item";
}

TEST_F(CardRendering, HeaderAndFooterLandOnThePrintedPageInsideTheTopMargin) {
    StoreTemplate(1, kNameAndCompany, 3500, 1125, "Top Words", "Bottom Words");
    StoreLayouts({kTwoByEight}, 0);
    HDC printer = CreateDCA("WINSPOOL", kPrinterName, nullptr, nullptr);
    ASSERT_NE(nullptr, printer);
    int width = GetDeviceCaps(printer, HORZRES), height = GetDeviceCaps(printer, VERTRES);
    int dpi = GetDeviceCaps(printer, LOGPIXELSY), offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
    int offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX);
    DeleteDC(printer);
    Rendered page = Render(16, 3, 1);
    const DrawnText *header = nullptr, *footer = nullptr;
    for (const DrawnText& text : page.Texts) {
        if (text.Text == "Top Words") header = &text;
        if (text.Text == "Bottom Words") footer = &text;
    }
    ASSERT_NE(nullptr, header);
    ASSERT_NE(nullptr, footer);
    // Both are centred in the 1-inch margin (a 250-thousandths font): the header's top and the
    // footer's top lie within the margin's upper half, counted from the paper's edges, and the
    // footer ends half an inch before the paper's right edge.
    int margin = 1000 * dpi / 1000;
    EXPECT_GT(header->At.y + offsetY, 0);
    EXPECT_LT(header->At.y + offsetY, margin / 2);
    EXPECT_GT(footer->At.y + offsetY, 11000 * dpi / 1000 - margin);
    EXPECT_LT(footer->At.y + offsetY, 11000 * dpi / 1000 - margin / 2);
    EXPECT_LT(footer->At.y, height);
    EXPECT_EQ(500 * dpi / 1000 - offsetX, header->At.x);
    EXPECT_EQ((8500 - 500) * dpi / 1000 - offsetX, footer->At.x) << "right-aligned: the reference is its right end";
    EXPECT_LE(footer->At.x, width);
    // A top margin of 0 leaves no room for either.
    StoreLayouts({"1, No Margin, 11000, 8500, 0, 750, 2, 8, 1375, 3500, 0, 0, 0, 0, 0"}, 0);
    std::string all = AllText(Render(16, 3, 1).Texts);
    EXPECT_EQ(std::string::npos, all.find("Top Words"));
    EXPECT_EQ(std::string::npos, all.find("Bottom Words"));
}

TEST_F(CardRendering, APaperWidthOfZeroDrawsNothingOnTheScreen) {
    StoreLayouts({"1, Hand Edited, 11000, 0, 1000, 750, 2, 8, 1125, 3500, 0, 0, 0, 0, 0"}, 0);
    Rendered page = Render(App.CardCount, 2, 1);
    EXPECT_TRUE(page.Texts.empty());
    EXPECT_EQ(0, page.LineSegments);
    EXPECT_EQ(0, page.Next);
}

TEST_F(CardRendering, AGridWithoutCellsNeverAsksForAnotherPage) {
    StoreLayouts({"1, No Columns, 11000, 8500, 1000, 750, 0, 8, 1125, 3500, 0, 0, 0, 0, 0"}, 0);
    EXPECT_EQ(0, Render(App.CardCount, 3, 1).Next);
}
