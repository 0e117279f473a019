// Databases: create, open modes, locks between opens, table definitions, Execute, compaction.
#include <windows.h>

#include "dao_test_support.h"

TEST(DaoDatabase, CreateKeepsLocaleAndRefusesAnExistingFile) {
    ScratchFolder dir;
    const std::string path = dir.File("cards.mdb");
    {
        CDaoDatabase db;
        db.Create(path.c_str(), ";LANGID=0x0411;CP=932;COUNTRY=0");
        EXPECT_TRUE(db.IsOpen());
        CreateCardTable(db);
    }
    CDaoDatabase db;
    db.Open(path.c_str());
    EXPECT_EQ(db.GetLocale(), ";LANGID=0x0411;CP=932;COUNTRY=0");
    CDaoDatabase other;
    EXPECT_EQ(DaoErrorOf([&] { other.Create(path.c_str()); }), daoErrDatabaseExists);
    EXPECT_EQ(DaoErrorOf([&] { other.Create(dir.File("no\\such\\x.mdb").c_str()); }), daoErrInvalidPath);
    EXPECT_EQ(DaoErrorOf([&] { other.Open(dir.File("missing.mdb").c_str()); }), daoErrFileNotFound);
}

TEST(DaoDatabase, OpenRejectsAFileOfAnotherKind) {
    ScratchFolder dir;
    const std::string path = dir.File("text.mdb");
    ASSERT_TRUE(
        WriteWholeFile(path, "this is not a database file, just some text that is long enough to fill a header...."));
    CDaoDatabase db;
    EXPECT_EQ(DaoErrorOf([&] { db.Open(path.c_str()); }), daoErrUnrecognizedFormat);
    EXPECT_FALSE(db.IsOpen());
}

TEST(DaoDatabase, ExclusiveOpenShutsOutOtherOpensUntilClosed) {
    ScratchFolder dir;
    const std::string path = dir.File("cards.mdb");
    {
        CDaoDatabase db;
        db.Create(path.c_str());
    }

    CDaoDatabase first;
    first.Open(path.c_str(), true, false, "");
    CDaoDatabase second;
    EXPECT_EQ(DaoErrorOf([&] { second.Open(path.c_str(), false, false, ";UID=Admin;PWD="); }), daoErrOpenedExclusively);
    EXPECT_EQ(DaoErrorOf([&] { second.Open(path.c_str(), true, false, ""); }), daoErrFileInUse);
    first.Close();
    EXPECT_EQ(DaoErrorOf([&] { second.Open(path.c_str(), true, false, ""); }), 0);
}

TEST(DaoDatabase, SharedOpensCoexistAndSeeEachOthersChanges) {
    ScratchFolder dir;
    const std::string path = dir.File("cards.mdb");
    {
        CDaoDatabase db;
        db.Create(path.c_str());
        CreateCardTable(db);
    }
    CDaoDatabase a, b;
    a.Open(path.c_str(), false, false, ";UID=alice;PWD=secret");
    b.Open(path.c_str(), false, false, ";UID=bob;PWD=");
    EXPECT_EQ(a.GetConnect(), ";UID=alice;PWD=secret");
    AddCard(a, "Ann");
    CDaoRecordset rs(&b);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "Ann");
    // A shared open blocks an exclusive one.
    CDaoDatabase c;
    EXPECT_EQ(DaoErrorOf([&] { c.Open(path.c_str(), true); }), daoErrFileInUse);
}

TEST(DaoDatabase, ReadOnlyOpenRefusesChanges) {
    ScratchFolder dir;
    const std::string path = dir.File("cards.mdb");
    {
        CDaoDatabase db;
        db.Create(path.c_str());
        CreateCardTable(db);
        AddCard(db, "Ann");
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    CDaoDatabase db;
    EXPECT_EQ(DaoErrorOf([&] { db.Open(path.c_str(), false, false); }), daoErrCannotOpenFile);
    db.Open(path.c_str(), false, true);
    EXPECT_FALSE(db.CanUpdate());
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_EQ(rs.GetFieldValue("cname").AsText(), "Ann");
    EXPECT_EQ(DaoErrorOf([&] { rs.Edit(); }), daoErrReadOnly);
    EXPECT_EQ(DaoErrorOf([&] { db.Execute("DELETE FROM NM", dbFailOnError); }), daoErrReadOnly);
}

TEST(DaoDatabase, TableDefinitionsKeepTypesAndIndexesAndHideOurMetadata) {
    ScratchFolder dir;
    CDaoDatabase db;
    db.Create(dir.File("cards.mdb").c_str());
    EXPECT_EQ(db.GetTableDefCount(), 0);
    CreateCardTable(db);
    CreateCardTable(db, "Other");
    ASSERT_EQ(db.GetTableDefCount(), 2);
    CDaoTableDefInfo info;
    db.GetTableDefInfo(0, info);
    EXPECT_EQ(info.m_strName, "NM");
    db.GetTableDefInfo(1, info);
    EXPECT_EQ(info.m_strName, "Other");
    EXPECT_EQ(DaoErrorOf([&] { db.GetTableDefInfo(2, info); }), daoErrItemNotFound);

    CDaoTableDef def(&db);
    def.Open("NM");
    ASSERT_EQ(def.GetFieldCount(), 7);
    const short types[] = {dbLong, dbLong, dbDate, dbText, dbInteger, dbMemo, dbLongBinary};
    for (int i = 0; i < 7; ++i) {
        CDaoFieldInfo field;
        def.GetFieldInfo(i, field);
        EXPECT_EQ(field.m_nType, types[i]) << field.m_strName;
    }
    CDaoFieldInfo cname;
    def.GetFieldInfo(3, cname);
    EXPECT_EQ(cname.m_lSize, 10);
    CDaoFieldInfo id;
    def.GetFieldInfo(0, id);
    EXPECT_TRUE(id.m_lAttributes & dbAutoIncrField);
    ASSERT_EQ(def.GetIndexCount(), 2);
    CDaoIndexInfo primary, link;
    def.GetIndexInfo(0, primary);
    def.GetIndexInfo(1, link);
    EXPECT_EQ(primary.m_strName, "PrimaryKey");
    EXPECT_TRUE(primary.m_bPrimary && primary.m_bUnique);
    ASSERT_EQ(link.m_fields.size(), 1u);
    EXPECT_EQ(link.m_fields[0].m_strName, "LINKID");
    EXPECT_FALSE(link.m_bUnique);

    CDaoTableDef again(&db);
    again.Create("NM");
    again.CreateField("X", dbLong, 4);
    EXPECT_EQ(DaoErrorOf([&] { again.CreateField("x", dbText, 5); }), daoErrFieldDefinedTwice);
    EXPECT_EQ(DaoErrorOf([&] { again.Append(); }), daoErrTableExists);
    CDaoTableDef missing(&db);
    EXPECT_EQ(DaoErrorOf([&] { missing.Open("Nope"); }), daoErrObjectNotFound);
}

TEST(DaoDatabase, AutoIncrementNumbersNewRecordsAndUniqueIndexesRefuseDuplicates) {
    ScratchFolder dir;
    CDaoDatabase db;
    db.Create(dir.File("cards.mdb").c_str());
    CreateCardTable(db);
    EXPECT_EQ(AddCard(db, "A"), 1);
    EXPECT_EQ(AddCard(db, "B"), 2);
    CDaoTableDef def(&db);
    def.Open("NM");
    CDaoIndexInfo unique;
    unique.m_strName = "ByName";
    unique.AddField("CNAME");
    unique.m_bUnique = true;
    def.CreateIndex(unique);
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    rs.AddNew();
    rs.SetFieldValue("CNAME", "a");  // same as "A" without regard to case
    EXPECT_EQ(DaoErrorOf([&] { rs.Update(); }), daoErrDuplicateKey);
    rs.CancelUpdate();
    EXPECT_EQ(rs.GetRecordCount(), 2);
}

TEST(DaoDatabase, ExecuteRunsJetStatementsAndReportsFailuresOnlyWhenAsked) {
    ScratchFolder dir;
    CDaoDatabase db;
    db.Create(dir.File("cards.mdb").c_str());
    CreateCardTable(db);
    AddCard(db, "Ann", 1);
    AddCard(db, "Bob", 2);
    AddCard(db, "Cid", 3);
    db.Execute("DELETE FROM NM WHERE CName Like 'b*' Or LinkID = 3", dbFailOnError);
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_EQ(rs.GetRecordCount(), 1);
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "Ann");
    EXPECT_EQ(DaoErrorOf([&] { db.Execute("DELETE FROM NM WHERE CName = = 'x'", dbFailOnError); }),
              daoErrSyntaxInExpression);
    EXPECT_EQ(DaoErrorOf([&] { db.Execute("DELETE FROM Nowhere", dbFailOnError); }), daoErrSyntaxInQuery);
    EXPECT_EQ(DaoErrorOf([&] { db.Execute("DELETE FROM Nowhere", 0); }), 0);
}

TEST(DaoDatabase, CompactCopiesIntoANewFileOnly) {
    ScratchFolder dir;
    const std::string source = dir.File("cards.mdb");
    const std::string target = dir.File("work.mdb");
    {
        CDaoDatabase db;
        db.Create(source.c_str());
        CreateCardTable(db);
        AddCard(db, "Ann");
        // Held open by a database: the compaction must fail.
        EXPECT_EQ(DaoErrorOf([&] { CDaoWorkspace::CompactDatabase(source.c_str(), target.c_str()); }),
                  daoErrOpenedExclusively);
    }
    CDaoWorkspace::CompactDatabase(source.c_str(), target.c_str(), ";LANGID=0x0404;CP=950;COUNTRY=0");
    EXPECT_EQ(DaoErrorOf([&] { CDaoWorkspace::CompactDatabase(source.c_str(), target.c_str()); }),
              daoErrDatabaseExists);
    EXPECT_EQ(
        DaoErrorOf([&] { CDaoWorkspace::CompactDatabase(dir.File("none.mdb").c_str(), dir.File("n2.mdb").c_str()); }),
        daoErrFileNotFound);
    CDaoDatabase copy;
    copy.Open(target.c_str(), true);
    EXPECT_EQ(copy.GetLocale(), ";LANGID=0x0404;CP=950;COUNTRY=0");
    CDaoRecordset rs(&copy);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "Ann");
    CDaoTableDef def(&copy);
    def.Open("NM");
    EXPECT_EQ(def.GetIndexCount(), 2);
}

// Card files live in users' folders, whose names are often not ASCII (here Latin-1 "Müller").
TEST(DaoDatabase, CompactsIntoAFolderWithANonAsciiName) {
    ScratchFolder dir;
    const std::string folder = dir.File("M\xFCller");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string source = folder + "\\cards.mdb";
    const std::string target = folder + "\\k\xE4rtchen.mdb";
    {
        CDaoDatabase db;
        db.Create(source.c_str());
        CreateCardTable(db);
        AddCard(db, "Ann");
    }
    CDaoWorkspace::CompactDatabase(source.c_str(), target.c_str());
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    CDaoDatabase copy;
    copy.Open(target.c_str(), true);
    CDaoRecordset rs(&copy);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    EXPECT_EQ(rs.GetFieldValue("CNAME").AsText(), "Ann");
}
