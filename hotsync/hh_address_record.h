// The handheld address record: unpacked (HHAddressRecord) as the conduit fills and reads it,
// packed (PackedAddressRecord) as it travels through the sync manager.
#pragma once
#include <stddef.h>
#include <stdint.h>

#pragma pack(push, 1)
struct HHAddressRecord {
    int16_t Reserved;
    char Name[51];  // last name
    char FirstName[51];
    char Title[51];
    char Company[51];
    char Address[256];
    char City[31];
    char State[31];
    char ZipCode[11];
    char Country[31];
    char Phone[5][31];
    char Pad;
    int16_t PhoneLabel[5];  // 0 Work, 1 Home, 2 Fax, 3 Other, 4 E-mail, 5 Main, 6 Pager, 7 Mobile
    char Custom[4][81];
    char Note[256];
};
#pragma pack(pop)

static_assert(sizeof(HHAddressRecord) == 1312, "HHAddressRecord is 1,312 bytes");
static_assert(offsetof(HHAddressRecord, Name) == 2, "Name follows the reserved word");
static_assert(offsetof(HHAddressRecord, Phone) == 566, "phones");
static_assert(offsetof(HHAddressRecord, PhoneLabel) == 722, "phone labels behind the pad byte");
static_assert(offsetof(HHAddressRecord, Custom) == 732, "custom fields");
static_assert(offsetof(HHAddressRecord, Note) == 1056, "note");

#define PACKED_RECORD_CAPACITY 9000
#define PACKED_TEXT_BUFFER     8192

// Word conversions between this machine's byte order and the handheld's.
struct HandheldByteOrder {
    uint32_t (*ToHandheld)(uint32_t value);
    uint32_t (*ToHost)(uint32_t value);
};

// Packs the record's non-empty fields into buffer (cleared by the caller, capacity bytes);
// each text goes through StripCarriageReturns. Gives the packed size, or 0 when the record
// does not fit.
int PackAddressRecord(const HHAddressRecord& record, char* buffer, int capacity, const HandheldByteOrder& order);

// Fills the zeroed record from size bytes of packed record (never reading past size); each
// text goes through ExpandLineFeeds and is cut to its field. Strings that the flags name but
// the bytes do not hold stay empty.
void UnpackAddressRecord(const char* packed, int size, HHAddressRecord* record, const HandheldByteOrder& order);

// Copies at most length characters of text to destination, dropping each carriage return
// (the character after it is kept whatever it is); gives the bytes written with the
// terminator. destination holds length + 1 bytes.
int StripCarriageReturns(char* destination, const char* text, int length);

// Copies at most length characters of text to destination with a carriage return before
// every line feed; gives the length of the result. destination holds 2 * length + 1 bytes.
int ExpandLineFeeds(char* destination, const char* text, int length);
