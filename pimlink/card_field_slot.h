// The 73 card field slots that field maps, converters and the duplicate test address, and the
// typed lists (phones, faxes, e-mail) behind some of them.
#pragma once
#include <stdint.h>
#include "cardrec.h"

namespace ferrow {

enum CardFieldSlot {
    SlotName = 0,         // 0-5 CNAME full, prefix, first, middle, last, suffix
    SlotName2 = 6,        // 6-11 the same parts of ENAME
    SlotTitle = 12,       // 12-15
    SlotCompany = 16,     // 16-19
    SlotDepartment = 20,  // 20-23
    SlotAddress = 24,     // 24-47: four groups of full address, street, city, state, zip, country
    SlotPhoneOffice = 48,
    SlotPhoneHome = 49,
    SlotPhoneMobile = 50,
    SlotPhoneDirect = 51,
    SlotPhoneMain = 52,
    SlotPhonePager = 53,
    SlotPhoneTelex = 54,
    SlotFaxOffice = 55,
    SlotFaxHome = 56,
    SlotWebSite = 57,  // 57-60
    SlotEmail = 61,    // 61-64 by EmailType 0..3
    SlotNotes = 65,
    SlotCategories = 66,
    SlotUserDef = 67,  // 67-70
    SlotDate = 71,
    SlotBirthday = 72,
    SlotCount = 73
};

// A field map in memory: the PIM field id for each slot, 0 for none.
struct FieldMap {
    int16_t id[SlotCount];
};

// The text of a plain text slot and the characters it keeps; null for every other slot.
char* SlotText(CardRecV4& card, int slot, int* width);
const char* SlotText(const CardRecV4& card, int slot, int* width);

// Which typed list a phone, fax or e-mail slot reads from, and which type it stands for.
enum class ListKind { None, Phone, Fax, Email };
struct TypedSlot {
    ListKind list;
    int16_t type;          // the type given to an entry the slot fills
    bool officeTakesZero;  // an office entry of type 0 also counts as this slot's
};
TypedSlot TypedSlotOf(int slot);

// Entry i of a typed list: its number text and its type word; false past the list's end.
struct ListEntry {
    char* text;
    int width;
    int16_t* type;
};
bool ListEntryOf(CardRecV4& card, ListKind list, int index, ListEntry* entry);

// Whether an entry of the given type belongs to the slot.
bool TypeMatches(const TypedSlot& slot, int16_t type);

}  // namespace ferrow
