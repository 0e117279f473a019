// A card store in a Jet database file.
#pragma once
#include <string>

#include "kvdb_store.h"

class CkvDaoDatabase : public CkvDaoStore {
public:
    int OpenDatabase(const char* path) override;
    int OpenDatabaseEx(const char* path, const char* user, const char* password) override;
    int CreateDatabase(const char* path, const char* locale) override;
    int TblCreate(const char* name, int layout) override;
    int TblNew(const char* name, CkvDataset** out) override;
    int CompactDatabase(const char* source, const char* target, const char* locale) override;

    // Builders of the V4 column groups: each appends the columns prefix + suffix; 1.
    virtual int AddNameFields(CDaoTableDef& table, const std::string& prefix);
    virtual int AddFieldNameField(CDaoTableDef& table, const std::string& prefix);
    virtual int AddPhoneFields(CDaoTableDef& table, const std::string& prefix);
    virtual int AddEmailFields(CDaoTableDef& table, const std::string& prefix);
    virtual int AddAddressFields(CDaoTableDef& table, const std::string& prefix);
    virtual int AddDataField(CDaoTableDef& table, const std::string& prefix, long size);

private:
    void AddFlatColumns(CDaoTableDef& table);
    void AddV4Columns(CDaoTableDef& table);
};
