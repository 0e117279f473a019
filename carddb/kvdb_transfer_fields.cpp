// Moving single values between the current row and card record fields.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "kvdb_dao_dataset.h"
#include "kvdb_oledate.h"
#include "kvdb_tempfile.h"

namespace {

// The lead bytes of the process's ANSI code page, asked of the system once: a Get copies
// thousands of characters, and a system call per character cost more than the copy.
struct LeadBytes {
    bool lead[256];
    bool any = false;  // false for a single-byte code page: every cut is a character boundary
    LeadBytes() {
        for (int b = 0; b < 256; ++b) {
            lead[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE;
            any = any || lead[b];
        }
    }
};

const LeadBytes& CodePageLeadBytes() {
    static const LeadBytes table;
    return table;
}

// Copies at most width - 1 bytes, never splitting a double-byte character, and terminates.
void CopyBounded(const std::string& text, char* field, size_t width) {
    if (width == 0) return;
    const LeadBytes& leads = CodePageLeadBytes();
    size_t length = std::min(text.size(), width - 1);
    if (leads.any) {
        length = 0;
        while (length < text.size() && length < width - 1) {
            const size_t step = leads.lead[static_cast<unsigned char>(text[length])] ? 2 : 1;
            if (length + step > width - 1 || length + step > text.size()) break;
            length += step;
        }
    }
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// The length of a field's text up to its terminator, at most width - 1 bytes (what its
// column holds).
size_t FieldLength(const char* field, size_t width) {
    size_t length = 0;
    while (length + 1 < width && field[length]) ++length;
    return length;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

void ResetBlob(CardRecBlob& blob) {
    blob.Kind = 0;
    blob.Storage = 0;
    blob.Size = 0;
    blob.Modified = 0;
}

// A column the table lacks (a damaged card file, an exchange file of another version) is
// reported once per open, then read as empty and not written: the cards are still read and
// stored, without that column, and the user sees one message, not one per card.
int CkvDaoDataset::Column(const char* name) {
    const auto known = columns_.find(name);
    if (known != columns_.end()) return known->second;
    int index = -1;
    try {
        index = rs_->GetFieldIndex(name);
    } catch (CDaoException* e) {
        if (missingReported_) e->Delete();
        else ReportDaoError(e);
        missingReported_ = true;
    }
    columns_.emplace(name, index);
    return index;
}

const CDaoValue& CkvDaoDataset::ValueAt(int field) {
    static const CDaoValue none;
    return field < 0 ? none : rs_->GetFieldValueRef(field);
}

void CkvDaoDataset::PutAt(int field, CDaoValue value) {
    if (field >= 0) rs_->SetFieldValueAt(field, std::move(value));
}

void CkvDaoDataset::TextInto(const CDaoValue& value, char* text, size_t width) {
    if (value.GetKind() == CDaoValue::Text) CopyBounded(value.AsText(), text, width);
    else text[0] = '\0';
}

void CkvDaoDataset::ReadText(int field, char* text, size_t width) { TextInto(ValueAt(field), text, width); }

void CkvDaoDataset::ReadText(const char* column, char* text, size_t width) { ReadText(Column(column), text, width); }

void CkvDaoDataset::WriteText(int field, const char* text, size_t width) {
    const size_t length = FieldLength(text, width);
    PutAt(field, length ? CDaoValue::FromText(text, length) : CDaoValue());
}

void CkvDaoDataset::WriteText(const char* column, const char* text, size_t width) {
    WriteText(Column(column), text, width);
}

int32_t CkvDaoDataset::LongOf(const CDaoValue& value) {
    return value.GetKind() == CDaoValue::Int32 ? value.AsLong() : 0;
}

int32_t CkvDaoDataset::ReadLong(int field) { return LongOf(ValueAt(field)); }

int32_t CkvDaoDataset::ReadLong(const char* column) { return ReadLong(Column(column)); }

int16_t CkvDaoDataset::ShortOf(const CDaoValue& value) {
    return value.GetKind() == CDaoValue::Int16 ? value.AsShort() : 0;
}

int16_t CkvDaoDataset::ReadShort(int field) { return ShortOf(ValueAt(field)); }

int16_t CkvDaoDataset::ReadShort(const char* column) { return ReadShort(Column(column)); }

void CkvDaoDataset::ReadDate(int field, int32_t parts[6]) { DateInto(ValueAt(field), parts); }

void CkvDaoDataset::DateInto(const CDaoValue& value, int32_t parts[6]) {
    int read[6];
    const bool valid = value.GetKind() == CDaoValue::Date && OleDateToParts(value.AsDate(), read);
    for (int i = 0; i < 6; ++i) parts[i] = valid ? read[i] : -1;
}

void CkvDaoDataset::ReadDate(const char* column, int32_t parts[6]) { ReadDate(Column(column), parts); }

void CkvDaoDataset::WriteDate(int field, const int32_t parts[6]) {
    const int p[6] = {parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
    double date = 0;
    // A cleared or out-of-range date, and one the calendar rejects (30 February), mean "now".
    if (!OleDateFromParts(p, &date)) date = OleDateNow();
    PutAt(field, CDaoValue::FromDate(date));
}

void CkvDaoDataset::WriteDate(const char* column, const int32_t parts[6]) { WriteDate(Column(column), parts); }

bool CkvDaoDataset::MemoInto(const CDaoValue& value, CardRecBlob& blob, int place) {
    const bool text = value.GetKind() == CDaoValue::Text;
    const size_t needed = text ? value.AsText().size() + 1 : 1;
    if (needed > textSize_[place]) {
        std::unique_ptr<char[]> larger(new (std::nothrow) char[needed]);
        if (!larger) return false;
        outgrown_.push_back(std::move(text_[place]));
        text_[place] = std::move(larger);
        textSize_[place] = needed;
    }
    char* buffer = text_[place].get();
    if (text) CopyBounded(value.AsText(), buffer, textSize_[place]);
    else buffer[0] = '\0';
    blob.Kind = 1;
    blob.Storage = 1;
    blob.Size = static_cast<int32_t>(std::strlen(buffer));
    blob.Data = buffer;
    blob.Modified = 0;
    return true;
}

bool CkvDaoDataset::ReadBinary(const CDaoValue& value, CardRecBlob& blob, char* buffer) {
    if (value.GetKind() != CDaoValue::Bytes) return true;
    const std::vector<uint8_t>& bytes = value.AsBytes();
    blob.Kind = 2;
    blob.Size = static_cast<int32_t>(bytes.size());
    blob.Reserved2 = 0;
    blob.Modified = 0;
    if (bytes.size() <= kImageBufferSize) {
        if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
        blob.Storage = 1;
        blob.Data = buffer;
        return true;
    }
    blob.Storage = 2;
    blob.Data = nullptr;
    const std::string path = MakeTempFileName(".ndf", nullptr);
    if (path.empty() || path.size() >= sizeof blob.FileName || !WriteFile(path, bytes)) return false;
    std::memcpy(blob.FileName, path.c_str(), path.size() + 1);
    return true;
}

void CkvDaoDataset::WriteBinary(int field, const CardRecBlob& blob) {
    const size_t size = blob.Size > 0 ? static_cast<size_t>(blob.Size) : 0;
    std::vector<uint8_t> bytes(size, 0);
    if (blob.Data && size) std::memcpy(bytes.data(), blob.Data, size);
    PutAt(field, CDaoValue::FromBytes(std::move(bytes)));
}

void CkvDaoDataset::WriteBinary(const char* column, const CardRecBlob& blob) { WriteBinary(Column(column), blob); }
