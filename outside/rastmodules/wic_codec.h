// TIFF and JPEG through the Windows Imaging Component (Wine's windowscodecs).
#pragma once
#include "raster_image.h"
#include <wincodec.h>

namespace rastmodule {

bool WicReadDescription(const std::vector<uint8_t>& file, RasterDescription& description);
bool WicReadRows(const std::vector<uint8_t>& file, const RasterDescription& description, uint8_t* rows,
                 Progress& progress);

// Encoder settings of one save: the container, and the frame options to set by name.
struct WicWriteSettings {
    GUID container;
    const wchar_t* optionName;  // null: none
    VARIANT optionValue;
};

bool WicWrite(const WicWriteSettings& settings, const RasterDescription& description, const uint8_t* rows, int stride,
              std::vector<uint8_t>& file, Progress& progress);

}  // namespace rastmodule
