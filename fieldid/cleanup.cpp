#include <initializer_list>
#include <string.h>
#include "contacts.h"
#include "email_address_line.h"
#include "fid_state.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

// Position and length of the first entry of the list found in the upper-case line.
bool firstEntry(const CWordList& list, const char* upper, int* pos, int* length) {
    for (int e = 0; e < list.count(); ++e) {
        const char* hit = strstr(upper, list.entry(e));
        if (hit) {
            *pos = static_cast<int>(hit - upper);
            *length = list.entryLength(e);
            return true;
        }
    }
    return false;
}

void clearPositive(int line) {
    for (int k = 0; k < kKinds; ++k)
        if (cell(k, line) > 0) cell(k, line) = 0;
    cell(FieldNone, line) = 1;
}

void labelOnly(int line, int kind, const CWordList& list) {
    if (cell(kind, line) <= 0) return;
    char upper[kLineBytes];
    upperCopy(upper, g_fid.lines[line], sizeof upper);
    int pos, length;
    if (!firstEntry(list, upper, &pos, &length)) return;
    for (int i = 0; i < length; ++i) upper[pos + i] = ' ';
    int rest = 0;
    for (const char* p = upper; *p; ++p) rest += isAlnum(*p);
    if (rest < 3) clearPositive(line);
}

// Keeps the part of the line before a label in its second half, else the part behind it.
void cutAtLabel(char* s, const CWordList& labels) {
    char upper[kLineBytes];
    upperCopy(upper, s, sizeof upper);
    int pos, length;
    if (!firstEntry(labels, upper, &pos, &length)) return;
    if (pos * 2 >= static_cast<int>(strlen(s))) s[pos] = 0;
    else memmove(s, s + pos + length, strlen(s + pos + length) + 1);
}

void repairDigits(char* s) {
    for (int i = 1; s[i]; ++i) {
        if (isLetter(s[i - 1])) continue;
        char c = s[i];
        switch (c) {
        case 'B': s[i] = '8'; break;
        case 'D':
        case 'O':
        case 'o': s[i] = '0'; break;
        case 'I':
        case 'i':
        case 'l': s[i] = '1'; break;
        case 'S':
        case 's': s[i] = '5'; break;
        case 'g':
        case 'q':
        case '\xE7': s[i] = '9'; break;
        case 'C':
        case 'c':
        case 'f':
            if (strchr(s + i, ')')) s[i] = '(';
            break;
        default: break;
        }
    }
}

void keepOnly(char* s, const char* dropped) {
    char* out = s;
    for (char* p = s; *p; ++p)
        if (!inSet(*p, dropped) && !isHighByte(*p) && *p != '\x80') *out++ = *p;
    *out = 0;
}

void dropFinal(char* s, char c) {
    size_t n = strlen(s);
    if (n && s[n - 1] == c) s[n - 1] = 0;
}

// A label that no list holds ("Mob", "Fon", "Ph", "M") is left in front of the number once
// blanks and periods go: two to six letters before the first digit, "+" or "(", or one letter
// before "+" or "(" (a single letter before a digit may be a misread digit), are dropped.
void dropLeadingLabel(char* s) {
    int letters = 0;
    while (isLetter(s[letters])) ++letters;
    bool opens = s[letters] == '+' || s[letters] == '(';
    if (letters < 1 || letters > 6 || (letters == 1 && !opens) || !(isDigit(s[letters]) || opens)) return;
    memmove(s, s + letters, strlen(s + letters) + 1);
}

void cleanNumber(char* s, const CWordList& labels) {
    cutAtLabel(s, labels);
    repairDigits(s);
    keepOnly(s, " :.,/'");
    dropFinal(s, '(');
    dropLeadingLabel(s);
}

// An e-mail label counts only where a word starts: "E.MA" inside "marie.martin@" is the address.
void cutAtEmailLabel(char* s) {
    char upper[kLineBytes];
    upperCopy(upper, s, sizeof upper);
    for (int e = 0; e < lists::emailLabels.count(); ++e) {
        const char* label = lists::emailLabels.entry(e);
        for (int pos = findText(upper, label); pos >= 0; pos = findText(upper, label, pos + 1)) {
            if (pos > 0 && (isAlnum(upper[pos - 1]) || upper[pos - 1] == '.')) continue;
            int length = lists::emailLabels.entryLength(e);
            if (pos * 2 >= static_cast<int>(strlen(s))) s[pos] = 0;
            else memmove(s, s + pos + length, strlen(s + pos + length) + 1);
            return;
        }
    }
}

// A label of one or two letters and a colon before the address ("E: ", "Em:"), which would
// otherwise be glued to its user part once blanks and colons go.
void dropShortEmailLabel(char* s) {
    const char* p = s;
    while (*p == ' ') ++p;
    int letters = 0;
    while (letters < 3 && isLetter(p[letters])) ++letters;
    const char* at = strchr(p, '@');
    if (letters < 1 || letters > 2 || p[letters] != ':' || !at || at < p + letters) return;
    memmove(s, p + letters + 1, strlen(p + letters + 1) + 1);
}

// A line that holds the address behind other words and a separator ("soundharvest.org |
// dlin@soundharvest.org") keeps the address alone, which dropping the blanks would glue to the
// words before it. Without a separator the blanks may be misread ones inside the address
// ("grace. kim@..."), which the clean-up rightly drops.
void keepAddressWord(char* s) {
    char word[kLineBytes], before[kLineBytes] = "";
    for (int p = wordAt(s, 0, word, sizeof word); *word; p = wordAt(s, p, word, sizeof word)) {
        size_t n = strlen(before);
        bool separated = n && strchr("|/\x95\xB7", before[n - 1]);
        if (separated && strchr(word, '@') && isEmailAddress(word)) {
            strcpy(s, word);
            return;
        }
        copyBounded(before, sizeof before, word);
    }
}

void cleanEmail(char* s) {
    cutAtEmailLabel(s);
    dropShortEmailLabel(s);
    keepAddressWord(s);
    for (char* p = s; *p; ++p)
        if (*p == ',') *p = '.';
    keepOnly(s, " :");
    dropFinal(s, '(');
    int pos = findTextNoCase(s, "INTERNET");
    if (pos >= 0 && s[pos + 8] == ':') memmove(s + pos, s + pos + 9, strlen(s + pos + 9) + 1);
}

void cleanWeb(char* s) {
    char upper[kLineBytes];
    upperCopy(upper, s, sizeof upper);
    const char* from = strstr(upper, "HTTP");
    if (!from) from = strstr(upper, "WWW");
    if (from) memmove(s, s + (from - upper), strlen(s + (from - upper)) + 1);
    for (char* p = s; *p; ++p)
        if (*p == ',') *p = '.';
    keepOnly(s, " ");
}

void removeNoise(char* s) {
    char* out = s;
    for (char* p = s; *p; ++p)
        if (!inSet(*p, "^?*;$~=|\"`\x95\xAB\xBB")) *out++ = *p;
    *out = 0;
    char* pair = strstr(s, "()");
    if (pair) memmove(pair, pair + 2, strlen(pair + 2) + 1);
}

void groupDigits(char* s) {
    int n = static_cast<int>(strlen(s));
    for (int i = 0; i < n; ++i)
        if (!isDigit(s[i])) return;
    char out[kLineBytes];
    int k = 0;
    if (regionOn(RegionFrench)) {
        if (n < 8 || n > 10) return;
        for (int i = 0; i < n; ++i) {
            if (i >= 1 && (n + i) % 2 == 0) out[k++] = '-';
            out[k++] = s[i];
        }
    } else {
        if (n != 9 && n != 10) return;
        for (int i = 0; i < n; ++i) {
            if (i == 3 || i == 6) out[k++] = '-';
            out[k++] = s[i];
        }
    }
    out[k] = 0;
    strcpy(s, out);
}

struct Repair {
    const char* wrong;
    const char* right;
    int kinds[2];
    bool domainEnd;
};

const Repair kRepairs[] = {{"lnc", "Inc", {FieldCompany, -1}, false},
                           {"1nc", "Inc", {FieldCompany, -1}, false},
                           {"INO", "INC", {FieldCompany, -1}, false},
                           {"BIdg", "Bldg", {FieldAddress, -1}, false},
                           {".corn", ".com", {FieldEMail, FieldWebSite}, true},
                           {".coni", ".com", {FieldEMail, FieldWebSite}, true},
                           {"Te1", "Tel", {FieldPhone, -1}, false},
                           {"Tei", "Tel", {FieldPhone, -1}, false},
                           {"tei", "tel", {FieldPhone, -1}, false},
                           {"TEU", "TEL:", {FieldPhone, -1}, false},
                           {"Fox", "Fax", {FieldFax, -1}, false},
                           {"F0x", "Fax", {FieldFax, -1}, false}};

// A misreading is only mended where it stands alone: "CASINO" and "www.corning.com" are words.
bool standsAlone(const char* s, int pos, int length, bool domainEnd) {
    char after = s[pos + length];
    if (domainEnd) return !isAlnum(after) && after != '-';
    return (pos == 0 || !isAlnum(s[pos - 1])) && !isAlnum(after);
}

void applyRepairs(int line) {
    char* s = g_fid.lines[line];
    for (const Repair& r : kRepairs) {
        if (!(cell(r.kinds[0], line) > 0 || (r.kinds[1] >= 0 && cell(r.kinds[1], line) > 0))) continue;
        int length = static_cast<int>(strlen(r.wrong));
        for (int pos = findText(s, r.wrong); pos >= 0; pos = findText(s, r.wrong, pos + 1)) {
            if (!standsAlone(s, pos, length, r.domainEnd)) continue;
            replaceAt(s, kLineBytes, pos, length, r.right);
        }
    }
}

// "Mc" and "Mac" at the start of a word begin a surname with a capital inside it (MacLeod,
// McAllister): the capital behind them is no second word.
bool behindScottishPrefix(const char* s, int i) {
    for (const char* prefix : {"Mc", "Mac"}) {
        int n = static_cast<int>(strlen(prefix));
        if (i >= n && strncmp(s + i - n, prefix, static_cast<size_t>(n)) == 0 && (i == n || !isLetter(s[i - n - 1])))
            return true;
    }
    return false;
}

void splitJoinedName(int line) {
    char* s = g_fid.lines[line];
    char out[kLineBytes];
    int k = 0;
    for (int i = 0; s[i] && k < kLineMax; ++i) {
        bool joined = i > 0 && isUpper(s[i]) && (isLower(s[i - 1]) || s[i - 1] == '.' || s[i - 1] == ',');
        if (joined && !behindScottishPrefix(s, i) && k + 1 < kLineMax) out[k++] = ' ';
        out[k++] = s[i];
    }
    out[k] = 0;
    strcpy(s, out);
}

bool onlyCountries(int line) {
    char upper[kLineBytes];
    upperCopy(upper, g_fid.lines[line], sizeof upper);
    for (int e = 0; e < lists::countries.count(); ++e)
        for (char* hit = strstr(upper, lists::countries.entry(e)); hit;
             hit = strstr(hit + 1, lists::countries.entry(e)))
            memset(hit, ' ', static_cast<size_t>(lists::countries.entryLength(e)));
    int n = 0;
    for (const char* p = upper; *p; ++p) n += isAlnum(*p);
    return n <= 2;
}

}  // namespace

void FID_clean_lines() {
    int count = g_fid.lineCount;
    for (int i = 0; i < count; ++i) {
        labelOnly(i, FieldWebSite, lists::webWords);
        labelOnly(i, FieldWebSite, lists::onlineServices);
        labelOnly(i, FieldEMail, lists::emailLabels);
        labelOnly(i, FieldNumber, lists::phoneKinds);
        labelOnly(i, FieldPhone, lists::phoneLabels);
        labelOnly(i, FieldFax, lists::faxLabels);
    }
    for (int i = 0; i < count; ++i) {
        char* s = g_fid.lines[i];
        if (isPhoneLine(i)) cleanNumber(s, lists::phoneLabels);
        if (isFaxLine(i)) cleanNumber(s, lists::faxLabels);
        if (cell(FieldEMail, i) > 0) cleanEmail(s);
        if (cell(FieldWebSite, i) > 0) cleanWeb(s);
    }
    for (int i = 0; i < kMaxLines; ++i) removeNoise(g_fid.lines[i]);
    for (AddressRecord& r : g_fid.address)
        for (char* t : {r.Country, r.State, r.City, r.ZipCode, r.CtryGuess, r.StatGuess}) removeNoise(t);
    for (int i = 0; i < kMaxLines; ++i) {
        char* s = g_fid.lines[i];
        stripLeading(s, " -]/\\");
        stripTrailing(s, " -+(");
    }
    for (int i = 0; i < count; ++i)
        if (isPhoneLine(i) || isFaxLine(i)) groupDigits(g_fid.lines[i]);
    for (int i = 0; i < count; ++i) {
        bool any = false;
        for (const char* p = g_fid.lines[i]; *p; ++p) any = any || isAlnum(*p);
        // A line left without letters or digits is reported as None, like a label-only line.
        if (!any) clearPositive(i);
    }
    for (int i = 0; i < count; ++i) applyRepairs(i);
    for (int i = 0; i < count; ++i) {
        if (cell(FieldName, i) <= 0 && cell(FieldAddress, i) <= 0 && cell(FieldEMail, i) <= 0 &&
            cell(FieldWebSite, i) <= 0)
            continue;
        for (char* p = g_fid.lines[i]; *p; ++p)
            if (*p == '+') *p = 't';
    }
    for (int i = 0; i < count; ++i)
        if (cell(FieldName, i) > 0) {
            splitJoinedName(i);
            break;
        }
    for (int i = 0; i < count; ++i) {
        if (cell(FieldAddress, i) <= 0 || !onlyCountries(i)) continue;
        cell(FieldAddress, i) = 0;
        freeAddressRecords(i);
    }
}
