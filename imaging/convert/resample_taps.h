// One-dimensional resampling weights for 24-bit scaling: linear blending in sixteenths when
// enlarging, exact area averages when reducing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixwell {

struct ResampleTap {
    int source;
    int weight;
};

class CResampleTaps {
public:
    CResampleTaps(int sourceCount, int targetCount);

    int TargetCount() const { return static_cast<int>(begin_.size()) - 1; }
    int Divisor() const { return divisor_; }
    const ResampleTap* Begin(int target) const { return taps_.data() + begin_[target]; }
    const ResampleTap* End(int target) const { return taps_.data() + begin_[target + 1]; }

    // out[j * outStride + c] for every target j and every c below `width`, from
    // in[i * inStride + c]: whole lines resampled together.
    void Apply(const uint8_t* in, size_t inStride, uint8_t* out, size_t outStride, int width) const;

    // One line of pixels of `channels` interleaved bytes, each channel resampled alike.
    void ApplyAcross(const uint8_t* in, uint8_t* out, int channels) const;

private:
    template <typename Action>
    void WithDivision(Action action) const;
    void BuildEnlarging(int sourceCount, int targetCount);
    void BuildReducing(int sourceCount, int targetCount);
    void BuildEqual(int count);
    void Add(int source, int weight) { taps_.push_back({source, weight}); }
    void CloseTarget() { begin_.push_back(static_cast<int>(taps_.size())); }

    std::vector<ResampleTap> taps_;
    std::vector<int> begin_;
    int divisor_ = 1;
};

}  // namespace pixwell
