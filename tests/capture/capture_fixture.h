// What the capture tests share: the program's state set up as start-up leaves it, a scratch
// folder named in the test program's settings file, and test images made from a pattern.
#pragma once
#include <gtest/gtest.h>
#include "capture.h"
#include "shell.h"
#include "pixel_access.h"
#include <functional>
#include <string>
#include <vector>

namespace capturetest {

enum class Colours { None, Colour, Grey, InvertedGrey };

// The scratch folder of this run, with a closing backslash.
const std::string& Scratch();
std::string ScratchPath(const std::string& name);

// A record with a zero-filled movable pixel block of the DIB stride and a pattern of pixel
// values that differs at every position; `colours` picks the palette (8 and 4 bits) it gets.
ImageRecord MakeImage(int width, int height, int bits, Colours colours = Colours::None);
// The same with every pixel the given value (1, 4, 8 bits: index; 24 bits: 0xRRGGBB).
ImageRecord MakeFlatImage(int width, int height, int bits, uint32_t value, Colours colours = Colours::None);
void FreeImage(ImageRecord& record);

// Pixel values top line first (24 bits as 0xRRGGBB), read from the record's block.
std::vector<uint32_t> PixelValues(const ImageRecord& record);
uint32_t PixelAt(const ImageRecord& record, int x, int y);
HPALETTE MakePalette(int entries, Colours colours);
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette);

// Whether a global handle is still allocated.
bool IsLiveBlock(HGLOBAL block);

// The texts of the message boxes the code under test showed while `action` ran (each is
// answered with OK).
std::vector<std::string> MessagesDuring(const std::function<void()>& action);

// Makes the record the program's current image (the caller's record is left empty).
void MakeCurrent(ImageRecord& record);
void ClearCurrentImage();

}  // namespace capturetest
