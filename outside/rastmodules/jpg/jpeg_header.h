// A JPEG file's description read from its markers alone.
#pragma once
#include "raster_image.h"

namespace rastmodule {

// Fills the description (8-bit grey for one component, 24-bit colour otherwise, the JFIF
// resolution) from the markers up to the first scan; false for a file whose markers do not
// parse, that has no frame or scan, or whose Huffman-coded data is too short to give every
// block of the frame at least the one bit each block takes.
bool JpegReadDescription(const std::vector<uint8_t>& file, RasterDescription& description);

}  // namespace rastmodule
