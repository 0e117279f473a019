// Opening, creating, compacting and closing card files; tables; transactions.
#include "kvdb_fixture.h"

using DatabaseTest = KvdbTest;

TEST_F(DatabaseTest, MissingFileGivesTheErrorNumberAndAHandleToClose) {
    HKVDB db = nullptr;
    const int result = kv_.OpenDatabase(KVDB_TYPE_JET, PathOf("missing.mdb").c_str(), &db);
    EXPECT_NE(result, 1);
    EXPECT_NE(result, 0) << "the open reports why it failed";
    EXPECT_NE(db, nullptr);
    EXPECT_TRUE(DaoReports().empty()) << "the silent open shows nothing";
    EXPECT_EQ(kv_.CloseDatabase(db), 1);
}

TEST_F(DatabaseTest, CreatedFileHoldsTheCardTableAndReopens) {
    const std::string path = PathOf("new.mdb");
    HKVDB db = CreateCardFile(path);
    EXPECT_EQ(kv_.TblIsExist(db, "NM"), 1);
    EXPECT_EQ(kv_.TblIsExist(db, "nm"), 0) << "names compare case-sensitively";
    EXPECT_EQ(kv_.TblIsExist(db, "NM2"), 0);
    EXPECT_EQ(kv_.CloseDatabase(db), 1);

    db = nullptr;
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &db), 1);
    EXPECT_EQ(kv_.TblIsExist(db, "NM"), 1);
    EXPECT_EQ(kv_.TblCreate(db, "NM"), 0) << "a second card table of the same name";
    EXPECT_EQ(DaoReports().size(), 1u);
    kv_.CloseDatabase(db);
}

TEST_F(DatabaseTest, CreatingOverAnExistingFileIsReportedButHandsBackAHandle) {
    const std::string path = PathOf("twice.mdb");
    kv_.CloseDatabase(CreateCardFile(path));
    HKVDB db = nullptr;
    EXPECT_EQ(kv_.CreateDatabase(KVDB_TYPE_JET, path.c_str(), 0, &db), 1);
    EXPECT_NE(db, nullptr);
    ASSERT_EQ(DaoReports().size(), 1u);
    EXPECT_EQ(DaoReports()[0].rfind("DAO error ", 0), 0u) << DaoReports()[0];
    EXPECT_NE(DaoReports()[0].find(", SOURCE = "), std::string::npos);
    EXPECT_NE(DaoReports()[0].find(", DESCR = "), std::string::npos);
    EXPECT_EQ(kv_.TblCreate(db, "NM"), 0) << "the store is not open";
    kv_.CloseDatabase(db);
}

TEST_F(DatabaseTest, ExclusiveOpenKeepsOthersOutUntilClosed) {
    const std::string path = PathOf("held.mdb");
    kv_.CloseDatabase(CreateCardFile(path));
    HKVDB first = nullptr, second = nullptr;
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &first), 1);
    const int result = kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &second);
    EXPECT_NE(result, 1);
    EXPECT_NE(result, 0);
    kv_.CloseDatabase(second);
    kv_.CloseDatabase(first);
    second = nullptr;
    EXPECT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &second), 1);
    kv_.CloseDatabase(second);
}

TEST_F(DatabaseTest, SharedOpenWithUserAndPassword) {
    const std::string path = PathOf("shared.mdb");
    kv_.CloseDatabase(CreateCardFile(path));
    HKVDB a = nullptr, b = nullptr;
    EXPECT_EQ(kv_.OpenDatabaseEx(KVDB_TYPE_JET, path.c_str(), "Admin", "", &a), 1);
    EXPECT_EQ(kv_.OpenDatabaseEx(KVDB_TYPE_JET, path.c_str(), "Admin", "", &b), 1);
    EXPECT_EQ(kv_.TblIsExist(b, "NM"), 1);
    EXPECT_TRUE(DaoReports().empty());
    kv_.CloseDatabase(b);
    kv_.CloseDatabase(a);

    HKVDB missing = nullptr;
    EXPECT_EQ(kv_.OpenDatabaseEx(KVDB_TYPE_JET, PathOf("none.mdb").c_str(), "u", "p", &missing), 1);
    EXPECT_NE(missing, nullptr);
    EXPECT_EQ(DaoReports().size(), 1u) << "a failed shared open is reported";
    kv_.CloseDatabase(missing);
}

TEST_F(DatabaseTest, ReadOnlyFileDoesNotOpenForWriting) {
    const std::string path = PathOf("readonly.mdb");
    kv_.CloseDatabase(CreateCardFile(path));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    HKVDB db = nullptr;
    const int result = kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &db);
    EXPECT_NE(result, 1);
    EXPECT_NE(result, 0);
    kv_.CloseDatabase(db);
}

TEST_F(DatabaseTest, PathWithNonAsciiCharacters) {
    // "Müller Visitenkarten\Kärtchen.mdb" in the Western code page.
    const std::string folder = PathOf("M\xfcller Visitenkarten");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\K\xe4rtchen.mdb";
    db_ = CreateCardFile(path);
    cards_ = OpenCards(db_);
    Store(MakeCard("Jos\xe9 N\xfa\xf1"
                   "ez"));
    kv_.TblFree(cards_);
    kv_.CloseDatabase(db_);
    cards_ = nullptr;
    db_ = nullptr;
    EXPECT_TRUE(PathExists(path));
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &db_), 1);
    cards_ = OpenCards(db_);
    EXPECT_EQ(CurrentName(cards_), "Jos\xe9 N\xfa\xf1"
                                   "ez");
}

TEST_F(DatabaseTest, CommitKeepsAndRollbackDiscards) {
    NewCardFile();
    EXPECT_EQ(kv_.Commit(db_), 1) << "commit without a transaction";
    EXPECT_EQ(kv_.Rollback(db_), 1) << "rollback without a transaction";
    EXPECT_EQ(kv_.StartTransation(db_), 1);
    EXPECT_EQ(kv_.StartTransation(db_), 1) << "a second start opens no second level";
    const CardRec kept = MakeCard("Kept");
    ASSERT_EQ(kv_.CardRecInsert(cards_, &kept), 1);
    EXPECT_EQ(kv_.Commit(db_), 1);
    EXPECT_EQ(kv_.Rollback(db_), 1) << "the one level is closed: nothing left to undo";

    EXPECT_EQ(kv_.StartTransation(db_), 1);
    const CardRec dropped = MakeCard("Dropped");
    ASSERT_EQ(kv_.CardRecInsert(cards_, &dropped), 1);
    EXPECT_EQ(kv_.Rollback(db_), 1);
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(Names(cards_), std::vector<std::string>{"Kept"});
    EXPECT_TRUE(DaoReports().empty());
}

TEST_F(DatabaseTest, ARolledBackInsertLeavesTheOpenTableAndItsIdIsNotHandedOutAgain) {
    NewCardFile();
    StoreNames({"Adams", "Carter"});
    CardRec card = MakeCard("");
    ASSERT_EQ(kv_.RecFirst(cards_), 1);
    ASSERT_EQ(kv_.CardRecGet(cards_, &card, 0), 1);
    const int adamsId = card.ID;

    // Insert, roll back, insert again, as a scan whose first card could not be stored does;
    // then walk the open table without a refresh.
    ASSERT_EQ(kv_.StartTransation(db_), 1);
    const CardRec dropped = MakeCard("Baker");
    ASSERT_EQ(kv_.CardRecInsert(cards_, &dropped), 1);
    ASSERT_EQ(kv_.Rollback(db_), 1);
    ASSERT_EQ(kv_.StartTransation(db_), 1);
    const CardRec kept = MakeCard("Baker");
    ASSERT_EQ(kv_.CardRecInsert(cards_, &kept), 1);
    ASSERT_EQ(kv_.Commit(db_), 1);

    EXPECT_EQ(kv_.TblNRecs(cards_), 3);
    EXPECT_EQ(Names(cards_), (std::vector<std::string>{"Adams", "Carter", "Baker"}));  // new cards join the end
    ASSERT_EQ(kv_.RecFirst(cards_), 1);
    ASSERT_EQ(kv_.RecGoto(cards_, 3), 1);
    EXPECT_EQ(CurrentName(cards_), "Baker");
    EXPECT_EQ(kv_.RecNum(cards_), 3);
    ASSERT_EQ(kv_.RecLast(cards_), 1);
    ASSERT_EQ(kv_.CardRecGet(cards_, &card, 0), 1);
    // IDs are 1, 2 for the stored cards, 3 for the rolled-back one: the kept card has 4.
    EXPECT_EQ(card.ID, adamsId + 3);

    // A rolled-back delete comes back, in its place.
    ASSERT_EQ(kv_.RecGoto(cards_, 2), 1);
    ASSERT_EQ(kv_.StartTransation(db_), 1);
    ASSERT_EQ(kv_.RecDelete(cards_), 1);
    ASSERT_EQ(kv_.Rollback(db_), 1);
    EXPECT_EQ(CurrentName(cards_), "Carter");
    EXPECT_EQ(Names(cards_), (std::vector<std::string>{"Adams", "Carter", "Baker"}));
    EXPECT_TRUE(DaoReports().empty());

    // The ID stays used after the file is closed and opened again.
    kv_.TblFree(cards_);
    kv_.CloseDatabase(db_);
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, PathOf("cards.mdb").c_str(), &db_), 1);
    cards_ = OpenCards(db_);
    ASSERT_EQ(kv_.StartTransation(db_), 1);
    ASSERT_EQ(kv_.CardRecInsert(cards_, &dropped), 1);
    ASSERT_EQ(kv_.Rollback(db_), 1);
    kv_.TblFree(cards_);
    kv_.CloseDatabase(db_);
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, PathOf("cards.mdb").c_str(), &db_), 1);
    cards_ = OpenCards(db_);
    Store(MakeCard("Dunn"));
    ASSERT_EQ(kv_.RecLast(cards_), 1);
    ASSERT_EQ(kv_.CardRecGet(cards_, &card, 0), 1);
    EXPECT_STREQ(card.CName, "Dunn");
    EXPECT_EQ(card.ID, adamsId + 5);
}

TEST_F(DatabaseTest, CompactCopiesTheCardsIntoANewFile) {
    const std::string source = PathOf("source.mdb"), target = PathOf("work.mdb");
    NewCardFile("source.mdb");
    StoreNames({"Baker", "Adams"});
    kv_.TblFree(cards_);
    kv_.CloseDatabase(db_);
    cards_ = nullptr;
    db_ = nullptr;

    EXPECT_EQ(kv_.CompactDatabase(99, source.c_str(), target.c_str(), 0), 1);
    EXPECT_TRUE(DaoReports().empty());
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, target.c_str(), &db_), 1);
    cards_ = OpenCards(db_);
    EXPECT_EQ(Names(cards_), (std::vector<std::string>{"Adams", "Baker"}));

    EXPECT_EQ(kv_.CompactDatabase(0, source.c_str(), target.c_str(), 0), 1) << "1 even when it fails";
    EXPECT_EQ(DaoReports().size(), 1u) << "an existing target is reported";
}

TEST_F(DatabaseTest, CompactOfAFileHeldOpenFails) {
    const std::string source = PathOf("busy.mdb");
    NewCardFile("busy.mdb");
    EXPECT_EQ(kv_.CompactDatabase(0, source.c_str(), PathOf("copy.mdb").c_str(), 0), 1);
    EXPECT_EQ(DaoReports().size(), 1u);
    EXPECT_FALSE(PathExists(PathOf("copy.mdb")));
}

TEST_F(DatabaseTest, DBaseFolderOpensButMakesNoDatasets) {
    HKVDB db = nullptr;
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_DBASE, folder_.c_str(), &db), 1);
    EXPECT_EQ(kv_.TblCreate(db, "CARDS"), 1);
    EXPECT_EQ(kv_.TblIsExist(db, "CARDS"), 1);
    HKVTBL ds = reinterpret_cast<HKVTBL>(0x4321);
    EXPECT_EQ(kv_.TblNew(db, "CARDS", &ds), 1);
    EXPECT_EQ(ds, reinterpret_cast<HKVTBL>(0x4321));
    kv_.CloseDatabase(db);

    HKVDB created = nullptr;
    EXPECT_EQ(kv_.CreateDatabase(KVDB_TYPE_DBASE, folder_.c_str(), 0, &created), 1);
    EXPECT_NE(created, nullptr);
    kv_.CloseDatabase(created);
}
