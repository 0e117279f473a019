#include "street_context.h"
#include <string.h>
#include "fid_state.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

// A list entry as compared against a single word: its blanks belong to the line around it.
void compactEntry(char (&entry)[32], const char* listed) {
    copyBounded(entry, sizeof entry, listed);
    removeChar(entry, ' ');
}

// CITY, HILL and the like name towns themselves ("Oak Hill", "Jersey City"), so they do not
// make the name before them a street.
bool holdsAddressWord(const char* word) {
    char entry[32];
    for (int i = 0; i < lists::addressWords.count(); ++i) {
        compactEntry(entry, lists::addressWords.entry(i));
        if (!isTownWord(entry) && *entry && strstr(word, entry)) return true;
    }
    return false;
}

bool holdsStreetWord(const char* word) {
    char entry[32];
    for (int i = 0; i < lists::streetWords.count(); ++i) {
        compactEntry(entry, lists::streetWords.entry(i));
        if (!*entry || !strstr(word, entry)) continue;
        if (strcmp(entry, "ST.") == 0 && strcmp(word, "ST.,") != 0) continue;
        if (strcmp(entry, "ALY") == 0 && (strstr(word, "ITALY") || strstr(word, "LTALY"))) continue;
        return true;
    }
    return false;
}

bool isCompassPoint(const char* word) {
    static const char* const kPoints[] = {"N", "S", "E", "W", "NE", "NW", "SE", "SW", "NORTH", "SOUTH", "EAST", "WEST"};
    for (const char* p : kPoints)
        if (strcmp(word, p) == 0) return true;
    return false;
}

// A street named after a place ("123 Wellington St", "12 Boston St.", "Wellington St W",
// "Wellington St, Suite 4"): "St" behind the place ends the line, carries a comma or is
// followed by a compass point. Before a name it means Saint ("St Louis", "St. Paul").
bool streetAbbreviationFollows(const char* upper, const char* word, int behind) {
    char core[kLineBytes];
    copyBounded(core, sizeof core, word);
    stripTrailing(core, ",.");
    if (strcmp(core, "ST") != 0) return false;
    if (word[strlen(word) - 1] == ',') return true;
    char next[kLineBytes];
    wordAt(upper, behind, next, sizeof next);
    return !*next || isCompassPoint(next);
}

}  // namespace

bool isTownWord(const char* word) {
    static const char* const kTownWords[] = {"CITY", "HILL", "ISLAND", "PARK", "TOWN", "VILLAGE"};
    for (const char* k : kTownWords)
        if (strcmp(word, k) == 0) return true;
    return false;
}

bool followedByPlaceWord(const char* upper, int end) {
    char word[kLineBytes];
    int behind = wordAt(upper, end, word, sizeof word);
    if (!*word) return false;
    return holdsAddressWord(word) || holdsStreetWord(word) || streetAbbreviationFollows(upper, word, behind);
}
