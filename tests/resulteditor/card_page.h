// A card image recognised by the recognition engine, as a recognising host does it: the grey
// rows go to the engine's banks, the engine binarises and reads them, and its page structure is
// what the result editor is opened over.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "recogpage.h"
#include "tvrksdk.h"

class CardRecognizer {
public:
    // A document of the engine whose database is loaded for code page 1 (GB2312, so that pages
    // are read as Simplified Chinese beside English) or 0; temporary files in the temp folder.
    explicit CardRecognizer(bool chinese);
    ~CardRecognizer();
    CardRecognizer(const CardRecognizer&) = delete;
    CardRecognizer& operator=(const CardRecognizer&) = delete;

    // Recognises a BMP card (8-bit grey or 24-bit); the engine's page, valid until the next
    // call, or null when the file cannot be read, holds no text or the engine failed.
    RecogPage* Recognise(const std::string& bmpPath);

private:
    RecogDocument* document_ = nullptr;
    RecogWorkspace* workspace_ = nullptr;
    std::vector<uint8_t> grey_;   // top-down rows, 4-byte aligned
    std::vector<uint8_t> lines_;  // the 1-bit rows the engine binarises into
};
