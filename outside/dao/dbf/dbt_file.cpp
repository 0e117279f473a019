#include "dbt_file.h"

#include <cctype>
#include <vector>

namespace {

const char kTerminator[2] = {0x1A, 0x1A};

}  // namespace

std::string CDbtFile::PathFor(const std::string& tablePath) {
    const size_t slash = tablePath.find_last_of("\\/");
    const size_t dot = tablePath.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string base = hasExtension ? tablePath.substr(0, dot) : tablePath;
    const bool upper =
        hasExtension && dot + 1 < tablePath.size() && std::isupper(static_cast<unsigned char>(tablePath[dot + 1]));
    return base + (upper ? ".DBT" : ".dbt");
}

bool CDbtFile::Create(const std::string& path) {
    CBinaryFile file;
    if (!file.CreateNew(path)) return false;
    std::vector<unsigned char> header(kBlockSize, 0);
    WriteLe32(header.data(), 1);
    return file.WriteAt(0, header.data(), header.size()) && file.Flush();
}

bool CDbtFile::Open(const std::string& path, bool writable) {
    if (!file_.Open(path, writable)) return false;
    const uint64_t size = file_.Size();
    unsigned char head[4] = {0, 0, 0, 0};
    file_.ReadAt(0, head, sizeof head);
    // Appends go past both the recorded free block and the real end, so a stale header can
    // never make a new memo overwrite an old one.
    const uint64_t blocksInFile = (size + kBlockSize - 1) / kBlockSize;
    nextFree_ = ReadLe32(head);
    if (nextFree_ < blocksInFile) nextFree_ = static_cast<uint32_t>(blocksInFile);
    if (nextFree_ < 1) nextFree_ = 1;
    return true;
}

std::string CDbtFile::Refusal(const std::string& value) {
    if (value.find(kTerminator, 0, 2) != std::string::npos || (!value.empty() && value.back() == kTerminator[0]))
        return "the memo value holds the bytes 1A 1A (or ends with 1A), which end a dBASE III memo";
    return std::string();
}

bool CDbtFile::Read(uint32_t block, std::string* value) const {
    const uint64_t start = static_cast<uint64_t>(block) * kBlockSize;
    if (block == 0 || start >= file_.Size()) return false;
    value->clear();
    std::vector<char> chunk(64 * 1024);
    for (uint64_t offset = start;;) {
        const size_t got = file_.ReadSomeAt(offset, chunk.data(), chunk.size());
        if (got == 0) return true;  // no terminator before the end: keep what is there
        const size_t before = value->size();
        value->append(chunk.data(), got);
        // The terminator may straddle two chunks, so look from one byte back.
        const size_t end = value->find(kTerminator, before > 0 ? before - 1 : 0, 2);
        if (end != std::string::npos) {
            value->resize(end);
            return true;
        }
        offset += got;
    }
}

bool CDbtFile::Append(const std::string& value, uint32_t* block) {
    std::string data = value + std::string(kTerminator, 2);
    data.resize((data.size() + kBlockSize - 1) / kBlockSize * kBlockSize, '\0');
    const uint64_t blocks = data.size() / kBlockSize;
    if (nextFree_ + blocks > 0xFFFFFFFFULL) return false;  // block numbers are 32-bit
    if (!file_.WriteAt(static_cast<uint64_t>(nextFree_) * kBlockSize, data.data(), data.size())) return false;
    *block = nextFree_;
    nextFree_ += static_cast<uint32_t>(blocks);
    unsigned char head[4];
    WriteLe32(head, nextFree_);
    return file_.WriteAt(0, head, sizeof head);
}
