// The ACT! record buffer: one contact's fields at fixed places, each tied to an ACT! field
// number, moved to and from ACT!'s contact list by dispatch id. The converters (CardToAct,
// ActToCard) work on the same bytes.
#pragma once
#include <string>
#include "automation_object.h"

namespace ferrow {

enum {
    kActRecordBufferSize = 3476,
    kActSlots = 59,
    kActDateOffset = 3460,  // SYSTEMTIME of ACT! field 2
    kActNoteSlot = 2409,    // field 200: sent as a note, not as a contact field
};

struct ActSlot {
    int offset;
    int room;   // bytes to the next slot
    int field;  // ACT! field number
};

// The slots in the order their fields are read and written.
extern const ActSlot kActSlotOrder[kActSlots];

// The current contact of a contact list into the (zeroed) buffer: each field copied into its
// slot, at most the slot's room (a text that fills its room has no terminator and leaves the
// next slot alone), field 2 as the SYSTEMTIME. *origin gets field 90. A field that cannot be read stays
// empty.
void ReadActContact(CAutomationObject& contacts, char* buffer, std::string* origin);

// Starts a new contact (303), sets each slot's field except field 200 (bounded by its room),
// field 90 to "ZEM40", and stores it (307). True with the stored contact's text.
bool StoreActContact(CAutomationObject& contacts, const char* buffer, std::string* stored);

// Field 90 of the contacts this library stored.
extern const char kActOriginMark[];

// Adds one note to the note list linked to the stored contact: field 25 the text, 28 the
// contact's text, 27 and 26 "1". True when stored.
bool StoreActNote(CAutomationObject& notes, const char* text, const std::string& contact);

}  // namespace ferrow
