// The writing half of the rast interface.
#include <rastimg.h>
#include "bmp_writer.h"
#include "rast_common.h"

using namespace rastbmp;
using rastcommon::Guarded;

extern "C" {

int WINAPI rastSaveHeader(HFILE file, const RastImageHeader* header, int withPalette, int) {
    return Guarded(0, [&] { return WriteBmpHeader(file, header, withPalette != 0, 0) ? 1 : 0; });
}

int WINAPI rastSaveHeaderExt(HFILE file, const RastImageHeader* header, int withPalette, int, long offset, int) {
    return Guarded(0, [&] { return WriteBmpHeader(file, header, withPalette != 0, offset) ? 1 : 0; });
}

int WINAPI rastSavePalette(HFILE file, HPALETTE palette) {
    return Guarded(0, [&] { return WriteBmpPalette(file, palette, 0) ? 1 : 0; });
}

int WINAPI rastSavePaletteExt(HFILE file, HPALETTE palette, long offset) {
    return Guarded(0, [&] { return WriteBmpPalette(file, palette, offset) ? 1 : 0; });
}

int WINAPI rastSaveImg(HFILE file, const RastImageData* data) {
    return Guarded(0, [&] { return WriteBmpPixels(file, data, 0) ? 1 : 0; });
}

int WINAPI rastSaveDIBImg(HFILE file, const RastImageData* data, long offset) {
    return Guarded(0, [&] { return WriteBmpPixels(file, data, offset) ? 1 : 0; });
}

int WINAPI rastSaveDIBImgExt(HFILE file, const RastImageData* data, long offset, int, int) {
    return Guarded(0, [&] { return WriteBmpPixels(file, data, offset) ? 1 : 0; });
}

int WINAPI rastSaveData(HFILE file, const void* bytes, WORD a, WORD b) {
    return Guarded(0, [&] { return WriteBytes(file, bytes, static_cast<DWORD>(a) * b) ? 1 : 0; });
}

int WINAPI rastEncodeImg(int, int, int, int, int) { return 1; }

int WINAPI rastEncodeImgExt(int, int, int, int, int, int, int) { return 1; }

}  // extern "C"
