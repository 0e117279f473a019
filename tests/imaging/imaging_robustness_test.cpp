// Thousands of deterministic mutations of the fixtures go through the reading exports of
// RastBMP32 and through every Pixwell export: no crash, no hang, no global block left behind.
#include "bmp_builder.h"
#include "imaging_test_support.h"
#include <algorithm>

using namespace imagingtest;

namespace {

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t Next() { return state_ = state_ * 1664525u + 1013904223u; }
    uint32_t Below(uint32_t n) { return n ? (Next() >> 8) % n : 0; }

private:
    uint32_t state_;
};

std::vector<std::vector<BYTE>> Seeds() {
    std::vector<std::vector<BYTE>> seeds;
    for (const char* name : {"im_rgb24", "im_pal8", "im_pal4", "im_bw1", "im_rle8", "im_rle8_shapes", "im_core24",
                             "im_core8", "im_argb32", "pil_grey8", "topdown_rgb24"})
        seeds.push_back(ReadFileBytes(FixturePath(std::string(name) + ".bmp")));
    BmpSpec rle4 = Spec(4, 7, 3);
    rle4.compression = BI_RLE4;
    rle4.table.assign(16, RGBQUAD{1, 2, 3, 0});
    rle4.pixels = {7, 0x12, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 2, 2, 1, 3, 0x77, 0, 1};
    seeds.push_back(BuildBmp(rle4));
    BmpSpec deep = Spec(16, 5, 4);
    deep.pixels.assign(48, 0x5A);
    seeds.push_back(BuildBmp(deep));
    return seeds;
}

// Header fields worth attacking, with values that break naive arithmetic.
const size_t kFieldOffsets[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46};
const uint32_t kNastyValues[] = {0,       1,          2,          3,          12,         40,    0xFFFF, 0x8000,
                                 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF0, 32767, 32768,  1000};

std::vector<BYTE> Mutate(const std::vector<BYTE>& seed, Random& random) {
    std::vector<BYTE> bytes = seed;
    const int mutations = 1 + static_cast<int>(random.Below(3));
    for (int m = 0; m < mutations && !bytes.empty(); ++m) {
        switch (random.Below(4)) {
        case 0:  // cut the file short
            bytes.resize(random.Below(static_cast<uint32_t>(bytes.size())));
            break;
        case 1: {  // a header field set to a nasty value
            const size_t offset = kFieldOffsets[random.Below(std::size(kFieldOffsets))];
            const uint32_t value = kNastyValues[random.Below(std::size(kNastyValues))];
            const size_t width = random.Below(2) ? 4 : 2;
            if (offset + width <= bytes.size()) Patch(bytes, offset, value, width);
            break;
        }
        case 2:  // random bytes anywhere
            for (int i = 0, n = 1 + static_cast<int>(random.Below(8)); i < n; ++i)
                bytes[random.Below(static_cast<uint32_t>(bytes.size()))] = static_cast<BYTE>(random.Next() >> 24);
            break;
        default:  // random bytes in the pixel or run-length data
            for (int i = 0, n = 1 + static_cast<int>(random.Below(16)); i < n; ++i) {
                const uint32_t start = std::min<uint32_t>(54, static_cast<uint32_t>(bytes.size()));
                bytes[start + random.Below(static_cast<uint32_t>(bytes.size()) - start)] =
                    static_cast<BYTE>(random.Next() >> 24);
            }
            break;
        }
    }
    return bytes;
}

void ReadThroughRast(const Rast& rast, const std::string& path, bool wantPalette, Random& random) {
    OpenedFile file(path, false);
    RastImageHeader header{};
    if (!rast.readHeader(file.get(), &header, wantPalette ? 1 : 0)) return;
    if (header.palette) DeleteObject(header.palette);
    const int bits = header.bitsPerPixel == 16 || header.bitsPerPixel == 32 ? 24 : header.bitsPerPixel;
    const int64_t needed = static_cast<int64_t>(RowBytes(bits, header.width)) * header.height;
    // A large header gets a small block: the module has to refuse it rather than write past.
    const size_t size = needed > (4 << 20) ? 4096 : static_cast<size_t>(needed) + random.Below(3);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(size, 1));
    RastImageData data{static_cast<long>(size), RAST_DATA_GLOBAL, block, HFILE_ERROR, nullptr};
    rast.readDibImg(file.get(), &data, 0);
    EXPECT_TRUE(IsReturnedUnlocked(block));
    GlobalFree(block);
}

void FreeResult(HGLOBAL result) {
    if (!result) return;
    EXPECT_TRUE(IsReturnedUnlocked(result));
    GlobalFree(result);
}

// The mutated file without its file header, as a packed DIB in a block of exactly its size.
void ConvertThroughPixwell(const Pixwell& px, const std::vector<BYTE>& bytes, Random& random) {
    if (bytes.size() <= 14) return;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, bytes.size() - 14);
    std::copy(bytes.begin() + 14, bytes.end(), static_cast<BYTE*>(GlobalLock(dib)));
    GlobalUnlock(dib);
    FreeResult(px.color2Gray(dib));
    FreeResult(px.bw2Gray(dib));
    const RECT rect{static_cast<LONG>(random.Below(40)) - 5, static_cast<LONG>(random.Below(40)) - 5,
                    static_cast<LONG>(random.Below(80)), static_cast<LONG>(random.Below(80))};
    FreeResult(px.copyDib(dib, &rect));
    const double factors[] = {0.3, 0.5, 1.0, 1.7, 3.0};
    FreeResult(px.scaleImage(dib, factors[random.Below(5)], factors[random.Below(5)]));
    RECT out;
    px.getBorder(dib, &out, static_cast<int>(random.Below(2)));
    EXPECT_TRUE(IsReturnedUnlocked(dib));
    GlobalFree(dib);
}

// Busy entries of the process heap, where global blocks live.
size_t BusyHeapEntries() {
    HANDLE heap = GetProcessHeap();
    size_t busy = 0;
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
    HeapUnlock(heap);
    return busy;
}

}  // namespace

TEST(ImagingRobustness, MutatedFilesAndBlocksFailCleanly) {
    Rast rast;
    Pixwell px;
    const std::vector<std::vector<BYTE>> seeds = Seeds();
    for (const auto& seed : seeds) ASSERT_GT(seed.size(), 54u);
    const std::string path = WorkPath("mutant.bmp");
    Random random(20240607);
    constexpr int kRounds = 3000;
    size_t busyAfterWarmUp = 0;
    for (int round = 0; round < kRounds; ++round) {
        if (round == 100) busyAfterWarmUp = BusyHeapEntries();
        const std::vector<BYTE> bytes = Mutate(seeds[round % seeds.size()], random);
        WriteFileBytes(path, bytes);
        ReadThroughRast(rast, path, round % 2 == 0, random);
        ConvertThroughPixwell(px, bytes, random);
        if (HasFailure()) FAIL() << "round " << round;
    }
    // Every block the libraries made was freed here; blocks they kept would pile up.
    EXPECT_LE(BusyHeapEntries(), busyAfterWarmUp + 16) << "process heap entries grew over " << kRounds << " rounds";
}
