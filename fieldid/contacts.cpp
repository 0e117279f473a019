#include "contacts.h"
#include <initializer_list>
#include <string.h>
#include "address.h"
#include "line_geometry.h"
#include "fid_state.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

struct KindEntry {
    const char* text;
    int kind;
};

const KindEntry kPhoneKinds[] = {{"(B)", FieldOfficePhone},
                                 {"(H)", FieldHomePhone},
                                 {"(O)", FieldOfficePhone},
                                 {"BBC", FieldBBCall},
                                 {"B.B.C", FieldBBCall},
                                 {"BBS", FieldBBS},
                                 {"BEEPER", FieldBeeper},
                                 {"BUS.", FieldOfficePhone},
                                 {"CELL PHONE", FieldCellular},
                                 {"CELLULAR", FieldCellular},
                                 {"DID", FieldDirect},
                                 {"DIR:", FieldDirect},
                                 {"DIR.", FieldDirect},
                                 {"DIRECT CALL", FieldDirect},
                                 {"DIRECT LINE", FieldDirect},
                                 {"LIGNE DIRECTE", FieldDirect},
                                 {"LIGNE DIRECT", FieldDirect},
                                 {"DIRECTO", FieldDirect},
                                 {"DIRECT", FieldDirect},
                                 {"GSM:", FieldGSMPhone},
                                 {"GSM", FieldGSMPhone},
                                 {"H.P.", FieldHomePhone},
                                 {"HM.", FieldHomePhone},
                                 {"HMN", FieldHomePhone},
                                 {"HOME", FieldHomePhone},
                                 {"HP:", FieldHomePhone},
                                 {"MAIN", FieldMain},
                                 {"MOBILE", FieldMobile},
                                 {"MOB.", FieldMobile},
                                 {"OFF.", FieldOfficePhone},
                                 {"OFFICE", FieldOfficePhone},
                                 {"PORTABLE", FieldMobile},
                                 {"PORT.", FieldMobile},
                                 {"RES.", FieldHomePhone},
                                 {"RESIDENCE", FieldHomePhone},
                                 {"PAGER", FieldPager},
                                 {"TELEX", FieldTelex},
                                 {"TLX", FieldTelex},
                                 {"TOLL FREE", FieldTollFree},
                                 {"TWX", FieldTelex},
                                 {"VM:", FieldMain},
                                 {"WK:", FieldOfficePhone},
                                 {"PH:", FieldPhone},
                                 {"H:", FieldHomePhone},
                                 {"TELEPHONE", FieldPhone},
                                 {"PRIVATE", FieldHomePhone},
                                 {"PRIVAT", FieldHomePhone},
                                 {"HANDYNUMMER", FieldMobile},
                                 {"HANDYNR.", FieldMobile},
                                 {"HANDY", FieldMobile},
                                 {"MOBILTELEFONNUMMER", FieldMobile},
                                 {"MOBILTELEFON", FieldMobile},
                                 {"MOBILTELEFONNR.", FieldMobile},
                                 {"MOBILTELNR.", FieldMobile},
                                 {"MOBIL", FieldMobile},
                                 {"FUNKTELEFON", FieldMobile},
                                 {"FUNK-TEL", FieldMobile},
                                 {"FUNKTEL", FieldMobile},
                                 {"FUNKFON", FieldMobile},
                                 {"FUNK", FieldMobile},
                                 {"DURCHWAHL", FieldDirect},
                                 {"TELEFON", FieldPhone},
                                 {"AUTORUF", FieldMobile},
                                 {"T\xE9L\xE9PHONE", FieldPhone},
                                 {"T\xC9L\xC9PHONE", FieldPhone},
                                 {"T\xE9LEX", FieldTelex},
                                 {"T\xC9LEX", FieldTelex},
                                 {"LD", FieldPhone},
                                 {"SECR\xE9TARIAT", FieldPhone},
                                 {"STD", FieldPhone},
                                 {"MOBIELE", FieldMobile},
                                 {"GSM-NUMMER", FieldMobile},
                                 {"GSM'NR", FieldMobile},
                                 {"GSM'NO", FieldMobile},
                                 {"KANTOOR", FieldOfficePhone},
                                 {"WERK", FieldOfficePhone},
                                 {"THUIS", FieldHomePhone},
                                 {"PRIV\xE9", FieldHomePhone},
                                 {"M\xF3VIL", FieldMobile},
                                 {"M\xF2"
                                  "BIL",
                                  FieldMobile},
                                 {"TEL\xE9"
                                  "FONO",
                                  FieldPhone},
                                 {"TEL\xE9"
                                  "F",
                                  FieldPhone},
                                 {"TELFS", FieldPhone},
                                 {"TELEFS", FieldPhone},
                                 {"TELEF", FieldPhone},
                                 {"TELF", FieldPhone},
                                 {"TELS", FieldPhone},
                                 {"CENTRALITA", FieldPhone},
                                 {"CENTRAL", FieldPhone},
                                 {"M\xF3V.", FieldMobile},
                                 {"PHONE", FieldPhone},
                                 {"O:", FieldOfficePhone}};

const KindEntry kFaxKinds[] = {{"(H)", FieldHomeFax},
                               {"H:", FieldHomeFax},
                               {"HM.", FieldHomeFax},
                               {"HOME", FieldHomeFax},
                               {"RES.", FieldHomeFax},
                               {"RESIDENCE", FieldHomeFax},
                               {"(O)", FieldOfficeFax},
                               {"O:", FieldOfficeFax},
                               {"OFF.", FieldOfficeFax},
                               {"OFFICE", FieldOfficeFax},
                               {"WK:", FieldOfficeFax},
                               {"PRIVATE", FieldHomeFax},
                               {"PRIVAT", FieldHomeFax},
                               {"TELECOPIEUR", FieldFax},
                               {"T\xE9L\xE9"
                                "COPIEUR",
                                FieldFax},
                               {"T\xC9L\xC9"
                                "COPIEUR",
                                FieldFax},
                               {"TELECOPIE", FieldFax},
                               {"T\xE9L\xE9"
                                "COPIE",
                                FieldFax},
                               {"T\xC9L\xC9"
                                "COPIE",
                                FieldFax},
                               {"KANTOOR", FieldOfficeFax},
                               {"WERK", FieldOfficeFax},
                               {"THUIS", FieldHomeFax},
                               {"PRIV\xE9", FieldHomeFax}};

const KindEntry kServices[] = {{"AOL:", FieldAOL},
                               {"AOL :", FieldAOL},
                               {"ALINK:", FieldAppleLink},
                               {"ALINK :", FieldAppleLink},
                               {"APPLELINK:", FieldAppleLink},
                               {"APPLELINK :", FieldAppleLink},
                               {"APPLE LINK", FieldAppleLink},
                               {"APPLELINK", FieldAppleLink},
                               {"COMPUSERVE:", FieldCompuserve},
                               {"COMPUSERVE :", FieldCompuserve},
                               {"COMPUSERVE ", FieldCompuserve},
                               {"CSERVE:", FieldCompuserve},
                               {"CSERVE :", FieldCompuserve},
                               {"CSERVE", FieldCompuserve},
                               {"MCI:", FieldMCI},
                               {"MCI :", FieldMCI}};

const int kPhoneKindsGroup[] = {FieldPhone,    FieldTelex,    FieldBBCall,    FieldPager,       FieldDirect,
                                FieldMain,     FieldCellular, FieldHomePhone, FieldOfficePhone, FieldBeeper,
                                FieldTollFree, FieldMobile,   FieldGSMPhone};
const int kFaxKindsGroup[] = {FieldFax, FieldHomeFax, FieldOfficeFax};
const int kNetKindsGroup[] = {FieldEMail, FieldWebSite, FieldAppleLink, FieldCompuserve, FieldAOL, FieldMCI};

template <size_t N>
bool anyPositive(const int (&kinds)[N], int line) {
    for (int k : kinds)
        if (cell(k, line) > 0) return true;
    return false;
}

void upperOf(int line, char* out) { upperCopy(out, g_fid.lines[line], kLineBytes); }

void blankOut(char* s, int pos, int length) {
    for (int i = 0; i < length && s[pos + i]; ++i) s[pos + i] = ' ';
}

bool newLineAtEnd(const char* text, int fromLine) {
    if (g_fid.lineCount >= 31) return false;
    int n = g_fid.lineCount++;
    copyBounded(g_fid.lines[n], kLineBytes, text);
    for (int k : {FieldNumber, FieldPhone, FieldFax}) cell(k, n) = cell(k, fromLine);
    return true;
}

bool containsFaxLabel(const char* text) {
    char upper[kLineBytes];
    upperCopy(upper, text, sizeof upper);
    for (int e = 0; e < lists::faxLabels.count(); ++e)
        if (strstr(upper, lists::faxLabels.entry(e))) return true;
    return false;
}

void splitOff(int line, const char* piece) {
    char text[kLineBytes];
    copyBounded(text, sizeof text, piece);
    int pos = findText(g_fid.lines[line], text);
    if (!newLineAtEnd(text, line)) return;
    if (pos >= 0) g_fid.lines[line][pos] = 0;
    if (containsFaxLabel(text)) {
        cell(FieldFax, g_fid.lineCount - 1) = 5;
        cell(FieldPhone, g_fid.lineCount - 1) = 0;
    }
}

void twoNumbers(int line) {
    const char* s = g_fid.lines[line];
    if (countDigits(s) < 13) return;
    char work[kLineBytes];
    int n = 0;
    for (int i = 0; s[i]; ++i) {
        if (s[i] == ' ' && (!s[i + 1] || inSet(s[i + 1], " EeXx"))) continue;
        work[n++] = s[i];
    }
    work[n] = 0;
    int digits = 0;
    for (int i = 0; work[i]; ++i) {
        if (digits > 6 && (inSet(work[i], ",/+Ff") || work[i] == '\x95' || work[i] == '\xAB') &&
            countDigits(work + i) > 6) {
            splitOff(line, work + i);
            return;
        }
        digits += isDigit(work[i]);
    }
    const char* blank = strchr(work, ' ');
    if (!blank || strchr(blank + 1, ' ') || !blank[1]) return;
    char first[kLineBytes];
    copyBoundedN(first, sizeof first, work, static_cast<size_t>(blank - work));
    if (countDigits(first) >= 7 && countDigits(blank + 1) >= 7) splitOff(line, blank + 1);
}

int highestPhoneScore(int line) {
    int m = cell(FieldNumber, line);
    for (int k : kPhoneKindsGroup)
        if (cell(k, line) > m) m = cell(k, line);
    return m;
}

void phoneKinds(int line) {
    char upper[kLineBytes];
    upperOf(line, upper);
    for (const KindEntry& e : kPhoneKinds) {
        const char* hit = strstr(upper, e.text);
        if (!hit) continue;
        int length = static_cast<int>(strlen(e.text));
        blankOut(g_fid.lines[line], static_cast<int>(hit - upper), length);
        blankOut(upper, static_cast<int>(hit - upper), length);
        cell(e.kind, line) = highestPhoneScore(line);
        if (e.kind != FieldPhone) cell(FieldPhone, line) = cell(FieldNumber, line) = 0;
    }
}

void faxKinds(int line) {
    char upper[kLineBytes];
    upperOf(line, upper);
    for (const KindEntry& e : kFaxKinds) {
        const char* hit = strstr(upper, e.text);
        if (!hit) continue;
        blankOut(g_fid.lines[line], static_cast<int>(hit - upper), static_cast<int>(strlen(e.text)));
        cell(e.kind, line) = cell(FieldFax, line);
        if (e.kind != FieldFax) cell(FieldFax, line) = 0;
        return;
    }
}

void appendExtensions() {
    for (int e = 0; e < g_fid.lineCount; ++e) {
        char upper[kLineBytes];
        upperOf(e, upper);
        if (cell(FieldPhone, e) <= 0 || !strstr(upper, "EXT") || countDigits(upper) >= 6) continue;
        int best = -1;
        for (int k = 0; k < g_fid.lineCount; ++k)
            if (k != e && cell(FieldPhone, k) > 0 && (best < 0 || lineDistance(e, k) < lineDistance(e, best))) best = k;
        if (best < 0 || strlen(g_fid.lines[best]) + 1 + strlen(g_fid.lines[e]) >= kLineBytes) continue;
        strcat(g_fid.lines[best], " ");
        strcat(g_fid.lines[best], g_fid.lines[e]);
        LineBox& b = g_fid.boxes[best];
        if (g_fid.boxes[e].right > b.right) b.right = g_fid.boxes[e].right;
        if (g_fid.boxes[e].bottom > b.bottom) b.bottom = g_fid.boxes[e].bottom;
        cell(FieldPhone, best) += cell(FieldPhone, e);
        cell(FieldPhone, e) = 0;
    }
}

}  // namespace

bool isPhoneLine(int line) { return anyPositive(kPhoneKindsGroup, line); }
bool isFaxLine(int line) { return anyPositive(kFaxKindsGroup, line); }
bool isNetLine(int line) { return anyPositive(kNetKindsGroup, line); }

void FID_find_numbers() {
    int count = g_fid.lineCount;
    for (int i = 0; i < count; ++i)
        if (cell(FieldNumber, i) >= 1 || cell(FieldPhone, i) >= 1 || cell(FieldFax, i) >= 1) twoNumbers(i);
    for (int i = 0; i < g_fid.lineCount; ++i) {
        if (cell(FieldNumber, i) > 0 || cell(FieldPhone, i) > 0) phoneKinds(i);
        if (cell(FieldFax, i) > 0) faxKinds(i);
    }
    for (int i = 0; i < g_fid.lineCount; ++i) {
        if (cell(FieldNumber, i) <= 0) continue;
        char* s = g_fid.lines[i];
        char upper[kLineBytes];
        upperOf(i, upper);
        if (strstr(upper, "TEL")) {
            cell(FieldNumber, i) = 0;
            cell(FieldPhone, i) += 10;
        } else if ((s[0] == 'T' || s[0] == 't') && (s[1] == ' ' || s[1] == '.' || isDigit(s[1]))) {
            memmove(s, s + 1, strlen(s));
            cell(FieldNumber, i) = 0;
            cell(FieldPhone, i) += 10;
            cell(FieldFax, i) = 0;
        } else if (countLetters(s) <= 2 && strchr(s, 'F')) {
            if (s[0] == 'F') memmove(s, s + 1, strlen(s));
            cell(FieldNumber, i) = cell(FieldPhone, i) = 0;
            cell(FieldFax, i) += 10;
        }
    }
    for (int i = 0; i < kMaxLines; ++i) {
        cell(FieldPhone, i) += cell(FieldNumber, i) > 0 ? cell(FieldNumber, i) : 0;
        if (cell(FieldNumber, i) > 0) cell(FieldNumber, i) = 0;
    }
    appendExtensions();
}

namespace {

void blankListEntries(char* upper, const CWordList& list) {
    for (int e = 0; e < list.count(); ++e)
        for (char* hit = strstr(upper, list.entry(e)); hit; hit = strstr(hit + 1, list.entry(e)))
            blankOut(upper, static_cast<int>(hit - upper), list.entryLength(e));
}

void repairAtSign(int i) {
    char* s = g_fid.lines[i];
    char* mark = strchr(s, '\xA9');
    if (!mark) mark = strchr(s, '\xAE');
    if (mark) {
        *mark = '@';
        if (cell(FieldWebSite, i) > cell(FieldEMail, i)) cell(FieldEMail, i) = cell(FieldWebSite, i);
        cell(FieldWebSite, i) = 0;
        return;
    }
    char copy[kLineBytes];
    copyBounded(copy, sizeof copy, s);
    char upper[kLineBytes];
    upperCopy(upper, copy, sizeof upper);
    for (const CWordList* l : {&lists::emailLabels, &lists::webWords, &lists::onlineServices})
        blankListEntries(upper, *l);
    for (int k = 0; upper[k]; ++k)
        if (upper[k] == ' ') copy[k] = ' ';
    const char* at = strchr(copy, '@');
    int end = at ? static_cast<int>(at - copy) : static_cast<int>(strlen(copy));
    int candidates = 0, where = -1, capitals = 0;
    for (int k = 0; k < end; ++k) {
        if (inSet(copy[k], "QO089G")) {
            ++candidates;
            where = k;
        } else if (isUpper(copy[k])) {
            ++capitals;
        }
    }
    if (at || candidates != 1 || capitals) return;
    s[where] = '@';
    if (cell(FieldEMail, i) <= 0) {
        cell(FieldEMail, i) = cell(FieldWebSite, i);
        cell(FieldWebSite, i) = 0;
    }
}

bool brokenEmailTail() {
    for (int i = 0; i < g_fid.lineCount; ++i) {
        const char* s = g_fid.lines[i];
        size_t n = strlen(s);
        if (cell(FieldEMail, i) < 1 || n == 0 || s[n - 1] != '@' || strchr(s, '@') != s + n - 1) continue;
        int j = -1;
        for (int k = i + 1; k < g_fid.lineCount && j < 0; ++k)
            if (cell(FieldWebSite, k) >= 1 && areAdjacent(i, k)) j = k;
        if (j < 0) continue;
        if (n + strlen(g_fid.lines[j]) > static_cast<size_t>(kLineMax)) return false;
        char joined[kLineBytes * 2];
        strcpy(joined, s);
        strcat(joined, g_fid.lines[j]);
        strcpy(g_fid.lines[j], joined);
        uniteBoxes(j, i);
        int e = cell(FieldEMail, i);
        cell(FieldEMail, j) += e < 3 ? 2 : e;
        cell(FieldEMail, i) = 0;
        cell(FieldWebSite, j) = 0;
    }
    return true;
}

void brokenEmailHead() {
    for (int i = 1; i < g_fid.lineCount; ++i) {
        if (cell(FieldEMail, i) < 1 || g_fid.lines[i][0] != '@') continue;
        int j = -1;
        for (int k = i - 1; k >= 0 && j < 0; --k)
            if ((cell(FieldEMail, k) >= 1 || cell(FieldNone, k) >= 1) && areAdjacent(i, k) &&
                !strchr(g_fid.lines[k], '@'))
                j = k;
        if (j < 0 || strlen(g_fid.lines[j]) + strlen(g_fid.lines[i]) > static_cast<size_t>(kLineMax)) continue;
        char joined[kLineBytes * 2];
        strcpy(joined, g_fid.lines[j]);
        strcat(joined, g_fid.lines[i]);
        strcpy(g_fid.lines[i], joined);
        uniteBoxes(i, j);
        if (cell(FieldEMail, j) > cell(FieldEMail, i)) cell(FieldEMail, i) = cell(FieldEMail, j);
        cell(FieldEMail, j) = cell(FieldNone, j) = 0;
    }
}

void services(int i) {
    char upper[kLineBytes];
    upperOf(i, upper);
    for (const KindEntry& e : kServices) {
        const char* hit = strstr(upper, e.text);
        if (!hit) continue;
        char* s = g_fid.lines[i];
        int pos = static_cast<int>(hit - upper);
        int length = static_cast<int>(strlen(e.text));
        memmove(s + pos, s + pos + length, strlen(s + pos + length) + 1);
        int best = cell(FieldWebSite, i) > cell(FieldEMail, i) ? cell(FieldWebSite, i) : cell(FieldEMail, i);
        cell(e.kind, i) = best + 5;
        cell(FieldWebSite, i) = cell(FieldEMail, i) = 0;
        return;
    }
}

}  // namespace

void FID_find_net_addresses() {
    for (int i = 0; i < g_fid.lineCount; ++i)
        if (cell(FieldWebSite, i) > 0 || cell(FieldEMail, i) > 0) repairAtSign(i);
    if (brokenEmailTail()) brokenEmailHead();
    for (int i = 0; i < g_fid.lineCount; ++i)
        if (cell(FieldWebSite, i) > 0 || cell(FieldEMail, i) > 0) services(i);
}
