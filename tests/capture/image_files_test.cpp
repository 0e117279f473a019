// Card image files through the image file modules: the binding by extension, loads, saves,
// draws, their messages, and files that no module can read.
#include "capture_fixture.h"
#include <fstream>

using namespace capturetest;

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    *strrchr(path, '\\') = 0;
    return path;
}

// Moves RASTDLL aside for the length of a test, as on an installation without it.
class WithoutModuleFolder {
public:
    WithoutModuleFolder() {
        MoveFileA((ProgramFolder() + "\\RASTDLL").c_str(), (ProgramFolder() + "\\RASTDLL.off").c_str());
    }
    ~WithoutModuleFolder() {
        MoveFileA((ProgramFolder() + "\\RASTDLL.off").c_str(), (ProgramFolder() + "\\RASTDLL").c_str());
    }
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Loads a file into a record of its own; the pixels stay null when the load failed.
ImageRecord Load(const std::string& path, int keepBottomUp = 0) {
    ImageRecord loaded;
    memset(&loaded, 0, sizeof loaded);
    loaded.Pixels = LoadImageFile(nullptr, path.c_str(), &loaded.Info, 0, keepBottomUp);
    return loaded;
}

}  // namespace

TEST(ImageFileType, ByExtensionWithoutRegardToCase) {
    const struct {
        const char* name;
        int type;
    } cases[] = {{"card.TIF", 1},  {"card.tif", 1}, {"card.Tif", 1},   {"c:\\a.b\\card.PCX", 2},
                 {"card.bmp", 3},  {"card.TPL", 3}, {"layout.wpr", 3}, {"card.JPG", 4},
                 {"card.jpeg", 0}, {"card", 0},     {"card.tiff", 0},  {"card.", 0}};
    for (const auto& c : cases) EXPECT_EQ(GetImageFileType(c.name), c.type) << c.name;
}

TEST(ImageFiles, BmpSavedAndLoadedBackAtEveryDepthWithOddSizes) {
    const struct {
        int bits;
        Colours colours;
    } cases[] = {
        {1, Colours::Grey}, {4, Colours::Colour}, {8, Colours::Colour}, {8, Colours::Grey}, {24, Colours::None}};
    for (const auto& c : cases) {
        ImageRecord image = MakeImage(37, 11, c.bits, c.colours);
        image.Info.Resolution = 200;
        std::string path = ScratchPath("round" + std::to_string(c.bits) + ".bmp");
        ASSERT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image), 1) << c.bits;
        ImageRecord loaded = Load(path);
        ASSERT_TRUE(loaded.Pixels) << c.bits;
        EXPECT_EQ(loaded.Info.FileType, IMAGE_TYPE_BMP);
        EXPECT_EQ(loaded.Info.Width, 37);
        EXPECT_EQ(loaded.Info.Height, 11);
        EXPECT_EQ(loaded.Info.BitsPerPixel, c.bits);
        EXPECT_EQ(loaded.Info.RowStride, GetDibRowBytes(37, c.bits));
        EXPECT_EQ(loaded.Info.Resolution, 200);
        EXPECT_EQ(PixelValues(loaded), PixelValues(image)) << c.bits;
        if (image.Info.Palette) {
            auto want = PaletteEntries(image.Info.Palette), got = PaletteEntries(loaded.Info.Palette);
            ASSERT_EQ(got.size(), want.size());
            for (size_t i = 0; i < want.size(); ++i)
                EXPECT_EQ(RGB(got[i].peRed, got[i].peGreen, got[i].peBlue),
                          RGB(want[i].peRed, want[i].peGreen, want[i].peBlue));
        }
        ImageInfo header;
        memset(&header, 0, sizeof header);
        ASSERT_EQ(ReadImageFileHeader(path.c_str(), &header), 1);
        EXPECT_EQ(header.Width, 37);
        EXPECT_EQ(header.RowStride, GetDibRowBytes(37, c.bits));
        if (header.Palette) DeleteObject(header.Palette);
        FreeImage(image);
        FreeImage(loaded);
    }
}

TEST(ImageFiles, LoadKeepsTheFilesBottomUpOrderOnlyWhenAsked) {
    ImageRecord image = MakeImage(9, 5, 8, Colours::Grey);
    std::string path = ScratchPath("order.bmp");
    ASSERT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image), 1);
    ImageRecord bottomUp = Load(path, 1);
    ASSERT_TRUE(bottomUp.Pixels);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(PixelAt(bottomUp, x, 4 - y), PixelAt(image, x, y));
    FreeImage(image);
    FreeImage(bottomUp);
}

TEST(ImageFiles, ResolutionZeroReadsAs300) {
    ImageRecord image = MakeImage(8, 8, 24);
    image.Info.Resolution = 0;
    std::string path = ScratchPath("nores.bmp");
    ASSERT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image), 1);
    ImageRecord loaded = Load(path);
    EXPECT_EQ(loaded.Info.Resolution, 300);
    FreeImage(image);
    FreeImage(loaded);
}

TEST(ImageFiles, LoadFailuresGiveTheirMessagesAndNoImage) {
    std::string truncated = ScratchPath("truncated.bmp"), garbage = ScratchPath("garbage.bmp");
    ImageRecord image = MakeImage(40, 30, 24);
    ASSERT_EQ(SaveImageFile(truncated.c_str(), IMAGE_TYPE_BMP, 0, &image), 1);
    HANDLE file = CreateFileA(truncated.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(file, 54 + 100, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    WriteBytes(garbage, "BM this is not a bitmap at all");
    const struct {
        std::string path;
        const char* message;
    } cases[] = {{ScratchPath("missing.bmp"), "File not found."},
                 {ScratchPath("noextension"), "Unknown format, cannot open."},
                 {garbage, "Unknown format, cannot open."},
                 {truncated, "Unknown format, cannot open."}};
    for (const auto& c : cases) {
        ImageRecord loaded;
        auto seen = MessagesDuring([&] { loaded = Load(c.path); });
        EXPECT_FALSE(loaded.Pixels) << c.path;
        ASSERT_EQ(seen.size(), 1u) << c.path;
        EXPECT_EQ(seen[0], c.message);
    }
    FreeImage(image);
}

TEST(ImageFiles, WithoutTheModuleFolderLoadsFailSilentlyAndHeaderReadsAndSavesSay803) {
    ImageRecord image = MakeImage(8, 8, 24);
    std::string path = ScratchPath("present.bmp");
    ASSERT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image), 1);
    WithoutModuleFolder away;
    ImageRecord loaded;
    EXPECT_TRUE(MessagesDuring([&] { loaded = Load(path); }).empty());
    EXPECT_FALSE(loaded.Pixels);
    ImageInfo header;
    auto seen = MessagesDuring([&] { EXPECT_EQ(ReadImageFileHeader(path.c_str(), &header), 0); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "DLL file $ not found.");
    std::string target = ScratchPath("nomodule.bmp");
    seen = MessagesDuring([&] { EXPECT_EQ(SaveImageFile(target.c_str(), IMAGE_TYPE_BMP, 0, &image), 0); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "DLL file $ not found.");
    EXPECT_FALSE(Exists(target));
    FreeImage(image);
}

TEST(ImageFiles, JpegTakesOnlyColourAndGreyImages) {
    ImageRecord palette = MakeImage(8, 8, 8, Colours::Colour);
    ImageRecord mono = MakeImage(8, 8, 1);
    for (ImageRecord* image : {&palette, &mono}) {
        std::string path = ScratchPath("refused.jpg");
        auto seen = MessagesDuring([&] { EXPECT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_JPEG, 1, image), 0); });
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0], "This card cannot be saved in JPEG format.");
        EXPECT_FALSE(Exists(path));
    }
    FreeImage(palette);
    FreeImage(mono);
}

TEST(ImageFiles, SaveThatCannotCreateItsFileSays801AndLeavesNothing) {
    ImageRecord image = MakeImage(8, 8, 24);
    std::string folderName = ScratchPath("IMAGE"), noFolder = ScratchPath("nofolder\\card.bmp");
    for (const std::string& path : {folderName, noFolder}) {
        auto seen = MessagesDuring([&] { EXPECT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image), 0); });
        ASSERT_EQ(seen.size(), 1u) << path;
        EXPECT_EQ(seen[0], "File $ cannot be opened.");
    }
    EXPECT_TRUE(GetFileAttributesA(folderName.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(Exists(noFolder));
    FreeImage(image);
}

TEST(ImageFiles, SaveRefusesSizesTheModulesCannotHold) {
    ImageRecord image = MakeImage(8, 8, 24);
    image.Info.Width = 40000;
    std::string path = ScratchPath("toowide.bmp");
    auto seen = MessagesDuring([&] { EXPECT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image), 0); });
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_FALSE(Exists(path));
    image.Info.Width = 8;
    FreeImage(image);
}

TEST(ImageFiles, DrawImageFileDrawsTheFileUnscaledAtItsCorner) {
    ImageRecord image = MakeImage(13, 9, 24);
    std::string path = ScratchPath("draw.bmp");
    ASSERT_EQ(SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image), 1);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 40, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    PatBlt(dc, 0, 0, 40, 30, WHITENESS);
    EXPECT_EQ(DrawImageFile(dc, path.c_str(), 5, 7), 1);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x) {
            uint32_t rgb = PixelAt(image, x, y);
            EXPECT_EQ(GetPixel(dc, 5 + x, 7 + y), RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(dc, 4, 7), RGB(255, 255, 255));
    EXPECT_EQ(DrawImageFile(dc, ScratchPath("missing.bmp").c_str(), 0, 0), 0);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    FreeImage(image);
}
