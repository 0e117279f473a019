#include <gtest/gtest.h>
#include "card_builders.h"
#include "compare_card_records.h"

using namespace ferrow;

namespace {

CardRecV4 Card(const char* name) {
    CardRecV4 card;
    memset(&card, 0, sizeof(card));
    SetText(card.CNAME.FullName, name);
    return card;
}

FieldMap Mask(std::initializer_list<int> slots) {
    FieldMap map{};
    for (int s : slots) map.id[s] = 1;
    return map;
}

}  // namespace

TEST(CompareCardRecords, WithoutMaskComparesTheNineDefaultFields) {
    CardRecV4 empty1 = Card(""), empty2 = Card("");
    EXPECT_EQ(CompareCardRecords(empty1, empty2, nullptr), 1);

    CardRecV4 a = Card("Smith"), b = Card("Smith");
    SetPhone(a.Phone[0], "111", 1);
    SetPhone(b.Phone[0], "111", 2);  // the type does not matter here
    SetPhone(a.Phone[1], "222", 1);  // nor the second phone
    EXPECT_EQ(CompareCardRecords(a, b, nullptr), 1);

    struct Change {
        const char* what;
        void (*apply)(CardRecV4&);
    };
    const Change changes[] = {
        {"name case", [](CardRecV4& c) { SetText(c.CNAME.FullName, "SMITH"); }},
        {"company", [](CardRecV4& c) { SetText(c.Company[0], "Acme"); }},
        {"title", [](CardRecV4& c) { SetText(c.Title[0], "Boss"); }},
        {"department", [](CardRecV4& c) { SetText(c.Department[0], "R&D"); }},
        {"phone0", [](CardRecV4& c) { SetText(c.Phone[0].PhoneNum, "112"); }},
        {"address", [](CardRecV4& c) { SetText(c.Address[0].FullAddress, "1 Road"); }},
        {"city", [](CardRecV4& c) { SetText(c.Address[0].City, "Town"); }},
        {"zip", [](CardRecV4& c) { SetText(c.Address[0].ZipCode, "123"); }},
        {"country", [](CardRecV4& c) { SetText(c.Address[0].Country, "NZ"); }},
    };
    for (const Change& change : changes) {
        CardRecV4 changed = b;
        change.apply(changed);
        EXPECT_EQ(CompareCardRecords(a, changed, nullptr), 0) << change.what;
    }
    CardRecV4 otherState = b;
    SetText(otherState.Address[0].State, "CA");  // not one of the nine
    EXPECT_EQ(CompareCardRecords(a, otherState, nullptr), 1);
}

TEST(CompareCardRecords, TypedListsOfTheCardMustBeInTheEntry) {
    FieldMap office = Mask({48});
    CardRecV4 one = Card("A"), two = Card("B");  // names differ but are not mapped
    SetPhone(one.Phone[0], "111", 1);
    SetPhone(two.Phone[0], "111", 1);
    SetPhone(two.Phone[1], "222", 1);
    EXPECT_EQ(CompareCardRecords(one, two, &office), 1);
    EXPECT_EQ(CompareCardRecords(two, one, &office), 0);

    CardRecV4 typeZero = Card("A");
    SetPhone(typeZero.Phone[2], "111", 0);
    EXPECT_EQ(CompareCardRecords(typeZero, one, &office), 1);

    FieldMap faxAndMail = Mask({55, 61});
    CardRecV4 c = Card(""), e = Card("");
    SetPhone(c.Fax[0], "9", 0);
    SetPhone(e.Fax[3], "9", 1);
    SetEmail(c.Email[0], "x@y", 0);
    SetEmail(e.Email[1], "x@y", 0);
    EXPECT_EQ(CompareCardRecords(c, e, &faxAndMail), 1);
    SetEmail(e.Email[1], "x@y", 1);  // now of another type: the card's address is missing
    EXPECT_EQ(CompareCardRecords(c, e, &faxAndMail), 0);
}

TEST(CompareCardRecords, MaskComparesOnlyComparableSlots) {
    CardRecV4 a = Card("Smith"), b = Card("Jones");
    SetText(a.ENAME.FullName, "x");
    SetText(a.Note[0], "note");
    FieldMap nickname = Mask({6, 3, 65, 71});
    EXPECT_EQ(CompareCardRecords(a, b, &nickname), 1);
    FieldMap name = Mask({0});
    EXPECT_EQ(CompareCardRecords(a, b, &name), 0);
    FieldMap category = Mask({67});
    SetText(b.UserDef[0], "VIP");
    EXPECT_EQ(CompareCardRecords(a, b, &category), 0);
}
