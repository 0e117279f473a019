// From the OCR program's words to the engine's page structure.
#include "page_structure.h"
#include "page_nodes.h"
#include <string.h>
#include <algorithm>
#include <map>
#include <tuple>

namespace {

RecogBox BoxOf(const OcrWord& w) { return RecogBox{w.Left, w.Top, w.Right - 1, w.Bottom - 1}; }

void Extend(RecogBox& box, const RecogBox& more) {
    box.left = std::min(box.left, more.left);
    box.top = std::min(box.top, more.top);
    box.right = std::max(box.right, more.right);
    box.bottom = std::max(box.bottom, more.bottom);
}

bool Overlap(int a0, int a1, int b0, int b1) { return a0 <= b1 && b0 <= a1; }

}  // namespace

void PageStructure::FreeLines() {
    for (RecogBlock& block : blocks_) {
        for (RecogLine* line = block.FirstLine; line;) {
            RecogLine* next = line->Next;
            line_free(line);
            line = next;
        }
        block.FirstLine = nullptr;
    }
}

void PageStructure::Clear() {
    FreeLines();
    page_ = RecogPage{};
    regions_.clear();
    blocks_.clear();
}

void PageStructure::Build(const std::vector<OcrWord>& words, const BinaryPage& image, unsigned codePage) {
    Clear();
    codePage_ = codePage;
    page_.Image.Width = static_cast<uint16_t>(image.Width);
    page_.Image.Height = static_cast<uint16_t>(image.Height);
    page_.Image.BwBytesPerRow = static_cast<uint16_t>(image.BytesPerRow);
    // The program's own block, paragraph and line numbers say what belongs together.
    std::map<int, std::map<std::pair<int, int>, std::vector<const OcrWord*>>> blocks;
    for (const OcrWord& w : words) blocks[w.Block][{w.Paragraph, w.Line}].push_back(&w);
    RecogRegion* previousRegion = nullptr;
    for (auto& block : blocks) {
        // Each line is cut into segments at wide gaps; segments that stand over one another
        // form a column.
        std::vector<std::vector<Segment>> columns;
        std::vector<RecogBox> columnBoxes;
        for (auto& line : block.second) {
            std::vector<const OcrWord*>& ws = line.second;
            std::sort(ws.begin(), ws.end(), [](const OcrWord* a, const OcrWord* b) { return a->Left < b->Left; });
            int height = 0;
            for (const OcrWord* w : ws) height = std::max(height, w->Bottom - w->Top);
            std::vector<Segment> segments;
            for (const OcrWord* w : ws) {
                if (segments.empty() || w->Left - (segments.back().Box.right + 1) > height * 3 / 2) {
                    segments.push_back(Segment{{}, BoxOf(*w)});
                }
                segments.back().Words.push_back(w);
                Extend(segments.back().Box, BoxOf(*w));
            }
            for (const Segment& s : segments) {
                size_t c = 0;
                while (c < columns.size() &&
                       !Overlap(s.Box.left, s.Box.right, columnBoxes[c].left, columnBoxes[c].right))
                    ++c;
                if (c == columns.size()) {
                    columns.emplace_back();
                    columnBoxes.push_back(s.Box);
                }
                columns[c].push_back(s);
                Extend(columnBoxes[c], s.Box);
            }
        }
        std::vector<size_t> order(columns.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return columnBoxes[a].left < columnBoxes[b].left; });
        regions_.emplace_back();
        RecogRegion& region = regions_.back();
        memset(&region, 0, sizeof region);
        if (previousRegion) previousRegion->Next = &region;
        else page_.FirstRegion = &region;
        previousRegion = &region;
        for (size_t c : order) AddBlock(region, columns[c]);
    }
}

void PageStructure::AddBlock(RecogRegion& region, const std::vector<Segment>& column) {
    blocks_.emplace_back();
    RecogBlock& block = blocks_.back();
    memset(&block, 0, sizeof block);
    if (!region.FirstBlock) {
        region.FirstBlock = &block;
    } else {
        RecogBlock* last = region.FirstBlock;
        while (last->Next) last = last->Next;
        last->Next = &block;
    }
    RecogLine* previous = nullptr;
    for (const Segment& s : column) AddLine(block, previous, s);
}

RecogChar* CharactersOfWords(const std::vector<const OcrWord*>& words, unsigned codePage) {
    RecogChar* first = nullptr;
    RecogChar** tail = &first;
    bool exhausted = false;
    auto add = [&](int code, int left, int right, const RecogBox& box) {
        RecogChar* c = exhausted ? nullptr : char_alloc();
        if (!c) {
            exhausted = true;
            return;
        }
        c->Rect = c->Rect2 = RecogBox{left, box.top, std::max(left, right), box.bottom};
        c->CandidateCount = 1;
        c->GlyphIndex = code;  // the glyph index of a code is the code itself
        *tail = c;
        tail = &c->Next;
    };
    int lastCode = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        const OcrWord& w = *words[i];
        RecogBox box = BoxOf(w);
        std::vector<int> codes = CharacterCodes(w.Text, codePage);
        // Chinese text has no blanks between its words.
        bool bothChinese = lastCode > 0xFF && !codes.empty() && codes[0] > 0xFF;
        if (i > 0 && !bothChinese) add(' ', words[i - 1]->Right, w.Left - 1, box);
        if (!codes.empty()) lastCode = codes.back();
        int n = static_cast<int>(codes.size());
        int width = w.Right - w.Left;
        for (int k = 0; k < n; ++k) add(codes[k], w.Left + width * k / n, w.Left + width * (k + 1) / n - 1, box);
    }
    if (!exhausted) return first;
    while (first) {
        RecogChar* next = first->Next;
        char_free(first);
        first = next;
    }
    return nullptr;
}

void PageStructure::AddLine(RecogBlock& block, RecogLine*& previous, const Segment& segment) {
    RecogLine* line = line_alloc();
    if (line == reinterpret_cast<RecogLine*>(-1)) return;
    line->Rect = line->Rect2 = segment.Box;
    line->Orientation = 'h';
    line->Kind = 10;
    line->SizeValue = segment.Box.bottom - segment.Box.top + 1;
    line->FirstChar = CharactersOfWords(segment.Words, codePage_);
    if (previous) previous->Next = line;
    else block.FirstLine = line;
    previous = line;
}

std::vector<RecogBox> PageStructure::LineBoxes() const {
    std::vector<RecogBox> boxes;
    for (const RecogBlock& block : blocks_)
        for (const RecogLine* l = block.FirstLine; l; l = l->Next) boxes.push_back(l->Rect2);
    return boxes;
}
