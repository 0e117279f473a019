#include "outlook_objects.h"
#include "contact_properties.h"
#include "contact_store.h"
#include <stdlib.h>
#include <memory>

namespace outlook {

namespace {

enum : DISPID {
    kGetNamespace = 0x110,
    kCreateItem = 0x10A,
    kGetDefaultFolder = 0x2108,
    kItems = 0x3100,
    kCount = 0x50,
    kGetFirst = 0x56,
    kGetNext = 0x57,
    kFind = 0x62,
    kClass = 0xF00A,
    kSave = 0xF048
};
const LONG kContactsFolder = 10, kContactItem = 2;

int SwitchValue(const char* name) {
    char value[16] = "";
    return GetEnvironmentVariableA(name, value, sizeof(value)) ? atoi(value) : 0;
}

// The k-th property read of the library's life fails when ZEM_OUTLOOK_FAIL_READ is k.
bool ReadFails() {
    static int reads = 0;
    return ++reads == SwitchValue("ZEM_OUTLOOK_FAIL_READ");
}

// A filter's property name as its dispatch id; 0 for a name the folder does not know.
unsigned long FilterId(const std::string& name) {
    const ContactProperty* property = PropertyByName(name.c_str(), name.size());
    return property ? static_cast<unsigned long>(property->id) : 0;
}

using Store = std::shared_ptr<entryfile::CIndexedEntries>;

class CContactItem : public CDispatchObject {
public:
    // A stored item (index) or a new contact (index -1) that Save appends.
    CContactItem(Store store, int index) : CDispatchObject(Members()), store_(std::move(store)), index_(index) {
        if (index >= 0) item_ = store_->Entries()[index];
        else item_.kind = kContactClass;
    }

protected:
    HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) override {
        if (id == kClass) {
            if (result) {
                result->vt = VT_I4;
                result->lVal = static_cast<LONG>(item_.kind);
            }
            return S_OK;
        }
        if (id == kSave) return Save();
        if (!PropertyById(id)) return DISP_E_MEMBERNOTFOUND;
        if (flags & DISPATCH_PROPERTYPUT) return Put(id, args);
        if (ReadFails()) return DISP_E_EXCEPTION;
        auto found = item_.values.find(static_cast<unsigned long>(id));
        return ReturnText(found == item_.values.end() ? std::string() : found->second, result);
    }

private:
    static std::vector<Member> Members() {
        std::vector<Member> members = {{L"Class", kClass}, {L"Save", kSave}};
        return members;
    }
    HRESULT Put(DISPID id, const std::vector<VARIANT*>& args) {
        std::string value;
        if (!TextArgument(args, 0, &value)) return DISP_E_TYPEMISMATCH;
        item_.values[static_cast<unsigned long>(id)] = value;
        return S_OK;
    }
    HRESULT Save() {
        if (index_ >= 0) return S_OK;
        if (SwitchValue("ZEM_OUTLOOK_FAIL_SAVE") == 1 || !store_->Append(item_)) return DISP_E_EXCEPTION;
        index_ = static_cast<int>(store_->Entries().size()) - 1;
        return S_OK;
    }

    Store store_;
    int index_;
    Item item_;
};

class CItems : public CDispatchObject {
public:
    explicit CItems(Store store)
        : CDispatchObject({{L"Count", kCount}, {L"GetFirst", kGetFirst}, {L"GetNext", kGetNext}, {L"Find", kFind}}),
          store_(std::move(store)) {}

protected:
    HRESULT Call(DISPID id, WORD, const std::vector<VARIANT*>& args, VARIANT* result) override {
        switch (id) {
        case kCount:
            if (result) {
                result->vt = VT_I4;
                result->lVal = static_cast<LONG>(store_->Entries().size());
            }
            return S_OK;
        case kGetFirst: cursor_ = 0; return ItemAt(cursor_, result);
        case kGetNext: return ItemAt(++cursor_, result);
        case kFind: {
            std::string filter;
            std::vector<entryfile::Term> terms;
            if (!TextArgument(args, 0, &filter) || !entryfile::ParseQuery(filter, FilterId, &terms))
                return DISP_E_EXCEPTION;
            int found = store_->Find(terms);
            return found < 0 ? ReturnNothing(result) : ItemAt(static_cast<size_t>(found), result);
        }
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    HRESULT ItemAt(size_t index, VARIANT* result) {
        if (index >= store_->Entries().size()) return ReturnNothing(result);
        return ReturnObject(new CContactItem(store_, static_cast<int>(index)), result);
    }

    Store store_;
    size_t cursor_ = 0;
};

class CFolder : public CDispatchObject {
public:
    explicit CFolder(Store store) : CDispatchObject({{L"Items", kItems}}), store_(std::move(store)) {}

protected:
    HRESULT Call(DISPID id, WORD, const std::vector<VARIANT*>&, VARIANT* result) override {
        return id == kItems ? ReturnObject(new CItems(store_), result) : DISP_E_MEMBERNOTFOUND;
    }

private:
    Store store_;
};

class CNamespace : public CDispatchObject {
public:
    explicit CNamespace(Store store)
        : CDispatchObject({{L"GetDefaultFolder", kGetDefaultFolder}}), store_(std::move(store)) {}

protected:
    HRESULT Call(DISPID id, WORD, const std::vector<VARIANT*>& args, VARIANT* result) override {
        if (id != kGetDefaultFolder) return DISP_E_MEMBERNOTFOUND;
        LONG folder = 0;
        if (!IntArgument(args, 0, &folder) || folder != kContactsFolder) return DISP_E_EXCEPTION;
        return ReturnObject(new CFolder(store_), result);
    }

private:
    Store store_;
};

class CApplication : public CDispatchObject {
public:
    CApplication()
        : CDispatchObject({{L"GetNamespace", kGetNamespace}, {L"CreateItem", kCreateItem}}),
          store_(std::make_shared<entryfile::CIndexedEntries>()) {
        LoadContacts(store_.get());
    }

protected:
    HRESULT Call(DISPID id, WORD, const std::vector<VARIANT*>& args, VARIANT* result) override {
        std::string name;
        LONG type = 0;
        switch (id) {
        case kGetNamespace:
            if (!TextArgument(args, 0, &name) || name != "MAPI") return DISP_E_EXCEPTION;
            return ReturnObject(new CNamespace(store_), result);
        case kCreateItem:
            if (!IntArgument(args, 0, &type) || type != kContactItem) return DISP_E_EXCEPTION;
            return ReturnObject(new CContactItem(store_, -1), result);
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    Store store_;
};

}  // namespace

IDispatch* NewApplication() { return new CApplication(); }

}  // namespace outlook
