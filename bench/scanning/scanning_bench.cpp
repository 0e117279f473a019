// Scans a 600-dpi colour US letter page of eight cards (the rendered 300-dpi page, each pixel
// made four) through Wine's TWAIN manager and the virtual scanner, as zem40 does: the
// transfer into the program's image block, the split into cards, and the scan queue (cut,
// prepare, save, list) of the page. The transfer is set against a memcpy of the same bytes
// (a yardstick: the least a transfer can do); split and queue are given per megabyte of page.
// Peak memory is given against the 2 GB a 32-bit process can address.
#include "best_time.h"
#include "host_note.h"
#include "peak_memory.h"
#include "capture.h"
#include "scanning.h"
#include "shell.h"
#include "scratch_folder.h"
#include "virtual_scanner.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The 300-dpi grey page as a 600-dpi colour page: each pixel four, grey in all three colours.
bool WriteColourPage(const std::string& from, const std::string& to) {
    HBITMAP bitmap =
        (HBITMAP)LoadImageA(nullptr, from.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) return false;
    DIBSECTION section;
    GetObjectA(bitmap, sizeof section, &section);
    int w = section.dsBm.bmWidth, h = section.dsBm.bmHeight, inStride = section.dsBm.bmWidthBytes;
    RGBQUAD colours[256];
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    GetDIBColorTable(dc, 0, 256, colours);
    SelectObject(dc, old);
    DeleteDC(dc);
    const uint8_t* in = (const uint8_t*)section.dsBm.bmBits;  // bottom-up
    TestPage page;
    page.Width = 2 * w;
    page.Height = 2 * h;
    page.Bits = 24;
    page.Dpi = 600;
    page.Rows.resize((size_t)page.BytesPerRow() * page.Height);
    for (int y = 0; y < page.Height; ++y) {
        const uint8_t* row = in + (size_t)(h - 1 - y / 2) * inStride;
        uint8_t* out = page.Rows.data() + (size_t)y * page.BytesPerRow();
        for (int x = 0; x < page.Width; ++x) {
            const RGBQUAD& c = colours[row[x / 2]];
            out[3 * x] = c.rgbRed;
            out[3 * x + 1] = c.rgbGreen;
            out[3 * x + 2] = c.rgbBlue;
        }
    }
    DeleteObject(bitmap);
    return WritePageBmp(to, page);
}

void SetUpProgram(HWND window, const std::string& folder) {
    App.Instance = GetModuleHandleA(nullptr);
    App.MainWindow = window;
    CreateDirectoryA((folder + "\\IMAGE").c_str(), nullptr);
    WriteSettingText("Directory", "ImageDir", (folder + "\\IMAGE").c_str());
    TwIdentity identity{};
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 5;
    identity.SupportedGroups = TW_DG_CONTROL | TW_DG_IMAGE;
    lstrcpynA(identity.ProductName, "TVRK V40", sizeof identity.ProductName);
    App.PanelUiMode = 1;
    SetTwainAppIdentity(&identity, window);
    App.ShowTwainUI = 0;
    App.DefaultImgType = 2;
    App.DefaultReso = 0;
    App.ScanMultiple = 1;
}

// The source's first message to the program, taken as the program's loop takes it.
bool WaitForTransferReady(HWND window) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
        PostMessageA(window, WM_NULL, 0, 0);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TwEvent event{&msg, TW_MSG_NULL};
            CallTwainSource(TW_DG_CONTROL, TW_DAT_EVENT, TW_MSG_PROCESSEVENT, &event);
            if (event.TWMessage == TW_MSG_XFERREADY) return true;
        }
        Sleep(5);
    }
    return false;
}

}  // namespace

int main() {
    PrintHostNote();
    std::string folder = MakeFreshTestFolder("scanning_bench");
    std::string page = folder + "\\letter8_600.bmp";
    if (!WriteColourPage(std::string(SCAN_PAGES) + "letter8.bmp", page)) {
        printf("the rendered letter page could not be read\n");
        return 1;
    }
    VirtualScanner scanner(folder);
    if (!scanner.Installed()) {
        printf("the virtual scanner could not be installed\n");
        return 1;
    }
    scanner.SetDevices({{"Virtual Devices", "Virtual Flatbed"}});
    scanner.Set("Source", "BufferSize", 1 << 20);
    scanner.Feed({{page, -1, -1}});
    HWND window = CreateWindowA("STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SetUpProgram(window, folder);
    double before = PeakMegabytes();

    if (SetupBatchScan(window) != 1 || !WaitForTransferReady(window)) {
        printf("the acquisition did not start\n");
        return 1;
    }
    double start = Seconds();
    int received = ReceiveTwainImage(window);
    double transfer = Seconds() - start;
    if (received != 1) {
        printf("no image arrived\n");
        return 1;
    }
    SCANNEDIMAGE scanned = App.Twain.Scanned;
    size_t bytes = (size_t)scanned.Stride * scanned.Height;
    std::vector<uint8_t> copy(bytes);
    const uint8_t* block = (const uint8_t*)GlobalLock(scanned.Block);
    start = Seconds();
    memcpy(copy.data(), block, bytes);
    double yardstick = Seconds() - start;

    ImageInfo info{};
    info.Width = scanned.Width;
    info.Height = scanned.Height;
    info.RowStride = scanned.Stride;
    info.BitsPerPixel = (uint8_t)scanned.BitsPerPixel;
    info.Planes = 1;
    info.Resolution = scanned.Resolution;
    GlobalUnlock(scanned.Block);
    static RECT rects[SPLIT_RECT_MAX];
    int count = 0;
    start = Seconds();
    SplitCardPage(scanned.Block, &info, rects, &count, 1);
    double split = Seconds() - start;

    start = Seconds();
    ProcessScannedPage();
    double queue = Seconds() - start;
    char list[MAX_PATH];
    BatchScanListPath(list, sizeof list);
    int queued = (int)GetPrivateProfileIntA("Files", "Count", 0, list);
    TwPendingXfers pending{};
    CallTwainSource(TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_ENDXFER, &pending);
    DisableTwainSource();
    CloseTwainSource();
    CloseTwainManager();
    double peak = PeakMegabytes();

    double megabytes = bytes / 1048576.0;
    printf("page: %d x %d pixels at %d dpi, 24 bits, %.1f MB; cards found %d, queued %d\n", scanned.Width,
           scanned.Height, scanned.Resolution, megabytes, count, queued);
    printf("transfer through the TWAIN manager: %.3f s (%.1f x a memcpy of the page, the yardstick: %.4f s)\n",
           transfer, yardstick > 0 ? transfer / yardstick : 0.0, yardstick);
    printf("split into cards: %.3f s (%.1f ms per MB of page)\n", split, split * 1000 / megabytes);
    printf("scan queue (split, cut, prepare, save as JPEG, list): %.3f s (%.1f ms per MB of page)\n", queue,
           queue * 1000 / megabytes);
    printf(
        "peak memory: %.0f MB (%.0f MB before the scan); margin to the 2048 MB a 32-bit process addresses: %.0f MB\n",
        peak, before, 2048 - peak);
    DestroyWindow(window);
    RemoveFolderTree(folder + "\\");
    return 0;
}
