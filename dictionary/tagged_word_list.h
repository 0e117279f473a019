// The secondary word list with a tag and a frequency per word, and its attribute records.
// Only its archive form fills it, which the binary load never reads, so after a binary load it
// stays empty.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TagFreq;
class CArchiveReader;
class CArchiveWriter;

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

    // Replaces the list by its archive form: int32 count, per word a length byte L, L bytes of
    // text and a NUL, int32 tag, int32 frequency; then int32 record count, int32 record size
    // and the records, each read into a record of the library-wide attribute size (raised to
    // the record size when that is larger). False, with the list left empty, for an archive
    // that ends early, a word without its NUL or words out of order.
    bool Read(CArchiveReader& archive);
    // Writes the archive form; the record size written is the library-wide attribute size.
    // False when a word is longer than a length byte holds.
    bool Write(CArchiveWriter& archive) const;
    // The text dump: per record "<i>:" (and ":" with "NoTag" in archive form when bit 1 of its
    // set is set), then per word "<word>:   tag:<tag>   freq:<frequency>", each line ending
    // in "\r\n".
    std::string Dump() const;

    int RecordCount() const { return static_cast<int>(records_.size()); }
    const uint8_t* Record(int i) const { return records_[static_cast<size_t>(i)].data(); }

private:
    bool ReadWords(CArchiveReader& archive);
    bool ReadRecords(CArchiveReader& archive);

    std::vector<Entry> entries_;
    std::vector<std::vector<uint8_t>> records_;
};
