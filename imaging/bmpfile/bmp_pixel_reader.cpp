#include "bmp_pixel_reader.h"
#include "bmp_format.h"
#include "data_area.h"
#include "bmp_header_reader.h"
#include "module_state.h"
#include "rle_decoder.h"
#include "waiting_progress.h"
#include "win_file.h"
#include <new>
#include <vector>

namespace rastbmp {
namespace {

// 16-bit pixels (5 bits each of red, green, blue) and 32-bit pixels as 24-bit rows.
void WidenRow(const BYTE* in, BYTE* out, int width, int bits) {
    if (bits == 32) {
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
        return;
    }
    for (int x = 0; x < width; ++x, in += 2, out += 3) {
        const unsigned word = in[0] | (in[1] << 8);
        out[0] = static_cast<BYTE>((word & 31) * 255 / 31);
        out[1] = static_cast<BYTE>(((word >> 5) & 31) * 255 / 31);
        out[2] = static_cast<BYTE>(((word >> 10) & 31) * 255 / 31);
    }
}

// Rows of a bottom-up file that need no widening go straight into the target, many rows per
// read; progress is still reported row by row.
bool ReadRowsInBulk(const CWinFile& f, BYTE* target, size_t rowBytes, int height) {
    constexpr size_t kBulkBytes = 1 << 20;
    const int rowsPerRead = static_cast<int>(rowBytes >= kBulkBytes ? 1 : kBulkBytes / rowBytes);
    CWaitingProgress progress(height);
    for (int row = 0; row < height;) {
        const int rows = height - row < rowsPerRead ? height - row : rowsPerRead;
        if (!f.ReadExact(target + row * rowBytes, static_cast<DWORD>(rows * rowBytes))) return false;
        for (const int end = row + rows; row < end;)
            if (progress.Step(++row)) return false;
    }
    return true;
}

// Rows as stored; a top-down file's rows are turned round so that the caller always gets the
// bottom line first, as in every other BMP.
bool ReadUncompressed(const CWinFile& f, BYTE* target) {
    const ModuleState& state = State();
    const BITMAPINFOHEADER& info = state.header;
    const int bits = info.biBitCount;
    const int height = info.biHeight;
    const size_t storedRow = static_cast<size_t>(StoredRowBytes(bits, info.biWidth));
    const size_t deliveredRow = static_cast<size_t>(DeliveredRowBytes(bits, info.biWidth));
    const bool widen = bits == 16 || bits == 32;
    if (!widen && !state.topDown) return ReadRowsInBulk(f, target, storedRow, height);
    std::vector<BYTE> rowBuffer(widen ? storedRow : 0);
    CWaitingProgress progress(height);
    for (int row = 0; row < height; ++row) {
        const int targetRow = state.topDown ? height - 1 - row : row;
        BYTE* out = target + targetRow * deliveredRow;
        if (!f.ReadExact(widen ? rowBuffer.data() : out, static_cast<DWORD>(storedRow))) return false;
        if (widen) WidenRow(rowBuffer.data(), out, info.biWidth, bits);
        if (progress.Step(row + 1)) return false;
    }
    return true;
}

// A read-only view of a whole file, released when it goes out of scope.
class CMappedFile {
public:
    explicit CMappedFile(const CWinFile& f) {
        mapping_ = CreateFileMappingA(f.Handle(), nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping_) view_ = static_cast<const BYTE*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    }
    ~CMappedFile() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
    }
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;
    const BYTE* View() const { return view_; }

private:
    HANDLE mapping_ = nullptr;
    const BYTE* view_ = nullptr;
};

void ReportLine(void* progress, int line) { static_cast<CWaitingProgress*>(progress)->Step(line); }

bool ReadRunLength(const CWinFile& f, BYTE* target) {
    const BITMAPINFOHEADER& info = State().header;
    const int64_t start = f.Position();
    const int64_t size = f.Size();
    if (start < 0 || size < start) {
        SetError(RAST_ERR_READ);
        return false;
    }
    CMappedFile mapped(f);
    if (!mapped.View()) {
        SetError(RAST_ERR_MAP);
        return false;
    }
    const RleTarget rows{target, static_cast<int>(StoredRowBytes(info.biBitCount, info.biWidth)), info.biWidth,
                         info.biHeight, info.biBitCount};
    CWaitingProgress progress(info.biHeight);
    if (DecodeRle(mapped.View() + start, static_cast<size_t>(size - start), rows, ReportLine, &progress)) return true;
    SetError(RAST_ERR_COMPRESSION);
    return false;
}

// The compressions this module decodes, for the depth they belong to.
bool IsDecodable(const ModuleState& state) {
    const BITMAPINFOHEADER& info = state.header;
    switch (info.biCompression) {
    case BI_RGB: return true;
    case BI_RLE8: return info.biBitCount == 8 && !state.topDown;
    case BI_RLE4: return info.biBitCount == 4 && !state.topDown;
    default: return false;
    }
}

bool ReadIntoMemory(const CWinFile& f, const RastImageData& data, long offset) {
    const ModuleState& state = State();
    const BITMAPINFOHEADER& info = state.header;
    const int64_t needed = DeliveredRowBytes(info.biBitCount, info.biWidth) * info.biHeight;
    // The readers always deliver every row, so the area must hold them all.
    if (static_cast<int64_t>(data.byteCount) - offset < needed) return false;
    CDataArea area(data);
    if (!area.Bytes()) return false;
    BYTE* target = area.Bytes() + offset;
    try {
        const bool read = info.biCompression == BI_RGB ? ReadUncompressed(f, target) : ReadRunLength(f, target);
        if (!read) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (state.oneBit && state.invert)
        for (int64_t i = 0; i < needed; ++i) target[i] = static_cast<BYTE>(~target[i]);
    return true;
}

}  // namespace

bool CopyFileBytes(HFILE from, HFILE to, int64_t count, bool invert) {
    const CWinFile source(from);
    const CWinFile target(to);
    constexpr DWORD kChunk = 4096;
    BYTE chunk[kChunk];
    CWaitingProgress progress(static_cast<int>((count + kChunk - 1) / kChunk));
    for (int step = 1; count > 0; ++step) {
        const DWORD size = count < kChunk ? static_cast<DWORD>(count) : kChunk;
        if (!source.ReadExact(chunk, size)) return false;
        if (invert)
            for (DWORD i = 0; i < size; ++i) chunk[i] = static_cast<BYTE>(~chunk[i]);
        if (!target.WriteAll(chunk, size)) return false;
        count -= size;
        progress.Step(step);
    }
    return true;
}

bool ReadBmpPixels(HFILE file, const RastImageData* data, long offset) {
    const ModuleState& state = State();
    if (file == HFILE_ERROR || !data || offset < 0 || !state.headerValid) return false;
    if (!IsDecodable(state)) {
        SetError(RAST_ERR_COMPRESSION);
        return false;
    }
    const CWinFile f(file);
    if (data->kind == RAST_DATA_FILE) {
        if (data->file == HFILE_ERROR || !CWinFile(data->file).Seek(offset)) return false;
        return CopyFileBytes(file, data->file, static_cast<int64_t>(data->byteCount) - offset, state.invert);
    }
    return ReadIntoMemory(f, *data, offset);
}

bool DecodeBmpRows(HFILE file, RastRowFunction rowFunction, long user) {
    RastImageHeader header{};
    if (!rowFunction || !ReadBmpHeader(file, &header, false, 0)) return false;
    const ModuleState& state = State();
    // Only uncompressed rows can be fetched one by one.
    if (state.header.biCompression != BI_RGB) return false;
    const CWinFile f(file);
    const int64_t dataStart = f.Position();
    const int height = state.header.biHeight;
    const DWORD rowBytes = static_cast<DWORD>(StoredRowBytes(state.header.biBitCount, state.header.biWidth));
    std::vector<BYTE> row;
    try {
        row.resize(rowBytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    CWaitingProgress progress(height);
    for (int i = 0; i < height; ++i) {
        const int stored = state.topDown ? i : height - 1 - i;
        if (!f.Seek(dataStart + static_cast<int64_t>(stored) * rowBytes) || !f.ReadExact(row.data(), rowBytes)) break;
        rowFunction(row.data(), user, i, 0);
        progress.Step(i + 1);
    }
    return true;
}

}  // namespace rastbmp
