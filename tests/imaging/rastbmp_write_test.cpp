// Writing BMP files through the RastBMP32 exports; the files are read back by the
// independent tool (ImageMagick) and compared pixel by pixel.
#include "imaging_test_support.h"
#include <algorithm>
#include <cstring>

using namespace imagingtest;

namespace {

HPALETTE MakePalette(const std::vector<uint32_t>& colours) {
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colours.size());
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        palette->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(colours[i] >> 16), static_cast<BYTE>(colours[i] >> 8),
                                               static_cast<BYTE>(colours[i]), 0};
    return CreatePalette(palette);
}

struct ImageToWrite {
    int bits, width, height;
    std::vector<uint32_t> palette;      // 0xRRGGBB
    std::vector<BYTE> rows;             // bottom line first
    uint32_t Rgb(int x, int y) const {  // y from the top
        const BYTE* row = &rows[static_cast<size_t>(height - 1 - y) * RowBytes(bits, width)];
        switch (bits) {
        case 1: return palette[(row[x / 8] >> (7 - x % 8)) & 1];
        case 4: return palette[x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4];
        case 8: return palette[row[x]];
        default: return (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x];
        }
    }
};

ImageToWrite Pattern(int bits, int width, int height) {
    ImageToWrite image{bits, width, height, {}, {}};
    const int colours = TableEntries(bits);
    for (int i = 0; i < colours; ++i)
        image.palette.push_back(static_cast<uint32_t>((i * 37 % 256) << 16 | (i * 91 % 256) << 8 | (255 - i)));
    image.rows.resize(static_cast<size_t>(RowBytes(bits, width)) * height);
    uint32_t seed = 12345 + bits;
    for (BYTE& b : image.rows) b = static_cast<BYTE>((seed = seed * 1103515245 + 12345) >> 16);
    return image;
}

// A header to save for uncompressed rows of the size and depth.
RastImageHeader HeaderToSave(int bits, int width, int height) {
    RastImageHeader header{};
    header.width = static_cast<short>(width);
    header.height = static_cast<short>(height);
    header.bitsPerPixel = static_cast<short>(bits);
    header.rowBytes = static_cast<short>(RowBytes(bits, width));
    return header;
}

// The main program's order: header without palette, palette, pixels from a global block.
bool WriteThroughModule(const Rast& rast, const std::string& path, const ImageToWrite& image) {
    OpenedFile file(path, true);
    HPALETTE palette = image.palette.empty() ? nullptr : MakePalette(image.palette);
    RastImageHeader header = HeaderToSave(image.bits, image.width, image.height);
    header.xResolution = header.yResolution = 300;
    header.palette = palette;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, image.rows.size());
    std::memcpy(GlobalLock(block), image.rows.data(), image.rows.size());
    GlobalUnlock(block);
    RastImageData data{static_cast<long>(image.rows.size()), RAST_DATA_GLOBAL, block, HFILE_ERROR, nullptr};
    const bool ok = rast.saveHeader(file.get(), &header, 0, 0) == 1 && rast.savePalette(file.get(), palette) == 1 &&
                    rast.saveImg(file.get(), &data) == 1;
    EXPECT_TRUE(IsReturnedUnlocked(block));
    GlobalFree(block);
    if (palette) DeleteObject(palette);
    return ok;
}

// The tool's decoding of a written file, through a PPM dump. Wine does not wait for a Linux
// process to end, so the dump is written under another name and renamed when complete.
RgbImage DecodeWithTool(const std::string& bmpPath) {
    const std::string ppmPath = bmpPath + ".ppm";
    DeleteFileA(ppmPath.c_str());
    const std::string unixPpm = UnixPath(ppmPath);
    const std::string command = "/usr/bin/convert '" + UnixPath(bmpPath) + "' -alpha off -depth 8 'PPM:" + unixPpm +
                                ".part' && mv '" + unixPpm + ".part' '" + unixPpm + "'";
    EXPECT_EQ(RunLinuxProgram("/bin/sh", {"-c", command}), 0) << command;
    for (int waited = 0; waited < 30000 && GetFileAttributesA(ppmPath.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 20)
        Sleep(20);
    return ReadPpm(ppmPath);
}

struct WriteCase {
    int bits, width, height;
};

class ToolReadsWhatWeWrite : public ::testing::TestWithParam<WriteCase> {};

}  // namespace

TEST_P(ToolReadsWhatWeWrite, PixelForPixel) {
    Rast rast;
    const WriteCase c = GetParam();
    const ImageToWrite image = Pattern(c.bits, c.width, c.height);
    const std::string path = WorkPath("written_" + std::to_string(c.bits) + "_" + std::to_string(c.width) + ".bmp");
    ASSERT_TRUE(WriteThroughModule(rast, path, image));
    RgbImage written;
    written.width = c.width;
    written.height = c.height;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) written.pixels.push_back(image.Rgb(x, y));
    ExpectSameImage(written, DecodeWithTool(path));
}

INSTANTIATE_TEST_SUITE_P(Depths, ToolReadsWhatWeWrite,
                         ::testing::Values(WriteCase{1, 37, 11}, WriteCase{4, 13, 7}, WriteCase{8, 29, 10},
                                           WriteCase{24, 31, 9}, WriteCase{24, 300, 120}),
                         [](const ::testing::TestParamInfo<WriteCase>& info) {
                             return std::to_string(info.param.bits) + "bit_" + std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

TEST(RastWrite, HeaderFieldsOfEightAndTwentyFourBitFiles) {
    Rast rast;
    const struct {
        int bits;
        DWORD offBits, clrUsed;
    } cases[] = {{8, 1078, 256}, {24, 54, 0}, {1, 62, 2}, {4, 118, 16}};
    for (const auto& c : cases) {
        const ImageToWrite image = Pattern(c.bits, 10, 3);
        const std::string path = WorkPath("fields.bmp");
        ASSERT_TRUE(WriteThroughModule(rast, path, image));
        const std::vector<BYTE> bytes = ReadFileBytes(path);
        DWORD offBits, fileSize, sizeImage, clrUsed;
        LONG xppm, yppm;
        std::memcpy(&offBits, &bytes[10], 4);
        std::memcpy(&fileSize, &bytes[2], 4);
        std::memcpy(&sizeImage, &bytes[34], 4);
        std::memcpy(&clrUsed, &bytes[46], 4);
        std::memcpy(&xppm, &bytes[38], 4);
        std::memcpy(&yppm, &bytes[42], 4);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(offBits, c.offBits) << c.bits;
        EXPECT_EQ(sizeImage, image.rows.size()) << c.bits;
        EXPECT_EQ(fileSize, c.offBits + image.rows.size()) << c.bits;
        EXPECT_EQ(bytes.size(), fileSize) << c.bits;
        EXPECT_EQ(clrUsed, c.clrUsed) << c.bits;
        EXPECT_EQ(xppm, 11811);
        EXPECT_EQ(yppm, 11811);
    }
}

TEST(RastWrite, NullPaletteWritesNothingAndOversizedPaletteStaysInItsTable) {
    Rast rast;
    // A 256-entry palette handed in for a 1-bit image must not overwrite or shift the pixels.
    ImageToWrite image = Pattern(1, 21, 5);
    std::vector<uint32_t> big(256);
    for (int i = 0; i < 256; ++i) big[i] = i < 2 ? image.palette[i] : 0x123456;
    const std::string path = WorkPath("oversized_palette.bmp");
    {
        OpenedFile file(path, true);
        RastImageHeader header = HeaderToSave(1, 21, 5);
        ASSERT_EQ(rast.saveHeader(file.get(), &header, 0, 0), 1);
        EXPECT_EQ(rast.savePalette(file.get(), nullptr), 1);
        HPALETTE palette = MakePalette(big);
        ASSERT_EQ(rast.savePalette(file.get(), palette), 1);
        DeleteObject(palette);
        RastImageData data = MemoryData(image.rows);
        ASSERT_EQ(rast.saveImg(file.get(), &data), 1);
    }
    const std::vector<BYTE> bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), 62 + image.rows.size());
    const RgbImage theirs = DecodeWithTool(path);
    ASSERT_EQ(theirs.width, 21);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 21; ++x) ASSERT_EQ(theirs.at(x, y), image.Rgb(x, y)) << x << ", " << y;
}

namespace {
std::vector<int> g_steps;
int g_total = -1;
int WINAPI RecordSteps(int, int total, int current) {
    g_total = total;
    g_steps.push_back(current);
    return 0;
}
}  // namespace

// Memory is written in pieces of 32,768 bytes; the callback counts them in sixteenths.
TEST(RastWrite, PiecesAndTheirProgress) {
    Rast rast;
    const struct {
        long bytes;
        int total;
        std::vector<int> steps;
    } cases[] = {{32768, 16, {0, 16, 16}}, {32769, 16, {0, 16, 32, 16}}, {100, 0, {0, 16, 0}}};
    for (const auto& c : cases) {
        std::vector<BYTE> source(c.bytes, 0x5A);
        const std::string path = WorkPath("pieces.bin");
        {
            OpenedFile file(path, true);
            RastImageData data = MemoryData(source);
            g_steps.clear();
            rast.setWaitingCallback(RecordSteps);
            ASSERT_EQ(rast.saveImg(file.get(), &data), 1);
        }
        EXPECT_EQ(g_total, c.total) << c.bytes;
        EXPECT_EQ(g_steps, c.steps) << c.bytes;
        EXPECT_EQ(ReadFileBytes(path), source) << c.bytes;
    }
}

TEST(RastWrite, OffsetVariantsAndRawData) {
    Rast rast;
    const ImageToWrite image = Pattern(8, 6, 2);
    const std::string path = WorkPath("offset.bmp");
    const long base = 100;
    {
        OpenedFile file(path, true);
        RastImageHeader header = HeaderToSave(8, 6, 2);
        ASSERT_EQ(rast.saveHeaderExt(file.get(), &header, 0, 0, base, 0), 1);
        HPALETTE palette = MakePalette(image.palette);
        ASSERT_EQ(rast.savePaletteExt(file.get(), palette, base), 1);
        DeleteObject(palette);
        // The pixels start behind the table; the first 4 source bytes are skipped.
        std::vector<BYTE> source(4 + image.rows.size(), 0xFF);
        std::copy(image.rows.begin(), image.rows.end(), source.begin() + 4);
        RastImageData data = MemoryData(source);
        ASSERT_EQ(rast.saveDibImgExt(file.get(), &data, 4, 0, 0), 1);
        const BYTE tail[6] = {1, 2, 3, 4, 5, 6};
        ASSERT_EQ(rast.saveData(file.get(), tail, 2, 3), 1);
    }
    const std::vector<BYTE> bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), base + 1078 + image.rows.size() + 6);
    EXPECT_EQ(bytes[base], 'B');
    EXPECT_EQ(bytes[base + 54 + 2], static_cast<BYTE>(image.palette[0] >> 16)) << "first entry's red";
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + base + 1078, bytes.end() - 6), image.rows);
    EXPECT_EQ(bytes.back(), 6);

    // And the module reads it back from the same offset.
    OpenedFile file(path, false);
    RastImageHeader header{};
    ASSERT_EQ(rast.readHeaderExt(file.get(), &header, 1, base, 0), 1);
    std::vector<BYTE> rows(image.rows.size());
    RastImageData data = MemoryData(rows);
    ASSERT_EQ(rast.readImg(file.get(), &data), 1);
    EXPECT_EQ(rows, image.rows);
    DeleteObject(header.palette);
}

TEST(RastWrite, FailedWritesReportErrorThree) {
    Rast rast;
    const std::string path = WorkPath("read_only.bmp");
    WriteFileBytes(path, std::vector<BYTE>(10, 0));
    OpenedFile readOnly(path, false);
    RastImageHeader header = HeaderToSave(24, 4, 4);
    EXPECT_EQ(rast.saveHeader(readOnly.get(), &header, 0, 0), 0);
    EXPECT_EQ(rast.getError(), RAST_ERR_WRITE);
    std::vector<BYTE> pixels(48, 1);
    RastImageData data = MemoryData(pixels);
    EXPECT_EQ(rast.saveImg(readOnly.get(), &data), 0);
    EXPECT_EQ(rast.saveImg(HFILE_ERROR, &data), 0);
    EXPECT_EQ(rast.saveHeader(HFILE_ERROR, &header, 0, 0), 0);
    EXPECT_EQ(rast.savePalette(HFILE_ERROR, nullptr), 0);
    RastImageData nullPointer{48, 0, nullptr, HFILE_ERROR, nullptr};
    OpenedFile writable(WorkPath("writable.bmp"), true);
    EXPECT_EQ(rast.saveImg(writable.get(), &nullPointer), 0);
    RastImageHeader empty{};
    EXPECT_EQ(rast.saveHeader(writable.get(), &empty, 0, 0), 0) << "an image without width or height";
}

TEST(RastWrite, FileToFileCopyComplementsOnlyAfterAWhiteFirstHeader) {
    Rast rast;
    const std::string sourcePath = WorkPath("copy_source.bin");
    std::vector<BYTE> source(5000);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<BYTE>(i);
    WriteFileBytes(sourcePath, source);
    for (const char* header : {"pil_bw1.bmp", "im_bw1.bmp"}) {
        {
            OpenedFile fixture(FixturePath(header), false);
            RastImageHeader h{};
            ASSERT_EQ(rast.readHeader(fixture.get(), &h, 1), 1);
            DeleteObject(h.palette);
        }
        const bool invert = std::string(header) == "im_bw1.bmp";
        const std::string targetPath = WorkPath("copy_target.bin");
        {
            OpenedFile from(sourcePath, false);
            OpenedFile to(targetPath, true);
            RastImageData data{5000, RAST_DATA_FILE, nullptr, from.get(), nullptr};
            ASSERT_EQ(rast.saveDibImg(to.get(), &data, 100), 1);
        }
        const std::vector<BYTE> copied = ReadFileBytes(targetPath);
        ASSERT_EQ(copied.size(), 4900u);
        for (size_t i = 0; i < copied.size(); ++i)
            ASSERT_EQ(copied[i], invert ? static_cast<BYTE>(~source[100 + i]) : source[100 + i]) << header << " " << i;
    }
}
