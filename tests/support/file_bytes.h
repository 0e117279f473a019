// Whole files read and written at once, and whether a path names anything.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// True when a file or folder of that name exists.
bool PathExists(const std::string& path);
// True when a file (not a folder) of that name exists.
bool IsFile(const std::string& path);

// The whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// Creates or truncates the file and writes the bytes; false when any step fails.
bool WriteWholeFile(const std::string& path, const void* bytes, size_t size);
inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    return WriteWholeFile(path, bytes.data(), bytes.size());
}
inline bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteWholeFile(path, bytes.data(), bytes.size());
}
