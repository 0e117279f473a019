#include "town_firm_line.h"
#include <string.h>
#include <initializer_list>
#include "fid_state.h"
#include "text_util.h"

namespace {

// The city that starts the line and has words behind it, or nullptr.
const char* leadingCity(int i) {
    const char* text = g_fid.lines[i];
    while (*text == ' ') ++text;
    for (const AddressRecord& r : g_fid.address) {
        if (r.line != i || !*r.City || *r.State || *r.ZipCode) continue;
        size_t n = strlen(r.City);
        char head[kLineBytes];
        copyBoundedN(head, sizeof head, text, n);
        if (findTextNoCase(head, r.City) != 0 || strlen(head) != n) continue;
        if (text[n] == ' ' && containsLetter(text + n)) return r.City;
    }
    return nullptr;
}

// Whether another line, one with digits (a street or a postal code), holds the card's address.
bool addressElsewhere(int i) {
    for (const AddressRecord& r : g_fid.address)
        if (r.line >= 0 && r.line != i && (*r.City || *r.State) && holdsDigitOrAt(g_fid.lines[r.line])) return true;
    return false;
}

bool anyTitle() {
    for (int j = 0; j < g_fid.lineCount; ++j)
        if (cell(FieldTitle, j) > 0) return true;
    return false;
}

void takeAsFirm(int i) {
    int score = 1;
    for (int k : kPlaceKinds) {
        if (cell(k, i) > score) score = cell(k, i);
        cell(k, i) = 0;
    }
    freeAddressRecords(i);
    bool titleFound = anyTitle();
    for (int w = 1; w < g_fid.lineCount; ++w) {
        if (w == i || g_fid.companyForm[w] || cell(FieldCompany, w) <= 0 || cell(FieldName, w - 1) <= 0 || titleFound)
            continue;
        cell(FieldTitle, w) = cell(FieldCompany, w);
        cell(FieldCompany, w) = 0;
        titleFound = true;
    }
    cell(FieldCompany, i) = score;
}

}  // namespace

void FID_firm_named_after_its_town() {
    for (int i = 0; i < g_fid.lineCount; ++i) {
        if (cell(FieldAddress, i) <= 0 || holdsDigitOrAt(g_fid.lines[i])) continue;
        const char* city = leadingCity(i);
        if (city && addressElsewhere(i)) {
            takeAsFirm(i);
            return;
        }
    }
}
