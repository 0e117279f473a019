#include "kvdb_tempfile.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// Random draws may keep hitting taken names in a crowded folder; after this many the search
// walks every four-digit name once, so it ends whatever the folder holds.
const int kRandomTries = 32768;
const unsigned kNameCount = 0x10000;

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string TempFolder(const char* folder) {
    std::string base;
    if (folder && *folder) {
        base = folder;
    } else {
        char buffer[MAX_PATH + 1] = {};
        DWORD length = GetTempPathA(MAX_PATH, buffer);
        if (length > 0 && length <= MAX_PATH) base.assign(buffer, length);
    }
    if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
    return base;
}

std::string Candidate(const std::string& base, unsigned number, const char* extension) {
    char name[16];
    std::snprintf(name, sizeof name, "PT_%.4X", number & 0xFFFFu);
    return base + name + (extension ? extension : "");
}

}  // namespace

std::string MakeTempFileName(const char* extension, const char* folder) {
    const std::string base = TempFolder(folder);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (int i = 0; i < kRandomTries; ++i) {
        std::string path = Candidate(base, static_cast<unsigned>(std::rand()), extension);
        if (!FileExists(path)) return path;
    }
    for (unsigned number = 0; number < kNameCount; ++number) {
        std::string path = Candidate(base, number, extension);
        if (!FileExists(path)) return path;
    }
    return std::string();
}
