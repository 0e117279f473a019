// Thumbnails: sizes, colour tables and pixels by source depth, the ".THM" file and its name,
// and the palette tests and row converters behind them.
#include "capture_fixture.h"

using namespace capturetest;

namespace {

struct Thumb {
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::vector<RGBQUAD> table;
    std::vector<uint8_t> rows;  // as stored: bottom row first
    int Stride() const { return (info.biWidth + 3) / 4 * 4; }
    uint8_t At(int x, int y) const { return rows[(size_t)(info.biHeight - 1 - y) * Stride() + x]; }
    COLORREF ColourAt(int x, int y) const {
        const RGBQUAD& q = table[At(x, y)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
};

Thumb ReadThumb(HGLOBAL block) {
    Thumb t;
    const uint8_t* bytes = (const uint8_t*)GlobalLock(block);
    memcpy(&t.file, bytes, sizeof t.file);
    memcpy(&t.info, bytes + 14, sizeof t.info);
    t.table.assign((const RGBQUAD*)(bytes + 54), (const RGBQUAD*)(bytes + 54) + 256);
    t.rows.assign(bytes + 1078, bytes + 1078 + (size_t)t.Stride() * t.info.biHeight);
    GlobalUnlock(block);
    return t;
}

Thumb ThumbOf(const ImageRecord& image) {
    HGLOBAL block = MakeThumbnail(&image.Info, image.Pixels);
    EXPECT_TRUE(block);
    Thumb t = block ? ReadThumb(block) : Thumb{};
    if (block) GlobalFree(block);
    return t;
}

COLORREF Grey(int v) { return RGB(v, v, v); }

}  // namespace

TEST(Thumbnails, SizeFollowsTheLargerReductionFactor) {
    const struct {
        int width, height, thumbWidth, thumbHeight;
    } cases[] = {
        {234, 134, 234, 134}, {235, 134, 117, 67}, {2000, 1200, 222, 133}, {100, 50, 100, 50}, {1000, 100, 200, 20}};
    for (const auto& c : cases) {
        ImageRecord image = MakeImage(c.width, c.height, 8, Colours::Grey);
        Thumb t = ThumbOf(image);
        EXPECT_EQ(t.info.biWidth, c.thumbWidth) << c.width << "x" << c.height;
        EXPECT_EQ(t.info.biHeight, c.thumbHeight) << c.width << "x" << c.height;
        EXPECT_EQ(t.file.bfType, 0x4D42);
        EXPECT_EQ(t.file.bfOffBits, 1078u);
        EXPECT_EQ(t.file.bfSize, 1078u + (uint32_t)t.Stride() * c.thumbHeight);
        EXPECT_EQ(t.info.biBitCount, 8);
        EXPECT_EQ(t.info.biXPelsPerMeter, 2834);
        FreeImage(image);
    }
    ImageRecord image = MakeImage(2000, 1200, 1);
    EXPECT_EQ(ThumbOf(image).Stride(), 224);
    FreeImage(image);
    ImageInfo empty{};
    EXPECT_EQ(MakeThumbnail(&empty, nullptr), nullptr);
}

TEST(Thumbnails, EightBitSourcesKeepTheirPaletteOrGetGreys) {
    ImageRecord colour = MakeImage(30, 20, 8, Colours::Colour);
    Thumb t = ThumbOf(colour);
    auto entries = PaletteEntries(colour.Info.Palette);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(RGB(t.table[i].rgbRed, t.table[i].rgbGreen, t.table[i].rgbBlue),
                  RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) EXPECT_EQ(t.At(x, y), PixelAt(colour, x, y));
    ImageRecord grey = MakeImage(30, 20, 8, Colours::None);
    t = ThumbOf(grey);
    EXPECT_EQ(t.ColourAt(3, 4), Grey((int)PixelAt(grey, 3, 4)));
    FreeImage(colour);
    FreeImage(grey);
}

// Flat colours on the cube's levels are not dithered: every one of the 216 comes back as
// itself (the static colours stand in for the eight they hold).
TEST(Thumbnails, ColourCubeColoursComeBackThroughTheFixedPalette) {
    for (int index = 0; index < 216; ++index) {
        int r = 51 * (index % 6), g = 51 * (index / 6 % 6), b = 51 * (index / 36);
        ImageRecord image = MakeFlatImage(16, 16, 24, (uint32_t)(r << 16 | g << 8 | b));
        Thumb t = ThumbOf(image);
        COLORREF got = t.ColourAt(5, 7);
        EXPECT_EQ(got, RGB(r, g, b)) << index;
        if (index == 0) {
            EXPECT_EQ(t.At(0, 0), 0);
        }
        if (index == 215) {
            EXPECT_EQ(t.At(15, 15), 255);
        }
        FreeImage(image);
    }
}

TEST(Thumbnails, TheFixedPaletteHoldsTheStaticColoursAndTheNineGreys) {
    ImageRecord image = MakeImage(8, 8, 24);
    Thumb t = ThumbOf(image);
    auto colour = [&](int i) { return RGB(t.table[i].rgbRed, t.table[i].rgbGreen, t.table[i].rgbBlue); };
    EXPECT_EQ(colour(0), RGB(0, 0, 0));
    EXPECT_EQ(colour(255), RGB(255, 255, 255));
    EXPECT_EQ(colour(249), RGB(255, 0, 0));
    EXPECT_EQ(colour(7), RGB(192, 192, 192));
    const int greys[9][2] = {{0, 0},     {16, 34},   {20, 66},   {109, 102}, {248, 128},
                             {146, 153}, {233, 193}, {241, 221}, {255, 255}};
    for (const auto& g : greys) EXPECT_EQ(colour(g[0]), Grey(g[1])) << g[0];
    FreeImage(image);
}

TEST(Thumbnails, BlackAndWhiteSourcesBecomeWhiteAndBlackOrGreyLevels) {
    // Up to a factor of 4 a set bit is white and a clear one black.
    ImageRecord small = MakeImage(300, 100, 1);
    Thumb t = ThumbOf(small);
    EXPECT_EQ(t.info.biWidth, 150);
    for (int x = 0; x < 150; ++x) EXPECT_EQ(t.At(x, 10), PixelAt(small, 2 * x, 20) ? 255 : 0) << x;
    FreeImage(small);
    // Above a factor of 4 the set bits of a source byte give the grey level.
    const struct {
        uint32_t value;
        COLORREF grey;
    } flats[] = {{0, Grey(0)}, {1, Grey(255)}};
    for (const auto& f : flats) {
        ImageRecord page = MakeFlatImage(2340, 1340, 1, f.value);
        t = ThumbOf(page);
        EXPECT_EQ(t.info.biWidth, 234);
        EXPECT_EQ(t.ColourAt(0, 0), f.grey);
        EXPECT_EQ(t.ColourAt(100, 60), f.grey);
        FreeImage(page);
    }
    ImageRecord half = MakeImage(2340, 1340, 1);
    uint8_t* pixels = (uint8_t*)GlobalLock(half.Pixels);
    memset(pixels, 0xF0, (size_t)half.Info.RowStride * half.Info.Height);
    GlobalUnlock(half.Pixels);
    EXPECT_EQ(ThumbOf(half).ColourAt(50, 50), Grey(128));
    FreeImage(half);
}

TEST(Thumbnails, FourBitGreyPalettesGiveGreysAndColourPalettesAreDithered) {
    ImageRecord grey = MakeImage(32, 16, 4, Colours::Grey);
    Thumb t = ThumbOf(grey);
    for (int x = 0; x < 32; ++x) {
        COLORREF c = t.ColourAt(x, 3);
        EXPECT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << x;
    }
    FreeImage(grey);
    ImageRecord plain = MakeFlatImage(16, 16, 4, 0x0F);
    EXPECT_EQ(ThumbOf(plain).At(2, 2), 255);
    FreeImage(plain);
}

TEST(Thumbnails, FileHoldsExactlyTheThumbnailUnderAFreshName) {
    ImageRecord image = MakeImage(235, 134, 24);
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%sIMAGE\\OPEN1A2B.TIF", Scratch().c_str());
    char second[MAX_PATH];
    lstrcpyA(second, name);
    ASSERT_EQ(WriteThumbnailFile(&image.Info, image.Pixels, name), 1);
    ASSERT_EQ(WriteThumbnailFile(&image.Info, image.Pixels, second), 1);
    std::string prefix = Scratch() + "thumb\\OPEN";
    EXPECT_EQ(std::string(name).substr(0, prefix.size()), prefix);
    EXPECT_EQ(std::string(name).size(), prefix.size() + 8);
    EXPECT_EQ(std::string(name).substr(prefix.size() + 4), ".THM");
    EXPECT_NE(std::string(name), std::string(second));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(name, GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 1078u + 120 * 67);
    char noDot[MAX_PATH];
    snprintf(noDot, sizeof noDot, "%sIMAGE\\AB", Scratch().c_str());
    ASSERT_EQ(WriteThumbnailFile(&image.Info, image.Pixels, noDot), 1);
    EXPECT_EQ(std::string(noDot).size(), (Scratch() + "thumb\\AB").size() + 8);
    FreeImage(image);
}

TEST(PaletteRows, GreyTestsAndConvertersFollowTheirTables) {
    PALETTEENTRY ramp[256], inverted[256];
    for (int i = 0; i < 256; ++i) {
        ramp[i] = {(BYTE)i, (BYTE)i, (BYTE)i, 0};
        inverted[i] = {(BYTE)(255 - i), (BYTE)(255 - i), (BYTE)(255 - i), 0};
    }
    EXPECT_EQ(IsGreyPalette(ramp, 256), 1);
    EXPECT_EQ(IsInvertedGreyPalette(ramp, 256), 0);
    EXPECT_EQ(IsGreyPalette(inverted, 256), 1);
    EXPECT_EQ(IsInvertedGreyPalette(inverted, 256), 1);
    ramp[3].peGreen = 9;
    EXPECT_EQ(IsGreyPalette(ramp, 256), 0);
    const uint8_t greyRow[2] = {0x0F, 0xF0};
    uint8_t out[8];
    ConvertGreyRow4ToThumb(out, greyRow, 4);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{0, 255, 255, 0}));
    uint8_t white[24], black[24] = {};
    memset(white, 255, sizeof white);
    for (int y = 0; y < 8; ++y) {
        ConvertRgbRow24ToThumb(out, white, 8, y);
        for (int x = 0; x < 8; ++x) EXPECT_EQ(out[x], 255);
        ConvertRgbRow24ToThumb(out, black, 8, y);
        for (int x = 0; x < 8; ++x) EXPECT_EQ(out[x], 0);
    }
    PALETTEENTRY sixteen[16] = {};
    sixteen[1] = {255, 255, 255, 0};
    const uint8_t paletteRow[1] = {0x10};
    ConvertPaletteRow4ToThumb(out, paletteRow, 2, 0, sixteen);
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[1], 0);
}

TEST(Thumbnails, GreyRecordTest) {
    ImageRecord grey8 = MakeImage(4, 4, 8, Colours::Grey), plain8 = MakeImage(4, 4, 8),
                colour8 = MakeImage(4, 4, 8, Colours::Colour);
    ImageRecord grey4 = MakeImage(4, 4, 4, Colours::Grey), rgb = MakeImage(4, 4, 24), mono = MakeImage(4, 4, 1);
    EXPECT_EQ(IsGreyImageRecord(&grey8), 1);
    EXPECT_EQ(IsGreyImageRecord(&plain8), 1);
    EXPECT_EQ(IsGreyImageRecord(&colour8), 0);
    EXPECT_EQ(IsGreyImageRecord(&grey4), 1);
    EXPECT_EQ(IsGreyImageRecord(&rgb), 0);
    EXPECT_EQ(IsGreyImageRecord(&mono), 0);
    for (ImageRecord* r : {&grey8, &plain8, &colour8, &grey4, &rgb, &mono}) FreeImage(*r);
}
