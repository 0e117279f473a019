// The recognised page's own images (RecogPage +884 to +928): what the engine read, kept with
// the page for the callers that correct it.
#pragma once
#include "ocr_words.h"
#include "recogpage.h"

// Keeps an 8-bit grey copy (0 black) of a page that was binarised whole, so that the page
// recognised from it next can carry its grey rows. `rowOf(y)` gives row y at `bitsPerPixel`.
template <typename RowOf>
void KeepGreyPage(RowOf rowOf, int width, int height, int bitsPerPixel);

// Gives the page its images: the black-and-white rows (a movable block kept locked, set bit =
// ink) described to bank "PageImage" (+884 the bank, +920 its id), and grey rows (+924, 8 bits,
// no palette): the kept grey page when it has the page's size, else the black-and-white rows as
// black and white. +916 gets the page's resolution. False when memory runs out (no images then).
bool AttachPageImages(RecogPage& page, const BinaryPage& image);

// Frees the images of AttachPageImages and empties the image fields.
void FreePageImages(RecogPage& page);

// Grey value (0 black .. 255 white) of pixel x of a row at the given depth.
int GreyAt(const uint8_t* row, int x, int bitsPerPixel);

// Internal: the grey copy KeepGreyPage keeps.
void KeepGreyRows(std::vector<uint8_t>&& rows, int width, int height);

template <typename RowOf>
void KeepGreyPage(RowOf rowOf, int width, int height, int bitsPerPixel) {
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rowOf(y);
        for (int x = 0; x < width; ++x)
            rows[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(GreyAt(row, x, bitsPerPixel));
    }
    KeepGreyRows(std::move(rows), width, height);
}
