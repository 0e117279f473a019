// A fixed-width word list: zero-padded slots searched from the first, with a lazily built
// index by the first two bytes so that a line is scanned once per list, not once per entry.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <initializer_list>
#include <vector>

class CWordList {
public:
    CWordList(const char* slots, int width, int count, int offset = 0)
        : slots_(slots), width_(width), count_(count), offset_(offset) {}

    int width() const { return width_; }
    int count() const { return count_; }
    int offset() const { return offset_; }
    const char* slots() const { return slots_; }
    // The whole slot (with a code prefix when the list has one).
    const char* slot(int i) const { return slots_ + static_cast<size_t>(i) * width_; }
    // The entry proper, behind the code prefix.
    const char* entry(int i) const { return slot(i) + offset_; }
    int entryLength(int i) const;

    // Whether the word is one of the entries, whole; found through the index, not entry by entry.
    bool holds(const char* word) const;

    // The upper-case byte values of entry i by their low five bits, one bit each: a word lacking
    // k of them is at least k edits away from the entry.
    uint32_t letterMask(int i) const;
    static uint32_t letterMaskOf(const char* text, int length);

    // Calls visit(entryIndex) for every entry of `shortest` to `longest` bytes, by length.
    template <typename Visit>
    void forEachOfLength(int shortest, int longest, Visit visit) const;

    // Calls visit(entryIndex, position) for every occurrence of every entry in text, by
    // increasing position. Returns early when visit returns false.
    template <typename Visit>
    void forEachOccurrence(const char* text, Visit visit) const;

private:
    void buildIndex() const;
    const char* slots_;
    int width_;
    int count_;
    int offset_;
    mutable bool indexed_ = false;
    mutable std::vector<int> bucketStart_;  // 65537 entries: by first two bytes
    mutable std::vector<int> bucketEntries_;
    mutable std::vector<int> singleBytes_;  // entries of one byte
    mutable std::vector<int> lengths_;
    mutable std::vector<int> lengthStart_;  // by entry length: where its entries begin in byLength_
    mutable std::vector<int> byLength_;     // entry numbers ordered by length
    mutable std::vector<uint32_t> letterMasks_;
};

// A list over a two-dimensional array of slots; `offset` bytes of code lead each entry.
#define WORD_LIST_OFFSET(array, offset)                                                                                \
    CWordList(&array[0][0], static_cast<int>(sizeof(array[0])), static_cast<int>(sizeof(array) / sizeof(array[0])),    \
              offset)

template <typename Visit>
void CWordList::forEachOccurrence(const char* text, Visit visit) const {
    if (!indexed_) buildIndex();
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    for (int p = 0; t[p]; ++p) {
        for (int e : singleBytes_)
            if (static_cast<unsigned char>(entry(e)[0]) == t[p] && !visit(e, p)) return;
        if (!t[p + 1]) break;
        int key = (t[p] << 8) | t[p + 1];
        for (int k = bucketStart_[key]; k < bucketStart_[key + 1]; ++k) {
            int e = bucketEntries_[k];
            int length = lengths_[e];
            const char* candidate = entry(e);
            int i = 2;
            while (i < length && t[p + i] == static_cast<unsigned char>(candidate[i])) ++i;
            if (i == length && !visit(e, p)) return;
        }
    }
}

template <typename Visit>
void CWordList::forEachOfLength(int shortest, int longest, Visit visit) const {
    if (!indexed_) buildIndex();
    int last = static_cast<int>(lengthStart_.size()) - 2;
    if (shortest < 0) shortest = 0;
    if (longest > last) longest = last;
    if (shortest > longest) return;
    for (int k = lengthStart_[shortest]; k < lengthStart_[longest + 1]; ++k) visit(byLength_[k]);
}
