// Quarter and half turns of image records at every depth, with odd sizes.
#include "capture_fixture.h"

using namespace capturetest;

namespace {

const int kDepths[] = {1, 4, 8, 24};

ImageRecord Turned(int (*turn)(ImageRecord*), int width, int height, int bits, int times) {
    ImageRecord image = MakeImage(width, height, bits, bits == 4 || bits == 8 ? Colours::Grey : Colours::None);
    for (int i = 0; i < times; ++i) EXPECT_EQ(turn(&image), 1);
    return image;
}

}  // namespace

TEST(Rotation, QuarterTurnsMapPixelsAsSeenOnScreen) {
    for (int bits : kDepths) {
        ImageRecord original = MakeImage(13, 7, bits);
        ImageRecord left = MakeImage(13, 7, bits), right = MakeImage(13, 7, bits);
        ASSERT_EQ(RotateImage1(&left), 1);
        ASSERT_EQ(RotateImage2(&right), 1);
        for (ImageRecord* r : {&left, &right}) {
            EXPECT_EQ(r->Info.Width, 7);
            EXPECT_EQ(r->Info.Height, 13);
            EXPECT_EQ(r->Info.RowStride, GetDibRowBytes(7, bits));
        }
        // Counter-clockwise: new (W-1-x, y) = old (y, x); clockwise: new (x, H-1-y) = old (y, x).
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x) {
                EXPECT_EQ(PixelAt(left, y, 12 - x), PixelAt(original, x, y)) << bits << " " << x << "," << y;
                EXPECT_EQ(PixelAt(right, 6 - y, x), PixelAt(original, x, y)) << bits << " " << x << "," << y;
            }
        for (ImageRecord* r : {&original, &left, &right}) FreeImage(*r);
    }
}

TEST(Rotation, FourQuarterTurnsAndTwoHalfTurnsGiveTheStartingImage) {
    const int sizes[][2] = {{13, 7}, {10, 7}, {1, 33}, {33, 1}, {37, 21}};
    for (int bits : kDepths)
        for (const auto& size : sizes) {
            ImageRecord start = MakeImage(size[0], size[1], bits);
            for (auto turn : {RotateImage1, RotateImage2, RotateImage3}) {
                ImageRecord image = Turned(turn, size[0], size[1], bits, turn == RotateImage3 ? 2 : 4);
                EXPECT_EQ(image.Info.Width, size[0]);
                EXPECT_EQ(image.Info.RowStride, start.Info.RowStride);
                EXPECT_EQ(PixelValues(image), PixelValues(start)) << bits << " " << size[0] << "x" << size[1];
                FreeImage(image);
            }
            // One way and back.
            ImageRecord there = Turned(RotateImage1, size[0], size[1], bits, 1);
            RotateImage2(&there);
            EXPECT_EQ(PixelValues(there), PixelValues(start));
            FreeImage(there);
            FreeImage(start);
        }
}

TEST(Rotation, HalfTurnReversesRowsAndTheMiddleRow) {
    for (int bits : kDepths) {
        ImageRecord original = MakeImage(11, 5, bits), turned = MakeImage(11, 5, bits);
        ASSERT_EQ(RotateImage3(&turned), 1);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 11; ++x) EXPECT_EQ(PixelAt(turned, 10 - x, 4 - y), PixelAt(original, x, y)) << bits;
        FreeImage(original);
        FreeImage(turned);
    }
}

TEST(Rotation, AWhite1BitImageTurnedShowsNoPaddingAsABlackRow) {
    ImageRecord image = MakeFlatImage(10, 7, 1, 1);
    ASSERT_EQ(RotateImage1(&image), 1);
    EXPECT_EQ(image.Info.Width, 7);
    EXPECT_EQ(image.Info.Height, 10);
    EXPECT_EQ(image.Info.RowStride, 4);
    for (uint32_t v : PixelValues(image)) EXPECT_EQ(v, 1u);
    FreeImage(image);
}

TEST(Rotation, TurnsRebuildTheThumbnailAndLeaveOtherDepthsAlone) {
    ImageRecord image = MakeImage(468, 134, 24);
    ASSERT_TRUE(RebuildThumbnail(&image));
    ASSERT_EQ(RotateImage2(&image), 1);
    const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)((uint8_t*)GlobalLock(image.Thumbnail) + 14);
    EXPECT_EQ(header->biWidth, 134 / 4);
    EXPECT_EQ(header->biHeight, 468 / 4);
    GlobalUnlock(image.Thumbnail);
    FreeImage(image);
    ImageRecord odd = MakeImage(8, 8, 8);
    odd.Info.BitsPerPixel = 16;
    HGLOBAL pixels = odd.Pixels;
    EXPECT_EQ(RotateImage1(&odd), 0);
    EXPECT_EQ(RotateImage3(&odd), 0);
    EXPECT_EQ(odd.Pixels, pixels);
    EXPECT_EQ(odd.Info.Width, 8);
    odd.Info.BitsPerPixel = 8;
    FreeImage(odd);
}
