// Card records through _kvCardRecGet@12, _kvCardRecInsert@8 and _kvCardRecUpdate@8.
#include <cstdio>
#include <ctime>

#include <sqlite3.h>

#include "dao.h"
#include "kvdb_fixture.h"

namespace {

void SetText(char* field, size_t width, const std::string& text) {
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), std::min(text.size(), width - 1));
}

#define SET(card, field, text) SetText((card).field, sizeof(card).field, text)

void SetDate(CardRec& card, int y, int mo, int d, int h, int mi, int s) {
    const int32_t parts[6] = {y, mo, d, h, mi, s};
    std::memcpy(card.CDate, parts, sizeof parts);
}

}  // namespace

class CardRecTest : public KvdbTest {
protected:
    void SetUp() override {
        KvdbTest::SetUp();
        NewCardFile();
    }

    // Stores the card and reads it back as the only card.
    CardRec RoundTrip(const CardRec& card, int withLong = 1) {
        Store(card);
        EXPECT_EQ(kv_.TblRefresh(cards_), 1);
        CardRec back;
        std::memset(&back, 0x5A, sizeof back);
        back.SecondText.Data = back.CNote.Data = back.CImage.Data = nullptr;
        EXPECT_EQ(kv_.CardRecGet(cards_, &back, withLong), 1);
        return back;
    }
};

TEST_F(CardRecTest, EveryFieldSurvivesTheRoundTrip) {
    CardRec card = MakeCard("");
    card.ID = 777;  // never written: the table numbers cards itself
    card.LinkID = 70000;
    card.Flags = -2;
    SetDate(card, 2002, 11, 5, 9, 7, 3);
    // Each text field filled to its full width with a pattern of its own.
    static const size_t widths[35] = {51, 51, 51,  21, 61, 21, 81, 31, 51, 31, 31, 31, 31, 31, 256, 31, 31, 11,
                                      21, 51, 256, 31, 31, 11, 51, 51, 51, 51, 51, 51, 51, 51, 51,  51, 51};
    std::vector<std::pair<size_t, size_t>> spans;
    size_t offset = offsetof(CardRec, CName);
    for (int field = 0; field < 35; offset += widths[field++]) {
        char* p = reinterpret_cast<char*>(&card) + offset;
        for (size_t i = 0; i + 1 < widths[field]; ++i) p[i] = static_cast<char>('A' + (field + i) % 26);
        p[widths[field] - 1] = '\0';
        spans.push_back({offset, widths[field]});
    }
    ASSERT_EQ(offset + 1, offsetof(CardRec, Flags)) << "the 35 texts follow each other";

    const CardRec back = RoundTrip(card, 0);
    EXPECT_EQ(back.ID, 1);
    EXPECT_EQ(back.LinkID, 70000);
    EXPECT_EQ(back.Flags, -2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(back.CDate[i], card.CDate[i]) << "date part " << i;
    for (const auto& span : spans)
        EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&back) + span.first,
                              reinterpret_cast<const char*>(&card) + span.first, span.second),
                  0)
            << "text field at offset " << span.first;
}

TEST_F(CardRecTest, OutOfRangeDatesBecomeTheCurrentDate) {
    struct Case {
        int y, mo, d;
    } cases[] = {{0, 0, 0}, {2003, 13, 1}, {10000, 1, 1}, {2003, 2, 31}, {2003, 4, 0}};
    for (const Case& c : cases) {
        CardRec card = MakeCard("Dated");
        SetDate(card, c.y, c.mo, c.d, 10, 0, 0);
        const time_t now = time(nullptr);
        const CardRec back = RoundTrip(card, 0);
        const tm* local = localtime(&now);
        EXPECT_EQ(back.CDate[0], local->tm_year + 1900) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(back.CDate[1], local->tm_mon + 1) << c.y << "-" << c.mo << "-" << c.d;
        kv_.RecDelete(cards_);
    }
}

// What is written is read back: a date from the year 1 on (the write range), also through a
// Get and an Update of the card, which must not turn it into today.
TEST_F(CardRecTest, EarlyDatesReadBackAsWrittenAndSurviveAnUpdate) {
    struct Case {
        int y, mo, d, h, mi, s;
    } cases[] = {{1, 1, 1, 0, 0, 0}, {45, 6, 15, 12, 30, 5}, {99, 12, 31, 23, 59, 59}, {100, 1, 1, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        CardRec card = MakeCard("Dated");
        SetDate(card, c.y, c.mo, c.d, c.h, c.mi, c.s);
        CardRec back = RoundTrip(card, 0);
        const int32_t expected[6] = {c.y, c.mo, c.d, c.h, c.mi, c.s};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(back.CDate[i], expected[i]) << "date part " << i;
        SET(back, Title, "Updated");
        ASSERT_EQ(kv_.CardRecUpdate(cards_, &back), 1);
        CardRec again = MakeCard("");
        ASSERT_EQ(kv_.CardRecGet(cards_, &again, 0), 1);
        EXPECT_STREQ(again.Title, "Updated");
        for (int i = 0; i < 6; ++i) EXPECT_EQ(again.CDate[i], expected[i]) << "date part " << i << " after update";
        kv_.RecDelete(cards_);
    }
}

// An inserted image of no bytes is an empty value, not Null: it reads back as an image of
// size 0, with or without a data pointer.
TEST_F(CardRecTest, AnEmptyInsertedImageReadsBackAsAnImageOfNoBytes) {
    char nothing[] = "";
    for (char* data : {nothing, static_cast<char*>(nullptr)}) {
        CardRec card = MakeCard("No pixels");
        card.CImage = {2, 1, 0, 0, 0, data, {}, 1, 0};
        const CardRec back = RoundTrip(card);
        EXPECT_EQ(back.CImage.Kind, 2);
        EXPECT_EQ(back.CImage.Storage, 1);
        EXPECT_EQ(back.CImage.Size, 0);
        EXPECT_EQ(kv_.RecFindFirst(cards_, "CImage Is Null"), 0);
        kv_.RecDelete(cards_);
    }
}

TEST_F(CardRecTest, EmptyTextsStoreNoValueAndReadBackEmpty) {
    CardRec card = MakeCard("Has Name");
    SET(card, User4, "four");
    const CardRec back = RoundTrip(card);
    EXPECT_STREQ(back.User5, "");
    EXPECT_STREQ(back.User4, "four");
    EXPECT_STREQ(back.Company, "");
    EXPECT_EQ(kv_.RecFindFirst(cards_, "User5 Is Null"), 1) << "an empty field is stored as no value";
    EXPECT_EQ(kv_.RecFindFirst(cards_, "User4 Is Null"), 0);
}

TEST_F(CardRecTest, QuotesInNamesAndNotesAreKeptAndFindable) {
    CardRec card = MakeCard("Pat O'Brien", "\"Best\" Cards & Co.");
    std::string note = "Said: \"call me\" -- it's urgent; 50% off";
    card.CNote.Data = &note[0];
    card.CNote.Size = static_cast<int32_t>(note.size());
    card.CNote.Modified = 1;
    const CardRec back = RoundTrip(card);
    EXPECT_STREQ(back.CName, "Pat O'Brien");
    EXPECT_STREQ(back.Company, "\"Best\" Cards & Co.");
    ASSERT_NE(back.CNote.Data, nullptr);
    EXPECT_EQ(std::string(back.CNote.Data), note);
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CName = 'Pat O''Brien'"), 1);
    EXPECT_EQ(kv_.RecFindFirst(cards_, "Company like '*\"Best\"*'"), 1);
}

TEST_F(CardRecTest, GetWithoutLongColumnsLeavesDescriptorsEmptyAndRestoresNothing) {
    CardRec card = MakeCard("Long");
    std::string thumb = "C:\\thumbs\\0001.THM", note = "a note";
    card.SecondText = {1, 1, 0, static_cast<int32_t>(thumb.size()), 0, &thumb[0], {}, 1, 0};
    card.CNote = {1, 1, 0, static_cast<int32_t>(note.size()), 0, &note[0], {}, 1, 0};
    const char image[] = "C:\\images\\0001.tif";
    card.CImage = {2, 1, 0, static_cast<int32_t>(sizeof image), 0, const_cast<char*>(image), {}, 1, 0};

    CardRec bare = RoundTrip(card, 0);
    for (const CardRecBlob* blob : {&bare.SecondText, &bare.CNote, &bare.CImage}) {
        EXPECT_EQ(blob->Kind, 0);
        EXPECT_EQ(blob->Storage, 0);
        EXPECT_EQ(blob->Size, 0);
        EXPECT_EQ(blob->Modified, 0);
    }
    EXPECT_EQ(bare.CImage.Data, nullptr);
    SET(bare, Title, "Changed");
    ASSERT_EQ(kv_.CardRecUpdate(cards_, &bare), 1);

    CardRec full = MakeCard("");
    ASSERT_EQ(kv_.CardRecGet(cards_, &full, 1), 1);
    EXPECT_STREQ(full.Title, "Changed");
    EXPECT_EQ(full.SecondText.Kind, 1);
    EXPECT_EQ(full.SecondText.Storage, 1);
    EXPECT_EQ(std::string(full.SecondText.Data), thumb);
    EXPECT_EQ(full.SecondText.Size, static_cast<int32_t>(thumb.size()));
    EXPECT_EQ(std::string(full.CNote.Data), note);
    EXPECT_EQ(full.CImage.Kind, 2);
    EXPECT_EQ(full.CImage.Storage, 1);
    ASSERT_EQ(full.CImage.Size, static_cast<int32_t>(sizeof image));
    EXPECT_EQ(std::memcmp(full.CImage.Data, image, sizeof image), 0);
    EXPECT_EQ(full.CImage.Modified, 0);
}

TEST_F(CardRecTest, ModifiedDescriptorsWithoutDataOrSize) {
    // Insert: 40 bytes without data store 40 zero bytes; a note of size 0 is still written.
    CardRec card = MakeCard("Blank image");
    char empty[] = "";
    card.CImage.Modified = 1;
    card.CImage.Size = 40;
    card.CNote.Modified = 1;
    card.CNote.Data = empty;
    card.CNote.Size = 0;
    CardRec back = RoundTrip(card);
    EXPECT_EQ(back.CImage.Kind, 2);
    ASSERT_EQ(back.CImage.Size, 40);
    EXPECT_EQ(std::string(back.CImage.Data, 40), std::string(40, '\0'));
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CNote Is Null"), 0) << "insert writes the empty text";

    // Update with the same: both become Null.
    char note[] = "not empty";
    card.CNote.Data = note;
    ASSERT_EQ(kv_.CardRecUpdate(cards_, &card), 1);
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CNote Is Null"), 1);
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CImage Is Null"), 1);
    ASSERT_EQ(kv_.CardRecGet(cards_, &back, 1), 1);
    EXPECT_EQ(back.CImage.Kind, 0);
    EXPECT_EQ(back.CImage.Data, nullptr);
    EXPECT_STREQ(back.CNote.Data, "");
}

TEST_F(CardRecTest, UpdateKeepsTheStoredLinkID) {
    CardRec card = MakeCard("Linked");
    card.LinkID = 42;
    CardRec back = RoundTrip(card);
    back.LinkID = 99;
    SET(back, City, "Springfield");
    ASSERT_EQ(kv_.CardRecUpdate(cards_, &back), 1);
    CardRec again = MakeCard("");
    ASSERT_EQ(kv_.CardRecGet(cards_, &again, 0), 1);
    EXPECT_EQ(again.LinkID, 42);
    EXPECT_STREQ(again.City, "Springfield");
}

// A record numbered past 65,535 (seeded through the DAO layer instead of 70,000 inserts)
// keeps its full number on the way out, and the numbering goes on after it.
TEST_F(CardRecTest, LargeIdsReadBackWhole) {
    kv_.TblFree(cards_);
    cards_ = nullptr;
    kv_.CloseDatabase(db_);
    db_ = nullptr;
    {
        CDaoDatabase dao;
        dao.Open(PathOf("cards.mdb").c_str(), true);
        CDaoRecordset rs(&dao);
        rs.Open(dbOpenTable, KVDB_CARD_TABLE);
        rs.AddNew();
        rs.SetFieldValue("ID", CDaoValue::FromLong(70000));
        rs.SetFieldValue("CNAME", "Seventy");
        rs.Update();
    }
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, PathOf("cards.mdb").c_str(), &db_), 1);
    cards_ = OpenCards(db_);
    Store(MakeCard("Next"));
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);

    CardRec card = MakeCard("");
    ASSERT_EQ(kv_.RecFirst(cards_), 1);
    ASSERT_EQ(kv_.CardRecGet(cards_, &card, 0), 1);
    EXPECT_STREQ(card.CName, "Next");
    EXPECT_EQ(card.ID, 70001);
    ASSERT_EQ(kv_.RecNext(cards_), 1);
    ASSERT_EQ(kv_.CardRecGet(cards_, &card, 1), 1);
    EXPECT_STREQ(card.CName, "Seventy");
    EXPECT_EQ(card.ID, 70000);
}

// A card file whose numbering has run past a Long (a damaged counter) takes no new card: one
// numbered 2,147,483,648 would read back as a negative number, one numbered 4,294,967,297 as
// 1, the number of the card already there. The insert is refused with its report instead.
TEST_F(CardRecTest, ACardWhoseNumberNoLongerFitsIsRefused) {
    for (const long long counter : {2147483647LL, 4294967296LL}) {
        SCOPED_TRACE(counter);
        ReportsBeforeTest() = ReportWatch().Texts().size();
        Store(MakeCard("First"));
        kv_.TblFree(cards_);
        cards_ = nullptr;
        kv_.CloseDatabase(db_);
        db_ = nullptr;
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(PathOf("cards.mdb").c_str(), &raw), SQLITE_OK);
        const std::string sql =
            "UPDATE sqlite_sequence SET seq=" + std::to_string(counter) + " WHERE name='" + KVDB_CARD_TABLE + "'";
        EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        EXPECT_EQ(sqlite3_changes(raw), 1);
        sqlite3_close(raw);

        ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, PathOf("cards.mdb").c_str(), &db_), 1);
        cards_ = OpenCards(db_);
        ASSERT_EQ(kv_.StartTransation(db_), 1);
        CardRec next = MakeCard("Next");
        EXPECT_EQ(kv_.CardRecInsert(cards_, &next), 0);
        kv_.Rollback(db_);
        const std::vector<std::string> reports = DaoReports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].rfind("DAO error 3349,", 0), 0u) << reports[0];
        ASSERT_EQ(kv_.TblRefresh(cards_), 1);
        EXPECT_EQ(Names(cards_), std::vector<std::string>{"First"});
        ASSERT_EQ(kv_.RecFindFirst(cards_, "ID = 1"), 1);
        EXPECT_EQ(CurrentName(cards_), "First");

        kv_.TblFree(cards_);
        cards_ = nullptr;
        kv_.CloseDatabase(db_);
        db_ = nullptr;
        ASSERT_TRUE(DeleteFileA(PathOf("cards.mdb").c_str()));
        NewCardFile();
    }
}

// A note is handed out whole, however long: one cut to the text place would be written back
// cut by the Update of a caller that stores the note it was given.
TEST_F(CardRecTest, NotesComeBackWholeAndAGetThenUpdateKeepsThem) {
    for (size_t length : {size_t(32767), size_t(40000), size_t(100000)}) {
        std::string note(length, 'n');
        note[32766] = 'X';
        note[length - 1] = 'Z';
        CardRec card = MakeCard("Chatty");
        card.CNote.Data = &note[0];
        card.CNote.Size = static_cast<int32_t>(note.size());
        card.CNote.Modified = 1;
        CardRec back = RoundTrip(card);
        ASSERT_NE(back.CNote.Data, nullptr) << length;
        EXPECT_EQ(back.CNote.Size, static_cast<int32_t>(length)) << length;
        EXPECT_TRUE(std::string(back.CNote.Data) == note) << length;

        SET(back, Title, "Edited");
        back.CNote.Modified = 1;
        ASSERT_EQ(kv_.CardRecUpdate(cards_, &back), 1);
        CardRec again = MakeCard("");
        ASSERT_EQ(kv_.CardRecGet(cards_, &again, 1), 1);
        EXPECT_STREQ(again.Title, "Edited");
        EXPECT_TRUE(std::string(again.CNote.Data) == note) << length << " after the update";
        kv_.RecDelete(cards_);
    }
}

TEST_F(CardRecTest, ImagesUpToTheBufferStayInMemoryLargerOnesGoToATemporaryFile) {
    const size_t limit = 10485760;
    std::string image(limit + 1, '\0');
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7 + i / 4096);

    CardRec card = MakeCard("Exact");
    card.CImage = {2, 1, 0, static_cast<int32_t>(limit), 0, &image[0], {}, 1, 0};
    CardRec back = RoundTrip(card);
    EXPECT_EQ(back.CImage.Storage, 1);
    ASSERT_EQ(back.CImage.Size, static_cast<int32_t>(limit));
    EXPECT_EQ(std::memcmp(back.CImage.Data, image.data(), limit), 0);

    card.CImage.Size = static_cast<int32_t>(limit + 1);
    ASSERT_EQ(kv_.CardRecUpdate(cards_, &card), 1);
    CardRec big = MakeCard("");
    ASSERT_EQ(kv_.CardRecGet(cards_, &big, 1), 1);
    EXPECT_EQ(big.CImage.Kind, 2);
    EXPECT_EQ(big.CImage.Storage, 2);
    EXPECT_EQ(big.CImage.Size, static_cast<int32_t>(limit + 1));
    EXPECT_EQ(big.CImage.Data, nullptr);
    const std::string file = big.CImage.FileName;
    const std::string temp = TempFolderPath("");
    EXPECT_EQ(file.rfind(temp + "PT_", 0), 0u) << file;
    EXPECT_EQ(file.size(), temp.size() + 11) << file;  // PT_ + 4 hex digits + .ndf
    EXPECT_EQ(file.substr(file.size() - 4), ".ndf");
    EXPECT_TRUE(ReadWholeFile(file) == image) << "the file holds the value";
    DeleteFileA(file.c_str());
}

TEST_F(CardRecTest, NoCurrentRecordLeavesTheRecordAsItWas) {
    CardRec card = MakeCard("Untouched", "Same");
    const CardRec before = card;
    EXPECT_EQ(kv_.CardRecGet(cards_, &card, 1), 0) << "empty table";
    EXPECT_EQ(kv_.CardRecUpdate(cards_, &card), 0) << "nothing to update";
    EXPECT_EQ(std::memcmp(&card, &before, sizeof card), 0);
    EXPECT_EQ(kv_.CardRecGet(cards_, nullptr, 1), 0);
    EXPECT_EQ(kv_.CardRecInsert(cards_, nullptr), 0);
    kv_.TblClose(cards_);
    EXPECT_EQ(kv_.CardRecInsert(cards_, &card), 0) << "closed dataset";
    EXPECT_EQ(DaoReports().size(), 1u) << "only the update without a record is a database error";
}
