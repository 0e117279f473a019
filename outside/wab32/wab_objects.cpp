#include "wab_objects.h"
#include "wab_memory.h"
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

#define WAB_NO_SUPPORT                                                                                                 \
    { return MAPI_E_NO_SUPPORT; }

namespace wab {

namespace {

// Entry ids: a marker and an index (the entry's place in the store, or one of the kinds below).
struct EntryId {
    BYTE flags[4];
    DWORD marker;
    DWORD index;
};
const DWORD kEntryMarker = 0x5A57414E;
const DWORD kPersonalBook = 0xFFFFFFFF, kMailUserTemplate = 0xFFFFFFFE, kDistListTemplate = 0xFFFFFFFD;
const ULONG kCreateCheckDupStrict = 1;
const ULONG kMailUserTemplateTag = 0x36120102, kDistListTemplateTag = 0x36110102;

bool ReadEntryId(ULONG size, const ENTRYID* id, DWORD* index) {
    if (size != sizeof(EntryId) || !id) return false;
    const auto* ours = reinterpret_cast<const EntryId*>(id);
    if (ours->marker != kEntryMarker) return false;
    *index = ours->index;
    return true;
}

// A new entry id in a buffer of the WAB object, or in a block chained to `owner`.
ENTRYID* NewEntryId(DWORD index, void* owner = nullptr) {
    void* block = nullptr;
    SCODE status = owner ? AllocateMore(sizeof(EntryId), owner, &block) : AllocateBuffer(sizeof(EntryId), &block);
    if (FAILED(status)) return nullptr;
    auto* id = static_cast<EntryId*>(block);
    id->marker = kEntryMarker;
    id->index = index;
    return reinterpret_cast<ENTRYID*>(id);
}

char* CopyString(const std::string& text, void* owner) {
    void* block = nullptr;
    if (FAILED(AllocateMore(static_cast<ULONG>(text.size() + 1), owner, &block))) return nullptr;
    memcpy(block, text.c_str(), text.size() + 1);
    return static_cast<char*>(block);
}

int SaveFailureAt() {
    char value[16] = "";
    return GetEnvironmentVariableA("ZEM_WAB_FAIL_SAVE", value, sizeof(value)) ? atoi(value) : 0;
}

template <class Interface>
class CUnknown : public Interface {
public:
    virtual ~CUnknown() = default;
    MAPIMETHOD(QueryInterface)(REFIID riid, LPVOID* object) override {
        if (!object) return E_INVALIDARG;
        *object = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown)) return E_NOINTERFACE;
        *object = this;
        this->AddRef();
        return S_OK;
    }
    MAPIMETHOD_(ULONG, AddRef)() override { return InterlockedIncrement(&refs_); }
    MAPIMETHOD_(ULONG, Release)() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }

private:
    LONG refs_ = 1;
};

class CWabObjectBase : public CUnknown<IWABObject> {
public:
    WAB_IWABOBJECT_METHODS(WAB_NO_SUPPORT)
};

class CWabObject : public CWabObjectBase {
public:
    MAPIMETHOD(AllocateBuffer)(ULONG size, LPVOID* buffer) override { return wab::AllocateBuffer(size, buffer); }
    MAPIMETHOD(AllocateMore)(ULONG size, LPVOID owner, LPVOID* buffer) override {
        return wab::AllocateMore(size, owner, buffer);
    }
    MAPIMETHOD(FreeBuffer)(LPVOID buffer) override { return wab::FreeBuffer(buffer); }
};

class CMailUserBase : public CUnknown<IMailUser> {
public:
    MAPI_IMAPIPROP_METHODS(WAB_NO_SUPPORT)
};

// A stored entry (read-only here) or a new one that SaveChanges appends to the store.
class CMailUser : public CMailUserBase {
public:
    static CMailUser* Stored(std::shared_ptr<CStore> store, DWORD index) {
        auto* user = new CMailUser(std::move(store), index, 0);
        user->entry_ = user->store_->Entries()[index];
        return user;
    }
    static CMailUser* New(std::shared_ptr<CStore> store, ULONG createFlags) {
        auto* user = new CMailUser(std::move(store), kPersonalBook, createFlags);
        user->entry_.kind = MAPI_MAILUSER;
        return user;
    }

    MAPIMETHOD(GetProps)(LPSPropTagArray tags, ULONG, ULONG* count, LPSPropValue* values) override;
    MAPIMETHOD(SetProps)(ULONG count, LPSPropValue values, LPSPropProblemArray* problems) override;
    MAPIMETHOD(SaveChanges)(ULONG) override;

private:
    CMailUser(std::shared_ptr<CStore> store, DWORD index, ULONG createFlags)
        : store_(std::move(store)), index_(index), createFlags_(createFlags) {}
    bool IsNew() const { return index_ == kPersonalBook; }

    std::shared_ptr<CStore> store_;
    DWORD index_;
    ULONG createFlags_;
    Entry entry_;
};

HRESULT CMailUser::GetProps(LPSPropTagArray tags, ULONG, ULONG* count, LPSPropValue* values) {
    if (!count || !values) return MAPI_E_INVALID_PARAMETER;
    if (tags) return MAPI_E_NO_SUPPORT;  // the link library asks for all properties
    ULONG n = static_cast<ULONG>(entry_.values.size()) + 2;
    void* block = nullptr;
    if (FAILED(wab::AllocateBuffer(n * sizeof(SPropValue), &block))) return MAPI_E_NOT_ENOUGH_MEMORY;
    auto* props = static_cast<SPropValue*>(block);
    props[0].ulPropTag = PR_OBJECT_TYPE;
    props[0].Value.l = static_cast<LONG>(entry_.kind);
    props[1].ulPropTag = PR_ENTRYID;
    props[1].Value.bin.cb = sizeof(EntryId);
    props[1].Value.bin.lpb = reinterpret_cast<BYTE*>(NewEntryId(index_, block));
    ULONG i = 2;
    for (const auto& property : entry_.values) {
        props[i].ulPropTag = property.first;
        props[i].Value.lpszA = CopyString(property.second, block);
        ++i;
    }
    *count = n;
    *values = props;
    return S_OK;
}

HRESULT CMailUser::SetProps(ULONG count, LPSPropValue values, LPSPropProblemArray* problems) {
    if (problems) *problems = nullptr;
    if (!IsNew()) return MAPI_E_NO_ACCESS;
    for (ULONG i = 0; i < count; ++i)
        if (PROP_TYPE(values[i].ulPropTag) == PT_STRING8)
            entry_.values[values[i].ulPropTag] = values[i].Value.lpszA ? values[i].Value.lpszA : "";
    return S_OK;
}

HRESULT CMailUser::SaveChanges(ULONG) {
    static int saves = 0;
    if (!IsNew()) return S_OK;
    if (++saves == SaveFailureAt()) return MAPI_E_DISK_ERROR;
    if ((createFlags_ & kCreateCheckDupStrict) && store_->HasEqual(entry_)) return MAPI_E_COLLISION;
    return store_->Append(entry_) ? S_OK : MAPI_E_DISK_ERROR;
}

class CTableBase : public CUnknown<IMAPITable> {
public:
    MAPI_IMAPITABLE_METHODS(WAB_NO_SUPPORT)
};

// The container's contents: every entry, or those of one object type once restricted.
class CContentsTable : public CTableBase {
public:
    explicit CContentsTable(std::shared_ptr<CStore> store) : store_(std::move(store)) {
        for (DWORD i = 0; i < store_->Entries().size(); ++i) rows_.push_back(i);
    }
    MAPIMETHOD(Restrict)(LPSRestriction restriction, ULONG) override;
    MAPIMETHOD(GetRowCount)(ULONG, ULONG* count) override {
        *count = static_cast<ULONG>(rows_.size());
        return S_OK;
    }
    MAPIMETHOD(SetColumns)(LPSPropTagArray tags, ULONG) override {
        if (!tags) return MAPI_E_INVALID_PARAMETER;
        columns_.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
        return S_OK;
    }
    MAPIMETHOD(SeekRow)(BOOKMARK origin, LONG rows, LONG* sought) override;
    MAPIMETHOD(QueryRows)(LONG count, ULONG, LPSRowSet* rows) override;

private:
    bool FillRow(DWORD index, SRow* row);

    std::shared_ptr<CStore> store_;
    std::vector<DWORD> rows_;
    std::vector<ULONG> columns_;
    size_t position_ = 0;
};

HRESULT CContentsTable::Restrict(LPSRestriction restriction, ULONG) {
    if (!restriction || restriction->rt != RES_PROPERTY || restriction->res.resProperty.relop != RELOP_EQ ||
        restriction->res.resProperty.ulPropTag != PR_OBJECT_TYPE || !restriction->res.resProperty.lpProp)
        return MAPI_E_TOO_COMPLEX;
    ULONG wanted = static_cast<ULONG>(restriction->res.resProperty.lpProp->Value.l);
    std::vector<DWORD> kept;
    for (DWORD i : rows_)
        if (store_->Entries()[i].kind == wanted) kept.push_back(i);
    rows_.swap(kept);
    position_ = 0;
    return S_OK;
}

HRESULT CContentsTable::SeekRow(BOOKMARK origin, LONG rows, LONG* sought) {
    LONG from = origin == BOOKMARK_BEGINNING ? 0 : origin == BOOKMARK_CURRENT ? static_cast<LONG>(position_) : -1;
    if (from < 0) return MAPI_E_NO_SUPPORT;
    LONG target = from + rows;
    if (target < 0) target = 0;
    if (target > static_cast<LONG>(rows_.size())) target = static_cast<LONG>(rows_.size());
    if (sought) *sought = target - from;
    position_ = static_cast<size_t>(target);
    return S_OK;
}

bool CContentsTable::FillRow(DWORD index, SRow* row) {
    void* block = nullptr;
    if (FAILED(wab::AllocateBuffer(static_cast<ULONG>(columns_.size() * sizeof(SPropValue)), &block))) return false;
    auto* props = static_cast<SPropValue*>(block);
    const Entry& entry = store_->Entries()[index];
    for (size_t c = 0; c < columns_.size(); ++c) {
        ULONG tag = columns_[c];
        props[c].ulPropTag = tag;
        if (tag == PR_OBJECT_TYPE) {
            props[c].Value.l = static_cast<LONG>(entry.kind);
        } else if (tag == PR_ENTRYID) {
            props[c].Value.bin.cb = sizeof(EntryId);
            props[c].Value.bin.lpb = reinterpret_cast<BYTE*>(NewEntryId(index, block));
        } else if (PROP_TYPE(tag) == PT_STRING8 && entry.values.count(tag)) {
            props[c].Value.lpszA = CopyString(entry.values.at(tag), block);
        } else {
            props[c].ulPropTag = PROP_TAG(PT_ERROR, PROP_ID(tag));
            props[c].Value.err = MAPI_E_NOT_FOUND;
        }
    }
    row->cValues = static_cast<ULONG>(columns_.size());
    row->lpProps = props;
    return true;
}

HRESULT CContentsTable::QueryRows(LONG count, ULONG, LPSRowSet* rows) {
    if (!rows || count < 0) return MAPI_E_INVALID_PARAMETER;
    size_t n = rows_.size() - position_;
    if (static_cast<size_t>(count) < n) n = static_cast<size_t>(count);
    void* block = nullptr;
    if (FAILED(wab::AllocateBuffer(static_cast<ULONG>(CbNewSRowSet(n ? n : 1)), &block)))
        return MAPI_E_NOT_ENOUGH_MEMORY;
    auto* set = static_cast<SRowSet*>(block);
    set->cRows = 0;
    for (size_t r = 0; r < n; ++r) {
        if (!FillRow(rows_[position_ + r], &set->aRow[r])) break;
        ++set->cRows;
    }
    position_ += set->cRows;
    *rows = set;
    return S_OK;
}

class CContainerBase : public CUnknown<IABContainer> {
public:
    MAPI_IMAPIPROP_METHODS(WAB_NO_SUPPORT)
    MAPI_IMAPICONTAINER_METHODS(WAB_NO_SUPPORT)
    MAPI_IABCONTAINER_METHODS(WAB_NO_SUPPORT)
};

// The personal address book: its contents, its two templates and new entries.
class CContainer : public CContainerBase {
public:
    explicit CContainer(std::shared_ptr<CStore> store) : store_(std::move(store)) {}
    MAPIMETHOD(GetContentsTable)(ULONG, LPMAPITABLE* table) override {
        *table = new CContentsTable(store_);
        return S_OK;
    }
    MAPIMETHOD(GetProps)(LPSPropTagArray tags, ULONG, ULONG* count, LPSPropValue* values) override;
    MAPIMETHOD(CreateEntry)(ULONG size, LPENTRYID id, ULONG flags, LPMAPIPROP* entry) override {
        DWORD index = 0;
        if (!ReadEntryId(size, id, &index) || index != kMailUserTemplate || !entry) return MAPI_E_INVALID_ENTRYID;
        *entry = CMailUser::New(store_, flags);
        return S_OK;
    }

private:
    std::shared_ptr<CStore> store_;
};

HRESULT CContainer::GetProps(LPSPropTagArray tags, ULONG, ULONG* count, LPSPropValue* values) {
    if (!tags || !count || !values) return MAPI_E_NO_SUPPORT;
    void* block = nullptr;
    if (FAILED(wab::AllocateBuffer(tags->cValues * sizeof(SPropValue), &block))) return MAPI_E_NOT_ENOUGH_MEMORY;
    auto* props = static_cast<SPropValue*>(block);
    bool allFound = true;
    for (ULONG i = 0; i < tags->cValues; ++i) {
        ULONG tag = tags->aulPropTag[i];
        DWORD kind = tag == kMailUserTemplateTag   ? kMailUserTemplate
                     : tag == kDistListTemplateTag ? kDistListTemplate
                                                   : 0;
        if (kind) {
            props[i].ulPropTag = tag;
            props[i].Value.bin.cb = sizeof(EntryId);
            props[i].Value.bin.lpb = reinterpret_cast<BYTE*>(NewEntryId(kind, block));
        } else {
            props[i].ulPropTag = PROP_TAG(PT_ERROR, PROP_ID(tag));
            props[i].Value.err = MAPI_E_NOT_FOUND;
            allFound = false;
        }
    }
    *count = tags->cValues;
    *values = props;
    return allFound ? S_OK : MAPI_W_ERRORS_RETURNED;
}

class CAddrBookBase : public CUnknown<IAddrBook> {
public:
    MAPI_IMAPIPROP_METHODS(WAB_NO_SUPPORT)
    MAPI_IADDRBOOK_METHODS(WAB_NO_SUPPORT)
};

class CAddrBook : public CAddrBookBase {
public:
    explicit CAddrBook(std::shared_ptr<CStore> store) : store_(std::move(store)) {}
    MAPIMETHOD(GetPAB)(ULONG* size, LPENTRYID* id) override {
        *id = NewEntryId(kPersonalBook);
        *size = *id ? sizeof(EntryId) : 0;
        return *id ? S_OK : MAPI_E_NOT_ENOUGH_MEMORY;
    }
    MAPIMETHOD(OpenEntry)(ULONG size, LPENTRYID id, LPCIID, ULONG, ULONG* type, LPUNKNOWN* object) override;

private:
    std::shared_ptr<CStore> store_;
};

HRESULT CAddrBook::OpenEntry(ULONG size, LPENTRYID id, LPCIID, ULONG, ULONG* type, LPUNKNOWN* object) {
    DWORD index = 0;
    if (!object || !ReadEntryId(size, id, &index)) return MAPI_E_INVALID_ENTRYID;
    if (index == kPersonalBook) {
        if (type) *type = MAPI_ABCONT;
        *object = static_cast<IABContainer*>(new CContainer(store_));
        return S_OK;
    }
    if (index >= store_->Entries().size()) return MAPI_E_NOT_FOUND;
    if (type) *type = store_->Entries()[index].kind;
    *object = static_cast<IMailUser*>(CMailUser::Stored(store_, index));
    return S_OK;
}

}  // namespace

void OpenAddressBook(std::shared_ptr<CStore> store, IAddrBook** book, IWABObject** wabObject) {
    *book = new CAddrBook(std::move(store));
    *wabObject = new CWabObject();
}

}  // namespace wab
