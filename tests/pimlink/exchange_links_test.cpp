// The Palm exchange-file and Windows CE links through FerrowDBFile, as the main program calls
// them, with the transfer libraries' stand-ins and outside readers of what was written.
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "card_builders.h"
#include "link_fixture.h"
#include "dialog_watch.h"
#include "ferrow.h"
#include "linkcards.h"
#include "build_paths.h"
#include "file_bytes.h"
#include "linux_programs.h"
#include "pim_readers.h"

namespace {

// A text of the system code page, as zem40 keeps card texts.
std::string Ansi(const wchar_t* text) {
    char out[256] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof(out), nullptr, nullptr);
    return out;
}

CardRecV4 Card(const std::string& name, const std::string& company, const std::string& phone, int16_t flags) {
    CardRecV4 card = LinkCard(name, company, flags);
    SetPhone(card.Phone[0], phone, 1);
    SetText(card.Address[0].City.Text, "Springfield");
    return card;
}

class ExchangeLinks : public LinkFixture {
protected:
    void TearDown() override {
        SetDllDirectoryA(nullptr);
        SetEnvironmentVariableA("ZEM_WCE_DEVICE", nullptr);
        SetEnvironmentVariableA("ZEM_WCE_STATUS_ONE", nullptr);
        LinkFixture::TearDown();
    }
    int Link(int type, int direction, const char* cardDb = nullptr) { return Call(type, direction, cardDb); }

    // Runs one of the Python readers on a file; what it found.
    std::string Read(const char* reader, const std::vector<std::string>& args) {
        return RunPimReader(Path("reader.out"), reader, args);
    }
};

// ---- Palm, exchange mode -------------------------------------------------------------------

class PalmExchange : public ExchangeLinks {
protected:
    void SetUp() override {
        ExchangeLinks::SetUp();
        exchange_ = Path("zemsync.mdb");
        Set("Palm", "DBFileName", exchange_);
        Set("Preference", "PalmMode", "0");
    }
    // The exchange table as Python's sqlite3 sees it: "<Flags> name|company|title|phone|city".
    std::vector<std::string> Stored() {
        std::vector<std::string> rows;
        std::istringstream in(Read("palm_exchange.py", {UnixPath(exchange_)}));
        for (std::string line; std::getline(in, line);) rows.push_back(line);
        return rows;
    }
    static std::string Row(int flags, const CardRecV4& card) {
        return std::to_string(flags) + " " + Hex(card.CNAME.FullName.Text) + "|" + Hex(card.Company[0].Text) + "||" +
               Hex(card.Phone[0].PhoneNum.Text) + "|" + Hex("Springfield");
    }
    // The conduit's side: the exchange file as a HotSync leaves it.
    void ConduitLeaves(std::vector<CardRecV4> records) { CreateV4(exchange_, records); }

    std::string exchange_;
};

TEST_F(PalmExchange, ExportWritesCardsForTheHandheldOnceAndARerunAddsNothing) {
    CardRecV4 a = Card("Ann Lee", "Acme", "555-0100", 0), b = Card("Bo Kim", "Bolt", "555-0101", 5),
              c = Card("Cy Ray", "Core", "555-0102", 1);
    Hold({a, b, c});
    WriteFile(Path("temp.mdb"), "a file of the user's");
    ASSERT_EQ(Link(FERROW_LINK_PALM, FERROW_TO_PIM), FERROW_OK);
    EXPECT_EQ(Stored(), (std::vector<std::string>{Row(2, a), Row(2, c)}));
    // The compaction touches no file it did not make and leaves none of its own.
    EXPECT_EQ(ReadFile(Path("temp.mdb")), "a file of the user's");
    EXPECT_EQ(FilesIn(Path("*.tmp")), 0u);

    ASSERT_EQ(Link(FERROW_LINK_PALM, FERROW_TO_PIM), FERROW_OK);
    EXPECT_EQ(cards_[0].Flags, 5);
    EXPECT_EQ(cards_[2].Flags, 5);
    EXPECT_EQ(Stored().size(), 2u);
}

TEST_F(PalmExchange, ImportAppendsHandheldEntriesAndMarksEqualCards) {
    CardRecV4 held = Card("Ann Lee", "Acme", "555-0100", 0);
    CardRecV4 fromHandheld = Card("Dee Fox", "Dune", "555-0200", 3);
    CardRecV4 equal = held, sent = Card("Eve Ng", "Edge", "555-0300", 2);
    equal.Flags = 3;
    ConduitLeaves({equal, fromHandheld, fromHandheld, sent});

    // Held cards: one, 500 (the spare room is no limit) and a full array that has to grow.
    for (int held_count : {1, 500, 1000}) {
        std::vector<CardRecV4> cards(held_count, Card("Zed", "Zone", "1", 0));
        cards[0] = held;
        Hold(cards, held_count == 1000 ? 0 : LINKCARDS_SPARE);
        ASSERT_EQ(Link(FERROW_LINK_PALM, FERROW_FROM_PIM), FERROW_OK) << held_count;
        ASSERT_EQ(count_, held_count + 2) << held_count;
        EXPECT_EQ(cards_[0].Flags, 5);
        for (int i : {held_count, held_count + 1}) {
            EXPECT_STREQ(cards_[i].CNAME.FullName.Text, "Dee Fox");
            EXPECT_STREQ(cards_[i].Phone[0].PhoneNum.Text, "555-0200");
            EXPECT_EQ(cards_[i].Flags, 3);
        }
        EXPECT_GE(LinkCardsCapacity(cards_), count_);
    }
    // The exchange records are read, not consumed.
    EXPECT_EQ(Stored().size(), 4u);
}

TEST_F(PalmExchange, FailuresByDirectionAndMode) {
    Hold({Card("Ann Lee", "Acme", "555-0100", 0)});
    EXPECT_EQ(Link(FERROW_LINK_PALM, FERROW_FROM_PIM), FERROW_PALM_IMPORT_FAILED);  // no exchange file yet

    Set("Palm", "DBFileName", Path("no\\such\\folder\\zemsync.mdb"));
    {
        DialogWatch user(IDOK);  // the database layer reports the file it cannot create
        EXPECT_EQ(Link(FERROW_LINK_PALM, FERROW_TO_PIM), FERROW_PALM_EXPORT_FAILED);
        // Both steps fail here, and direction 3 still reports success: the conduit settles it.
        EXPECT_EQ(Link(FERROW_LINK_PALM, FERROW_FROM_THEN_TO), FERROW_OK);
    }
    Set("Preference", "PalmMode", "2");
    EXPECT_EQ(Link(FERROW_LINK_PALM, FERROW_TO_PIM), FERROW_NOTHING_DONE);
    EXPECT_EQ(count_, 1);
}

TEST_F(PalmExchange, CardFileFormsReadAndFillCardFiles) {
    std::vector<CardRecV4> source = {Card("Ann Lee", "Acme", "1", 0), Card("Bo Kim", "Bolt", "2", 5)};
    CreateV4(Path("cards.mdb"), source);
    ASSERT_EQ(Link(FERROW_LINK_PALM, FERROW_TO_PIM, Path("cards.mdb").c_str()), FERROW_OK);
    EXPECT_EQ(Stored(), (std::vector<std::string>{Row(2, source[0])}));

    std::vector<CardRecV4> back = {Card("Dee Fox", "Dune", "3", 3)};
    DeleteFileA(exchange_.c_str());
    ConduitLeaves(back);
    ASSERT_EQ(Link(FERROW_LINK_PALM, FERROW_FROM_PIM, Path("new.mdb").c_str()), FERROW_OK);
    std::vector<CardRecV4> stored = ReadV4(Path("new.mdb"));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_STREQ(stored[0].CNAME.FullName.Text, "Dee Fox");
    EXPECT_EQ(stored[0].Flags, 3);
}

// ---- Windows CE ----------------------------------------------------------------------------

class WindowsCe : public ExchangeLinks {
protected:
    void SetUp() override {
        ExchangeLinks::SetUp();
        exchange_ = Path("wincesync.dat");
        Set("WINCE", "DBFileName", exchange_);
        // Name -> Last Name, Title -> Suffix (no place), Company -> Name, Office Tel. ->
        // Work-telephone, Email -> E-mail, Address -> Work street, City -> Work city, Date -> Notes.
        Set("WINCE", "FieldMap", "4,0,7,0,0,1,26,0,0,0,0,38,0,0,0,11,12,0,0,0,0,0,0,0,0,41,0,0");
        libraries_ = Path("libs");
        CreateDirectoryA(libraries_.c_str(), nullptr);
        for (const char* dll : {ZEM_ZEMUTIL_DLL, ZEM_ZEM2WCE_DLL}) {
            std::string from = WindowsPathOf(dll);
            std::string name = from.substr(from.find_last_of('\\'));
            ASSERT_TRUE(CopyFileA(from.c_str(), (libraries_ + name).c_str(), FALSE)) << from;
        }
        SetDllDirectoryA(libraries_.c_str());
        device_ = Path("device");
        CreateDirectoryA(device_.c_str(), nullptr);
        CreateDirectoryA((device_ + "\\My Documents").c_str(), nullptr);
        SetEnvironmentVariableA("ZEM_WCE_DEVICE", device_.c_str());
    }
    Records ReadRecords(const char* kind, const std::string& file) {
        return ParseFields(Read("ce_records.py", {kind, UnixPath(file)}));
    }

    std::string exchange_, libraries_, device_;
};

TEST_F(WindowsCe, CardsToSendReachTheDeviceFieldByField) {
    CardRecV4 a = Card(Ansi(L"M\u00fcller"), std::string(60, 'C'), "555-0100", 0);
    SetText(a.Title[0].Text, "Dr.");
    SetEmail(a.Email[0], "ann@example.com", 0);
    SetText(a.Address[0].FullAddress.Text, "1 Main St\r\nSuite 5");
    CardRecV4 b = Card("Skipped", "Bolt", "1", 5), c = Card("Cy Ray", "Core", "555-0102", 1);
    Hold({a, b, c});
    ASSERT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_OK);

    ASSERT_EQ(ReadWholeFile(exchange_).size(), 5104u);
    Records narrow = ReadRecords("narrow", exchange_);
    ASSERT_EQ(narrow.size(), 2u);
    EXPECT_EQ(narrow[0], (std::map<std::string, std::string>{{"4", Hex(Ansi(L"M\u00fcller"))},
                                                             {"1", Hex(std::string(50, 'C'))},
                                                             {"26", Hex("555-0100")},
                                                             {"38", Hex("ann@example.com")},
                                                             {"11", Hex("1 Main St Suite 5")},
                                                             {"12", Hex("Springfield")},
                                                             {"41", Hex("2004/3/18")}}));
    EXPECT_EQ(narrow[1].at("4"), Hex("Cy Ray"));

    // On the device: the UTF-16 copy, where the Name field (id 1) has no place.
    Records wide = ReadRecords("wide", device_ + "\\My Documents\\SyncTemp.dat");
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0], (std::map<std::string, std::string>{{"LastName", Hex(u8"M\u00fcller")},
                                                           {"BusinessTelephoneNumber", Hex("555-0100")},
                                                           {"Email1Address", Hex("ann@example.com")},
                                                           {"BusinessAddressStreet", Hex("1 Main St Suite 5")},
                                                           {"BusinessAddressCity", Hex("Springfield")},
                                                           {"Body", Hex("2004/3/18")}}));
    EXPECT_EQ(ReadWholeFile(Path("SyncTemp.dat")).size(), 2 * 5080u);
}

TEST_F(WindowsCe, FailuresOfTheWriterAndTheTransfer) {
    Hold({Card("Ann Lee", "Acme", "1", 0)});
    ASSERT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_OK);
    // Each failure stays in place for the cases after it; the writer's failure comes last.
    SetEnvironmentVariableA("ZEM_WCE_DEVICE", Path("gone").c_str());
    EXPECT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_WINCE_TRANSFER_FAILED) << "no device folder";
    SetEnvironmentVariableA("ZEM_WCE_STATUS_ONE", "1");
    EXPECT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_WINCE_TRANSFER_FAILED) << "transfer status 1";
    SetEnvironmentVariableA("ZEM_WCE_STATUS_ONE", nullptr);
    SetEnvironmentVariableA("ZEM_WCE_DEVICE", device_.c_str());
    for (const char* dll : {"\\ZemUtil.dll", "\\Zem2Wce.dll"}) {
        std::string kept = Path("kept.dll");
        ASSERT_TRUE(MoveFileA((libraries_ + dll).c_str(), kept.c_str()));
        EXPECT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_WINCE_TRANSFER_FAILED) << "without " << dll;
        ASSERT_TRUE(MoveFileA(kept.c_str(), (libraries_ + dll).c_str()));
    }
    EXPECT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_OK);
    Set("WINCE", "DBFileName", Path("no\\such\\wincesync.dat"));
    EXPECT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_WINCE_WRITE_FAILED);
    EXPECT_EQ(Link(FERROW_LINK_WINCE, FERROW_FROM_PIM), FERROW_NOTHING_DONE);
    EXPECT_EQ(Link(FERROW_LINK_WINCE, FERROW_FROM_THEN_TO), FERROW_NOTHING_DONE);
}

TEST_F(WindowsCe, CardFileFormWritesTheCardFilesCardsToSend) {
    std::vector<CardRecV4> source = {Card("Ann Lee", "Acme", "1", 0), Card("Bo Kim", "Bolt", "2", 5),
                                     Card("Cy Ray", "Core", "3", 1)};
    CreateV4(Path("cards.mdb"), source);
    ASSERT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM, Path("cards.mdb").c_str()), FERROW_OK);
    Records narrow = ReadRecords("narrow", exchange_);
    ASSERT_EQ(narrow.size(), 2u);
    EXPECT_EQ(narrow[0].at("4"), Hex("Ann Lee"));
    EXPECT_EQ(narrow[1].at("4"), Hex("Cy Ray"));
    // An empty array gives an empty file.
    count_ = 0;
    ASSERT_EQ(Link(FERROW_LINK_WINCE, FERROW_TO_PIM), FERROW_OK);
    EXPECT_EQ(ReadWholeFile(exchange_).size(), 0u);
}

}  // namespace
