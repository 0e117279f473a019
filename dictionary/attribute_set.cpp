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

CAttributeSet CAttributeSet::Intersect(const CAttributeSet& other) const {
    CAttributeSet both;
    for (int i = 0; i < kBytes; ++i) both.bits_[i] = static_cast<uint8_t>(bits_[i] & other.bits_[i]);
    return both;
}

CAttributeSet CAttributeSet::Only(int bit) {
    CAttributeSet set;
    set.Set(bit);
    return set;
}

namespace {
int g_attributeSize = CAttributeSet::kBytes;
}  // namespace

int AttributeSize() { return g_attributeSize; }

void RaiseAttributeSize(int size) {
    if (size > g_attributeSize) g_attributeSize = size;
}
