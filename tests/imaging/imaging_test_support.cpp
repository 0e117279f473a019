#include "imaging_test_support.h"
#include <cstdio>
#include <cstring>

namespace imagingtest {

int RowBytes(int bits, int width) { return (bits * width + 31) / 32 * 4; }

int TableEntries(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0; }

HGLOBAL MakeDib(int bits, int width, int height, const std::vector<RGBQUAD>& table,
                const std::function<uint32_t(int, int)>& pixel) {
    const int entries = TableEntries(bits);
    const int rowBytes = RowBytes(bits, width);
    const size_t size = sizeof(BITMAPINFOHEADER) + entries * 4 + static_cast<size_t>(rowBytes) * height;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bits);
    header->biClrUsed = entries;
    auto* colours = reinterpret_cast<RGBQUAD*>(header + 1);
    for (int i = 0; i < entries && i < static_cast<int>(table.size()); ++i) colours[i] = table[i];
    BYTE* rows = reinterpret_cast<BYTE*>(colours + entries);
    for (int y = 0; y < height; ++y) {
        BYTE* row = rows + static_cast<size_t>(y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const uint32_t v = pixel(x, y);
            switch (bits) {
            case 1:
                if (v & 1) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
                break;
            case 4: row[x / 2] |= static_cast<BYTE>((v & 15) << ((x % 2) ? 0 : 4)); break;
            case 8: row[x] = static_cast<BYTE>(v); break;
            case 24:
                row[3 * x] = static_cast<BYTE>(v);
                row[3 * x + 1] = static_cast<BYTE>(v >> 8);
                row[3 * x + 2] = static_cast<BYTE>(v >> 16);
                break;
            }
        }
    }
    GlobalUnlock(dib);
    return dib;
}

std::vector<RGBQUAD> GreyRamp(bool descending) {
    std::vector<RGBQUAD> table(256);
    for (int i = 0; i < 256; ++i) {
        const BYTE v = static_cast<BYTE>(descending ? 255 - i : i);
        table[i] = RGBQUAD{v, v, v, 0};
    }
    return table;
}

DibView::DibView(HGLOBAL dib) : dib_(dib), header_(static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib))) {}

DibView::~DibView() {
    if (header_) GlobalUnlock(dib_);
}

const RGBQUAD* DibView::Table() const { return reinterpret_cast<const RGBQUAD*>(header_ + 1); }

const BYTE* DibView::Row(int row) const {
    const BYTE* rows = reinterpret_cast<const BYTE*>(Table() + TableEntries(header_->biBitCount));
    return rows + static_cast<size_t>(row) * RowBytes(header_->biBitCount, header_->biWidth);
}

uint32_t DibView::Pixel(int x, int row) const {
    const BYTE* r = Row(row);
    switch (header_->biBitCount) {
    case 1: return (r[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (x % 2) ? (r[x / 2] & 15) : (r[x / 2] >> 4);
    case 8: return r[x];
    default: return r[3 * x] | (r[3 * x + 1] << 8) | (r[3 * x + 2] << 16);
    }
}

bool IsReturnedUnlocked(HGLOBAL dib) {
    const UINT flags = GlobalFlags(dib);
    return flags != GMEM_INVALID_HANDLE && (flags & GMEM_LOCKCOUNT) == 0 && GlobalSize(dib) != 0;
}

std::string FixturePath(const std::string& name) { return std::string(IMAGING_FIXTURES) + "/" + name; }

void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes) {
    ASSERT_TRUE(WriteWholeFile(path, bytes)) << path;
}

std::string WorkPath(const std::string& name) {
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\imaging_" + name;
}

OpenedFile::OpenedFile(const std::string& path, bool write) {
    HANDLE h = write ? CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)
                     : CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    file_ = h == INVALID_HANDLE_VALUE ? HFILE_ERROR : static_cast<HFILE>(reinterpret_cast<INT_PTR>(h));
}

OpenedFile::~OpenedFile() {
    if (file_ != HFILE_ERROR) CloseHandle(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file_)));
}

RgbImage ReadPpm(const std::string& path) {
    RgbImage image;
    const std::vector<BYTE> bytes = ReadFileBytes(path);
    // "P6" whitespace width whitespace height whitespace 255 one whitespace, then the samples.
    size_t pos = 2;
    auto number = [&]() {
        while (pos < bytes.size() && (isspace(bytes[pos]) || bytes[pos] == '#')) {
            if (bytes[pos] == '#')
                while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
            else ++pos;
        }
        int v = 0;
        while (pos < bytes.size() && isdigit(bytes[pos])) v = v * 10 + (bytes[pos++] - '0');
        return v;
    };
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') return image;
    const int width = number();
    const int height = number();
    const int maxval = number();
    ++pos;
    if (maxval != 255 || bytes.size() < pos + static_cast<size_t>(width) * height * 3) return image;
    image.width = width;
    image.height = height;
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i, pos += 3)
        image.pixels.push_back((bytes[pos] << 16) | (bytes[pos + 1] << 8) | bytes[pos + 2]);
    return image;
}

void ExpectSameImage(const RgbImage& ours, const RgbImage& expected) {
    ASSERT_EQ(ours.width, expected.width);
    ASSERT_EQ(ours.height, expected.height);
    int differences = 0;
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x)
            if (ours.at(x, y) != expected.at(x, y) && differences++ < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): ours " << std::hex << ours.at(x, y) << ", tool's "
                              << expected.at(x, y);
    EXPECT_EQ(differences, 0);
}

RgbImage RowsToRgb(const std::vector<BYTE>& rows, int width, int height, int bits, HPALETTE palette) {
    if (bits == 16 || bits == 32) bits = 24;
    std::vector<PALETTEENTRY> entries(256);
    if (palette) GetPaletteEntries(palette, 0, 256, entries.data());
    RgbImage image;
    image.width = width;
    image.height = height;
    const int rowBytes = RowBytes(bits, width);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = &rows[static_cast<size_t>(height - 1 - y) * rowBytes];
        for (int x = 0; x < width; ++x) {
            if (bits == 24) {
                image.pixels.push_back((row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x]);
                continue;
            }
            const int index = bits == 8   ? row[x]
                              : bits == 4 ? ((x % 2) ? row[x / 2] & 15 : row[x / 2] >> 4)
                                          : (row[x / 8] >> (7 - x % 8)) & 1;
            const PALETTEENTRY& e = entries[index];
            image.pixels.push_back((e.peRed << 16) | (e.peGreen << 8) | e.peBlue);
        }
    }
    return image;
}

bool ReadThroughModule(const Rast& rast, const std::string& path, RastImageHeader& header, std::vector<BYTE>& rows) {
    OpenedFile file(path, false);
    if (file.get() == HFILE_ERROR || !rast.readHeader(file.get(), &header, 1)) return false;
    const int bits = header.bitsPerPixel == 16 || header.bitsPerPixel == 32 ? 24 : header.bitsPerPixel;
    const size_t size = static_cast<size_t>(RowBytes(bits, header.width)) * header.height;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    RastImageData data{static_cast<long>(size), RAST_DATA_GLOBAL, block, HFILE_ERROR, nullptr};
    const bool read = rast.readDibImg(file.get(), &data, 0) == 1;
    if (read) {
        const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(block));
        rows.assign(bytes, bytes + size);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return read;
}

size_t StoredSize(const RastImageHeader& header) { return static_cast<size_t>(header.rowBytes) * header.height; }

RastImageData MemoryData(std::vector<BYTE>& bytes) {
    return RastImageData{static_cast<long>(bytes.size()), 0, nullptr, HFILE_ERROR, bytes.data()};
}

}  // namespace imagingtest
