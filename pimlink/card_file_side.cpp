#include "card_file_side.h"
#include "card_file_transfer.h"
#include "card_file_replace.h"
#include <windows.h>

namespace ferrow {

namespace {
const char kCardTable[] = "NM";
const int kJetDatabase = 31;

const char* SortKey(CardLayout layout) { return layout == CardLayout::V3 ? "CName" : "CNAME_FullName_Data"; }
}  // namespace

const char kCardFileLocale[] = ";LANGID=0x0804;CP=936;COUNTRY=0";

CCardFileSide::~CCardFileSide() { Close(); }

void CCardFileSide::Close() {
    CloseTable();
    if (database_) engine_.CloseDatabase(database_);
    database_ = nullptr;
}

bool CCardFileSide::Open(const char* path) {
    if (engine_.OpenDatabase(kJetDatabase, path, &database_) != 1) {
        database_ = nullptr;
        return false;
    }
    if (!engine_.TblIsExist(database_, kCardTable)) return false;
    return OpenTable();
}

bool CCardFileSide::OpenOrCreate(const char* path) {
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        if (!Open(path)) return false;
        if (Count() > 0) engine_.RecLast(dataset_);
        return true;
    }
    if (engine_.CreateDatabase(kJetDatabase, path, kCardFileLocale, &database_) != 1) {
        database_ = nullptr;
        return false;
    }
    if (engine_.TblCreate(database_, kCardTable, static_cast<int>(layout_)) != 1) return false;
    return OpenTable();
}

bool CCardFileSide::OpenTable() {
    if (engine_.TblNew(database_, kCardTable, &dataset_) != 1) {
        dataset_ = nullptr;
        return false;
    }
    engine_.KeyAdd(dataset_, SortKey(layout_));
    engine_.SetSortOrder(dataset_, 0);
    if (engine_.TblOpen(dataset_) == 1) return true;
    CloseTable();
    return false;
}

void CCardFileSide::CloseTable() {
    if (!dataset_) return;
    engine_.TblClose(dataset_);
    engine_.TblFree(dataset_);
    dataset_ = nullptr;
}

int CCardFileSide::Count() { return dataset_ ? engine_.TblNRecs(dataset_) : 0; }

bool CCardFileSide::InsertCommitted(CardRec* v3, CardRecV4* v4) {
    engine_.StartTransation(database_);
    int inserted = v3 ? engine_.CardRecInsert(dataset_, v3) : engine_.CardRecInsertV4(dataset_, v4);
    if (!inserted) {
        engine_.Rollback(database_);
        return false;
    }
    engine_.Commit(database_);
    engine_.RecLast(dataset_);
    return true;
}

void CCardFileSide::CloseCompacted(const char* path) {
    CloseTable();
    if (!database_) return;
    CompactCardFileInPlace(path, [this, path](const char* compacted) {
        return engine_.CompactDatabase(database_, path, compacted, kCardFileLocale);
    });
    engine_.CloseDatabase(database_);
    database_ = nullptr;
}

}  // namespace ferrow
