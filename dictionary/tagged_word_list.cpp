#include "tagged_word_list.h"
#include "compare_word.h"
#include "lexor.h"
#include <algorithm>

bool CTaggedWordList::Find(const char* word, TagFreq* out) const {
    auto it = std::lower_bound(entries_.begin(), entries_.end(), word,
                               [](const Entry& e, const char* w) { return CompareWord(e.text.c_str(), w) < 0; });
    if (it == entries_.end() || CompareWord(word, it->text.c_str()) != 0) return false;
    if (out) {
        out->tag = {LEXOR_VALUE_INT32, 0, it->tag};
        out->frequency = {LEXOR_VALUE_INT32, 0, it->frequency};
    }
    return true;
}
