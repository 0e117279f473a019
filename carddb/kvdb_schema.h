// The columns of the flat card table, shared by table creation and record transfer.
#pragma once
#include <cstddef>

#include "cardrec.h"

// One of the 35 text columns of the flat layout and its CardRec field.
struct KvTextColumn {
    const char* name;  // as the transfer addresses it (Jet ignores case)
    size_t offset;     // of the field in CardRec
    size_t width;      // of the field, terminator included (column size + 1)
    long dbaseSize;    // column size in the dBASE form of the table
};

enum { kCardTextColumnCount = 35 };
extern const KvTextColumn kCardTextColumns[kCardTextColumnCount];

class CDaoTableDef;

// Adds the 42 columns of the flat layout in order; dbase selects the dBASE sizes and a plain
// (not auto-numbered) "ID".
void CreateFlatColumns(CDaoTableDef& table, bool dbase);
