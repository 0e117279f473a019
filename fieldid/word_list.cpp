#include "word_list.h"
#include <string.h>

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
    indexed_ = true;
}
