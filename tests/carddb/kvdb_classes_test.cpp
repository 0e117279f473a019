// The engine classes as the PIM link library and the conduit use them: CkvDBEngine, the V4
// layout and record transfer, table layouts and the statement parts of a dataset.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "kvdb_dao_database.h"
#include "kvdb_dao_dataset.h"
#include "kvdb_store.h"
#include "kvdb_engine.h"
#include "dialog_watch.h"
#include "scratch_folder.h"
#include "kvdb_tempfile.h"
#include "sqlite_fault_vfs.h"

namespace {

// The DAO error reports that the engine showed in message boxes (answered with OK) since the
// current test began.
DialogWatch& ReportWatch() {
    static DialogWatch watch(IDOK);
    return watch;
}
size_t g_reportsBefore = 0;
std::vector<std::string> Reports() {
    const std::vector<std::string> texts = ReportWatch().Texts();
    return std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(g_reportsBefore), texts.end());
}

void SetText(char* field, size_t width, const char* text) {
    std::memset(field, 0, width);
    std::strncpy(field, text, width - 1);
}

#define SET(field, text) SetText(field, sizeof field, text)

}  // namespace

class ClassesTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_reportsBefore = ReportWatch().Texts().size();
        path_ = TempFolderPath("kvdbclasses_" + std::to_string(GetCurrentProcessId()) + ".mdb");
        DeleteFileA(path_.c_str());
        ASSERT_EQ(engine_.CreateDatabase(KV_DB_JET, path_.c_str(), ";LANGID=0x0804;CP=936;COUNTRY=0", &db_), 1);
    }

    void TearDown() override {
        if (ds_) engine_.TblFree(ds_);
        engine_.CloseDatabase(db_);
        DeleteFileA(path_.c_str());
    }

    void OpenV4() {
        ASSERT_EQ(engine_.TblCreate(db_, "NM", KV_LAYOUT_V4), 1);
        ASSERT_EQ(engine_.TblNew(db_, "NM", &ds_), 1);
        ASSERT_EQ(engine_.TblOpen(ds_), 1);
    }

    // Opens a V4 table and stores one record that holds only what `fill` sets in it.
    template <class Fill>
    void InsertOneV4(Fill&& fill) {
        OpenV4();
        static CardRecV4 card;
        std::memset(&card, 0, sizeof card);
        fill(card);
        ASSERT_EQ(engine_.CardRecInsertV4(ds_, &card), 1);
        ASSERT_EQ(engine_.TblRefresh(ds_), 1);
    }

    CkvDBEngine engine_;
    CkvDatabase* db_ = nullptr;
    CkvDataset* ds_ = nullptr;
    std::string path_;
};

TEST_F(ClassesTest, FlatLayoutHas42ColumnsAndTwoIndexes) {
    ASSERT_EQ(engine_.TblCreate(db_, "NM", KV_LAYOUT_FLAT), 1);
    CDaoTableDef table(static_cast<CkvDaoStore*>(db_)->Dao());
    table.Open("NM");
    EXPECT_EQ(table.GetFieldCount(), 42);
    CDaoFieldInfo first, title, last;
    table.GetFieldInfo(0, first);
    table.GetFieldInfo(9, title);
    table.GetFieldInfo(41, last);
    EXPECT_EQ(first.m_strName, "ID");
    EXPECT_TRUE(first.m_lAttributes & dbAutoIncrField);
    EXPECT_EQ(title.m_strName, "TITLE");
    EXPECT_EQ(title.m_lSize, 80);
    EXPECT_EQ(last.m_strName, "CIMAGE");
    EXPECT_EQ(last.m_nType, dbLongBinary);
    ASSERT_EQ(table.GetIndexCount(), 2);
    CDaoIndexInfo primary, link;
    table.GetIndexInfo(0, primary);
    table.GetIndexInfo(1, link);
    EXPECT_EQ(primary.m_strName, "PrimaryKey");
    EXPECT_TRUE(primary.m_bPrimary && primary.m_bUnique);
    EXPECT_EQ(link.m_strName, "LinkID");
    EXPECT_FALSE(link.m_bPrimary || link.m_bUnique);
}

TEST_F(ClassesTest, UnknownLayoutCreatesNothing) {
    EXPECT_EQ(engine_.TblCreate(db_, "T2", 2), 1);
    EXPECT_EQ(engine_.TblIsExist(db_, "T2"), 0);
    EXPECT_EQ(engine_.TblCreate(db_, "T3", 0x10001), 1) << "only the low 16 bits count";
    EXPECT_EQ(engine_.TblIsExist(db_, "T3"), 1);
}

TEST_F(ClassesTest, EngineTransactionsTellAnOpenLevelApart) {
    EXPECT_EQ(engine_.Commit(db_), 2);
    EXPECT_EQ(engine_.StartTransation(db_), 1);
    EXPECT_EQ(engine_.StartTransation(db_), 2);
    EXPECT_EQ(engine_.Rollback(db_), 1);
    EXPECT_EQ(engine_.Rollback(db_), 2);
    EXPECT_EQ(engine_.RecNum(nullptr), -1);
    EXPECT_EQ(engine_.TblNRecs(nullptr), -1);
    EXPECT_EQ(engine_.RecIsEOF(nullptr), 1);
}

TEST_F(ClassesTest, EngineOpenFailureIsShownAndLeavesNoHandle) {
    CkvDatabase* other = reinterpret_cast<CkvDatabase*>(1);
    EXPECT_EQ(engine_.OpenDatabase(KV_DB_JET, path_.c_str(), &other), 0) << "held exclusively by the fixture";
    EXPECT_EQ(other, nullptr);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].rfind("DAO error ", 0), 0u);
}

TEST_F(ClassesTest, V4RecordRoundTripWithRectanglesKeptByUpdate) {
    OpenV4();
    static CardRecV4 card;
    std::memset(&card, 0, sizeof card);
    card.LinkID = 123456;
    SET(card.CNAME.FullName.Text, "Jane Q. Public");
    SET(card.CNAME.FullName.FieldName, "Name");
    SET(card.ENAME.LastName.Text, "Public");
    SET(card.Phone[2].PhoneNum.Text, "+1 555 0100");
    card.Phone[2].PhoneType = 4;
    SET(card.Phone[2].Ext, "1234567");  // longer than its 5-character column
    SET(card.Address[3].City.Text, "Springfield");
    card.Address[3].LangID = 9;
    SET(card.Email[1].EmailName.Text, "jane@example.com");
    card.Email[1].EmailType = 2;
    SET(card.Note[7].Text, "last note line");
    SET(card.TaxID.Text, "TX-1");
    card.Category[15] = 15;
    card.Gender = 1;
    card.Flags = CARDRECV4_FLAG_NEW;
    card.CNAME.FullName.FieldRect[0] = 11;
    card.Note[7].FieldRect[1] = 77;
    char front[] = "front image bytes";
    card.FrontImage.Data = front;
    card.FrontImage.Size = sizeof front;
    card.FrontImage.Modified = 1;
    SET(card.FrontImage.FileName, "C:\\img\\front.tif");

    ASSERT_EQ(engine_.CardRecInsertV4(ds_, &card), 1) << (Reports().empty() ? "" : Reports().back());
    EXPECT_EQ(card.FrontImage.Modified, 0) << "the caller's flag is cleared";
    ASSERT_EQ(engine_.TblRefresh(ds_), 1);

    static CardRecV4 back;
    std::memset(&back, 0, sizeof back);
    ASSERT_EQ(engine_.CardRecGetV4(ds_, &back, 1), 1);
    EXPECT_EQ(back.LinkID, 123456);
    EXPECT_STREQ(back.CNAME.FullName.Text, "Jane Q. Public");
    EXPECT_STREQ(back.CNAME.FullName.FieldName, "Name");
    EXPECT_STREQ(back.ENAME.LastName.Text, "Public");
    EXPECT_STREQ(back.Phone[2].PhoneNum.Text, "+1 555 0100");
    EXPECT_EQ(back.Phone[2].PhoneType, 4);
    EXPECT_STREQ(back.Phone[2].Ext, "12345");
    EXPECT_STREQ(back.Address[3].City.Text, "Springfield");
    EXPECT_EQ(back.Address[3].LangID, 9);
    EXPECT_STREQ(back.Email[1].EmailName.Text, "jane@example.com");
    EXPECT_EQ(back.Email[1].EmailType, 2);
    EXPECT_STREQ(back.Note[7].Text, "last note line");
    EXPECT_STREQ(back.TaxID.Text, "TX-1");
    EXPECT_EQ(back.Category[15], 15);
    EXPECT_EQ(back.Gender, 1);
    EXPECT_EQ(back.Flags, CARDRECV4_FLAG_NEW);
    EXPECT_EQ(back.CNAME.FullName.FieldRect[0], 11);
    EXPECT_EQ(back.Note[7].FieldRect[1], 77);
    EXPECT_STREQ(back.FrontImage.FileName, "C:\\img\\front.tif");
    ASSERT_EQ(back.FrontImage.Size, static_cast<int32_t>(sizeof front));
    EXPECT_EQ(std::memcmp(back.FrontImage.Data, front, sizeof front), 0);
    EXPECT_EQ(back.BackImage.Kind, 0);
    EXPECT_EQ(back.BirthDay[0], back.CDate[0]) << "a cleared birthday is stored as the current date";

    back.CNAME.FullName.FieldRect[0] = 999;
    SET(back.CNAME.FullName.Text, "Jane Changed");
    back.LinkID = 1;
    ASSERT_EQ(engine_.CardRecUpdateV4(ds_, &back), 1);
    static CardRecV4 again;
    std::memset(&again, 0, sizeof again);
    ASSERT_EQ(engine_.CardRecGetV4(ds_, &again, 0), 1);
    EXPECT_STREQ(again.CNAME.FullName.Text, "Jane Changed");
    EXPECT_EQ(again.CNAME.FullName.FieldRect[0], 11) << "update keeps the stored rectangles";
    EXPECT_EQ(again.LinkID, 123456);
    EXPECT_EQ(again.FrontImage.Data, nullptr) << "without images nothing is read";
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ClassesTest, EmptyV4RecordStoresNoText) {
    InsertOneV4([](CardRecV4&) {});
    EXPECT_EQ(engine_.RecFindFirst(ds_, "CNAME_FullName_Data Is Null And TaxID_FieldInfo_FieldName Is Null"), 1);
    static CardRecV4 back;
    std::memset(&back, 'x', sizeof back);
    ASSERT_EQ(engine_.CardRecGetV4(ds_, &back, 0), 1);
    EXPECT_STREQ(back.CNAME.FullName.Text, "");
    EXPECT_STREQ(back.Address[0].FullAddress.FieldName, "");
    EXPECT_STREQ(back.TaxID.Text, "");
}

// Every slot of every repeated group goes to a column of its own and comes back from it.
TEST_F(ClassesTest, V4RecordKeepsEverySlotOfEveryGroup) {
    OpenV4();
    static CardRecV4 card;
    std::memset(&card, 0, sizeof card);
    auto text = [](const char* stem, int n) { return std::string(stem) + std::to_string(n); };
    const int birthday[6] = {1971, 4, 30, 23, 59, 58};
    std::memcpy(card.BirthDay, birthday, sizeof birthday);
    for (int i = 0; i < 6; ++i) {
        SET(card.Phone[i].PhoneNum.Text, text("phone", i).c_str());
        SET(card.Phone[i].AreaCode, text("a", i).c_str());
        card.Phone[i].PhoneType = static_cast<int16_t>(10 + i);
    }
    for (int k = 0; k < 4; ++k) {
        SET(card.Company[k].Text, text("company", k).c_str());
        SET(card.Title[k].FieldName, text("title label", k).c_str());
        SET(card.Department[k].Text, text("department", k).c_str());
        SET(card.Address[k].POBOX.Text, text("box", k).c_str());
        SET(card.Address[k].FullAddress.FieldName, text("address label", k).c_str());
        SET(card.Fax[k].CountryCode, text("c", k).c_str());
        SET(card.Email[k].EmailName.Text, text("mail", k).c_str());
        SET(card.WebSite[k].Text, text("site", k).c_str());
        SET(card.UserDef[k].Text, text("user", k).c_str());
    }
    for (int i = 0; i < 8; ++i) SET(card.Note[i].Text, text("note", i).c_str());
    for (int i = 0; i < 16; ++i) card.Category[i] = static_cast<int16_t>(100 + i);
    SET(card.ENAME.SuffixName.Text, "Jr.");
    SET(card.CNAME.PrefixName.FieldName, "prefix label");
    ASSERT_EQ(engine_.CardRecInsertV4(ds_, &card), 1) << (Reports().empty() ? "" : Reports().back());
    ASSERT_EQ(engine_.TblRefresh(ds_), 1);

    static CardRecV4 back;
    std::memset(&back, 0, sizeof back);
    ASSERT_EQ(engine_.CardRecGetV4(ds_, &back, 0), 1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(back.BirthDay[i], birthday[i]) << "birthday part " << i;
        EXPECT_EQ(back.Phone[i].PhoneNum.Text, text("phone", i)) << i;
        EXPECT_EQ(back.Phone[i].AreaCode, text("a", i)) << i;
        EXPECT_EQ(back.Phone[i].PhoneType, 10 + i) << i;
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(back.Company[k].Text, text("company", k)) << k;
        EXPECT_EQ(back.Title[k].FieldName, text("title label", k)) << k;
        EXPECT_EQ(back.Department[k].Text, text("department", k)) << k;
        EXPECT_EQ(back.Address[k].POBOX.Text, text("box", k)) << k;
        EXPECT_EQ(back.Address[k].FullAddress.FieldName, text("address label", k)) << k;
        EXPECT_EQ(back.Fax[k].CountryCode, text("c", k)) << k;
        EXPECT_EQ(back.Email[k].EmailName.Text, text("mail", k)) << k;
        EXPECT_EQ(back.WebSite[k].Text, text("site", k)) << k;
        EXPECT_EQ(back.UserDef[k].Text, text("user", k)) << k;
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(back.Note[i].Text, text("note", i)) << i;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(back.Category[i], 100 + i) << i;
    EXPECT_STREQ(back.ENAME.SuffixName.Text, "Jr.");
    EXPECT_STREQ(back.CNAME.PrefixName.FieldName, "prefix label");
    EXPECT_TRUE(Reports().empty());
}

// Dates as other writers leave them in the table: read to the nearest second, carried across
// midnight either side of 1899-12-30, and -1 in all six parts outside the years 1 to 9999.
TEST_F(ClassesTest, StoredDatesReadToTheNearestSecond) {
    InsertOneV4([](CardRecV4&) {});
    const struct Case {
        double stored;
        int parts[6];
    } cases[] = {
        {37565.5 + 0.4 / 86400, {2002, 11, 5, 12, 0, 0}},
        {37565.0 + 86399.6 / 86400, {2002, 11, 6, 0, 0, 0}},
        {-1.0 - 86399.7 / 86400, {1899, 12, 30, 0, 0, 0}},  // 1899-12-29 23:59:59.7
        {-1.25, {1899, 12, 29, 6, 0, 0}},
        {2958465.0 + 86399.6 / 86400, {-1, -1, -1, -1, -1, -1}},  // would round into the year 10000
        {-657435.0, {99, 12, 31, 0, 0, 0}},                       // a year before 100 reads back as it was written
        {-693593.0, {1, 1, 1, 0, 0, 0}},
        {-693594.0, {-1, -1, -1, -1, -1, -1}},  // the last day of the year 0
    };
    CDaoDatabase* dao = static_cast<CkvDaoDatabase*>(db_)->Dao();
    for (const Case& c : cases) {
        CDaoRecordset rs(dao);
        rs.Open(dbOpenDynaset, "SELECT * FROM NM");
        rs.Edit();
        rs.SetFieldValue("CDATE", CDaoValue::FromDate(c.stored));
        rs.Update();
        rs.Close();
        ASSERT_EQ(engine_.TblRefresh(ds_), 1);
        static CardRecV4 back;
        ASSERT_EQ(engine_.CardRecGetV4(ds_, &back, 0), 1);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(back.CDate[i], c.parts[i]) << c.stored << " part " << i;
    }
}

// A year from 1 to 99 is a calendar date: it is stored as given, not replaced by the current
// date, and read back as it was stored.
TEST_F(ClassesTest, EarlyYearsAreStoredAndReadAsGiven) {
    const int early[6] = {50, 6, 15, 8, 30, 0};
    InsertOneV4([&](CardRecV4& card) { std::memcpy(card.CDate, early, sizeof early); });
    CDaoRecordset rs(static_cast<CkvDaoDatabase*>(db_)->Dao());
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    ASSERT_EQ(rs.GetFieldValue("CDATE").GetKind(), CDaoValue::Date);
    EXPECT_DOUBLE_EQ(rs.GetFieldValue("CDATE").AsDate(), -675531.0 - (8 * 3600 + 30 * 60) / 86400.0);
    rs.Close();
    static CardRecV4 back;
    ASSERT_EQ(engine_.CardRecGetV4(ds_, &back, 0), 1);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(back.CDate[i], early[i]) << i;
}

// A card table that lacks columns of its layout (a damaged card file, an exchange file of
// another version) shows its DAO error once per open, not once per card: the cards are stored
// and read without the missing columns.
TEST_F(ClassesTest, AMissingColumnIsReportedOnceAndTheCardsStillTravel) {
    for (const char* layout : {"flat", "V4"}) {
        SCOPED_TRACE(layout);
        const bool v4 = layout == std::string("V4");
        const char* name = v4 ? "CNAME_FullName_Data" : "CName";
        const std::string table = v4 ? "NMV4" : "NM";
        {
            CDaoTableDef def(static_cast<CkvDaoStore*>(db_)->Dao());
            def.Create(table.c_str());
            def.CreateField("ID", dbLong, 4, dbAutoIncrField);
            def.CreateField(name, dbText, 50);
            def.CreateField("Flags", dbInteger, 2);
            def.Append();
        }
        g_reportsBefore = ReportWatch().Texts().size();
        CkvDataset* ds = nullptr;
        ASSERT_EQ(engine_.TblNew(db_, table.c_str(), &ds), 1);
        engine_.KeyAdd(ds, name);
        ASSERT_EQ(engine_.TblOpen(ds), 1);
        for (const char* card : {"Cy", "Ann", "Bo"}) {
            static CardRec flat;
            static CardRecV4 wide;
            std::memset(&flat, 0, sizeof flat);
            std::memset(&wide, 0, sizeof wide);
            SET(flat.CName, card);
            SET(flat.Company, "Lost");
            flat.Flags = 3;
            SET(wide.CNAME.FullName.Text, card);
            SET(wide.Company[0].Text, "Lost");
            wide.Flags = 3;
            engine_.StartTransation(db_);
            EXPECT_NE(v4 ? engine_.CardRecInsertV4(ds, &wide) : engine_.CardRecInsert(ds, &flat), 0) << card;
            engine_.Commit(db_);
        }
        std::vector<std::string> names;
        ASSERT_EQ(engine_.RecFirst(ds), 1);
        for (int i = 0; i < 3; ++i, engine_.RecNext(ds)) {
            static CardRec flat;
            static CardRecV4 wide;
            ASSERT_EQ(v4 ? engine_.CardRecGetV4(ds, &wide, 1) : engine_.CardRecGet(ds, &flat, 1), 1) << i;
            names.push_back(v4 ? wide.CNAME.FullName.Text : flat.CName);
            EXPECT_EQ(v4 ? wide.Flags : flat.Flags, 3);
            EXPECT_STREQ(v4 ? wide.Company[0].Text : flat.Company, "");
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Bo", "Cy"}));
        const std::vector<std::string> reports = Reports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].rfind("DAO error 3265,", 0), 0u) << reports[0];
        engine_.TblFree(ds);
    }
}

TEST_F(ClassesTest, StatementPartsOfADataset) {
    ASSERT_EQ(engine_.TblCreate(db_, "NM", KV_LAYOUT_FLAT), 1);
    ASSERT_EQ(engine_.TblNew(db_, "NM", &ds_), 1);
    EXPECT_EQ(ds_->BuildSelect(), "SELECT * FROM NM");
    engine_.KeyAdd(ds_, "CName");
    engine_.SetSortOrder(ds_, 1);
    EXPECT_EQ(ds_->BuildSelect(), "SELECT * FROM NM ORDER BY CNAME DESC");
    engine_.SetFilter(ds_, "Company = 'A'");
    engine_.KeyAdd(ds_, "Company");
    engine_.SetSortOrder(ds_, 0);
    EXPECT_EQ(ds_->BuildSelect(), "SELECT * FROM NM WHERE Company = 'A' ORDER BY CNAME,COMPANY");

    struct Case {
        const char* keys[2];
        const char* drop;
        const char* left;
    } cases[] = {
        {{"CName", "Company"}, "company", "CNAME"},
        {{"CName", "Company"}, "CNAME", "COMPANY"},
        {{"CName", nullptr}, "cname", ""},
        {{"CName", "Company"}, "NAME", ",COMPANY"},  // a substring match, as documented
        {{"CName", "Company"}, "Zip", "CNAME,COMPANY"},
    };
    for (const Case& c : cases) {
        engine_.KeyClear(ds_);
        for (const char* key : c.keys)
            if (key) engine_.KeyAdd(ds_, key);
        engine_.KeyDrop(ds_, c.drop);
        EXPECT_EQ(ds_->Keys(), c.left) << "drop " << c.drop;
    }
}

TEST(TempFileName, NamesAFreeFileInTheFolder) {
    const std::string folder = TempFolderPath("kvdbtempnames");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> made;
    for (int i = 0; i < 20; ++i) {
        const std::string name = MakeTempFileName(".ndf", folder.c_str());
        ASSERT_EQ(name.rfind(folder + "\\PT_", 0), 0u) << name;
        ASSERT_EQ(name.size(), folder.size() + 12) << name;
        EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF", folder.size() + 4), folder.size() + 8) << name;
        EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
        // Created at once, as a caller does: the next call in the same second must skip it.
        CloseHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        made.push_back(name);
    }
    for (const std::string& name : made) DeleteFileA(name.c_str());
    RemoveDirectoryA(folder.c_str());
}

// A card file whose writes can be made to fail, opened through the engine as the link library
// opens one.
class FailingWrites : public ClassesTest {
protected:
    void OpenFlat() {
        ASSERT_EQ(engine_.TblCreate(db_, "NM", KV_LAYOUT_FLAT), 1);
        ASSERT_EQ(engine_.TblNew(db_, "NM", &ds_), 1);
        ASSERT_EQ(engine_.TblOpen(ds_), 1);
    }
    int Insert(const char* name) {
        CardRec card;
        std::memset(&card, 0, sizeof card);
        SET(card.CName, name);
        return engine_.CardRecInsert(ds_, &card);
    }
    int Count() {
        EXPECT_EQ(engine_.TblRefresh(ds_), 1);
        return engine_.TblNRecs(ds_);
    }
    FaultyWrites faults_;  // made before the fixture creates the file
};

TEST_F(FailingWrites, AFailedWriteEndsTheTransactionAndTheFlagFollows) {
    OpenFlat();
    ASSERT_EQ(engine_.StartTransation(db_), 1);
    faults_.Fail(SQLITE_IOERR_WRITE);
    EXPECT_EQ(Insert("Lost"), 0);
    faults_.Heal();
    EXPECT_EQ(Reports().size(), 1u);
    // The file rolled the transaction back: there is none left to end, and the next one is a
    // real transaction whose rollback takes its card away again.
    EXPECT_EQ(engine_.Rollback(db_), 2);
    EXPECT_EQ(engine_.StartTransation(db_), 1);
    EXPECT_EQ(Insert("Rolled back"), 1);
    EXPECT_EQ(engine_.Rollback(db_), 1);
    EXPECT_EQ(engine_.TblNRecs(ds_), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Reports().size(), 1u) << Reports().back();
}

TEST_F(FailingWrites, ACommitOntoAFullDiskIsReportedAndStoresNothing) {
    OpenFlat();
    ASSERT_EQ(engine_.StartTransation(db_), 1);
    ASSERT_EQ(Insert("Full"), 1);
    faults_.Fail(SQLITE_FULL);
    EXPECT_EQ(engine_.Commit(db_), 0);
    faults_.Heal();
    ASSERT_EQ(Reports().size(), 1u);
    // Whatever the file did with the transaction, ending it now succeeds without a report, and
    // the card is not stored.
    const int ended = engine_.Rollback(db_);
    EXPECT_TRUE(ended == 1 || ended == 2) << ended;
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(engine_.StartTransation(db_), 1);
    EXPECT_EQ(Insert("Stored"), 1);
    EXPECT_EQ(engine_.Commit(db_), 1);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Reports().size(), 1u) << Reports().back();
}
