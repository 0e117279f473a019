// Times the program's card image work on a 300-dpi colour card and a 600-dpi colour letter page
// in each format: save, load, a quarter turn (with its thumbnail) and a thumbnail alone. Each
// figure is a ratio to a yardstick measured in the same run, a plain memcpy of the image's
// pixel bytes (the least any of these can do), and the page's peak memory is given against
// the size of its pixels.
#include "bench_folder.h"
#include "best_time.h"
#include "card_picture.h"
#include "host_note.h"
#include "peak_memory.h"
#include "capture.h"
#include "shell.h"
#include "resource.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

double CopyYardstick(const ImageRecord& image, int runs) {
    size_t bytes = (size_t)image.Info.RowStride * image.Info.Height;
    std::vector<uint8_t> target(bytes);
    const uint8_t* source = (const uint8_t*)GlobalLock(image.Pixels);
    double seconds = BestTime([&] { memcpy(target.data(), source, bytes); }, runs);
    GlobalUnlock(image.Pixels);
    return seconds;
}

void RunImage(const char* title, int width, int height, int runs, const std::string& folder) {
    ImageRecord image = MakeCardPicture(width, height);
    double copy = CopyYardstick(image, runs);
    printf("\n%s: %d x %d, 24 bits, %.1f MB of pixels; yardstick memcpy of the pixels %.2f ms\n", title, width, height,
           (double)image.Info.RowStride * height / 1048576.0, copy * 1000);
    printf("%-6s %12s %12s %12s %12s %10s\n", "format", "save", "load", "turn", "thumbnail", "file KB");
    const struct {
        const char* name;
        int type, option;
    } formats[] = {{"BMP", IMAGE_TYPE_BMP, 0},
                   {"TIFF", IMAGE_TYPE_TIFF, 0},
                   {"JPEG", IMAGE_TYPE_JPEG, 1},
                   {"PCX", IMAGE_TYPE_PCX, 0}};
    for (const auto& f : formats) {
        std::string path = folder + "\\bench." +
                           (f.type == 1   ? "tif"
                            : f.type == 2 ? "pcx"
                            : f.type == 3 ? "bmp"
                                          : "jpg");
        double save = BestTime([&] { SaveImageFile(path.c_str(), f.type, f.option, &image); }, runs);
        ImageRecord loaded;
        memset(&loaded, 0, sizeof loaded);
        double load = BestTime(
            [&] {
                if (loaded.Pixels) GlobalFree(loaded.Pixels);
                loaded.Pixels = LoadImageFile(NULL, path.c_str(), &loaded.Info, 0, 0);
            },
            runs);
        double turn = BestTime([&] { RotateImage2(&loaded); }, runs);
        double thumb = BestTime([&] { GlobalFree(MakeThumbnail(&loaded.Info, loaded.Pixels)); }, runs);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
        printf("%-6s %11.1fx %11.1fx %11.1fx %11.1fx %10lu\n", f.name, save / copy, load / copy, turn / copy,
               thumb / copy, data.nFileSizeLow / 1024);
        if (loaded.Pixels) GlobalFree(loaded.Pixels);
        if (loaded.Thumbnail) GlobalFree(loaded.Thumbnail);
        DeleteFileA(path.c_str());
    }
    GlobalFree(image.Pixels);
}

}  // namespace

int main() {
    PrintHostNote();
    App.Instance = GetModuleHandleA(NULL);
    std::string scratch = ProgramBenchFolder("capture_bench");
    printf("Card image work as a ratio to a plain memcpy of the same pixels (a yardstick, not equal work)\n");
    RunImage("300-dpi colour card (3.5 x 2 in)", 1050, 600, 5, scratch);
    double before = PeakMegabytes();
    RunImage("600-dpi colour letter page (8.5 x 11 in)", 5100, 6600, 2, scratch);
    double peak = PeakMegabytes();
    double pageMegabytes = (double)GetDibRowBytes(5100, 24) * 6600 / 1048576.0;
    printf("\nPeak private memory of the process during the page: %.1f MB (%.2f x the page's pixels; %.1f MB before)\n",
           peak, peak / pageMegabytes, before);
    RemoveDirectoryA(scratch.c_str());
    return 0;
}
