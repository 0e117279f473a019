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
    // Whole-text match without regard to case; the text is UTF-8 (stray bytes count as
    // one Latin-1 character each).
    bool Matches(const std::string& text) const;
    // True when only ASCII literals, ? and * remain, which SQLite's own LIKE handles alike.
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

// Reads one character at *pos: a valid UTF-8 sequence, or else a single byte.
uint32_t NextCodePoint(const std::string& text, size_t* pos);
// Lower case for ASCII and Latin-1 letters; other characters unchanged.
uint32_t FoldCase(uint32_t c);

}  // namespace jetsql
