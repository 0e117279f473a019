#include "copy_dib.h"
#include "dib_layout.h"
#include "packed_dib.h"
#include <algorithm>
#include <cstring>

namespace pixwell {

HGLOBAL CopyRectangle(HGLOBAL dib, const RECT* rect) {
    if (!dib || !rect || IsRectEmpty(rect)) return nullptr;
    CPackedDib source;
    if (!source.Attach(dib)) return nullptr;
    // Callers pass rectangles inside the image; one that reaches outside is clipped so that
    // no byte outside the source rows is read.
    RECT r = *rect;
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, source.Width());
    r.bottom = std::min<LONG>(r.bottom, source.Rows());
    if (r.left >= r.right || r.top >= r.bottom) return nullptr;

    const int bits = source.Bits();
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    BITMAPINFOHEADER header = source.Header();
    header.biWidth = width;
    header.biHeight = source.Height() < 0 ? -height : height;
    header.biSizeImage = 0;
    const int entries = TableEntriesForBits(bits);
    const int64_t newRowBytes = RowBytesForBits(bits, width);
    HGLOBAL copy = NewPackedDib(header, source.Table(), entries, newRowBytes, height);
    if (!copy) return nullptr;
    CLockedDib target(copy);
    if (!target.Header()) {
        GlobalFree(copy);
        return nullptr;
    }

    // Bytes are copied whole, so pixels keep their place within a byte.
    const int sourceRowBytes = source.RowBytes();
    const int firstByte = static_cast<int>((static_cast<int64_t>(bits) * r.left) / 8);
    const size_t count = static_cast<size_t>(std::min<int64_t>(newRowBytes, sourceRowBytes - firstByte));
    const BYTE firstMask = static_cast<BYTE>(0xFF >> (r.left % 8));
    const BYTE lastMask = (r.right % 8) == 0 ? 0xFF : static_cast<BYTE>(0xFF << (8 - r.right % 8));
    BYTE* out = target.Pixels(entries);
    for (int row = r.top; row < r.bottom; ++row, out += newRowBytes) {
        std::memcpy(out, source.Row(row) + firstByte, count);
        if (bits == 1) {
            out[0] &= firstMask;
            out[newRowBytes - 1] &= lastMask;
        }
    }
    return copy;
}

}  // namespace pixwell
