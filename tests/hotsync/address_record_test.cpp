// The handheld address record: packing and unpacking byte by byte, the text routines, the
// field map file and the card <-> record mapping.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "card_builders.h"
#include "palm_field_map.h"
#include "scratch_folder.h"

namespace {

// The handheld keeps its words most significant byte first.
uint32_t Swap(uint32_t v) { return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24); }
const HandheldByteOrder kOrder = {Swap, Swap};

std::vector<uint8_t> Pack(const HHAddressRecord& record) {
    std::vector<uint8_t> buffer(PACKED_RECORD_CAPACITY, 0);
    int size = PackAddressRecord(record, reinterpret_cast<char*>(buffer.data()), PACKED_RECORD_CAPACITY, kOrder);
    buffer.resize(size);
    return buffer;
}

HHAddressRecord Unpack(const std::vector<uint8_t>& packed) {
    HHAddressRecord record = {};
    UnpackAddressRecord(reinterpret_cast<const char*>(packed.data()), static_cast<int>(packed.size()), &record, kOrder);
    return record;
}

std::vector<uint8_t> Bytes(std::initializer_list<int> head, const std::string& strings) {
    std::vector<uint8_t> bytes;
    for (int b : head) bytes.push_back(static_cast<uint8_t>(b));
    bytes.insert(bytes.end(), strings.begin(), strings.end());
    return bytes;
}

TEST(PackedAddressRecord, ACompanyAloneTakesFlagTwoAndOffsetOne) {
    ferrow::FieldMap map = {};
    map.id[ferrow::SlotCompany] = 3;
    CardRecV4 card = {};
    SetText(card.Company[0], "Acme");
    SetText(card.Title[0], "Boss");  // not mapped
    HHAddressRecord record;
    CardRecToPalmRec(&record, card, map);
    EXPECT_EQ(Pack(record), Bytes({0, 0, 0, 0, 0, 0, 0, 4, 1}, std::string("Acme", 5)));
}

TEST(PackedAddressRecord, FieldsTravelInFlagOrderAndComeBack) {
    HHAddressRecord record = {};
    SetText(record.Name, "Lee");
    SetText(record.Company, "Acme");
    SetText(record.Phone[0], "555");
    record.PhoneLabel[0] = 7;
    record.PhoneLabel[1] = 2;
    SetText(record.Custom[0], "VIP");
    SetText(record.Note, "line one\r\nline two");
    std::vector<uint8_t> packed = Pack(record);
    // Options: label 7 for phone 1, 2 for phone 2; flags: Name, Company, Phone 1, Custom 1, Note.
    std::string strings = std::string("Lee\0Acme\0"
                                      "555\0VIP\0line one\nline two\0",
                                      35);
    EXPECT_EQ(packed, Bytes({0, 0, 0, 0x27, 0, 0x04, 0x40, 0x0D, 5}, strings));
    HHAddressRecord back = Unpack(packed);
    EXPECT_EQ(memcmp(&back, &record, sizeof(record)), 0);
}

TEST(PackedAddressRecord, UnpackingStaysInsideTheRecord) {
    struct Case {
        const char* name;
        std::vector<uint8_t> packed;
        std::string last, first;
    } cases[] = {
        {"header cut short", Bytes({0, 0, 0, 0, 0, 0}, ""), "", ""},
        {"flags name more strings than the bytes hold", Bytes({0, 0, 0, 0, 0, 0, 0, 3, 0}, std::string("Ann\0", 4)),
         "Ann", ""},
        {"last string without terminator", Bytes({0, 0, 0, 0, 0, 0, 0, 3, 0}, "Ann"), "Ann", ""},
        {"text longer than its field", Bytes({0, 0, 0, 0, 0, 0, 0, 1, 0}, std::string(80, 'x') + '\0'),
         std::string(50, 'x'), ""},
    };
    for (const Case& c : cases) {
        HHAddressRecord record = Unpack(c.packed);
        EXPECT_EQ(std::string(record.Name), c.last) << c.name;
        EXPECT_EQ(std::string(record.FirstName), c.first) << c.name;
    }
}

TEST(PackedAddressRecord, ALongNoteIsCutAndLineEndsComeBack) {
    std::string note = std::string(150, 'a') + "\n" + std::string(150, 'b');
    HHAddressRecord record = Unpack(Bytes({0, 0, 0, 0, 0, 4, 0, 0, 0}, note + '\0'));
    std::string expected = std::string(150, 'a') + "\r\n" + std::string(103, 'b');
    EXPECT_EQ(std::string(record.Note), expected);
}

TEST(TextRoutines, CarriageReturnsAndLineFeeds) {
    struct Case {
        const char* text;
        int length;
        std::string stripped;
        int strippedBytes;
        std::string expanded;
    } cases[] = {
        {"abc", 3, "abc", 4, "abc"},  {"a\r\nb", 4, "a\nb", 4, "a\r\r\nb"}, {"ab\r", 3, "ab", 3, "ab\r"},
        {"\r\r", 2, "\r", 2, "\r\r"}, {"abcdef", 3, "abc", 4, "abc"},       {"a\nb", 3, "a\nb", 4, "a\r\nb"},
    };
    for (const Case& c : cases) {
        char out[32];
        memset(out, 'X', sizeof(out));
        EXPECT_EQ(StripCarriageReturns(out, c.text, c.length), c.strippedBytes) << c.text;
        EXPECT_EQ(std::string(out), c.stripped) << c.text;
        EXPECT_EQ(ExpandLineFeeds(out, c.text, c.length), static_cast<int>(c.expanded.size())) << c.text;
        EXPECT_EQ(std::string(out), c.expanded) << c.text;
    }
}

TEST(PalmFieldMap, ReadsTheSettingsBesideTheConduitAndKeepsTheOldMapWithoutThem) {
    ScratchFolder folder("zemsync_map");
    std::string dir = folder.path() + "\\";
    PalmFieldMaps maps = {};
    maps.Map.id[ferrow::SlotNotes] = 22;  // not a FieldMap position: stays
    WritePrivateProfileStringA("PALM", "FieldMap", "1, 2 ,3", folder.File("Zem40.ini").c_str());
    ReadPalmFieldMap(dir.c_str(), &maps);
    EXPECT_EQ(std::vector<int16_t>(maps.Raw, maps.Raw + 5), (std::vector<int16_t>{1, 2, 0, 3, 0}));
    EXPECT_EQ(maps.Map.id[ferrow::SlotName], 1);
    EXPECT_EQ(maps.Map.id[ferrow::SlotName2], 2);
    EXPECT_EQ(maps.Map.id[ferrow::SlotTitle], 0);
    EXPECT_EQ(maps.Map.id[ferrow::SlotTitle + 1], 3);
    EXPECT_EQ(maps.Map.id[ferrow::SlotNotes], 22);

    PalmFieldMaps before = maps;
    WritePrivateProfileStringA("PALM", "FieldMap", nullptr, folder.File("Zem40.ini").c_str());
    ReadPalmFieldMap(dir.c_str(), &maps);
    EXPECT_EQ(memcmp(&maps, &before, sizeof(maps)), 0);
    ReadPalmFieldMap((dir + "missing\\").c_str(), &maps);
    EXPECT_EQ(memcmp(&maps, &before, sizeof(maps)), 0);
}

TEST(CardToHandheld, SixPhonesFillFiveEntriesInSlotOrder) {
    ferrow::FieldMap map = {};
    const int slots[] = {48, 49, 50, 51, 52, 53};
    const int ids[] = {10, 11, 17, 13, 15, 16};
    for (int i = 0; i < 6; ++i) map.id[slots[i]] = static_cast<int16_t>(ids[i]);
    CardRecV4 card = {};
    SetPhone(card.Phone[0], "111", 1);
    SetPhone(card.Phone[1], "222", 2);
    SetPhone(card.Phone[2], "333", 5);
    SetPhone(card.Phone[3], "444", 3);
    SetPhone(card.Phone[4], "555", 4);
    SetPhone(card.Phone[5], "666", 9);
    HHAddressRecord record;
    CardRecToPalmRec(&record, card, map);
    const char* numbers[] = {"111", "222", "333", "444", "555"};
    const int16_t labels[] = {0, 1, 7, 3, 5};
    for (int p = 0; p < 5; ++p) {
        EXPECT_STREQ(record.Phone[p], numbers[p]) << p;
        EXPECT_EQ(record.PhoneLabel[p], labels[p]) << p;
    }
    std::vector<uint8_t> packed = Pack(record);
    EXPECT_EQ(std::vector<uint8_t>(packed.begin(), packed.begin() + 4), (std::vector<uint8_t>{0, 0x05, 0x37, 0x10}));
}

TEST(CardToHandheld, TextsAreCutToTheHandheldFields) {
    ferrow::FieldMap map = {};
    map.id[ferrow::SlotCompany] = 3;
    map.id[ferrow::SlotName] = 1;
    CardRecV4 card = {};
    SetText(card.Company[0], std::string(80, 'c'));
    SetText(card.CNAME.FullName, "Ann Lee");
    HHAddressRecord record;
    CardRecToPalmRec(&record, card, map);
    EXPECT_EQ(std::string(record.Company), std::string(50, 'c'));
    EXPECT_STREQ(record.Name, "Ann Lee");
}

TEST(HandheldToCard, PhonesAreTakenByLabelInOrder) {
    ferrow::FieldMap map = {};
    map.id[ferrow::SlotPhoneOffice] = 10;
    map.id[ferrow::SlotPhoneDirect] = 10;
    map.id[ferrow::SlotName] = 1;
    map.id[ferrow::SlotNotes] = 22;
    HHAddressRecord record = {};
    SetText(record.Name, "Lee");
    SetText(record.Phone[0], "A");
    SetText(record.Phone[1], "B");
    SetText(record.Phone[2], "C");
    record.PhoneLabel[2] = 1;
    SetText(record.Note, "hello");
    CardRecV4 card;
    PalmRecToCardRec(record, &card, map);
    EXPECT_STREQ(card.CNAME.FullName.Text, "Lee");
    EXPECT_STREQ(card.Phone[0].PhoneNum.Text, "A");
    EXPECT_EQ(card.Phone[0].PhoneType, 1);
    EXPECT_STREQ(card.Phone[1].PhoneNum.Text, "B");
    EXPECT_EQ(card.Phone[1].PhoneType, 3);
    EXPECT_STREQ(card.Phone[2].PhoneNum.Text, "");
    EXPECT_STREQ(card.Note[0].Text, "hello");
}

}  // namespace
