#include "company_line.h"
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "card_info.h"
#include "fid_state.h"
#include "text_util.h"

namespace {

// The line's words in lower case, letters and digits only; other bytes part words.
std::vector<std::string> lineWords(const char* line) {
    std::vector<std::string> words;
    std::string word;
    for (const char* p = line;; ++p) {
        if (*p && isAlnum(*p)) {
            word += toLower(*p);
            continue;
        }
        if (!word.empty()) words.push_back(word);
        word.clear();
        if (!*p) break;
    }
    return words;
}

// Whether `rest` is spelt by the leading parts of words[i], words[i + 1], ... in turn (each
// word giving at least its first letter), ending with the text. `pieces` counts the words used
// and `firstPiece` the length taken from the first word.
bool spelt(const std::string& rest, size_t at, const std::vector<std::string>& words, size_t i, int pieces,
           size_t firstPiece) {
    // Initials need three words (pvo); two pieces need a first of 3 letters (kessler-eng); one
    // piece must be the whole first word (vermeulen), never a short start of it (sal for Sales).
    if (at == rest.size())
        return pieces >= 3 || (pieces == 2 && firstPiece >= 3) ||
               (pieces == 1 && firstPiece == words[0].size() && firstPiece >= 4);
    if (i >= words.size()) return false;
    const std::string& w = words[i];
    for (size_t k = std::min(w.size(), rest.size() - at); k >= 1; --k) {
        if (rest.compare(at, k, w, 0, k) != 0) continue;
        if (spelt(rest, at + k, words, i + 1, pieces + 1, pieces == 0 ? k : firstPiece)) return true;
    }
    return false;
}

// Whether the domain word, or one of its hyphen-separated parts of 3 or more characters,
// is spelt from the line's first word on. A single word must be the word itself.
bool domainSpellsLine(const char* domainWord, const char* line) {
    std::vector<std::string> words = lineWords(line);
    if (words.empty()) return false;
    std::vector<std::string> candidates;
    std::string whole, part;
    for (const char* p = domainWord;; ++p) {
        if (*p && isAlnum(*p)) {
            whole += toLower(*p);
            part += toLower(*p);
            continue;
        }
        if (part.size() >= 3) candidates.push_back(part);
        part.clear();
        if (!*p) break;
    }
    if (candidates.empty() || candidates.front() != whole) candidates.insert(candidates.begin(), whole);
    for (const std::string& c : candidates) {
        if (c.size() < 3) continue;
        if (words.size() == 1 ? c == words[0] : spelt(c, 0, words, 0, 0, 0)) return true;
    }
    return false;
}

// Kinds whose values carry no line number (address pieces and name parts are filled apart).
bool withoutLineNumber(int kind) {
    switch (kind) {
    case FieldCountry:
    case FieldState:
    case FieldCity:
    case FieldZipCode:
    case FieldCtryGuess:
    case FieldStatGuess:
    case FieldPrefix:
    case FieldFirstName:
    case FieldMidName:
    case FieldLastName:
    case FieldSuffix: return true;
    default: return false;
    }
}

bool holdsDigit(const char* s) {
    for (; *s; ++s)
        if (isDigit(*s)) return true;
    return false;
}

// Lines whose values are only titles, departments or None (or that have none) may be the company;
// so may an address line without a digit, which a firm named after a place becomes (Meridian
// Instruments, Thornbury Asset Management).
bool mayBeCompany(const CardInfo* info, int line) {
    const char* text = g_fid.lines[line];
    if (!text[0] || strchr(text, '@')) return false;
    bool addressAllowed = !holdsDigit(text);
    for (int k = 0; k < FieldKindCount; ++k) {
        if (k == FieldTitle || k == FieldDepartment || k == FieldNone || withoutLineNumber(k)) continue;
        if (addressAllowed && (k == FieldAddress || k == FieldStreet)) continue;
        const CardInfoSlot& slot = info->Field[k];
        for (int v = 0; v < slot.Count && v < 4; ++v)
            if (slot.Text[v] && slot.Line[v] == line) return false;
    }
    return true;
}

// Removes the values of one line (or, with `index` set, the value at that index) and closes the gap.
void dropValues(CardInfoSlot& slot, int line, int index = -1) {
    int kept = 0;
    for (int v = 0; v < slot.Count && v < 4; ++v) {
        if (index >= 0 ? v == index : (slot.Text[v] && slot.Line[v] == line)) continue;
        slot.Text[kept] = slot.Text[v];
        slot.Rect[kept] = slot.Rect[v];
        slot.Confidence[kept] = slot.Confidence[v];
        slot.Line[kept] = slot.Line[v];
        ++kept;
    }
    for (int v = kept; v < slot.Count && v < 4; ++v) {
        slot.Text[v] = nullptr;
        slot.Rect[v] = CardInfoRect{0, 0, 0, 0};
        slot.Confidence[v] = 0;
        slot.Line[v] = 0;
    }
    slot.Count = static_cast<int16_t>(kept);
}

// An address line that is the company gives up its Address and Street values and the pieces
// placed at the same index (country, state, city, zip code and guesses).
void dropAddressOfLine(CardInfo* info, int line) {
    CardInfoSlot& address = info->Field[FieldAddress];
    for (int i = 0; i < address.Count && i < 4; ++i) {
        if (!address.Text[i] || address.Line[i] != line) continue;
        for (int k : {FieldCountry, FieldState, FieldCity, FieldZipCode, FieldCtryGuess, FieldStatGuess})
            if (i < info->Field[k].Count) dropValues(info->Field[k], line, i);
        dropValues(address, line, i);
        break;
    }
    dropValues(info->Field[FieldStreet], line);
}

// A company line joined above an address (the join keeps its text in place) is cut off the front
// of that address's Address and Street values.
void cutCompanyFromAddresses(CardInfo* info, const char* company) {
    size_t n = strlen(company);
    for (int k : {FieldAddress, FieldStreet}) {
        CardInfoSlot& slot = info->Field[k];
        for (int i = 0; i < slot.Count && i < 4; ++i) {
            char* text = slot.Text[i];
            if (!text || text == company || strncmp(text, company, n) != 0) continue;
            const char* rest = text + n;
            if (*rest == ',') ++rest;
            if (*rest != '\r' && *rest != '\n' && *rest != ' ') continue;
            while (*rest == '\r' || *rest == '\n' || *rest == ' ') ++rest;
            if (*rest) memmove(text, rest, strlen(rest) + 1);
        }
    }
}

// The domain words of the record's web sites, then of its e-mail addresses.
std::vector<std::string> domainWords(const CardInfo* info) {
    std::vector<std::string> found;
    char word[130];
    const CardInfoSlot& web = info->Field[FieldWebSite];
    for (int i = 0; i < web.Count && i < 4; ++i)
        if (web.Text[i]) {
            webHostWord(web.Text[i], word, sizeof word);
            if (word[0]) found.push_back(word);
        }
    const CardInfoSlot& mail = info->Field[FieldEMail];
    for (int i = 0; i < mail.Count && i < 4; ++i)
        if (mail.Text[i]) {
            emailDomainWord(mail.Text[i], word, sizeof word);
            if (word[0]) found.push_back(word);
        }
    return found;
}

}  // namespace

void FID_company_from_domain_line(CardInfo* info) {
    CardInfoSlot& company = info->Field[FieldCompany];
    if (company.Count > 0) return;
    for (const std::string& domain : domainWords(info)) {
        for (int j = 0; j < g_fid.lineCount; ++j) {
            if (!mayBeCompany(info, j) || !domainSpellsLine(domain.c_str(), g_fid.lines[j])) continue;
            dropAddressOfLine(info, j);
            cutCompanyFromAddresses(info, g_fid.lines[j]);
            for (int k : {FieldTitle, FieldDepartment, FieldNone}) dropValues(info->Field[k], j);
            const LineBox& box = g_fid.boxes[j];
            company.Text[0] = g_fid.lines[j];
            company.Rect[0] = CardInfoRect{box.left, box.top, box.right, box.bottom};
            company.Confidence[0] = 50;
            company.Line[0] = static_cast<int16_t>(j);
            company.Count = 1;
            return;
        }
    }
}
