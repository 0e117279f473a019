// Table-type recordsets over a dictionary-like table: current index, Seek, index order.
#include "dao_test_support.h"

namespace {

class TableType : public ::testing::Test {
protected:
    void SetUp() override {
        db.Create(dir.File("dic.mdb").c_str(), ";LANGID=0x0411;CP=932;COUNTRY=0");
        CDaoTableDef def(&db);
        def.Create("DaoDicTable");
        def.CreateField("Lexicon", dbText, 50);
        for (const char* name : {"StartPos", "EndPos", "Tag"}) def.CreateField(name, dbLong, 4);
        def.Append();
        // Indexes made after the table was appended, as the dictionary does it.
        CDaoIndexInfo both;
        both.m_strName = "ZemPostStartEndIndex";
        both.AddField("StartPos");
        both.AddField("EndPos");
        both.m_bRequired = true;
        def.CreateIndex(both);
        CDaoIndexInfo start;
        start.m_strName = "ZemPostStartOnlyIndex";
        start.AddField("StartPos");
        start.m_bRequired = true;
        def.CreateIndex(start);
        rs.reset(new CDaoRecordset(&db));
        rs->Open(dbOpenTable, "DaoDicTable");
        rs->SetCurrentIndex("ZemPostStartEndIndex");
    }
    void Add(const char* word, long start, long end) {
        rs->AddNew();
        rs->SetFieldValue("Lexicon", word);
        rs->SetFieldValue("StartPos", CDaoValue::FromLong(start));
        rs->SetFieldValue("EndPos", CDaoValue::FromLong(end));
        rs->Update();
    }
    std::string Current() { return rs->GetFieldValue("Lexicon").AsText(); }
    ScratchFolder dir;
    CDaoDatabase db;
    std::unique_ptr<CDaoRecordset> rs;
};

}  // namespace

TEST_F(TableType, SeekFindsByOneOrTwoKeysGivenAsTextOrNumbers) {
    Add("late", 30, 31);
    Add("second", 10, 25);
    Add("first", 10, 20);
    const CDaoValue ten = CDaoValue::FromText("10"), twenty = CDaoValue::FromText("20");
    EXPECT_TRUE(rs->Seek("=", &ten, &twenty));
    EXPECT_EQ(Current(), "first");
    const CDaoValue twentyFive = CDaoValue::FromLong(25);
    EXPECT_TRUE(rs->Seek("=", &ten, &twentyFive));
    EXPECT_EQ(Current(), "second");
    rs->SetCurrentIndex("ZemPostStartOnlyIndex");
    EXPECT_EQ(rs->GetCurrentIndex(), "ZemPostStartOnlyIndex");
    const CDaoValue thirty = CDaoValue::FromText("30");
    EXPECT_TRUE(rs->Seek("=", &thirty));
    EXPECT_EQ(Current(), "late");
    const CDaoValue eleven = CDaoValue::FromLong(11);
    EXPECT_FALSE(rs->Seek("=", &eleven));
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_EQ(DaoErrorOf([&] { rs->GetFieldValue("Lexicon"); }), daoErrNoCurrentRecord);
    EXPECT_TRUE(rs->Seek(">=", &eleven));
    EXPECT_EQ(Current(), "late");
    EXPECT_EQ(DaoErrorOf([&] { rs->SetCurrentIndex("NoIndex"); }), daoErrItemNotFound);
}

TEST_F(TableType, MoveNextFollowsIndexOrderIncludingRecordsAddedSince) {
    Add("c", 3, 0);
    Add("a", 1, 0);
    const CDaoValue one = CDaoValue::FromLong(1);
    ASSERT_TRUE(rs->Seek("=", &one));
    Add("b", 2, 0);  // added after the seek: still takes its place in index order
    EXPECT_EQ(Current(), "a");
    std::string order = Current();
    for (rs->MoveNext(); !rs->IsEOF(); rs->MoveNext()) order += Current();
    EXPECT_EQ(order, "abc");
    EXPECT_EQ(DaoErrorOf([&] { rs->MoveNext(); }), daoErrNoCurrentRecord);
}

TEST_F(TableType, EditDeleteBookmarksAndErrors) {
    Add("one", 1, 1);
    Add("two", 2, 2);
    rs->MoveFirst();
    CDaoValue mark = rs->GetBookmark();
    rs->Edit();
    rs->SetFieldValue("StartPos", CDaoValue::FromLong(5));  // moves it to the end of the index
    rs->Update();
    EXPECT_EQ(Current(), "one");
    EXPECT_EQ(rs->GetAbsolutePosition(), 1);
    rs->MoveFirst();
    EXPECT_EQ(Current(), "two");
    rs->SetBookmark(mark);
    EXPECT_EQ(Current(), "one");
    rs->Delete();
    EXPECT_EQ(DaoErrorOf([&] { rs->GetFieldValue("Lexicon"); }), daoErrRecordDeleted);
    EXPECT_EQ(rs->GetRecordCount(), 1);

    EXPECT_EQ(DaoErrorOf([&] { rs->Update(); }), daoErrUpdateWithoutEdit);
    rs->AddNew();
    EXPECT_EQ(DaoErrorOf([&] { rs->SetFieldValue("Lexicon", std::string(51, 'x').c_str()); }), daoErrFieldTooSmall);
    // Fifty double-byte characters fit a Text(50) field of a code page 932 database.
    std::string wide;
    for (int i = 0; i < 50; ++i) wide += "\x82\xa0";
    EXPECT_EQ(DaoErrorOf([&] { rs->SetFieldValue("Lexicon", wide.c_str()); }), 0);
    EXPECT_EQ(DaoErrorOf([&] { rs->Update(); }), daoErrIndexNull);  // StartPos is required
    rs->CancelUpdate();
    CDaoRecordset dynaset(&db);
    dynaset.Open(dbOpenDynaset, "SELECT * FROM DaoDicTable");
    EXPECT_EQ(DaoErrorOf([&] { dynaset.SetCurrentIndex("ZemPostStartOnlyIndex"); }), daoErrOperationNotSupported);
    CDaoRecordset query(&db);
    EXPECT_EQ(DaoErrorOf([&] { query.Open(dbOpenTable, "SELECT Lexicon FROM DaoDicTable"); }),
              daoErrOperationNotSupported);
}
