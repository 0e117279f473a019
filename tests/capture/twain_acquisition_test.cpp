// TWAIN acquisition of the program's own code, through Wine's data source manager and the
// virtual scanner: images received byte for byte in each pixel type, the capability set the
// program sends, the faults that end an acquisition, and the source's own dialog. The
// program's message loop is stood in for by a loop that offers each message to the source.
#include "capture_fixture.h"
#include "file_bytes.h"
#include "recognition.h"
#include "resource.h"
#include "scanning.h"
#include "scratch_folder.h"
#include "virtual_scanner.h"
#include <algorithm>

using namespace capturetest;

namespace {

class TwainAcquisitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scanner.Installed());
        scanner.SetDevices({{"Virtual Devices", "Virtual Flatbed"}});
        window = CreateWindowA("STATIC", "scan test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        App.MainWindow = window;
        TwIdentity identity{};
        identity.ProtocolMajor = 1;
        identity.ProtocolMinor = 5;
        identity.SupportedGroups = TW_DG_CONTROL | TW_DG_IMAGE;
        lstrcpynA(identity.ProductName, "TVRK V40", sizeof identity.ProductName);
        App.PanelRequest = 0;
        App.PanelUiMode = 1;
        SetTwainAppIdentity(&identity, window);
        App.ShowTwainUI = 0;
        App.KeepDialog = 1;
        App.DefaultImgType = 1;
        App.DefaultReso = 2;
        App.ScanMultiple = 1;
        App.SyscanScanner = App.DynaCardReader = 0;
        App.ScanWithNamedSource = 0;
        App.Twain.EpsonScanner = 0;
    }
    void TearDown() override {
        if (IsTwainSourceOpen() || IsTwainManagerOpen()) EndTwainSession();
        ClearCurrentImage();
        App.MainWindow = nullptr;
        DestroyWindow(window);
    }

    std::string WritePage(const std::string& name, const TestPage& page) {
        std::string path = folder.File(name);
        EXPECT_TRUE(WritePageBmp(path, page));
        return path;
    }

    // Offers the thread's messages to the source, as the program's loop does, until `done`.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000) {
        DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > timeoutMs) return false;
            PostMessageA(window, WM_NULL, 0, 0);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (IsTwainManagerOpen() && IsTwainSourceOpen() && ProcessTwainEvent(window, &msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(10);
        }
        return true;
    }

    // The source's next message to the program, taken by the test itself.
    uint16_t NextSourceMessage(DWORD timeoutMs = 20000) {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            PostMessageA(window, WM_NULL, 0, 0);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TwEvent event{&msg, TW_MSG_NULL};
                if (CallTwainSource(TW_DG_CONTROL, TW_DAT_EVENT, TW_MSG_PROCESSEVENT, &event) == TWRC_DSEVENT) {
                    if (event.TWMessage != TW_MSG_NULL) return event.TWMessage;
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(10);
        }
        return TW_MSG_NULL;
    }

    // A whole acquisition as the program runs it; the texts of the messages it showed.
    std::vector<std::string> Acquire() {
        return MessagesDuring([&] {
            ASSERT_EQ(SetupBatchScan(window), 1);
            EXPECT_TRUE(PumpUntil([] { return !IsTwainSourceOpen() && !IsTwainManagerOpen(); }));
        });
    }

    std::vector<std::string> QueueEntries() {
        char list[MAX_PATH];
        BatchScanListPath(list, sizeof list);
        std::vector<std::string> entries;
        int count = (int)GetPrivateProfileIntA("Files", "Count", 0, list);
        for (int i = 0; i < count; ++i) {
            char value[MAX_PATH];
            GetPrivateProfileStringA("Files", ("File" + std::to_string(i)).c_str(), "*", value, sizeof value, list);
            entries.push_back(value);
        }
        return entries;
    }

    ScratchFolder folder{"twain_acquisition"};
    VirtualScanner scanner{folder.path()};
    HWND window = nullptr;
};

// The bytes the program's image block holds for a page: rows padded to 4 bytes with 0xFF,
// colour pixels blue first.
std::vector<uint8_t> ExpectedBlock(const TestPage& page, int stride, int rowsReceived) {
    std::vector<uint8_t> block(static_cast<size_t>(stride) * page.Height, 0xFF);
    const int row = page.BytesPerRow();
    for (int y = 0; y < rowsReceived; ++y) {
        std::copy_n(page.Rows.begin() + static_cast<size_t>(y) * row, row,
                    block.begin() + static_cast<size_t>(y) * stride);
        if (page.Bits == 24)
            for (int x = 0; x < page.Width; ++x) std::swap(block[y * stride + 3 * x], block[y * stride + 3 * x + 2]);
    }
    return block;
}

std::vector<uint8_t> BlockBytes(HGLOBAL block) {
    const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(block));
    std::vector<uint8_t> bytes(p, p + GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

}  // namespace

// Pages of odd widths in each pixel type, through buffers of a few rows each: the image block
// holds the page's rows top-down, padded with 0xFF, colour turned blue first; grey and
// palette images bring their palettes, black and white and colour none.
TEST_F(TwainAcquisitionTest, ImagesArriveByteForByteInEveryPixelType) {
    struct Case {
        const char* Name;
        int PixelType;
        int ImageType;  // [Preference] DefaultImgType; -1: the page comes as a palette page
        int Bits;
        int Stride;
    } cases[] = {
        {"bw", TWPT_BW, 0, 1, 8},
        {"gray", TWPT_GRAY, 1, 8, 40},
        {"palette", TWPT_PALETTE, -1, 8, 40},
        {"rgb", TWPT_RGB, 2, 24, 112},
    };
    scanner.Set("Source", "BufferSize", 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestPage page = PatternPage(c.Bits, 37, 29, c.ImageType < 0);
        page.Dpi = 400;
        scanner.Feed({{WritePage(std::string(c.Name) + ".bmp", page), c.ImageType < 0 ? c.PixelType : -1, -1}});
        App.DefaultImgType = c.ImageType < 0 ? 1 : c.ImageType;
        ASSERT_EQ(SetupBatchScan(window), 1);
        ASSERT_EQ(NextSourceMessage(), TW_MSG_XFERREADY);
        ASSERT_EQ(ReceiveTwainImage(window), 1);
        const SCANNEDIMAGE& scanned = App.Twain.Scanned;
        EXPECT_EQ(scanned.Width, 37);
        EXPECT_EQ(scanned.Height, 29);
        EXPECT_EQ(scanned.BitsPerPixel, c.Bits);
        EXPECT_EQ(scanned.Stride, c.Stride);
        EXPECT_EQ(scanned.Resolution, 400);
        EXPECT_TRUE(BlockBytes(scanned.Block) == ExpectedBlock(page, c.Stride, 29));
        std::vector<PALETTEENTRY> palette = PaletteEntries(scanned.Palette);
        if (c.Bits == 8) {
            ASSERT_EQ(palette.size(), 256u);
            for (int i : {0, 9, 128, 255}) {
                EXPECT_EQ(palette[i].peRed, page.Colours[i].rgbRed) << i;
                EXPECT_EQ(palette[i].peGreen, page.Colours[i].rgbGreen) << i;
                EXPECT_EQ(palette[i].peBlue, page.Colours[i].rgbBlue) << i;
            }
        } else {
            EXPECT_TRUE(palette.empty());
        }
        GlobalFree(App.Twain.Scanned.Block);
        App.Twain.Scanned.Block = nullptr;
        TwPendingXfers pending{};
        CallTwainSource(TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_ENDXFER, &pending);
        EXPECT_EQ(pending.Count, 0);
        EndTwainSession();
        EXPECT_FALSE(IsTwainSourceOpen());
        EXPECT_FALSE(IsTwainManagerOpen());
    }
}

// Fewer rows than announced leave 0xFF below them; more are dropped.
TEST_F(TwainAcquisitionTest, ShortImagesKeepBlankRowsAndLongOnesAreCut) {
    TestPage page = PatternPage(8, 20, 30);
    std::string file = WritePage("page.bmp", page);
    scanner.Set("Source", "BufferSize", 64);
    for (auto [key, rows] : {std::pair<const char*, int>{"ShortRows", 26}, {"ExtraRows", 30}}) {
        SCOPED_TRACE(key);
        scanner.Set("Faults", key, 4);
        scanner.Feed({{file, -1, -1}});
        ASSERT_EQ(SetupBatchScan(window), 1);
        ASSERT_EQ(NextSourceMessage(), TW_MSG_XFERREADY);
        ASSERT_EQ(ReceiveTwainImage(window), 1);
        EXPECT_EQ(GlobalSize(App.Twain.Scanned.Block), 20u * 30u);
        EXPECT_TRUE(BlockBytes(App.Twain.Scanned.Block) == ExpectedBlock(page, 20, rows));
        GlobalFree(App.Twain.Scanned.Block);
        App.Twain.Scanned.Block = nullptr;
        TwPendingXfers pending{};
        CallTwainSource(TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_ENDXFER, &pending);
        EndTwainSession();
        scanner.Clear("Faults", key);
    }
}

// What the program asks of the source with its dialog suppressed, by scanner model.
TEST_F(TwainAcquisitionTest, CapabilitySetFollowsPreferencesAndScannerModel) {
    scanner.Feed({});
    struct Case {
        const char* Name;
        int Syscan, Epson, ImageType, Reso;
        std::vector<std::string> Logged, NotLogged;
    } cases[] = {
        {"flatbed grey 300",
         0,
         0,
         1,
         2,
         {"SET 0x0103=2 -> SUCCESS", "SET 0x0001=65535 -> SUCCESS", "SET 0x0101=1 -> SUCCESS",
          "SET 0x1118=300 -> SUCCESS", "SET 0x1119=300 -> SUCCESS", "SET 0x0102=0 -> SUCCESS",
          "IMAGELAYOUT/SET 3.70x3.70 -> SUCCESS"},
         {"0x1002", "0x803B"}},
        {"card scanner black and white 600", 1, 0, 0, 0, {"SET 0x0101=0", "SET 0x1118=600"}, {"0x0102", "IMAGELAYOUT"}},
        {"epson feeder colour 400",
         0,
         1,
         2,
         1,
         {"SET 0x1002=1", "SET 0x1007=1", "SET 0x803B=1", "SET 0x0101=2", "SET 0x1118=400",
          "IMAGELAYOUT/SET 3.95x3.70"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        scanner.ClearLog();
        App.SyscanScanner = c.Syscan;
        App.Twain.EpsonScanner = c.Epson;
        App.DefaultImgType = c.ImageType;
        App.DefaultReso = c.Reso;
        // An empty feeder: the source asks to close as soon as it is enabled.
        std::vector<std::string> messages = Acquire();
        EXPECT_TRUE(messages.empty());
        for (const std::string& line : c.Logged) EXPECT_TRUE(scanner.Logged(line)) << line;
        for (const std::string& line : c.NotLogged) EXPECT_FALSE(scanner.Logged(line)) << line;
        EXPECT_TRUE(IsWindowEnabled(window));
    }
    // An Epson source that refuses its feeder scans without it, on the narrower area.
    scanner.ClearLog();
    scanner.Set("Capabilities", "Refuse", "0x1007");
    App.SyscanScanner = 0;
    App.Twain.EpsonScanner = 1;
    Acquire();
    EXPECT_FALSE(scanner.Logged("SET 0x803B"));
    EXPECT_TRUE(scanner.Logged("IMAGELAYOUT/SET 3.70x3.70"));
}

// A source that cannot do without its dialog: the program says so once, shows the dialog and
// keeps to it; with bKeepDlg two pages scanned in one acquisition are queued together and
// handed to recognition only when the user closes the dialog.
TEST_F(TwainAcquisitionTest, RefusedSuppressionShowsTheSourcesDialogForGood) {
    scanner.Set("Capabilities", "RefuseLayout", 1);
    std::string a = WritePage("a.bmp", PatternPage(8, 40, 30)), b = WritePage("b.bmp", PatternPage(8, 41, 31));
    scanner.Feed({{a, -1, -1}, {b, -1, -1}});
    std::vector<std::string> messages = MessagesDuring([&] { ASSERT_EQ(SetupBatchScan(window), 1); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("does not support TWAIN user interface suppression"), std::string::npos);
    EXPECT_EQ(App.ShowTwainUI, 1);
    HWND dialog = FindWindowA(nullptr, "Virtual Flatbed");
    ASSERT_NE(dialog, nullptr);
    for (size_t pressed = 1; pressed <= 2; ++pressed) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), 0);
        ASSERT_TRUE(PumpUntil([&] { return QueueEntries().size() == pressed; }));
        EXPECT_TRUE(IsTwainSourceOpen());
    }
    std::vector<std::string> queued = QueueEntries();
    for (const std::string& file : queued) {
        EXPECT_EQ(file.find(Scratch() + "IMAGE\\SCAN"), 0u) << file;
        EXPECT_TRUE(IsFile(file)) << file;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil([] { return !IsTwainSourceOpen(); }));
    EXPECT_EQ(QueueEntries(), (std::vector<std::string>{"*", "*"}));
    for (const std::string& file : queued) EXPECT_FALSE(IsFile(file)) << file;
    EXPECT_TRUE(IsWindowEnabled(window));

    // The next acquisition goes straight to the dialog.
    scanner.Feed({});
    scanner.ClearLog();
    messages = MessagesDuring([&] { ASSERT_EQ(SetupBatchScan(window), 1); });
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(scanner.Logged("SET 0x0101"));
    EndTwainSession();
}

// Faults in the middle of an acquisition end it with their message (none for a cancel),
// re-enable the main window, and recognise the page queued before them.
TEST_F(TwainAcquisitionTest, FaultsEndTheAcquisitionAndKeepWhatWasQueued) {
    std::string good = WritePage("good.bmp", PatternPage(8, 40, 30));
    struct Case {
        const char* Key;
        int Value;
        const char* Message;  // null: none
    } cases[] = {
        {"ImageInfo", 1, "Error: Accessing DS."},
        {"SetupMemXfer", 1, "Error: Accessing DS."},
        {"BitsPerPixel", 16, "supports up to 24-bit color or 8-bit grayscale"},
        {"BitsPerPixel", 48, "supports up to 24-bit color or 8-bit grayscale"},
        {"Cancel", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Key) + "=" + std::to_string(c.Value));
        scanner.Feed({{good, -1, -1}, {good, -1, -1}, {good, -1, -1}});
        // The fault hits the second page; the third never comes.
        std::string feeder = folder.File("feeder.ini");
        WritePrivateProfileStringA("Feeder", (std::string(c.Key) + "1").c_str(), std::to_string(c.Value).c_str(),
                                   feeder.c_str());
        std::vector<std::string> messages = Acquire();
        if (c.Message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_NE(messages[0].find(c.Message), std::string::npos) << messages[0];
        } else {
            EXPECT_TRUE(messages.empty());
        }
        EXPECT_TRUE(IsWindowEnabled(window));
        std::vector<std::string> queued = QueueEntries();
        ASSERT_EQ(queued.size(), 1u);
        EXPECT_EQ(queued[0], "*");  // handed to recognition
        // A cancelled page went through; the page of any other fault is still in the feeder.
        EXPECT_EQ(scanner.FeederNext(), std::string(c.Key) == "Cancel" ? 2 : 1);
    }
}

// A transfer that fails or is cancelled after some rows arrived is no page: a failure says
// so and the pages after it still come; a cancel ends the acquisition without a word, and
// the failure of a later acquisition is reported again.
TEST_F(TwainAcquisitionTest, PagesBrokenOffMidTransferAreNotStored) {
    std::string good = WritePage("good.bmp", PatternPage(8, 40, 30));
    std::string feeder = folder.File("feeder.ini");
    scanner.Set("Source", "BufferSize", 80);  // two rows a buffer: five rows come in three
    struct Case {
        const char* Key;
        const char* Rows;
        size_t Queued;
        int FeederNext;
        bool Message;
    } cases[] = {{"FailAfterRows1", "5", 2, 3, true},
                 {"CancelAfterRows1", "5", 1, 2, false},
                 {"FailAfterRows0", "0", 2, 3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        scanner.Feed({{good, -1, -1}, {good, -1, -1}, {good, -1, -1}});
        WritePrivateProfileStringA("Feeder", c.Key, c.Rows, feeder.c_str());
        std::vector<std::string> messages = Acquire();
        ASSERT_EQ(messages.size(), c.Message ? 1u : 0u);
        if (c.Message) {
            EXPECT_NE(messages[0].find("Error: Accessing DS."), std::string::npos) << messages[0];
        }
        EXPECT_EQ(QueueEntries().size(), c.Queued);
        EXPECT_EQ(scanner.FeederNext(), c.FeederNext);
        EXPECT_EQ(App.Twain.TransferCancelled, 0);
        EXPECT_TRUE(IsWindowEnabled(window));
    }
}

// Pages an earlier acquisition left unrecognised (the program ended before their turn) are
// not deleted by the next one: they are recognised with its pages.
TEST_F(TwainAcquisitionTest, PagesLeftInTheQueueAreRecognisedByTheNextScan) {
    std::string left = folder.File("SCAN0100.bmp");
    ASSERT_TRUE(WritePageBmp(left, PatternPage(8, 40, 30)));
    char list[MAX_PATH];
    BatchScanListPath(list, sizeof list);
    WriteWholeFile(list,
                   "[Files]\r\nCount=3\r\nFile0=*\r\nFile1=" + left + "\r\nFile2=" + folder.File("gone.bmp") + "\r\n");
    scanner.Feed({});
    EXPECT_TRUE(Acquire().empty());
    EXPECT_EQ(QueueEntries(), (std::vector<std::string>{"*"}));
    std::string taken = App.CurrentImage.FileName;
    EXPECT_NE(taken.find("\\OPEN"), std::string::npos) << taken;
    EXPECT_EQ(App.CurrentImage.Info.Width, 40);
}

namespace {
int g_scanRequests = 0;
// The scanner button's poll, as the main window's timer runs it.
void CALLBACK PressScannerButton(HWND, UINT, UINT_PTR, DWORD) {
    if (!ScanCommandRunning()) {
        ++g_scanRequests;
        OnScanMenuCommand(IDM_SCAN);
    }
}
}  // namespace

// A message shown while the scanned pages are recognised runs a message loop, where the
// scanner button's timer is delivered: a press then waits, and no page queued after the one
// whose message shows is lost to a new scan.
TEST_F(TwainAcquisitionTest, TheScannerButtonWaitsWhileTheQueueIsRecognised) {
    char list[MAX_PATH];
    BatchScanListPath(list, sizeof list);
    std::string broken = folder.File("SCAN0200.bmp"), good = folder.File("SCAN0201.bmp");
    WriteWholeFile(broken, "BM this is no image");
    ASSERT_TRUE(WritePageBmp(good, PatternPage(8, 44, 33)));
    WriteWholeFile(list, "[Files]\r\nCount=2\r\nFile0=" + broken + "\r\nFile1=" + good + "\r\n");
    scanner.Feed({{good, -1, -1}});
    g_scanRequests = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, PressScannerButton);
    std::vector<std::string> messages = MessagesDuring([] { RecognizeBatchScanQueue(); });
    KillTimer(nullptr, timer);
    EXPECT_FALSE(messages.empty());  // the broken page's message was shown
    EXPECT_EQ(g_scanRequests, 0);
    EXPECT_EQ(QueueEntries(), (std::vector<std::string>{"*", "*"}));
    EXPECT_EQ(App.CurrentImage.Info.Width, 44);
    EXPECT_FALSE(IsTwainManagerOpen());
}

// The source's pixel flavour comes in a one-value container or as the current item of an
// enumeration; 8-bit item types are read as one byte, 16-bit ones and the boolean as two, 32-bit
// ones as four (each stored value has bits beyond its type's width that must not be read). A
// source that refuses the question gives -1.
TEST_F(TwainAcquisitionTest, PixelFlavourIsReadByItemTypeFromEitherContainer) {
    struct Case {
        int Enumeration, ItemType;
        unsigned Stored;
        int Read;
    } cases[] = {
        {0, TWTY_UINT16, 1, 1},          {0, TWTY_UINT8, 0x0101, 1},       {0, TWTY_INT8, 0x0100, 0},
        {0, TWTY_INT16, 0x10001, 1},     {0, TWTY_BOOL, 0x20001, 1},       {0, TWTY_UINT32, 0x10001, 65537},
        {0, TWTY_INT32, 0x10000, 65536}, {1, TWTY_UINT16, 1, 1},           {1, TWTY_UINT16, 0, 0},
        {1, TWTY_UINT8, 1, 1},           {1, TWTY_UINT32, 0x10001, 65537},
    };
    ASSERT_TRUE(OpenTwainManager());
    ClearTwainSourceIdentity();
    ASSERT_TRUE(OpenTwainSource());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Enumeration) + " " + std::to_string(c.ItemType) + " " + std::to_string(c.Stored));
        scanner.Set("Capabilities", "FlavorAsEnumeration", c.Enumeration);
        scanner.Set("Capabilities", "FlavorItemType", c.ItemType);
        scanner.Set("Capabilities", "PixelFlavor", (int)c.Stored);
        EXPECT_EQ(GetPixelFlavorCap(), c.Read);
    }
    scanner.Set("Capabilities", "Refuse", "0x111F");
    EXPECT_EQ(GetPixelFlavorCap(), -1);
    CloseTwainSource();
    CloseTwainManager();
}

// A named source is found whatever the case of its name; one that is not there is an error.
TEST_F(TwainAcquisitionTest, NamedSourceIsFoundIgnoringCase) {
    scanner.SetDevices({{"Virtual Devices", "Virtual Flatbed"}, {"Syscan Virtual", "Virtual Card Scanner"}});
    scanner.Feed({});
    App.ScanWithNamedSource = 1;
    lstrcpynA(App.NamedSourceProduct, "VIRTUAL card scanner", sizeof App.NamedSourceProduct);
    EXPECT_TRUE(Acquire().empty());
    EXPECT_TRUE(scanner.Logged("OPENDS Virtual Card Scanner -> SUCCESS"));
    lstrcpynA(App.NamedSourceProduct, "Missing Scanner", sizeof App.NamedSourceProduct);
    std::vector<std::string> messages = MessagesDuring([&] { EXPECT_EQ(SetupBatchScan(window), 0); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Error: Accessing DS."), std::string::npos);
    EXPECT_FALSE(IsTwainManagerOpen());
    App.ScanWithNamedSource = 0;
}
