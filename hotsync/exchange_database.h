// The exchange card database "ZemSync.mdb" as one step of a run uses it: opened on the card
// table sorted by name, closed compacted through a copy of its own beside it.
#pragma once
#include <string>
#include "kvdb_engine.h"

class ExchangeDatabase {
public:
    explicit ExchangeDatabase(const std::string& folder);
    ~ExchangeDatabase();  // closes (compacted when it was open)
    ExchangeDatabase(const ExchangeDatabase&) = delete;
    ExchangeDatabase& operator=(const ExchangeDatabase&) = delete;

    bool HasTable() const { return dataset_ != nullptr; }
    int Count();
    CkvDBEngine& Engine() { return *engine_; }
    CkvDatabase* Database() { return database_; }
    CkvDataset* Dataset() { return dataset_; }

    // Inserts the card and commits it at once.
    void InsertCommitted(CardRecV4* card);
    // Deletes the current card in a transaction of its own.
    void DeleteCurrent();

private:
    void CloseCompacted();

    std::string path_;
    CkvDBEngine* engine_;
    CkvDatabase* database_ = nullptr;
    CkvDataset* dataset_ = nullptr;
};
