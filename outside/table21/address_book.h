// The records of one address book and the address.dat file that holds them.
//
// address.dat (all numbers little-endian):
//   "ZADR" | u32 version (1) | u32 record count | the records
// each record:
//   u8 deleted (0 or 1) | u32 status | u16 category id | 5 x i16 phone label ids |
//   19 texts, each u16 length + that many bytes (no terminator), in the order of AddressText
// Nothing may follow the last record.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

enum AddressText {
    kName,
    kFirst,
    kTitle,
    kCompany,
    kAddress,
    kCity,
    kState,
    kZipCode,
    kCountry,
    kPhone1,
    kPhone2,
    kPhone3,
    kPhone4,
    kPhone5,
    kCustom1,
    kCustom2,
    kCustom3,
    kCustom4,
    kNote,
    kAddressTexts
};

struct AddressEntry {
    bool deleted = false;
    int32_t status = 0;
    uint16_t category = 0;
    int16_t labels[5] = {};
    std::string texts[kAddressTexts];
};

struct Table21Book {
    std::string path;
    bool open = false;
    std::vector<AddressEntry> entries;
};

// 0 read, 1 missing or unreadable, 2 not this format (entries untouched unless 0).
int ReadAddressFile(const std::string& path, std::vector<AddressEntry>* entries);
// True when the whole file was written.
bool WriteAddressFile(const std::string& path, const std::vector<AddressEntry>& entries);
