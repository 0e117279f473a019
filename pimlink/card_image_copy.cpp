#include "card_image_copy.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

namespace ferrow {

namespace {

constexpr int kNameDigits = 0x10000;     // four hexadecimal digits
constexpr int kRandomTries = 4 * 32768;  // then every name is tried in turn

struct PathParts {
    std::string folder;     // up to and including the last backslash
    std::string stem;       // file name without its extension
    std::string extension;  // without the '.'; empty when there is none
};

PathParts Split(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = path.find_last_of('.');
    PathParts parts;
    parts.folder = path.substr(0, nameStart);
    if (dot == std::string::npos || dot < nameStart) {
        parts.stem = path.substr(nameStart);
    } else {
        parts.stem = path.substr(nameStart, dot - nameStart);
        parts.extension = path.substr(dot + 1);
    }
    return parts;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Candidate(const std::string& prefix, int number, const std::string& extension) {
    char digits[8];
    snprintf(digits, sizeof(digits), "%.4X", static_cast<unsigned>(number));
    return prefix + digits + (extension.empty() ? "" : "." + extension);
}

}  // namespace

// Seeded once per transfer: seeding per card restarts the same sequence for every card, so the
// search for the n-th card would walk past n - 1 names it already took.
CCardImageCopier::CCardImageCopier() { srand(GetTickCount()); }

std::string CCardImageCopier::FreeNameBeside(const std::string& path) {
    PathParts parts = Split(path);
    std::string prefix = parts.folder + parts.stem.substr(0, 4);
    for (int i = 0; i < kRandomTries; ++i) {
        std::string name = Candidate(prefix, rand() & 0x7FFF, parts.extension);
        if (!FileExists(name)) return name;
    }
    for (int number = 0; number < kNameDigits; ++number) {
        std::string name = Candidate(prefix, number, parts.extension);
        if (!FileExists(name)) return name;
    }
    return std::string();
}

std::string CompanionPath(const std::string& path, const char* subFolder, const char* extension) {
    PathParts parts = Split(path);
    return parts.folder + subFolder + "\\" + parts.stem + "." + extension;
}

std::string CCardImageCopier::CopyImage(const std::string& path) {
    std::string copy = FreeNameBeside(path);
    if (copy.empty()) return copy;
    CopyFileA(path.c_str(), copy.c_str(), FALSE);
    CopyFileA(CompanionPath(path, "ifo", "ifo").c_str(), CompanionPath(copy, "ifo", "ifo").c_str(), FALSE);
    CopyFileA(CompanionPath(path, "bin", "tif").c_str(), CompanionPath(copy, "bin", "tif").c_str(), FALSE);
    return copy;
}

std::string CCardImageCopier::CopyThumbnail(const std::string& path) {
    std::string copy = FreeNameBeside(path);
    if (!copy.empty()) CopyFileA(path.c_str(), copy.c_str(), FALSE);
    return copy;
}

}  // namespace ferrow
