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

int CkvDaoStore::StartTransation() {
    if (transaction_) return 2;
    dao_->m_pWorkspace->BeginTrans();
    transaction_ = 1;
    return 1;
}

int CkvDaoStore::Commit() {
    if (!transaction_) return 2;
    dao_->m_pWorkspace->CommitTrans();
    transaction_ = 0;
    return 1;
}

int CkvDaoStore::Rollback() {
    if (!transaction_) return 2;
    dao_->m_pWorkspace->Rollback();
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
