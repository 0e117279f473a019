#pragma once
#include "card_field_slot.h"

namespace ferrow {

// 1 when card and entry count as the same contact, else 0. Without a mask nine fields are
// compared (name, first company, title and department, Phone0's number, and Address0's full
// address, city, zip code and country); with a mask exactly the mapped fields that can be
// compared. Typed lists (phones, faxes, e-mail) pass when every number of the card's list is
// in the entry's list. Texts are compared exactly (case-sensitive). Neither record is changed.
int CompareCardRecords(const CardRecV4& card, const CardRecV4& entry, const FieldMap* mask);

}  // namespace ferrow
