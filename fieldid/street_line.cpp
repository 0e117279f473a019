#include "street_line.h"
#include <initializer_list>
#include "fid_state.h"
#include "line_geometry.h"
#include "text_util.h"

namespace {

bool holdsPiece(int line, int kind) {
    for (const AddressRecord& r : g_fid.address) {
        if (r.line != line) continue;
        const char* text = kind == FieldCity ? r.City : kind == FieldState ? r.State : r.Country;
        if (*text && cell(kind, line) > 0) return true;
    }
    return false;
}

// A word of one to five digits, perhaps with a letter or comma behind ("45", "12a", "250,").
bool holdsHouseNumber(const char* text) {
    for (const char* p = text; *p;) {
        while (*p == ' ') ++p;
        const char* start = p;
        while (*p && *p != ' ') ++p;
        int digits = 0;
        while (start + digits < p && isDigit(start[digits])) ++digits;
        const char* rest = start + digits;
        if (rest < p && isLetter(*rest)) ++rest;
        if (rest < p && *rest == ',') ++rest;
        if (digits >= 1 && digits <= 5 && rest == p) return true;
    }
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

bool isTownLine(int j) {
    return holdsPiece(j, FieldCity) && (holdsPiece(j, FieldState) || holdsPostalDigits(g_fid.lines[j]));
}

int nextAddressLine(int i) {
    if (cell(FieldAddress, i + 1) > 0 && areAdjacent(i, i + 1)) return i + 1;
    for (int k = i + 2; k < g_fid.lineCount; ++k)
        if (cell(FieldAddress, k) > 0 && areAdjacent(i, k)) return k;
    return -1;
}

void freePlaces(int i) {
    for (int k : {FieldCountry, FieldState, FieldCity, FieldCtryGuess, FieldStatGuess}) cell(k, i) = 0;
    for (AddressRecord& r : g_fid.address)
        if (r.line == i) {
            r = AddressRecord{};
            r.line = -1;
        }
}

}  // namespace

void FID_free_places_in_street_lines() {
    for (int i = 0; i + 1 < g_fid.lineCount; ++i) {
        if (cell(FieldAddress, i) < 1 || !holdsHouseNumber(g_fid.lines[i])) continue;
        if (!holdsPiece(i, FieldCity) && !holdsPiece(i, FieldState) && !holdsPiece(i, FieldCountry)) continue;
        int j = nextAddressLine(i);
        if (j >= 0 && isTownLine(j)) freePlaces(i);
    }
}
