#include "poom_objects.h"
#include <stdlib.h>
#include <string>
#include "contact_book.h"

namespace poom {

namespace {

LONG g_live = 0;

std::string Utf8(const wchar_t* text, int length = -1) {
    if (!text) return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, &out[0], bytes, nullptr, nullptr);
    if (length < 0 && !out.empty()) out.pop_back();
    return out;
}

// IUnknown and an IDispatch without members, for the interfaces below; extra interface ids
// that an object also answers to.
template <class Interface>
class CObject : public Interface {
public:
    CObject(REFIID own, const IID* also = nullptr) : own_(own), also_(also) { InterlockedIncrement(&g_live); }
    virtual ~CObject() { InterlockedDecrement(&g_live); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, own_) &&
            !(also_ && IsEqualIID(riid, *also_)))
            return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (!left) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

private:
    LONG refs_ = 1;
    IID own_;
    const IID* also_;
};

// A contact: stored (read-only here) or new, appended to the book by Save.
class CContact : public CObject<IContact> {
public:
    CContact() : CObject<IContact>(IID_IZemContact) {}
#define POOM_SETTER(name)                                                                                              \
    HRESULT STDMETHODCALLTYPE put_##name(BSTR value) override {                                                        \
        contact_.values[PropertyNumber(#name)] = Utf8(value, value ? SysStringLen(value) : 0);                         \
        return S_OK;                                                                                                   \
    }
    POCKET_OUTLOOK_CONTACT_PROPERTIES(POOM_SETTER)
#undef POOM_SETTER
    HRESULT STDMETHODCALLTYPE Save() override {
        if (saved_) return S_OK;
        saved_ = ContactBook().Append(contact_);
        return saved_ ? S_OK : E_FAIL;
    }

private:
    entryfile::Entry contact_;
    bool saved_ = false;
};

class CItems : public CObject<IPOutlookItemCollection> {
public:
    CItems() : CObject<IPOutlookItemCollection>(IID_IDispatch, &IID_IPOutlookItemCollection2) {}
    HRESULT STDMETHODCALLTYPE Find(BSTR query, IDispatch** item) override {
        if (!item) return E_POINTER;
        *item = nullptr;
        std::vector<entryfile::Term> terms;
        if (!entryfile::ParseQuery(Utf8(query, query ? SysStringLen(query) : 0), PropertyNumber, &terms))
            return E_INVALIDARG;
        if (ContactBook().Find(terms) >= 0) *item = new CContact();  // stands for the stored one
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Add(IDispatch** item) override {
        if (!item) return E_POINTER;
        *item = new CContact();
        return S_OK;
    }
};

class CFolder : public CObject<IFolder> {
public:
    CFolder() : CObject<IFolder>(IID_IDispatch) {}
    HRESULT STDMETHODCALLTYPE get_Items(IPOutlookItemCollection** items) override {
        if (!items) return E_POINTER;
        *items = new CItems();
        return S_OK;
    }
};

class CApplication : public CObject<IPOutlookApp> {
public:
    CApplication() : CObject<IPOutlookApp>(IID_IPOutlookApp) {
        char path[MAX_PATH] = "";
        DWORD length = GetEnvironmentVariableA("ZEM_POOM_FILE", path, sizeof(path));
        ContactBook().Load(length && length < sizeof(path) ? path : "");
    }
    HRESULT STDMETHODCALLTYPE Logon(long) override {
        char fail[8] = "";
        if (GetEnvironmentVariableA("ZEM_POOM_FAIL_LOGON", fail, sizeof(fail)) && atoi(fail) == 1) return E_FAIL;
        loggedOn_ = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Logoff() override {
        loggedOn_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDefaultFolder(int folder, IFolder** result) override {
        if (!result) return E_POINTER;
        *result = nullptr;
        if (!loggedOn_ || folder != kPocketOutlookContactsFolder) return E_FAIL;
        *result = new CFolder();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateItem(int itemType, IDispatch** item) override {
        if (!item) return E_POINTER;
        *item = nullptr;
        if (!loggedOn_ || itemType != kPocketOutlookContactItem) return E_FAIL;
        *item = new CContact();
        return S_OK;
    }

private:
    bool loggedOn_ = false;
};

}  // namespace

IPOutlookApp* NewApplication() { return new CApplication(); }

LONG LiveObjects() { return g_live; }

}  // namespace poom
