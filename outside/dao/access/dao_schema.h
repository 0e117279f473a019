// Table definitions as this layer keeps them: DAO column types and index definitions, stored
// in hidden metadata tables beside the data.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "dao.h"

struct sqlite3;

namespace daoimpl {

struct DaoTableSchema {
    std::string name;
    std::vector<CDaoFieldInfo> columns;
    std::vector<CDaoIndexInfo> indexes;

    int FindColumn(const std::string& column) const;  // without regard to case; -1 if absent
    int FindIndex(const std::string& index) const;    // without regard to case; -1 if absent
    int AutoIncrementColumn() const;                  // -1 if none
};

bool EqualsNoCase(const std::string& a, const std::string& b);
std::string QuoteIdentifier(const std::string& name);  // "name" with quotes doubled
std::string QuoteLiteral(const std::string& text);     // 'text' with quotes doubled

// Metadata tables: creation, and reading/writing one table's definition.
void EnsureMetadataTables(sqlite3* db);
bool IsMetadataTable(const std::string& name);
std::vector<std::string> ListUserTables(sqlite3* db);  // in creation order
// False when the table does not exist. A table without metadata (made by plain SQL) gets
// its columns from its declared types.
bool LoadTableSchema(sqlite3* db, const std::string& table, DaoTableSchema* schema);

// Creates the table, its indexes and metadata in one go.
void CreateTable(sqlite3* db, const DaoTableSchema& schema);
void AddColumn(sqlite3* db, const DaoTableSchema& schema, const CDaoFieldInfo& column);
void AddIndex(sqlite3* db, const DaoTableSchema& schema, const CDaoIndexInfo& index);

// Runs a statement that returns no rows; throws the matching Jet error on failure.
void ExecOrRaise(sqlite3* db, const std::string& sql, const char* source);

std::string GetMeta(sqlite3* db, const std::string& key);
void SetMeta(sqlite3* db, const std::string& key, const std::string& value);

}  // namespace daoimpl
