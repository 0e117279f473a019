#include "dib_layout.h"
#include "packed_dib.h"
#include "resample_taps.h"
#include "two_level_enlarge.h"
#include "pixwell_core.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <emmintrin.h>

namespace pixwell {
namespace {

// Source and target of one scaling, rows in stored order.
struct ScaleJob {
    const BYTE* source;
    int width, height, sourceRowBytes;
    BYTE* target;
    int newWidth, newHeight, targetRowBytes;
    int scaledWidth;  // trunc(x * width); a 1-bit target is filled wider, to its padded row
    bool enlarging;
};

// ---- 1 bit ----

std::vector<BYTE> UnpackBits(const ScaleJob& job) {
    std::vector<BYTE> map(BufferBytes(job.width, job.height, 1), 0);
    for (int y = 2; y < job.height - 2; ++y) {
        const BYTE* row = job.source + static_cast<size_t>(y) * job.sourceRowBytes;
        for (int x = 2; x < job.width - 2; ++x)
            map[static_cast<size_t>(y) * job.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
    return map;
}

void PackBits(const std::vector<BYTE>& map, const ScaleJob& job) {
    for (int y = 0; y < job.newHeight; ++y) {
        BYTE* row = job.target + static_cast<size_t>(y) * job.targetRowBytes;
        const BYTE* values = &map[static_cast<size_t>(y) * job.newWidth];
        for (int x = 0; x < job.newWidth; ++x)
            if (values[x]) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
    }
}

// Source index of target index i for nearest-neighbour sampling at count / newCount, for
// `filled` target indexes (newCount unless a 1-bit row is filled past it).
std::vector<int> NearestIndexes(int count, int newCount, int filled) {
    const float ratio = static_cast<float>(count) / static_cast<float>(newCount);
    std::vector<int> indexes(BufferBytes(filled, sizeof(int)) / sizeof(int));
    for (int i = 0; i < filled; ++i) indexes[i] = std::min(static_cast<int>(ratio * static_cast<float>(i)), count - 1);
    return indexes;
}

void ScaleBits(const ScaleJob& job) {
    if (job.enlarging) {
        PackBits(EnlargeTwoLevel(UnpackBits(job), job.width, job.height, job.newWidth, job.newHeight), job);
        return;
    }
    const std::vector<int> columns = NearestIndexes(job.width, job.scaledWidth, job.newWidth);
    const std::vector<int> rows = NearestIndexes(job.height, job.newHeight, job.newHeight);
    for (int y = 0; y < job.newHeight; ++y) {
        const BYTE* in = job.source + static_cast<size_t>(rows[y]) * job.sourceRowBytes;
        BYTE* out = job.target + static_cast<size_t>(y) * job.targetRowBytes;
        for (int x = 0; x < job.newWidth; ++x)
            if ((in[columns[x] >> 3] >> (7 - (columns[x] & 7))) & 1) out[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
    }
}

// ---- edges (8 and 24 bits, enlarging) ----

// 1 where the Laplacian summed over the channels reaches 300, enlarged to the new size.
std::vector<BYTE> EdgeMap(const ScaleJob& job, int channels) {
    std::vector<BYTE> map(BufferBytes(job.width, job.height, 1), 0);
    const int stride = job.sourceRowBytes;
    for (int y = 1; y < job.height - 1; ++y) {
        const BYTE* row = job.source + static_cast<size_t>(y) * stride;
        for (int x = 1; x < job.width - 1; ++x) {
            int sum = 0;
            for (int c = 0; c < channels; ++c) {
                const BYTE* p = row + x * channels + c;
                sum += std::abs(p[-stride] + p[stride] + p[-channels] + p[channels] - 4 * p[0]);
            }
            map[static_cast<size_t>(y) * job.width + x] = sum >= 300;
        }
    }
    return EnlargeTwoLevel(map, job.width, job.height, job.newWidth, job.newHeight);
}

// 0xFF for each byte of an edge pixel of one row, 0 elsewhere.
template <int Channels>
void SpreadEdgeRow(const BYTE* isEdge, int width, BYTE* mask) {
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < Channels; ++c) mask[x * Channels + c] = static_cast<BYTE>(-isEdge[x]);
}

// row[c] = mean of up[c], below[c], here[c - step] and here[c + step] where mask[c] is set,
// here[c] elsewhere, for c from `from` to `to`.
void TakeMeansWhereMasked(BYTE* row, const BYTE* up, const BYTE* here, const BYTE* below, const BYTE* mask, size_t step,
                          size_t from, size_t to) {
    const __m128i zero = _mm_setzero_si128();
    auto widen = [&](const BYTE* p, bool high) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return high ? _mm_unpackhi_epi8(v, zero) : _mm_unpacklo_epi8(v, zero);
    };
    size_t c = from;
    for (; c + 16 <= to; c += 16) {
        __m128i halves[2];
        for (int h = 0; h < 2; ++h) {
            const __m128i sum = _mm_add_epi16(_mm_add_epi16(widen(up + c, h), widen(below + c, h)),
                                              _mm_add_epi16(widen(here + c - step, h), widen(here + c + step, h)));
            halves[h] = _mm_srli_epi16(sum, 2);
        }
        const __m128i mean = _mm_packus_epi16(halves[0], halves[1]);
        const __m128i take = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + c));
        const __m128i kept = _mm_loadu_si128(reinterpret_cast<const __m128i*>(here + c));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + c),
                         _mm_or_si128(_mm_and_si128(take, mean), _mm_andnot_si128(take, kept)));
    }
    for (; c < to; ++c)
        if (mask[c]) row[c] = static_cast<BYTE>((up[c] + below[c] + here[c - step] + here[c + step]) >> 2);
}

// Three passes that replace every inner edge pixel by the mean of its four neighbours, as
// they were before the pass. Rows are done top to bottom in place, so only the row above and
// the row itself need keeping as they were; the row below is still untouched.
void SmoothEdges(const ScaleJob& job, const std::vector<BYTE>& edges, int channels) {
    if (job.newWidth < 3 || job.newHeight < 3) return;
    const size_t stride = job.targetRowBytes;
    const size_t step = channels;
    const size_t end = static_cast<size_t>(job.newWidth - 1) * channels;
    std::vector<BYTE> above(stride), current(stride), mask(stride);
    for (int pass = 0; pass < 3; ++pass) {
        std::memcpy(above.data(), job.target, stride);
        for (int y = 1; y < job.newHeight - 1; ++y) {
            BYTE* row = job.target + y * stride;
            const BYTE* isEdge = &edges[static_cast<size_t>(y) * job.newWidth];
            std::memcpy(current.data(), row, stride);
            if (channels == 3) SpreadEdgeRow<3>(isEdge, job.newWidth, mask.data());
            else SpreadEdgeRow<1>(isEdge, job.newWidth, mask.data());
            TakeMeansWhereMasked(row, above.data(), current.data(), row + stride, mask.data(), step, step, end);
            above.swap(current);
        }
    }
}

// ---- 8 bits ----

void ScaleGreyNearest(const ScaleJob& job) {
    const std::vector<int> columns = NearestIndexes(job.width, job.newWidth, job.newWidth);
    const std::vector<int> rows = NearestIndexes(job.height, job.newHeight, job.newHeight);
    for (int y = 0; y < job.newHeight; ++y) {
        const BYTE* in = job.source + static_cast<size_t>(rows[y]) * job.sourceRowBytes;
        BYTE* out = job.target + static_cast<size_t>(y) * job.targetRowBytes;
        for (int x = 0; x < job.newWidth; ++x) out[x] = in[columns[x]];
    }
}

void ScaleGreyBilinear(const ScaleJob& job) {
    const float l = static_cast<float>(job.width) / static_cast<float>(job.newWidth);
    const float m = static_cast<float>(job.height) / static_cast<float>(job.newHeight);
    for (int y = 0; y < job.newHeight; ++y) {
        const float sy = m * static_cast<float>(y);
        const int iy = std::min(static_cast<int>(sy), job.height - 1);
        const float fy = sy - static_cast<float>(iy);
        const BYTE* row0 = job.source + static_cast<size_t>(iy) * job.sourceRowBytes;
        const BYTE* row1 = iy + 1 < job.height ? row0 + job.sourceRowBytes : row0;
        BYTE* out = job.target + static_cast<size_t>(y) * job.targetRowBytes;
        for (int x = 0; x < job.newWidth; ++x) {
            const float sx = l * static_cast<float>(x);
            const int ix = std::min(static_cast<int>(sx), job.width - 1);
            const float fx = sx - static_cast<float>(ix);
            const int ix1 = ix + 1 < job.width ? ix + 1 : ix;
            const float value = row0[ix] * (1 - fx) * (1 - fy) + row0[ix1] * fx * (1 - fy) + row1[ix] * (1 - fx) * fy +
                                row1[ix1] * fx * fy + 0.5f;
            out[x] = static_cast<BYTE>(std::min(value, 255.0f));
        }
    }
}

void ScaleGrey(const ScaleJob& job) {
    if (!job.enlarging) {
        ScaleGreyNearest(job);
        return;
    }
    const std::vector<BYTE> edges = EdgeMap(job, 1);
    ScaleGreyBilinear(job);
    SmoothEdges(job, edges, 1);
}

// ---- 24 bits ----

void ScaleColour(const ScaleJob& job) {
    const std::vector<BYTE> edges = job.enlarging ? EdgeMap(job, 3) : std::vector<BYTE>();
    const CResampleTaps across(job.width, job.newWidth);
    const CResampleTaps down(job.height, job.newHeight);
    const size_t wideRow = BufferBytes(job.newWidth, 3);
    std::vector<BYTE> wideRows(BufferBytes(job.newWidth, job.height, 3));
    for (int y = 0; y < job.height; ++y)
        across.ApplyAcross(job.source + static_cast<size_t>(y) * job.sourceRowBytes, &wideRows[y * wideRow], 3);
    down.Apply(wideRows.data(), wideRow, job.target, job.targetRowBytes, static_cast<int>(wideRow));
    if (job.enlarging) SmoothEdges(job, edges, 3);
}

// False when the working buffers cannot be had (or would not fit the process at all).
bool RunScale(const ScaleJob& job, int bits) {
    try {
        if (bits == 1) ScaleBits(job);
        else if (bits == 8) ScaleGrey(job);
        else ScaleColour(job);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

// New size of one side, or 0 when it is empty or too large to hold.
int ScaledSize(float factor, int size) {
    const double scaled = std::trunc(static_cast<double>(factor) * size);
    return scaled >= 1 && scaled <= 0x3FFFFFFF ? static_cast<int>(scaled) : 0;
}

}  // namespace

HGLOBAL ScaleImage(HGLOBAL dib, float x, float y) {
    if (!dib || !(x > 0) || !(y > 0)) return nullptr;
    CPackedDib source;
    if (!source.Attach(dib)) return nullptr;
    const int bits = source.Bits();
    if (bits != 1 && bits != 8 && bits != 24) return nullptr;
    const int width = source.Width();
    const int height = source.Rows();
    const int scaledWidth = ScaledSize(x, width);
    const int newHeight = ScaledSize(y, height);
    if (scaledWidth == 0 || newHeight == 0) return nullptr;
    const int64_t rowBytes = RowBytesForBits(bits, scaledWidth);
    // A 1-bit row is filled to its padded end, so the image is that wide.
    const int newWidth = bits == 1 ? static_cast<int>(rowBytes * 8) : scaledWidth;

    BITMAPINFOHEADER header = source.Header();
    header.biWidth = newWidth;
    header.biHeight = source.Height() < 0 ? -newHeight : newHeight;
    header.biSizeImage = static_cast<DWORD>(rowBytes * newHeight);
    const int entries = TableEntriesForBits(bits);
    HGLOBAL scaled = NewPackedDib(header, source.Table(), entries, rowBytes, newHeight);
    if (!scaled) return nullptr;
    bool done = false;
    {
        CLockedDib target(scaled);
        if (target.Header()) {
            const ScaleJob job{source.Pixels(),
                               width,
                               height,
                               source.RowBytes(),
                               target.Pixels(entries),
                               newWidth,
                               newHeight,
                               static_cast<int>(rowBytes),
                               scaledWidth,
                               width < scaledWidth && height < newHeight};
            done = RunScale(job, bits);
        }
    }
    if (!done) {
        GlobalFree(scaled);
        return nullptr;
    }
    return scaled;
}

}  // namespace pixwell
