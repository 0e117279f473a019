// The TIFF, JPEG and PCX modules through the program's own loads and saves, checked against
// the independent tool (ImageMagick): it reads what the modules write, and the modules read
// what it writes, at every depth.
#include "capture_fixture.h"
#include "imaging_test_support.h"
#include <rastimg.h>
#include <psapi.h>
#include "emulation.h"

using namespace capturetest;
using imagingtest::ReadPpm;
using imagingtest::RgbImage;

namespace {

// The record's pixels as 0xRRGGBB through its palette (1 bit without one: black and white).
RgbImage RecordRgb(const ImageRecord& record) {
    RgbImage rgb;
    rgb.width = record.Info.Width;
    rgb.height = record.Info.Height;
    auto entries = PaletteEntries(record.Info.Palette);
    for (uint32_t v : PixelValues(record)) {
        if (record.Info.BitsPerPixel == 24) rgb.pixels.push_back(v);
        else if (v < entries.size())
            rgb.pixels.push_back(entries[v].peRed << 16 | entries[v].peGreen << 8 | entries[v].peBlue);
        else rgb.pixels.push_back(record.Info.BitsPerPixel == 1 ? (v ? 0xFFFFFF : 0) : v * 0x010101);
    }
    return rgb;
}

// The picture as the independent tool decodes it: ImageMagick, or Pillow where the two disagree
// (ImageMagick takes bit 0 of every black-and-white PCX as white, whatever its header says).
RgbImage ToolRgb(const std::string& path, bool pillow = false) {
    std::string ppm = path + ".ppm";
    std::string command = pillow ? "/usr/bin/python3 -c \"import sys; from PIL import Image; "
                                   "Image.open(sys.argv[1]).convert('RGB').save(sys.argv[2], 'PPM')\" '" +
                                       UnixPath(path) + "' '" + UnixPath(ppm) + "'"
                                 : "/usr/bin/convert '" + UnixPath(path) +
                                       "[0]' -alpha off -depth 8 'PPM:" + UnixPath(ppm) + "' 2>/dev/null";
    EXPECT_EQ(RunShellCommand(command), 0) << command;
    RgbImage rgb = ReadPpm(ppm);
    EXPECT_GT(rgb.width, 0) << command;
    return rgb;
}

int LargestChannelDifference(const RgbImage& a, const RgbImage& b) {
    int worst = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            worst = std::max(worst, abs((int)(a.pixels[i] >> shift & 0xFF) - (int)(b.pixels[i] >> shift & 0xFF)));
    return worst;
}

void ExpectAlike(const RgbImage& ours, const RgbImage& expected, int tolerance, const std::string& what) {
    ASSERT_EQ(ours.width, expected.width) << what;
    ASSERT_EQ(ours.height, expected.height) << what;
    if (tolerance == 0) EXPECT_TRUE(ours.pixels == expected.pixels) << what;
    else EXPECT_LE(LargestChannelDifference(ours, expected), tolerance) << what;
}

// TIFF colour maps hold 16-bit values; the tool turns them back into 8 bits by dividing by 257,
// which can land one below the colour written, so palette TIFFs are compared within 1.

// A smooth picture that JPEG keeps within a small tolerance.
ImageRecord SmoothImage(int width, int height, int bits) {
    ImageRecord image = MakeFlatImage(width, height, bits, 0, bits == 8 ? Colours::Grey : Colours::None);
    uint8_t* pixels = (uint8_t*)GlobalLock(image.Pixels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t v = bits == 8 ? (uint32_t)(x * 255 / width)
                                   : (uint32_t)((x * 255 / width) << 16 | (y * 255 / height) << 8 | 128);
            WriteRowPixel(pixels + (size_t)y * image.Info.RowStride, x, bits, v);
        }
    GlobalUnlock(image.Pixels);
    return image;
}

ImageRecord LoadFile(const std::string& path) {
    ImageRecord loaded;
    memset(&loaded, 0, sizeof loaded);
    loaded.Pixels = LoadImageFile(nullptr, path.c_str(), &loaded.Info, 0, 0);
    return loaded;
}

void WritePpm(const std::string& path, const ImageRecord& image) {
    RgbImage rgb = RecordRgb(image);
    std::string bytes = "P6\n" + std::to_string(rgb.width) + " " + std::to_string(rgb.height) + "\n255\n";
    for (uint32_t v : rgb.pixels) bytes += {(char)(v >> 16), (char)(v >> 8), (char)v};
    WriteWholeFile(path, bytes);
}

}  // namespace

TEST(ImageModules, SavedFilesLoadBackAndTheToolSeesTheSamePicture) {
    const struct {
        const char* extension;
        int type, bits, option;
        Colours colours;
        int tolerance;
    } cases[] = {{"tif", 1, 1, 4, Colours::Grey, 0},   {"tif", 1, 1, 0, Colours::None, 0},
                 {"tif", 1, 4, 0, Colours::Colour, 1}, {"tif", 1, 8, 0, Colours::Colour, 1},
                 {"tif", 1, 8, 0, Colours::Grey, 0},   {"tif", 1, 24, 0, Colours::None, 0},
                 {"pcx", 2, 1, 0, Colours::Grey, 0},   {"pcx", 2, 4, 0, Colours::Colour, 0},
                 {"pcx", 2, 8, 0, Colours::Colour, 0}, {"pcx", 2, 24, 0, Colours::None, 0},
                 {"jpg", 4, 8, 1, Colours::Grey, 16},  {"jpg", 4, 24, 1, Colours::None, 16}};
    int n = 0;
    for (const auto& c : cases) {
        std::string what =
            std::string(c.extension) + " " + std::to_string(c.bits) + " bits, option " + std::to_string(c.option);
        ImageRecord image = c.tolerance ? SmoothImage(61, 37, c.bits) : MakeImage(61, 37, c.bits, c.colours);
        std::string path = ScratchPath("saved" + std::to_string(n++) + "." + c.extension);
        ASSERT_EQ(SaveImageFile(path.c_str(), c.type, c.option, &image), 1) << what;
        ImageRecord loaded = LoadFile(path);
        ASSERT_TRUE(loaded.Pixels) << what;
        EXPECT_EQ(loaded.Info.FileType, c.type);
        EXPECT_EQ(loaded.Info.BitsPerPixel, c.bits) << what;
        EXPECT_EQ(loaded.Info.RowStride, GetDibRowBytes(61, c.bits)) << what;
        EXPECT_EQ(loaded.Info.Resolution, 300) << what;
        ExpectAlike(RecordRgb(loaded), RecordRgb(image), c.type == IMAGE_TYPE_JPEG ? c.tolerance : 0,
                    what + " loaded back");
        bool pillow = c.type == IMAGE_TYPE_PCX && c.bits == 1;
        ExpectAlike(ToolRgb(path, pillow), RecordRgb(image), c.tolerance, what + " read by the tool");
        FreeImage(image);
        FreeImage(loaded);
    }
}

TEST(ImageModules, FilesTheToolWroteAreReadAsTheToolSeesThem) {
    ImageRecord source = MakeImage(53, 29, 24);
    std::string ppm = ScratchPath("tool-source.ppm");
    WritePpm(ppm, source);
    const struct {
        const char* name;
        const char* options;
        int bits;  // 0: whatever the tool chose
        int tolerance;
    } cases[] = {{"g4.tif", "-monochrome -compress Group4", 1, 0},
                 {"lzw.tif", "-type TrueColor -compress LZW", 24, 0},
                 {"packbits.tif", "-type TrueColor -compress RLE", 24, 0},
                 {"palette.tif", "-colors 200 -type Palette", 8, 1},
                 {"grey.tif", "-type Grayscale", 8, 0},
                 {"rgb.tif", "-type TrueColor -compress None", 24, 0},
                 {"mono.pcx", "-monochrome BMP3:- | /usr/bin/convert BMP3:- ", 1, 0},
                 {"sixteen.pcx", "-colors 16", 0, 0},
                 {"palette.pcx", "-colors 200 -type Palette", 8, 0},
                 {"rgb.pcx", "-type TrueColor", 24, 0},
                 {"grey.jpg", "-type Grayscale -quality 90", 8, 3},
                 {"colour.jpg", "-quality 90", 24, 3}};
    for (const auto& c : cases) {
        std::string path = ScratchPath(c.name);
        std::string command = "/usr/bin/convert '" + UnixPath(ppm) + "' " + c.options + " '" + UnixPath(path) + "'";
        ASSERT_EQ(RunShellCommand(command), 0) << command;
        ImageRecord loaded = LoadFile(path);
        ASSERT_TRUE(loaded.Pixels) << c.name;
        if (c.bits) {
            EXPECT_EQ(loaded.Info.BitsPerPixel, c.bits) << c.name;
        }
        ExpectAlike(RecordRgb(loaded), ToolRgb(path), c.tolerance, c.name);
        FreeImage(loaded);
    }
    FreeImage(source);
}

TEST(ImageModules, MalformedFilesGiveAMessageNeverACrash) {
    ImageRecord image = MakeImage(64, 48, 24);
    for (const char* extension : {"tif", "jpg", "pcx"}) {
        std::string good = ScratchPath(std::string("good.") + extension);
        ASSERT_EQ(SaveImageFile(good.c_str(), GetImageFileType(good.c_str()), 0, &image), 1);
        std::vector<uint8_t> bytes = ReadFileBytes(good);
        std::vector<std::vector<uint8_t>> damaged = {
            {},
            {'G', 'A', 'R', 'B', 'A', 'G', 'E'},
            std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2),
            std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20)};
        if (std::string(extension) == "pcx") {
            std::vector<uint8_t> huge = bytes;
            huge[8] = huge[9] = 0xFF;  // a width of 65,536
            damaged.push_back(huge);
            std::vector<uint8_t> planes = bytes;
            planes[65] = 7;
            damaged.push_back(planes);
            std::vector<uint8_t> declaresMore = bytes;  // 10000 x 32767 in the data of 64 x 48
            declaresMore[8] = 0x0F, declaresMore[9] = 0x27, declaresMore[10] = 0xFE, declaresMore[11] = 0x7F;
            declaresMore[66] = 0x10, declaresMore[67] = 0x27;
            damaged.push_back(declaresMore);
        }
        for (size_t i = 0; i < damaged.size(); ++i) {
            std::string path = ScratchPath("damaged" + std::to_string(i) + "." + extension);
            WriteWholeFile(path, damaged[i]);
            ImageRecord loaded;
            auto seen = MessagesDuring([&] { loaded = LoadFile(path); });
            EXPECT_FALSE(loaded.Pixels) << path;
            ASSERT_EQ(seen.size(), 1u) << path;
            EXPECT_EQ(seen[0], "Unknown format, cannot open.") << path;
        }
    }
    FreeImage(image);
}

namespace {
std::vector<std::vector<int>> g_calls;
int WINAPI RecordCall(int first, int total, int current) {
    g_calls.push_back({first, total, current});
    return 0;
}
}  // namespace

TEST(ImageModules, EveryModuleOffersTheRastInterface) {
    char folder[MAX_PATH];
    GetModuleFileNameA(nullptr, folder, sizeof folder);
    *strrchr(folder, '\\') = 0;
    for (const char* name : {"RastTIF32", "RastJPG32", "RastPCX32"}) {
        HMODULE module = LoadLibraryA((std::string(folder) + "\\RASTDLL\\" + name + ".dll").c_str());
        ASSERT_TRUE(module) << name;
        auto getCap = (rastGetCap_t)(void*)GetProcAddress(module, "rastGetCap");
        auto setSubformat = (rastSetSubformat_t)(void*)GetProcAddress(module, "rastSetSubformat");
        auto getErrorCode = (rastGetErrorCode_t)(void*)GetProcAddress(module, "rastGetErrorCode");
        auto setCallback = (rastSetWaitingCallback_t)(void*)GetProcAddress(module, "rastSetWaitingCallback");
        auto readHeader = (rastReadHeader_t)(void*)GetProcAddress(module, "rastReadHeader");
        auto readImage = (rastReadDIBImg_t)(void*)GetProcAddress(module, "rastReadDIBImg");
        ASSERT_TRUE(getCap && setSubformat && getErrorCode && setCallback && readHeader && readImage);
        for (const char* other :
             {"rastSaveHeader", "rastSavePalette", "rastSaveImg", "_rastGetError@0", "rastDecodeImg"})
            EXPECT_TRUE(GetProcAddress(module, other)) << name << " " << other;
        uint8_t cap[RAST_CAP_BYTES] = {};
        EXPECT_EQ(getCap(cap), 1);
        EXPECT_EQ(std::string((char*)cap, 3), std::string(name + 4, 3));
        std::string moduleFile = std::string(name) + ".dll";
        for (char& ch : moduleFile) ch = (char)tolower(ch);
        EXPECT_EQ(std::string((char*)cap + 25, 13), moduleFile);
        EXPECT_EQ(setSubformat(258), 0);
        EXPECT_EQ(getErrorCode(), RAST_CODE_BAD_SUBFORMAT);
        // The waiting callback hears the start and the end of an image read, then is forgotten.
        ImageRecord image = MakeImage(40, 20, 24);
        std::string path = ScratchPath(std::string("callback.") + (name[4] == 'T'   ? "tif"
                                                                   : name[4] == 'J' ? "jpg"
                                                                                    : "pcx"));
        ASSERT_EQ(SaveImageFile(path.c_str(), GetImageFileType(path.c_str()), 0, &image), 1);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        RastImageHeader header{};
        ASSERT_EQ(readHeader((HFILE)(INT_PTR)file, &header, 1), 1);
        EXPECT_EQ(header.rowBytes, GetDibRowBytes(40, 24));
        std::vector<uint8_t> rows((size_t)header.rowBytes * header.height);
        RastImageData data{(long)rows.size(), 0, nullptr, 0, rows.data()};
        g_calls.clear();
        setCallback(RecordCall);
        EXPECT_EQ(readImage((HFILE)(INT_PTR)file, &data, 0), 1);
        ASSERT_GE(g_calls.size(), 2u);
        EXPECT_EQ(g_calls.front(), (std::vector<int>{0, 20, 0}));
        EXPECT_EQ(g_calls.back(), (std::vector<int>{0, 20, 20}));
        // Too small a target is refused, never overrun.
        data.byteCount = (long)rows.size() - 1;
        EXPECT_EQ(readImage((HFILE)(INT_PTR)file, &data, 0), 0);
        CloseHandle(file);
        FreeImage(image);
        FreeLibrary(module);
    }
}

namespace {

// The process's private committed pages, counted by walking its address space: what the
// process itself allocated, whatever runs it.
SIZE_T PrivateCommittedBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* at = nullptr;
    while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

// The process's commit as Wine reports it (read from Linux, so it also holds memory of the
// process's Linux side). Under an emulator that figure is the emulator's own and grows with its
// cache of translated code, by about 75-150 KB every time a module is mapped anew even when the
// module allocates nothing; there the process's own pages are counted instead.
SIZE_T CommittedBytes() {
    static const bool emulated = RunsUnderEmulator();
    if (emulated) return PrivateCommittedBytes();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

}  // namespace

// A card picture saved again and again (the recognition driver saves every turned colour card
// as a working TIFF) keeps nothing behind: after a few warm-up saves the process's commit stays
// within a few megabytes, where a save that kept its picture's worth would add about 57 MB. The
// module is loaded and freed for every save, so what it keeps across an unload is caught by the
// process's own pages: its runtime's emergency pool alone was about 19 KB a save, 570 KB here.
TEST(ImageModules, SavingAPictureManyTimesKeepsNoMemory) {
    const struct {
        const char* extension;
        int type, bits, option;
    } cases[] = {{"tif", 1, 24, 0}, {"tif", 1, 1, 4}, {"tif", 1, 8, 0}, {"jpg", 4, 24, 1}, {"bmp", 3, 8, 0}};
    for (const auto& c : cases) {
        std::string what = std::string(c.extension) + " " + std::to_string(c.bits) + " bits";
        ImageRecord image = MakeImage(600, 1050, c.bits, c.bits == 8 ? Colours::Grey : Colours::None);
        std::string path = ScratchPath("again." + std::string(c.extension));
        for (int i = 0; i < 3; ++i) ASSERT_EQ(SaveImageFile(path.c_str(), c.type, c.option, &image), 1) << what;
        SIZE_T warm = CommittedBytes(), warmOwn = PrivateCommittedBytes();
        for (int i = 0; i < 30; ++i) ASSERT_EQ(SaveImageFile(path.c_str(), c.type, c.option, &image), 1) << what;
        EXPECT_LT((double)CommittedBytes() - (double)warm, 6.0 * 1048576) << what;
        EXPECT_LT((double)PrivateCommittedBytes() - (double)warmOwn, 256.0 * 1024) << what;
        ImageRecord loaded = LoadFile(path);
        ASSERT_TRUE(loaded.Pixels) << what;
        if (c.type == IMAGE_TYPE_TIFF) {
            EXPECT_TRUE(RecordRgb(loaded).pixels == RecordRgb(image).pixels) << what;
        }
        FreeImage(image);
        FreeImage(loaded);
    }
}
