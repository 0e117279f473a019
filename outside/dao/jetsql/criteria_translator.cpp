#include "criteria_translator.h"

#include "jet_pattern.h"
#include "jetsql.h"

#include <cstdio>

namespace jetsql {

namespace {

// The text between two quote characters, with the quote character doubled inside.
std::string Quoted(const std::string& text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        if (c == quote) out += quote;
        out += c;
    }
    return out + quote;
}

// Joins terms as a balanced tree: SQLite nests a flat chain one level per term and refuses
// trees deeper than 1000, which a long OR list would reach.
std::string JoinBalanced(const std::vector<std::string>& terms, size_t begin, size_t end, const char* sqlWord) {
    if (end - begin == 1) return terms[begin];
    const size_t middle = begin + (end - begin) / 2;
    return "(" + JoinBalanced(terms, begin, middle, sqlWord) + sqlWord + JoinBalanced(terms, middle, end, sqlWord) +
           ")";
}

}  // namespace

std::string QuoteString(const std::string& value) { return Quoted(value, '\''); }
std::string QuoteIdentifier(const std::string& name) { return Quoted(name, '"'); }

bool CCriteriaTranslator::Accept(TokenKind kind) {
    if (Peek().kind != kind) return false;
    ++pos_;
    return true;
}

bool CCriteriaTranslator::Fail(Failure why) {
    if (failure_ == Failure::None) failure_ = why;
    return false;
}

bool CCriteriaTranslator::Translate(std::string* out) {
    if (!ParseOr(out, 0)) return false;
    if (Peek().kind != TokenKind::End) return Fail(Failure::Syntax);  // e.g. "a = 1 b = 2" or a stray ')'
    return true;
}

bool CCriteriaTranslator::ParseChain(TokenKind joiner, const char* sqlWord, Parser operand, std::string* out,
                                     int depth) {
    std::vector<std::string> terms(1);
    if (!(this->*operand)(&terms.back(), depth)) return false;
    while (Accept(joiner)) {
        terms.emplace_back();
        if (!(this->*operand)(&terms.back(), depth)) return false;
    }
    *out = JoinBalanced(terms, 0, terms.size(), sqlWord);
    return true;
}

bool CCriteriaTranslator::ParseOr(std::string* out, int depth) {
    return ParseChain(TokenKind::Or, " OR ", &CCriteriaTranslator::ParseAnd, out, depth);
}

bool CCriteriaTranslator::ParseAnd(std::string* out, int depth) {
    return ParseChain(TokenKind::And, " AND ", &CCriteriaTranslator::ParseNot, out, depth);
}

bool CCriteriaTranslator::ParseNot(std::string* out, int depth) {
    if (depth > kMaxDepth) return Fail(Failure::TooDeep);
    if (!Accept(TokenKind::Not)) return ParseComparison(out, depth);
    std::string inner;
    if (!ParseNot(&inner, depth + 1)) return false;
    *out = "(NOT " + inner + ")";
    return true;
}

bool CCriteriaTranslator::ParseComparison(std::string* out, int depth) {
    Operand lhs;
    if (!ParseOperand(&lhs, depth)) return false;
    const Token& next = Peek();
    if (next.kind == TokenKind::Compare) {
        const std::string op = next.text;
        ++pos_;
        Operand rhs;
        if (!ParseOperand(&rhs, depth)) return false;
        // Jet compares text by the locale without regard to case, also between two literals.
        *out = "(" + lhs.sql + " " + op + " " + rhs.sql + " COLLATE " + kTextCollation + ")";
        return true;
    }
    if (next.kind == TokenKind::Is) {
        ++pos_;
        const bool negated = Accept(TokenKind::Not);
        if (!Accept(TokenKind::Null)) return Fail(Failure::Syntax);
        *out = "(" + lhs.sql + (negated ? " IS NOT NULL)" : " IS NULL)");
        return true;
    }
    const bool negated = Accept(TokenKind::Not);
    if (Accept(TokenKind::Like)) {
        Operand pattern;
        if (!ParseOperand(&pattern, depth)) return false;
        return TranslateLike(lhs.sql, pattern, negated, out);
    }
    if (negated) return Fail(Failure::Syntax);  // "a NOT" without Like
    *out = lhs.sql;
    return true;
}

bool CCriteriaTranslator::TranslateLike(const std::string& value, const Operand& pattern, bool negated,
                                        std::string* out) {
    std::string test;
    if (pattern.isStringLiteral) {
        CJetPattern compiled;
        if (!compiled.Compile(pattern.literal)) return Fail(Failure::Syntax);
        if (compiled.IsPlainGlob())
            test = "(" + value + " LIKE " + QuoteString(compiled.ToSqliteLike()) + " ESCAPE '\\')";
    }
    if (test.empty()) test = "jet_like(" + value + ", " + pattern.sql + ")";
    *out = negated ? "(NOT " + test + ")" : test;
    return true;
}

bool CCriteriaTranslator::ParseOperand(Operand* out, int depth) {
    const Token& token = Peek();
    switch (token.kind) {
    case TokenKind::Column: out->sql = QuoteIdentifier(token.text); break;
    case TokenKind::String:
        out->sql = QuoteString(token.text);
        out->isStringLiteral = true;
        out->literal = token.text;
        break;
    case TokenKind::Number: out->sql = token.text; break;
    case TokenKind::Date: {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", token.number);
        out->sql = buffer;
        break;
    }
    case TokenKind::Null: out->sql = "NULL"; break;
    case TokenKind::Minus:
        ++pos_;
        if (Peek().kind != TokenKind::Number) return Fail(Failure::Syntax);
        out->sql = "-" + Peek().text;
        break;
    case TokenKind::LeftParen: {
        if (depth + 1 > kMaxDepth) return Fail(Failure::TooDeep);
        ++pos_;
        std::string inner;
        if (!ParseOr(&inner, depth + 1)) return false;
        if (Peek().kind != TokenKind::RightParen) return Fail(Failure::Syntax);
        out->sql = "(" + inner + ")";
        break;
    }
    default: return Fail(Failure::Syntax);  // an operator or the end where a value belongs
    }
    ++pos_;
    return true;
}

}  // namespace jetsql
