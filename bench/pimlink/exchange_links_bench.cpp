// The exchange-file links of Ferrow.dll and the Windows CE companion, against plain work of the
// same size in the same run:
//   Windows CE link (write, widen, carry)   vs  CopyFile of the three files' bytes
//   Palm exchange write of the cards        vs  the same cards inserted in one transaction
//   Palm exchange read of as many records   vs  reading them back with the card engine
//   OVZEMWCE.exe into an empty store, then the same file again into the full one (a
//   yardstick: per-record times for two store sizes; the rerun must not grow with the store)
// Usage: exchange_links_bench [cards=5000]. Prints ratios; asserts nothing.
#include "host_note.h"
#include "link_bench.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "cardrec.h"
#include "ferrow.h"
#include "kvdb_engine.h"
#include "linkcards.h"

namespace {

std::vector<CardRecV4> MakeCards(int n, int16_t flags) {
    std::vector<CardRecV4> cards(n);
    for (int i = 0; i < n; ++i) {
        CardRecV4& c = cards[i];
        memset(&c, 0, sizeof(c));
        snprintf(c.CNAME.FullName.Text, sizeof(c.CNAME.FullName.Text), "Card %05d", i);
        snprintf(c.Company[0].Text, sizeof(c.Company[0].Text), "Company %d", i % 97);
        snprintf(c.Title[0].Text, sizeof(c.Title[0].Text), "Title %d", i % 13);
        snprintf(c.Phone[0].PhoneNum.Text, sizeof(c.Phone[0].PhoneNum.Text), "+1 555 %07d", i);
        c.Phone[0].PhoneType = 1;
        snprintf(c.Email[0].EmailName.Text, sizeof(c.Email[0].EmailName.Text), "card%d@example.test", i);
        snprintf(c.Address[0].FullAddress.Text, sizeof(c.Address[0].FullAddress.Text), "%d Long Street\r\nSuite 4", i);
        snprintf(c.Address[0].City.Text, sizeof(c.Address[0].City.Text), "City %d", i % 31);
        c.CDate[0] = 2004, c.CDate[1] = 3, c.CDate[2] = 18;
        c.Flags = flags;
    }
    return cards;
}

double Link(FerrowDBFileFn link, const std::string& ini, const std::vector<CardRecV4>& cards, int type, int direction,
            int* result) {
    CardRecV4* array = AllocLinkCards(static_cast<int>(cards.size()));
    int count = static_cast<int>(cards.size());
    if (count) memcpy(array, cards.data(), cards.size() * sizeof(CardRecV4));
    double start = Seconds();
    *result = link(ini.c_str(), nullptr, &array, &count, type, direction);
    double took = Seconds() - start;
    FreeLinkCards(array);
    return took;
}

// A V4 card file holding the cards, inserted in one transaction; the seconds it took.
double InsertAtOnce(const std::string& path, const std::vector<CardRecV4>& cards) {
    DeleteFileA(path.c_str());
    double start = Seconds();
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    CkvDataset* ds = nullptr;
    engine.CreateDatabase(31, path.c_str(), ";LANGID=0x0804;CP=936;COUNTRY=0", &db);
    engine.TblCreate(db, "NM", 1);
    engine.TblNew(db, "NM", &ds);
    engine.TblOpen(ds);
    engine.StartTransation(db);
    for (const CardRecV4& card : cards) engine.CardRecInsertV4(ds, const_cast<CardRecV4*>(&card));
    engine.Commit(db);
    engine.TblFree(ds);
    engine.CloseDatabase(db);
    return Seconds() - start;
}

double ReadAll(const std::string& path) {
    double start = Seconds();
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    CkvDataset* ds = nullptr;
    engine.OpenDatabase(31, path.c_str(), &db);
    engine.TblNew(db, "NM", &ds);
    engine.KeyAdd(ds, "CNAME_FullName_Data");
    engine.TblOpen(ds);
    int n = engine.TblNRecs(ds);
    if (n > 0) engine.RecFirst(ds);
    CardRecV4 card;
    for (int i = 0; i < n; ++i, engine.RecNext(ds)) engine.CardRecGetV4(ds, &card, 0);
    engine.TblFree(ds);
    engine.CloseDatabase(db);
    return Seconds() - start;
}

double CopyBytes(const std::vector<std::string>& files, const std::string& folder) {
    double start = Seconds();
    for (size_t i = 0; i < files.size(); ++i)
        CopyFileA(files[i].c_str(), (folder + "copy" + std::to_string(i)).c_str(), FALSE);
    return Seconds() - start;
}

double RunCompanion(const std::string& transfer) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = std::string(program);
    command = "\"" + command.substr(0, command.find_last_of('\\') + 1) + "OVZEMWCE.exe\" " + transfer;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    double start = Seconds();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    double took = Seconds() - start;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return took;
}

}  // namespace

int main(int argc, char** argv) {
    PrintHostNote();
    int n = argc > 1 ? atoi(argv[1]) : 5000;
    FerrowDBFileFn link = LoadFerrowLink();
    if (!link || !CallServer(ZEM_PIMSTORE_DLL, "DllRegisterServer")) {
        printf("Ferrow.dll or the contact store stand-in not found\n");
        return 1;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "exchange_links_bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string libraries = folder + "libs\\", device = folder + "device\\";
    CreateDirectoryA(libraries.c_str(), nullptr);
    CreateDirectoryA(device.c_str(), nullptr);
    CreateDirectoryA((device + "My Documents").c_str(), nullptr);
    CopyFileA(WindowsPathOf(ZEM_ZEMUTIL_DLL).c_str(), (libraries + "ZemUtil.dll").c_str(), FALSE);
    CopyFileA(WindowsPathOf(ZEM_ZEM2WCE_DLL).c_str(), (libraries + "Zem2Wce.dll").c_str(), FALSE);
    SetDllDirectoryA(libraries.c_str());
    SetEnvironmentVariableA("ZEM_WCE_DEVICE", device.c_str());
    std::string ini = folder + "zem40.ini", exchange = folder + "wincesync.dat", palm = folder + "zemsync.mdb";
    WritePrivateProfileStringA("WINCE", "DBFileName", exchange.c_str(), ini.c_str());
    WritePrivateProfileStringA("WINCE", "FieldMap", "4,0,6,0,9,8,26,0,0,0,0,38,0,0,0,11,12,0,0,0,0,0,0,0,0,41,0,0",
                               ini.c_str());
    WritePrivateProfileStringA("Palm", "DBFileName", palm.c_str(), ini.c_str());
    printf("cards %d\n", n);

    std::vector<CardRecV4> cards = MakeCards(n, 0);
    int result = 0;
    double ce = Link(link, ini, cards, FERROW_LINK_WINCE, FERROW_TO_PIM, &result);
    std::string wide = folder + "SyncTemp.dat", carried = device + "My Documents\\SyncTemp.dat";
    double copies = CopyBytes({exchange, wide, carried}, folder);
    printf("Windows CE link  %8.3f s  CopyFile of its three files %8.3f s  ratio %5.2f  (result %d)\n", ce, copies,
           ce / copies, result);

    DeleteFileA(palm.c_str());
    double palmWrite = Link(link, ini, cards, FERROW_LINK_PALM, FERROW_TO_PIM, &result);
    double atOnce = InsertAtOnce(folder + "reference.mdb", cards);
    printf("Palm write       %8.3f s  one-transaction inserts     %8.3f s  ratio %5.2f  (result %d)\n", palmWrite,
           atOnce, palmWrite / atOnce, result);
    InsertAtOnce(palm, MakeCards(n, 3));
    double palmRead = Link(link, ini, {}, FERROW_LINK_PALM, FERROW_FROM_PIM, &result);
    double engineRead = ReadAll(palm);
    printf("Palm read        %8.3f s  card engine read            %8.3f s  ratio %5.2f  (result %d)\n", palmRead,
           engineRead, palmRead / engineRead, result);

    for (int size : {n / 5, n}) {
        std::string store = folder + "contacts.txt";
        DeleteFileA(store.c_str());
        SetEnvironmentVariableA("ZEM_POOM_FILE", store.c_str());
        HANDLE file = CreateFileA(carried.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        std::vector<char> bytes(static_cast<size_t>(size) * 5080);
        DWORD got = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(file);
        std::string part = folder + "part.dat";
        HANDLE out = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        WriteFile(out, bytes.data(), got, &got, nullptr);
        CloseHandle(out);
        double empty = RunCompanion(part), full = RunCompanion(part);
        printf("companion %5d records: into an empty store %7.3f s (%6.3f ms each), rerun on the full store %7.3f s "
               "(%6.3f ms each)\n",
               size, empty, 1000 * empty / size, full, 1000 * full / size);
    }
    CallServer(ZEM_PIMSTORE_DLL, "DllUnregisterServer");
    return 0;
}
