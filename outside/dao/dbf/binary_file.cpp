#include "binary_file.h"

bool CBinaryFile::Exists(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

bool CBinaryFile::Open(const std::string& path, bool writable) {
    Close();
    file_ = std::fopen(path.c_str(), writable ? "r+b" : "rb");
    return file_ != nullptr;
}

bool CBinaryFile::CreateNew(const std::string& path) {
    Close();
    if (Exists(path)) return false;
    file_ = std::fopen(path.c_str(), "w+b");
    return file_ != nullptr;
}

void CBinaryFile::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

uint64_t CBinaryFile::Size() const {
    if (!file_ || _fseeki64(file_, 0, SEEK_END) != 0) return 0;
    const long long size = _ftelli64(file_);
    return size < 0 ? 0 : static_cast<uint64_t>(size);
}

size_t CBinaryFile::ReadSomeAt(uint64_t offset, void* buffer, size_t n) const {
    if (!file_ || _fseeki64(file_, static_cast<long long>(offset), SEEK_SET) != 0) return 0;
    return std::fread(buffer, 1, n, file_);
}

bool CBinaryFile::WriteAt(uint64_t offset, const void* buffer, size_t n) {
    if (!file_ || _fseeki64(file_, static_cast<long long>(offset), SEEK_SET) != 0) return false;
    return std::fwrite(buffer, 1, n, file_) == n;
}

bool CBinaryFile::Flush() { return file_ && std::fflush(file_) == 0; }

uint32_t ReadLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadLe16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void WriteLe32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void WriteLe16(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
