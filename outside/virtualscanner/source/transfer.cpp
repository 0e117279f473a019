// The acquisition: enabling (with or without the source's own dialog), pages announced
// as pending, image information, buffered memory transfer, and the end of each transfer.
// Faults of the state file's [Faults] section: SetupMemXfer=1 and ImageInfo=1 fail those
// queries, ShortRows=n sends n rows fewer than announced, ExtraRows=n sends n more,
// CancelPage=i cancels the transfer of feeder page i, BitsPerPixel=n announces that depth,
// FailAfterRows=n and CancelAfterRows=n fail or cancel the transfer once n rows were sent.
// The feeder list may set each of them for one page (ImageInfo1=1, Cancel2=1, ...).
#include "source.h"
#include "scanner_state.h"
#include <string.h>

static uint16_t Fail(uint16_t condition) {
    Session.ConditionCode = condition;
    return TWRC_FAILURE;
}

// A fault of the page in transfer: its own in the feeder list, else the state file's.
static int PageFault(const char* key, int fallback) {
    return FeederPageInt(Session.PageIndex, key, ReadScannerInt("Faults", key, fallback));
}

static int PagesLeft(void) {
    int left = FeederCount() - FeederNext();
    return left < 0 ? 0 : left;
}

// Pages of this acquisition: one per press of the dialog's Scan button, or what the feeder
// holds (at most the transfer count) when the application scans without the dialog.
void StartScan(void) {
    int pages = PagesLeft();
    if (Session.ShowUI && pages > 1) pages = 1;
    if (!Session.ShowUI && Session.XferCount > 0 && pages > Session.XferCount) pages = Session.XferCount;
    if (pages == 0) {
        // Nothing on the glass: the scan ends as a user's Close would end it.
        if (!Session.ShowUI) NotifyApplication(TW_MSG_CLOSEDSREQ);
        return;
    }
    Session.Pending = pages;
    Session.PageLoaded = false;
    Session.State = 6;
    NotifyApplication(TW_MSG_XFERREADY);
}

uint16_t OnUserInterface(uint16_t message, TwUserInterface* ui) {
    switch (message) {
    case TW_MSG_ENABLEDS:
        if (Session.State != 4) return Fail(TWCC_SEQERROR);
        Session.State = 5;
        Session.ShowUI = ui->ShowUI != 0;
        Session.Parent = ui->hParent;
        if (Session.ShowUI) {
            Session.Dialog = CreateScanDialog(ui->hParent);
            if (!Session.Dialog) {
                Session.State = 4;
                return Fail(TWCC_LOWMEMORY);
            }
        } else {
            StartScan();
        }
        return TWRC_SUCCESS;
    case TW_MSG_DISABLEDS:
        if (Session.State != 5) return Fail(TWCC_SEQERROR);
        if (Session.Dialog) DestroyWindow(Session.Dialog);
        Session.Dialog = nullptr;
        Session.State = 4;
        return TWRC_SUCCESS;
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

static bool LoadCurrentPage(void) {
    if (Session.PageLoaded) return true;
    Session.PageIndex = FeederNext();
    Session.Page = PageImage();
    if (!LoadFeederPage(Session.PageIndex, &Session.Page)) return false;
    Session.PageLoaded = true;
    Session.RowsSent = 0;
    return true;
}

// A scanned card has left the card scanner, unless it jammed.
static void TakeCardOut(void) {
    if (!ReadScannerInt("CardScanner", "Jam", 0)) WriteScannerInt("CardScanner", "PaperOn", 0);
}

static void FeedPageThrough(void) {
    FeederAdvance();
    Session.PageLoaded = false;
    Session.Page = PageImage();
}

uint16_t OnPendingXfers(uint16_t message, TwPendingXfers* pending) {
    pending->EOJ = 0;
    switch (message) {
    case TW_MSG_GET: break;
    case TW_MSG_ENDXFER:
        if (Session.State < 6) return Fail(TWCC_SEQERROR);
        FeedPageThrough();
        if (Session.Pending > 0) --Session.Pending;
        break;
    case TW_MSG_RESET:
        if (Session.State < 6) return Fail(TWCC_SEQERROR);
        Session.Pending = 0;
        break;
    default: return Fail(TWCC_BADPROTOCOL);
    }
    if (message != TW_MSG_GET) {
        Session.State = Session.Pending > 0 ? 6 : 5;
        UpdateScanDialog();
    }
    pending->Count = (uint16_t)Session.Pending;
    return TWRC_SUCCESS;
}

uint16_t OnSetupMemXfer(uint16_t message, TwSetupMemXfer* setup) {
    if (message != TW_MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (Session.State < 6) return Fail(TWCC_SEQERROR);
    if (!LoadCurrentPage() || PageFault("SetupMemXfer", 0)) return Fail(TWCC_OPERATIONERROR);
    uint32_t row = (uint32_t)Session.Page.BytesPerRow;
    uint32_t preferred = (uint32_t)ReadScannerInt("Source", "BufferSize", 65536);
    if (preferred < row) preferred = row;
    setup->MinBufSize = row;
    setup->MaxBufSize = preferred > row * 64 ? preferred : row * 64;
    setup->Preferred = preferred;
    return TWRC_SUCCESS;
}

uint16_t OnImageInfo(uint16_t message, TwImageInfo* info) {
    if (message != TW_MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (Session.State < 6) return Fail(TWCC_SEQERROR);
    if (!LoadCurrentPage() || PageFault("ImageInfo", 0)) return Fail(TWCC_OPERATIONERROR);
    const PageImage& page = Session.Page;
    memset(info, 0, sizeof *info);
    info->XResolution.Whole = info->YResolution.Whole = (int16_t)page.Resolution;
    info->ImageWidth = page.Width;
    info->ImageLength = page.Height;
    int color = page.PixelType == TWPT_RGB;
    info->SamplesPerPixel = color ? 3 : 1;
    info->BitsPerPixel = (int16_t)PageFault("BitsPerPixel", page.BitsPerPixel);
    for (int i = 0; i < info->SamplesPerPixel; ++i) info->BitsPerSample[i] = info->BitsPerPixel / info->SamplesPerPixel;
    info->PixelType = (int16_t)page.PixelType;
    info->Planar = 0;
    info->Compression = 0;
    return TWRC_SUCCESS;
}

uint16_t OnImageMemXfer(uint16_t message, TwImageMemXfer* xfer) {
    if (message != TW_MSG_GET) return Fail(TWCC_BADPROTOCOL);
    xfer->Rows = 0;
    if (Session.State < 6) return Fail(TWCC_SEQERROR);
    if (!LoadCurrentPage()) return Fail(TWCC_OPERATIONERROR);
    Session.State = 7;
    const PageImage& page = Session.Page;
    if (PageFault("BitsPerPixel", page.BitsPerPixel) != page.BitsPerPixel) return Fail(TWCC_BADVALUE);
    if (ReadScannerInt("Faults", "CancelPage", -1) == Session.PageIndex || PageFault("Cancel", 0)) {
        // The user stopped the scanner: this page and every one after it are off.
        Session.Pending = 1;
        return TWRC_CANCEL;
    }
    int failAfter = PageFault("FailAfterRows", -1), cancelAfter = PageFault("CancelAfterRows", -1);
    if (failAfter >= 0 && Session.RowsSent >= failAfter) return Fail(TWCC_OPERATIONERROR);
    if (cancelAfter >= 0 && Session.RowsSent >= cancelAfter) {
        Session.Pending = 1;
        return TWRC_CANCEL;
    }
    uint32_t bytesPerRow = (uint32_t)page.BytesPerRow;
    if (!xfer->Memory.TheMem || xfer->Memory.Length < bytesPerRow) return Fail(TWCC_BADVALUE);
    int total = page.Height - PageFault("ShortRows", 0) + PageFault("ExtraRows", 0);
    int rows = (int)(xfer->Memory.Length / bytesPerRow);
    if (rows > total - Session.RowsSent) rows = total - Session.RowsSent;
    // A fault in the middle of the page comes with the buffer after the one that reaches it.
    for (int limit : {failAfter, cancelAfter})
        if (limit > Session.RowsSent && rows > limit - Session.RowsSent) rows = limit - Session.RowsSent;
    if (rows < 0) rows = 0;
    uint8_t* out = (uint8_t*)xfer->Memory.TheMem;
    for (int i = 0; i < rows; ++i) {
        int y = Session.RowsSent + i;
        // Rows beyond the page come out black, so that a receiver that keeps them shows it.
        if (y < page.Height)
            memcpy(out + (size_t)i * bytesPerRow, page.Rows.data() + (size_t)y * bytesPerRow, bytesPerRow);
        else memset(out + (size_t)i * bytesPerRow, 0, bytesPerRow);
    }
    xfer->Compression = 0;
    xfer->BytesPerRow = bytesPerRow;
    xfer->Columns = (uint32_t)page.Width;
    xfer->Rows = (uint32_t)rows;
    xfer->XOffset = 0;
    xfer->YOffset = (uint32_t)Session.RowsSent;
    xfer->BytesWritten = (uint32_t)rows * bytesPerRow;
    Session.RowsSent += rows;
    if (Session.RowsSent < total) return TWRC_SUCCESS;
    TakeCardOut();
    return TWRC_XFERDONE;
}

uint16_t OnPalette8(uint16_t message, TwPalette8* palette) {
    if (message != TW_MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (Session.State < 6 || !LoadCurrentPage()) return Fail(TWCC_SEQERROR);
    if (Session.Page.PixelType != TWPT_PALETTE) return Fail(TWCC_BADPROTOCOL);
    palette->NumColors = 256;
    palette->PaletteType = 0;  // RGB
    for (int i = 0; i < 256; ++i) {
        palette->Colors[i].Index = (uint8_t)i;
        palette->Colors[i].Channel1 = Session.Page.Palette[i][0];
        palette->Colors[i].Channel2 = Session.Page.Palette[i][1];
        palette->Colors[i].Channel3 = Session.Page.Palette[i][2];
    }
    return TWRC_SUCCESS;
}

void CloseSession(void) {
    if (Session.Dialog) DestroyWindow(Session.Dialog);
    ForgetPendingEvent();
    Session = SourceSession();
}
