// Reading BMP files through the RastBMP32 exports, checked against the independent tool's
// decoding of the same files and against hand-built files for the edge cases.
#include "bmp_builder.h"
#include "imaging_test_support.h"
#include <algorithm>

using namespace imagingtest;

namespace {

struct FixtureCase {
    const char* name;
    int bits;  // as the header reports it
};

class FixtureRead : public ::testing::TestWithParam<FixtureCase> {};

void ExpectReadsLikeDump(const Rast& rast, const std::string& bmpPath, const std::string& ppmPath, int bits) {
    RastImageHeader header{};
    std::vector<BYTE> rows;
    ASSERT_TRUE(ReadThroughModule(rast, bmpPath, header, rows)) << bmpPath << " error " << rast.getError();
    EXPECT_EQ(header.bitsPerPixel, bits);
    const RgbImage theirs = ReadPpm(ppmPath);
    ASSERT_GT(theirs.width, 0) << ppmPath;
    ExpectSameImage(RowsToRgb(rows, header.width, header.height, header.bitsPerPixel, header.palette), theirs);
    if (header.palette) DeleteObject(header.palette);
}

}  // namespace

TEST_P(FixtureRead, PixelsMatchTheIndependentDecoding) {
    Rast rast;
    const std::string name = GetParam().name;
    ExpectReadsLikeDump(rast, FixturePath(name + ".bmp"), FixturePath(name + ".ppm"), GetParam().bits);
}

INSTANTIATE_TEST_SUITE_P(
    ToolWritten, FixtureRead,
    ::testing::Values(FixtureCase{"im_rgb24", 24}, FixtureCase{"im_rgb24_shapes", 24}, FixtureCase{"im_pal8", 8},
                      FixtureCase{"im_pal4", 4}, FixtureCase{"im_bw1", 1}, FixtureCase{"im_rle8", 8},
                      FixtureCase{"im_rle8_shapes", 8}, FixtureCase{"im_core24", 24}, FixtureCase{"im_core8", 8},
                      FixtureCase{"im_argb32", 32}, FixtureCase{"pil_grey8", 8}, FixtureCase{"pil_bw1", 1},
                      FixtureCase{"pil_pal8", 8}, FixtureCase{"topdown_rgb24", 24}),
    [](const ::testing::TestParamInfo<FixtureCase>& info) { return std::string(info.param.name); });

// Without its 14-byte file header a BMP is a bare DIB; it reads the same, also from an offset
// inside a larger file.
TEST(RastRead, BareDibAndEmbeddedBmpReadLikeTheFile) {
    Rast rast;
    const FixtureCase cases[] = {{"im_pal8", 8}, {"im_rgb24", 24}, {"im_core24", 24}};
    for (const FixtureCase& c : cases) {
        const char* name = c.name;
        const std::vector<BYTE> whole = ReadFileBytes(FixturePath(std::string(name) + ".bmp"));
        const std::string bare = WorkPath(std::string("bare_") + name + ".bmp");
        WriteFileBytes(bare, std::vector<BYTE>(whole.begin() + 14, whole.end()));
        ExpectReadsLikeDump(rast, bare, FixturePath(std::string(name) + ".ppm"), c.bits);

        std::vector<BYTE> embedded(333 + whole.size(), 0xA5);
        std::copy(whole.begin(), whole.end(), embedded.begin() + 333);
        const std::string path = WorkPath(std::string("embedded_") + name + ".bmp");
        WriteFileBytes(path, embedded);
        OpenedFile file(path, false);
        RastImageHeader header{};
        ASSERT_EQ(rast.readHeaderExt(file.get(), &header, 1, 333, 0), 1) << name;
        const RastImageHeader expected = [&] {
            RastImageHeader h{};
            OpenedFile original(FixturePath(std::string(name) + ".bmp"), false);
            rast.readHeader(original.get(), &h, 0);
            return h;
        }();
        EXPECT_EQ(header.width, expected.width);
        std::vector<BYTE> rows(StoredSize(header));
        RastImageData data = MemoryData(rows);
        ASSERT_EQ(rast.readDibImgExt(file.get(), &data, 0, 7, 9), 1);
        const std::vector<BYTE> pixels(whole.end() - rows.size(), whole.end());
        EXPECT_EQ(rows, pixels) << name;
        DeleteObject(header.palette);
    }
}

// A white-first two-colour table comes back black first with complemented pixel bytes; the
// flag does not stick to the next, black-first file.
TEST(RastRead, WhiteFirstOneBitIsNormalisedAndTheNextFileIsNot) {
    Rast rast;
    const struct {
        const char* file;
        bool whiteFirst;
    } cases[] = {{"im_bw1.bmp", true}, {"pil_bw1.bmp", false}};
    for (const auto& c : cases) {
        const std::vector<BYTE> whole = ReadFileBytes(FixturePath(c.file));
        ASSERT_EQ(whole[54 + 2], c.whiteFirst ? 255 : 0) << c.file << ": fixture's first entry";
        RastImageHeader header{};
        std::vector<BYTE> rows;
        ASSERT_TRUE(ReadThroughModule(rast, FixturePath(c.file), header, rows));
        PALETTEENTRY entries[2];
        ASSERT_EQ(GetPaletteEntries(header.palette, 0, 2, entries), 2u);
        EXPECT_EQ(entries[0].peRed, 0);
        EXPECT_EQ(entries[1].peRed, 255);
        const std::vector<BYTE> stored(whole.end() - rows.size(), whole.end());
        for (size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i], c.whiteFirst ? static_cast<BYTE>(~stored[i]) : stored[i]) << c.file << " byte " << i;
        DeleteObject(header.palette);
    }
}

// An 8-bit file whose two-entry table starts with white keeps its table and its pixels: only
// 1-bit pixels can be complemented to match a rewritten table.
TEST(RastRead, EightBitTwoColourTableIsLeftAsItIs) {
    Rast rast;
    BmpSpec spec = Spec(8, 4, 1);
    spec.clrUsed = 2;
    spec.table = {RGBQUAD{255, 255, 255, 0}, RGBQUAD{0, 0, 0, 0}};
    spec.pixels = {0, 1, 1, 0};
    RastImageHeader header{};
    std::vector<BYTE> rows;
    ASSERT_TRUE(ReadThroughModule(rast, WriteBmp("white_first_8bit.bmp", spec), header, rows));
    EXPECT_EQ(rows, spec.pixels);
    PALETTEENTRY entries[2];
    ASSERT_EQ(GetPaletteEntries(header.palette, 0, 2, entries), 2u);
    EXPECT_EQ(entries[0].peRed, 255);
    EXPECT_EQ(entries[1].peRed, 0);
    DeleteObject(header.palette);
}

TEST(RastRead, SixteenBitRowsArriveAsTwentyFourBitWithFullScaleComponents) {
    Rast rast;
    BmpSpec spec = Spec(16, 3, 1);
    // 0x7FFF white; 0x001F blue 31; 0x0421 one step of each of red, green and blue.
    spec.pixels = {0xFF, 0x7F, 0x1F, 0x00, 0x21, 0x04, 0, 0};
    RastImageHeader header{};
    std::vector<BYTE> rows;
    ASSERT_TRUE(ReadThroughModule(rast, WriteBmp("rgb555.bmp", spec), header, rows));
    EXPECT_EQ(header.bitsPerPixel, 16);
    const std::vector<BYTE> expected = {255, 255, 255, 255, 0, 0, 8, 8, 8, 0, 0, 0};
    EXPECT_EQ(rows, expected);
}

TEST(RastRead, CompressionsThatCannotBeDecodedFailWithErrorFour) {
    Rast rast;
    const struct {
        int bits;
        DWORD compression;
    } cases[] = {{16, BI_BITFIELDS}, {24, 7}, {4, BI_RLE8}, {8, BI_RLE4}};
    for (const auto& c : cases) {
        BmpSpec spec;
        spec.bits = c.bits;
        spec.compression = c.compression;
        spec.pixels.assign(64, 0);
        OpenedFile file(WriteBmp("compression.bmp", spec), false);
        RastImageHeader header{};
        ASSERT_EQ(rast.readHeader(file.get(), &header, 0), 1) << c.compression;
        std::vector<BYTE> rows(256);
        RastImageData data = MemoryData(rows);
        EXPECT_EQ(rast.readDibImg(file.get(), &data, 0), 0) << c.compression;
        EXPECT_EQ(rast.getError(), RAST_ERR_COMPRESSION) << c.compression;
    }
}

// Run-length data decoded into a 5 x 3 image; "." marks a pixel the data never touches.
TEST(RastRead, RunLengthCodesAndTheirBounds) {
    Rast rast;
    const struct {
        const char* what;
        int bits;
        std::vector<BYTE> codes;
        bool ok;
        const char* rows;  // bottom row first, one hex digit per pixel
    } cases[] = {
        {"rle8 repeat, absolute, end of line, end",
         8,
         {2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 5, 9, 0, 1},
         true,
         "77123/99999/....."},
        {"rle8 delta moves right and down", 8, {0, 2, 3, 1, 1, 4, 0, 1}, true, "...../...4./....."},
        {"rle4 alternates nibbles; absolute is padded",
         4,
         {5, 0xAB, 0, 0, 0, 3, 0x12, 0x30, 0, 0, 0, 1},
         true,
         "ABABA/123../....."},
        {"end of data after the last line", 8, {5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0}, true, "11111/22222/33333"},
        {"rle8 repeat past the row", 8, {9, 1, 0, 1}, false, ""},
        {"rle8 absolute past the row", 8, {0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}, false, ""},
        {"delta below the image", 8, {0, 2, 0, 9, 0, 1}, false, ""},
        {"absolute run cut off by the end of data", 8, {0, 4, 1, 2}, false, ""},
        {"data ends before the bitmap", 8, {2, 1, 0, 0}, false, ""},
        {"odd byte count", 8, {2, 1, 0}, false, ""},
    };
    for (const auto& c : cases) {
        BmpSpec spec = Spec(c.bits, 5, 3);
        spec.compression = c.bits == 8 ? BI_RLE8 : BI_RLE4;
        spec.table.assign(c.bits == 8 ? 256 : 16, RGBQUAD{});
        spec.pixels = c.codes;
        OpenedFile file(WriteBmp("rle.bmp", spec), false);
        RastImageHeader header{};
        ASSERT_EQ(rast.readHeader(file.get(), &header, 0), 1) << c.what;
        const int rowBytes = RowBytes(c.bits, 5);
        // A guard area behind the image shows any write past it.
        std::vector<BYTE> target(rowBytes * 3 + 16, 0xEE);
        RastImageData data{rowBytes * 3, 0, nullptr, HFILE_ERROR, target.data()};
        const int result = rast.readDibImg(file.get(), &data, 0);
        for (int i = rowBytes * 3; i < rowBytes * 3 + 16; ++i) ASSERT_EQ(target[i], 0xEE) << c.what;
        if (!c.ok) {
            EXPECT_EQ(result, 0) << c.what;
            EXPECT_EQ(rast.getError(), RAST_ERR_COMPRESSION) << c.what;
            continue;
        }
        ASSERT_EQ(result, 1) << c.what;
        std::string got;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                const BYTE* row = &target[y * rowBytes];
                const int value = c.bits == 8 ? row[x] : (x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4);
                const int untouched = c.bits == 8 ? 0xEE : 0xE;
                got += value == untouched ? '.' : "0123456789ABCDEF"[value & 15];
            }
            if (y < 2) got += '/';
        }
        EXPECT_EQ(got, c.rows) << c.what;
    }
}

// Headers that no reader should follow: each fails cleanly.
TEST(RastRead, MalformedHeadersFail) {
    Rast rast;
    BmpSpec base;
    base.pixels.assign(8, 0);
    base.table.assign(256, RGBQUAD{});
    const std::vector<BYTE> good = BuildBmp(base);
    const struct {
        const char* what;
        size_t offset;
        uint32_t value;
        size_t size;
    } patches[] = {
        {"info header size 20", 14, 20, 4},
        {"info header size 108", 14, 108, 4},
        {"width 0", 18, 0, 4},
        {"negative width", 18, static_cast<uint32_t>(-5), 4},
        {"height 0", 22, 0, 4},
        {"width beyond 16 bits", 18, 40000, 4},
        {"height beyond 16 bits", 22, 70000, 4},
        {"width x height overflows 32 bits", 18, 65536, 4},
        {"two bits per pixel", 28, 2, 2},
        {"data offset past the end", 10, 100000, 4},
        {"colour count larger than the table", 46, 1000, 4},
    };
    for (const auto& p : patches) {
        std::vector<BYTE> bytes = good;
        Patch(bytes, p.offset, p.value, p.size);
        const std::string path = WorkPath("malformed.bmp");
        WriteFileBytes(path, bytes);
        OpenedFile file(path, false);
        RastImageHeader header{};
        EXPECT_EQ(rast.readHeader(file.get(), &header, 1), 0) << p.what;
    }
    for (size_t length : {0u, 10u, 14u, 30u, 60u}) {
        const std::string path = WorkPath("truncated.bmp");
        WriteFileBytes(path, std::vector<BYTE>(good.begin(), good.begin() + length));
        OpenedFile file(path, false);
        RastImageHeader header{};
        EXPECT_EQ(rast.readHeader(file.get(), &header, 1), 0) << "file cut to " << length << " bytes";
    }
    RastImageHeader header{};
    EXPECT_EQ(rast.readHeader(HFILE_ERROR, &header, 1), 0);
    EXPECT_EQ(rast.readPalette(HFILE_ERROR), nullptr);
}

// Pixel data cut short, or a target too small for the rows, fails without writing past it. A
// file already short when its header is read is refused there; one cut between the header read
// and the image read fails in the image read.
TEST(RastRead, ShortPixelDataOrSmallTargetFails) {
    Rast rast;
    const std::vector<BYTE> whole = ReadFileBytes(FixturePath("im_rgb24.bmp"));
    const std::string path = WorkPath("cut_pixels.bmp");
    WriteFileBytes(path, std::vector<BYTE>(whole.begin(), whole.end() - 50));
    {
        OpenedFile file(path, false);
        RastImageHeader header{};
        EXPECT_EQ(rast.readHeader(file.get(), &header, 0), 0);
        EXPECT_EQ(rast.getError(), RAST_ERR_READ);
    }
    {
        WriteFileBytes(path, whole);
        OpenedFile file(path, true);
        HANDLE handle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file.get()));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(handle, whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr));
        SetFilePointer(handle, 0, nullptr, FILE_BEGIN);
        RastImageHeader header{};
        ASSERT_EQ(rast.readHeader(file.get(), &header, 0), 1);
        const LONG dataStart = static_cast<LONG>(SetFilePointer(handle, 0, nullptr, FILE_CURRENT));
        SetFilePointer(handle, static_cast<LONG>(whole.size()) - 50, nullptr, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(handle));
        SetFilePointer(handle, dataStart, nullptr, FILE_BEGIN);
        std::vector<BYTE> rows(StoredSize(header));
        RastImageData data = MemoryData(rows);
        EXPECT_EQ(rast.readDibImg(file.get(), &data, 0), 0);
        EXPECT_EQ(rast.getError(), RAST_ERR_READ);
    }
    OpenedFile file(FixturePath("im_rgb24.bmp"), false);
    RastImageHeader header{};
    ASSERT_EQ(rast.readHeader(file.get(), &header, 0), 1);
    const size_t needed = StoredSize(header);
    std::vector<BYTE> rows(needed + 64, 0xEE);
    RastImageData small{static_cast<long>(needed - 1), 0, nullptr, HFILE_ERROR, rows.data()};
    EXPECT_EQ(rast.readDibImg(file.get(), &small, 0), 0);
    RastImageData offsetPastSize{static_cast<long>(needed), 0, nullptr, HFILE_ERROR, rows.data()};
    EXPECT_EQ(rast.readDibImg(file.get(), &offsetPastSize, 32), 0);
    HGLOBAL tooSmall = GlobalAlloc(GMEM_MOVEABLE, 16);
    RastImageData globalData{static_cast<long>(needed), RAST_DATA_GLOBAL, tooSmall, HFILE_ERROR, nullptr};
    EXPECT_EQ(rast.readDibImg(file.get(), &globalData, 0), 0) << "byte count larger than the global block";
    EXPECT_TRUE(IsReturnedUnlocked(tooSmall));
    GlobalFree(tooSmall);
    for (BYTE b : rows) ASSERT_EQ(b, 0xEE);
}

namespace {
std::vector<std::vector<int>> g_calls;
int g_cancelAt = -1;
int WINAPI RecordingCallback(int first, int total, int current) {
    g_calls.push_back({first, total, current});
    return current == g_cancelAt ? 1 : 0;
}
}  // namespace

TEST(RastRead, WaitingCallbackCountsRowsAndIsForgottenAfterwards) {
    Rast rast;
    const std::string path = FixturePath("im_rgb24.bmp");
    OpenedFile file(path, false);
    RastImageHeader header{};
    ASSERT_EQ(rast.readHeader(file.get(), &header, 0), 1);
    std::vector<BYTE> rows(StoredSize(header));
    RastImageData data = MemoryData(rows);
    g_calls.clear();
    g_cancelAt = -1;
    EXPECT_EQ(rast.setWaitingCallback(RecordingCallback), RecordingCallback);
    ASSERT_EQ(rast.readDibImg(file.get(), &data, 0), 1);
    const int h = header.height;
    ASSERT_EQ(g_calls.size(), static_cast<size_t>(h + 2));
    EXPECT_EQ(g_calls.front(), (std::vector<int>{0, h, 0}));
    for (int i = 1; i <= h; ++i) EXPECT_EQ(g_calls[i], (std::vector<int>{0, h, i}));
    EXPECT_EQ(g_calls.back(), (std::vector<int>{0, h, h}));

    g_calls.clear();
    ASSERT_EQ(rast.readHeader(file.get(), &header, 0), 1);
    ASSERT_EQ(rast.readDibImg(file.get(), &data, 0), 1);
    EXPECT_TRUE(g_calls.empty()) << "the callback is forgotten after an operation";

    // A nonzero answer to a step cancels the uncompressed read.
    g_cancelAt = 3;
    rast.setWaitingCallback(RecordingCallback);
    ASSERT_EQ(rast.readHeader(file.get(), &header, 0), 1);
    EXPECT_EQ(rast.readDibImg(file.get(), &data, 0), 0);
    g_cancelAt = -1;
}

namespace {
std::vector<std::vector<BYTE>> g_rows;
std::vector<int> g_indexes;
int WINAPI CollectRow(void* row, long user, int index, int) {
    g_rows.emplace_back(static_cast<BYTE*>(row), static_cast<BYTE*>(row) + user);
    g_indexes.push_back(index);
    return 0;
}
}  // namespace

TEST(RastRead, DecodeHandsRowsTopLineFirst) {
    Rast rast;
    for (const char* name : {"im_rgb24", "topdown_rgb24"}) {
        g_rows.clear();
        g_indexes.clear();
        OpenedFile file(FixturePath(std::string(name) + ".bmp"), false);
        const long rowBytes = RowBytes(24, 13);
        ASSERT_EQ(rast.decodeImg(file.get(), 0, 0, CollectRow, rowBytes, 0), 1);
        const RgbImage theirs = ReadPpm(FixturePath(std::string(name) + ".ppm"));
        ASSERT_EQ(g_rows.size(), static_cast<size_t>(theirs.height));
        for (int y = 0; y < theirs.height; ++y) {
            EXPECT_EQ(g_indexes[y], y);
            for (int x = 0; x < theirs.width; ++x) {
                const BYTE* p = &g_rows[y][3 * x];
                ASSERT_EQ(static_cast<uint32_t>((p[2] << 16) | (p[1] << 8) | p[0]), theirs.at(x, y))
                    << name << " (" << x << ", " << y << ")";
            }
        }
    }
    OpenedFile rle(FixturePath("im_rle8.bmp"), false);
    EXPECT_EQ(rast.decodeImg(rle.get(), 0, 0, CollectRow, 16, 0), 0)
        << "run-length rows cannot be handed out one by one";
    EXPECT_EQ(rast.decodeImg(HFILE_ERROR, 0, 0, CollectRow, 16, 0), 0);
}

TEST(RastRead, HeaderRecordAndPalette) {
    Rast rast;
    BmpSpec spec = Spec(4, 3, 2);
    spec.pelsPerMetre = 11811;
    spec.clrUsed = 2;  // the file stores two entries; the header promises sixteen
    spec.table = {RGBQUAD{10, 20, 30, 0}, RGBQUAD{40, 50, 60, 0}};
    spec.pixels.assign(8, 0x01);
    OpenedFile file(WriteBmp("header.bmp", spec), false);
    RastImageHeader header{};
    ASSERT_EQ(rast.readHeader(file.get(), &header, 1), 1);
    EXPECT_EQ(header.colourType, 2);
    EXPECT_EQ(header.width, 3);
    EXPECT_EQ(header.height, 2);
    EXPECT_EQ(header.rowBytes, 4);
    EXPECT_EQ(header.xResolution, 300);
    EXPECT_EQ(header.yResolution, 300);
    EXPECT_EQ(header.reserved[0], -1);
    EXPECT_EQ(header.reserved[1], -1);
    EXPECT_EQ(header.reserved[2], 6);
    EXPECT_EQ(header.reserved[3], 1);
    PALETTEENTRY entries[16];
    ASSERT_EQ(GetPaletteEntries(header.palette, 0, 16, entries), 16u);
    EXPECT_EQ(entries[1].peRed, 60);
    EXPECT_EQ(entries[1].peBlue, 40);
    DeleteObject(header.palette);
    std::vector<BYTE> rows(8);
    RastImageData data = MemoryData(rows);
    ASSERT_EQ(rast.readDibImg(file.get(), &data, 0), 1) << "the rows start where the file header says";
    EXPECT_EQ(rows, std::vector<BYTE>(8, 0x01));

    HPALETTE palette = rast.readPalette(file.get());
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 16u);
    DeleteObject(palette);
    OpenedFile colour(FixturePath("im_rgb24.bmp"), false);
    EXPECT_EQ(rast.readPalette(colour.get()), nullptr) << "a 24-bit file has no table";
}

TEST(RastRead, IsCorrectHeaderAcceptsOnlyWhatReadsWithoutRunLengthData) {
    Rast rast;
    const std::string text = WorkPath("not_a_bmp.txt");
    WriteFileBytes(text, std::vector<BYTE>(100, 'x'));
    const struct {
        std::string path;
        int expected;
    } cases[] = {
        {FixturePath("im_rgb24.bmp"), 1},
        {FixturePath("im_core8.bmp"), 1},
        {FixturePath("im_rle8.bmp"), 0},
        {FixturePath("missing.bmp"), 0},
        {text, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(rast.isCorrectHeader(c.path.c_str()), c.expected) << c.path;
}

TEST(RastRead, FileToFileReadCopiesThePixelBytes) {
    Rast rast;
    const std::vector<BYTE> whole = ReadFileBytes(FixturePath("im_bw1.bmp"));
    OpenedFile file(FixturePath("im_bw1.bmp"), false);
    RastImageHeader header{};
    ASSERT_EQ(rast.readHeader(file.get(), &header, 1), 1);
    DeleteObject(header.palette);
    const long count = header.rowBytes * header.height;
    const std::string copyPath = WorkPath("copied_pixels.bin");
    {
        OpenedFile copy(copyPath, true);
        RastImageData data{count + 10, RAST_DATA_FILE, nullptr, copy.get(), nullptr};
        ASSERT_EQ(rast.readDibImg(file.get(), &data, 10), 1);
    }
    const std::vector<BYTE> copied = ReadFileBytes(copyPath);
    ASSERT_EQ(copied.size(), static_cast<size_t>(count + 10));
    for (long i = 0; i < count; ++i)
        ASSERT_EQ(copied[10 + i], static_cast<BYTE>(~whole[whole.size() - count + i]))
            << "white-first bytes complemented";
}

TEST(RastModule, SubformatCapabilityAndOptions) {
    Rast rast;
    EXPECT_EQ(rast.getSubformat(0), 257);
    EXPECT_EQ(rast.getErrorCode(), 0);
    EXPECT_EQ(rast.setSubformat(258), 0);
    EXPECT_EQ(rast.getErrorCode(), RAST_CODE_BAD_SUBFORMAT);
    EXPECT_EQ(rast.getSubformat(0), 257);
    EXPECT_EQ(rast.setSubformat(256), 1);
    EXPECT_EQ(rast.getSubformat(99), 256);

    BYTE cap[RAST_CAP_BYTES + 4];
    std::memset(cap, 0xCC, sizeof cap);
    ASSERT_EQ(rast.getCap(cap), 1);
    EXPECT_EQ(std::memcmp(cap, "BMP\0", 4), 0);
    const DWORD flags[5] = {0, 1, 1, 0, 0};
    EXPECT_EQ(std::memcmp(cap + 4, flags, sizeof flags), 0);
    EXPECT_EQ(cap[24], 63);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(cap + 25), 13), "rastbmp32.dll");
    WORD kind;
    DWORD size;
    std::memcpy(&kind, cap + 38, 2);
    std::memcpy(&size, cap + 40, 4);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(size, 900u);
    EXPECT_EQ(cap[RAST_CAP_BYTES], 0xCC) << "nothing written past the record";

    EXPECT_EQ(rast.setReadOption(5), 0);
    EXPECT_EQ(rast.setSaveOption(5), 0);
    EXPECT_EQ(rast.needReadOption(), 0);
    EXPECT_EQ(rast.needSaveOption(), 0);
    EXPECT_EQ(rast.encodeImg(1, 2, 3, 4, 5), 1);
    EXPECT_EQ(rast.encodeImgExt(1, 2, 3, 4, 5, 6, 7), 1);
}
