// A scanned card image made ready for recognition: the card's rectangle found on the darker
// scanner background and the image record cropped to it, in place.
#include "capture.h"
#include "pixwell_core.h"
#include "scanning.h"
#include "shell.h"
#include <string.h>

#define GREY_DARK_LIMIT  50
#define EPSON_DARK_LIMIT 75
// The scan area of an Epson feeder, in inches, and the card band cut from it.
#define EPSON_AREA_WIDTH  3.95f
#define EPSON_AREA_HEIGHT 3.7f
#define EPSON_MIN_SIDE    1.86f

HGLOBAL MakePackedDib(const ImageRecord* record, int colours) {
    const ImageInfo* info = &record->Info;
    SIZE_T rows = (SIZE_T)info->RowStride * info->Height;
    SIZE_T head = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, head + rows);
    uint8_t* dib = block ? (uint8_t*)GlobalLock(block) : NULL;
    const uint8_t* pixels = record->Pixels ? (const uint8_t*)GlobalLock(record->Pixels) : NULL;
    if (!dib || !pixels) {
        if (pixels) GlobalUnlock(record->Pixels);
        if (block) GlobalFree(block);
        return NULL;
    }
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colours[256];
    } bitmap;
    BuildBitmapInfo((BITMAPINFO*)&bitmap, info->Width, info->Height, info->BitsPerPixel, info->Palette);
    bitmap.Header.biClrUsed = (DWORD)colours;
    memcpy(dib, &bitmap, head);
    memcpy(dib + head, pixels, rows);
    GlobalUnlock(record->Pixels);
    GlobalUnlock(block);
    return block;
}

// Dark pixels of one row or one column of an 8-bit image.
static int DarkInRow(const uint8_t* pixels, int stride, int width, int y, int limit) {
    const uint8_t* row = pixels + (size_t)y * stride;
    int n = 0;
    for (int x = 0; x < width; ++x) n += row[x] < limit;
    return n;
}

static int DarkInColumn(const uint8_t* pixels, int stride, int height, int x, int limit) {
    int n = 0;
    for (int y = 0; y < height; ++y) n += pixels[(size_t)y * stride + x] < limit;
    return n;
}

// The rectangle inside a band of `band` lines along each side whose lines hold `threshold`
// dark pixels or more.
static void FindCardRect(const ImageRecord* record, int band, int threshold, int limit, RECT* rect) {
    int w = record->Info.Width, h = record->Info.Height, stride = record->Info.RowStride;
    const uint8_t* p = (const uint8_t*)GlobalLock(record->Pixels);
    rect->top = 0;
    for (int r = 0; r < band; ++r)
        if (DarkInRow(p, stride, w, r, limit) < threshold) {
            rect->top = r;
            break;
        }
    rect->bottom = h;
    for (int r = h - 1; r > h - band; --r)
        if (DarkInRow(p, stride, w, r, limit) < threshold) {
            rect->bottom = r;
            break;
        }
    rect->left = 0;
    for (int c = 0; c < band; ++c)
        if (DarkInColumn(p, stride, h, c, limit) < threshold) {
            rect->left = c;
            break;
        }
    rect->right = w;
    for (int c = w - 1; c > w - band; --c)
        if (DarkInColumn(p, stride, h, c, limit) < threshold) {
            rect->right = c;
            break;
        }
    GlobalUnlock(record->Pixels);
}

int FindCardRectGrey(const ImageRecord* record, RECT* rect) {
    int w = record->Info.Width, h = record->Info.Height;
    FindCardRect(record, (w < h ? w : h) / 10, w / 4, GREY_DARK_LIMIT, rect);
    return 1;
}

int FindCardRectEpson(const ImageRecord* record, RECT* rect) {
    int w = record->Info.Width, h = record->Info.Height;
    FindCardRect(record, (w < h ? w : h) * 3 / 5, w / 2, EPSON_DARK_LIMIT, rect);
    if (rect->left >= rect->right) {
        rect->left = 0;
        rect->right = w - 1;
    }
    if (rect->top >= rect->bottom) {
        rect->top = 0;
        rect->bottom = h - 1;
    }
    if (w < 1 || h < 1) return 1;
    float rw = (float)(rect->right - rect->left) * EPSON_AREA_WIDTH / (float)w;
    float rh = (float)(rect->bottom - rect->top) * EPSON_AREA_HEIGHT / (float)h;
    if (rw >= rh && rh < EPSON_MIN_SIDE) {
        rect->top = 14;
        rect->bottom = 14 + (int)((float)w * 2.1f / EPSON_AREA_WIDTH);
    } else if (rw < rh && rw < EPSON_MIN_SIDE) {
        rect->left = (int)((float)w * 1.15f / EPSON_AREA_WIDTH);
        rect->right = (int)((float)w * 3.25f / EPSON_AREA_WIDTH);
    }
    return 1;
}

static int CroppedStride(int bits, int width) {
    switch (bits) {
    case 1: return (width + 31) / 32 * 4;
    case 4: return (width + 7) / 8 * 4;
    case 8: return (width + 3) / 4 * 4;
    default: return (3 * width + 3) / 4 * 4;
    }
}

static void CopyCroppedRow(const uint8_t* in, int inBytes, uint8_t* out, int bits, int left, int width, int shift) {
    static const uint8_t kLeadingBits[8] = {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF};
    switch (bits) {
    case 1:
        memcpy(out, in + left / 8, (width + 7) / 8);
        if (shift) out[0] |= kLeadingBits[7 - shift];
        break;
    case 4:
        if (left % 2 == 0) memcpy(out, in + left / 2, (width + 1) / 2);
        else
            for (int i = 0; i < (width + 1) / 2; ++i)
                out[i] = (uint8_t)(((in[left / 2 + i] & 0x0F) << 4) |
                                   (left / 2 + i + 1 < inBytes ? in[left / 2 + i + 1] >> 4 : 0));
        break;
    case 8: memcpy(out, in + left, width); break;
    default: memcpy(out, in + 3 * left, 3 * (size_t)width);
    }
}

void CropImageRecord(ImageRecord* record, const RECT* rect) {
    ImageInfo* info = &record->Info;
    int left = rect->left < 0 ? 0 : rect->left, top = rect->top < 0 ? 0 : rect->top;
    int right = rect->right, bottom = rect->bottom;
    if (right <= left || bottom <= top || !record->Pixels) return;
    if (right > info->Width) right = info->Width;
    if (bottom > info->Height) bottom = info->Height;
    if (right <= left || bottom <= top) return;  // wholly outside the image
    int bits = info->BitsPerPixel, shift = 0;
    if (bits == 1) {
        shift = left % 8;
        left -= shift;
    }
    int width = right - left, height = bottom - top, stride = CroppedStride(bits, width);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)stride * height);
    uint8_t* out = block ? (uint8_t*)GlobalLock(block) : NULL;
    if (!out) {
        if (block) GlobalFree(block);
        return;
    }
    const uint8_t* in = (const uint8_t*)GlobalLock(record->Pixels);
    for (int y = top; y < bottom; ++y)
        CopyCroppedRow(in + (size_t)y * info->RowStride, info->RowStride, out + (size_t)(y - top) * stride, bits, left,
                       width, shift);
    GlobalUnlock(record->Pixels);
    GlobalUnlock(block);
    ReleaseCurrentImageBlock(&record->Pixels);
    record->Pixels = block;
    info->Width = width;
    info->Height = height;
    info->RowStride = stride;
    ReleaseCurrentImageBlock(&record->LineImage);
}

// The grey copy of a black-and-white or colour record, searched for the card's border.
static int FindBorderOfConvertedCopy(const ImageRecord* record, int colours, HGLOBAL (*convert)(HGLOBAL), RECT* rect) {
    HGLOBAL dib = MakePackedDib(record, colours);
    if (!dib) return 0;
    HGLOBAL grey = convert(dib);
    GlobalFree(dib);
    if (!grey) return 0;
    int found = pixwell::FindCardBorder(grey, rect, App.Twain.EpsonScanner);
    GlobalFree(grey);
    return found;
}

void PrepareImageForRecognition(ImageRecord* record) {
    RECT rect;
    int found = 0;
    switch (record->Info.BitsPerPixel) {
    case 1: found = FindBorderOfConvertedCopy(record, 2, pixwell::ConvertBlackWhiteToGrey, &rect); break;
    case 24: found = FindBorderOfConvertedCopy(record, 0, pixwell::ConvertColourToGrey, &rect); break;
    case 8: found = App.Twain.EpsonScanner ? FindCardRectEpson(record, &rect) : FindCardRectGrey(record, &rect); break;
    default: return;
    }
    if (found) CropImageRecord(record, &rect);
}
