#include "capture_fixture.h"
#include "dialog_watch.h"
#include "scratch_folder.h"
#include "resource.h"
#include <functional>

namespace capturetest {

namespace {
std::string g_scratch;
// Every message box of the run is answered, so that an unexpected one fails a test, never hangs it.
DialogWatch* g_watch = nullptr;

class CaptureEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        App.Instance = GetModuleHandleA(nullptr);
        LoadStringA(App.Instance, IDS_PRODUCT_TITLE, App.ProductTitle, sizeof App.ProductTitle);
        g_watch = new DialogWatch(IDOK);
        // Beside the test program, on a drive whose Linux path the independent tool can take.
        char folder[MAX_PATH];
        GetModuleFileNameA(nullptr, folder, sizeof folder);
        *strrchr(folder, '\\') = 0;
        g_scratch = std::string(folder) + "\\capture_scratch\\";
        RemoveFolderTree(g_scratch);
        CreateDirectoryA(g_scratch.c_str(), nullptr);
        CreateDirectoryA((g_scratch + "IMAGE").c_str(), nullptr);
        CreateDirectoryA((g_scratch + "thumb").c_str(), nullptr);
        WriteSettingText("Directory", "ImageDir", (g_scratch + "IMAGE").c_str());
        WriteSettingText("Directory", "ThumbDir", (g_scratch + "thumb").c_str());
        Create_Document(&App.Document, &App.Workspace);
        CreateImageDocuments();
        App.ImageZoom = 100;
    }
    void TearDown() override {
        RemoveFolderTree(g_scratch);
        delete g_watch;
        g_watch = nullptr;
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CaptureEnvironment);

uint32_t PatternValue(int x, int y, int bits) {
    uint32_t v = (uint32_t)(x * 7 + y * 13 + (x * y) % 5);
    switch (bits) {
    case 1: return (x + y * 3 + x / 3) % 2;
    case 4: return v & 0x0F;
    case 8: return v & 0xFF;
    default: return (v * 2654435761u) & 0xFFFFFF;
    }
}

ImageRecord NewImage(int width, int height, int bits, Colours colours) {
    ImageRecord record;
    memset(&record, 0, sizeof record);
    record.Info.Width = width;
    record.Info.Height = height;
    record.Info.BitsPerPixel = (uint8_t)bits;
    record.Info.Planes = 1;
    record.Info.Resolution = 300;
    record.Info.RowStride = GetDibRowBytes(width, bits);
    record.Pixels = GlobalAlloc(GHND, (SIZE_T)record.Info.RowStride * height);
    if (bits == 4 || bits == 8) record.Info.Palette = MakePalette(1 << bits, colours);
    if (bits == 1 && colours != Colours::None) record.Info.Palette = MakePalette(2, Colours::Grey);
    return record;
}

void Fill(ImageRecord& record, const std::function<uint32_t(int, int)>& value) {
    uint8_t* pixels = (uint8_t*)GlobalLock(record.Pixels);
    for (int y = 0; y < record.Info.Height; ++y)
        for (int x = 0; x < record.Info.Width; ++x)
            WriteRowPixel(pixels + (size_t)y * record.Info.RowStride, x, record.Info.BitsPerPixel, value(x, y));
    GlobalUnlock(record.Pixels);
}
}  // namespace

const std::string& Scratch() { return g_scratch; }
std::string ScratchPath(const std::string& name) { return g_scratch + name; }

HPALETTE MakePalette(int entries, Colours colours) {
    if (colours == Colours::None) return nullptr;
    struct {
        WORD version, count;
        PALETTEENTRY entries[256];
    } palette{0x300, (WORD)entries, {}};
    for (int i = 0; i < entries; ++i) {
        int grey = entries == 2 ? i * 255 : i * 255 / (entries - 1);
        PALETTEENTRY& e = palette.entries[i];
        if (colours == Colours::Grey) e.peRed = e.peGreen = e.peBlue = (BYTE)grey;
        else if (colours == Colours::InvertedGrey) e.peRed = e.peGreen = e.peBlue = (BYTE)(entries - 1 - i);
        else {
            e.peRed = (BYTE)(i * 37);
            e.peGreen = (BYTE)(255 - i * 11);
            e.peBlue = (BYTE)(i * 97);
        }
    }
    return CreatePalette((LOGPALETTE*)&palette);
}

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette) {
    std::vector<PALETTEENTRY> entries(256);
    int n = palette ? GetPaletteEntries(palette, 0, 256, entries.data()) : 0;
    entries.resize(n);
    return entries;
}

ImageRecord MakeImage(int width, int height, int bits, Colours colours) {
    ImageRecord record = NewImage(width, height, bits, colours);
    Fill(record, [bits](int x, int y) { return PatternValue(x, y, bits); });
    return record;
}

ImageRecord MakeFlatImage(int width, int height, int bits, uint32_t value, Colours colours) {
    ImageRecord record = NewImage(width, height, bits, colours);
    Fill(record, [value](int, int) { return value; });
    return record;
}

void FreeImage(ImageRecord& record) {
    if (record.Pixels) GlobalFree(record.Pixels);
    if (record.Thumbnail) GlobalFree(record.Thumbnail);
    if (record.Info.Palette) DeleteObject(record.Info.Palette);
    record.Pixels = record.Thumbnail = nullptr;
    record.Info.Palette = nullptr;
}

uint32_t PixelAt(const ImageRecord& record, int x, int y) {
    const uint8_t* pixels = (const uint8_t*)GlobalLock(record.Pixels);
    uint32_t value = ReadRowPixel(pixels + (size_t)y * record.Info.RowStride, x, record.Info.BitsPerPixel);
    GlobalUnlock(record.Pixels);
    return value;
}

std::vector<uint32_t> PixelValues(const ImageRecord& record) {
    std::vector<uint32_t> values;
    for (int y = 0; y < record.Info.Height; ++y)
        for (int x = 0; x < record.Info.Width; ++x) values.push_back(PixelAt(record, x, y));
    return values;
}

bool IsLiveBlock(HGLOBAL block) { return block && GlobalFlags(block) != GMEM_INVALID_HANDLE && GlobalSize(block) > 0; }

std::vector<std::string> MessagesDuring(const std::function<void()>& action) {
    size_t before = g_watch->Texts().size();
    action();
    Sleep(100);
    std::vector<std::string> texts = g_watch->Texts();
    return std::vector<std::string>(texts.begin() + before, texts.end());
}

void MakeCurrent(ImageRecord& record) {
    ClearCurrentImage();
    App.CurrentImage = record;
    memset(&record, 0, sizeof record);
}

void ClearCurrentImage() {
    CloseAllImageDocuments();
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    ReleaseCurrentImageBlock(&App.CurrentImage.Thumbnail);
    ReleaseCurrentPalette();
    memset(&App.CurrentImage, 0, sizeof App.CurrentImage);
}

}  // namespace capturetest
