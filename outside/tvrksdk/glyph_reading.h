// Reading cut-outs of a recognised page's black-and-white rows (bank +884) with the OCR
// program: single characters after an edit, or a region as one line.
#pragma once
#include <string>
#include <vector>
#include "ocr_program.h"
#include "recogpage.h"

// What was read of one character: its code (32 when the box holds no ink or nothing was read)
// and the OCR program's confidence.
struct ReadCharacter {
    int Code = ' ';
    int Confidence = 0;
};

// Reads every box as one character, all at once; Chinese reads Simplified Chinese beside
// English in code page 936, else English in Windows-1252. Boxes without ink are not read.
OcrStatus ReadCharacters(const RecogPage& page, const std::vector<RecogBox>& boxes, bool chinese,
                         std::vector<ReadCharacter>& read);

// Reads `box` as one line of text in `language` with the program's `options`; the words' boxes
// come back in page pixels and their texts in `codePage`.
OcrStatus ReadLine(const RecogPage& page, const RecogBox& box, const std::string& language, const std::string& options,
                   unsigned codePage, std::vector<OcrWord>& words);

// Reads `box` as a vertical line: the column is cut into character cells where its inked rows
// leave gaps (a cell about as high as the column is wide), and each cell is read as one
// character. One word per cell, top to bottom, with the cell's ink box (right and bottom
// exclusive) and its text (empty when nothing was read).
OcrStatus ReadColumn(const RecogPage& page, const RecogBox& box, const std::string& language,
                     const std::string& options, unsigned codePage, std::vector<OcrWord>& characters);

// True when the box (clipped to the page) holds ink in the page's black-and-white rows.
bool HasInk(const RecogPage& page, const RecogBox& box);
