#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "link_settings.h"
#include "temp_settings_file.h"

using namespace ferrow;

namespace {

struct MapCase {
    const char* text;
    int positions[28];
};

// Values by FieldMap position; every slot that no position names must stay 0.
const MapCase kMapCases[] = {
    {"1,2,3", {1, 2, 3}},
    {"5 ,, 7", {5, 0, 0, 7}},
    {"1,,2", {1, 0, 2}},
    {"", {}},
    {"  -4,abc,12x,\t9", {-4, 0, 12, 9}},
    {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30",
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}},
    {"3\xA0"
     "4",
     {3, 4}},  // bytes from 0x80 up separate numbers
};

}  // namespace

TEST(FieldMapParser, FillsTheSlotsOfEachPosition) {
    for (const MapCase& c : kMapCases) {
        FieldMap map;
        memset(&map, 0, sizeof(map));
        ParseFieldMap(c.text, &map);
        int expected[SlotCount] = {};
        for (int k = 0; k < 28; ++k) expected[FieldMapSlotTable[k]] = c.positions[k];
        for (int s = 0; s < SlotCount; ++s) EXPECT_EQ(map.id[s], expected[s]) << "text \"" << c.text << "\" slot " << s;
    }
}

TEST(FieldMapParser, PositionsLandOnTheirCardFields) {
    FieldMap map{};
    ParseFieldMap("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28", &map);
    EXPECT_EQ(map.id[0], 1);    // Name
    EXPECT_EQ(map.id[6], 2);    // Nickname
    EXPECT_EQ(map.id[48], 7);   // Office Tel.
    EXPECT_EQ(map.id[50], 8);   // Mobile Tel.
    EXPECT_EQ(map.id[49], 9);   // Other Tel.
    EXPECT_EQ(map.id[71], 26);  // Date
    EXPECT_EQ(map.id[68], 28);  // Category 2
}

class LinkSettingsFile : public ::testing::Test {
protected:
    void Write(const char* section, const char* key, const char* value) { path_.Write(section, key, value); }
    TempSettingsFile path_{"ferrow_settings_test.ini"};
};

TEST_F(LinkSettingsFile, ReadsTheLinkSectionAndThePreferences) {
    Write("PALM", "DBFileName", "C:\\work\\zemsync.mdb");
    Write("PALM", "FieldMap", "4,0,9");
    Write("Preference", "PalmUser", "7");
    Write("Preference", "PalmMode", "2");
    Write("OUTLOOK", "FieldMap", "11");
    LinkSettings s;
    ReadLinkSettings(path_.c_str(), 0, &s);
    EXPECT_STREQ(s.dbFileName, "C:\\work\\zemsync.mdb");  // "Palm" and "PALM" are one section
    EXPECT_EQ(s.map.id[0], 4);
    EXPECT_EQ(s.map.id[12], 9);
    EXPECT_EQ(s.palmUser, 7);
    EXPECT_EQ(s.palmMode, 2);

    ReadLinkSettings(path_.c_str(), 2, &s);  // mobile phone: only the preferences
    EXPECT_STREQ(s.dbFileName, "");
    EXPECT_EQ(s.map.id[0], 0);
    EXPECT_EQ(s.palmUser, 7);
}

TEST_F(LinkSettingsFile, MissingFileGivesDefaults) {
    LinkSettings s;
    memset(&s, 0x33, sizeof(s));
    ReadLinkSettings(path_.c_str(), 3, &s);
    EXPECT_STREQ(s.dbFileName, "");
    for (int16_t id : s.map.id) EXPECT_EQ(id, 0);
    EXPECT_EQ(s.palmMode, 0);
}

TEST_F(LinkSettingsFile, SavingTheFileNameClearsTheMap) {
    FieldMap map{};
    map.id[5] = 3;
    SaveLinkDBFileName(path_.c_str(), "D:\\act\\contacts.dbf", &map, 5);
    EXPECT_EQ(map.id[5], 0);
    char read[256];
    GetPrivateProfileStringA("ACT2000", "DBFileName", "", read, sizeof(read), path_.c_str());
    EXPECT_STREQ(read, "D:\\act\\contacts.dbf");

    SaveLinkDBFileName(path_.c_str(), "E:\\x.dat", &map, 1);  // Windows CE stores nothing
    GetPrivateProfileStringA("WINCE", "DBFileName", "", read, sizeof(read), path_.c_str());
    EXPECT_STREQ(read, "");
}
