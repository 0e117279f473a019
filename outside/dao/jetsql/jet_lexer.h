// Splits a Jet criteria text into tokens; malformed pieces (unclosed quotes or brackets,
// impossible dates, characters that belong to no token) stop the whole text.
#pragma once

#include <string>
#include <vector>

namespace jetsql {

enum class TokenKind {
    Column,   // text: the column name, unquoted
    String,   // text: the value, quotes undoubled
    Number,   // text: the digits as written
    Date,     // number: the OLE date
    Compare,  // text: = <> < <= > >=
    Minus,
    LeftParen,
    RightParen,
    And,
    Or,
    Not,
    Like,
    Is,
    Null,
    End
};

struct Token {
    TokenKind kind;
    std::string text;
    double number = 0;
};

// False when the text holds anything that is not a well-formed token.
bool Tokenize(const std::string& text, std::vector<Token>* tokens);

}  // namespace jetsql
