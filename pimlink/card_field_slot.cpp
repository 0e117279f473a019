#include "card_field_slot.h"

namespace ferrow {

namespace {

template <int N>
char* Unit(CardTextUnit<N>& unit, int* width) {
    *width = N;
    return unit.Text;
}

char* NamePart(CardNameGroup& group, int part, int* width) {
    switch (part) {
    case 0: return Unit(group.FullName, width);
    case 1: return Unit(group.PrefixName, width);
    case 2: return Unit(group.FirstName, width);
    case 3: return Unit(group.MiddleName, width);
    case 4: return Unit(group.LastName, width);
    default: return Unit(group.SuffixName, width);
    }
}

char* AddressPart(CardAddressGroup& group, int part, int* width) {
    switch (part) {
    case 0: return Unit(group.FullAddress, width);
    case 1: return Unit(group.Street, width);
    case 2: return Unit(group.City, width);
    case 3: return Unit(group.State, width);
    case 4: return Unit(group.ZipCode, width);
    default: return Unit(group.Country, width);
    }
}

}  // namespace

char* SlotText(CardRecV4& card, int slot, int* width) {
    int dummy = 0;
    if (!width) width = &dummy;
    *width = 0;
    if (slot < 0) return nullptr;
    if (slot < 6) return NamePart(card.CNAME, slot, width);
    if (slot < 12) return NamePart(card.ENAME, slot - 6, width);
    if (slot < 16) return Unit(card.Title[slot - 12], width);
    if (slot < 20) return Unit(card.Company[slot - 16], width);
    if (slot < 24) return Unit(card.Department[slot - 20], width);
    if (slot < 48) return AddressPart(card.Address[(slot - 24) / 6], (slot - 24) % 6, width);
    if (slot >= 57 && slot <= 60) return Unit(card.WebSite[slot - 57], width);
    if (slot >= 67 && slot <= 70) return Unit(card.UserDef[slot - 67], width);
    return nullptr;
}

const char* SlotText(const CardRecV4& card, int slot, int* width) {
    return SlotText(const_cast<CardRecV4&>(card), slot, width);
}

TypedSlot TypedSlotOf(int slot) {
    switch (slot) {
    case SlotPhoneOffice: return {ListKind::Phone, 1, true};
    case SlotPhoneHome: return {ListKind::Phone, 2, false};
    case SlotPhoneMobile: return {ListKind::Phone, 5, false};
    case SlotPhoneDirect: return {ListKind::Phone, 3, false};
    case SlotPhoneMain: return {ListKind::Phone, 4, false};
    case SlotPhonePager: return {ListKind::Phone, 9, false};
    case SlotPhoneTelex: return {ListKind::Phone, 11, false};
    case SlotFaxOffice: return {ListKind::Fax, 1, false};
    case SlotFaxHome: return {ListKind::Fax, 2, false};
    case 61:
    case 62:
    case 63:
    case 64: return {ListKind::Email, static_cast<int16_t>(slot - 61), false};
    default: return {ListKind::None, 0, false};
    }
}

bool ListEntryOf(CardRecV4& card, ListKind list, int index, ListEntry* entry) {
    switch (list) {
    case ListKind::Phone:
        if (index >= 6) return false;
        *entry = {card.Phone[index].PhoneNum.Text, 30, &card.Phone[index].PhoneType};
        return true;
    case ListKind::Fax:
        if (index >= 4) return false;
        *entry = {card.Fax[index].PhoneNum.Text, 30, &card.Fax[index].PhoneType};
        return true;
    case ListKind::Email:
        if (index >= 4) return false;
        *entry = {card.Email[index].EmailName.Text, 50, &card.Email[index].EmailType};
        return true;
    default: return false;
    }
}

bool TypeMatches(const TypedSlot& slot, int16_t type) {
    return type == slot.type || (slot.officeTakesZero && type == 0);
}

}  // namespace ferrow
