#include "ce_contact_record.h"
#include <string.h>

namespace cecompanion {

// Ordered as the store is queried and filled (the Order column of the transfer record).
const CeContactField kCeContactFields[kCeContactFieldCount] = {
    {3346, 31, L"BusinessFaxNumber"},
    {676, 61, L"CompanyName"},
    {798, 51, L"Department"},
    {4006, 81, L"Email1Address"},
    {3594, 31, L"MobileTelephoneNumber"},
    {900, 81, L"OfficeLocation"},
    {3656, 31, L"PagerNumber"},
    {3222, 31, L"BusinessTelephoneNumber"},
    {452, 81, L"JobTitle"},
    {3408, 31, L"HomeTelephoneNumber"},
    {4168, 81, L"Email2Address"},
    {4654, 51, L"Spouse"},
    {4330, 81, L"Email3Address"},
    {3470, 31, L"Home2TelephoneNumber"},
    {3532, 31, L"HomeFaxNumber"},
    {3780, 31, L"CarTelephoneNumber"},
    {4876, 51, L"AssistantName"},
    {3842, 31, L"AssistantTelephoneNumber"},
    {4756, 60, L"Children"},
    {4978, 51, L"Categories"},
    {3904, 51, L"WebPage"},
    {3284, 31, L"Business2TelephoneNumber"},
    {3718, 31, L"RadioTelephoneNumber"},
    {290, 81, L"Title"},
    {104, 31, L"FirstName"},
    {166, 31, L"MiddleName"},
    {228, 31, L"LastName"},
    {614, 31, L"Suffix"},
    {1782, 256, L"HomeAddressStreet"},
    {2294, 31, L"HomeAddressCity"},
    {2356, 31, L"HomeAddressState"},
    {2418, 11, L"HomeAddressPostalCode"},
    {2440, 31, L"HomeAddressCountry"},
    {2502, 256, L"OtherAddressStreet"},
    {3014, 31, L"OtherAddressCity"},
    {3076, 31, L"OtherAddressState"},
    {3138, 11, L"OtherAddressPostalCode"},
    {3160, 31, L"OtherAddressCountry"},
    {1062, 256, L"BusinessAddressStreet"},
    {1574, 31, L"BusinessAddressCity"},
    {1636, 31, L"BusinessAddressState"},
    {1698, 11, L"BusinessAddressPostalCode"},
    {1720, 31, L"BusinessAddressCountry"},
    {4492, 81, L"Body"},
};

const wchar_t* FieldText(const BYTE* record, const CeContactField& field, wchar_t* text) {
    const BYTE* source = record + field.offset;
    int n = 0;
    for (; n < field.chars - 1; ++n) {
        wchar_t c;
        memcpy(&c, source + 2 * n, sizeof(c));
        if (!c) break;
        text[n] = c;
    }
    text[n] = L'\0';
    return text;
}

}  // namespace cecompanion
