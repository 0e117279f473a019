#include "dao_sql_text.h"

#include <cctype>

#include "dao.h"
#include "dao_errors.h"
#include "dao_schema.h"
#include "jetsql.h"

namespace daoimpl {
namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Position of the keyword (a word, or two words separated by blanks) outside quotes,
// brackets and date literals, from start; npos when absent.
size_t FindKeyword(const std::string& text, const std::string& keyword, size_t start = 0) {
    char closing = 0;
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (closing) {
            if (c == closing) closing = 0;
            continue;
        }
        if (c == '\'' || c == '"' || c == '#') {
            closing = c;
            continue;
        }
        if (c == '[') {
            closing = ']';
            continue;
        }
        if (i > 0 && IsWordChar(text[i - 1])) continue;
        size_t k = 0, j = i;
        while (k < keyword.size() && j < text.size()) {
            if (keyword[k] == ' ') {
                if (!std::isspace(static_cast<unsigned char>(text[j]))) break;
                while (j < text.size() && std::isspace(static_cast<unsigned char>(text[j]))) ++j;
                ++k;
                continue;
            }
            if (std::toupper(static_cast<unsigned char>(text[j])) != keyword[k]) break;
            ++j;
            ++k;
        }
        if (k == keyword.size() && (j == text.size() || !IsWordChar(text[j]))) return i;
    }
    return std::string::npos;
}

std::string Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

std::string Unbracket(const std::string& name) {
    std::string trimmed = Trim(name);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']')
        return trimmed.substr(1, trimmed.size() - 2);
    return trimmed;
}

// Splits at commas outside brackets.
std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::string current;
    bool bracket = false;
    for (char c : text) {
        if (c == '[') bracket = true;
        if (c == ']') bracket = false;
        if (c == ',' && !bracket) {
            items.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    items.push_back(current);
    return items;
}

bool IsPlainName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
        if (c == '\'' || c == '"' || c == '(' || c == ')' || c == ';' || c == ',') return false;
    return true;
}

[[noreturn]] void RaiseBadSelect(const std::string& source) {
    Raise(daoErrSyntaxInQuery, kSourceRecordset, "unsupported statement: " + source);
}

SortKey ParseSortKey(const std::string& item, const std::string& source) {
    std::string text = Trim(item);
    SortKey key;
    const size_t blank = text.find_last_of(" \t");
    if (blank != std::string::npos && text.back() != ']') {
        const std::string word = Trim(text.substr(blank + 1));
        if (EqualsNoCase(word, "DESC") || EqualsNoCase(word, "ASC")) {
            key.descending = EqualsNoCase(word, "DESC");
            text = Trim(text.substr(0, blank));
        }
    }
    key.column = Unbracket(text);
    if (!IsPlainName(key.column)) RaiseBadSelect(source);
    return key;
}

}  // namespace

SelectParts ParseSelect(const std::string& source) {
    SelectParts parts;
    const std::string text = Trim(source);
    if (FindKeyword(text, "SELECT") != 0) {
        parts.table = Unbracket(text);
        if (!IsPlainName(parts.table)) RaiseBadSelect(source);
        return parts;
    }
    parts.isStatement = true;
    const size_t from = FindKeyword(text, "FROM");
    if (from == std::string::npos) RaiseBadSelect(source);
    const size_t where = FindKeyword(text, "WHERE", from);
    const size_t order = FindKeyword(text, "ORDER BY", from);
    const size_t tableEnd = std::min(where, order);
    parts.table =
        Unbracket(text.substr(from + 4, tableEnd == std::string::npos ? std::string::npos : tableEnd - from - 4));
    if (!IsPlainName(parts.table) || parts.table.find(' ') != std::string::npos) RaiseBadSelect(source);

    const std::string columns = Trim(text.substr(6, from - 6));
    if (columns != "*") {
        for (const auto& item : SplitList(columns)) {
            std::string column = Unbracket(item);
            if (!IsPlainName(column)) RaiseBadSelect(source);
            parts.columns.push_back(column);
        }
    }
    if (where != std::string::npos) {
        const size_t whereEnd = (order != std::string::npos && order > where) ? order : text.size();
        parts.where = Trim(text.substr(where + 5, whereEnd - where - 5));
    }
    if (order != std::string::npos) {
        std::string keys = text.substr(order);
        keys = keys.substr(FindKeyword(keys, "BY") + 2);
        if (!keys.empty() && keys.back() == ';') keys.pop_back();
        for (const auto& item : SplitList(keys)) parts.orderBy.push_back(ParseSortKey(item, source));
    } else if (!parts.where.empty() && parts.where.back() == ';') {
        parts.where.pop_back();
    }
    return parts;
}

std::string TranslateCriteriaOrRaise(const std::string& jetText, const char* source) {
    std::string expression, error;
    if (!jetsql::TranslateCriteria(jetText, &expression, &error)) {
        if (error.empty()) error = "Syntax error in query expression '" + jetText + "'.";
        throw new CDaoException(daoErrSyntaxInExpression, source, error);
    }
    return expression;
}

std::string TranslateStatement(const std::string& sql) {
    const size_t where = FindKeyword(sql, "WHERE");
    if (where == std::string::npos) return sql;
    std::string condition = Trim(sql.substr(where + 5));
    if (!condition.empty() && condition.back() == ';') condition.pop_back();
    return sql.substr(0, where) + "WHERE " + TranslateCriteriaOrRaise(condition, kSourceDatabase);
}

bool IsSchemaStatement(const std::string& sql) {
    const std::string text = Trim(sql);
    return FindKeyword(text, "CREATE") == 0 || FindKeyword(text, "DROP") == 0 || FindKeyword(text, "ALTER") == 0;
}

}  // namespace daoimpl
