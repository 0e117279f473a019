// A compiled Jet Like pattern: every item matches exactly one character, except the
// any-run item (*), so matching needs no recursion and stays O(text x pattern).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace jetsql {

class CJetPattern {
public:
    // False for a malformed pattern (an unclosed [ or a reversed range such as [m-a]).
    bool Compile(const std::string& pattern);
    // Whole-text match without regard to case. Text and pattern are ANSI text of the process
    // code page, as the card engine keeps them (a double-byte character is one character).
    bool Matches(const std::string& text) const;
    // True when only ASCII literals and * remain on a single-byte code page, which SQLite's own
    // LIKE handles alike.
    bool IsPlainGlob() const;
    // The pattern for SQLite's LIKE with ESCAPE '\' (valid only when IsPlainGlob()).
    std::string ToSqliteLike() const;

private:
    enum class Kind { Literal, AnyOne, AnyRun, Digit, Set };
    struct Item {
        Kind kind;
        uint32_t ch = 0;                                    // Literal, already folded
        bool negated = false;                               // Set
        std::vector<std::pair<uint32_t, uint32_t>> ranges;  // Set: inclusive ranges
    };

    bool CompileSet(const std::vector<uint32_t>& cps, size_t* pos);
    bool MatchesOne(const Item& item, uint32_t c) const;

    std::vector<Item> items_;
};

// The characters of ANSI text of the process code page, decoded as the collation decodes them.
std::vector<uint32_t> AnsiCharacters(const std::string& text);
// Lower case of one character, by the system's case table (S with caron, OE, Y with diaeresis
// and the rest of the code page's letters included).
uint32_t FoldCase(uint32_t c);
// True when the process code page has double-byte characters (932, 936, 949, 950).
bool CodePageHasLeadBytes();

}  // namespace jetsql
