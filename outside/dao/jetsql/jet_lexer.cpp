#include "jet_lexer.h"

#include "jetsql.h"

#include <cctype>
#include <cmath>
#include <cstring>

namespace jetsql {
namespace {

bool IsIdentStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsIdentPart(unsigned char c) { return IsIdentStart(c) || std::isdigit(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

TokenKind WordKind(const std::string& word) {
    static const struct {
        const char* name;
        TokenKind kind;
    } kKeywords[] = {{"AND", TokenKind::And},   {"OR", TokenKind::Or}, {"NOT", TokenKind::Not},
                     {"LIKE", TokenKind::Like}, {"IS", TokenKind::Is}, {"NULL", TokenKind::Null}};
    for (const auto& k : kKeywords)
        if (EqualsIgnoringCase(word, k.name)) return k.kind;
    return TokenKind::Column;
}

// Reads 1 to max digits at *pos into *value.
bool ReadNumber(const std::string& s, size_t* pos, int maxDigits, int* value) {
    int digits = 0;
    *value = 0;
    while (*pos < s.size() && IsDigit(s[*pos]) && digits < maxDigits) {
        *value = *value * 10 + (s[(*pos)++] - '0');
        ++digits;
    }
    return digits > 0 && !(*pos < s.size() && IsDigit(s[*pos]));
}

bool SkipBlanks(const std::string& s, size_t* pos) {
    const size_t start = *pos;
    while (*pos < s.size() && s[*pos] == ' ') ++*pos;
    return *pos > start;
}

// Jet's window for a year written with one or two digits: 00-29 are 2000-2029, 30-99 are
// 1930-1999.
int TwoDigitYear(int year) { return year < 30 ? 2000 + year : 1900 + year; }

// The inside of #...#: m-d-yyyy or m/d/yyyy (or a year of two digits), optionally followed by h:mm or h:mm:ss.
bool ParseDate(const std::string& s, double* value) {
    size_t pos = 0;
    int part[6] = {0, 0, 0, 0, 0, 0};  // month, day, year, hour, minute, second
    SkipBlanks(s, &pos);
    if (!ReadNumber(s, &pos, 2, &part[0]) || pos >= s.size() || (s[pos] != '-' && s[pos] != '/')) return false;
    const char separator = s[pos++];
    if (!ReadNumber(s, &pos, 2, &part[1]) || pos >= s.size() || s[pos++] != separator) return false;
    const size_t yearStart = pos;
    if (!ReadNumber(s, &pos, 4, &part[2])) return false;
    const size_t yearDigits = pos - yearStart;
    if (yearDigits == 1 || yearDigits == 2) part[2] = TwoDigitYear(part[2]);
    else if (yearDigits != 4) return false;
    const bool blank = SkipBlanks(s, &pos);
    if (blank && pos < s.size()) {
        if (!ReadNumber(s, &pos, 2, &part[3]) || pos >= s.size() || s[pos++] != ':') return false;
        const size_t minuteStart = pos;
        if (!ReadNumber(s, &pos, 2, &part[4]) || pos - minuteStart != 2) return false;
        if (pos < s.size() && s[pos] == ':') {
            const size_t secondStart = ++pos;
            if (!ReadNumber(s, &pos, 2, &part[5]) || pos - secondStart != 2) return false;
        }
        SkipBlanks(s, &pos);
    }
    if (pos != s.size()) return false;
    *value = OleDateFromParts(part[2], part[0], part[1], part[3], part[4], part[5]);
    return !std::isnan(*value);
}

// Reads a quoted run whose quote character is doubled inside; *pos is on the opening quote.
bool ReadQuoted(const std::string& s, size_t* pos, char close, std::string* out) {
    out->clear();
    for (size_t i = *pos + 1; i < s.size(); ++i) {
        if (s[i] != close) {
            out->push_back(s[i]);
        } else if (i + 1 < s.size() && s[i + 1] == close && close != ']') {
            out->push_back(close);
            ++i;
        } else {
            *pos = i + 1;
            return true;
        }
    }
    return false;
}

bool ReadNumberToken(const std::string& s, size_t* pos, std::string* out) {
    const size_t start = *pos;
    size_t i = start;
    while (i < s.size() && IsDigit(s[i])) ++i;
    const bool intDigits = i > start;
    bool fracDigits = false;
    if (i < s.size() && s[i] == '.') {
        const size_t fracStart = ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        fracDigits = i > fracStart;
    }
    if (!intDigits && !fracDigits) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const size_t expStart = i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        if (i == expStart) return false;
    }
    if (i < s.size() && IsIdentPart(static_cast<unsigned char>(s[i]))) return false;  // 12abc
    out->assign(s, start, i - start);
    if ((*out)[0] == '.') out->insert(out->begin(), '0');
    *pos = i;
    return true;
}

bool ReadOperator(const std::string& s, size_t* pos, Token* token) {
    static const char* const kCompares[] = {"<>", "<=", ">=", "=", "<", ">"};
    for (const char* op : kCompares) {
        const size_t n = std::strlen(op);
        if (s.compare(*pos, n, op) == 0) {
            token->kind = TokenKind::Compare;
            token->text = op;
            *pos += n;
            return true;
        }
    }
    const char c = s[*pos];
    if (c != '(' && c != ')' && c != '-') return false;
    token->kind = c == '(' ? TokenKind::LeftParen : c == ')' ? TokenKind::RightParen : TokenKind::Minus;
    ++*pos;
    return true;
}

bool ReadToken(const std::string& s, size_t* pos, Token* token) {
    const unsigned char c = static_cast<unsigned char>(s[*pos]);
    if (c == '\'' || c == '"') {
        token->kind = TokenKind::String;
        return ReadQuoted(s, pos, static_cast<char>(c), &token->text);
    }
    if (c == '[') {
        token->kind = TokenKind::Column;
        return ReadQuoted(s, pos, ']', &token->text) && !token->text.empty();
    }
    if (c == '#') {
        const size_t close = s.find('#', *pos + 1);
        if (close == std::string::npos) return false;
        token->kind = TokenKind::Date;
        if (!ParseDate(s.substr(*pos + 1, close - *pos - 1), &token->number)) return false;
        *pos = close + 1;
        return true;
    }
    if (IsDigit(static_cast<char>(c)) || c == '.') {
        token->kind = TokenKind::Number;
        return ReadNumberToken(s, pos, &token->text);
    }
    if (IsIdentStart(c)) {
        size_t end = *pos;
        while (end < s.size() && IsIdentPart(static_cast<unsigned char>(s[end]))) ++end;
        token->text.assign(s, *pos, end - *pos);
        token->kind = WordKind(token->text);
        *pos = end;
        return true;
    }
    return ReadOperator(s, pos, token);
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool Tokenize(const std::string& text, std::vector<Token>* tokens) {
    tokens->clear();
    if (text.find('\0') != std::string::npos) return false;  // would cut the statement short
    size_t pos = 0;
    for (;;) {
        while (pos < text.size() && IsSpace(text[pos])) ++pos;
        if (pos >= text.size()) break;
        Token token;
        if (!ReadToken(text, &pos, &token)) return false;
        tokens->push_back(std::move(token));
    }
    tokens->push_back(Token{TokenKind::End, std::string(), 0});
    return true;
}

}  // namespace jetsql
