#include "person_line.h"
#include <initializer_list>
#include <string.h>
#include "domain_spelling.h"
#include "fid_state.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

const int kWordKinds[] = {FieldTitle, FieldDepartment, FieldNone};

int highestOf(int j, const int* kinds, size_t count) {
    int best = 0;
    for (size_t i = 0; i < count; ++i)
        if (cell(kinds[i], j) > best) best = cell(kinds[i], j);
    return best;
}

int placeScore(int j) { return highestOf(j, kPlaceKinds, sizeof kPlaceKinds / sizeof *kPlaceKinds); }
int wordScore(int j) { return highestOf(j, kWordKinds, sizeof kWordKinds / sizeof *kWordKinds); }

// Whether some line of words without digits already scores as the name.
bool hasWordNameLine() {
    for (int j = 0; j < g_fid.lineCount; ++j)
        if (cell(FieldName, j) > 0 && !holdsDigitOrAt(g_fid.lines[j])) return true;
    return false;
}

// Whether a word of the line is a listed first name ("Victoria", "Dott.ssa Chiara Bianchi"), so
// that an address such as customer.service@ does not make its department a person.
bool isFirstName(const char* word) {
    static const CWordList* const kLists[] = {&lists::maleFirstNames, &lists::femaleFirstNames, &lists::deMale,
                                              &lists::deFemale,       &lists::frMale,           &lists::frFemale,
                                              &lists::itMale,         &lists::itFemale,         &lists::esMale,
                                              &lists::esFemale,       &lists::nlMale,           &lists::nlFemale};
    for (const CWordList* list : kLists)
        if (list->holds(word)) return true;
    return false;
}

bool holdsFirstName(const char* line) {
    char word[kLineBytes];
    for (int p = wordAt(line, 0, word, sizeof word); *word; p = wordAt(line, p, word, sizeof word)) {
        upperInPlace(word);
        if (isFirstName(word)) return true;
    }
    return false;
}

// A line of words without digits that won a place kind, or, while no such line is the name, a
// title, a department or nothing and holds a first name.
bool personLineLost(int j, bool nameFound) {
    if (cell(FieldName, j) > 0 || holdsDigitOrAt(g_fid.lines[j])) return false;
    for (int k : {FieldCompany, FieldZipCode, FieldPOBox, FieldPhone, FieldFax, FieldEMail, FieldWebSite, FieldNumber})
        if (cell(k, j) > 0) return false;
    if (placeScore(j) > 0) return true;
    return !nameFound && wordScore(j) > 0 && holdsFirstName(g_fid.lines[j]);
}

int namedPersonLine() {
    bool nameFound = hasWordNameLine();
    for (int e = 0; e < g_fid.lineCount; ++e) {
        if (cell(FieldEMail, e) <= 0) continue;
        for (int j = 0; j < g_fid.lineCount; ++j)
            if (j != e && personLineLost(j, nameFound) && localPartNamesLine(g_fid.lines[e], g_fid.lines[j])) return j;
    }
    return -1;
}

}  // namespace

void FID_person_taken_as_place() {
    int person = namedPersonLine();
    if (person < 0) return;
    int score = placeScore(person) > wordScore(person) ? placeScore(person) : wordScore(person);
    for (int k : kPlaceKinds) cell(k, person) = 0;
    for (int k : kWordKinds) cell(k, person) = 0;
    freeAddressRecords(person);
    for (int j = 0; j < g_fid.lineCount; ++j) {
        if (j == person || cell(FieldName, j) <= 0 || !holdsDigitOrAt(g_fid.lines[j])) continue;
        cell(FieldAddress, j) = cell(FieldName, j);
        cell(FieldName, j) = 0;
        cell(FieldSexGuess, j) = 0;
    }
    cell(FieldName, person) = score;
}
