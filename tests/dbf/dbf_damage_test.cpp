// Damaged and cut-off files: the open fails cleanly or what is present is read, and no read
// goes past the end of either file.
#include "dbf_test_support.h"

#include <functional>

namespace {

// A table of three records "r0".."r2" with a memo each, as bytes of both files.
struct Sample {
    std::string table, memo;
};

Sample MakeSample(const std::string& dir) {
    std::string error;
    EXPECT_TRUE(CDbfFile::Create(dir + "s.dbf", {{"NAME", 'C', 4, 0}, {"NOTE", 'M', 10, 0}}, &error)) << error;
    CDbfFile table;
    EXPECT_TRUE(table.Open(dir + "s.dbf", true, &error)) << error;
    for (int i = 0; i < 3; ++i) {
        const std::string name = "r" + std::to_string(i);
        EXPECT_TRUE(table.AppendRecord({name, std::string(600, static_cast<char>('a' + i))}, nullptr, &error));
    }
    table.Close();
    return {ReadWholeFile(dir + "s.dbf"), ReadWholeFile(dir + "s.dbt")};
}

constexpr size_t kHeader = 32 + 2 * 32 + 1;  // 97
constexpr size_t kRecord = 15;

void SetLe16(std::string* b, size_t at, unsigned v) {
    (*b)[at] = static_cast<char>(v & 0xFF);
    (*b)[at + 1] = static_cast<char>(v >> 8);
}

TEST(DbfDamage, BrokenHeadersFailTheOpen) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    const Sample good = MakeSample(dir);
    const struct {
        const char* what;
        std::function<void(std::string*)> damage;
    } cases[] = {
        {"empty file", [](std::string* b) { b->clear(); }},
        {"cut inside the head", [](std::string* b) { b->resize(20); }},
        {"cut inside the descriptors", [](std::string* b) { b->resize(60); }},
        {"other version byte", [](std::string* b) { (*b)[0] = 0x30; }},
        {"header length past the end", [](std::string* b) { SetLe16(b, 8, 60000); }},
        {"header length too small", [](std::string* b) { SetLe16(b, 8, 40); }},
        {"header length cuts a descriptor", [](std::string* b) { SetLe16(b, 8, 80); }},
        {"record length too long", [](std::string* b) { SetLe16(b, 10, kRecord + 1); }},
        {"record length zero", [](std::string* b) { SetLe16(b, 10, 0); }},
        {"no end of the field list", [](std::string* b) { (*b)[kHeader - 1] = ' '; }},
        {"unknown field type", [](std::string* b) { (*b)[32 + 11] = 'X'; }},
        {"field of length 0", [](std::string* b) { (*b)[32 + 16] = 0; }},
        {"field without a name", [](std::string* b) { (*b)[32] = 0; }},
        {"memo field of 4 bytes", [](std::string* b) { (*b)[64 + 16] = 4; }},
    };
    for (const auto& c : cases) {
        std::string bytes = good.table;
        c.damage(&bytes);
        WriteWholeFile(dir + "s.dbf", bytes);
        CDbfFile table;
        std::string error;
        EXPECT_FALSE(table.Open(dir + "s.dbf", false, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_FALSE(table.IsOpen()) << c.what;
        EXPECT_TRUE(table.Fields().empty()) << c.what;
    }
    WriteWholeFile(dir + "s.dbf", good.table);
    DeleteFileA((dir + "s.dbt").c_str());
    CDbfFile table;
    EXPECT_FALSE(table.Open(dir + "s.dbf", false, nullptr)) << "missing memo file";
    EXPECT_FALSE(table.Open(dir + "none.dbf", false, nullptr)) << "missing table";
}

TEST(DbfDamage, CountsBeyondTheDataShrinkToWhatIsThere) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    const Sample good = MakeSample(dir);
    const struct {
        const char* what;
        size_t keep;
        unsigned count;
        uint32_t expected;
    } cases[] = {
        {"count far beyond the file", good.table.size(), 1000000, 3},
        {"last record cut in half", kHeader + 2 * kRecord + 7, 3, 2},
        {"end marker missing", kHeader + 3 * kRecord, 3, 3},
        {"no records at all", kHeader, 3, 0},
        {"count below the data", good.table.size(), 1, 1},
    };
    for (const auto& c : cases) {
        std::string bytes = good.table.substr(0, c.keep);
        for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((c.count >> (8 * i)) & 0xFF);
        WriteWholeFile(dir + "s.dbf", bytes);
        CDbfFile table;
        std::string error;
        ASSERT_TRUE(table.Open(dir + "s.dbf", false, &error)) << c.what << ": " << error;
        EXPECT_EQ(table.RecordCount(), c.expected) << c.what;
        Values values;
        for (uint32_t r = 0; r < c.expected; ++r) {
            ASSERT_TRUE(table.ReadRecord(r, &values)) << c.what;
            EXPECT_EQ(values[0], "r" + std::to_string(r)) << c.what;
        }
        EXPECT_FALSE(table.ReadRecord(c.expected, &values)) << c.what;
    }
    // Appending to a table cut mid-record continues after the last whole record.
    WriteWholeFile(dir + "s.dbf", good.table.substr(0, kHeader + 2 * kRecord + 7));
    CDbfFile table;
    std::string error;
    ASSERT_TRUE(table.Open(dir + "s.dbf", true, &error)) << error;
    uint32_t recno = 0;
    ASSERT_TRUE(table.AppendRecord({std::string("new"), std::nullopt}, &recno, &error)) << error;
    EXPECT_EQ(recno, 2u);
    Values values;
    ASSERT_TRUE(table.ReadRecord(2, &values));
    EXPECT_EQ(values[0], std::string("new"));
    EXPECT_EQ(Le32(ReadWholeFile(dir + "s.dbf"), 4), 3u);
}

TEST(DbfDamage, BadMemoReferencesFailOnlyTheirRecord) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    const Sample good = MakeSample(dir);
    const size_t noteOfRecord1 = kHeader + kRecord + 5;
    const struct {
        const char* what;
        const char* reference;
    } cases[] = {
        {"block past the memo file", "      9999"},
        {"block far past the memo file", "4294967295"},
        {"block number overflowing 32 bits", "9999999999"},
        {"letters", "     12ab "},
    };
    for (const auto& c : cases) {
        std::string bytes = good.table;
        bytes.replace(noteOfRecord1, 10, c.reference);
        WriteWholeFile(dir + "s.dbf", bytes);
        CDbfFile table;
        ASSERT_TRUE(table.Open(dir + "s.dbf", false, nullptr)) << c.what;
        Values values;
        EXPECT_FALSE(table.ReadRecord(1, &values)) << c.what;
        EXPECT_TRUE(table.ReadRecord(0, &values)) << c.what;
        EXPECT_TRUE(table.ReadRecord(2, &values)) << c.what;
    }
    // A memo file cut inside the last memo gives the bytes that are there.
    WriteWholeFile(dir + "s.dbf", good.table);
    WriteWholeFile(dir + "s.dbt", good.memo.substr(0, 512 * 5 + 100));
    CDbfFile table;
    ASSERT_TRUE(table.Open(dir + "s.dbf", true, nullptr));
    Values values;
    ASSERT_TRUE(table.ReadRecord(2, &values));
    EXPECT_EQ(values[1], std::string(100, 'c'));
    // A stale free-block number in the memo header never lets a new memo overwrite old ones.
    std::string memo = ReadWholeFile(dir + "s.dbt");
    memo[0] = 1;
    memo[1] = memo[2] = memo[3] = 0;
    WriteWholeFile(dir + "s.dbt", memo);
    ASSERT_TRUE(table.Open(dir + "s.dbf", true, nullptr));
    ASSERT_TRUE(table.AppendRecord({std::string("r3"), std::string("dddd")}, nullptr, nullptr));
    ASSERT_TRUE(table.ReadRecord(0, &values));
    EXPECT_EQ(values[1], std::string(600, 'a'));
    ASSERT_TRUE(table.ReadRecord(3, &values));
    EXPECT_EQ(values[1], std::string("dddd"));
}

}  // namespace
