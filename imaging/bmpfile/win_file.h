// Positioned reads and writes on the open Win32 file handles of the rast interface.
#pragma once
#include <windows.h>
#include <cstdint>

namespace rastbmp {

class CWinFile {
public:
    explicit CWinFile(HFILE file) : handle_(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file))) {}

    HANDLE Handle() const { return handle_; }
    int64_t Size() const;
    int64_t Position() const;
    bool Seek(int64_t position) const;

    // True when exactly `count` bytes were read; a short read sets error 2.
    bool ReadExact(void* buffer, DWORD count) const;
    // Bytes actually read (0 on failure), without touching the error number.
    DWORD ReadSome(void* buffer, DWORD count) const;
    // True when all `count` bytes were written; a failed or short write sets error 3.
    bool WriteAll(const void* buffer, DWORD count) const;

private:
    HANDLE handle_;
};

// Sets the module's last error number.
void SetError(int number);

}  // namespace rastbmp
