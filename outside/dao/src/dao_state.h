// The state behind an open CDaoDatabase, shared by the classes of this layer.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "dao.h"
#include "dao_lock_file.h"
#include "dao_schema.h"

struct sqlite3;
struct sqlite3_stmt;

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
// The open state of a database, or 3420 when it is closed.
DaoDatabaseState& OpenState(CDaoDatabase* database, const char* source);
// The number of characters of ANSI text in the database's code page.
size_t CharacterCount(const std::string& text, unsigned codePage);
}  // namespace daoimpl
