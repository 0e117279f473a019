// Text detection and binarisation of grey and colour pages, and the one-bit page read from
// its bank.
#include "page_image.h"
#include <string.h>
#include "page_images.h"
#include "recogpage.h"
#include "engine_memory.h"
#include "glyphutil.h"

namespace {

// Row `line` of a bank (top-down) through its segment table, or null outside its rows.
uint8_t* BankLine(const MemoryBankRecord* bank, int line) {
    if (!bank || !bank->SegmentTable || line < 0 || line >= bank->LineCount || bank->LinesPerSegment < 1)
        return nullptr;
    int segment = line / bank->LinesPerSegment;
    if (segment >= bank->SegmentCount) return nullptr;
    return bank->SegmentTable[segment] + static_cast<size_t>(line % bank->LinesPerSegment) * bank->BytesPerLine;
}

const MemoryBankRecord* Bank(const char* name) { return mem_bank_info(mem_get_special_bank(name)); }

struct Threshold {
    int Value = 0;     // ink is below it
    int Contrast = 0;  // distance between the mean ink and the mean paper grey
    long InkPixels = 0;
};

// Otsu's threshold of a histogram: the split that best separates ink from paper.
Threshold OtsuThreshold(const long* histogram, long total) {
    double sum = 0;
    for (int i = 0; i < 256; ++i) sum += static_cast<double>(i) * histogram[i];
    double sumBelow = 0, best = -1;
    long below = 0;
    Threshold t;
    for (int i = 0; i < 256; ++i) {
        below += histogram[i];
        sumBelow += static_cast<double>(i) * histogram[i];
        long above = total - below;
        if (below == 0 || above == 0) continue;
        double meanBelow = sumBelow / below, meanAbove = (sum - sumBelow) / above;
        double between = static_cast<double>(below) * above * (meanBelow - meanAbove) * (meanBelow - meanAbove);
        if (between > best) {
            best = between;
            t.Value = i + 1;
            t.Contrast = static_cast<int>(meanAbove - meanBelow);
            t.InkPixels = below;
        }
    }
    return t;
}

template <typename RowOf>
Threshold PageThreshold(RowOf rowOf, int width, int height, int bitsPerPixel) {
    long histogram[256] = {};
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rowOf(y);
        for (int x = 0; x < width; ++x) ++histogram[GreyAt(row, x, bitsPerPixel)];
    }
    return OtsuThreshold(histogram, static_cast<long>(width) * height);
}

// Ink worth reading: clearly darker than the paper, and neither a speck nor most of the page.
bool HasText(const Threshold& t, long pixels) {
    return t.Contrast >= 64 && t.InkPixels * 2000 >= pixels && t.InkPixels * 5 <= pixels * 3;
}

int Resolution(uint16_t dpi) { return dpi ? dpi : 300; }

}  // namespace

extern "C" int32_t ObtainTextRect(const uint8_t* pixels, const RecogImageDescription* description, int32_t rowStride,
                                  int32_t* count, RecogTextRect** rects) {
    if (count) *count = 0;
    if (rects) *rects = nullptr;
    if (!pixels || !description || !count || !rects || rowStride < 1) return -1;
    int w = description->Width, h = description->Height, bpp = description->BitsPerPixel;
    auto rowOf = [&](int y) { return pixels + static_cast<size_t>(y) * rowStride; };
    Threshold t = PageThreshold(rowOf, w, h, bpp);
    if (!HasText(t, static_cast<long>(w) * h)) return 0;
    RecogTextRect box{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (GreyAt(rowOf(y), x, bpp) >= t.Value) continue;
            if (x < box.left) box.left = x;
            if (x > box.right) box.right = x;
            if (y < box.top) box.top = y;
            box.bottom = y;
        }
    *rects = static_cast<RecogTextRect*>(OCR_malloc(sizeof(RecogTextRect)));
    if (!*rects) return -1;
    **rects = box;
    *count = 1;
    return 1;
}

namespace {

// The result editor's road: the grey rows of a recognised page went to bank "RawImage"; the
// rectangle is binarised with its own threshold into the page's black-and-white rows, which
// re-recognition reads next. Ink stays where the rectangle holds no text (too little contrast).
int32_t BinariseRectangle(const RecogImageInfo& image, const RecogTextRect& rect) {
    const MemoryBankRecord* raw = Bank("RawImage");
    int w = image.Width, h = image.Height, bpp = image.GreyBitsPerPixel;
    if (!raw || !image.BwBank || raw->LineCount < h || w < 1) return 0;
    int left = rect.left < 0 ? 0 : rect.left, top = rect.top < 0 ? 0 : rect.top;
    int right = rect.right >= w ? w - 1 : rect.right, bottom = rect.bottom >= h ? h - 1 : rect.bottom;
    if (left > right || top > bottom) return 0;
    auto rowOf = [&](int y) { return BankLine(raw, top + y) + 0; };
    int cw = right - left + 1, ch = bottom - top + 1;
    long histogram[256] = {};
    for (int y = 0; y < ch; ++y)
        for (int x = left; x <= right; ++x) ++histogram[GreyAt(rowOf(y), x, bpp)];
    Threshold t = OtsuThreshold(histogram, static_cast<long>(cw) * ch);
    if (t.Contrast < 64) return 1;
    for (int y = top; y <= bottom; ++y) {
        uint8_t* out = mem_get_bank(image.BwBank, y, 0, 1);
        if (!out) return 0;
        const uint8_t* in = BankLine(raw, y);
        for (int x = left; x <= right && x / 8 < image.BwBytesPerRow; ++x) {
            uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            if (GreyAt(in, x, bpp) < t.Value) out[x / 8] |= bit;
            else out[x / 8] &= static_cast<uint8_t>(~bit);
        }
    }
    return 1;
}

}  // namespace

extern "C" int32_t TvrkOpenGrayImage(int32_t, const RecogImageDescription* description, const RecogTextRect* rects,
                                     int32_t count, int32_t, int32_t, int32_t wholePage, int32_t, int32_t) {
    if (!description) return 0;
    if (!wholePage) {
        if (!rects || count < 1) return 0;
        return BinariseRectangle(*reinterpret_cast<const RecogImageInfo*>(description), rects[0]);
    }
    const MemoryBankRecord* raw = Bank("RawImage");
    const MemoryBankRecord* binary = Bank("BinaryImage");
    int w = description->Width, h = description->Height, bpp = description->BitsPerPixel;
    if (!raw || !binary || raw->LineCount < h || binary->LineCount < h || binary->BytesPerLine * 8 < w) return 0;
    auto rowOf = [&](int y) { return BankLine(raw, y); };
    Threshold t = PageThreshold(rowOf, w, h, bpp);
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = rowOf(y);
        uint8_t* out = BankLine(binary, y);
        memset(out, 0, static_cast<size_t>(binary->BytesPerLine));
        for (int x = 0; x < w; ++x)
            if (GreyAt(in, x, bpp) < t.Value) out[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    KeepGreyPage(rowOf, w, h, bpp);
    return 1;
}

bool ReadLinkedPage(const RecogImageDescription& description, BinaryPage& page) {
    const MemoryBankRecord* bank = Bank("LinkedImage");
    page = BinaryPage();
    page.Width = description.Width;
    page.Height = description.Height;
    page.BytesPerRow = (page.Width + 7) / 8;
    page.Dpi = Resolution(description.XResolution);
    if (!bank || page.Width < 1 || page.Height < 1 || bank->LineCount < page.Height ||
        bank->BytesPerLine < page.BytesPerRow)
        return false;
    page.Bits.resize(static_cast<size_t>(page.BytesPerRow) * page.Height);
    uint8_t lastMask = static_cast<uint8_t>(0xFF << ((8 - page.Width % 8) % 8));
    for (int y = 0; y < page.Height; ++y) {
        uint8_t* row = &page.Bits[static_cast<size_t>(y) * page.BytesPerRow];
        memcpy(row, BankLine(bank, y), static_cast<size_t>(page.BytesPerRow));
        row[page.BytesPerRow - 1] &= lastMask;
    }
    return true;
}
