#include <windows.h>

#include <sqlite3.h>

#include "dao_connection.h"
#include "dao_errors.h"
#include "dao_schema.h"
#include "dao_state.h"
#include "jetsql.h"

using namespace daoimpl;

namespace {

std::string SavepointName(int depth) { return "dao_trans_" + std::to_string(depth); }

// Runs a statement that ends or begins a transaction level; when it fails, what SQLite did
// about the open transaction is what counts.
void RunTransactionStatement(DaoDatabaseState& state, const std::string& sql) {
    try {
        ExecOrRaise(state.db, sql, kSourceWorkspace);
    } catch (CDaoException*) {
        SyncTransaction(state);
        throw;
    }
}

}  // namespace

// A dBASE folder keeps no transactions (its files are written at once): the calls are
// accepted and only counted, as the dBASE driver does.
void CDaoWorkspace::BeginTrans() {
    DaoDatabaseState& state = OpenState(database_, kSourceWorkspace);
    SyncTransaction(state);
    const int depth = state.transactionDepth;
    if (!state.dbase)
        RunTransactionStatement(state, depth == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT " + SavepointName(depth));
    state.transactionDepth = depth + 1;
}

void CDaoWorkspace::CommitTrans() {
    DaoDatabaseState& state = OpenState(database_, kSourceWorkspace);
    SyncTransaction(state);
    const int depth = state.transactionDepth;
    if (depth == 0) Raise(daoErrNoTransaction, kSourceWorkspace);
    if (!state.dbase) RunTransactionStatement(state, depth == 1 ? "COMMIT" : "RELEASE " + SavepointName(depth - 1));
    CommitTransactionLevel(state, depth);
    state.transactionDepth = depth - 1;
}

void CDaoWorkspace::Rollback() {
    DaoDatabaseState& state = OpenState(database_, kSourceWorkspace);
    SyncTransaction(state);
    const int depth = state.transactionDepth;
    if (depth == 0) Raise(daoErrNoTransaction, kSourceWorkspace);
    if (!state.dbase) {
        const std::string name = SavepointName(depth - 1);
        RunTransactionStatement(state, depth == 1 ? "ROLLBACK" : "ROLLBACK TO " + name + "; RELEASE " + name);
        // Tables made inside the transaction may be gone again.
        state.ForgetSchemas();
    }
    state.transactionDepth = depth - 1;
    UndoTransactionLevels(state, depth);
}

bool CDaoWorkspace::InTransaction() const {
    DaoDatabaseState& state = *database_->State();
    SyncTransaction(state);
    return state.transactionDepth > 0;
}

void CDaoWorkspace::Abandon() {
    DaoDatabaseState* state = database_->State();
    if (state->transactionDepth > 0 && state->db && !state->dbase) {
        sqlite3_exec(state->db, "ROLLBACK", nullptr, nullptr, nullptr);
        UndoTransactionLevels(*state, 1);  // numbers handed out stay used after a reopen
    }
    state->transactionDepth = 0;
}

void CDaoWorkspace::CompactDatabase(const char* source, const char* target, const char* locale, int options) {
    const std::string sourcePath = source ? source : "";
    const std::string targetPath = target ? target : "";
    const DWORD attributes = GetFileAttributesA(sourcePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        Raise(daoErrFileNotFound, kSourceWorkspace, sourcePath);
    if (GetFileAttributesA(targetPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        Raise(daoErrDatabaseExists, kSourceWorkspace);
    if (!FolderOfPathExists(targetPath)) Raise(daoErrInvalidPath, kSourceWorkspace, targetPath);

    // Compacting needs the source to itself, as Jet does.
    daoimpl::LockFile sourceLock;
    bool inUse = false;
    if (!sourceLock.Acquire(sourcePath, true, &inUse) && inUse)
        Raise(daoErrOpenedExclusively, kSourceWorkspace, sourcePath);
    daoimpl::LockFile targetLock;
    targetLock.Acquire(targetPath, true, &inUse);

    sqlite3* from = OpenConnection(sourcePath, true, false);
    // The copy's indexes are built in the order of the source's locale ...
    std::string sourceLocale;
    try {
        sourceLocale = GetMeta(from, "locale");
    } catch (CDaoException* e) {  // a file without our metadata: the general sort order
        e->Delete();
    }
    jetsql::RegisterCollation(from, jetsql::LocaleIdOf(sourceLocale));
    const int rc =
        sqlite3_exec(from, ("VACUUM INTO " + QuoteLiteral(AnsiToUtf8(targetPath))).c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        try {
            RaiseSqlite(from, rc, kSourceWorkspace);
        } catch (CDaoException*) {
            sqlite3_close_v2(from);
            DeleteFileA(targetPath.c_str());
            throw;
        }
    }
    sqlite3_close_v2(from);
    sqlite3* to = OpenConnection(targetPath, false, false);
    try {
        EnsureMetadataTables(to);
        if (locale && *locale) {
            SetMeta(to, "locale", locale);
            // ... and put in the order of the copy's own locale.
            jetsql::RegisterCollation(to, jetsql::LocaleIdOf(locale));
            ExecOrRaise(to, std::string("REINDEX ") + jetsql::kTextCollation, kSourceWorkspace);
        }
    } catch (CDaoException*) {
        sqlite3_close_v2(to);
        DeleteFileA(targetPath.c_str());
        throw;
    }
    sqlite3_close_v2(to);
}
