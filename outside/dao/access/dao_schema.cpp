#include "dao_schema.h"

#include <sqlite3.h>

#include <cctype>

#include "dao_errors.h"
#include "jetsql.h"

namespace daoimpl {
namespace {

constexpr const char* kColumnsTable = "__dao_columns";
constexpr const char* kIndexesTable = "__dao_indexes";
constexpr const char* kMetaTable = "__dao_meta";

enum IndexFlags { kPrimary = 1, kUnique = 2, kClustered = 4, kIgnoreNulls = 8, kRequired = 16, kForeign = 32 };

// SQLite declaration of a DAO column. Text compares by the database's locale without regard
// to case, as Jet does; an auto-increment Long is the table's rowid.
std::string ColumnDeclaration(const CDaoFieldInfo& column) {
    std::string decl = QuoteIdentifier(column.m_strName);
    switch (column.m_nType) {
    case dbLong:
        decl += (column.m_lAttributes & dbAutoIncrField) ? " INTEGER PRIMARY KEY AUTOINCREMENT" : " INTEGER";
        break;
    case dbInteger: decl += " INTEGER"; break;
    case dbDate: decl += " REAL"; break;
    case dbText:
    case dbMemo: decl += std::string(" TEXT COLLATE ") + jetsql::kTextCollation; break;
    default: decl += " BLOB"; break;
    }
    return decl;
}

std::string SqliteIndexName(const std::string& table, const std::string& index) {
    return QuoteIdentifier(table + "__" + index);
}

int FlagsOf(const CDaoIndexInfo& index) {
    return (index.m_bPrimary ? kPrimary : 0) | (index.m_bUnique ? kUnique : 0) | (index.m_bClustered ? kClustered : 0) |
           (index.m_bIgnoreNulls ? kIgnoreNulls : 0) | (index.m_bRequired ? kRequired : 0) |
           (index.m_bForeign ? kForeign : 0);
}

// Key fields as "+NAME\n-NAME2": the sign is the direction.
std::string EncodeFields(const CDaoIndexInfo& index) {
    std::string text;
    for (const auto& field : index.m_fields) {
        if (!text.empty()) text += '\n';
        text += field.m_bDescending ? '-' : '+';
        text += field.m_strName;
    }
    return text;
}

void DecodeFields(const std::string& text, CDaoIndexInfo* index) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) index->AddField(text.substr(start + 1, end - start - 1), text[start] == '-');
        start = end + 1;
    }
}

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr);
        if (rc != SQLITE_OK) RaiseSqlite(db, rc, kSourceDatabase);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    sqlite3_stmt* get() const { return stmt_; }
    bool Step() {
        int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) RaiseSqlite(db_, rc, kSourceDatabase);
        return false;
    }
    std::string Text(int column) const {
        const unsigned char* text = sqlite3_column_text(stmt_, column);
        return text ? reinterpret_cast<const char*>(text) : "";
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Table names are found without regard to case, as Jet finds them; *stored is the name as
// the table was made.
bool FindTable(sqlite3* db, const std::string& table, std::string* stored) {
    Statement query(db, "SELECT name FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE");
    sqlite3_bind_text(query.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    if (!query.Step()) return false;
    *stored = query.Text(0);
    return true;
}

// A table made by plain SQL: its columns get a DAO type from the declared type.
void SchemaFromDeclarations(sqlite3* db, DaoTableSchema* schema) {
    Statement query(db, "SELECT name, type, pk FROM pragma_table_info(?)");
    sqlite3_bind_text(query.get(), 1, schema->name.c_str(), -1, SQLITE_TRANSIENT);
    while (query.Step()) {
        CDaoFieldInfo column;
        column.m_strName = query.Text(0);
        std::string type = query.Text(1);
        for (auto& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (type.find("INT") != std::string::npos) {
            column.m_nType = dbLong;
            if (sqlite3_column_int(query.get(), 2) == 1 && type == "INTEGER") column.m_lAttributes = dbAutoIncrField;
        } else if (type.find("CHAR") != std::string::npos || type.find("TEXT") != std::string::npos) {
            column.m_nType = dbMemo;
        } else if (type.find("REAL") != std::string::npos || type.find("DATE") != std::string::npos) {
            column.m_nType = dbDate;
        } else {
            column.m_nType = dbLongBinary;
        }
        schema->columns.push_back(column);
    }
}

// The text between two quote characters, a quote inside it doubled.
std::string QuoteWith(char quote, const std::string& text) {
    std::string quoted(1, quote);
    for (char c : text) {
        if (c == quote) quoted += quote;
        quoted += c;
    }
    return quoted + quote;
}

}  // namespace

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string QuoteIdentifier(const std::string& name) { return QuoteWith('"', name); }

std::string QuoteLiteral(const std::string& text) { return QuoteWith('\'', text); }

int DaoTableSchema::FindColumn(const std::string& column) const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (EqualsNoCase(columns[i].m_strName, column)) return static_cast<int>(i);
    return -1;
}

int DaoTableSchema::FindIndex(const std::string& index) const {
    for (size_t i = 0; i < indexes.size(); ++i)
        if (EqualsNoCase(indexes[i].m_strName, index)) return static_cast<int>(i);
    return -1;
}

int DaoTableSchema::AutoIncrementColumn() const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].m_nType == dbLong && (columns[i].m_lAttributes & dbAutoIncrField)) return static_cast<int>(i);
    return -1;
}

void ExecOrRaise(sqlite3* db, const std::string& sql, const char* source) {
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) RaiseSqlite(db, rc, source);
}

void EnsureMetadataTables(sqlite3* db) {
    ExecOrRaise(db,
                std::string("CREATE TABLE IF NOT EXISTS ") + kMetaTable +
                    "(key TEXT PRIMARY KEY, value TEXT);"
                    "CREATE TABLE IF NOT EXISTS " +
                    kColumnsTable +
                    "(tbl TEXT, ord INTEGER, name TEXT, type INTEGER, size INTEGER, attributes INTEGER);"
                    "CREATE TABLE IF NOT EXISTS " +
                    kIndexesTable + "(tbl TEXT, ord INTEGER, name TEXT, fields TEXT, flags INTEGER);",
                kSourceDatabase);
}

bool IsMetadataTable(const std::string& name) {
    return name.compare(0, 6, "__dao_") == 0 || name.compare(0, 7, "sqlite_") == 0;
}

std::vector<std::string> ListUserTables(sqlite3* db) {
    std::vector<std::string> names;
    Statement query(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid");
    while (query.Step()) {
        std::string name = query.Text(0);
        if (!IsMetadataTable(name)) names.push_back(name);
    }
    return names;
}

bool LoadTableSchema(sqlite3* db, const std::string& table, DaoTableSchema* schema) {
    std::string stored;
    if (!FindTable(db, table, &stored)) return false;
    *schema = DaoTableSchema();
    schema->name = stored;
    {
        Statement query(db, std::string("SELECT name, type, size, attributes FROM ") + kColumnsTable +
                                " WHERE tbl=? ORDER BY ord");
        sqlite3_bind_text(query.get(), 1, stored.c_str(), -1, SQLITE_TRANSIENT);
        while (query.Step()) {
            CDaoFieldInfo column;
            column.m_strName = query.Text(0);
            column.m_nType = static_cast<short>(sqlite3_column_int(query.get(), 1));
            column.m_lSize = sqlite3_column_int(query.get(), 2);
            column.m_lAttributes = sqlite3_column_int(query.get(), 3);
            schema->columns.push_back(column);
        }
    }
    if (schema->columns.empty()) SchemaFromDeclarations(db, schema);
    Statement query(db, std::string("SELECT name, fields, flags FROM ") + kIndexesTable + " WHERE tbl=? ORDER BY ord");
    sqlite3_bind_text(query.get(), 1, stored.c_str(), -1, SQLITE_TRANSIENT);
    while (query.Step()) {
        CDaoIndexInfo index;
        index.m_strName = query.Text(0);
        DecodeFields(query.Text(1), &index);
        int flags = sqlite3_column_int(query.get(), 2);
        index.m_bPrimary = flags & kPrimary;
        index.m_bUnique = flags & kUnique;
        index.m_bClustered = flags & kClustered;
        index.m_bIgnoreNulls = flags & kIgnoreNulls;
        index.m_bRequired = flags & kRequired;
        index.m_bForeign = flags & kForeign;
        schema->indexes.push_back(index);
    }
    return true;
}

static void StoreColumn(sqlite3* db, const std::string& table, int ord, const CDaoFieldInfo& column) {
    Statement insert(db, std::string("INSERT INTO ") + kColumnsTable + " VALUES(?,?,?,?,?,?)");
    sqlite3_bind_text(insert.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 2, ord);
    sqlite3_bind_text(insert.get(), 3, column.m_strName.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 4, column.m_nType);
    sqlite3_bind_int(insert.get(), 5, static_cast<int>(column.m_lSize));
    sqlite3_bind_int(insert.get(), 6, static_cast<int>(column.m_lAttributes));
    insert.Step();
}

void AddIndex(sqlite3* db, const DaoTableSchema& schema, const CDaoIndexInfo& index) {
    // A primary key on the auto-increment column alone is the rowid itself.
    const int autoColumn = schema.AutoIncrementColumn();
    const bool isRowid = autoColumn >= 0 && index.m_fields.size() == 1 &&
                         EqualsNoCase(index.m_fields[0].m_strName, schema.columns[autoColumn].m_strName);
    if (!isRowid) {
        std::string sql = (index.m_bUnique || index.m_bPrimary) ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
        sql += SqliteIndexName(schema.name, index.m_strName) + " ON " + QuoteIdentifier(schema.name) + "(";
        for (size_t i = 0; i < index.m_fields.size(); ++i) {
            if (i) sql += ",";
            sql += QuoteIdentifier(index.m_fields[i].m_strName) + (index.m_fields[i].m_bDescending ? " DESC" : "");
        }
        ExecOrRaise(db, sql + ")", kSourceTableDef);
    }
    Statement insert(db, std::string("INSERT INTO ") + kIndexesTable + " VALUES(?,?,?,?,?)");
    sqlite3_bind_text(insert.get(), 1, schema.name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 2, static_cast<int>(schema.indexes.size()));
    sqlite3_bind_text(insert.get(), 3, index.m_strName.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 4, EncodeFields(index).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 5, FlagsOf(index));
    insert.Step();
}

void CreateTable(sqlite3* db, const DaoTableSchema& schema) {
    ExecOrRaise(db, "SAVEPOINT dao_create_table", kSourceTableDef);
    try {
        std::string sql = "CREATE TABLE " + QuoteIdentifier(schema.name) + "(";
        for (size_t i = 0; i < schema.columns.size(); ++i) {
            if (i) sql += ",";
            sql += ColumnDeclaration(schema.columns[i]);
        }
        ExecOrRaise(db, sql + ")", kSourceTableDef);
        for (size_t i = 0; i < schema.columns.size(); ++i)
            StoreColumn(db, schema.name, static_cast<int>(i), schema.columns[i]);
        DaoTableSchema partial = schema;
        partial.indexes.clear();
        for (const auto& index : schema.indexes) {
            AddIndex(db, partial, index);
            partial.indexes.push_back(index);
        }
    } catch (CDaoException*) {
        sqlite3_exec(db, "ROLLBACK TO dao_create_table; RELEASE dao_create_table", nullptr, nullptr, nullptr);
        throw;
    }
    ExecOrRaise(db, "RELEASE dao_create_table", kSourceTableDef);
}

void AddColumn(sqlite3* db, const DaoTableSchema& schema, const CDaoFieldInfo& column) {
    CDaoFieldInfo plain = column;
    plain.m_lAttributes &= ~dbAutoIncrField;  // SQLite cannot add a rowid column later
    ExecOrRaise(db, "ALTER TABLE " + QuoteIdentifier(schema.name) + " ADD COLUMN " + ColumnDeclaration(plain),
                kSourceTableDef);
    StoreColumn(db, schema.name, static_cast<int>(schema.columns.size()), plain);
}

std::string GetMeta(sqlite3* db, const std::string& key) {
    Statement query(db, std::string("SELECT value FROM ") + kMetaTable + " WHERE key=?");
    sqlite3_bind_text(query.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
    return query.Step() ? query.Text(0) : std::string();
}

void SetMeta(sqlite3* db, const std::string& key, const std::string& value) {
    Statement insert(db, std::string("INSERT OR REPLACE INTO ") + kMetaTable + " VALUES(?,?)");
    sqlite3_bind_text(insert.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 2, value.c_str(), -1, SQLITE_TRANSIENT);
    insert.Step();
}

}  // namespace daoimpl
