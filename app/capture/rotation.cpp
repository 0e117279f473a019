// Quarter and half turns of an image record's pixels at 1, 4, 8 and 24 bits. Row 0 is the top
// line, so the turns are named as seen on screen. A failed turn leaves the record unchanged.
#include "capture.h"
#include "shell.h"
#include "resource.h"
#include "pixel_access.h"
#include <string.h>

#define IDS_ROTATING 5056

static int IsTurnableDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24; }

// The new pixel (row, column) of a quarter turn reads the old pixel at (sourceRow, sourceColumn).
static void QuarterTurnRows(uint8_t* target, const uint8_t* source, const ImageInfo* info, int newStride,
                            int clockwise) {
    int width = info->Width, height = info->Height, bits = info->BitsPerPixel;
    for (int row = 0; row < width; ++row) {
        uint8_t* out = target + (size_t)row * newStride;
        int sourceColumn = clockwise ? row : width - 1 - row;
        for (int column = 0; column < height; ++column) {
            int sourceRow = clockwise ? height - 1 - column : column;
            const uint8_t* in = source + (size_t)sourceRow * info->RowStride;
            WriteRowPixel(out, column, bits, ReadRowPixel(in, sourceColumn, bits));
        }
        StepProgress((row + 1) * 100 / width);
    }
}

static void ReplacePixels(ImageRecord* record, HGLOBAL pixels) {
    if (record == &App.CurrentImage) ReleaseCurrentImageBlock(&record->Pixels);
    else if (record->Pixels) GlobalFree(record->Pixels);
    record->Pixels = pixels;
}

static int TurnQuarter(ImageRecord* record, int clockwise) {
    ImageInfo* info = &record->Info;
    int bits = info->BitsPerPixel;
    if (!IsTurnableDepth(bits) || !record->Pixels || info->Width < 1 || info->Height < 1) return 0;
    if (bits == 1) BeginProgress(IDS_ROTATING);
    int newStride = GetDibRowBytes(info->Height, bits);
    HGLOBAL turned = GlobalAlloc(GHND, (SIZE_T)newStride * info->Width);
    uint8_t* target = turned ? (uint8_t*)GlobalLock(turned) : NULL;
    const uint8_t* source = target ? (const uint8_t*)GlobalLock(record->Pixels) : NULL;
    if (!source) {
        if (target) GlobalUnlock(turned);
        if (turned) GlobalFree(turned);
        if (bits == 1) {
            EndProgress();
            MessageBoxFromStringId(App.MainWindow, IDS_NO_MEMORY, NULL, MB_OK | MB_ICONSTOP);
        }
        return 0;
    }
    // Padding bits of 1-bit rows stay white, as a scanner's would.
    if (bits == 1) memset(target, 0xFF, (size_t)newStride * info->Width);
    QuarterTurnRows(target, source, info, newStride, clockwise);
    GlobalUnlock(record->Pixels);
    GlobalUnlock(turned);
    if (bits == 1) EndProgress();
    ReplacePixels(record, turned);
    int oldWidth = info->Width;
    info->Width = info->Height;
    info->Height = oldWidth;
    info->RowStride = newStride;
    RebuildThumbnail(record);
    return 1;
}

int RotateImage1(ImageRecord* record) { return TurnQuarter(record, 0); }

int RotateImage2(ImageRecord* record) { return TurnQuarter(record, 1); }

// Row `from` reversed pixel by pixel into `to` (the two may not overlap).
static void ReverseRowInto(uint8_t* to, const uint8_t* from, int width, int bits) {
    for (int x = 0; x < width; ++x) WriteRowPixel(to, width - 1 - x, bits, ReadRowPixel(from, x, bits));
}

int RotateImage3(ImageRecord* record) {
    ImageInfo* info = &record->Info;
    int bits = info->BitsPerPixel, width = info->Width, height = info->Height, stride = info->RowStride;
    if (!IsTurnableDepth(bits) || !record->Pixels || width < 1 || height < 1) return 0;
    uint8_t* top = (uint8_t*)malloc(stride);
    uint8_t* bottom = (uint8_t*)malloc(stride);
    uint8_t* pixels = top && bottom ? (uint8_t*)GlobalLock(record->Pixels) : NULL;
    if (!pixels) {
        free(top);
        free(bottom);
        if (bits == 1) MessageBoxFromStringId(App.MainWindow, IDS_NO_MEMORY, NULL, MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (bits == 1) BeginProgress(IDS_ROTATING);
    for (int y = 0; y < (height + 1) / 2; ++y) {
        uint8_t* upper = pixels + (size_t)y * stride;
        uint8_t* lower = pixels + (size_t)(height - 1 - y) * stride;
        memcpy(top, upper, stride);
        memcpy(bottom, lower, stride);
        ReverseRowInto(upper, bottom, width, bits);
        if (lower != upper) ReverseRowInto(lower, top, width, bits);
        StepProgress((y + 1) * 100 / ((height + 1) / 2));
    }
    if (bits == 1) EndProgress();
    GlobalUnlock(record->Pixels);
    free(top);
    free(bottom);
    RebuildThumbnail(record);
    return 1;
}
