// The scan queue: each scanned page becomes one or more card image files in the image folder,
// listed in BatchScan.ini; when the acquisition ends the list is walked and every file still
// queued is recognised and stored as a card.
#include "capture.h"
#include "recognition.h"
#include "scanning.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

#define SINGLE_CARD_WIDTH_INCHES  7
#define SINGLE_CARD_HEIGHT_INCHES 4

void BatchScanListPath(char* path, int size) { JoinFolderSettingAndName("ImageDir", "BatchScan.ini", path, size); }

// A write that fails leaves Count as it was, so the entry is not queued.
static void AppendToScanQueue(const char* file) {
    char list[MAX_PATH], key[24], count[16];
    BatchScanListPath(list, sizeof list);
    if (!list[0]) return;
    int n = (int)GetPrivateProfileIntA("Files", "Count", 0, list);
    snprintf(key, sizeof key, "File%d", n);
    if (!WritePrivateProfileStringA("Files", key, file, list)) return;
    snprintf(count, sizeof count, "%d", n + 1);
    WritePrivateProfileStringA("Files", "Count", count, list);
}

// The scanned image becomes the current image record; the record owns block and palette.
static void TakeScannedImage(ImageRecord* record) {
    SCANNEDIMAGE* scanned = &App.Twain.Scanned;
    ReleaseCurrentImageBlock(&record->Pixels);
    ReleaseCurrentPalette();
    memset(&record->Info, 0, sizeof record->Info);
    record->Pixels = scanned->Block;
    record->Info.RowStride = scanned->Stride;
    record->Info.Width = scanned->Width;
    record->Info.Height = scanned->Height;
    record->Info.Planes = (uint8_t)scanned->Planes;
    record->Info.BitsPerPixel = (uint8_t)scanned->BitsPerPixel;
    // A source that announces no resolution scanned at the usual 300 dots per inch.
    record->Info.Resolution = scanned->Resolution > 0 ? scanned->Resolution : DEFAULT_RESOLUTION;
    record->Info.Palette = scanned->Palette;
    scanned->Block = NULL;
    scanned->Palette = NULL;
    ResetImageRecord(record);
}

static void ChooseScanFormat(int bits, int* format, int* option) {
    *format = bits == 24 ? IMAGE_TYPE_JPEG : IMAGE_TYPE_TIFF;
    *option = bits == 1 ? 4 : bits == 8 ? 0 : 1;
}

// Cuts each card out of the page into the record, prepares and queues it; the page's block
// stays the caller's.
static void QueueCardsOfPage(ImageRecord* record, HGLOBAL page, const ImageInfo* pageInfo, const RECT* rects, int n,
                             int format, int option) {
    for (int i = 0; i < n; ++i) {
        ResetImageRecord(record);
        HGLOBAL card = NULL;
        ImageInfo cardInfo;
        if (!CutCardRect(page, pageInfo, rects[i].left, rects[i].top, rects[i].right, rects[i].bottom, &card,
                         &cardInfo))
            break;
        ReleaseCurrentImageBlock(&record->Pixels);
        record->Pixels = card;
        record->Info = cardInfo;
        PrepareImageForRecognition(record);
        MakeImageFileName(IMAGE_NAME_SCAN, format, record->FileName);
        if (!SaveImageFile(record->FileName, format, option, record)) break;
        AppendToScanQueue(record->FileName);
    }
}

void ProcessScannedPage(void) {
    if (!App.Twain.Scanned.Block) return;
    ImageRecord* record = &App.CurrentImage;
    TakeScannedImage(record);
    int format, option;
    ChooseScanFormat(record->Info.BitsPerPixel, &format, &option);
    MakeImageFileName(IMAGE_NAME_SCAN, format, record->FileName);
    if (App.SyscanScanner) PrepareImageForRecognition(record);
    if (!SaveImageFile(record->FileName, format, option, record)) {
        ReleaseCurrentImageBlock(&record->Pixels);
        return;
    }
    int widthInches = record->Info.Width / record->Info.Resolution;
    int heightInches = record->Info.Height / record->Info.Resolution;
    int single = widthInches <= SINGLE_CARD_WIDTH_INCHES && heightInches <= SINGLE_CARD_HEIGHT_INCHES;
    static RECT rects[SPLIT_RECT_MAX];
    int n = 1;
    if (!single && App.ScanMultiple) {
        if (!SplitCardPage(record->Pixels, &record->Info, rects, &n, 1)) n = 0;
    } else {
        PrepareImageForRecognition(record);
        SaveImageFile(record->FileName, format, option, record);
    }
    if (n == 1) {
        AppendToScanQueue(record->FileName);
        ReleaseCurrentImageBlock(&record->Pixels);
        return;
    }
    char pageFile[sizeof record->FileName];
    lstrcpynA(pageFile, record->FileName, sizeof pageFile);
    HGLOBAL page = record->Pixels;
    ImageInfo pageInfo = record->Info;
    record->Pixels = NULL;
    QueueCardsOfPage(record, page, &pageInfo, rects, n, format, option);
    DeleteFileA(pageFile);
    GlobalFree(page);
}

void RecognizeBatchScanQueue(void) {
    char list[MAX_PATH];
    BatchScanListPath(list, sizeof list);
    if (!FileExists(list)) return;
    int count = (int)GetPrivateProfileIntA("Files", "Count", 0, list);
    int stored = 0;
    for (int i = 0; i < count; ++i) {
        char key[24], file[257], page[MAX_PATH];
        snprintf(key, sizeof key, "File%d", i);
        GetPrivateProfileStringA("Files", key, "*", file, sizeof file, list);
        if (!file[0] || file[0] == '*') continue;
        lstrcpynA(page, file, sizeof page);
        if (ImportImageFile(page)) {
            DeleteFileA(file);
            stored = 1;
        }
        WritePrivateProfileStringA("Files", key, "*", list);
    }
    if (stored) RefreshAfterImport();
}
