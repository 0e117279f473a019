#include "address.h"
#include <initializer_list>
#include <string.h>
#include "fid_state.h"
#include "line_geometry.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

char misreadDigit(char c) {
    switch (c) {
    case 'O':
    case 'o': return '0';
    case 'l': return '1';
    case 'Z':
    case 'z': return '2';
    case 'S':
    case 's':
    case '$': return '5';
    case 'g':
    case 'q': return '9';
    default: return c;
    }
}

// Digits, "-", blanks and the allowed letters (with misread letters as digits); blanks removed.
bool numericForm(const char* text, const char* letters, char* out, size_t cap) {
    size_t n = 0;
    for (const char* p = text; *p; ++p) {
        char c = *p;
        if (inSet(c, letters)) {
        } else {
            c = misreadDigit(c);
            if (!isDigit(c) && c != '-' && c != ' ') return false;
        }
        if (c == ' ') continue;
        if (n + 1 >= cap) return false;
        out[n++] = c;
    }
    out[n] = 0;
    return n > 0;
}

bool canadianAt(const char* s) {
    return isUpper(s[0]) && isDigit(s[1]) && isUpper(s[2]) && isDigit(s[3]) && isUpper(s[4]) && isDigit(s[5]);
}

}  // namespace

bool postcodeTest(int region, const char* text) {
    char compact[kLineBytes];
    switch (region) {
    case 1: {
        if (!numericForm(text, "", compact, sizeof compact)) return false;
        size_t n = strlen(compact);
        return n == 5 || (n == 10 && compact[5] == '-');
    }
    case 2: {
        upperCopy(compact, text, sizeof compact);
        removeChar(compact, ' ');
        return strlen(compact) == 6 && canadianAt(compact);
    }
    case 3:
    case 4:
    case 5:
    case 6: {
        static const char* const kLetters[] = {"D", "F", "I", "E"};
        const char* letter = kLetters[region - 3];
        if (!numericForm(text, letter, compact, sizeof compact)) return false;
        size_t n = strlen(compact);
        return n == 5 || (n == 7 && compact[1] == '-');
    }
    case 7: {
        upperCopy(compact, text, sizeof compact);
        removeChar(compact, ' ');
        size_t n = strlen(compact);
        if (n == 6) return dutchPostcodeAt(compact);
        return n == 9 && strncmp(compact, "NL-", 3) == 0 && dutchPostcodeAt(compact + 3);
    }
    default: return false;
    }
}

int FID_is_postcode(const char* text) {
    static const Region kRegions[] = {RegionNorthAmerican, RegionNorthAmerican, RegionGerman, RegionFrench,
                                      RegionItalian,       RegionSpanish,       RegionDutch};
    for (int r = 1; r <= 7; ++r)
        if (regionOn(kRegions[r - 1]) && postcodeTest(r, text)) return r;
    return 0;
}

namespace {

// Puts "first + separator + second" into line j; false when it would not fit.
bool joinInto(int i, int j, const char* separator) {
    char joined[512];
    strcpy(joined, g_fid.lines[i]);
    strcat(joined, separator);
    strcat(joined, g_fid.lines[j]);
    if (strlen(joined) > kLineMax) return false;
    strcpy(g_fid.lines[j], joined);
    return true;
}

// The partner line of a two-line field: the next line of the kind that is adjacent; -2 when the
// line right below holds the kind but stands apart.
int partnerOf(int i, int kind) {
    int next = i + 1;
    if (next < g_fid.lineCount && cell(kind, next) > 0 && !areAdjacent(i, next)) return -2;
    return nextAdjacentLineOf(i, kind);
}

void joinByKind(int kind, const char* separator, bool upperLimit) {
    for (int i = 0; i + 1 < g_fid.lineCount; ++i) {
        int s = cell(kind, i);
        if (s < 1 || (upperLimit && s > 16)) continue;
        int j = partnerOf(i, kind);
        if (j < 0) continue;
        if (!joinInto(i, j, separator)) return;
        for (char* p = g_fid.lines[j]; *p; ++p)
            if (*p == '^') *p = ' ';
        uniteBoxes(j, i);
        cell(kind, j) += s < 3 ? 2 : s;
        cell(kind, i) = 0;
    }
}

void mergeRecordsOnLine(int line) {
    for (int a = 0; a < kAddressRecords; ++a) {
        AddressRecord& early = g_fid.address[a];
        if (early.line != line) continue;
        for (int b = a + 1; b < kAddressRecords; ++b) {
            AddressRecord& late = g_fid.address[b];
            if (late.line != line) continue;
            if (!*late.Country) strcpy(late.Country, early.Country);
            if (!*late.State) strcpy(late.State, early.State);
            if (!*late.City) strcpy(late.City, early.City);
            if (!*late.CtryGuess) strcpy(late.CtryGuess, early.CtryGuess);
            if (!*late.StatGuess) strcpy(late.StatGuess, early.StatGuess);
            early = AddressRecord{};
            early.line = -1;
            break;
        }
    }
}

bool skipAddressPair(int i, int j) {
    for (int kind : {FieldCity, FieldState, FieldCountry, FieldZipCode})
        if (holdsPiece(i, kind) && holdsPiece(j, kind)) return true;
    bool iCity = holdsPiece(i, FieldCity), iState = holdsPiece(i, FieldState);
    bool jPostcode = FID_is_postcode(g_fid.lines[j]) != 0;
    if (iCity && iState && cell(FieldPOBox, j) > 0) return true;
    if (iCity && !holdsPiece(j, FieldState) && !holdsPiece(j, FieldCountry) && !jPostcode) return true;
    if (iState && !holdsPiece(j, FieldCountry) && !jPostcode) return true;
    return false;
}

}  // namespace

bool dutchPostcodeAt(const char* s) { return digitsAt(s, 4) && isUpper(s[4]) && isUpper(s[5]); }

int nextAdjacentLineOf(int i, int kind) {
    for (int j = i + 1; j < g_fid.lineCount; ++j)
        if (cell(kind, j) > 0 && areAdjacent(i, j)) return j;
    return -1;
}

bool holdsPiece(int line, int kind) {
    for (const AddressRecord& r : g_fid.address) {
        if (r.line != line) continue;
        const char* text = kind == FieldCity      ? r.City
                           : kind == FieldState   ? r.State
                           : kind == FieldCountry ? r.Country
                                                  : r.ZipCode;
        if (*text && cell(kind, line) > 0) return true;
    }
    return false;
}

void FID_join_company_lines() { joinByKind(FieldCompany, " ", true); }
void FID_join_department_lines() { joinByKind(FieldDepartment, "\r\n", false); }

void FID_join_address_lines() {
    for (int i = 0; i + 1 < g_fid.lineCount; ++i) {
        if (cell(FieldAddress, i) < 1) continue;
        if (cell(FieldPOBox, i) > 0 && cell(FieldCity, i) > 0 && cell(FieldState, i) > 0 && cell(FieldZipCode, i) > 0 &&
            cell(FieldCountry, i) > 0)
            continue;
        int j = -1;
        if (cell(FieldAddress, i + 1) > 0 && areAdjacent(i, i + 1)) j = i + 1;
        for (int k = i + 2; j < 0 && k < g_fid.lineCount; ++k)
            if (cell(FieldAddress, k) > 0 && areAdjacent(i, k)) j = k;
        if (j < 0 || skipAddressPair(i, j)) continue;
        const char* a = g_fid.lines[i];
        size_t la = strlen(a);
        bool comma = !(la > 0 && a[la - 1] == ',') && g_fid.lines[j][0] != ',';
        if (!joinInto(i, j, comma ? ",\r\n" : "\r\n")) return;
        uniteBoxes(j, i);
        for (int kind : {FieldAddress, FieldCity, FieldState, FieldCountry, FieldStatGuess, FieldCtryGuess}) {
            if (cell(kind, i) > 0) cell(kind, j) += cell(kind, i);
            cell(kind, i) = 0;
        }
        cell(FieldPOBox, j) = cell(FieldPOBox, i) > 0 ? cell(FieldPOBox, i) : 0;
        cell(FieldPOBox, i) = 0;
        for (AddressRecord& r : g_fid.address)
            if (r.line == i) r.line = j;
        mergeRecordsOnLine(j);
    }
}
