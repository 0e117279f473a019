// The dBASE III memo file: 512-byte blocks, block 0 holds the next free block number, each
// memo ends with 0x1A 0x1A.
#pragma once

#include "binary_file.h"

#include <cstdint>
#include <string>

class CDbtFile {
public:
    static constexpr uint32_t kBlockSize = 512;

    // The memo file's name beside a table: the table's extension replaced by .dbt (.DBT when
    // the table's extension is written in upper case).
    static std::string PathFor(const std::string& tablePath);
    static bool Create(const std::string& path);

    bool Open(const std::string& path, bool writable);
    void Close() { file_.Close(); }

    // Empty when the value can be stored, else why not.
    static std::string Refusal(const std::string& value);
    // The memo starting at block; false when the block is the header or past the file. A memo
    // without its terminator is read to the end of the file.
    bool Read(uint32_t block, std::string* value) const;
    // Writes the value in new blocks at the end and returns the first one.
    bool Append(const std::string& value, uint32_t* block);
    bool Flush() { return file_.Flush(); }

private:
    CBinaryFile file_;
    uint32_t nextFree_ = 1;
};
