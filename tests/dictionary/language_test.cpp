// Language choice and single-character conversions, checked against the system's own
// LCMapStringA under each supported locale.
#include "lexor_api.h"
#include <gtest/gtest.h>
#include <cctype>
#include <string>

namespace {

const std::string kFixtures = LEXOR_FIXTURES;

struct Locale {
    int language;
    LCID lcid;
    unsigned short fullWidthA;  // the double-byte 'A' of the locale's code page, lead byte low
};

const Locale kLocales[] = {
    {0, 1028, 0xCFA2},  // Big5 A2 CF
    {1, 2052, 0xC1A3},  // GBK A3 C1
    {2, 1041, 0x6082},  // Shift-JIS 82 60
};

// What LCMapStringA itself makes of one byte (or two), as the conversions promise.
int SystemMap(LCID lcid, DWORD flags, const unsigned char* src, int length, unsigned char* out, int room) {
    return LCMapStringA(lcid, flags, reinterpret_cast<LPCSTR>(src), length, reinterpret_cast<LPSTR>(out), room);
}

TEST(LanguageTest, FreshLibraryHasNoLanguageUntilOneIsSet) {
    LexorApi api;
    ASSERT_TRUE(api.dll.loaded());
    unsigned short ch = 'A';
    EXPECT_EQ(api.ConvertToFullWidth(nullptr, &ch), 0);
    EXPECT_EQ(ch, 'A');
    ch = 0x6082;
    EXPECT_EQ(api.ConvertToHalfWidth(nullptr, &ch), 0);
    ch = 'A';
    EXPECT_EQ(api.ConvertToLowerCase(nullptr, &ch), 0);

    EXPECT_EQ(api.SetLanguage(nullptr, 5), 0);  // no locale to keep yet
    EXPECT_EQ(api.SetLanguage(nullptr, -1), 0);
    EXPECT_EQ(api.SetLanguage(nullptr, 2), 1);
    EXPECT_EQ(api.SetLanguage(nullptr, 5), 1);  // keeps 1041
    ch = 'A';
    EXPECT_EQ(api.ConvertToFullWidth(nullptr, &ch), 2);
    EXPECT_EQ(ch, 0x6082);

    // A block without a word list has no language of its own and borrows none.
    DefLoadQktrBinParam* block = api.NEW_DefLoadQktrBinParam();
    EXPECT_EQ(api.SetLanguage(block, 2), 0);
    ch = 'A';
    EXPECT_EQ(api.ConvertToFullWidth(block, &ch), 0);
    ch = 0x6082;
    EXPECT_EQ(api.ConvertToHalfWidth(block, &ch), 0);
    api.DELETE_DefLoadQktrBinParam(block);
}

TEST(LanguageTest, EarlyAnswersDoNotNeedALanguage) {
    LexorApi api;
    struct Case {
        int (*convert)(DefLoadQktrBinParam*, unsigned short*);
        unsigned short in;
        int result;
    } cases[] = {
        {api.ConvertToFullWidth, 0, 0},    {api.ConvertToFullWidth, 0x100, 2}, {api.ConvertToFullWidth, 0x6082, 2},
        {api.ConvertToHalfWidth, 0x41, 1}, {api.ConvertToHalfWidth, 0, 1},     {api.ConvertToHalfWidth, 0xFE, 1},
        {api.ConvertToHalfWidth, 0xFF, 0},  // 0xFF counts as double-byte: needs a language
    };
    for (const Case& c : cases) {
        unsigned short ch = c.in;
        EXPECT_EQ(c.convert(nullptr, &ch), c.result) << std::hex << c.in;
        EXPECT_EQ(ch, c.in);
    }
    EXPECT_EQ(api.ConvertToFullWidth(nullptr, nullptr), 0);
}

TEST(LanguageTest, ConversionsFollowTheSystemUnderEachLocale) {
    LexorApi api;
    for (const Locale& locale : kLocales) {
        SCOPED_TRACE(locale.lcid);
        ASSERT_EQ(api.SetLanguage(nullptr, locale.language), 1);
        unsigned short ch = 'A';
        EXPECT_EQ(api.ConvertToFullWidth(nullptr, &ch), 2);
        EXPECT_EQ(ch, locale.fullWidthA);

        for (unsigned c = 0x21; c <= 0x7E; ++c) {
            SCOPED_TRACE(c);
            const unsigned char src = static_cast<unsigned char>(c);
            unsigned char expected[2] = {0, 0};
            const int count = SystemMap(locale.lcid, LCMAP_FULLWIDTH, &src, 1, expected, 2);
            unsigned short full = static_cast<unsigned short>(c);
            ASSERT_EQ(api.ConvertToFullWidth(nullptr, &full), count);
            if (std::isalnum(static_cast<int>(c))) {
                ASSERT_EQ(count, 2);
            }
            ASSERT_EQ(full, count == 2 ? expected[0] | (expected[1] << 8) : c);
            if (count != 2) continue;

            // Back to half width as the system maps it; letters and digits come back whole
            // (some punctuation has no way back in every code page).
            unsigned char halfExpected[1] = {0};
            const int halfCount = SystemMap(locale.lcid, LCMAP_HALFWIDTH, expected, 2, halfExpected, 1);
            unsigned short half = full;
            ASSERT_EQ(api.ConvertToHalfWidth(nullptr, &half), halfCount);
            ASSERT_EQ(half, halfCount == 1 ? halfExpected[0] : full);
            if (std::isalnum(static_cast<int>(c))) {
                ASSERT_EQ(half, c);
            }

            // Lower case maps one byte into room for two and keeps a one-byte result out.
            unsigned char lower[2] = {0, 0};
            unsigned short same = static_cast<unsigned short>(c);
            ASSERT_EQ(api.ConvertToLowerCase(nullptr, &same),
                      SystemMap(locale.lcid, LCMAP_LOWERCASE, &src, 1, lower, 2));
            ASSERT_EQ(same, c);
        }
    }
}

TEST(LanguageTest, EnglishMapsWithTheWesternCodePage) {
    LexorApi api;
    ASSERT_EQ(api.SetLanguage(nullptr, 3), 1);
    for (unsigned c : {0x41u, 0x7Au, 0x31u, 0xE9u}) {
        SCOPED_TRACE(c);
        const unsigned char src = static_cast<unsigned char>(c);
        unsigned char expected[2] = {0, 0};
        const int count = SystemMap(1033, LCMAP_FULLWIDTH, &src, 1, expected, 2);
        unsigned short ch = static_cast<unsigned short>(c);
        EXPECT_EQ(api.ConvertToFullWidth(nullptr, &ch), count);
        EXPECT_EQ(ch, count == 2 ? (expected[0] | (expected[1] << 8)) : c);
        EXPECT_EQ(api.ConvertToLowerCase(nullptr, &ch), 1);
    }
    // A double-byte value has no single-byte Western form to go to in 1252.
    unsigned short wide = 0xC1A3;
    const unsigned char src[2] = {0xA3, 0xC1};
    unsigned char out[1] = {0};
    EXPECT_EQ(api.ConvertToHalfWidth(nullptr, &wide), SystemMap(1033, LCMAP_HALFWIDTH, src, 2, out, 1));
}

TEST(LanguageTest, EachWordListKeepsItsOwnLanguage) {
    LexorApi api;
    DefLoadQktrBinParam* english = api.NEW_DefLoadQktrBinParam();
    DefLoadQktrBinParam* japanese = api.NEW_DefLoadQktrBinParam();
    std::snprintf(english->path, sizeof english->path, "%s/english.qktr", kFixtures.c_str());
    std::snprintf(japanese->path, sizeof japanese->path, "%s/japanese.qktr", kFixtures.c_str());
    ASSERT_EQ(api.LoadQktrBin(english, 0), 1);
    ASSERT_EQ(api.LoadQktrBin(japanese, 0), 1);

    unsigned short ch = 'A';
    EXPECT_EQ(api.ConvertToFullWidth(japanese, &ch), 2);
    EXPECT_EQ(ch, 0x6082);
    ch = 'A';
    EXPECT_EQ(api.ConvertToFullWidth(nullptr, &ch), 0);  // the default stays unset

    // Switching the Japanese list to Simplified Chinese changes how its queries are mapped:
    // the full-width entries no longer match.
    EXPECT_EQ(api.FindQktrBin(japanese, "ABC"), 1);
    EXPECT_EQ(api.SetLanguage(japanese, 1), 1);
    ch = 'A';
    EXPECT_EQ(api.ConvertToFullWidth(japanese, &ch), 2);
    EXPECT_EQ(ch, 0xC1A3);
    EXPECT_EQ(api.FindQktrBin(japanese, "ABC"), 0);
    EXPECT_EQ(api.FindQktrBin(english, "apple"), 1);

    api.FreeQktrBin(english);
    api.FreeQktrBin(japanese);
    api.DELETE_DefLoadQktrBinParam(english);
    api.DELETE_DefLoadQktrBinParam(japanese);
}

}  // namespace
