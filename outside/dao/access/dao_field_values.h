// Field values between CDaoValue, the field's DAO type and SQLite's storage.
#pragma once
#include "dao.h"

struct sqlite3_stmt;

namespace daoimpl {

// The stored value of column as a value of the field's kind (Null for SQL NULL).
// Reads it into out, reusing the storage out already holds.
void ReadColumnInto(sqlite3_stmt* stmt, int column, const CDaoFieldInfo& field, CDaoValue& out);
// Binds a value already converted to its field's kind.
void BindValue(sqlite3_stmt* stmt, int parameter, const CDaoValue& value);
// Converts value to the field's kind: 3421 when it cannot be, 3349 when a number does not
// fit, 3163 when text is longer than a Text(n) field. Empty becomes Null.
CDaoValue CoerceToField(const CDaoValue& value, const CDaoFieldInfo& field, unsigned codePage);
// True when value is already of the field's kind and fits it, so that storing it needs no
// conversion (CoerceToField would give an equal value).
bool FitsFieldAsIs(const CDaoValue& value, const CDaoFieldInfo& field, unsigned codePage);

}  // namespace daoimpl
