// The first directory of a classic TIFF (either byte order), read for the fields that place the
// pixel data. A compressed chunk can give at most so many bytes per byte stored: 64 for
// PackBits, 4,096 for LZW (one 9-bit or longer code gives at most a 4,096-byte string), 1,032
// for Deflate; CCITT codes take at least one bit per row and JPEG at least one bit per 8 x 8
// block.
#include "tiff_layout.h"

namespace rastmodule {

namespace {

enum Tag : uint16_t {
    kWidth = 256,
    kLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kStripOffsets = 273,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kPlanarConfig = 284,
    kTileWidth = 322,
    kTileLength = 323,
    kTileOffsets = 324,
    kTileByteCounts = 325,
};

class Directory {
public:
    explicit Directory(const std::vector<uint8_t>& f) : f_(f) {}

    bool Read() {
        if (f_.size() < 8) return false;
        if (f_[0] == 'I' && f_[1] == 'I') bigEndian_ = false;
        else if (f_[0] == 'M' && f_[1] == 'M') bigEndian_ = true;
        else return false;
        if (U16(2) != 42) return false;
        const uint64_t at = U32(4);
        if (!Has(at, 2)) return false;
        entries_ = at + 2;
        count_ = U16((size_t)at);
        return Has(entries_, (uint64_t)count_ * 12);
    }

    // The values of a SHORT or LONG field; false when it is absent, of another type, or its
    // values lie outside the file.
    bool Values(uint16_t tag, std::vector<uint32_t>& out) const {
        for (uint32_t i = 0; i < count_; ++i) {
            const size_t entry = (size_t)(entries_ + 12 * (uint64_t)i);
            if (U16(entry) != tag) continue;
            const uint16_t type = U16(entry + 2);
            const uint64_t count = U32(entry + 4);
            const unsigned size = type == 3 ? 2 : type == 4 ? 4 : 0;
            if (size == 0) return false;
            const uint64_t at = count * size <= 4 ? entry + 8 : U32(entry + 8);
            if (!Has(at, count * size)) return false;
            out.resize((size_t)count);
            for (size_t v = 0; v < out.size(); ++v)
                out[v] = size == 2 ? U16((size_t)at + 2 * v) : U32((size_t)at + 4 * v);
            return true;
        }
        return false;
    }

    uint32_t Value(uint16_t tag, uint32_t absent) const {
        std::vector<uint32_t> values;
        return Values(tag, values) && !values.empty() ? values[0] : absent;
    }

    uint64_t FileSize() const { return f_.size(); }

private:
    bool Has(uint64_t at, uint64_t bytes) const { return at <= f_.size() && bytes <= f_.size() - at; }
    uint32_t U16(size_t at) const {
        return bigEndian_ ? (uint32_t)(f_[at] << 8 | f_[at + 1]) : (uint32_t)(f_[at] | f_[at + 1] << 8);
    }
    uint32_t U32(size_t at) const { return bigEndian_ ? U16(at) << 16 | U16(at + 2) : U16(at) | U16(at + 2) << 16; }

    const std::vector<uint8_t>& f_;
    bool bigEndian_ = false;
    uint64_t entries_ = 0;
    uint32_t count_ = 0;
};

// One strip or tile: the pixels it stands for, and the bytes the file stores for it.
struct Chunk {
    uint64_t columns, rows, bitsPerPixel;
};

bool StoredBytesCanHold(uint16_t compression, const Chunk& c, uint64_t stored) {
    const uint64_t bytes = (c.columns * c.bitsPerPixel + 7) / 8 * c.rows;
    switch (compression) {
    case 1: return stored >= bytes;
    case 32773: return stored * 64 >= bytes;
    case 5: return stored * 4096 >= bytes;
    case 8:
    case 32946: return stored * 1032 >= bytes;
    case 2:
    case 3:
    case 4: return stored * 8 >= c.rows;
    case 6:
    case 7: return stored * 8 >= (c.columns + 7) / 8 * ((c.rows + 7) / 8);
    default: return false;  // a compression this module does not read
    }
}

}  // namespace

bool TiffHoldsItsPixels(const std::vector<uint8_t>& file) {
    Directory d(file);
    if (!d.Read()) return false;
    const uint64_t width = d.Value(kWidth, 0), height = d.Value(kLength, 0);
    const uint64_t samples = d.Value(kSamplesPerPixel, 1);
    const uint64_t planes = d.Value(kPlanarConfig, 1) == 2 ? samples : 1;
    const uint64_t bitsPerPixel = d.Value(kBitsPerSample, 1) * (planes == 1 ? samples : 1);
    const uint16_t compression = (uint16_t)d.Value(kCompression, 1);
    if (width == 0 || height == 0 || samples == 0 || bitsPerPixel == 0) return false;
    const bool tiled = d.Value(kTileWidth, 0) != 0;
    uint64_t across = 1, down, chunkWidth = width, chunkRows;
    if (tiled) {
        chunkWidth = d.Value(kTileWidth, 0);
        chunkRows = d.Value(kTileLength, 0);
        if (chunkRows == 0) return false;
        across = (width + chunkWidth - 1) / chunkWidth;
    } else {
        chunkRows = d.Value(kRowsPerStrip, (uint32_t)height);
        if (chunkRows == 0 || chunkRows > height) chunkRows = height;
    }
    down = (height + chunkRows - 1) / chunkRows;
    std::vector<uint32_t> offsets, counts;
    if (!d.Values(tiled ? kTileOffsets : kStripOffsets, offsets) ||
        !d.Values(tiled ? kTileByteCounts : kStripByteCounts, counts))
        return false;
    const uint64_t chunks = across * down * planes;
    if (offsets.size() < chunks || counts.size() < chunks) return false;
    for (uint64_t i = 0; i < chunks; ++i) {
        if ((uint64_t)offsets[i] + counts[i] > d.FileSize()) return false;
        const uint64_t row = i % (across * down) / across;
        // A strip image's last strip holds only the rows that are left; a tile is always whole.
        const uint64_t rows = tiled || row + 1 < down ? chunkRows : height - row * chunkRows;
        if (!StoredBytesCanHold(compression, {chunkWidth, rows, bitsPerPixel}, counts[i])) return false;
    }
    return true;
}

}  // namespace rastmodule
