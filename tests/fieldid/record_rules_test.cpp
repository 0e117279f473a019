// The record's own rules hold whatever the steps after the scores decide: one person's name, a
// line with a company form is the firm (never a title, never a street), a company is not also
// the street.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "parsel_fixture.h"

namespace {

class RecordRulesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.ready()); }
    Parsel p;
    CardInfo info{};
};

bool holds(const std::vector<std::string>& found, const std::string& text) {
    return std::find(found.begin(), found.end(), text) != found.end();
}

TEST_F(RecordRulesTest, OneNameOnTheCard) {
    const std::vector<std::vector<std::string>> cards = {
        {"Orlando Bloomfield", "Harbour Lights Gallery", "Gift Shop", "obloomfield@harbourlights.com"}};
    for (const auto& card : cards) {
        ASSERT_EQ(p.identify(card, 0, info), 1);
        EXPECT_EQ(values(info, FieldName).size(), 1u) << card[0];
        EXPECT_EQ(trimmed(first(info, FieldName)), card[0]);
    }
}

TEST_F(RecordRulesTest, ALineWithACompanyFormIsNeverATitle) {
    struct Case {
        std::vector<std::string> card;
        const char* firm;
    } cases[] = {
        {{"Jane Doe", "Acme Health Inc", "Maple Grove Pediatrics", "12 Main Street", "Maple Grove, MN 55369"},
         "Acme Health Inc"},
        {{"Jane Doe", "Acme Holdings Inc", "A member of Beta Group Ltd", "jane@acme.com"}, "Acme Holdings Inc"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(p.identify(c.card, 0, info), 1);
        EXPECT_FALSE(holds(values(info, FieldTitle), c.firm)) << c.firm;
        EXPECT_TRUE(holds(values(info, FieldCompany), c.firm)) << c.firm;
    }
}

TEST_F(RecordRulesTest, TheFirmIsNotTheStreet) {
    // STUDIO is a company form; Gallery 9 is spelt by the domain.
    struct Case {
        std::vector<std::string> card;
        const char* firm;
    } cases[] = {
        {{"Jane Doe", "Events Manager", "Studio 54", "New York, NY 10019"}, "Studio 54"},
        {{"Jane Doe", "Curator", "Gallery 9", "New York, NY 10019", "jane@gallery9.com"}, "Gallery 9"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(p.identify(c.card, 0, info), 1);
        EXPECT_TRUE(holds(values(info, FieldCompany), c.firm)) << c.firm;
        for (const std::string& street : values(info, FieldStreet))
            EXPECT_EQ(street.find(c.firm), std::string::npos) << c.firm;
        EXPECT_EQ(first(info, FieldCity), "New York") << c.firm;
    }
}

}  // namespace
