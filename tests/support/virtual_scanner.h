// The virtual scanner set up for a test: its data source copied to where Wine's TWAIN
// manager loads sources from (<Windows folder>\twain_32\sane.ds), its state file written
// fresh, and a feeder list, page images and a triplet log in a folder of the test's own.
// The destructor takes the source and the state file out of the Windows folder again.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// A page image with known pixels: rows top-down, without padding, as the scanner delivers
// them in the page's own layout (1 bit with 0 = black, 8-bit grey or palette indexes, 24-bit
// red, green, blue).
struct TestPage {
    int Width = 0;
    int Height = 0;
    int Bits = 8;
    bool Palette = false;  // 8 bits: palette indexes into Colours, else grey
    int Dpi = 300;
    std::vector<uint8_t> Rows;
    RGBQUAD Colours[256] = {};
    int BytesPerRow() const { return (Width * Bits + 7) / 8; }
};

// A page of that layout whose every byte follows a pattern that tells rows and columns apart.
TestPage PatternPage(int bits, int width, int height, bool palette = false);
// Writes the page as an uncompressed bottom-up BMP file (24-bit pages stored blue first).
bool WritePageBmp(const std::string& path, const TestPage& page);

struct ScannerDevice {
    std::string Manufacturer;
    std::string ProductName;
};

// A feeder page: an image file, and optionally the pixel type it comes in and the resolution
// announced for it (-1: the negotiated type, the file's own resolution).
struct FeederPage {
    std::string File;
    int PixelType = -1;
    int Resolution = -1;
};

class VirtualScanner {
public:
    // `folder` holds the feeder list and the triplet log (no closing backslash).
    explicit VirtualScanner(const std::string& folder);
    ~VirtualScanner();
    VirtualScanner(const VirtualScanner&) = delete;
    VirtualScanner& operator=(const VirtualScanner&) = delete;

    bool Installed() const { return installed_; }
    // Copies A8100.DLL, SCANL.DLL and SCANL30.DLL to where the program looks for them
    // (removed again by the destructor); true when all three are there.
    bool InstallCardScannerDrivers();
    static std::string StatePath();
    void Set(const char* section, const char* key, const std::string& value) const;
    void Set(const char* section, const char* key, int value) const;
    int Get(const char* section, const char* key, int fallback) const;
    void Clear(const char* section, const char* key) const;
    void SetDevices(const std::vector<ScannerDevice>& devices) const;
    // Replaces the feeder list with these pages; the next scan starts at the first.
    void Feed(const std::vector<FeederPage>& pages) const;
    int FeederNext() const;
    // The triplet log since the last ClearLog, a line each.
    std::vector<std::string> LogLines() const;
    void ClearLog() const;
    // True when some log line holds the text.
    bool Logged(const std::string& text) const;

private:
    std::string folder_;
    std::string feeder_;
    std::string log_;
    bool installed_ = false;
    std::vector<std::string> drivers_;
};
