// The scan queue: each scanned page becomes one or more card image files in the image folder,
// listed in BatchScan.ini; when the acquisition ends the list is walked and every file still
// queued is recognised and stored as a card.
#include "capture.h"
#include "recognition.h"
#include "resource.h"
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
// stays the caller's. 0 when a card could not be cut or saved (the cards before it are queued).
static int QueueCardsOfPage(ImageRecord* record, HGLOBAL page, const ImageInfo* pageInfo, const RECT* rects, int n,
                            int format, int option) {
    for (int i = 0; i < n; ++i) {
        ResetImageRecord(record);
        HGLOBAL card = NULL;
        ImageInfo cardInfo;
        if (!CutCardRect(page, pageInfo, rects[i].left, rects[i].top, rects[i].right, rects[i].bottom, &card,
                         &cardInfo)) {
            MessageBoxFromStringId(App.MainWindow, IDS_NO_MEMORY, NULL, MB_OK | MB_ICONEXCLAMATION);
            return 0;
        }
        ReleaseCurrentImageBlock(&record->Pixels);
        record->Pixels = card;
        record->Info = cardInfo;
        PrepareImageForRecognition(record);
        MakeImageFileName(IMAGE_NAME_SCAN, format, record->FileName);
        if (!SaveImageFile(record->FileName, format, option, record)) return 0;
        AppendToScanQueue(record->FileName);
    }
    return 1;
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
        int found = SplitCardPage(record->Pixels, &record->Info, rects, &n, 1);
        // Without memory to split it the page is queued whole rather than lost.
        if (found == SPLIT_NO_MEMORY) {
            MessageBoxFromStringId(App.MainWindow, IDS_NO_MEMORY, NULL, MB_OK | MB_ICONEXCLAMATION);
            n = 1;
        } else if (!found) {
            n = 0;
        }
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
    // A card that could not be cut or saved keeps the whole page queued, so that no card is lost.
    if (QueueCardsOfPage(record, page, &pageInfo, rects, n, format, option)) DeleteFileA(pageFile);
    else AppendToScanQueue(pageFile);
    GlobalFree(page);
}

// Entry i of the list when it names a page still to be recognised (0 when done or missing).
static int ReadUndoneEntry(const char* list, int i, char* file, int size) {
    char key[24];
    snprintf(key, sizeof key, "File%d", i);
    GetPrivateProfileStringA("Files", key, "*", file, size, list);
    return file[0] && file[0] != '*';
}

int ResetScanQueue(void) {
    char list[MAX_PATH];
    BatchScanListPath(list, sizeof list);
    // Pages the program ended before recognising go ahead of the new ones.
    int count = FileExists(list) ? (int)GetPrivateProfileIntA("Files", "Count", 0, list) : 0;
    char(*undone)[MAX_PATH] = NULL;
    if (count > 0) {
        undone = (char(*)[MAX_PATH])HeapAlloc(GetProcessHeap(), 0, (SIZE_T)count * MAX_PATH);
        if (!undone) return 0;  // the list stays as it is rather than forget its pages
    }
    int kept = 0;
    for (int i = 0; i < count; ++i)
        if (ReadUndoneEntry(list, i, undone[kept], MAX_PATH) && FileExists(undone[kept])) ++kept;
    HANDLE file = CreateFileA(list, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    int ok = file != INVALID_HANDLE_VALUE;
    if (ok) CloseHandle(file);
    ok = ok && WritePrivateProfileStringA("Files", "Count", "0", list) != 0;
    for (int i = 0; ok && i < kept; ++i) AppendToScanQueue(undone[i]);
    if (undone) HeapFree(GetProcessHeap(), 0, undone);
    return ok;
}

void RecognizeBatchScanQueue(void) {
    char list[MAX_PATH];
    BatchScanListPath(list, sizeof list);
    if (!FileExists(list)) return;
    int count = (int)GetPrivateProfileIntA("Files", "Count", 0, list);
    int stored = 0, walking = App.Twain.WalkingScanQueue;
    App.Twain.WalkingScanQueue = 1;
    for (int i = 0; i < count; ++i) {
        char key[24], file[257], page[MAX_PATH];
        snprintf(key, sizeof key, "File%d", i);
        if (!ReadUndoneEntry(list, i, file, sizeof file)) continue;
        lstrcpynA(page, file, sizeof page);
        if (ImportImageFile(page)) {
            DeleteFileA(file);
            stored = 1;
        }
        WritePrivateProfileStringA("Files", key, "*", list);
    }
    App.Twain.WalkingScanQueue = walking;
    if (stored) RefreshAfterImport();
}
