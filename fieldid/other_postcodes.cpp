#include "other_postcodes.h"
#include <stdio.h>
#include <string.h>
#include <initializer_list>
#include "fid_state.h"
#include "line_geometry.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

// The last printed line of an address line, its carriage return and outer blanks dropped.
void lastPrintedLine(const char* line, char* out, size_t cap) {
    const char* lf = strrchr(line, '\n');
    copyBounded(out, cap, lf ? lf + 1 : line);
    removeChar(out, '\r');
    stripLeading(out, " ");
    stripTrailing(out, " ");
}

// The printed line before the last one, or empty.
void printedLineBefore(const char* line, char* out, size_t cap) {
    out[0] = 0;
    const char* lf = strrchr(line, '\n');
    if (!lf) return;
    const char* start = lf;
    while (start > line && start[-1] != '\n') --start;
    copyBoundedN(out, cap, start, static_cast<size_t>(lf - start));
    removeChar(out, '\r');
    stripLeading(out, " ");
    stripTrailing(out, " ,");
}

// A town as printed: letters (accented ones too), blanks, hyphens, apostrophes, periods, and
// commas or parentheses around a county, province or country ("Montreal (Quebec)").
bool isTownText(const char* s) {
    if (countLetters(s) < 2 && !isHighByte(*s)) return false;
    for (; *s; ++s)
        if (!isLetter(*s) && !isHighByte(*s) && !inSet(*s, " -'.,()")) return false;
    return true;
}

// A street word ending one of the words of a town text ("Bahnhofstrasse", "Frontage Road").
bool endsWithStreetWord(const char* upper) {
    char word[kLineBytes];
    for (int p = wordAt(upper, 0, word, sizeof word); *word; p = wordAt(upper, p, word, sizeof word)) {
        stripTrailing(word, ".,");
        for (const CWordList* list : {&lists::streetWords, &lists::addressWords, &lists::deStreetWords}) {
            for (int e = 0; e < list->count(); ++e) {
                char entry[32];
                copyBounded(entry, sizeof entry, list->entry(e));
                removeChar(entry, ' ');
                stripTrailing(entry, ".");
                size_t w = strlen(word), k = strlen(entry);
                if (k >= 3 && w >= k && strcmp(word + w - k, entry) == 0) return true;
            }
        }
    }
    return false;
}

// "8001 Zurich", "CH-8001 Zurich", "A-1070 Wien": the length of the code part, 0 when not.
int fourDigitCodeLength(const char* s) {
    int p = 0;
    while (p < 2 && isUpper(s[p])) ++p;
    if (p > 0) {
        if (s[p] != '-') return 0;
        ++p;
    }
    if (!isDigit(s[p]) || !isDigit(s[p + 1]) || !isDigit(s[p + 2]) || !isDigit(s[p + 3]) || s[p + 4] != ' ') return 0;
    return p + 4;
}

AddressRecord* recordOfLine(int d) {
    for (AddressRecord& r : g_fid.address)
        if (r.line == d) return &r;
    for (AddressRecord& r : g_fid.address)
        if (r.line < 0) {
            r = AddressRecord{};
            r.line = d;
            return &r;
        }
    return nullptr;
}

bool lineHasPostcode(int d) {
    for (const AddressRecord& r : g_fid.address)
        if (r.line == d && *r.ZipCode) return true;
    return false;
}

void takeCode(AddressRecord& r, int d, const char* code, size_t length) {
    copyBoundedN(r.ZipCode, sizeof r.ZipCode, code, length);
    cell(FieldZipCode, d) += 5;
    cell(FieldAddress, d) += 5;
}

void takeTown(AddressRecord& r, int d, char* town) {
    town[strcspn(town, ",(")] = 0;
    stripLeading(town, " ,");
    stripTrailing(town, " ,.-");
    if (*r.City || !isTownText(town)) return;
    copyBounded(r.City, sizeof r.City, town);
    cell(FieldCity, d) += 5;
}

// A state or country that only a town list guessed ("NY" for Wakefield) is no part of a British
// or Canadian address that does not print it.
void dropUnprintedGuesses(AddressRecord& r, int d) {
    if (*r.State && findTextNoCase(g_fid.lines[d], r.State) < 0) r.State[0] = 0;
    if (*r.Country && findTextNoCase(g_fid.lines[d], r.Country) < 0) r.Country[0] = 0;
}

// A code that ends the last printed line, the town before it: "London EC4Y 7EL",
// "Montreal (Quebec)  H2T 1R2".
bool codeAtTheEnd(int d, const char* line, const char* last, int (*codeStart)(const char*)) {
    int start = codeStart(last);
    if (start < 0) return false;
    char town[kLineBytes];
    copyBoundedN(town, sizeof town, last, static_cast<size_t>(start));
    stripTrailing(town, " ,");
    if (!*town) printedLineBefore(line, town, sizeof town);
    else if (!isTownText(town)) return false;
    AddressRecord* r = recordOfLine(d);
    if (!r) return false;
    takeCode(*r, d, last + start, strlen(last + start));
    takeTown(*r, d, town);
    dropUnprintedGuesses(*r, d);
    return true;
}

// A line that holds nothing but the code, or a town that no list knows ("Otley") over such a
// line, right below the address line.
bool isLineOfItsOwn(int d, int k) {
    return k < g_fid.lineCount && areAdjacent(d, k) && cell(FieldEMail, k) <= 0 && cell(FieldWebSite, k) <= 0;
}

void trimmedLine(int k, char* out, size_t cap) {
    copyBounded(out, cap, g_fid.lines[k]);
    stripLeading(out, " ");
    stripTrailing(out, " ");
}

// Appends line k to address line d and empties its scores; false when the text would not fit.
bool appendLine(int d, int k, const char* text) {
    char joined[2 * kLineBytes];
    snprintf(joined, sizeof joined, "%s\r\n%s", g_fid.lines[d], text);
    if (strlen(joined) > kLineMax) return false;
    strcpy(g_fid.lines[d], joined);
    uniteBoxes(d, k);
    for (int kind = 0; kind < kKinds; ++kind) cell(kind, k) = 0;
    freeAddressRecords(k);
    return true;
}

// The code on a line of its own right below the address line ("Wakefield" over "WF2 7AW"), or
// below a town of its own line: they join the address as its zip code and city.
bool codeOnTheNextLine(int d, int (*codeStart)(const char*)) {
    char town[kLineBytes] = "", code[kLineBytes];
    int k = d + 1;
    if (!isLineOfItsOwn(d, k)) return false;
    trimmedLine(k, code, sizeof code);
    if (codeStart(code) != 0) {
        copyBounded(town, sizeof town, code);
        if (cell(FieldAddress, k) > 0 || !isTownText(town) || !isLineOfItsOwn(d, k + 1)) return false;
        trimmedLine(++k, code, sizeof code);
        if (codeStart(code) != 0) return false;
    }
    AddressRecord* r = recordOfLine(d);
    if (!r || (*town && !appendLine(d, k - 1, town)) || !appendLine(d, k, code)) return false;
    takeCode(*r, d, code, strlen(code));
    if (*town) takeTown(*r, d, town);
    dropUnprintedGuesses(*r, d);
    return true;
}

// The code begins the last printed line below the street, or follows its last comma
// ("Seestrasse 118, 8800 Thalwil").
const char* fourDigitCodePart(const char* line, const char* last) {
    if (strchr(line, '\n') && fourDigitCodeLength(last)) return last;
    const char* comma = strrchr(last, ',');
    if (!comma) return nullptr;
    ++comma;
    while (*comma == ' ') ++comma;
    return fourDigitCodeLength(comma) ? comma : nullptr;
}

bool fourDigitCode(int d, const char* line, const char* last) {
    const char* part = fourDigitCodePart(line, last);
    if (!part) return false;
    int length = fourDigitCodeLength(part);
    char town[kLineBytes], upper[kLineBytes];
    copyBounded(town, sizeof town, part + length);
    stripLeading(town, " ");
    upperCopy(upper, town, sizeof upper);
    if (!isTownText(town) || endsWithStreetWord(upper)) return false;
    AddressRecord* r = recordOfLine(d);
    if (!r) return false;
    takeCode(*r, d, part, static_cast<size_t>(length));
    takeTown(*r, d, town);
    return true;
}

// "Sydney NSW 2000": four digits standing right behind the state found in the line.
bool codeBehindState(int d, const char* last) {
    for (AddressRecord& r : g_fid.address) {
        if (r.line != d || !*r.State) continue;
        int n = static_cast<int>(strlen(last));
        if (n < 6 || !isDigit(last[n - 4]) || countDigits(last + n - 4) != 4 || last[n - 5] != ' ') continue;
        int end = n - 5;
        while (end > 0 && last[end - 1] == ' ') --end;
        int stateLength = static_cast<int>(strlen(r.State));
        if (end < stateLength || strncmp(last + end - stateLength, r.State, static_cast<size_t>(stateLength)) != 0)
            continue;
        takeCode(r, d, last + n - 4, 4);
        return true;
    }
    return false;
}

}  // namespace

int britishPostcodeStart(const char* s) {
    int n = static_cast<int>(strlen(s));
    if (n < 5 || !isDigit(s[n - 3]) || !isUpper(s[n - 2]) || !isUpper(s[n - 1])) return -1;
    int end = n - 3;
    if (s[end - 1] != ' ') return -1;
    while (end > 0 && s[end - 1] == ' ') --end;
    int start = end;
    while (start > 0 && isAlnum(s[start - 1])) --start;
    const char* o = s + start;
    int length = end - start;
    if (length < 2 || length > 4 || (start > 0 && !inSet(s[start - 1], " ,"))) return -1;
    int letters = isUpper(o[1]) ? 2 : 1;
    if (!isUpper(o[0]) || letters >= length || !isDigit(o[letters])) return -1;
    if (letters + 2 == length && !isDigit(o[letters + 1]) && !isUpper(o[letters + 1])) return -1;
    if (letters + 2 < length) return -1;
    return start;
}

int canadianPostcodeStart(const char* s) {
    int n = static_cast<int>(strlen(s));
    auto codeAt = [&](int p, bool blank) {
        int gap = blank ? 1 : 0;
        return isUpper(s[p]) && isDigit(s[p + 1]) && isUpper(s[p + 2]) && (!blank || s[p + 3] == ' ') &&
               isDigit(s[p + 3 + gap]) && isUpper(s[p + 4 + gap]) && isDigit(s[p + 5 + gap]);
    };
    int start = -1;
    if (n >= 7 && codeAt(n - 7, true)) start = n - 7;
    else if (n >= 6 && codeAt(n - 6, false)) start = n - 6;
    if (start < 0 || (start > 0 && !inSet(s[start - 1], " ,"))) return -1;
    return start;
}

namespace {

// Line j scores Address with its best score (at least 10); every kind but the address kinds
// becomes 0.
void scoreAsAddress(int j) {
    int best = 10;
    for (int k = 0; k < kKinds; ++k)
        if (cell(k, j) > best) best = cell(k, j);
    for (int k = 0; k < kKinds; ++k)
        if (!isPlaceKind(k) && k != FieldZipCode && k != FieldPOBox) cell(k, j) = 0;
    cell(FieldAddress, j) = best;
}

bool mayScoreAsAddress(int j) {
    return j >= 0 && cell(FieldAddress, j) <= 0 && cell(FieldEMail, j) <= 0 && cell(FieldWebSite, j) <= 0;
}

}  // namespace

void FID_score_postcode_lines() {
    for (int j = 0; j < g_fid.lineCount; ++j) {
        char text[kLineBytes];
        copyBounded(text, sizeof text, g_fid.lines[j]);
        stripTrailing(text, " ");
        stripLeading(text, " ");
        int start = regionOn(RegionBritish) ? britishPostcodeStart(text) : -1;
        if (start < 0 && !regionOn(RegionNorthAmerican)) start = canadianPostcodeStart(text);
        if (start < 0) continue;
        // The code alone: a town that no list knows on the line above it ("Otley") belongs to the
        // address too.
        int townLine = start == 0 ? j - 1 : j;
        if (start == 0) copyBounded(text, sizeof text, townLine >= 0 ? g_fid.lines[townLine] : "");
        else text[start] = 0;
        stripTrailing(text, " ,");
        stripLeading(text, " ");
        if (!mayScoreAsAddress(townLine) || !isTownText(text)) continue;
        scoreAsAddress(townLine);
        if (start == 0 && mayScoreAsAddress(j)) scoreAsAddress(j);
    }
}

void FID_find_other_postcodes() {
    for (int d = 0; d < g_fid.lineCount; ++d) {
        if (cell(FieldAddress, d) <= 0 || lineHasPostcode(d)) continue;
        const char* line = g_fid.lines[d];
        char last[kLineBytes];
        lastPrintedLine(line, last, sizeof last);
        if (regionOn(RegionAustralian) && codeBehindState(d, last)) continue;
        for (auto codeStart : {britishPostcodeStart, canadianPostcodeStart}) {
            bool on = codeStart == britishPostcodeStart ? regionOn(RegionBritish) : !regionOn(RegionNorthAmerican);
            if (on && (codeAtTheEnd(d, line, last, codeStart) || codeOnTheNextLine(d, codeStart))) break;
        }
        if (!lineHasPostcode(d)) fourDigitCode(d, line, last);
    }
}
