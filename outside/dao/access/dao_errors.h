// Raising Jet-style errors from inside the layer.
#pragma once
#include "dao.h"

struct sqlite3;

namespace daoimpl {

// Throws new CDaoException with the number's Jet text; %1 in the text becomes detail.
[[noreturn]] void Raise(long code, const char* source, const std::string& detail = std::string());
// Throws the Jet error matching an SQLite failure of db (result code rc).
[[noreturn]] void RaiseSqlite(sqlite3* db, int rc, const char* source);

constexpr const char* kSourceDatabase = "DAO.Database";
constexpr const char* kSourceWorkspace = "DAO.Workspace";
constexpr const char* kSourceTableDef = "DAO.TableDef";
constexpr const char* kSourceRecordset = "DAO.Recordset";
constexpr const char* kSourceField = "DAO.Field";

}  // namespace daoimpl
