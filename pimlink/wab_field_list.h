// One Windows Address Book contact as the Outlook Express link carries it: 32 terminated
// ANSI texts at fixed places (the converters' Windows Address Book record), each filled from
// and written to one MAPI string property.
#pragma once
#include <windows.h>

namespace ferrow {

enum { kWabFieldListSize = 2244, kWabFields = 32 };

struct WabField {
    ULONG tag;      // the MAPI string property
    int offset;     // bytes from the start of the list
    int width;      // bytes, terminator included
    int readLimit;  // characters taken from the property when a contact is read
};

// The 32 fields in the order their properties are written.
extern const WabField kWabFieldList[kWabFields];

// The field list of a property tag, or null.
const WabField* FindWabField(ULONG tag);

// Terminates every field at its last byte.
void TerminateWabFieldList(char* list);

}  // namespace ferrow
