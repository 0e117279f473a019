#include "kvdb_store.h"

#include <cstring>

#include "kvdb_daoguard.h"

int CkvDaoStore::Execute(const char* sql) {
    return GuardDao([&] {
        dao_->Execute(sql ? sql : "", dbFailOnError);
        return 1;
    });
}

int CkvDaoStore::OpenQuietly(const char* name, bool exclusive, const char* connect) {
    openError_ = KvOpenError();
    try {
        dao_->Open(name ? name : "", exclusive, false, connect);
    } catch (CDaoException* e) {
        openError_.number = static_cast<int>(e->GetErrorCode());
        openError_.source = e->GetSource();
        openError_.description = e->GetDescription();
        e->Delete();
        return openError_.number == 1 ? 0 : openError_.number;
    }
    return dao_->IsOpen() ? 1 : 0;
}

int CkvDaoStore::CloseDatabase() {
    return GuardDao([&] {
        dao_->Close();
        transaction_ = 0;  // closing rolled back whatever was pending
        return 1;
    });
}

// The transaction flag follows the file before every decision: SQLite ends a transaction on
// its own after a failed write or a full disk, and inserts made after that are committed at
// once; a flag left set would promise a rollback that can no longer happen.
bool CkvDaoStore::SyncTransactionFlag() {
    transaction_ = dao_->m_pWorkspace->InTransaction() ? 1 : 0;
    return transaction_ != 0;
}

int CkvDaoStore::StartTransation() {
    if (SyncTransactionFlag()) return 2;
    dao_->m_pWorkspace->BeginTrans();
    transaction_ = 1;
    return 1;
}

int CkvDaoStore::Commit() {
    if (!SyncTransactionFlag()) return 2;
    try {
        dao_->m_pWorkspace->CommitTrans();
    } catch (CDaoException*) {
        SyncTransactionFlag();  // rolled back by the file, or still open for a Rollback
        throw;
    }
    transaction_ = 0;
    return 1;
}

int CkvDaoStore::Rollback() {
    if (!SyncTransactionFlag()) return 2;
    try {
        dao_->m_pWorkspace->Rollback();
    } catch (CDaoException*) {
        SyncTransactionFlag();
        throw;
    }
    transaction_ = 0;
    return 1;
}

int CkvDaoStore::TblIsExist(const char* name) {
    if (!name) return 0;
    return GuardDao([&] {
        const int count = dao_->GetTableDefCount();
        for (int i = 0; i < count; ++i) {
            CDaoTableDefInfo info;
            dao_->GetTableDefInfo(i, info);
            if (std::strcmp(info.m_strName.c_str(), name) == 0) return 1;
        }
        return 0;
    });
}
