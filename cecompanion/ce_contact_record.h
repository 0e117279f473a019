// One card of the transfer file as the handheld reads it: 5,080 bytes of zero-terminated
// UTF-16 texts at fixed places, each tied to one contact property.
#pragma once
#include <windows.h>

namespace cecompanion {

enum { kCeContactRecordSize = 5080, kCeContactFieldCount = 44 };

struct CeContactField {
    int offset;  // bytes from the record start
    int chars;   // UTF-16 characters, terminator included
    const wchar_t* property;
};

// The fields in the order their terms enter the duplicate query and their properties are set.
extern const CeContactField kCeContactFields[kCeContactFieldCount];

// The field's text, at most its characters less one (a field without terminator is cut).
const wchar_t* FieldText(const BYTE* record, const CeContactField& field, wchar_t* text);

}  // namespace cecompanion
