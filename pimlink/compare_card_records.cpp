#include "compare_card_records.h"
#include <string.h>
#include <string>
#include <vector>

namespace ferrow {

namespace {

bool SameText(const char* a, const char* b, size_t width) { return strncmp(a, b, width + 1) == 0; }

bool SameSlotText(const CardRecV4& a, const CardRecV4& b, int slot) {
    int width = 0;
    const char* ta = SlotText(a, slot, &width);
    const char* tb = SlotText(b, slot, &width);
    return SameText(ta, tb, static_cast<size_t>(width));
}

const int kTextSlots[] = {0,  1,  2,  4,  12, 13, 16, 20, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33,
                          34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 57, 58, 67, 68};

struct ListSlot {
    int slot;
    ListKind list;
    int16_t type;
    bool takesZero;
};

const ListSlot kListSlots[] = {
    {48, ListKind::Phone, 1, true},  {49, ListKind::Phone, 2, false}, {50, ListKind::Phone, 5, false},
    {55, ListKind::Fax, 1, true},    {56, ListKind::Fax, 2, false},   {61, ListKind::Email, 0, false},
    {62, ListKind::Email, 1, false},
};

std::vector<std::string> NumbersOf(const CardRecV4& card, const ListSlot& wanted) {
    std::vector<std::string> numbers;
    ListEntry entry;
    CardRecV4& readable = const_cast<CardRecV4&>(card);
    for (int i = 0; ListEntryOf(readable, wanted.list, i, &entry); ++i) {
        bool typeFits = *entry.type == wanted.type || (wanted.takesZero && *entry.type == 0);
        if (typeFits && entry.text[0]) numbers.emplace_back(entry.text, strnlen(entry.text, entry.width));
    }
    return numbers;
}

bool CardListInEntryList(const CardRecV4& card, const CardRecV4& entry, const ListSlot& wanted) {
    std::vector<std::string> ofEntry = NumbersOf(entry, wanted);
    for (const std::string& number : NumbersOf(card, wanted)) {
        bool found = false;
        for (const std::string& candidate : ofEntry) found = found || candidate == number;
        if (!found) return false;
    }
    return true;
}

int CompareDefaultFields(const CardRecV4& a, const CardRecV4& b) {
    const int slots[] = {0, 16, 12, 20};
    for (int slot : slots)
        if (!SameSlotText(a, b, slot)) return 0;
    if (!SameText(a.Phone[0].PhoneNum.Text, b.Phone[0].PhoneNum.Text, 30)) return 0;
    const int addressSlots[] = {24, 26, 28, 29};
    for (int slot : addressSlots)
        if (!SameSlotText(a, b, slot)) return 0;
    return 1;
}

}  // namespace

int CompareCardRecords(const CardRecV4& card, const CardRecV4& entry, const FieldMap* mask) {
    if (!mask) return CompareDefaultFields(card, entry);
    for (int slot : kTextSlots)
        if (mask->id[slot] && !SameSlotText(card, entry, slot)) return 0;
    for (const ListSlot& wanted : kListSlots)
        if (mask->id[wanted.slot] && !CardListInEntryList(card, entry, wanted)) return 0;
    return 1;
}

}  // namespace ferrow
