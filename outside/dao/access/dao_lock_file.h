// The lock file beside a database ("<name>.ldb"): held with no sharing by an exclusive open
// and with read/write sharing by shared opens, so the rule holds across processes as well as
// within one. The file goes away when its last holder closes it.
#pragma once
#include <string>

namespace daoimpl {

class LockFile {
public:
    LockFile() = default;
    ~LockFile() { Release(); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    static std::string PathFor(const std::string& databasePath);
    // False when the lock conflicts with another holder; *inUse tells a sharing conflict
    // apart from a folder where no lock file can be made.
    bool Acquire(const std::string& databasePath, bool exclusive, bool* inUse);
    void Release();
    bool Held() const { return handle_ != nullptr; }

private:
    void* handle_ = nullptr;
};

}  // namespace daoimpl
