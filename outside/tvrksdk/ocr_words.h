// What the OCR program read of one page, and the one-bit page images the engine hands it.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// A one-bit page, top row first, set bit = ink, most significant bit leftmost.
struct BinaryPage {
    int Width = 0;
    int Height = 0;
    int BytesPerRow = 0;
    int Dpi = 300;
    std::vector<uint8_t> Bits;

    bool Ink(int x, int y) const { return (Bits[static_cast<size_t>(y) * BytesPerRow + x / 8] >> (7 - x % 8)) & 1; }
    void SetInk(int x, int y) {
        Bits[static_cast<size_t>(y) * BytesPerRow + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
};

// One word as the OCR program segmented it: its block, paragraph and line numbers, its box in
// page pixels (right and bottom exclusive), its confidence 0..100 and its text (Windows-1252, or
// code page 936 when the page was read as Chinese).
struct OcrWord {
    int Block = 0;
    int Paragraph = 0;
    int Line = 0;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Confidence = 0;
    std::string Text;
};

// The words of the OCR program's TSV output, in its order; rows that are not words (levels
// 1 to 4, empty texts, negative confidences) are left out. UTF-8 texts become `codePage`
// (1252 or 936), characters it lacks '?'.
std::vector<OcrWord> ParseOcrTsv(const std::string& tsv, unsigned codePage = 1252);

// The character codes of a text in `codePage`: a double-byte character of code page 936 as
// lead x 256 + trail, any other byte as itself.
std::vector<int> CharacterCodes(const std::string& text, unsigned codePage);

// The page turned by quarterTurns quarter turns clockwise (0 to 3).
BinaryPage TurnPage(const BinaryPage& page, int quarterTurns);

// How much the words look like text: the confidence above 50 of each word, weighed by its
// letters and digits (negative for a page of doubtful words).
long ReadingScore(const std::vector<OcrWord>& words);
