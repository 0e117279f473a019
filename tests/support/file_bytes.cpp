#include "file_bytes.h"
#include <windows.h>
#include <cstdio>

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    const std::string bytes = ReadWholeFile(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool WriteWholeFile(const std::string& path, const void* bytes, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = size == 0 || std::fwrite(bytes, 1, size, f) == size;
    return std::fclose(f) == 0 && written;
}
