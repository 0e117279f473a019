// One database of the stand-in handheld: a file "handheld\<name>.pdb" in the stand-in folder,
// read whole when opened and written back when closed.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>

struct HandheldRecord {
    DWORD Id;
    BYTE Attributes;
    WORD Category;
    std::vector<char> Bytes;
};

struct HandheldDatabase {
    std::string Path;
    DWORD Creator = 0;
    DWORD Type = 0;
    DWORD NextId = 1;
    std::vector<HandheldRecord> Records;
};

// The file of a database name.
std::string HandheldDatabasePath(const char* name);

// Reads the file; false when it is missing or not a handheld database.
bool LoadHandheldDatabase(const std::string& path, HandheldDatabase* database);

// Writes the file whole; false when it cannot.
bool SaveHandheldDatabase(const HandheldDatabase& database);
