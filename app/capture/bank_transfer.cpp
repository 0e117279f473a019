// Image rows described to a named memory bank of the engine utility library, without copying
// them: the row geometry and a table of segment pointers into the caller's rows, which is how
// the engine reads a page. Exported by the program (ordinal 1) for outside callers as well.
#include "bank_transfer.h"
#include "engine_memory.h"

// No segment may exceed 32,764 bytes, as the engine reads them.
#define SEGMENT_BYTES_MAX 32764

extern "C" int __cdecl TransferImageBufferToBank(uint8_t* rows, const char* bankName, uint16_t bytesPerLine,
                                                 uint16_t lineCount, int32_t* bankId) {
    // A row longer than a segment could not be described at all.
    if (!rows || bytesPerLine == 0 || lineCount == 0 || bytesPerLine > SEGMENT_BYTES_MAX) return 0;
    MemoryBankRecord* bank = mem_bank_info(mem_get_special_bank(bankName));
    if (!bank) return 0;
    int linesPerSegment = SEGMENT_BYTES_MAX / bytesPerLine;
    int segmentSize = linesPerSegment * bytesPerLine;
    int segmentCount = lineCount / linesPerSegment + 1;  // one more than the full ones, always
    // The new table first: a bank that cannot get one keeps the rows it described before.
    uint8_t** table = (uint8_t**)OCR_malloc((uint32_t)segmentCount * sizeof *table);
    if (!table) return 0;
    for (int i = 0; i < segmentCount; ++i) table[i] = rows + (size_t)i * segmentSize;
    if (bankId) *bankId = bank->BankId;
    OCR_free(bank->SegmentTable);
    bank->SegmentCount = segmentCount;
    bank->SegmentSize = segmentSize;
    bank->BytesPerLine = bytesPerLine;
    bank->LineCount = lineCount;
    bank->LinesPerSegment = linesPerSegment;
    bank->SegmentTable = table;
    return 1;
}
