// The layout store: items chained in insertion order in one movable block, addressed by
// 16-bit index; deleted items keep their slot until the store is initialised again.
#include "print.h"
#include <string.h>

void InitLayoutStore(LAYOUTSTORE* store) {
    if (store->Block) GlobalFree(store->Block);
    store->Capacity = LAYOUT_GROWTH;
    store->Count = 0;
    store->Head = store->Tail = LAYOUT_NONE;
    store->Live = 0;
    store->Block = GlobalAlloc(GHND, LAYOUT_GROWTH * sizeof(LAYOUTITEM));
}

// Appends a copy of the body; the block grows by 20 items once it is full, so there is
// always room for the next append. Returns the new index, or -1 without room.
int AppendLayoutItem(LAYOUTSTORE* store, const LAYOUTITEMBODY* body) {
    if (!store->Block || store->Count >= store->Capacity || store->Count >= LAYOUT_NONE) return -1;
    LAYOUTITEM* items = (LAYOUTITEM*)GlobalLock(store->Block);
    if (!items) return -1;
    int index = store->Count;
    items[index].Body = *body;
    items[index].Flags = 0;
    items[index].Prev = (uint16_t)store->Tail;
    items[index].Next = LAYOUT_NONE;
    if (store->Tail != LAYOUT_NONE) items[store->Tail].Next = (uint16_t)index;
    else store->Head = index;
    store->Tail = index;
    store->Count++;
    store->Live++;
    GlobalUnlock(store->Block);
    if (store->Count >= store->Capacity) {
        HGLOBAL grown = GlobalReAlloc(store->Block, (store->Capacity + LAYOUT_GROWTH) * sizeof(LAYOUTITEM),
                                      GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (grown) {
            store->Block = grown;
            store->Capacity += LAYOUT_GROWTH;
        }
    }
    return index;
}

// Deletes the bitmaps of the live bitmap items, then the block.
void FreeLayoutStore(LAYOUTSTORE* store) {
    if (!store->Block) return;
    LAYOUTITEM* items = (LAYOUTITEM*)GlobalLock(store->Block);
    if (items) {
        for (int i = store->Head; i != LAYOUT_NONE && i < store->Count; i = items[i].Next) {
            if (!(items[i].Flags & 1) && items[i].Body.Type == 'B' && items[i].Body.Bitmap) {
                DeleteObject(items[i].Body.Bitmap);
                items[i].Body.Bitmap = NULL;
            }
        }
        GlobalUnlock(store->Block);
    }
    GlobalFree(store->Block);
    store->Block = NULL;
}
