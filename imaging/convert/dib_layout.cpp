#include "dib_layout.h"
#include "pixwell_core.h"
#include <cstdint>
#include <new>

namespace pixwell {

int TableEntriesForBits(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

int64_t RowBytesForBits(int bitsPerPixel, int64_t width) {
    switch (bitsPerPixel) {
    case 1: return (width + 31) / 32 * 4;
    case 4: return (width + 7) / 8 * 4;
    case 8: return (width + 3) / 4 * 4;
    case 24: return (3 * width + 3) / 4 * 4;
    default: return 0;
    }
}

size_t BufferBytes(int64_t count, int64_t itemBytes) {
    const int64_t limit = PTRDIFF_MAX;
    if (count < 0 || itemBytes < 0 || (itemBytes > 0 && count > limit / itemBytes)) throw std::bad_alloc();
    return static_cast<size_t>(count * itemBytes);
}

size_t BufferBytes(int64_t width, int64_t height, int64_t itemBytes) {
    return BufferBytes(static_cast<int64_t>(BufferBytes(width, height)), itemBytes);
}

int DibRowBytes(int bitsPerPixel, int width) {
    if (bitsPerPixel == 32) return width * 4;
    int64_t bytes = RowBytesForBits(bitsPerPixel, width);
    return bytes > 0 ? static_cast<int>(bytes) : width;
}

int DibPaletteEntries(const BITMAPINFOHEADER* header) {
    if (!header) return 0;
    if (header->biSize != sizeof(BITMAPCOREHEADER) && header->biClrUsed != 0)
        return static_cast<int>(header->biClrUsed);
    return TableEntriesForBits(header->biBitCount);
}

int DibPaletteBytes(const BITMAPINFOHEADER* header) {
    if (!header) return 0;
    int entrySize = header->biSize == sizeof(BITMAPCOREHEADER) ? 3 : 4;
    return DibPaletteEntries(header) * entrySize;
}

int ReadDibHeader(HGLOBAL dib, BITMAPINFOHEADER* header) {
    if (!dib || !header) return 0;
    SIZE_T blockSize = GlobalSize(dib);
    if (blockSize < sizeof(BITMAPCOREHEADER)) return 0;
    const auto* raw = static_cast<const BYTE*>(GlobalLock(dib));
    if (!raw) return 0;
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(raw);
    if (info->biSize == sizeof(BITMAPCOREHEADER)) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(raw);
        *header = BITMAPINFOHEADER{};
        header->biSize = sizeof(BITMAPCOREHEADER);
        header->biWidth = core->bcWidth;
        header->biHeight = core->bcHeight;
        header->biPlanes = core->bcPlanes;
        header->biBitCount = core->bcBitCount;
    } else if (blockSize >= sizeof(BITMAPINFOHEADER)) {
        *header = *info;
        if (header->biSizeImage == 0)
            header->biSizeImage = static_cast<DWORD>((static_cast<int64_t>(header->biBitCount) * header->biWidth + 31) /
                                                     32 * 4 * header->biHeight);
        if (header->biClrUsed == 0) header->biClrUsed = DibPaletteEntries(header);
    } else {
        GlobalUnlock(dib);
        return 0;
    }
    GlobalUnlock(dib);
    return 1;
}

}  // namespace pixwell
