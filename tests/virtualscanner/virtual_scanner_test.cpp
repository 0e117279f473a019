// The virtual scanner's data source, loaded by Wine's TWAIN_32 manager from the Windows
// folder and driven triplet by triplet as an application drives it: the devices it presents,
// pages byte for byte in each pixel type, capabilities honoured or refused, its fault switches,
// its own dialog, and the triplet log.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include "build_paths.h"
#include "card_scanner.h"
#include "scratch_folder.h"
#include "twain_manager.h"
#include "virtual_scanner.h"

namespace {

// A scanner with pages written into a scratch folder, and the manager open.
class VirtualScannerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scanner.Installed());
        ASSERT_TRUE(manager.Loaded());
        scanner.SetDevices({{"Virtual Devices", "Virtual Flatbed"},
                            {"Syscan Virtual", "Virtual Card Scanner"},
                            {"Dyna Data System Corporation", "Nimbra Reader Series 2"}});
        ASSERT_TRUE(manager.OpenManager());
    }

    std::string WritePage(const std::string& name, const TestPage& page) {
        std::string path = folder.File(name);
        EXPECT_TRUE(WritePageBmp(path, page));
        return path;
    }

    // Opens the source by name, enables it without its dialog and waits for its first page.
    bool StartAcquisition(const std::string& productName) {
        if (!manager.OpenSource(productName, &source)) return false;
        TwUserInterface ui{0, 0, manager.Window()};
        if (manager.Call(&source, TW_DG_CONTROL, TW_DAT_USERINTERFACE, TW_MSG_ENABLEDS, &ui) != TWRC_SUCCESS)
            return false;
        return manager.WaitForSourceMessage(&source) == TW_MSG_XFERREADY;
    }

    uint16_t EndTransfer() {
        TwPendingXfers pending{};
        EXPECT_EQ(manager.Call(&source, TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_ENDXFER, &pending), TWRC_SUCCESS);
        return pending.Count;
    }

    void EndAcquisition() {
        TwUserInterface ui{0, 0, manager.Window()};
        manager.Call(&source, TW_DG_CONTROL, TW_DAT_USERINTERFACE, TW_MSG_DISABLEDS, &ui);
        manager.CloseSource(&source);
    }

    ScratchFolder folder{"virtual_scanner"};
    VirtualScanner scanner{folder.path()};
    TwainManager manager;
    TwIdentity source{};
};

std::vector<std::string> ListedProducts(TwainManager& manager) {
    std::vector<std::string> names;
    TwIdentity identity{};
    uint16_t rc = manager.Call(nullptr, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_GETFIRST, &identity);
    while (rc == TWRC_SUCCESS) {
        names.push_back(identity.ProductName);
        rc = manager.Call(nullptr, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_GETNEXT, &identity);
    }
    EXPECT_EQ(rc, TWRC_ENDOFLIST);
    return names;
}

}  // namespace

TEST_F(VirtualScannerTest, ManagerListsEveryDeviceAndOpensTheOneNamed) {
    EXPECT_EQ(ListedProducts(manager),
              (std::vector<std::string>{"Virtual Flatbed", "Virtual Card Scanner", "Nimbra Reader Series 2"}));
    TwIdentity identity{};
    ASSERT_EQ(manager.Call(nullptr, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_GETDEFAULT, &identity), TWRC_SUCCESS);
    EXPECT_STREQ(identity.ProductName, "Virtual Flatbed");

    ASSERT_TRUE(manager.OpenSource("Nimbra Reader Series 2", &source));
    EXPECT_STREQ(source.Manufacturer, "Dyna Data System Corporation");
    manager.CloseSource(&source);
    EXPECT_TRUE(scanner.Logged("CONTROL/IDENTITY/OPENDS Nimbra Reader Series 2 -> SUCCESS"));
    EXPECT_TRUE(scanner.Logged("CONTROL/IDENTITY/CLOSEDS"));

    // A source that fails to open is not opened.
    scanner.Set("Faults", "OpenSource", 1);
    EXPECT_FALSE(manager.OpenSource("Virtual Flatbed", &source));
}

// Pages of odd widths in each pixel type, received through buffers of a few rows: the rows
// are the page's own bytes; the palette page brings its colours.
TEST_F(VirtualScannerTest, PagesArriveByteForByteInEveryPixelType) {
    struct Case {
        const char* Name;
        int PixelType;
        int Bits;
        bool Palette;
        bool TypeFromFeeder;  // the application never asks for a palette: the page comes so
    } cases[] = {
        {"bw", TWPT_BW, 1, false, false},
        {"gray", TWPT_GRAY, 8, false, false},
        {"palette", TWPT_PALETTE, 8, true, true},
        {"rgb", TWPT_RGB, 24, false, false},
    };
    scanner.Set("Source", "BufferSize", 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestPage page = PatternPage(c.Bits, 37, 29, c.Palette);
        page.Dpi = 400;
        std::string file = WritePage(std::string(c.Name) + ".bmp", page);
        scanner.Feed({{file, c.TypeFromFeeder ? c.PixelType : -1, -1}});
        ASSERT_TRUE(manager.OpenSource("Virtual Flatbed", &source));
        if (!c.TypeFromFeeder) {
            ASSERT_EQ(manager.SetCapability(&source, ICAP_PIXELTYPE, TWTY_UINT16, c.PixelType), TWRC_SUCCESS);
        }
        TwUserInterface ui{0, 0, manager.Window()};
        ASSERT_EQ(manager.Call(&source, TW_DG_CONTROL, TW_DAT_USERINTERFACE, TW_MSG_ENABLEDS, &ui), TWRC_SUCCESS);
        ASSERT_EQ(manager.WaitForSourceMessage(&source), TW_MSG_XFERREADY);

        TwImageInfo info{};
        ASSERT_EQ(manager.Call(&source, TW_DG_IMAGE, TW_DAT_IMAGEINFO, TW_MSG_GET, &info), TWRC_SUCCESS);
        EXPECT_EQ(info.ImageWidth, 37);
        EXPECT_EQ(info.ImageLength, 29);
        EXPECT_EQ(info.BitsPerPixel, c.Bits);
        EXPECT_EQ(info.PixelType, c.PixelType);
        EXPECT_EQ(info.XResolution.Whole, 400);
        std::vector<uint8_t> rows;
        uint32_t bytesPerRow = 0;
        int buffers = 0;
        EXPECT_EQ(manager.ReceiveRows(&source, &rows, &bytesPerRow, &buffers), TWRC_XFERDONE);
        EXPECT_EQ(bytesPerRow, static_cast<uint32_t>(page.BytesPerRow()));
        EXPECT_GT(buffers, 1);
        EXPECT_TRUE(rows == page.Rows);
        if (c.Palette) {
            TwPalette8 palette{};
            ASSERT_EQ(manager.Call(&source, TW_DG_IMAGE, TW_DAT_PALETTE8, TW_MSG_GET, &palette), TWRC_SUCCESS);
            EXPECT_EQ(palette.NumColors, 256);
            for (int i : {0, 1, 77, 255}) {
                EXPECT_EQ(palette.Colors[i].Channel1, page.Colours[i].rgbRed) << i;
                EXPECT_EQ(palette.Colors[i].Channel2, page.Colours[i].rgbGreen) << i;
                EXPECT_EQ(palette.Colors[i].Channel3, page.Colours[i].rgbBlue) << i;
            }
        }
        EXPECT_EQ(EndTransfer(), 0);
        EXPECT_EQ(scanner.FeederNext(), 1);
        EndAcquisition();
    }
}

// A grey page asked for in black and white: dark below 128, with 0 for black.
TEST_F(VirtualScannerTest, GreyPageAskedForInBlackAndWhiteIsThresholded) {
    TestPage grey = PatternPage(8, 10, 2);
    scanner.Feed({{WritePage("grey.bmp", grey), TWPT_BW, -1}});
    ASSERT_TRUE(StartAcquisition("Virtual Flatbed"));
    std::vector<uint8_t> rows;
    uint32_t bytesPerRow = 0;
    int buffers = 0;
    ASSERT_EQ(manager.ReceiveRows(&source, &rows, &bytesPerRow, &buffers), TWRC_XFERDONE);
    ASSERT_EQ(bytesPerRow, 2u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x) {
            bool white = (rows[y * 2 + x / 8] >> (7 - x % 8)) & 1;
            EXPECT_EQ(white, grey.Rows[y * 10 + x] >= 128) << x << "," << y;
        }
    EndTransfer();
    EndAcquisition();
}

TEST_F(VirtualScannerTest, CapabilitiesAreHonouredOrRefusedAsConfigured) {
    scanner.Set("Capabilities", "Refuse", "0x0102, 0x800F");
    scanner.Set("Capabilities", "PixelTypes", "0,1");
    ASSERT_TRUE(manager.OpenSource("Virtual Flatbed", &source));
    EXPECT_EQ(manager.SetCapability(&source, ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY), TWRC_SUCCESS);
    EXPECT_EQ(manager.SetCapability(&source, CAP_XFERCOUNT, TWTY_INT16, 0xFFFF), TWRC_SUCCESS);
    EXPECT_EQ(manager.SetCapability(&source, ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY), TWRC_SUCCESS);
    EXPECT_EQ(manager.SetCapability(&source, ICAP_PIXELTYPE, TWTY_UINT16, TWPT_RGB), TWRC_FAILURE);
    EXPECT_EQ(manager.Condition(&source), TWCC_BADVALUE);
    EXPECT_EQ(manager.SetCapability(&source, ICAP_UNITS, TWTY_UINT16, TWUN_INCHES), TWRC_FAILURE);
    EXPECT_EQ(manager.Condition(&source), TWCC_CAPUNSUPPORTED);
    EXPECT_EQ(manager.SetCapability(&source, CAP_CUSTOM_800F, TWTY_UINT16, 2), TWRC_FAILURE);
    EXPECT_EQ(manager.SetCapability(&source, CAP_CUSTOM_803B, TWTY_UINT16, 1), TWRC_SUCCESS);

    // The current pixel type reads back as set; the pixel flavour is chocolate (0 = black).
    TwCapability get{ICAP_PIXELTYPE, 0, nullptr};
    ASSERT_EQ(manager.Call(&source, TW_DG_CONTROL, TW_DAT_CAPABILITY, TW_MSG_GET, &get), TWRC_SUCCESS);
    ASSERT_EQ(get.ConType, TWON_ONEVALUE);
    EXPECT_EQ(static_cast<TwOneValue*>(GlobalLock(get.hContainer))->Item, static_cast<uint32_t>(TWPT_GRAY));
    GlobalUnlock(get.hContainer);
    GlobalFree(get.hContainer);

    TwImageLayout layout{};
    layout.Frame.Right.Whole = 3;
    layout.Frame.Bottom.Whole = 3;
    EXPECT_EQ(manager.Call(&source, TW_DG_IMAGE, TW_DAT_IMAGELAYOUT, TW_MSG_SET, &layout), TWRC_SUCCESS);
    scanner.Set("Capabilities", "RefuseLayout", 1);
    EXPECT_EQ(manager.Call(&source, TW_DG_IMAGE, TW_DAT_IMAGELAYOUT, TW_MSG_SET, &layout), TWRC_FAILURE);
    manager.CloseSource(&source);

    EXPECT_TRUE(scanner.Logged("CONTROL/CAPABILITY/SET 0x0101=1 -> SUCCESS"));
    EXPECT_TRUE(scanner.Logged("CONTROL/CAPABILITY/SET 0x0101=2 -> FAILURE"));
    EXPECT_TRUE(scanner.Logged("CONTROL/CAPABILITY/SET 0x0102=0 -> FAILURE"));
    EXPECT_TRUE(scanner.Logged("IMAGE/IMAGELAYOUT/SET 3.00x3.00 -> FAILURE"));
}

// Each fault switch fails the step it names, and only that one.
TEST_F(VirtualScannerTest, FaultSwitchesFailTheirStep) {
    TestPage page = PatternPage(8, 16, 20);
    std::string file = WritePage("page.bmp", page);
    struct Case {
        const char* Key;
        int Value;
        uint16_t SetupResult, InfoResult, TransferResult;
        int RowsReceived;
        int AnnouncedBits;
    } cases[] = {
        {"SetupMemXfer", 1, TWRC_FAILURE, TWRC_SUCCESS, TWRC_FAILURE, 0, 8},
        {"ImageInfo", 1, TWRC_SUCCESS, TWRC_FAILURE, TWRC_XFERDONE, 20, 8},
        {"ShortRows", 3, TWRC_SUCCESS, TWRC_SUCCESS, TWRC_XFERDONE, 17, 8},
        {"ExtraRows", 2, TWRC_SUCCESS, TWRC_SUCCESS, TWRC_XFERDONE, 22, 8},
        {"CancelPage", 0, TWRC_SUCCESS, TWRC_SUCCESS, TWRC_CANCEL, 0, 8},
        {"BitsPerPixel", 16, TWRC_SUCCESS, TWRC_SUCCESS, TWRC_FAILURE, 0, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        scanner.Set("Faults", c.Key, c.Value);
        scanner.Feed({{file, -1, -1}});
        ASSERT_TRUE(StartAcquisition("Virtual Flatbed"));
        TwSetupMemXfer setup{};
        EXPECT_EQ(manager.Call(&source, TW_DG_CONTROL, TW_DAT_SETUPMEMXFER, TW_MSG_GET, &setup), c.SetupResult);
        TwImageInfo info{};
        EXPECT_EQ(manager.Call(&source, TW_DG_IMAGE, TW_DAT_IMAGEINFO, TW_MSG_GET, &info), c.InfoResult);
        if (c.InfoResult == TWRC_SUCCESS) {
            EXPECT_EQ(info.BitsPerPixel, c.AnnouncedBits);
        }
        std::vector<uint8_t> rows;
        uint32_t bytesPerRow = 16;
        int buffers = 0;
        EXPECT_EQ(manager.ReceiveRows(&source, &rows, &bytesPerRow, &buffers), c.TransferResult);
        EXPECT_EQ(rows.size(), static_cast<size_t>(c.RowsReceived) * 16);
        if (c.RowsReceived > 0) {
            size_t kept = std::min(rows.size(), page.Rows.size());
            EXPECT_TRUE(std::equal(rows.begin(), rows.begin() + kept, page.Rows.begin()));
        }
        EndTransfer();
        EndAcquisition();
        scanner.Clear("Faults", c.Key);
    }
}

// Without its dialog the source offers the whole feeder and asks to close when it is empty.
TEST_F(VirtualScannerTest, FeederPagesArePendingTogetherAndAnEmptyFeederAsksToClose) {
    std::string a = WritePage("a.bmp", PatternPage(8, 8, 8)), b = WritePage("b.bmp", PatternPage(8, 9, 9));
    scanner.Set("CardScanner", "PaperOn", 1);
    scanner.Feed({{a, -1, -1}, {b, -1, -1}});
    ASSERT_TRUE(StartAcquisition("Virtual Card Scanner"));
    TwPendingXfers pending{};
    ASSERT_EQ(manager.Call(&source, TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_GET, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 2);
    for (int expected : {1, 0}) {
        std::vector<uint8_t> rows;
        uint32_t bytesPerRow = 0;
        int buffers = 0;
        EXPECT_EQ(manager.ReceiveRows(&source, &rows, &bytesPerRow, &buffers), TWRC_XFERDONE);
        EXPECT_EQ(EndTransfer(), expected);
    }
    // The card went through the card scanner.
    EXPECT_EQ(scanner.Get("CardScanner", "PaperOn", -1), 0);
    EndAcquisition();

    ASSERT_TRUE(manager.OpenSource("Virtual Card Scanner", &source));
    TwUserInterface ui{0, 0, manager.Window()};
    ASSERT_EQ(manager.Call(&source, TW_DG_CONTROL, TW_DAT_USERINTERFACE, TW_MSG_ENABLEDS, &ui), TWRC_SUCCESS);
    EXPECT_EQ(manager.WaitForSourceMessage(&source), TW_MSG_CLOSEDSREQ);
    EndAcquisition();
}

// With its dialog the source scans one page per press of Scan and asks to close on Close.
TEST_F(VirtualScannerTest, DialogScansOnePagePerPressAndAsksToCloseOnClose) {
    std::string a = WritePage("a.bmp", PatternPage(8, 8, 8)), b = WritePage("b.bmp", PatternPage(8, 9, 9));
    scanner.Feed({{a, -1, -1}, {b, -1, -1}});
    ASSERT_TRUE(manager.OpenSource("Virtual Flatbed", &source));
    TwUserInterface ui{1, 0, manager.Window()};
    ASSERT_EQ(manager.Call(&source, TW_DG_CONTROL, TW_DAT_USERINTERFACE, TW_MSG_ENABLEDS, &ui), TWRC_SUCCESS);
    HWND dialog = FindWindowA(nullptr, "Virtual Flatbed");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(manager.WaitForSourceMessage(&source, 1000), TW_MSG_NULL);  // nothing before a press

    for (int page = 0; page < 2; ++page) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), 0);
        ASSERT_EQ(manager.WaitForSourceMessage(&source), TW_MSG_XFERREADY) << page;
        std::vector<uint8_t> rows;
        uint32_t bytesPerRow = 0;
        int buffers = 0;
        EXPECT_EQ(manager.ReceiveRows(&source, &rows, &bytesPerRow, &buffers), TWRC_XFERDONE);
        EXPECT_EQ(EndTransfer(), 0);
        EXPECT_TRUE(IsWindow(dialog));
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(manager.WaitForSourceMessage(&source), TW_MSG_CLOSEDSREQ);
    EndAcquisition();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(scanner.Logged("CONTROL/NULL/CLOSEDSREQ to the application"));
}

// The card-scanner drivers read the scanner the source feeds: a card in the scanner until a
// transfer takes it out, each button press reported once, calibrations counted.
TEST_F(VirtualScannerTest, CardScannerDriversShareTheScannersState) {
    HMODULE a8100 = LoadLibraryA((ProgramFolder() + "A8100.DLL").c_str());
    HMODULE scanl = LoadLibraryA((ProgramFolder() + "SCANL.DLL").c_str());
    ASSERT_NE(a8100, nullptr);
    ASSERT_NE(scanl, nullptr);
    auto query = [&](const char* name) {
        auto fn = reinterpret_cast<CardScannerQueryFn>(reinterpret_cast<void*>(GetProcAddress(a8100, name)));
        EXPECT_NE(fn, nullptr) << name;
        return fn ? fn() : -1;
    };
    auto readerStatus = [&](BYTE* status) {
        auto fn = reinterpret_cast<CardReaderStatusFn>(
            reinterpret_cast<void*>(GetProcAddress(scanl, "Dyna_CheckScannerStatus")));
        EXPECT_NE(fn, nullptr);
        *status = 0;
        return fn ? fn(status) : -1;
    };
    auto calibrate =
        reinterpret_cast<CardScannerCalibrateFn>(reinterpret_cast<void*>(GetProcAddress(a8100, "IO_CalibrateScanner")));
    ASSERT_NE(calibrate, nullptr);

    EXPECT_EQ(query("IO_HasScanner"), 1);
    scanner.Set("CardScanner", "ButtonPresses", 2);
    EXPECT_EQ(query("IO_IsButtonOn"), 1);
    EXPECT_EQ(query("IO_IsButtonOn"), 1);
    EXPECT_EQ(query("IO_IsButtonOn"), 0);

    scanner.Set("CardScanner", "CalibrationNeeded", 1);
    EXPECT_EQ(query("IO_IsCalibrationNeeded"), 1);
    calibrate(0);
    EXPECT_EQ(query("IO_IsCalibrationNeeded"), 0);
    EXPECT_EQ(scanner.Get("CardScanner", "Calibrations", 0), 1);

    // A card goes in, through the scanner, and is gone; a jammed one stays.
    for (int jam : {0, 1}) {
        SCOPED_TRACE(jam);
        scanner.Set("CardScanner", "Jam", jam);
        scanner.Set("CardScanner", "PaperOn", 1);
        BYTE status = 0;
        EXPECT_EQ(query("IO_IsPaperOn"), 1);
        EXPECT_EQ(readerStatus(&status), 1);
        EXPECT_EQ(status, 1);
        scanner.Feed({{WritePage("card.bmp", PatternPage(8, 12, 7)), -1, -1}});
        ASSERT_TRUE(StartAcquisition("Virtual Card Scanner"));
        std::vector<uint8_t> rows;
        uint32_t bytesPerRow = 0;
        int buffers = 0;
        EXPECT_EQ(manager.ReceiveRows(&source, &rows, &bytesPerRow, &buffers), TWRC_XFERDONE);
        EndTransfer();
        EndAcquisition();
        EXPECT_EQ(query("IO_IsPaperOn"), jam);
        EXPECT_EQ(readerStatus(&status), 1);
        EXPECT_EQ(status, jam);
    }
    // A reader that does not answer says nothing of the card.
    scanner.Set("CardScanner", "StatusAnswers", 0);
    BYTE status = 0;
    EXPECT_EQ(readerStatus(&status), 0);
    FreeLibrary(scanl);
    FreeLibrary(a8100);
}
