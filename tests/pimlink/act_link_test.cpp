// The ACT! link through FerrowDBFile, with the automation server's stand-in registered in the
// Wine prefix as "ACTOLE.DATABASE" for the length of each test; what it stored is read back by
// a Python reader of dBASE III tables.
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <string>
#include <vector>
#include "actole.h"
#include "automation_object.h"
#include "build_paths.h"
#include "card_builders.h"
#include "dialog_watch.h"
#include "ferrow.h"
#include "file_bytes.h"
#include "link_fixture.h"
#include "linkcards.h"
#include "pim_readers.h"

namespace {

using RegisterFn = HRESULT(__stdcall*)();
using Contact = std::map<int, std::string>;  // ACT! field number -> text

// Name -> 1 (field 26), Title -> 6 (46), Title 2 -> 42 (85), Department -> 43 (86), Company ->
// 10 (25), Office -> 25 (35), Email -> 39 (the slot sent as a note), Address -> 12 (27),
// City -> 13 (30), Zip -> 15 (32), Date -> 46 (51), User 1 -> 45 (50).
const char kFieldMap[] = "1,0,6,42,43,10,25,0,0,0,0,39,0,0,0,12,13,0,15,0,0,0,0,0,0,46,45,0";

const int kLogonUser = 4004, kLogonPassword = 4005;

CardRecV4 Card(const std::string& name, const std::string& company, int16_t flags = 0) {
    return LinkCard(name, company, flags);
}

class ActLink : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        ASSERT_TRUE(server_.loaded());
        ASSERT_EQ(server_.require<RegisterFn>("DllRegisterServer")(), S_OK);
        database_ = Path("act.dbf");
        ASSERT_EQ(server_.require<ActCreateDatabaseFn>("ActCreateDatabase")(database_.c_str()), 1);
        log_ = Path("act.log");
        SetEnvironmentVariableA("ZEM_ACT_LOG", log_.c_str());
        Set("ACT2000", "DBFileName", database_);
        Set("ACT2000", "FieldMap", kFieldMap);
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CoUninitialize();
        server_.require<RegisterFn>("DllUnregisterServer")();
        for (const char* name : {"ZEM_ACT_LOG", "ZEM_ACT_PASSWORD", "ZEM_ACT_READONLY", "ZEM_ACT_NO_CONTACTS",
                                 "ZEM_ACT_FAIL_NEXT", "ZEM_ACT_FAIL_CREATE"})
            SetEnvironmentVariableA(name, nullptr);
        LinkFixture::TearDown();
    }

    int Link(int direction, const char* cardDb = nullptr) { return Call(FERROW_LINK_ACT, direction, cardDb); }

    // Adds contacts through the server, as ACT! itself would.
    void Seed(const std::vector<Contact>& contacts) {
        ferrow::CAutomationObject database = ferrow::CAutomationObject::Create(ACTOLE_PROG_ID), list;
        ASSERT_TRUE(database.Valid());
        VARIANT path = ferrow::CAutomationObject::Text(database_.c_str());
        ASSERT_TRUE(database.CallId(1117, DISPATCH_METHOD, {path}, nullptr));
        VariantClear(&path);
        ASSERT_TRUE(database.ObjectId(1106, {}, &list) && list.Valid());
        for (const Contact& contact : contacts) {
            ASSERT_TRUE(list.CallId(303, DISPATCH_METHOD, {}, nullptr));
            for (const auto& field : contact) {
                VARIANT value = ferrow::CAutomationObject::Text(field.second.c_str());
                ASSERT_TRUE(list.CallId(308, DISPATCH_PROPERTYPUT,
                                        {ferrow::CAutomationObject::Short(static_cast<short>(field.first)), value},
                                        nullptr));
                VariantClear(&value);
            }
            VARIANT stored;
            ASSERT_TRUE(list.CallId(307, DISPATCH_METHOD, {}, &stored));
            VariantClear(&stored);
        }
        list.Reset();
        database.CallId(1118, DISPATCH_METHOD, {}, nullptr);
        DeleteFileA(log_.c_str());  // the log tells what the link did
    }
    static std::vector<Contact> Numbered(int n) {
        std::vector<Contact> contacts;
        for (int i = 0; i < n; ++i) contacts.push_back({{26, "Contact " + std::to_string(i)}, {25, "Co"}});
        return contacts;
    }
    Records Read(const std::string& table) {
        return ParseFields(RunPimReader(Path("reader.out"), "dbase3.py", {UnixPath(table)}));
    }
    Records Contacts() { return Read(database_); }
    Records Notes() { return Read(Path("act_notes.dbf")); }
    std::string Log() { return ReadWholeFile(log_); }

    DllModule server_{WindowsPathOf(ZEM_ACTOLE_SERVER).c_str()};
    std::string database_, log_;
};

std::string Item(const Records& records, size_t r, const char* name) {
    auto found = records[r].find(name);
    return found == records[r].end() ? "" : found->second;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(ActLink, ExportSendsTheMappedFieldsAndANoteAndSkipsTheCardThere) {
    Seed({{{26, "Ann Lee"}, {25, "Acme"}}});
    CardRecV4 there = Card("Ann Lee", "Acme"), full = Card("Lee, Bo", "Bolt"), plain = Card("Cy Ray", "Core"),
              fresh = Card("Dee Fox", "Delta", 3);
    SetText(full.Title[0].Text, "Buyer");
    SetPhone(full.Phone[0], "555-0100", 1);
    SetEmail(full.Email[0], "bo@bolt.test", 0);
    SetText(full.Address[0].FullAddress.Text, std::string(250, 'A'));
    SetText(full.Address[0].City.Text, "Springfield");
    SetText(full.Address[0].ZipCode.Text, "1234567890");
    SetText(full.UserDef[0].Text, "user one");
    Hold({there, full, plain, fresh});

    DialogWatch user(IDOK);
    ASSERT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
    EXPECT_EQ(cards_[0].Flags, 5);
    Records contacts = Contacts();
    ASSERT_EQ(contacts.size(), 3u);
    std::string id = Item(contacts, 1, "ID");
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(contacts[1], (std::map<std::string, std::string>{{"ID", id},
                                                               {"F26", Hex("Lee, Bo")},
                                                               {"F46", Hex("Buyer")},
                                                               {"F25", Hex("Bolt")},
                                                               {"F35", Hex("555-0100")},
                                                               {"F27", Hex(std::string(250, 'A'))},
                                                               {"F30", Hex("Springfield")},
                                                               {"F32", Hex("1234567890")},
                                                               {"F50", Hex("user one")},
                                                               {"F51", Hex("2004/3/18")},
                                                               {"F90", Hex("ZEM40")}}));
    EXPECT_EQ(Item(contacts, 2, "F26"), Hex("Cy Ray"));
    EXPECT_EQ(Item(contacts, 2, "F90"), Hex("ZEM40"));
    // Only the card with text in the note slot has a note, linked by the stored contact's id.
    Records notes = Notes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(
        notes[0],
        (std::map<std::string, std::string>{
            {"ID", notes[0]["ID"]}, {"F25", Hex("bo@bolt.test")}, {"F28", id}, {"F27", Hex("1")}, {"F26", Hex("1")}}));
    EXPECT_EQ(Count(Log(), "1117 "), 3u);  // open check, marking pass, export
    std::string shown;
    for (const std::string& text : user.Texts()) shown += text + "|";
    EXPECT_EQ(shown.find("Cannot open"), std::string::npos) << shown;

    // The same cards back from ACT!: every contact equals one of them. (The e-mail address went
    // out as a note and does not come back, so it is left off the card.)
    memset(&full.Email[0], 0, sizeof(full.Email[0]));
    Hold({Card("Ann Lee", "Acme"), full, plain});
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    ASSERT_EQ(count_, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(cards_[i].Flags, 5) << i;
}

TEST_F(ActLink, ImportKeepsEachSlotWithinItsRoomAndTwoEqualContactsMakeNoNewCard) {
    // Values that fill their slot's room: field 85 (80 bytes) lies right before field 86, and
    // field 94 (50 bytes, not mapped) right before field 200; both neighbours are read first and
    // keep their values.
    const Contact ann{{26, "Ann Lee"},       {85, std::string(80, 'T')}, {86, "Sales"}, {94, std::string(50, 'W')},
                      {200, "ann@lee.test"}, {30, "Springfield"}};
    Seed({ann, ann});
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    // Two equal contacts: the second matches the card the first became.
    ASSERT_EQ(count_, 1);
    EXPECT_EQ(cards_[0].Flags, 5);
    EXPECT_STREQ(cards_[0].CNAME.FullName.Text, "Ann Lee");
    EXPECT_EQ(std::string(cards_[0].Title[1].Text), std::string(80, 'T'));
    EXPECT_STREQ(cards_[0].Department[0].Text, "Sales");
    EXPECT_STREQ(cards_[0].Email[0].EmailName.Text, "ann@lee.test");
    EXPECT_STREQ(cards_[0].Address[0].City.Text, "Springfield");
}

TEST_F(ActLink, ImportGrowsTheArrayToExactlyWhatItNeeds) {
    std::vector<CardRecV4> cards;
    for (int i = 0; i < 250; ++i) cards.push_back(Card("Card " + std::to_string(i), "Co"));
    Seed(Numbered(200));
    Hold(cards);
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    EXPECT_EQ(count_, 450);
    EXPECT_EQ(LinkCardsCapacity(cards_), 750);

    database_ = Path("act300.dbf");
    ASSERT_EQ(server_.require<ActCreateDatabaseFn>("ActCreateDatabase")(database_.c_str()), 1);
    Set("ACT2000", "DBFileName", database_);
    Seed(Numbered(300));
    Hold(cards);
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    EXPECT_EQ(count_, 550);
    EXPECT_EQ(LinkCardsCapacity(cards_), 550);
    EXPECT_EQ(cards_[549].Flags, 3);
    EXPECT_STREQ(cards_[549].CNAME.FullName.Text, "Contact 299");
}

TEST_F(ActLink, LogOnAsksOnceAndCancelStillLogsOn) {
    SetEnvironmentVariableA("ZEM_ACT_PASSWORD", "secret");
    Hold({Card("Ann Lee", "Acme")});
    {
        DialogWatch user(IDCANCEL);
        EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_ACT_NOT_OPENED);
        ASSERT_FALSE(user.Seen().empty());
        EXPECT_NE(user.Seen()[0].find("Admin|"), std::string::npos) << user.Seen()[0];
    }
    EXPECT_EQ(Count(Log(), "1120 Admin|\n"), 1u);
    {
        DialogWatch user(IDOK, {{kLogonUser, "Chris"}, {kLogonPassword, "secret"}});
        EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
        size_t asked = 0;
        for (const std::string& seen : user.Seen()) asked += seen.find("Password:") != std::string::npos;
        EXPECT_EQ(asked, 1u);
    }
    // The marking pass and the export log on with what the dialog took, without asking again.
    EXPECT_EQ(Count(Log(), "1120 Chris|secret\n"), 3u);
    EXPECT_EQ(Contacts().size(), 1u);
}

TEST_F(ActLink, FailuresGiveTheirResults) {
    Seed(Numbered(3));
    struct Case {
        const char* what;
        const char* variable;
        int direction, result;
        const char* message;
    } cases[] = {
        {"server cannot start", "ZEM_ACT_FAIL_CREATE", FERROW_TO_PIM, FERROW_ACT_NOT_OPENED, ""},
        {"read-only export", "ZEM_ACT_READONLY", FERROW_TO_PIM, FERROW_ACT_EXPORT_FAILED,
         "Cannot open ACT! 2000 database."},
        {"no contact list", "ZEM_ACT_NO_CONTACTS", FERROW_FROM_PIM, FERROW_ACT_IMPORT_FAILED, ""},
        {"move fails", "ZEM_ACT_FAIL_NEXT", FERROW_FROM_PIM, FERROW_ACT_IMPORT_FAILED, ""},
        {"no direction", nullptr, 0, FERROW_NOTHING_DONE, ""},
    };
    std::string before = ReadWholeFile(database_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.variable) SetEnvironmentVariableA(c.variable, "1");
        Hold({Card("Bo Kim", "Bolt")});
        DialogWatch user(IDOK);
        EXPECT_EQ(Link(c.direction), c.result);
        std::string messages;
        for (const std::string& text : user.Texts()) messages += text;
        if (c.message[0]) {
            EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
        }
        EXPECT_EQ(cards_[0].Flags, 0);
        // A failed move stops the walk: the contact read is not read again as its own duplicate.
        for (int i = 1; i < count_; ++i) EXPECT_EQ(cards_[i].Flags, 3);
        EXPECT_EQ(ReadWholeFile(database_), before);
        if (c.variable) SetEnvironmentVariableA(c.variable, nullptr);
    }
    server_.require<RegisterFn>("DllUnregisterServer")();
    EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_ACT_NOT_OPENED);
}

TEST_F(ActLink, ChosenDatabaseIsKeptOnlyAfterThePasses) {
    Set("ACT2000", "DBFileName", "");
    Hold({});
    auto chosen = [&] {
        char text[MAX_PATH] = "";
        GetPrivateProfileStringA("ACT2000", "DBFileName", "", text, sizeof(text), ini_.c_str());
        return std::string(text);
    };
    // The Open dialog's file name box (1148, or 1152 in the older dialog) takes the path.
    std::vector<std::pair<int, std::string>> typed = {{1148, database_}, {1152, database_}};
    SetEnvironmentVariableA("ZEM_ACT_FAIL_CREATE", "1");
    {
        DialogWatch user(IDOK, typed);
        EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_ACT_NOT_OPENED);
    }
    EXPECT_EQ(chosen(), "");
    SetEnvironmentVariableA("ZEM_ACT_FAIL_CREATE", nullptr);
    {
        DialogWatch user(IDOK, typed);
        // An empty export opens and closes the database and succeeds.
        EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
    }
    EXPECT_EQ(chosen(), database_);
    EXPECT_EQ(Count(Log(), "1118\n"), 3u);
    EXPECT_EQ(Contacts().size(), 0u);
}

TEST_F(ActLink, CardFilesSendTheirCardsAndTakeOnlyContactsStoredElsewhere) {
    Seed({{{26, "From ACT"}, {25, "Acme"}}});
    std::string cardFile = Path("cards.mdb");
    std::vector<CardRecV4> cards = {Card("Ann Lee", "Acme"), Card("Bo Kim", "Bolt", 5)};
    CreateV4(cardFile, cards);
    DialogWatch user(IDOK);
    ASSERT_EQ(Link(FERROW_TO_PIM, cardFile.c_str()), FERROW_OK);
    ASSERT_FALSE(user.Texts().empty());
    EXPECT_NE(user.Texts().back().find("Export to ACT! 2000 complete !"), std::string::npos);
    Records contacts = Contacts();
    ASSERT_EQ(contacts.size(), 2u);
    EXPECT_EQ(Item(contacts, 1, "F26"), Hex("Ann Lee"));
    EXPECT_EQ(Item(contacts, 1, "F90"), Hex("ZEM40"));
    EXPECT_EQ(Notes().size(), 0u);

    ASSERT_EQ(Link(FERROW_FROM_PIM, cardFile.c_str()), FERROW_OK);
    std::vector<CardRecV4> read = ReadV4(cardFile);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_STREQ(read[2].CNAME.FullName.Text, "From ACT");
    EXPECT_EQ(read[2].Flags, 3);
}
