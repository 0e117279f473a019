// What every connector does with the link card array when entries come back from a PIM:
// room for them, the duplicate test that marks a card already there, and the append of a new
// card. The array is the caller's (linkcards.h): it may move while entries are appended.
#pragma once
#include "card_field_slot.h"
#include "cardrec.h"

namespace ferrow {

// Which cards the duplicate test passes over besides those already marked present.
enum class SkipNew { No, Yes };

class CLinkCardsImport {
public:
    CLinkCardsImport(CardRecV4** cards, int* count, const FieldMap* mask, SkipNew skipNew)
        : cards_(cards), count_(count), mask_(mask), skipNew_(skipNew) {}

    // Before a PIM's n entries are read: when they and the cards together are more than the
    // spare room the caller gave, the array is re-allocated to exactly that many entries.
    // False when it cannot be.
    bool MakeRoomFor(int entries);

    // The duplicate test and the append: the first card (in array order, entries appended in
    // this pass included) that equals the entry is marked present and the entry dropped;
    // otherwise the entry is appended as a new card, the array growing when it is full.
    // False only when the array had to grow and could not.
    bool Take(const CardRecV4& entry);

    // Marks the first card equal to the entry present (marking passes before an export).
    void MarkFirstEqual(const CardRecV4& entry) { FindEqual(entry, true); }

    // Appends the entry as a new card without a duplicate test, growing a full array.
    bool Append(const CardRecV4& entry);

private:
    int FindEqual(const CardRecV4& entry, bool mark);

    CardRecV4** cards_;
    int* count_;
    const FieldMap* mask_;
    SkipNew skipNew_;
};

// Marks present every card that `eligible` admits and that equals the entry (the Palm passes,
// which do not stop at the first equal card).
void MarkAllEqual(CardRecV4* cards, int count, const CardRecV4& entry, const FieldMap* mask,
                  bool (*eligible)(int16_t flags));

}  // namespace ferrow
