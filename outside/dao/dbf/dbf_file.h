// dBASE III tables (.dbf) with their memo files (.dbt), for the DAO stand-in's dBASE database.
//
// Layout written: version byte 0x03 (0x83 when the table has memo fields), last-update date
// YY MM DD (YY = year - 1900), 32-bit record count, 16-bit header length, 16-bit record
// length, 20 reserved bytes; one 32-byte descriptor per field (name NUL-padded to 11 bytes,
// type, 4 reserved bytes, length, decimal count, 14 reserved bytes); 0x0D; the records, each
// starting with ' ' or '*' (deleted); 0x1A after the last record. All numbers little-endian.
// The .dbt beside the table (same name, extension .dbt) is made of 512-byte blocks; block 0
// holds the next free block number; each memo starts on a block of its own and ends with
// 0x1A 0x1A. A memo field holds its first block number, right-justified in 10 characters.
//
// Limits of the format that this module enforces instead of corrupting a file:
// - a memo value that contains the bytes 0x1A 0x1A (or ends with 0x1A) cannot be stored,
//   because a reader would take them for the end of the memo: it is refused with an error;
// - a value longer than its field is refused (no truncation);
// - changed memos are appended to the .dbt (as dBASE III does); old blocks are not reused.
// Reading never goes outside the files: a header, record length or record count that does
// not fit the file's size fails the open or is cut to the records present; a memo block
// number past the end of the .dbt fails the read of that record.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct DbfField {
    std::string name;  // 1 to 10 characters: letters, digits, '_', starting with a letter
    char type;         // 'C' text, 'N' number, 'D' date, 'L' logical, 'M' memo
    int length;        // C 1-254, N 1-19, D 8, L 1, M 10
    int decimals;      // N: 0-15 and at most length - 2; others 0
};

class CBinaryFile;
class CDbtFile;

class CDbfFile {
public:
    using Values = std::vector<std::optional<std::string>>;

    CDbfFile();
    ~CDbfFile();
    CDbfFile(const CDbfFile&) = delete;
    CDbfFile& operator=(const CDbfFile&) = delete;

    // Creates an empty table (and its .dbt when a field has type 'M'). Field names are stored
    // in upper case and must be unique. Fails, touching nothing, when the table or the memo
    // file already exists or a field is invalid; *error (may be null) then says why.
    static bool Create(const std::string& path, const std::vector<DbfField>& fields, std::string* error);

    // Opens an existing table, read-only or for writing; closes what was open before.
    // Fails on a file that is not a dBASE III table, a damaged header, or a missing .dbt.
    bool Open(const std::string& path, bool writable, std::string* error);
    void Close();
    bool IsOpen() const;

    // The fields as stored (names upper case). Empty while closed.
    const std::vector<DbfField>& Fields() const;
    // Number of records, deleted ones included.
    uint32_t RecordCount() const;
    // True when record recno (0-based) carries the deletion flag; false out of range.
    bool IsDeleted(uint32_t recno) const;

    // One value per field, in field order: C right-trimmed, N the trimmed digits, D "YYYYMMDD",
    // L "T" or "F", M the memo's bytes; a blank field (or '?' logical) is nullopt.
    // False when closed, out of range, on a read error or a damaged memo reference.
    bool ReadRecord(uint32_t recno, Values* values) const;

    // Writes all fields of an existing record (its deletion flag stays). values must hold one
    // entry per field; nullopt or "" leaves the field blank. N accepts [+|-]digits[.digits]
    // and is stored with the field's decimals (more significant decimals than that is an
    // error); D must be a valid "YYYYMMDD"; L accepts T, F, Y, N in either case.
    // Nothing is written when a value is refused. Needs a table opened for writing.
    bool WriteRecord(uint32_t recno, const Values& values, std::string* error);
    // Adds a record at the end; *recno (may be null) gets its number. Updates the header's
    // record count and date.
    bool AppendRecord(const Values& values, uint32_t* recno, std::string* error);
    // Sets the deletion flag '*' of record recno.
    bool DeleteRecord(uint32_t recno, std::string* error);

private:
    bool EncodeRecord(const Values& values, const std::string* oldRecord, std::string* record, std::string* error);
    bool WriteRecordBytes(uint32_t recno, const std::string& record, std::string* error);
    bool UpdateHeader(std::string* error);
    bool CheckWritable(std::string* error) const;
    uint64_t RecordOffset(uint32_t recno) const;

    std::unique_ptr<CBinaryFile> table_;
    std::unique_ptr<CDbtFile> memo_;
    std::vector<DbfField> fields_;
    std::vector<uint32_t> fieldOffsets_;  // within a record, after the deletion flag
    uint32_t recordCount_ = 0;
    uint32_t headerLength_ = 0;
    uint32_t recordLength_ = 0;
    bool writable_ = false;
};
