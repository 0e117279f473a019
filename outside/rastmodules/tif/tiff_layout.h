// What a TIFF file's first directory says about where its pixels are, checked without decoding.
#pragma once
#include <stdint.h>
#include <vector>

namespace rastmodule {

// True when the file is a classic TIFF whose first directory names every strip or tile the
// image needs, each lying inside the file and long enough for what its compression can turn
// into the pixels it stands for; false for anything else, so that a file too short for the
// picture it declares is refused before anyone allocates for that picture.
bool TiffHoldsItsPixels(const std::vector<uint8_t>& file);

}  // namespace rastmodule
