#include "word_archive.h"
#include <cstring>

void CArchiveWriter::Int32(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(bits >> shift));
}

void CArchiveWriter::Byte(uint8_t value) { bytes_.push_back(value); }

void CArchiveWriter::Bytes(const void* data, size_t size) {
    const uint8_t* from = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), from, from + size);
}

bool CArchiveReader::Int32(int32_t* value) {
    uint8_t bytes[4];
    if (!Bytes(bytes, sizeof bytes)) return false;
    *value = static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    return true;
}

bool CArchiveReader::Byte(uint8_t* value) { return Bytes(value, 1); }

bool CArchiveReader::Bytes(void* data, size_t size) {
    if (size > Left()) return false;
    if (size) std::memcpy(data, data_ + position_, size);
    position_ += size;
    return true;
}
