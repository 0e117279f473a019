// Stand-in for the engine utility library: the engine-side heap and the named memory banks
// through which the engine reads page images.
#pragma once
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// A block of `size` bytes from the engine heap: a movable global block, zero-filled and kept
// locked; the pointer is what the caller uses. Null when out of memory.
void* OCR_malloc(uint32_t size);

// Grows or shrinks a block of OCR_malloc to `size` bytes (new bytes zero-filled); the block may
// move. A null block is a fresh OCR_malloc. Null when out of memory (the old block stays valid).
void* OCR_realloc(void* block, uint32_t size);

// Gives a block of OCR_malloc or OCR_realloc back; a null block does nothing.
void OCR_free(void* block);

// Bank record as mem_bank_info hands it out: the fields a caller may read or write.
typedef struct MemoryBankRecord {
    char Name[32];            // +0
    int32_t BankId;           // +32
    int32_t BytesPerLine;     // +36
    int32_t LineCount;        // +40
    int32_t Reserved44;       // +44
    uint8_t** SegmentTable;   // +48 segment start pointers (OCR_malloc), owned by the bank
    int32_t LinesPerSegment;  // +52
    int32_t SegmentCount;     // +56
    int32_t SegmentSize;      // +60 bytes
} MemoryBankRecord;

// The bank of that name, made empty on first use: a handle for mem_bank_info, or null for a
// null or empty name or when every one of the library's 32 banks is taken.
void* mem_get_special_bank(const char* name);

// The record of a bank from mem_get_special_bank; null for a null bank.
MemoryBankRecord* mem_bank_info(void* bank);

// Gives the bank's segment table back and clears its geometry; the bank keeps its name and id.
// 1, or 0 when no bank has that id.
int32_t mem_free_bank(int32_t bankId);

// Stand-in control, not a call of the real library: how many blocks OCR_free found written past
// their end since the library was loaded.
int32_t OCR_guard_failures(void);

// Stand-in control, not a call of the real library: OCR_malloc (and OCR_realloc of a null
// block) hands out only `blocks` more blocks and then refuses; a negative count lifts the limit.
int32_t OCR_malloc_limit(int32_t blocks);

// Writable pointer to row `row` of a bank whose rows were described to it (the host program's
// TransferImageBufferToBank writes the record's geometry and segment table); null for a null
// bank, a bank without rows or a row outside it.
// `reserved` and `writable` are accepted for the engine's callers' sake.
uint8_t* mem_get_bank(void* bank, int32_t row, int32_t reserved, int32_t writable);

#ifdef __cplusplus
}
static_assert(sizeof(void*) != 4 || offsetof(MemoryBankRecord, SegmentTable) == 48, "bank record layout");
static_assert(sizeof(void*) != 4 || offsetof(MemoryBankRecord, SegmentSize) == 60, "bank record layout");
#endif
