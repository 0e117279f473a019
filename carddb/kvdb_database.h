// A card store: a Jet database file or a folder of dBASE III files.
#pragma once
#include <string>

class CkvDataset;

// Card table layouts of TblCreate.
enum { KV_LAYOUT_FLAT = 0, KV_LAYOUT_V4 = 1 };

// Database type codes of the engine.
enum { KV_DB_DBASE = 30, KV_DB_JET = 31 };

// What the last failed open of a database object raised, for callers that show it themselves.
struct KvOpenError {
    int number = 0;
    std::string source;
    std::string description;
};

class CkvDatabase {
public:
    CkvDatabase() = default;
    CkvDatabase(const CkvDatabase&) = delete;
    CkvDatabase& operator=(const CkvDatabase&) = delete;

    // Runs an action statement, failing on any error. 1, or 0 after a reported error.
    virtual int Execute(const char* sql) = 0;
    // 1 open; 0 returned without an open store; else the database error number (never 1).
    // Shows nothing: the error is kept in LastOpenError().
    virtual int OpenDatabase(const char* path) = 0;
    // Shared open with ";UID=%s;PWD=%s". 1, or 0 after a reported error.
    virtual int OpenDatabaseEx(const char* path, const char* user, const char* password) = 0;
    // Creates the store collated by the locale string. 1, or 0 after a reported error.
    virtual int CreateDatabase(const char* path, const char* locale) = 0;
    virtual int CloseDatabase() = 0;
    // One transaction level: 1 begun/ended, 2 when already open (start) or none open (end).
    // The flag is read back from the file first: a file that rolled back on its own has none.
    // Database errors are not caught here: they reach the caller.
    virtual int StartTransation() = 0;
    virtual int Commit() = 0;
    virtual int Rollback() = 0;
    // 1 when a table of exactly that name (case-sensitive) exists.
    virtual int TblIsExist(const char* name) = 0;
    // Creates the card table in the layout (only the low 16 bits count). 1, or 0 reported.
    virtual int TblCreate(const char* name, int layout) = 0;
    virtual int TblDelete(const char* name) = 0;
    // Makes a closed dataset on the table. 1, or 0 when not supported or out of memory.
    virtual int TblNew(const char* name, CkvDataset** out) = 0;
    // Compacts source into the new file target. 1, or 0 after a reported error.
    virtual int CompactDatabase(const char* source, const char* target, const char* locale) = 0;
    virtual ~CkvDatabase() = default;

    virtual bool IsOpen() const = 0;
    const KvOpenError& LastOpenError() const { return openError_; }

protected:
    int transaction_ = 0;
    KvOpenError openError_;
};

// The Jet locale string that a language code of create and compact selects.
const char* LocaleForLanguage(int language);
