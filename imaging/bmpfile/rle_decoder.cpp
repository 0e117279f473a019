#include "rle_decoder.h"
#include <cstring>

namespace rastbmp {
namespace {

class CRleDecoder {
public:
    CRleDecoder(const BYTE* data, size_t size, const RleTarget& target, void (*lineDone)(void*, int), void* context)
        : data_(data), end_(data + size), target_(target), lineDone_(lineDone), context_(context),
          // Pixels a row can hold up to its padding: some writers round odd runs up.
          rowPixels_(target.rowBytes * 8 / target.bits) {}

    bool Run() {
        while (y_ < target_.height) {
            BYTE code[2];
            if (!Take(code, 2)) return false;
            if (code[0] != 0) {
                if (!Repeat(code[0], code[1])) return false;
                continue;
            }
            switch (code[1]) {
            case 0: NextLine(); break;
            case 1: return true;
            case 2:
                if (!Delta()) return false;
                break;
            default:
                if (!Absolute(code[1])) return false;
                break;
            }
        }
        return true;
    }

private:
    bool Take(BYTE* out, size_t count) {
        if (static_cast<size_t>(end_ - data_) < count) return false;
        std::memcpy(out, data_, count);
        data_ += count;
        return true;
    }

    bool Fits(int count) const { return x_ + count <= rowPixels_; }

    void Put(int x, BYTE value) {
        BYTE* row = target_.pixels + static_cast<size_t>(y_) * target_.rowBytes;
        if (target_.bits == 8) {
            row[x] = value;
        } else if (x & 1) {
            row[x >> 1] = static_cast<BYTE>((row[x >> 1] & 0xF0) | (value & 0x0F));
        } else {
            row[x >> 1] = static_cast<BYTE>((row[x >> 1] & 0x0F) | (value << 4));
        }
    }

    bool Repeat(int count, BYTE value) {
        if (!Fits(count)) return false;
        if (target_.bits == 8) {
            std::memset(target_.pixels + static_cast<size_t>(y_) * target_.rowBytes + x_, value, count);
            x_ += count;
            return true;
        }
        for (int i = 0; i < count; ++i, ++x_) Put(x_, (i & 1) ? (value & 0x0F) : (value >> 4));
        return true;
    }

    bool Absolute(int count) {
        const size_t bytes = target_.bits == 8 ? count : (count + 1) / 2;
        const size_t padded = (bytes + 1) & ~static_cast<size_t>(1);
        if (!Fits(count) || static_cast<size_t>(end_ - data_) < padded) return false;
        for (int i = 0; i < count; ++i, ++x_) {
            const BYTE b = target_.bits == 8 ? data_[i] : data_[i >> 1];
            Put(x_, target_.bits == 8 ? b : ((i & 1) ? (b & 0x0F) : (b >> 4)));
        }
        data_ += padded;
        return true;
    }

    bool Delta() {
        BYTE move[2];
        if (!Take(move, 2)) return false;
        if (x_ + move[0] > rowPixels_ || y_ + move[1] > target_.height) return false;
        for (int i = 0; i < move[1]; ++i) lineDone_(context_, y_ + i + 1);
        x_ += move[0];
        y_ += move[1];
        return true;
    }

    void NextLine() {
        ++y_;
        x_ = 0;
        lineDone_(context_, y_);
    }

    const BYTE* data_;
    const BYTE* end_;
    RleTarget target_;
    void (*lineDone_)(void*, int);
    void* context_;
    int rowPixels_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

bool DecodeRle(const BYTE* data, size_t size, const RleTarget& target, void (*lineDone)(void*, int), void* context) {
    return CRleDecoder(data, size, target, lineDone, context).Run();
}

}  // namespace rastbmp
