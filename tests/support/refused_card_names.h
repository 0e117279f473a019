// Card files that refuse a card, for tests of what a failed insert does: a unique index on one
// column of the card table takes no second card of a value already there, as a full disk takes
// none. For test programs that link the card database classes (kvdbcore).
#pragma once
#include <string>
#include "kvdb_engine.h"
#include "kvdb_store.h"

// Gives the card table "NM" of the card file a unique index on the column; true when it did.
inline bool RefuseSecondCardOf(const std::string& path, const char* column) {
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    if (engine.OpenDatabase(31, path.c_str(), &db) != 1) return false;
    bool made = true;
    try {
        CDaoTableDef table(static_cast<CkvDaoStore*>(db)->Dao());
        table.Open("NM");
        CDaoIndexInfo unique;
        unique.m_strName = "OneOfEachName";
        unique.AddField(column);
        unique.m_bUnique = true;
        table.CreateIndex(unique);
        table.Close();
    } catch (CDaoException* e) {
        e->Delete();
        made = false;
    }
    engine.CloseDatabase(db);
    return made;
}
