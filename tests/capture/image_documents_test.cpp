// The image documents: appending, growing, closing, the blocks shared with the current image,
// and the working copies that recognition turns.
#include "capture_fixture.h"
#include "recognition.h"
#include <fstream>
#include <sstream>

using namespace capturetest;

namespace {

std::string ReadTrace(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(ImageDocuments, The21stAppendGrowsTheArrayBy20AndKeepsEveryEntry) {
    ClearCurrentImage();
    for (int i = 0; i < 21; ++i) {
        snprintf(App.CurrentImage.FileName, sizeof App.CurrentImage.FileName, "page%d.tif", i);
        EXPECT_EQ(AppendImageDocument(&App.CurrentImage), i);
        EXPECT_EQ(App.Document->PageCount, i + 1);
    }
    EXPECT_EQ(App.ImageDocs.Capacity, 40);
    EXPECT_EQ(App.ImageDocs.Count, 21);
    ImageRecord* records = LockImageDocuments();
    for (int i = 0; i < 21; ++i) EXPECT_EQ(std::string(records[i].FileName), "page" + std::to_string(i) + ".tif");
    UnlockImageDocuments();
    CloseAllImageDocuments();
    EXPECT_EQ(App.ImageDocs.Count, 0);
    EXPECT_EQ(App.Document->PageCount, 0);
}

TEST(ImageDocuments, ClosingWithNoneAppendedStillResetsTheEngineDocument) {
    ClearCurrentImage();
    std::string trace = ScratchPath("engine.trace");
    SetEnvironmentVariableA("TVRKSDK_TRACE", trace.c_str());
    CloseAllImageDocuments();
    SetEnvironmentVariableA("TVRKSDK_TRACE", nullptr);
    EXPECT_EQ(ReadTrace(trace), "DiscardPreviousWork\nReset_Document\n");
}

TEST(ImageDocuments, BlocksSharedWithTheCurrentImageAreFreedOnceByTheirLastHolder) {
    ImageRecord image = MakeImage(30, 20, 24);
    MakeCurrent(image);
    ASSERT_TRUE(RebuildThumbnail(&App.CurrentImage));
    HGLOBAL firstPixels = App.CurrentImage.Pixels, firstThumb = App.CurrentImage.Thumbnail;
    ASSERT_EQ(AppendImageDocument(&App.CurrentImage), 0);
    // Closing the documents leaves what the current image still shows.
    CloseAllImageDocuments();
    EXPECT_TRUE(IsLiveBlock(firstPixels));
    EXPECT_TRUE(IsLiveBlock(firstThumb));
    // A block the current image gives up is forgotten by the documents that copied it.
    AppendImageDocument(&App.CurrentImage);
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    ImageRecord* records = LockImageDocuments();
    EXPECT_EQ(records[0].Pixels, nullptr);
    EXPECT_EQ(records[0].Thumbnail, firstThumb);
    UnlockImageDocuments();
    CloseAllImageDocuments();
    EXPECT_TRUE(IsLiveBlock(firstThumb));
    ClearCurrentImage();
}

TEST(ImageDocuments, ResetRecordReturnsItToAnEmptyViewState) {
    ImageRecord record;
    memset(&record, 0xCD, sizeof record);
    record.Thumbnail = GlobalAlloc(GHND, 16);
    record.LineImage = GlobalAlloc(GHND, 16);
    App.ImageZoom = 300;
    ResetImageRecord(&record);
    EXPECT_EQ(record.DisplayFlags[0], 1);
    EXPECT_EQ(record.DisplayFlags[1], 0);
    EXPECT_EQ(record.ScrollX, 0);
    EXPECT_EQ(record.Zoom, 300);
    EXPECT_EQ(record.Thumbnail, nullptr);
    EXPECT_EQ(record.LineImage, nullptr);
    EXPECT_EQ(record.EngineScale, 1);
    EXPECT_EQ(record.Info.Extra[0], 0);
    EXPECT_EQ(record.ViewRect.right, 0);
    const uint8_t attributes[16] = {7, 0, 1, 0, 0, 1};
    EXPECT_EQ(memcmp(record.Attributes, attributes, 16), 0);
    App.ImageZoom = 100;
}

TEST(ImageDocuments, ResetCurrentImageFreesPixelsAndLayoutBlockAndForgetsTheRest) {
    ImageRecord image = MakeImage(10, 10, 8, Colours::Grey);
    MakeCurrent(image);
    InitLayoutStore(&App.CurrentImage.Layouts);
    App.CurrentImage.ViewState = 5;
    HGLOBAL pixels = App.CurrentImage.Pixels;
    ResetCurrentImage();
    EXPECT_EQ(App.CurrentImage.Pixels, nullptr);
    EXPECT_FALSE(IsLiveBlock(pixels));
    EXPECT_EQ(App.CurrentImage.Layouts.Block, nullptr);
    EXPECT_EQ(App.CurrentImage.Layouts.Capacity, 0);
    EXPECT_EQ(App.CurrentImage.ViewState, 0);
    ClearCurrentImage();
}

// The working copy the recognition turns: the image and its view come along, the pixels in a
// movable block of the copy's own holding the same rows, and nothing that belongs to the
// source's page alone (thumbnail, attributes, file name, engine state).
TEST(ImageDocuments, ADuplicateHasPixelsOfItsOwnAndNoneOfThePagesState) {
    const struct {
        int width, height, bits;
        Colours colours;
    } cases[] = {
        {13, 7, 1, Colours::None}, {9, 5, 4, Colours::Grey}, {11, 6, 8, Colours::Colour}, {7, 3, 24, Colours::None}};
    for (const auto& c : cases) {
        ImageRecord source = MakeImage(c.width, c.height, c.bits, c.colours);
        source.DisplayFlags[0] = 1;
        source.DisplayFlags[2] = 4;
        source.ScrollX = 12;
        source.ScrollY = 34;
        source.Zoom = 250;
        source.ViewValue = 6;
        source.ViewState = 2;
        source.ViewRect = {1, 2, 300, 400};
        source.Thumbnail = GlobalAlloc(GHND, 16);
        source.LineImage = GlobalAlloc(GHND, 16);
        source.Attributes[0] = 7;
        snprintf(source.FileName, sizeof source.FileName, "card%d.tif", c.bits);
        source.PageImage[0] = 4;
        source.EngineScale = 2;
        source.Workspace = App.Workspace;
        ImageRecord copy;
        memset(&copy, 0xCD, sizeof copy);
        ASSERT_EQ(DuplicateImageRecord(&source, &copy), 1) << c.bits;

        EXPECT_EQ(memcmp(copy.DisplayFlags, source.DisplayFlags, 3), 0) << c.bits;
        EXPECT_EQ(memcmp(&copy.Info, &source.Info, sizeof source.Info), 0) << c.bits;
        EXPECT_EQ(copy.ScrollX, 12);
        EXPECT_EQ(copy.ScrollY, 34);
        EXPECT_EQ(copy.Zoom, 250);
        EXPECT_EQ(copy.ViewValue, 6);
        EXPECT_EQ(copy.ViewState, 2);
        EXPECT_TRUE(EqualRect(&copy.ViewRect, &source.ViewRect));
        EXPECT_EQ(copy.Thumbnail, nullptr);
        EXPECT_EQ(copy.LineImage, nullptr);
        EXPECT_EQ(copy.FileName[0], 0);
        EXPECT_EQ(copy.Attributes[0], 0);
        EXPECT_EQ(copy.PageImage[0], 0);
        EXPECT_EQ(copy.EngineScale, 0);
        EXPECT_EQ(copy.Workspace, nullptr);

        ASSERT_NE(copy.Pixels, nullptr);
        EXPECT_NE(copy.Pixels, source.Pixels);
        EXPECT_EQ(GlobalSize(copy.Pixels), static_cast<SIZE_T>(source.Info.RowStride) * source.Info.Height);
        void* at = GlobalLock(copy.Pixels);
        EXPECT_NE(at, static_cast<void*>(copy.Pixels)) << "a movable block is reached through its lock";
        GlobalUnlock(copy.Pixels);
        std::vector<uint32_t> before = PixelValues(source);
        EXPECT_EQ(PixelValues(copy), before) << c.bits;
        // The rows are the copy's own: changing them leaves the source as it was.
        uint8_t* rows = static_cast<uint8_t*>(GlobalLock(copy.Pixels));
        memset(rows, 0x5A, static_cast<size_t>(source.Info.RowStride) * source.Info.Height);
        GlobalUnlock(copy.Pixels);
        EXPECT_EQ(PixelValues(source), before) << c.bits;

        GlobalFree(copy.Pixels);
        GlobalFree(source.LineImage);
        FreeImage(source);
    }
}

TEST(ImageDocuments, ADuplicateOfARecordWithoutPixelsHasNone) {
    ImageRecord source;
    memset(&source, 0, sizeof source);
    source.Info.Width = source.Info.Height = 10;
    source.Info.RowStride = 32;
    source.Info.BitsPerPixel = 24;
    ImageRecord copy;
    memset(&copy, 0xCD, sizeof copy);
    EXPECT_EQ(DuplicateImageRecord(&source, &copy), 0);
    EXPECT_EQ(copy.Pixels, nullptr);
    EXPECT_EQ(copy.Info.Width, 10);
}
