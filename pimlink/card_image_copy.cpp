#include "card_image_copy.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <utility>

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

std::string CompanionPath(const std::string& path, const char* subFolder, const char* extension) {
    PathParts parts = Split(path);
    return parts.folder + subFolder + "\\" + parts.stem + "." + extension;
}

// The companions an image file may have, each beside the image in a sub-folder of its own.
std::vector<std::string> Companions(const std::string& image) {
    return {CompanionPath(image, "ifo", "ifo"), CompanionPath(image, "bin", "tif")};
}

// A name is free when neither it nor, for an image, a companion of it exists, so that no copy
// lands on a file that somebody else made.
bool NameIsFree(const std::string& name, bool withCompanions) {
    if (FileExists(name)) return false;
    if (!withCompanions) return true;
    for (const std::string& companion : Companions(name))
        if (FileExists(companion)) return false;
    return true;
}

}  // namespace

// Seeded once per transfer: seeding per card restarts the same sequence for every card, so the
// search for the n-th card would walk past n - 1 names it already took.
CCardImageCopier::CCardImageCopier() { srand(GetTickCount()); }

// The first four letters of the file's name, four hexadecimal digits and its extension, in the
// file's folder; empty when every such name is taken.
std::string CCardImageCopier::FreeNameBeside(const std::string& path, bool withCompanions) {
    PathParts parts = Split(path);
    std::string prefix = parts.folder + parts.stem.substr(0, 4);
    for (int i = 0; i < kRandomTries; ++i) {
        std::string name = Candidate(prefix, rand() & 0x7FFF, parts.extension);
        if (NameIsFree(name, withCompanions)) return name;
    }
    for (int number = 0; number < kNameDigits; ++number) {
        std::string name = Candidate(prefix, number, parts.extension);
        if (NameIsFree(name, withCompanions)) return name;
    }
    return std::string();
}

// Every copy must have succeeded before a card may name it: a copy that failed on a full or
// read-only disk would leave the card naming a file that does not exist.
bool CCardImageCopier::CopyWithCompanions(const std::string& path, bool withCompanions, std::string* copy) {
    copy->clear();
    if (!FileExists(path)) return true;
    const std::string name = FreeNameBeside(path, withCompanions);
    if (name.empty()) return false;
    std::vector<std::pair<std::string, std::string>> files{{path, name}};
    if (withCompanions) {
        const std::vector<std::string> from = Companions(path), to = Companions(name);
        for (size_t i = 0; i < from.size(); ++i)
            if (FileExists(from[i])) files.emplace_back(from[i], to[i]);
    }
    for (const auto& [from, to] : files) {
        if (!CopyFileA(from.c_str(), to.c_str(), TRUE)) {
            // A partial copy on a full disk is ours; a file that appeared meanwhile is not.
            if (GetLastError() != ERROR_FILE_EXISTS) DeleteFileA(to.c_str());
            RemoveCopies();
            return false;
        }
        made_.push_back(to);
    }
    *copy = name;
    return true;
}

bool CCardImageCopier::CopyImage(const std::string& path, std::string* copy) {
    return CopyWithCompanions(path, true, copy);
}

bool CCardImageCopier::CopyThumbnail(const std::string& path, std::string* copy) {
    return CopyWithCompanions(path, false, copy);
}

void CCardImageCopier::RemoveCopies() {
    for (const std::string& file : made_) DeleteFileA(file.c_str());
    made_.clear();
}

}  // namespace ferrow
