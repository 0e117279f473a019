// Pixwell: conversions of packed DIBs (a movable global block holding a 40-byte
// BITMAPINFOHEADER, its colour table and the pixel rows padded to 4 bytes). Rows stay in their
// stored order: row 0 is the first row in the block.
//
// Ownership: the caller's block stays the caller's; no export frees it or leaves it locked,
// whatever the result. Every block returned is a new movable, zero-filled global block that the
// caller frees with GlobalFree. Blocks whose header or size does not describe a sound image
// (a size smaller than the header promises, zero or negative dimensions, overflowing sizes)
// give the failure result.
//
// One side effect on the caller's block: an 8-bit block whose colour table is a descending
// grey ramp (entry i = 255 - i) is turned into an ascending ramp with complemented pixel
// bytes on entry of every export; the picture it shows stays the same.
#pragma once
#include <windows.h>

#if defined(PIXWELL_BUILD)
#define PIXWELL_API
#else
#define PIXWELL_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Cuts `rect` (right and bottom exclusive, rows in stored order) out of a 1-, 4-, 8- or 24-bit
// image into a new block of the same depth and colour table. Bytes are copied whole: for 1-bit
// images the bits left of `left` in the first byte and right of `right` in the last are cleared.
// A rectangle reaching outside the image is clipped to it.
// Result: the new block; null for a null handle, an empty rectangle (also after clipping),
// an unsupported depth, or no memory.
PIXWELL_API HGLOBAL __cdecl CopyDIB(HGLOBAL dib, const RECT* rect);

// Resizes a 1-, 8- or 24-bit image to trunc(x * width) by trunc(y * height) (factors taken in
// single precision). Enlarging in both directions interpolates and smooths along edges;
// otherwise 1- and 8-bit images take the nearest pixel and 24-bit images the area average.
// A 1-bit result has its width rounded up to a multiple of 32 pixels.
// Result: the new block; null for a null handle, a factor not above 0, a new size of 0,
// a depth other than 1, 8 or 24, or no memory.
PIXWELL_API HGLOBAL __cdecl ScaleImage(HGLOBAL dib, double x, double y);

// A 24-bit image as an 8-bit grey image (ascending ramp, grey = (30 R + 59 G + 11 B) / 100).
// Result: the new block; null for a null handle, another depth, or no memory.
PIXWELL_API HGLOBAL __cdecl Color2Gray(HGLOBAL dib);

// A 1-bit image as an 8-bit grey image: a set bit is 255, a clear bit 0, whatever the colour
// table says. Result: the new block; null for a null handle, another depth, or no memory.
PIXWELL_API HGLOBAL __cdecl BW2Gray(HGLOBAL dib);

// Finds the card inside a scanned 8-bit grey image (ascending grey ramp) by cutting the dark
// band along each side. method 0: narrow dark rim; any other value: card well inside a dark
// field, with a plausibility correction against the size of a business card.
// `out` gets left, top, right, bottom in stored row numbers (method 0: right is the last
// column kept, bottom the first row not kept).
// Result: 1 found; 0 when the image is not 8-bit grey, is malformed, or memory runs out
// (`out` is left unchanged).
PIXWELL_API int __cdecl GetBorder4GrayImage_CPP(HGLOBAL dib, RECT* out, int method);

#ifdef __cplusplus
}
#endif
