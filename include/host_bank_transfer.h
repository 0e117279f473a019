// The host program's hand-over of image rows to the engine's memory banks, for the libraries
// that run inside it (the result editor, the recognition engine): the program exports
// TransferImageBufferToBank by name, and there is no other copy of it to fall back on.
#pragma once
#include <windows.h>
#include <stdint.h>

typedef int(__cdecl* HostBankTransferFn)(uint8_t* rows, const char* bankName, uint16_t bytesPerLine, uint16_t lineCount,
                                         int32_t* bankId);

// The program's export, or null when the process's program does not export it.
inline HostBankTransferFn HostBankTransfer() {
    return reinterpret_cast<HostBankTransferFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "TransferImageBufferToBank")));
}

// Hands lineCount rows of bytesPerLine bytes at rows to the bank bankName through the program's
// export (its results: 1 done, the bank's id in *bankId when that is not null; 0 refused). 0 as
// well when the program does not export it: the bank is then left as it was.
inline int TransferToHostBank(uint8_t* rows, const char* bankName, uint16_t bytesPerLine, uint16_t lineCount,
                              int32_t* bankId) {
    HostBankTransferFn transfer = HostBankTransfer();
    return transfer ? transfer(rows, bankName, bytesPerLine, lineCount, bankId) : 0;
}
