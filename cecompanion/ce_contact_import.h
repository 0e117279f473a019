// The companion's work: connect to the handheld's contact store, read the transfer file named
// on the command line and add every card the store does not hold yet as a new contact. Only
// Unicode Win32 and COM calls that Windows CE has too.
#pragma once
#include <windows.h>
#include <string>
#include "pocket_outlook.h"

namespace cecompanion {

class CContactImport {
public:
    explicit CContactImport(const wchar_t* transferFile) : transferFile_(transferFile) {}
    ~CContactImport();
    CContactImport(const CContactImport&) = delete;
    CContactImport& operator=(const CContactImport&) = delete;

    // Starts COM, creates the store's application object (registering "pimstore.dll" when the
    // class is unknown), logs on and takes the contacts folder's items. Negative on failure,
    // after "Fail to load CoCreateInstance %d" or "Fail to login" where the step says so.
    HRESULT ConnectPocketOutlook();
    // Adds each record of the transfer file that FindExistingContact does not find.
    void ImportTransferFile();
    // True when the record counts as present: the store finds a contact with all its non-empty
    // fields, or refuses the query.
    bool FindExistingContact(const BYTE* record);
    // Sets every property of the contact from the record (empty ones too).
    void AddContactFromRecord(IContact* contact, const BYTE* record);
    // Logs off when the log-on succeeded.
    void Logoff();

private:
    HRESULT CreateApplication();

    std::wstring transferFile_;
    HRESULT lastResult_ = E_FAIL;
    bool comStarted_ = false;
    IPOutlookApp* application_ = nullptr;
    IFolder* folder_ = nullptr;
    IPOutlookItemCollection* items_ = nullptr;
    IUnknown* items2_ = nullptr;
};

// The companion's start-up after its sockets: nothing for an empty transfer file name;
// otherwise connect, import when connected, and log off.
void RunCompanion(const std::wstring& transferFile);

// The transfer file named by a command line: all of it after the program name, without
// surrounding blanks or quotes.
std::wstring TransferFileOf(const wchar_t* commandLine);

}  // namespace cecompanion
