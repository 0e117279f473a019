#include "wab_session.h"
#include "wab_field_list.h"
#include <stdlib.h>
#include <initializer_list>
#include <string.h>

namespace ferrow {

namespace {

const char kWabPathKey[] = "Software\\Microsoft\\WAB\\DLLPath";
const REGSAM kReadAccess = 0x20019;
const UINT kFailureBox = 0x14;
const ULONG kDupStrict = 1;
const ULONG kMailUserTemplate = 0x36120102, kDistListTemplate = 0x36110102;
const ULONG kDisplayNameTag = 0x3001001E, kGivenNameTag = 0x3A06001E, kSurnameTag = 0x3A11001E;
const char kUndefinedName[] = "Undefine Name";

// The library path from the registry, terminated even when the value is not; empty when none.
void LibraryPath(char* path, DWORD size) {
    path[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWabPathKey, 0, kReadAccess, &key) != ERROR_SUCCESS) return;
    DWORD bytes = size - 1, type = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &bytes) != ERROR_SUCCESS)
        bytes = 0;
    path[bytes < size ? bytes : size - 1] = '\0';
    RegCloseKey(key);
}

const SPropValue* FindProp(const SRow& row, ULONG tag) {
    for (ULONG i = 0; i < row.cValues; ++i)
        if (row.lpProps[i].ulPropTag == tag) return &row.lpProps[i];
    return nullptr;
}

// The display name the contact is created with: the first of display, given and surname that
// is not empty.
const char* DisplayName(const char* list) {
    for (ULONG tag : {kDisplayNameTag, kGivenNameTag, kSurnameTag}) {
        const char* text = list + FindWabField(tag)->offset;
        if (text[0]) return text;
    }
    return kUndefinedName;
}

}  // namespace

void CWabSession::Open(const char* fileName) {
    Close();
    char path[MAX_PATH] = "";
    LibraryPath(path, sizeof(path));
    library_ = LoadLibraryA(path[0] ? path : "WAB32.DLL");
    if (!library_) {
        MessageBoxA(nullptr, "Load wab32.dll fail", nullptr, kFailureBox);
        return;
    }
    auto open = reinterpret_cast<LPWABOPEN>(reinterpret_cast<void*>(GetProcAddress(library_, "WABOpen")));
    if (!open) return;
    WAB_PARAM parameters = {};
    parameters.cbSize = 16;  // the parameter block of the first address book versions
    parameters.szFileName = const_cast<char*>(fileName);
    if (open(&book_, &wab_, &parameters, 0) != S_OK) {
        book_ = nullptr;
        wab_ = nullptr;
        MessageBoxA(nullptr, "Open wab fail", nullptr, kFailureBox);
        return;
    }
    opened_ = true;
}

void CWabSession::FreeBuffer(void* buffer) {
    if (buffer && wab_) wab_->FreeBuffer(buffer);
}

IABContainer* CWabSession::OpenPersonalBook() {
    if (!book_) return nullptr;
    ULONG size = 0;
    ENTRYID* id = nullptr;
    if (FAILED(book_->GetPAB(&size, &id))) return nullptr;
    ULONG type = 0;
    IUnknown* object = nullptr;
    HRESULT opened = book_->OpenEntry(size, id, nullptr, 0, &type, &object);
    FreeBuffer(id);
    return SUCCEEDED(opened) ? static_cast<IABContainer*>(object) : nullptr;
}

IMAPITable* CWabSession::MailUserTable() {
    if (table_) return table_;
    if (!container_) container_ = OpenPersonalBook();
    if (!container_ || FAILED(container_->GetContentsTable(0, &table_))) return table_ = nullptr;
    SPropValue mailUser = {};
    mailUser.ulPropTag = PR_OBJECT_TYPE;
    mailUser.Value.l = MAPI_MAILUSER;
    SRestriction restriction = {};
    restriction.rt = RES_PROPERTY;
    restriction.res.resProperty.relop = RELOP_EQ;
    restriction.res.resProperty.ulPropTag = PR_OBJECT_TYPE;
    restriction.res.resProperty.lpProp = &mailUser;
    SizedSPropTagArray(3, columns) = {3, {kDisplayNameTag, PR_ENTRYID, PR_OBJECT_TYPE}};
    if (FAILED(table_->Restrict(&restriction, TBL_BATCH)) ||
        FAILED(table_->SetColumns(reinterpret_cast<SPropTagArray*>(&columns), 0))) {
        table_->Release();
        table_ = nullptr;
    }
    return table_;
}

int CWabSession::CountContacts() {
    IMAPITable* table = MailUserTable();
    ULONG count = 0;
    if (!table || FAILED(table->GetRowCount(0, &count))) return 0;
    return static_cast<int>(count);
}

bool CWabSession::ReadContact(char* list, int row) {
    memset(list, 0, kWabFieldListSize);
    IMAPITable* table = MailUserTable();
    SRowSet* rows = nullptr;
    if (!table || FAILED(table->SeekRow(BOOKMARK_BEGINNING, row, nullptr)) || FAILED(table->QueryRows(1, 0, &rows)))
        return false;
    bool read = false;
    if (rows && rows->cRows == 1) {
        const SPropValue* type = FindProp(rows->aRow[0], PR_OBJECT_TYPE);
        const SPropValue* id = FindProp(rows->aRow[0], PR_ENTRYID);
        if (type && type->Value.l == MAPI_MAILUSER && id) {
            StoreEntryId(id->Value.bin);
            read = ReadCurrentContact(list);
        }
    }
    FreeRows(rows);
    return read;
}

void CWabSession::StoreEntryId(const SBinary& id) {
    free(entryId_);
    entryId_ = static_cast<BYTE*>(malloc(id.cb ? id.cb : 1));
    entryIdSize_ = entryId_ ? id.cb : 0;
    if (entryId_) memcpy(entryId_, id.lpb, id.cb);
}

bool CWabSession::ReadCurrentContact(char* list) {
    if (!entryId_ || !book_) return false;
    ULONG type = 0;
    IUnknown* object = nullptr;
    if (FAILED(book_->OpenEntry(entryIdSize_, reinterpret_cast<ENTRYID*>(entryId_), nullptr, 0, &type, &object)))
        return false;
    auto* user = static_cast<IMailUser*>(object);
    FreeBuffer(props_);
    props_ = nullptr;
    propCount_ = 0;
    bool read = SUCCEEDED(user->GetProps(nullptr, 0, &propCount_, &props_));
    for (ULONG i = 0; read && i < propCount_; ++i) {
        const WabField* field = FindWabField(props_[i].ulPropTag);
        if (!field || !props_[i].Value.lpszA) continue;
        char* target = list + field->offset;
        strncpy(target, props_[i].Value.lpszA, field->readLimit);
        target[field->readLimit] = '\0';
    }
    user->Release();
    return read;
}

int CWabSession::CreateContact(const char* list) {
    if (!book_) return 0;
    IABContainer* container = OpenPersonalBook();
    if (!container) return 0;
    int created = 0;
    SizedSPropTagArray(2, templates) = {2, {kMailUserTemplate, kDistListTemplate}};
    ULONG count = 0;
    SPropValue* values = nullptr;
    void* templateId = nullptr;
    IMAPIProp* entry = nullptr;
    HRESULT got = container->GetProps(reinterpret_cast<SPropTagArray*>(&templates), 0, &count, &values);
    if (SUCCEEDED(got) && count == 2 && values[0].ulPropTag == kMailUserTemplate &&
        values[1].ulPropTag == kDistListTemplate &&
        SUCCEEDED(wab_->AllocateBuffer(values[0].Value.bin.cb, &templateId))) {
        memcpy(templateId, values[0].Value.bin.lpb, values[0].Value.bin.cb);
        if (SUCCEEDED(container->CreateEntry(values[0].Value.bin.cb, static_cast<ENTRYID*>(templateId), kDupStrict,
                                             &entry))) {
            SPropValue props[kWabFields] = {};
            for (int i = 0; i < kWabFields; ++i) {
                props[i].ulPropTag = kWabFieldList[i].tag;
                props[i].Value.lpszA = const_cast<char*>(list + kWabFieldList[i].offset);
            }
            props[0].Value.lpszA = const_cast<char*>(DisplayName(list));
            if (SUCCEEDED(entry->SetProps(kWabFields, props, nullptr))) {
                HRESULT saved = entry->SaveChanges(0);
                if (saved == MAPI_E_COLLISION) OutputDebugStringA("Collision! The entry Already Exists.\n");
                created = saved == S_OK || saved == MAPI_E_COLLISION ? 1 : 0;
            }
            entry->Release();
        }
    }
    FreeBuffer(templateId);
    FreeBuffer(values);
    container->Release();
    return created;
}

void CWabSession::FreeRows(SRowSet* rows) {
    if (!rows) return;
    for (ULONG i = 0; i < rows->cRows; ++i) FreeBuffer(rows->aRow[i].lpProps);
    FreeBuffer(rows);
}

void CWabSession::Close() {
    free(entryId_);
    entryId_ = nullptr;
    entryIdSize_ = 0;
    if (table_) table_->Release();
    if (container_) container_->Release();
    table_ = nullptr;
    container_ = nullptr;
    FreeBuffer(props_);
    props_ = nullptr;
    propCount_ = 0;
    if (book_) book_->Release();
    if (wab_) wab_->Release();
    book_ = nullptr;
    wab_ = nullptr;
    if (library_) FreeLibrary(library_);
    library_ = nullptr;
    opened_ = false;
}

}  // namespace ferrow
