// One caller's packed DIB, held for the length of one exported call.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

namespace pixwell {

class CPackedDib {
public:
    CPackedDib() = default;
    virtual ~CPackedDib();
    CPackedDib(const CPackedDib&) = delete;
    CPackedDib& operator=(const CPackedDib&) = delete;

    // Locks the block and checks that its header describes a 40-byte-header image of a
    // supported depth whose rows lie inside the block; a descending grey ramp is normalised.
    // False (and nothing held) for a null handle, a lock failure or a malformed block.
    bool Attach(HGLOBAL handle);
    void Detach();

    bool IsEmpty() const { return header_ == nullptr; }
    const BITMAPINFOHEADER& Header() const { return *header_; }
    int Width() const { return header_ ? header_->biWidth : 0; }
    int Height() const { return header_ ? header_->biHeight : 0; }
    int Rows() const { return header_ ? (header_->biHeight < 0 ? -header_->biHeight : header_->biHeight) : 0; }
    int Bits() const { return header_ ? header_->biBitCount : 0; }
    int TableBytes() const;
    int RowBytes() const;
    bool IsGreyRamp() const;

    const RGBQUAD* Table() const;
    BYTE* Pixels() const;
    const BYTE* Row(int row) const { return Pixels() + static_cast<size_t>(row) * RowBytes(); }

private:
    bool IsDescendingRamp() const;
    void NormaliseDescendingRamp();

    HGLOBAL handle_ = nullptr;
    BITMAPINFOHEADER* header_ = nullptr;
};

// A movable, zero-filled block of the given header (copied), colour table entries and row
// bytes x rows; null when it cannot be had. The caller unlocks nothing: the block is returned
// unlocked.
HGLOBAL NewPackedDib(const BITMAPINFOHEADER& header, const RGBQUAD* table, int tableEntries, int64_t rowBytes,
                     int64_t rows);

// A locked view of a block made by NewPackedDib, unlocked when it goes out of scope.
class CLockedDib {
public:
    explicit CLockedDib(HGLOBAL handle);
    ~CLockedDib();
    CLockedDib(const CLockedDib&) = delete;
    CLockedDib& operator=(const CLockedDib&) = delete;
    BITMAPINFOHEADER* Header() const { return header_; }
    BYTE* Pixels(int tableEntries) const;

private:
    HGLOBAL handle_;
    BITMAPINFOHEADER* header_;
};

// The grey ramp: entry i is blue = green = red = i.
void FillGreyRamp(RGBQUAD* table);

}  // namespace pixwell
