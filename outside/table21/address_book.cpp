#include "address_book.h"
#include <stdio.h>
#include <string.h>

namespace {

const char kMagic[4] = {'Z', 'A', 'D', 'R'};
const uint32_t kVersion = 1;

class CReader {
public:
    explicit CReader(const std::string& bytes) : bytes_(bytes) {}
    bool Take(void* out, size_t n) {
        if (bytes_.size() - at_ < n) return false;
        memcpy(out, bytes_.data() + at_, n);
        at_ += n;
        return true;
    }
    bool Text(std::string* text) {
        uint16_t length;
        if (!Take(&length, 2) || bytes_.size() - at_ < length) return false;
        text->assign(bytes_.data() + at_, length);
        at_ += length;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const std::string& bytes_;
    size_t at_ = 0;
};

bool ReadEntry(CReader& in, AddressEntry* entry) {
    uint8_t deleted;
    if (!in.Take(&deleted, 1) || deleted > 1 || !in.Take(&entry->status, 4) || !in.Take(&entry->category, 2) ||
        !in.Take(entry->labels, sizeof(entry->labels)))
        return false;
    entry->deleted = deleted == 1;
    for (std::string& text : entry->texts)
        if (!in.Text(&text)) return false;
    return true;
}

void Put(std::string& out, const void* data, size_t n) { out.append(static_cast<const char*>(data), n); }

}  // namespace

int ReadAddressFile(const std::string& path, std::vector<AddressEntry>* entries) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return 1;
    std::string bytes;
    char chunk[65536];
    for (size_t n; (n = fread(chunk, 1, sizeof(chunk), f)) > 0;) bytes.append(chunk, n);
    bool failed = ferror(f) != 0;
    fclose(f);
    if (failed) return 1;
    CReader in(bytes);
    char magic[4];
    uint32_t version, count;
    if (!in.Take(magic, 4) || memcmp(magic, kMagic, 4) || !in.Take(&version, 4) || version != kVersion ||
        !in.Take(&count, 4))
        return 2;
    std::vector<AddressEntry> read;
    for (uint32_t i = 0; i < count; ++i) {
        AddressEntry entry;
        if (!ReadEntry(in, &entry)) return 2;
        read.push_back(std::move(entry));
    }
    if (!in.AtEnd()) return 2;
    entries->swap(read);
    return 0;
}

bool WriteAddressFile(const std::string& path, const std::vector<AddressEntry>& entries) {
    std::string out(kMagic, 4);
    uint32_t count = static_cast<uint32_t>(entries.size());
    Put(out, &kVersion, 4);
    Put(out, &count, 4);
    for (const AddressEntry& e : entries) {
        uint8_t deleted = e.deleted ? 1 : 0;
        Put(out, &deleted, 1);
        Put(out, &e.status, 4);
        Put(out, &e.category, 2);
        Put(out, e.labels, sizeof(e.labels));
        for (const std::string& text : e.texts) {
            // A text longer than its length word can tell is stored cut rather than corrupting
            // the records behind it.
            uint16_t length = static_cast<uint16_t>(text.size() > 0xFFFF ? 0xFFFF : text.size());
            Put(out, &length, 2);
            out.append(text, 0, length);
        }
    }
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool written = fwrite(out.data(), 1, out.size(), f) == out.size();
    return fclose(f) == 0 && written;
}
