// The exchange-file links of Ferrow.dll and the Windows CE companion, against plain work of the
// same size in the same run:
//   Windows CE link (write, widen, carry)   vs  CopyFile of the three files' bytes
//   Palm exchange write of the cards        vs  the same cards inserted in one transaction
//   Palm exchange read of as many records   vs  reading them back with the card engine
//   OVZEMWCE.exe into an empty store, then the same file again into the full one (a
//   yardstick: per-record times for two store sizes; the rerun must not grow with the store)
// Usage: exchange_links_bench [cards=5000]. Prints ratios; asserts nothing.
#include "bench_folder.h"
#include "engine_card_file.h"
#include "host_note.h"
#include "link_bench.h"
#include "v4_cards.h"
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

const char kLocale[] = ";LANGID=0x0804;CP=936;COUNTRY=0";

std::vector<CardRecV4> MakeCards(int n, int16_t flags) {
    return MakeV4Cards(n, [flags](int i, CardRecV4& c) {
        snprintf(c.Address[0].FullAddress.Text, sizeof(c.Address[0].FullAddress.Text), "%d Long Street\r\nSuite 4", i);
        c.CDate[0] = 2004, c.CDate[1] = 3, c.CDate[2] = 18;
        c.Flags = flags;
    });
}

// A V4 card file holding the cards, inserted in one transaction; the seconds it took.
double InsertAtOnce(const std::string& path, const std::vector<CardRecV4>& cards) {
    DeleteFileA(path.c_str());
    double start = Seconds();
    WriteV4CardFile(path, kLocale, cards);
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
    std::string command = "\"" + ProgramFolder() + "\\OVZEMWCE.exe\" " + transfer;
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
    std::string folder = TempBenchFolder("exchange_links_bench");
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
    int result = 0, count = 0;
    LinkRun wince{link, ini, FERROW_LINK_WINCE}, palmLink{link, ini, FERROW_LINK_PALM};
    double ce = wince.Run(cards, FERROW_TO_PIM, &result, &count);
    std::string wide = folder + "SyncTemp.dat", carried = device + "My Documents\\SyncTemp.dat";
    double copies = CopyBytes({exchange, wide, carried}, folder);
    printf("Windows CE link  %8.3f s  CopyFile of its three files %8.3f s  ratio %5.2f  (result %d)\n", ce, copies,
           ce / copies, result);

    DeleteFileA(palm.c_str());
    double palmWrite = palmLink.Run(cards, FERROW_TO_PIM, &result, &count);
    double atOnce = InsertAtOnce(folder + "reference.mdb", cards);
    printf("Palm write       %8.3f s  one-transaction inserts     %8.3f s  ratio %5.2f  (result %d)\n", palmWrite,
           atOnce, palmWrite / atOnce, result);
    InsertAtOnce(palm, MakeCards(n, 3));
    double palmRead = palmLink.Run({}, FERROW_FROM_PIM, &result, &count);
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
