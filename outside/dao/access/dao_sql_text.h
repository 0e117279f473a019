// Reading the Jet SQL texts that callers hand over: the SELECT of a dynaset, the criteria of
// a WHERE or Find, and statements for Execute.
#pragma once
#include <string>
#include <vector>

namespace daoimpl {

struct SortKey {
    std::string column;
    bool descending = false;
};

struct SelectParts {
    std::string table;
    std::vector<std::string> columns;  // empty for "*"
    std::string where;                 // Jet text, without the keyword
    std::vector<SortKey> orderBy;
    bool isStatement = false;  // false for a bare table name
};

// "SELECT * FROM t [WHERE c] [ORDER BY k [ASC|DESC][, ...]]" or a bare table name.
// Throws 3000 for any other form.
SelectParts ParseSelect(const std::string& source);
// A Jet condition as an SQLite expression; throws 3075 with Jet's text when malformed.
std::string TranslateCriteriaOrRaise(const std::string& jetText, const char* source);
// A statement for Execute with its WHERE condition translated.
std::string TranslateStatement(const std::string& sql);
bool IsSchemaStatement(const std::string& sql);

}  // namespace daoimpl
