#include "link_cards_import.h"
#include "compare_card_records.h"
#include "ferrow.h"
#include "linkcards.h"
#include <string.h>

namespace ferrow {

bool CLinkCardsImport::MakeRoomFor(int entries) {
    int total = entries + *count_;
    if (entries <= 0 || total <= LINKCARDS_SPARE) return true;
    return ResizeLinkCards(cards_, total) == 1;
}

bool CLinkCardsImport::Take(const CardRecV4& entry) {
    if (FindEqual(entry, true) >= 0) return true;
    return Append(entry);
}

int CLinkCardsImport::FindEqual(const CardRecV4& entry, bool mark) {
    CardRecV4* cards = *cards_;
    for (int i = 0; i < *count_; ++i) {
        int16_t flags = cards[i].Flags;
        if (flags == FERROW_FLAG_PRESENT || (skipNew_ == SkipNew::Yes && flags == FERROW_FLAG_NEW)) continue;
        if (!CompareCardRecords(cards[i], entry, mask_)) continue;
        if (mark) cards[i].Flags = FERROW_FLAG_PRESENT;
        return i;
    }
    return -1;
}

// A PIM may hold more entries than it first said (or none said at all): an array that is full
// grows by the caller's spare room instead of being written past its end.
bool CLinkCardsImport::Append(const CardRecV4& entry) {
    if (*count_ >= LinkCardsCapacity(*cards_) && !ResizeLinkCards(cards_, *count_ + LINKCARDS_SPARE)) return false;
    CardRecV4& slot = (*cards_)[*count_];
    memcpy(&slot, &entry, sizeof(slot));
    slot.Flags = FERROW_FLAG_NEW;
    ++*count_;
    return true;
}

void MarkAllEqual(CardRecV4* cards, int count, const CardRecV4& entry, const FieldMap* mask,
                  bool (*eligible)(int16_t flags)) {
    for (int i = 0; i < count; ++i) {
        if (eligible(cards[i].Flags) && CompareCardRecords(cards[i], entry, mask)) cards[i].Flags = FERROW_FLAG_PRESENT;
    }
}

}  // namespace ferrow
