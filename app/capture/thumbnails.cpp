// Card thumbnails: any card image reduced to fit 234 x 134 as an 8-bit BMP held in memory,
// and written as a ".THM" file in the thumbnail folder.
#include "capture.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

#define THUMB_MAX_WIDTH   234
#define THUMB_MAX_HEIGHT  134
#define THUMB_PIXELS_AT   1078
#define THUMB_PELS        2834
#define THUMB_PALETTE_LEN 1024

// Thumbnail palette entries of the greys 0, 34, 66, 102, 128, 153, 193, 221 and 255, by the
// number of set bits (0 to 8) of a 1-bit source byte.
static const uint8_t kMonoGreyEntries[9] = {0, 16, 20, 109, 248, 146, 233, 241, 255};

void LoadThumbnailPalette(void* buffer) {
    memset(buffer, 0, THUMB_PALETTE_LEN);
    HRSRC found = FindResourceA(App.Instance, "PALDATA1", (LPCSTR)RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(App.Instance, found) : NULL;
    const void* data = loaded ? LockResource(loaded) : NULL;
    if (!data) return;
    DWORD size = SizeofResource(App.Instance, found);
    memcpy(buffer, data, size < THUMB_PALETTE_LEN ? size : THUMB_PALETTE_LEN);
}

static int ThumbStride(int width) { return (width + 3) / 4 * 4; }

// The colour table: an 8-bit source keeps its own palette (a grey ramp when it has none),
// every other source gets the fixed thumbnail palette.
static void WriteColourTable(RGBQUAD* table, const ImageInfo* info) {
    if (info->BitsPerPixel != 8) {
        LoadThumbnailPalette(table);
        return;
    }
    PALETTEENTRY entries[256];
    memset(entries, 0, sizeof entries);
    if (info->Palette) GetPaletteEntries(info->Palette, 0, 256, entries);
    else
        for (int i = 0; i < 256; ++i) entries[i].peRed = entries[i].peGreen = entries[i].peBlue = (BYTE)i;
    for (int i = 0; i < 256; ++i) {
        table[i].rgbRed = entries[i].peRed;
        table[i].rgbGreen = entries[i].peGreen;
        table[i].rgbBlue = entries[i].peBlue;
        table[i].rgbReserved = 0;
    }
}

static void WriteThumbnailHeaders(uint8_t* block, int width, int height) {
    BITMAPFILEHEADER* file = (BITMAPFILEHEADER*)block;
    file->bfType = 0x4D42;
    file->bfSize = THUMB_PIXELS_AT + ThumbStride(width) * height;
    file->bfOffBits = THUMB_PIXELS_AT;
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)(block + sizeof(BITMAPFILEHEADER));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 8;
    header->biXPelsPerMeter = header->biYPelsPerMeter = THUMB_PELS;
}

static int CountBits(uint8_t byte) {
    int n = 0;
    for (; byte; byte &= (uint8_t)(byte - 1)) ++n;
    return n;
}

// A reduced 1-bit pixel: the set bits of the source byte holding it, averaged over up to four
// source rows of its band (only over the rows that exist).
static uint8_t MonoThumbPixel(const uint8_t* pixels, int stride, int x, int y, int factor) {
    int byteIndex = x / 8 < stride - 1 ? x / 8 : stride - 1;
    if (factor <= 4) return (pixels[(size_t)y * stride + x / 8] >> (7 - (x & 7))) & 1 ? 255 : 0;
    int rows[4] = {y, y - factor / 2, y - factor / 4, y - 3 * (factor / 4)};
    int used = y > factor ? 4 : 1;
    int sum = 0;
    for (int i = 0; i < used; ++i) sum += CountBits(pixels[(size_t)rows[i] * stride + byteIndex]);
    return kMonoGreyEntries[sum / used];
}

static void Fill4BitRow(uint8_t* expanded, const uint8_t* source, const ImageInfo* info, int y,
                        const PALETTEENTRY* entries, int hasPalette) {
    // Any palette, grey ones included, is dithered by its colours, so grey stays grey; the
    // standard sixteen colours serve an image without one.
    if (hasPalette) ConvertPaletteRow4ToThumb(expanded, source, info->Width, y, entries);
    else ConvertGreyRow4ToThumb(expanded, source, info->Width);
}

static void FillThumbnailRows(uint8_t* rows, int width, int height, int factor, const ImageInfo* info,
                              const uint8_t* pixels) {
    int stride = ThumbStride(width);
    PALETTEENTRY entries[16];
    memset(entries, 0, sizeof entries);
    int hasPalette = info->BitsPerPixel == 4 && info->Palette && GetPaletteEntries(info->Palette, 0, 16, entries) > 0;
    uint8_t* expanded = info->BitsPerPixel == 4 ? (uint8_t*)malloc(info->Width + 1) : NULL;
    for (int r = 0; r < height; ++r) {
        int y = r * factor;
        const uint8_t* source = pixels + (size_t)y * info->RowStride;
        uint8_t* out = rows + (size_t)(height - 1 - r) * stride;
        if (expanded) Fill4BitRow(expanded, source, info, y, entries, hasPalette);
        for (int c = 0; c < width; ++c) {
            int x = c * factor;
            switch (info->BitsPerPixel) {
            case 8: out[c] = source[x]; break;
            case 24: out[c] = DitherToThumbPalette(source[3 * x + 2], source[3 * x + 1], source[3 * x], c, r); break;
            case 4: out[c] = expanded ? expanded[x] : 0; break;
            case 1: out[c] = MonoThumbPixel(pixels, info->RowStride, x, y, factor); break;
            }
        }
    }
    free(expanded);
}

HGLOBAL MakeThumbnail(const ImageInfo* info, HGLOBAL pixels) {
    int factor = (info->Width + THUMB_MAX_WIDTH - 1) / THUMB_MAX_WIDTH;
    int vertical = (info->Height + THUMB_MAX_HEIGHT - 1) / THUMB_MAX_HEIGHT;
    if (vertical > factor) factor = vertical;
    if (factor <= 0 || !pixels) return NULL;
    int width = info->Width / factor, height = info->Height / factor;
    int bits = info->BitsPerPixel;
    if (width < 1 || height < 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24)) return NULL;
    HGLOBAL block = GlobalAlloc(GHND, (SIZE_T)ThumbStride(width) * height + THUMB_PIXELS_AT + 1);
    uint8_t* thumb = block ? (uint8_t*)GlobalLock(block) : NULL;
    const uint8_t* source = thumb ? (const uint8_t*)GlobalLock(pixels) : NULL;
    if (!source) {
        if (thumb) GlobalUnlock(block);
        if (block) GlobalFree(block);
        return NULL;
    }
    WriteThumbnailHeaders(thumb, width, height);
    WriteColourTable((RGBQUAD*)(thumb + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)), info);
    FillThumbnailRows(thumb + THUMB_PIXELS_AT, width, height, factor, info, source);
    GlobalUnlock(pixels);
    GlobalUnlock(block);
    return block;
}

// "<thumbnail folder><first four characters of the image's base name>XXXX.THM".
static int MakeThumbnailName(const char* imagePath, char* name, int size) {
    char folder[MAX_PATH], prefix[5] = "";
    if (ReadFolderSetting("ThumbDir", folder, sizeof folder) < 0) return 0;
    const char* base = strrchr(imagePath, '\\');
    base = base ? base + 1 : imagePath;
    int i = 0;
    for (; i < 4 && base[i] && base[i] != '.'; ++i) prefix[i] = base[i];
    prefix[i] = 0;
    if (MakeFreeImageName(name, size, folder, prefix, ".THM")) return 1;
    if (!name[0]) ReportUnusableFolder("ThumbDir", folder);
    return 0;
}

static int WriteWholeFile(const char* path, const void* bytes, DWORD count) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes, count, &written, NULL) && written == count;
    CloseHandle(file);
    if (!ok) DeleteFileA(path);
    return ok;
}

int WriteThumbnailFile(const ImageInfo* info, HGLOBAL pixels, char* name) {
    HGLOBAL block = MakeThumbnail(info, pixels);
    if (!block) return 0;
    char path[MAX_PATH * 2];
    int written = 0;
    const uint8_t* thumb = (const uint8_t*)GlobalLock(block);
    if (thumb && MakeThumbnailName(name, path, sizeof path) && strlen(path) < MAX_PATH) {
        const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)(thumb + sizeof(BITMAPFILEHEADER));
        DWORD bytes = THUMB_PIXELS_AT + ThumbStride(header->biWidth) * header->biHeight;
        written = WriteWholeFile(path, thumb, bytes);
    }
    if (thumb) GlobalUnlock(block);
    GlobalFree(block);
    if (written) lstrcpynA(name, path, MAX_PATH);
    return written;
}

int IsGreyImageRecord(const ImageRecord* record) {
    const ImageInfo* info = &record->Info;
    if (!record->Pixels) return 0;
    if (info->BitsPerPixel == 8 && !info->Palette) return 1;
    if ((info->BitsPerPixel != 8 && info->BitsPerPixel != 4) || !info->Palette) return 0;
    PALETTEENTRY entries[256];
    int n = GetPaletteEntries(info->Palette, 0, 256, entries);
    int expected = info->BitsPerPixel == 8 ? 256 : 16;
    return n == expected && IsGreyPalette(entries, n);
}

int RebuildThumbnail(ImageRecord* record) {
    if (record == &App.CurrentImage) ReleaseCurrentImageBlock(&record->Thumbnail);
    else if (record->Thumbnail) GlobalFree(record->Thumbnail);
    record->Thumbnail = MakeThumbnail(&record->Info, record->Pixels);
    return record->Thumbnail != NULL;
}
