#include "border_detection.h"
#include "packed_dib.h"
#include <algorithm>
#include <new>
#include <vector>

namespace pixwell {
namespace {

struct MethodParameters {
    int darkBelow;  // grey values below this are dark
    int depth;      // lines examined from each side
    int start;      // the band must begin within this many lines
    int threshold;  // dark pixels that make a line part of the band
};

MethodParameters ParametersFor(int method, int width, int height) {
    const int shorter = std::min(width, height);
    MethodParameters p{};
    if (method == 0) {
        p.darkBelow = 50;
        p.depth = shorter / 10;
        p.threshold = width / 4;
    } else {
        p.darkBelow = 75;
        p.depth = (3 * shorter) / 5;
        p.threshold = width / 2;
    }
    p.start = p.depth / 2;
    return p;
}

// Counts dark pixels per line of the four strips of one image.
class CStripCounter {
public:
    CStripCounter(const BYTE* pixels, int width, int height, int rowBytes, int darkBelow, std::vector<int32_t>& counts)
        : pixels_(pixels), width_(width), height_(height), rowBytes_(rowBytes), darkBelow_(darkBelow), counts_(counts) {
    }

    // Rows from the first (fromEnd false) or last row inward; line 0 is the outermost.
    void CountRows(int depth, bool fromEnd) {
        Reset();
        for (int line = 0; line < depth; ++line) {
            const int row = fromEnd ? height_ - 1 - line : line;
            const BYTE* p = &pixels_[static_cast<size_t>(row) * rowBytes_];
            int dark = 0;
            for (int x = 0; x < width_; ++x) dark += p[x] < darkBelow_;
            counts_[line] = dark;
        }
    }

    // Columns from the first or last column inward, each counted over all rows; only the
    // strip's bytes of every row are touched.
    void CountColumns(int depth, bool fromEnd) {
        Reset();
        for (int row = 0; row < height_; ++row) {
            const BYTE* p = &pixels_[static_cast<size_t>(row) * rowBytes_];
            for (int line = 0; line < depth; ++line) {
                const int column = fromEnd ? width_ - 1 - line : line;
                counts_[line] += p[column] < darkBelow_;
            }
        }
    }

    const int32_t* Counts() const { return counts_.data(); }

private:
    void Reset() { std::fill(counts_.begin(), counts_.end(), 0); }

    const BYTE* pixels_;
    int width_, height_, rowBytes_, darkBelow_;
    std::vector<int32_t>& counts_;
};

struct Cuts {
    int firstRows, lastRows, firstColumns, lastColumns;
};

RECT RectForMethod0(const Cuts& c, int width, int height) {
    return RECT{c.firstColumns, c.firstRows, width - 1 - c.lastColumns, height - c.lastRows};
}

// The cut-out is checked against the size of a business card lying on a 3.95 by 3.7 inch
// page; a cut-out too narrow for a card is replaced by the usual card position.
RECT RectForMethod1(const Cuts& c, int width, int height) {
    RECT r{};
    if (c.firstColumns < width - 1 - c.lastColumns) {
        r.left = c.firstColumns;
        r.right = width - 1 - c.lastColumns;
    } else {
        r.left = 0;
        r.right = width - 1;
    }
    if (c.firstRows < height - c.lastRows) {
        r.top = c.firstRows;
        r.bottom = height - c.lastRows;
    } else {
        r.top = 0;
        r.bottom = height - 1;
    }
    const double widthInches = (r.right - r.left) * 3.95 / width;
    const float heightInches = static_cast<float>((r.bottom - r.top) * 3.7 / height);
    if (widthInches < heightInches && widthInches < 1.86) {
        r.left = static_cast<LONG>(width * 0.29113924050632906);
        r.right = static_cast<LONG>(width * 0.8227848101265821);
    } else if (widthInches >= heightInches && heightInches < 1.86) {
        r.top = 14;
        r.bottom = 14 + static_cast<LONG>(width * 0.5316455696202531);
    }
    return r;
}

}  // namespace

int FindBandEnd(const int32_t* counts, int start, int n, int threshold) {
    if (!counts || start <= 0 || n <= 0) return 0;
    int i = 0;
    while (i < n && counts[i] < threshold) ++i;
    if (i == n || i > start) return 0;
    while (i < n && counts[i] >= threshold) ++i;
    return i < n - 1 ? i : 0;
}

int FindCardBorder(HGLOBAL dib, RECT* out, int method) {
    CPackedDib image;
    if (!out || !image.Attach(dib) || !image.IsGreyRamp()) return 0;
    const int width = image.Width();
    const int height = image.Rows();
    const MethodParameters p = ParametersFor(method, width, height);
    // The strips are only read, so they are counted in the caller's block itself.
    std::vector<int32_t> counts;
    try {
        counts.assign(static_cast<size_t>(std::max(width, height)) + 32, 0);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    CStripCounter counter(image.Pixels(), width, height, image.RowBytes(), p.darkBelow, counts);
    Cuts cuts{};
    counter.CountRows(p.depth, false);
    cuts.firstRows = FindBandEnd(counter.Counts(), p.start, p.depth, p.threshold);
    counter.CountRows(p.depth, true);
    cuts.lastRows = FindBandEnd(counter.Counts(), p.start, p.depth, p.threshold);
    counter.CountColumns(p.depth, false);
    cuts.firstColumns = FindBandEnd(counter.Counts(), p.start, p.depth, p.threshold);
    counter.CountColumns(p.depth, true);
    cuts.lastColumns = FindBandEnd(counter.Counts(), p.start, p.depth, p.threshold);

    *out = method == 0 ? RectForMethod0(cuts, width, height) : RectForMethod1(cuts, width, height);
    return 1;
}

}  // namespace pixwell
