#include "loaded_word_list.h"
#include "compare_word.h"
#include "lexor.h"
#include <lzexpand.h>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'Q', 'K', 'T', 'R', '_', 'B', 'I', 'N'};
constexpr size_t kLanguageOffset = 14;
constexpr size_t kFormatOffset = 18;
constexpr size_t kCountOffset = 22;
constexpr size_t kFirstEntryOffset = 26;
constexpr size_t kEntryOverhead = 10;  // length byte, NUL, attribute index, value

int32_t ReadInt32(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Closes an LZ handle on every way out of the read.
class CLzFile {
public:
    explicit CLzFile(const char* path) {
        HFILE file = _lopen(path, OF_READ);
        handle_ = LZInit(file);
        if (handle_ < 0 && file != HFILE_ERROR) _lclose(file);
    }
    ~CLzFile() {
        if (handle_ >= 0) LZClose(handle_);
    }
    CLzFile(const CLzFile&) = delete;
    CLzFile& operator=(const CLzFile&) = delete;
    INT handle() const { return handle_; }

private:
    INT handle_;
};

}  // namespace

bool CLoadedWordList::ReadWordListFile(const char* path) {
    image_.clear();
    try {
        CLzFile file(path);
        if (file.handle() < 0) return false;
        const LONG size = LZSeek(file.handle(), 0, 2);
        if (size < 0 || LZSeek(file.handle(), 0, 0) != 0) return false;
        image_.resize(static_cast<size_t>(size));
        if (size > 0 && LZRead(file.handle(), reinterpret_cast<char*>(image_.data()), size) != size) {
            image_.clear();
            return false;
        }
        return true;
    } catch (...) {
        image_.clear();
        return false;
    }
}

size_t CLoadedWordList::UnscrambleImage() {
    for (size_t i = 0; i < image_.size(); ++i) image_[i] ^= static_cast<uint8_t>(i & 0xFF);
    return image_.size();
}

bool CLoadedWordList::ParseWordList(DefLoadQktrBinParam* block, bool checkSorted) {
    const size_t size = image_.size();
    const uint8_t* base = image_.data();
    if (size < sizeof kMagic || std::memcmp(base, kMagic, sizeof kMagic) != 0) return false;
    if (size < kFirstEntryOffset) return false;
    block->language = ReadInt32(base + kLanguageOffset);
    block->format = ReadInt32(base + kFormatOffset);
    const int32_t count = ReadInt32(base + kCountOffset);
    // Every entry takes at least its overhead, which bounds the count before any allocation.
    if (count < 0 || static_cast<uint64_t>(count) * kEntryOverhead > size - kFirstEntryOffset) return false;

    entries_.clear();
    entries_.reserve(static_cast<size_t>(count));
    size_t pos = kFirstEntryOffset;
    for (int32_t i = 0; i < count; ++i) {
        const size_t length = base[pos];
        if (pos + length + kEntryOverhead > size || base[pos + 1 + length] != 0) return false;
        entries_.push_back(base + pos);
        if (checkSorted && i > 0 && CompareWord(Text(i), Text(i - 1)) <= 0) {
            MessageBoxA(nullptr, "File is not sorted", nullptr, MB_OK);
            return false;
        }
        pos += length + kEntryOverhead;
    }

    if (size - pos < 8) return false;
    const int32_t recordCount = ReadInt32(base + pos);
    const int32_t recordSize = ReadInt32(base + pos + 4);
    pos += 8;
    if (recordCount < 0 || recordSize < 0 ||
        static_cast<uint64_t>(recordCount) * static_cast<uint64_t>(recordSize) > size - pos)
        return false;
    records_ = base + pos;
    recordCount_ = recordCount;
    recordSize_ = recordSize;
    return true;
}

void CLoadedWordList::Release() {
    std::vector<const uint8_t*>().swap(entries_);
    std::vector<uint8_t>().swap(image_);
    records_ = nullptr;
    recordCount_ = 0;
    recordSize_ = 0;
}

int CLoadedWordList::Search(const char* query) const {
    int low = 0, high = Count() - 1;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        const int order = CompareWord(query, Text(mid));
        if (order == 0) return mid;
        if (order < 0) high = mid - 1;
        else low = mid + 1;
    }
    return -1;
}

int32_t CLoadedWordList::AttributeIndex(int row) const {
    const uint8_t* entry = entries_[row];
    return ReadInt32(entry + 2 + entry[0]);
}

int32_t CLoadedWordList::Value(int row) const {
    const uint8_t* entry = entries_[row];
    return ReadInt32(entry + 6 + entry[0]);
}

const uint8_t* CLoadedWordList::Record(int32_t index) const {
    if (index < 0 || index >= recordCount_) return nullptr;
    return records_ + static_cast<size_t>(index) * static_cast<size_t>(recordSize_);
}

CAttributeSet CLoadedWordList::Attributes(int row) const {
    return CAttributeSet::FromRecord(Record(AttributeIndex(row)), recordSize_);
}

int32_t CLoadedWordList::AttributeWord(int row) const {
    uint8_t word[4] = {0, 0, 0, 0};
    if (const uint8_t* record = Record(AttributeIndex(row)))
        std::memcpy(word, record, recordSize_ < 4 ? static_cast<size_t>(recordSize_) : 4u);
    return ReadInt32(word);
}
