// Workspace transactions, including a process killed between a commit and the next commit.
#include <windows.h>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

#include "dao_test_support.h"

namespace {

long CountWhere(CDaoDatabase& db, const char* criteria) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, (std::string("SELECT * FROM NM WHERE ") + criteria).c_str());
    return rs.GetRecordCount();
}

// The child half of the kill test: runs instead of the tests when the test program is
// started with DAO_CHILD_DB set. Commits one card, leaves a second uncommitted, then waits
// to be killed.
struct ChildRun {
    ChildRun() {
        const char* path = std::getenv("DAO_CHILD_DB");
        if (!path) return;
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, std::getenv("DAO_CHILD_EVENT"));
        try {
            CDaoDatabase db;
            db.Open(path, true);
            db.m_pWorkspace->BeginTrans();
            AddCard(db, "committed");
            db.m_pWorkspace->CommitTrans();
            db.m_pWorkspace->BeginTrans();
            AddCard(db, "pending");
            CDaoRecordset rs(&db);
            rs.Open(dbOpenDynaset, "SELECT * FROM NM WHERE CNAME = 'committed'");
            rs.Edit();
            rs.SetFieldValue("LINKID", CDaoValue::FromLong(99));
            rs.Update();
            SetEvent(ready);
            Sleep(INFINITE);
        } catch (CDaoException* e) {
            fprintf(stderr, "child: DAO error %ld %s\n", e->GetErrorCode(), e->GetDescription().c_str());
            e->Delete();
            ExitProcess(3);
        }
    }
} childRun;

class DaoTransactions : public ::testing::Test {
protected:
    void SetUp() override {
        db.Create(dir.File("cards.mdb").c_str());
        CreateCardTable(db);
    }
    ScratchFolder dir;
    CDaoDatabase db;
    CDaoWorkspace& ws = *db.m_pWorkspace;
};

}  // namespace

TEST_F(DaoTransactions, CommitKeepsAndRollbackDropsChanges) {
    ws.BeginTrans();
    AddCard(db, "kept");
    ws.CommitTrans();
    ws.BeginTrans();
    AddCard(db, "dropped");
    EXPECT_EQ(CountWhere(db, "CNAME = 'dropped'"), 1);
    ws.Rollback();
    EXPECT_EQ(CountWhere(db, "CNAME = 'dropped'"), 0);
    EXPECT_EQ(CountWhere(db, "CNAME = 'kept'"), 1);
    EXPECT_FALSE(ws.InTransaction());
    EXPECT_EQ(DaoErrorOf([&] { ws.CommitTrans(); }), daoErrNoTransaction);
    EXPECT_EQ(DaoErrorOf([&] { ws.Rollback(); }), daoErrNoTransaction);
}

TEST_F(DaoTransactions, NestedTransactionRollsBackOnlyItsOwnPart) {
    ws.BeginTrans();
    AddCard(db, "outer");
    ws.BeginTrans();
    AddCard(db, "inner");
    ws.Rollback();
    ws.CommitTrans();
    EXPECT_EQ(CountWhere(db, "CNAME = 'outer'"), 1);
    EXPECT_EQ(CountWhere(db, "CNAME = 'inner'"), 0);
}

TEST(DaoTransactionsOnClose, ClosingWithAnOpenTransactionRollsItBack) {
    ScratchFolder dir;
    const std::string path = dir.File("cards.mdb");
    {
        CDaoDatabase db;
        db.Create(path.c_str());
        CreateCardTable(db);
        db.m_pWorkspace->BeginTrans();
        AddCard(db, "pending");
        db.Close();
    }
    CDaoDatabase db;
    db.Open(path.c_str());
    EXPECT_EQ(CountWhere(db, "CNAME Is Not Null"), 0);
}

TEST(DaoTransactionsKilled, CommittedCardSurvivesAKilledProcessAndTheFileStaysSound) {
    ScratchFolder dir;
    const std::string path = dir.File("cards.mdb");
    {
        CDaoDatabase db;
        db.Create(path.c_str());
        CreateCardTable(db);
    }

    const std::string eventName = "dao_child_ready_" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    SetEnvironmentVariableA("DAO_CHILD_DB", path.c_str());
    SetEnvironmentVariableA("DAO_CHILD_EVENT", eventName.c_str());
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(exe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    SetEnvironmentVariableA("DAO_CHILD_DB", nullptr);
    HANDLE waits[] = {ready, pi.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 60000);
    DWORD childExit = 0;
    GetExitCodeProcess(pi.hProcess, &childExit);
    EXPECT_EQ(woke, WAIT_OBJECT_0) << "the child ended (" << childExit << ") or hung before its uncommitted change";
    TerminateProcess(pi.hProcess, 9);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(ready);

    // The killed holder's exclusive lock is gone with it.
    CDaoDatabase db;
    db.Open(path.c_str(), true);
    EXPECT_EQ(CountWhere(db, "CNAME = 'committed' And LINKID = 0"), 1);
    EXPECT_EQ(CountWhere(db, "CNAME = 'pending'"), 0);
    EXPECT_EQ(CountWhere(db, "LINKID = 99"), 0);
    db.Close();

    // An independent look at the file itself.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &check, nullptr);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(raw);
}
