#include "grey_rows.h"
#include <cstdint>
#include <cstring>
#include <emmintrin.h>
#include <tmmintrin.h>

namespace pixwell {
namespace {

// (sum * 5243) >> 19 equals sum / 100 for every weighted sum up to 255 x 100, which lets the
// vector path divide with one high multiply.
constexpr int kHundredthFactor = 5243;
constexpr int kHundredthShift = 19;

inline BYTE GreyOf(const BYTE* bgr) {
    const unsigned sum = 30u * bgr[2] + 59u * bgr[1] + 11u * bgr[0];
    return static_cast<BYTE>((sum * kHundredthFactor) >> kHundredthShift);
}

// Eight weighted sums from eight pixels (24 bytes); each load reads 16 bytes for 4 pixels.
__attribute__((target("ssse3"))) inline __m128i EightSums(const BYTE* bgr) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i weights = _mm_setr_epi8(11, 59, 30, 0, 11, 59, 30, 0, 11, 59, 30, 0, 11, 59, 30, 0);
    const __m128i first = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr)), spread);
    const __m128i second = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 12)), spread);
    // Per pixel 11 x blue + 59 x green and 30 x red, then the two added.
    return _mm_hadd_epi16(_mm_maddubs_epi16(first, weights), _mm_maddubs_epi16(second, weights));
}

__attribute__((target("ssse3"))) inline __m128i EightGreys(const BYTE* bgr) {
    const __m128i sums = EightSums(bgr);
    return _mm_srli_epi16(_mm_mulhi_epu16(sums, _mm_set1_epi16(kHundredthFactor)), kHundredthShift - 16);
}

// Sixteen pixels a step; the last load of a step reads 4 bytes past its 48, so steps stop
// while those bytes are still pixels of the row.
__attribute__((target("ssse3"))) int ColourRowVector(const BYTE* bgr, BYTE* grey, int width) {
    int x = 0;
    for (; x + 18 <= width; x += 16, bgr += 48, grey += 16) {
        const __m128i packed = _mm_packus_epi16(EightGreys(bgr), EightGreys(bgr + 24));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(grey), packed);
    }
    return x;
}

bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

}  // namespace

void ColourRowToGrey(const BYTE* bgr, BYTE* grey, int width) {
    const int done = HasSsse3() ? ColourRowVector(bgr, grey, width) : 0;
    for (int x = done; x < width; ++x) grey[x] = GreyOf(bgr + 3 * x);
}

void BitRowToGrey(const BYTE* bits, BYTE* grey, int width) {
    const int whole = width / 8;
    // Each byte spread over the eight bytes of its pixels, then every pixel byte compared
    // with its own bit.
    const __m128i bitOfByte = _mm_set1_epi64x(0x0102040810204080LL);
    int i = 0;
    for (; i + 16 <= whole; i += 16) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bits + i));
        const __m128i pairs[2] = {_mm_unpacklo_epi8(source, source), _mm_unpackhi_epi8(source, source)};
        BYTE* out = grey + 8 * i;
        for (const __m128i& pair : pairs) {
            const __m128i quads[2] = {_mm_unpacklo_epi16(pair, pair), _mm_unpackhi_epi16(pair, pair)};
            for (const __m128i& quad : quads) {
                const __m128i octets[2] = {_mm_unpacklo_epi32(quad, quad), _mm_unpackhi_epi32(quad, quad)};
                for (const __m128i& octet : octets) {
                    const __m128i set = _mm_cmpeq_epi8(_mm_and_si128(octet, bitOfByte), bitOfByte);
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), set);
                    out += 16;
                }
            }
        }
    }
    for (; i < whole; ++i)
        for (int bit = 0; bit < 8; ++bit) grey[8 * i + bit] = (bits[i] & (0x80 >> bit)) ? 255 : 0;
    for (int x = whole * 8; x < width; ++x) grey[x] = (bits[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
}

}  // namespace pixwell
