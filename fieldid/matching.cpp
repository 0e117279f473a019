#include "matching.h"
#include <string.h>
#include "fid_state.h"
#include "scoring_support.h"
#include "street_context.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

bool beforeOk(const char* text, int pos, Match rule) {
    if (pos == 0) return true;
    char c = text[pos - 1];
    switch (rule) {
    case Match::Word:
    case Match::ShortForm: return inSet(c, " ,.");
    case Match::NameWord: return inSet(c, " ,.-");
    case Match::Bounded: return inSet(c, " (,-./") || isDigit(c);
    default: return true;
    }
}

bool afterOk(char c, Match rule) {
    if (c == 0) return true;
    switch (rule) {
    case Match::Word:
    case Match::ShortForm: return inSet(c, " ,.");
    case Match::NameWord: return inSet(c, " ,.-");
    case Match::Bounded: return inSet(c, " ),-./");
    default: return true;
    }
}

bool wholeWordHolds(const char* text, int pos, int length) {
    bool openStart = pos > 0 && isWordByte(text[pos]) && isWordByte(text[pos - 1]);
    bool openEnd = isWordByte(text[pos + length - 1]) && isWordByte(text[pos + length]);
    return !openStart && !openEnd;
}

}  // namespace

bool boundariesHold(const char* text, int pos, int length, Match rule) {
    if (rule == Match::WholeWord) return length > 0 && wholeWordHolds(text, pos, length);
    return beforeOk(text, pos, rule) && afterOk(text[pos + length], rule);
}

int findByRule(const char* text, const char* needle, Match rule) {
    int length = static_cast<int>(strlen(needle));
    bool firstOnly = rule == Match::Bounded || rule == Match::ShortForm || rule == Match::Substring;
    for (int pos = findText(text, needle); pos >= 0; pos = findText(text, needle, pos + 1)) {
        if (boundariesHold(text, pos, length, rule)) return pos;
        if (firstOnly) return -1;
    }
    return -1;
}

void applyMatcherEffect(MatcherKind kind, int line) {
    switch (kind) {
    case MaleFirstName:
    case FemaleFirstName:
        addPoints(line, {{FieldName, 10}, {FieldAddress, -5}, {FieldCity, -5}});
        cell(FieldSexGuess, line) = kind == MaleFirstName ? 5 : 6;
        break;
    case Surname: addPoints(line, {{FieldName, 8}}); break;
    case CompanyForm:
        g_fid.companyForm[line] = 1;
        addPoints(line, {{FieldCompany, 16},
                         {FieldName, -5},
                         {FieldAddress, -12},
                         {FieldCountry, -10},
                         {FieldState, -5},
                         {FieldCity, -10}});
        break;
    case ShortCompanyForm:
        g_fid.companyForm[line] = 1;
        addPoints(line, {{FieldCompany, 16}, {FieldName, -5}});
        break;
    case CompanyWord:
        addPoints(line, {{FieldCompany, 5},
                         {FieldName, -5},
                         {FieldAddress, -5},
                         {FieldCountry, -5},
                         {FieldState, -5},
                         {FieldCity, -5}});
        break;
    case CompanyName: addPoints(line, {{FieldCompany, 10}}); break;
    case TitleWord: addPoints(line, {{FieldTitle, 16}, {FieldCompany, -5}}); break;
    case WeakTitleWord: addPoints(line, {{FieldTitle, 6}, {FieldName, -5}}); break;
    case DepartmentWord: addPoints(line, {{FieldDepartment, 14}}); break;
    case WeakDepartmentWord:
        addPoints(line, {{FieldDepartment, 7}, {FieldName, -5}, {FieldAddress, -5}, {FieldCity, -5}});
        break;
    case AddressWord:
        addPoints(line, {{FieldAddress, 9}, {FieldName, -8}, {FieldNumber, -8}, {FieldPhone, -8}, {FieldFax, -8}});
        break;
    case StreetWord:
        addPoints(line, {{FieldAddress, 16},
                         {FieldName, -16},
                         {FieldCompany, -10},
                         {FieldNumber, -8},
                         {FieldPhone, -8},
                         {FieldFax, -8}});
        break;
    }
}

void applyMatcher(const CWordList& list, MatcherKind kind, int line, const char* upper) {
    Match rule = Match::Substring;
    if (kind <= Surname) rule = Match::NameWord;
    else if (kind == ShortCompanyForm) rule = Match::ShortForm;
    else if (kind == CompanyName) rule = Match::Word;
    forEachMatch(list, upper, rule, [&](int, int) { applyMatcherEffect(kind, line); });
}

namespace {

// The first record, in order, that is free or already on the line.
int recordFor(int line) {
    for (int r = 0; r < kAddressRecords; ++r)
        if (g_fid.address[r].line == line || g_fid.address[r].line == -1) return r;
    return -1;
}

void placeText(char* field, size_t cap, const char* piece) {
    if (*field) {
        char oldUpper[kLineBytes], newUpper[kLineBytes];
        upperCopy(oldUpper, field, sizeof oldUpper);
        upperCopy(newUpper, piece, sizeof newUpper);
        if (!strstr(newUpper, oldUpper)) return;
    }
    copyBounded(field, cap, piece);
}

}  // namespace

bool recordPiece(int line, Piece kind, const char* text, int pos, int length) {
    // The French cities are also looked up in the line as printed; the place words are upper case.
    char upper[kLineBytes];
    upperCopy(upper, text, sizeof upper);
    if (followedByPlaceWord(upper, pos + length)) return false;
    int r = recordFor(line);
    if (r < 0) return true;
    AddressRecord& rec = g_fid.address[r];
    rec.line = line;
    char piece[kLineBytes];
    copyBoundedN(piece, sizeof piece, g_fid.lines[line] + pos, static_cast<size_t>(length));
    switch (kind) {
    case Piece::Country: placeText(rec.Country, sizeof rec.Country, piece); break;
    case Piece::State: placeText(rec.State, sizeof rec.State, piece); break;
    case Piece::City: placeText(rec.City, sizeof rec.City, piece); break;
    }
    return true;
}

void offerGuess(int line, Piece kind, const char* text) {
    int r = recordFor(line);
    if (r < 0) return;
    AddressRecord& rec = g_fid.address[r];
    rec.line = line;
    if (kind == Piece::Country && !*rec.CtryGuess) copyBounded(rec.CtryGuess, sizeof rec.CtryGuess, text);
    if (kind == Piece::State && !*rec.StatGuess) copyBounded(rec.StatGuess, sizeof rec.StatGuess, text);
}

int lineAddressRecordHolding(int line, const char* upperText) {
    for (int r = 0; r < kAddressRecords; ++r) {
        const AddressRecord& rec = g_fid.address[r];
        if (rec.line != line) continue;
        char s[32], c[32];
        upperCopy(s, rec.State, sizeof s);
        upperCopy(c, rec.City, sizeof c);
        if ((*s && strstr(s, upperText)) || (*c && strstr(c, upperText))) return r;
    }
    return -1;
}

bool cityHit(int line, const char* text, int pos, int length) {
    int points = length < 8 ? 8 : length;
    addPoints(line, {{FieldAddress, 5},
                     {FieldCity, points},
                     {FieldStatGuess, 5},
                     {FieldCtryGuess, 5},
                     {FieldName, -5},
                     {FieldNumber, -5},
                     {FieldPhone, -5},
                     {FieldFax, -5}});
    if (memchr(text + pos, ' ', static_cast<size_t>(length))) addPoints(line, {{FieldAddress, 7}, {FieldName, -5}});
    return recordPiece(line, Piece::City, text, pos, length);
}

void cityRule(const CWordList& list, const char* country, int line, const char* text, const char* stateGuessPrefix) {
    (void)stateGuessPrefix;
    forEachMatch(list, text, Match::Bounded, [&](int e, int pos) {
        char upperEntry[64];
        upperCopy(upperEntry, list.entry(e), sizeof upperEntry);
        if (lineAddressRecordHolding(line, upperEntry) >= 0) return;
        if (!cityHit(line, text, pos, list.entryLength(e))) return;
        if (list.offset() == 2) {
            char code[3] = {list.slot(e)[0], list.slot(e)[1], 0};
            offerGuess(line, Piece::State, code);
        }
        offerGuess(line, Piece::Country, country);
    });
}

void stateRule(const CWordList& list, const char* country, int line, const char* upper) {
    forEachMatch(list, upper, Match::Bounded, [&](int e, int pos) {
        addPoints(line, {{FieldAddress, 5},
                         {FieldState, 8},
                         {FieldCtryGuess, 5},
                         {FieldName, -5},
                         {FieldNumber, -5},
                         {FieldPhone, -5},
                         {FieldFax, -5}});
        recordPiece(line, Piece::State, upper, pos, list.entryLength(e));
        offerGuess(line, Piece::Country, country);
    });
}

namespace {

void codeHit(int line, const char* country, const char* original, int pos, int length) {
    addPoints(
        line,
        {{FieldAddress, 5}, {FieldState, 6}, {FieldCtryGuess, 5}, {FieldNumber, -5}, {FieldPhone, -5}, {FieldFax, -5}});
    char upper[kLineBytes];
    upperCopy(upper, original, sizeof upper);
    recordPiece(line, Piece::State, upper, pos, length);
    offerGuess(line, Piece::Country, country);
}

}  // namespace

void codeRule(const CWordList& codes, const char* country, int line, const char* original) {
    forEachMatch(codes, original, Match::Word,
                 [&](int e, int pos) { codeHit(line, country, original, pos, codes.entryLength(e)); });
    for (int e = 0; e < codes.count(); ++e) {
        const char* code = codes.entry(e);
        if (strlen(code) != 2) continue;
        char dotted[5] = {code[0], '.', code[1], '.', 0};
        int pos = findByRule(original, dotted, Match::Word);
        if (pos >= 0) codeHit(line, country, original, pos, 4);
    }
}
