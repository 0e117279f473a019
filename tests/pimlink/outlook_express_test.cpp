// The Outlook Express link through FerrowDBFile, with the address book library's stand-in
// found through the registry as Windows finds the real one.
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <string>
#include <vector>
#include "build_paths.h"
#include "card_builders.h"
#include "link_fixture.h"
#include "dialog_watch.h"
#include "entry_file.h"
#include "ferrow.h"
#include "linkcards.h"

namespace {

const char kWabKey[] = "Software\\Microsoft\\WAB\\DLLPath";

// Address book property tags of the fields the map below uses.
enum : unsigned long {
    kDisplay = 0x3001001E,
    kJobTitle = 0x3A17001E,
    kDepartment = 0x3A18001E,
    kCompany = 0x3A16001E,
    kBusinessPhone = 0x3A08001E,
    kMobile = 0x3A1C001E,
    kBusinessFax = 0x3A24001E,
    kHomeFax = 0x3A25001E,
    kEmail = 0x3003001E,
    kBusinessPage = 0x3A51001E,
    kPersonalPage = 0x3A50001E,
    kStreet = 0x3A29001E,
    kCity = 0x3A27001E,
    kState = 0x3A28001E,
    kZip = 0x3A2A001E,
    kCountry = 0x3A26001E,
    kComment = 0x3004001E,
    kHomeCity = 0x3A59001E
};

using Contact = entryfile::Entry;

class OutlookExpress : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        book_ = Path("wab.txt");
        SetEnvironmentVariableA("ZEM_WAB_FILE", book_.c_str());
        char value[MAX_PATH] = "";
        LONG size = sizeof(value);
        hadPrevious_ = RegQueryValueA(HKEY_LOCAL_MACHINE, kWabKey, value, &size) == ERROR_SUCCESS;
        previous_ = value;
        SetMachineDefault(kWabKey, WindowsPathOf(ZEM_WAB32_DLL).c_str());
        // Name, Title, Department, Company, Office Tel., Mobile Tel., Fax, Fax 2, Email, Web Site,
        // Web Site 2, the address to the business address and Alt. Address to the comment.
        Set("OUTLOOK_EX", "FieldMap", "1,0,7,0,8,6,15,28,0,18,26,30,0,19,27,9,10,11,12,13,29,21,0,0,0,0,0,0");
    }
    void TearDown() override {
        SetMachineDefault(kWabKey, hadPrevious_ ? previous_.c_str() : nullptr);
        for (const char* name : {"ZEM_WAB_FILE", "ZEM_WAB_FAIL_OPEN", "ZEM_WAB_FAIL_SAVE"})
            SetEnvironmentVariableA(name, nullptr);
        LinkFixture::TearDown();
    }

    int Link(int direction, const char* cardDb = nullptr) {
        return Call(FERROW_LINK_OUTLOOK_EXPRESS, direction, cardDb);
    }
    void Seed(const std::vector<Contact>& contacts) { entryfile::Append(book_, contacts); }
    std::vector<Contact> Stored() { return entryfile::ReadAll(book_); }

    std::string book_, previous_;
    bool hadPrevious_ = false;
};

CardRecV4 FullCard() {
    CardRecV4 card;
    memset(&card, 0, sizeof(card));
    SetText(card.CNAME.FullName.Text, "Ann Lee");
    SetText(card.Title[0].Text, "Buyer");
    SetText(card.Department[0].Text, "Sales");
    SetText(card.Company[0].Text, "Acme");
    SetPhone(card.Phone[0], "555-0100", 0);  // an office phone of type 0 counts as office
    SetPhone(card.Phone[1], "555-0199", 5);
    SetPhone(card.Fax[0], "555-0101", 1);
    SetPhone(card.Fax[1], "555-0102", 2);
    SetEmail(card.Email[0], "ann@acme.test", 0);
    SetText(card.WebSite[0].Text, "acme.test");
    SetText(card.WebSite[1].Text, "ann.example");
    SetText(card.Address[0].FullAddress.Text, "1 Main St");
    SetText(card.Address[0].City.Text, "Springfield");
    SetText(card.Address[0].State.Text, "IL");
    SetText(card.Address[0].ZipCode.Text, "62701");
    SetText(card.Address[0].Country.Text, "USA");
    SetText(card.Address[1].FullAddress.Text, "Back door");
    SetText(card.Address[1].City.Text, "Shelbyville");
    return card;
}

CardRecV4 NamedCard(const std::string& name, int16_t flags = 0) {
    CardRecV4 card;
    memset(&card, 0, sizeof(card));
    SetText(card.CNAME.FullName.Text, name);
    SetText(card.Company[0].Text, "Co " + name);
    card.Flags = flags;
    return card;
}

Contact NamedContact(const std::string& name) {
    Contact c;
    c.kind = 6;
    c.values = {{kDisplay, name}, {kCompany, "Co " + name}};
    return c;
}

}  // namespace

TEST_F(OutlookExpress, ExportCreatesEachCardOnceFieldByField) {
    CardRecV4 nameless = NamedCard("");
    Hold({FullCard(), NamedCard("Skipped", 5), nameless});
    ASSERT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
    std::vector<Contact> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    const std::map<unsigned long, std::string> expected = {{kDisplay, "Ann Lee"},
                                                           {kJobTitle, "Buyer"},
                                                           {kDepartment, "Sales"},
                                                           {kCompany, "Acme"},
                                                           {kBusinessPhone, "555-0100"},
                                                           {kMobile, "555-0199"},
                                                           {kBusinessFax, "555-0101"},
                                                           {kHomeFax, "555-0102"},
                                                           {kEmail, "ann@acme.test"},
                                                           {kBusinessPage, "acme.test"},
                                                           {kPersonalPage, "ann.example"},
                                                           {kStreet, "1 Main St"},
                                                           {kCity, "Springfield"},
                                                           {kState, "IL"},
                                                           {kZip, "62701"},
                                                           {kCountry, "USA"},
                                                           {kComment, "Back door"},
                                                           {kHomeCity, "Shelbyville"}};
    EXPECT_EQ(stored[0].values.size(), 32u);  // every field is written, empty ones too
    for (const auto& p : stored[0].values) {
        auto want = expected.find(p.first);
        EXPECT_EQ(p.second, want == expected.end() ? "" : want->second) << std::hex << p.first;
    }
    EXPECT_EQ(stored[1].values[kDisplay], "Undefine Name");
    EXPECT_EQ(stored[1].values[kCompany], "Co");  // blanks are trimmed on the way out

    // Again: the first card is found and marked; the nameless one is sent again, and the address
    // book's duplicate check turns it away, which counts as done.
    Hold({FullCard(), NamedCard("Skipped", 5), nameless});
    ASSERT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
    EXPECT_EQ(cards_[0].Flags, 5);
    EXPECT_EQ(cards_[2].Flags, 0);
    EXPECT_EQ(Stored().size(), 2u);

    // Nothing to send is success.
    Hold({NamedCard("Present", 5)});
    EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
    count_ = 0;
    EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_OK);
    EXPECT_EQ(Stored().size(), 2u);
}

TEST_F(OutlookExpress, AFailedSaveEndsTheExportAndKeepsTheContactsBeforeIt) {
    SetEnvironmentVariableA("ZEM_WAB_FAIL_SAVE", "2");
    Hold({NamedCard("One"), NamedCard("Two"), NamedCard("Three")});
    EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_OE_EXPORT_FAILED);
    std::vector<Contact> stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].values[kDisplay], "One");
}

TEST_F(OutlookExpress, ImportAppendsNewContactsAndMarksCardsAlreadyThere) {
    std::vector<Contact> contacts;
    for (int i = 0; i < 10; ++i) contacts.push_back(NamedContact("Contact " + std::to_string(i)));
    Contact list = NamedContact("A list");
    list.kind = 8;
    contacts.insert(contacts.begin() + 3, list);
    contacts.back().values[kComment] = std::string(100, 'c');
    contacts.back().values[kBusinessPage] = std::string(50, 'w');
    Seed(contacts);

    std::vector<CardRecV4> cards(600, NamedCard("Held"));
    cards[1] = NamedCard("Contact 4");
    Hold(cards);
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    EXPECT_EQ(cards_[1].Flags, 5);
    ASSERT_EQ(count_, 609);
    EXPECT_EQ(LinkCardsCapacity(cards_), 610);  // grown to contacts + cards before reading
    for (int i = 600; i < 609; ++i) EXPECT_EQ(cards_[i].Flags, 3) << i;
    EXPECT_STREQ(cards_[600].CNAME.FullName.Text, "Contact 0");
    EXPECT_STREQ(cards_[600].Company[0].Text, "Co Contact 0");
    EXPECT_STREQ(cards_[603].CNAME.FullName.Text, "Contact 3");  // the list is not read
    EXPECT_STREQ(cards_[608].CNAME.FullName.Text, "Contact 9");
    EXPECT_EQ(std::string(cards_[608].Address[1].FullAddress.Text), std::string(80, 'c'));
    EXPECT_EQ(std::string(cards_[608].WebSite[0].Text), std::string(30, 'w'));

    // 400 contacts and 10 cards fit in the spare room: the array is left as it is.
    std::vector<Contact> many(390, NamedContact("More"));
    Seed(many);
    Hold(std::vector<CardRecV4>(10, NamedCard("Held")));
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    EXPECT_EQ(LinkCardsCapacity(cards_), 510);
}

TEST_F(OutlookExpress, TwoEqualContactsMakeNoNewCard) {
    Seed({NamedContact("Twin"), NamedContact("Twin")});
    Hold({NamedCard("Other")});
    ASSERT_EQ(Link(FERROW_FROM_PIM), FERROW_OK);
    ASSERT_EQ(count_, 2);
    EXPECT_EQ(cards_[1].Flags, 5);  // appended as new, then found again by its twin
    // Direction 3: the import's new card is not sent back; the other card is.
    Hold({NamedCard("Other")});
    ASSERT_EQ(Link(FERROW_FROM_THEN_TO), FERROW_OK);
    std::vector<Contact> stored = Stored();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].values[kDisplay], "Other");
}

TEST_F(OutlookExpress, MissingLibraryAndUnopenedAddressBook) {
    Hold({NamedCard("One")});
    {
        SetMachineDefault(kWabKey, Path("no-such-wab32.dll").c_str());
        DialogWatch user(IDOK);
        EXPECT_EQ(Link(FERROW_FROM_PIM), FERROW_OE_IMPORT_FAILED);
        auto texts = user.Texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0], "Load wab32.dll fail");
    }
    SetMachineDefault(kWabKey, WindowsPathOf(ZEM_WAB32_DLL).c_str());
    SetEnvironmentVariableA("ZEM_WAB_FAIL_OPEN", "1");
    DialogWatch user(IDOK);
    EXPECT_EQ(Link(FERROW_FROM_PIM), FERROW_OE_IMPORT_FAILED);
    EXPECT_EQ(Link(FERROW_TO_PIM), FERROW_OE_EXPORT_FAILED);
    int opens = 0;
    for (const std::string& text : user.Texts()) opens += text == "Open wab fail";
    EXPECT_EQ(opens, 3);  // the import, the marking pass and the export
    EXPECT_EQ(count_, 1);
}

TEST_F(OutlookExpress, CardFileForms) {
    std::vector<CardRecV4> source = {NamedCard("Ann"), NamedCard("Bo", 5)};
    CreateV4(Path("cards.mdb"), source);
    {
        DialogWatch user(IDOK);
        ASSERT_EQ(Link(FERROW_TO_PIM, Path("cards.mdb").c_str()), FERROW_OK);
        auto texts = user.Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0], "Export to Outlook Express ! complete");
    }
    ASSERT_EQ(Stored().size(), 1u);
    Seed({NamedContact("Cy")});
    ASSERT_EQ(Link(FERROW_FROM_PIM, Path("cards.mdb").c_str()), FERROW_OK);
    std::vector<CardRecV4> stored = ReadV4(Path("cards.mdb"));
    ASSERT_EQ(stored.size(), 4u);  // no duplicate test on this road: Ann comes in again
    EXPECT_STREQ(stored[3].CNAME.FullName.Text, "Cy");
    EXPECT_EQ(stored[3].Flags, 3);
}
