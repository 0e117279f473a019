// The engine's page structure (RecogPage ... RecogChar) built from the OCR program's words.
#pragma once
#include <deque>
#include <vector>
#include "ocr_words.h"
#include "recogpage.h"

// Owns one page structure; the pointers inside stay valid while it lives. Lines and characters
// come from the utility library (line_alloc, char_alloc), so a caller may take lines out of the
// page, free them and put its own back (as the result editor does); whatever lines the blocks
// hold when the page is cleared are freed with line_free.
class PageStructure {
public:
    // Builds regions from the OCR program's blocks, blocks from its paragraphs split into
    // columns, and lines from its lines, cut where words stand apart by more than the line
    // is high (so that a left and a right column that the program read as one line become two).
    // Word texts are in `codePage` (1252, or 936 for a page read as Chinese).
    void Build(const std::vector<OcrWord>& words, const BinaryPage& page, unsigned codePage = 1252);
    void Clear();
    ~PageStructure() { Clear(); }
    RecogPage* Page() { return &page_; }
    const RecogPage* Page() const { return &page_; }
    // The line boxes, in page order (for the marks shown while recognising).
    std::vector<RecogBox> LineBoxes() const;

private:
    struct Segment {
        std::vector<const OcrWord*> Words;
        RecogBox Box{};
    };
    void AddBlock(RecogRegion& region, const std::vector<Segment>& column);
    void AddLine(RecogBlock& block, RecogLine*& previous, const Segment& segment);

    void FreeLines();

    RecogPage page_{};
    unsigned codePage_ = 1252;
    std::deque<RecogRegion> regions_;
    std::deque<RecogBlock> blocks_;
};

// Characters of a line from the OCR program's words: each word's characters share its box, a
// blank stands between words (not between two Chinese words). Null when the engine heap is exhausted (nothing is linked then).
RecogChar* CharactersOfWords(const std::vector<const OcrWord*>& words, unsigned codePage);
