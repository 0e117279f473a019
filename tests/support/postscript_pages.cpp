#include "postscript_pages.h"
#include "file_bytes.h"
#include "linux_programs.h"
#include <windows.h>
#include <stdio.h>

namespace {

// Removes what an earlier reading left, so that no stale page is counted.
void ClearReadings(const std::string& scratch, const char* prefix, const char* extension) {
    for (int page = 1;; ++page) {
        char name[64];
        snprintf(name, sizeof name, "\\%s-%d.%s", prefix, page, extension);
        if (!DeleteFileA((scratch + name).c_str())) break;
    }
}

// Runs Ghostscript's device over the file, one output file per page; their paths.
std::vector<std::string> RunGhostscript(const std::string& postScript, const std::string& scratch,
                                        const std::string& device, const std::string& options, const char* prefix,
                                        const char* extension) {
    std::vector<std::string> pages;
    if (!IsFile(postScript)) return pages;
    ClearReadings(scratch, prefix, extension);
    std::string out = UnixPath(scratch + "\\" + prefix + "-%d." + extension);
    std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=" + device + " " + options + " -sOutputFile='" +
                          out + "' '" + UnixPath(postScript) + "' >/dev/null 2>&1";
    if (RunShellCommand(command) != 0) return pages;
    for (int page = 1;; ++page) {
        std::string name = scratch + "\\" + prefix + "-" + std::to_string(page) + "." + extension;
        if (!IsFile(name)) break;
        pages.push_back(name);
    }
    return pages;
}

GreyPage ReadGreyBitmap(const std::vector<uint8_t>& bytes) {
    GreyPage page;
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return page;
    const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    if (info->biBitCount != 8) return page;
    const auto* palette = reinterpret_cast<const RGBQUAD*>(bytes.data() + sizeof(BITMAPFILEHEADER) + info->biSize);
    page.Width = info->biWidth;
    page.Height = info->biHeight < 0 ? -info->biHeight : info->biHeight;
    size_t stride = ((size_t)page.Width + 3) / 4 * 4;
    if (file->bfOffBits + stride * page.Height > bytes.size()) return GreyPage();
    page.Pixels.resize((size_t)page.Width * page.Height);
    for (int y = 0; y < page.Height; ++y) {
        int row = info->biHeight < 0 ? y : page.Height - 1 - y;
        const uint8_t* source = bytes.data() + file->bfOffBits + stride * row;
        for (int x = 0; x < page.Width; ++x) page.Pixels[(size_t)y * page.Width + x] = palette[source[x]].rgbGreen;
    }
    return page;
}

}  // namespace

std::vector<std::string> PostScriptPageTexts(const std::string& postScript, const std::string& scratch) {
    std::vector<std::string> texts;
    for (const std::string& page : RunGhostscript(postScript, scratch, "txtwrite", "", "text", "txt"))
        texts.push_back(ReadWholeFile(page));
    return texts;
}

std::vector<GreyPage> PostScriptPages(const std::string& postScript, const std::string& scratch, int dpi) {
    std::vector<GreyPage> pages;
    for (const std::string& page :
         RunGhostscript(postScript, scratch, "bmpgray", "-r" + std::to_string(dpi), "grey", "bmp"))
        pages.push_back(ReadGreyBitmap(ReadFileBytes(page)));
    return pages;
}
