// One TWAIN acquisition: set up with an empty scan queue, the source's events offered each
// message, every pending image received by buffered memory transfer, and the end, which
// re-enables the main window and recognises what was queued.
#include "capture.h"
#include "card_scanner.h"
#include "recognition.h"
#include "resource.h"
#include "scanning.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

static void ForgetScannedImage(void) {
    SCANNEDIMAGE* scanned = &App.Twain.Scanned;
    if (scanned->Block) GlobalFree(scanned->Block);
    scanned->Block = NULL;
}

static void CloseSourceAndManager(void) {
    CloseTwainSource();
    CloseTwainManager();
}

int SetupBatchScan(HWND window) {
    if (!ResetScanQueue()) return 0;
    App.Twain.Parent = window;
    ForgetScannedImage();
    if (!OpenTwainManager()) return 0;
    if (!App.ScanWithNamedSource) {
        memset(&App.Twain.Source, 0, sizeof App.Twain.Source);
    } else if (!FindTwainSourceByName(App.NamedSourceProduct)) {
        CloseTwainManager();
        MessageBoxFromStringId(App.MainWindow, IDS_ERROR_ACCESSING_DS, NULL, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if (!OpenTwainSource()) {
        CloseTwainManager();
        return 0;
    }
    int configured = 0;
    if (App.ShowTwainUI == 0 && App.PanelUiMode != 0) {
        if (ApplyScanCapabilities() != TWRC_FAILURE) {
            configured = 1;
        } else {
            char text[128], caption[32];
            LoadStringA(App.Instance, IDS_NO_UI_SUPPRESSION, text, sizeof text);
            LoadStringA(App.Instance, IDS_ERROR, caption, sizeof caption);
            MessageBoxA(App.MainWindow, text, caption, MB_OK | MB_ICONINFORMATION);
            App.ShowTwainUI = 1;
        }
    }
    if (!configured) {
        if (App.Twain.PanelScanRequest && App.PanelUiMode == 0) {
            SetCustomCap800F(TWTY_UINT16, 2);
            SetResolution400Cap();
        }
        if (SetTransferMechanismCap(TWTY_UINT16, TWSX_MEMORY) == TWRC_FAILURE) {
            CloseSourceAndManager();
            return 0;
        }
    }
    if (EnableTwainSource()) return 1;
    CloseSourceAndManager();
    return 0;
}

static void FinishAcquisition(void) {
    EndTwainSession();
    RecognizeBatchScanQueue();
    App.Twain.EpsonScanner = 0;
    App.PanelUiMode = 1;
    App.Twain.PanelScanRequest = 0;
}

int ProcessTwainEvent(HWND window, MSG* message) {
    TwEvent event;
    event.pEvent = message;
    event.TWMessage = TW_MSG_NULL;
    uint16_t rc = CallTwainSource(TW_DG_CONTROL, TW_DAT_EVENT, TW_MSG_PROCESSEVENT, &event);
    if (event.TWMessage == TW_MSG_XFERREADY) {
        TransferTwainImage(window);
        App.ScanWithNamedSource = 0;
        if (App.ShowTwainUI && !App.KeepDialog) FinishAcquisition();
    } else if (event.TWMessage == TW_MSG_CLOSEDSREQ) {
        FinishAcquisition();
    }
    return rc == TWRC_DSEVENT;
}

// An acquisition given up in the middle: the source is told to drop its pending images, so
// that it can be disabled and closed, and what was queued before is recognised.
static void AbandonAcquisition(UINT messageId) {
    if (messageId) MessageBoxFromStringId(App.MainWindow, messageId, NULL, MB_OK | MB_ICONEXCLAMATION);
    TwPendingXfers pending;
    memset(&pending, 0, sizeof pending);
    if (CallTwainSource(TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_RESET, &pending) != TWRC_SUCCESS) {
        CallTwainSource(TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_ENDXFER, &pending);
        if (pending.Count) CallTwainSource(TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_RESET, &pending);
    }
    EndTwainSession();
    RecognizeBatchScanQueue();
}

static int RowStride(int pixelType, int bits, int width) {
    if (pixelType == TWPT_BW) return (width + 31) / 32 * 4;
    if ((pixelType == TWPT_GRAY || pixelType == TWPT_PALETTE) && bits == 8) return (width + 3) / 4 * 4;
    if (pixelType == TWPT_RGB && bits == 24) return (3 * width + 3) / 4 * 4;
    return 0;
}

static int BitsOfPixelType(int pixelType) { return pixelType == TWPT_BW ? 1 : pixelType == TWPT_RGB ? 24 : 8; }

// Copies the rows of one buffer below those already received; colour pixels come red first
// and are kept blue first.
static void CopyBufferRows(const TwImageMemXfer* xfer, uint8_t* image, int stride, int firstRow, int rows, int swap) {
    int bytes = (int)xfer->BytesPerRow < stride ? (int)xfer->BytesPerRow : stride;
    const uint8_t* in = (const uint8_t*)xfer->Memory.TheMem;
    for (int r = 0; r < rows; ++r) {
        uint8_t* out = image + (size_t)(firstRow + r) * stride;
        memcpy(out, in + (size_t)r * xfer->BytesPerRow, bytes);
        if (swap)
            for (int x = 0; x + 2 < bytes; x += 3) {
                uint8_t red = out[x];
                out[x] = out[x + 2];
                out[x + 2] = red;
            }
    }
}

// How a page's transfer ended.
enum TransferOutcome { TRANSFER_DONE, TRANSFER_CANCELLED, TRANSFER_FAILED };

// Buffers of the source's preferred size until the image is done; the rows that arrived go to
// *received. A page whose transfer failed or was cancelled part way is not a whole page.
static TransferOutcome ReceiveRows(const TwSetupMemXfer* setup, uint8_t* image, int stride, int height, int swap,
                                   int* received) {
    *received = 0;
    uint8_t* buffer = setup->Preferred ? (uint8_t*)malloc(setup->Preferred) : NULL;
    if (!buffer) return TRANSFER_FAILED;
    int expected = height;
    TransferOutcome outcome = TRANSFER_FAILED;
    for (;;) {
        TwImageMemXfer xfer;
        memset(&xfer, 0, sizeof xfer);
        xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        xfer.Memory.Length = setup->Preferred;
        xfer.Memory.TheMem = buffer;
        uint16_t rc = CallTwainSource(TW_DG_IMAGE, TW_DAT_IMAGEMEMXFER, TW_MSG_GET, &xfer);
        if (rc == TWRC_CANCEL) {
            App.Twain.TransferCancelled = 1;
            outcome = TRANSFER_CANCELLED;
        }
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) break;
        // A source never writes past the buffer it was given: rows beyond it are not taken.
        int rows = (int)xfer.Rows;
        if (xfer.BytesPerRow == 0 || (uint64_t)rows * xfer.BytesPerRow > setup->Preferred) rows = 0;
        int copied = rows < expected ? rows : expected;
        if (copied > 0) CopyBufferRows(&xfer, image, stride, *received, copied, swap);
        *received += copied;
        expected -= copied;
        if (rc == TWRC_XFERDONE) {
            outcome = TRANSFER_DONE;
            break;
        }
    }
    free(buffer);
    return outcome;
}

static HPALETTE MakeScanPalette(int pixelType) {
    struct {
        WORD Version;
        WORD Count;
        PALETTEENTRY Entries[256];
    } palette = {0x300, 256, {}};
    if (pixelType == TWPT_PALETTE) {
        TwPalette8 colours;
        memset(&colours, 0, sizeof colours);
        if (CallTwainSource(TW_DG_IMAGE, TW_DAT_PALETTE8, TW_MSG_GET, &colours) != TWRC_SUCCESS) return NULL;
        for (int i = 0; i < 256; ++i)
            palette.Entries[i] = {colours.Colors[i].Channel1, colours.Colors[i].Channel2, colours.Colors[i].Channel3,
                                  0};
    } else if (pixelType == TWPT_GRAY) {
        for (int i = 0; i < 256; ++i) palette.Entries[i] = {(BYTE)i, (BYTE)i, (BYTE)i, 0};
    } else {
        return NULL;
    }
    return CreatePalette((LOGPALETTE*)&palette);
}

// A card scanner that still holds the card after the scan may have jammed it: the user says
// whether the image is worth recognising.
static int KeepAfterPaperCheck(HWND window) {
    if (!App.SyscanScanner || App.ScanWithNamedSource || !App.A8100Driver) return 1;
    CardScannerQueryFn isPaperOn = (CardScannerQueryFn)(void*)GetProcAddress(App.A8100Driver, "IO_IsPaperOn");
    if (!isPaperOn || !isPaperOn()) return 1;
    return MessageBoxFromStringId(window, IDS_PAPER_JAM, NULL, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int ReceiveTwainImage(HWND window) {
    SCANNEDIMAGE* scanned = &App.Twain.Scanned;
    TwSetupMemXfer setup;
    TwImageInfo info;
    memset(&setup, 0, sizeof setup);
    memset(&info, 0, sizeof info);
    if (CallTwainSource(TW_DG_CONTROL, TW_DAT_SETUPMEMXFER, TW_MSG_GET, &setup) != TWRC_SUCCESS ||
        CallTwainSource(TW_DG_IMAGE, TW_DAT_IMAGEINFO, TW_MSG_GET, &info) != TWRC_SUCCESS) {
        AbandonAcquisition(IDS_ERROR_ACCESSING_DS);
        return -1;
    }
    scanned->Resolution =
        info.XResolution.Whole > info.YResolution.Whole ? info.XResolution.Whole : info.YResolution.Whole;
    scanned->Width = info.ImageWidth & 0xFFFF;
    scanned->Height = info.ImageLength;
    scanned->Planes = 1;
    if (scanned->Palette) DeleteObject(scanned->Palette);
    scanned->Palette = NULL;
    scanned->Stride = RowStride(info.PixelType, info.BitsPerPixel, scanned->Width);
    scanned->BitsPerPixel = BitsOfPixelType(info.PixelType);
    uint64_t size = scanned->Height > 0 ? (uint64_t)scanned->Height * (uint64_t)scanned->Stride : 0;
    if (size == 0) {
        AbandonAcquisition(IDS_UNSUPPORTED_IMAGE_FORMAT);
        return -1;
    }
    scanned->Block = size < 0x7FFFFFFF ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)size) : NULL;
    uint8_t* image = scanned->Block ? (uint8_t*)GlobalLock(scanned->Block) : NULL;
    if (!image) {
        ForgetScannedImage();
        AbandonAcquisition(IDS_NO_MEMORY);
        return -1;
    }
    memset(image, 0xFF, (size_t)size);
    int rows = 0;
    TransferOutcome outcome =
        ReceiveRows(&setup, image, scanned->Stride, scanned->Height, info.PixelType == TWPT_RGB, &rows);
    GlobalUnlock(scanned->Block);
    scanned->Palette = MakeScanPalette(info.PixelType);
    int keep = outcome == TRANSFER_DONE && rows > 0;
    // A cancel is the user's own: the page goes without a word, and the next transfer starts afresh.
    if (outcome == TRANSFER_CANCELLED) App.Twain.TransferCancelled = 0;
    else if (!keep) MessageBoxFromStringId(window, IDS_ERROR_ACCESSING_DS, NULL, MB_OK | MB_ICONEXCLAMATION);
    else keep = KeepAfterPaperCheck(window);
    if (!keep) ForgetScannedImage();
    return keep;
}

void TransferTwainImage(HWND window) {
    TwPendingXfers pending;
    do {
        if (ReceiveTwainImage(window) < 0) return;
        if (App.Twain.Scanned.Block) ProcessScannedPage();
        memset(&pending, 0, sizeof pending);
        if (CallTwainSource(TW_DG_CONTROL, TW_DAT_PENDINGXFERS, TW_MSG_ENDXFER, &pending) != TWRC_SUCCESS)
            pending.Count = 0;
    } while (pending.Count != 0);
    if (App.ShowTwainUI == 0 || App.KeepDialog == 0) {
        EndTwainSession();
        RecognizeBatchScanQueue();
    }
}
