#include "two_level_enlarge.h"
#include "dib_layout.h"
#include <algorithm>

namespace pixwell {
namespace {

class CTwoLevelEnlarger {
public:
    CTwoLevelEnlarger(const std::vector<BYTE>& source, int width, int height, int newWidth, int newHeight)
        : source_(source), width_(width), height_(height), newWidth_(newWidth), newHeight_(newHeight),
          sx_(static_cast<float>(newWidth) / width), sy_(static_cast<float>(newHeight) / height),
          target_(BufferBytes(newWidth, newHeight, 1), 0) {}

    std::vector<BYTE> Run() {
        for (int y = 2; y <= height_ - 3; ++y)
            for (int x = 2; x <= width_ - 3; ++x) VisitPixel(x, y);
        return std::move(target_);
    }

private:
    struct Block {
        int x0, y0, x1, y1;
    };

    bool Set(int x, int y) const { return source_[static_cast<size_t>(y) * width_ + x] != 0; }

    Block BlockOf(int x, int y) const {
        Block b{static_cast<int>(sx_) * x, static_cast<int>(y * sy_), static_cast<int>(x * sx_ + sx_ - 1),
                static_cast<int>(y * sy_ + sy_ - 1)};
        b.x1 = std::min(b.x1, newWidth_ - 1);
        b.y1 = std::min(b.y1, newHeight_ - 1);
        return b;
    }

    float HalfLeg(float scale) const {
        const float leg = (scale - 1) / 2;
        return (static_cast<int>(scale) % 2 == 1) ? leg - 1 : leg;
    }

    // Sets the pixels of the block's corner (dx, dy) that lie inside the right triangle with
    // legs legX and legY to `value`.
    void PaintCorner(const Block& b, int dx, int dy, float legX, float legY, BYTE value) {
        if (legX <= 0 || legY <= 0) return;
        const int cx = dx < 0 ? b.x0 : b.x1;
        const int cy = dy < 0 ? b.y0 : b.y1;
        for (int v = b.y0; v <= b.y1; ++v) {
            const int down = v > cy ? v - cy : cy - v;
            for (int u = b.x0; u <= b.x1; ++u) {
                const int across = u > cx ? u - cx : cx - u;
                if (across * legY + down * legX < legX * legY) target_[static_cast<size_t>(v) * newWidth_ + u] = value;
            }
        }
    }

    void VisitPixel(int x, int y) {
        const Block b = BlockOf(x, y);
        if (b.x0 > b.x1 || b.y0 > b.y1) return;
        if (Set(x, y)) FillAndCutCorners(x, y, b);
        else FillNotches(x, y, b);
    }

    void FillAndCutCorners(int x, int y, const Block& b) {
        for (int v = b.y0; v <= b.y1; ++v)
            std::fill_n(&target_[static_cast<size_t>(v) * newWidth_ + b.x0], b.x1 - b.x0 + 1, BYTE{1});
        for (int dy = -1; dy <= 1; dy += 2)
            for (int dx = -1; dx <= 1; dx += 2) {
                if (Set(x + dx, y) || Set(x, y + dy) || Set(x + dx, y + dy)) continue;
                float legX = HalfLeg(sx_);
                float legY = HalfLeg(sy_);
                const bool alongX = Set(x + dx, y - dy);
                const bool alongY = Set(x - dx, y + dy);
                if (alongX && !alongY) legX = sx_ - 2;
                else if (!alongX && alongY) legY = sy_ - 2;
                PaintCorner(b, dx, dy, legX, legY, 0);
            }
    }

    // A clear pixel in the inner corner of a diagonal staircase gets the half of its block
    // toward that corner, so that the enlarged edge runs straight.
    void FillNotches(int x, int y, const Block& b) {
        for (int dy = -1; dy <= 1; dy += 2)
            for (int dx = -1; dx <= 1; dx += 2) {
                const bool innerCorner = Set(x + dx, y) && Set(x, y + dy) && !Set(x - dx, y) && !Set(x, y - dy);
                const bool staircase =
                    Set(x + 2 * dx, y - dy) && Set(x - dx, y + 2 * dy) && !Set(x + dx, y - dy) && !Set(x - dx, y + dy);
                if (innerCorner && staircase) PaintCorner(b, dx, dy, sx_ / 2, sy_ / 2, 1);
            }
    }

    const std::vector<BYTE>& source_;
    int width_, height_, newWidth_, newHeight_;
    float sx_, sy_;
    std::vector<BYTE> target_;
};

}  // namespace

std::vector<BYTE> EnlargeTwoLevel(const std::vector<BYTE>& source, int width, int height, int newWidth, int newHeight) {
    return CTwoLevelEnlarger(source, width, height, newWidth, newHeight).Run();
}

}  // namespace pixwell
