#include "kvdb_dao_dataset.h"

#include <new>

#include "kvdb_dao_database.h"

CkvDaoDataset* CkvDaoDataset::Make() {
    std::unique_ptr<CkvDaoDataset> dataset(new (std::nothrow) CkvDaoDataset);
    if (!dataset) return nullptr;
    for (auto& buffer : dataset->text_) {
        buffer.reset(new (std::nothrow) char[kTextBufferSize]);
        if (!buffer) return nullptr;
        buffer[0] = '\0';
    }
    for (auto& buffer : dataset->images_) {
        buffer.reset(new (std::nothrow) char[kImageBufferSize]);
        if (!buffer) return nullptr;
    }
    return dataset.release();
}

CkvDaoDataset::~CkvDaoDataset() {
    if (IsOpenSet())
        GuardDao([&] {
            rs_->Close();
            return 1;
        });
}

int CkvDaoDataset::Attach(CkvDatabase* database) {
    database_ = static_cast<CkvDaoDatabase*>(database);
    rs_.reset(new CDaoRecordset(database_->Dao()));
    return 1;
}

int CkvDaoDataset::TblOpen() {
    if (!rs_) return 0;
    const std::string& sql = BuildSelect();
    flat_.resolved = false;
    columns_.clear();
    missingReported_ = false;
    return GuardDao([&] {
        if (rs_->IsOpen()) rs_->Close();
        rs_->Open(dbOpenDynaset, sql.c_str(), 0);
        return 1;
    });
}

int CkvDaoDataset::TblClose() {
    return GuardDao([&] {
        if (IsOpenSet()) rs_->Close();
        return 1;
    });
}

int CkvDaoDataset::TblRefresh() { return TblClose() == 1 ? TblOpen() : 0; }

int CkvDaoDataset::TblIsOpen() { return IsOpenSet() ? 1 : 0; }

int CkvDaoDataset::RecIsBOF() { return !IsOpenSet() || rs_->IsBOF() ? 1 : 0; }

int CkvDaoDataset::RecIsEOF() { return !IsOpenSet() || rs_->IsEOF() ? 1 : 0; }

int CkvDaoDataset::RecNum() {
    if (!IsOpenSet()) return 0;
    return GuardDao([&] { return static_cast<int>(rs_->GetAbsolutePosition() + 1); });
}

int CkvDaoDataset::TblNRecs() {
    if (!IsOpenSet()) return 0;
    return GuardDao([&] {
        const bool bof = rs_->IsBOF(), eof = rs_->IsEOF();
        if (bof && eof) return 0;
        if (bof || eof) {
            rs_->MoveLast();
            return static_cast<int>(rs_->GetAbsolutePosition() + 1);
        }
        const CDaoValue here = rs_->GetBookmark();
        rs_->MoveLast();
        const long last = rs_->GetAbsolutePosition();
        rs_->SetBookmark(here);
        return static_cast<int>(last + 1);
    });
}

template <class Move>
int CkvDaoDataset::Navigate(Move&& move) {
    if (!IsOpenSet()) return 0;
    return GuardDao([&] {
        move();
        return 1;
    });
}

int CkvDaoDataset::RecFirst() {
    return Navigate([&] { rs_->MoveFirst(); });
}
int CkvDaoDataset::RecPrev() {
    return Navigate([&] { rs_->MovePrev(); });
}
int CkvDaoDataset::RecNext() {
    return Navigate([&] { rs_->MoveNext(); });
}
int CkvDaoDataset::RecLast() {
    return Navigate([&] { rs_->MoveLast(); });
}
int CkvDaoDataset::RecDelete() {
    return Navigate([&] { rs_->Delete(); });
}

int CkvDaoDataset::RecGoto(int n) {
    if (!IsOpenSet()) return 0;
    return GuardDao([&] {
        const long position = rs_->GetAbsolutePosition();
        if (position >= 0) {
            rs_->Move(static_cast<long>(n) - (position + 1));
            return 1;
        }
        rs_->MoveFirst();
        rs_->Move(static_cast<long>(n) - 1);
        return 0;
    });
}

template <class Find>
int CkvDaoDataset::FindWithRestore(Find&& find) {
    if (!IsOpenSet()) return 0;
    // Without a current record there is no place to return to: a failed find then leaves
    // the cursor without one, as it was.
    const bool hadRecord = !rs_->IsBOF() && !rs_->IsEOF();
    CDaoValue start;
    int result = GuardDao([&] {
        if (hadRecord) start = rs_->GetBookmark();
        return find() ? 1 : 0;
    });
    if (result == 0 && hadRecord && !start.IsEmpty()) {
        GuardDao([&] {
            rs_->SetBookmark(start);
            return 1;
        });
    }
    return result;
}

int CkvDaoDataset::RecFindFirst(const char* criteria) {
    return FindWithRestore([&] { return rs_->FindFirst(criteria ? criteria : ""); });
}

int CkvDaoDataset::RecFindLast(const char* criteria) {
    return FindWithRestore([&] { return rs_->FindLast(criteria ? criteria : ""); });
}

int CkvDaoDataset::RecFindNext(const char* criteria) {
    return FindWithRestore([&] { return rs_->FindNext(criteria ? criteria : ""); });
}

int CkvDaoDataset::RecFindPrev(const char* criteria) {
    return FindWithRestore([&] { return rs_->FindPrev(criteria ? criteria : ""); });
}
