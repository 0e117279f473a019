// The handheld record holds the fields of Palm Desktop's address record in narrower places;
// the card side of the mapping is Palm Desktop's, so both conversions go through that record.
#include "palm_field_map.h"
#include "card_converters.h"
#include "card_text.h"
#include "exchange_layouts.h"
#include "link_settings.h"
#include <windows.h>
#include <stddef.h>
#include <string.h>
#include <string>

namespace {

// Handheld field of each Palm field id 1-9 and 18-22.
struct HandheldPlace {
    int Id;
    size_t Offset;
    size_t Width;
};

const HandheldPlace kPlaces[] = {
    {1, offsetof(HHAddressRecord, Name), 51},
    {2, offsetof(HHAddressRecord, FirstName), 51},
    {3, offsetof(HHAddressRecord, Company), 51},
    {4, offsetof(HHAddressRecord, Title), 51},
    {5, offsetof(HHAddressRecord, Address), 256},
    {6, offsetof(HHAddressRecord, City), 31},
    {7, offsetof(HHAddressRecord, State), 31},
    {8, offsetof(HHAddressRecord, ZipCode), 11},
    {9, offsetof(HHAddressRecord, Country), 31},
    {18, offsetof(HHAddressRecord, Custom) + 0 * 81, 81},
    {19, offsetof(HHAddressRecord, Custom) + 1 * 81, 81},
    {20, offsetof(HHAddressRecord, Custom) + 2 * 81, 81},
    {21, offsetof(HHAddressRecord, Custom) + 3 * 81, 81},
    {22, offsetof(HHAddressRecord, Note), 256},
};

char* At(HHAddressRecord* record, size_t offset) { return reinterpret_cast<char*>(record) + offset; }
const char* At(const HHAddressRecord& record, size_t offset) { return reinterpret_cast<const char*>(&record) + offset; }

void DesktopToHandheld(const char* desktop, HHAddressRecord* record) {
    for (const HandheldPlace& place : kPlaces) {
        ferrow::ExchangeField field = ferrow::PalmField(place.Id);
        ferrow::CopyField(At(record, place.Offset), place.Width - 1, desktop + field.offset, field.width + 1);
    }
    for (int p = 0; p < ferrow::kPalmPhoneEntries; ++p) {
        ferrow::CopyField(record->Phone[p], 30, desktop + ferrow::kPalmPhoneOffset + ferrow::kPalmPhoneStride * p, 31);
        memcpy(&record->PhoneLabel[p], desktop + ferrow::kPalmLabelOffset + 2 * p, 2);
    }
}

void HandheldToDesktop(const HHAddressRecord& record, char* desktop) {
    for (const HandheldPlace& place : kPlaces) {
        ferrow::ExchangeField field = ferrow::PalmField(place.Id);
        ferrow::CopyField(desktop + field.offset, field.width, At(record, place.Offset), place.Width);
    }
    for (int p = 0; p < ferrow::kPalmPhoneEntries; ++p) {
        ferrow::CopyField(desktop + ferrow::kPalmPhoneOffset + ferrow::kPalmPhoneStride * p, 30, record.Phone[p], 31);
        int16_t label = static_cast<int16_t>(record.PhoneLabel[p] & 0xFF);
        memcpy(desktop + ferrow::kPalmLabelOffset + 2 * p, &label, 2);
    }
}

}  // namespace

void ReadPalmFieldMap(const char* folder, PalmFieldMaps* maps) {
    if (!folder || !folder[0]) return;
    std::string path = std::string(folder) + "Zem40.ini";
    char text[256] = "";
    GetPrivateProfileStringA("PALM", "FieldMap", "", text, sizeof(text), path.c_str());
    if (!text[0]) return;
    ferrow::ParseFieldMap(text, &maps->Map);
    for (int k = 0; k < 28; ++k) maps->Raw[k] = maps->Map.id[ferrow::FieldMapSlotTable[k]];
}

void CardRecToPalmRec(HHAddressRecord* record, const CardRecV4& card, const ferrow::FieldMap& map) {
    char desktop[ferrow::kPalmRecordSize] = {};
    ferrow::CardToPalm(desktop, card, map);
    memset(record, 0, sizeof(*record));
    DesktopToHandheld(desktop, record);
}

void PalmRecToCardRec(const HHAddressRecord& record, CardRecV4* card, const ferrow::FieldMap& map) {
    char desktop[ferrow::kPalmRecordSize] = {};
    HandheldToDesktop(record, desktop);
    memset(card, 0, sizeof(*card));
    ferrow::PalmToCard(desktop, *card, map);
}
