// The card views' drawing and parsing routines called in the program's own build: the rubber
// band, thumbnail files drawn or refused, kept position lists and escaped search texts.
#include "capture_fixture.h"
#include "file_bytes.h"
#include "views.h"
#include <string>
#include <vector>

namespace {

struct MemoryCanvas {
    HDC Dc;
    HBITMAP Bitmap;
    HGDIOBJ Old;
    DWORD* Bits;
    MemoryCanvas(int w, int h) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        Dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        Bitmap = CreateDIBSection(Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        Bits = static_cast<DWORD*>(bits);
        Old = SelectObject(Dc, Bitmap);
        for (int i = 0; i < w * h; ++i) Bits[i] = static_cast<DWORD>(i * 2654435761u) & 0xFFFFFF;
    }
    ~MemoryCanvas() {
        SelectObject(Dc, Old);
        DeleteObject(Bitmap);
        DeleteDC(Dc);
    }
};

TEST(ViewDrawing, ARubberBandDrawnTwiceLeavesThePixelsAsTheyWere) {
    for (int dotted : {0, 1}) {
        MemoryCanvas canvas(64, 48);
        std::vector<DWORD> before(canvas.Bits, canvas.Bits + 64 * 48);
        const RECT rects[] = {{5, 6, 50, 40}, {10, 10, 10, 10}};
        for (const RECT& r : rects) {
            DrawXorFrame(canvas.Dc, &r, dotted);
            GdiFlush();
            if (r.left != r.right) {
                EXPECT_NE(canvas.Bits[6 * 64 + 20], before[6 * 64 + 20]) << dotted;
            }
            DrawXorFrame(canvas.Dc, &r, dotted);
            GdiFlush();
            EXPECT_EQ(std::vector<DWORD>(canvas.Bits, canvas.Bits + 64 * 48), before) << dotted;
        }
    }
}

// An 8-bit thumbnail file: 1,078 bytes of headers and colour table, then the rows.
std::string Thumbnail(int width, int height, BYTE background, BYTE ink) {
    int stride = (width + 3) & ~3;
    std::string file(1078 + static_cast<size_t>(stride) * height, '\0');
    BITMAPFILEHEADER* head = reinterpret_cast<BITMAPFILEHEADER*>(&file[0]);
    head->bfType = 0x4D42;
    head->bfSize = static_cast<DWORD>(file.size());
    head->bfOffBits = 1078;
    BITMAPINFOHEADER* info = reinterpret_cast<BITMAPINFOHEADER*>(&file[14]);
    *info = {sizeof(BITMAPINFOHEADER), width, height, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    RGBQUAD* colours = reinterpret_cast<RGBQUAD*>(&file[54]);
    for (int i = 0; i < 256; ++i) colours[i] = {BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            file[1078 + y * stride + x] = static_cast<char>(x > 3 && x < 8 ? ink : background);
    return file;
}

TEST(ViewDrawing, ThumbnailFilesAreDrawnCentredOnTheirBackgroundAndBrokenOnesRefused) {
    std::string path = capturetest::ScratchPath("thumb\\t.THM");
    std::string good = Thumbnail(20, 10, 200, 9);
    WriteWholeFile(path, good.data(), good.size());
    MemoryCanvas canvas(40, 30);
    RECT cell{0, 0, 40, 30};
    ASSERT_EQ(DrawCardImageFile(canvas.Dc, &cell, path.c_str()), 1);
    GdiFlush();
    auto rgb = [](int i) { return static_cast<DWORD>((i / 2) << 16 | (255 - i) << 8 | i); };  // as drawn, BGR quads
    EXPECT_EQ(canvas.Bits[0] & 0xFFFFFF, rgb(200) & 0xFFFFFF) << "the background is the commonest edge value";
    // Centred: left (40 + 1 - 20) / 2 = 10, top (30 + 1 - 10) / 2 = 10; the ink is columns 4 to 7.
    EXPECT_EQ(canvas.Bits[15 * 40 + 10 + 5] & 0xFFFFFF, rgb(9) & 0xFFFFFF);

    struct Broken {
        const char* What;
        std::string Bytes;
    };
    std::string shortRows = good.substr(0, good.size() - 7);
    std::string wideHeader = good;
    reinterpret_cast<BITMAPINFOHEADER*>(&wideHeader[14])->biWidth = 1000000;
    std::string otherDepth = good;
    reinterpret_cast<BITMAPINFOHEADER*>(&otherDepth[14])->biBitCount = 24;
    const Broken broken[] = {{"cut rows", shortRows},
                             {"width beyond the file", wideHeader},
                             {"24 bits", otherDepth},
                             {"headers only", good.substr(0, 600)},
                             {"not a bitmap", std::string(2000, 'x')}};
    for (const Broken& b : broken) {
        WriteWholeFile(path, b.Bytes.data(), b.Bytes.size());
        EXPECT_EQ(DrawCardImageFile(canvas.Dc, &cell, path.c_str()), 0) << b.What;
    }
    EXPECT_EQ(DrawCardImageFile(canvas.Dc, &cell, capturetest::ScratchPath("thumb\\none.THM").c_str()), 0);
}

TEST(ViewDrawing, PositionListsFillOnlyWhatTheyHold) {
    struct Case {
        const char* Text;
        int Read;
        std::vector<int> Values;
    };
    const Case cases[] = {{"84,120,84,0", 3, {84, 120, 84, -7}},
                          {" 36, 18,-144", 3, {36, 18, -144, -7}},
                          {"50", 1, {50, -7, -7, -7}},
                          {"", 0, {-7, -7, -7, -7}},
                          {"1,2,3,4,5,6", 3, {1, 2, 3, -7}}};
    for (const Case& c : cases) {
        std::vector<int> values(4, -7);
        EXPECT_EQ(ParsePositionList(c.Text, values.data(), 3), c.Read) << c.Text;
        EXPECT_EQ(values, c.Values) << c.Text;
    }
}

TEST(ViewDrawing, SearchTextsKeepQuotesAndBracketsLiteral) {
    struct Case {
        const char* Text;
        int LiteralWildcards;
        const char* Escaped;
    };
    const Case cases[] = {{"O'Neil", 0, "O''Neil"}, {"a[b", 0, "a[[]b"},           {"x]y", 0, "x[]]y"},
                          {"a*b?c#", 0, "a*b?c#"},  {"a*b?c#", 1, "a[*]b[?]c[#]"}, {"", 1, ""}};
    for (const Case& c : cases) {
        char out[64];
        EscapeSearchText(out, sizeof out, c.Text, c.LiteralWildcards);
        EXPECT_STREQ(out, c.Escaped) << c.Text;
    }
    char tiny[6];
    EscapeSearchText(tiny, sizeof tiny, "[[[[[[[[", 1);
    EXPECT_LT(strlen(tiny), sizeof tiny) << "a full buffer stops before a cut escape";
}

}  // namespace
