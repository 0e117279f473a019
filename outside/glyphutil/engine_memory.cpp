// The engine heap over movable global memory, and the table of named memory banks.
#include "engine_memory.h"
#include <windows.h>
#include <stddef.h>
#include <string.h>

#define BANK_COUNT 32

// Every block carries guard bytes right behind the caller's bytes and, in its last four bytes,
// the size the caller asked for; OCR_free checks the guard, so a write past the end is caught
// when the block comes back. The block itself still starts at the caller's pointer, because
// callers find its global handle from that address.
namespace {
const uint8_t kGuard[8] = {0xFD, 0xFD, 0xFD, 0xFD, 0xFD, 0xFD, 0xFD, 0xFD};
const uint32_t kTrailer = sizeof kGuard + sizeof(uint32_t);
int32_t g_guardFailures = 0;
int32_t g_blocksLeft = -1;  // OCR_malloc_limit: -1 without a limit

void MarkEnd(HGLOBAL handle, uint8_t* data, uint32_t size) {
    memcpy(data + size, kGuard, sizeof kGuard);
    SIZE_T total = GlobalSize(handle);
    memcpy(data + total - sizeof(uint32_t), &size, sizeof size);
}

// True when the guard behind the caller's bytes is intact.
bool EndIntact(HGLOBAL handle, const uint8_t* data) {
    SIZE_T total = GlobalSize(handle);
    if (total < kTrailer) return false;
    uint32_t size;
    memcpy(&size, data + total - sizeof(uint32_t), sizeof size);
    return size <= total - kTrailer && memcmp(data + size, kGuard, sizeof kGuard) == 0;
}
}  // namespace

extern "C" int32_t OCR_malloc_limit(int32_t blocks) {
    g_blocksLeft = blocks < 0 ? -1 : blocks;
    return 1;
}

extern "C" void* OCR_malloc(uint32_t size) {
    if (size > 0x7FFFFFFF - kTrailer || g_blocksLeft == 0) return nullptr;
    if (g_blocksLeft > 0) --g_blocksLeft;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + kTrailer);
    if (!block) return nullptr;
    uint8_t* data = static_cast<uint8_t*>(GlobalLock(block));
    if (!data) {
        GlobalFree(block);
        return nullptr;
    }
    MarkEnd(block, data, size);
    return data;
}

extern "C" void OCR_free(void* block) {
    if (!block) return;
    HGLOBAL handle = GlobalHandle(block);
    if (!handle) return;
    if (!EndIntact(handle, static_cast<uint8_t*>(block))) {
        ++g_guardFailures;
        OutputDebugStringA("OCR_free: a block was written past its end\n");
    }
    GlobalUnlock(handle);
    GlobalFree(handle);
}

extern "C" void* OCR_realloc(void* block, uint32_t size) {
    if (!block) return OCR_malloc(size);
    if (size > 0x7FFFFFFF - kTrailer) return nullptr;
    HGLOBAL handle = GlobalHandle(block);
    if (!handle) return nullptr;
    SIZE_T oldTotal = GlobalSize(handle);
    uint32_t oldSize;
    memcpy(&oldSize, static_cast<uint8_t*>(block) + oldTotal - sizeof(uint32_t), sizeof oldSize);
    GlobalUnlock(handle);
    HGLOBAL grown = GlobalReAlloc(handle, size + kTrailer, GMEM_MOVEABLE | GMEM_ZEROINIT);
    uint8_t* data = static_cast<uint8_t*>(GlobalLock(grown ? grown : handle));
    if (!grown) return nullptr;
    // Bytes the caller gains read as zero, not as the old guard and trailer.
    SIZE_T newTotal = GlobalSize(grown);
    if (oldSize < size) memset(data + oldSize, 0, size - oldSize);
    memset(data + size, 0, newTotal - size);
    MarkEnd(grown, data, size);
    return data;
}

extern "C" int32_t OCR_guard_failures(void) { return g_guardFailures; }

static MemoryBankRecord Banks[BANK_COUNT];

extern "C" void* mem_get_special_bank(const char* name) {
    if (!name || !name[0]) return nullptr;
    MemoryBankRecord* free = nullptr;
    for (MemoryBankRecord& bank : Banks) {
        if (bank.Name[0] && strncmp(bank.Name, name, sizeof bank.Name - 1) == 0) return &bank;
        if (!bank.Name[0] && !free) free = &bank;
    }
    if (!free) return nullptr;
    memset(free, 0, sizeof *free);
    strncpy(free->Name, name, sizeof free->Name - 1);
    free->BankId = (int32_t)(free - Banks) + 1;
    return free;
}

extern "C" MemoryBankRecord* mem_bank_info(void* bank) { return static_cast<MemoryBankRecord*>(bank); }

extern "C" int32_t mem_free_bank(int32_t bankId) {
    if (bankId < 1 || bankId > BANK_COUNT || !Banks[bankId - 1].Name[0]) return 0;
    MemoryBankRecord& bank = Banks[bankId - 1];
    OCR_free(bank.SegmentTable);
    bank.SegmentTable = nullptr;
    bank.BytesPerLine = bank.LineCount = 0;
    bank.LinesPerSegment = bank.SegmentCount = bank.SegmentSize = 0;
    return 1;
}

extern "C" uint8_t* mem_get_bank(void* bank, int32_t row, int32_t reserved, int32_t writable) {
    MemoryBankRecord* record = mem_bank_info(bank);
    if (!record || !record->SegmentTable || row < 0 || row >= record->LineCount || record->LinesPerSegment < 1)
        return nullptr;
    int32_t segment = row / record->LinesPerSegment;
    return record->SegmentTable[segment] + (row % record->LinesPerSegment) * record->BytesPerLine;
}
