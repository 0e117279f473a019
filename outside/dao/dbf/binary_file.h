// Positioned reads and writes on a C stdio file, so callers never track a file pointer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class CBinaryFile {
public:
    CBinaryFile() = default;
    ~CBinaryFile() { Close(); }
    CBinaryFile(const CBinaryFile&) = delete;
    CBinaryFile& operator=(const CBinaryFile&) = delete;

    static bool Exists(const std::string& path);

    bool Open(const std::string& path, bool writable);
    // Creates a new empty file; fails when one exists already.
    bool CreateNew(const std::string& path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    uint64_t Size() const;
    // Reads up to n bytes at offset; returns the count read (short at the end of the file).
    size_t ReadSomeAt(uint64_t offset, void* buffer, size_t n) const;
    bool ReadAt(uint64_t offset, void* buffer, size_t n) const { return ReadSomeAt(offset, buffer, n) == n; }
    bool WriteAt(uint64_t offset, const void* buffer, size_t n);
    bool Flush();

private:
    FILE* file_ = nullptr;
};

// Little-endian fields of the on-disk headers.
uint32_t ReadLe32(const unsigned char* p);
uint16_t ReadLe16(const unsigned char* p);
void WriteLe32(unsigned char* p, uint32_t v);
void WriteLe16(unsigned char* p, uint16_t v);
