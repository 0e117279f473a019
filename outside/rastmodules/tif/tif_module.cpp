// RastTIF32: TIFF files through WIC. Save option 4 writes CCITT Group 4 (black-and-white
// images), any other option LZW.
#include "tiff_layout.h"
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

// WIC is asked only about a file whose strips or tiles can hold the picture it declares; its
// decoder would make up the missing rows.
bool ReadTiffDescription(const std::vector<uint8_t>& file, RasterDescription& description) {
    return TiffHoldsItsPixels(file) && WicReadDescription(file, description);
}

const FormatCodec kTiff = {ReadTiffDescription, WicReadRows, WriteTiff, "TIF"};

}  // namespace

const FormatCodec& ModuleCodec() { return kTiff; }

}  // namespace rastmodule
