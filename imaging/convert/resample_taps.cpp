#include "resample_taps.h"
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace pixwell {

CResampleTaps::CResampleTaps(int sourceCount, int targetCount) {
    begin_.push_back(0);
    if (targetCount > sourceCount) BuildEnlarging(sourceCount, targetCount);
    else if (targetCount < sourceCount) BuildReducing(sourceCount, targetCount);
    else BuildEqual(sourceCount);
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

namespace {

// A weighted sum divided by the taps' divisor. The weights of one target add up to the
// divisor, so no sum exceeds 255 x divisor and every quotient is a byte.
struct ShiftDivision {
    int shift;
    uint32_t operator()(uint32_t sum) const { return sum >> shift; }
};

// floor(2^32 / d) + 1 as a multiplier gives sum / d exactly while 255 x d x d < 2^32.
struct ReciprocalDivision {
    uint32_t factor;
    uint32_t operator()(uint32_t sum) const {
        return static_cast<uint32_t>((static_cast<uint64_t>(sum) * factor) >> 32);
    }
};

struct PlainDivision {
    uint64_t divisor;
    uint64_t operator()(uint64_t sum) const { return sum / divisor; }
};

constexpr uint32_t kLargestReciprocalDivisor = 4104;
constexpr uint32_t kLargest32BitDivisor = 0xFFFFFFFFu / 255;

template <typename Sum, typename Division>
void ApplyLines(const CResampleTaps& taps, Division divide, const uint8_t* in, size_t inStride, uint8_t* out,
                size_t outStride, int width, Sum* sums) {
    for (int j = 0; j < taps.TargetCount(); ++j) {
        const ResampleTap* t = taps.Begin(j);
        const uint8_t* first = in + static_cast<size_t>(t->source) * inStride;
        const Sum firstWeight = static_cast<Sum>(t->weight);
        for (int c = 0; c < width; ++c) sums[c] = firstWeight * first[c];
        for (++t; t != taps.End(j); ++t) {
            const uint8_t* line = in + static_cast<size_t>(t->source) * inStride;
            const Sum weight = static_cast<Sum>(t->weight);
            for (int c = 0; c < width; ++c) sums[c] += weight * line[c];
        }
        uint8_t* target = out + static_cast<size_t>(j) * outStride;
        for (int c = 0; c < width; ++c) target[c] = static_cast<uint8_t>(divide(sums[c]));
    }
}

template <typename Sum, typename Division, int Channels>
void ApplyPixels(const CResampleTaps& taps, Division divide, const uint8_t* in, uint8_t* out) {
    for (int j = 0; j < taps.TargetCount(); ++j, out += Channels) {
        Sum sums[Channels] = {};
        for (const ResampleTap* t = taps.Begin(j); t != taps.End(j); ++t) {
            const uint8_t* pixel = in + static_cast<size_t>(t->source) * Channels;
            const Sum weight = static_cast<Sum>(t->weight);
            for (int c = 0; c < Channels; ++c) sums[c] += weight * pixel[c];
        }
        for (int c = 0; c < Channels; ++c) out[c] = static_cast<uint8_t>(divide(sums[c]));
    }
}

}  // namespace

// Calls action(division, sumTag) with the cheapest exact division for the divisor, the sum
// tag's type being wide enough for every sum.
template <typename Action>
void CResampleTaps::WithDivision(Action action) const {
    const uint32_t d = static_cast<uint32_t>(divisor_);
    if ((d & (d - 1)) == 0) {
        int shift = 0;
        while ((1u << shift) < d) ++shift;
        action(ShiftDivision{shift}, uint32_t{});
    } else if (d <= kLargestReciprocalDivisor) {
        action(ReciprocalDivision{static_cast<uint32_t>((uint64_t{1} << 32) / d + 1)}, uint32_t{});
    } else if (d <= kLargest32BitDivisor) {
        action(PlainDivision{d}, uint32_t{});
    } else {
        action(PlainDivision{d}, uint64_t{});
    }
}

void CResampleTaps::Apply(const uint8_t* in, size_t inStride, uint8_t* out, size_t outStride, int width) const {
    WithDivision([&](auto divide, auto sumTag) {
        std::vector<decltype(sumTag)> sums(width);
        ApplyLines(*this, divide, in, inStride, out, outStride, width, sums.data());
    });
}

void CResampleTaps::ApplyAcross(const uint8_t* in, uint8_t* out, int channels) const {
    WithDivision([&](auto divide, auto sumTag) {
        using Sum = decltype(sumTag);
        if (channels == 3) ApplyPixels<Sum, decltype(divide), 3>(*this, divide, in, out);
        else ApplyLines(*this, divide, in, channels, out, channels, channels, std::vector<Sum>(channels).data());
    });
}

}  // namespace pixwell
