#include "dib_layout.h"
#include "packed_dib.h"
#include "resample_taps.h"
#include "two_level_enlarge.h"
#include <pixwell.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace pixwell {
namespace {

// Source and target of one scaling, rows in stored order.
struct ScaleJob {
    const BYTE* source;
    int width, height, sourceRowBytes;
    BYTE* target;
    int newWidth, newHeight, targetRowBytes;
    bool enlarging;
};

// ---- 1 bit ----

std::vector<BYTE> UnpackBits(const ScaleJob& job) {
    std::vector<BYTE> map(static_cast<size_t>(job.width) * job.height, 0);
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

// Source index of target index i for nearest-neighbour sampling.
std::vector<int> NearestIndexes(int count, int newCount) {
    const float ratio = static_cast<float>(count) / static_cast<float>(newCount);
    std::vector<int> indexes(newCount);
    for (int i = 0; i < newCount; ++i)
        indexes[i] = std::min(static_cast<int>(ratio * static_cast<float>(i)), count - 1);
    return indexes;
}

void ScaleBits(const ScaleJob& job) {
    if (job.enlarging) {
        PackBits(EnlargeTwoLevel(UnpackBits(job), job.width, job.height, job.newWidth, job.newHeight), job);
        return;
    }
    const std::vector<int> columns = NearestIndexes(job.width, job.newWidth);
    const std::vector<int> rows = NearestIndexes(job.height, job.newHeight);
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
    std::vector<BYTE> map(static_cast<size_t>(job.width) * job.height, 0);
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

// Three passes that replace every inner edge pixel by the mean of its four neighbours, as
// they were before the pass. Rows are done top to bottom in place, so only the row above and
// the row itself need keeping as they were; the row below is still untouched.
void SmoothEdges(const ScaleJob& job, const std::vector<BYTE>& edges, int channels) {
    const size_t stride = job.targetRowBytes;
    std::vector<BYTE> above(stride), current(stride);
    for (int pass = 0; pass < 3; ++pass) {
        std::memcpy(above.data(), job.target, stride);
        for (int y = 1; y < job.newHeight - 1; ++y) {
            BYTE* row = job.target + y * stride;
            std::memcpy(current.data(), row, stride);
            const BYTE* below = row + stride;
            const BYTE* isEdge = &edges[static_cast<size_t>(y) * job.newWidth];
            for (int x = 1; x < job.newWidth - 1; ++x) {
                if (!isEdge[x]) continue;
                const size_t at = static_cast<size_t>(x) * channels;
                for (size_t c = at; c < at + channels; ++c)
                    row[c] = static_cast<BYTE>((above[c] + below[c] + current[c - channels] + current[c + channels]) >> 2);
            }
            above.swap(current);
        }
    }
}

// ---- 8 bits ----

void ScaleGreyNearest(const ScaleJob& job) {
    const std::vector<int> columns = NearestIndexes(job.width, job.newWidth);
    const std::vector<int> rows = NearestIndexes(job.height, job.newHeight);
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
            const float value = row0[ix] * (1 - fx) * (1 - fy) + row0[ix1] * fx * (1 - fy) +
                                row1[ix] * (1 - fx) * fy + row1[ix1] * fx * fy + 0.5f;
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
    const size_t wideRow = static_cast<size_t>(job.newWidth) * 3;
    std::vector<BYTE> wideRows(wideRow * job.height);
    for (int y = 0; y < job.height; ++y)
        across.ApplyAcross(job.source + static_cast<size_t>(y) * job.sourceRowBytes, &wideRows[y * wideRow], 3);
    down.Apply(wideRows.data(), wideRow, job.target, job.targetRowBytes, static_cast<int>(wideRow));
    if (job.enlarging) SmoothEdges(job, edges, 3);
}

// False when the working buffers cannot be had.
bool RunScale(const ScaleJob& job, int bits) {
    try {
        if (bits == 1)
            ScaleBits(job);
        else if (bits == 8)
            ScaleGrey(job);
        else
            ScaleColour(job);
        return true;
    } catch (const std::bad_alloc&) {
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
    int newWidth = ScaledSize(x, width);
    const int newHeight = ScaledSize(y, height);
    if (newWidth == 0 || newHeight == 0) return nullptr;
    const int64_t rowBytes = RowBytesForBits(bits, newWidth);
    // A 1-bit row is filled to its padded end, so the image is that wide.
    if (bits == 1) newWidth = static_cast<int>(rowBytes * 8);

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
            const ScaleJob job{source.Pixels(), width, height, source.RowBytes(), target.Pixels(entries),
                               newWidth, newHeight, static_cast<int>(rowBytes),
                               width < newWidth && height < newHeight};
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
