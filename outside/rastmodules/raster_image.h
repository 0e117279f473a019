// What the image file module stand-ins exchange with their format codecs: an image as the rast
// interface hands it over, rows bottom-up, each padded to four bytes, 1-bit with 0 = black.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include <vector>

namespace rastmodule {

struct RasterDescription {
    int width = 0;
    int height = 0;
    int bits = 0;  // 1, 4, 8 or 24
    int xDpi = 0;  // 0 when the file gives none
    int yDpi = 0;
    std::vector<RGBQUAD> palette;  // 2, 16 or 256 entries below 24 bits
};

inline int DibStride(int width, int bits) { return (int)(((long long)width * bits + 31) / 32 * 4); }

// The resolution handed over for a file's dots per inch: 0 when it names none, and for 96, which
// WIC reports for a file that names none.
inline int ReportedDpi(double dpi) { return dpi > 0 && (int)(dpi + 0.5) != 96 ? (int)(dpi + 0.5) : 0; }

// The progress of one pixel operation: the module's waiting callback, called with the current
// step (start 0, end total).
struct Progress {
    virtual void Step(int current) = 0;
    virtual ~Progress() = default;
};

// One file format. The readers get the whole file from the position the caller left it at.
struct FormatCodec {
    // Fills the description from the file's header, without decoding pixels; false for a file
    // the codec cannot read or that cannot hold the pixels it declares.
    bool (*ReadDescription)(const std::vector<uint8_t>& file, RasterDescription& description);
    // Fills `rows` (height x DibStride, bottom-up) for the description just read; false on damage.
    bool (*ReadRows)(const std::vector<uint8_t>& file, const RasterDescription& description, uint8_t* rows,
                     Progress& progress);
    // Encodes rows given bottom-up with `stride` bytes each; false when it cannot.
    bool (*Write)(const RasterDescription& description, const uint8_t* rows, int stride, int option,
                  std::vector<uint8_t>& file, Progress& progress);
    const char* tag;  // three letters for the capability record
};

// The codec of this module (each module defines it).
const FormatCodec& ModuleCodec();

// Standard palettes for images saved without one: black and white, the 16 standard colours,
// the grey ramp.
std::vector<RGBQUAD> DefaultPalette(int bits);

}  // namespace rastmodule
