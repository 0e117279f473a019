// ZemSync.DLL driven by name as the HotSync manager drives it, on a stand-in handheld and an
// exchange card database made with the card classes; what the run left is read back from both.
#include <windows.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <atomic>
#include <functional>
#include <new>
#include <string>
#include <thread>
#include <vector>
#include "card_builders.h"
#include "dialog_driver.h"
#include "dll_module.h"
#include "file_bytes.h"
#include "gui_driver.h"
#include "handheld_database.h"
#include "hh_address_record.h"
#include "kvdb_engine.h"
#include "linux_programs.h"
#include "palm_files.h"
#include "scratch_folder.h"
#include "sync_properties.h"
#include "sync_run.h"

namespace {

// While set, this program's heap refuses the sync run's record buffers, as a used-up heap
// would; the refusals are counted.
std::atomic<bool> RefuseRecordBuffers{false};
std::atomic<int> RefusedRecordBuffers{0};

}  // namespace

// The run's buffers are asked for without exceptions; this replacement decides what it gets.
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    if (RefuseRecordBuffers && size == PACKED_RECORD_CAPACITY) {
        ++RefusedRecordBuffers;
        return nullptr;
    }
    return malloc(size ? size : 1);
}

namespace {

typedef long(__cdecl* OpenConduitFn)(void*, const char*);
typedef long(__cdecl* GetConduitNameFn)(char*, WORD);
typedef DWORD(__cdecl* GetConduitVersionFn)();
typedef long(__cdecl* GetConduitInfoFn)(int, const void*, void*, DWORD*);
typedef long(__cdecl* CfgConduitFn)(int, char*, DWORD*);
typedef long(__cdecl* ConfigureConduitFn)(char*);

const DWORD kAddr = 0x61646472, kData = 0x44415441;

void __cdecl Progress(const char*) {}

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
        auto open = Export<OpenConduitFn>("OpenConduit");
        return open ? open(reinterpret_cast<void*>(&Progress), SyncProperties(type)) : -99;
    }

    void SeedCards(const std::vector<SeedCard>& cards) const { ASSERT_TRUE(SeedExchangeCards(Exchange(), cards)); }
    std::vector<std::string> Cards() const { return ExchangeCards(Exchange()); }

    std::string Log() const { return ReadWholeFile(folder_ + "palm\\hotsync.log"); }
    // A compacted copy left beside the exchange database (named by GetTempFileName).
    bool WorkCopyLeft() const {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        FindClose(search);
        return true;
    }

    std::string folder_;
    HMODULE module_ = nullptr;
};

TEST_F(ConduitRun, DoNothingOnlyLogs) {
    EXPECT_EQ(Sync(6), 0);
    EXPECT_EQ(Log(), "-1 Address Transfer - sync configured to Do Nothing\n");
    EXPECT_FALSE(PathExists(HandheldDatabasePath("AddressDB")));
}

// The language resources come through the HotSync common library once per load of the
// conduit and go back when it is unloaded.
TEST_F(ConduitRun, LanguageResourcesAroundEachLoad) {
    for (int load = 0; load < 2; ++load) {
        EXPECT_EQ(Sync(6), 0);
        EXPECT_EQ(Sync(6), 0);
        FreeLibrary(module_);
        module_ = nullptr;
    }
    EXPECT_EQ(ReadWholeFile(folder_ + "palm\\palmcmn.log"),
              "2 ADDRESSTRANSFERLANG.DLL\n3\n2 ADDRESSTRANSFERLANG.DLL\n3\n");
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
    // Files of the user's where the conduit once made its work copy: not the conduit's to touch.
    WriteWholeFile(folder_ + "temp\\temp.mdb", "the user's");
    WriteWholeFile(folder_ + "temp.mdb", "the user's too");
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
    EXPECT_EQ(ReadWholeFile(folder_ + "temp\\temp.mdb"), "the user's");
    EXPECT_EQ(ReadWholeFile(folder_ + "temp.mdb"), "the user's too");
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
        EXPECT_TRUE(DeleteFileA(Exchange().c_str())) << c.fail << ": the exchange database was left open";
        FreeLibrary(module_);  // the stand-in counts calls per load: each case starts anew
        module_ = nullptr;
    }
}

// A heap that cannot give a step its record buffer ends that step alone: nothing moves, the
// run still closes the handheld database and succeeds, and no exception leaves the run.
TEST_F(ConduitRun, AStepWithoutMemoryMovesNothingAndTheRunGoesOn) {
    SeedCards({{"Ann Lee", "Acme", 2}});
    SeedHandheld({{"Zed", "Zeta"}});
    PalmFieldMaps maps = {};
    RefusedRecordBuffers = 0;
    RefuseRecordBuffers = true;
    int result = RunHotSync(folder_, SyncProperties(SYNC_BOTH), &maps);
    RefuseRecordBuffers = false;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(RefusedRecordBuffers, 2);  // one per step
    EXPECT_EQ(Log(), "19 \n20 AddressTransfer\n");
    EXPECT_EQ(Cards(), (std::vector<std::string>{"Ann Lee|Acme|2"}));
    EXPECT_EQ(HandheldRecords(), (std::vector<std::string>{"Zed|Zeta"}));
    EXPECT_FALSE(WorkCopyLeft());
    EXPECT_TRUE(DeleteFileA(Exchange().c_str())) << "the exchange database was left open";
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
        {0, good, true, 0, true, 0},           {0, good, true, 4, true, 0},          {1, nullptr, true, 8, true, 4211},
        {1, nullptr, true, 4, true, 0},        {2, nullptr, true, 4, true, 0},       {3, nullptr, true, 4, true, 4208},
    };
    for (const Case& c : cases) {
        char out[16];
        memset(out, '#', sizeof(out));  // guard bytes beyond the size stay
        DWORD size = c.size;
        EXPECT_EQ(info(c.kind, c.arguments, c.out ? out : nullptr, c.sizePointer ? &size : nullptr), c.result)
            << c.kind << " " << c.size;
        if (c.result != 0) continue;
        DWORD value;
        memcpy(&value, out, 4);
        if (c.kind == 0) {
            // Zero-filled over the size, at most size - 1 characters of the name.
            std::string expected = c.size ? std::string("ZemSync").substr(0, c.size - 1) : std::string();
            expected.resize(c.size, '\0');
            expected.resize(sizeof(out), '#');
            EXPECT_EQ(std::string(out, sizeof(out)), expected) << c.size;
        } else {
            EXPECT_EQ(value, c.kind == 1 ? 0x500u : 3u);
        }
    }

    auto cfg = Export<CfgConduitFn>("CfgConduit");
    char record[352] = {};
    DWORD two = 2, size = 352, wrongSize = 351;
    memcpy(record, &two, 4);
    EXPECT_EQ(cfg(0, nullptr, &size), 4212);
    EXPECT_EQ(cfg(0, record, nullptr), 4216);
    EXPECT_EQ(cfg(0, record, &wrongSize), 4218);
    EXPECT_EQ(cfg(1, record, &size), 4217);
    EXPECT_EQ(cfg(0, record, &size), 4219);
}

// What "Change HotSync Action" showed when it opened: the radio checked, which radios take a
// click, and the "Set as default" box.
struct ActionDialogView {
    int Checked = 0;
    bool Enabled[4] = {};
    bool Default = true;
};

class ActionDialog : public ConduitRun {
protected:
    // Runs the export here while a driver thread reads the dialog as it opened, then clicks
    // the radio (when not 0), ticks "Set as default" when asked and presses the button.
    long Run(const std::function<long()>& call, int radio, bool tick, int button, ActionDialogView* view,
             const char* screenshot = nullptr) {
        std::thread driver([&] {
            using namespace dialog_driver;
            HWND dialog = WaitForDialog(GetCurrentProcessId(), "Change HotSync Action");
            if (!dialog) {
                ADD_FAILURE() << "no Change HotSync Action dialog";
                return;
            }
            for (int i = 0; i < 4; ++i) {
                if (IsChecked(dialog, 1003 + i)) view->Checked = 1003 + i;
                view->Enabled[i] = IsEnabled(dialog, 1003 + i);
            }
            view->Default = IsChecked(dialog, 1002);
            if (screenshot) {
                EXPECT_TRUE(WaitUntilDrawn(dialog));
                SaveScreenshot(dialog, screenshot);
            }
            if (radio) Click(dialog, radio);
            if (tick) Click(dialog, 1002);
            Click(dialog, button);
            if (!WaitUntilClosed(dialog, 10000)) Click(dialog, IDCANCEL);
        });
        long result = call();
        driver.join();
        return result;
    }
};

// ConfigureConduit and CfgConduit through the dialog: which action it opens on, that only
// "Desktop overwrites handheld" and "Do nothing" take a click, and what OK and Cancel write.
TEST_F(ActionDialog, ChangesTheHotSyncAction) {
    struct Case {
        bool configure;  // ConfigureConduit, else CfgConduit
        int type;
        int radio;
        bool tick;
        int button;
        int checkedAtOpen;
        long result;
        int typeOut, preferenceOut;  // -1: left as it was
    } cases[] = {
        {true, 0, 0, false, IDOK, 1003, 0, 0, 2},  // a disabled choice passed in stays chosen
        {true, 2, 1004, true, IDOK, 1005, 0, 3, 1},   {true, 3, 0, false, IDCANCEL, 1004, -1, -1, -1},
        {false, 6, 0, true, IDOK, 1006, 0, 6, 1},     {false, 5, 1004, true, IDCANCEL, 1006, 0, -1, -1},
        {false, 3, 1006, false, IDOK, 1004, 0, 6, 2},
    };
    auto configure = Export<ConfigureConduitFn>("ConfigureConduit");
    auto cfg = Export<CfgConduitFn>("CfgConduit");
    ASSERT_TRUE(configure && cfg);
    const int kUntouched = 0x5A5A5A5A;
    bool first = true;
    for (const Case& c : cases) {
        // ConfigureConduit: preference at 516, type at 520. CfgConduit: version 1 at 0, type in
        // at 340, type out at 344, preference out at 348.
        char record[1024];
        memset(record, 0, sizeof(record));
        int typeAt = c.configure ? 520 : 344, preferenceAt = c.configure ? 516 : 348;
        memcpy(record + preferenceAt, &kUntouched, 4);
        memcpy(record + typeAt, c.configure ? &c.type : &kUntouched, 4);
        DWORD version = 1, size = 352;
        if (!c.configure) {
            memcpy(record, &version, 4);
            memcpy(record + 340, &c.type, 4);
        }
        ActionDialogView view;
        long result = Run([&] { return c.configure ? configure(record) : cfg(0, record, &size); }, c.radio, c.tick,
                          c.button, &view, first ? "zemsync_change_hotsync_action" : nullptr);
        first = false;
        std::string label =
            std::string(c.configure ? "ConfigureConduit" : "CfgConduit") + " type " + std::to_string(c.type);
        EXPECT_EQ(result, c.result) << label;
        EXPECT_EQ(view.Checked, c.checkedAtOpen) << label;
        EXPECT_FALSE(view.Enabled[0]) << label;
        EXPECT_TRUE(view.Enabled[1]) << label;
        EXPECT_FALSE(view.Enabled[2]) << label;
        EXPECT_TRUE(view.Enabled[3]) << label;
        EXPECT_FALSE(view.Default) << label;
        int type = 0, preference = 0;
        memcpy(&type, record + typeAt, 4);
        memcpy(&preference, record + preferenceAt, 4);
        // ConfigureConduit clears the preference before the dialog, so Cancel leaves 0 there.
        int untouchedPreference = c.configure ? 0 : kUntouched;
        int untouchedType = c.configure ? c.type : kUntouched;
        EXPECT_EQ(type, c.typeOut < 0 ? untouchedType : c.typeOut) << label;
        EXPECT_EQ(preference, c.preferenceOut < 0 ? untouchedPreference : c.preferenceOut) << label;
    }
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
    std::string command = "python3 '" ZEM_SOURCE_DIR "/tools/handheld' dump '" +
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
