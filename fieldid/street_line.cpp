#include "street_line.h"
#include <initializer_list>
#include <string.h>
#include "address.h"
#include "fid_state.h"
#include "line_geometry.h"
#include "other_postcodes.h"
#include "text_util.h"

namespace {

// Whether an address record of the line holds a city, state or country, scored or not yet.
bool recordsPlace(int line) {
    for (const AddressRecord& r : g_fid.address)
        if (r.line == line && (*r.City || *r.State || *r.Country)) return true;
    return false;
}

// One to five digits, perhaps with a letter or comma behind ("45", "12a", "250,").
bool isHouseNumberWord(const char* word) {
    int digits = 0;
    while (isDigit(word[digits])) ++digits;
    const char* rest = word + digits;
    if (isLetter(*rest)) ++rest;
    if (*rest == ',') ++rest;
    return digits >= 1 && digits <= 5 && !*rest;
}

bool holdsHouseNumber(const char* text) {
    char word[kLineBytes];
    for (int p = wordAt(text, 0, word, sizeof word); *word; p = wordAt(text, p, word, sizeof word))
        if (isHouseNumberWord(word)) return true;
    return false;
}

// A postal code of four or more digits, or a Canadian code, in the line.
bool holdsPostalDigits(const char* text) {
    int run = 0;
    for (const char* p = text; *p; ++p) {
        run = isDigit(*p) ? run + 1 : 0;
        if (run >= 4) return true;
        if (isUpper(p[0]) && isDigit(p[1]) && isUpper(p[2]) && p[3] && isDigit(p[p[3] == ' ' ? 4 : 3])) return true;
    }
    return false;
}

// "London EC3A 8EP", "Montreal (Quebec)  H2T 1R2".
bool endsWithCode(const char* line) {
    char text[kLineBytes];
    copyBounded(text, sizeof text, line);
    stripTrailing(text, " ");
    return britishPostcodeStart(text) > 0 || canadianPostcodeStart(text) > 0;
}

bool isTownLine(int j) {
    const char* text = g_fid.lines[j];
    if (endsWithCode(text)) return true;
    return holdsPiece(j, FieldCity) && (holdsPiece(j, FieldState) || holdsPostalDigits(text));
}

// The first or last word is a house number and the rest holds a word of letters: "82 University
// Place", "30 St Mary Axe", "Koenigsallee 60".
bool shapedAsStreet(const char* text) {
    char word[kLineBytes], first[kLineBytes] = "", last[kLineBytes] = "";
    int count = 0;
    for (int p = wordAt(text, 0, word, sizeof word); *word; p = wordAt(text, p, word, sizeof word)) {
        if (!count++) copyBounded(first, sizeof first, word);
        copyBounded(last, sizeof last, word);
    }
    if (count < 2 || !containsLetter(text)) return false;
    return isHouseNumberWord(first) || isHouseNumberWord(last);
}

// A firm named by a company form and a number ("Studio 54", "Agency 7"), not a street that
// begins with its house number and carries such a word ("82 University Place").
bool firmWithNumber(int i) {
    char word[kLineBytes];
    wordAt(g_fid.lines[i], 0, word, sizeof word);
    return g_fid.companyForm[i] && !isHouseNumberWord(word);
}

void freePlaces(int i) {
    for (int k : {FieldCountry, FieldState, FieldCity, FieldCtryGuess, FieldStatGuess}) cell(k, i) = 0;
    freeAddressRecords(i);
}

}  // namespace

void FID_free_places_in_street_lines() {
    for (int i = 0; i + 1 < g_fid.lineCount; ++i) {
        if (cell(FieldAddress, i) < 1 || !holdsHouseNumber(g_fid.lines[i])) continue;
        if (!recordsPlace(i)) continue;
        int j = nextAdjacentLineOf(i, FieldAddress);
        if (j >= 0 && isTownLine(j)) freePlaces(i);
    }
}

void FID_street_lines_over_towns() {
    for (int i = 0; i + 1 < g_fid.lineCount; ++i) {
        const char* text = g_fid.lines[i];
        if (cell(FieldAddress, i) > 0 || firmWithNumber(i) || strchr(text, '@') || !shapedAsStreet(text)) continue;
        bool contact = false;
        for (int k : {FieldPhone, FieldFax, FieldEMail, FieldWebSite, FieldNumber, FieldPOBox, FieldZipCode})
            contact = contact || cell(k, i) > 0;
        if (contact || cell(FieldAddress, i + 1) <= 0 || !areAdjacent(i, i + 1) || !isTownLine(i + 1)) continue;
        int best = 1;
        for (int k = 0; k < kKinds; ++k)
            if (k != FieldSexGuess && cell(k, i) > best) best = cell(k, i);
        for (int k : {FieldName, FieldCompany, FieldDepartment, FieldTitle, FieldNone, FieldSexGuess}) cell(k, i) = 0;
        cell(FieldAddress, i) = best;
    }
}
