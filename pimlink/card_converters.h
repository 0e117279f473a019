// Card <-> exchange record converters of the PIM links, guided by a link's field map.
// Card-to-record converters expect a zeroed record, record-to-card converters a zeroed card.
#pragma once
#include "card_field_slot.h"
#include "cardrec.h"

namespace ferrow {

void CardToCeRecord(char* record, const CardRecV4& card, const FieldMap& map);
void CardToOutlook(char* record, const CardRecV4& card, const FieldMap& map);
void CardToWab(char* record, const CardRecV4& card, const FieldMap& map);
void CardToPalm(char* record, const CardRecV4& card, const FieldMap& map);
void CardToAct(char* record, const CardRecV4& card, const FieldMap& map);

void OutlookToCard(const char* record, CardRecV4& card, const FieldMap& map);
void WabToCard(const char* record, CardRecV4& card, const FieldMap& map);
void PalmToCard(const char* record, CardRecV4& card, const FieldMap& map);
void ActToCard(const char* record, CardRecV4& card, const FieldMap& map);

// Terminates every text of a V4 card at the characters its item keeps.
void TerminateCardRecV4Fields(CardRecV4& card);

// Terminates every text field of a Windows Address Book record at its width.
void TerminateWabFields(char* record);

}  // namespace ferrow
