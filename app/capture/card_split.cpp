// A page of several business cards split into cards: bands along the page's height, in one
// column or, on a page 7 inches wide or more, in two, found from row and column profiles of
// a black-and-white copy of the page; and each card's rectangle cut out into an image of its
// own.
#include "capture.h"
#include "scanning.h"
#include "shell.h"
#include <string.h>
#include <new>
#include <vector>

#define TWO_COLUMN_WIDTH_INCHES 7
#define WHITE_THRESHOLD         128
#define MIN_DENSITY             0.015
#define MAX_DENSITY             0.85

static const uint8_t kFirstByteMask[8] = {0xFF, 0x7F, 0x3F, 0x1F, 0x0F, 0x07, 0x03, 0x01};
static const uint8_t kLastByteMask[8] = {0xFF, 0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE};

namespace {

// The black-and-white page: a set bit is a light pixel.
struct BitPage {
    const uint8_t* Rows;
    int Width;
    int Height;
    int Stride;
    int Resolution;
    int Invert;                // count clear bits (dark pixels)
    std::vector<uint8_t> Own;  // the converted copy, when the page was not black and white
};

struct Column {
    int Left, Right, Top, Bottom;
};

int BitsCounted(const BitPage& page, uint8_t byte, uint8_t mask) {
    uint8_t counted = (uint8_t)((page.Invert ? ~byte : byte) & mask);
    return __builtin_popcount(counted);
}

// The mask of byte b of a run of columns from left to right.
uint8_t RunMask(int b, int left, int right) {
    uint8_t mask = 0xFF;
    if (b == left / 8) mask &= kFirstByteMask[left % 8];
    if (b == right / 8) mask &= kLastByteMask[right % 8];
    return mask;
}

int RowCount(const BitPage& page, int y, int left, int right) {
    const uint8_t* row = page.Rows + (size_t)y * page.Stride;
    int n = 0;
    for (int b = left / 8; b <= right / 8; ++b) n += BitsCounted(page, row[b], RunMask(b, left, right));
    return n;
}

int GreyOfPixel(const uint8_t* row, int x, int bits) {
    switch (bits) {
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
    case 8: return row[x];
    case 16: {
        int v = (row[2 * x] << 8) | row[2 * x + 1];
        int a = (v & 0xF800) >> 11, b = (v & 0x07C0) >> 6, c = (v & 0x003E) >> 1;
        return (11 * a + 59 * b + 30 * c) / 100;
    }
    default: return (11 * row[3 * x] + 59 * row[3 * x + 1] + 30 * row[3 * x + 2]) / 100;
    }
}

// The page in black and white; false when the depth is unknown.
bool MakeBitPage(const uint8_t* pixels, const ImageInfo* info, int invert, BitPage* page) {
    int bits = info->BitsPerPixel;
    page->Height = info->Height;
    page->Resolution = info->Resolution > 0 ? info->Resolution : DEFAULT_RESOLUTION;
    page->Invert = invert;
    if (bits == 1) {
        page->Rows = pixels;
        page->Width = info->Width;
        page->Stride = info->RowStride;
        return true;
    }
    if (bits != 4 && bits != 8 && bits != 16 && bits != 24) return false;
    page->Width = (int)((int64_t)info->RowStride * 8 / bits);
    page->Stride = (page->Width + 31) / 32 * 4;
    page->Own.assign((size_t)page->Stride * page->Height, 0);
    for (int y = 0; y < page->Height; ++y) {
        const uint8_t* in = pixels + (size_t)y * info->RowStride;
        uint8_t* out = page->Own.data() + (size_t)y * page->Stride;
        for (int x = 0; x < page->Width; ++x)
            if (GreyOfPixel(in, x, bits) > WHITE_THRESHOLD) out[x / 8] |= (uint8_t)(0x80 >> (x % 8));
    }
    page->Rows = page->Own.data();
    return true;
}

// The row where two bands meet: the smallest profile value near the expected cut; over a run
// of equal smallest values, the middle of the run.
int FindCut(const std::vector<int>& profile, const Column& c, int from, int to) {
    if (from < c.Top) from = c.Top;
    if (to > c.Bottom + 1) to = c.Bottom + 1;
    if (from >= to) return from;
    int best = from, lastEqual = -1, smallest = profile[from - c.Top];
    for (int y = from + 1; y < to; ++y) {
        int v = profile[y - c.Top];
        if (v < smallest) {
            smallest = v;
            best = y;
            lastEqual = -1;
        } else if (v == smallest) {
            lastEqual = y;
        }
    }
    return lastEqual >= 0 ? (best + lastEqual) / 2 : best;
}

// Moves the limits of a band halfway towards its first and last lines (positions first to
// last, counts[position - offset]) that hold `threshold` counted pixels or more; the far limit
// moves only when two or more lines do.
void NarrowToInk(const std::vector<int>& counts, int offset, int first, int last, int threshold, int* low, int* high) {
    int firstInk = -1, lastInk = -1, inked = 0;
    for (int p = first; p <= last; ++p)
        if (counts[p - offset] >= threshold) {
            if (firstInk < 0) firstInk = p;
            lastInk = p;
            ++inked;
        }
    if (firstInk >= 0) *low = (*low + firstInk) / 2;
    if (inked >= 2) *high = (*high + lastInk) / 2;
}

// Counted pixels per column of the column's run over the rows top to bottom.
std::vector<int> ColumnProfile(const BitPage& page, const Column& c, int top, int bottom) {
    std::vector<int> columns(c.Right - c.Left + 1, 0);
    for (int y = top; y <= bottom; ++y) {
        const uint8_t* row = page.Rows + (size_t)y * page.Stride;
        for (int b = c.Left / 8; b <= c.Right / 8; ++b) {
            uint8_t counted = (uint8_t)((page.Invert ? ~row[b] : row[b]) & RunMask(b, c.Left, c.Right));
            for (int x = b * 8; counted; ++x, counted = (uint8_t)(counted << 1))
                if ((counted & 0x80) && x >= c.Left && x <= c.Right) ++columns[x - c.Left];
        }
    }
    return columns;
}

// One band of a column (rows start to end, end excluded) as a card rectangle; false when it
// holds no card: blank, solid, or of no width or height.
bool BandToCard(const BitPage& page, const Column& c, const std::vector<int>& profile, int start, int end, RECT* card) {
    if (end <= start) return false;
    NarrowToInk(profile, c.Top, start, end - 1, (c.Right - c.Left) / 20, &start, &end);
    if (end > c.Bottom) end = c.Bottom;
    if (end <= start) return false;
    long long sum = 0;
    for (int y = start; y <= end; ++y) sum += profile[y - c.Top];
    std::vector<int> columns = ColumnProfile(page, c, start, end);
    int left = c.Left, right = c.Right;
    NarrowToInk(columns, c.Left, c.Left, c.Right, (end - start) / 20, &left, &right);
    if (right <= left) return false;
    double density = (double)sum / ((double)(right - left) * (double)(end - start));
    if (density < MIN_DENSITY || density > MAX_DENSITY) return false;
    card->left = left;
    card->top = start;
    card->right = right;
    card->bottom = end;
    return true;
}

void SplitColumn(const BitPage& page, const Column& c, std::vector<RECT>* cards) {
    std::vector<int> profile(c.Bottom - c.Top + 1);
    for (int y = c.Top; y <= c.Bottom; ++y) profile[y - c.Top] = RowCount(page, y, c.Left, c.Right);
    int d = page.Resolution, unit = d * 5 / 2, span = c.Bottom - c.Top;
    int k = span / unit;
    if ((double)span / unit - k > 0.3) ++k;
    if (k == 0) return;
    int step = span / k, start = c.Top;
    for (int i = 0; i < k; ++i) {
        int end = i < k - 1 ? FindCut(profile, c, start + step - d / 10, start + step + d / 10) : c.Bottom;
        RECT card;
        if (BandToCard(page, c, profile, start, end, &card)) cards->push_back(card);
        start = end;
    }
}

}  // namespace

// The cards of the page, column by column; false for a depth that cannot be split. Throws
// std::bad_alloc when memory runs out.
static bool FindCards(const uint8_t* pixels, const ImageInfo* info, int invert, std::vector<RECT>* cards) {
    BitPage page;
    if (!MakeBitPage(pixels, info, invert, &page) || page.Width <= 0 || page.Height <= 0) return false;
    std::vector<Column> columns;
    if (page.Width / page.Resolution < TWO_COLUMN_WIDTH_INCHES) {
        columns.push_back({0, page.Width - 1, 0, page.Height - 1});
    } else {
        columns.push_back({0, page.Width / 2, 0, page.Height - 1});
        columns.push_back({page.Width / 2, page.Width - 1, 0, page.Height - 1});
    }
    for (const Column& c : columns) SplitColumn(page, c, cards);
    return true;
}

int SplitCardPage(HGLOBAL block, const ImageInfo* info, RECT* rects, int* count, int invert) {
    *count = 0;
    const uint8_t* pixels = block ? (const uint8_t*)GlobalLock(block) : NULL;
    if (!pixels) return SPLIT_NO_MEMORY;
    std::vector<RECT> cards;
    int result;
    try {
        result = FindCards(pixels, info, invert, &cards) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        result = SPLIT_NO_MEMORY;
    }
    GlobalUnlock(block);
    if (result != 1) return result;
    for (size_t i = 0; i < cards.size() && i < SPLIT_RECT_MAX; ++i) rects[i] = cards[i];
    *count = (int)(cards.size() < SPLIT_RECT_MAX ? cards.size() : SPLIT_RECT_MAX);
    return *count >= 1;
}

int CutCardRect(HGLOBAL block, const ImageInfo* info, int left, int top, int right, int bottom, HGLOBAL* outBlock,
                ImageInfo* outInfo) {
    int width = right - left, height = bottom - top, bits = info->BitsPerPixel;
    int stride = GetDibRowBytes(width, bits);
    if (width <= 0 || height <= 0 || stride <= 0 || left < 0 || top < 0 || bottom > info->Height) return 0;
    HGLOBAL cut = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)stride * height);
    uint8_t* out = cut ? (uint8_t*)GlobalLock(cut) : NULL;
    const uint8_t* in = out ? (const uint8_t*)GlobalLock(block) : NULL;
    if (!in) {
        if (out) GlobalUnlock(cut);
        if (cut) GlobalFree(cut);
        return 0;
    }
    int from = (int)((int64_t)left * bits / 8);
    int bytes = from + stride <= info->RowStride ? stride : info->RowStride - from;
    for (int y = top; y < bottom && bytes > 0; ++y) {
        uint8_t* row = out + (size_t)(y - top) * stride;
        memcpy(row, in + (size_t)y * info->RowStride + from, bytes);
        if (bits == 1) {
            row[0] &= kFirstByteMask[left % 8];
            row[bytes - 1] &= kLastByteMask[right % 8];
        }
    }
    GlobalUnlock(block);
    GlobalUnlock(cut);
    *outBlock = cut;
    *outInfo = *info;
    outInfo->Width = width;
    outInfo->Height = height;
    outInfo->RowStride = stride;
    return 1;
}
