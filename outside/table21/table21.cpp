// The table, record and iterator classes over an in-memory address book.
#include "table21.h"
#include "address_book.h"

// ---- tables ----------------------------------------------------------------------------------

CBaseTable::CBaseTable() : book_(new Table21Book) {}
CBaseTable::~CBaseTable() { delete book_; }

int CBaseTable::OpenFrom(const char* path, int) {
    if (!path) return 1;
    book_->open = false;
    int status = ReadAddressFile(path, &book_->entries);
    if (status != 0) return status;
    book_->path = path;
    book_->open = true;
    return 0;
}

int CBaseTable::Save() { return book_->open && WriteAddressFile(book_->path, book_->entries) ? 0 : 1; }

int CBaseTable::GetRecordCount() { return static_cast<int>(book_->entries.size()); }

void CBaseTable::PurgeDeletedRecords() {
    std::vector<AddressEntry>& entries = book_->entries;
    std::vector<AddressEntry> kept;
    for (AddressEntry& e : entries)
        if (!e.deleted) kept.push_back(std::move(e));
    entries.swap(kept);
}

int CBaseTable::AppendBlankRecord(CBaseRecord* record) {
    if (!book_->open || !record) return 1;
    book_->entries.emplace_back();
    record->Bind(static_cast<int>(book_->entries.size()) - 1);
    return 0;
}

int CBaseTable::CreateEmpty(const char* path) { return path && WriteAddressFile(path, {}) ? 0 : 1; }

int CBaseTable::DeleteRecord(int index) {
    if (index < 0 || index >= GetRecordCount()) return 1;
    book_->entries[index].deleted = true;
    return 0;
}

CAddressTable::CAddressTable() = default;
CAddressTable::~CAddressTable() = default;

// ---- records ---------------------------------------------------------------------------------

namespace {

AddressEntry* EntryOf(CBaseTable* table, int index) {
    if (!table || index < 0 || index >= table->GetRecordCount()) return nullptr;
    return &table->Book()->entries[index];
}

}  // namespace

CBaseRecord::CBaseRecord(CBaseTable* table, int) : table_(table), index_(-1) {}
CBaseRecord::~CBaseRecord() = default;

void CBaseRecord::Bind(int index) { index_ = index; }

int32_t CBaseRecord::GetStatus() {
    AddressEntry* e = EntryOf(table_, index_);
    return e ? e->status : 0;
}

void CBaseRecord::SetCategoryId(int category) {
    if (AddressEntry* e = EntryOf(table_, index_)) e->category = static_cast<uint16_t>(category);
}

int CBaseRecord::GetCategoryId() {
    AddressEntry* e = EntryOf(table_, index_);
    return e ? e->category : 0;
}

CAddressRecord::CAddressRecord(CAddressTable* table, int flags) : CBaseRecord(table, flags) {}
CAddressRecord::~CAddressRecord() = default;

namespace {

const char* TextOf(CBaseTable* table, int index, int text) {
    AddressEntry* e = EntryOf(table, index);
    return e && text >= 0 && text < kAddressTexts ? e->texts[text].c_str() : "";
}

void SetTextOf(CBaseTable* table, int index, int text, const char* value) {
    AddressEntry* e = EntryOf(table, index);
    if (e && text >= 0 && text < kAddressTexts) e->texts[text] = value ? value : "";
}

// Phone n (1-5) or custom n (1-4) as a text number; -1 out of range.
int Numbered(int first, int n, int count) { return n >= 1 && n <= count ? first + n - 1 : -1; }

}  // namespace

#define TEXT_FIELD(Field, index)                                                                                       \
    const char* CAddressRecord::Get##Field() { return TextOf(table_, index_, index); }                                 \
    void CAddressRecord::Set##Field(const char* text) { SetTextOf(table_, index_, index, text); }
TEXT_FIELD(Name, kName)
TEXT_FIELD(First, kFirst)
TEXT_FIELD(Title, kTitle)
TEXT_FIELD(Company, kCompany)
TEXT_FIELD(Address, kAddress)
TEXT_FIELD(City, kCity)
TEXT_FIELD(State, kState)
TEXT_FIELD(ZipCode, kZipCode)
TEXT_FIELD(Country, kCountry)
TEXT_FIELD(Note, kNote)
#undef TEXT_FIELD

const char* CAddressRecord::GetPhone(int n) { return TextOf(table_, index_, Numbered(kPhone1, n, 5)); }
void CAddressRecord::SetPhone(int n, const char* text) { SetTextOf(table_, index_, Numbered(kPhone1, n, 5), text); }
const char* CAddressRecord::GetCustom(int n) { return TextOf(table_, index_, Numbered(kCustom1, n, 4)); }
void CAddressRecord::SetCustom(int n, const char* text) { SetTextOf(table_, index_, Numbered(kCustom1, n, 4), text); }

int16_t CAddressRecord::GetPhoneLabelID(int n) {
    AddressEntry* e = EntryOf(table_, index_);
    return e && n >= 1 && n <= 5 ? e->labels[n - 1] : 0;
}

void CAddressRecord::SetPhoneLabelID(int n, int16_t label) {
    AddressEntry* e = EntryOf(table_, index_);
    if (e && n >= 1 && n <= 5) e->labels[n - 1] = label;
}

// ---- iterators -------------------------------------------------------------------------------

CBaseIterator::CBaseIterator(CBaseTable* table) : table_(table), next_(0) {}
CBaseIterator::~CBaseIterator() = default;

int CBaseIterator::Seek(CBaseRecord* record, int from) {
    int count = table_ ? table_->GetRecordCount() : 0;
    for (int i = from; i < count; ++i) {
        if (table_->Book()->entries[i].deleted) continue;
        if (record) record->Bind(i);
        next_ = i + 1;
        return 0;
    }
    next_ = count;
    return 1;
}

int CBaseIterator::FindFirst(CBaseRecord* record, int) { return Seek(record, 0); }
int CBaseIterator::FindNext(CBaseRecord* record, int) { return Seek(record, next_); }

CAddressIterator::CAddressIterator(CAddressTable* table) : CBaseIterator(table) {}
CAddressIterator::~CAddressIterator() = default;
