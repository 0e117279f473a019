#include "attribute_set.h"
#include <algorithm>

CAttributeSet CAttributeSet::FromRecord(const uint8_t* record, int recordSize) {
    CAttributeSet set;
    if (record && recordSize > 0) std::memcpy(set.bits_, record, std::min(recordSize, kBytes));
    return set;
}

void CAttributeSet::Set(int bit) {
    if (bit >= 0 && bit < kBytes * 8) bits_[bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
}

bool CAttributeSet::Test(int bit) const {
    return bit >= 0 && bit < kBytes * 8 && (bits_[bit / 8] & (1u << (bit % 8))) != 0;
}

bool CAttributeSet::operator==(const CAttributeSet& other) const {
    return std::memcmp(bits_, other.bits_, kBytes) == 0;
}

CAttributeSet CAttributeSet::Only(int bit) {
    CAttributeSet set;
    set.Set(bit);
    return set;
}
