#include "bmp_writer.h"
#include "bmp_format.h"
#include "data_area.h"
#include "bmp_pixel_reader.h"
#include "module_state.h"
#include "waiting_progress.h"
#include "win_file.h"
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace rastbmp {
namespace {

LONG PelsPerMetre(short dotsPerInch) { return static_cast<LONG>(std::trunc(0.5 + dotsPerInch * 39.37)); }

// Progress counts pieces of 32,768 bytes in sixteenths; the pieces go to the file in groups,
// since every write call costs more than the copy of one piece.
bool WriteMemory(const CWinFile& f, const BYTE* bytes, DWORD count) {
    constexpr DWORD kPiece = 32768;
    constexpr DWORD kPiecesPerWrite = 32;
    CWaitingProgress progress(static_cast<int>(count / kPiece) * 16);
    DWORD done = 0;
    int piece = 0;
    while (done < count) {
        const DWORD size = count - done < kPiece * kPiecesPerWrite ? count - done : kPiece * kPiecesPerWrite;
        if (!f.WriteAll(bytes + done, size)) return false;
        for (const DWORD end = done + size; done < end; done += kPiece < end - done ? kPiece : end - done)
            progress.Step(++piece * 16);
    }
    return true;
}

}  // namespace

bool WriteBmpHeader(HFILE file, const RastImageHeader* header, bool withPalette, LONG base) {
    if (file == HFILE_ERROR || !header || base < 0 || header->width <= 0 || header->height <= 0 ||
        header->rowBytes <= 0)
        return false;
    const int colours = WrittenColourCount(header->bitsPerPixel);
    const WORD offBits = static_cast<WORD>(54 + 4 * colours);

    BITMAPINFOHEADER info{};
    info.biSize = kInfoHeaderBytes;
    info.biWidth = header->width;
    info.biHeight = header->height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(header->bitsPerPixel);
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(header->rowBytes) * static_cast<DWORD>(header->height);
    info.biXPelsPerMeter = PelsPerMetre(header->xResolution);
    info.biYPelsPerMeter = PelsPerMetre(header->yResolution);
    info.biClrUsed = static_cast<DWORD>(colours);

    BYTE fileHeader[kFileHeaderBytes] = {};
    const DWORD fileSize = info.biSizeImage + offBits;
    const DWORD offBits32 = offBits;
    std::memcpy(fileHeader, &kBmpSignature, 2);
    std::memcpy(fileHeader + 2, &fileSize, 4);
    std::memcpy(fileHeader + 10, &offBits32, 4);

    const CWinFile f(file);
    if (!f.Seek(base)) return false;
    if (!f.WriteAll(fileHeader, sizeof fileHeader) || !f.WriteAll(&info, sizeof info)) return false;
    State().savedColourCount = colours;
    if (withPalette && !WriteBmpPalette(file, header->palette, base)) return false;
    return f.Seek(base + offBits);
}

// The table is written at offset 54. After a header was written, no more entries than that
// header's colour count are written and the file is left at the first pixel byte, so that a
// palette larger than the depth allows cannot overwrite the pixel area or shift it.
bool WriteBmpPalette(HFILE file, HPALETTE palette, LONG base) {
    if (file == HFILE_ERROR || base < 0) return false;
    if (!palette) return true;
    int count = static_cast<int>(GetPaletteEntries(palette, 0, 0, nullptr));
    const int limit = State().savedColourCount;
    if (limit >= 0 && count > limit) count = limit;
    const CWinFile f(file);
    if (count > 0) {
        std::vector<PALETTEENTRY> entries;
        std::vector<RGBQUAD> table;
        try {
            entries.resize(count);
            table.resize(count);
        } catch (const std::bad_alloc&) {
            return false;
        }
        count = static_cast<int>(GetPaletteEntries(palette, 0, count, entries.data()));
        for (int i = 0; i < count; ++i) table[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        if (!f.Seek(base + 54) || !f.WriteAll(table.data(), static_cast<DWORD>(count * sizeof(RGBQUAD)))) return false;
    }
    return limit < 0 || f.Seek(base + 54 + 4 * limit);
}

bool WriteBmpPixels(HFILE file, const RastImageData* data, long offset) {
    if (file == HFILE_ERROR || !data || offset < 0 || data->byteCount < offset) return false;
    const int64_t count = static_cast<int64_t>(data->byteCount) - offset;
    if (data->kind == RAST_DATA_FILE) {
        if (data->file == HFILE_ERROR || !CWinFile(data->file).Seek(offset)) return false;
        return CopyFileBytes(data->file, file, count, State().invert);
    }
    CDataArea area(*data);
    if (!area.Bytes()) return false;
    return WriteMemory(CWinFile(file), area.Bytes() + offset, static_cast<DWORD>(count));
}

bool WriteBytes(HFILE file, const void* bytes, DWORD count) {
    if (file == HFILE_ERROR || (!bytes && count > 0)) return false;
    return CWinFile(file).WriteAll(bytes, count);
}

}  // namespace rastbmp
