// Times the image exports on a 300-dpi colour A4 page and a 300-dpi card, each as a ratio to
// a reference measured in the same run: a plain memcpy of the page's 24-bit pixels for the
// conversions, plain ReadFile/WriteFile of the same bytes for the BMP module. Scaling writes a
// result of another size than the memcpy moves: those rows say the memcpy is a yardstick.
#include "best_time.h"
#include "host_note.h"
#include <windows.h>
#include <pixwell.h>
#include <rastimg.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

double Time(const std::function<void()>& work, int runs = 9) { return BestTime(work, runs); }

int RowBytes(int bits, int width) { return (bits * width + 31) / 32 * 4; }

HGLOBAL MakePage(int bits, int width, int height) {
    const int entries = bits == 1 ? 2 : bits == 8 ? 256 : 0;
    const size_t pixels = static_cast<size_t>(RowBytes(bits, width)) * height;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + entries * 4 + pixels);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    header->biSize = 40;
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bits);
    auto* table = reinterpret_cast<RGBQUAD*>(header + 1);
    for (int i = 0; i < entries; ++i) {
        const BYTE v = static_cast<BYTE>(entries == 2 ? i * 255 : i);
        table[i] = RGBQUAD{v, v, v, 0};
    }
    BYTE* rows = reinterpret_cast<BYTE*>(table + entries);
    uint32_t seed = 7;
    // A dark rim around a light card with some texture, so the border search has work to do.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < RowBytes(bits, width); ++x) {
            const bool rim = y < height / 20 || y > height - height / 20 || x < RowBytes(bits, width) / 25;
            seed = seed * 1103515245 + 12345;
            rows[static_cast<size_t>(y) * RowBytes(bits, width) + x] =
                static_cast<BYTE>(rim ? (seed >> 27) : 180 + (seed >> 26));
        }
    GlobalUnlock(dib);
    return dib;
}

template <typename Fn>
Fn Bind(HMODULE module, const char* name) {
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!fn) std::printf("missing export %s\n", name);
    return fn;
}

void FreeIf(HGLOBAL h) {
    if (h) GlobalFree(h);
}

void BenchPage(const char* label, int width, int height, HMODULE pixwell, HMODULE rast) {
    auto color2Gray = Bind<HGLOBAL(__cdecl*)(HGLOBAL)>(pixwell, "Color2Gray");
    auto bw2Gray = Bind<HGLOBAL(__cdecl*)(HGLOBAL)>(pixwell, "BW2Gray");
    auto scaleImage = Bind<HGLOBAL(__cdecl*)(HGLOBAL, double, double)>(pixwell, "ScaleImage");
    auto getBorder = Bind<int(__cdecl*)(HGLOBAL, RECT*, int)>(pixwell, "GetBorder4GrayImage_CPP");
    auto saveHeader = Bind<rastSaveHeader_t>(rast, "rastSaveHeader");
    auto saveImg = Bind<rastSaveImg_t>(rast, "rastSaveImg");
    auto readHeader = Bind<rastReadHeader_t>(rast, "rastReadHeader");
    auto readDibImg = Bind<rastReadDIBImg_t>(rast, "rastReadDIBImg");
    if (!color2Gray || !bw2Gray || !scaleImage || !getBorder || !saveHeader || !saveImg || !readHeader || !readDibImg)
        return;

    HGLOBAL colour = MakePage(24, width, height);
    HGLOBAL bw = MakePage(1, width, height);
    HGLOBAL grey = color2Gray(colour);
    const size_t pixelBytes = static_cast<size_t>(RowBytes(24, width)) * height;
    std::vector<BYTE> copy(pixelBytes);
    const BYTE* source = static_cast<const BYTE*>(GlobalLock(colour)) + 40;
    const double memcpyTime = Time([&] { std::memcpy(copy.data(), source, pixelBytes); }, 25);
    GlobalUnlock(colour);

    std::printf("%s (%d x %d, 24-bit pixels %.1f MB): memcpy %.2f ms\n", label, width, height, pixelBytes / 1e6,
                memcpyTime * 1e3);
    auto report = [&](const char* what, double t, double reference, const char* against) {
        std::printf("  %-28s %9.2f ms  %6.2f x %s\n", what, t * 1e3, t / reference, against);
    };
    // What any conversion pays before its first pixel: a new grey-sized block, first touched.
    const size_t greyBlockBytes = 40 + 1024 + static_cast<size_t>(RowBytes(8, width)) * height;
    report("(new grey block, filled)", Time([&] {
               HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, greyBlockBytes);
               std::memset(GlobalLock(block), 1, greyBlockBytes);
               GlobalUnlock(block);
               GlobalFree(block);
           }),
           memcpyTime, "memcpy");
    report("Color2Gray", Time([&] { FreeIf(color2Gray(colour)); }), memcpyTime, "memcpy");
    report("BW2Gray", Time([&] { FreeIf(bw2Gray(bw)); }), memcpyTime, "memcpy");
    report("ScaleImage 0.5 (24-bit)", Time([&] { FreeIf(scaleImage(colour, 0.5, 0.5)); }, 3), memcpyTime,
           "memcpy (yardstick)");
    report("ScaleImage 2.0 (24-bit)", Time([&] { FreeIf(scaleImage(colour, 2.0, 2.0)); }, 2), memcpyTime,
           "memcpy (yardstick)");
    report("ScaleImage 0.5 (8-bit)", Time([&] { FreeIf(scaleImage(grey, 0.5, 0.5)); }, 3), memcpyTime,
           "memcpy (yardstick)");
    report("ScaleImage 2.0 (8-bit)", Time([&] { FreeIf(scaleImage(grey, 2.0, 2.0)); }, 2), memcpyTime,
           "memcpy (yardstick)");
    RECT out;
    report("GetBorder4GrayImage_CPP m0", Time([&] { getBorder(grey, &out, 0); }), memcpyTime, "memcpy");
    report("GetBorder4GrayImage_CPP m1", Time([&] { getBorder(grey, &out, 1); }), memcpyTime, "memcpy");

    // BMP write and read against plain file calls moving the same bytes.
    const char* bmpPath = "imaging_bench.bmp";
    const char* rawPath = "imaging_bench.raw";
    HGLOBAL rows = GlobalAlloc(GMEM_MOVEABLE, pixelBytes);
    std::memcpy(GlobalLock(rows), copy.data(), pixelBytes);
    GlobalUnlock(rows);
    auto open = [](const char* path, bool write) {
        return write ? CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)
                     : CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    auto asFile = [](HANDLE h) { return static_cast<HFILE>(reinterpret_cast<INT_PTR>(h)); };
    // The same bytes a BMP file of the page holds: a 54-byte header, then the rows.
    std::vector<BYTE> fileBytes(54 + pixelBytes);
    std::memcpy(fileBytes.data() + 54, copy.data(), pixelBytes);
    const double plainWrite = Time([&] {
        HANDLE h = open(rawPath, true);
        DWORD done;
        WriteFile(h, fileBytes.data(), static_cast<DWORD>(fileBytes.size()), &done, nullptr);
        CloseHandle(h);
    });
    const double bmpWrite = Time([&] {
        HANDLE h = open(bmpPath, true);
        RastImageHeader header{};
        header.width = static_cast<short>(width);
        header.height = static_cast<short>(height);
        header.bitsPerPixel = 24;
        header.rowBytes = static_cast<short>(RowBytes(24, width));
        header.xResolution = header.yResolution = 300;
        RastImageData data{static_cast<long>(pixelBytes), RAST_DATA_GLOBAL, rows, HFILE_ERROR, nullptr};
        saveHeader(asFile(h), &header, 0, 0);
        saveImg(asFile(h), &data);
        CloseHandle(h);
    });
    const double plainRead = Time([&] {
        HANDLE h = open(rawPath, false);
        DWORD done;
        ReadFile(h, copy.data(), static_cast<DWORD>(pixelBytes), &done, nullptr);
        CloseHandle(h);
    });
    const double bmpRead = Time([&] {
        HANDLE h = open(bmpPath, false);
        RastImageHeader header{};
        readHeader(asFile(h), &header, 1);
        RastImageData data{static_cast<long>(pixelBytes), RAST_DATA_GLOBAL, rows, HFILE_ERROR, nullptr};
        readDibImg(asFile(h), &data, 0);
        CloseHandle(h);
    });
    report("BMP write (rastSave*)", bmpWrite, plainWrite, "plain WriteFile");
    report("BMP read (rastRead*)", bmpRead, plainRead, "plain ReadFile");
    DeleteFileA(bmpPath);
    DeleteFileA(rawPath);
    GlobalFree(rows);
    GlobalFree(grey);
    GlobalFree(bw);
    GlobalFree(colour);
}

}  // namespace

int main() {
    PrintHostNote();
    HMODULE pixwell = LoadLibraryA("Pixwell.dll");
    HMODULE rast = LoadLibraryA("RastBMP32.dll");
    if (!pixwell || !rast) {
        std::printf("Pixwell.dll or RastBMP32.dll not found beside the benchmark\n");
        return 1;
    }
    BenchPage("A4 page at 300 dpi", 2480, 3508, pixwell, rast);
    BenchPage("card at 300 dpi", 1050, 600, pixwell, rast);
    FreeLibrary(rast);
    FreeLibrary(pixwell);
    return 0;
}
