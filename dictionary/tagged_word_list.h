// The secondary word list with a tag and a frequency per word. Only its archive form fills
// it, which the binary load never reads, so after a binary load it stays empty.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TagFreq;

class CTaggedWordList {
public:
    struct Entry {
        std::string text;
        int32_t tag;
        int32_t frequency;
    };

    // Fills out and returns true when an entry equals the word (entries kept in unsigned
    // byte order).
    bool Find(const char* word, TagFreq* out) const;

private:
    std::vector<Entry> entries_;
};
