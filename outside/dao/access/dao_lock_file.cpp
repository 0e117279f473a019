#include "dao_lock_file.h"

#include <windows.h>

namespace daoimpl {

std::string LockFile::PathFor(const std::string& databasePath) {
    const size_t slash = databasePath.find_last_of("\\/:");
    const size_t dot = databasePath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? databasePath.substr(0, dot) : databasePath) + ".ldb";
}

bool LockFile::Acquire(const std::string& databasePath, bool exclusive, bool* inUse) {
    Release();
    const DWORD share = exclusive ? 0 : (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    HANDLE handle = CreateFileA(PathFor(databasePath).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        *inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        return false;
    }
    *inUse = false;
    handle_ = handle;
    return true;
}

void LockFile::Release() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

}  // namespace daoimpl
