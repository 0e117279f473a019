#include "dbf_file.h"

#include "binary_file.h"
#include "dbf_header.h"
#include "dbf_values.h"
#include "dbt_file.h"

#include <cctype>
#include <set>

namespace {

constexpr uint32_t kMaxFields = 128;
constexpr uint32_t kMaxRecordLength = 4000;
constexpr char kLiveFlag = ' ';
constexpr char kDeletedFlag = '*';

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

std::string UpperCase(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A memo field's block number; 0 for a blank (or zero) reference; false when not a number.
bool ParseMemoBlock(const std::string& bytes, uint32_t* block) {
    const std::string digits = TrimBlanks(bytes, true, true);
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > 0xFFFFFFFFULL) return false;
    }
    *block = static_cast<uint32_t>(value);
    return true;
}

std::string MemoBlockText(uint32_t block) {
    const std::string digits = std::to_string(block);
    return std::string(10 - digits.size(), ' ') + digits;
}

}  // namespace

CDbfFile::CDbfFile() = default;
CDbfFile::~CDbfFile() { Close(); }

bool CDbfFile::Create(const std::string& path, const std::vector<DbfField>& fields, std::string* error) {
    if (fields.empty() || fields.size() > kMaxFields) return Fail(error, "a table holds 1 to 128 fields");
    std::vector<DbfField> stored;
    std::set<std::string> names;
    uint32_t recordLength = 1;
    for (const DbfField& f : fields) {
        const std::string problem = FieldDefinitionProblem(f);
        if (!problem.empty()) return Fail(error, problem);
        DbfField upper = f;
        upper.name = UpperCase(f.name);
        if (!names.insert(upper.name).second) return Fail(error, "field name " + upper.name + " is used twice");
        recordLength += static_cast<uint32_t>(f.length);
        stored.push_back(upper);
    }
    if (recordLength > kMaxRecordLength) return Fail(error, "the fields need more than 4000 bytes per record");
    const bool memo = HasMemoField(stored);
    const std::string memoPath = CDbtFile::PathFor(path);
    if (CBinaryFile::Exists(path) || (memo && CBinaryFile::Exists(memoPath)))
        return Fail(error, "the table or its memo file exists already");
    CBinaryFile table;
    if (!table.CreateNew(path)) return Fail(error, "the table file cannot be created");
    std::string bytes = BuildDbfHeader(stored, 0);
    bytes.push_back(static_cast<char>(kDbfFileEnd));
    if (!table.WriteAt(0, bytes.data(), bytes.size()) || !table.Flush())
        return Fail(error, "the table file cannot be written");
    if (memo && !CDbtFile::Create(memoPath)) return Fail(error, "the memo file cannot be created");
    return true;
}

bool CDbfFile::Open(const std::string& path, bool writable, std::string* error) {
    Close();
    auto table = std::make_unique<CBinaryFile>();
    if (!table->Open(path, writable)) return Fail(error, "the table file cannot be opened");
    DbfHeader header;
    if (!ReadDbfHeader(*table, &header, error)) return false;
    std::unique_ptr<CDbtFile> memo;
    if (HasMemoField(header.fields)) {
        memo = std::make_unique<CDbtFile>();
        if (!memo->Open(CDbtFile::PathFor(path), writable)) return Fail(error, "the memo file cannot be opened");
    }
    // A count beyond the data (a cut-off copy, an interrupted append) shrinks to what is there.
    const uint64_t present = (table->Size() - header.headerLength) / header.recordLength;
    recordCount_ = header.recordCount < present ? header.recordCount : static_cast<uint32_t>(present);
    headerLength_ = header.headerLength;
    recordLength_ = header.recordLength;
    fields_ = header.fields;
    fieldOffsets_.clear();
    uint32_t offset = 1;
    for (const DbfField& f : fields_) {
        fieldOffsets_.push_back(offset);
        offset += static_cast<uint32_t>(f.length);
    }
    table_ = std::move(table);
    memo_ = std::move(memo);
    writable_ = writable;
    return true;
}

void CDbfFile::Close() {
    table_.reset();
    memo_.reset();
    fields_.clear();
    fieldOffsets_.clear();
    recordCount_ = headerLength_ = recordLength_ = 0;
    writable_ = false;
}

bool CDbfFile::IsOpen() const { return table_ != nullptr; }
const std::vector<DbfField>& CDbfFile::Fields() const { return fields_; }
uint32_t CDbfFile::RecordCount() const { return recordCount_; }

uint64_t CDbfFile::RecordOffset(uint32_t recno) const {
    return headerLength_ + static_cast<uint64_t>(recno) * recordLength_;
}

bool CDbfFile::IsDeleted(uint32_t recno) const {
    char flag = kLiveFlag;
    return IsOpen() && recno < recordCount_ && table_->ReadAt(RecordOffset(recno), &flag, 1) && flag == kDeletedFlag;
}

bool CDbfFile::ReadRecord(uint32_t recno, Values* values) const {
    if (!IsOpen() || recno >= recordCount_ || !values) return false;
    std::string record(recordLength_, ' ');
    if (!table_->ReadAt(RecordOffset(recno), &record[0], record.size())) return false;
    Values result;
    for (size_t i = 0; i < fields_.size(); ++i) {
        const std::string bytes = record.substr(fieldOffsets_[i], static_cast<size_t>(fields_[i].length));
        if (fields_[i].type != 'M') {
            result.push_back(DecodeFieldValue(fields_[i], bytes));
            continue;
        }
        uint32_t block = 0;
        if (!ParseMemoBlock(bytes, &block)) return false;
        std::string memo;
        if (block != 0 && !memo_->Read(block, &memo)) return false;
        result.push_back(memo.empty() ? std::nullopt : std::optional<std::string>(memo));
    }
    *values = std::move(result);
    return true;
}

// Builds the record's bytes (flag included, kept from oldRecord when there is one). Memo
// values go to the .dbt only after every field has been checked, so a refused value leaves
// both files as they were.
bool CDbfFile::EncodeRecord(const Values& values, const std::string* oldRecord, std::string* record,
                            std::string* error) {
    if (values.size() != fields_.size())
        return Fail(error, "the record needs " + std::to_string(fields_.size()) + " values");
    *record = std::string(1, oldRecord ? (*oldRecord)[0] : kLiveFlag);
    std::vector<size_t> memoFields;
    std::string why;
    for (size_t i = 0; i < fields_.size(); ++i) {
        std::string bytes;
        if (fields_[i].type == 'M') {
            why = values[i] ? CDbtFile::Refusal(*values[i]) : std::string();
            if (!why.empty()) return Fail(error, "field " + fields_[i].name + ": " + why);
            memoFields.push_back(i);
            bytes = std::string(10, ' ');
        } else if (!EncodeFieldValue(fields_[i], values[i], &bytes, &why)) {
            return Fail(error, "field " + fields_[i].name + ": " + why);
        }
        *record += bytes;
    }
    for (size_t i : memoFields) {
        if (!values[i] || values[i]->empty()) continue;
        const uint32_t at = fieldOffsets_[i];
        uint32_t block = 0;
        std::string current;
        // An unchanged memo keeps its blocks instead of growing the .dbt on every rewrite.
        if (oldRecord && ParseMemoBlock(oldRecord->substr(at, 10), &block) && block != 0 &&
            memo_->Read(block, &current) && current == *values[i]) {
            record->replace(at, 10, MemoBlockText(block));
            continue;
        }
        if (!memo_->Append(*values[i], &block)) return Fail(error, "the memo file cannot be written");
        record->replace(at, 10, MemoBlockText(block));
    }
    if (memo_ && !memo_->Flush()) return Fail(error, "the memo file cannot be written");
    return true;
}

bool CDbfFile::CheckWritable(std::string* error) const {
    if (!IsOpen()) return Fail(error, "the table is not open");
    if (!writable_) return Fail(error, "the table is open for reading only");
    return true;
}

bool CDbfFile::UpdateHeader(std::string* error) {
    unsigned char bytes[7];
    StampDbfDate(bytes);
    WriteLe32(&bytes[3], recordCount_);
    if (!table_->WriteAt(1, bytes, sizeof bytes) || !table_->Flush())
        return Fail(error, "the table header cannot be written");
    return true;
}

bool CDbfFile::WriteRecordBytes(uint32_t recno, const std::string& record, std::string* error) {
    if (!table_->WriteAt(RecordOffset(recno), record.data(), record.size()))
        return Fail(error, "the record cannot be written");
    return UpdateHeader(error);
}

bool CDbfFile::WriteRecord(uint32_t recno, const Values& values, std::string* error) {
    if (!CheckWritable(error)) return false;
    if (recno >= recordCount_) return Fail(error, "record " + std::to_string(recno) + " does not exist");
    std::string old(recordLength_, ' '), record;
    if (!table_->ReadAt(RecordOffset(recno), &old[0], old.size())) return Fail(error, "the record cannot be read");
    return EncodeRecord(values, &old, &record, error) && WriteRecordBytes(recno, record, error);
}

bool CDbfFile::AppendRecord(const Values& values, uint32_t* recno, std::string* error) {
    if (!CheckWritable(error)) return false;
    if (recordCount_ == 0xFFFFFFFFu) return Fail(error, "the table is full");
    std::string record;
    if (!EncodeRecord(values, nullptr, &record, error)) return false;
    record.push_back(static_cast<char>(kDbfFileEnd));
    if (!table_->WriteAt(RecordOffset(recordCount_), record.data(), record.size()))
        return Fail(error, "the record cannot be written");
    ++recordCount_;
    if (!UpdateHeader(error)) return false;
    if (recno) *recno = recordCount_ - 1;
    return true;
}

bool CDbfFile::DeleteRecord(uint32_t recno, std::string* error) {
    if (!CheckWritable(error)) return false;
    if (recno >= recordCount_) return Fail(error, "record " + std::to_string(recno) + " does not exist");
    return WriteRecordBytes(recno, std::string(1, kDeletedFlag), error);
}
