#include "dao.h"

#include <cstring>

CDaoValue CDaoValue::MakeNull() { return CDaoValue(Null); }

CDaoValue CDaoValue::FromShort(int16_t n) {
    CDaoValue v(Int16);
    v.number_ = n;
    return v;
}

CDaoValue CDaoValue::FromLong(int32_t n) {
    CDaoValue v(Int32);
    v.number_ = n;
    return v;
}

CDaoValue CDaoValue::FromDate(double oleDate) {
    CDaoValue v(Date);
    v.date_ = oleDate;
    return v;
}

CDaoValue CDaoValue::FromText(const std::string& text) {
    CDaoValue v(Text);
    v.text_ = text;
    return v;
}

CDaoValue CDaoValue::FromBytes(const void* data, size_t size) {
    std::vector<uint8_t> bytes(size);
    if (size) std::memcpy(bytes.data(), data, size);
    return FromBytes(std::move(bytes));
}

CDaoValue CDaoValue::FromBytes(std::vector<uint8_t> bytes) {
    CDaoValue v(Bytes);
    v.bytes_ = std::move(bytes);
    return v;
}

CDaoValue CDaoValue::FromText(const char* text, size_t size) {
    CDaoValue v;
    v.AssignText(text, size);
    return v;
}

void CDaoValue::AssignText(const char* text, size_t size) {
    kind_ = Text;
    number_ = 0;
    date_ = 0;
    text_.assign(text, size);
    bytes_.clear();
}

void CDaoValue::AssignBytes(const void* data, size_t size) {
    kind_ = Bytes;
    number_ = 0;
    date_ = 0;
    text_.clear();
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    bytes_.assign(bytes, bytes + size);
}

bool CDaoValue::operator==(const CDaoValue& other) const {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
    case Int16:
    case Int32: return number_ == other.number_;
    case Date: return date_ == other.date_;
    case Text: return text_ == other.text_;
    case Bytes: return bytes_ == other.bytes_;
    default: return true;
    }
}
