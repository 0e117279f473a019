#include "kvdb_schema.h"

#include "dao.h"

#define KV_TEXT(field, dbase)                                                                                          \
    { #field, offsetof(CardRec, field), sizeof(CardRec::field), dbase }

const KvTextColumn kCardTextColumns[kCardTextColumnCount] = {
    KV_TEXT(CName, 50),      KV_TEXT(EName, 50),     KV_TEXT(Aliase, 50),   KV_TEXT(ComType, 20),
    KV_TEXT(Company, 60),    KV_TEXT(CNumber, 20),   KV_TEXT(Title, 50),    KV_TEXT(Department, 30),
    KV_TEXT(EMail, 50),      KV_TEXT(OPhone, 30),    KV_TEXT(HPhone, 30),   KV_TEXT(PPhone, 30),
    KV_TEXT(BBCALL, 15),     KV_TEXT(Fax, 15),       KV_TEXT(Address, 80),  KV_TEXT(City, 20),
    KV_TEXT(State, 10),      KV_TEXT(Zip, 10),       KV_TEXT(Country, 20),  KV_TEXT(AltName, 30),
    KV_TEXT(AltAddress, 80), KV_TEXT(AltCity, 20),   KV_TEXT(AltState, 10), KV_TEXT(AltZip, 10),
    KV_TEXT(Category1, 50),  KV_TEXT(Category2, 50), KV_TEXT(User1, 50),    KV_TEXT(User2, 50),
    KV_TEXT(User3, 50),      KV_TEXT(User4, 50),     KV_TEXT(User5, 50),    KV_TEXT(User6, 50),
    KV_TEXT(User7, 50),      KV_TEXT(User8, 50),     KV_TEXT(User9, 50),
};

#undef KV_TEXT

namespace {

// The upper-case creation names of the 35 text columns, in kCardTextColumns order.
const char* const kTextColumnNames[kCardTextColumnCount] = {
    "CNAME",   "ENAME",   "ALIASE",     "COMTYPE", "COMPANY",  "CNUMBER", "TITLE",     "DEPARTMENT", "EMAIL",
    "OPHONE",  "HPHONE",  "PPHONE",     "BBCALL",  "FAX",      "ADDRESS", "CITY",      "STATE",      "ZIP",
    "COUNTRY", "ALTNAME", "ALTADDRESS", "ALTCITY", "ALTSTATE", "ALTZIP",  "CATEGORY1", "CATEGORY2",  "USER1",
    "USER2",   "USER3",   "USER4",      "USER5",   "USER6",    "USER7",   "USER8",     "USER9",
};

}  // namespace

void CreateFlatColumns(CDaoTableDef& table, bool dbase) {
    auto add = [&](const char* name, short type, long size, long attributes) {
        table.CreateField(name, type, size, attributes);
    };
    add("ID", dbLong, 4, dbase ? 0 : dbAutoIncrField);
    add("LINKID", dbLong, 4, 0);
    add("CDATE", dbDate, 8, 0);
    for (int i = 0; i < kCardTextColumnCount; ++i) {
        const KvTextColumn& c = kCardTextColumns[i];
        add(kTextColumnNames[i], dbText, dbase ? c.dbaseSize : static_cast<long>(c.width - 1), 0);
    }
    add("FLAGS", dbInteger, 2, 0);
    add("SECONDTEXT", dbMemo, 20, 0);
    add("CNOTE", dbMemo, 0, 0);
    add("CIMAGE", dbLongBinary, 0, 0);
}
