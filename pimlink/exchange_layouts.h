// Where each PIM field id lives in the flat exchange record of each link target.
#pragma once

namespace ferrow {

struct ExchangeField {
    int offset;  // bytes from the record start; 0 when the id has no place
    int width;   // longest text
};

// The bytes of each record that the converters touch; connectors may make records larger.
enum {
    kOutlookRecordSize = 2540,
    kWabRecordSize = 1870,
    kPalmRecordSize = 1372,
    kActRecordSize = 3468,
    kCeRecordSize = 2552
};

// The field of id in a target's record as its card-to-record converter writes it; offset 0
// for an id without a place.
ExchangeField OutlookField(int id);
ExchangeField WabField(int id);
ExchangeField PalmField(int id);  // phone ids 10-17 share the phone entries below
ExchangeField ActField(int id);   // id 60 is the creation date (kActDate*)
ExchangeField CeField(int id);

// Outlook ids 48-50 are read back from First, Last and Company.
ExchangeField OutlookReadField(int id);

// Palm phone entries: five texts of 30 characters and a label word for each.
enum { kPalmPhoneEntries = 5, kPalmPhoneOffset = 626, kPalmPhoneStride = 31, kPalmLabelOffset = 782 };
inline bool IsPalmPhoneId(int id) { return id >= 10 && id <= 17; }

// ACT! creation date: 16-bit year, month and day (day of week at 3464 left alone).
enum { kActDateYear = 3460, kActDateMonth = 3462, kActDateDay = 3466, kActDateId = 60 };

}  // namespace ferrow
