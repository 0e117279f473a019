// The engine object: one entry per operation of the card database, each guarding its handle
// and forwarding to the database or dataset object. It keeps no state, so any instance (or
// none, through the flat interface) behaves the same.
#pragma once
#include "cardrec.h"
#include "kvdb_database.h"
#include "kvdb_dataset.h"

// A closed database object of the type code (30 dBASE folder, 31 Jet file); null otherwise.
CkvDatabase* NewDatabase(int type);

class CkvDBEngine {
public:
    CkvDBEngine() = default;
    virtual ~CkvDBEngine() = default;

    // Type 31 Jet file (exclusive), type 30 dBASE folder. 1 open; otherwise 0 with the error
    // shown through the DAO error report and *out null. Other types: 0, *out untouched.
    int OpenDatabase(int type, const char* path, CkvDatabase** out);
    // Shared open with user and password. 1 open; otherwise 0 (the error was shown), *out null.
    int OpenDatabaseEx(int type, const char* path, const char* user, const char* password, CkvDatabase** out);
    // Type 31: a new Jet file collated by the locale string (see LocaleForLanguage). 1 created;
    // otherwise 0 (the error was shown: existing file, bad path) and *out null.
    int CreateDatabase(int type, const char* path, const char* locale, CkvDatabase** out);
    // Closes the store when open, then compacts source into target. 1, or 0 (shown).
    int CompactDatabase(CkvDatabase* db, const char* source, const char* target, const char* locale);
    // Closes the store and deletes its object. 1 (also for null).
    int CloseDatabase(CkvDatabase* db);

    // 1 begun/ended, 2 when already open (start) or none open (commit, rollback), 0 for null or
    // after a database error (shown).
    int StartTransation(CkvDatabase* db);
    int Commit(CkvDatabase* db);
    int Rollback(CkvDatabase* db);

    int TblIsExist(CkvDatabase* db, const char* name);
    // Layout 0 flat, 1 V4, with the indexes "PrimaryKey" and "LinkID". 1, or 0 (null, shown error).
    int TblCreate(CkvDatabase* db, const char* name, int layout);
    int TblDelete(CkvDatabase* db, const char* name);
    int TblNew(CkvDatabase* db, const char* name, CkvDataset** out);
    // Deletes the dataset (closing it first). 1, 0 for null.
    int TblFree(CkvDataset* ds);

    int TblOpen(CkvDataset* ds);
    int TblClose(CkvDataset* ds);
    int TblRefresh(CkvDataset* ds);
    int TblIsOpen(CkvDataset* ds);
    void SetFilter(CkvDataset* ds, const char* filter);
    void KeyAdd(CkvDataset* ds, const char* column);
    void KeyDrop(CkvDataset* ds, const char* column);
    void KeyClear(CkvDataset* ds);
    void SetSortOrder(CkvDataset* ds, int order);

    int CardRecGet(CkvDataset* ds, CardRec* rec, int withLong);
    int CardRecInsert(CkvDataset* ds, const CardRec* rec);
    int CardRecUpdate(CkvDataset* ds, const CardRec* rec);
    int CardRecGetV4(CkvDataset* ds, CardRecV4* rec, int withImages);
    int CardRecInsertV4(CkvDataset* ds, CardRecV4* rec);
    int CardRecUpdateV4(CkvDataset* ds, CardRecV4* rec);
    int RecDelete(CkvDataset* ds);

    int RecFirst(CkvDataset* ds);
    int RecPrev(CkvDataset* ds);
    int RecNext(CkvDataset* ds);
    int RecLast(CkvDataset* ds);
    int RecGoto(CkvDataset* ds, int n);
    int RecFindFirst(CkvDataset* ds, const char* criteria);
    int RecFindLast(CkvDataset* ds, const char* criteria);
    int RecFindNext(CkvDataset* ds, const char* criteria);
    int RecFindPrev(CkvDataset* ds, const char* criteria);

    // -1 for null.
    int RecNum(CkvDataset* ds);
    int TblNRecs(CkvDataset* ds);
    // 1 for null.
    int RecIsBOF(CkvDataset* ds);
    int RecIsEOF(CkvDataset* ds);
};
