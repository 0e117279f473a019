#include "win_file.h"
#include "module_state.h"

namespace rastbmp {

void SetError(int number) { rastcommon::Common().lastError = number; }

int64_t CWinFile::Size() const {
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
    return (static_cast<int64_t>(high) << 32) | low;
}

int64_t CWinFile::Position() const {
    LONG high = 0;
    const DWORD low = SetFilePointer(handle_, 0, &high, FILE_CURRENT);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
    return (static_cast<int64_t>(high) << 32) | low;
}

bool CWinFile::Seek(int64_t position) const {
    if (position < 0) return false;
    LONG high = static_cast<LONG>(position >> 32);
    const DWORD low = SetFilePointer(handle_, static_cast<LONG>(position & 0xFFFFFFFF), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

DWORD CWinFile::ReadSome(void* buffer, DWORD count) const {
    DWORD done = 0;
    if (!ReadFile(handle_, buffer, count, &done, nullptr)) return 0;
    return done;
}

bool CWinFile::ReadExact(void* buffer, DWORD count) const {
    if (ReadSome(buffer, count) == count) return true;
    SetError(RAST_ERR_READ);
    return false;
}

bool CWinFile::WriteAll(const void* buffer, DWORD count) const {
    DWORD done = 0;
    if (WriteFile(handle_, buffer, count, &done, nullptr) && done == count) return true;
    SetError(RAST_ERR_WRITE);
    return false;
}

}  // namespace rastbmp
