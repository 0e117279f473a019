#include "hh_address_record.h"
#include "card_text.h"
#include <string.h>

namespace {

// The fields in the order of their present-field flag bits.
struct PackedField {
    size_t Offset;
    size_t Width;
};

const PackedField kFields[] = {
    {offsetof(HHAddressRecord, Name), 51},
    {offsetof(HHAddressRecord, FirstName), 51},
    {offsetof(HHAddressRecord, Company), 51},
    {offsetof(HHAddressRecord, Phone) + 0 * 31, 31},
    {offsetof(HHAddressRecord, Phone) + 1 * 31, 31},
    {offsetof(HHAddressRecord, Phone) + 2 * 31, 31},
    {offsetof(HHAddressRecord, Phone) + 3 * 31, 31},
    {offsetof(HHAddressRecord, Phone) + 4 * 31, 31},
    {offsetof(HHAddressRecord, Address), 256},
    {offsetof(HHAddressRecord, City), 31},
    {offsetof(HHAddressRecord, State), 31},
    {offsetof(HHAddressRecord, ZipCode), 11},
    {offsetof(HHAddressRecord, Country), 31},
    {offsetof(HHAddressRecord, Title), 51},
    {offsetof(HHAddressRecord, Custom) + 0 * 81, 81},
    {offsetof(HHAddressRecord, Custom) + 1 * 81, 81},
    {offsetof(HHAddressRecord, Custom) + 2 * 81, 81},
    {offsetof(HHAddressRecord, Custom) + 3 * 81, 81},
    {offsetof(HHAddressRecord, Note), 256},
};
const int kFieldCount = sizeof(kFields) / sizeof(kFields[0]);
const int kCompanyBit = 2;
const int kHeaderSize = 9;

const char* FieldOf(const HHAddressRecord& record, int bit) {
    return reinterpret_cast<const char*>(&record) + kFields[bit].Offset;
}

char* FieldOf(HHAddressRecord* record, int bit) { return reinterpret_cast<char*>(record) + kFields[bit].Offset; }

void PutWord(char* at, uint32_t value) { memcpy(at, &value, 4); }

uint32_t GetWord(const char* at) {
    uint32_t value;
    memcpy(&value, at, 4);
    return value;
}

}  // namespace

int StripCarriageReturns(char* destination, const char* text, int length) {
    int n = 0;
    for (int i = 0; i < length && text[i]; ++i) {
        if (text[i] == '\r') {
            if (++i >= length || !text[i]) break;
        }
        destination[n++] = text[i];
    }
    destination[n] = '\0';
    return n + 1;
}

int ExpandLineFeeds(char* destination, const char* text, int length) {
    int n = 0;
    for (int i = 0; i < length && text[i]; ++i) {
        if (text[i] == '\n') destination[n++] = '\r';
        destination[n++] = text[i];
    }
    destination[n] = '\0';
    return n;
}

int PackAddressRecord(const HHAddressRecord& record, char* buffer, int capacity, const HandheldByteOrder& order) {
    if (capacity < kHeaderSize) return 0;
    uint32_t options = 0;
    for (int p = 0; p < 5; ++p) options |= static_cast<uint32_t>(record.PhoneLabel[p] & 0xF) << (4 * p);
    PutWord(buffer, order.ToHandheld(options));
    uint32_t flags = 0;
    int at = kHeaderSize;
    for (int bit = 0; bit < kFieldCount; ++bit) {
        const char* text = FieldOf(record, bit);
        int length = static_cast<int>(strnlen(text, kFields[bit].Width - 1));
        if (!length) continue;
        if (at + length + 1 > capacity) return 0;
        flags |= 1u << bit;
        if (bit == kCompanyBit) buffer[8] = static_cast<char>(1 + at - kHeaderSize);
        at += StripCarriageReturns(buffer + at, text, length);
    }
    PutWord(buffer + 4, order.ToHandheld(flags));
    return at;
}

void UnpackAddressRecord(const char* packed, int size, HHAddressRecord* record, const HandheldByteOrder& order) {
    if (size < kHeaderSize) return;
    if (size > PACKED_RECORD_CAPACITY) size = PACKED_RECORD_CAPACITY;
    uint32_t options = order.ToHost(GetWord(packed));
    uint32_t flags = order.ToHost(GetWord(packed + 4));
    for (int p = 0; p < 5; ++p) record->PhoneLabel[p] = static_cast<int16_t>((options >> (4 * p)) & 0xF);
    char expanded[PACKED_TEXT_BUFFER + 1];
    int at = kHeaderSize;
    for (int bit = 0; bit < kFieldCount; ++bit) {
        if (!(flags & (1u << bit))) continue;
        if (at >= size) break;
        int length = static_cast<int>(strnlen(packed + at, size - at));
        int take = length < PACKED_TEXT_BUFFER / 2 ? length : PACKED_TEXT_BUFFER / 2;
        ExpandLineFeeds(expanded, packed + at, take);
        ferrow::CopyCut(FieldOf(record, bit), expanded, kFields[bit].Width - 1);
        at += length + 1;
    }
}
