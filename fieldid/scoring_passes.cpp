#include <string.h>
#include <algorithm>
#include <vector>
#include "address.h"
#include "fid_state.h"
#include "scoring_support.h"
#include "glyphutil.h"
#include "matching.h"
#include "scoring.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

int visibleLength(const char* s) {
    int n = 0;
    for (; *s; ++s) n += (*s != ' ' && *s != '^');
    return n;
}

void passLength(int line, const char* s) {
    int n = visibleLength(s);
    if (n > 30) {
        if (regionOn(RegionGerman)) cell(FieldName, line) += 60 - 2 * n;
        else cell(FieldName, line) = (30 - n) * 2;
    }
    if (n < 6) cell(FieldName, line) += 2 * n - 12;
    if (n < 8) cell(FieldEMail, line) = 0;
    if (n <= 1)
        for (int k = 0; k < kKinds; ++k) cell(k, line) = -100;
}

int wordCount(const char* s) {
    int n = 0;
    for (int i = 0; s[i]; ++i)
        if (s[i] != ' ' && (i == 0 || s[i - 1] == ' ')) ++n;
    return n;
}

void passWords(int line, const char* s) {
    int words = wordCount(s);
    if (words == 1 || words == 3) cell(FieldName, line) += 1;
    if (words == 2) cell(FieldName, line) += 4;
}

void passSize(int line) {
    int value = g_fid.boxes[line].extra;
    if (value > 25) cell(FieldCompany, line) += value - 25 > 12 ? 12 : value - 25;
}

void passDigits(int line, const char* s, const char* upper) {
    int symbols = 0, digits = 0;
    for (const char* p = s; *p; ++p) {
        if (!isLetter(*p) && *p != ' ' && *p != '^') ++symbols;
        digits += isDigit(*p);
    }
    int n = visibleLength(s);
    if (n < 2 * symbols) addPoints(line, {{FieldNumber, 8}, {FieldFax, 8}, {FieldPhone, 8}, {FieldName, -symbols}});
    if (digits > 5) {
        addPoints(line, {{FieldNumber, 5},
                         {FieldFax, 5},
                         {FieldPhone, 5},
                         {FieldName, -digits},
                         {FieldAddress, digits / 2 < 5 ? digits / 2 : 5}});
        cell(FieldTitle, line) = 0;
    } else if (digits >= 1) {
        if (strstr(upper, "EXT.") || strstr(upper, "EXT:") || strstr(upper, "TELEX") || strstr(upper, "TLX")) return;
        cell(FieldNumber, line) = cell(FieldFax, line) = cell(FieldPhone, line) = 0;
        addPoints(line, {{FieldName, -digits}, {FieldTitle, -4 * digits}, {FieldAddress, digits}});
    } else {
        addPoints(line, {{FieldNumber, -100}, {FieldFax, -100}, {FieldPhone, -100}});
    }
}

void passShape(int line, const char* s, const char* upper) {
    int open = 0, close = 0;
    for (const char* p = s; *p; ++p) {
        open += *p == '(';
        close += *p == ')';
    }
    if (open >= 1 && open == close) addPoints(line, {{FieldNumber, 10}, {FieldFax, 8}, {FieldPhone, 8}});
    if (!strpbrk(upper, "AEIOUY")) cell(FieldName, line) = 0;
    for (int i = 0; s[i]; ++i)
        if (s[i] != ' ' && (i == 0 || s[i - 1] == ' ') && !isUpper(s[i])) cell(FieldName, line) -= 5;
    int length = static_cast<int>(strlen(s));
    if (length > 5)
        for (int i = 3; i + 2 < length; ++i)
            if (s[i] == ' ' && isUpper(s[i + 1]) && s[i + 2] == '.') {
                cell(FieldName, line) += 6;
                break;
            }
    int letters = countLetters(s);
    if (letters > 2) {
        int points = letters >= 6 ? 3 : letters - 3;
        addPoints(line, {{FieldName, points}, {FieldCompany, points}});
    } else {
        addPoints(line, {{FieldCompany, letters - 3}, {FieldAddress, -5}});
    }
    if (!strchr(s, '.')) addPoints(line, {{FieldWebSite, -5}, {FieldEMail, -5}});
}

void passPostBoxes(int line, const char* upper) {
    char compact[kLineBytes];
    int n = 0;
    for (const char* p = upper; *p; ++p)
        if (isAlnum(*p) || isHighByte(*p)) compact[n++] = *p;
    compact[n] = 0;
    static const char* const kCompact[] = {
        "POBOX",         "P0BOX",          "POB0X",        "P0B0X",           "POSTOFFICEBOX",  "POSTFACH",
        "POSTANSCHRIFT", "ADRESSEPOSTALE", "BOITEPOSTALE", "BO\xEETEPOSTALE", "CASELLAPOSTALE", "APARTADO",
        "APTDO",         "APDO",           "POB",          "POSTBUS"};
    static const char* const kPlain[] = {"POSTF.", " PF.", "B.P ", "B.P.", "BP "};
    for (const char* w : kCompact)
        if (strstr(compact, w)) addPoints(line, {{FieldPOBox, 10}, {FieldAddress, 10}});
    for (const char* w : kPlain)
        if (strstr(upper, w)) addPoints(line, {{FieldPOBox, 10}, {FieldAddress, 10}});
}

bool isStateCode(const char* two) {
    for (int e = 0; e < lists::usStateCodes.count(); ++e)
        if (strncmp(lists::usStateCodes.entry(e), two, 2) == 0) return true;
    return false;
}

void passNorthAmericanPostal(int line, const char* s) {
    const char* comma = strrchr(s, ',');
    if (!comma) return;
    char tail[kLineBytes];
    copyBounded(tail, sizeof tail, comma + 1);
    removeChar(tail, ' ');
    if (!isUpper(tail[0]) || !isUpper(tail[1]) || !isStateCode(tail)) return;
    int digits = countDigits(tail);
    if (digits == 5 || digits == 9) cell(FieldAddress, line) += 10;
    int length = static_cast<int>(strlen(tail));
    if (length != 7 && length != 12) return;
    const char* last = strrchr(s, tail[0]);
    if (!last || last[1] != tail[1]) return;
    addPoints(line, {{FieldState, 6}, {FieldCtryGuess, 5}, {FieldNumber, -10}, {FieldPhone, -10}, {FieldFax, -10}});
    char code[3] = {tail[0], tail[1], 0};
    char upper[kLineBytes];
    upperCopy(upper, s, sizeof upper);
    recordPiece(line, Piece::State, upper, static_cast<int>(last - s), 2);
    offerGuess(line, Piece::Country, "USA");
    (void)code;
}

void passEuropeanPostal(int line, const char* s, Region region, int test, const char* letters, const char* country) {
    int end = 0, lastDigit = -1;
    while (s[end] && (isDigit(s[end]) || inSet(s[end], "- ") || inSet(s[end], letters))) {
        if (isDigit(s[end])) lastDigit = end;
        ++end;
    }
    (void)region;
    if (lastDigit < 0) return;
    char run[kLineBytes];
    copyBoundedN(run, sizeof run, s, static_cast<size_t>(lastDigit + 1));
    if (!postcodeTest(test, run)) return;
    addPoints(line, {{FieldAddress, 10}, {FieldNumber, -10}, {FieldPhone, -10}, {FieldFax, -10}});
    offerGuess(line, Piece::Country, country);
}

void passHouseNumbers(int line, const char* s) {
    int length = static_cast<int>(strlen(s));
    int digits = countDigits(s);
    if (length <= 4 || digits < 1 || digits > 3) return;
    int trailing = 0;
    while (trailing < length && isDigit(s[length - 1 - trailing])) ++trailing;
    if (trailing * 2 <= length) cell(FieldAddress, line) += 5;
}

void passPostal(int line, const char* s) {
    if (regionOn(RegionNorthAmerican)) passNorthAmericanPostal(line, s);
    if (regionOn(RegionGerman)) passEuropeanPostal(line, s, RegionGerman, 3, "D", "Germany");
    if (regionOn(RegionFrench)) passEuropeanPostal(line, s, RegionFrench, 4, "F", "France");
    if (regionOn(RegionItalian)) passEuropeanPostal(line, s, RegionItalian, 5, "I", "Italy");
    if (regionOn(RegionSpanish))
        passEuropeanPostal(line, s, RegionSpanish, 6, "E",
                           "Espa\xF1"
                           "a");
    if (regionOn(RegionDutch)) passEuropeanPostal(line, s, RegionDutch, 7, "NL", "Nederland");
    if (regionOn(RegionGerman) || regionOn(RegionItalian) || regionOn(RegionSpanish) || regionOn(RegionDutch))
        passHouseNumbers(line, s);
}

// Lines given as strings have no boxes: nothing can lie above or beside them.
bool hasBox(int line) {
    const LineBox& b = g_fid.boxes[line];
    return b.right > b.left && b.bottom > b.top;
}

void passPosition() {
    static const int kFirstLines[3][4] = {{4, 4, 3, 1}, {3, 3, 2, 2}, {2, 2, 2, 2}};
    for (int i = 0; i < 3; ++i) {
        cell(FieldName, i) += kFirstLines[i][0];
        cell(FieldCompany, i) += kFirstLines[i][1];
        cell(FieldTitle, i) += kFirstLines[i][2];
        cell(FieldDepartment, i) += kFirstLines[i][3];
    }
    bool taken[kMaxLines] = {};
    for (int p = 0; p < g_fid.lineCount; ++p) {
        if (taken[p] || !hasBox(p) || cell(FieldAddress, p) < 5 || cell(FieldNumber, p) >= 13 ||
            cell(FieldPhone, p) >= 13 || cell(FieldFax, p) >= 13)
            continue;
        const LineBox& bp = g_fid.boxes[p];
        int height = bp.bottom - bp.top;
        int best = -1, bestGap = 0;
        for (int q = 0; q < g_fid.lineCount; ++q) {
            if (q == p || taken[q] || !hasBox(q)) continue;
            const LineBox& bq = g_fid.boxes[q];
            if (bq.right < bp.left || bq.left > bp.right) continue;
            if (bq.top > bp.top || bq.bottom > bp.top) continue;
            int gap = bp.top - bq.bottom;
            if (gap > 2 * height) continue;
            if (best < 0 || gap < bestGap) {
                best = q;
                bestGap = gap;
            }
        }
        if (best < 0) continue;
        bool cityAtStart = false;
        if (cell(FieldCity, p) >= 1)
            for (const AddressRecord& r : g_fid.address)
                if (r.line == p && r.City[0] && strncmp(g_fid.lines[p], r.City, strlen(r.City)) == 0)
                    cityAtStart = true;
        cell(FieldAddress, best) += cityAtStart ? 10 : 5;
        taken[best] = true;
    }
}

int highest(int kind) {
    int m = -1000000;
    for (int j = 0; j < g_fid.lineCount; ++j)
        if (cell(kind, j) > m) m = cell(kind, j);
    return m;
}

int bitCount(uint32_t bits) {
    int n = 0;
    for (; bits; bits &= bits - 1) ++n;
    return n;
}

// Whether the word and the entry may reach a similarity of 80, which allows one edit per five
// letters of the longer: the letters that one holds beyond the other are never more than their
// edit distance. Most entries of a list fail this cheap test, so lines of many long words stay
// quick.
bool mayBeSimilar(const char* word, int a, const char* entry, int b) {
    if (a - b > 2 || b - a > 2) return false;
    // Bytes counted by their low five bits: a coarser count never raises the bound.
    int count[32] = {0};
    for (int i = 0; i < a; ++i) ++count[word[i] & 31];
    for (int i = 0; i < b; ++i) --count[entry[i] & 31];
    int surplus = 0, shortfall = 0;
    for (int c : count) {
        if (c > 0) surplus += c;
        else shortfall -= c;
    }
    return std::max(surplus, shortfall) * 5 <= std::max(a, b);
}

bool fuzzyHit(const char* word, const char* entry) {
    int a = static_cast<int>(strlen(word)), b = static_cast<int>(strlen(entry));
    return mayBeSimilar(word, a, entry, b) && str_similarity(word, entry) >= 80;
}

int fuzzyPoints(const char* word, const char* entry) { return (str_similarity(word, entry) - 74) / 8 + 4; }

// The word as recorded for an address: without the punctuation that follows it in the line
// ("Cambridge," is the city Cambridge), so that the correction keeps the comma in place.
int recordedLength(const char* word) {
    int n = static_cast<int>(strlen(word));
    while (n > 0 && inSet(word[n - 1], ",.;:")) --n;
    return n;
}

// Compares the word with every entry of the list; each similar entry scores.
void fuzzyList(const CWordList& list, const char* word, int line, int kind, bool oneWordOnly, const char* upper,
               int pos) {
    char entry[64];
    int length = static_cast<int>(strlen(word));
    uint32_t wordMask = CWordList::letterMaskOf(word, length);
    std::vector<int> similar;
    list.forEachOfLength(length - 2, length + 2, [&](int e) {
        // Each letter one of them lacks costs an edit; 80 allows one per five letters.
        uint32_t entryMask = list.letterMask(e);
        int allowed = std::max(length, list.entryLength(e)) / 5;
        if (bitCount(entryMask & ~wordMask) > allowed || bitCount(wordMask & ~entryMask) > allowed) return;
        upperCopy(entry, list.entry(e), sizeof entry);
        if (oneWordOnly && (strchr(entry, ' ') || strlen(entry) < 5)) return;
        if (fuzzyHit(word, entry)) similar.push_back(e);
    });
    // In the list's order, as the address pieces are recorded.
    std::sort(similar.begin(), similar.end());
    for (int e : similar) {
        upperCopy(entry, list.entry(e), sizeof entry);
        cell(kind, line) += fuzzyPoints(word, entry);
        if (kind == FieldCity || kind == FieldState || kind == FieldCountry) {
            cell(FieldAddress, line) += 4;
            recordPiece(line, kind == FieldCity ? Piece::City : Piece::State, upper, pos, recordedLength(word));
        }
    }
}

void fuzzyCities(const char* word, int line, const char* upper, int pos) {
    const struct {
        Region region;
        const CWordList& list;
    } kRegional[] = {{RegionTaiwanese, lists::twCities},     {RegionNorthAmerican, lists::usCities},
                     {RegionNorthAmerican, lists::caCities}, {RegionGerman, lists::deCities},
                     {RegionFrench, lists::frCities},        {RegionItalian, lists::itCities},
                     {RegionSpanish, lists::esCities},       {RegionDutch, lists::nlCities}};
    fuzzyList(lists::worldCities, word, line, FieldCity, true, upper, pos);
    for (const auto& r : kRegional)
        if (regionOn(r.region)) fuzzyList(r.list, word, line, FieldCity, true, upper, pos);
}

void passFuzzy() {
    bool departments = highest(FieldDepartment) < 5, titles = highest(FieldTitle) < 5;
    bool cities = highest(FieldCity) < 5, states = highest(FieldState) < 5;
    if (!departments && !titles && !cities && !states) return;
    char upper[kLineBytes], word[kLineBytes];
    for (int line = 0; line < g_fid.lineCount; ++line) {
        upperCopy(upper, g_fid.lines[line], sizeof upper);
        for (int i = 0; upper[i];) {
            while (upper[i] == ' ') ++i;
            int start = i;
            while (upper[i] && upper[i] != ' ') ++i;
            if (i - start < 5) continue;
            copyBoundedN(word, sizeof word, upper + start, static_cast<size_t>(i - start));
            if (departments) fuzzyList(lists::corrDepartments, word, line, FieldDepartment, false, upper, start);
            if (titles) fuzzyList(lists::corrTitles, word, line, FieldTitle, false, upper, start);
            if (cities) fuzzyCities(word, line, upper, start);
            if (states) {
                fuzzyList(lists::twTaiwan, word, line, FieldState, false, upper, start);
                fuzzyList(lists::usStates, word, line, FieldState, false, upper, start);
                fuzzyList(lists::caProvinces, word, line, FieldState, false, upper, start);
            }
        }
    }
}

void passWinners() {
    for (int kind : {FieldName, FieldCompany, FieldDepartment, FieldTitle}) {
        int m = highest(kind);
        for (int j = 0; j < g_fid.lineCount; ++j) {
            int s = cell(kind, j);
            if (s > 0 && s < m - 1) cell(kind, j) -= (m - s) / 2;
        }
    }
    for (int j = 0; j < g_fid.lineCount; ++j) {
        int winner = -1;
        for (int k = 0; k < kKinds; ++k)
            if (k != FieldSexGuess && (winner < 0 || cell(k, j) > cell(winner, j))) winner = k;
        if (cell(winner, j) > 2) {
            for (int k = 0; k < kKinds; ++k) {
                if (k == winner || cell(k, j) <= 0) continue;
                if (isPlaceKind(winner) && isPlaceKind(k)) continue;
                if (k == FieldSexGuess && winner == FieldName) continue;
                if (k == FieldLogoText || k == FieldPOBox) continue;
                cell(k, j) = 0;
            }
        } else {
            for (int k = 0; k < kKinds; ++k) cell(k, j) = 0;
            cell(FieldNone, j) = 1;
        }
    }
    int nameLine = -1;
    for (int j = 0; j < g_fid.lineCount; ++j)
        if (cell(FieldName, j) > 0 && (nameLine < 0 || cell(FieldName, j) > cell(FieldName, nameLine))) nameLine = j;
    for (int j = 0; j < g_fid.lineCount; ++j) {
        if (j == nameLine) continue;
        cell(FieldName, j) = 0;
        cell(FieldSexGuess, j) = 0;
    }
    bool anyPhone = false;
    for (int j = 0; j < g_fid.lineCount; ++j) anyPhone = anyPhone || cell(FieldPhone, j) > 0;
    for (int j = 1; j < g_fid.lineCount; ++j) {
        if (cell(FieldNumber, j) <= 0 || containsLetter(g_fid.lines[j])) continue;
        if (cell(FieldPhone, j - 1) > 0 || !anyPhone) {
            cell(FieldPhone, j) += cell(FieldNumber, j);
            cell(FieldNumber, j) = 0;
        } else if (cell(FieldFax, j - 1) > 0) {
            cell(FieldFax, j) += cell(FieldNumber, j);
            cell(FieldNumber, j) = 0;
        }
    }
    for (int j = 0; j < g_fid.lineCount; ++j) {
        bool any = false;
        for (int k = 0; k < kKinds; ++k) any = any || cell(k, j) > 0;
        if (!any) cell(FieldNone, j) = 1;
    }
}

}  // namespace

void scoreStatistics() {
    forEachLine([](int line, const char* s, const char* upper) {
        passLength(line, s);
        passWords(line, s);
        passSize(line);
        passDigits(line, s, upper);
        passShape(line, s, upper);
        passPostBoxes(line, upper);
        passPostal(line, s);
    });
    passPosition();
    passFuzzy();
    passWinners();
}
