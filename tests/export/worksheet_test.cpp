// The worksheet writer on grids of its own: record layout, column widths, cut texts, borders,
// refusals, the row limit of the format and a disk without room.
#include "export_fixture.h"
#include "worksheet_file.h"
#include "file_bytes.h"
#include "linux_programs.h"

using namespace exporttest;

namespace {

struct Record {
    unsigned Type;
    std::vector<uint8_t> Data;
};

unsigned U16(const uint8_t* at) { return at[0] | (at[1] << 8); }

std::vector<Record> ReadRecords(const std::vector<uint8_t>& bytes) {
    std::vector<Record> records;
    for (size_t at = 0; at + 4 <= bytes.size();) {
        unsigned length = U16(&bytes[at + 2]);
        records.push_back(
            {U16(&bytes[at]), std::vector<uint8_t>(bytes.begin() + at + 4, bytes.begin() + at + 4 + length)});
        at += 4 + length;
    }
    return records;
}

std::vector<char> Grid(const std::vector<Row>& rows, int cellSize) {
    std::vector<char> grid(rows.size() * rows[0].size() * cellSize, 0);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            memcpy(&grid[(r * rows[r].size() + c) * cellSize], rows[r][c].data(), rows[r][c].size());
    return grid;
}

std::vector<Record> Of(const std::vector<Record>& records, unsigned type) {
    std::vector<Record> out;
    for (const Record& r : records)
        if (r.Type == type) out.push_back(r);
    return out;
}

}  // namespace

// Two rows of three cells: the 683-byte prologue, three column widths, the dimensions one past
// the counts, six text cells in row order and the end record; a 300-character text keeps 254
// characters and its column the widest width a byte holds; an empty cell is a record of 8 bytes.
TEST(WorksheetFile, TwoRowsOfThreeCells) {
    std::string long300(300, 'w');
    std::vector<Row> rows = {{"Name", "", long300}, {"Ann", "x", "y"}};
    std::string path = ScratchPath("grid.xls");
    ASSERT_EQ(WriteWorksheetFile(path.c_str(), 2, 3, Grid(rows, 512).data(), 512, 1), 1);
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), 683u + 3 * 15 + 14 + 6 * 12 + (4 + 0 + 254 + 3 + 1 + 1) + 4);
    std::vector<Record> records = ReadRecords(bytes);
    ASSERT_EQ(records.size(), 41u + 3 + 1 + 6 + 1);
    EXPECT_EQ(records[0].Type, 0x0409u);
    std::vector<Record> widths = Of(records, 0x007D), cells = Of(records, 0x0204), dims = Of(records, 0x0200);
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_EQ(widths[0].Data[5], 12);  // "Name": at least 10 characters, plus 2
    EXPECT_EQ(widths[1].Data[5], 12);
    EXPECT_EQ(widths[2].Data[5], 255);  // 254 + 2 would wrap to 0
    ASSERT_EQ(dims.size(), 1u);
    EXPECT_EQ(U16(&dims[0].Data[2]), 3u);
    EXPECT_EQ(U16(&dims[0].Data[6]), 4u);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[1].Data.size(), 8u);
    EXPECT_EQ(U16(&cells[2].Data[6]), 254u);
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(U16(&cells[i].Data[0]), i / 3);
        EXPECT_EQ(U16(&cells[i].Data[2]), i % 3);
        EXPECT_EQ(U16(&cells[i].Data[4]), 30u);  // all four borders
    }
    EXPECT_EQ(records.back().Type, 0x000Au);
    EXPECT_EQ(CheckWithReaders(path, "sheet", rows), "");
}

TEST(WorksheetFile, WithoutGridLinesCellsHaveNoBorders) {
    std::string path = ScratchPath("plain.xls");
    ASSERT_EQ(WriteWorksheetFile(path.c_str(), 1, 2, Grid({{"a", "b"}}, 8).data(), 8, 0), 1);
    for (const Record& cell : Of(ReadRecords(ReadFileBytes(path)), 0x0204)) EXPECT_EQ(U16(&cell.Data[4]), 33u);
}

TEST(WorksheetFile, RefusesWhatIsNoGrid) {
    std::string path = ScratchPath("refused.xls");
    std::vector<char> grid(16, 0);
    struct Case {
        const char* Path;
        const char* Grid;
        int Rows, Columns, CellSize;
    } cases[] = {{nullptr, grid.data(), 1, 1, 16},
                 {path.c_str(), nullptr, 1, 1, 16},
                 {path.c_str(), grid.data(), 0, 1, 16},
                 {path.c_str(), grid.data(), 1, 0, 16},
                 {path.c_str(), grid.data(), 1, 1, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(WriteWorksheetFile(c.Path, c.Rows, c.Columns, c.Grid, c.CellSize, 1), 0);
        EXPECT_FALSE(PathExists(path));
    }
}

// Past the format's last row the writer stops, says so, and the sheet holds every row it can.
TEST(WorksheetFile, StopsAtTheLastRowOfTheFormat) {
    const int rows = WORKSHEET_ROW_LIMIT + 6;
    std::vector<Row> grid;
    for (int r = 0; r < rows; ++r) grid.push_back({std::to_string(r)});
    std::string path = ScratchPath("rows.xls");
    ASSERT_EQ(WriteWorksheetFile(path.c_str(), rows, 1, Grid(grid, 8).data(), 8, 1), 2);
    std::vector<Record> records = ReadRecords(ReadFileBytes(path));
    EXPECT_EQ(Of(records, 0x0204).size(), 16384u);
    EXPECT_EQ(U16(&Of(records, 0x0200)[0].Data[2]), 16385u);
    grid.resize(WORKSHEET_ROW_LIMIT);
    EXPECT_EQ(CheckWithReaders(path, "sheet", grid), "");
}

TEST(WorksheetFile, ADiskWithoutRoomIsAFailure) {
    std::string full = ScratchPath("full_grid.xls");
    ASSERT_EQ(RunShellCommand("ln -sf /dev/full '" + UnixPath(full) + "'"), 0);
    std::vector<Row> rows(200, Row{std::string(200, 'f')});
    EXPECT_EQ(WriteWorksheetFile(full.c_str(), 200, 1, Grid(rows, 256).data(), 256, 1), 0);
    DeleteFileA(full.c_str());
}
