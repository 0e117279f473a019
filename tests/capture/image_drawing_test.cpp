// Drawing the current card image at every zoom and depth, checked on the pixels of a memory DC.
#include "capture_fixture.h"

using namespace capturetest;

namespace {

const COLORREF kBackground = RGB(1, 2, 3);

// A 32-bit memory DC filled with the background colour.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, (void**)&bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) bits_[i] = 0x010203;
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        uint32_t v = bits_[y * width_ + x];
        return RGB(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_;
};

COLORREF SourceColour(const ImageRecord& image, int x, int y) {
    uint32_t v = PixelAt(image, x, y);
    if (image.Info.BitsPerPixel == 24) return RGB(v >> 16, v >> 8 & 0xFF, v & 0xFF);
    if (image.Info.BitsPerPixel == 1) return v ? RGB(255, 255, 255) : RGB(0, 0, 0);
    auto entries = PaletteEntries(image.Info.Palette);
    return RGB(entries[v].peRed, entries[v].peGreen, entries[v].peBlue);
}

void Draw(const Canvas& canvas, RECT area, int zoom, int xOffset = 0, int yOffset = 0) {
    DrawCurrentImageScaled(canvas.dc(), &area, zoom, xOffset, yOffset);
}

}  // namespace

TEST(ImageDrawing, OneToOneDrawsTheVisiblePartPixelForPixelAtEveryDepth) {
    const struct {
        int bits;
        Colours colours;
    } cases[] = {{24, Colours::None}, {8, Colours::Colour}, {4, Colours::Colour}, {1, Colours::None}};
    for (const auto& c : cases) {
        ImageRecord image = MakeImage(50, 40, c.bits, c.colours);
        ImageRecord reference = MakeImage(50, 40, c.bits, c.colours);
        MakeCurrent(image);
        App.CurrentImage.ScrollX = 3;
        App.CurrentImage.ScrollY = 2;
        Canvas canvas(80, 60);
        Draw(canvas, {0, 0, 30, 20}, 1, 5, 4);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(canvas.At(5 + x, 4 + y), SourceColour(reference, 3 + x, 2 + y))
                    << c.bits << " " << x << "," << y;
        EXPECT_EQ(canvas.At(35, 4), kBackground);
        EXPECT_EQ(canvas.At(5, 24), kBackground);
        FreeImage(reference);
        ClearCurrentImage();
    }
}

TEST(ImageDrawing, MagnifiedAreasStartOnWholeSourcePixels) {
    for (int bits : {24, 8, 1}) {
        ImageRecord image = MakeImage(20, 20, bits, bits == 8 ? Colours::Colour : Colours::None);
        ImageRecord reference = MakeImage(20, 20, bits, bits == 8 ? Colours::Colour : Colours::None);
        MakeCurrent(image);
        Canvas canvas(80, 80);
        // z = -3 with an area whose left is 7 draws from view column 6, which is source column 2.
        Draw(canvas, {7, 0, 40, 30}, -3);
        EXPECT_EQ(canvas.At(5, 0), kBackground);
        for (int x = 6; x < 40; ++x)
            for (int y = 0; y < 30; ++y)
                ASSERT_EQ(canvas.At(x, y), SourceColour(reference, x / 3, y / 3)) << bits << " " << x << "," << y;
        FreeImage(reference);
        ClearCurrentImage();
    }
}

TEST(ImageDrawing, ReducedColourImagesTakeEveryZthPixel) {
    ImageRecord image = MakeImage(60, 40, 24), reference = MakeImage(60, 40, 24);
    MakeCurrent(image);
    Canvas canvas(60, 40);
    Draw(canvas, {0, 0, 60, 40}, 3);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(canvas.At(x, y), SourceColour(reference, 3 * x, 3 * y)) << x << "," << y;
    // An area larger than the reduced image is drawn only as far as the image reaches.
    EXPECT_EQ(canvas.At(20, 0), kBackground);
    EXPECT_EQ(canvas.At(0, 13), kBackground);
    FreeImage(reference);
    ClearCurrentImage();
}

TEST(ImageDrawing, ReducedBlackAndWhiteImagesShowGreyLevels) {
    // Pairs of clear bits give level 0 (black), pairs of set bits level 8 (white).
    ImageRecord image = MakeFlatImage(64, 16, 1, 0);
    uint8_t* pixels = (uint8_t*)GlobalLock(image.Pixels);
    for (int y = 0; y < 16; ++y) pixels[y * image.Info.RowStride + 4] = pixels[y * image.Info.RowStride + 5] = 0xFF;
    GlobalUnlock(image.Pixels);
    MakeCurrent(image);
    Canvas canvas(40, 10);
    Draw(canvas, {0, 0, 40, 10}, 2);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(canvas.At(0, y), RGB(0, 0, 0));
        EXPECT_EQ(canvas.At(15, y), RGB(0, 0, 0));
        for (int x = 16; x < 24; ++x) EXPECT_EQ(canvas.At(x, y), RGB(255, 255, 255)) << x;
    }
    EXPECT_EQ(canvas.At(32, 0), kBackground);
    // Half the bits set lies between black and white.
    pixels = (uint8_t*)GlobalLock(App.CurrentImage.Pixels);
    memset(pixels, 0xAA, (size_t)App.CurrentImage.Info.RowStride * 16);
    GlobalUnlock(App.CurrentImage.Pixels);
    Draw(canvas, {0, 0, 40, 10}, 2);
    COLORREF mid = canvas.At(3, 3);
    EXPECT_NE(mid, RGB(0, 0, 0));
    EXPECT_NE(mid, RGB(255, 255, 255));
    ClearCurrentImage();
}

// A reduced 1-bit image scrolled to a column that is no multiple of 8 is drawn where it lies:
// source columns 32 to 47 set, scrolled by 3 at z = 2, show white from screen column 15 (source
// 33 and 34) to 21 (45 and 46), and black from 23 (49 and 50) on.
TEST(ImageDrawing, ReducedBlackAndWhiteImagesKeepTheirColumnsWhenScrolled) {
    for (int scroll : {3, 5}) {
        ImageRecord image = MakeFlatImage(96, 16, 1, 0);
        uint8_t* pixels = (uint8_t*)GlobalLock(image.Pixels);
        for (int y = 0; y < 16; ++y) pixels[y * image.Info.RowStride + 4] = pixels[y * image.Info.RowStride + 5] = 0xFF;
        GlobalUnlock(image.Pixels);
        MakeCurrent(image);
        App.CurrentImage.ScrollX = scroll;
        Canvas canvas(40, 8);
        Draw(canvas, {0, 0, 40, 8}, 2);
        for (int x = 0; x < 40; ++x) {
            int first = scroll + 2 * x;  // the two source columns of screen column x
            bool white = first >= 32 && first + 1 <= 47, black = first + 1 < 32 || first > 47;
            if (white) {
                EXPECT_EQ(canvas.At(x, 2), RGB(255, 255, 255)) << scroll << " " << x;
            }
            if (black) {
                EXPECT_EQ(canvas.At(x, 2), RGB(0, 0, 0)) << scroll << " " << x;
            }
        }
        ClearCurrentImage();
    }
}

TEST(ImageDrawing, NothingIsDrawnWithoutPixelsOrForAnEmptyArea) {
    ClearCurrentImage();
    Canvas canvas(10, 10);
    Draw(canvas, {0, 0, 10, 10}, 1);
    ImageRecord image = MakeImage(10, 10, 1);
    MakeCurrent(image);
    Draw(canvas, {5, 5, 5, 9}, 1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(canvas.At(x, y), kBackground);
    ClearCurrentImage();
}
