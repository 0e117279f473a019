#include "virtual_scanner.h"
#include "build_paths.h"
#include "file_bytes.h"
#include <algorithm>
#include <cstring>

TestPage PatternPage(int bits, int width, int height, bool palette) {
    TestPage page;
    page.Width = width;
    page.Height = height;
    page.Bits = bits;
    page.Palette = palette;
    const int row = page.BytesPerRow();
    page.Rows.resize(static_cast<size_t>(row) * height);
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < row; ++i)
            page.Rows[static_cast<size_t>(y) * row + i] = static_cast<uint8_t>(i * 7 + y * 13 + 1);
    for (int i = 0; i < 256; ++i) {
        BYTE grey = static_cast<BYTE>(i);
        page.Colours[i] =
            palette ? RGBQUAD{static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), static_cast<BYTE>(i / 2), 0}
                    : RGBQUAD{grey, grey, grey, 0};
    }
    if (bits == 1) {
        page.Colours[0] = {0, 0, 0, 0};
        page.Colours[1] = {255, 255, 255, 0};
    }
    return page;
}

bool WritePageBmp(const std::string& path, const TestPage& page) {
    const int row = page.BytesPerRow();
    const int stride = (page.Width * page.Bits + 31) / 32 * 4;
    const int colours = page.Bits == 24 ? 0 : 1 << page.Bits;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info + colours * sizeof(RGBQUAD);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * page.Height;
    info.biSize = sizeof info;
    info.biWidth = page.Width;
    info.biHeight = page.Height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(page.Bits);
    info.biCompression = BI_RGB;
    info.biXPelsPerMeter = info.biYPelsPerMeter = static_cast<LONG>(page.Dpi * 10000L / 254);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(reinterpret_cast<const char*>(page.Colours), colours * sizeof(RGBQUAD));
    std::vector<uint8_t> stored(stride, 0);
    for (int y = page.Height - 1; y >= 0; --y) {
        const uint8_t* in = page.Rows.data() + static_cast<size_t>(y) * row;
        std::copy(in, in + row, stored.begin());
        if (page.Bits == 24)  // BMP keeps blue first
            for (int x = 0; x < page.Width; ++x) std::swap(stored[3 * x], stored[3 * x + 2]);
        bytes.append(reinterpret_cast<const char*>(stored.data()), stride);
    }
    return WriteWholeFile(path, bytes);
}

static std::string SourcePath() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\twain_32\\sane.ds";
}

std::string VirtualScanner::StatePath() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\twain_32\\virtual_scanner.ini";
}

// Wine's own placeholder of that name is kept aside while the test's source is installed.
static std::string SetAsidePath() { return SourcePath() + ".wine"; }

// A source still loaded by this process (the manager keeps it until the process ends)
// cannot be replaced, nor does it need to be when it is ours already.
static bool InstallSource() {
    std::string ours = ProgramFolder() + "sane.ds", source = SourcePath();
    std::string bytes = ReadWholeFile(ours);
    if (bytes.empty()) return false;
    if (ReadWholeFile(source) == bytes) return true;
    if (!PathExists(SetAsidePath())) MoveFileA(source.c_str(), SetAsidePath().c_str());
    return CopyFileA(ours.c_str(), source.c_str(), FALSE) != 0;
}

VirtualScanner::VirtualScanner(const std::string& folder)
    : folder_(folder), feeder_(folder + "\\feeder.ini"), log_(folder + "\\triplets.log") {
    std::string source = SourcePath();
    CreateDirectoryA(source.substr(0, source.rfind('\\')).c_str(), nullptr);
    installed_ = InstallSource();
    DeleteFileA(StatePath().c_str());
    Set("Source", "Feeder", feeder_);
    Set("Source", "Log", log_);
    Feed({});
    ClearLog();
}

bool VirtualScanner::InstallCardScannerDrivers() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string w = windows;
    const std::pair<const char*, std::string> drivers[] = {{"A8100.DLL", w + "\\System\\A8100.DLL"},
                                                           {"SCANL.DLL", w + "\\twain_32\\ov_zem\\SCANL.DLL"},
                                                           {"SCANL30.DLL", w + "\\twain_32\\KD7N\\SCANL30.DLL"}};
    bool all = true;
    for (const auto& driver : drivers) {
        CreateDirectoryA(driver.second.substr(0, driver.second.rfind('\\')).c_str(), nullptr);
        bool copied = CopyFileA((ProgramFolder() + driver.first).c_str(), driver.second.c_str(), FALSE) != 0;
        if (copied) drivers_.push_back(driver.second);
        all = all && copied;
    }
    return all;
}

VirtualScanner::~VirtualScanner() {
    for (const std::string& driver : drivers_) DeleteFileA(driver.c_str());
    DeleteFileA(StatePath().c_str());
    if (DeleteFileA(SourcePath().c_str())) MoveFileA(SetAsidePath().c_str(), SourcePath().c_str());
}

void VirtualScanner::Set(const char* section, const char* key, const std::string& value) const {
    WritePrivateProfileStringA(section, key, value.c_str(), StatePath().c_str());
}

void VirtualScanner::Set(const char* section, const char* key, int value) const {
    Set(section, key, std::to_string(value));
}

int VirtualScanner::Get(const char* section, const char* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, StatePath().c_str()));
}

void VirtualScanner::Clear(const char* section, const char* key) const {
    WritePrivateProfileStringA(section, key, nullptr, StatePath().c_str());
}

void VirtualScanner::SetDevices(const std::vector<ScannerDevice>& devices) const {
    Set("Devices", "Count", static_cast<int>(devices.size()));
    for (size_t i = 0; i < devices.size(); ++i) {
        std::string section = "Device" + std::to_string(i);
        Set(section.c_str(), "Manufacturer", devices[i].Manufacturer);
        Set(section.c_str(), "ProductName", devices[i].ProductName);
    }
}

void VirtualScanner::Feed(const std::vector<FeederPage>& pages) const {
    std::string list = "[Feeder]\r\nCount=" + std::to_string(pages.size()) + "\r\nNext=0\r\n";
    for (size_t i = 0; i < pages.size(); ++i) {
        list += "Page" + std::to_string(i) + "=" + pages[i].File + "\r\n";
        if (pages[i].PixelType >= 0)
            list += "PixelType" + std::to_string(i) + "=" + std::to_string(pages[i].PixelType) + "\r\n";
        if (pages[i].Resolution >= 0)
            list += "Resolution" + std::to_string(i) + "=" + std::to_string(pages[i].Resolution) + "\r\n";
    }
    WriteWholeFile(feeder_, list);
}

int VirtualScanner::FeederNext() const {
    return static_cast<int>(GetPrivateProfileIntA("Feeder", "Next", -1, feeder_.c_str()));
}

std::vector<std::string> VirtualScanner::LogLines() const {
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(log_);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

void VirtualScanner::ClearLog() const { DeleteFileA(log_.c_str()); }

bool VirtualScanner::Logged(const std::string& text) const {
    std::vector<std::string> lines = LogLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
}
