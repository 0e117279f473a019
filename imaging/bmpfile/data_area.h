// The pixel area a RastImageData names: global memory locked for the length of one operation,
// or the caller's plain pointer.
#pragma once
#include <windows.h>
#include <rastimg.h>

namespace rastbmp {

class CDataArea {
public:
    // A global block smaller than the byte count it comes with is refused (Bytes() is null).
    explicit CDataArea(const RastImageData& data) {
        if (data.kind != RAST_DATA_GLOBAL) {
            bytes_ = static_cast<BYTE*>(data.pointer);
            return;
        }
        if (!data.memory || data.byteCount < 0 || GlobalSize(data.memory) < static_cast<SIZE_T>(data.byteCount)) return;
        locked_ = data.memory;
        bytes_ = static_cast<BYTE*>(GlobalLock(data.memory));
    }
    ~CDataArea() {
        if (locked_ && bytes_) GlobalUnlock(locked_);
    }
    CDataArea(const CDataArea&) = delete;
    CDataArea& operator=(const CDataArea&) = delete;
    BYTE* Bytes() const { return bytes_; }

private:
    HGLOBAL locked_ = nullptr;
    BYTE* bytes_ = nullptr;
};

}  // namespace rastbmp
