// The OCR program's TSV output read back, and the page turns of orientation detection.
#include "ocr_words.h"
#include <windows.h>
#include <stdlib.h>

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return cells;
        start = tab + 1;
    }
}

std::string Utf8ToCodePage(const std::string& text, unsigned codePage) {
    int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0) return std::string();
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &w[0], wide);
    int narrow = WideCharToMultiByte(codePage, 0, w.data(), wide, nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(narrow > 0 ? narrow : 0), '\0');
    if (narrow > 0) WideCharToMultiByte(codePage, 0, w.data(), wide, &out[0], narrow, "?", nullptr);
    return out;
}

std::string Trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(" \r\n");
    if (a == std::string::npos) return std::string();
    size_t b = s.find_last_not_of(" \r\n");
    return s.substr(a, b - a + 1);
}

}  // namespace

std::vector<OcrWord> ParseOcrTsv(const std::string& tsv, unsigned codePage) {
    // Columns: level page block paragraph line word left top width height confidence text.
    std::vector<OcrWord> words;
    size_t start = 0;
    while (start < tsv.size()) {
        size_t end = tsv.find('\n', start);
        if (end == std::string::npos) end = tsv.size();
        std::vector<std::string> c = SplitTabs(tsv.substr(start, end - start));
        start = end + 1;
        if (c.size() < 12 || atoi(c[0].c_str()) != 5) continue;
        OcrWord w;
        w.Confidence = static_cast<int>(atof(c[10].c_str()) + 0.5);
        w.Text = Utf8ToCodePage(Trimmed(c[11]), codePage);
        if (w.Confidence < 0 || w.Text.empty()) continue;
        w.Block = atoi(c[2].c_str());
        w.Paragraph = atoi(c[3].c_str());
        w.Line = atoi(c[4].c_str());
        w.Left = atoi(c[6].c_str());
        w.Top = atoi(c[7].c_str());
        w.Right = w.Left + atoi(c[8].c_str());
        w.Bottom = w.Top + atoi(c[9].c_str());
        if (w.Confidence > 100) w.Confidence = 100;
        words.push_back(w);
    }
    return words;
}

std::vector<int> CharacterCodes(const std::string& text, unsigned codePage) {
    std::vector<int> codes;
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t byte = static_cast<uint8_t>(text[i]);
        if (codePage == 936 && IsDBCSLeadByteEx(936, byte) && i + 1 < text.size()) {
            codes.push_back(byte << 8 | static_cast<uint8_t>(text[++i]));
            continue;
        }
        codes.push_back(byte);
    }
    return codes;
}

BinaryPage TurnPage(const BinaryPage& page, int quarterTurns) {
    quarterTurns &= 3;
    if (quarterTurns == 0) return page;
    BinaryPage out;
    bool swap = quarterTurns != 2;
    out.Width = swap ? page.Height : page.Width;
    out.Height = swap ? page.Width : page.Height;
    out.BytesPerRow = (out.Width + 7) / 8;
    out.Dpi = page.Dpi;
    out.Bits.assign(static_cast<size_t>(out.BytesPerRow) * out.Height, 0);
    for (int y = 0; y < page.Height; ++y) {
        const uint8_t* row = &page.Bits[static_cast<size_t>(y) * page.BytesPerRow];
        for (int x = 0; x < page.Width; ++x) {
            if (!(row[x / 8] & (0x80 >> (x % 8)))) continue;
            if (quarterTurns == 1) out.SetInk(page.Height - 1 - y, x);
            else if (quarterTurns == 2) out.SetInk(page.Width - 1 - x, page.Height - 1 - y);
            else out.SetInk(y, page.Width - 1 - x);
        }
    }
    return out;
}

long ReadingScore(const std::vector<OcrWord>& words) {
    long score = 0;
    for (const OcrWord& w : words) {
        long letters = 0;
        for (char ch : w.Text) letters += IsCharAlphaNumericA(ch) ? 1 : 0;
        score += (w.Confidence - 50) * letters;
    }
    return score;
}
