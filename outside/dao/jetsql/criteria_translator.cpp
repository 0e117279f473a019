#include "criteria_translator.h"

#include "jet_pattern.h"

#include <cstdio>

namespace jetsql {

std::string QuoteString(const std::string& value) {
    std::string out = "'";
    for (char c : value) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string QuoteIdentifier(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

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

bool CCriteriaTranslator::ParseOr(std::string* out, int depth) {
    if (!ParseAnd(out, depth)) return false;
    while (Accept(TokenKind::Or)) {
        std::string rhs;
        if (!ParseAnd(&rhs, depth)) return false;
        *out = "(" + *out + " OR " + rhs + ")";
    }
    return true;
}

bool CCriteriaTranslator::ParseAnd(std::string* out, int depth) {
    if (!ParseNot(out, depth)) return false;
    while (Accept(TokenKind::And)) {
        std::string rhs;
        if (!ParseNot(&rhs, depth)) return false;
        *out = "(" + *out + " AND " + rhs + ")";
    }
    return true;
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
        // Jet compares text without regard to case, also between two literals.
        *out = "(" + lhs.sql + " " + op + " " + rhs.sql + " COLLATE NOCASE)";
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
    case TokenKind::Column:
        out->sql = QuoteIdentifier(token.text);
        break;
    case TokenKind::String:
        out->sql = QuoteString(token.text);
        out->isStringLiteral = true;
        out->literal = token.text;
        break;
    case TokenKind::Number:
        out->sql = token.text;
        break;
    case TokenKind::Date: {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", token.number);
        out->sql = buffer;
        break;
    }
    case TokenKind::Null:
        out->sql = "NULL";
        break;
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
    default:
        return Fail(Failure::Syntax);  // an operator or the end where a value belongs
    }
    ++pos_;
    return true;
}

}  // namespace jetsql
