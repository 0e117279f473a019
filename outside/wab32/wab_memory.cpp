#include "wab_memory.h"
#include <stdlib.h>
#include <string.h>

namespace wab {

namespace {

// Every block starts with this header; a buffer's header heads the chain of its "more" blocks.
struct BlockHeader {
    BlockHeader* nextMore;
    DWORD marker;
    DWORD padding;
};
const DWORD kBufferMarker = 0x57414231;  // a buffer, freed by FreeBuffer
const DWORD kMoreMarker = 0x57414232;    // a block chained to a buffer

BlockHeader* HeaderOf(void* block) { return static_cast<BlockHeader*>(block) - 1; }

void* NewBlock(ULONG size, DWORD marker) {
    auto* header = static_cast<BlockHeader*>(calloc(1, sizeof(BlockHeader) + size));
    if (!header) return nullptr;
    header->marker = marker;
    return header + 1;
}

}  // namespace

SCODE AllocateBuffer(ULONG size, void** buffer) {
    if (!buffer) return MAPI_E_INVALID_PARAMETER;
    *buffer = NewBlock(size, kBufferMarker);
    if (!*buffer) return MAPI_E_NOT_ENOUGH_MEMORY;
    return S_OK;
}

SCODE AllocateMore(ULONG size, void* owner, void** buffer) {
    if (!buffer || !owner || HeaderOf(owner)->marker != kBufferMarker) return MAPI_E_INVALID_PARAMETER;
    *buffer = NewBlock(size, kMoreMarker);
    if (!*buffer) return MAPI_E_NOT_ENOUGH_MEMORY;
    BlockHeader* head = HeaderOf(owner);
    HeaderOf(*buffer)->nextMore = head->nextMore;
    head->nextMore = HeaderOf(*buffer);
    return S_OK;
}

SCODE FreeBuffer(void* buffer) {
    if (!buffer) return S_OK;
    BlockHeader* head = HeaderOf(buffer);
    if (head->marker != kBufferMarker) return MAPI_E_INVALID_PARAMETER;
    head->marker = 0;
    for (BlockHeader* more = head->nextMore; more;) {
        BlockHeader* next = more->nextMore;
        free(more);
        more = next;
    }
    free(head);
    return S_OK;
}

}  // namespace wab
