// ZemSync.DLL driven by name as the HotSync manager drives it, on a stand-in handheld and an
// exchange card database made with the card classes; what the run left is read back from both.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "card_builders.h"
#include "dll_module.h"
#include "file_bytes.h"
#include "handheld_database.h"
#include "hh_address_record.h"
#include "kvdb_engine.h"
#include "linux_programs.h"
#include "scratch_folder.h"

namespace {

typedef long(__cdecl* OpenConduitFn)(void*, const char*);
typedef long(__cdecl* GetConduitNameFn)(char*, WORD);
typedef DWORD(__cdecl* GetConduitVersionFn)();
typedef long(__cdecl* GetConduitInfoFn)(int, const void*, void*, DWORD*);
typedef long(__cdecl* CfgConduitFn)(int, char*, DWORD*);

const DWORD kAddr = 0x61646472, kData = 0x44415441;

uint32_t Swap(uint32_t v) { return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24); }
const HandheldByteOrder kOrder = {Swap, Swap};

void __cdecl Progress(const char*) {}

struct SeedCard {
    const char* Name;
    const char* Company;
    int16_t Flags;
};

std::string BinFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string text = path;
    return text.substr(0, text.rfind('\\') + 1);
}

class ConduitRun : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeFreshTestFolder("zemsync_run") + "\\";
        CreateDirectoryA((folder_ + "temp").c_str(), nullptr);
        CreateDirectoryA((folder_ + "palm").c_str(), nullptr);
        SetEnvironmentVariableA("PALM_STANDIN_DIR", (folder_ + "palm\\").c_str());
        SetEnvironmentVariableA("SYNC20_FAIL", nullptr);
        ASSERT_TRUE(CopyFileA((BinFolder() + "ZemSync.DLL").c_str(), Conduit().c_str(), FALSE));
        WriteMap("1,0,0,0,0,3");
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
        SetEnvironmentVariableA("SYNC20_FAIL", nullptr);
        RemoveFolderTree(folder_);
    }

    std::string Conduit() const { return folder_ + "ZemSync.DLL"; }
    std::string Exchange() const { return folder_ + "ZemSync.mdb"; }
    void WriteMap(const char* map) const {
        WritePrivateProfileStringA("PALM", "FieldMap", map, (folder_ + "Zem40.ini").c_str());
    }

    template <typename Fn>
    Fn Export(const char* name) {
        if (!module_) module_ = LoadLibraryA(Conduit().c_str());
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

    long Sync(int type) {
        static char properties[1024];
        static const char kName[] = "AddressDB";
        const char* name = kName;
        memset(properties, 0, sizeof(properties));
        memcpy(properties, &type, 4);
        memcpy(properties + 772, &name, sizeof(name));
        auto open = Export<OpenConduitFn>("OpenConduit");
        return open ? open(reinterpret_cast<void*>(&Progress), properties) : -99;
    }

    void SeedCards(const std::vector<SeedCard>& cards) const {
        CkvDBEngine engine;
        CkvDatabase* db = nullptr;
        ASSERT_EQ(engine.CreateDatabase(31, Exchange().c_str(), ";LANGID=0x0804;CP=936;COUNTRY=0", &db), 1);
        ASSERT_EQ(engine.TblCreate(db, "NM", 1), 1);
        CkvDataset* ds = nullptr;
        engine.TblNew(db, "NM", &ds);
        engine.TblOpen(ds);
        for (const SeedCard& seed : cards) {
            CardRecV4 card = {};
            SetText(card.CNAME.FullName, seed.Name);
            SetText(card.Company[0], seed.Company);
            card.Flags = seed.Flags;
            engine.CardRecInsertV4(ds, &card);
        }
        engine.TblFree(ds);
        engine.CloseDatabase(db);
    }

    // Name, company and Flags of each card of the exchange database, sorted by name.
    std::vector<std::string> Cards() const {
        CkvDBEngine engine;
        CkvDatabase* db = nullptr;
        std::vector<std::string> cards;
        if (engine.OpenDatabase(31, Exchange().c_str(), &db) != 1) return cards;
        CkvDataset* ds = nullptr;
        engine.TblNew(db, "NM", &ds);
        engine.KeyAdd(ds, "CNAME_FullName_Data");
        engine.TblOpen(ds);
        int count = engine.TblNRecs(ds);
        for (int ok = count > 0 && engine.RecFirst(ds); ok && !engine.RecIsEOF(ds); ok = engine.RecNext(ds)) {
            CardRecV4 card = {};
            engine.CardRecGetV4(ds, &card, 0);
            cards.push_back(std::string(card.CNAME.FullName.Text) + "|" + card.Company[0].Text + "|" +
                            std::to_string(card.Flags));
        }
        engine.TblFree(ds);
        engine.CloseDatabase(db);
        return cards;
    }

    HandheldDatabase Handheld() const {
        HandheldDatabase database;
        database.Creator = 0;
        LoadHandheldDatabase(HandheldDatabasePath("AddressDB"), &database);
        return database;
    }

    // Name and company of each handheld record, unpacked the handheld's way.
    std::vector<std::string> HandheldRecords() const {
        std::vector<std::string> records;
        for (const HandheldRecord& r : Handheld().Records) {
            HHAddressRecord record = {};
            UnpackAddressRecord(r.Bytes.data(), static_cast<int>(r.Bytes.size()), &record, kOrder);
            records.push_back(std::string(record.Name) + "|" + record.Company);
        }
        return records;
    }

    void SeedHandheld(const std::vector<std::pair<std::string, std::string>>& people) const {
        HandheldDatabase database;
        database.Path = HandheldDatabasePath("AddressDB");
        database.Creator = kAddr;
        database.Type = kData;
        for (const auto& person : people) {
            HHAddressRecord record = {};
            SetText(record.Name, person.first);
            SetText(record.Company, person.second);
            std::vector<char> bytes(PACKED_RECORD_CAPACITY, 0);
            bytes.resize(PackAddressRecord(record, bytes.data(), PACKED_RECORD_CAPACITY, kOrder));
            database.Records.push_back({database.NextId++, 0, 0, bytes});
        }
        ASSERT_TRUE(SaveHandheldDatabase(database));
    }

    std::string Log() const { return ReadWholeFile(folder_ + "palm\\hotsync.log"); }
    bool WorkCopyLeft() const { return PathExists(folder_ + "temp\\temp.mdb"); }

    std::string folder_;
    HMODULE module_ = nullptr;
};

TEST_F(ConduitRun, DoNothingOnlyLogs) {
    EXPECT_EQ(Sync(6), 0);
    EXPECT_EQ(Log(), "-1 Address Transfer - sync configured to Do Nothing\n");
    EXPECT_FALSE(PathExists(HandheldDatabasePath("AddressDB")));
}

TEST_F(ConduitRun, AnyOtherTypeCreatesTheAddressBookAndMovesNothing) {
    SeedCards({{"Ann Lee", "Acme", 2}});
    EXPECT_EQ(Sync(1), 0);
    HandheldDatabase handheld = Handheld();
    EXPECT_EQ(handheld.Creator, kAddr);
    EXPECT_EQ(handheld.Type, kData);
    EXPECT_TRUE(handheld.Records.empty());
    EXPECT_EQ(Log(), "19 \n20 AddressTransfer\n");
    EXPECT_EQ(Cards(), (std::vector<std::string>{"Ann Lee|Acme|2"}));
}

TEST_F(ConduitRun, DesktopOverwritesSendsOnlyFlagTwoCardsAndRemovesThem) {
    SeedCards({{"Cy", "Corp", 2}, {"Bob", "Bits", 0}, {"Ann Lee", "Acme", 2}, {"Dee", "Dyn", 3}});
    EXPECT_EQ(Sync(3), 0);
    EXPECT_EQ(HandheldRecords(), (std::vector<std::string>{"Ann Lee|Acme", "Cy|Corp"}));
    EXPECT_EQ(Cards(), (std::vector<std::string>{"Bob|Bits|0", "Dee|Dyn|3"}));
    // The first record byte by byte: no phone labels, flags Name and Company (big-endian),
    // the company 9 bytes after the name's start.
    std::vector<char> first = Handheld().Records.at(0).Bytes;
    std::string expected("\0\0\0\0\0\0\0\x05\x09"
                         "Ann Lee\0Acme\0",
                         22);
    EXPECT_EQ(std::string(first.begin(), first.end()), expected);
    EXPECT_FALSE(WorkCopyLeft());
}

TEST_F(ConduitRun, DesktopOverwritesWithoutCardsLeavesTheHandheldAlone) {
    SeedCards({});
    SeedHandheld({{"Zed", "Zeta"}});
    EXPECT_EQ(Sync(3), 0);
    EXPECT_EQ(HandheldRecords(), (std::vector<std::string>{"Zed|Zeta"}));
}

TEST_F(ConduitRun, HandheldOverwritesAddsEveryRecordAsANewCardEachTime) {
    SeedCards({{"Bob", "Bits", 0}});
    SeedHandheld({{"Zed", "Zeta"}, {"Amy", "Alpha"}});
    EXPECT_EQ(Sync(2), 0);
    EXPECT_EQ(Cards(), (std::vector<std::string>{"Amy|Alpha|3", "Bob|Bits|0", "Zed|Zeta|3"}));
    EXPECT_EQ(Sync(2), 0);
    EXPECT_EQ(Cards(),
              (std::vector<std::string>{"Amy|Alpha|3", "Amy|Alpha|3", "Bob|Bits|0", "Zed|Zeta|3", "Zed|Zeta|3"}));
    EXPECT_EQ(HandheldRecords().size(), 2u);
    EXPECT_FALSE(WorkCopyLeft());
}

TEST_F(ConduitRun, SynchronizeReceivesFirstAndDoesNotSendThoseBack) {
    SeedCards({{"Ann Lee", "Acme", 2}});
    SeedHandheld({{"Zed", "Zeta"}});
    EXPECT_EQ(Sync(0), 0);
    EXPECT_EQ(HandheldRecords(), (std::vector<std::string>{"Zed|Zeta", "Ann Lee|Acme"}));
    EXPECT_EQ(Cards(), (std::vector<std::string>{"Zed|Zeta|3"}));
}

TEST_F(ConduitRun, WithoutAFieldMapNothingIsMapped) {
    WriteMap(nullptr);
    SeedCards({{"Ann Lee", "Acme", 2}});
    SeedHandheld({{"Zed", "Zeta"}});
    EXPECT_EQ(Sync(0), 0);
    EXPECT_EQ(Cards(), (std::vector<std::string>{"||3"}));
    EXPECT_EQ(Handheld().Records.at(1).Bytes.size(), 9u);
}

// Each failure switch of the sync manager: the run's result, the log and what stayed.
TEST_F(ConduitRun, SyncManagerFailures) {
    const std::string ok = "19 \n20 AddressTransfer\n", failed = "19 \n21 AddressTransfer\n";
    struct Case {
        const char* fail;
        int type;
        bool handheld;
        long result;
        std::string log;
        std::vector<std::string> cards;
        size_t handheldRecords;
    } cases[] = {
        {"22:0x4011", 3, true, 0x4011, "", {"Ann Lee|Acme|2"}, 2},
        {"26:0x4012", 3, true, 0x4012, failed, {"Ann Lee|Acme|2"}, 2},
        {"27:0x4018", 3, false, 0x4018, "19 \n22 SyncCreateDB failed\n21 AddressTransfer\n", {"Ann Lee|Acme|2"}, 0},
        {"40:0x4013", 2, true, 0, ok, {"Ann Lee|Acme|2"}, 2},
        {"count:0x4014", 2, true, 0, ok, {"Ann Lee|Acme|2"}, 2},
        {"36:0x4015@2", 2, true, 0, ok, {"Ann Lee|Acme|2", "Zed|Zeta|3"}, 2},
        {"32:0x4016", 3, true, 0, ok, {"Ann Lee|Acme|2"}, 2},
        {"28:0x4017", 2, true, 0x4017, failed, {"Amy|Alpha|3", "Ann Lee|Acme|2", "Zed|Zeta|3"}, 2},
    };
    for (const Case& c : cases) {
        DeleteFileA(Exchange().c_str());
        DeleteFileA((folder_ + "palm\\hotsync.log").c_str());
        DeleteFileA(HandheldDatabasePath("AddressDB").c_str());
        SeedCards({{"Ann Lee", "Acme", 2}});
        if (c.handheld) SeedHandheld({{"Zed", "Zeta"}, {"Amy", "Alpha"}});
        SetEnvironmentVariableA("SYNC20_FAIL", c.fail);
        EXPECT_EQ(Sync(c.type), c.result) << c.fail;
        SetEnvironmentVariableA("SYNC20_FAIL", nullptr);
        EXPECT_EQ(Log(), c.log) << c.fail;
        EXPECT_EQ(Cards(), c.cards) << c.fail;
        EXPECT_EQ(Handheld().Records.size(), c.handheldRecords) << c.fail;
        EXPECT_FALSE(WorkCopyLeft()) << c.fail;
        FreeLibrary(module_);  // the stand-in counts calls per load: each case starts anew
        module_ = nullptr;
    }
}

TEST_F(ConduitRun, NameVersionAndInformation) {
    auto name = Export<GetConduitNameFn>("GetConduitName");
    ASSERT_NE(name, nullptr);
    for (WORD size : {0, 1, 8}) {
        char buffer[12];
        memset(buffer, '#', sizeof(buffer));
        EXPECT_EQ(name(buffer, size), 0);
        std::string expected = std::string("ZemSync\0", size) + std::string(12 - size, '#');
        if (size == 1) expected = std::string(1, '\0') + std::string(11, '#');
        EXPECT_EQ(std::string(buffer, 12), expected) << size;
    }
    EXPECT_EQ(Export<GetConduitVersionFn>("GetConduitVersion")(), 257u);

    auto info = Export<GetConduitInfoFn>("GetConduitInfo");
    DWORD good[2] = {1, 80}, badVersion[2] = {2, 80}, badLength[2] = {1, 79};
    struct Case {
        int kind;
        const void* arguments;
        bool out;
        DWORD size;
        bool sizePointer;
        long result;
    } cases[] = {
        {0, good, false, 16, true, 4209},      {0, good, true, 16, false, 4215},     {0, nullptr, true, 16, true, 4212},
        {0, badVersion, true, 16, true, 4213}, {0, badLength, true, 16, true, 4213}, {0, good, true, 16, true, 0},
        {1, nullptr, true, 8, true, 4211},     {1, nullptr, true, 4, true, 0},       {2, nullptr, true, 4, true, 0},
        {3, nullptr, true, 4, true, 4208},
    };
    for (const Case& c : cases) {
        char out[16] = {};
        DWORD size = c.size;
        EXPECT_EQ(info(c.kind, c.arguments, c.out ? out : nullptr, c.sizePointer ? &size : nullptr), c.result)
            << c.kind << " " << c.size;
        if (c.result != 0) continue;
        DWORD value;
        memcpy(&value, out, 4);
        if (c.kind == 0) {
            EXPECT_STREQ(out, "ZemSync");
        } else {
            EXPECT_EQ(value, c.kind == 1 ? 0x500u : 3u);
        }
    }

    auto cfg = Export<CfgConduitFn>("CfgConduit");
    char record[352] = {};
    DWORD one = 1, two = 2, size = 352, wrongSize = 351;
    memcpy(record, &two, 4);
    EXPECT_EQ(cfg(0, nullptr, &size), 4212);
    EXPECT_EQ(cfg(0, record, nullptr), 4216);
    EXPECT_EQ(cfg(0, record, &wrongSize), 4218);
    EXPECT_EQ(cfg(1, record, &size), 4217);
    EXPECT_EQ(cfg(0, record, &size), 4219);
    memcpy(record, &one, 4);
}

// The independent reader of the handheld's files sees every record the conduit wrote, with
// its words in the handheld's byte order.
TEST_F(ConduitRun, TheHandheldToolReadsEveryWrittenRecord) {
    WriteMap("1,0,4,0,0,3,10");
    SeedCards({{"Ann Lee", "Acme", 2}, {"Cy", "", 2}});
    EXPECT_EQ(Sync(3), 0);
    ASSERT_TRUE(PathExists(HandheldDatabasePath("AddressDB")));
    std::string json = folder_ + "handheld.json";
    // Wine does not wait for a Linux program: the dump appears whole once it is done.
    std::string command = "python3 " ZEM_SOURCE_DIR "/tools/handheld dump '" +
                          UnixPath(HandheldDatabasePath("AddressDB")) + "' > '" + UnixPath(json) + ".part' && mv '" +
                          UnixPath(json) + ".part' '" + UnixPath(json) + "'";
    ASSERT_EQ(RunLinuxProgram("/bin/sh", {"-c", command}), 0);
    for (int i = 0; i < 200 && !PathExists(json); ++i) Sleep(100);
    std::string dump = ReadWholeFile(json);
    EXPECT_NE(dump.find("\"creator\": \"addr\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"type\": \"DATA\""), std::string::npos);
    EXPECT_NE(dump.find("\"hex\": \"000000000000000509416e6e204c65650041636d6500\""), std::string::npos);
    EXPECT_NE(dump.find("\"name\": \"Ann Lee\""), std::string::npos);
    EXPECT_NE(dump.find("\"company\": \"Acme\""), std::string::npos);
    EXPECT_NE(dump.find("\"hex\": \"000000000000000100437900\""), std::string::npos);
}

// Our HotSync manager finds the conduit through the conduit manager and runs it.
TEST_F(ConduitRun, TheHotSyncManagerFindsTheConduitThroughTheConduitManager) {
    WritePrivateProfileStringA("addr", "ConduitFile", Conduit().c_str(), (folder_ + "palm\\condmgr.ini").c_str());
    SeedCards({{"Ann Lee", "Acme", 2}});
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + BinFolder() + "hsmanager.exe\" /type 3";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(HandheldRecords(), (std::vector<std::string>{"Ann Lee|Acme"}));
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(Log(), "19 \n20 AddressTransfer\n");
}

}  // namespace
