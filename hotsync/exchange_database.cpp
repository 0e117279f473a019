#include "exchange_database.h"
#include <windows.h>
#include "card_file_replace.h"

namespace {

const int kJetDatabase = 31;
const char* const kCardTable = "NM";
const char* const kCompactLocale = ";LANGID=0x0409;CP=1252;COUNTRY=0";

}  // namespace

ExchangeDatabase::ExchangeDatabase(const std::string& folder)
    : path_(folder + "ZemSync.mdb"), engine_(new CkvDBEngine()) {
    if (engine_->OpenDatabase(kJetDatabase, path_.c_str(), &database_) != 1) {
        database_ = nullptr;
        return;
    }
    if (!engine_->TblIsExist(database_, kCardTable) || engine_->TblNew(database_, kCardTable, &dataset_) != 1) {
        dataset_ = nullptr;
        return;
    }
    engine_->KeyAdd(dataset_, "CNAME_FullName_Data");
    engine_->SetSortOrder(dataset_, 0);
    if (engine_->TblOpen(dataset_) != 1) {
        engine_->TblFree(dataset_);
        dataset_ = nullptr;
    }
}

ExchangeDatabase::~ExchangeDatabase() {
    if (dataset_) {
        engine_->TblClose(dataset_);
        engine_->TblFree(dataset_);
    }
    if (database_) CloseCompacted();
    delete engine_;
}

int ExchangeDatabase::Count() { return dataset_ ? engine_->TblNRecs(dataset_) : 0; }

void ExchangeDatabase::InsertCommitted(CardRecV4* card) {
    if (!dataset_) return;
    engine_->CardRecInsertV4(dataset_, card);
    engine_->Commit(database_);
    engine_->RecLast(dataset_);
}

void ExchangeDatabase::DeleteCurrent() {
    engine_->StartTransation(database_);
    if (engine_->RecDelete(dataset_)) engine_->Commit(database_);
    else engine_->Rollback(database_);
}

// The compacted copy is made under a name of its own beside the exchange database and takes
// its place in one step, or is deleted: the database is never half-copied, and no file the
// conduit did not make is touched.
void ExchangeDatabase::CloseCompacted() {
    CompactCardFileInPlace(path_.c_str(), [this](const char* compacted) {
        return engine_->CompactDatabase(database_, path_.c_str(), compacted, kCompactLocale);
    });
    engine_->CloseDatabase(database_);
    database_ = nullptr;
}
