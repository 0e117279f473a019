// The table header: the 32-byte head, the field descriptors and their terminator.
#pragma once

#include "binary_file.h"
#include "dbf_file.h"

#include <cstdint>
#include <string>
#include <vector>

struct DbfHeader {
    uint8_t version = 0;
    uint32_t recordCount = 0;
    uint32_t headerLength = 0;
    uint32_t recordLength = 0;
    std::vector<DbfField> fields;
};

constexpr uint8_t kDbfVersion = 0x03;
constexpr uint8_t kDbfVersionWithMemo = 0x83;
constexpr size_t kDbfHeadSize = 32;
constexpr size_t kDbfDescriptorSize = 32;
constexpr unsigned char kDbfHeaderEnd = 0x0D;
constexpr unsigned char kDbfFileEnd = 0x1A;

bool HasMemoField(const std::vector<DbfField>& fields);
// The whole header of a table with these (already valid, upper-case) fields, dated today.
std::string BuildDbfHeader(const std::vector<DbfField>& fields, uint32_t recordCount);
// Today's date as the header's three bytes YY MM DD.
void StampDbfDate(unsigned char ymd[3]);
// Reads and checks the header against the file's size.
bool ReadDbfHeader(const CBinaryFile& file, DbfHeader* header, std::string* error);
