#include "act_record.h"
#include "card_text.h"
#include <string.h>

namespace ferrow {

namespace {

enum : DISPID {
    kField = 308,
    kNewContact = 303,
    kStoreContact = 307,
    kNotesFirst = 212,
    kNewNote = 803,
    kNoteField = 808,
    kStoreNote = 807
};
enum {
    kOriginField = 90,
    kDateField = 2,
    kNoteText = 25,
    kNoteContact = 28,
    kNoteKind = 27,
    kNoteFlag = 26,
    kNoteField200 = 200
};

bool ReadField(CAutomationObject& contacts, int field, VARIANT* value) {
    return contacts.CallId(kField, DISPATCH_PROPERTYGET, {CAutomationObject::Short(static_cast<short>(field))}, value);
}

bool ReadTextField(CAutomationObject& contacts, int field, std::string* text) {
    VARIANT value;
    return ReadField(contacts, field, &value) && CAutomationObject::TakeText(&value, text);
}

bool ReadDateField(CAutomationObject& contacts, SYSTEMTIME* time) {
    VARIANT value;
    if (!ReadField(contacts, kDateField, &value)) return false;
    bool converted =
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_DATE)) && VariantTimeToSystemTime(value.date, time);
    VariantClear(&value);
    return converted;
}

bool PutField(CAutomationObject& list, DISPID member, int field, const char* text) {
    VARIANT value = CAutomationObject::Text(text);
    bool put = value.bstrVal && list.CallId(member, DISPATCH_PROPERTYPUT,
                                            {CAutomationObject::Short(static_cast<short>(field)), value}, nullptr);
    VariantClear(&value);
    return put;
}

bool CallForText(CAutomationObject& list, DISPID member, std::string* text) {
    VARIANT result;
    return list.CallId(member, DISPATCH_METHOD, {}, &result) && CAutomationObject::TakeText(&result, text);
}

}  // namespace

const char kActOriginMark[] = "ZEM40";

const ActSlot kActSlotOrder[kActSlots] = {
    {4, 50, 26},     {114, 50, 72},   {164, 50, 75},   {54, 30, 78},   {84, 30, 79},   {214, 80, 46},   {294, 80, 73},
    {374, 80, 76},   {454, 30, 40},   {2539, 50, 47},  {2669, 30, 86}, {2699, 10, 87}, {2589, 80, 85},  {484, 80, 25},
    {594, 255, 27},  {949, 255, 28},  {1204, 255, 29}, {849, 30, 30},  {879, 30, 31},  {909, 10, 32},   {919, 30, 33},
    {1459, 255, 65}, {1714, 255, 66}, {1969, 30, 67},  {1999, 30, 68}, {2029, 10, 69}, {2039, 30, 70},  {2069, 30, 35},
    {2099, 10, 80},  {2179, 30, 74},  {2209, 10, 83},  {2219, 30, 77}, {2249, 10, 84}, {2329, 30, 71},  {2319, 10, 82},
    {2109, 30, 36},  {2139, 10, 81},  {2149, 30, 37},  {2259, 30, 38}, {2289, 30, 39}, {2409, 50, 200}, {2359, 50, 94},
    {564, 30, 88},   {2459, 80, 201}, {2709, 50, 50},  {2759, 50, 51}, {2809, 50, 52}, {2859, 50, 53},  {2909, 50, 54},
    {2959, 50, 55},  {3009, 50, 56},  {3059, 50, 57},  {3109, 50, 58}, {3159, 50, 59}, {3209, 50, 60},  {3259, 50, 61},
    {3309, 50, 62},  {3359, 50, 63},  {3409, 51, 64},
};

void ReadActContact(CAutomationObject& contacts, char* buffer, std::string* origin) {
    for (const ActSlot& slot : kActSlotOrder) {
        std::string text;
        if (ReadTextField(contacts, slot.field, &text)) CopyIntoRoom(buffer + slot.offset, text.c_str(), slot.room);
    }
    origin->clear();
    ReadTextField(contacts, kOriginField, origin);
    SYSTEMTIME time;
    if (ReadDateField(contacts, &time)) memcpy(buffer + kActDateOffset, &time, sizeof(time));
}

bool StoreActContact(CAutomationObject& contacts, const char* buffer, std::string* stored) {
    if (!contacts.CallId(kNewContact, DISPATCH_METHOD, {}, nullptr)) return false;
    for (const ActSlot& slot : kActSlotOrder) {
        if (slot.field == kNoteField200) continue;
        std::string text(buffer + slot.offset, strnlen(buffer + slot.offset, slot.room));
        PutField(contacts, kField, slot.field, text.c_str());
    }
    PutField(contacts, kField, kOriginField, kActOriginMark);
    return CallForText(contacts, kStoreContact, stored);
}

bool StoreActNote(CAutomationObject& notes, const char* text, const std::string& contact) {
    std::string stored;
    return notes.CallId(kNotesFirst, DISPATCH_METHOD, {}, nullptr) &&
           notes.CallId(kNewNote, DISPATCH_METHOD, {}, nullptr) && PutField(notes, kNoteField, kNoteText, text) &&
           PutField(notes, kNoteField, kNoteContact, contact.c_str()) && PutField(notes, kNoteField, kNoteKind, "1") &&
           PutField(notes, kNoteField, kNoteFlag, "1") && CallForText(notes, kStoreNote, &stored);
}

}  // namespace ferrow
