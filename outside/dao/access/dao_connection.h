// Opening the SQLite connection behind a database, the same way for every open.
#pragma once
#include <string>

struct sqlite3;

namespace daoimpl {

// Opens path (ANSI) for reading, or reading and writing, creating it when create is set;
// sets durable journaling and registers the Jet criteria functions. Throws 3343 for a file
// that is no database, 3024 when it cannot be opened.
sqlite3* OpenConnection(const std::string& path, bool readOnly, bool create);
// For an open that no other may share: SQLite keeps its file lock between statements
// instead of taking and dropping it (and re-reading the file header) for each one, which
// costs a round trip to the file system per statement.
void HoldFileLock(sqlite3* db);
// An in-memory connection set up the same way (for dBASE folders).
sqlite3* OpenMemoryConnection();
// The code page named by "CP=" in a Jet locale string; 1252 when there is none.
unsigned CodePageOfLocale(const std::string& locale);
bool FolderOfPathExists(const std::string& path);
// A file name in the ANSI code page as the UTF-8 that SQLite expects.
std::string AnsiToUtf8(const std::string& text);

}  // namespace daoimpl
