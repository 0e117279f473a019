// One end of a card-file transfer: its own engine, database and card table dataset.
#pragma once
#include <memory>
#include "kvdb_engine.h"

namespace ferrow {

enum class CardLayout { V3 = 0, V4 = 1 };

class CCardFileSide {
public:
    explicit CCardFileSide(CardLayout layout) : layout_(layout) {}
    ~CCardFileSide();
    CCardFileSide(const CCardFileSide&) = delete;
    CCardFileSide& operator=(const CCardFileSide&) = delete;

    // Opens an existing card file and its card table, sorted by name. True when ready.
    bool Open(const char* path);
    // Opens the card file, or creates it with its card table when it does not exist.
    bool OpenOrCreate(const char* path);
    // Closes the table and the file.
    void Close();
    // Closes the table, then compacts the file at `path` (through a copy of its own beside it,
    // which replaces the file in one step or is deleted) and closes it.
    void CloseCompacted(const char* path);

    bool Ready() const { return dataset_ != nullptr; }
    CkvDBEngine& Engine() { return engine_; }
    CkvDatabase* Database() { return database_; }
    CkvDataset* Dataset() { return dataset_; }
    int Count();

    // Inserts one record in its own transaction, rolled back when the insert fails.
    bool InsertCommitted(CardRec* v3, CardRecV4* v4);

private:
    bool OpenTable();
    void CloseTable();

    CardLayout layout_;
    CkvDBEngine engine_;
    CkvDatabase* database_ = nullptr;
    CkvDataset* dataset_ = nullptr;
};

}  // namespace ferrow
