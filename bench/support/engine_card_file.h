// Card files written through the card engine itself (link kvdbcore), for the benchmarks of the
// libraries that build on it.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include "cardrec.h"
#include "kvdb_engine.h"

// Creates the card file in `locale` with its card table "NM" (`layout` 1: V4 records, 0: V3)
// and lets `insert` fill the open table inside one transaction. The file must not exist yet.
inline void WriteEngineCardFile(const std::string& path, const char* locale, int layout,
                                const std::function<void(CkvDBEngine&, CkvDataset*)>& insert) {
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    CkvDataset* ds = nullptr;
    engine.CreateDatabase(31, path.c_str(), locale, &db);
    engine.TblCreate(db, "NM", layout);
    engine.TblNew(db, "NM", &ds);
    engine.TblOpen(ds);
    engine.StartTransation(db);
    insert(engine, ds);
    engine.Commit(db);
    engine.TblFree(ds);
    engine.CloseDatabase(db);
}

// A V4 card file holding the cards.
inline void WriteV4CardFile(const std::string& path, const char* locale, const std::vector<CardRecV4>& cards) {
    WriteEngineCardFile(path, locale, 1, [&](CkvDBEngine& engine, CkvDataset* table) {
        for (const CardRecV4& card : cards) engine.CardRecInsertV4(table, const_cast<CardRecV4*>(&card));
    });
}
