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

// Edits that turn one canonical form into the other, where a substitution of two letters a reader
// confuses costs nothing.
int misreadEdits(const char* a, const char* b) {
    size_t la = strlen(a), lb = strlen(b);
    int row[kLineBytes + 1];
    if (la >= kLineBytes || lb >= kLineBytes) return kLineBytes;
    for (size_t j = 0; j <= lb; ++j) row[j] = static_cast<int>(j);
    for (size_t i = 1; i <= la; ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (size_t j = 1; j <= lb; ++j) {
            int above = row[j];
            bool same = a[i - 1] == b[j - 1] || confusable(a[i - 1], b[j - 1]);
            int best = diagonal + (same ? 0 : 1);
            if (above + 1 < best) best = above + 1;
            if (row[j - 1] + 1 < best) best = row[j - 1] + 1;
            row[j] = best;
            diagonal = above;
        }
    }
    return row[lb];
}

// Endings that make another form of one stem ("Computer" and "Computers", "Photography" and
// "Photographer", "Ingenier" and "Ingenieur", "Betriebswirten" and "Betriebswirtin").
bool isEnding(const char* s) {
    static const char* const kEndings[] = {"",
                                           "A",
                                           "AL",
                                           "ALS",
                                           "ALLY",
                                           "ANT",
                                           "ANTS",
                                           "ATE",
                                           "ATES",
                                           "ATED",
                                           "ATION",
                                           "ATIONS",
                                           "E",
                                           "ED",
                                           "EN",
                                           "ENT",
                                           "ER",
                                           "ERA",
                                           "ERIN",
                                           "ERS",
                                           "ES",
                                           "EUR",
                                           "EURS",
                                           "EUSE",
                                           "IC",
                                           "ICA",
                                           "ICAL",
                                           "ICS",
                                           "IES",
                                           "IN",
                                           "INNEN",
                                           "ING",
                                           "ION",
                                           "IONS",
                                           "ISM",
                                           "IST",
                                           "ISTS",
                                           "IVE",
                                           "LY",
                                           "MENT",
                                           "OR",
                                           "ORS",
                                           "OUS",
                                           "S",
                                           "Y",
                                           "\xC9",
                                           "\xC9S",
                                           "\xE9",
                                           "\xE9"
                                           "E",
                                           "\xE9S",
                                           "\xE9"
                                           "ES"};
    for (const char* ending : kEndings)
        if (strcmp(s, ending) == 0) return true;
    return false;
}

bool holdsAccent(const char* s) {
    for (; *s; ++s)
        if (static_cast<unsigned char>(*s) >= 0xC0) return true;
    return false;
}

// Whether the two words are one stem of three letters or more with two different endings.
bool isOtherFormOf(const char* word, const char* entry) {
    size_t common = 0;
    while (word[common] && word[common] == entry[common]) ++common;
    for (size_t stem = common; stem >= 3; --stem)
        if (isEnding(word + stem) && isEnding(entry + stem)) return true;
    return false;
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

bool readsAsMisprintOf(const char* word, const char* entry) {
    char a[kLineBytes], b[kLineBytes];
    canonical(word, a, sizeof a);
    canonical(entry, b, sizeof b);
    if (strchr(a, ' ') || strchr(b, ' ')) return false;
    if (strcmp(a, b) == 0) return strcmp(word, entry) != 0;
    if (strlen(a) == strlen(b) + 1 && lastLetterDoubled(a, b)) return true;
    // A letter added or dropped in front makes another word ("Broad" and "Road", "Estudio" and
    // "Studio", "Incorporation").
    size_t la = strlen(a), lb = strlen(b);
    if (la != lb && a[0] != b[0]) return false;
    // The last letter carries the word's form ("cours" and "court"), and a printed accent the
    // entry lacks is the word of another language (French "operations" with its accent): neither is mended.
    if (a[la - 1] != b[lb - 1] && !confusable(a[la - 1], b[lb - 1])) return false;
    if (holdsAccent(word) && !holdsAccent(entry)) return false;
    return misreadEdits(a, b) <= 1 && !isOtherFormOf(word, entry);
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
