// A card file opened as zem40's current one, for the benchmarks that build on its sources.
#pragma once
#include <string>
#include "kvdb32.h"
#include "shell.h"

// Opens the card file into App with its card table in name order, as the program's views and
// export walk it, and counts its cards; the caller places the current card.
inline void OpenProgramCardFile(const std::string& path) {
    kvOpenDatabase(31, path.c_str(), &App.Database);
    kvTblNew(App.Database, "NM", &App.CardTable);
    kvKeyAdd(App.CardTable, "CName");
    kvTblOpen(App.CardTable);
    App.CardCount = kvTblNRecs(App.CardTable);
}

// Closes what OpenProgramCardFile opened.
inline void CloseProgramCardFile() {
    kvTblFree(App.CardTable);
    kvCloseDatabase(App.Database);
    App.CardTable = NULL;
    App.Database = NULL;
}
