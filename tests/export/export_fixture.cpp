#include "export_fixture.h"
#include "dialog_watch.h"
#include "file_bytes.h"
#include "export_readers.h"
#include "scratch_folder.h"
#include "shell.h"
#include "resource.h"
#include <stddef.h>
#include <string.h>

namespace exporttest {

const char* const kCaptions[28] = {
    "Name",        "Nickname",   "Title",         "Title 2",      "Department", "Company",  "Office Tel.",
    "Mobile Tel.", "Other Tel.", "Fax",           "Fax 2",        "Email",      "Email 2",  "Web Site",
    "Web Site 2",  "Address",    "City",          "State",        "Zip Code",   "Country",  "Alt. Address",
    "Alt. City",   "Alt. State", "Alt. Zip Code", "Alt. Country", "Date",       "Category", "Category 2"};

namespace {

constexpr int kDateEntry = 25;

// The card field of each export entry, as the field table names them.
#define FIELD(name)                                                                                                    \
    { offsetof(CardRec, name), sizeof(((CardRec*)0)->name) }
const struct {
    size_t Offset;
    size_t Size;
} kFields[28] = {FIELD(CName),  FIELD(AltName), FIELD(Title),      FIELD(User6),    FIELD(User5),    FIELD(Company),
                 FIELD(OPhone), FIELD(PPhone),  FIELD(HPhone),     FIELD(Fax),      FIELD(User7),    FIELD(EMail),
                 FIELD(User2),  FIELD(User3),   FIELD(User4),      FIELD(Address),  FIELD(City),     FIELD(State),
                 FIELD(Zip),    FIELD(Country), FIELD(AltAddress), FIELD(AltCity),  FIELD(AltState), FIELD(AltZip),
                 FIELD(User8),  {0, 0},         FIELD(Category1),  FIELD(Category2)};
#undef FIELD

struct FixtureCard {
    Row Texts;
    int Date[3];  // year, month, day
};

// A text of exactly n characters with quotes, commas, blanks and line breaks (never ending
// inside a line break), different for each field.
std::string FullLengthText(size_t n, int entry) {
    static const std::string pattern = "\"quoted\", comma,\r\nnext line ";
    std::string text = std::string(1, static_cast<char>('a' + entry % 26));
    while (text.size() < n) text += pattern;
    text.resize(n);
    if (text.back() == '\r') text.back() = '.';
    return text;
}

std::vector<FixtureCard> MakeCards() {
    std::vector<FixtureCard> cards;
    Row ann(28), baker(28), solo(28), full(28);
    ann[0] = "Ann Archer", ann[1] = "Annie", ann[2] = "Engineer", ann[4] = "R&D", ann[5] = "Acme";
    ann[6] = "555-0100", ann[7] = "555-0101", ann[9] = "555-0102", ann[11] = "ann@example.com";
    ann[13] = "www.example.com", ann[15] = "1 High Street", ann[16] = "Springfield", ann[17] = "IL";
    ann[18] = "62701", ann[19] = "USA", ann[25] = " 3/ 7/2004", ann[26] = "Clients";
    cards.push_back({ann, {2004, 3, 7}});
    baker[0] = "Baker, Quinn", baker[2] = "Head of \"Special\" Projects", baker[5] = "Smith, Jones & Co.";
    baker[11] = "qb@example.com", baker[15] = "12 Main St.\r\nSuite \"B\", rear", baker[16] = "Dover";
    baker[25] = "12/25/2010", baker[26] = "a,b";
    cards.push_back({baker, {2010, 12, 25}});
    solo[0] = "Solo", solo[5] = "Lone Ltd", solo[25] = " 1/31/1999";
    cards.push_back({solo, {1999, 1, 31}});
    for (int i = 0; i < 28; ++i)
        if (i != kDateEntry) full[i] = FullLengthText(kFields[i].Size - 1, i);
    full[0] = "Zzyzx, " + std::string(43, 'N');
    full[25] = "11/ 9/2026";
    cards.push_back({full, {2026, 11, 9}});
    return cards;
}

const std::vector<FixtureCard>& Cards() {
    static const std::vector<FixtureCard> cards = MakeCards();
    return cards;
}

CardRec ToRecord(const FixtureCard& card) {
    CardRec rec;
    memset(&rec, 0, sizeof rec);
    for (int i = 0; i < 28; ++i)
        if (i != kDateEntry)
            memcpy(reinterpret_cast<char*>(&rec) + kFields[i].Offset, card.Texts[i].data(), card.Texts[i].size());
    for (int i = 0; i < 3; ++i) rec.CDate[i] = card.Date[i];
    return rec;
}

std::string g_scratch;
DialogWatch* g_watch = nullptr;

class ExportEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        App.Instance = GetModuleHandleA(nullptr);
        LoadStringA(App.Instance, IDS_PRODUCT_TITLE, App.ProductTitle, sizeof App.ProductTitle);
        ReadExportFieldSelection();
        App.SaveFieldNames = 1;
        g_watch = new DialogWatch(IDOK);
        // Beside the test program, on a drive whose Linux path the readers can take.
        char folder[MAX_PATH];
        GetModuleFileNameA(nullptr, folder, sizeof folder);
        *strrchr(folder, '\\') = 0;
        g_scratch = std::string(folder) + "\\export_scratch\\";
        RemoveFolderTree(g_scratch);
        CreateDirectoryA(g_scratch.c_str(), nullptr);
        // Stored in reverse: the table's name order gives them back in the order of Cards().
        std::string path = g_scratch + "cards.mdb";
        HKVTBL table = nullptr;
        kvCreateDatabase(KVDB_TYPE_JET, path.c_str(), KVDB_LANG_WESTERN, &App.Database);
        ASSERT_EQ(kvTblCreate(App.Database, KVDB_CARD_TABLE), 1);
        ASSERT_EQ(kvTblNew(App.Database, KVDB_CARD_TABLE, &table), 1);
        ASSERT_EQ(kvTblOpen(table), 1);
        for (auto card = Cards().rbegin(); card != Cards().rend(); ++card) {
            CardRec rec = ToRecord(*card);
            ASSERT_EQ(kvCardRecInsert(table, &rec), 1);
        }
        kvTblFree(table);
        ASSERT_EQ(kvTblNew(App.Database, KVDB_CARD_TABLE, &App.CardTable), 1);
        kvKeyAdd(App.CardTable, "CName");
        kvSetSortOrder(App.CardTable, 0);
        ASSERT_EQ(kvTblOpen(App.CardTable), 1);
        App.CardCount = kvTblNRecs(App.CardTable);
        App.CurrentCardNumber = 2;
        kvRecGoto(App.CardTable, 2);
        kvCardRecGet(App.CardTable, &App.CurrentCard, 1);
        App.ViewMode = VIEW_CARD_DECK;
    }
    void TearDown() override {
        kvTblFree(App.CardTable);
        kvCloseDatabase(App.Database);
        RemoveFolderTree(g_scratch);
        delete g_watch;
        g_watch = nullptr;
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ExportEnvironment);

}  // namespace

const std::vector<Row>& CardTexts() {
    static std::vector<Row> texts = [] {
        std::vector<Row> rows;
        for (const FixtureCard& card : Cards()) rows.push_back(card.Texts);
        return rows;
    }();
    return texts;
}

std::string ScratchPath(const std::string& name) { return g_scratch + name; }

void SelectFields(const std::string& saveField) {
    SetExportSelectionFromText(saveField.c_str());
    MarkExportColumns();
}

Row SelectedTexts(const Row& all) {
    Row row;
    for (int i = 0; i < 28; ++i)
        if (App.ExportSelection[i]) row.push_back(all[i]);
    return row;
}

Row SelectedCaptions() { return SelectedTexts(Row(kCaptions, kCaptions + 28)); }

std::string CheckWithReaders(const std::string& file, const std::string& kind, const std::vector<Row>& rows,
                             const std::string& delimiter) {
    return CheckExportWithReaders(file, kind, rows, delimiter);
}

CurrentCardState CaptureCurrentCard() { return {App.CurrentCardNumber, kvRecNum(App.CardTable), App.CurrentCard}; }

}  // namespace exporttest
