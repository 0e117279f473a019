#include <initializer_list>
#include <string.h>
#include "address.h"
#include "line_geometry.h"
#include "other_postcodes.h"
#include "street_context.h"
#include "fid_state.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

const char* lastPhysicalLine(const char* text) {
    const char* lf = strrchr(text, '\n');
    return lf ? lf + 1 : text;
}

void compactCopy(char* out, size_t cap, const char* text) {
    copyBounded(out, cap, text);
    removeChar(out, ' ');
    removeChar(out, '\r');
}

// European code with a country letter: "X-12345" or "12345"; returns points or 0.
int europeanCode(const char* s, char letter, char* zip, size_t cap) {
    int n = static_cast<int>(strlen(s));
    for (int p = 0; p <= 6 && p + 7 <= n; ++p)
        if (s[p] == letter && (s[p + 1] == '-' || s[p + 1] == '.') && digitsAt(s + p + 2, 5)) {
            copyBoundedN(zip, cap, s + p, 7);
            return 7;
        }
    for (int p = 0; p <= 4 && p + 5 <= n; ++p)
        if (digitsAt(s + p, 5)) {
            copyBoundedN(zip, cap, s + p, 5);
            return 5;
        }
    return 0;
}

int dutchCode(const char* s, char* zip, size_t cap) {
    int n = static_cast<int>(strlen(s));
    for (int p = 0; p <= 7 && p + 9 <= n; ++p)
        if (strncmp(s + p, "NL-", 3) == 0 && dutchPostcodeAt(s + p + 3)) {
            copyBoundedN(zip, cap, s + p, 9);
            return 7;
        }
    for (int p = 0; p <= 4 && p + 6 <= n; ++p)
        if (dutchPostcodeAt(s + p)) {
            copyBoundedN(zip, cap, s + p, 6);
            return 5;
        }
    return 0;
}

int northAmericanCode(const char* s, char* zip, size_t cap) {
    int n = static_cast<int>(strlen(s));
    if (n > 10)
        for (int p = n - 10; p >= 0; --p)
            if (digitsAt(s + p, 5) && (s[p + 5] == '-' || s[p + 5] == '.') && digitsAt(s + p + 6, 4)) {
                copyBoundedN(zip, cap, s + p, 10);
                return 10;
            }
    for (int p = n - 5; p >= 0; --p)
        if (digitsAt(s + p, 5) && (p == 0 || !isDigit(s[p - 1])) && !isDigit(s[p + 5])) {
            copyBoundedN(zip, cap, s + p, 5);
            return 5;
        }
    for (int p = n - 6; p >= 1; --p) {
        const char* c = s + p;
        if (isLetter(c[0]) && isDigit(c[1]) && isLetter(c[2]) && isDigit(c[3]) && isLetter(c[4]) && isDigit(c[5])) {
            char code[8] = {toUpper(c[0]), c[1], toUpper(c[2]), ' ', c[3], toUpper(c[4]), c[5], 0};
            copyBounded(zip, cap, code);
            return 6;
        }
    }
    return 0;
}

void findPostalCodes() {
    for (AddressRecord& r : g_fid.address) {
        if (r.line < 0) continue;
        const char* line = g_fid.lines[r.line];
        char all[kLineBytes], last[kLineBytes];
        compactCopy(all, sizeof all, line);
        compactCopy(last, sizeof last, lastPhysicalLine(line));
        int points = 0;
        static const struct {
            Region region;
            char letter;
        } kEuropean[] = {{RegionGerman, 'D'}, {RegionFrench, 'F'}, {RegionItalian, 'I'}, {RegionSpanish, 'E'}};
        for (const auto& e : kEuropean)
            if (!points && regionOn(e.region)) points = europeanCode(last, e.letter, r.ZipCode, sizeof r.ZipCode);
        if (!points && regionOn(RegionDutch)) points = dutchCode(last, r.ZipCode, sizeof r.ZipCode);
        if (!points && regionOn(RegionNorthAmerican)) points = northAmericanCode(all, r.ZipCode, sizeof r.ZipCode);
        if (points) {
            cell(FieldZipCode, r.line) += points;
            cell(FieldAddress, r.line) += points;
        }
    }
}

// A town word that ends the text ends the town's own name ("Menlo Park", "Jersey City"): the
// city is not cut there.
bool endsTownName(const char* upper, const char* entry, int pos) {
    char word[32];
    copyBounded(word, sizeof word, entry);
    removeChar(word, ' ');
    if (!isTownWord(word)) return false;
    const char* behind = upper + pos + strlen(entry);
    while (*behind == ' ') ++behind;
    return !*behind;
}

// A word found inside a longer one ("HILL" in "Rolling Hills Estates") cuts nothing.
bool runsOn(const char* upper, int end) { return isLetter(upper[end]) && isLetter(upper[end - 1]); }

int nearestWordCut(const char* text) {
    int bestPos = -1, bestEnd = 0;
    for (const CWordList* list : {&lists::addressWords, &lists::streetWords})
        for (int e = 0; e < list->count(); ++e) {
            char upper[kLineBytes];
            upperCopy(upper, text, sizeof upper);
            int pos = findText(upper, list->entry(e));
            if (pos >= 0 && (endsTownName(upper, list->entry(e), pos) || runsOn(upper, pos + list->entryLength(e))))
                continue;
            if (pos >= 0 && (bestPos < 0 || pos < bestPos)) {
                bestPos = pos;
                bestEnd = pos + list->entryLength(e);
            }
        }
    return bestPos < 0 ? 0 : bestEnd;
}

bool northAmericanCity(AddressRecord& r, int d) {
    if (!*r.State) return false;
    char text[kLineBytes];
    copyBounded(text, sizeof text, lastPhysicalLine(g_fid.lines[d]));
    int pos = findLast(text, r.State);
    if (pos < 0) return false;
    text[pos] = 0;
    stripTrailing(text, " ");
    size_t n = strlen(text);
    if (n && (text[n - 1] == ',' || text[n - 1] == '.')) text[--n] = 0;
    stripTrailing(text, " ");
    int cut = 0;
    int blanks = findLast(text, "   ");
    if (blanks >= 0) cut = blanks + 3;
    for (int i = static_cast<int>(strlen(text)) - 2; i >= 0; --i)
        if (isDigit(text[i]) && isDigit(text[i + 1])) {
            if (i + 2 > cut) cut = i + 2;
            break;
        }
    memmove(text, text + cut, strlen(text + cut) + 1);
    int wordEnd = nearestWordCut(text);
    memmove(text, text + wordEnd, strlen(text + wordEnd) + 1);
    stripLeading(text, " ,");
    stripTrailing(text, " ,");
    if (!*text) return false;
    copyBounded(r.City, sizeof r.City, text);
    cell(FieldCity, d) += 5;
    return true;
}

bool europeanCity(AddressRecord& r, int d, Region region) {
    const char* line = g_fid.lines[d];
    int last = -1;
    for (int i = 0; line[i]; ++i)
        if (isDigit(line[i])) last = i;
    if (last < 0) return false;
    int digits = 0;
    for (int i = last; i >= 0 && i > last - 5; --i) digits += isDigit(line[i]);
    if (digits < 4) return false;
    char text[kLineBytes];
    copyBounded(text, sizeof text, line + last + 1);
    static const char* const kGerman[] = {"Germany", "GERMANY"};
    static const char* const kFrench[] = {"France", "FRANCE", "CEDEX", "Cedex", "CDX", "Cdx"};
    static const char* const kItalian[] = {"Italy", "ITALY"};
    static const char* const kSpanish[] = {"Spain", "SPAIN",
                                           "Espa\xF1"
                                           "a"};
    static const char* const kDutch[] = {"Nederland", "NEDERLAND",       "Holland",
                                         "HOLLAND",   "The Netherlands", "THE NETHERLANDS"};
    auto cutAt = [&](const char* word) {
        if (!*word) return;
        int p = findText(text, word);
        if (p >= 0) text[p] = 0;
    };
    switch (region) {
    case RegionGerman:
        for (const char* w : kGerman) cutAt(w);
        break;
    case RegionFrench:
        for (const char* w : kFrench) cutAt(w);
        break;
    case RegionItalian:
        cutAt(r.State);
        for (const char* w : kItalian) cutAt(w);
        break;
    case RegionSpanish:
        for (const char* w : kSpanish) cutAt(w);
        break;
    default:
        for (const char* w : kDutch) cutAt(w);
        break;
    }
    removeChar(text, '\r');
    for (char* p = text; *p; ++p)
        if (*p == '\n') *p = ' ';
    const char* ends = region == RegionItalian ? " ,.-(" : " ,.-";
    stripLeading(text, " ,.-");
    stripTrailing(text, ends);
    if (!*text) return false;
    copyBounded(r.City, sizeof r.City, text);
    cell(FieldCity, d) += 5;
    return true;
}

void findCity(AddressRecord& r, int d) {
    if (regionOn(RegionNorthAmerican) && northAmericanCity(r, d)) return;
    for (Region region : {RegionGerman, RegionFrench, RegionItalian, RegionSpanish, RegionDutch})
        if (regionOn(region) && europeanCity(r, d, region)) return;
    if (regionOn(RegionItalian) && *r.State) {
        char upper[32];
        upperCopy(upper, r.State, sizeof upper);
        for (int e = 0; e < lists::itCapitals.count(); ++e)
            if (strcmp(upper, lists::itCapitals.entry(e)) == 0) {
                copyBounded(r.City, sizeof r.City, r.State);
                cell(FieldCity, d) += 5;
                return;
            }
    }
}

// A city recorded as a town word alone ("City" of "Park City", from a town list) is the end of
// the town's longer name: the words before it on its line, back to a comma, a digit or a street
// word, belong to it.
void widenTownWordCity(AddressRecord& r, int d) {
    char word[32];
    copyBounded(word, sizeof word, r.City);
    upperInPlace(word);
    if (!isTownWord(word)) return;
    char text[kLineBytes], upper[kLineBytes];
    copyBounded(text, sizeof text, lastPhysicalLine(g_fid.lines[d]));
    upperCopy(upper, text, sizeof upper);
    int pos = findText(upper, word);
    int from = pos;
    for (int blank = pos - 1; blank > 0 && text[blank] == ' ';) {
        int start = blank;
        while (start > 0 && text[start - 1] != ' ') --start;
        char before[kLineBytes] = " ";
        copyBoundedN(before + 1, sizeof before - 1, text + start, static_cast<size_t>(blank - start));
        if (!isUpper(before[1]) || countDigits(before) > 0 || strchr(before, ',') || nearestWordCut(before) > 0) break;
        from = start;
        blank = start - 1;
    }
    if (pos < 0 || from == pos || static_cast<size_t>(pos) + strlen(word) - from >= sizeof r.City) return;
    copyBoundedN(r.City, sizeof r.City, text + from, static_cast<size_t>(pos) + strlen(word) - from);
}

void zipFromOtherLine(AddressRecord& r, int d) {
    static const struct {
        Region region;
        int test;
    } kTests[] = {{RegionNorthAmerican, 1}, {RegionNorthAmerican, 2}, {RegionGerman, 3},
                  {RegionFrench, 4},        {RegionItalian, 5},       {RegionSpanish, 6}};
    for (int k = 0; k < g_fid.lineCount; ++k) {
        if (k == d || (cell(FieldNumber, k) <= 0 && cell(FieldPhone, k) <= 0) || !areAdjacent(d, k)) continue;
        bool passes = false;
        for (const auto& t : kTests) passes = passes || (regionOn(t.region) && postcodeTest(t.test, g_fid.lines[k]));
        if (!passes) continue;
        copyBounded(r.ZipCode, sizeof r.ZipCode, g_fid.lines[k]);
        cell(FieldZipCode, k) += 5;
        cell(FieldNumber, k) = cell(FieldPhone, k) = 0;
        char joined[512];
        strcpy(joined, g_fid.lines[d]);
        strcat(joined, "\r\n");
        strcat(joined, g_fid.lines[k]);
        if (strlen(joined) <= kLineMax) strcpy(g_fid.lines[d], joined);
        return;
    }
}

void zipBeforeCity(AddressRecord& r, int d) {
    static const struct {
        Region region;
        const char* letters;
    } kRegions[] = {
        {RegionGerman, "D"}, {RegionFrench, "F"}, {RegionItalian, "I"}, {RegionSpanish, "E"}, {RegionDutch, "NL"}};
    const char* line = g_fid.lines[d];
    int cityPos = findText(line, r.City);
    if (cityPos <= 0) return;
    for (const auto& reg : kRegions) {
        if (!regionOn(reg.region)) continue;
        int last = -1;
        for (int i = 0; i < cityPos; ++i)
            if (isDigit(line[i])) last = i;
        if (last < 0) continue;
        int start = last;
        while (start > 0 &&
               (isDigit(line[start - 1]) || inSet(line[start - 1], " -") || inSet(line[start - 1], reg.letters)))
            --start;
        char run[kLineBytes];
        copyBoundedN(run, sizeof run, line + start, static_cast<size_t>(last + 1 - start));
        if (countDigits(run) != 5) continue;
        stripLeading(run, " -");
        removeChar(run, ' ');
        copyBounded(r.ZipCode, sizeof r.ZipCode, run);
        cell(FieldZipCode, d) += static_cast<int>(strlen(r.ZipCode));
        return;
    }
}

}  // namespace

void FID_separate_addresses() {
    findPostalCodes();
    for (AddressRecord& r : g_fid.address) {
        if (r.line < 0) continue;
        int d = r.line;
        if (cell(FieldAddress, d) > 0) {
            if (!*r.Country && *r.CtryGuess) {
                strcpy(r.Country, r.CtryGuess);
                r.CtryGuess[0] = 0;
                cell(FieldCountry, d) += cell(FieldCtryGuess, d);
            }
            if (!*r.State && *r.StatGuess) {
                copyBounded(r.State, sizeof r.State, r.StatGuess);
                r.StatGuess[0] = 0;
                cell(FieldState, d) += cell(FieldStatGuess, d);
            }
            if (!*r.City) findCity(r, d);
            else widenTownWordCity(r, d);
        }
        if (!*r.ZipCode) zipFromOtherLine(r, d);
        if (*r.City && !*r.ZipCode) zipBeforeCity(r, d);
    }
    FID_find_other_postcodes();
    for (AddressRecord& r : g_fid.address) {
        if (r.line < 0 || cell(FieldAddress, r.line) <= 0) continue;
        int n = (*r.ZipCode ? 1 : 0) + (*r.State ? 1 : 0) + (*r.City ? 1 : 0);
        if (n < 2) continue;
        cell(FieldState, r.line) += 5 * n;
        cell(FieldCity, r.line) += 5 * n;
        cell(FieldZipCode, r.line) += 5 * n;
        if (*r.Country) cell(FieldCountry, r.line) += 5 * n;
    }
}
