#include "tagged_word_list.h"
#include "attribute_set.h"
#include "compare_word.h"
#include "lexor.h"
#include "word_archive.h"
#include <algorithm>
#include <cstdio>

namespace {

// Entries are taken in steps this large, as the word part of an archive may be long.
constexpr size_t kGrowth = 2000000;
// The bit of a record's set that the dump marks with "NoTag".
constexpr int kNoTagBit = 1;

}  // namespace

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

bool CTaggedWordList::Read(CArchiveReader& archive) {
    if (ReadWords(archive) && ReadRecords(archive)) return true;
    entries_.clear();
    records_.clear();
    return false;
}

// Find searches by halves: the words must come in strictly increasing order.
bool CTaggedWordList::ReadWords(CArchiveReader& archive) {
    entries_.clear();
    int32_t count = 0;
    if (!archive.Int32(&count) || count < 0) return false;
    for (int32_t i = 0; i < count; ++i) {
        if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.size() + kGrowth);
        uint8_t length = 0;
        char text[257];
        Entry entry{};
        if (!archive.Byte(&length) || !archive.Bytes(text, length + 1u) || text[length] != '\0') return false;
        if (!archive.Int32(&entry.tag) || !archive.Int32(&entry.frequency)) return false;
        entry.text.assign(text, length);
        if (!entries_.empty() && CompareWord(entry.text.c_str(), entries_.back().text.c_str()) <= 0) return false;
        entries_.push_back(std::move(entry));
    }
    return true;
}

bool CTaggedWordList::ReadRecords(CArchiveReader& archive) {
    records_.clear();
    int32_t count = 0, size = 0;
    if (!archive.Int32(&count) || !archive.Int32(&size) || count < 0 || size < 0) return false;
    // Every record is there before the size is raised or anything is kept.
    if (static_cast<uint64_t>(count) * static_cast<uint64_t>(size) > archive.Left()) return false;
    RaiseAttributeSize(size);
    records_.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        std::vector<uint8_t> record(static_cast<size_t>(AttributeSize()), 0);
        archive.Bytes(record.data(), static_cast<size_t>(size));
        records_.push_back(std::move(record));
    }
    return true;
}

bool CTaggedWordList::Write(CArchiveWriter& archive) const {
    for (const Entry& entry : entries_)
        if (entry.text.size() > 255) return false;
    archive.Int32(static_cast<int32_t>(entries_.size()));
    for (const Entry& entry : entries_) {
        archive.Byte(static_cast<uint8_t>(entry.text.size()));
        archive.Bytes(entry.text.c_str(), entry.text.size() + 1);
        archive.Int32(entry.tag);
        archive.Int32(entry.frequency);
    }
    const size_t size = static_cast<size_t>(AttributeSize());
    archive.Int32(static_cast<int32_t>(records_.size()));
    archive.Int32(static_cast<int32_t>(size));
    for (const std::vector<uint8_t>& record : records_) {
        // A record read while the size was smaller has zeros for the bytes it lacks.
        std::vector<uint8_t> whole(record);
        whole.resize(size, 0);
        archive.Bytes(whole.data(), size);
    }
    return true;
}

std::string CTaggedWordList::Dump() const {
    std::string text;
    char line[64];
    for (size_t i = 0; i < records_.size(); ++i) {
        snprintf(line, sizeof line, "%d:", static_cast<int>(i));
        text += line;
        const std::vector<uint8_t>& record = records_[i];
        if (CAttributeSet::FromRecord(record.data(), static_cast<int>(record.size())).Test(kNoTagBit))
            text += std::string(":\x05NoTag");
        text += "\r\n";
    }
    for (const Entry& entry : entries_) {
        snprintf(line, sizeof line, ":   tag:%d   freq:%d\r\n", static_cast<int>(entry.tag),
                 static_cast<int>(entry.frequency));
        text += entry.text + line;
    }
    return text;
}
