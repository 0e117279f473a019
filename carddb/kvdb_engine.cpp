#include "kvdb_engine.h"

#include <memory>
#include <new>

#include "kvdb_dao_database.h"
#include "kvdb_daoguard.h"
#include "kvdb_dbf_database.h"

const char* LocaleForLanguage(int language) {
    switch (language) {
    case 1: return ";LANGID=0x0404;CP=950;COUNTRY=0";
    case 2: return ";LANGID=0x0804;CP=936;COUNTRY=0";
    case 3: return ";LANGID=0x0411;CP=932;COUNTRY=0";
    case 4: return ";LANGID=0x0412;CP=949;COUNTRY=0";
    default: return ";LANGID=0x0409;CP=1252;COUNTRY=0";
    }
}

CkvDatabase* NewDatabase(int type) {
    if (type == KV_DB_JET) return new (std::nothrow) CkvDaoDatabase;
    if (type == KV_DB_DBASE) return new (std::nothrow) CkvDBFDatabase;
    return nullptr;
}

namespace {

// Keeps the new store only when the step made it usable; a failure has been shown.
int KeepIfDone(std::unique_ptr<CkvDatabase> db, int result, CkvDatabase** out) {
    *out = result == 1 ? db.release() : nullptr;
    return result == 1 ? 1 : 0;
}

}  // namespace

int CkvDBEngine::OpenDatabase(int type, const char* path, CkvDatabase** out) {
    if (!out || (type != KV_DB_JET && type != KV_DB_DBASE)) return 0;
    std::unique_ptr<CkvDatabase> db(NewDatabase(type));
    if (!db) return 0;
    const int result = db->OpenDatabase(path);
    if (result != 1) {
        const KvOpenError& error = db->LastOpenError();
        ReportDaoError(error.number, error.source.c_str(), error.description.c_str());
    }
    return KeepIfDone(std::move(db), result, out);
}

int CkvDBEngine::OpenDatabaseEx(int type, const char* path, const char* user, const char* password, CkvDatabase** out) {
    if (!out || (type != KV_DB_JET && type != KV_DB_DBASE)) return 0;
    std::unique_ptr<CkvDatabase> db(NewDatabase(type));
    if (!db) return 0;
    const int result = db->OpenDatabaseEx(path, user, password);
    return KeepIfDone(std::move(db), result, out);
}

int CkvDBEngine::CreateDatabase(int type, const char* path, const char* locale, CkvDatabase** out) {
    if (!out || type != KV_DB_JET) return 0;
    std::unique_ptr<CkvDatabase> db(NewDatabase(type));
    if (!db) return 0;
    const int result = db->CreateDatabase(path, locale);
    return KeepIfDone(std::move(db), result, out);
}

int CkvDBEngine::CompactDatabase(CkvDatabase* db, const char* source, const char* target, const char* locale) {
    return db ? db->CompactDatabase(source, target, locale) : 0;
}

int CkvDBEngine::CloseDatabase(CkvDatabase* db) {
    if (db) {
        db->CloseDatabase();
        delete db;
    }
    return 1;
}

int CkvDBEngine::StartTransation(CkvDatabase* db) {
    return db ? GuardDao([&] { return db->StartTransation(); }) : 0;
}

int CkvDBEngine::Commit(CkvDatabase* db) {
    return db ? GuardDao([&] { return db->Commit(); }) : 0;
}

int CkvDBEngine::Rollback(CkvDatabase* db) {
    return db ? GuardDao([&] { return db->Rollback(); }) : 0;
}

int CkvDBEngine::TblIsExist(CkvDatabase* db, const char* name) { return db ? db->TblIsExist(name) : 0; }
int CkvDBEngine::TblCreate(CkvDatabase* db, const char* name, int layout) {
    return db ? db->TblCreate(name, layout) : 0;
}
int CkvDBEngine::TblDelete(CkvDatabase* db, const char* name) { return db ? db->TblDelete(name) : 0; }

int CkvDBEngine::TblNew(CkvDatabase* db, const char* name, CkvDataset** out) {
    return db && out ? db->TblNew(name, out) : 0;
}

int CkvDBEngine::TblFree(CkvDataset* ds) {
    if (!ds) return 0;
    delete ds;
    return 1;
}

int CkvDBEngine::TblOpen(CkvDataset* ds) { return ds ? ds->TblOpen() : 0; }
int CkvDBEngine::TblClose(CkvDataset* ds) { return ds ? ds->TblClose() : 0; }
int CkvDBEngine::TblRefresh(CkvDataset* ds) { return ds ? ds->TblRefresh() : 0; }
int CkvDBEngine::TblIsOpen(CkvDataset* ds) { return ds ? ds->TblIsOpen() : 0; }

void CkvDBEngine::SetFilter(CkvDataset* ds, const char* filter) {
    if (ds) ds->SetFilter(filter);
}

void CkvDBEngine::KeyAdd(CkvDataset* ds, const char* column) {
    if (ds) ds->KeyAdd(column);
}

void CkvDBEngine::KeyDrop(CkvDataset* ds, const char* column) {
    if (ds) ds->KeyDrop(column);
}

void CkvDBEngine::KeyClear(CkvDataset* ds) {
    if (ds) ds->KeyClear();
}

void CkvDBEngine::SetSortOrder(CkvDataset* ds, int order) {
    if (ds) ds->SetSortOrder(order);
}

int CkvDBEngine::CardRecGet(CkvDataset* ds, CardRec* rec, int withLong) {
    return ds ? ds->CardRecGet(rec, withLong) : 0;
}
int CkvDBEngine::CardRecInsert(CkvDataset* ds, const CardRec* rec) { return ds ? ds->CardRecInsert(rec) : 0; }
int CkvDBEngine::CardRecUpdate(CkvDataset* ds, const CardRec* rec) { return ds ? ds->CardRecUpdate(rec) : 0; }

int CkvDBEngine::CardRecGetV4(CkvDataset* ds, CardRecV4* rec, int withImages) {
    return ds ? ds->CardRecGetV4(rec, withImages) : 0;
}

int CkvDBEngine::CardRecInsertV4(CkvDataset* ds, CardRecV4* rec) { return ds ? ds->CardRecInsertV4(rec) : 0; }
int CkvDBEngine::CardRecUpdateV4(CkvDataset* ds, CardRecV4* rec) { return ds ? ds->CardRecUpdateV4(rec) : 0; }
int CkvDBEngine::RecDelete(CkvDataset* ds) { return ds ? ds->RecDelete() : 0; }
int CkvDBEngine::RecFirst(CkvDataset* ds) { return ds ? ds->RecFirst() : 0; }
int CkvDBEngine::RecPrev(CkvDataset* ds) { return ds ? ds->RecPrev() : 0; }
int CkvDBEngine::RecNext(CkvDataset* ds) { return ds ? ds->RecNext() : 0; }
int CkvDBEngine::RecLast(CkvDataset* ds) { return ds ? ds->RecLast() : 0; }
int CkvDBEngine::RecGoto(CkvDataset* ds, int n) { return ds ? ds->RecGoto(n) : 0; }
int CkvDBEngine::RecFindFirst(CkvDataset* ds, const char* criteria) { return ds ? ds->RecFindFirst(criteria) : 0; }
int CkvDBEngine::RecFindLast(CkvDataset* ds, const char* criteria) { return ds ? ds->RecFindLast(criteria) : 0; }
int CkvDBEngine::RecFindNext(CkvDataset* ds, const char* criteria) { return ds ? ds->RecFindNext(criteria) : 0; }
int CkvDBEngine::RecFindPrev(CkvDataset* ds, const char* criteria) { return ds ? ds->RecFindPrev(criteria) : 0; }
int CkvDBEngine::RecNum(CkvDataset* ds) { return ds ? ds->RecNum() : -1; }
int CkvDBEngine::TblNRecs(CkvDataset* ds) { return ds ? ds->TblNRecs() : -1; }
int CkvDBEngine::RecIsBOF(CkvDataset* ds) { return ds ? ds->RecIsBOF() : 1; }
int CkvDBEngine::RecIsEOF(CkvDataset* ds) { return ds ? ds->RecIsEOF() : 1; }
