#include "palm_data.h"
#include "card_text.h"
#include "table21.h"
#include "user_data.h"
#include <stddef.h>

namespace ferrow {

static_assert(offsetof(PalmAddressBuffer, Name) == 6 && offsetof(PalmAddressBuffer, Phone) == 630 &&
                  offsetof(PalmAddressBuffer, PhoneLabel) == 786 && offsetof(PalmAddressBuffer, Custom) == 796 &&
                  offsetof(PalmAddressBuffer, Note) == 1120,
              "PalmAddressBuffer fields where the Palm converters expect them");

namespace {
const int kExportCategory = 2;
}

bool Table21Available() {
    static HMODULE library = nullptr;
    if (!library) library = LoadLibraryA(TABLE21_LIBRARY);
    return library != nullptr;
}

int CPalmData::Open(DWORD userId) {
    if (open_) Close();
    char path[MAX_PATH];
    CUserData users;
    if (!Table21Available() || !users.AddressBookPath(userId, path, sizeof(path))) return 0;
    table_ = new CAddressTable();
    if (table_->OpenFrom(path, 0) != 0) {
        Close();
        return 0;
    }
    table_->PurgeDeletedRecords();
    iterator_ = new CAddressIterator(table_);
    open_ = 1;
    return 1;
}

void CPalmData::Close() {
    delete iterator_;
    iterator_ = nullptr;
    delete table_;
    table_ = nullptr;
    open_ = 0;
}

int CPalmData::Save() {
    if (!table_) return 0;
    modified_ = 0;
    return table_->Save() == 0 ? 1 : 0;
}

int CPalmData::GetRecordCount() { return table_ ? table_->GetRecordCount() : -1; }

int CPalmData::FindFirst(PalmAddressBuffer* buffer) { return Find(buffer, true); }
int CPalmData::FindNext(PalmAddressBuffer* buffer) { return Find(buffer, false); }

int CPalmData::Find(PalmAddressBuffer* buffer, bool first) {
    if (!iterator_) return 0;
    CAddressRecord record(table_, 1);
    int status = first ? iterator_->FindFirst(&record, 1) : iterator_->FindNext(&record, 1);
    if (status != 0) return 0;
    RecordToBuffer(buffer, record);
    return 1;
}

void CPalmData::RecordToBuffer(PalmAddressBuffer* buffer, CAddressRecord& record) {
    buffer->Status = record.GetStatus();
    CopyCut(buffer->Name, record.GetName(), sizeof(buffer->Name) - 1);
    CopyCut(buffer->First, record.GetFirst(), sizeof(buffer->First) - 1);
    CopyCut(buffer->Title, record.GetTitle(), sizeof(buffer->Title) - 1);
    CopyCut(buffer->Company, record.GetCompany(), sizeof(buffer->Company) - 1);
    CopyCut(buffer->Address, record.GetAddress(), sizeof(buffer->Address) - 1);
    CopyCut(buffer->City, record.GetCity(), sizeof(buffer->City) - 1);
    CopyCut(buffer->State, record.GetState(), sizeof(buffer->State) - 1);
    CopyCut(buffer->ZipCode, record.GetZipCode(), sizeof(buffer->ZipCode) - 1);
    CopyCut(buffer->Country, record.GetCountry(), sizeof(buffer->Country) - 1);
    for (int k = 0; k < 5; ++k) {
        CopyCut(buffer->Phone[k], record.GetPhone(k + 1), sizeof(buffer->Phone[k]) - 1);
        buffer->PhoneLabel[k] = record.GetPhoneLabelID(k + 1);
    }
    for (int k = 0; k < 4; ++k) CopyCut(buffer->Custom[k], record.GetCustom(k + 1), sizeof(buffer->Custom[k]) - 1);
}

int CPalmData::AppendFromBuffer(const PalmAddressBuffer* buffer) {
    if (!table_) return 0;
    CAddressRecord record(table_, 1);
    if (table_->AppendBlankRecord(&record) != 0) return 0;
    modified_ = 1;
    record.SetCategoryId(kExportCategory);
    record.SetName(buffer->Name);
    record.SetFirst(buffer->First);
    record.SetTitle(buffer->Title);
    record.SetCompany(buffer->Company);
    int next = 1;
    for (int k = 0; k < 5; ++k) {
        if (!buffer->Phone[k][0]) continue;
        record.SetPhoneLabelID(next, buffer->PhoneLabel[k]);
        record.SetPhone(next, buffer->Phone[k]);
        ++next;
    }
    record.SetAddress(buffer->Address);
    record.SetCity(buffer->City);
    record.SetState(buffer->State);
    record.SetZipCode(buffer->ZipCode);
    record.SetCountry(buffer->Country);
    for (int k = 0; k < 4; ++k) record.SetCustom(k + 1, buffer->Custom[k]);
    record.SetNote(buffer->Note);
    return 1;
}

}  // namespace ferrow
