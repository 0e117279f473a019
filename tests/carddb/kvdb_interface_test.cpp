// The flat interface without a card file: export names, handle guards, the engine flag, the
// date literal and the functions kept for old callers.
#include "kvdb_fixture.h"

using InterfaceTest = KvdbTest;

TEST_F(InterfaceTest, EveryExportIsFoundByItsDecoratedName) {
    KvdbApi api;
    api.Load(*dll_);  // records a failure for every missing name
    EXPECT_EQ(dll_->find<void*>("kvOpenDatabase"), nullptr) << "undecorated names must not leak out";

    // The 50 functions are all the library offers: nothing else, no test seam, is exported.
    const auto* base = reinterpret_cast<const BYTE*>(dll_->handle());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& exports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(exports.VirtualAddress, 0u);
    const auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + exports.VirtualAddress);
    EXPECT_EQ(directory->NumberOfNames, 50u);
    EXPECT_EQ(dll_->find<void*>("kvSetDaoErrorHook"), nullptr);
}

TEST_F(InterfaceTest, NullHandlesGiveTheirNullValuesAndTouchNothing) {
    CardRec card = MakeCard("Untouched");
    const CardRec before = card;
    struct Case {
        const char* what;
        int result;
        int expected;
    } cases[] = {
        {"StartTransation", kv_.StartTransation(nullptr), 0},
        {"Commit", kv_.Commit(nullptr), 0},
        {"Rollback", kv_.Rollback(nullptr), 0},
        {"TblCreate", kv_.TblCreate(nullptr, "NM"), 0},
        {"TblIsExist", kv_.TblIsExist(nullptr, "NM"), 0},
        {"TblFree", kv_.TblFree(nullptr), 0},
        {"TblOpen", kv_.TblOpen(nullptr), 0},
        {"TblClose", kv_.TblClose(nullptr), 0},
        {"TblRefresh", kv_.TblRefresh(nullptr), 0},
        {"TblIsOpen", kv_.TblIsOpen(nullptr), 0},
        {"CardRecGet", kv_.CardRecGet(nullptr, &card, 1), 0},
        {"CardRecInsert", kv_.CardRecInsert(nullptr, &card), 0},
        {"CardRecUpdate", kv_.CardRecUpdate(nullptr, &card), 0},
        {"RecDelete", kv_.RecDelete(nullptr), 0},
        {"RecFirst", kv_.RecFirst(nullptr), 0},
        {"RecPrev", kv_.RecPrev(nullptr), 0},
        {"RecNext", kv_.RecNext(nullptr), 0},
        {"RecLast", kv_.RecLast(nullptr), 0},
        {"RecGoto", kv_.RecGoto(nullptr, 1), 0},
        {"RecFindFirst", kv_.RecFindFirst(nullptr, "CName = 'a'"), 0},
        {"RecFindLast", kv_.RecFindLast(nullptr, "CName = 'a'"), 0},
        {"RecFindNext", kv_.RecFindNext(nullptr, "CName = 'a'"), 0},
        {"RecFindPrev", kv_.RecFindPrev(nullptr, "CName = 'a'"), 0},
        {"RecFindFirstDate", kv_.RecFindFirstDate(nullptr, "CDate", 2002, 11, 5, 9, 7, 3), 0},
        {"RecFindLastDate", kv_.RecFindLastDate(nullptr, "CDate", 2002, 11, 5, 9, 7, 3), 0},
        {"RecFindNextDate", kv_.RecFindNextDate(nullptr, "CDate", 2002, 11, 5, 9, 7, 3), 0},
        {"RecFindPrevDate", kv_.RecFindPrevDate(nullptr, "CDate", 2002, 11, 5, 9, 7, 3), 0},
        {"RecNum", kv_.RecNum(nullptr), -1},
        {"TblNRecs", kv_.TblNRecs(nullptr), -1},
        {"RecIsBOF", kv_.RecIsBOF(nullptr), 1},
        {"RecIsEOF", kv_.RecIsEOF(nullptr), 1},
        {"CloseDatabase", kv_.CloseDatabase(nullptr), 1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
    HKVTBL out = reinterpret_cast<HKVTBL>(0x1234);
    EXPECT_EQ(kv_.TblNew(nullptr, "NM", &out), 0);
    EXPECT_EQ(out, reinterpret_cast<HKVTBL>(0x1234));
    kv_.SetFilter(nullptr, "x");
    kv_.KeyAdd(nullptr, "CName");
    kv_.KeyDrop(nullptr, "CName");
    kv_.KeyClear(nullptr);
    kv_.SetSortOrder(nullptr, 1);
    EXPECT_EQ(std::memcmp(&card, &before, sizeof card), 0);
    EXPECT_TRUE(DaoReports().empty());
}

TEST_F(InterfaceTest, UnknownDatabaseTypesMakeNothing) {
    for (int type : {0, 29, 32, -1}) {
        HKVDB out = reinterpret_cast<HKVDB>(0x5678);
        EXPECT_EQ(kv_.OpenDatabase(type, PathOf("x.mdb").c_str(), &out), 0) << type;
        EXPECT_EQ(kv_.OpenDatabaseEx(type, PathOf("x.mdb").c_str(), "u", "p", &out), 0) << type;
        EXPECT_EQ(kv_.CreateDatabase(type, PathOf("x.mdb").c_str(), 0, &out), 0) << type;
        EXPECT_EQ(out, reinterpret_cast<HKVDB>(0x5678)) << type;
    }
    EXPECT_FALSE(PathExists(PathOf("x.mdb")));
}

TEST_F(InterfaceTest, EngineFlagSurvivesCloseButNotExit) {
    kv_.DbeExit();
    EXPECT_GT(kv_.DbeInit(), 1) << "the first call names the engine";
    EXPECT_EQ(kv_.DbeInit(), 1);
    EXPECT_EQ(kv_.CloseDatabase(nullptr), 1);
    EXPECT_EQ(kv_.DbeInit(), 1) << "closing destroys the engine but keeps the flag";
    kv_.DbeExit();
    EXPECT_GT(kv_.DbeInit(), 1);
    kv_.DbeExit();
}

TEST_F(InterfaceTest, DateStatementNeedsRoomForItsTerminator) {
    char text[32];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(kv_.MakeDateStmt(0, 2002, 11, 5, 9, 7, 3, text, 19), 0);
    EXPECT_EQ(text[0], 'x') << "nothing written when it does not fit";
    EXPECT_EQ(kv_.MakeDateStmt(12345, 2002, 11, 5, 9, 7, 3, text, 20), 1);
    EXPECT_STREQ(text, "#11-5-2002 9:07:03#");
    EXPECT_EQ(kv_.MakeDateStmt(0, 1999, 12, 31, 23, 59, 0, text, sizeof text), 1);
    EXPECT_STREQ(text, "#12-31-1999 23:59:00#");
    EXPECT_EQ(kv_.MakeDateStmt(0, 2002, 11, 5, 9, 7, 3, nullptr, 100), 0);
    EXPECT_EQ(kv_.MakeDateStmt(0, 2002, 11, 5, 9, 7, 3, text, -1), 0);
}

TEST_F(InterfaceTest, ExchangeStubsAndTableDeleteDoNothing) {
    EXPECT_EQ(kv_.ExpToDBF(0), 1);
    EXPECT_EQ(kv_.ExpToODBC(7), 1);
    EXPECT_EQ(kv_.ImpFromDBF(0), 1);
    EXPECT_EQ(kv_.ImpFromODBC(-3), 1);
    NewCardFile();
    EXPECT_EQ(kv_.TblDelete(db_, KVDB_CARD_TABLE), 0);
    EXPECT_EQ(kv_.TblIsExist(db_, KVDB_CARD_TABLE), 1);
}
