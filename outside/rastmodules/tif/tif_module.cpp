// RastTIF32: TIFF files through WIC. Save option 4 writes CCITT Group 4 (black-and-white
// images), any other option LZW.
#include "wic_codec.h"

namespace rastmodule {

namespace {

bool WriteTiff(const RasterDescription& description, const uint8_t* rows, int stride, int option,
               std::vector<uint8_t>& file, Progress& progress) {
    WicWriteSettings settings{GUID_ContainerFormatTiff, L"TiffCompressionMethod", {}};
    settings.optionValue.vt = VT_UI1;
    settings.optionValue.bVal =
        (BYTE)(option == 4 && description.bits == 1 ? WICTiffCompressionCCITT4 : WICTiffCompressionLZW);
    return WicWrite(settings, description, rows, stride, file, progress);
}

const FormatCodec kTiff = {WicReadDescription, WicReadRows, WriteTiff, "TIF"};

}  // namespace

const FormatCodec& ModuleCodec() { return kTiff; }

}  // namespace rastmodule
