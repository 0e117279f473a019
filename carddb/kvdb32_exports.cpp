// The flat card database interface: handle guards around the engine's operations.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>

#include "kvdb32.h"
#include "kvdb_datetext.h"
#include "kvdb_dbf_database.h"
#include "kvdb_engine.h"
#include "kvdb_error.h"

namespace {

CkvDBEngine* g_engine = nullptr;
int g_initialised = 0;

// The operations keep no state, so one instance serves every call whether or not the
// process-wide engine exists.
CkvDBEngine& Forward() {
    static CkvDBEngine engine;
    return engine;
}

void CreateEngineOnDemand() {
    if (!g_initialised && !g_engine) g_engine = new (std::nothrow) CkvDBEngine;
}

void DestroyEngine() {
    delete g_engine;
    g_engine = nullptr;
}

CkvDatabase* Db(HKVDB db) { return reinterpret_cast<CkvDatabase*>(db); }
CkvDataset* Ds(HKVTBL ds) { return reinterpret_cast<CkvDataset*>(ds); }
HKVDB Handle(CkvDatabase* db) { return reinterpret_cast<HKVDB>(db); }

bool IsStoreType(int type) { return type == KVDB_TYPE_JET || type == KVDB_TYPE_DBASE; }

std::string DateCriteria(const char* column, int year, int month, int day, int hour, int minute, int second) {
    return std::string(column) + " = " + JetDateLiteral(year, month, day, hour, minute, second);
}

using FindFn = int (CkvDBEngine::*)(CkvDataset*, const char*);

int FindDate(FindFn find, HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
             int second) {
    if (!ds || !column) return 0;
    const std::string criteria = DateCriteria(column, year, month, day, hour, minute, second);
    return (Forward().*find)(Ds(ds), criteria.c_str());
}

}  // namespace

extern "C" {

int KVDB_API kvDbeInit(void) {
    if (g_initialised) return 1;
    g_initialised = 1;
    if (!g_engine) g_engine = new (std::nothrow) CkvDBEngine;
    return g_engine ? static_cast<int>(reinterpret_cast<INT_PTR>(g_engine)) : 0;
}

void KVDB_API kvDbeExit(void) {
    DestroyEngine();
    g_initialised = 0;
}

int KVDB_API kvOpenDatabase(int type, const char* path, HKVDB* out) {
    if (!IsStoreType(type) || !out) return 0;
    CreateEngineOnDemand();
    CkvDatabase* db = NewDatabase(type);
    if (!db) return 0;
    const int result = db->OpenDatabase(path);
    *out = Handle(db);
    return result;
}

int KVDB_API kvOpenDatabaseEx(int type, const char* path, const char* user, const char* password, HKVDB* out) {
    if (!IsStoreType(type) || !out) return 0;
    CreateEngineOnDemand();
    CkvDatabase* db = NewDatabase(type);
    if (!db) return 0;
    db->OpenDatabaseEx(path, user, password);
    *out = Handle(db);
    return 1;
}

int KVDB_API kvCreateDatabase(int type, const char* path, int language, HKVDB* out) {
    if (!IsStoreType(type) || !out) return 0;
    CreateEngineOnDemand();
    CkvDatabase* db = NewDatabase(type);
    if (!db) return 0;
    if (type == KVDB_TYPE_JET) db->CreateDatabase(path, LocaleForLanguage(language));
    *out = Handle(db);
    return 1;
}

int KVDB_API kvCompactDatabase(int, const char* source, const char* target, int language) {
    CreateEngineOnDemand();
    if (CkvDatabase* db = NewDatabase(KVDB_TYPE_JET)) {
        db->OpenDatabase(source);
        db->CloseDatabase();
        db->CompactDatabase(source, target, LocaleForLanguage(language));
        delete db;
    }
    DestroyEngine();
    return 1;
}

int KVDB_API kvCloseDatabase(HKVDB db) {
    Forward().CloseDatabase(Db(db));
    DestroyEngine();
    return 1;
}

int KVDB_API kvStartTransation(HKVDB db) { return Forward().StartTransation(Db(db)) ? 1 : 0; }
int KVDB_API kvCommit(HKVDB db) { return Forward().Commit(Db(db)) ? 1 : 0; }
int KVDB_API kvRollback(HKVDB db) { return Forward().Rollback(Db(db)) ? 1 : 0; }
int KVDB_API kvTblCreate(HKVDB db, const char* table) { return Forward().TblCreate(Db(db), table, 0); }
int KVDB_API kvTblDelete(HKVDB, const char*) { return 0; }
int KVDB_API kvTblIsExist(HKVDB db, const char* table) { return Forward().TblIsExist(Db(db), table); }

int KVDB_API kvTblNew(HKVDB db, const char* table, HKVTBL* out) {
    if (!db || !out) return 0;
    if (dynamic_cast<CkvDBFDatabase*>(Db(db))) return 1;  // a dBASE folder makes no datasets
    CkvDataset* dataset = nullptr;
    if (!Forward().TblNew(Db(db), table, &dataset)) return 0;
    *out = reinterpret_cast<HKVTBL>(dataset);
    return 1;
}

int KVDB_API kvTblFree(HKVTBL ds) { return Forward().TblFree(Ds(ds)); }
int KVDB_API kvTblOpen(HKVTBL ds) { return Forward().TblOpen(Ds(ds)); }
int KVDB_API kvTblClose(HKVTBL ds) { return Forward().TblClose(Ds(ds)); }
int KVDB_API kvTblRefresh(HKVTBL ds) { return Forward().TblRefresh(Ds(ds)); }
int KVDB_API kvTblIsOpen(HKVTBL ds) { return Forward().TblIsOpen(Ds(ds)); }
void KVDB_API kvSetFilter(HKVTBL ds, const char* filter) { Forward().SetFilter(Ds(ds), filter); }
void KVDB_API kvKeyAdd(HKVTBL ds, const char* column) { Forward().KeyAdd(Ds(ds), column); }
void KVDB_API kvKeyDrop(HKVTBL ds, const char* column) { Forward().KeyDrop(Ds(ds), column); }
void KVDB_API kvKeyClear(HKVTBL ds) { Forward().KeyClear(Ds(ds)); }
void KVDB_API kvSetSortOrder(HKVTBL ds, int order) { Forward().SetSortOrder(Ds(ds), order); }
int KVDB_API kvCardRecGet(HKVTBL ds, CardRec* rec, int withLong) { return Forward().CardRecGet(Ds(ds), rec, withLong); }
int KVDB_API kvCardRecInsert(HKVTBL ds, const CardRec* rec) { return Forward().CardRecInsert(Ds(ds), rec); }
int KVDB_API kvCardRecUpdate(HKVTBL ds, const CardRec* rec) { return Forward().CardRecUpdate(Ds(ds), rec); }
int KVDB_API kvRecDelete(HKVTBL ds) { return Forward().RecDelete(Ds(ds)); }
int KVDB_API kvRecFirst(HKVTBL ds) { return Forward().RecFirst(Ds(ds)); }
int KVDB_API kvRecPrev(HKVTBL ds) { return Forward().RecPrev(Ds(ds)); }
int KVDB_API kvRecNext(HKVTBL ds) { return Forward().RecNext(Ds(ds)); }
int KVDB_API kvRecLast(HKVTBL ds) { return Forward().RecLast(Ds(ds)); }
int KVDB_API kvRecGoto(HKVTBL ds, int n) { return Forward().RecGoto(Ds(ds), n); }
int KVDB_API kvRecFindFirst(HKVTBL ds, const char* criteria) { return Forward().RecFindFirst(Ds(ds), criteria); }
int KVDB_API kvRecFindLast(HKVTBL ds, const char* criteria) { return Forward().RecFindLast(Ds(ds), criteria); }
int KVDB_API kvRecFindNext(HKVTBL ds, const char* criteria) { return Forward().RecFindNext(Ds(ds), criteria); }
int KVDB_API kvRecFindPrev(HKVTBL ds, const char* criteria) { return Forward().RecFindPrev(Ds(ds), criteria); }

int KVDB_API kvRecFindFirstDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                                int second) {
    return FindDate(&CkvDBEngine::RecFindFirst, ds, column, year, month, day, hour, minute, second);
}

int KVDB_API kvRecFindLastDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                               int second) {
    return FindDate(&CkvDBEngine::RecFindLast, ds, column, year, month, day, hour, minute, second);
}

int KVDB_API kvRecFindNextDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                               int second) {
    return FindDate(&CkvDBEngine::RecFindNext, ds, column, year, month, day, hour, minute, second);
}

int KVDB_API kvRecFindPrevDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                               int second) {
    return FindDate(&CkvDBEngine::RecFindPrev, ds, column, year, month, day, hour, minute, second);
}

int KVDB_API kvRecNum(HKVTBL ds) { return Forward().RecNum(Ds(ds)); }
int KVDB_API kvTblNRecs(HKVTBL ds) { return Forward().TblNRecs(Ds(ds)); }
int KVDB_API kvRecIsBOF(HKVTBL ds) { return Forward().RecIsBOF(Ds(ds)); }
int KVDB_API kvRecIsEOF(HKVTBL ds) { return Forward().RecIsEOF(Ds(ds)); }

int KVDB_API kvMakeDateStmt(int, int year, int month, int day, int hour, int minute, int second, char* dest,
                            int destSize) {
    const std::string literal = JetDateLiteral(year, month, day, hour, minute, second);
    if (!dest || destSize < 0 || literal.size() + 1 > static_cast<size_t>(destSize)) return 0;
    std::memcpy(dest, literal.c_str(), literal.size() + 1);
    return 1;
}

int KVDB_API kvExpToDBF(int) { return 1; }
int KVDB_API kvExpToODBC(int) { return 1; }
int KVDB_API kvImpFromDBF(int) { return 1; }
int KVDB_API kvImpFromODBC(int) { return 1; }

}  // extern "C"
