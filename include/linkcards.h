// The link card array: the CardRecV4 entries that the main program hands to FerrowDBFile.
// It is one locked block of movable global memory, so that a PIM import can grow it in place
// of the caller (GlobalReAlloc) and hand the new address back. The main program and the link
// library allocate, grow and free it only through these functions.
#pragma once
#include <windows.h>
#include <string.h>
#include "cardrec.h"

enum { LINKCARDS_SPARE = 500 };  // entries beyond the cards, for what an import brings back

// A zero-filled, locked array with room for count + LINKCARDS_SPARE entries; null when the
// memory cannot be had or count is negative.
inline CardRecV4* AllocLinkCards(int count) {
    if (count < 0) return nullptr;
    SIZE_T bytes = static_cast<SIZE_T>(count + LINKCARDS_SPARE) * sizeof(CardRecV4);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block) return nullptr;
    CardRecV4* cards = static_cast<CardRecV4*>(GlobalLock(block));
    if (!cards) GlobalFree(block);
    return cards;
}

// The number of entries the array has room for; 0 for null or a pointer that is not such an array.
inline int LinkCardsCapacity(const CardRecV4* cards) {
    HGLOBAL block = cards ? GlobalHandle(cards) : nullptr;
    return block ? static_cast<int>(GlobalSize(block) / sizeof(CardRecV4)) : 0;
}

// Re-allocates the array to room for exactly `entries` entries, keeping the entries that fit
// and zero-filling the new ones, and stores its (possibly new) address in *cards.
// Returns 1, or 0 with *cards untouched and still valid when it cannot be grown.
inline int ResizeLinkCards(CardRecV4** cards, int entries) {
    if (!cards || !*cards || entries <= 0) return 0;
    HGLOBAL block = GlobalHandle(*cards);
    if (!block) return 0;
    SIZE_T oldBytes = GlobalSize(block);
    SIZE_T newBytes = static_cast<SIZE_T>(entries) * sizeof(CardRecV4);
    GlobalUnlock(block);
    HGLOBAL moved = GlobalReAlloc(block, newBytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
    CardRecV4* locked = static_cast<CardRecV4*>(GlobalLock(moved ? moved : block));
    if (!moved || !locked) {
        *cards = locked;
        return 0;
    }
    // Zero the new tail ourselves: GMEM_ZEROINIT on a re-allocation is not honoured everywhere.
    if (newBytes > oldBytes) memset(reinterpret_cast<char*>(locked) + oldBytes, 0, newBytes - oldBytes);
    *cards = locked;
    return 1;
}

// Releases an array made by AllocLinkCards (or moved by ResizeLinkCards); null is ignored.
inline void FreeLinkCards(CardRecV4* cards) {
    HGLOBAL block = cards ? GlobalHandle(cards) : nullptr;
    if (!block) return;
    GlobalUnlock(block);
    GlobalFree(block);
}
