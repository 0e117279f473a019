// A folder of dBASE III tables opened as a database: each table is "<folder>\<name>.dbf",
// loaded into an in-memory SQLite table (rowid = record number + 1) when first used, with
// every added, changed and deleted record written through to its file at once.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dao.h"
#include "dao_schema.h"

struct sqlite3;
struct DaoDatabaseState;

namespace daoimpl {

class DbaseFolder {
public:
    virtual ~DbaseFolder() = default;
    virtual std::vector<std::string> TableNames() const = 0;
    virtual bool HasTable(const std::string& table) const = 0;
    // Creates the .dbf file and the in-memory table.
    virtual void CreateTable(DaoDatabaseState& db, const DaoTableSchema& schema) = 0;
    virtual void AddIndex(DaoDatabaseState& db, const DaoTableSchema& schema, const CDaoIndexInfo& index) = 0;
    // Loads the table's file into memory unless done already; 3011 when there is no file.
    virtual void EnsureLoaded(DaoDatabaseState& db, const std::string& table) = 0;
    // Write-through of one record (values in schema column order); AppendRow returns the
    // rowid the in-memory record must take.
    virtual int64_t AppendRow(const DaoTableSchema& schema, const std::vector<CDaoValue>& values) = 0;
    virtual void WriteRow(const DaoTableSchema& schema, int64_t rowid, const std::vector<CDaoValue>& values) = 0;
    virtual void DeleteRow(const DaoTableSchema& schema, int64_t rowid) = 0;
};

// Opens the folder (3024 when it does not exist) and the in-memory connection for it.
std::unique_ptr<DbaseFolder> OpenDbaseFolder(const std::string& folder, sqlite3** memoryDb);

}  // namespace daoimpl
