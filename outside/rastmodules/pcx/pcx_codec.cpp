// RastPCX32: PC Paintbrush files by hand. Read: 1 bit in one plane, 1 bit in four planes
// (16 colours), 4 bits in one plane, 8 bits in one plane with the 256-colour table at the end
// (grey without one; a table cut short is refused), 8 bits in three planes (colour). Written: 1-bit as one plane, 4-bit as four
// bit planes, 8-bit with its table, 24-bit as three planes; run-length encoded, version 5.
#include "raster_image.h"
#include <string.h>

namespace rastmodule {

namespace {

const int kHeaderBytes = 128;
const uint8_t kTableMark = 0x0C;

struct PcxLayout {
    int bitsPerPlane, planes, bytesPerLine;
};

uint16_t Word(const std::vector<uint8_t>& f, size_t at) { return (uint16_t)(f[at] | f[at + 1] << 8); }

int DepthOf(const PcxLayout& l) {
    if (l.bitsPerPlane == 1 && l.planes == 1) return 1;
    if ((l.bitsPerPlane == 1 && l.planes == 4) || (l.bitsPerPlane == 4 && l.planes == 1)) return 4;
    if (l.bitsPerPlane == 8 && l.planes == 1) return 8;
    if (l.bitsPerPlane == 8 && l.planes == 3) return 24;
    return 0;
}

bool ReadLayout(const std::vector<uint8_t>& f, PcxLayout& layout, int& width, int& height) {
    if (f.size() < kHeaderBytes || f[0] != 0x0A || f[2] != 1) return false;
    layout = {f[3], f[65], Word(f, 66)};
    width = Word(f, 8) - Word(f, 4) + 1;
    height = Word(f, 10) - Word(f, 6) + 1;
    if (width < 1 || height < 1 || DepthOf(layout) == 0) return false;
    return (long long)layout.bytesPerLine * 8 >= (long long)width * layout.bitsPerPlane;
}

// Where the run-length data and an 8-bit file's colour table lie. The data must give every
// line the header declares; a table is the 0x0C mark and 768 bytes at the end of the file, and an
// 8-bit file whose data is followed by a mark without its whole table was cut inside it.
struct PcxParts {
    size_t dataEnd = 0;  // the first byte behind the run-length data
    bool table = false;
};

// The end of run-length data from the header on that gives `needed` bytes before `limit`, or 0
// when the data runs out first (what a file too short for its declared size does).
size_t RunDataEnd(const std::vector<uint8_t>& f, size_t limit, uint64_t needed) {
    size_t at = kHeaderBytes;
    for (uint64_t got = 0; got < needed;) {
        if (at >= limit) return 0;
        uint8_t b = f[at++];
        if ((b & 0xC0) != 0xC0) {
            ++got;
            continue;
        }
        if (at++ >= limit) return 0;
        got += b & 0x3F;
    }
    return at;
}

bool FindParts(const std::vector<uint8_t>& f, const PcxLayout& layout, int height, PcxParts& parts) {
    const uint64_t needed = (uint64_t)layout.bytesPerLine * layout.planes * (uint64_t)height;
    const bool eightBit = DepthOf(layout) == 8;
    if (eightBit && f.size() >= kHeaderBytes + 769 && f[f.size() - 769] == kTableMark &&
        RunDataEnd(f, f.size() - 769, needed)) {
        parts = {f.size() - 769, true};
        return true;
    }
    parts = {RunDataEnd(f, f.size(), needed), false};
    if (parts.dataEnd == 0) return false;
    return !(eightBit && parts.dataEnd < f.size() && f[parts.dataEnd] == kTableMark);
}

bool ReadDescription(const std::vector<uint8_t>& f, RasterDescription& d) {
    PcxLayout layout;
    PcxParts parts;
    if (!ReadLayout(f, layout, d.width, d.height) || !FindParts(f, layout, d.height, parts)) return false;
    d.bits = DepthOf(layout);
    d.xDpi = Word(f, 12);
    d.yDpi = Word(f, 14);
    d.palette.clear();
    if (d.bits == 1) d.palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};  // 0 is black once read
    if (d.bits == 4)
        for (int i = 0; i < 16; ++i) d.palette.push_back({f[16 + 3 * i + 2], f[16 + 3 * i + 1], f[16 + 3 * i], 0});
    if (d.bits == 8) {
        for (int i = 0; i < 256; ++i) {
            const uint8_t* c = parts.table ? &f[f.size() - 768 + 3 * i] : nullptr;
            d.palette.push_back(c ? RGBQUAD{c[2], c[1], c[0], 0} : RGBQUAD{(BYTE)i, (BYTE)i, (BYTE)i, 0});
        }
    }
    return true;
}

// Run-length data decoded into one scan line (all planes) at a time.
class RunDecoder {
public:
    RunDecoder(const std::vector<uint8_t>& f, size_t end) : f_(f), at_(kHeaderBytes), end_(end) {}
    bool Line(uint8_t* out, size_t count) {
        size_t done = 0;
        while (done < count) {
            if (left_ == 0) {
                if (at_ >= end_) return false;
                uint8_t b = f_[at_++];
                if ((b & 0xC0) == 0xC0) {
                    if (at_ >= end_) return false;
                    left_ = b & 0x3F;
                    value_ = f_[at_++];
                } else {
                    left_ = 1;
                    value_ = b;
                }
                continue;
            }
            out[done++] = value_;
            --left_;
        }
        return true;
    }

private:
    const std::vector<uint8_t>& f_;
    size_t at_, end_;
    int left_ = 0;
    uint8_t value_ = 0;
};

void PlanesToRow(const uint8_t* line, const PcxLayout& l, int width, int bits, uint8_t* row) {
    switch (bits) {
    case 1:
    case 8: memcpy(row, line, (size_t)(width * bits + 7) / 8); break;
    case 24:
        for (int x = 0; x < width; ++x) {
            row[3 * x + 2] = line[x];
            row[3 * x + 1] = line[l.bytesPerLine + x];
            row[3 * x] = line[2 * l.bytesPerLine + x];
        }
        break;
    case 4:
        if (l.planes == 1) {
            memcpy(row, line, (size_t)(width + 1) / 2);
            break;
        }
        for (int x = 0; x < width; ++x) {
            int value = 0;
            for (int p = 0; p < 4; ++p) value |= ((line[p * l.bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
            row[x / 2] = (uint8_t)(x % 2 ? (row[x / 2] & 0xF0) | value : value << 4);
        }
    }
}

// A black-and-white file whose header colours say white first has its bits turned over, so
// that 0 is black; headers with no colours (all zero) mean black first.
bool IsWhiteFirst(const std::vector<uint8_t>& f) {
    return f[16] == 255 && f[17] == 255 && f[18] == 255 && f[19] == 0 && f[20] == 0 && f[21] == 0;
}

bool ReadRows(const std::vector<uint8_t>& f, const RasterDescription& d, uint8_t* rows, Progress& progress) {
    PcxLayout layout;
    PcxParts parts;
    int width, height;
    if (!ReadLayout(f, layout, width, height) || !FindParts(f, layout, height, parts)) return false;
    RunDecoder runs(f, parts.dataEnd);
    std::vector<uint8_t> line((size_t)layout.bytesPerLine * layout.planes);
    int stride = DibStride(width, d.bits);
    for (int y = 0; y < height; ++y) {
        if (!runs.Line(line.data(), line.size())) return false;
        uint8_t* row = rows + (size_t)(height - 1 - y) * stride;
        memset(row, 0, stride);
        PlanesToRow(line.data(), layout, width, d.bits, row);
        if (d.bits == 1 && IsWhiteFirst(f))
            for (int i = 0; i < stride; ++i) row[i] = (uint8_t)~row[i];
        if (y % 64 == 0) progress.Step(y);
    }
    return true;
}

class RunEncoder {
public:
    explicit RunEncoder(std::vector<uint8_t>& out) : out_(out) {}
    void Line(const uint8_t* bytes, size_t count) {
        for (size_t i = 0; i < count;) {
            size_t run = 1;
            while (i + run < count && run < 63 && bytes[i + run] == bytes[i]) ++run;
            if (run > 1 || (bytes[i] & 0xC0) == 0xC0) out_.push_back((uint8_t)(0xC0 | run));
            out_.push_back(bytes[i]);
            i += run;
        }
    }

private:
    std::vector<uint8_t>& out_;
};

PcxLayout LayoutFor(int width, int bits) {
    int planes = bits == 24 ? 3 : bits == 4 ? 4 : 1;
    int bitsPerPlane = bits == 24 || bits == 8 ? 8 : 1;
    int bytes = (width * bitsPerPlane + 7) / 8;
    return {bitsPerPlane, planes, bytes + (bytes & 1)};
}

void RowToPlanes(const uint8_t* row, const PcxLayout& l, int width, int bits, uint8_t* line) {
    memset(line, 0, (size_t)l.bytesPerLine * l.planes);
    switch (bits) {
    case 1:
    case 8: memcpy(line, row, (size_t)(width * bits + 7) / 8); break;
    case 24:
        for (int x = 0; x < width; ++x) {
            line[x] = row[3 * x + 2];
            line[l.bytesPerLine + x] = row[3 * x + 1];
            line[2 * l.bytesPerLine + x] = row[3 * x];
        }
        break;
    case 4:
        for (int x = 0; x < width; ++x) {
            int value = x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
            for (int p = 0; p < 4; ++p)
                if (value >> p & 1) line[p * l.bytesPerLine + x / 8] |= (uint8_t)(0x80 >> (x % 8));
        }
    }
}

void PutWord(std::vector<uint8_t>& f, size_t at, int value) {
    f[at] = (uint8_t)value;
    f[at + 1] = (uint8_t)(value >> 8);
}

bool Write(const RasterDescription& d, const uint8_t* rows, int stride, int, std::vector<uint8_t>& f,
           Progress& progress) {
    PcxLayout layout = LayoutFor(d.width, d.bits);
    f.assign(kHeaderBytes, 0);
    f[0] = 0x0A;
    f[1] = 5;
    f[2] = 1;
    f[3] = (uint8_t)layout.bitsPerPlane;
    PutWord(f, 8, d.width - 1);
    PutWord(f, 10, d.height - 1);
    PutWord(f, 12, d.xDpi);
    PutWord(f, 14, d.yDpi);
    for (size_t i = 0; (d.bits == 4 || d.bits == 1) && i < 16 && i < d.palette.size(); ++i) {
        f[16 + 3 * i] = d.palette[i].rgbRed;
        f[16 + 3 * i + 1] = d.palette[i].rgbGreen;
        f[16 + 3 * i + 2] = d.palette[i].rgbBlue;
    }
    f[65] = (uint8_t)layout.planes;
    PutWord(f, 66, layout.bytesPerLine);
    PutWord(f, 68, 1);
    RunEncoder runs(f);
    std::vector<uint8_t> line((size_t)layout.bytesPerLine * layout.planes);
    for (int y = 0; y < d.height; ++y) {
        RowToPlanes(rows + (size_t)(d.height - 1 - y) * stride, layout, d.width, d.bits, line.data());
        runs.Line(line.data(), line.size());
        if (y % 64 == 0) progress.Step(y);
    }
    if (d.bits == 8) {
        f.push_back(kTableMark);
        for (int i = 0; i < 256; ++i) {
            const RGBQUAD q = i < (int)d.palette.size() ? d.palette[i] : RGBQUAD{(BYTE)i, (BYTE)i, (BYTE)i, 0};
            f.push_back(q.rgbRed);
            f.push_back(q.rgbGreen);
            f.push_back(q.rgbBlue);
        }
    }
    return true;
}

const FormatCodec kPcx = {ReadDescription, ReadRows, Write, "PCX"};

}  // namespace

const FormatCodec& ModuleCodec() { return kPcx; }

}  // namespace rastmodule
