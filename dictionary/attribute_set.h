// The three-byte attribute bit set at the head of every attribute record.
#pragma once
#include <cstdint>
#include <cstring>

class CAttributeSet {
public:
    static constexpr int kBytes = 3;

    CAttributeSet() { Clear(); }
    // Reads the set from the head of a record of recordSize bytes; a shorter record is
    // zero-padded, so a truncated record can never be read past its end.
    static CAttributeSet FromRecord(const uint8_t* record, int recordSize);

    void Clear() { std::memset(bits_, 0, sizeof bits_); }
    void Set(int bit);
    bool Test(int bit) const;
    bool operator==(const CAttributeSet& other) const;
    // The bits set in both.
    CAttributeSet Intersect(const CAttributeSet& other) const;

    // The set that holds only the given bit.
    static CAttributeSet Only(int bit);

private:
    uint8_t bits_[kBytes];
};

// The library-wide size of an attribute record of the tagged word list: the three bytes of a
// set, raised (never lowered) by an archive whose records are larger.
int AttributeSize();
void RaiseAttributeSize(int size);

// The bit that marks an entry as the head of a run that FindZemBinWithAttribute walks.
constexpr int kRunMarkerBit = 4;
