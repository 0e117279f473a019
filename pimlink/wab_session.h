// One pass's hold on the Windows Address Book: the library named in the registry, the
// address book it opens, and the contact read last.
#pragma once
#include "wab_interfaces.h"

namespace ferrow {

class CWabSession {
public:
    CWabSession() = default;
    ~CWabSession() { Close(); }
    CWabSession(const CWabSession&) = delete;
    CWabSession& operator=(const CWabSession&) = delete;

    // Loads the library (HKLM "Software\Microsoft\WAB\DLLPath", else "WAB32.DLL") and opens
    // the address book of that file name (empty: the user's own). Failures show "Load wab32.dll
    // fail" or "Open wab fail"; Opened() tells.
    void Open(const char* fileName);
    bool Opened() const { return opened_; }

    // The number of mail users in the personal address book (distribution lists are not counted).
    int CountContacts();
    // Reads the mail user at that row into the field list (cleared first). False when there is
    // no such row or it is not a mail user.
    bool ReadContact(char* list, int row);
    // Reads the contact whose entry id was stored last; false when none is.
    bool ReadCurrentContact(char* list);
    // Creates a mail user from the field list in the personal address book; an equal contact
    // already there counts as created. 1 created, 0 failed.
    int CreateContact(const char* list);
    // Frees a row set and the property arrays of its rows through the WAB object.
    void FreeRows(SRowSet* rows);
    // Releases everything the session holds.
    void Close();

private:
    IABContainer* OpenPersonalBook();
    IMAPITable* MailUserTable();
    void FreeBuffer(void* buffer);
    void StoreEntryId(const SBinary& id);

    bool opened_ = false;
    HMODULE library_ = nullptr;
    IAddrBook* book_ = nullptr;
    IWABObject* wab_ = nullptr;
    SPropValue* props_ = nullptr;
    ULONG propCount_ = 0;
    ULONG entryIdSize_ = 0;
    BYTE* entryId_ = nullptr;
    // The mail users' table stays open for the pass: reading row after row through a table
    // opened for each would cost the whole table per contact.
    IABContainer* container_ = nullptr;
    IMAPITable* table_ = nullptr;
};

}  // namespace ferrow
