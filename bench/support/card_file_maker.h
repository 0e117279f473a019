// A card file of `count` cards for benchmarks that build on zem40's sources: each card is
// zeroed, filled by the caller and inserted in one transaction.
#pragma once
#include <windows.h>
#include <string.h>
#include <functional>
#include <string>
#include "cardrec.h"
#include "kvdb32.h"

inline void WriteCardFile(const std::string& path, int count, const std::function<void(int, CardRec&)>& fill) {
    HKVDB db = NULL;
    HKVTBL table = NULL;
    DeleteFileA(path.c_str());
    kvCreateDatabase(31, path.c_str(), 0, &db);
    kvTblCreate(db, "NM");
    kvTblNew(db, "NM", &table);
    kvTblOpen(table);
    kvStartTransation(db);
    static CardRec card;
    for (int n = 0; n < count; ++n) {
        memset(&card, 0, sizeof card);
        fill(n, card);
        kvCardRecInsert(table, &card);
    }
    kvCommit(db);
    kvTblFree(table);
    kvCloseDatabase(db);
}
