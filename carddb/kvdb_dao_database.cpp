#include "kvdb_dao_database.h"

#include <new>

#include "kvdb_dao_dataset.h"
#include "kvdb_daoguard.h"
#include "kvdb_schema.h"

int CkvDaoDatabase::OpenDatabase(const char* path) { return OpenQuietly(path, true, ""); }

int CkvDaoDatabase::OpenDatabaseEx(const char* path, const char* user, const char* password) {
    const std::string connect = std::string(";UID=") + (user ? user : "") + ";PWD=" + (password ? password : "");
    return GuardDao([&] {
        Dao()->Open(path ? path : "", false, false, connect.c_str());
        return 1;
    });
}

int CkvDaoDatabase::CreateDatabase(const char* path, const char* locale) {
    return GuardDao([&] {
        Dao()->Create(path ? path : "", locale ? locale : dbLangGeneral, 0);
        return 1;
    });
}

int CkvDaoDatabase::TblCreate(const char* name, int layout) {
    const int which = layout & 0xFFFF;
    if (which != KV_LAYOUT_FLAT && which != KV_LAYOUT_V4) return 1;
    return GuardDao([&] {
        CDaoTableDef table(Dao());  // an unappended definition is discarded with it
        table.Create(name ? name : "");
        if (which == KV_LAYOUT_FLAT) AddFlatColumns(table);
        else AddV4Columns(table);
        CDaoIndexInfo primary;
        primary.m_strName = "PrimaryKey";
        primary.AddField("ID");
        primary.m_bPrimary = true;
        primary.m_bUnique = true;
        table.CreateIndex(primary);
        CDaoIndexInfo link;
        link.m_strName = "LinkID";
        link.AddField("LINKID");
        table.CreateIndex(link);
        table.Append();
        table.Close();
        return 1;
    });
}

void CkvDaoDatabase::AddFlatColumns(CDaoTableDef& table) { CreateFlatColumns(table, false); }

void CkvDaoDatabase::AddV4Columns(CDaoTableDef& table) {
    table.CreateField("ID", dbLong, 4, dbAutoIncrField);
    table.CreateField("LINKID", dbLong, 4);
    table.CreateField("CDATE", dbDate, 8);
    table.CreateField("BirthDay", dbDate, 8);
    AddNameFields(table, "CNAME");
    AddNameFields(table, "ENAME");
    for (int i = 0; i < 6; ++i) AddPhoneFields(table, "Phone" + std::to_string(i));
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k);
        AddDataField(table, "Company" + n, 80);
        AddDataField(table, "Title" + n, 80);
        AddDataField(table, "Department" + n, 50);
        AddAddressFields(table, "Address" + n);
        AddPhoneFields(table, "Fax" + n);
        AddEmailFields(table, "Email" + n);
        AddDataField(table, "WebSite" + n, 50);
        AddDataField(table, "UserDef" + n, 50);
    }
    for (int i = 0; i < 8; ++i) AddDataField(table, "Note" + std::to_string(i), 80);
    AddDataField(table, "TaxID", 50);
    for (int i = 0; i < 16; ++i) table.CreateField(("Category" + std::to_string(i)).c_str(), dbInteger, 2);
    table.CreateField("Gender", dbInteger, 2);
    table.CreateField("FLAGS", dbInteger, 2);
    table.CreateField("FrontImage", dbLongBinary, 0);
    table.CreateField("FrontImageName", dbText, 255);
    table.CreateField("BackImage", dbLongBinary, 0);
    table.CreateField("BackImageName", dbText, 255);
    table.CreateField("CImage", dbLongBinary, 0);
    table.CreateField("ImageName", dbText, 255);
    table.CreateField("FieldRect", dbLongBinary, 0);
}

int CkvDaoDatabase::AddFieldNameField(CDaoTableDef& table, const std::string& prefix) {
    table.CreateField((prefix + "_FieldName").c_str(), dbText, 20);
    return 1;
}

int CkvDaoDatabase::AddDataField(CDaoTableDef& table, const std::string& prefix, long size) {
    table.CreateField((prefix + "_Data").c_str(), dbText, size);
    return AddFieldNameField(table, prefix + "_FieldInfo");
}

int CkvDaoDatabase::AddNameFields(CDaoTableDef& table, const std::string& prefix) {
    AddDataField(table, prefix + "_FullName", 50);
    for (const char* part : {"_FirstName", "_LastName", "_MiddleName", "_PrefixName", "_SuffixName"})
        AddDataField(table, prefix + part, 30);
    return 1;
}

int CkvDaoDatabase::AddPhoneFields(CDaoTableDef& table, const std::string& prefix) {
    AddDataField(table, prefix + "_PhoneNum", 30);
    table.CreateField((prefix + "_PhoneType").c_str(), dbInteger, 2);
    for (const char* part : {"_Ext", "_CountryCode", "_AreaCode"})
        table.CreateField((prefix + part).c_str(), dbText, 5);
    return 1;
}

int CkvDaoDatabase::AddEmailFields(CDaoTableDef& table, const std::string& prefix) {
    AddDataField(table, prefix + "_EmailName", 50);
    table.CreateField((prefix + "_EmailType").c_str(), dbInteger, 2);
    return 1;
}

int CkvDaoDatabase::AddAddressFields(CDaoTableDef& table, const std::string& prefix) {
    AddDataField(table, prefix + "_FullAddress", 255);
    AddDataField(table, prefix + "_Street", 50);
    for (const char* part : {"_City", "_State", "_Country"}) AddDataField(table, prefix + part, 30);
    AddDataField(table, prefix + "_ZipCode", 10);
    AddDataField(table, prefix + "_POBOX", 30);
    table.CreateField((prefix + "_LangID").c_str(), dbInteger, 2);
    return 1;
}

int CkvDaoDatabase::TblNew(const char* name, CkvDataset** out) {
    CkvDaoDataset* dataset = CkvDaoDataset::Make();
    if (!dataset) return 0;
    dataset->Attach(this);
    dataset->SetTableName(name);
    *out = dataset;
    return 1;
}

int CkvDaoDatabase::CompactDatabase(const char* source, const char* target, const char* locale) {
    return GuardDao([&] {
        if (Dao()->IsOpen()) CloseDatabase();
        CDaoWorkspace::CompactDatabase(source ? source : "", target ? target : "", locale, 0);
        return 1;
    });
}
