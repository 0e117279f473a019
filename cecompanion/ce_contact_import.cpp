#include "ce_contact_import.h"
#include "ce_contact_record.h"
#include <objbase.h>
#include <stdlib.h>
#include <vector>

namespace cecompanion {

namespace {

using Setter = HRESULT (STDMETHODCALLTYPE IContact::*)(BSTR);
#define POCKET_OUTLOOK_SETTER_ADDRESS(name) &IContact::put_##name,
// In the order of kCeContactFields.
const Setter kSetters[kCeContactFieldCount] = {POCKET_OUTLOOK_CONTACT_PROPERTIES(POCKET_OUTLOOK_SETTER_ADDRESS)};
#undef POCKET_OUTLOOK_SETTER_ADDRESS

template <typename T>
void Release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

IContact* AsContact(IDispatch* item) {
    IContact* contact = nullptr;
    if (item) item->QueryInterface(IID_IZemContact, reinterpret_cast<void**>(&contact));
    Release(item);
    return contact;
}

// The duplicate query: [Property]="value" for every non-empty field, joined by " AND ", with
// the value's double quotes doubled so that the store reads them as part of it.
std::wstring BuildQuery(const BYTE* record) {
    std::wstring query;
    query.reserve(5120);
    wchar_t text[256];
    for (const CeContactField& field : kCeContactFields) {
        const wchar_t* value = FieldText(record, field, text);
        if (!value[0]) continue;
        if (!query.empty()) query += L" AND ";
        query += std::wstring(L"[") + field.property + L"]=\"";
        for (const wchar_t* c = value; *c; ++c) query += *c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, *c);
        query += L"\"";
    }
    return query;
}

// "pimstore.dll" registers the store's classes; E_FAIL when it or its entry is missing.
HRESULT RegisterStore() {
    HMODULE store = LoadLibraryW(L"pimstore.dll");
    if (!store) return E_FAIL;
    using RegisterFn = HRESULT(STDAPICALLTYPE*)();
    auto registerServer =
        reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(store, "DllRegisterServer")));
    HRESULT result = registerServer ? registerServer() : E_FAIL;
    FreeLibrary(store);
    return result;
}

}  // namespace

void RunCompanion(const std::wstring& transferFile) {
    if (transferFile.empty()) return;
    CContactImport import(transferFile.c_str());
    if (SUCCEEDED(import.ConnectPocketOutlook())) import.ImportTransferFile();
    import.Logoff();
}

std::wstring TransferFileOf(const wchar_t* commandLine) {
    const wchar_t* p = commandLine ? commandLine : L"";
    while (*p == L' ') ++p;
    if (*p == L'"') {
        p = wcschr(p + 1, L'"');
        p = p ? p + 1 : L"";
    } else {
        while (*p && *p != L' ') ++p;
    }
    std::wstring rest = p;
    size_t first = rest.find_first_not_of(L' '), last = rest.find_last_not_of(L' ');
    rest = first == std::wstring::npos ? std::wstring() : rest.substr(first, last - first + 1);
    if (rest.size() >= 2 && rest.front() == L'"' && rest.back() == L'"') rest = rest.substr(1, rest.size() - 2);
    return rest;
}

CContactImport::~CContactImport() {
    Release(items2_);
    Release(items_);
    Release(folder_);
    Release(application_);
    if (comStarted_) CoUninitialize();
}

HRESULT CContactImport::CreateApplication() {
    CLSID clsid;
    HRESULT found = CLSIDFromProgID(L"PocketOutlook.Application", &clsid);
    if (FAILED(found)) {
        HRESULT registered = RegisterStore();
        if (FAILED(registered)) return registered;
        // Look again: the class is known only now.
        found = CLSIDFromProgID(L"PocketOutlook.Application", &clsid);
    }
    HRESULT created = FAILED(found) ? found
                                    : CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                                       reinterpret_cast<void**>(&application_));
    if (FAILED(created)) {
        wchar_t text[64];
        wsprintfW(text, L"Fail to load CoCreateInstance %d", static_cast<int>(GetLastError()));
        MessageBoxW(nullptr, text, nullptr, MB_OK);
    }
    return created;
}

HRESULT CContactImport::ConnectPocketOutlook() {
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, 0));
    HRESULT created = CreateApplication();
    if (FAILED(created)) return created;
    lastResult_ = application_->Logon(0);
    if (FAILED(lastResult_)) {
        MessageBoxW(nullptr, L"Fail to login", nullptr, MB_OK);
        return lastResult_;
    }
    HRESULT status = application_->GetDefaultFolder(kPocketOutlookContactsFolder, &folder_);
    if (SUCCEEDED(status)) status = folder_->get_Items(&items_);
    if (SUCCEEDED(status)) items_->QueryInterface(IID_IPOutlookItemCollection2, reinterpret_cast<void**>(&items2_));
    return SUCCEEDED(status) ? S_OK : status;
}

bool CContactImport::FindExistingContact(const BYTE* record) {
    BSTR query = SysAllocString(BuildQuery(record).c_str());
    IDispatch* found = nullptr;
    HRESULT status = query ? items_->Find(query, &found) : E_OUTOFMEMORY;
    SysFreeString(query);
    bool present = status != S_OK || found;
    Release(found);
    return present;
}

void CContactImport::AddContactFromRecord(IContact* contact, const BYTE* record) {
    wchar_t text[256];
    for (int i = 0; i < kCeContactFieldCount; ++i) {
        BSTR value = SysAllocString(FieldText(record, kCeContactFields[i], text));
        (contact->*kSetters[i])(value);
        SysFreeString(value);
    }
}

void CContactImport::ImportTransferFile() {
    IDispatch* item = nullptr;
    if (!items_ || FAILED(application_->CreateItem(kPocketOutlookContactItem, &item))) return;
    IContact* contact = AsContact(item);
    HANDLE file = CreateFileW(transferFile_.c_str(), GENERIC_READ, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Release(contact);
        return;
    }
    DWORD length = GetFileSize(file, nullptr);
    DWORD count = length / kCeContactRecordSize;
    std::vector<BYTE> buffer(length + 1, 0);
    for (DWORD r = 0; r < count && contact; ++r) {
        BYTE* record = &buffer[r * kCeContactRecordSize];
        DWORD read = 0;
        if (!ReadFile(file, record, kCeContactRecordSize, &read, nullptr) || read != kCeContactRecordSize) break;
        if (FindExistingContact(record)) continue;
        AddContactFromRecord(contact, record);
        contact->Save();
        Release(contact);
        IDispatch* next = nullptr;
        if (SUCCEEDED(items_->Add(&next))) contact = AsContact(next);
    }
    CloseHandle(file);
    Release(contact);
}

void CContactImport::Logoff() {
    if (application_ && SUCCEEDED(lastResult_)) application_->Logoff();
}

}  // namespace cecompanion
