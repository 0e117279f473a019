// The Windows CE companion against the contact store's stand-in: OVZEMWCE.exe run as a child
// on transfer files (one carried by the Windows CE link itself), and its steps in-process.
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <string>
#include <vector>
#include "build_paths.h"
#include "ce_contact_import.h"
#include "ce_contact_record.h"
#include "dialog_watch.h"
#include "dll_module.h"
#include "entry_file.h"
#include "file_bytes.h"
#include "scratch_folder.h"
#include "linkcards.h"
#include "pocket_outlook.h"

namespace {

using FerrowDBFileFn = int (*)(const char*, const char*, CardRecV4**, int*, int, int);
using RegisterFn = HRESULT(__stdcall*)();

// Property numbers of the store's file (the order of POCKET_OUTLOOK_CONTACT_PROPERTIES).
#define COMPANION_TEST_NAME(name) #name,
const char* const kPropertyNames[] = {POCKET_OUTLOOK_CONTACT_PROPERTIES(COMPANION_TEST_NAME)};
#undef COMPANION_TEST_NAME

// A stored contact as property name -> UTF-8 text.
using Contact = std::map<std::string, std::string>;

// A transfer record with the given fields (property -> text), laid out by the record table.
std::string Record(const std::map<std::wstring, std::wstring>& fields) {
    std::string record(cecompanion::kCeContactRecordSize, '\0');
    for (const auto& field : fields)
        for (const auto& place : cecompanion::kCeContactFields)
            if (field.first == place.property)
                memcpy(&record[place.offset], field.second.c_str(), field.second.size() * sizeof(wchar_t));
    return record;
}

class Companion : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeFreshTestFolder("companion") + "\\";
        store_ = folder_ + "contacts.txt";
        SetEnvironmentVariableA("ZEM_POOM_FILE", store_.c_str());
        ASSERT_EQ(CallStore("DllRegisterServer"), S_OK);
    }
    void TearDown() override {
        CallStore("DllUnregisterServer");
        SetDllDirectoryA(nullptr);
        for (const char* name : {"ZEM_POOM_FILE", "ZEM_POOM_FAIL_LOGON", "ZEM_WCE_DEVICE"})
            SetEnvironmentVariableA(name, nullptr);
        RemoveFolderTree(folder_);
    }

    // Runs OVZEMWCE.exe with the transfer file as its command line; true when it ended.
    bool RunCompanion(const std::string& transferFile) {
        std::string command = "\"" + ProgramFolder() + "OVZEMWCE.exe\" " + transferFile;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
        bool ended = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return ended;
    }
    std::vector<Contact> Stored() {
        std::vector<Contact> contacts;
        for (const entryfile::Entry& entry : entryfile::ReadAll(store_)) {
            Contact c;
            for (const auto& value : entry.values) c[kPropertyNames[value.first - 1]] = value.second;
            contacts.push_back(c);
        }
        return contacts;
    }

    // Registers or unregisters the store's server, holding its library only for the call (a
    // library left loaded would be found by name where the test wants it missing).
    static HRESULT CallStore(const char* entry) {
        DllModule store(WindowsPathOf(ZEM_PIMSTORE_DLL).c_str());
        EXPECT_TRUE(store.loaded());
        auto call = store.require<RegisterFn>(entry);
        return call ? call() : E_FAIL;
    }

    std::string folder_, store_;
};

// Every property assigned; those not named empty.
void ExpectContact(const Contact& stored, const Contact& expected) {
    ASSERT_EQ(stored.size(), 44u);
    for (const auto& p : stored) {
        auto want = expected.find(p.first);
        EXPECT_EQ(p.second, want == expected.end() ? "" : want->second) << p.first;
    }
}

}  // namespace

TEST_F(Companion, CardsCarriedByTheWindowsCeLinkArriveFieldByFieldOnce) {
    // The desktop side: two cards through the Windows CE link, with its transfer stand-ins.
    std::string libraries = folder_ + "libs";
    CreateDirectoryA(libraries.c_str(), nullptr);
    for (const char* dll : {ZEM_ZEMUTIL_DLL, ZEM_ZEM2WCE_DLL}) {
        std::string from = WindowsPathOf(dll);
        ASSERT_TRUE(CopyFileA(from.c_str(), (libraries + from.substr(from.find_last_of('\\'))).c_str(), FALSE));
    }
    SetDllDirectoryA(libraries.c_str());
    std::string device = folder_ + "device";
    CreateDirectoryA(device.c_str(), nullptr);
    CreateDirectoryA((device + "\\My Documents").c_str(), nullptr);
    SetEnvironmentVariableA("ZEM_WCE_DEVICE", device.c_str());
    std::string ini = folder_ + "zem40.ini";
    WritePrivateProfileStringA("WINCE", "DBFileName", (folder_ + "wincesync.dat").c_str(), ini.c_str());
    // Name -> Last Name, Title -> Job title, Title 2 -> Name (no place on the device), Company,
    // Office Tel. -> Work-telephone, Email, Address -> Work street, Date -> Notes.
    WritePrivateProfileStringA("WINCE", "FieldMap", "4,0,6,1,0,8,26,0,0,0,0,38,0,0,0,11,0,0,0,0,0,0,0,0,0,41,0,0",
                               ini.c_str());
    CardRecV4* cards = AllocLinkCards(2);
    int count = 2;
    for (int i = 0; i < 2; ++i) {
        CardRecV4& card = cards[i];
        wchar_t name[32];
        wsprintfW(name, i ? L"Lee" : L"M\u00fcller");
        WideCharToMultiByte(CP_ACP, 0, name, -1, card.CNAME.FullName.Text, 50, nullptr, nullptr);
        strcpy(card.Title[0].Text, "Buyer");
        strcpy(card.Title[1].Text, "Never on the device");
        strcpy(card.Company[0].Text, "Acme \"East\"");
        strcpy(card.Phone[0].PhoneNum.Text, "555-0100");
        card.Phone[0].PhoneType = 1;
        strcpy(card.Email[0].EmailName.Text, "a@acme.test");
        strcpy(card.Address[0].FullAddress.Text, "1 Main St");
        card.CDate[0] = 2004;
        card.CDate[1] = 3;
        card.CDate[2] = 18;
    }
    {
        DllModule ferrow("Ferrow.dll");
        auto link = ferrow.require<FerrowDBFileFn>("FerrowDBFile");
        ASSERT_EQ(link(ini.c_str(), nullptr, &cards, &count, 1, 1), 1);
    }
    FreeLinkCards(cards);

    // The handheld side.
    std::string transfer = device + "\\My Documents\\SyncTemp.dat";
    ASSERT_TRUE(RunCompanion(transfer));
    std::vector<Contact> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    Contact expected = {{"JobTitle", "Buyer"},
                        {"CompanyName", "Acme \"East\""},
                        {"BusinessTelephoneNumber", "555-0100"},
                        {"Email1Address", "a@acme.test"},
                        {"BusinessAddressStreet", "1 Main St"},
                        {"Body", "2004/3/18"}};
    expected["LastName"] = u8"M\u00fcller";
    ExpectContact(stored[0], expected);
    expected["LastName"] = "Lee";
    ExpectContact(stored[1], expected);

    // Again: both are found, nothing is added.
    ASSERT_TRUE(RunCompanion(transfer));
    EXPECT_EQ(Stored().size(), 2u);
}

TEST_F(Companion, EachRecordOfAFileIsAddedOnceAndPartialRecordsAreNotRead) {
    std::string ann = Record({{L"FirstName", L"Ann"}, {L"LastName", L"O\"Brien"}});
    std::string bo = Record({{L"FirstName", L"Bo"}, {L"CompanyName", L"Bolt"}});
    std::string cy = Record({{L"FirstName", L"Cy"}});
    WriteWholeFile(folder_ + "twice.dat", ann + ann);
    WriteWholeFile(folder_ + "partial.dat", bo + cy + std::string(10, 'x'));  // 10,170 bytes
    WriteWholeFile(folder_ + "short.dat", std::string(5079, 'x'));
    for (const char* file : {"twice.dat", "partial.dat", "short.dat"}) ASSERT_TRUE(RunCompanion(folder_ + file));

    std::vector<Contact> stored = Stored();
    ASSERT_EQ(stored.size(), 3u);  // no empty contact either: the last new one is never saved
    ExpectContact(stored[0], {{"FirstName", "Ann"}, {"LastName", "O\"Brien"}});
    ExpectContact(stored[1], {{"FirstName", "Bo"}, {"CompanyName", "Bolt"}});
    ExpectContact(stored[2], {{"FirstName", "Cy"}});
}

TEST_F(Companion, ConnectingRegistersTheStoreOnlyWhenItCanBeFound) {
    std::string transfer = folder_ + "one.dat";
    WriteWholeFile(transfer, Record({{L"FirstName", L"Ann"}}));
    std::wstring wide(transfer.begin(), transfer.end());
    {
        // An empty command line ends before connecting: the failing log-on is never tried.
        SetEnvironmentVariableA("ZEM_POOM_FAIL_LOGON", "1");
        DialogWatch user(IDOK);
        cecompanion::RunCompanion(cecompanion::TransferFileOf(L"OVZEMWCE.exe  "));
        cecompanion::CContactImport refused(wide.c_str());
        EXPECT_LT(refused.ConnectPocketOutlook(), 0);
        auto texts = user.Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0], "Fail to login");
        SetEnvironmentVariableA("ZEM_POOM_FAIL_LOGON", nullptr);
    }

    CallStore("DllUnregisterServer");
    std::string empty = folder_ + "nothing";
    CreateDirectoryA(empty.c_str(), nullptr);
    SetDllDirectoryA(empty.c_str());
    {
        cecompanion::CContactImport unknown(wide.c_str());
        EXPECT_EQ(unknown.ConnectPocketOutlook(), E_FAIL);  // no pimstore.dll to register
    }
    SetDllDirectoryA(WindowsPathOf(ZEM_PIMSTORE_FOLDER).c_str());
    {
        cecompanion::CContactImport registering(wide.c_str());
        ASSERT_EQ(registering.ConnectPocketOutlook(), S_OK);  // registered, then found at once
        registering.ImportTransferFile();
        registering.Logoff();
    }
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Stored()[0]["FirstName"], "Ann");
}
