#include "dao_field_values.h"

#include <sqlite3.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "dao_errors.h"
#include "dao_state.h"

namespace daoimpl {
namespace {

bool ParseInteger(const std::string& text, long long* out) {
    const char* begin = text.c_str();
    while (*begin == ' ') ++begin;
    if (!*begin) return false;
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(begin, &end, 10);
    while (*end == ' ') ++end;
    if (*end || errno == ERANGE) return false;
    *out = value;
    return true;
}

bool ParseNumber(const std::string& text, double* out) {
    const char* begin = text.c_str();
    if (!*begin) return false;
    char* end = nullptr;
    double value = std::strtod(begin, &end);
    while (*end == ' ') ++end;
    if (*end) return false;
    *out = value;
    return true;
}

CDaoValue ToInteger(const CDaoValue& value, const CDaoFieldInfo& field) {
    long long number = 0;
    switch (value.GetKind()) {
    case CDaoValue::Int16:
    case CDaoValue::Int32: number = value.AsLong(); break;
    case CDaoValue::Date: number = std::llround(value.AsDate()); break;
    case CDaoValue::Text:
        if (!ParseInteger(value.AsText(), &number)) {
            double real = 0;
            if (!ParseNumber(value.AsText(), &real)) Raise(daoErrTypeConversion, kSourceField);
            if (std::fabs(real) > 4e9) Raise(daoErrNumericOverflow, kSourceField);
            number = std::llround(real);
        }
        break;
    default: Raise(daoErrTypeConversion, kSourceField);
    }
    if (field.m_nType == dbInteger) {
        if (number < -32768 || number > 32767) Raise(daoErrNumericOverflow, kSourceField);
        return CDaoValue::FromShort(static_cast<int16_t>(number));
    }
    if (number < INT32_MIN || number > INT32_MAX) Raise(daoErrNumericOverflow, kSourceField);
    return CDaoValue::FromLong(static_cast<int32_t>(number));
}

CDaoValue ToDate(const CDaoValue& value) {
    switch (value.GetKind()) {
    case CDaoValue::Date: return value;
    case CDaoValue::Int16:
    case CDaoValue::Int32: return CDaoValue::FromDate(value.AsLong());
    case CDaoValue::Text: {
        double number = 0;
        if (!ParseNumber(value.AsText(), &number)) Raise(daoErrTypeConversion, kSourceField);
        return CDaoValue::FromDate(number);
    }
    default: Raise(daoErrTypeConversion, kSourceField);
    }
}

std::string NumberText(double number) {
    char buffer[64];
    snprintf(buffer, sizeof buffer, "%.15g", number);
    return buffer;
}

CDaoValue ToText(const CDaoValue& value, const CDaoFieldInfo& field, unsigned codePage) {
    std::string text;
    switch (value.GetKind()) {
    case CDaoValue::Text: text = value.AsText(); break;
    case CDaoValue::Int16:
    case CDaoValue::Int32: text = std::to_string(value.AsLong()); break;
    case CDaoValue::Date: text = NumberText(value.AsDate()); break;
    case CDaoValue::Bytes: text.assign(value.AsBytes().begin(), value.AsBytes().end()); break;
    default: Raise(daoErrTypeConversion, kSourceField);
    }
    if (field.m_nType == dbText && field.m_lSize > 0 &&
        CharacterCount(text, codePage) > static_cast<size_t>(field.m_lSize))
        Raise(daoErrFieldTooSmall, kSourceField);
    return CDaoValue::FromText(text);
}

CDaoValue ToBytes(const CDaoValue& value) {
    if (value.GetKind() == CDaoValue::Bytes) return value;
    if (value.GetKind() == CDaoValue::Text) return CDaoValue::FromBytes(value.AsText().data(), value.AsText().size());
    Raise(daoErrTypeConversion, kSourceField);
}

}  // namespace

void ReadColumnInto(sqlite3_stmt* stmt, int column, const CDaoFieldInfo& field, CDaoValue& out) {
    const int type = sqlite3_column_type(stmt, column);
    if (type == SQLITE_NULL) {
        if (!out.IsNull()) out = CDaoValue::MakeNull();
        return;
    }
    switch (field.m_nType) {
    case dbLong: out = CDaoValue::FromLong(static_cast<int32_t>(sqlite3_column_int64(stmt, column))); break;
    case dbInteger: out = CDaoValue::FromShort(static_cast<int16_t>(sqlite3_column_int(stmt, column))); break;
    case dbDate: out = CDaoValue::FromDate(sqlite3_column_double(stmt, column)); break;
    case dbText:
    case dbMemo: {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        out.AssignText(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
        break;
    }
    default: {
        const void* data = sqlite3_column_blob(stmt, column);
        out.AssignBytes(data, static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
    }
    }
}

void BindValue(sqlite3_stmt* stmt, int parameter, const CDaoValue& value) {
    switch (value.GetKind()) {
    case CDaoValue::Int16:
    case CDaoValue::Int32: sqlite3_bind_int(stmt, parameter, value.AsLong()); break;
    case CDaoValue::Date: sqlite3_bind_double(stmt, parameter, value.AsDate()); break;
    case CDaoValue::Text:
        sqlite3_bind_text(stmt, parameter, value.AsText().data(), static_cast<int>(value.AsText().size()),
                          SQLITE_TRANSIENT);
        break;
    case CDaoValue::Bytes:
        // An empty array is a value, not Null; SQLite binds a blob without data as Null.
        if (value.AsBytes().empty()) sqlite3_bind_zeroblob(stmt, parameter, 0);
        else
            sqlite3_bind_blob(stmt, parameter, value.AsBytes().data(), static_cast<int>(value.AsBytes().size()),
                              SQLITE_TRANSIENT);
        break;
    default: sqlite3_bind_null(stmt, parameter); break;
    }
}

bool FitsFieldAsIs(const CDaoValue& value, const CDaoFieldInfo& field, unsigned codePage) {
    switch (field.m_nType) {
    case dbLong: return value.GetKind() == CDaoValue::Int32;
    case dbInteger: return value.GetKind() == CDaoValue::Int16;
    case dbDate: return value.GetKind() == CDaoValue::Date;
    case dbMemo: return value.GetKind() == CDaoValue::Text;
    case dbText: {
        if (value.GetKind() != CDaoValue::Text) return false;
        // A character takes at least one byte: text no longer in bytes than the field always fits.
        const size_t limit = field.m_lSize > 0 ? static_cast<size_t>(field.m_lSize) : SIZE_MAX;
        return value.AsText().size() <= limit || CharacterCount(value.AsText(), codePage) <= limit;
    }
    case dbLongBinary: return value.GetKind() == CDaoValue::Bytes;
    default: return false;
    }
}

CDaoValue CoerceToField(const CDaoValue& value, const CDaoFieldInfo& field, unsigned codePage) {
    if (value.IsNull() || value.IsEmpty()) return CDaoValue::MakeNull();
    switch (field.m_nType) {
    case dbLong:
    case dbInteger: return ToInteger(value, field);
    case dbDate: return ToDate(value);
    case dbText:
    case dbMemo: return ToText(value, field, codePage);
    default: return ToBytes(value);
    }
}

}  // namespace daoimpl
