// Field definitions and the text form of C, N, D and L values inside a record.
#pragma once

#include "dbf_file.h"

#include <optional>
#include <string>

// Empty when the field can be stored in a dBASE III table, else why not.
std::string FieldDefinitionProblem(const DbfField& field);

// The field's bytes (exactly field.length of them) for a value; false with *error when the
// value does not fit or is not of the field's kind. Memo fields are not handled here.
bool EncodeFieldValue(const DbfField& field, const std::optional<std::string>& value, std::string* bytes,
                      std::string* error);

// The value of a field's bytes; nullopt when blank.
std::optional<std::string> DecodeFieldValue(const DbfField& field, const std::string& bytes);

// The bytes with blanks (and NUL padding) removed at the ends chosen.
std::string TrimBlanks(const std::string& text, bool left, bool right);
