// The comma-separated, delimited-text and worksheet exports of the test card file: each flavour
// read back by independent readers, golden files, the field selection, the Card List's rows and
// failed writes.
#include "export_fixture.h"
#include "file_bytes.h"
#include "linux_programs.h"
#include <commctrl.h>
#include <functional>

using namespace exporttest;

namespace {

// The Palm Desktop columns after the two name columns: Title, Company, Office Tel., Other
// Tel., Fax, Mobile Tel., Email, Address, City, State, Zip Code, Country, Web Site,
// Department, Fax 2, Email 2.
const int kPalmEntries[16] = {2, 5, 6, 8, 9, 7, 11, 15, 16, 17, 18, 19, 13, 4, 10, 12};
// Last and first name of each test card, split by hand.
const std::pair<std::string, std::string> kPalmNames[4] = {
    {"Archer", "Ann"}, {"Baker", " Quinn"}, {"", "Solo"}, {"Zzyzx", " " + std::string(43, 'N')}};

std::vector<Row> PalmRows() {
    std::vector<Row> rows;
    for (size_t i = 0; i < CardTexts().size(); ++i) {
        Row row = {kPalmNames[i].first, kPalmNames[i].second};
        for (int entry : kPalmEntries) row.push_back(CardTexts()[i][entry]);
        rows.push_back(row);
    }
    return rows;
}

std::vector<Row> FieldRows(bool header) {
    std::vector<Row> rows;
    if (header) rows.push_back(SelectedCaptions());
    for (const Row& card : CardTexts()) rows.push_back(SelectedTexts(card));
    return rows;
}

struct Flavour {
    const char* File;
    std::function<int(const char*, int, int)> Export;
    const char* Kind;       // of the reader
    const char* Delimiter;  // of a text reader
    bool Palm;
};

const Flavour kFlavours[] = {
    {"outlook.csv", [](const char* p, int f, int l) { return ExportCardsCsv(p, f, l, EXPORT_CSV_OUTLOOK); }, "text",
     "comma", false},
    {"express.csv", [](const char* p, int f, int l) { return ExportCardsCsv(p, f, l, EXPORT_CSV_OUTLOOK_EXPRESS); },
     "text", "comma", false},
    {"palm.csv", [](const char* p, int f, int l) { return ExportCardsCsv(p, f, l, EXPORT_CSV_PALM_DESKTOP); }, "text",
     "comma", true},
    {"organizer.csv", [](const char* p, int f, int l) { return ExportCardsCsv(p, f, l, EXPORT_CSV_ORGANIZER); }, "text",
     "comma", false},
    {"comma.txt", [](const char* p, int f, int l) { return ExportCardsDelimited(p, f, l, EXPORT_SEPARATOR_COMMA); },
     "text", "comma", false},
    {"tab.txt", [](const char* p, int f, int l) { return ExportCardsDelimited(p, f, l, EXPORT_SEPARATOR_TAB); }, "text",
     "tab", false},
    {"plain.txt", [](const char* p, int f, int l) { return ExportCardsDelimited(p, f, l, EXPORT_SEPARATOR_BLANK); },
     "text", "blank", false},
    {"sheet.xls", [](const char* p, int f, int l) { return ExportCardsSpreadsheet(p, f, l); }, "sheet", "", false},
};

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        App.ViewMode = VIEW_CARD_DECK;
        App.SaveFieldNames = 1;
        SelectFields("");
    }
};

}  // namespace

// Every flavour with every field, over the card of quotes, commas and line breaks and the card
// of full-length fields: the readers find each text whole; the current card stays current.
TEST_F(ExportTest, EveryFlavourReadsBackWhole) {
    for (const Flavour& flavour : kFlavours) {
        SCOPED_TRACE(flavour.File);
        std::string path = ScratchPath(flavour.File);
        CurrentCardState before = CaptureCurrentCard();
        ASSERT_EQ(flavour.Export(path.c_str(), 1, App.CardCount), EXPORT_WRITTEN);
        EXPECT_EQ(App.CurrentCardNumber, before.Number);
        EXPECT_EQ(kvRecNum(App.CardTable), before.TableRecord);
        EXPECT_EQ(memcmp(&App.CurrentCard, &before.Card, sizeof before.Card), 0);
        std::vector<Row> rows = flavour.Palm ? PalmRows() : FieldRows(true);
        EXPECT_EQ(CheckWithReaders(path, flavour.Kind, rows, flavour.Delimiter), "");
    }
}

// Name, Title, Company, Address and Date of the first two cards, byte for byte.
TEST_F(ExportTest, FlavoursMatchGoldenFiles) {
    SelectFields("1010010000000001000000000100");
    for (const Flavour& flavour : kFlavours) {
        SCOPED_TRACE(flavour.File);
        std::string path = ScratchPath(std::string("golden_") + flavour.File);
        ASSERT_EQ(flavour.Export(path.c_str(), 1, 2), EXPORT_WRITTEN);
        std::vector<uint8_t> golden = ReadFileBytes(std::string(EXPORT_GOLDEN) + flavour.File);
        ASSERT_FALSE(golden.empty());
        EXPECT_EQ(ReadFileBytes(path), golden);
    }
}

TEST_F(ExportTest, OnlyTheNameColumnWhenOnlyTheFirstFieldIsSelected) {
    SelectFields("1" + std::string(29, '0'));
    std::string path = ScratchPath("name_only.txt");
    ASSERT_EQ(ExportCardsDelimited(path.c_str(), 1, App.CardCount, EXPORT_SEPARATOR_COMMA), EXPORT_WRITTEN);
    EXPECT_EQ(ReadWholeFile(path), "\"Name\"\r\n\"Ann Archer\"\r\n\"Baker, Quinn\"\r\n\"Solo\"\r\n\"Zzyzx, " +
                                       std::string(43, 'N') + "\"\r\n");
}

TEST_F(ExportTest, NoSelectedFieldWritesNothingAndLeavesTheFileAlone) {
    SelectFields(std::string(28, '0') + "11");  // the two entries without a card field count for nothing
    for (const Flavour& flavour : kFlavours) {
        SCOPED_TRACE(flavour.File);
        std::string path = ScratchPath(std::string("kept_") + flavour.File);
        ASSERT_TRUE(WriteWholeFile(path, std::string("earlier")));
        EXPECT_EQ(flavour.Export(path.c_str(), 1, App.CardCount), EXPORT_NOT_WRITTEN);
        EXPECT_EQ(ReadWholeFile(path), "earlier");
    }
}

TEST_F(ExportTest, WithoutFieldNamesNoCaptionLineOrRow) {
    App.SaveFieldNames = 0;
    SelectFields("1000010000000000000000000000");
    std::string text = ScratchPath("no_names.txt"), sheet = ScratchPath("no_names.xls");
    ASSERT_EQ(ExportCardsDelimited(text.c_str(), 1, 1, EXPORT_SEPARATOR_TAB), EXPORT_WRITTEN);
    EXPECT_EQ(ReadWholeFile(text), "\"Ann Archer\"\t\"Acme\"\r\n");
    ASSERT_EQ(ExportCardsSpreadsheet(sheet.c_str(), 1, App.CardCount), EXPORT_WRITTEN);
    EXPECT_EQ(CheckWithReaders(sheet, "sheet", FieldRows(false)), "");
}

// The comma-separated flavours write their caption line whatever the field-names setting says.
TEST_F(ExportTest, CommaSeparatedFlavoursAlwaysHaveTheirCaptionLine) {
    App.SaveFieldNames = 0;
    SelectFields("1000010000000000000000000000");
    std::string path = ScratchPath("captions.csv");
    ASSERT_EQ(ExportCardsCsv(path.c_str(), 1, 1, EXPORT_CSV_OUTLOOK), EXPORT_WRITTEN);
    EXPECT_EQ(ReadWholeFile(path), "\"Name\",\"Company\"\r\n\"Ann Archer\",\"Acme\"\r\n");
}

TEST_F(ExportTest, ARangePastTheLastCardEndsThere) {
    SelectFields("1" + std::string(29, '0'));
    std::string path = ScratchPath("range.csv");
    ASSERT_EQ(ExportCardsCsv(path.c_str(), 3, 10, EXPORT_CSV_ORGANIZER), EXPORT_WRITTEN);
    EXPECT_EQ(ReadWholeFile(path), "\"Name\"\r\n\"Solo\"\r\n\"Zzyzx, " + std::string(43, 'N') + "\"\r\n");
    EXPECT_EQ(kvRecNum(App.CardTable), App.CurrentCardNumber);
}

// In the Card List view the writers take the list's selected rows, in list order, and the
// include marks follow the columns the list shows.
TEST_F(ExportTest, CardListViewExportsTheSelectedRows) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr, nullptr,
                                App.Instance, nullptr);
    ASSERT_NE(list, nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int row = 0; row < App.CardCount; ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>("row");
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    for (int row : {3, 0, 1}) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    int savedColumns[LIST_COLUMN_COUNT];
    memcpy(savedColumns, App.Views.ListColumns, sizeof savedColumns);
    for (int c = 0; c < LIST_COLUMN_COUNT; ++c) App.Views.ListColumns[c] = (c == 0 || c == 2 || c == 6) ? 80 : 0;
    App.Views.CardList = list;
    App.ViewMode = VIEW_CARD_LIST;
    SetExportSelectionFromText("");
    MarkExportColumns();
    for (int i = 0; i < EXPORT_FIELDS; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(App.ExportFields[i].Width > 0, i == 0 || i == 16);  // Name and City are shown
    }
    EXPECT_EQ(MaxExportColumnWidth(), 50);
    std::string path = ScratchPath("list.txt");
    int result = ExportCardsDelimited(path.c_str(), -1, 0, EXPORT_SEPARATOR_TAB);
    std::vector<Row> rows = {SelectedCaptions(), CardTexts()[0], CardTexts()[1], CardTexts()[3]};
    App.ViewMode = VIEW_CARD_DECK;
    App.Views.CardList = nullptr;
    memcpy(App.Views.ListColumns, savedColumns, sizeof savedColumns);
    DestroyWindow(list);
    ASSERT_EQ(result, EXPORT_WRITTEN);
    EXPECT_EQ(CheckWithReaders(path, "text", rows, "tab"), "");
}

// A file that cannot be created, or a disk that fills up while the rows go out, is a failure.
TEST_F(ExportTest, AFailedWriteIsReportedAsAFailure) {
    for (const Flavour& flavour : kFlavours) {
        SCOPED_TRACE(flavour.File);
        std::string path = ScratchPath(std::string("missing folder\\") + flavour.File);
        EXPECT_EQ(flavour.Export(path.c_str(), 1, App.CardCount), EXPORT_NOT_WRITTEN);
    }
    // The worksheet is written over the named file in place, so a link to the full device
    // stands for a disk without room.
    std::string full = ScratchPath("full.xls");
    ASSERT_EQ(RunShellCommand("ln -sf /dev/full '" + UnixPath(full) + "'"), 0);
    HANDLE probe = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(probe, INVALID_HANDLE_VALUE) << "the full device opens; only its writes fail";
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(probe, "x", 1, &written, nullptr) && written == 1);
    CloseHandle(probe);
    EXPECT_EQ(ExportCardsSpreadsheet(full.c_str(), 1, App.CardCount), EXPORT_NOT_WRITTEN);
    DeleteFileA(full.c_str());
}
