#include "word_list.h"
#include <string.h>
#include "text_util.h"

int CWordList::entryLength(int i) const {
    if (indexed_) return lengths_[i];
    return static_cast<int>(strnlen(entry(i), static_cast<size_t>(width_ - offset_)));
}

void CWordList::buildIndex() const {
    lengths_.resize(count_);
    bucketStart_.assign(65537, 0);
    std::vector<int> keys(count_, -1);
    for (int i = 0; i < count_; ++i) {
        lengths_[i] = static_cast<int>(strnlen(entry(i), static_cast<size_t>(width_ - offset_)));
        const unsigned char* e = reinterpret_cast<const unsigned char*>(entry(i));
        if (lengths_[i] == 1) singleBytes_.push_back(i);
        if (lengths_[i] >= 2) {
            keys[i] = (e[0] << 8) | e[1];
            ++bucketStart_[keys[i] + 1];
        }
    }
    for (int k = 0; k < 65536; ++k) bucketStart_[k + 1] += bucketStart_[k];
    bucketEntries_.resize(bucketStart_[65536]);
    std::vector<int> fill(bucketStart_.begin(), bucketStart_.end() - 1);
    for (int i = 0; i < count_; ++i)
        if (keys[i] >= 0) bucketEntries_[fill[keys[i]]++] = i;
    int longest = 0;
    for (int length : lengths_) longest = length > longest ? length : longest;
    lengthStart_.assign(static_cast<size_t>(longest) + 2, 0);
    for (int length : lengths_) ++lengthStart_[length + 1];
    for (int n = 0; n <= longest; ++n) lengthStart_[n + 1] += lengthStart_[n];
    byLength_.resize(count_);
    std::vector<int> next(lengthStart_.begin(), lengthStart_.end() - 1);
    for (int i = 0; i < count_; ++i) byLength_[next[lengths_[i]]++] = i;
    letterMasks_.resize(count_);
    for (int i = 0; i < count_; ++i) letterMasks_[i] = letterMaskOf(entry(i), lengths_[i]);
    indexed_ = true;
}

uint32_t CWordList::letterMaskOf(const char* text, int length) {
    uint32_t mask = 0;
    for (int i = 0; i < length; ++i) mask |= 1u << (toUpper(text[i]) & 31);
    return mask;
}

uint32_t CWordList::letterMask(int i) const {
    if (!indexed_) buildIndex();
    return letterMasks_[i];
}

bool CWordList::holds(const char* word) const {
    if (!indexed_) buildIndex();
    const unsigned char* w = reinterpret_cast<const unsigned char*>(word);
    int length = static_cast<int>(strlen(word));
    if (length == 1) {
        for (int e : singleBytes_)
            if (static_cast<unsigned char>(entry(e)[0]) == w[0]) return true;
        return false;
    }
    if (length < 2) return false;
    int key = (w[0] << 8) | w[1];
    for (int k = bucketStart_[key]; k < bucketStart_[key + 1]; ++k) {
        int e = bucketEntries_[k];
        if (lengths_[e] == length && memcmp(entry(e), word, static_cast<size_t>(length)) == 0) return true;
    }
    return false;
}
