// What the Jet and the dBASE database have in common: the owned DAO database, the one
// transaction level, and reading the table list.
#pragma once
#include <memory>

#include "dao.h"
#include "kvdb_database.h"

class CkvDaoStore : public CkvDatabase {
public:
    CkvDaoStore() : dao_(new CDaoDatabase) {}

    int Execute(const char* sql) override;
    int CloseDatabase() override;
    int StartTransation() override;
    int Commit() override;
    int Rollback() override;
    int TblIsExist(const char* name) override;
    int TblDelete(const char* name) override { return 1; }
    bool IsOpen() const override { return dao_->IsOpen(); }

    CDaoDatabase* Dao() const { return dao_.get(); }

protected:
    // Reads the transaction flag back from the workspace; true while a transaction is open.
    bool SyncTransactionFlag();
    // Opens the DAO database; an exception is kept in LastOpenError, never shown.
    int OpenQuietly(const char* name, bool exclusive, const char* connect);

private:
    std::unique_ptr<CDaoDatabase> dao_;
};
