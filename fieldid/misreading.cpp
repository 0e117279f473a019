#include "misreading.h"
#include <string.h>
#include "fid_state.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

// Shapes that print alike become one letter: the comparison then sees only real differences.
void canonical(const char* in, char* out, size_t cap) {
    char joined[kLineBytes];
    joinMisreadShapes(in, joined, sizeof joined);
    size_t n = 0;
    for (const char* p = joined; *p && n + 1 < cap;) {
        char c = *p++;
        if (c == '0') c = 'O';
        else if (c == '1' || c == 'L' || c == '|' || c == '!') c = 'I';
        else if (c == '5' || c == '$') c = 'S';
        else if (c == '8') c = 'B';
        out[n++] = c;
    }
    out[n] = 0;
}

// Single letters a reader takes for one another (ACCOUNTANI, DEPARTMFNT, MANAQER, BOSTEN).
bool confusable(char a, char b) {
    static const char* const kPairs[] = {"EF", "OQ", "GQ", "OD", "OC", "CG", "IT", "UV", "HN", "CE", "BE", "EO"};
    for (const char* pair : kPairs)
        if ((a == pair[0] && b == pair[1]) || (a == pair[1] && b == pair[0])) return true;
    return false;
}

bool oneConfusableLetter(const char* a, const char* b) {
    int differences = 0;
    for (size_t i = 0; a[i]; ++i)
        if (a[i] != b[i] && (++differences > 1 || !confusable(a[i], b[i]))) return false;
    return differences == 1;
}

// `longer` is `shorter` with one letter added inside: not as the first letter, nor in the last
// two, where an added letter makes another form of a word ("Computer", "Computes" against
// "Computers").
bool oneLetterInside(const char* longer, const char* shorter) {
    size_t n = strlen(longer);
    for (size_t p = 1; p + 2 < n; ++p)
        if (strncmp(longer, shorter, p) == 0 && strcmp(longer + p + 1, shorter + p) == 0) return true;
    return false;
}

// `longer` is `shorter` with its last letter printed twice ("ACCOUNTANTT"): no ending of a
// word form doubles the letter before it.
bool lastLetterDoubled(const char* longer, const char* shorter) {
    size_t n = strlen(shorter);
    return n >= 2 && isLetter(shorter[n - 1]) && strncmp(longer, shorter, n) == 0 && longer[n] == shorter[n - 1];
}

// Whether the word (upper case) equals an entry of one of the lists, taken in upper case
// without the blanks around it.
template <size_t N>
bool inAnyList(const CWordList* const (&lists)[N], const char* word) {
    char entry[64];
    for (const CWordList* list : lists)
        for (int e = 0; e < list->count(); ++e) {
            upperCopy(entry, list->entry(e), sizeof entry);
            stripLeading(entry, " ");
            stripTrailing(entry, " ");
            if (strcmp(entry, word) == 0) return true;
        }
    return false;
}

}  // namespace

void joinMisreadShapes(const char* word, char* out, size_t cap) {
    static const struct {
        const char* from;
        char to;
    } kPairs[] = {{"RN", 'M'}, {"CL", 'D'}, {"VV", 'W'}};
    size_t n = 0;
    for (const char* p = word; *p && n + 1 < cap;) {
        char c = *p;
        size_t step = 1;
        for (const auto& pair : kPairs)
            if (p[0] == pair.from[0] && p[1] == pair.from[1]) {
                c = pair.to;
                step = 2;
                break;
            }
        out[n++] = c;
        p += step;
    }
    out[n] = 0;
}

bool looksMisread(const char* word, const char* entry) {
    char a[kLineBytes], b[kLineBytes];
    canonical(word, a, sizeof a);
    canonical(entry, b, sizeof b);
    if (strchr(a, ' ') || strchr(b, ' ')) return false;
    if (strcmp(a, b) == 0) return strcmp(word, entry) != 0;
    size_t la = strlen(a), lb = strlen(b);
    if (la == lb) return oneConfusableLetter(a, b);
    if (la == lb + 1) return oneLetterInside(a, b) || lastLetterDoubled(a, b);
    if (lb == la + 1) return oneLetterInside(b, a);
    return false;
}

bool isKnownWord(const char* word) {
    static const CWordList* const kLists[] = {&lists::titleWords,       &lists::weakTitleWords,
                                              &lists::companyWords,     &lists::companyForms,
                                              &lists::corrCompanyWords, &lists::corrDepartments,
                                              &lists::corrTitles,       &lists::corrStreetWords,
                                              &lists::departmentWords,  &lists::weakDepartmentWords,
                                              &lists::commonWords,      &lists::addressWords,
                                              &lists::streetWords,      &lists::deTitles,
                                              &lists::frTitles,         &lists::itTitles,
                                              &lists::esTitles,         &lists::nlTitles};
    return inAnyList(kLists, word);
}

bool isKnownPlace(const char* name) {
    static const CWordList* const kLists[] = {
        &lists::worldCities, &lists::itCapitals, &lists::itProvinces, &lists::usCities, &lists::caCities,
        &lists::deCities,    &lists::frCities,   &lists::itCities,    &lists::esCities, &lists::nlCities,
        &lists::ukTowns,     &lists::auTowns,    &lists::atTowns};
    return inAnyList(kLists, name);
}
