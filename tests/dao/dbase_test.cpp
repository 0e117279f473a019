// A dBASE III folder opened as a database: tables are .dbf files, records written through.
#include <windows.h>

#include "dao_test_support.h"
#include "jetsql.h"

namespace {

std::string DbaseConnect(const ScratchFolder& dir) { return "dBASE III;DATABASE=" + dir.path(); }

void CreateFlatTable(CDaoDatabase& db) {
    CDaoTableDef def(&db);
    def.Create("CARDS");
    def.CreateField("ID", dbLong, 4);
    def.CreateField("CDATE", dbDate, 8);
    def.CreateField("CNAME", dbText, 50);
    def.CreateField("FLAGS", dbInteger, 2);
    def.CreateField("CNOTE", dbMemo, 0);
    CDaoIndexInfo index;
    index.m_strName = "CARDS";
    index.AddField("ID");
    index.m_bPrimary = true;
    def.CreateIndex(index);
    def.Append();
}

void AddRecord(CDaoRecordset& rs, long id, const char* name, const char* note) {
    rs.AddNew();
    rs.SetFieldValue("ID", CDaoValue::FromLong(id));
    rs.SetFieldValue("CDATE", CDaoValue::FromDate(jetsql::OleDateFromParts(2002, 11, 5, 0, 0, 0)));
    rs.SetFieldValue("CName", name);
    rs.SetFieldValue("Flags", CDaoValue::FromShort(static_cast<int16_t>(id * 10)));
    if (note) rs.SetFieldValue("CNote", note);
    rs.Update();
}

}  // namespace

TEST(DaoDbase, TablesAreDbfFilesAndRecordsSurviveReopening) {
    ScratchFolder dir;
    {
        CDaoDatabase db;
        db.Open("", false, false, DbaseConnect(dir).c_str());
        EXPECT_TRUE(db.IsDBase());
        CreateFlatTable(db);
        EXPECT_NE(GetFileAttributesA(dir.File("CARDS.dbf").c_str()), INVALID_FILE_ATTRIBUTES);
        ASSERT_EQ(db.GetTableDefCount(), 1);
        CDaoTableDefInfo info;
        db.GetTableDefInfo(0, info);
        EXPECT_EQ(info.m_strName, "CARDS");

        CDaoRecordset rs(&db);
        rs.Open(dbOpenDynaset, "SELECT * FROM CARDS ORDER BY CNAME");
        AddRecord(rs, 1, "Cid", "a note");
        AddRecord(rs, 2, "Ann", nullptr);
        AddRecord(rs, 3, "Bob", "other");
        rs.Open(dbOpenDynaset, "SELECT * FROM CARDS ORDER BY CNAME");
        EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "Ann");
        rs.MoveNext();
        rs.Delete();  // Bob
        rs.MoveNext();
        rs.Edit();
        rs.SetFieldValue("CNAME", "Cyd");
        rs.Update();
        EXPECT_EQ(DaoErrorOf([&] { rs.SetFieldValue("CNAME", std::string(51, 'x').c_str()); }),
                  daoErrUpdateWithoutEdit);
    }
    CDaoDatabase db;
    db.Open("", false, false, DbaseConnect(dir).c_str());
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM CARDS ORDER BY ID");
    ASSERT_EQ(rs.GetRecordCount(), 2);
    EXPECT_EQ(rs.GetFieldValue("ID").AsLong(), 1);
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "Cyd");
    EXPECT_EQ(rs.GetFieldValue("FLAGS").AsShort(), 10);
    EXPECT_EQ(rs.GetFieldValue("CNOTE").AsText(), "a note");
    EXPECT_EQ(rs.GetFieldValue("CDATE").AsDate(), jetsql::OleDateFromParts(2002, 11, 5, 0, 0, 0));
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "Ann");
    EXPECT_TRUE(rs.GetFieldValue("CNOTE").IsNull());
    EXPECT_TRUE(rs.FindFirst("CNAME Like 'c*'"));
    EXPECT_EQ(rs.GetFieldValue("ID").AsLong(), 1);
}

TEST(DaoDbase, MissingFolderOrTableIsAnError) {
    ScratchFolder dir;
    CDaoDatabase db;
    EXPECT_EQ(DaoErrorOf([&] { db.Open("", false, false, ("dBASE III;DATABASE=" + dir.File("none")).c_str()); }),
              daoErrInvalidPath);
    db.Open("", false, false, DbaseConnect(dir).c_str());
    CDaoRecordset rs(&db);
    EXPECT_EQ(DaoErrorOf([&] { rs.Open(dbOpenDynaset, "SELECT * FROM NOPE"); }), daoErrObjectNotFound);
}
