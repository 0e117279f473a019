// Recursive-descent translation of Jet criteria tokens into SQLite text, with a depth cap so
// that hostile nesting ends in an error instead of a stack overflow.
#pragma once

#include "jet_lexer.h"

#include <string>
#include <vector>

namespace jetsql {

class CCriteriaTranslator {
public:
    enum class Failure { None, Syntax, TooDeep };

    explicit CCriteriaTranslator(const std::vector<Token>& tokens) : tokens_(tokens) {}
    // Translates the whole token list; on failure Error() says why.
    bool Translate(std::string* out);
    Failure Error() const { return failure_; }

    static constexpr int kMaxDepth = 200;

private:
    struct Operand {
        std::string sql;
        bool isStringLiteral = false;
        std::string literal;  // the value when isStringLiteral
    };

    using Parser = bool (CCriteriaTranslator::*)(std::string*, int);
    // operand (joiner operand)*, left to right.
    bool ParseChain(TokenKind joiner, const char* sqlWord, Parser operand, std::string* out, int depth);
    bool ParseOr(std::string* out, int depth);
    bool ParseAnd(std::string* out, int depth);
    bool ParseNot(std::string* out, int depth);
    bool ParseComparison(std::string* out, int depth);
    bool ParseOperand(Operand* out, int depth);
    bool TranslateLike(const std::string& value, const Operand& pattern, bool negated, std::string* out);

    const Token& Peek() const { return tokens_[pos_]; }
    bool Accept(TokenKind kind);
    bool Fail(Failure why);

    const std::vector<Token>& tokens_;
    size_t pos_ = 0;
    Failure failure_ = Failure::None;
};

// SQLite spellings of literals and names.
std::string QuoteString(const std::string& value);
std::string QuoteIdentifier(const std::string& name);

}  // namespace jetsql
