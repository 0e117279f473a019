// Runs the host's OCR program on one-bit pages and reads its words back.
#pragma once
#include <string>
#include <vector>
#include "ocr_words.h"

enum class OcrStatus { Read, NoProgram, Failed };

// Called about every 100 ms while the OCR program runs, with the milliseconds waited so far.
typedef void (*OcrWaitHook)(int elapsedMs);

// How the OCR program segments a page: Automatic finds blocks, columns and lines (and reads
// text turned on its side as such); OneBlock takes the page as one block of horizontal lines,
// which reads text turned the wrong way as doubtful words (orientation detection).
// OneLine and OneCharacter read a cut-out line or character (re-recognition of edits).
enum class OcrLayout { Automatic = 3, OneBlock = 6, OneLine = 7, OneCharacter = 10 };

// Reads every page with the OCR program, one process per page, all at once; `words` gets one
// list per page. `language` is the program's language list ("eng", "deu+eng", ...).
// Temporary files go into `tempFolder` (ends with a backslash) and are deleted afterwards.
// NoProgram when the program named in the settings is missing or does not start; Failed when
// a page gave no output (its list stays empty). `options` are further program options (such as
// "-c tessedit_char_whitelist=0123456789"); texts come back in `codePage` (1252 or 936).
OcrStatus ReadPagesWithOcr(const std::vector<BinaryPage>& pages, OcrLayout layout, const std::string& language,
                           const std::string& tempFolder, std::vector<std::vector<OcrWord>>& words, OcrWaitHook wait,
                           const std::string& options = std::string(), unsigned codePage = 1252);

// The OCR program's path: [OCR] Program of "tvrksdk.ini" beside the engine library, by
// default "Z:\usr\bin\tesseract" (the host's program under Wine).
std::string OcrProgramPath();
