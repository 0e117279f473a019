#include "resample_taps.h"
#include <algorithm>
#include <cmath>
#include <numeric>

namespace pixwell {

CResampleTaps::CResampleTaps(int sourceCount, int targetCount) {
    begin_.push_back(0);
    if (targetCount > sourceCount)
        BuildEnlarging(sourceCount, targetCount);
    else if (targetCount < sourceCount)
        BuildReducing(sourceCount, targetCount);
    else
        BuildEqual(sourceCount);
}

// The ends map onto the ends; between them each target reads position (n - 1) x j / (m - 1)
// and blends its two neighbours in sixteenths.
void CResampleTaps::BuildEnlarging(int sourceCount, int targetCount) {
    divisor_ = 16;
    for (int j = 0; j < targetCount; ++j) {
        if (j == 0 || j == targetCount - 1 || sourceCount == 1) {
            Add(j == 0 ? 0 : sourceCount - 1, 16);
        } else {
            const double p = static_cast<double>(sourceCount - 1) * j / (targetCount - 1);
            const int i = p <= 1 ? 0 : static_cast<int>(std::floor(p));
            const int b = static_cast<int>((p - i) * 16);
            Add(i, 16 - b);
            if (b > 0) Add(std::min(i + 1, sourceCount - 1), b);
        }
        CloseTarget();
    }
}

// Both sides are cut into units of 1 / lcm: a source pixel is targetCount / g units wide and a
// target pixel sourceCount / g; the target is the overlap-weighted sum over its units.
void CResampleTaps::BuildReducing(int sourceCount, int targetCount) {
    const int g = std::gcd(sourceCount, targetCount);
    const int64_t sourceUnits = targetCount / g;
    const int64_t targetUnits = sourceCount / g;
    divisor_ = static_cast<int>(targetUnits);
    for (int j = 0; j < targetCount; ++j) {
        const int64_t from = j * targetUnits;
        const int64_t to = from + targetUnits;
        for (int64_t i = from / sourceUnits; i < sourceCount && i * sourceUnits < to; ++i) {
            const int64_t overlap = std::min(to, (i + 1) * sourceUnits) - std::max(from, i * sourceUnits);
            if (overlap > 0) Add(static_cast<int>(i), static_cast<int>(overlap));
        }
        CloseTarget();
    }
}

void CResampleTaps::BuildEqual(int count) {
    for (int j = 0; j < count; ++j) {
        Add(j, 1);
        CloseTarget();
    }
}

void CResampleTaps::Apply(const uint8_t* in, size_t inStride, uint8_t* out, size_t outStride, int width,
                          std::vector<int64_t>& sums) const {
    sums.resize(width);
    const int targets = TargetCount();
    for (int j = 0; j < targets; ++j) {
        std::fill(sums.begin(), sums.end(), 0);
        for (const ResampleTap* t = Begin(j); t != End(j); ++t) {
            const uint8_t* line = in + static_cast<size_t>(t->source) * inStride;
            for (int c = 0; c < width; ++c) sums[c] += static_cast<int64_t>(t->weight) * line[c];
        }
        uint8_t* target = out + static_cast<size_t>(j) * outStride;
        for (int c = 0; c < width; ++c)
            target[c] = static_cast<uint8_t>(std::clamp<int64_t>(sums[c] / divisor_, 0, 255));
    }
}

}  // namespace pixwell
