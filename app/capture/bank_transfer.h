// The program's hand-over of image rows to the engine's memory banks, exported by name for the
// libraries the program loads (they find it in the program's module).
#pragma once
#include <stdint.h>

// Describes lineCount top-down rows of bytesPerLine bytes at rows to the engine's bank named
// bankName without copying them (the rows stay the caller's, locked, until the engine is done);
// the bank's id goes to *bankId when it is not null. 1, or 0 for null rows, a zero size, a row
// longer than a segment, no such bank or no memory for the segment table (the bank then keeps
// what it described before).
extern "C" int __cdecl TransferImageBufferToBank(uint8_t* rows, const char* bankName, uint16_t bytesPerLine,
                                                 uint16_t lineCount, int32_t* bankId);
