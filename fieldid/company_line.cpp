#include "company_line.h"
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "card_info.h"
#include "card_values.h"
#include "domain_spelling.h"
#include "fid_state.h"
#include "text_util.h"

namespace {

// Lines whose values are only titles, departments or None (or that have none) may be the company;
// so may an address line without a digit, which a firm named after a place becomes (Meridian
// Instruments, Thornbury Asset Management).
bool mayBeCompany(const CardInfo* info, int line) {
    const char* text = g_fid.lines[line];
    if (!text[0] || strchr(text, '@')) return false;
    bool addressAllowed = !holdsDigit(text);
    for (int k = 0; k < FieldKindCount; ++k) {
        if (k == FieldTitle || k == FieldDepartment || k == FieldNone || isAddressPiece(k) || isNamePart(k)) continue;
        if (addressAllowed && (k == FieldAddress || k == FieldStreet)) continue;
        const CardInfoSlot& slot = info->Field[k];
        for (int v = 0; v < slot.Count && v < 4; ++v)
            if (slot.Text[v] && slot.Line[v] == line) return false;
    }
    return true;
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
// of that address's Address and Street values; a Street value that is the company alone goes.
void cutCompanyFromAddresses(CardInfo* info, const char* company) {
    size_t n = strlen(company);
    CardInfoSlot& street = info->Field[FieldStreet];
    for (int i = street.Count < 4 ? street.Count - 1 : 3; i >= 0; --i)
        if (street.Text[i] && street.Text[i] != company && strcmp(street.Text[i], company) == 0)
            dropValues(street, -1, i);
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

// Line j becomes the one Company value (confidence 50), leaving the kinds it was taken for.
void takeLineAsCompany(CardInfo* info, int j) {
    dropAddressOfLine(info, j);
    cutCompanyFromAddresses(info, g_fid.lines[j]);
    for (int k : {FieldTitle, FieldDepartment, FieldNone}) dropValues(info->Field[k], j);
    CardInfoSlot& company = info->Field[FieldCompany];
    dropValues(company, -1, 0);
    const LineBox& box = g_fid.boxes[j];
    company.Text[0] = g_fid.lines[j];
    company.Rect[0] = CardInfoRect{box.left, box.top, box.right, box.bottom};
    company.Confidence[0] = 50;
    company.Line[0] = static_cast<int16_t>(j);
    company.Count = 1;
}

// The company join reaches past the name line to the line below it when that scores a little as a
// company ("Elkhorn Guitar Works" + "Luthier"); the firm's own line still holds its text. When the
// domain spells that line, it is the company and the joined line keeps only its own text.
bool splitJoinedTitle(CardInfo* info, const std::vector<std::string>& domains) {
    const CardInfoSlot& company = info->Field[FieldCompany];
    int j = lineOfValue(company, 0);
    char* value = company.Text[0];
    if (j < 0 || value != g_fid.lines[j]) return false;
    for (int i = 0; i + 1 < j; ++i) {
        const char* firm = g_fid.lines[i];
        size_t n = strlen(firm);
        if (!n || strncmp(value, firm, n) != 0 || value[n] != ' ' || !value[n + 1]) continue;
        if (!mayBeCompany(info, i) || !anyDomainSpellsLine(domains, firm)) continue;
        int confidence = company.Confidence[0];
        memmove(value, value + n + 1, strlen(value + n + 1) + 1);
        takeLineAsCompany(info, i);
        titleBelowName(info, j, confidence);
        return true;
    }
    return false;
}

// A slogan ("Quality you can trust", "Serving Ohio families") writes words in lower case that a
// firm's name capitalises; only its short joining words ("of", "and", "de") stay small.
bool readsAsPhrase(const char* text) {
    for (const char* p = text; *p;) {
        while (*p == ' ') ++p;
        const char* end = p;
        bool upper = false;
        while (*end && *end != ' ') upper |= isUpper(*end++);
        if (isLower(*p) && !upper && end - p >= 4) return true;
        p = end;
    }
    return false;
}

// Department words that made the line a department (half its full score or more: "Human
// Resources Department", "Research and Development"); one weak word, as a firm's "Medical Center"
// holds, does not.
bool isSureDepartment(const CardInfo* info, int j) {
    const CardInfoSlot& department = info->Field[FieldDepartment];
    int v = valueOnLine(department, j);
    return v >= 0 && department.Confidence[v] >= 50;
}

// A line the firm's name may stand on when no company was found: no digit, no "@", no comma,
// taken for nothing, a department that its words do not make sure of, an address without digits
// or a title that is not the card's only one; never a slogan.
bool mayBeTheFirm(const CardInfo* info, int j) {
    const CardInfoSlot& title = info->Field[FieldTitle];
    const char* text = g_fid.lines[j];
    if (!mayBeCompany(info, j) || holdsDigitOrAt(text) || strchr(text, ',') || !containsLetter(text)) return false;
    if (isSureDepartment(info, j) || readsAsPhrase(text)) return false;
    return valueOnLine(title, j) < 0 || title.Count > 1;
}

// With no company found at all, the firm prints its name on the card's first line above the
// person's name ("Whitmore Family Dentistry" taken for a title, "Boulangerie Gagnon" for
// nothing), or else on the first such line below the name and its title ("Museum of Coastal
// History", "Valley View Medical Center" taken for a department, "Brookline Capital Partners"
// for a second title); -1 when there is none.
int firmLine(const CardInfo* info) {
    int n = firstLineOf(info->Field[FieldName]);
    if (g_fid.lineCount < 2 || n < 0) return -1;
    if (n > 0) return mayBeTheFirm(info, 0) ? 0 : -1;
    int j = n + 1;
    if (j < g_fid.lineCount && valueOnLine(info->Field[FieldTitle], j) >= 0) ++j;
    for (; j < g_fid.lineCount; ++j)
        if (mayBeTheFirm(info, j)) return j;
    return -1;
}

// The company join also takes a title standing between the name and the firm's line
// ("Pediatric Cardiologist" + "Texas Children's Cardiology Associates"); the title's own line
// still holds its text. When the domain spells what follows that text and not the title, the
// firm's line keeps only its own text and the title line becomes the title.
bool splitTitleJoinedAbove(CardInfo* info, const std::vector<std::string>& domains) {
    const CardInfoSlot& company = info->Field[FieldCompany];
    int j = lineOfValue(company, 0);
    char* value = company.Text[0];
    if (j < 0 || value != g_fid.lines[j]) return false;
    for (int i = 0; i < j; ++i) {
        const char* title = g_fid.lines[i];
        size_t n = strlen(title);
        if (!n || strncmp(value, title, n) != 0 || value[n] != ' ' || !value[n + 1]) continue;
        if (!anyDomainSpellsLine(domains, value + n + 1) || anyDomainSpellsLine(domains, title)) continue;
        memmove(value, value + n + 1, strlen(value + n + 1) + 1);
        titleBelowName(info, i, company.Confidence[0]);
        return true;
    }
    return false;
}

// A company won by a line that only its shape scored (below half the full score) while the domain
// spells another line that went to a title, a department or nothing ("Cartographer" over
// "Tidewater Charts" for tidewatercharts): the spelt line is the company.
void replaceWeakCompany(CardInfo* info, const std::vector<std::string>& domains) {
    const CardInfoSlot& company = info->Field[FieldCompany];
    int old = lineOfValue(company, 0);
    int confidence = company.Confidence[0];
    if (old < 0 || confidence >= 50 || company.Text[0] != g_fid.lines[old] ||
        anyDomainSpellsLine(domains, g_fid.lines[old]))
        return;
    for (int j = 0; j < g_fid.lineCount; ++j) {
        if (j == old || !mayBeCompany(info, j) || !anyDomainSpellsLine(domains, g_fid.lines[j])) continue;
        takeLineAsCompany(info, j);
        titleBelowName(info, old, confidence);
        return;
    }
}

}  // namespace

void FID_company_from_domain_line(CardInfo* info) {
    std::vector<std::string> domains = domainWords(info);
    CardInfoSlot& company = info->Field[FieldCompany];
    if (company.Count == 1) {
        if (!splitJoinedTitle(info, domains) && !splitTitleJoinedAbove(info, domains))
            replaceWeakCompany(info, domains);
        return;
    }
    if (company.Count > 0) return;
    for (const std::string& domain : domains) {
        for (int j = 0; j < g_fid.lineCount; ++j) {
            if (!mayBeCompany(info, j) || !domainSpellsLine(domain.c_str(), g_fid.lines[j])) continue;
            takeLineAsCompany(info, j);
            return;
        }
    }
    int firm = firmLine(info);
    if (firm >= 0) takeLineAsCompany(info, firm);
}
