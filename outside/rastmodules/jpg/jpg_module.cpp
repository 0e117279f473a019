// RastJPG32: JPEG files through WIC, 24-bit colour and 8-bit grey. Save option 1 writes the
// best quality, any other option the standard quality.
#include "jpeg_header.h"
#include "wic_codec.h"

namespace rastmodule {

namespace {

bool WriteJpeg(const RasterDescription& description, const uint8_t* rows, int stride, int option,
               std::vector<uint8_t>& file, Progress& progress) {
    if (description.bits != 24 && description.bits != 8) return false;
    // An 8-bit image is written as the grey levels its bytes are; the caller sees to that.
    RasterDescription grey = description;
    if (grey.bits == 8) grey.palette = DefaultPalette(8);
    WicWriteSettings settings{GUID_ContainerFormatJpeg, L"ImageQuality", {}};
    settings.optionValue.vt = VT_R4;
    settings.optionValue.fltVal = option == 1 ? 0.95f : 0.75f;
    return WicWrite(settings, grey, rows, stride, file, progress);
}

// The header comes from the markers: WIC's JPEG decoder decodes the whole picture as soon as it
// is asked for the frame, whatever size the file declares.
const FormatCodec kJpeg = {JpegReadDescription, WicReadRows, WriteJpeg, "JPG"};

}  // namespace

const FormatCodec& ModuleCodec() { return kJpeg; }

}  // namespace rastmodule
