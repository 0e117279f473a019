// Pixwell's exports, called by name: grey conversion, copy, scaling and border detection on
// packed DIBs built here; the caller's block must come back allocated and unlocked.
#include "imaging_test_support.h"
#include <cstring>

#include <algorithm>

using namespace imagingtest;

namespace {

const std::vector<RGBQUAD> kBlackWhite = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};

HGLOBAL Flat(int bits, int width, int height, uint32_t value, const std::vector<RGBQUAD>& table = GreyRamp()) {
    return MakeDib(bits, width, height, table, [=](int, int) { return value; });
}

// A grey image of `width` x `height` whose pixels come from `dark(x, y)`: 0 when dark, 255 otherwise.
template <typename Dark>
HGLOBAL GreyPage(int width, int height, Dark dark) {
    return MakeDib(8, width, height, GreyRamp(), [&](int x, int y) { return dark(x, y) ? 0u : 255u; });
}

// Copies the rectangle, lets `check` look at the copy and frees it.
void CheckCopy(const Pixwell& px, HGLOBAL source, RECT rect, const std::function<void(const DibView&)>& check) {
    HGLOBAL cut = px.copyDib(source, &rect);
    ASSERT_NE(cut, nullptr) << "rectangle " << rect.left << ", " << rect.top << ", " << rect.right << ", "
                            << rect.bottom;
    {
        DibView view(cut);
        check(view);
    }
    GlobalFree(cut);
}

}  // namespace

TEST(PixwellGrey, ColourToGreyWeightsAndBlockLayout) {
    Pixwell px;
    const struct {
        uint32_t rgb;
        BYTE grey;
    } cases[] = {{0xFFFFFF, 255}, {0xFF0000, 76}, {0x00FF00, 150}, {0x0000FF, 28}, {0x000000, 0}, {0x1E140A, 21}};
    const int width = static_cast<int>(std::size(cases));
    HGLOBAL colour = MakeDib(24, width, 2, {}, [&](int x, int) { return cases[x].rgb; });
    HGLOBAL grey = px.color2Gray(colour);
    ASSERT_NE(grey, nullptr);
    EXPECT_TRUE(IsReturnedUnlocked(colour));
    EXPECT_TRUE(IsReturnedUnlocked(grey));
    EXPECT_EQ(GlobalSize(grey), 40u + 1024u + 8u * 2u);
    {
        DibView view(grey);
        const BITMAPINFOHEADER& h = view.Header();
        EXPECT_EQ(h.biBitCount, 8);
        EXPECT_EQ(h.biWidth, width);
        EXPECT_EQ(h.biHeight, 2);
        EXPECT_EQ(h.biClrUsed, 256u);
        EXPECT_EQ(h.biSizeImage, 0u);
        EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
        for (int i = 0; i < 256; ++i) ASSERT_EQ(view.Table()[i].rgbGreen, i);
        for (int row = 0; row < 2; ++row) {
            for (int x = 0; x < width; ++x) EXPECT_EQ(view.Row(row)[x], cases[x].grey) << std::hex << cases[x].rgb;
            EXPECT_EQ(view.Row(row)[6], 0) << "padding";
            EXPECT_EQ(view.Row(row)[7], 0) << "padding";
        }
    }
    GlobalFree(grey);
    GlobalFree(colour);
}

TEST(PixwellGrey, BlackWhiteToGreyIgnoresTheTableAndSourcePadding) {
    Pixwell px;
    // Entry 1 is black here, yet a set bit still becomes 255.
    const std::vector<RGBQUAD> inverted = {RGBQUAD{255, 255, 255, 0}, RGBQUAD{0, 0, 0, 0}};
    HGLOBAL bw = MakeDib(1, 11, 3, inverted, [](int x, int y) { return static_cast<uint32_t>((x + y) % 3 == 0); });
    {
        // Set every padding bit of the source rows: none may show in the result.
        auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(bw));
        BYTE* rows = reinterpret_cast<BYTE*>(h + 1) + 8;
        for (int y = 0; y < 3; ++y) {
            rows[y * 4 + 1] |= 0x1F;
            rows[y * 4 + 2] = rows[y * 4 + 3] = 0xFF;
        }
        GlobalUnlock(bw);
    }
    HGLOBAL grey = px.bw2Gray(bw);
    ASSERT_NE(grey, nullptr);
    EXPECT_TRUE(IsReturnedUnlocked(bw));
    {
        DibView view(grey);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 11; ++x) EXPECT_EQ(view.Row(y)[x], (x + y) % 3 == 0 ? 255 : 0) << x << ", " << y;
            EXPECT_EQ(view.Row(y)[11], 0) << "padding";
        }
    }
    GlobalFree(grey);
    GlobalFree(bw);
}

// The weighted sum and its division by 100, truncating, over every 24-bit colour; an odd
// width puts colours at every place of a row, its end and the step after padding included.
TEST(PixwellGrey, EveryColourGetsTheTruncatedWeightedSum) {
    Pixwell px;
    const int width = 4099;
    const int height = (0x1000000 + width - 1) / width;
    auto colourAt = [=](int x, int y) { return static_cast<uint32_t>(y * width + x) & 0xFFFFFF; };
    HGLOBAL colour = MakeDib(24, width, height, {}, colourAt);
    HGLOBAL grey = px.color2Gray(colour);
    ASSERT_NE(grey, nullptr);
    {
        DibView view(grey);
        int wrong = 0;
        for (int y = 0; y < height && wrong < 5; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t rgb = colourAt(x, y);
                const int expected = (30 * (rgb >> 16) + 59 * ((rgb >> 8) & 0xFF) + 11 * (rgb & 0xFF)) / 100;
                if (view.Row(y)[x] != expected && ++wrong <= 5)
                    ADD_FAILURE() << std::hex << "colour " << rgb << " gave " << int(view.Row(y)[x]);
            }
    }
    GlobalFree(grey);
    GlobalFree(colour);
}

// Every row length up to a few vector steps, for both conversions: each pixel right, the
// row's padding 0, and nothing of the source's padding read.
TEST(PixwellGrey, EveryRowLengthEndsCleanly) {
    Pixwell px;
    for (int width = 1; width <= 70; ++width) {
        auto colourAt = [](int x, int y) { return (static_cast<uint32_t>(x) * 2654435761u + y * 40503u) & 0xFFFFFF; };
        auto bitAt = [](int x, int y) { return static_cast<uint32_t>(((x * 7 + y * 3) % 5) < 2); };
        HGLOBAL colour = MakeDib(24, width, 3, {}, colourAt);
        HGLOBAL bw = MakeDib(1, width, 3, kBlackWhite, bitAt);
        {
            // Source padding set throughout: it must not show.
            auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(bw));
            BYTE* rows = reinterpret_cast<BYTE*>(h + 1) + 8;
            const int rowBytes = RowBytes(1, width);
            for (int y = 0; y < 3; ++y)
                for (int x = width; x < rowBytes * 8; ++x)
                    rows[y * rowBytes + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            GlobalUnlock(bw);
        }
        HGLOBAL fromColour = px.color2Gray(colour);
        HGLOBAL fromBits = px.bw2Gray(bw);
        ASSERT_NE(fromColour, nullptr) << width;
        ASSERT_NE(fromBits, nullptr) << width;
        {
            DibView c(fromColour), b(fromBits);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    const uint32_t rgb = colourAt(x, y);
                    const int grey = (30 * (rgb >> 16) + 59 * ((rgb >> 8) & 0xFF) + 11 * (rgb & 0xFF)) / 100;
                    ASSERT_EQ(c.Row(y)[x], grey) << width << ": " << x << ", " << y;
                    ASSERT_EQ(b.Row(y)[x], bitAt(x, y) ? 255 : 0) << width << ": " << x << ", " << y;
                }
                for (int x = width; x < RowBytes(8, width); ++x) {
                    ASSERT_EQ(c.Row(y)[x], 0) << width << ": padding " << x;
                    ASSERT_EQ(b.Row(y)[x], 0) << width << ": padding " << x;
                }
            }
        }
        for (HGLOBAL h : {colour, bw, fromColour, fromBits}) GlobalFree(h);
    }
}

// Depths an export does not take, null handles and malformed blocks give null; the caller's
// block survives, unlocked.
TEST(PixwellGrey, RefusedInputLeavesTheBlockAlone) {
    Pixwell px;
    EXPECT_EQ(px.color2Gray(nullptr), nullptr);
    EXPECT_EQ(px.bw2Gray(nullptr), nullptr);
    const struct {
        int bits;
        bool colour;  // which export is called
    } cases[] = {{1, true}, {4, true}, {8, true}, {24, false}, {4, false}, {8, false}};
    for (const auto& c : cases) {
        HGLOBAL dib = Flat(c.bits, 9, 4, 1);
        EXPECT_EQ(c.colour ? px.color2Gray(dib) : px.bw2Gray(dib), nullptr) << c.bits;
        EXPECT_TRUE(IsReturnedUnlocked(dib)) << c.bits;
        GlobalFree(dib);
    }
    // A header promising more rows than the block holds, or no sound shape at all.
    const struct {
        const char* what;
        void (*spoil)(BITMAPINFOHEADER&);
    } spoils[] = {
        {"height larger than the block", [](BITMAPINFOHEADER& h) { h.biHeight = 5000; }},
        {"width larger than the block", [](BITMAPINFOHEADER& h) { h.biWidth = 100000; }},
        {"width x height beyond 32 bits", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x10000; }},
        {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -9; }},
        {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"core header size", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"run-length compression", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
    };
    for (const auto& s : spoils) {
        HGLOBAL dib = Flat(24, 9, 4, 0x808080, {});
        s.spoil(*static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)));
        GlobalUnlock(dib);
        EXPECT_EQ(px.color2Gray(dib), nullptr) << s.what;
        EXPECT_EQ(px.scaleImage(dib, 2.0, 2.0), nullptr) << s.what;
        RECT r{0, 0, 3, 3};
        EXPECT_EQ(px.copyDib(dib, &r), nullptr) << s.what;
        EXPECT_TRUE(IsReturnedUnlocked(dib)) << s.what;
        GlobalFree(dib);
    }
    HGLOBAL tiny = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 10);
    EXPECT_EQ(px.bw2Gray(tiny), nullptr) << "a block smaller than a header";
    GlobalFree(tiny);
}

TEST(PixwellGrey, DescendingRampIsNormalisedInTheCallersBlock) {
    Pixwell px;
    HGLOBAL dib = MakeDib(8, 6, 2, GreyRamp(true), [](int x, int y) { return static_cast<uint32_t>(x * 40 + y); });
    EXPECT_EQ(px.color2Gray(dib), nullptr) << "an 8-bit image is refused";
    {
        DibView view(dib);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(view.Table()[i].rgbRed, i);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 6; ++x) EXPECT_EQ(view.Row(y)[x], static_cast<BYTE>(~(x * 40 + y)));
        EXPECT_EQ(view.Row(0)[6], 0xFF) << "padding bytes are complemented too";
    }
    EXPECT_TRUE(IsReturnedUnlocked(dib));
    GlobalFree(dib);

    // Any other table is left as it was.
    std::vector<RGBQUAD> almost = GreyRamp(true);
    almost[17].rgbRed = 3;
    HGLOBAL other = MakeDib(8, 6, 2, almost, [](int x, int) { return static_cast<uint32_t>(x); });
    RECT out{};
    EXPECT_EQ(px.getBorder(other, &out, 0), 0);
    {
        DibView view(other);
        EXPECT_EQ(view.Table()[0].rgbRed, 255);
        EXPECT_EQ(view.Row(0)[1], 1);
    }
    GlobalFree(other);
}

TEST(PixwellCopy, RectanglesAtEachDepth) {
    Pixwell px;
    HGLOBAL grey = MakeDib(8, 10, 6, GreyRamp(), [](int x, int y) { return static_cast<uint32_t>(10 * y + x); });
    RECT empty{3, 3, 3, 5};
    EXPECT_EQ(px.copyDib(grey, &empty), nullptr);
    EXPECT_EQ(px.copyDib(nullptr, &empty), nullptr);
    CheckCopy(px, grey, RECT{2, 1, 7, 4}, [](const DibView& view) {
        EXPECT_EQ(view.Header().biWidth, 5);
        EXPECT_EQ(view.Header().biHeight, 3);
        EXPECT_EQ(view.Header().biSizeImage, 0u);
        EXPECT_EQ(view.Table()[200].rgbBlue, 200);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(view.Pixel(x, y), static_cast<uint32_t>(10 * (y + 1) + x + 2));
    });
    // A rectangle reaching outside is clipped to the image.
    CheckCopy(px, grey, RECT{8, 4, 20, 30}, [](const DibView& view) {
        EXPECT_EQ(view.Header().biWidth, 2);
        EXPECT_EQ(view.Header().biHeight, 2);
        EXPECT_EQ(view.Pixel(1, 1), 59u);
    });
    RECT beyond{20, 20, 30, 30};
    EXPECT_EQ(px.copyDib(grey, &beyond), nullptr);
    EXPECT_TRUE(IsReturnedUnlocked(grey));
    GlobalFree(grey);

    HGLOBAL colour = MakeDib(24, 7, 3, {}, [](int x, int y) { return static_cast<uint32_t>(0x010203 * (x + 7 * y)); });
    CheckCopy(px, colour, RECT{1, 1, 4, 3},
              [](const DibView& view) { EXPECT_EQ(view.Pixel(2, 1), 0x010203u * (3 + 7 * 2)); });
    GlobalFree(colour);
}

// Bytes are copied whole: a 1-bit cut from column 3 keeps its pixels where they were in their
// byte and clears the three bits left of the rectangle.
TEST(PixwellCopy, OneBitKeepsPixelsInPlaceAndMasksTheEdges) {
    Pixwell px;
    HGLOBAL bw = Flat(1, 40, 4, 1, kBlackWhite);
    CheckCopy(px, bw, RECT{3, 0, 30, 4}, [](const DibView& view) {
        EXPECT_EQ(view.Header().biWidth, 27);
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(view.Row(y)[0], 0x1F) << "top three bits cleared";
            EXPECT_EQ(view.Row(y)[1], 0xFF);
            EXPECT_EQ(view.Row(y)[3], 0xFC) << "the last byte keeps its first 30 mod 8 bits";
        }
        EXPECT_EQ(view.Table()[1].rgbRed, 255);
    });
    GlobalFree(bw);

    HGLOBAL nibbles = MakeDib(4, 9, 1, {}, [](int x, int) { return static_cast<uint32_t>(x); });
    CheckCopy(px, nibbles, RECT{3, 0, 7, 1},
              [](const DibView& view) { EXPECT_EQ(view.Row(0)[0], 0x23) << "starts on the byte holding pixel 3"; });
    GlobalFree(nibbles);
}

TEST(PixwellScale, SizesAndRefusals) {
    Pixwell px;
    HGLOBAL grey = MakeDib(8, 10, 8, GreyRamp(), [](int x, int y) { return static_cast<uint32_t>(x * 20 + y); });
    HGLOBAL same = px.scaleImage(grey, 1.0, 1.0);
    ASSERT_NE(same, nullptr);
    {
        DibView a(grey), b(same);
        for (int y = 0; y < 8; ++y) EXPECT_EQ(std::memcmp(a.Row(y), b.Row(y), 12), 0) << "row " << y;
    }
    GlobalFree(same);
    EXPECT_EQ(px.scaleImage(grey, 0.0, 1.0), nullptr);
    EXPECT_EQ(px.scaleImage(grey, 1.0, -2.0), nullptr);
    EXPECT_EQ(px.scaleImage(grey, 0.01, 1.0), nullptr) << "no pixel left";
    EXPECT_EQ(px.scaleImage(nullptr, 2.0, 2.0), nullptr);
    EXPECT_EQ(px.scaleImage(grey, 1e9, 1e9), nullptr) << "more than memory can hold";
    EXPECT_TRUE(IsReturnedUnlocked(grey));

    const struct {
        int bits, width, height;
        double x, y;
        int newWidth, newHeight;
    } sizes[] = {{8, 10, 8, 0.5, 0.5, 5, 4},
                 {8, 10, 8, 2.5, 1.0, 25, 8},
                 {24, 10, 8, 0.3, 3.0, 3, 24},
                 {1, 10, 8, 2.0, 2.0, 32, 16},
                 {1, 10, 8, 0.5, 0.5, 32, 4}};
    for (const auto& s : sizes) {
        HGLOBAL dib = Flat(s.bits, s.width, s.height, 1, s.bits == 1 ? kBlackWhite : GreyRamp());
        HGLOBAL scaled = px.scaleImage(dib, s.x, s.y);
        ASSERT_NE(scaled, nullptr) << s.bits;
        DibView view(scaled);
        EXPECT_EQ(view.Header().biWidth, s.newWidth) << s.bits << " x " << s.x;
        EXPECT_EQ(view.Header().biHeight, s.newHeight) << s.bits << " y " << s.y;
        EXPECT_EQ(view.Header().biSizeImage, static_cast<DWORD>(RowBytes(s.bits, s.newWidth) * s.newHeight));
        EXPECT_EQ(GlobalSize(scaled), 40u + TableEntries(s.bits) * 4u + view.Header().biSizeImage);
        GlobalFree(scaled);
        GlobalFree(dib);
    }
    HGLOBAL nibbles = Flat(4, 8, 8, 3, {});
    EXPECT_EQ(px.scaleImage(nibbles, 2.0, 2.0), nullptr) << "4-bit images are not scaled";
    EXPECT_TRUE(IsReturnedUnlocked(nibbles));
    GlobalFree(nibbles);
    GlobalFree(grey);
}

TEST(PixwellScale, FlatImagesStayFlatAndReductionAverages) {
    Pixwell px;
    const struct {
        int bits;
        uint32_t value;
        double factor;
    } flats[] = {{8, 137, 2.0}, {8, 137, 3.5}, {24, 0x4080C0, 2.0}, {24, 0x4080C0, 0.4}, {8, 90, 0.5}};
    for (const auto& f : flats) {
        HGLOBAL dib = Flat(f.bits, 17, 13, f.value);
        HGLOBAL scaled = px.scaleImage(dib, f.factor, f.factor);
        ASSERT_NE(scaled, nullptr);
        DibView view(scaled);
        for (int y = 0; y < view.Header().biHeight; ++y)
            for (int x = 0; x < view.Header().biWidth; ++x)
                ASSERT_EQ(view.Pixel(x, y), f.value) << f.bits << " by " << f.factor << " at " << x << ", " << y;
        GlobalFree(scaled);
        GlobalFree(dib);
    }
    // Halving a 24-bit image averages each 2 x 2 block exactly.
    HGLOBAL checks = MakeDib(24, 4, 2, {}, [](int x, int y) { return (x + y) % 2 ? 0x0A1428u : 0x141E32u; });
    HGLOBAL half = px.scaleImage(checks, 0.5, 0.5);
    ASSERT_NE(half, nullptr);
    {
        DibView view(half);
        EXPECT_EQ(view.Pixel(0, 0), 0x0F192Du);
        EXPECT_EQ(view.Pixel(1, 0), 0x0F192Du);
    }
    GlobalFree(half);
    GlobalFree(checks);
}

// An enlarged black-and-white square stays solid inside and clear outside, and its straight
// edges stay straight (32 pixels wide, so the new width is exactly three times as large).
TEST(PixwellScale, OneBitEnlargementKeepsShapes) {
    Pixwell px;
    HGLOBAL bw = MakeDib(1, 32, 20, kBlackWhite,
                         [](int x, int y) { return static_cast<uint32_t>(x >= 5 && x < 15 && y >= 5 && y < 15); });
    HGLOBAL big = px.scaleImage(bw, 3.0, 3.0);
    ASSERT_NE(big, nullptr);
    {
        DibView view(big);
        ASSERT_EQ(view.Header().biWidth, 96);
        ASSERT_EQ(view.Header().biHeight, 60);
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 96; ++x) {
                const bool inside = x >= 15 && x < 45 && y >= 15 && y < 45;
                const bool nearCorner = (x < 18 || x >= 42) && (y < 18 || y >= 42);
                if (!nearCorner) {
                    ASSERT_EQ(view.Pixel(x, y), inside ? 1u : 0u) << x << ", " << y;
                }
            }
        }
    }
    GlobalFree(big);
    GlobalFree(bw);
}

// Factor pairs that make one side tiny and the other huge: every working buffer is sized in
// 64 bits, and what the process cannot hold gives null instead of a short buffer overrun.
TEST(PixwellScale, ExtremeFactorPairsFitOrAreRefused) {
    Pixwell px;
    const struct {
        int bits, width, height;
        double x, y;
        int newWidth, newHeight;  // 0: refused
    } cases[] = {
        // 20000 x 3 bytes for each of 71,583 source rows before the vertical reduction: 4.29 GB.
        {24, 1, 71583, 20000, 0.00002, 0, 0},
        {24, 71583, 1, 0.00002, 20000, 1, 20000},
        {8, 1, 71583, 20000, 0.00002, 20000, 1},
        {1, 1, 71583, 20000, 0.00002, 20000, 1},
        // A 288 MB result whose unpacked map would take 2.3 GB.
        {1, 48, 48, 1000, 1000, 0, 0},
    };
    for (const auto& c : cases) {
        HGLOBAL dib = Flat(c.bits, c.width, c.height, 1, c.bits == 1 ? kBlackWhite : GreyRamp());
        HGLOBAL scaled = px.scaleImage(dib, c.x, c.y);
        if (c.newWidth == 0) {
            EXPECT_EQ(scaled, nullptr) << c.bits << " bits, " << c.width << " x " << c.height;
        } else {
            ASSERT_NE(scaled, nullptr) << c.bits << " bits, " << c.width << " x " << c.height;
            DibView view(scaled);
            EXPECT_EQ(view.Header().biWidth, c.newWidth);
            EXPECT_EQ(view.Header().biHeight, c.newHeight);
            for (int y = 0; y < c.newHeight; ++y)
                for (int x = 0; x < c.newWidth; ++x)
                    ASSERT_EQ(view.Pixel(x, y), 1u) << c.bits << " bits at " << x << ", " << y;
        }
        EXPECT_TRUE(IsReturnedUnlocked(dib));
        if (scaled) GlobalFree(scaled);
        GlobalFree(dib);
    }
}

// Enlarging means trunc(x * W) > W, not the 1-bit width rounded up to 32: a 10-pixel row at
// (1.0, 2.0) is not enlarged, so each target pixel is the nearest source pixel (the last one
// for the padding columns) and nothing is cleared along the border.
TEST(PixwellScale, NarrowOneBitImagesAtTheirOwnWidthTakeTheNearestPixel) {
    Pixwell px;
    auto source = [](int x, int y) { return static_cast<uint32_t>((x + y) % 3 != 0); };
    HGLOBAL bw = MakeDib(1, 10, 4, kBlackWhite, source);
    HGLOBAL scaled = px.scaleImage(bw, 1.0, 2.0);
    ASSERT_NE(scaled, nullptr);
    {
        DibView view(scaled);
        ASSERT_EQ(view.Header().biWidth, 32);
        ASSERT_EQ(view.Header().biHeight, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 32; ++x) ASSERT_EQ(view.Pixel(x, y), source(std::min(x, 9), y / 2)) << x << ", " << y;
    }
    GlobalFree(scaled);
    GlobalFree(bw);
}

// Pixel values worked out by hand from the weights: bilinear enlargement of an 8-bit ramp (no
// edges: the ramp's Laplacian is 0), nearest-neighbour reduction of an 8-bit checkerboard,
// sixteenth-weight enlargement and exact area reduction of 24-bit rows.
TEST(PixwellScale, ValuesOfGradientsAndCheckerboards) {
    Pixwell px;
    auto grey = [](uint32_t v) { return v * 0x010101u; };
    const struct {
        const char* what;
        int bits, width, height;
        std::function<uint32_t(int, int)> pixel;
        double x, y;
        std::vector<std::vector<uint32_t>> rows;
    } cases[] = {
        {"8-bit ramp by 2", 8, 4, 4, [](int x, int) { return static_cast<uint32_t>(40 * x); }, 2.0, 2.0,
         std::vector<std::vector<uint32_t>>(8, {0, 20, 40, 60, 80, 100, 120, 120})},
        {"8-bit checkerboard by 0.75",
         8,
         4,
         4,
         [](int x, int y) { return (x + y) % 2 ? 200u : 10u; },
         0.75,
         0.75,
         {{10, 200, 10}, {200, 10, 200}, {10, 200, 10}}},
        {"24-bit ramp by 2", 24, 3, 2, [&](int x, int) { return grey(x == 0   ? 0
                                                                     : x == 1 ? 160
                                                                              : 240); }, 2.0, 2.0,
         std::vector<std::vector<uint32_t>>(4, {grey(0), grey(60), grey(120), grey(175), grey(205), grey(240)})},
        {"24-bit checkerboard by 2/3",
         24,
         3,
         2,
         [&](int x, int y) {
             return grey(x == 1 ? 90 : (x == 0) == (y == 0) ? 30 : 200);
         },
         2.0 / 3.0,
         1.0,
         {{grey(50), grey(163)}, {grey(163), grey(50)}}},
    };
    for (const auto& c : cases) {
        HGLOBAL dib = MakeDib(c.bits, c.width, c.height, GreyRamp(), c.pixel);
        HGLOBAL scaled = px.scaleImage(dib, c.x, c.y);
        ASSERT_NE(scaled, nullptr) << c.what;
        {
            DibView view(scaled);
            ASSERT_EQ(view.Header().biHeight, static_cast<LONG>(c.rows.size())) << c.what;
            ASSERT_EQ(view.Header().biWidth, static_cast<LONG>(c.rows[0].size())) << c.what;
            for (size_t y = 0; y < c.rows.size(); ++y)
                for (size_t x = 0; x < c.rows[y].size(); ++x)
                    EXPECT_EQ(view.Pixel(static_cast<int>(x), static_cast<int>(y)), c.rows[y][x])
                        << c.what << " at " << x << ", " << y;
        }
        GlobalFree(scaled);
        GlobalFree(dib);
    }
}

TEST(PixwellBorder, CutsTheDarkBands) {
    Pixwell px;
    const struct {
        const char* what;
        int width, height, method;
        bool (*dark)(int, int);
        RECT expected;
    } cases[] = {
        {"all white", 100, 80, 0, [](int, int) { return false; }, {0, 0, 99, 80}},
        {"all black", 100, 80, 0, [](int, int) { return true; }, {0, 0, 99, 80}},
        {"band on the first rows", 100, 100, 0, [](int, int y) { return y < 5; }, {0, 5, 99, 100}},
        {"band on the last rows", 100, 100, 0, [](int, int y) { return y >= 97; }, {0, 0, 99, 97}},
        {"bands on the first and last columns",
         100,
         100,
         0,
         [](int x, int) { return x < 4 || x >= 98; },
         {4, 0, 97, 100}},
        {"band deeper than the start window",
         100,
         100,
         0,
         [](int, int y) { return y == 7 || y == 8; },
         {0, 0, 99, 100}},
        {"image under 10 pixels", 9, 30, 0, [](int, int y) { return y < 2; }, {0, 0, 8, 30}},
        {"method 1, card inside a dark field",
         100,
         100,
         1,
         [](int x, int y) { return x < 20 || x >= 85 || y < 25 || y >= 80; },
         {20, 25, 84, 80}},
        {"method 1, portrait cut-out too narrow",
         100,
         100,
         1,
         [](int x, int) { return x < 40 || x >= 60; },
         {29, 0, 82, 100}},
        {"method 1, landscape cut-out too low",
         100,
         100,
         1,
         [](int, int y) { return y < 40 || y >= 60; },
         {0, 14, 99, 67}},
    };
    for (const auto& c : cases) {
        HGLOBAL page = GreyPage(c.width, c.height, c.dark);
        RECT out{-1, -1, -1, -1};
        ASSERT_EQ(px.getBorder(page, &out, c.method), 1) << c.what;
        EXPECT_EQ(out.left, c.expected.left) << c.what;
        EXPECT_EQ(out.top, c.expected.top) << c.what;
        EXPECT_EQ(out.right, c.expected.right) << c.what;
        EXPECT_EQ(out.bottom, c.expected.bottom) << c.what;
        EXPECT_TRUE(IsReturnedUnlocked(page)) << c.what;
        GlobalFree(page);
    }
}

TEST(PixwellBorder, OnlyGreyImagesAreSearched) {
    Pixwell px;
    const RECT untouched{7, 7, 7, 7};
    for (int bits : {1, 4, 24}) {
        HGLOBAL dib = Flat(bits, 50, 50, 0, bits == 1 ? kBlackWhite : std::vector<RGBQUAD>(16));
        RECT out = untouched;
        EXPECT_EQ(px.getBorder(dib, &out, 0), 0) << bits;
        EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0) << bits;
        GlobalFree(dib);
    }
    RECT out = untouched;
    EXPECT_EQ(px.getBorder(nullptr, &out, 1), 0);
    // A descending ramp is turned round first, so dark stays dark.
    HGLOBAL inverted = MakeDib(8, 100, 100, GreyRamp(true), [](int, int y) { return y < 5 ? 255u : 0u; });
    ASSERT_EQ(px.getBorder(inverted, &out, 0), 1);
    EXPECT_EQ(out.top, 5);
    GlobalFree(inverted);
}
