// The reading half of the rast interface.
#include <rastimg.h>
#include "bmp_format.h"
#include "bmp_header_reader.h"
#include "bmp_pixel_reader.h"
#include "module_state.h"
#include "win_file.h"

using namespace rastbmp;
using rastcommon::Guarded;

extern "C" {

int WINAPI rastReadHeader(HFILE file, RastImageHeader* header, int wantPalette) {
    return Guarded(0, [&] { return ReadBmpHeader(file, header, wantPalette != 0, 0) ? 1 : 0; });
}

int WINAPI rastReadHeaderExt(HFILE file, RastImageHeader* header, int wantPalette, long offset, int) {
    return Guarded(0, [&] { return ReadBmpHeader(file, header, wantPalette != 0, offset) ? 1 : 0; });
}

HPALETTE WINAPI rastReadPalette(HFILE file) {
    return Guarded<HPALETTE>(nullptr, [&]() -> HPALETTE {
        RastImageHeader header{};
        return ReadBmpHeader(file, &header, true, 0) ? header.palette : nullptr;
    });
}

int WINAPI rastReadImg(HFILE file, RastImageData* data) {
    return Guarded(0, [&] { return ReadBmpPixels(file, data, 0) ? 1 : 0; });
}

int WINAPI rastReadDIBImg(HFILE file, RastImageData* data, long offset) {
    return Guarded(0, [&] { return ReadBmpPixels(file, data, offset) ? 1 : 0; });
}

int WINAPI rastReadDIBImgExt(HFILE file, RastImageData* data, long offset, int, int) {
    return Guarded(0, [&] { return ReadBmpPixels(file, data, offset) ? 1 : 0; });
}

int WINAPI rastDecodeImg(HFILE file, int, int, RastRowFunction rowFunction, long user, int) {
    return Guarded(0, [&] { return DecodeBmpRows(file, rowFunction, user) ? 1 : 0; });
}

int WINAPI rastIsCorrectHeader(const char* fileName) {
    if (!fileName) return 0;
    HANDLE handle = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    const CWinFile f(static_cast<HFILE>(reinterpret_cast<INT_PTR>(handle)));
    BYTE fileHeader[kFileHeaderBytes];
    BYTE info[kInfoHeaderBytes] = {};
    int result = 0;
    const DWORD headerRead = f.ReadSome(fileHeader, sizeof fileHeader);
    const bool hasFileHeader = headerRead == sizeof fileHeader && fileHeader[0] == 'B' && fileHeader[1] == 'M';
    if (headerRead == sizeof fileHeader && (hasFileHeader || f.Seek(0))) {
        const DWORD infoRead = f.ReadSome(info, sizeof info);
        const DWORD size = info[0] | (info[1] << 8) | (info[2] << 16) | (static_cast<DWORD>(info[3]) << 24);
        const DWORD compression = info[16] | (info[17] << 8) | (info[18] << 16) | (static_cast<DWORD>(info[19]) << 24);
        if (size == kCoreHeaderBytes && infoRead >= kCoreHeaderBytes) result = 1;
        if (size == kInfoHeaderBytes && infoRead == kInfoHeaderBytes && compression == BI_RGB) result = 1;
    }
    CloseHandle(handle);
    return result;
}

}  // extern "C"
