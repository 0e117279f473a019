// The image documents: appending, growing, closing, and the blocks shared with the current image.
#include "capture_fixture.h"
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
