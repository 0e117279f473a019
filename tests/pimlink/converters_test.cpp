#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "card_builders.h"
#include "card_converters.h"
#include "card_text.h"
#include "exchange_layouts.h"

using namespace ferrow;

namespace {

struct Converted {
    std::vector<char> record;
    explicit Converted(int size) : record(static_cast<size_t>(size) + 64, 0) {}
    char* data() { return record.data(); }
    std::string at(int offset, int width) const { return Field(record.data(), offset, width); }
};

FieldMap MapOf(std::initializer_list<std::pair<int, int>> slotToId) {
    FieldMap map{};
    for (auto [slot, id] : slotToId) map.id[slot] = static_cast<int16_t>(id);
    return map;
}

CardRecV4 ZeroCard() {
    CardRecV4 card;
    memset(&card, 0, sizeof(card));
    return card;
}

}  // namespace

TEST(CardToOutlook, TypedPhonesAreTakenOncePerRecord) {
    CardRecV4 card = ZeroCard();
    SetPhone(card.Phone[0], "111", 1);
    SetPhone(card.Phone[1], "222", 0);
    SetPhone(card.Phone[2], "555", 5);
    Converted out(kOutlookRecordSize);
    CardToOutlook(out.data(), card, MapOf({{48, 26}, {50, 36}}));
    EXPECT_EQ(out.at(1562, 30), "111");  // Business-Phone: the first office phone only
    EXPECT_EQ(out.at(1872, 30), "555");  // Mobile
    EXPECT_EQ(out.at(1593, 30), "");
}

TEST(CardToOutlook, AnEmptyEntryOfTheTypeSendsNothingInItsPlace) {
    // The first office phone is empty: the office number stays empty rather than take the
    // home number or a later office entry; the same for faxes and e-mail addresses.
    CardRecV4 card = ZeroCard();
    SetPhone(card.Phone[0], "", 1);
    SetPhone(card.Phone[1], "222", 2);
    SetPhone(card.Phone[2], "333", 1);
    SetPhone(card.Fax[0], "", 1);
    SetPhone(card.Fax[1], "444", 1);
    SetEmail(card.Email[0], "", 0);
    SetEmail(card.Email[1], "b@x.org", 0);
    Converted out(kOutlookRecordSize);
    CardToOutlook(out.data(), card, MapOf({{48, 26}, {49, 32}, {55, 28}, {61, 45}}));
    EXPECT_EQ(out.at(1562, 30), "");     // Business-Phone
    EXPECT_EQ(out.at(1748, 30), "222");  // Home-Phone
    EXPECT_EQ(out.at(1624, 30), "");     // Business-Fax
    EXPECT_EQ(out.at(2171, 80), "");     // E-mail
}

TEST(CardToOutlook, CutsTrimsAndFormatsTheDate) {
    CardRecV4 card = ZeroCard();
    SetText(card.Company[0], std::string(80, 'C'));
    SetText(card.Title[0], "   Manager  ");
    SetText(card.ENAME.FullName, "Bob");
    card.CDate[0] = 2004, card.CDate[1] = 3, card.CDate[2] = 18;
    Converted out(kOutlookRecordSize);
    CardToOutlook(out.data(), card, MapOf({{16, 4}, {12, 5}, {6, 7}, {71, 25}}));
    EXPECT_EQ(out.at(115, 60), std::string(60, 'C'));
    EXPECT_EQ(out.data()[115 + 60], '\0');
    EXPECT_EQ(out.at(176, 80), "Manager");
    EXPECT_EQ(out.at(308, 30), "Bob");         // Nickname is exported to Outlook
    EXPECT_EQ(out.at(1531, 30), "2004/3/18");  // Assistant receives the date
}

TEST(CardToOutlook, LastNonEmptySlotWinsForOneId) {
    CardRecV4 card = ZeroCard();
    SetText(card.CNAME.FullName, "Full Name");
    SetText(card.CNAME.FirstName, "");
    SetText(card.CNAME.LastName, "Last");
    Converted out(kOutlookRecordSize);
    CardToOutlook(out.data(), card, MapOf({{0, 1}, {2, 1}, {4, 1}}));
    EXPECT_EQ(out.at(2, 50), "Last");
    CardToOutlook(out.data(), ZeroCard(), MapOf({{0, 1}}));  // empty texts write nothing
    EXPECT_EQ(out.at(2, 50), "Last");
}

TEST(OutlookToCard, PhonesTakeEntriesInTurnAndNicknameStaysHome) {
    Converted in(kOutlookRecordSize);
    strcpy(in.data() + 1562, "111");    // Business-Phone
    strcpy(in.data() + 1872, "555");    // Mobile
    strcpy(in.data() + 308, "Bob");     // Nickname
    strcpy(in.data() + 84, "Ann");      // First, also read as id 48
    strcpy(in.data() + 2171, "a@b.c");  // E-mail
    CardRecV4 card = ZeroCard();
    OutlookToCard(in.data(), card, MapOf({{48, 26}, {50, 36}, {6, 7}, {2, 48}, {61, 45}}));
    EXPECT_STREQ(card.Phone[0].PhoneNum.Text, "111");
    EXPECT_EQ(card.Phone[0].PhoneType, 1);
    EXPECT_STREQ(card.Phone[1].PhoneNum.Text, "555");
    EXPECT_EQ(card.Phone[1].PhoneType, 5);
    EXPECT_STREQ(card.ENAME.FullName.Text, "");
    EXPECT_STREQ(card.CNAME.FirstName.Text, "Ann");
    EXPECT_STREQ(card.Email[0].EmailName.Text, "a@b.c");
    EXPECT_EQ(card.Email[0].EmailType, 0);
}

TEST(CardToPalm, SixPhonesFillFiveEntriesWithTheirLabels) {
    CardRecV4 card = ZeroCard();
    const int16_t types[6] = {1, 2, 5, 3, 4, 9};
    for (int i = 0; i < 6; ++i) SetPhone(card.Phone[i], "p" + std::to_string(i), types[i]);
    Converted out(kPalmRecordSize);
    // office -> Work(10), home -> Home(11), mobile -> Mobile(17), direct -> Other(13),
    // main -> Main(15), pager -> Pager(16)
    CardToPalm(out.data(), card, MapOf({{48, 10}, {49, 11}, {50, 17}, {51, 13}, {52, 15}, {53, 16}}));
    const char* expectText[5] = {"p0", "p1", "p2", "p3", "p4"};
    const int16_t expectLabel[5] = {0, 1, 7, 3, 5};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(out.at(626 + 31 * k, 30), expectText[k]) << k;
        int16_t label;
        memcpy(&label, out.data() + 782 + 2 * k, 2);
        EXPECT_EQ(label, expectLabel[k]) << k;
    }
    EXPECT_EQ(out.at(792, 80), "");  // the sixth phone went nowhere
}

TEST(CardToPalm, NotesAreJoinedUpToTheLastLine) {
    CardRecV4 card = ZeroCard();
    SetText(card.Note[0], "one");
    SetText(card.Note[2], "three");
    Converted out(kPalmRecordSize);
    CardToPalm(out.data(), card, MapOf({{65, 22}}));
    EXPECT_EQ(out.at(1116, 255), "one\n\nthree");
    Converted none(kPalmRecordSize);
    CardToPalm(none.data(), ZeroCard(), MapOf({{65, 22}}));
    EXPECT_EQ(none.at(1116, 255), "");
}

TEST(PalmToCard, PhonesAreFoundByLabel) {
    Converted in(kPalmRecordSize);
    const char* numbers[3] = {"home", "mobile", "work"};
    const int16_t labels[3] = {1, 7, 0};
    for (int k = 0; k < 3; ++k) {
        strcpy(in.data() + 626 + 31 * k, numbers[k]);
        memcpy(in.data() + 782 + 2 * k, &labels[k], 2);
    }
    strcpy(in.data() + 1116, std::string(100, 'n').c_str());
    CardRecV4 card = ZeroCard();
    PalmToCard(in.data(), card, MapOf({{48, 10}, {50, 17}, {49, 12}, {65, 22}}));
    EXPECT_STREQ(card.Phone[0].PhoneNum.Text, "work");
    EXPECT_EQ(card.Phone[0].PhoneType, 1);
    EXPECT_STREQ(card.Phone[1].PhoneNum.Text, "mobile");
    EXPECT_EQ(card.Phone[1].PhoneType, 5);
    EXPECT_STREQ(card.Phone[2].PhoneNum.Text, "");  // no fax-labelled entry
    EXPECT_EQ(std::string(card.Note[0].Text), std::string(80, 'n'));
}

TEST(CardToCeRecord, CutsJoinsAndDropsFieldsWithoutPlace) {
    CardRecV4 card = ZeroCard();
    SetText(card.CNAME.FullName, std::string(50, 'N'));
    SetText(card.Address[0].Street, "1 Main St\r\nSuite 2");
    SetText(card.CNAME.SuffixName, "Jr.");
    Converted out(kCeRecordSize);
    CardToCeRecord(out.data(), card, MapOf({{0, 1}, {25, 11}, {5, 7}, {4, 47}}));
    EXPECT_EQ(out.at(2, 50), std::string(50, 'N'));
    EXPECT_EQ(out.at(532, 255), "1 Main St Suite 2");
    std::vector<char> zero(31, 0);
    EXPECT_EQ(memcmp(out.data() + 308, zero.data(), 31), 0);  // id 7 has no place
}

TEST(CardToAct, StoresTheDateAndKeepsPackedNeighbours) {
    CardRecV4 card = ZeroCard();
    card.CDate[0] = 2004, card.CDate[1] = 3, card.CDate[2] = 18;
    SetText(card.CNAME.FirstName, "Ann");
    SetText(card.CNAME.LastName, std::string(30, 'L'));
    Converted out(kActRecordSize);
    // The first name (slot 2) goes to id 3 and is written before the last name (slot 4) goes to
    // id 2, whose full-width text ends where id 3 begins.
    CardToAct(out.data(), card, MapOf({{2, 3}, {4, 2}, {71, 60}}));
    int16_t words[4];
    memcpy(words, out.data() + 3460, 8);
    EXPECT_EQ(words[0], 2004);
    EXPECT_EQ(words[1], 3);
    EXPECT_EQ(words[3], 18);
    EXPECT_EQ(std::string(out.data() + 54, 30), std::string(30, 'L'));
    EXPECT_EQ(out.at(84, 30), "Ann");

    CardRecV4 back = ZeroCard();
    ActToCard(out.data(), back, MapOf({{2, 3}, {4, 2}}));
    EXPECT_STREQ(back.CNAME.FirstName.Text, "Ann");
    EXPECT_EQ(std::string(back.CNAME.LastName.Text), std::string(30, 'L'));
}

TEST(ActLayout, OffsetsRunToTheLastUserField) {
    EXPECT_EQ(ActField(1).offset, 4);
    EXPECT_EQ(ActField(45).offset, 2709);
    EXPECT_EQ(ActField(46).offset, 2759);
    EXPECT_EQ(ActField(59).offset, 3409);
    for (int id = 2; id <= 59; ++id)
        EXPECT_EQ(ActField(id - 1).offset + ActField(id - 1).width, ActField(id).offset) << id;
}

TEST(WabConverters, WriteRangeStopsAt30AndReadReachesTheUnnamedIds) {
    CardRecV4 card = ZeroCard();
    SetText(card.Company[0], "  Acme  ");
    SetText(card.Title[0], "Boss");
    Converted out(kWabRecordSize);
    CardToWab(out.data(), card, MapOf({{16, 6}, {12, 31}}));
    EXPECT_EQ(out.at(227, 60), "Acme");
    EXPECT_EQ(out.at(1838, 30), "");

    strcpy(out.data() + 1838, "thirty-one");
    strcpy(out.data() + 1807, "thirty-two");
    CardRecV4 back = ZeroCard();
    WabToCard(out.data(), back, MapOf({{67, 31}, {68, 32}}));
    EXPECT_STREQ(back.UserDef[0].Text, "thirty-one");
    EXPECT_STREQ(back.UserDef[1].Text, "thirty-two");
}

TEST(CardText, CutsFollowTheProcessCodePage) {
    // On a Western system \xE9 is the letter e-acute, a character of its own: a cut that ends
    // on it keeps it.
    ASSERT_FALSE(IsDBCSLeadByte(0xE9)) << "the tests run on a Western code page";
    const std::string accented = std::string(29, 'a') + "\xE9" + "b";
    char out[64];
    CopyCut(out, accented.c_str(), 30);
    EXPECT_EQ(std::string(out), std::string(29, 'a') + "\xE9");
    char field[31];
    memcpy(field, accented.c_str(), 30);
    TerminateAt(field, 30);
    EXPECT_EQ(std::string(field), std::string(29, 'a') + "\xE9");

    // A code page's lead byte still holds its trail byte: the pair is kept whole or dropped.
    for (int b = 0x81; b < 0xFF; ++b) {
        if (!IsDBCSLeadByte(static_cast<BYTE>(b))) continue;
        const std::string pair = std::string(29, 'a') + static_cast<char>(b) + "\x41" + "b";
        CopyCut(out, pair.c_str(), 30);
        EXPECT_EQ(std::string(out), std::string(29, 'a')) << b;
        break;
    }

    struct TrimCase {
        const char* in;
        const char* out;
        int result;
    };
    const TrimCase trims[] = {{"  a b  ", "a b", 1}, {"   ", "", 1}, {"", "", 0}};
    for (const TrimCase& c : trims) {
        char buffer[16];
        strcpy(buffer, c.in);
        EXPECT_EQ(TrimBlanks(buffer), c.result);
        EXPECT_STREQ(buffer, c.out);
    }
    EXPECT_EQ(TrimBlanks(nullptr), 0);
}
