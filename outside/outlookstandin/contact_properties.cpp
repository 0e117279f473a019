#include "contact_properties.h"
#include <string.h>

namespace outlook {

const ContactProperty kContactPropertyTable[kContactProperties] = {
    {"FileAs", 0x8005},
    {"LastName", 0x3A11},
    {"FirstName", 0x3A06},
    {"CompanyName", 0x3A16},
    {"JobTitle", 0x3A17},
    {"Department", 0x3A18},
    {"NickName", 0x3A4F},
    {"Title", 0x3A45},
    {"Suffix", 0x3A05},
    {"BusinessAddressStreet", 0x8045},
    {"BusinessAddressCity", 0x8046},
    {"BusinessAddressState", 0x8047},
    {"BusinessAddressPostalCode", 0x8048},
    {"BusinessAddressCountry", 0x8049},
    {"HomeAddressStreet", 0x3A5D},
    {"HomeAddressCity", 0x3A59},
    {"HomeAddressState", 0x3A5C},
    {"HomeAddressPostalCode", 0x3A5B},
    {"HomeAddressCountry", 0x3A5A},
    {"OtherAddressStreet", 0x3A63},
    {"OtherAddressCity", 0x3A5F},
    {"OtherAddressState", 0x3A62},
    {"OtherAddressPostalCode", 0x3A61},
    {"OtherAddressCountry", 0x3A60},
    {"AssistantTelephoneNumber", 0x3A2E},
    {"BusinessTelephoneNumber", 0x3A08},
    {"Business2TelephoneNumber", 0x3A1B},
    {"BusinessFaxNumber", 0x3A24},
    {"CallbackTelephoneNumber", 0x3A02},
    {"CarTelephoneNumber", 0x3A1E},
    {"CompanyMainTelephoneNumber", 0x3A57},
    {"HomeTelephoneNumber", 0x3A09},
    {"Home2TelephoneNumber", 0x3A2F},
    {"HomeFaxNumber", 0x3A25},
    {"ISDNNumber", 0x3A2D},
    {"MobileTelephoneNumber", 0x3A1C},
    {"OtherTelephoneNumber", 0x3A1F},
    {"OtherFaxNumber", 0x3A23},
    {"PagerNumber", 0x3A21},
    {"PrimaryTelephoneNumber", 0x3A1A},
    {"RadioTelephoneNumber", 0x3A1D},
    {"TelexTelephoneNumber", 0x3A2C},
    {"TTYTDDTelephoneNumber", 0x3A4B},
    {"WebPage", 0x802B},
    {"Email1Address", 0x8083},
    {"Email2Address", 0x8093},
    {"Email3Address", 0x80A3},
    {"", 0x802C},
    {"", 0x802D},
    {"", 0x802E},
};

const ContactProperty* PropertyById(DISPID id) {
    for (const ContactProperty& p : kContactPropertyTable)
        if (p.id == id) return &p;
    return nullptr;
}

const ContactProperty* PropertyByName(const char* name, size_t length) {
    for (const ContactProperty& p : kContactPropertyTable)
        if (p.name[0] && strlen(p.name) == length && strncmp(p.name, name, length) == 0) return &p;
    return nullptr;
}

}  // namespace outlook
