// Scanned pages into the scan queue: one card or a page of several split into cards, each
// prepared (the card's rectangle found on the scanner's background and cropped), saved in the
// image folder and listed in BatchScan.ini; the split and the crop on their own.
#include "capture_fixture.h"
#include "failing_allocations.h"
#include "file_bytes.h"
#include "recognition.h"
#include "resource.h"
#include "scanning.h"
#include <algorithm>

using namespace capturetest;

namespace {

const int kDpi = 300;

// An 8-bit grey page (ascending grey palette), every pixel `background`.
ImageRecord GreyPage(int width, int height, uint32_t background = 255) {
    return MakeFlatImage(width, height, 8, background, Colours::Grey);
}

// Lines of "text" inside a card's area: dashes 30 pixels long with 20-pixel gaps, in lines 20
// pixels high every 60 pixels, as dark as print.
void DrawCard(ImageRecord& page, int left, int top, int width, int height) {
    uint8_t* p = static_cast<uint8_t*>(GlobalLock(page.Pixels));
    for (int y = top + 40; y + 20 <= top + height - 40; y += 60)
        for (int dy = 0; dy < 20; ++dy)
            for (int x = left + 40; x < left + width - 40; ++x)
                if ((x - left) % 50 < 30) p[static_cast<size_t>(y + dy) * page.Info.RowStride + x] = 0;
    GlobalUnlock(page.Pixels);
}

void FillRect(ImageRecord& page, int left, int top, int right, int bottom, uint8_t value) {
    uint8_t* p = static_cast<uint8_t*>(GlobalLock(page.Pixels));
    for (int y = top; y < bottom; ++y)
        memset(p + static_cast<size_t>(y) * page.Info.RowStride + left, value, right - left);
    GlobalUnlock(page.Pixels);
}

std::vector<RECT> Split(ImageRecord& page) {
    std::vector<RECT> rects(SPLIT_RECT_MAX);
    int count = -1;
    int found = SplitCardPage(page.Pixels, &page.Info, rects.data(), &count, 1);
    EXPECT_EQ(found, count > 0 ? 1 : 0);
    rects.resize(count < 0 ? 0 : count);
    return rects;
}

// The page handed to the scan queue as a scanned image, as the TWAIN transfer hands it.
void ScanPage(ImageRecord& page, int resolution = kDpi) {
    SCANNEDIMAGE& scanned = App.Twain.Scanned;
    scanned.Block = page.Pixels;
    scanned.Width = page.Info.Width;
    scanned.Height = page.Info.Height;
    scanned.Stride = page.Info.RowStride;
    scanned.BitsPerPixel = page.Info.BitsPerPixel;
    scanned.Planes = 1;
    scanned.Resolution = resolution;
    scanned.Palette = page.Info.Palette;
    page.Pixels = nullptr;
    page.Info.Palette = nullptr;
    ProcessScannedPage();
    EXPECT_EQ(App.Twain.Scanned.Block, nullptr);
}

std::string ListPath() {
    char list[MAX_PATH];
    BatchScanListPath(list, sizeof list);
    return list;
}

std::vector<std::string> Queue() {
    std::vector<std::string> entries;
    int count = (int)GetPrivateProfileIntA("Files", "Count", 0, ListPath().c_str());
    for (int i = 0; i < count; ++i) {
        char value[MAX_PATH];
        GetPrivateProfileStringA("Files", ("File" + std::to_string(i)).c_str(), "*", value, sizeof value,
                                 ListPath().c_str());
        entries.push_back(value);
    }
    return entries;
}

void EmptyQueue() {
    WriteWholeFile(ListPath(), "");
    WritePrivateProfileStringA("Files", "Count", "0", ListPath().c_str());
}

ImageInfo HeaderOf(const std::string& file) {
    ImageInfo info{};
    EXPECT_TRUE(ReadImageFileHeader(file.c_str(), &info)) << file;
    return info;
}

class ScanQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* pattern : {"SCAN*", "OPEN*"}) {
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA((Scratch() + "IMAGE\\" + pattern).c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) continue;
            do DeleteFileA((Scratch() + "IMAGE\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        EmptyQueue();
        App.ScanMultiple = 1;
        App.SyscanScanner = 0;
        App.Twain.EpsonScanner = 0;
    }
    void TearDown() override {
        for (const std::string& file : Queue())
            if (file != "*") DeleteFileA(file.c_str());
        ClearCurrentImage();
    }
};

}  // namespace

// Bands of 2.5 inches: a column 6 inches high holds three, 5.5 inches two, 0.75 inch none;
// a page 7 inches wide or more is split in two columns, a narrower one never.
TEST(CardSplit, BandsAndColumnsFollowThePageSize) {
    struct Case {
        double Width, Height;
        size_t Cards;
    } cases[] = {{3.5, 6.0, 3}, {3.5, 5.5, 2}, {3.5, 0.75, 0}, {3.5, 0.8, 1}, {7.0, 6.0, 6}, {6.9, 6.0, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height));
        int w = static_cast<int>(c.Width * kDpi), h = static_cast<int>(c.Height * kDpi);
        ImageRecord page = GreyPage(w, h);
        // Print from edge to edge: every band has ink.
        DrawCard(page, -40, -40, w + 80, h + 80);
        EXPECT_EQ(Split(page).size(), c.Cards);
        FreeImage(page);
    }
}

// Cards found column by column, top to bottom, each inside its own part of the page; a band
// without ink and a band as dark as a scanner lid are no cards.
TEST(CardSplit, CardsComeInColumnOrderAndBlankOrSolidBandsAreDropped) {
    ImageRecord page = GreyPage(static_cast<int>(8.5 * kDpi), 11 * kDpi);
    struct Placed {
        int Left, Top;
    } placed[] = {{90, 30}, {90, 690}, {1365, 30}, {1365, 1350}};
    for (const Placed& p : placed) DrawCard(page, p.Left, p.Top, 1050, 600);
    FillRect(page, 0, 2640, page.Info.Width, 3300, 10);  // the lid below the glass
    std::vector<RECT> cards = Split(page);
    ASSERT_EQ(cards.size(), 4u);
    for (size_t i = 0; i < cards.size(); ++i) {
        SCOPED_TRACE(i);
        const Placed& p = placed[i];
        EXPECT_LE(cards[i].left, p.Left + 40);
        EXPECT_GE(cards[i].right, p.Left + 1050 - 40);
        EXPECT_LE(cards[i].top, p.Top + 40);
        EXPECT_GE(cards[i].bottom, p.Top + 600 - 60);
        EXPECT_GE(cards[i].left, p.Left - 200);
        EXPECT_LE(cards[i].right, p.Left + 1050 + 200);
    }
    FreeImage(page);
}

// A cut of a 1-bit page starts on a byte: the bits before the left edge and after the right
// edge of the first and last byte are cleared; other depths copy their bytes.
TEST(CardSplit, CutCopiesTheRectangleAndMasksBlackAndWhiteEdges) {
    ImageRecord bw = MakeFlatImage(64, 4, 1, 1);
    HGLOBAL cut = nullptr;
    ImageInfo info{};
    ASSERT_EQ(CutCardRect(bw.Pixels, &bw.Info, 10, 1, 30, 3, &cut, &info), 1);
    EXPECT_EQ(info.Width, 20);
    EXPECT_EQ(info.Height, 2);
    EXPECT_EQ(info.RowStride, 4);
    const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(cut));
    EXPECT_EQ(p[0], 0x3F);  // from bit 2 (10 mod 8)
    EXPECT_EQ(p[3], 0xFC);  // to bit 6 (30 mod 8) of the last byte copied
    GlobalUnlock(cut);
    GlobalFree(cut);
    FreeImage(bw);

    ImageRecord colour = MakeImage(17, 9, 24);
    ASSERT_EQ(CutCardRect(colour.Pixels, &colour.Info, 3, 2, 11, 7, &cut, &info), 1);
    EXPECT_EQ(info.RowStride, 24);
    ImageRecord piece{};
    piece.Info = info;
    piece.Pixels = cut;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(PixelAt(piece, x, y), PixelAt(colour, x + 3, y + 2)) << x << "," << y;
    FreeImage(piece);
    FreeImage(colour);
}

// A page no larger than 7 by 4 whole inches is one card, whatever the preference; a larger
// one is split only when the preference says so; a resolution of 0 counts as 300.
TEST_F(ScanQueueTest, PageSizeAndPreferenceDecideTheSplit) {
    struct Case {
        const char* Name;
        int Width, Height, Resolution, Multiple;
        size_t Queued;
    } cases[] = {
        {"card", 1050, 600, kDpi, 1, 1},
        {"7.9 x 4.9 inches", 2370, 1470, kDpi, 1, 1},
        {"letter, no split", 2550, 3300, kDpi, 0, 1},
        {"card without resolution", 1050, 600, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EmptyQueue();
        App.ScanMultiple = c.Multiple;
        ImageRecord page = GreyPage(c.Width, c.Height);
        DrawCard(page, 0, 0, c.Width > 1050 ? 1050 : c.Width, 600);
        ScanPage(page, c.Resolution);
        std::vector<std::string> queued = Queue();
        ASSERT_EQ(queued.size(), c.Queued);
        ImageInfo header = HeaderOf(queued[0]);
        // Prepared: the last row and column of a page without a dark rim go.
        EXPECT_EQ(header.Width, c.Width - 1);
        EXPECT_EQ(header.Height, c.Height - 1);
        EXPECT_EQ(App.CurrentImage.Info.Resolution, kDpi);
        FreeImage(page);
    }
}

// A letter page of eight cards becomes eight queued card images and no page file; a page of
// one card is queued whole; a blank page queues nothing and leaves nothing behind.
TEST_F(ScanQueueTest, LetterPagesQueueTheirCards) {
    auto files = [] {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((Scratch() + "IMAGE\\SCAN*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    };
    ImageRecord eight = GreyPage(2550, 3300);
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < 4; ++row) DrawCard(eight, column ? 1365 : 90, 30 + 660 * row, 1050, 600);
    ScanPage(eight);
    std::vector<std::string> queued = Queue();
    ASSERT_EQ(queued.size(), 8u);
    for (const std::string& file : queued) {
        ImageInfo header = HeaderOf(file);
        EXPECT_GT(header.Width, 950);
        EXPECT_LT(header.Width, 1275);
        EXPECT_GT(header.Height, 500);
        EXPECT_LT(header.Height, 700);
    }
    EXPECT_EQ(files().size(), 8u);  // the page file is gone

    EmptyQueue();
    for (const std::string& file : queued) DeleteFileA(file.c_str());
    ImageRecord one = GreyPage(2550, 3300);
    DrawCard(one, 1365, 690, 1050, 600);
    ScanPage(one);
    queued = Queue();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(HeaderOf(queued[0]).Width, 2550);  // the page as scanned, not prepared
    DeleteFileA(queued[0].c_str());

    EmptyQueue();
    ImageRecord blank = GreyPage(2550, 3300);
    ScanPage(blank);
    EXPECT_TRUE(Queue().empty());
    EXPECT_TRUE(files().empty());
    FreeImage(eight);
    FreeImage(one);
    FreeImage(blank);
}

// A page split while memory runs out at any of the split's allocations: the split says so
// and finds no card; the scan queue shows the message and keeps the page whole.
TEST_F(ScanQueueTest, ExhaustedMemoryDuringTheSplitLosesNoPage) {
    ImageRecord page = GreyPage(2550, 3300);
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < 4; ++row) DrawCard(page, column ? 1365 : 90, 30 + 660 * row, 1050, 600);
    std::vector<RECT> rects(SPLIT_RECT_MAX);
    int allowed = 0, result = SPLIT_NO_MEMORY, count = -1;
    for (; result == SPLIT_NO_MEMORY && allowed < 200; ++allowed) {
        FailAllocationsAfter(allowed);
        try {
            result = SplitCardPage(page.Pixels, &page.Info, rects.data(), &count, 1);
        } catch (...) {
            StopFailingAllocations();
            FAIL() << "an exception left the split after " << allowed << " allocations";
        }
        StopFailingAllocations();
        if (result == SPLIT_NO_MEMORY) {
            EXPECT_EQ(count, 0) << allowed;
        }
    }
    EXPECT_GT(allowed, 3);  // several allocations were refused on the way
    EXPECT_EQ(result, 1);
    EXPECT_EQ(count, 8);

    std::vector<std::string> messages = MessagesDuring([&] {
        FailAllocationsAfter(0);
        ScanPage(page);
        StopFailingAllocations();
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Not enough memory"), std::string::npos) << messages[0];
    std::vector<std::string> queued = Queue();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(HeaderOf(queued[0]).Width, 2550);  // the whole page, as scanned
    FreeImage(page);
}

// An image folder of 128 characters without its closing backslash keeps its separator: the
// queue and the scans land inside it, not beside it.
TEST_F(ScanQueueTest, ALongImageFolderKeepsItsSeparator) {
    std::string folder = Scratch() + "long";
    folder += std::string(128 - folder.size(), 'x');
    ASSERT_EQ(folder.size(), 128u);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteSettingText("Directory", "ImageDir", folder.c_str());
    EXPECT_EQ(ListPath(), folder + "\\BatchScan.ini");
    char name[MAX_PATH];
    MakeImageFileName(IMAGE_NAME_SCAN, IMAGE_TYPE_TIFF, name);
    EXPECT_EQ(std::string(name).rfind(folder + "\\SCAN", 0), 0u) << name;
    WriteSettingText("Directory", "ImageDir", (Scratch() + "IMAGE").c_str());
}

// Walking the queue hands each file to recognition once and marks it done; a second walk
// finds nothing to do; a file that went missing is marked done without a card.
TEST_F(ScanQueueTest, RecognisingTheQueueTwiceTakesEachFileOnce) {
    ImageRecord a = GreyPage(1050, 600), b = GreyPage(1050, 600);
    DrawCard(a, 0, 0, 1050, 600);
    DrawCard(b, 0, 0, 1050, 600);
    ScanPage(a);
    ScanPage(b);
    std::vector<std::string> queued = Queue();
    ASSERT_EQ(queued.size(), 2u);
    DeleteFileA(queued[1].c_str());
    RecognizeBatchScanQueue();
    EXPECT_EQ(Queue(), (std::vector<std::string>{"*", "*"}));
    EXPECT_FALSE(IsFile(queued[0]));
    std::string recognised = App.CurrentImage.FileName;
    EXPECT_NE(recognised.find("\\OPEN"), std::string::npos) << recognised;
    RecognizeBatchScanQueue();
    EXPECT_EQ(App.CurrentImage.FileName, recognised);
    FreeImage(a);
    FreeImage(b);
}

// The card's rectangle on a dark scanner background, and the crop's own rules.
TEST(ImagePreparation, GreyCardIsCutOutOfTheScannersBackground) {
    ImageRecord scan = GreyPage(400, 300, 20);  // dark background
    FillRect(scan, 20, 20, 380, 280, 255);      // the card
    MakeCurrent(scan);
    PrepareImageForRecognition(&App.CurrentImage);
    // The last row and column of the card are where the search stopped: the crop leaves them.
    EXPECT_EQ(App.CurrentImage.Info.Width, 359);
    EXPECT_EQ(App.CurrentImage.Info.Height, 259);
    EXPECT_EQ(PixelAt(App.CurrentImage, 0, 0), 255u);
    ClearCurrentImage();
}

TEST(ImagePreparation, CropKeepsImagesOutsideTheRectangleAndStartsBlackAndWhiteOnAByte) {
    ImageRecord image = MakeImage(40, 10, 8, Colours::Grey);
    MakeCurrent(image);
    std::vector<uint32_t> before = PixelValues(App.CurrentImage);
    for (RECT outside : {RECT{50, 0, 60, 5}, RECT{5, 5, 5, 8}, RECT{10, 8, 20, 3}}) {
        CropImageRecord(&App.CurrentImage, &outside);
        EXPECT_EQ(PixelValues(App.CurrentImage), before);
    }
    ClearCurrentImage();

    ImageRecord bw = MakeFlatImage(64, 4, 1, 0, Colours::Grey);
    MakeCurrent(bw);
    RECT rect{19, 0, 40, 4};  // 8 x 2 + 3
    CropImageRecord(&App.CurrentImage, &rect);
    EXPECT_EQ(App.CurrentImage.Info.Width, 24);
    const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(App.CurrentImage.Pixels));
    for (int y = 0; y < 4; ++y) EXPECT_EQ(p[y * App.CurrentImage.Info.RowStride], 0xF8) << y;  // 8 - 3 bits set
    GlobalUnlock(App.CurrentImage.Pixels);
    ClearCurrentImage();

    ImageRecord sixteen = MakeImage(30, 20, 4, Colours::Grey);
    MakeCurrent(sixteen);
    before = PixelValues(App.CurrentImage);
    PrepareImageForRecognition(&App.CurrentImage);
    EXPECT_EQ(PixelValues(App.CurrentImage), before);
    ClearCurrentImage();
}

// An Epson feeder's card that covers less than 1.86 of the area's 3.7 inches of height is
// cut to a band 2.1 inches high from row 14.
TEST(ImagePreparation, ShortEpsonCardIsCutToACardHighBand) {
    int w = static_cast<int>(3.95 * 100), h = 370;  // the area at 100 dpi
    ImageRecord scan = GreyPage(w, h, 30);
    FillRect(scan, 0, 100, w, 250, 255);  // 1.5 inches of card
    MakeCurrent(scan);
    App.Twain.EpsonScanner = 1;
    PrepareImageForRecognition(&App.CurrentImage);
    App.Twain.EpsonScanner = 0;
    EXPECT_EQ(App.CurrentImage.Info.Height, static_cast<int>(w * 2.1f / 3.95f));
    ClearCurrentImage();
}
