// Helpers of the image tests: building packed DIBs, binding the two libraries by export
// name, files on the test's own folder, and the independent tool's PPM dumps.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <pixwell.h>
#include <rastimg.h>
#include "dll_module.h"
#include "file_bytes.h"
#include "linux_programs.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace imagingtest {

// ---- packed DIBs ----

int RowBytes(int bits, int width);
int TableEntries(int bits);

// A movable packed DIB with a 40-byte header; `pixel(x, y)` gives each pixel's value (an index
// for 1, 4 and 8 bits, 0xRRGGBB for 24 bits); rows are filled in stored order.
HGLOBAL MakeDib(int bits, int width, int height, const std::vector<RGBQUAD>& table,
                const std::function<uint32_t(int, int)>& pixel);
std::vector<RGBQUAD> GreyRamp(bool descending = false);

// A locked, read-only view of a packed DIB for checking results.
class DibView {
public:
    explicit DibView(HGLOBAL dib);
    ~DibView();
    DibView(const DibView&) = delete;
    DibView& operator=(const DibView&) = delete;
    const BITMAPINFOHEADER& Header() const { return *header_; }
    const RGBQUAD* Table() const;
    const BYTE* Row(int row) const;
    uint32_t Pixel(int x, int row) const;  // as MakeDib's pixel function gives it

private:
    HGLOBAL dib_;
    const BITMAPINFOHEADER* header_;
};

// True when the block is still allocated and not left locked.
bool IsReturnedUnlocked(HGLOBAL dib);

// ---- the libraries, bound by export name ----

struct Pixwell {
    DllModule module{"Pixwell.dll"};
    HGLOBAL(__cdecl* copyDib)(HGLOBAL, const RECT*) = module.require<decltype(copyDib)>("CopyDIB");
    HGLOBAL(__cdecl* scaleImage)(HGLOBAL, double, double) = module.require<decltype(scaleImage)>("ScaleImage");
    HGLOBAL(__cdecl* color2Gray)(HGLOBAL) = module.require<decltype(color2Gray)>("Color2Gray");
    HGLOBAL(__cdecl* bw2Gray)(HGLOBAL) = module.require<decltype(bw2Gray)>("BW2Gray");
    int(__cdecl* getBorder)(HGLOBAL, RECT*, int) = module.require<decltype(getBorder)>("GetBorder4GrayImage_CPP");
};

struct Rast {
    DllModule module{"RastBMP32.dll"};
    rastReadHeader_t readHeader = module.require<rastReadHeader_t>("rastReadHeader");
    rastReadHeaderExt_t readHeaderExt = module.require<rastReadHeaderExt_t>("rastReadHeaderExt");
    rastReadPalette_t readPalette = module.require<rastReadPalette_t>("rastReadPalette");
    rastReadImg_t readImg = module.require<rastReadImg_t>("rastReadImg");
    rastReadDIBImg_t readDibImg = module.require<rastReadDIBImg_t>("rastReadDIBImg");
    rastReadDIBImgExt_t readDibImgExt = module.require<rastReadDIBImgExt_t>("rastReadDIBImgExt");
    rastDecodeImg_t decodeImg = module.require<rastDecodeImg_t>("rastDecodeImg");
    rastIsCorrectHeader_t isCorrectHeader = module.require<rastIsCorrectHeader_t>("rastIsCorrectHeader");
    rastSaveHeader_t saveHeader = module.require<rastSaveHeader_t>("rastSaveHeader");
    rastSaveHeaderExt_t saveHeaderExt = module.require<rastSaveHeaderExt_t>("rastSaveHeaderExt");
    rastSavePalette_t savePalette = module.require<rastSavePalette_t>("rastSavePalette");
    rastSavePaletteExt_t savePaletteExt = module.require<rastSavePaletteExt_t>("_rastSavePaletteExt@12");
    rastSaveImg_t saveImg = module.require<rastSaveImg_t>("rastSaveImg");
    rastSaveDIBImg_t saveDibImg = module.require<rastSaveDIBImg_t>("rastSaveDIBImg");
    rastSaveDIBImgExt_t saveDibImgExt = module.require<rastSaveDIBImgExt_t>("rastSaveDIBImgExt");
    rastSaveData_t saveData = module.require<rastSaveData_t>("rastSaveData");
    rastEncodeImg_t encodeImg = module.require<rastEncodeImg_t>("rastEncodeImg");
    rastEncodeImgExt_t encodeImgExt = module.require<rastEncodeImgExt_t>("_rastEncodeImgExt@28");
    rastSetWaitingCallback_t setWaitingCallback = module.require<rastSetWaitingCallback_t>("rastSetWaitingCallback");
    rastGetError_t getError = module.require<rastGetError_t>("_rastGetError@0");
    rastGetErrorCode_t getErrorCode = module.require<rastGetErrorCode_t>("rastGetErrorCode");
    rastSetSubformat_t setSubformat = module.require<rastSetSubformat_t>("rastSetSubformat");
    rastGetSubformat_t getSubformat = module.require<rastGetSubformat_t>("rastGetSubformat");
    rastGetCap_t getCap = module.require<rastGetCap_t>("rastGetCap");
    rastSetOption_t setReadOption = module.require<rastSetOption_t>("rastSetReadOption");
    rastSetOption_t setSaveOption = module.require<rastSetOption_t>("rastSetSaveOption");
    rastNeedOption_t needReadOption = module.require<rastNeedOption_t>("rastNeedReadOption");
    rastNeedOption_t needSaveOption = module.require<rastNeedOption_t>("rastNeedSaveOption");
};

// ---- files ----

std::string FixturePath(const std::string& name);
// Writes the whole file; a test failure when it cannot be written.
void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes);
// A path in the test's working folder, unique per name.
std::string WorkPath(const std::string& name);

// An open file handle as the rast interface takes it, closed at scope end.
class OpenedFile {
public:
    OpenedFile(const std::string& path, bool write);
    ~OpenedFile();
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    HFILE get() const { return file_; }

private:
    HFILE file_;
};

// ---- images as RGB ----

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, top line first
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Records a failure for each differing pixel (the first few in detail); `expected` is the
// independent tool's side.
void ExpectSameImage(const RgbImage& ours, const RgbImage& expected);

// A binary PPM (P6, maxval 255) as written by the independent tool.
RgbImage ReadPpm(const std::string& path);

// Rows delivered by rastReadDIBImg (bottom line first, rows of `bits`, 16/32 given as 24)
// turned into RGB through the palette of the header read.
RgbImage RowsToRgb(const std::vector<BYTE>& rows, int width, int height, int bits, HPALETTE palette);

// Reads a BMP through the module as the main program does: header with palette, then the
// rows into a global block. False (with the module's result recorded) when either fails.
bool ReadThroughModule(const Rast& rast, const std::string& path, RastImageHeader& header, std::vector<BYTE>& rows);

// The bytes the rows of a header just read take, stored order.
size_t StoredSize(const RastImageHeader& header);
// A memory source or target of the rast interface over the whole of `bytes`.
RastImageData MemoryData(std::vector<BYTE>& bytes);

}  // namespace imagingtest
