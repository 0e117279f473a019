// The images a recognised page carries: its black-and-white rows in a bank of its own and its
// grey rows, both as movable blocks that stay locked while the page lives.
#include "page_images.h"
#include <windows.h>
#include <string.h>
#include "engine_memory.h"
#include "host_bank_transfer.h"

namespace {

const char kPageBank[] = "PageImage";

struct GreyPage {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Rows;  // Width bytes a row
};
GreyPage g_grey;

HGLOBAL LockedBlock(size_t size, uint8_t** data) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
    *data = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
    if (block && !*data) {
        GlobalFree(block);
        block = nullptr;
    }
    return block;
}

void FreeLocked(void* handle) {
    if (!handle) return;
    GlobalUnlock(static_cast<HGLOBAL>(handle));
    GlobalFree(static_cast<HGLOBAL>(handle));
}

}  // namespace

int GreyAt(const uint8_t* row, int x, int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 24: return (row[3 * x + 2] * 299 + row[3 * x + 1] * 587 + row[3 * x] * 114) / 1000;
    case 4: return ((x & 1) ? (row[x / 2] & 15) : (row[x / 2] >> 4)) * 17;
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
    default: return row[x];
    }
}

void KeepGreyRows(std::vector<uint8_t>&& rows, int width, int height) {
    g_grey.Width = width;
    g_grey.Height = height;
    g_grey.Rows = std::move(rows);
}

bool AttachPageImages(RecogPage& page, const BinaryPage& image) {
    FreePageImages(page);
    int w = image.Width, h = image.Height;
    if (w < 1 || h < 1 || w > 0xFFFF || h > 0xFFFF) return false;
    int greyStride = (w + 3) / 4 * 4;
    uint8_t *bw = nullptr, *grey = nullptr;
    HGLOBAL bwBlock = LockedBlock(image.Bits.size(), &bw);
    HGLOBAL greyBlock = LockedBlock(static_cast<size_t>(greyStride) * h, &grey);
    int32_t bankId = 0;
    if (!bwBlock || !greyBlock ||
        !TransferToHostBank(bw, kPageBank, static_cast<uint16_t>(image.BytesPerRow), static_cast<uint16_t>(h),
                            &bankId)) {
        FreeLocked(bwBlock);
        FreeLocked(greyBlock);
        return false;
    }
    memcpy(bw, image.Bits.data(), image.Bits.size());
    bool keptFits = g_grey.Width == w && g_grey.Height == h;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = grey + static_cast<size_t>(y) * greyStride;
        if (keptFits) memcpy(row, &g_grey.Rows[static_cast<size_t>(y) * w], static_cast<size_t>(w));
        else
            for (int x = 0; x < w; ++x) row[x] = image.Ink(x, y) ? 0 : 255;
    }
    RecogImageInfo& info = page.Image;
    info.BwBank = mem_get_special_bank(kPageBank);
    info.Width = static_cast<uint16_t>(w);
    info.Height = static_cast<uint16_t>(h);
    info.BwBytesPerRow = static_cast<uint16_t>(image.BytesPerRow);
    info.GreyBytesPerRow = static_cast<uint16_t>(greyStride);
    info.GreyBitsPerPixel = 8;
    info.Palette = nullptr;
    info.RelationValue = image.Dpi;
    info.BankSlot = bankId;
    info.GreyRows = greyBlock;
    info.BwRows = bwBlock;
    return true;
}

void FreePageImages(RecogPage& page) {
    RecogImageInfo& info = page.Image;
    if (info.BankSlot) mem_free_bank(info.BankSlot);
    FreeLocked(info.GreyRows);
    FreeLocked(info.BwRows);
    memset(&info, 0, sizeof info);
}
