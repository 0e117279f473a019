// The label template's item store through its property ids as the editor and the renderer
// use them: every listed id reads and writes its own field, the navigation ids walk the live
// 'A' items, and an id the store does not know (or cannot write) is refused.
#include "print_fixture.h"
#include <string.h>

using namespace printtest;

namespace {

// Property ids as the store numbers them.
enum {
    kPreviousA = 1,
    kNextA = 2,
    kHandle = 4,
    kFont = 5,
    kValue = 7,
    kType = 8,
    kValueA = 11,
    kValueB = 12,
    kCode = 13,
    kBold = 14,
    kItalic = 15,
    kUnderline = 16,
    kStrikeOut = 17,
    kFlags = 18,
    kWord = 19,
    kBody = 20,
    kThisOrNextA = 21,
    kThisOrPreviousA = 22,
    kExtra = 23
};

class LayoutStore : public ::testing::Test {
protected:
    // Items 0 'A', 1 'X', 2 'A' (deleted), 3 'X', 4 'A'.
    void SetUp() override {
        FreeLayoutStore(&App.Print.Template);
        InitLayoutStore(&App.Print.Template);
        const char types[] = {'A', 'X', 'A', 'X', 'A'};
        for (char type : types) {
            LAYOUTITEMBODY body;
            memset(&body, 0, sizeof body);
            body.Type = (uint8_t)type;
            body.Font.lfWeight = FW_NORMAL;
            AppendLayoutItem(&App.Print.Template, &body);
        }
        uint8_t deleted = 1;
        SetLayoutItemProperty(2, kFlags, &deleted);
        App.Print.LayoutModified = 0;
    }
    void TearDown() override { FreeLayoutStore(&App.Print.Template); }
    static LAYOUTITEMBODY Body(int index) {
        LAYOUTITEMBODY body;
        memset(&body, 0xCC, sizeof body);
        EXPECT_EQ(1, GetLayoutItemProperty(index, kBody, &body));
        return body;
    }
    static int Navigate(int index, int property) {
        uint16_t found = 0x1234;
        EXPECT_EQ(1, GetLayoutItemProperty(index, property, &found)) << property;
        return found;
    }
};

}  // namespace

TEST_F(LayoutStore, EveryWritablePropertyLandsInItsOwnFieldAndReadsBack) {
    struct Case {
        int Id;
        uint32_t Written;  // handed over in the id's own width
        int WrittenSize;   // bytes
        uint32_t Read;     // read back as the store widens it
        int ReadSize;
        uint32_t (*Field)(const LAYOUTITEMBODY&);
    } cases[] = {
        {kHandle, 0x11223344, 4, 0x11223344, 4, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Handle; }},
        {kValue, 0x55667788, 4, 0x55667788, 4, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Value; }},
        {kType, 'M', 1, 'M', 1, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Type; }},
        {kValueA, 0xA1A2A3A4, 4, 0xA1A2A3A4, 4, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.ValueA; }},
        {kValueB, 0xB1B2B3B4, 4, 0xB1B2B3B4, 4, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.ValueB; }},
        {kCode, 0xC7, 1, 0xC7, 4, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Code; }},
        {kItalic, 1, 1, 1, 1, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Font.lfItalic; }},
        {kUnderline, 1, 1, 1, 1, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Font.lfUnderline; }},
        {kStrikeOut, 1, 1, 1, 1, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Font.lfStrikeOut; }},
        {kWord, 0xBEEF, 2, 0xBEEF, 4, [](const LAYOUTITEMBODY& b) { return (uint32_t)b.Word; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Id);
        App.Print.LayoutModified = 0;
        uint32_t neighbour = c.Field(Body(1));
        uint32_t written = c.Written;
        ASSERT_EQ(1, SetLayoutItemProperty(3, c.Id, &written));
        EXPECT_EQ(1, App.Print.LayoutModified);
        EXPECT_EQ(c.Written, c.Field(Body(3)));
        uint32_t read = 0;
        ASSERT_EQ(1, GetLayoutItemProperty(3, c.Id, &read));
        EXPECT_EQ(c.Read, c.ReadSize == 4 ? read : c.ReadSize == 2 ? (read & 0xFFFF) : (read & 0xFF));
        EXPECT_EQ(neighbour, c.Field(Body(1))) << "no other item changes";
    }
}

TEST_F(LayoutStore, BoldIsAnyWeightButNormalAndSetsSevenHundred) {
    uint32_t bold = 1, read = 9;
    ASSERT_EQ(1, SetLayoutItemProperty(0, kBold, &bold));
    EXPECT_EQ(700, Body(0).Font.lfWeight);
    LOGFONTA font = Body(0).Font;
    font.lfWeight = 600;
    SetLayoutItemProperty(0, kFont, &font);
    ASSERT_EQ(1, GetLayoutItemProperty(0, kBold, &read));
    EXPECT_EQ(1u, read);
    bold = 0;
    SetLayoutItemProperty(0, kBold, &bold);
    EXPECT_EQ(400, Body(0).Font.lfWeight);
    GetLayoutItemProperty(0, kBold, &read);
    EXPECT_EQ(0u, read);
}

TEST_F(LayoutStore, TheExtraBlockIsReadFromTheBody) {
    LAYOUTITEMBODY body = Body(1);
    for (int i = 0; i < 16; ++i) body.Extra[i] = (uint8_t)(i * 3 + 1);
    ASSERT_EQ(1, SetLayoutItemProperty(1, kBody, &body));
    uint8_t extra[16] = {};
    ASSERT_EQ(1, GetLayoutItemProperty(1, kExtra, extra));
    EXPECT_EQ(0, memcmp(body.Extra, extra, sizeof extra));
}

TEST_F(LayoutStore, NavigationWalksTheLiveAItemsOnly) {
    struct Case {
        int Index, Property, Expected;
    } cases[] = {
        {4, kPreviousA, 0},  // skips the deleted 'A' at 2 and the 'X' at 3
        {0, kPreviousA, LAYOUT_NONE}, {0, kNextA, 4},           {4, kNextA, LAYOUT_NONE},
        {0, kThisOrNextA, 0},         {1, kThisOrNextA, 4},     {2, kThisOrNextA, 4},  // a deleted 'A' is not itself
        {3, kThisOrPreviousA, 0},     {4, kThisOrPreviousA, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, Navigate(c.Index, c.Property)) << "item " << c.Index << " property " << c.Property;
    // With no 'A' left there is nowhere to go.
    uint8_t type = 'X';
    for (int i : {0, 4}) SetLayoutItemProperty(i, kType, &type);
    EXPECT_EQ(LAYOUT_NONE, Navigate(3, kThisOrNextA));
    EXPECT_EQ(LAYOUT_NONE, Navigate(3, kThisOrPreviousA));
}

TEST_F(LayoutStore, UnknownOrReadOnlyIdsAndIndexesPastTheCountAreRefused) {
    LAYOUTITEMBODY before = Body(0);
    uint8_t buffer[sizeof(LAYOUTITEMBODY)];
    memset(buffer, 0x5A, sizeof buffer);
    for (int id : {0, 25, 99, -1}) {
        EXPECT_EQ(0, GetLayoutItemProperty(0, id, buffer)) << id;
        EXPECT_EQ(0, SetLayoutItemProperty(0, id, buffer)) << id;
    }
    for (int id : {kPreviousA, kNextA, kThisOrNextA, kThisOrPreviousA, kExtra})
        EXPECT_EQ(0, SetLayoutItemProperty(0, id, buffer)) << id << " can only be read";
    EXPECT_EQ(0, App.Print.LayoutModified) << "a refused set changes nothing";
    LAYOUTITEMBODY after = Body(0);
    EXPECT_EQ(0, memcmp(&before, &after, sizeof before));
    uint32_t value = 1;
    EXPECT_EQ(0, GetLayoutItemProperty(5, kValue, &value));
    EXPECT_EQ(0, SetLayoutItemProperty(5, kValue, &value));
}
