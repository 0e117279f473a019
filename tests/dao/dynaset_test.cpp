// Dynaset recordsets: positions, BOF/EOF, bookmarks, editing, values, criteria and finds.
#include "dao_test_support.h"
#include "jetsql.h"

namespace {

class Dynaset : public ::testing::Test {
protected:
    void SetUp() override {
        db.Create(dir.File("cards.mdb").c_str());
        CreateCardTable(db);
    }
    // Cards named by the letters of names, LinkID = 1, 2, ...
    void AddCards(const std::vector<const char*>& names) {
        long link = 1;
        for (const char* name : names) AddCard(db, name, link++);
    }
    std::string Names(CDaoRecordset& rs) {
        std::string names;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            CDaoValue v = rs.GetFieldValue("CNAME");
            names += (names.empty() ? "" : ",") + (v.IsNull() ? std::string("<null>") : v.AsText());
        }
        return names;
    }
    ScratchFolder dir;
    CDaoDatabase db;
};

}  // namespace

TEST_F(Dynaset, EmptySetHasBothFlagsAndRefusesMoves) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.GetAbsolutePosition(), -1);
    EXPECT_EQ(rs.GetRecordCount(), 0);
    for (auto move :
         {&CDaoRecordset::MoveFirst, &CDaoRecordset::MoveLast, &CDaoRecordset::MoveNext, &CDaoRecordset::MovePrev})
        EXPECT_EQ(DaoErrorOf([&] { (rs.*move)(); }), daoErrNoCurrentRecord);
    EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldValue("CNAME"); }), daoErrNoCurrentRecord);
    EXPECT_EQ(DaoErrorOf([&] { rs.Edit(); }), daoErrNoCurrentRecord);
    EXPECT_EQ(DaoErrorOf([&] { rs.Delete(); }), daoErrNoCurrentRecord);
}

TEST_F(Dynaset, MovesSetFlagsAndPositionsAsDaoDoes) {
    AddCards({"a", "b", "c", "d", "e"});
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME");
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(rs.GetAbsolutePosition(), 0);
    rs.MovePrev();
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetAbsolutePosition(), -1);
    EXPECT_EQ(DaoErrorOf([&] { rs.MovePrev(); }), daoErrNoCurrentRecord);
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "a");
    rs.MoveLast();
    EXPECT_EQ(rs.GetAbsolutePosition(), 4);
    EXPECT_EQ(rs.GetRecordCount(), 5);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(DaoErrorOf([&] { rs.MoveNext(); }), daoErrNoCurrentRecord);
    EXPECT_EQ(DaoErrorOf([&] { rs.Move(-1); }), daoErrNoCurrentRecord);

    // Relative moves from record 5 (as record numbers count from 1), and past either end.
    rs.SetAbsolutePosition(4);
    rs.Move(-2);
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "c");
    rs.Move(10);
    EXPECT_TRUE(rs.IsEOF());
    rs.MoveFirst();
    rs.Move(-1);
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_EQ(DaoErrorOf([&] { rs.SetAbsolutePosition(5); }), daoErrNoCurrentRecord);
}

TEST_F(Dynaset, BookmarksReturnToTheirRecord) {
    AddCards({"a", "b", "c"});
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME DESC");
    rs.MoveNext();
    CDaoValue mark = rs.GetBookmark();
    EXPECT_EQ(mark.GetKind(), CDaoValue::Bytes);
    rs.MoveLast();
    rs.SetBookmark(mark);
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "b");
    EXPECT_EQ(rs.GetAbsolutePosition(), 1);
    rs.Delete();
    EXPECT_EQ(DaoErrorOf([&] { rs.GetBookmark(); }), daoErrRecordDeleted);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetBookmark(mark); }), daoErrInvalidBookmark);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetBookmark(CDaoValue::FromLong(1)); }), daoErrInvalidBookmark);
}

TEST_F(Dynaset, AddedRecordJoinsTheEndUntilReopenedAndCursorStays) {
    AddCards({"b", "d"});
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME");
    rs.AddNew();
    rs.SetFieldValue("CNAME", "a");
    rs.Update();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "b");  // still on the record it was on
    EXPECT_EQ(Names(rs), "b,d,a");
    rs.Close();
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME");
    EXPECT_EQ(Names(rs), "a,b,d");

    // At EOF an added record leaves the cursor after the last record.
    rs.MoveLast();
    rs.MoveNext();
    rs.AddNew();
    rs.SetFieldValue("CNAME", "e");
    rs.Update();
    EXPECT_TRUE(rs.IsEOF());
    rs.MovePrev();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "e");
}

TEST_F(Dynaset, DeletedRecordLeavesNoCurrentRecordUntilTheNextMove) {
    AddCards({"a", "b", "c"});
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME");
    rs.MoveNext();
    rs.Delete();
    EXPECT_EQ(rs.GetAbsolutePosition(), -1);
    EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldValue("CNAME"); }), daoErrRecordDeleted);
    EXPECT_EQ(DaoErrorOf([&] { rs.Delete(); }), daoErrRecordDeleted);
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "c");
    EXPECT_EQ(rs.GetRecordCount(), 2);
    rs.Delete();
    rs.MovePrev();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "a");
    rs.Delete();
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.GetRecordCount(), 0);
}

TEST_F(Dynaset, EditedRecordStaysInTheSetEvenWhenItNoLongerMatches) {
    AddCards({"a", "b"});
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME = 'a'");
    rs.Edit();
    rs.SetFieldValue("CNAME", "z");
    rs.Update();
    EXPECT_EQ(rs.GetRecordCount(), 1);
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "z");
    EXPECT_EQ(DaoErrorOf([&] { rs.Update(); }), daoErrUpdateWithoutEdit);
    EXPECT_EQ(DaoErrorOf([&] { rs.CancelUpdate(); }), daoErrUpdateWithoutEdit);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValue("CNAME", "q"); }), daoErrUpdateWithoutEdit);
    rs.Edit();
    rs.SetFieldValue("CNAME", "q");
    rs.CancelUpdate();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "z");
}

TEST_F(Dynaset, FieldValuesComeBackAsTheirKindsByNameWithoutRegardToCase) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    const std::vector<uint8_t> image = {0, 1, 2, 255};
    rs.AddNew();
    rs.SetFieldValue("linkid", CDaoValue::FromLong(70000));
    rs.SetFieldValue("CDate", CDaoValue::FromDate(37565.379895833));  // 2002-11-05 09:07:03
    rs.SetFieldValue("CName", "Ann");
    rs.SetFieldValue("Flags", CDaoValue::FromShort(-3));
    rs.SetFieldValue("CNote", std::string(5000, 'n').c_str());
    rs.SetFieldValue("CImage", CDaoValue::FromBytes(image));
    rs.Update();
    rs.AddNew();
    rs.SetFieldValue("CName", CDaoValue());  // empty stores Null
    rs.Update();
    rs.MoveFirst();

    struct Expect {
        const char* name;
        CDaoValue value;
    };
    const Expect expected[] = {
        {"ID", CDaoValue::FromLong(1)},
        {"LinkID", CDaoValue::FromLong(70000)},
        {"cdate", CDaoValue::FromDate(37565.379895833)},
        {"CNAME", CDaoValue::FromText("Ann")},
        {"flags", CDaoValue::FromShort(-3)},
        {"CNOTE", CDaoValue::FromText(std::string(5000, 'n'))},
        {"CImage", CDaoValue::FromBytes(image)},
    };
    for (const auto& e : expected) EXPECT_TRUE(rs.GetFieldValue(e.name) == e.value) << e.name;
    rs.MoveNext();
    EXPECT_TRUE(rs.GetFieldValue("CNAME").IsNull());
    EXPECT_TRUE(rs.GetFieldValue("CIMAGE").IsNull());
    EXPECT_EQ(rs.GetFieldValue("ID").AsLong(), 2);
    EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldValue("NoSuchField"); }), daoErrItemNotFound);
}

TEST_F(Dynaset, ValuesThatDoNotFitAreRefused) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    rs.AddNew();
    EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValue("CNAME", "0123456789"); }), 0);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValue("CNAME", "0123456789X"); }), daoErrFieldTooSmall);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValue("FLAGS", CDaoValue::FromLong(40000)); }), daoErrNumericOverflow);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValue("LINKID", "twelve"); }), daoErrTypeConversion);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValue("LINKID", "12"); }), 0);
    rs.Update();
    rs.MoveFirst();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "0123456789");
    EXPECT_EQ(rs.GetFieldValue("LINKID").AsLong(), 12);
}

// Field numbers reach the same values as names: rows of long, short and missing texts read
// through references must not show what an earlier row left behind.
TEST_F(Dynaset, FieldNumbersReadAndWriteAsNamesDo) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    const int name = rs.GetFieldIndex("cname"), note = rs.GetFieldIndex("CNote"), link = rs.GetFieldIndex("LinkID");
    const int image = rs.GetFieldIndex("CIMAGE");
    EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldIndex("NoSuchField"); }), daoErrItemNotFound);
    EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValueAt(name, CDaoValue::FromText("x")); }), daoErrUpdateWithoutEdit);

    struct Row {
        const char* name;
        std::string note;
        std::vector<uint8_t> image;
    };
    const Row rows[] = {{"Long", std::string(3000, 'L'), {1, 2, 3, 4, 5}}, {nullptr, "", {}}, {"S", "s", {9}}};
    for (const Row& row : rows) {
        rs.AddNew();
        rs.SetFieldValueAt(name, row.name ? CDaoValue::FromText(row.name) : CDaoValue());
        rs.SetFieldValueAt(note, row.note.empty() ? CDaoValue() : CDaoValue::FromText(row.note));
        if (!row.image.empty()) rs.SetFieldValueAt(image, CDaoValue::FromBytes(row.image));
        rs.SetFieldValueAt(link, CDaoValue::FromText("12"));  // converted as by name
        EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValueAt(name, CDaoValue::FromText("0123456789X")); }),
                  daoErrFieldTooSmall);
        EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValueAt(99, CDaoValue::FromLong(1)); }), daoErrItemNotFound);
        rs.Update();
    }
    rs.MoveFirst();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name ? row.name : "<null>");
        const CDaoValue& n = rs.GetFieldValueRef(name);
        EXPECT_TRUE(n == (row.name ? CDaoValue::FromText(row.name) : CDaoValue::MakeNull()));
        EXPECT_TRUE(rs.GetFieldValueRef(note) == rs.GetFieldValue("CNOTE"));
        EXPECT_EQ(rs.GetFieldValueRef(note).IsNull(), row.note.empty());
        if (!row.note.empty()) {
            EXPECT_EQ(rs.GetFieldValueRef(note).AsText(), row.note);
        }
        EXPECT_TRUE(rs.GetFieldValueRef(image) ==
                    (row.image.empty() ? CDaoValue::MakeNull() : CDaoValue::FromBytes(row.image)));
        EXPECT_TRUE(rs.GetFieldValueRef(link) == CDaoValue::FromLong(12));
        const CDaoValue* all = rs.GetFieldValuesRef();
        for (int field = 0; field < rs.GetFieldCount(); ++field)
            EXPECT_TRUE(all[field] == rs.GetFieldValueRef(field)) << "field " << field;
        rs.MoveNext();
    }
    EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldValueRef(name); }), daoErrNoCurrentRecord);
    EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldValuesRef(); }), daoErrNoCurrentRecord);
    // While a record is edited, all values are the edited ones.
    rs.MoveFirst();
    rs.Edit();
    rs.SetFieldValueAt(name, CDaoValue::FromText("Edited"));
    EXPECT_EQ(rs.GetFieldValuesRef()[name].AsText(), "Edited");
    EXPECT_TRUE(rs.GetFieldValuesRef()[link] == CDaoValue::FromLong(12));
    rs.CancelUpdate();
    EXPECT_EQ(rs.GetFieldValuesRef()[name].AsText(), "Long");
    EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldValueRef(-1); }), daoErrItemNotFound);
}

TEST_F(Dynaset, TextSortsAndComparesWithoutRegardToCaseWithNullFirst) {
    AddCards({"bob", "Alice", nullptr, "carl", "ALAN"});
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME");
    EXPECT_EQ(Names(rs), "<null>,ALAN,Alice,bob,carl");
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME DESC");
    EXPECT_EQ(Names(rs), "carl,bob,Alice,ALAN,<null>");
    rs.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME = 'BOB' OR CNAME <> 'x' AND CNAME < 'alb'");
    EXPECT_EQ(Names(rs), "bob,ALAN");
    rs.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME Like 'a*'");
    EXPECT_EQ(rs.GetRecordCount(), 2);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME Is Null");
    EXPECT_EQ(rs.GetRecordCount(), 1);
}

TEST_F(Dynaset, MalformedTextsAreErrorsNotEmptySets) {
    AddCards({"a"});
    CDaoRecordset rs(&db);
    const char* bad[] = {"SELECT * FROM NM WHERE CNAME = = 'a'", "SELECT * FROM NM WHERE (CNAME = 'a'",
                         "SELECT * FROM NM WHERE CNAME = 'a"};
    for (const char* sql : bad)
        EXPECT_EQ(DaoErrorOf([&] { rs.Open(dbOpenDynaset, sql); }), daoErrSyntaxInExpression) << sql;
    EXPECT_EQ(DaoErrorOf([&] { rs.Open(dbOpenDynaset, "SELECT * FROM Missing"); }), daoErrObjectNotFound);
    EXPECT_EQ(DaoErrorOf([&] { rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY Nope"); }), daoErrItemNotFound);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_EQ(DaoErrorOf([&] { rs.FindFirst("CNAME = "); }), daoErrSyntaxInExpression);
    EXPECT_EQ(DaoErrorOf([&] { rs.FindFirst("CNAME Like '[a'"); }), daoErrSyntaxInExpression);
}

TEST_F(Dynaset, FindsWalkTheOpenSetFromTheCurrentRecord) {
    AddCards({"a", "b", "a", "c", "a"});  // LinkID 1..5
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY LINKID");
    EXPECT_TRUE(rs.FindLast("CNAME = 'A'"));
    EXPECT_EQ(rs.GetFieldValue("LINKID").AsLong(), 5);
    EXPECT_TRUE(rs.FindPrev("CNAME = 'A'"));
    EXPECT_EQ(rs.GetFieldValue("LINKID").AsLong(), 3);
    EXPECT_TRUE(rs.FindNext("CNAME = 'a'"));
    EXPECT_EQ(rs.GetFieldValue("LINKID").AsLong(), 5);
    CDaoValue mark = rs.GetBookmark();
    EXPECT_FALSE(rs.FindNext("CNAME = 'a'"));
    EXPECT_EQ(rs.GetAbsolutePosition(), -1);
    rs.SetBookmark(mark);
    EXPECT_TRUE(rs.FindFirst("CNAME = 'a'"));
    EXPECT_EQ(rs.GetFieldValue("LINKID").AsLong(), 1);

    // A change of the data is seen by the next find with the same criteria.
    rs.MoveLast();
    rs.Edit();
    rs.SetFieldValue("CNAME", "z");
    rs.Update();
    EXPECT_TRUE(rs.FindLast("CNAME = 'a'"));
    EXPECT_EQ(rs.GetFieldValue("LINKID").AsLong(), 3);
    // A record added through the set can be found at its end.
    rs.AddNew();
    rs.SetFieldValue("CNAME", "new");
    rs.Update();
    EXPECT_TRUE(rs.FindLast("CNAME = 'new'"));
    EXPECT_EQ(rs.GetAbsolutePosition(), 5);
}

TEST_F(Dynaset, FindsAndFiltersOnDatesUseJetDateLiterals) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    const double days[] = {jetsql::OleDateFromParts(2002, 11, 5, 9, 7, 3),
                           jetsql::OleDateFromParts(2002, 11, 6, 0, 0, 0)};
    for (double day : days) {
        rs.AddNew();
        rs.SetFieldValue("CDATE", CDaoValue::FromDate(day));
        rs.Update();
    }
    rs.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CDATE >= #11-6-2002#");
    EXPECT_EQ(rs.GetRecordCount(), 1);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_TRUE(rs.FindFirst("CDATE = #11-5-2002 9:07:03#"));
    EXPECT_EQ(rs.GetFieldValue("ID").AsLong(), 1);
}

// A long forward walk in an order unlike the order of addition, while the connection changes
// records ahead of it, rolls a change back and drops another table: every value read is the
// one stored at the moment it is read.
TEST_F(Dynaset, LongWalkSeesChangesMadeAheadOfIt) {
    const int count = 150;
    for (int n = 0; n < count; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "c%03d", (n * 37) % count);
        AddCard(db, name, n);
    }
    CreateCardTable(db, "OTHER");
    {
        // One long note among the records.
        CDaoRecordset edit(&db);
        edit.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME = 'c010'");
        edit.Edit();
        edit.SetFieldValue("CNOTE", CDaoValue::FromText(std::string(200000, 'n')));
        edit.Update();
    }
    auto changeName = [&](const char* from, const char* to) {
        CDaoRecordset edit(&db);
        edit.Open(dbOpenDynaset, (std::string("SELECT * FROM NM WHERE CNAME = '") + from + "'").c_str());
        edit.Edit();
        edit.SetFieldValue("CNAME", to);
        edit.Update();
    };
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM ORDER BY CNAME");
    std::vector<std::string> seen;
    std::vector<long> links;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const long at = rs.GetAbsolutePosition();
        if (at == 12) changeName("c020", "x020");  // a record ahead of the walk
        if (at == 0) {
            // A change the walk reads ahead before it is rolled back.
            db.m_pWorkspace->BeginTrans();
            CDaoRecordset edit(&db);
            edit.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME = 'c062'");
            edit.Edit();
            edit.SetFieldValue("LINKID", CDaoValue::FromLong(-1));
            edit.Update();
        }
        if (at == 65) {
            CDaoRecordset gone(&db);
            gone.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME = 'c070'");
            gone.Delete();
        }
        if (at == 70) {
            EXPECT_EQ(DaoErrorOf([&] { rs.GetFieldValue("CNAME"); }), daoErrRecordDeleted);
            seen.push_back("<deleted>");
            continue;
        }
        seen.push_back(rs.GetFieldValue("CNAME").AsText());
        if (at == 61) db.m_pWorkspace->Rollback();
        links.push_back(rs.GetFieldValue("LINKID").AsLong());
        if (at == 100) {
            EXPECT_EQ(DaoErrorOf([&] { db.Execute("DROP TABLE OTHER", dbFailOnError); }), 0);
        }
        if (at == 10) {
            EXPECT_EQ(rs.GetFieldValue("CNOTE").AsText().size(), 200000u);
        }
    }
    ASSERT_EQ(seen.size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        char expected[12];
        std::snprintf(expected, sizeof expected, "c%03d", i);
        const std::string want = i == 20 ? "x020" : i == 70 ? "<deleted>" : expected;
        EXPECT_EQ(seen[static_cast<size_t>(i)], want) << "at " << i;
    }
    for (size_t i = 0; i < links.size(); ++i)
        EXPECT_EQ(links[i], static_cast<long>(((i < 70 ? i : i + 1) * 73) % count)) << "at " << i;
    // Walking back over records the walk streamed gives each its own values again.
    rs.MoveLast();
    for (int i = count - 1; i > count - 60; --i, rs.MovePrev()) {
        char expected[12];
        std::snprintf(expected, sizeof expected, "c%03d", i);
        EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), expected);
        EXPECT_EQ(rs.GetFieldValue("LINKID").AsLong(), (i * 73) % count) << "at " << i;
    }
}
