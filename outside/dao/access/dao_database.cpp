#include <windows.h>

#include <sqlite3.h>

#include "dao_connection.h"
#include "dao_dbase.h"
#include "dao_errors.h"
#include "dao_sql_text.h"
#include "dao_state.h"
#include "jetsql.h"

using namespace daoimpl;

// ---- DaoDatabaseState ----------------------------------------------------------------

DaoDatabaseState::DaoDatabaseState() = default;
DaoDatabaseState::~DaoDatabaseState() { CloseConnection(); }

sqlite3_stmt* DaoDatabaseState::Prepare(const std::string& sql, const char* source) {
    auto found = statements_.find(sql);
    if (found != statements_.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) RaiseSqlite(db, rc, source);
    statements_[sql] = stmt;
    return stmt;
}

bool DaoDatabaseState::HasTable(const std::string& table) {
    DaoTableSchema schema;
    if (dbase && dbase->HasTable(table)) return true;
    return LoadTableSchema(db, table, &schema);
}

const DaoTableSchema& DaoDatabaseState::Schema(const std::string& table, const char* source) {
    auto found = schemas_.find(table);
    if (found != schemas_.end()) return found->second;
    if (dbase) dbase->EnsureLoaded(*this, table);
    DaoTableSchema schema;
    if (!LoadTableSchema(db, table, &schema)) Raise(daoErrObjectNotFound, source, table);
    return schemas_[table] = schema;
}

void DaoDatabaseState::ForgetSchemas() {
    schemas_.clear();
    // Statements over a changed table are re-prepared on their next use.
    for (auto& entry : statements_) sqlite3_finalize(entry.second);
    statements_.clear();
    ++schemaCount;
    ++statementEpoch;
    ++changeCount;
}

void DaoDatabaseState::CloseConnection() {
    transactionDepth = 0;
    autoNumberHigh.clear();
    ForgetRecordsets(*this);
    for (auto& entry : statements_) sqlite3_finalize(entry.second);
    statements_.clear();
    ++statementEpoch;
    schemas_.clear();
    if (db) sqlite3_close_v2(db);
    db = nullptr;
    dbase.reset();
    lock.Release();
}

namespace daoimpl {

DaoDatabaseState& OpenState(CDaoDatabase* database, const char* source) {
    if (!database || !database->State()->db) Raise(daoErrNotOpen, source);
    return *database->State();
}

size_t CharacterCount(const std::string& text, unsigned codePage) {
    if (text.empty()) return 0;
    int wide = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    return wide > 0 ? static_cast<size_t>(wide) : text.size();
}

}  // namespace daoimpl

// ---- CDaoDatabase --------------------------------------------------------------------

CDaoDatabase::CDaoDatabase() : m_pWorkspace(&workspace_), state_(new DaoDatabaseState), workspace_(this) {}

CDaoDatabase::~CDaoDatabase() {
    try {
        Close();
    } catch (CDaoException* e) {
        e->Delete();
    }
}

namespace {

// The value of KEY= in a connect text such as ";UID=a;PWD=b" (without regard to case).
std::string ConnectValue(const std::string& connect, const std::string& key) {
    size_t start = 0;
    while (start <= connect.size()) {
        size_t end = connect.find(';', start);
        if (end == std::string::npos) end = connect.size();
        std::string part = connect.substr(start, end - start);
        size_t eq = part.find('=');
        if (eq != std::string::npos && EqualsNoCase(part.substr(0, eq), key)) return part.substr(eq + 1);
        start = end + 1;
    }
    return std::string();
}

bool IsDbaseConnect(const std::string& connect) {
    return connect.size() >= 5 && EqualsNoCase(connect.substr(0, 5), "dBASE");
}

}  // namespace

void CDaoDatabase::Open(const char* name, bool exclusive, bool readOnly, const char* connect) {
    if (IsOpen()) Close();
    DaoDatabaseState& state = *state_;
    state.name = name ? name : "";
    state.connect = connect ? connect : "";
    state.user = ConnectValue(state.connect, "UID");
    state.password = ConnectValue(state.connect, "PWD");
    state.readOnly = readOnly;
    if (IsDbaseConnect(state.connect)) {
        std::string folder = ConnectValue(state.connect, "DATABASE");
        if (folder.empty()) folder = state.name;
        state.dbase = OpenDbaseFolder(folder, &state.db);
        state.name = folder;
        return;
    }
    const DWORD attributes = GetFileAttributesA(state.name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        Raise(daoErrFileNotFound, kSourceDatabase, state.name);
    if (!readOnly && (attributes & FILE_ATTRIBUTE_READONLY)) Raise(daoErrCannotOpenFile, kSourceDatabase, state.name);
    bool inUse = false;
    if (!state.lock.Acquire(state.name, exclusive, &inUse)) {
        if (inUse) Raise(exclusive ? daoErrFileInUse : daoErrOpenedExclusively, kSourceDatabase, state.name);
        if (!readOnly) Raise(daoErrCannotOpenFile, kSourceDatabase, state.name);
    }
    try {
        state.db = OpenConnection(state.name, readOnly, false);
        if (exclusive) HoldFileLock(state.db);
        if (!readOnly) EnsureMetadataTables(state.db);
        const std::string locale = GetMeta(state.db, "locale");
        state.codePage = CodePageOfLocale(locale);
        jetsql::RegisterCollation(state.db, jetsql::LocaleIdOf(locale));
    } catch (CDaoException*) {
        state.CloseConnection();
        throw;
    }
}

void CDaoDatabase::Create(const char* name, const char* locale, int options) {
    if (IsOpen()) Close();
    DaoDatabaseState& state = *state_;
    state.name = name ? name : "";
    state.connect.clear();
    state.readOnly = false;
    if (GetFileAttributesA(state.name.c_str()) != INVALID_FILE_ATTRIBUTES)
        Raise(daoErrDatabaseExists, kSourceWorkspace);
    if (!FolderOfPathExists(state.name)) Raise(daoErrInvalidPath, kSourceWorkspace, state.name);
    bool inUse = false;
    if (!state.lock.Acquire(state.name, true, &inUse)) Raise(daoErrFileInUse, kSourceWorkspace, state.name);
    try {
        state.db = OpenConnection(state.name, false, true);
        HoldFileLock(state.db);
        EnsureMetadataTables(state.db);
        const std::string localeText = locale ? locale : dbLangGeneral;
        SetMeta(state.db, "locale", localeText);
        state.codePage = CodePageOfLocale(localeText);
        jetsql::RegisterCollation(state.db, jetsql::LocaleIdOf(localeText));
    } catch (CDaoException*) {
        state.CloseConnection();
        DeleteFileA(state.name.c_str());
        throw;
    }
}

void CDaoDatabase::Close() {
    if (!IsOpen()) return;
    workspace_.Abandon();
    state_->CloseConnection();
}

bool CDaoDatabase::IsOpen() const { return state_->db != nullptr; }
bool CDaoDatabase::CanUpdate() const { return IsOpen() && !state_->readOnly; }
bool CDaoDatabase::IsDBase() const { return state_->dbase != nullptr; }
const std::string& CDaoDatabase::GetName() const { return state_->name; }
const std::string& CDaoDatabase::GetConnect() const { return state_->connect; }

std::string CDaoDatabase::GetLocale() const {
    if (!IsOpen() || IsDBase()) return std::string();
    return GetMeta(state_->db, "locale");
}

void CDaoDatabase::Execute(const char* sql, int options) {
    DaoDatabaseState& state = OpenState(this, kSourceDatabase);
    try {
        const std::string text = TranslateStatement(sql ? sql : "");
        if (state.readOnly) Raise(daoErrReadOnly, kSourceDatabase);
        if (state.dbase) Raise(daoErrOperationNotSupported, kSourceDatabase);
        try {
            ExecOrRaise(state.db, text, kSourceDatabase);
        } catch (CDaoException*) {
            SyncTransaction(state);
            throw;
        }
        if (IsSchemaStatement(text)) state.ForgetSchemas();
        else ++state.changeCount;
    } catch (CDaoException* e) {
        if (options & dbFailOnError) throw;
        e->Delete();
    }
}

int CDaoDatabase::GetTableDefCount() {
    DaoDatabaseState& state = OpenState(this, kSourceDatabase);
    return static_cast<int>(state.dbase ? state.dbase->TableNames().size() : ListUserTables(state.db).size());
}

void CDaoDatabase::GetTableDefInfo(int index, CDaoTableDefInfo& info) {
    DaoDatabaseState& state = OpenState(this, kSourceDatabase);
    const std::vector<std::string> names = state.dbase ? state.dbase->TableNames() : ListUserTables(state.db);
    if (index < 0 || index >= static_cast<int>(names.size())) Raise(daoErrItemNotFound, kSourceDatabase);
    info.m_strName = names[index];
}
