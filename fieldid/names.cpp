#include "names.h"
#include <initializer_list>
#include <string.h>
#include "domain_spelling.h"
#include "fid_state.h"
#include "firm_name_line.h"
#include "matching.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

bool holdsAny(const CWordList& list, const char* upper) {
    bool found = false;
    forEachMatch(list, upper, Match::Substring, [&](int, int) { found = true; });
    return found;
}

bool passesTitleTest(const char* upper) {
    if (holdsAny(lists::titleWords, upper) || findByRule(upper, "ENGINEER", Match::ShortForm) >= 0 ||
        holdsAny(lists::weakTitleWords, upper))
        return true;
    if (regionOn(RegionGerman) && (holdsAny(lists::deTitles, upper) || holdsAny(lists::deWeakTitles, upper)))
        return true;
    if (regionOn(RegionFrench) && holdsAny(lists::frTitles, upper)) return true;
    if (regionOn(RegionItalian) && holdsAny(lists::itTitles, upper)) return true;
    if (regionOn(RegionSpanish) && holdsAny(lists::esTitles, upper)) return true;
    if (regionOn(RegionDutch) && holdsAny(lists::nlTitles, upper)) return true;
    return false;
}

bool inList(const CWordList& list, const char* word) { return list.holds(word); }

}  // namespace

int firstNameSex(const char* upperWord) {
    int sex = 0;
    if (inList(lists::maleFirstNames, upperWord)) sex = 5;
    if (inList(lists::femaleFirstNames, upperWord)) sex = 6;
    if (regionOn(RegionGerman)) {
        if (inList(lists::deMale, upperWord)) sex = 5;
        if (inList(lists::deFemale, upperWord)) sex = 6;
    }
    if (regionOn(RegionFrench)) {
        if (inList(lists::frMale, upperWord)) sex = 5;
        if (inList(lists::frFemale, upperWord)) sex = 6;
    }
    return sex;
}

namespace {

// Start and end of the next blank-separated word from pos; false when none.
bool nextWord(const char* s, int* pos, int* end) {
    int p = *pos;
    while (s[p] == ' ') ++p;
    if (!s[p]) return false;
    int e = p;
    while (s[e] && s[e] != ' ') ++e;
    *pos = p;
    *end = e;
    return true;
}

int countWords(const char* s) {
    int n = 0, pos = 0, end = 0;
    while (nextWord(s, &pos, &end)) {
        ++n;
        pos = end;
    }
    return n;
}

void splitNameTitleLine(int i) {
    char* s = g_fid.lines[i];
    char upper[kLineBytes];
    upperCopy(upper, s, sizeof upper);
    if (countWords(s) <= 2 || !passesTitleTest(upper)) return;
    int pos = 0, end = 0;
    nextWord(upper, &pos, &end);
    char first[kLineBytes];
    copyBoundedN(first, sizeof first, upper + pos, static_cast<size_t>(end - pos));
    if (passesTitleTest(first)) return;
    int sex = firstNameSex(first);
    if (!sex) return;
    int p2 = end, e2 = end;
    if (!nextWord(s, &p2, &e2)) return;
    bool initial = e2 - p2 == 2 && isUpper(s[p2]) && s[p2 + 1] == '.';
    int nameEnd = e2;
    if (initial) {
        int p3 = e2, e3 = e2;
        if (!nextWord(s, &p3, &e3)) return;
        nameEnd = e3;
    }
    if (!s[nameEnd] || !s[nameEnd + 1] || g_fid.lineCount >= 31) return;
    int n = g_fid.lineCount++;
    copyBounded(g_fid.lines[n], kLineBytes, s + nameEnd + 1);
    g_fid.boxes[n] = g_fid.boxes[i];
    s[nameEnd] = 0;
    cell(FieldTitle, n) = cell(FieldTitle, i) < 5 ? 5 : cell(FieldTitle, i);
    cell(FieldTitle, i) = 0;
    cell(FieldName, i) = initial ? 16 : 10;
    cell(FieldSexGuess, i) = sex;
}

struct NameSplit {
    char prefix[kLineBytes] = {};
    char suffix[kLineBytes] = {};
    char first[kLineBytes] = {};
    char middle[kLineBytes] = {};
    char last[kLineBytes] = {};
};

// Every whole-word occurrence of a name word, so that a prefix can be seen to lead the
// name and a suffix to close it.
void markNameWords(const char* upper, bool* mask) {
    const CWordList& nameWords = lists::nameWords;
    for (int e = 0; e < nameWords.count(); ++e) {
        int length = nameWords.entryLength(e);
        for (int pos = findText(upper, nameWords.entry(e)); pos >= 0;
             pos = findText(upper, nameWords.entry(e), pos + 1))
            if (boundariesHold(upper, pos, length, Match::WholeWord))
                for (int k = 0; k < length; ++k) mask[pos + k] = true;
    }
}

// A word before a prefix is another name word or an abbreviation ("Prof. Dr. Hans Weber");
// anything else makes the word a part of the name itself ("Hans Kaufmann").
bool leadsName(const char* upper, const bool* mask, int pos) {
    for (int i = 0; i < pos;) {
        while (i < pos && upper[i] == ' ') ++i;
        int end = i;
        bool named = true;
        while (end < pos && upper[end] != ' ') {
            named = named && (mask[end] || !isWordByte(upper[end]));
            ++end;
        }
        if (end > i && !named && upper[end - 1] != '.') return false;
        i = end;
    }
    return true;
}

// A suffix closes the name (nothing but name words behind it) and leaves a first and a last
// name before it, so that "Alexander Kaufmann" keeps its surname.
bool closesName(const char* upper, const bool* mask, int pos, int length) {
    for (int i = pos + length; upper[i]; ++i)
        if (!mask[i] && isWordByte(upper[i])) return false;
    char before[kLineBytes];
    copyBoundedN(before, sizeof before, upper, static_cast<size_t>(pos));
    return countWords(before) >= 2;
}

// Splits text into the parts; singlePrefix keeps only the last prefix word found (the export).
// Degrees of up to three capitals behind the name's last comma ("Sofia Petrakis, MD",
// "Robert J. Kline, CPA", "Tom Hale, P.E."), which no name word list holds: they become the
// suffix, so that they are not taken for the last name. Returns the number of their words.
int degreeBehindComma(const char* text, int half, char* suffix, size_t cap, int* suffixPos) {
    const char* comma = strrchr(text, ',');
    if (!comma || comma - text < half) return 0;
    int words = 0;
    for (const char* p = comma + 1; *p;) {
        while (*p == ' ' || *p == ',') ++p;
        if (!*p) break;
        int capitals = 0;
        for (; *p && *p != ' ' && *p != ','; ++p) {
            if (isUpper(*p)) ++capitals;
            else if (*p != '.') return 0;
        }
        if (capitals < 1 || capitals > 3 || ++words > 2) return 0;
    }
    if (!words) return 0;
    const char* start = comma + 1;
    while (*start == ' ') ++start;
    *suffixPos = static_cast<int>(comma - text);
    // A name word right before the comma belongs to the suffix too ("Marcus Webb Jr., MD").
    const char* before = comma;
    while (before > text && before[-1] != ' ') --before;
    char word[kLineBytes];
    copyBoundedN(word, sizeof word, before, static_cast<size_t>(comma - before));
    upperInPlace(word);
    for (int e = 0; e < lists::nameWords.count() && before - text >= half; ++e)
        if (strcmp(word, lists::nameWords.entry(e)) == 0) {
            start = before;
            *suffixPos = static_cast<int>(before - text);
            ++words;
            break;
        }
    copyBounded(suffix, cap, start);
    stripTrailing(suffix, " ");
    return words;
}

bool splitName(const char* text, NameSplit& out, bool singlePrefix) {
    char upper[kLineBytes];
    upperCopy(upper, text, sizeof upper);
    int length = static_cast<int>(strlen(upper));
    int half = length / 2;
    int words = countWords(upper);
    bool mask[kLineBytes] = {};
    markNameWords(upper, mask);
    int suffixPos = length, prefixEnd = 0;
    const CWordList& nameWords = lists::nameWords;
    for (int e = 0; e < nameWords.count(); ++e) {
        int pos = findByRule(upper, nameWords.entry(e), Match::WholeWord);
        if (pos < 0 || pos < half || !closesName(upper, mask, pos, nameWords.entryLength(e))) continue;
        copyBoundedN(out.suffix, sizeof out.suffix, text + pos, static_cast<size_t>(nameWords.entryLength(e)));
        --words;
        suffixPos = pos;
    }
    if (!*out.suffix) words -= degreeBehindComma(text, half, out.suffix, sizeof out.suffix, &suffixPos);
    for (int e = 0; e < nameWords.count(); ++e) {
        int pos = findByRule(upper, nameWords.entry(e), Match::WholeWord);
        if (pos < 0) continue;
        int entryLength = nameWords.entryLength(e);
        if (pos > half) {
            // The suffix itself does not undo the prefix ("Dr. John Smith Jr.").
            if (!closesName(upper, mask, pos, entryLength)) prefixEnd = 0;
            continue;
        }
        if (!leadsName(upper, mask, pos)) continue;
        if (!singlePrefix) {
            char upperSuffix[kLineBytes];
            upperCopy(upperSuffix, out.suffix, sizeof upperSuffix);
            if (strcmp(upperSuffix, nameWords.entry(e)) == 0) continue;
        }
        char piece[kLineBytes];
        copyBoundedN(piece, sizeof piece, text + pos, static_cast<size_t>(entryLength));
        if (singlePrefix) {
            copyBounded(out.prefix, sizeof out.prefix, piece);
        } else {
            appendWhole(out.prefix, sizeof out.prefix, piece);
            appendWhole(out.prefix, sizeof out.prefix, " ");
        }
        --words;
        if (pos + entryLength > prefixEnd) prefixEnd = pos + entryLength;
    }
    if (words < 1) return false;
    char rest[kLineBytes];
    int restLength = suffixPos - prefixEnd;
    if (restLength < 0) restLength = 0;
    copyBoundedN(rest, sizeof rest, text + prefixEnd, static_cast<size_t>(restLength));
    for (char* p = rest; *p; ++p)
        if (*p == ',') *p = ' ';
    int a = 0, b = static_cast<int>(strlen(rest));
    while (a < b && !isLetter(rest[a])) ++a;
    while (b > a && !isLetter(rest[b - 1])) --b;
    rest[b] = 0;
    const char* r = rest + a;
    int pos = 0, end = 0;
    if (!nextWord(r, &pos, &end)) return false;
    copyBoundedN(out.first, sizeof out.first, r + pos, static_cast<size_t>(end - pos));
    const char* tail = r + end;
    while (*tail == ' ') ++tail;
    if (!*tail) return true;
    if (countWords(tail) >= 2) {
        pos = 0;
        nextWord(tail, &pos, &end);
        copyBoundedN(out.middle, sizeof out.middle, tail + pos, static_cast<size_t>(end - pos));
        tail += end;
        while (*tail == ' ') ++tail;
    }
    copyBounded(out.last, sizeof out.last, tail);
    return true;
}

void composeName(char* dst, size_t cap, const NameSplit& parts) {
    char text[kLineBytes * 4] = {};
    strcat(text, parts.prefix);
    for (const char* part : {parts.first, parts.middle, parts.last})
        if (*part) {
            strcat(text, part);
            strcat(text, " ");
        }
    strcat(text, parts.suffix);
    copyBounded(dst, cap, text);
}

}  // namespace

void FID_split_name_title() {
    int count = g_fid.lineCount;
    // A firm's line that the domain spells ("Santa Fe Strategy Partners" for santafestrategy) is
    // no name followed by a title, whatever its first word.
    std::vector<std::string> domains = lineDomainWords();
    for (int i = 0; i < count; ++i)
        if ((cell(FieldTitle, i) > 0 || cell(FieldName, i) > 0) && !anyDomainSpellsLine(domains, g_fid.lines[i]))
            splitNameTitleLine(i);
}

void FID_split_name_parts() {
    int line = -1;
    for (int i = 0; i < kMaxLines && line < 0; ++i)
        if (cell(FieldName, i) >= 1) line = i;
    if (line < 0) return;
    g_fid.names.lines[0] = line;
    NameSplit parts;
    bool complete = splitName(g_fid.lines[line], parts, false);
    NameParts& n = g_fid.names;
    copyBounded(n.prefix, sizeof n.prefix, parts.prefix);
    copyBounded(n.suffix, sizeof n.suffix, parts.suffix);
    if (!complete) return;
    copyBounded(n.first, sizeof n.first, parts.first);
    copyBounded(n.middle, sizeof n.middle, parts.middle);
    copyBounded(n.last, sizeof n.last, parts.last);
    composeName(g_fid.lines[line], kLineBytes, parts);
}

int separateNameText(char* fullName, char* prefix, char* first, char* middle, char* last, char* suffix) {
    size_t cap = strlen(fullName) + 1;
    for (char* out : {prefix, first, middle, last, suffix}) out[0] = 0;
    NameSplit parts;
    char text[kLineBytes];
    copyBounded(text, sizeof text, fullName);
    bool complete = splitName(text, parts, true);
    copyBounded(prefix, cap, parts.prefix);
    copyBounded(suffix, cap, parts.suffix);
    if (!complete) return 0;
    copyBounded(first, cap, parts.first);
    copyBounded(middle, cap, parts.middle);
    copyBounded(last, cap, parts.last);
    NameSplit written = parts;
    if (*written.prefix) strcat(written.prefix, " ");
    composeName(fullName, cap, written);
    return 1;
}
