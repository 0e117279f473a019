#include "firm_name_line.h"
#include <string.h>
#include <initializer_list>
#include <string>
#include <vector>
#include "card_info.h"
#include "domain_spelling.h"
#include "fid_state.h"
#include "text_util.h"

namespace {

int nameLine() {
    for (int j = 0; j < g_fid.lineCount; ++j)
        if (cell(FieldName, j) > 0) return j;
    return -1;
}

// A line that scores only as a company, title, department or nothing, and holds no digit.
bool personLineCandidate(int j) {
    for (const char* p = g_fid.lines[j]; *p; ++p)
        if (isDigit(*p) || *p == '@') return false;
    for (int k = 0; k < kKinds; ++k) {
        if (k == FieldCompany || k == FieldTitle || k == FieldDepartment || k == FieldNone) continue;
        if (cell(k, j) > 0) return false;
    }
    return true;
}

// The line other than `except` that the user part of an e-mail line names, -1 when none; with
// `byOneWord` also the line of which it is one word (a first name alone).
int namedByEmail(int except, bool byOneWord = false) {
    for (int e = 0; e < g_fid.lineCount; ++e) {
        if (cell(FieldEMail, e) <= 0) continue;
        const char* address = g_fid.lines[e];
        for (int j = 0; j < g_fid.lineCount; ++j) {
            if (j == except || j == e || !personLineCandidate(j)) continue;
            const char* line = g_fid.lines[j];
            if (localPartNamesLine(address, line) || (byOneWord && localPartIsWordOfLine(address, line))) return j;
        }
    }
    return -1;
}

// The line other than `except`, scoring no Company, that a domain word spells; -1 when none.
int spelledFirmLine(int except, const std::vector<std::string>& domains) {
    for (int j = 0; j < g_fid.lineCount; ++j)
        if (j != except && cell(FieldCompany, j) <= 0 && personLineCandidate(j) &&
            anyDomainSpellsLine(domains, g_fid.lines[j]))
            return j;
    return -1;
}

// A name line that the domain spells ("Garrity & Stone", "Carrick Fenwick", "Harbourview
// Dental") or names by one of its words ("Drukkerij Peeters" for peeters.be), above the
// person's own line, which the e-mail's user part names.
void firmTakenAsName(int firm, const std::vector<std::string>& domains) {
    const char* text = g_fid.lines[firm];
    if (!anyDomainSpellsLine(domains, text) && !anyDomainIsWordOfLine(domains, text)) return;
    int person = namedByEmail(firm, true);
    if (person < 0) return;
    int score = cell(FieldName, firm);
    cell(FieldName, firm) = 0;
    cell(FieldSexGuess, firm) = 0;
    cell(FieldCompany, firm) = score;
    for (int k : {FieldCompany, FieldTitle, FieldDepartment, FieldNone}) cell(k, person) = 0;
    cell(FieldName, person) = score;
}

// No name line: the person's line taken as the company while the firm's line went to a title,
// a department or nothing.
void personTakenAsCompany(const std::vector<std::string>& domains) {
    int person = namedByEmail(-1);
    if (person < 0 || cell(FieldCompany, person) <= 0) return;
    int firm = spelledFirmLine(person, domains);
    if (firm < 0) return;
    int score = cell(FieldCompany, person);
    cell(FieldCompany, person) = 0;
    cell(FieldName, person) = score;
    for (int k : {FieldTitle, FieldDepartment, FieldNone}) cell(k, firm) = 0;
    cell(FieldCompany, firm) = score;
}

}  // namespace

std::vector<std::string> lineDomainWords() {
    std::vector<std::string> found;
    char word[130];
    for (int j = 0; j < g_fid.lineCount; ++j) {
        word[0] = 0;
        if (cell(FieldWebSite, j) > 0) webHostWord(g_fid.lines[j], word, sizeof word);
        else if (cell(FieldEMail, j) > 0) emailDomainWord(g_fid.lines[j], word, sizeof word);
        if (word[0]) found.push_back(word);
    }
    return found;
}

void FID_firm_name_line() {
    std::vector<std::string> domains = lineDomainWords();
    if (domains.empty()) return;
    int firm = nameLine();
    if (firm >= 0) firmTakenAsName(firm, domains);
    else personTakenAsCompany(domains);
}
