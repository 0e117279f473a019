// Times the card database engine against raw SQLite with the same journal and sync settings,
// at 1,000 and 10,000 cards, and prints each figure as a ratio to the raw one.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "kvdb32.h"
#include "sqlite3.h"

namespace {

struct Kv {
    HMODULE dll = LoadLibraryA("kvdb32.dll");
    template <class Fn> Fn get(const char* name) { return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, name))); }
    decltype(&kvCreateDatabase) CreateDatabase = get<decltype(&kvCreateDatabase)>("_kvCreateDatabase@16");
    decltype(&kvCloseDatabase) CloseDatabase = get<decltype(&kvCloseDatabase)>("_kvCloseDatabase@4");
    decltype(&kvTblCreate) TblCreate = get<decltype(&kvTblCreate)>("_kvTblCreate@8");
    decltype(&kvTblNew) TblNew = get<decltype(&kvTblNew)>("_kvTblNew@12");
    decltype(&kvTblFree) TblFree = get<decltype(&kvTblFree)>("_kvTblFree@4");
    decltype(&kvTblOpen) TblOpen = get<decltype(&kvTblOpen)>("_kvTblOpen@4");
    decltype(&kvTblClose) TblClose = get<decltype(&kvTblClose)>("_kvTblClose@4");
    decltype(&kvKeyAdd) KeyAdd = get<decltype(&kvKeyAdd)>("_kvKeyAdd@8");
    decltype(&kvStartTransation) StartTransation = get<decltype(&kvStartTransation)>("_kvStartTransation@4");
    decltype(&kvCommit) Commit = get<decltype(&kvCommit)>("_kvCommit@4");
    decltype(&kvCardRecInsert) CardRecInsert = get<decltype(&kvCardRecInsert)>("_kvCardRecInsert@8");
    decltype(&kvCardRecGet) CardRecGet = get<decltype(&kvCardRecGet)>("_kvCardRecGet@12");
    decltype(&kvRecFirst) RecFirst = get<decltype(&kvRecFirst)>("_kvRecFirst@4");
    decltype(&kvRecNext) RecNext = get<decltype(&kvRecNext)>("_kvRecNext@4");
    decltype(&kvRecIsEOF) RecIsEOF = get<decltype(&kvRecIsEOF)>("_kvRecIsEOF@4");
    decltype(&kvRecGoto) RecGoto = get<decltype(&kvRecGoto)>("_kvRecGoto@8");
    decltype(&kvRecFindFirst) RecFindFirst = get<decltype(&kvRecFindFirst)>("_kvRecFindFirst@8");
    decltype(&kvRecFindNext) RecFindNext = get<decltype(&kvRecFindNext)>("_kvRecFindNext@8");
    decltype(&kvTblNRecs) TblNRecs = get<decltype(&kvTblNRecs)>("_kvTblNRecs@4");
};

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Time(const std::function<void()>& work)
{
    const double start = Now();
    work();
    return Now() - start;
}

const char* const kSurnames[] = {"Smith", "Jones", "Brown", "Sanders", "Taylor", "Stone", "Miller", "Blacksmith", "Wilson", "Moore"};

CardRec MakeCard(int n)
{
    CardRec card;
    std::memset(&card, 0, sizeof card);
    std::snprintf(card.CName, sizeof card.CName, "%s %05d", kSurnames[(n * 7) % 10], (n * 7919) % 100000);
    std::snprintf(card.Company, sizeof card.Company, "Company %d", n % 97);
    std::snprintf(card.Title, sizeof card.Title, "Title %d", n % 13);
    std::snprintf(card.EMail, sizeof card.EMail, "user%d@example.com", n);
    std::snprintf(card.OPhone, sizeof card.OPhone, "+1 555 %04d", n % 10000);
    std::snprintf(card.Address, sizeof card.Address, "%d Main Street", n);
    std::snprintf(card.City, sizeof card.City, "City %d", n % 50);
    std::snprintf(card.Zip, sizeof card.Zip, "%05d", n % 99999);
    const int32_t date[6] = {2004, 1 + n % 12, 1 + n % 28, n % 24, n % 60, n % 60};
    std::memcpy(card.CDate, date, sizeof date);
    return card;
}

const char* const kTextColumns[] = {"CNAME", "ENAME", "ALIASE", "COMTYPE", "COMPANY", "CNUMBER", "TITLE", "DEPARTMENT", "EMAIL",
                                    "OPHONE", "HPHONE", "PPHONE", "BBCALL", "FAX", "ADDRESS", "CITY", "STATE", "ZIP",
                                    "COUNTRY", "ALTNAME", "ALTADDRESS", "ALTCITY", "ALTSTATE", "ALTZIP", "CATEGORY1",
                                    "CATEGORY2", "USER1", "USER2", "USER3", "USER4", "USER5", "USER6", "USER7", "USER8", "USER9"};
const char kFreeTextKv[] =
    "CName like '*smith*' Or Company like '*smith*' Or Title like '*smith*' Or EMail like '*smith*' Or "
    "Address like '*smith*' Or City like '*smith*' Or AltName like '*smith*' Or User1 like '*smith*'";
const char kFreeTextSql[] =
    "CNAME LIKE '%smith%' OR COMPANY LIKE '%smith%' OR TITLE LIKE '%smith%' OR EMAIL LIKE '%smith%' OR "
    "ADDRESS LIKE '%smith%' OR CITY LIKE '%smith%' OR ALTNAME LIKE '%smith%' OR USER1 LIKE '%smith%'";

// The same work on raw SQLite: one prepared statement per task, the table's own columns.
struct Raw {
    sqlite3* db = nullptr;

    explicit Raw(const std::string& path)
    {
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
        std::string create = "CREATE TABLE NM (ID INTEGER PRIMARY KEY AUTOINCREMENT, LINKID INTEGER, CDATE REAL";
        for (const char* c : kTextColumns) create += std::string(", ") + c + " TEXT COLLATE NOCASE";
        create += ", FLAGS INTEGER, SECONDTEXT TEXT, CNOTE TEXT, CIMAGE BLOB); CREATE INDEX LinkID ON NM(LINKID);";
        sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr);
    }
    ~Raw() { sqlite3_close(db); }

    void Insert(int count, bool oneTransaction)
    {
        std::string sql = "INSERT INTO NM (LINKID, CDATE";
        for (const char* c : kTextColumns) sql += std::string(", ") + c;
        sql += ", FLAGS) VALUES (?, ?";
        for (size_t i = 0; i < 35; ++i) sql += ", ?";
        sql += ", ?)";
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
        if (oneTransaction) sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (int n = 0; n < count; ++n) {
            const CardRec card = MakeCard(n);
            if (!oneTransaction) sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            sqlite3_bind_int(insert, 1, card.LinkID);
            sqlite3_bind_double(insert, 2, 38000.0 + n);
            const char* text = card.CName;
            static const size_t widths[35] = {51, 51, 51, 21, 61, 21, 81, 31, 51, 31, 31, 31, 31, 31, 256, 31, 31, 11,
                                              21, 51, 256, 31, 31, 11, 51, 51, 51, 51, 51, 51, 51, 51, 51, 51, 51};
            for (int i = 0; i < 35; text += widths[i++]) {
                if (*text)
                    sqlite3_bind_text(insert, 3 + i, text, -1, SQLITE_TRANSIENT);
                else
                    sqlite3_bind_null(insert, 3 + i);
            }
            sqlite3_bind_int(insert, 38, card.Flags);
            sqlite3_step(insert);
            sqlite3_reset(insert);
            if (!oneTransaction) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        }
        if (oneTransaction) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_finalize(insert);
    }

    // Steps through the rows, copying every column it reads as a card record would.
    int Walk(const std::string& sql, bool withLong)
    {
        sqlite3_stmt* select = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &select, nullptr);
        int rows = 0;
        char sink[16384];
        const int columns = withLong ? sqlite3_column_count(select) : sqlite3_column_count(select) - 3;
        while (sqlite3_step(select) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                const unsigned char* text = sqlite3_column_text(select, c);
                if (text) std::memcpy(sink, text, std::min(std::strlen(reinterpret_cast<const char*>(text)), sizeof sink - 1));
            }
            ++rows;
        }
        sqlite3_finalize(select);
        return rows;
    }

    // Goes to cards by their number in name order: the sorted keys once, then each row by key.
    void Goto(const std::vector<int>& numbers)
    {
        std::vector<sqlite3_int64> ids;
        sqlite3_stmt* keys = nullptr;
        sqlite3_prepare_v2(db, "SELECT ID FROM NM ORDER BY CNAME", -1, &keys, nullptr);
        while (sqlite3_step(keys) == SQLITE_ROW) ids.push_back(sqlite3_column_int64(keys, 0));
        sqlite3_finalize(keys);
        sqlite3_stmt* row = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM NM WHERE ID = ?", -1, &row, nullptr);
        char sink[256];
        for (int n : numbers) {
            sqlite3_bind_int64(row, 1, ids[static_cast<size_t>(n - 1)]);
            if (sqlite3_step(row) == SQLITE_ROW)
                for (int c = 0; c < sqlite3_column_count(row) - 3; ++c)
                    if (const unsigned char* text = sqlite3_column_text(row, c))
                        std::memcpy(sink, text, std::min(std::strlen(reinterpret_cast<const char*>(text)), sizeof sink - 1));
            sqlite3_reset(row);
        }
        sqlite3_finalize(row);
    }

    int Count()
    {
        sqlite3_stmt* count = nullptr;
        sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM NM", -1, &count, nullptr);
        sqlite3_step(count);
        const int n = sqlite3_column_int(count, 0);
        sqlite3_finalize(count);
        return n;
    }
};

struct Engine {
    Kv& kv;
    HKVDB db = nullptr;
    HKVTBL ds = nullptr;

    Engine(Kv& api, const std::string& path) : kv(api)
    {
        kv.CreateDatabase(KVDB_TYPE_JET, path.c_str(), 0, &db);
        kv.TblCreate(db, KVDB_CARD_TABLE);
        Open();
    }
    ~Engine()
    {
        kv.TblFree(ds);
        kv.CloseDatabase(db);
    }
    void Open()
    {
        if (ds) kv.TblFree(ds);
        kv.TblNew(db, KVDB_CARD_TABLE, &ds);
        kv.KeyAdd(ds, "CName");
        kv.TblOpen(ds);
    }

    void Insert(int count, bool oneTransaction)
    {
        if (oneTransaction) kv.StartTransation(db);
        for (int n = 0; n < count; ++n) {
            const CardRec card = MakeCard(n);
            if (!oneTransaction) kv.StartTransation(db);
            kv.CardRecInsert(ds, &card);
            if (!oneTransaction) kv.Commit(db);
        }
        if (oneTransaction) kv.Commit(db);
    }

    int Walk(bool withLong)
    {
        Open();
        CardRec card;
        int rows = 0;
        for (kv.RecFirst(ds); !kv.RecIsEOF(ds); kv.RecNext(ds)) rows += kv.CardRecGet(ds, &card, withLong ? 1 : 0);
        return rows;
    }

    int Find(const char* criteria)
    {
        int found = 0;
        for (int ok = kv.RecFindFirst(ds, criteria); ok; ok = kv.RecFindNext(ds, criteria)) ++found;
        return found;
    }

    void Goto(const std::vector<int>& numbers)
    {
        CardRec card;
        for (int n : numbers) {
            kv.RecGoto(ds, n);
            kv.CardRecGet(ds, &card, 0);
        }
    }
};

void Report(const char* what, int cards, double engine, double raw)
{
    std::printf("%-44s %6d cards  engine %9.2f ms  raw %9.2f ms  ratio %6.2f\n", what, cards, engine * 1000, raw * 1000,
                raw > 0 ? engine / raw : 0.0);
}

void Run(Kv& kv, const std::string& folder, int cards)
{
    const std::string enginePath = folder + "bench_engine.mdb", rawPath = folder + "bench_raw.db";
    const std::string engineBulk = folder + "bench_engine_bulk.mdb", rawBulk = folder + "bench_raw_bulk.db";
    for (const std::string& p : {enginePath, rawPath, engineBulk, rawBulk}) DeleteFileA(p.c_str());
    {
        // Card by card only up to 1,000: each commit waits for the disk, so the figure is linear by nature.
        const int each = cards < 1000 ? cards : 1000;
        Engine engine(kv, enginePath);
        Raw raw(rawPath);
        const double e = Time([&] { engine.Insert(each, false); });
        const double r = Time([&] { raw.Insert(each, false); });
        Report("insert, commit per card", each, e, r);
    }
    Engine engine(kv, engineBulk);
    Raw raw(rawBulk);
    double e = Time([&] { engine.Insert(cards, true); });
    double r = Time([&] { raw.Insert(cards, true); });
    Report("insert, one transaction", cards, e, r);

    int rows = 0;
    e = Time([&] { rows = engine.Walk(false); });
    r = Time([&] { raw.Walk("SELECT * FROM NM ORDER BY CNAME", false); });
    Report("open sorted by CName + walk with Get", rows, e, r);
    e = Time([&] { engine.Walk(true); });
    r = Time([&] { raw.Walk("SELECT * FROM NM ORDER BY CNAME", true); });
    Report("open sorted by CName + walk with Get (long)", rows, e, r);

    int found = 0;
    e = Time([&] { found = engine.Find("CName like 'S*'"); });
    r = Time([&] { raw.Walk("SELECT * FROM NM WHERE CNAME LIKE 'S%' ORDER BY CNAME", false); });
    Report(("find first/next CName like 'S*' (" + std::to_string(found) + ")").c_str(), cards, e, r);
    e = Time([&] { found = engine.Find(kFreeTextKv); });
    r = Time([&] { raw.Walk(std::string("SELECT * FROM NM WHERE ") + kFreeTextSql + " ORDER BY CNAME", false); });
    Report(("find first/next '*smith*' in 8 columns (" + std::to_string(found) + ")").c_str(), cards, e, r);

    std::vector<int> numbers;
    std::srand(11);
    for (int i = 0; i < 1000; ++i) numbers.push_back(1 + std::rand() % cards);
    e = Time([&] { engine.Goto(numbers); });
    r = Time([&] { raw.Goto(numbers); });
    Report("goto 1,000 random cards + Get", cards, e, r);

    e = Time([&] { engine.kv.TblNRecs(engine.ds); });
    r = Time([&] { raw.Count(); });
    Report("count records", cards, e, r);
}

}  // namespace

int main()
{
    Kv kv;
    if (!kv.dll || !kv.TblNRecs) {
        std::printf("kvdb32.dll not found beside the benchmark\n");
        return 1;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (int cards : {1000, 10000}) Run(kv, temp, cards);
    return 0;
}
