// The Palm link in Palm Desktop mode through FerrowDBFile, with the user library and table
// library stand-ins: users from users.ini, address books written and read back by the table
// stand-in and checked by a Python reader of the address.dat layout.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "build_paths.h"
#include "card_builders.h"
#include "card_converters.h"
#include "ferrow.h"
#include "link_fixture.h"
#include "palm_data.h"
#include "palm_desktop.h"
#include "pim_readers.h"
#include "table21.h"

namespace {

// Name -> Last name, Title -> title, Company -> company, Office -> Work, Mobile, Other -> Home,
// Fax, Email, Address, City, State, Zip, Country, Date -> custom3, User 1 -> custom1, User 2
// -> custom2.
const char kFieldMap[] = "1,0,4,0,0,3,10,17,11,12,0,14,0,0,0,5,6,7,8,9,0,0,0,0,0,20,18,19";

CardRecV4 Card(const std::string& name, const std::string& company, int16_t flags = 0) {
    return LinkCard(name, company, flags);
}

// One address as the table stand-in stores it.
struct Address {
    std::string name, company, city;
    std::vector<std::pair<std::string, int16_t>> phones;
    std::string note;
};

class PalmDesktop : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        SetDllDirectoryA(WindowsPathOf(ZEM_TABLE21_DIR).c_str());
        SetEnvironmentVariableA("PALM_STANDIN_DIR", Path("").c_str());
        WritePrivateProfileStringA("Users", "Count", "2", Path("users.ini").c_str());
        for (const char* user : {"User0", "User1"}) {
            bool first = user[4] == '0';
            WritePrivateProfileStringA(user, "Id", first ? "101" : "102", Path("users.ini").c_str());
            WritePrivateProfileStringA(user, "Name", first ? "Ann Lee" : "Bo Kim", Path("users.ini").c_str());
            WritePrivateProfileStringA(user, "Folder", first ? "LeeA" : "KimB", Path("users.ini").c_str());
        }
        CreateDirectoryA(Path("KimB").c_str(), nullptr);
        CreateDirectoryA(Path("KimB\\address").c_str(), nullptr);
        book_ = Path("KimB\\address\\address.dat");
        ASSERT_EQ(CBaseTable::CreateEmpty(book_.c_str()), 0);
        Set("Preference", "PalmMode", "1");
        Set("Preference", "PalmUser", "1");
        Set("Palm", "FieldMap", kFieldMap);
    }
    void TearDown() override {
        SetEnvironmentVariableA("PALM_STANDIN_DIR", nullptr);
        SetDllDirectoryA(nullptr);
        LinkFixture::TearDown();
    }
    int Link(int direction, const char* cardDb = nullptr) { return Call(FERROW_LINK_PALM, direction, cardDb); }

    // Adds addresses to the user's book through the table library, as Palm Desktop would;
    // `deleted` flags one of them (by index) deleted.
    void Seed(const std::vector<Address>& addresses, int deleted = -1) {
        CAddressTable table;
        ASSERT_EQ(table.OpenFrom(book_.c_str(), 0), 0);
        for (const Address& a : addresses) {
            CAddressRecord record(&table, 1);
            ASSERT_EQ(table.AppendBlankRecord(&record), 0);
            record.SetName(a.name.c_str());
            record.SetCompany(a.company.c_str());
            record.SetCity(a.city.c_str());
            record.SetNote(a.note.c_str());
            for (size_t k = 0; k < a.phones.size(); ++k) {
                record.SetPhone(static_cast<int>(k + 1), a.phones[k].first.c_str());
                record.SetPhoneLabelID(static_cast<int>(k + 1), a.phones[k].second);
            }
        }
        if (deleted >= 0) {
            ASSERT_EQ(table.DeleteRecord(deleted), 0);
        }
        ASSERT_EQ(table.Save(), 0);
    }
    Records Book() { return ParseFields(RunPimReader(Path("reader.out"), "address_dat.py", {UnixPath(book_)})); }

    std::string book_;
};

std::string Named(const Records& book, size_t r, const char* item) {
    auto found = book[r].find(item);
    return found == book[r].end() ? "" : found->second;
}

}  // namespace

TEST_F(PalmDesktop, ExportWritesTheMappedFieldsWithCategoryTwoAndSkipsCardsThere) {
    Seed({{"Ann Lee", "Acme", "", {}, ""}});
    CardRecV4 there = Card("Ann Lee", "Acme"), again = Card("Ann Lee", "Acme"), marked = Card("Cy Ray", "Core", 5),
              fresh = Card("Dee Fox", "Delta", 3), full = Card("Lee, Bo", std::string(90, 'C'));
    SetText(full.Title[0].Text, "Buyer");
    SetPhone(full.Phone[0], "555-0100", 1);
    SetPhone(full.Phone[1], "555-0101", 2);
    SetPhone(full.Phone[2], "555-0102", 5);
    SetPhone(full.Fax[0], "555-0103", 1);
    SetEmail(full.Email[0], "bo@acme.test", 0);
    SetText(full.Address[0].FullAddress.Text, "1 Main St");
    SetText(full.Address[0].City.Text, "Springfield");
    SetText(full.Address[0].State.Text, "IL");
    SetText(full.Address[0].ZipCode.Text, "62701");
    SetText(full.Address[0].Country.Text, "USA");
    SetText(full.UserDef[0].Text, "first user");
    SetText(full.UserDef[1].Text, "second user");
    Hold({there, again, marked, fresh, full});

    ASSERT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
    // Both cards equal to the address are marked; marked and new cards are not sent.
    EXPECT_EQ(cards_[0].Flags, 5);
    EXPECT_EQ(cards_[1].Flags, 5);
    Records book = Book();
    ASSERT_EQ(book.size(), 2u);
    EXPECT_EQ(Named(book, 0, "category"), "0");
    const std::map<std::string, std::string> expected = {
        {"category", "2"},
        {"name", Hex("Lee, Bo")},
        {"company", Hex(std::string(80, 'C'))},
        {"title", Hex("Buyer")},
        // Phones in card slot order: Work (label 0), Home (1), Mobile (7), Fax (2), Email (4).
        {"phone1", Hex("555-0100")},
        {"phone2", Hex("555-0101")},
        {"label2", "1"},
        {"phone3", Hex("555-0102")},
        {"label3", "7"},
        {"phone4", Hex("555-0103")},
        {"label4", "2"},
        {"phone5", Hex("bo@acme.test")},
        {"label5", "4"},
        {"address", Hex("1 Main St")},
        {"city", Hex("Springfield")},
        {"state", Hex("IL")},
        {"zip", Hex("62701")},
        {"country", Hex("USA")},
        {"custom1", Hex("first user")},
        {"custom2", Hex("second user")},
        {"custom3", Hex("2004/3/18")}};
    EXPECT_EQ(book[1], expected);
}

TEST_F(PalmDesktop, ImportBringsNewAddressesAndMarksTheCardsThere) {
    Seed({{"Ann Lee", "Acme", "Springfield", {{"555-0100", 0}, {"555-0101", 7}}, "not read back"},
          {"Ann Lee", "Acme", "Springfield", {{"555-0100", 0}, {"555-0101", 7}}, ""},
          {"Gone", "Deleted", "", {}, ""},
          {"Bo Kim", "Bolt", "", {}, ""}},
         2);
    Hold({Card("Bo Kim", "Bolt")});
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    EXPECT_EQ(cards_[0].Flags, 5);
    // Two equal addresses both come as new cards; the deleted one is gone from the book too.
    ASSERT_EQ(count_, 3);
    for (int i : {1, 2}) {
        const CardRecV4& card = cards_[i];
        EXPECT_EQ(card.Flags, 3);
        EXPECT_STREQ(card.CNAME.FullName.Text, "Ann Lee");
        EXPECT_STREQ(card.Company[0].Text, "Acme");
        EXPECT_STREQ(card.Address[0].City.Text, "Springfield");
        EXPECT_STREQ(card.Phone[0].PhoneNum.Text, "555-0100");
        EXPECT_EQ(card.Phone[0].PhoneType, 1);
        EXPECT_STREQ(card.Phone[1].PhoneNum.Text, "555-0101");
        EXPECT_EQ(card.Phone[1].PhoneType, 5);
        EXPECT_STREQ(card.Note[0].Text, "");
    }
    // Nothing was appended, so the book was not saved: the deleted address is still in the file.
    EXPECT_EQ(Book().size(), 4u);
}

TEST_F(PalmDesktop, FailuresGiveTheStepResult) {
    Seed({{"Ann Lee", "Acme", "", {}, ""}});
    struct Case {
        const char* what;
        const char* mode;
        const char* user;
        bool bookThere;
        int direction, result;
    } cases[] = {
        {"unknown user, export", "1", "7", true, FERROW_TO_PIM, FERROW_PALM_EXPORT_FAILED},
        {"unknown user, import", "1", "7", true, FERROW_FROM_PIM, FERROW_PALM_IMPORT_FAILED},
        {"user without a book", "1", "0", true, FERROW_TO_PIM, FERROW_PALM_EXPORT_FAILED},
        {"no address.dat, import", "1", "1", false, FERROW_FROM_PIM, FERROW_PALM_IMPORT_FAILED},
        {"failed import ends both ways", "1", "1", false, FERROW_FROM_THEN_TO, FERROW_PALM_IMPORT_FAILED},
        {"mode 2", "2", "1", true, FERROW_TO_PIM, FERROW_NOTHING_DONE},
    };
    std::string kept = book_ + ".kept";
    ASSERT_TRUE(MoveFileA(book_.c_str(), kept.c_str()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.bookThere) ASSERT_TRUE(CopyFileA(kept.c_str(), book_.c_str(), FALSE));
        else DeleteFileA(book_.c_str());
        Set("Preference", "PalmMode", c.mode);
        Set("Preference", "PalmUser", c.user);
        Hold({Card("Bo Kim", "Bolt")});
        EXPECT_EQ(Link(c.direction), c.result);
        EXPECT_EQ(count_, 1);
        EXPECT_EQ(cards_[0].Flags, 0);
        if (c.bookThere) EXPECT_EQ(ReadFile(book_), ReadFile(kept));
        else EXPECT_FALSE(Exists(book_));
    }
}

TEST_F(PalmDesktop, AppendMovesSetPhonesToTheFrontAndNotesAreWrittenOnly) {
    ferrow::CPalmData book;
    ASSERT_EQ(book.Open(102), 1);
    EXPECT_EQ(book.GetRecordCount(), 0);
    ferrow::PalmAddressBuffer buffer;
    memset(&buffer, 0, sizeof(buffer));
    strcpy(buffer.Name, "Lee");
    strcpy(buffer.Phone[1], "two");
    strcpy(buffer.Phone[3], "four");
    strcpy(buffer.Phone[4], "five");
    for (int16_t k = 0; k < 5; ++k) buffer.PhoneLabel[k] = static_cast<int16_t>(k + 1);
    strcpy(buffer.Note, "line 1\nline 2");
    ASSERT_EQ(book.AppendFromBuffer(&buffer), 1);
    EXPECT_EQ(book.IsModified(), 1);
    ASSERT_EQ(book.Save(), 1);
    EXPECT_EQ(book.IsModified(), 0);
    book.Close();
    EXPECT_EQ(book.GetRecordCount(), -1);
    Records stored = Book();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0], (std::map<std::string, std::string>{{"category", "2"},
                                                             {"name", Hex("Lee")},
                                                             {"phone1", Hex("two")},
                                                             {"label1", "2"},
                                                             {"phone2", Hex("four")},
                                                             {"label2", "4"},
                                                             {"phone3", Hex("five")},
                                                             {"label3", "5"},
                                                             {"note", Hex("line 1\nline 2")}}));

    // Read back: every field but the note, each cut to its room.
    Seed({{std::string(60, 'N'), std::string(90, 'C'), "", {}, "note"}});
    ASSERT_EQ(book.Open(102), 1);
    memset(&buffer, 0x7F, sizeof(buffer));
    ASSERT_EQ(book.FindFirst(&buffer), 1);
    EXPECT_STREQ(buffer.Phone[0], "two");
    EXPECT_EQ(buffer.PhoneLabel[0], 2);
    EXPECT_STREQ(buffer.Phone[3], "");
    memset(&buffer, 0, sizeof(buffer));
    ASSERT_EQ(book.FindNext(&buffer), 1);
    EXPECT_EQ(std::string(buffer.Name), std::string(50, 'N'));
    EXPECT_EQ(std::string(buffer.Company), std::string(80, 'C'));
    EXPECT_STREQ(buffer.Note, "");
    EXPECT_EQ(book.FindNext(&buffer), 0);
    EXPECT_EQ(book.Open(999), 0);
    EXPECT_EQ(book.IsOpen(), 0);
}

TEST_F(PalmDesktop, NotesGoOutWhenMappedAndCardFilesTakeEveryAddress) {
    ferrow::FieldMap map = {};
    map.id[ferrow::SlotName] = 1;
    map.id[ferrow::SlotNotes] = 22;
    CardRecV4 card = Card("Lee", "");
    SetText(card.Note[0].Text, "first");
    SetText(card.Note[2].Text, "third");
    ASSERT_EQ(ferrow::ExportCardsToPalmDesktop(nullptr, &card, 1, "", map, 1), 1);
    Records stored = Book();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(Named(stored, 0, "note"), Hex("first\n\nthird"));

    // Into a card file: every address is a new card, equal ones too, without a duplicate test.
    std::string cardFile = Path("cards.mdb");
    std::vector<CardRecV4> existing = {Card("Lee", "")};
    CreateV4(cardFile, existing);
    ASSERT_EQ(Link(FERROW_FROM_PIM, cardFile.c_str()), FERROW_OK);
    std::vector<CardRecV4> read = ReadV4(cardFile);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Flags + read[1].Flags, 3);
    // And out of one: its cards with Flags below 2 become addresses.
    ASSERT_EQ(Link(FERROW_TO_PIM, cardFile.c_str()), FERROW_OK);
    EXPECT_EQ(Book().size(), 2u);
}
