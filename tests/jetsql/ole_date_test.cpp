#include <gtest/gtest.h>

#include <cmath>

#include "jetsql.h"

namespace {

TEST(OleDate, KnownDatesRoundTrip) {
    const struct {
        int parts[6];
        double value;
    } cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},
        {{1900, 3, 1, 0, 0, 0}, 61.0},
        {{2002, 11, 5, 9, 7, 3}, 37565.0 + (9 * 3600 + 7 * 60 + 3) / 86400.0},
        {{9999, 12, 31, 23, 59, 59}, 2958465.0 + 86399 / 86400.0},
        {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{1899, 12, 29, 0, 0, 0}, -1.0},
        {{1800, 1, 1, 12, 0, 0}, -36522.5},
        {{100, 1, 1, 0, 0, 0}, -657434.0},
        {{2000, 2, 29, 23, 59, 59}, 36585.0 + 86399 / 86400.0},
    };
    for (const auto& c : cases) {
        const double v =
            jetsql::OleDateFromParts(c.parts[0], c.parts[1], c.parts[2], c.parts[3], c.parts[4], c.parts[5]);
        EXPECT_DOUBLE_EQ(v, c.value) << c.parts[0] << "-" << c.parts[1] << "-" << c.parts[2];
        int back[6] = {};
        ASSERT_TRUE(jetsql::OleDateToParts(v, back)) << v;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(back[i], c.parts[i]) << v << " part " << i;
    }
}

TEST(OleDate, RoundsToWholeSecondsAcrossMidnight) {
    int parts[6];
    ASSERT_TRUE(jetsql::OleDateToParts(37565.5 + 0.4 / 86400, parts));
    EXPECT_EQ(parts[3] * 3600 + parts[4] * 60 + parts[5], 12 * 3600);
    ASSERT_TRUE(jetsql::OleDateToParts(37565.0 + 86399.6 / 86400, parts));
    EXPECT_EQ(parts[1] * 100 + parts[2], 1106);  // 2002-11-06 00:00:00
    EXPECT_EQ(parts[3] + parts[4] + parts[5], 0);
    ASSERT_TRUE(jetsql::OleDateToParts(-1.0 - 86399.7 / 86400, parts));  // 1899-12-29 23:59:59.7
    EXPECT_EQ(parts[0] * 10000 + parts[1] * 100 + parts[2], 18991230);
    EXPECT_EQ(parts[3] + parts[4] + parts[5], 0);
}

TEST(OleDate, RefusesWhatIsNoDate) {
    EXPECT_TRUE(std::isnan(jetsql::OleDateFromParts(2003, 2, 29, 0, 0, 0)));
    EXPECT_TRUE(std::isnan(jetsql::OleDateFromParts(2002, 13, 1, 0, 0, 0)));
    EXPECT_TRUE(std::isnan(jetsql::OleDateFromParts(2002, 4, 31, 0, 0, 0)));
    EXPECT_TRUE(std::isnan(jetsql::OleDateFromParts(2002, 1, 1, 24, 0, 0)));
    EXPECT_TRUE(std::isnan(jetsql::OleDateFromParts(10000, 1, 1, 0, 0, 0)));
    EXPECT_TRUE(std::isnan(jetsql::OleDateFromParts(99, 1, 1, 0, 0, 0)));
    int parts[6] = {7, 7, 7, 7, 7, 7};
    for (double v :
         {std::nan(""), double(INFINITY), -double(INFINITY), 2958466.0, -657435.0, 2958465.0 + 86399.9 / 86400})
        EXPECT_FALSE(jetsql::OleDateToParts(v, parts)) << v;
    for (int p : parts) EXPECT_EQ(p, 7);
}

// The wider variant keeps years 1 to 99 and otherwise gives exactly the narrow one's values.
TEST(OleDate, FromYearOneWidensOnlyTheYearRange) {
    EXPECT_DOUBLE_EQ(jetsql::OleDateFromPartsFromYearOne(1, 1, 1, 0, 0, 0), -693593.0);
    EXPECT_DOUBLE_EQ(jetsql::OleDateFromPartsFromYearOne(50, 6, 15, 8, 30, 0),
                     -675531.0 - (8 * 3600 + 30 * 60) / 86400.0);
    EXPECT_DOUBLE_EQ(jetsql::OleDateFromPartsFromYearOne(99, 12, 31, 0, 0, 0), -657435.0);
    const struct {
        int y, mo, d, h, mi, s;
    } same[] = {
        {100, 1, 1, 0, 0, 0},       {1899, 12, 29, 6, 0, 0}, {2002, 11, 5, 9, 7, 3},
        {9999, 12, 31, 23, 59, 59}, {2003, 2, 29, 0, 0, 0},  {2002, 1, 1, 24, 0, 0},
        {10000, 1, 1, 0, 0, 0},     {0, 1, 1, 0, 0, 0},      {50, 2, 30, 0, 0, 0},
    };
    for (const auto& c : same) {
        const double wide = jetsql::OleDateFromPartsFromYearOne(c.y, c.mo, c.d, c.h, c.mi, c.s);
        const double narrow = jetsql::OleDateFromParts(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(std::isnan(wide), std::isnan(narrow)) << c.y << "-" << c.mo << "-" << c.d;
        if (!std::isnan(narrow)) {
            EXPECT_DOUBLE_EQ(wide, narrow) << c.y << "-" << c.mo << "-" << c.d;
        }
    }
    EXPECT_FALSE(std::isnan(jetsql::OleDateFromPartsFromYearOne(4, 2, 29, 0, 0, 0))) << "year 4 is a leap year";
    for (int year : {0, -5, 10000})
        EXPECT_TRUE(std::isnan(jetsql::OleDateFromPartsFromYearOne(year, 1, 1, 0, 0, 0))) << year;
}

}  // namespace
