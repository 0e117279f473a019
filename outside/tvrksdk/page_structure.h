// The engine's page structure (RecogPage ... RecogChar) built from the OCR program's words.
#pragma once
#include <deque>
#include <vector>
#include "ocr_words.h"
#include "recogpage.h"

// Owns one page structure; the pointers inside stay valid while it lives.
class PageStructure {
public:
    // Builds regions from the OCR program's blocks, blocks from its paragraphs split into
    // columns, and lines from its lines, cut where words stand apart by more than the line
    // is high (so that a left and a right column that the program read as one line become two).
    void Build(const std::vector<OcrWord>& words, const BinaryPage& page);
    void Clear();
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

    RecogPage page_{};
    std::deque<RecogRegion> regions_;
    std::deque<RecogBlock> blocks_;
    std::deque<RecogLine> lines_;
    std::deque<RecogChar> chars_;
};
