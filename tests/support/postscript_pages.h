// PostScript that a printer wrote, read back by Ghostscript on the host: the text of each page
// and each page rendered in grey.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One page in grey, row-major from the top: 0 black .. 255 white.
struct GreyPage {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Pixels;
    int At(int x, int y) const { return Pixels[(size_t)y * Width + x]; }
};

// The text of each page of the PostScript file (Windows path); Ghostscript's files go to
// `scratch` (a folder, no closing backslash). Empty when the file is missing or unreadable.
std::vector<std::string> PostScriptPageTexts(const std::string& postScript, const std::string& scratch);
// Each page rendered at `dpi` dots per inch.
std::vector<GreyPage> PostScriptPages(const std::string& postScript, const std::string& scratch, int dpi);
