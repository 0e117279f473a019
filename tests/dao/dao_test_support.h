// Shared pieces of the DAO stand-in tests: a scratch folder per test, the card-like table
// most tests use, and a check that an operation raises a given Jet error.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "dao.h"
#include "file_bytes.h"
#include "scratch_folder.h"

// Table "NM": ID (auto-increment Long, primary), LINKID Long (index), CDATE Date, CNAME
// Text(10), FLAGS Integer, CNOTE Memo, CIMAGE Long Binary.
void CreateCardTable(CDaoDatabase& db, const char* name = "NM");
// Adds a card through a dynaset and returns its ID.
long AddCard(CDaoDatabase& db, const char* cname, long linkId = 0);

// The error number an operation raised (0 when it raised nothing); frees the exception.
template <typename Fn>
long DaoErrorOf(Fn&& fn) {
    try {
        fn();
    } catch (CDaoException* e) {
        long code = e->GetErrorCode();
        e->Delete();
        return code;
    }
    return 0;
}
