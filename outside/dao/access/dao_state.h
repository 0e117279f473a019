// The state behind an open CDaoDatabase, shared by the classes of this layer.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dao.h"
#include "dao_lock_file.h"
#include "dao_schema.h"

struct sqlite3;
struct sqlite3_stmt;
struct DaoRecordsetState;

namespace daoimpl {
class DbaseFolder;
}

struct DaoDatabaseState {
    DaoDatabaseState();
    ~DaoDatabaseState();

    sqlite3* db = nullptr;
    std::string name;
    std::string connect;
    std::string user;
    std::string password;
    bool readOnly = false;
    unsigned codePage = 1252;
    daoimpl::LockFile lock;
    std::unique_ptr<daoimpl::DbaseFolder> dbase;  // set for a dBASE III folder

    // Grows with every change of data, so caches of query results know when they are stale.
    uint64_t changeCount = 0;
    // Grows with every change of a table's definition.
    uint64_t schemaCount = 0;
    // Grows whenever the kept statements are finalized, so holders of one know to ask again.
    uint64_t statementEpoch = 0;

    // Open transaction levels (CDaoWorkspace): 0 when every change is committed at once.
    int transactionDepth = 0;
    // The open recordsets, told when a transaction that added or removed their records is
    // rolled back.
    std::vector<DaoRecordsetState*> recordsets;
    // The highest number each auto-increment table has handed out, kept outside any
    // transaction: SQLite's counter rolls back with the rows, Jet never gives a number twice.
    std::map<std::string, int64_t> autoNumberHigh;

    // Prepared statements kept for the life of the connection, by SQL text.
    sqlite3_stmt* Prepare(const std::string& sql, const char* source);
    // The definition of a table (cached until the schema changes); throws 3011 when absent.
    const daoimpl::DaoTableSchema& Schema(const std::string& table, const char* source);
    bool HasTable(const std::string& table);
    void ForgetSchemas();
    void CloseConnection();

private:
    std::map<std::string, sqlite3_stmt*> statements_;
    std::map<std::string, daoimpl::DaoTableSchema> schemas_;
};

namespace daoimpl {
// After a statement failed: when SQLite has ended the open transaction on its own (an I/O
// error, a full disk), the transaction levels and the open recordsets follow it.
void SyncTransaction(DaoDatabaseState& state);
// Undoes, in every open recordset, what transaction levels from `depth` on added or removed,
// and puts the auto-increment counters back above every number handed out.
void UndoTransactionLevels(DaoDatabaseState& state, int depth);
// A committed level's changes become part of the level below it.
void CommitTransactionLevel(DaoDatabaseState& state, int depth);
// A closing database lets go of the recordsets still open on it.
void ForgetRecordsets(DaoDatabaseState& state);
// The open state of a database, or 3420 when it is closed.
DaoDatabaseState& OpenState(CDaoDatabase* database, const char* source);
// The number of characters of ANSI text in the database's code page.
size_t CharacterCount(const std::string& text, unsigned codePage);
}  // namespace daoimpl
