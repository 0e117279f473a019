#include "dbf_header.h"

#include "dbf_values.h"

#include <cstring>
#include <ctime>

bool HasMemoField(const std::vector<DbfField>& fields) {
    for (const DbfField& f : fields)
        if (f.type == 'M') return true;
    return false;
}

void StampDbfDate(unsigned char ymd[3]) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    ymd[0] = static_cast<unsigned char>(local ? local->tm_year : 0);  // years since 1900
    ymd[1] = static_cast<unsigned char>(local ? local->tm_mon + 1 : 1);
    ymd[2] = static_cast<unsigned char>(local ? local->tm_mday : 1);
}

std::string BuildDbfHeader(const std::vector<DbfField>& fields, uint32_t recordCount) {
    const size_t headerLength = kDbfHeadSize + kDbfDescriptorSize * fields.size() + 1;
    std::vector<unsigned char> h(headerLength, 0);
    uint32_t recordLength = 1;
    for (const DbfField& f : fields) recordLength += static_cast<uint32_t>(f.length);
    h[0] = HasMemoField(fields) ? kDbfVersionWithMemo : kDbfVersion;
    StampDbfDate(&h[1]);
    WriteLe32(&h[4], recordCount);
    WriteLe16(&h[8], static_cast<uint16_t>(headerLength));
    WriteLe16(&h[10], static_cast<uint16_t>(recordLength));
    unsigned char* d = &h[kDbfHeadSize];
    for (const DbfField& f : fields) {
        std::memcpy(d, f.name.data(), f.name.size());  // at most 10: byte 10 stays NUL
        d[11] = static_cast<unsigned char>(f.type);
        d[16] = static_cast<unsigned char>(f.length);
        d[17] = static_cast<unsigned char>(f.decimals);
        d += kDbfDescriptorSize;
    }
    h[headerLength - 1] = kDbfHeaderEnd;
    return std::string(h.begin(), h.end());
}

namespace {

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool ParseDescriptors(const std::vector<unsigned char>& bytes, std::vector<DbfField>* fields, std::string* error) {
    for (size_t at = kDbfHeadSize;; at += kDbfDescriptorSize) {
        if (at >= bytes.size()) return Fail(error, "the field list has no end mark");
        if (bytes[at] == kDbfHeaderEnd) break;
        if (at + kDbfDescriptorSize > bytes.size()) return Fail(error, "a field descriptor is cut off");
        const unsigned char* d = &bytes[at];
        DbfField f;
        f.name.assign(reinterpret_cast<const char*>(d), strnlen(reinterpret_cast<const char*>(d), 11));
        f.type = static_cast<char>(d[11]);
        f.length = d[16];
        f.decimals = d[17];
        // Stored tables may carry lengths that newer writers allow; only what would misplace data matters.
        if (f.name.empty() || f.length == 0 || std::strchr("CNDLM", f.type) == nullptr || f.type == '\0')
            return Fail(error, "field descriptor " + std::to_string(fields->size() + 1) + " is damaged");
        if (f.type == 'M' && f.length != 10) return Fail(error, "memo field " + f.name + " is not 10 bytes long");
        fields->push_back(f);
    }
    if (fields->empty()) return Fail(error, "the table has no fields");
    return true;
}

}  // namespace

bool ReadDbfHeader(const CBinaryFile& file, DbfHeader* header, std::string* error) {
    const uint64_t size = file.Size();
    std::vector<unsigned char> head(kDbfHeadSize);
    if (size < kDbfHeadSize || !file.ReadAt(0, head.data(), head.size()))
        return Fail(error, "the file is too short for a dBASE III table");
    header->version = head[0];
    if (header->version != kDbfVersion && header->version != kDbfVersionWithMemo)
        return Fail(error, "the file is not a dBASE III table");
    header->recordCount = ReadLe32(&head[4]);
    header->headerLength = ReadLe16(&head[8]);
    header->recordLength = ReadLe16(&head[10]);
    if (header->headerLength < kDbfHeadSize + kDbfDescriptorSize + 1 || header->headerLength > size)
        return Fail(error, "the header length does not fit the file");
    std::vector<unsigned char> bytes(header->headerLength);
    if (!file.ReadAt(0, bytes.data(), bytes.size())) return Fail(error, "the header cannot be read");
    header->fields.clear();
    if (!ParseDescriptors(bytes, &header->fields, error)) return false;
    uint32_t sum = 1;
    for (const DbfField& f : header->fields) sum += static_cast<uint32_t>(f.length);
    if (sum != header->recordLength) return Fail(error, "the record length does not match the fields");
    return true;
}
