// The conduit's field map (section PALM, key FieldMap of Zem40.ini beside the conduit) and
// the conversions between a card and the handheld address record that it guides.
#pragma once
#include "card_field_slot.h"
#include "hh_address_record.h"

struct PalmFieldMaps {
    ferrow::FieldMap Map;  // per card field slot the handheld field (PalmFieldId), 0 for none
    int16_t Raw[28];       // the 28 numbers as FieldMap holds them
};

// Reads FieldMap of section PALM of folder + "Zem40.ini" into both maps; a missing file, key
// or empty value leaves them as they were.
void ReadPalmFieldMap(const char* folder, PalmFieldMaps* maps);

// The handheld record of a card (cleared first).
void CardRecToPalmRec(HHAddressRecord* record, const CardRecV4& card, const ferrow::FieldMap& map);

// The card of a handheld record; the card is cleared first.
void PalmRecToCardRec(const HHAddressRecord& record, CardRecV4* card, const ferrow::FieldMap& map);
