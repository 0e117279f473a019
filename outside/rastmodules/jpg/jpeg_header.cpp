// The markers of a JPEG file up to its first scan: the frame header gives the size and the
// components, a JFIF segment the resolution. Nothing is decoded, so a file that declares a huge
// picture costs no more to look at than a small one.
#include "jpeg_header.h"

namespace rastmodule {

namespace {

struct Frame {
    int width = 0, height = 0, components = 0;
    int maxH = 1, maxV = 1;  // the largest sampling factors: one MCU covers 8 maxH x 8 maxV pixels
    bool huffman = true;
};

bool IsFrameMarker(uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

bool ReadFrame(const uint8_t* body, size_t length, uint8_t marker, Frame& frame) {
    if (length < 6) return false;
    frame.height = body[1] << 8 | body[2];
    frame.width = body[3] << 8 | body[4];
    frame.components = body[5];
    frame.huffman = marker < 0xC9;
    if (frame.components == 0 || length < 6 + 3 * (size_t)frame.components) return false;
    for (int c = 0; c < frame.components; ++c) {
        const uint8_t sampling = body[6 + 3 * c + 1];
        frame.maxH = (sampling >> 4) > frame.maxH ? sampling >> 4 : frame.maxH;
        frame.maxV = (sampling & 15) > frame.maxV ? sampling & 15 : frame.maxV;
    }
    return true;
}

// Dots per inch of a JFIF segment's density (units 1: per inch, 2: per centimetre).
void ReadDensity(const uint8_t* body, size_t length, RasterDescription& d) {
    static const uint8_t kJfif[5] = {'J', 'F', 'I', 'F', 0};
    if (length < 12) return;
    for (int i = 0; i < 5; ++i)
        if (body[i] != kJfif[i]) return;
    const double scale = body[7] == 1 ? 1.0 : body[7] == 2 ? 2.54 : 0.0;
    d.xDpi = ReportedDpi((body[8] << 8 | body[9]) * scale);
    d.yDpi = ReportedDpi((body[10] << 8 | body[11]) * scale);
}

// Every MCU of a Huffman-coded scan takes at least one bit (a DC code of one bit at least).
bool DataCanHoldFrame(const Frame& frame, uint64_t entropyBytes) {
    if (!frame.huffman) return entropyBytes > 0;
    const uint64_t across = ((uint64_t)frame.width + 8 * frame.maxH - 1) / (8 * frame.maxH);
    const uint64_t down = ((uint64_t)frame.height + 8 * frame.maxV - 1) / (8 * frame.maxV);
    return entropyBytes * 8 >= across * down;
}

}  // namespace

bool JpegReadDescription(const std::vector<uint8_t>& f, RasterDescription& d) {
    if (f.size() < 4 || f[0] != 0xFF || f[1] != 0xD8) return false;
    d = RasterDescription{};
    Frame frame;
    bool haveFrame = false;
    for (size_t at = 2;;) {
        while (at + 1 < f.size() && f[at] == 0xFF && f[at + 1] == 0xFF) ++at;  // fill bytes
        if (at + 4 > f.size() || f[at] != 0xFF) return false;
        const uint8_t marker = f[at + 1];
        const size_t length = (size_t)(f[at + 2] << 8 | f[at + 3]);
        if (length < 2 || at + 2 + length > f.size()) return false;
        const uint8_t* body = &f[at + 4];
        if (IsFrameMarker(marker)) {
            if (haveFrame || !ReadFrame(body, length - 2, marker, frame)) return false;
            haveFrame = true;
        } else if (marker == 0xE0) {
            ReadDensity(body, length - 2, d);
        } else if (marker == 0xDA) {
            if (!haveFrame || frame.width == 0 || frame.height == 0) return false;
            if (!DataCanHoldFrame(frame, f.size() - (at + 2 + length))) return false;
            d.width = frame.width;
            d.height = frame.height;
            d.bits = frame.components == 1 ? 8 : 24;
            if (d.bits == 8) d.palette = DefaultPalette(8);
            return true;
        } else if (marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) {
            return false;  // no marker without a segment belongs before the first scan
        }
        at += 2 + length;
    }
}

}  // namespace rastmodule
