// Malformed BMP, PCX, TIFF and JPEG files, built here byte by byte from the formats, through
// the reading exports of every image file module: each is refused with result 0 and the
// module's error number, from its header alone, before a caller could allocate for the pixels
// it declares; and nothing a module meets ends the calling process.
#include "bmp_builder.h"
#include "imaging_test_support.h"
#include <algorithm>

using namespace imagingtest;

namespace {

// One image file module bound by export name, as the main program binds it.
struct RastModule {
    explicit RastModule(const char* fileName) : module(fileName) {}
    DllModule module;
    rastReadHeader_t readHeader = module.require<rastReadHeader_t>("rastReadHeader");
    rastReadHeaderExt_t readHeaderExt = module.require<rastReadHeaderExt_t>("rastReadHeaderExt");
    rastReadPalette_t readPalette = module.require<rastReadPalette_t>("rastReadPalette");
    rastReadDIBImg_t readDibImg = module.require<rastReadDIBImg_t>("rastReadDIBImg");
    rastDecodeImg_t decodeImg = module.require<rastDecodeImg_t>("rastDecodeImg");
    rastIsCorrectHeader_t isCorrectHeader = module.require<rastIsCorrectHeader_t>("rastIsCorrectHeader");
    rastGetError_t getError = module.require<rastGetError_t>("_rastGetError@0");
};

void PutWord(std::vector<BYTE>& bytes, size_t at, uint32_t value) {
    if (bytes.size() < at + 2) bytes.resize(at + 2);
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

void PutLong(std::vector<BYTE>& bytes, size_t at, uint32_t value) {
    PutWord(bytes, at, value & 0xFFFF);
    PutWord(bytes, at + 2, value >> 16);
}

// ---- PCX: 128-byte header, run-length data, an 8-bit file's 0x0C and 768-byte table ----

std::vector<BYTE> PcxHeader(int width, int height, int bitsPerPlane, int planes, int bytesPerLine) {
    std::vector<BYTE> f(128, 0);
    f[0] = 0x0A;
    f[1] = 5;
    f[2] = 1;
    f[3] = static_cast<BYTE>(bitsPerPlane);
    PutWord(f, 8, static_cast<uint32_t>(width - 1));
    PutWord(f, 10, static_cast<uint32_t>(height - 1));
    f[65] = static_cast<BYTE>(planes);
    PutWord(f, 66, static_cast<uint32_t>(bytesPerLine));
    PutWord(f, 68, 1);
    return f;
}

// An 8-bit PCX of 4 x 2 pixels (values 1..8, stored as single bytes) and, when `tableBytes` is
// not 0, the table mark and that many bytes of the table (red = 3 x index).
std::vector<BYTE> SmallPcx8(size_t tableBytes) {
    std::vector<BYTE> f = PcxHeader(4, 2, 8, 1, 4);
    for (BYTE v = 1; v <= 8; ++v) f.push_back(v);
    if (tableBytes == 0) return f;
    f.push_back(0x0C);
    for (size_t i = 0; i < tableBytes; ++i) f.push_back(i % 3 == 0 ? static_cast<BYTE>(i) : 0);
    return f;
}

// ---- TIFF: classic little-endian, one directory ----

struct TiffSpec {
    uint32_t width = 4, height = 2;
    uint16_t bitsPerSample = 8, samples = 1, compression = 1;
    bool tiled = false;
    uint32_t tileWidth = 0, tileLength = 0, rowsPerStrip = 0;
    std::vector<uint32_t> chunkBytes;  // the strip or tile byte counts written
    size_t dataBytes = SIZE_MAX;       // the chunk data actually written (SIZE_MAX: all of it)
    BYTE fill = 0x40;
};

std::vector<BYTE> BuildTiff(const TiffSpec& s) {
    struct Entry {
        uint16_t tag, type;
        std::vector<uint32_t> values;
    };
    const uint16_t kShort = 3, kLong = 4;
    std::vector<Entry> entries = {{256, kLong, {s.width}},
                                  {257, kLong, {s.height}},
                                  {258, kShort, std::vector<uint32_t>(s.samples, s.bitsPerSample)},
                                  {259, kShort, {s.compression}},
                                  {262, kShort, {s.samples == 3 ? 2u : 1u}}};
    const size_t chunks = s.chunkBytes.size();
    if (s.tiled) {
        entries.push_back({277, kShort, {s.samples}});
        entries.push_back({284, kShort, {1}});
        entries.push_back({322, kLong, {s.tileWidth}});
        entries.push_back({323, kLong, {s.tileLength}});
        entries.push_back({324, kLong, std::vector<uint32_t>(chunks)});
        entries.push_back({325, kLong, s.chunkBytes});
    } else {
        entries.push_back({273, kLong, std::vector<uint32_t>(chunks)});
        entries.push_back({277, kShort, {s.samples}});
        entries.push_back({278, kLong, {s.rowsPerStrip ? s.rowsPerStrip : s.height}});
        entries.push_back({279, kLong, s.chunkBytes});
        entries.push_back({284, kShort, {1}});
    }
    const size_t ifdBytes = 2 + 12 * entries.size() + 4;
    size_t extra = 8 + ifdBytes;
    std::vector<size_t> extraAt(entries.size(), 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t size = entries[i].values.size() * (entries[i].type == kShort ? 2 : 4);
        if (size > 4) {
            extraAt[i] = extra;
            extra += size;
        }
    }
    // Chunk data follows the arrays, one chunk after another.
    uint32_t at = static_cast<uint32_t>(extra);
    for (Entry& e : entries)
        if (e.tag == 273 || e.tag == 324)
            for (size_t c = 0; c < chunks; ++c) {
                e.values[c] = at;
                at += s.chunkBytes[c];
            }
    std::vector<BYTE> f = {'I', 'I', 42, 0};
    PutLong(f, 4, 8);
    PutWord(f, 8, static_cast<uint32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const size_t p = 10 + 12 * i;
        PutWord(f, p, e.tag);
        PutWord(f, p + 2, e.type);
        PutLong(f, p + 4, static_cast<uint32_t>(e.values.size()));
        const size_t where = extraAt[i] ? extraAt[i] : p + 8;
        if (extraAt[i]) PutLong(f, p + 8, static_cast<uint32_t>(where));
        else PutLong(f, p + 8, 0);
        for (size_t v = 0; v < e.values.size(); ++v)
            e.type == kShort ? PutWord(f, where + 2 * v, e.values[v]) : PutLong(f, where + 4 * v, e.values[v]);
    }
    PutLong(f, 8 + ifdBytes - 4, 0);
    f.resize(extra, 0);
    const size_t data = std::min(s.dataBytes, static_cast<size_t>(at) - extra);
    f.insert(f.end(), data, s.fill);
    return f;
}

// ---- JPEG: baseline, one grey component, Huffman tables with one 1-bit code each (DC
// difference 0, end of block), so that every 8 x 8 block takes two bits and decodes to 128 ----

std::vector<BYTE> BaselineGreyJpeg(int width, int height, size_t entropyBytes, BYTE entropyFill) {
    std::vector<BYTE> f = {0xFF, 0xD8};
    auto segment = [&](BYTE marker, const std::vector<BYTE>& body) {
        f.push_back(0xFF);
        f.push_back(marker);
        f.push_back(static_cast<BYTE>((body.size() + 2) >> 8));
        f.push_back(static_cast<BYTE>(body.size() + 2));
        f.insert(f.end(), body.begin(), body.end());
    };
    std::vector<BYTE> quant(65, 1);
    quant[0] = 0;
    segment(0xDB, quant);
    segment(0xC0, {8, static_cast<BYTE>(height >> 8), static_cast<BYTE>(height), static_cast<BYTE>(width >> 8),
                   static_cast<BYTE>(width), 1, 1, 0x11, 0});
    for (BYTE tableClass : {0x00, 0x10}) {
        std::vector<BYTE> table(18, 0);
        table[0] = tableClass;
        table[1] = 1;  // one code of length 1, for symbol 0
        segment(0xC4, table);
    }
    segment(0xDA, {1, 1, 0x00, 0, 63, 0});
    f.insert(f.end(), entropyBytes, entropyFill);
    f.push_back(0xFF);
    f.push_back(0xD9);
    return f;
}

struct Malformed {
    const char* module;
    const char* what;
    std::vector<BYTE> bytes;
};

std::vector<Malformed> MalformedFiles() {
    std::vector<Malformed> files;

    // BMP: the pixel rows of an uncompressed file must lie in the file.
    BmpSpec tall = Spec(8, 4096, 32767);
    tall.table.assign(6, RGBQUAD{9, 9, 9, 0});
    tall.clrUsed = 6;
    files.push_back({"RastBMP32.dll", "78-byte BMP declaring 4096 x 32767 at 8 bits", BuildBmp(tall)});
    BmpSpec wide = Spec(8, 10922, 32767);
    wide.clrUsed = 1;
    wide.table.assign(1, RGBQUAD{});
    wide.pixels.assign(200, 7);
    files.push_back({"RastBMP32.dll", "BMP declaring 10922 x 32767 with 200 pixel bytes", BuildBmp(wide)});
    BmpSpec bare = Spec(24, 300, 200);
    bare.fileHeader = false;
    bare.pixels.assign(RowBytes(24, 300) * 199, 1);
    files.push_back({"RastBMP32.dll", "bare 24-bit DIB one row short", BuildBmp(bare)});
    BmpSpec runs = Spec(8, 16, 16);
    runs.compression = BI_RLE8;
    runs.table.assign(256, RGBQUAD{});
    runs.pixels = {0, 1};
    std::vector<BYTE> runBytes = BuildBmp(runs);
    Patch(runBytes, 34, 5000, 4);  // the run-length data says it takes 5,000 bytes
    files.push_back({"RastBMP32.dll", "RLE8 BMP whose data size lies past the end", runBytes});

    // PCX: the run-length data must be able to give every line; an 8-bit table must be whole.
    std::vector<BYTE> bigPcx = PcxHeader(32764, 32767, 8, 1, 32764);
    for (int i = 0; i < 8; ++i) bigPcx.insert(bigPcx.end(), {0xFF, 0x00});
    files.push_back({"RastPCX32.dll", "144-byte PCX declaring 32764 x 32767", bigPcx});
    std::vector<BYTE> colourPcx = PcxHeader(5000, 3000, 8, 3, 5000);
    colourPcx.insert(colourPcx.end(), 900, 0xFF);
    files.push_back({"RastPCX32.dll", "24-bit PCX declaring 5000 x 3000 in 1 KB", colourPcx});
    files.push_back({"RastPCX32.dll", "8-bit PCX cut inside its palette", SmallPcx8(300)});
    std::vector<BYTE> markOnly = SmallPcx8(0);
    markOnly.push_back(0x0C);
    files.push_back({"RastPCX32.dll", "8-bit PCX cut after its table mark", markOnly});
    std::vector<BYTE> shortPcx = SmallPcx8(0);
    shortPcx.resize(shortPcx.size() - 3);
    files.push_back({"RastPCX32.dll", "8-bit PCX three pixels short", shortPcx});

    // TIFF: strips and tiles must lie in the file, and hold what their compression can give.
    TiffSpec big;
    big.width = 32764;
    big.height = 32767;
    big.chunkBytes = {900};
    files.push_back({"RastTIF32.dll", "1 KB TIFF declaring 32764 x 32767", BuildTiff(big)});
    TiffSpec tiles;
    tiles.width = tiles.height = 8192;
    tiles.samples = 3;
    tiles.tiled = true;
    tiles.tileWidth = tiles.tileLength = 256;
    tiles.compression = 5;  // LZW
    tiles.chunkBytes.assign(32 * 32, 1);
    files.push_back({"RastTIF32.dll", "tiled TIFF of 8192 x 8192 colour in 1,024 one-byte tiles", BuildTiff(tiles)});
    TiffSpec fewTiles = tiles;
    fewTiles.width = fewTiles.height = 512;
    fewTiles.compression = 1;
    fewTiles.chunkBytes.assign(3, 256 * 256 * 3);
    files.push_back({"RastTIF32.dll", "tiled TIFF with 3 of its 4 tiles", BuildTiff(fewTiles)});
    TiffSpec cut;
    cut.width = 100;
    cut.height = 50;
    cut.chunkBytes = {5000};
    cut.dataBytes = 4000;
    files.push_back({"RastTIF32.dll", "TIFF whose strip runs past the end", BuildTiff(cut)});
    TiffSpec packed = cut;
    packed.compression = 32773;  // PackBits: at most 128 bytes from 2
    packed.chunkBytes = {60};
    packed.dataBytes = SIZE_MAX;
    files.push_back({"RastTIF32.dll", "PackBits TIFF of 5,000 bytes in 60", BuildTiff(packed)});
    TiffSpec odd = cut;
    odd.compression = 34661;
    odd.chunkBytes = {5000};
    odd.dataBytes = SIZE_MAX;
    files.push_back({"RastTIF32.dll", "TIFF with a compression the module does not know", BuildTiff(odd)});

    // JPEG: every 8 x 8 block of a Huffman-coded file takes at least one bit.
    files.push_back({"RastJPG32.dll", "659-byte JPEG declaring 32768 x 2300", BaselineGreyJpeg(32768, 2300, 519, 0)});
    files.push_back({"RastJPG32.dll", "232-byte JPEG declaring 10922 x 32767", BaselineGreyJpeg(10922, 32767, 92, 0)});
    std::vector<BYTE> noFrame = BaselineGreyJpeg(16, 8, 1, 0x0F);
    noFrame.erase(noFrame.begin() + 2 + 69, noFrame.begin() + 2 + 69 + 13);
    files.push_back({"RastJPG32.dll", "JPEG without a frame header", noFrame});
    std::vector<BYTE> cutSegment = BaselineGreyJpeg(16, 8, 1, 0x0F);
    cutSegment.resize(2 + 40);
    files.push_back({"RastJPG32.dll", "JPEG cut inside its quantisation table", cutSegment});
    return files;
}

int WINAPI CountRow(void*, long user, int, int) {
    ++*reinterpret_cast<int*>(static_cast<INT_PTR>(user));
    return 0;
}

std::string Extension(const char* module) {
    std::string name = module;
    return name.substr(4, 3);
}

}  // namespace

TEST(MalformedImageFiles, EveryReadingExportRefusesThemFromTheHeader) {
    for (const Malformed& m : MalformedFiles()) {
        SCOPED_TRACE(std::string(m.module) + ": " + m.what);
        RastModule rast(m.module);
        ASSERT_TRUE(rast.module.loaded());
        const std::string path = WorkPath(std::string("malformed.") + Extension(m.module));
        WriteFileBytes(path, m.bytes);
        OpenedFile file(path, false);
        RastImageHeader header{};
        const DWORD start = GetTickCount();
        EXPECT_EQ(rast.readHeader(file.get(), &header, 1), 0);
        // A header read looks at the header, never at every pixel the file declares.
        EXPECT_LT(GetTickCount() - start, 2000u);
        EXPECT_EQ(rast.getError(), RAST_ERR_READ);
        EXPECT_EQ(rast.readHeaderExt(file.get(), &header, 1, 0, 0), 0);
        EXPECT_EQ(rast.readPalette(file.get()), nullptr);
        std::vector<BYTE> rows(4096, 0xEE);
        RastImageData data = MemoryData(rows);
        EXPECT_EQ(rast.readDibImg(file.get(), &data, 0), 0) << "an image read after a refused header";
        EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](BYTE b) { return b == 0xEE; }));
        int rowsSeen = 0;
        EXPECT_EQ(
            rast.decodeImg(file.get(), 0, 0, CountRow, static_cast<long>(reinterpret_cast<INT_PTR>(&rowsSeen)), 0), 0);
        EXPECT_EQ(rowsSeen, 0);
        // The BMP module's test looks at the header's flags alone; the others read the file.
        if (Extension(m.module) != "BMP") {
            EXPECT_EQ(rast.isCorrectHeader(path.c_str()), 0);
        }
    }
}

// The checks refuse only what cannot be: small sound files of the same shapes still read, with
// the pixels and colours the format gives them.
TEST(MalformedImageFiles, SoundFilesOfTheSameShapesStillRead) {
    struct Sound {
        const char* module;
        const char* what;
        std::vector<BYTE> bytes;
        int width, height, bits;
        std::vector<BYTE> firstRowBytes;  // the top line as delivered
    };
    TiffSpec strip;
    strip.chunkBytes = {8};
    strip.fill = 0x40;
    TiffSpec tiles;
    tiles.width = 20;
    tiles.height = 20;
    tiles.tiled = true;
    tiles.tileWidth = tiles.tileLength = 16;
    tiles.chunkBytes.assign(4, 256);
    tiles.fill = 0x33;
    BmpSpec exact = Spec(8, 3, 2);
    exact.table.assign(256, RGBQUAD{});
    exact.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    std::vector<BYTE> runPcx = PcxHeader(200, 100, 8, 1, 200);
    for (int line = 0; line < 100; ++line) runPcx.insert(runPcx.end(), {0xFF, 9, 0xFF, 9, 0xFF, 9, 0xCB, 9});
    runPcx.push_back(0x0C);
    runPcx.insert(runPcx.end(), 768, 0);
    const std::vector<Sound> files = {
        {"RastBMP32.dll", "8-bit BMP, rows exactly to the end", BuildBmp(exact), 3, 2, 8, {4, 5, 6}},
        {"RastPCX32.dll", "8-bit PCX with its whole table", SmallPcx8(768), 4, 2, 8, {1, 2, 3, 4}},
        {"RastPCX32.dll", "8-bit PCX without a table", SmallPcx8(0), 4, 2, 8, {1, 2, 3, 4}},
        {"RastPCX32.dll", "8-bit PCX of 200 x 100 in runs of 63", runPcx, 200, 100, 8, {9, 9, 9, 9}},
        {"RastTIF32.dll", "uncompressed grey TIFF", BuildTiff(strip), 4, 2, 8, {0x40, 0x40, 0x40, 0x40}},
        {"RastTIF32.dll", "tiled grey TIFF", BuildTiff(tiles), 20, 20, 8, {0x33, 0x33, 0x33, 0x33}},
        {"RastJPG32.dll", "baseline grey JPEG", BaselineGreyJpeg(16, 8, 1, 0x0F), 16, 8, 8, {128, 128, 128, 128}},
    };
    for (const Sound& s : files) {
        SCOPED_TRACE(std::string(s.module) + ": " + s.what);
        RastModule rast(s.module);
        const std::string path = WorkPath(std::string("sound.") + Extension(s.module));
        WriteFileBytes(path, s.bytes);
        OpenedFile file(path, false);
        RastImageHeader header{};
        ASSERT_EQ(rast.readHeader(file.get(), &header, 1), 1);
        EXPECT_EQ(header.width, s.width);
        EXPECT_EQ(header.height, s.height);
        EXPECT_EQ(header.bitsPerPixel, s.bits);
        std::vector<BYTE> rows(StoredSize(header));
        RastImageData data = MemoryData(rows);
        ASSERT_EQ(rast.readDibImg(file.get(), &data, 0), 1);
        const BYTE* top = &rows[static_cast<size_t>(header.rowBytes) * (header.height - 1)];
        EXPECT_TRUE(std::equal(s.firstRowBytes.begin(), s.firstRowBytes.end(), top));
        if (header.palette) DeleteObject(header.palette);
    }
    // The whole table is the file's own; without one the 8-bit picture is grey.
    RastModule pcx("RastPCX32.dll");
    for (size_t table : {768u, 0u}) {
        const std::string path = WorkPath("palette.pcx");
        WriteFileBytes(path, SmallPcx8(table));
        OpenedFile file(path, false);
        HPALETTE palette = pcx.readPalette(file.get());
        ASSERT_TRUE(palette);
        PALETTEENTRY entry{};
        GetPaletteEntries(palette, 5, 1, &entry);
        EXPECT_EQ(entry.peRed, table ? 15 : 5) << table;
        EXPECT_EQ(entry.peGreen, table ? 0 : 5) << table;
        DeleteObject(palette);
    }
}

// The JPEG header is read from the markers up to the first scan, without decoding the picture:
// a sound file declaring 16000 x 16000 grey pixels (256 MB once decoded) answers at once.
TEST(MalformedImageFiles, AJpegHeaderComesFromItsMarkersAlone) {
    RastModule jpg("RastJPG32.dll");
    const std::string path = WorkPath("large.jpg");
    WriteFileBytes(path, BaselineGreyJpeg(16000, 16000, 1000000, 0));  // two bits for each of 4 M blocks
    OpenedFile file(path, false);
    RastImageHeader header{};
    const DWORD start = GetTickCount();
    ASSERT_EQ(jpg.readHeader(file.get(), &header, 1), 1);
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(header.width, 16000);
    EXPECT_EQ(header.height, 16000);
    EXPECT_EQ(header.bitsPerPixel, 8);
    EXPECT_EQ(header.rowBytes, 16000);
    if (header.palette) DeleteObject(header.palette);
}

// A module that cannot get memory for a file answers 0; the exception stays inside it. A sparse
// file of 3 GB behind a sound PCX header is more than a 32-bit process can hold.
TEST(MalformedImageFiles, AFileTooLargeForMemoryIsRefusedNotThrown) {
    RastModule pcx("RastPCX32.dll");
    const std::string path = WorkPath("huge.pcx");
    {
        OpenedFile file(path, true);
        HANDLE handle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file.get()));
        std::vector<BYTE> header = PcxHeader(32000, 32000, 8, 1, 32000);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(handle, header.data(), static_cast<DWORD>(header.size()), &written, nullptr));
        LONG high = 0;
        SetFilePointer(handle, static_cast<LONG>(0xC0000000u), &high, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(handle));
    }
    OpenedFile file(path, false);
    RastImageHeader header{};
    EXPECT_EQ(pcx.readHeader(file.get(), &header, 1), 0);
    int rowsSeen = 0;
    EXPECT_EQ(pcx.decodeImg(file.get(), 0, 0, CountRow, static_cast<long>(reinterpret_cast<INT_PTR>(&rowsSeen)), 0), 0);
    EXPECT_EQ(pcx.isCorrectHeader(path.c_str()), 0);
    DeleteFileA(path.c_str());
}
