// The engine heap over movable global memory, and the table of named memory banks.
#include "engine_memory.h"
#include <windows.h>
#include <stddef.h>
#include <string.h>

#define BANK_COUNT 32

extern "C" void* OCR_malloc(uint32_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
    if (!block) return nullptr;
    void* data = GlobalLock(block);
    if (!data) GlobalFree(block);
    return data;
}

extern "C" void OCR_free(void* block) {
    if (!block) return;
    HGLOBAL handle = GlobalHandle(block);
    if (!handle) return;
    GlobalUnlock(handle);
    GlobalFree(handle);
}

extern "C" void* OCR_realloc(void* block, uint32_t size) {
    if (!block) return OCR_malloc(size);
    HGLOBAL handle = GlobalHandle(block);
    if (!handle) return nullptr;
    GlobalUnlock(handle);
    HGLOBAL grown = GlobalReAlloc(handle, size ? size : 1, GMEM_MOVEABLE | GMEM_ZEROINIT);
    void* data = GlobalLock(grown ? grown : handle);
    return grown ? data : nullptr;
}

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
