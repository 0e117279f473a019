// Cut-outs of the page's black-and-white rows, each with a white margin, read by the OCR program.
#include "glyph_reading.h"
#include <windows.h>
#include "document_registry.h"
#include "glyphutil.h"
#include "engine_memory.h"
#include "ocr_words.h"

namespace {

// White around a cut-out: the OCR program reads a glyph that touches the edge poorly.
constexpr int kMargin = 16;

RecogBox Clipped(const RecogPage& page, const RecogBox& box) {
    const RecogImageInfo& image = page.Image;
    int widthInRows = image.BwBytesPerRow * 8;
    int width = image.Width < widthInRows ? image.Width : widthInRows;
    return RecogBox{box.left < 0 ? 0 : box.left, box.top < 0 ? 0 : box.top, box.right >= width ? width - 1 : box.right,
                    box.bottom >= image.Height ? image.Height - 1 : box.bottom};
}

bool InkAt(const RecogPage& page, int x, int y) {
    const uint8_t* row = mem_get_bank(page.Image.BwBank, y, 0, 0);
    return row && (row[x / 8] >> (7 - x % 8)) & 1;
}

BinaryPage CutOut(const RecogPage& page, const RecogBox& box) {
    RecogBox c = Clipped(page, box);
    BinaryPage out;
    out.Width = c.right - c.left + 1 + 2 * kMargin;
    out.Height = c.bottom - c.top + 1 + 2 * kMargin;
    out.BytesPerRow = (out.Width + 7) / 8;
    out.Dpi = page.Image.RelationValue > 0 ? page.Image.RelationValue : 300;
    out.Bits.assign(static_cast<size_t>(out.BytesPerRow) * out.Height, 0);
    for (int y = c.top; y <= c.bottom; ++y)
        for (int x = c.left; x <= c.right; ++x)
            if (InkAt(page, x, y)) out.SetInk(x - c.left + kMargin, y - c.top + kMargin);
    return out;
}

// Rows of the box that hold ink, as runs [top, bottom], and the ink's left and right columns.
struct InkRuns {
    std::vector<std::pair<int, int>> Rows;
    int Left = 0, Right = -1;
};

InkRuns RowRuns(const RecogPage& page, const RecogBox& c) {
    InkRuns runs;
    runs.Left = c.right + 1;
    for (int y = c.top; y <= c.bottom; ++y) {
        bool inked = false;
        for (int x = c.left; x <= c.right; ++x) {
            if (!InkAt(page, x, y)) continue;
            inked = true;
            if (x < runs.Left) runs.Left = x;
            if (x > runs.Right) runs.Right = x;
        }
        if (!inked) continue;
        if (!runs.Rows.empty() && runs.Rows.back().second == y - 1) runs.Rows.back().second = y;
        else runs.Rows.push_back({y, y});
    }
    return runs;
}

// The character cells of a column: Chinese characters stand about as high as the column is
// wide, so runs of inked rows join (a character's strokes may leave blank rows between them)
// while the cell stays within a little more than that height.
std::vector<RecogBox> ColumnCells(const RecogPage& page, const RecogBox& c) {
    InkRuns runs = RowRuns(page, c);
    std::vector<RecogBox> cells;
    int width = runs.Right - runs.Left + 1;
    for (const std::pair<int, int>& run : runs.Rows) {
        bool joins = !cells.empty() && run.second - cells.back().top + 1 <= width * 23 / 20;
        if (joins) cells.back().bottom = run.second;
        else cells.push_back(RecogBox{c.left, run.first, c.right, run.second});
    }
    // Each cell's sides are its own ink's.
    for (RecogBox& cell : cells) {
        InkRuns own = RowRuns(page, cell);
        cell.left = own.Left;
        cell.right = own.Right;
    }
    return cells;
}

}  // namespace

bool HasInk(const RecogPage& page, const RecogBox& box) {
    if (!page.Image.BwBank) return false;
    RecogBox c = Clipped(page, box);
    for (int y = c.top; y <= c.bottom; ++y)
        for (int x = c.left; x <= c.right; ++x)
            if (InkAt(page, x, y)) return true;
    return false;
}

OcrStatus ReadCharacters(const RecogPage& page, const std::vector<RecogBox>& boxes, bool chinese,
                         std::vector<ReadCharacter>& read) {
    read.assign(boxes.size(), ReadCharacter());
    std::vector<BinaryPage> cutOuts;
    std::vector<size_t> which;
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!HasInk(page, boxes[i])) continue;
        cutOuts.push_back(CutOut(page, boxes[i]));
        which.push_back(i);
    }
    if (cutOuts.empty()) return OcrStatus::Read;
    unsigned codePage = chinese ? 936 : 1252;
    std::vector<std::vector<OcrWord>> words;
    OcrStatus status = ReadPagesWithOcr(cutOuts, OcrLayout::OneCharacter, chinese ? "chi_sim+eng" : "eng",
                                        EngineWorkFolder(), words, nullptr, std::string(), codePage);
    for (size_t k = 0; k < which.size(); ++k) {
        if (words[k].empty()) continue;
        std::vector<int> codes = CharacterCodes(words[k][0].Text, codePage);
        if (codes.empty()) continue;
        read[which[k]].Code = codes[0];
        read[which[k]].Confidence = words[k][0].Confidence;
    }
    return status;
}

OcrStatus ReadLine(const RecogPage& page, const RecogBox& box, const std::string& language, const std::string& options,
                   unsigned codePage, std::vector<OcrWord>& words) {
    words.clear();
    if (!HasInk(page, box)) return OcrStatus::Read;
    RecogBox c = Clipped(page, box);
    std::vector<std::vector<OcrWord>> read;
    OcrStatus status = ReadPagesWithOcr(std::vector<BinaryPage>{CutOut(page, box)}, OcrLayout::OneLine, language,
                                        EngineWorkFolder(), read, nullptr, options, codePage);
    for (OcrWord w : read[0]) {
        int dx = c.left - kMargin, dy = c.top - kMargin;
        w.Left += dx;
        w.Right += dx;
        w.Top += dy;
        w.Bottom += dy;
        words.push_back(w);
    }
    return status;
}

OcrStatus ReadColumn(const RecogPage& page, const RecogBox& box, const std::string& language,
                     const std::string& options, unsigned codePage, std::vector<OcrWord>& characters) {
    characters.clear();
    if (!HasInk(page, box)) return OcrStatus::Read;
    std::vector<RecogBox> cells = ColumnCells(page, Clipped(page, box));
    std::vector<BinaryPage> cutOuts;
    for (const RecogBox& cell : cells) cutOuts.push_back(CutOut(page, cell));
    std::vector<std::vector<OcrWord>> read;
    OcrStatus status = ReadPagesWithOcr(cutOuts, OcrLayout::OneCharacter, language, EngineWorkFolder(), read, nullptr,
                                        options, codePage);
    for (size_t i = 0; i < cells.size(); ++i) {
        OcrWord w;
        w.Left = cells[i].left;
        w.Top = cells[i].top;
        w.Right = cells[i].right + 1;
        w.Bottom = cells[i].bottom + 1;
        if (i < read.size() && !read[i].empty()) {
            w.Text = read[i][0].Text;
            w.Confidence = read[i][0].Confidence;
        }
        characters.push_back(w);
    }
    return status;
}
