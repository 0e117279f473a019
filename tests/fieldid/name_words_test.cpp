// Prefix, suffix and degree words count only as words of their own, never inside a name.
#include <gtest/gtest.h>
#include <string.h>
#include "parsel_fixture.h"

namespace {

class NameWordsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.ready()); }
    Parsel p;
    CardInfo info{};
};

struct CardCase {
    int kind;
    std::vector<std::string> lines;
    const char* name;
    const char* prefix;
    const char* first;
    const char* last;
    const char* suffix;
};

const CardCase kCards[] = {
    {0, {"John Masterson", "Sales Manager"}, "John Masterson", "", "John", "Masterson", ""},
    {0, {"Dr. John Smith Jr.", "Sales Manager"}, "Dr. John Smith Jr.", "Dr.", "John", "Smith", "Jr."},
    // Names printed without their blank are split at the capital, but not behind Mc and Mac.
    {0, {"Ian MacDonald", "Sales Manager"}, "Ian MacDonald", "", "Ian", "MacDonald", ""},
    {0, {"Thomas McAllister", "Vice President"}, "Thomas McAllister", "", "Thomas", "McAllister", ""},
    {0, {"JohnSmith", "Sales Manager", "Acme Inc."}, "John Smith", "", "John", "Smith", ""},
    {0, {"Northwind Traders Inc.", "Ingrid Bachelor-Shaw"}, "Ingrid Bachelor-Shaw", "", "Ingrid", "Bachelor-Shaw", ""},
    // Degrees no name word list holds, behind a comma, are the suffix, not the last name.
    {0, {"Sofia Petrakis, MD", "Pediatric Cardiologist"}, "Sofia Petrakis MD", "", "Sofia", "Petrakis", "MD"},
    {0, {"Marcus Webb Jr., MD", "Cardiologist"}, "Marcus Webb Jr., MD", "", "Marcus", "Webb", "Jr., MD"},
    // A first name behind the comma is no degree.
    {0, {"Smith, John", "Engineer"}, "Smith John", "", "Smith", "John", ""},
    // A German card: "Kaufmann" behind a first name is the surname, not the merchant's degree.
    {2,
     {"Hans Kaufmann",
      "Gesch\xE4"
      "ftsf\xFChrer",
      "Telefon 040 123456"},
     "Hans Kaufmann",
     "",
     "Hans",
     "Kaufmann",
     ""},
};

void expectCard(const CardInfo& info, const CardCase& c, const char* how) {
    EXPECT_EQ(trimmed(first(info, FieldName)), c.name) << how << " " << c.lines[0];
    EXPECT_EQ(trimmed(first(info, FieldPrefix)), c.prefix) << how << " " << c.lines[0];
    EXPECT_EQ(first(info, FieldFirstName), c.first) << how << " " << c.lines[0];
    EXPECT_EQ(first(info, FieldLastName), c.last) << how << " " << c.lines[0];
    EXPECT_EQ(first(info, FieldSuffix), c.suffix) << how << " " << c.lines[0];
    for (const std::string& title : values(info, FieldTitle))
        EXPECT_EQ(title.find(c.last), std::string::npos) << how << ": the surname became a title: " << title;
}

TEST_F(NameWordsTest, NameLinesFromStringsAndPages) {
    for (const CardCase& c : kCards) {
        ASSERT_EQ(p.identify(c.lines, c.kind, info), 1);
        expectCard(info, c, "strings");
        ASSERT_EQ(p.identifyPage(c.lines, c.kind, info), 1);
        expectCard(info, c, "page");
    }
}

TEST_F(NameWordsTest, DegreesJoinedToOtherDegreesAreStillCut) {
    ASSERT_EQ(p.identify({"ACME GmbH", "Dipl.-Kaufmann Hans Weber", "Telefon 040 123456"}, 2, info), 1);
    EXPECT_EQ(trimmed(first(info, FieldName)), "Hans Weber");
    auto titles = values(info, FieldTitle);
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), "Dipl.-Kaufmann");
    // "ING." is a degree on its own, never the end of "Marketing.".
    ASSERT_EQ(p.identify({"ACME GmbH", "Hans Weber", "Leiter Marketing."}, 2, info), 1);
    for (const std::string& title : values(info, FieldTitle)) EXPECT_NE(title, "Marketing.");
}

TEST_F(NameWordsTest, SeparateFullNameKeepsNamesThatHoldNameWords) {
    const NameCase cases[] = {
        {"Hans Kaufmann", 1, "", "Hans", "", "Kaufmann", "", "Hans Kaufmann"},
        {"Alexander Kaufmann", 1, "", "Alexander", "", "Kaufmann", "", "Alexander Kaufmann"},
        {"John Masterson", 1, "", "John", "", "Masterson", "", "John Masterson"},
        {"Dr. John Smith Jr.", 1, "Dr.", "John", "", "Smith", "Jr.", "Dr. John Smith Jr."},
        {"Maria Doctor Lopez", 1, "", "Maria", "Doctor", "Lopez", "", "Maria Doctor Lopez"},
        {"Robert J. Kline, CPA", 1, "", "Robert", "J.", "Kline", "CPA", "Robert J. Kline CPA"},
    };
    for (const NameCase& c : cases) expectSeparatedName(p, c);
}

}  // namespace
