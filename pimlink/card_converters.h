// Card <-> exchange record converters of the PIM links, guided by a link's field map.
// Card-to-record converters expect a zeroed record, record-to-card converters a zeroed card.
#pragma once
#include "card_field_slot.h"
#include "cardrec.h"

namespace ferrow {

// A card into the fixed-width exchange record of one link target (Windows CE, Outlook, Outlook
// Express, Palm, ACT!): each mapped card item into its target field, cut to the field's width.
void CardToCeRecord(char* record, const CardRecV4& card, const FieldMap& map);
void CardToOutlook(char* record, const CardRecV4& card, const FieldMap& map);
void CardToWab(char* record, const CardRecV4& card, const FieldMap& map);
void CardToPalm(char* record, const CardRecV4& card, const FieldMap& map);
void CardToAct(char* record, const CardRecV4& card, const FieldMap& map);

// A target's exchange record back into a card: each mapped target field into its card item.
void OutlookToCard(const char* record, CardRecV4& card, const FieldMap& map);
void WabToCard(const char* record, CardRecV4& card, const FieldMap& map);
void PalmToCard(const char* record, CardRecV4& card, const FieldMap& map);
void ActToCard(const char* record, CardRecV4& card, const FieldMap& map);

// Terminates every text of a V4 card at the characters its item keeps.
void TerminateCardRecV4Fields(CardRecV4& card);

}  // namespace ferrow
