// The archive form of the tagged word list: little-endian 32-bit integers, single bytes and
// byte runs, written to and read from memory. Reading never goes past the end of its bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class CArchiveWriter {
public:
    void Int32(int32_t value);
    void Byte(uint8_t value);
    void Bytes(const void* data, size_t size);
    const std::vector<uint8_t>& Data() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

class CArchiveReader {
public:
    CArchiveReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    // Each read is false, and reads nothing, when fewer bytes are left than it needs.
    bool Int32(int32_t* value);
    bool Byte(uint8_t* value);
    bool Bytes(void* data, size_t size);
    size_t Left() const { return size_ - position_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
