// Match rules, matcher kinds, place rules and the piece recorder shared by the scoring passes.
#pragma once
#include "word_list.h"

// WholeWord: no letter or digit may touch the occurrence on a side where the entry itself
// begins or ends with one ("MASTER" is not in "MASTERSON", "ING." is not in "MARKETING.").
enum class Match { Substring, Word, NameWord, Bounded, ShortForm, WholeWord };

// Calls hit(entryIndex, position) once per entry of `list` that matches `text` by `rule`.
template <typename Hit>
void forEachMatch(const CWordList& list, const char* text, Match rule, Hit hit);

// Whether the occurrence of `length` bytes at `pos` of text satisfies `rule`'s boundaries.
bool boundariesHold(const char* text, int pos, int length, Match rule);
// The first occurrence of `needle` in text by `rule`, or -1.
int findByRule(const char* text, const char* needle, Match rule);

enum MatcherKind {
    MaleFirstName = 1,
    FemaleFirstName,
    Surname,
    CompanyForm,
    ShortCompanyForm,
    CompanyWord,
    CompanyName,
    TitleWord,
    WeakTitleWord,
    DepartmentWord,
    WeakDepartmentWord,
    AddressWord,
    StreetWord
};

// Applies a matcher kind's increments to `line` for every matching entry.
void applyMatcher(const CWordList& list, MatcherKind kind, int line, const char* upper);
// Applies the increments of one matched entry.
void applyMatcherEffect(MatcherKind kind, int line);

enum class Piece { Country, State, City };

// Offers a piece found at `pos` (length bytes) of the line's text (upper case or as printed);
// true when taken.
bool recordPiece(int line, Piece kind, const char* text, int pos, int length);
// Offers a country or state guess.
void offerGuess(int line, Piece kind, const char* text);

// Place rules. `country` is the country name offered as guess.
void cityRule(const CWordList& list, const char* country, int line, const char* text,
              const char* stateGuessPrefix = nullptr);
void stateRule(const CWordList& list, const char* country, int line, const char* upper);
void codeRule(const CWordList& codes, const char* country, int line, const char* original);
// A city entry found bounded at pos; applies the city points and offers it. Returns taken.
bool cityHit(int line, const char* text, int pos, int length);

// The address record of the line whose State or City (upper case) holds upperText, or -1.
int lineAddressRecordHolding(int line, const char* upperText);

template <typename Hit>
void forEachMatch(const CWordList& list, const char* text, Match rule, Hit hit) {
    static std::vector<unsigned char> seen;
    static std::vector<int> touched;
    if (static_cast<int>(seen.size()) < list.count()) seen.resize(list.count());
    touched.clear();
    list.forEachOccurrence(text, [&](int e, int pos) {
        if (seen[e]) return true;
        bool firstOnly = rule == Match::Bounded || rule == Match::ShortForm;
        bool ok = rule == Match::Substring || boundariesHold(text, pos, list.entryLength(e), rule);
        if (ok || firstOnly) {
            seen[e] = 1;
            touched.push_back(e);
        }
        if (ok) hit(e, pos);
        return true;
    });
    for (int e : touched) seen[e] = 0;
}
