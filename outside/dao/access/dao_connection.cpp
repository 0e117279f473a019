#include "dao_connection.h"

#include <windows.h>

#include <sqlite3.h>

#include <cstdlib>

#include "dao.h"
#include "dao_errors.h"
#include "jetsql.h"

namespace daoimpl {

// SQLite takes UTF-8 file names; callers give ANSI ones.
std::string AnsiToUtf8(const std::string& text) {
    int wide = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (wide <= 0) return text;
    std::wstring buffer(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &buffer[0], wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return text;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), -1, &utf8[0], bytes, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(bytes - 1));
    return utf8;
}

namespace {

void Configure(sqlite3* db, bool persistent) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 5000);
    jetsql::RegisterFunctions(db);
    if (!persistent) return;
    // A committed change must survive the process dying right after the commit.
    int rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK && (rc & 0xff) != SQLITE_READONLY) RaiseSqlite(db, rc, kSourceDatabase);
}

}  // namespace

sqlite3* OpenConnection(const std::string& path, bool readOnly, bool create) {
    sqlite3* db = nullptr;
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create) flags |= SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(AnsiToUtf8(path).c_str(), &db, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        Raise(daoErrFileNotFound, kSourceDatabase, path);
    }
    // Reading the schema is the first touch of the file: a file of another kind fails here.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        Raise(daoErrUnrecognizedFormat, kSourceDatabase, path);
    }
    try {
        Configure(db, true);
    } catch (CDaoException*) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}

void HoldFileLock(sqlite3* db) {
    const int rc = sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) RaiseSqlite(db, rc, kSourceDatabase);
}

sqlite3* OpenMemoryConnection() {
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) != SQLITE_OK) {
        sqlite3_close_v2(db);
        Raise(daoErrSyntaxInQuery, kSourceDatabase, "out of memory");
    }
    Configure(db, false);
    return db;
}

unsigned CodePageOfLocale(const std::string& locale) {
    size_t at = locale.find("CP=");
    if (at == std::string::npos) return 1252;
    unsigned codePage = static_cast<unsigned>(std::strtoul(locale.c_str() + at + 3, nullptr, 10));
    return codePage ? codePage : 1252;
}

bool FolderOfPathExists(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return true;  // the current folder
    std::string folder = path.substr(0, slash);
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) return true;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace daoimpl
