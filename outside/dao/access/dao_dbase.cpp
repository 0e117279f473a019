#include "dao_dbase.h"

#include <windows.h>

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "dao_connection.h"
#include "dao_errors.h"
#include "dao_state.h"
#include "dbf_file.h"
#include "jetsql.h"

namespace daoimpl {
namespace {

std::string Lower(std::string text) {
    for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

[[noreturn]] void RaiseFile(const std::string& error) { Raise(daoErrSyntaxInQuery, kSourceDatabase, error); }

DbfField FieldOf(const CDaoFieldInfo& column) {
    switch (column.m_nType) {
    case dbLong: return {column.m_strName, 'N', 11, 0};
    case dbInteger: return {column.m_strName, 'N', 6, 0};
    case dbDate: return {column.m_strName, 'D', 8, 0};
    case dbText: return {column.m_strName, 'C', static_cast<int>(column.m_lSize), 0};
    default: return {column.m_strName, 'M', 10, 0};
    }
}

CDaoFieldInfo ColumnOf(const DbfField& field) {
    CDaoFieldInfo column;
    column.m_strName = field.name;
    switch (field.type) {
    case 'C':
        column.m_nType = dbText;
        column.m_lSize = field.length;
        break;
    case 'N': column.m_nType = field.length > 6 ? dbLong : dbInteger; break;
    case 'D': column.m_nType = dbDate; break;
    case 'L': column.m_nType = dbInteger; break;
    default: column.m_nType = dbMemo; break;
    }
    return column;
}

// A stored value as the file's text form.
std::optional<std::string> FileText(const CDaoValue& value) {
    switch (value.GetKind()) {
    case CDaoValue::Int16:
    case CDaoValue::Int32: return std::to_string(value.AsLong());
    case CDaoValue::Text: return value.AsText();
    case CDaoValue::Bytes: return std::string(value.AsBytes().begin(), value.AsBytes().end());
    case CDaoValue::Date: {
        int parts[6];
        if (!jetsql::OleDateToParts(value.AsDate(), parts)) return std::nullopt;
        char text[16];
        snprintf(text, sizeof text, "%04d%02d%02d", parts[0], parts[1], parts[2]);
        return std::string(text);
    }
    default: return std::nullopt;
    }
}

// The file's text form as a value to load into the in-memory table.
void BindFileText(sqlite3_stmt* stmt, int parameter, const std::optional<std::string>& text,
                  const CDaoFieldInfo& column) {
    if (!text) {
        sqlite3_bind_null(stmt, parameter);
        return;
    }
    switch (column.m_nType) {
    case dbLong:
    case dbInteger:
        if (*text == "T" || *text == "F") sqlite3_bind_int(stmt, parameter, *text == "T" ? 1 : 0);
        else sqlite3_bind_int64(stmt, parameter, std::llround(std::strtod(text->c_str(), nullptr)));
        break;
    case dbDate: {
        const int y = std::atoi(text->substr(0, 4).c_str()), m = std::atoi(text->substr(4, 2).c_str()),
                  d = std::atoi(text->substr(6, 2).c_str());
        const double date = jetsql::OleDateFromParts(y, m, d, 0, 0, 0);
        if (std::isnan(date)) sqlite3_bind_null(stmt, parameter);
        else sqlite3_bind_double(stmt, parameter, date);
        break;
    }
    case dbLongBinary:
        sqlite3_bind_blob(stmt, parameter, text->data(), static_cast<int>(text->size()), SQLITE_TRANSIENT);
        break;
    default: sqlite3_bind_text(stmt, parameter, text->data(), static_cast<int>(text->size()), SQLITE_TRANSIENT); break;
    }
}

class DbfFolder : public DbaseFolder {
public:
    explicit DbfFolder(std::string folder) : folder_(std::move(folder)) {}

    std::vector<std::string> TableNames() const override {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder_ + "\\*.dbf").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = found.cFileName;
            names.push_back(name.substr(0, name.size() - 4));
        } while (FindNextFileA(find, &found));
        FindClose(find);
        return names;
    }

    bool HasTable(const std::string& table) const override {
        return tables_.count(Lower(table)) || GetFileAttributesA(PathOf(table).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    void CreateTable(DaoDatabaseState& db, const DaoTableSchema& requested) override {
        DaoTableSchema schema = requested;
        std::vector<DbfField> fields;
        for (auto& column : schema.columns) {
            column.m_lAttributes &= ~dbAutoIncrField;  // a dBASE table numbers nothing itself
            fields.push_back(FieldOf(column));
        }
        std::string error;
        if (!CDbfFile::Create(PathOf(schema.name), fields, &error)) RaiseFile(error);
        daoimpl::CreateTable(db.db, schema);
        OpenFile(db, schema);
    }

    void AddIndex(DaoDatabaseState& db, const DaoTableSchema& schema, const CDaoIndexInfo& index) override {
        daoimpl::AddIndex(db.db, schema, index);
    }

    void EnsureLoaded(DaoDatabaseState& db, const std::string& table) override {
        if (tables_.count(Lower(table))) return;
        if (GetFileAttributesA(PathOf(table).c_str()) == INVALID_FILE_ATTRIBUTES)
            Raise(daoErrObjectNotFound, kSourceDatabase, table);
        std::unique_ptr<CDbfFile> file(new CDbfFile);
        std::string error;
        if (!file->Open(PathOf(table), !db.readOnly, &error)) RaiseFile(error);
        DaoTableSchema schema;
        schema.name = table;
        for (const auto& field : file->Fields()) schema.columns.push_back(ColumnOf(field));
        daoimpl::CreateTable(db.db, schema);
        LoadRecords(db, schema, *file);
        tables_[Lower(table)] = std::move(file);
    }

    int64_t AppendRow(const DaoTableSchema& schema, const std::vector<CDaoValue>& values) override {
        uint32_t recno = 0;
        std::string error;
        if (!File(schema).AppendRecord(FileValues(values), &recno, &error)) RaiseFile(error);
        return static_cast<int64_t>(recno) + 1;
    }

    void WriteRow(const DaoTableSchema& schema, int64_t rowid, const std::vector<CDaoValue>& values) override {
        std::string error;
        if (!File(schema).WriteRecord(static_cast<uint32_t>(rowid - 1), FileValues(values), &error)) RaiseFile(error);
    }

    void DeleteRow(const DaoTableSchema& schema, int64_t rowid) override {
        std::string error;
        if (!File(schema).DeleteRecord(static_cast<uint32_t>(rowid - 1), &error)) RaiseFile(error);
    }

private:
    std::string PathOf(const std::string& table) const { return folder_ + "\\" + table + ".dbf"; }

    CDbfFile& File(const DaoTableSchema& schema) {
        auto found = tables_.find(Lower(schema.name));
        if (found == tables_.end()) Raise(daoErrObjectNotFound, kSourceDatabase, schema.name);
        return *found->second;
    }

    void OpenFile(DaoDatabaseState& db, const DaoTableSchema& schema) {
        std::unique_ptr<CDbfFile> file(new CDbfFile);
        std::string error;
        if (!file->Open(PathOf(schema.name), !db.readOnly, &error)) RaiseFile(error);
        tables_[Lower(schema.name)] = std::move(file);
    }

    static CDbfFile::Values FileValues(const std::vector<CDaoValue>& values) {
        CDbfFile::Values texts;
        for (const auto& value : values) texts.push_back(FileText(value));
        return texts;
    }

    // Each in-memory record takes the file's record number + 1 as its rowid.
    static void LoadRecords(DaoDatabaseState& db, const DaoTableSchema& schema, const CDbfFile& file) {
        std::string sql = "INSERT INTO " + QuoteIdentifier(schema.name) + "(rowid";
        std::string params = "?";
        for (const auto& column : schema.columns) {
            sql += "," + QuoteIdentifier(column.m_strName);
            params += ",?";
        }
        sqlite3_stmt* insert = nullptr;
        int rc = sqlite3_prepare_v2(db.db, (sql + ") VALUES(" + params + ")").c_str(), -1, &insert, nullptr);
        if (rc != SQLITE_OK) RaiseSqlite(db.db, rc, kSourceDatabase);
        CDbfFile::Values values;
        for (uint32_t recno = 0; recno < file.RecordCount(); ++recno) {
            if (file.IsDeleted(recno) || !file.ReadRecord(recno, &values)) continue;
            sqlite3_bind_int64(insert, 1, static_cast<int64_t>(recno) + 1);
            for (size_t i = 0; i < schema.columns.size(); ++i)
                BindFileText(insert, static_cast<int>(i + 2), i < values.size() ? values[i] : std::nullopt,
                             schema.columns[i]);
            rc = sqlite3_step(insert);
            sqlite3_reset(insert);
            if (rc != SQLITE_DONE) {
                sqlite3_finalize(insert);
                RaiseSqlite(db.db, rc, kSourceDatabase);
            }
        }
        sqlite3_finalize(insert);
    }

    std::string folder_;
    std::map<std::string, std::unique_ptr<CDbfFile>> tables_;
};

}  // namespace

std::unique_ptr<DbaseFolder> OpenDbaseFolder(const std::string& folder, sqlite3** memoryDb) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        Raise(daoErrInvalidPath, kSourceDatabase, folder);
    *memoryDb = OpenMemoryConnection();
    EnsureMetadataTables(*memoryDb);
    return std::unique_ptr<DbaseFolder>(new DbfFolder(folder));
}

}  // namespace daoimpl
