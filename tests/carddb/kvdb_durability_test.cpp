// Card files in harder conditions: a writer killed mid-work, and a file of 10,000 cards.
#include <cstdio>
#include <cstdlib>

#include "kvdb_fixture.h"

namespace {

const char kChildSwitch[] = "--kvdb-writer=";
const char kCounterName[] = "Local\\kvdb_test_committed_cards";

std::string CardName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "Child%05d", n);
    return name;
}

// The child: inserts and commits cards one at a time into the card file named on its command
// line, publishing how many are committed, until it is killed.
int RunWriter(const char* path) {
    DllModule dll("kvdb32.dll");
    KvdbApi kv;
    kv.Load(dll);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kCounterName);
    volatile LONG* committed =
        mapping ? static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG))) : nullptr;
    HKVDB db = nullptr;
    HKVTBL ds = nullptr;
    if (!committed || kv.OpenDatabase(KVDB_TYPE_JET, path, &db) != 1 || kv.TblNew(db, KVDB_CARD_TABLE, &ds) != 1 ||
        kv.TblOpen(ds) != 1)
        return 2;
    for (int n = 1;; ++n) {
        const CardRec card = MakeCard(CardName(n).c_str(), "Crash & Co.");
        kv.StartTransation(db);
        if (kv.CardRecInsert(ds, &card) != 1 || kv.Commit(db) != 1) return 3;
        InterlockedExchange(const_cast<LONG*>(committed), n);
    }
}

// Runs before the test framework when this program was started as the writer.
const int kWriterExit = [] {
    const char* line = GetCommandLineA();
    const char* at = line ? std::strstr(line, kChildSwitch) : nullptr;
    if (!at) return 0;
    std::string path = at + sizeof kChildSwitch - 1;
    if (!path.empty() && path.back() == '"') path.pop_back();
    ExitProcess(static_cast<UINT>(RunWriter(path.c_str())));
    return 0;
}();

// Starts this program as the writer on the card file.
bool StartWriter(const std::string& path, PROCESS_INFORMATION* child) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" " + kChildSwitch + path;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, child) != 0;
}

// A writer started on a card file, with the shared counter of the cards it has committed.
class Writer {
public:
    explicit Writer(const std::string& path) {
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), kCounterName);
        if (mapping_)
            committed_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
        if (committed_) *committed_ = 0;
        started_ = committed_ && StartWriter(path, &child_);
    }
    ~Writer() {
        Kill();
        if (committed_) UnmapViewOfFile(const_cast<LONG*>(committed_));
        if (mapping_) CloseHandle(mapping_);
    }
    bool Started() const { return started_; }
    int Committed() const { return committed_ ? *committed_ : 0; }

    // Waits up to a minute until `count` cards are committed or the writer ends on its own.
    bool WaitForCommits(int count) {
        for (int waited = 0; Committed() < count && waited < 60000; waited += 10)
            if (WaitForSingleObject(child_.hProcess, 10) == WAIT_OBJECT_0) break;
        return Committed() >= count;
    }

    // Kills the writer (if it still runs) and gives its exit code.
    DWORD Kill() {
        if (!child_.hProcess) return exitCode_;
        TerminateProcess(child_.hProcess, 9);
        WaitForSingleObject(child_.hProcess, INFINITE);
        GetExitCodeProcess(child_.hProcess, &exitCode_);
        CloseHandle(child_.hThread);
        CloseHandle(child_.hProcess);
        child_ = {};
        return exitCode_;
    }

private:
    HANDLE mapping_ = nullptr;
    volatile LONG* committed_ = nullptr;
    PROCESS_INFORMATION child_ = {};
    bool started_ = false;
    DWORD exitCode_ = 0;
};

}  // namespace

using DurabilityTest = KvdbTest;

TEST_F(DurabilityTest, AFileOpenInAnotherProgramIsRefusedUntilItCloses) {
    const std::string path = PathOf("held.mdb");
    kv_.CloseDatabase(CreateCardFile(path));
    Writer writer(path);
    ASSERT_TRUE(writer.Started());
    const bool writing = writer.WaitForCommits(1);

    // While the other program holds the card file, an exclusive open is refused with Jet's
    // "file already in use" (and a handle to close), and so is a compaction.
    HKVDB refused = nullptr;
    const int opened = writing ? kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &refused) : -1;
    if (refused) kv_.CloseDatabase(refused);
    const size_t reportsBefore = DaoReports().size();
    if (writing) kv_.CompactDatabase(0, path.c_str(), PathOf("copy.mdb").c_str(), 0);
    const size_t compactReports = DaoReports().size() - reportsBefore;

    writer.Kill();
    ASSERT_TRUE(writing) << "the writer never committed a card";
    EXPECT_EQ(opened, 3045);
    EXPECT_EQ(compactReports, 1u);
    EXPECT_FALSE(PathExists(PathOf("copy.mdb")));

    // Once it has gone, the file opens again.
    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &db_), 1);
    cards_ = OpenCards(db_);
    EXPECT_GE(kv_.TblNRecs(cards_), 1);
}

TEST_F(DurabilityTest, EveryCommittedCardSurvivesAKilledWriter) {
    const std::string path = PathOf("crash.mdb");
    kv_.CloseDatabase(CreateCardFile(path));

    Writer writer(path);
    ASSERT_TRUE(writer.Started());
    writer.WaitForCommits(150);
    const DWORD exitCode = writer.Kill();
    const int done = writer.Committed();
    ASSERT_EQ(exitCode, 9u) << "the writer stopped on its own";
    ASSERT_GE(done, 150);

    ASSERT_EQ(kv_.OpenDatabase(KVDB_TYPE_JET, path.c_str(), &db_), 1) << "the file of a killed writer opens";
    cards_ = OpenCards(db_);
    const int count = kv_.TblNRecs(cards_);
    EXPECT_GE(count, done);
    EXPECT_LE(count, done + 1) << "at most the card being committed when it was killed";
    const std::vector<std::string> names = Names(cards_);
    for (int n = 1; n <= done && n <= static_cast<int>(names.size()); ++n) ASSERT_EQ(names[n - 1], CardName(n));
    Store(MakeCard("After the crash"));
    EXPECT_TRUE(DaoReports().empty());
}

TEST_F(DurabilityTest, TenThousandCards) {
    NewCardFile("many.mdb");
    ASSERT_EQ(kv_.StartTransation(db_), 1);
    for (int n = 0; n < 10000; ++n) {
        // Names run backwards so that the sorted order differs from the insertion order.
        char name[32];
        std::snprintf(name, sizeof name, "Name%05d", 9999 - n);
        CardRec card = MakeCard(name, n % 10 == 0 ? "Smith & Sons" : "Other");
        card.LinkID = n;
        ASSERT_EQ(kv_.CardRecInsert(cards_, &card), 1);
    }
    ASSERT_EQ(kv_.Commit(db_), 1);
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(kv_.TblNRecs(cards_), 10000);

    std::srand(7);
    for (int i = 0; i < 200; ++i) {
        const int n = 1 + std::rand() % 10000;
        ASSERT_EQ(kv_.RecGoto(cards_, n), 1);
        CardRec card = MakeCard("");
        ASSERT_EQ(kv_.CardRecGet(cards_, &card, 1), 1);
        char expected[32];
        std::snprintf(expected, sizeof expected, "Name%05d", n - 1);
        ASSERT_STREQ(card.CName, expected);
        EXPECT_EQ(card.LinkID, 9999 - (n - 1));
        EXPECT_EQ(kv_.RecNum(cards_), n);
    }
    int found = 0;
    for (int ok = kv_.RecFindFirst(cards_, "Company like '*smith*'"); ok;
         ok = kv_.RecFindNext(cards_, "Company like '*smith*'"))
        ++found;
    EXPECT_EQ(found, 1000);
    EXPECT_TRUE(DaoReports().empty());
}
