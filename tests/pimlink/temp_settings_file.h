// A settings file of the test's own in the temp folder: gone before the test starts and after
// it ends, so no run sees what an earlier one left.
#pragma once
#include <windows.h>
#include <string>
#include "scratch_folder.h"

class TempSettingsFile {
public:
    explicit TempSettingsFile(const std::string& name) : path_(TempFolderPath(name)) { DeleteFileA(path_.c_str()); }
    ~TempSettingsFile() { DeleteFileA(path_.c_str()); }
    TempSettingsFile(const TempSettingsFile&) = delete;
    TempSettingsFile& operator=(const TempSettingsFile&) = delete;

    const char* c_str() const { return path_.c_str(); }
    // A null value removes the key.
    void Write(const char* section, const char* key, const char* value) const {
        WritePrivateProfileStringA(section, key, value, path_.c_str());
    }

private:
    std::string path_;
};
