// Values in and out: every type, the refusals that protect a file, deletion and reopening.
#include "dbf_test_support.h"

namespace {

const std::vector<DbfField> kMixedFields = {{"NAME", 'C', 10, 0}, {"COUNT", 'N', 5, 0}, {"PRICE", 'N', 8, 2},
                                            {"WHEN", 'D', 8, 0},  {"OK", 'L', 1, 0},    {"NOTE", 'M', 10, 0}};

class DbfRecords : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = scratch_.path() + "\\";
        path_ = dir_ + "mixed.dbf";
        std::string error;
        ASSERT_TRUE(CDbfFile::Create(path_, kMixedFields, &error)) << error;
        ASSERT_TRUE(table_.Open(path_, true, &error)) << error;
    }

    Values Read(uint32_t recno) {
        Values values;
        EXPECT_TRUE(table_.ReadRecord(recno, &values)) << recno;
        return values;
    }

    ScratchFolder scratch_{"dbf"};
    std::string dir_, path_;
    CDbfFile table_;
};

std::optional<std::string> S(const char* s) { return std::string(s); }
const std::optional<std::string> kNull = std::nullopt;

TEST_F(DbfRecords, EveryTypeRoundTripsInItsStoredForm) {
    const struct {
        Values in;
        Values out;
    } cases[] = {
        {{S("Smith"), S("42"), S("12.5"), S("20021105"), S("T"), S("a note")},
         {S("Smith"), S("42"), S("12.50"), S("20021105"), S("T"), S("a note")}},
        {{S("  lead"), S("+007"), S("-0.00"), S("20000229"), S("n"), S("x")},
         {S("  lead"), S("7"), S("0.00"), S("20000229"), S("F"), S("x")}},
        {{S("exactly10!"), S("-9999"), S(".5"), S("99991231"), S("y"), S(std::string(5000, 'm').c_str())},
         {S("exactly10!"), S("-9999"), S("0.50"), S("99991231"), S("T"), S(std::string(5000, 'm').c_str())}},
        {{kNull, kNull, kNull, kNull, kNull, kNull}, {kNull, kNull, kNull, kNull, kNull, kNull}},
        {{S(""), S(" "), S(""), S(""), S(""), S("")}, {kNull, kNull, kNull, kNull, kNull, kNull}},
        {{S("tail  "), S("12.000"), S("1.10"), S("18000101"), S("f"), S("\x1A in the middle and \x1A\x1B")},
         {S("tail"), S("12"), S("1.10"), S("18000101"), S("F"), S("\x1A in the middle and \x1A\x1B")}},
    };
    std::string error;
    for (const auto& c : cases) {
        uint32_t recno = 0;
        ASSERT_TRUE(table_.AppendRecord(c.in, &recno, &error)) << error;
        EXPECT_EQ(Read(recno), c.out) << recno;
    }
    // Numbers stand right-justified, text left-justified, the memo reference right-justified.
    const std::string bytes = ReadWholeFile(path_);
    const size_t first = 32 + 6 * 32 + 1;
    EXPECT_EQ(bytes.substr(first, 24), " Smith        42   12.50");
    EXPECT_EQ(bytes.substr(first + 33, 10), "         1");
    // Reopened read-only, everything is still there.
    table_.Close();
    ASSERT_TRUE(table_.Open(path_, false, &error)) << error;
    ASSERT_EQ(table_.RecordCount(), 6u);
    for (uint32_t r = 0; r < 6; ++r) EXPECT_EQ(Read(r), cases[r].out) << r;
}

TEST_F(DbfRecords, RefusedValuesLeaveBothFilesUntouched) {
    std::string error;
    ASSERT_TRUE(table_.AppendRecord({S("keep"), S("1"), S("1"), S("20020101"), S("T"), S("memo")}, nullptr, &error));
    const std::string tableBefore = ReadWholeFile(path_), memoBefore = ReadWholeFile(dir_ + "mixed.dbt");
    const struct {
        Values values;
        const char* why;
    } cases[] = {
        {{S("eleven chrs"), kNull, kNull, kNull, kNull, kNull}, "C longer than its field"},
        {{kNull, S("123456"), kNull, kNull, kNull, kNull}, "N longer than its field"},
        {{kNull, kNull, S("1.234"), kNull, kNull, kNull}, "more decimals than the field"},
        {{kNull, kNull, S("123456.5"), kNull, kNull, kNull}, "N with decimals too long"},
        {{kNull, S("12a"), kNull, kNull, kNull, kNull}, "not a number"},
        {{kNull, S("1e3"), kNull, kNull, kNull, kNull}, "exponent"},
        {{kNull, S("-"), kNull, kNull, kNull, kNull}, "sign alone"},
        {{kNull, kNull, kNull, S("20020230"), kNull, kNull}, "30 February"},
        {{kNull, kNull, kNull, S("2002115"), kNull, kNull}, "short date"},
        {{kNull, kNull, kNull, S("2002-11-05"), kNull, kNull}, "date with dashes"},
        {{kNull, kNull, kNull, S("20030229"), kNull, kNull}, "29 February of a common year"},
        {{kNull, kNull, kNull, kNull, S("X"), kNull}, "logical X"},
        {{kNull, kNull, kNull, kNull, S("TRUE"), kNull}, "logical word"},
        {{kNull, kNull, kNull, kNull, kNull,
          S("ab\x1A\x1A"
            "cd")},
         "memo holding the terminator"},
        {{kNull, kNull, kNull, kNull, kNull, S("ends with \x1A")}, "memo ending with half the terminator"},
        {{S("short"), kNull, kNull, kNull, kNull}, "one value too few"},
        {{kNull, kNull, kNull, kNull, kNull, kNull, kNull}, "one value too many"},
    };
    for (const auto& c : cases) {
        error.clear();
        EXPECT_FALSE(table_.AppendRecord(c.values, nullptr, &error)) << c.why;
        EXPECT_FALSE(error.empty()) << c.why;
        EXPECT_FALSE(table_.WriteRecord(0, c.values, &error)) << c.why;
    }
    EXPECT_EQ(table_.RecordCount(), 1u);
    EXPECT_EQ(ReadWholeFile(path_), tableBefore);
    EXPECT_EQ(ReadWholeFile(dir_ + "mixed.dbt"), memoBefore);
}

TEST_F(DbfRecords, DeletionFlagIsSetKeptAndReadable) {
    std::string error;
    for (const char* name : {"one", "two", "three"})
        ASSERT_TRUE(table_.AppendRecord({S(name), kNull, kNull, kNull, kNull, kNull}, nullptr, &error)) << error;
    ASSERT_TRUE(table_.DeleteRecord(1, &error)) << error;
    EXPECT_FALSE(table_.IsDeleted(0));
    EXPECT_TRUE(table_.IsDeleted(1));
    EXPECT_FALSE(table_.IsDeleted(2));
    EXPECT_FALSE(table_.IsDeleted(3));
    EXPECT_EQ(ReadWholeFile(path_)[32 + 6 * 32 + 1 + 1 * 43], '*');
    // A deleted record still reads, and rewriting it keeps the flag.
    EXPECT_EQ(Read(1)[0], S("two"));
    ASSERT_TRUE(table_.WriteRecord(1, {S("TWO"), kNull, kNull, kNull, kNull, kNull}, &error)) << error;
    EXPECT_TRUE(table_.IsDeleted(1));
    EXPECT_EQ(Read(1)[0], S("TWO"));
    EXPECT_FALSE(table_.DeleteRecord(3, &error));
    EXPECT_FALSE(table_.WriteRecord(3, {kNull, kNull, kNull, kNull, kNull, kNull}, &error));

    table_.Close();
    ASSERT_TRUE(table_.Open(path_, false, &error)) << error;
    EXPECT_TRUE(table_.IsDeleted(1));
    EXPECT_FALSE(table_.DeleteRecord(0, &error)) << "a read-only table took a change";
    EXPECT_FALSE(table_.AppendRecord({kNull, kNull, kNull, kNull, kNull, kNull}, nullptr, &error));
    EXPECT_FALSE(table_.IsDeleted(0));
    Values values;
    EXPECT_FALSE(table_.ReadRecord(3, &values));
    table_.Close();
    EXPECT_FALSE(table_.ReadRecord(0, &values));
    EXPECT_EQ(table_.RecordCount(), 0u);
}

TEST_F(DbfRecords, MemosSpanBlocksAndOnlyChangedOnesGrowTheMemoFile) {
    std::string error;
    // 510 + 2 terminator bytes fill one block exactly; 511 need two; 65535 put the terminator
    // across the reader's 64 KiB chunks.
    const size_t sizes[] = {1, 510, 511, 65535, 100000};
    const uint32_t firstBlocks[] = {1, 2, 3, 5, 134};
    for (size_t i = 0; i < 5; ++i) {
        std::string memo(sizes[i], static_cast<char>('a' + i));
        if (memo.size() > 1) memo[0] = '\x1A';  // a lone 1A is fine
        ASSERT_TRUE(table_.AppendRecord({kNull, kNull, kNull, kNull, kNull, memo}, nullptr, &error)) << error;
        EXPECT_EQ(Read(static_cast<uint32_t>(i))[5], memo) << sizes[i];
        const std::string raw = ReadWholeFile(path_).substr(32 + 6 * 32 + 1 + i * 43 + 33, 10);
        EXPECT_EQ(std::stoul(raw), firstBlocks[i]) << sizes[i];
    }
    const std::string dbt = ReadWholeFile(dir_ + "mixed.dbt");
    EXPECT_EQ(Le32(dbt, 0), 134u + 196);
    EXPECT_EQ(dbt.size() % 512, 0u);

    // An unchanged memo keeps its blocks; a changed one goes to new blocks.
    Values row = Read(3);
    row[0] = S("renamed");
    ASSERT_TRUE(table_.WriteRecord(3, row, &error)) << error;
    EXPECT_EQ(ReadWholeFile(dir_ + "mixed.dbt").size(), dbt.size());
    row[5] = S("shorter");
    ASSERT_TRUE(table_.WriteRecord(3, row, &error)) << error;
    EXPECT_EQ(ReadWholeFile(dir_ + "mixed.dbt").size(), dbt.size() + 512);
    EXPECT_EQ(Read(3)[5], S("shorter"));
    EXPECT_EQ(Read(4)[5]->size(), 100000u);
    row[5] = kNull;
    ASSERT_TRUE(table_.WriteRecord(3, row, &error)) << error;
    EXPECT_EQ(Read(3)[5], kNull);
}

TEST(DbfCreate, RefusesInvalidDefinitionsAndExistingFiles) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    const struct {
        std::vector<DbfField> fields;
        const char* why;
    } cases[] = {
        {{}, "no fields"},
        {{{"ELEVENCHARS", 'C', 5, 0}}, "name of 11 characters"},
        {{{"", 'C', 5, 0}}, "empty name"},
        {{{"1ST", 'C', 5, 0}}, "name starting with a digit"},
        {{{"A B", 'C', 5, 0}}, "blank in a name"},
        {{{"NAME", 'C', 5, 0}, {"name", 'C', 5, 0}}, "same name in another case"},
        {{{"X", 'B', 5, 0}}, "unknown type"},
        {{{"X", 'C', 255, 0}}, "C of 255"},
        {{{"X", 'C', 0, 0}}, "C of 0"},
        {{{"X", 'N', 20, 0}}, "N of 20"},
        {{{"X", 'N', 3, 2}}, "N without room for its decimals"},
        {{{"X", 'D', 7, 0}}, "D of 7"},
        {{{"X", 'L', 2, 0}}, "L of 2"},
        {{{"X", 'M', 8, 0}}, "M of 8"},
        {{{"A", 'C', 254, 0},
          {"B", 'C', 254, 0},
          {"C", 'C', 254, 0},
          {"D", 'C', 254, 0},
          {"E", 'C', 254, 0},
          {"F", 'C', 254, 0},
          {"G", 'C', 254, 0},
          {"H", 'C', 254, 0},
          {"I", 'C', 254, 0},
          {"J", 'C', 254, 0},
          {"K", 'C', 254, 0},
          {"L", 'C', 254, 0},
          {"M", 'C', 254, 0},
          {"N", 'C', 254, 0},
          {"O", 'C', 254, 0},
          {"P", 'C', 254, 0}},
         "record longer than 4000 bytes"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(CDbfFile::Create(dir + "bad.dbf", c.fields, &error)) << c.why;
        EXPECT_FALSE(error.empty()) << c.why;
        EXPECT_FALSE(PathExists(dir + "bad.dbf")) << c.why;
    }
    std::vector<DbfField> many;
    for (int i = 0; i < 129; ++i) many.push_back({"F" + std::to_string(i), 'L', 1, 0});
    EXPECT_FALSE(CDbfFile::Create(dir + "bad.dbf", many, nullptr));

    ASSERT_TRUE(CDbfFile::Create(dir + "t.dbf", {{"NAME", 'C', 5, 0}}, nullptr));
    const std::string before = ReadWholeFile(dir + "t.dbf");
    EXPECT_FALSE(CDbfFile::Create(dir + "t.dbf", {{"OTHER", 'C', 9, 0}}, nullptr));
    EXPECT_EQ(ReadWholeFile(dir + "t.dbf"), before);
    WriteWholeFile(dir + "m.dbt", "someone's memos");
    EXPECT_FALSE(CDbfFile::Create(dir + "m.dbf", {{"NOTE", 'M', 10, 0}}, nullptr));
    EXPECT_EQ(ReadWholeFile(dir + "m.dbt"), "someone's memos");
}

}  // namespace
