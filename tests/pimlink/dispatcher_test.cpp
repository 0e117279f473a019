#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "link_dispatcher.h"
#include "ferrow.h"
#include "linkcards.h"
#include "temp_settings_file.h"

using namespace ferrow;

namespace {

// Records the passes the dispatcher runs and answers with preset results.
class CFakeConnector : public CLinkConnector {
public:
    std::vector<std::string> calls;
    int exportResult = 1, importResult = 1, openResult = 1, handOffStatus = 0;
    std::string exchangeFile, unicodeFile;

    void MarkPresent(const char*, CardRecV4* cards, int count, const LinkSettings&) override {
        calls.push_back("mark");
        if (count > 0) cards[0].Flags = 5;
    }
    int Export(const char*, CardRecV4*, int count, const LinkSettings&) override {
        calls.push_back("export:" + std::to_string(count));
        return exportResult;
    }
    int Import(const char*, CardRecV4** cards, int* count, const LinkSettings& settings) override {
        calls.push_back("import");
        (*cards)[*count].Flags = 3;
        ++*count;
        return importResult;
    }
    int Open(const char*) override {
        calls.push_back("open");
        return openResult;
    }
    int HandOff(const char* exchange, const char* unicode) override {
        calls.push_back("handoff");
        exchangeFile = exchange;
        unicodeFile = unicode;
        return handOffStatus;
    }
};

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override {
        cards_ = AllocLinkCards(2);
        count_ = 2;
    }
    void TearDown() override {
        for (int k = 0; k < static_cast<int>(ConnectorKind::Count); ++k)
            SetConnector(static_cast<ConnectorKind>(k), nullptr);
        FreeLinkCards(cards_);
    }
    void Set(const char* section, const char* key, const char* value) { ini_.Write(section, key, value); }
    int Run(int type, int direction) {
        return CLinkDispatcher(ini_.c_str(), nullptr, &cards_, &count_).Run(type, direction);
    }
    TempSettingsFile ini_{"ferrow_dispatch_test.ini"};
    CardRecV4* cards_ = nullptr;
    int count_ = 0;
};

std::string Joined(const std::vector<std::string>& calls) {
    std::string out;
    for (const std::string& c : calls) out += (out.empty() ? "" : ",") + c;
    return out;
}

}  // namespace

TEST_F(Dispatcher, PassesAndResultsByDirection) {
    struct Case {
        int exportResult, importResult, direction;
        const char* calls;
        int result;
    };
    const Case cases[] = {
        {1, 1, 1, "mark,export:2", 1},
        {0, 1, 1, "mark,export:2", -4002},
        {1, 1, 2, "import", 1},
        {1, 0, 2, "import", -4003},
        {1, 1, 3, "import,export:3", 1},
        {1, 0, 3, "import", -4003},
        {0, 1, 3, "import,export:3", -4002},
        {1, 1, 0, "", -1},
        {1, 1, 4, "", -1},
    };
    for (const Case& c : cases) {
        CFakeConnector oe;
        oe.exportResult = c.exportResult;
        oe.importResult = c.importResult;
        SetConnector(ConnectorKind::OutlookExpress, &oe);
        count_ = 2;
        EXPECT_EQ(Run(FERROW_LINK_OUTLOOK_EXPRESS, c.direction), c.result) << "direction " << c.direction;
        EXPECT_EQ(Joined(oe.calls), c.calls) << "direction " << c.direction;
    }
}

TEST_F(Dispatcher, PalmModesChooseTheirConnector) {
    CFakeConnector exchange, desktop;
    exchange.exportResult = 0;  // ignored in direction 3
    SetConnector(ConnectorKind::PalmExchange, &exchange);
    SetConnector(ConnectorKind::PalmDesktop, &desktop);
    EXPECT_EQ(Run(FERROW_LINK_PALM, 3), 1);
    EXPECT_EQ(Joined(exchange.calls), "import,export:3");
    EXPECT_EQ(Run(FERROW_LINK_PALM, 1), -1002);  // exchange database: no marking pass

    Set("Preference", "PalmMode", "1");
    desktop.importResult = 0;
    EXPECT_EQ(Run(FERROW_LINK_PALM, 3), -1003);
    EXPECT_EQ(Joined(desktop.calls), "import");

    Set("Preference", "PalmMode", "2");
    exchange.calls.clear();
    desktop.calls.clear();
    EXPECT_EQ(Run(FERROW_LINK_PALM, 1), -1);
    EXPECT_TRUE(exchange.calls.empty() && desktop.calls.empty());
}

TEST_F(Dispatcher, WindowsCeHandsTheExchangeFileOn) {
    CFakeConnector ce;
    SetConnector(ConnectorKind::WindowsCe, &ce);
    Set("WINCE", "DBFileName", "C:\\x\\wincesync.dat");
    EXPECT_EQ(Run(FERROW_LINK_WINCE, 1), 1);
    EXPECT_EQ(ce.exchangeFile, "C:\\x\\wincesync.dat");
    EXPECT_EQ(ce.unicodeFile, "C:\\x\\SyncTemp.dat");
    ce.handOffStatus = 3;
    EXPECT_EQ(Run(FERROW_LINK_WINCE, 1), -2004);
    ce.handOffStatus = 1;  // not a finished transfer, whatever the number looks like
    EXPECT_EQ(Run(FERROW_LINK_WINCE, 1), -2004);
    ce.handOffStatus = 0xFFF7;  // a 16-bit status, sign-extended
    EXPECT_EQ(Run(FERROW_LINK_WINCE, 1), -9);
    // Every other non-zero status is a failure too, never the success that 1 would read as.
    for (int status : {1, 2, 7}) {
        ce.handOffStatus = status;
        EXPECT_EQ(Run(FERROW_LINK_WINCE, 1), -2004) << status;
    }
    ce.exportResult = 0;
    EXPECT_EQ(Run(FERROW_LINK_WINCE, 1), -2002);
    ce.calls.clear();
    EXPECT_EQ(Run(FERROW_LINK_WINCE, 2), -1);
    EXPECT_EQ(Run(FERROW_LINK_WINCE, 3), -1);
    EXPECT_TRUE(ce.calls.empty());

    char unicode[MAX_PATH];
    CeUnicodeFileName("wincesync.dat", unicode, sizeof(unicode));
    EXPECT_STREQ(unicode, "SyncTemp.dat");
}

TEST_F(Dispatcher, ActOpensThenStoresTheDatabasePath) {
    std::string db = TempFolderPath("ferrow_act_test.dbf");
    HANDLE file = CreateFileA(db.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    Set("ACT2000", "DBFileName", db.c_str());

    CFakeConnector act;
    SetConnector(ConnectorKind::Act, &act);
    act.openResult = 0;
    EXPECT_EQ(Run(FERROW_LINK_ACT, 1), -5004);
    act.openResult = 1;
    act.exportResult = 0;
    Set("ACT2000", "DBFileName", nullptr);
    Set("ACT2000", "DBFileName", db.c_str());
    EXPECT_EQ(Run(FERROW_LINK_ACT, 0), -1);  // no pass, but the path is stored
    EXPECT_EQ(Run(FERROW_LINK_ACT, 1), -5002);
    EXPECT_EQ(Joined(act.calls), "open,open,open,mark,export:2");

    DeleteFileA(db.c_str());
    EXPECT_EQ(Run(FERROW_LINK_ACT, 1), -5001);
}

TEST_F(Dispatcher, TargetsWithoutConnectorDoNothing) {
    for (int type : {0, 1, 2, 4, 6, 7, -1}) EXPECT_EQ(Run(type, 1), -1) << type;
    EXPECT_EQ(count_, 2);
}
