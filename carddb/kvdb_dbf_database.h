// A card store in a folder of dBASE III files: opened shared through the dBASE driver; it
// cannot be created as a store and makes no datasets.
#pragma once
#include "kvdb_store.h"

class CkvDBFDatabase : public CkvDaoStore {
public:
    int OpenDatabase(const char* path) override;
    // User and password mean nothing to a dBASE folder.
    int OpenDatabaseEx(const char* path, const char* user, const char* password) override { return OpenDatabase(path); }
    int CreateDatabase(const char* path, const char* locale) override { return 0; }
    // The flat layout in dBASE sizes, whatever the layout asked for, indexed by "ID".
    int TblCreate(const char* name, int layout) override;
    int TblNew(const char* name, CkvDataset** out) override { return 0; }
    int CompactDatabase(const char* source, const char* target, const char* locale) override;
};
