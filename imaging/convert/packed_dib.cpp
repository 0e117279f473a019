#include "packed_dib.h"
#include "dib_layout.h"
#include <cstring>

namespace pixwell {

CPackedDib::~CPackedDib() { Detach(); }

bool CPackedDib::Attach(HGLOBAL handle) {
    Detach();
    if (!handle) return false;
    SIZE_T blockSize = GlobalSize(handle);
    if (blockSize < sizeof(BITMAPINFOHEADER)) return false;
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(handle));
    if (!header) return false;
    handle_ = handle;
    header_ = header;

    // The rows must lie inside the block: a header that promises more than the block holds
    // would send every conversion reading past its end.
    const int64_t width = header->biWidth;
    const int64_t rows = header->biHeight < 0 ? -static_cast<int64_t>(header->biHeight) : header->biHeight;
    const int64_t rowBytes = RowBytesForBits(header->biBitCount, width);
    const bool sound = header->biSize == sizeof(BITMAPINFOHEADER) && header->biCompression == BI_RGB && width > 0 &&
                       rows > 0 && rowBytes > 0 && rowBytes * rows <= kMaxPixelBytes &&
                       static_cast<int64_t>(sizeof(BITMAPINFOHEADER)) + TableBytes() + rowBytes * rows <=
                           static_cast<int64_t>(blockSize);
    if (!sound) {
        Detach();
        return false;
    }
    if (IsDescendingRamp()) NormaliseDescendingRamp();
    return true;
}

void CPackedDib::Detach() {
    if (handle_) GlobalUnlock(handle_);
    handle_ = nullptr;
    header_ = nullptr;
}

int CPackedDib::TableBytes() const { return header_ ? TableEntriesForBits(header_->biBitCount) * 4 : 0; }

int CPackedDib::RowBytes() const {
    return header_ ? static_cast<int>(RowBytesForBits(header_->biBitCount, header_->biWidth)) : 0;
}

const RGBQUAD* CPackedDib::Table() const {
    return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header_) + sizeof(BITMAPINFOHEADER));
}

BYTE* CPackedDib::Pixels() const { return reinterpret_cast<BYTE*>(header_) + sizeof(BITMAPINFOHEADER) + TableBytes(); }

bool CPackedDib::IsGreyRamp() const {
    if (Bits() != 8) return false;
    const RGBQUAD* table = Table();
    for (int i = 0; i < 256; ++i)
        if (table[i].rgbBlue != i || table[i].rgbGreen != i || table[i].rgbRed != i) return false;
    return true;
}

bool CPackedDib::IsDescendingRamp() const {
    if (Bits() != 8) return false;
    const RGBQUAD* table = Table();
    for (int i = 0; i < 256; ++i) {
        const int v = 255 - i;
        if (table[i].rgbBlue != v || table[i].rgbGreen != v || table[i].rgbRed != v) return false;
    }
    return true;
}

// Dark pixels must have small values for the grey conversions and the border search, so a
// white-to-black ramp is turned round in the caller's block; the picture it shows stays.
void CPackedDib::NormaliseDescendingRamp() {
    auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(header_) + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < 256; ++i) {
        table[i].rgbBlue = table[i].rgbGreen = table[i].rgbRed = static_cast<BYTE>(i);
    }
    BYTE* pixels = Pixels();
    const size_t count = static_cast<size_t>(RowBytes()) * Rows();
    for (size_t i = 0; i < count; ++i) pixels[i] = static_cast<BYTE>(~pixels[i]);
}

HGLOBAL NewPackedDib(const BITMAPINFOHEADER& header, const RGBQUAD* table, int tableEntries, int64_t rowBytes,
                     int64_t rows) {
    if (rowBytes <= 0 || rows <= 0 || rowBytes * rows > kMaxPixelBytes) return nullptr;
    const int64_t total = static_cast<int64_t>(sizeof(BITMAPINFOHEADER)) + tableEntries * 4 + rowBytes * rows;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total));
    if (!block) return nullptr;
    auto* raw = static_cast<BYTE*>(GlobalLock(block));
    if (!raw) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(raw, &header, sizeof(BITMAPINFOHEADER));
    if (table && tableEntries > 0) std::memcpy(raw + sizeof(BITMAPINFOHEADER), table, tableEntries * 4);
    GlobalUnlock(block);
    return block;
}

CLockedDib::CLockedDib(HGLOBAL handle) : handle_(handle), header_(static_cast<BITMAPINFOHEADER*>(GlobalLock(handle))) {}

CLockedDib::~CLockedDib() {
    if (header_) GlobalUnlock(handle_);
}

BYTE* CLockedDib::Pixels(int tableEntries) const {
    return reinterpret_cast<BYTE*>(header_) + sizeof(BITMAPINFOHEADER) + tableEntries * 4;
}

void FillGreyRamp(RGBQUAD* table) {
    for (int i = 0; i < 256; ++i) {
        table[i].rgbBlue = table[i].rgbGreen = table[i].rgbRed = static_cast<BYTE>(i);
        table[i].rgbReserved = 0;
    }
}

}  // namespace pixwell
