#include "correction.h"
#include <initializer_list>
#include <string.h>
#include "contacts.h"
#include "fid_state.h"
#include "glyphutil.h"
#include "misreading.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

enum class Case { Title, Stored };

const char* const kTrailingPunctuation = ",.;:";

struct Candidate {
    const CWordList* list;
    Case written;
};

struct Best {
    const CWordList* list = nullptr;
    int index = -1;
    int similarity = 0;
    Case written = Case::Stored;
};

// Looks the word up in each list in turn; a later list wins only with a higher similarity.
Best bestMatch(const char* word, std::initializer_list<Candidate> candidates, bool allowExact) {
    Best best;
    for (const Candidate& c : candidates) {
        if (!c.list || c.list->count() == 0) continue;
        int32_t similarity = 0;
        int index = most_similar_str_in_db(word, c.list->slots(), c.list->width(), 0, c.list->count() - 1,
                                           c.list->offset(), &similarity);
        if (index < 0 || similarity < 80 || (!allowExact && similarity > 99)) continue;
        if (best.list && similarity <= best.similarity) continue;
        best = Best{c.list, index, similarity, c.written};
    }
    return best;
}

void titleCase(char* s) {
    bool start = true;
    for (; *s; ++s) {
        *s = start ? toUpper(*s) : toLower(*s);
        start = *s == ' ';
    }
}

void nameCase(char* s) {
    bool start = true;
    for (; *s; ++s) {
        *s = start ? toUpper(*s) : toLower(*s);
        start = *s == ' ' || *s == '-';
    }
}

template <typename T>
bool within(const char* p, const T& object, size_t* room) {
    const char* begin = reinterpret_cast<const char*>(&object);
    if (p < begin || p >= begin + sizeof object) return false;
    *room = sizeof object - static_cast<size_t>(p - begin);
    return true;
}

// Room behind a value text: every value lies in a fixed buffer of the state.
size_t capacityOf(const char* p) {
    size_t room = 0;
    for (int i = 0; i < kMaxLines; ++i)
        if (within(p, g_fid.lines[i], &room)) return room;
    for (const DegreeRecord& d : g_fid.degrees)
        if (within(p, d.text, &room)) return room;
    for (const AddressRecord& r : g_fid.address)
        if (within(p, r.Country, &room) || within(p, r.State, &room) || within(p, r.City, &room) ||
            within(p, r.Street, &room) || within(p, r.ZipCode, &room) || within(p, r.CtryGuess, &room) ||
            within(p, r.StatGuess, &room))
            return room;
    for (int i = 0; i < 4; ++i)
        if (within(p, g_fid.companyBuffers[i], &room)) return room;
    return strlen(p) + 1;
}

// Replaces the first occurrence of `word` (compared in upper case) in value by replacement.
void replaceWord(char* value, const char* word, const char* replacement) {
    char upper[kLineBytes * 2];
    upperCopy(upper, value, sizeof upper);
    int pos = findText(upper, word);
    if (pos < 0) return;
    replaceAt(value, capacityOf(value), pos, static_cast<int>(strlen(word)), replacement);
}

// A similar entry replaces a word only when the word reads as that entry misprinted: a word of
// the vocabulary ("Chef", "Partners") and another form of the entry ("Computer") are left as
// printed.
bool isMisreadingOf(const char* word, const Best& best) {
    char entry[64];
    upperCopy(entry, best.list->entry(best.index), sizeof entry);
    stripLeading(entry, " ");
    stripTrailing(entry, " ");
    return !isKnownWord(word) && readsAsMisprintOf(word, entry);
}

const CWordList* on(Region r, const CWordList& list) { return regionOn(r) ? &list : nullptr; }

// The best entry for a word of a value of the given kind, over the general and the regional lists.
Best bestWordMatch(const char* word, int kind) {
    switch (kind) {
    case FieldCompany:
        return bestMatch(word,
                         {{&lists::corrCompanyWords, Case::Title},
                          {on(RegionGerman, lists::deCompanyForms), Case::Stored},
                          {on(RegionFrench, lists::frCorrCompanyWords), Case::Stored},
                          {on(RegionItalian, lists::itCorrCompanyWords), Case::Stored},
                          {on(RegionSpanish, lists::esCorrCompanyWords), Case::Stored},
                          {on(RegionDutch, lists::nlCorrCompanyWords), Case::Stored}},
                         true);
    case FieldDepartment:
        return bestMatch(word,
                         {{&lists::corrDepartments, Case::Title},
                          {on(RegionGerman, lists::deCorrDepartments), Case::Title},
                          {on(RegionFrench, lists::frCorrDepartments), Case::Title},
                          {on(RegionItalian, lists::itCorrDepartments), Case::Title},
                          {on(RegionDutch, lists::nlCorrDepartments), Case::Title}},
                         true);
    case FieldTitle:
        return bestMatch(word,
                         {{&lists::corrTitles, Case::Title},
                          {on(RegionGerman, lists::deTitles), Case::Title},
                          {on(RegionFrench, lists::frTitles), Case::Title},
                          {on(RegionItalian, lists::itTitles), Case::Title},
                          {on(RegionSpanish, lists::esTitles), Case::Title},
                          {on(RegionDutch, lists::nlTitles), Case::Title}},
                         true);
    default:
        return bestMatch(word,
                         {{&lists::corrStreetWords, Case::Title},
                          {on(RegionGerman, lists::deCorrStreetWords), Case::Title},
                          {on(RegionFrench, lists::frCorrStreetWords), Case::Title},
                          {on(RegionItalian, lists::itCorrStreetWords), Case::Title},
                          {on(RegionSpanish, lists::esCorrStreetWords), Case::Title},
                          {on(RegionDutch, lists::nlCorrStreetWords), Case::Title}},
                         true);
    }
}

void correctWords(char* value, int kind) {
    char upper[kLineBytes * 2];
    upperCopy(upper, value, sizeof upper);
    for (int pos = 0; upper[pos];) {
        while (upper[pos] == ' ') ++pos;
        int end = pos;
        while (upper[end] && upper[end] != ' ') ++end;
        char word[kLineBytes];
        copyBoundedN(word, sizeof word, upper + pos, static_cast<size_t>(end - pos));
        pos = end;
        size_t n = strlen(word);
        if (n && word[n - 1] == ',') word[--n] = 0;
        if (n <= 3) continue;
        Best best = bestWordMatch(word, kind);
        if (best.list && best.similarity >= 100) continue;
        // Shapes read as two letters ("rn" for "m") hide the entry from a letter-wise
        // comparison: the joined form is looked up too.
        char joined[kLineBytes];
        joinMisreadShapes(word, joined, sizeof joined);
        if (strcmp(joined, word) != 0) {
            Best alternative = bestWordMatch(joined, kind);
            if (alternative.list && alternative.similarity > best.similarity) best = alternative;
        }
        if (!best.list || !isMisreadingOf(word, best)) continue;
        char entry[64];
        copyBounded(entry, sizeof entry, best.list->entry(best.index));
        if (best.written == Case::Title) titleCase(entry);
        replaceWord(value, word, entry);
        upperCopy(upper, value, sizeof upper);
    }
}

void correctCountry(char* value) {
    char upper[kLineBytes];
    upperCopy(upper, value, sizeof upper);
    Best best = bestMatch(upper, {{&lists::countries, Case::Stored}}, false);
    if (best.list) copyBounded(upper, sizeof upper, best.list->entry(best.index));
    copyBounded(value, capacityOf(value), upper);
}

void correctState(char* value) {
    if (!regionOn(RegionItalian)) return;
    char upper[kLineBytes];
    upperCopy(upper, value, sizeof upper);
    Best best = bestMatch(upper, {{&lists::itProvinces, Case::Stored}}, false);
    if (best.list) copyBounded(upper, sizeof upper, best.list->entry(best.index));
    nameCase(upper);
    copyBounded(value, capacityOf(value), upper);
}

void correctCity(CardInfo* info, int index, char* value) {
    char upper[kLineBytes], old[kLineBytes];
    copyBounded(old, sizeof old, value);
    upperCopy(upper, value, sizeof upper);
    const CardInfoSlot& countrySlot = info->Field[FieldCountry];
    const char* country = index < countrySlot.Count && countrySlot.Text[index] ? countrySlot.Text[index] : "";
    char countryUpper[32];
    upperCopy(countryUpper, country, sizeof countryUpper);
    bool na = regionOn(RegionNorthAmerican);
    Best best = bestMatch(upper,
                          {{na && strcmp(countryUpper, "USA") == 0 ? &lists::usCities : nullptr, Case::Stored},
                           {na && strcmp(countryUpper, "CANADA") == 0 ? &lists::caCities : nullptr, Case::Stored},
                           {on(RegionGerman, lists::deCities), Case::Stored},
                           {on(RegionFrench, lists::frCities), Case::Stored},
                           {on(RegionItalian, lists::itCities), Case::Stored},
                           {on(RegionSpanish, lists::esCities), Case::Stored},
                           {on(RegionDutch, lists::nlCities), Case::Stored}},
                          true);
    // A place the library knows by another list ("Milano", a provincial capital) is no misreading
    // of a similar town, nor is a town that differs from a listed one other than the way a reader
    // misreads print ("Annapolis" is no "Kannapolis", "Leuven" no "Leuken").
    if (best.list && !isKnownPlace(upper) &&
        (best.similarity >= 100 || looksMisread(upper, best.list->entry(best.index))))
        copyBounded(upper, sizeof upper, best.list->entry(best.index));
    nameCase(upper);
    copyBounded(value, capacityOf(value), upper);
    // Only the name is replaced in the address: a comma or period behind it is the address's own.
    const CardInfoSlot& address = info->Field[FieldAddress];
    char oldUpper[kLineBytes], name[kLineBytes];
    upperCopy(oldUpper, old, sizeof oldUpper);
    stripTrailing(oldUpper, kTrailingPunctuation);
    copyBounded(name, sizeof name, value);
    stripTrailing(name, kTrailingPunctuation);
    if (*oldUpper && index < address.Count && address.Text[index]) replaceWord(address.Text[index], oldUpper, name);
}

void correctLabels(char* value, const CWordList& labels) {
    char head[kLineBytes];
    copyBounded(head, sizeof head, value);
    char* colon = strchr(head, ':');
    if (colon) {
        *colon = 0;
    } else if (&labels == &lists::corrPhoneLabels) {
        for (char* p = head; *p; ++p)
            if (isDigit(*p)) {
                *p = 0;
                break;
            }
    } else {
        return;
    }
    upperInPlace(head);
    for (char* p = head; *p;) {
        while (*p == ' ') ++p;
        char* end = p;
        while (*end && *end != ' ') ++end;
        char word[kLineBytes];
        copyBoundedN(word, sizeof word, p, static_cast<size_t>(end - p));
        p = end;
        if (strlen(word) <= 3) continue;
        Best best = bestMatch(word, {{&labels, Case::Title}}, false);
        if (!best.list || !isMisreadingOf(word, best)) continue;
        char entry[64];
        copyBounded(entry, sizeof entry, best.list->entry(best.index));
        titleCase(entry);
        replaceWord(value, word, entry);
    }
}

}  // namespace

void FID_correct_values(CardInfo* info) {
    for (int k = 0; k < kKinds; ++k) {
        CardInfoSlot& slot = info->Field[k];
        for (int i = 0; i < slot.Count && i < 4; ++i) {
            char* value = slot.Text[i];
            if (!value || strlen(value) <= 3) continue;
            switch (k) {
            case FieldCompany:
            case FieldDepartment:
            case FieldTitle:
            case FieldStreet: correctWords(value, k); break;
            case FieldCountry: correctCountry(value); break;
            case FieldState: correctState(value); break;
            case FieldCity: correctCity(info, i, value); break;
            default: break;
            }
            int line = slot.Line[i];
            if (isAddressPiece(k) || line < 0 || line >= kMaxLines || value != g_fid.lines[line]) continue;
            if (isPhoneLine(line) || isFaxLine(line)) correctLabels(value, lists::corrPhoneLabels);
            else if (isNetLine(line)) correctLabels(value, lists::corrNetLabels);
        }
    }
}
