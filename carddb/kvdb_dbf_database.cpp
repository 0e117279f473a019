#include "kvdb_dbf_database.h"

#include <string>

#include "kvdb_daoguard.h"
#include "kvdb_schema.h"

int CkvDBFDatabase::OpenDatabase(const char* path) {
    const std::string connect = std::string("dBASE III") + ";DATABASE=" + (path ? path : "");
    return OpenQuietly("", false, connect.c_str());
}

int CkvDBFDatabase::TblCreate(const char* name, int layout) {
    return GuardDao([&] {
        CDaoTableDef table(Dao());
        table.Create(name ? name : "");
        CreateFlatColumns(table, true);
        CDaoIndexInfo primary;
        primary.m_strName = name ? name : "";
        primary.AddField("ID");
        primary.m_bPrimary = true;
        table.CreateIndex(primary);
        table.Append();
        table.Close();
        return 1;
    });
}

int CkvDBFDatabase::CompactDatabase(const char* source, const char* target, const char* locale) {
    return GuardDao([&] {
        CDaoWorkspace::CompactDatabase(source ? source : "", target ? target : "", locale, 0);
        return 1;
    });
}
