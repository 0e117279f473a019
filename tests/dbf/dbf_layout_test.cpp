// The bytes on disk, checked against the dBASE III layout here and by an outside reader.
#include "dbf_test_support.h"
#include "linux_programs.h"

#include <ctime>

namespace {

void ExpectDatedToday(const std::string& bytes) {
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    EXPECT_EQ(Byte(bytes, 1), static_cast<unsigned>(t->tm_year));
    EXPECT_EQ(Byte(bytes, 2), static_cast<unsigned>(t->tm_mon + 1));
    EXPECT_EQ(Byte(bytes, 3), static_cast<unsigned>(t->tm_mday));
}

TEST(DbfLayout, CardTableHeaderAndDescriptorsByteByByte) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    std::vector<DbfField> fields = CardTableFields();
    fields[3].name = "cName";  // stored upper case
    std::string error;
    ASSERT_TRUE(CDbfFile::Create(dir + "NM.DBF", fields, &error)) << error;

    const std::string b = ReadWholeFile(dir + "NM.DBF");
    const size_t headerLength = 32 + 42 * 32 + 1;
    unsigned recordLength = 1;
    for (const DbfField& f : CardTableFields()) recordLength += static_cast<unsigned>(f.length);
    ASSERT_EQ(b.size(), headerLength + 1);
    EXPECT_EQ(Byte(b, 0), 0x83u);
    ExpectDatedToday(b);
    EXPECT_EQ(Le32(b, 4), 0u);
    EXPECT_EQ(Le16(b, 8), headerLength);
    EXPECT_EQ(Le16(b, 10), recordLength);
    EXPECT_EQ(b.substr(12, 20), std::string(20, '\0'));
    const std::vector<DbfField> expected = CardTableFields();
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::string d = b.substr(32 + 32 * i, 32);
        std::string name = expected[i].name;
        name.resize(11, '\0');
        EXPECT_EQ(d.substr(0, 11), name) << i;
        EXPECT_EQ(d[11], expected[i].type) << name;
        EXPECT_EQ(d.substr(12, 4), std::string(4, '\0')) << name;
        EXPECT_EQ(Byte(d, 16), static_cast<unsigned>(expected[i].length)) << name;
        EXPECT_EQ(Byte(d, 17), static_cast<unsigned>(expected[i].decimals)) << name;
        EXPECT_EQ(d.substr(18, 14), std::string(14, '\0')) << name;
    }
    EXPECT_EQ(Byte(b, headerLength - 1), 0x0Du);
    EXPECT_EQ(Byte(b, headerLength), 0x1Au);

    const std::string memo = ReadWholeFile(dir + "NM.DBT");
    ASSERT_EQ(memo.size(), 512u);
    EXPECT_EQ(Le32(memo, 0), 1u);

    CDbfFile table;
    ASSERT_TRUE(table.Open(dir + "NM.DBF", false, &error)) << error;
    ASSERT_EQ(table.Fields().size(), 42u);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table.Fields()[i].name, expected[i].name);
        EXPECT_EQ(table.Fields()[i].type, expected[i].type);
        EXPECT_EQ(table.Fields()[i].length, expected[i].length);
    }
    EXPECT_EQ(table.RecordCount(), 0u);
}

TEST(DbfLayout, TableWithoutMemoHasVersion3AndNoMemoFile) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    ASSERT_TRUE(CDbfFile::Create(dir + "plain.dbf", {{"NAME", 'C', 5, 0}, {"N", 'N', 4, 1}}, nullptr));
    const std::string b = ReadWholeFile(dir + "plain.dbf");
    EXPECT_EQ(Byte(b, 0), 0x03u);
    EXPECT_EQ(Le16(b, 10), 10u);
    EXPECT_FALSE(PathExists(dir + "plain.dbt"));
}

TEST(DbfLayout, AppendKeepsCountDateAndEndMarkerUpToDate) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    ASSERT_TRUE(CDbfFile::Create(dir + "t.dbf", {{"NAME", 'C', 5, 0}}, nullptr));
    std::string b = ReadWholeFile(dir + "t.dbf");
    b[1] = 80;  // an old date, to see it renewed
    WriteWholeFile(dir + "t.dbf", b);
    CDbfFile table;
    std::string error;
    ASSERT_TRUE(table.Open(dir + "t.dbf", true, &error)) << error;
    for (const char* name : {"ab", "cde"}) {
        uint32_t recno = 99;
        ASSERT_TRUE(table.AppendRecord({std::string(name)}, &recno, &error)) << error;
        const std::string now = ReadWholeFile(dir + "t.dbf");
        EXPECT_EQ(Le32(now, 4), recno + 1);
        ExpectDatedToday(now);
        EXPECT_EQ(now.size(), 32u + 32 + 1 + 6 * (recno + 1) + 1);
        EXPECT_EQ(Byte(now, now.size() - 1), 0x1Au);
    }
    table.Close();
    const std::string bytes = ReadWholeFile(dir + "t.dbf");
    EXPECT_EQ(bytes.substr(65, 12), " ab    cde  ");
}

// An outside reader (python's struct, no dBASE package) must see what the module wrote.
// Empty when the reader accepted the file (its result is then in output), else what went
// wrong. Wine does not hand back a Linux program's exit code, so the reader's files tell.
std::string RunPythonReader(const std::string& table, const std::string& output) {
    if (RunLinuxProgram("/usr/bin/python3", {ZEM_DBF_READER, UnixPath(table), UnixPath(output)}) == -1)
        return std::string("cannot start the reader ") + ZEM_DBF_READER;
    for (int waited = 0; waited < 600; ++waited) {
        if (PathExists(output + ".err")) return "the reader refused the file:\n" + ReadWholeFile(output + ".err");
        if (PathExists(output)) return std::string();
        Sleep(100);
    }
    return std::string("the reader ") + ZEM_DBF_READER + " gave no answer";
}

std::string Hex(const std::optional<std::string>& v) {
    if (!v) return "-";
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : *v) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

TEST(DbfLayout, AnOutsideReaderReadsWhatWasWritten) {
    const ScratchFolder scratch("dbf");
    const std::string dir = scratch.path() + "\\";
    const std::vector<DbfField> fields = {{"NAME", 'C', 12, 0}, {"AMOUNT", 'N', 8, 2}, {"BORN", 'D', 8, 0},
                                          {"OK", 'L', 1, 0},    {"NOTE", 'M', 10, 0},  {"PIC", 'M', 10, 0}};
    std::string image(3000, '\0');
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7 % 256 == 0x1A ? 0x1B : i * 7);
    const std::vector<Values> rows = {
        {std::string("Smith"), std::string("12.50"), std::string("20021105"), std::string("T"),
         std::string("line one\r\nline two"), image},
        {std::nullopt, std::string("-3.00"), std::nullopt, std::string("F"), std::nullopt, std::string("x")},
        {std::string("  O'Brien"), std::nullopt, std::string("19000301"), std::nullopt, std::string(700, 'n'),
         std::nullopt},
    };
    std::string error;
    ASSERT_TRUE(CDbfFile::Create(dir + "cards.dbf", fields, &error)) << error;
    CDbfFile table;
    ASSERT_TRUE(table.Open(dir + "cards.dbf", true, &error)) << error;
    for (const Values& row : rows) ASSERT_TRUE(table.AppendRecord(row, nullptr, &error)) << error;
    ASSERT_TRUE(table.DeleteRecord(1, &error)) << error;
    table.Close();

    const std::string failure = RunPythonReader(dir + "cards.dbf", dir + "out.txt");
    ASSERT_TRUE(failure.empty()) << failure;
    std::string expected = "header 3 225 50 131\n"
                           "field NAME C 12 0\nfield AMOUNT N 8 2\nfield BORN D 8 0\nfield OK L 1 0\n"
                           "field NOTE M 10 0\nfield PIC M 10 0\n";
    for (size_t r = 0; r < rows.size(); ++r) {
        expected += r == 1 ? "*" : " ";
        for (const auto& v : rows[r]) expected += "\t" + Hex(v);
        expected += "\n";
    }
    EXPECT_EQ(ReadWholeFile(dir + "out.txt"), expected);
}

}  // namespace
