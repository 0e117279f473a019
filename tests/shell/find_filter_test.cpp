// The Find dialog's dates and the filter texts it sets on the card table, case by case.
#include <gtest/gtest.h>
#include "shell.h"
#include <string>

namespace {

struct Texts {
    char Value[FIND_TEXT_COUNT][FIND_TEXT_SIZE + 1] = {};
    explicit Texts(std::initializer_list<const char*> texts) {
        int i = 0;
        for (const char* t : texts) lstrcpynA(Value[i++], t, FIND_TEXT_SIZE + 1);
    }
};

// 1 and the filter, or 0 for a bad date.
std::pair<int, std::string> Filter(int freeSearch, const Texts& texts) {
    static char filter[FIND_FILTER_SIZE];
    filter[0] = 0;
    int ok = BuildFindFilter(freeSearch, texts.Value, nullptr, filter, sizeof filter);
    return {ok, filter};
}

std::string AnyField(const std::string& t) {
    std::string out;
    for (const char* field : {"CName", "Title", "Company", "Address", "State", "City", "Country", "CNote"})
        out += (out.empty() ? "" : " OR ") + std::string(field) + " like '*" + t + "*'";
    return out;
}

}  // namespace

TEST(FindDate, MonthDayYearWithLeapYearsAndTwoDigitYears) {
    struct Case {
        const char* text;
        int ok;
        int year, month, day;
    } cases[] = {
        {"2/29/2000", 1, 2000, 2, 29}, {"2/29/2001", 0, 0, 0, 0},
        {"2/29/1900", 0, 0, 0, 0},     {"2/28/1900", 1, 1900, 2, 28},
        {"4/31/2001", 0, 0, 0, 0},     {"12/31/38", 1, 2038, 12, 31},
        {"1/1/39", 1, 1939, 1, 1},     {" 7/ 4/ 1999", 1, 1999, 7, 4},
        {"13/1/2001", 0, 0, 0, 0},     {"0/1/2001", 0, 0, 0, 0},
        {"1/0/2001", 0, 0, 0, 0},      {"1/32/2001", 0, 0, 0, 0},
        {"1/1/0", 0, 0, 0, 0},         {"1/1", 0, 0, 0, 0},
        {"1-1-2001", 0, 0, 0, 0},      {"1/1/2001x", 0, 0, 0, 0},
        {"a/1/2001", 0, 0, 0, 0},      {"1/1/99999999999", 0, 0, 0, 0},
        {"1/1/10000", 0, 0, 0, 0},     {"", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int date[6] = {-1, -1, -1, -1, -1, -1};
        ASSERT_EQ(ParseFindDate(c.text, date), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(date[0], c.year) << c.text;
        EXPECT_EQ(date[1], c.month) << c.text;
        EXPECT_EQ(date[2], c.day) << c.text;
        EXPECT_EQ(date[3] | date[4] | date[5], 0) << c.text;
    }
}

TEST(FindFilter, FieldAndFreeSearchTextsWithDates) {
    struct Case {
        int freeSearch;
        Texts texts;
        int ok;
        std::string filter;
    } cases[] = {
        {0, Texts{"Smith", "Sales"}, 1, "CName like '*Smith*' AND Title like '*Sales*'"},
        {0, Texts{"a[b"}, 1, "CName like '*a[[]b*'"},
        {0, Texts{"", "", "x]y"}, 1, "Company like '*x[]]y*'"},
        // A quote would end the literal: it is doubled.
        {0, Texts{"O'Lane"}, 1, "CName like '*O''Lane*'"},
        {1, Texts{"Bern"}, 1, AnyField("Bern")},
        {1, Texts{"a[b", "", "it's"}, 1, AnyField("a[[]b") + " OR " + AnyField("it''s")},
        // The free texts stay one group before the dates.
        {1, Texts{"Dune", "Acme", "", "1/1/2001", "12/31/2002"}, 1,
         "(" + AnyField("Dune") + " OR " + AnyField("Acme") +
             ") AND CDate >= #1-1-2001 0:00:00# AND CDate <= #12-31-2002 23:59:59#"},
        {0, Texts{"Smith", "", "", "", "12/31/2038"}, 1, "CName like '*Smith*' AND CDate <= #12-31-2038 23:59:59#"},
        {0, Texts{"", "", "", "", "12/31/2038"}, 1, "CDate <= #12-31-2038 23:59:59#"},
        {1, Texts{"", "", "", "3/5/2001"}, 1, "CDate >= #3-5-2001 0:00:00#"},
        {0, Texts{}, 1, ""},
        {0, Texts{"Smith", "", "", "2/29/2001"}, 0, ""},
        {0, Texts{"Smith", "", "", "1/1/2001", "2/30/2001"}, 0, ""},
    };
    for (const Case& c : cases) {
        std::pair<int, std::string> got = Filter(c.freeSearch, c.texts);
        EXPECT_EQ(got.first, c.ok) << c.filter;
        if (c.ok) {
            EXPECT_EQ(got.second, c.filter);
        }
    }
}

TEST(FindFilter, LongestTextsInEveryFieldFitTheFilter) {
    std::string brackets(FIND_TEXT_SIZE, '[');
    Texts texts{brackets.c_str(), brackets.c_str(), brackets.c_str(), "12/31/2038", "12/31/2038"};
    std::pair<int, std::string> got = Filter(1, texts);
    ASSERT_EQ(got.first, 1);
    EXPECT_NE(got.second.find("CDate <= #12-31-2038 23:59:59#"), std::string::npos);
    std::string escaped;
    for (int i = 0; i < FIND_TEXT_SIZE; ++i) escaped += "[[]";
    EXPECT_NE(got.second.find("CNote like '*" + escaped + "*'"), std::string::npos);
}
