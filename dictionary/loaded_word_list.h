// A word list read from a "QKTR_BIN" file: the unscrambled file image, indexed in place.
#pragma once
#include "attribute_set.h"
#include "language_state.h"
#include "tagged_word_list.h"
#include <atomic>
#include <cstdint>
#include <vector>

struct DefLoadQktrBinParam;

enum WordListState : int { kCreated = 0, kLoading = 1, kReady = 2, kFailed = 3 };

class CLoadedWordList {
public:
    // Reads the whole file (LZ-compressed or plain) into the image.
    bool ReadWordListFile(const char* path);
    // XOR with the low byte of the position; scrambling and unscrambling are the same step.
    size_t UnscrambleImage();
    // Checks the header and indexes entries and attribute records; writes the header language
    // and format into the block. Every count, length and size is checked against the image.
    bool ParseWordList(DefLoadQktrBinParam* block, bool checkSorted);
    // Drops the image and both indexes.
    void Release();

    // Row of the entry equal to the query, or -1.
    int Search(const char* query) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    const char* Text(int row) const { return reinterpret_cast<const char*>(entries_[row] + 1); }
    int32_t AttributeIndex(int row) const;
    int32_t Value(int row) const;
    // The attribute set of a row's record; an index outside the table gives the empty set.
    CAttributeSet Attributes(int row) const;
    // The first four bytes of a row's record, zero-padded; 0 for an index outside the table.
    int32_t AttributeWord(int row) const;

    std::atomic<int> state{kCreated};
    CLanguageState language;
    CTaggedWordList tagged;
    int32_t headerLanguage = 0;
    int32_t headerFormat = 0;

private:
    const uint8_t* Record(int32_t index) const;

    std::vector<uint8_t> image_;
    std::vector<const uint8_t*> entries_;  // each at its entry's length byte
    const uint8_t* records_ = nullptr;
    int32_t recordCount_ = 0;
    int32_t recordSize_ = 0;
};
