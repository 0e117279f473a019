#include "card_info.h"
#include <initializer_list>
#include <string.h>
#include "fid_state.h"
#include "text_util.h"

namespace {

int fullScore(int kind) {
    switch (kind) {
    case FieldName:
    case FieldPrefix:
    case FieldFirstName:
    case FieldMidName:
    case FieldLastName:
    case FieldSuffix:
    case FieldSexGuess: return 28;
    case FieldCompany: return 34;
    case FieldDepartment:
    case FieldCity:
    case FieldFax:
    case FieldNone: return 23;
    case FieldTitle: return 24;
    case FieldAddress:
    case FieldNumber: return 55;
    case FieldWebSite: return 36;
    case FieldEMail: return 31;
    case FieldCountry: return 30;
    case FieldState: return 27;
    case FieldZipCode:
    case FieldPOBox:
    case FieldCtryGuess:
    case FieldStatGuess: return 25;
    case FieldPhone: return 33;
    default: return 100;
    }
}

int clampCount(CardInfoSlot& slot) {
    if (slot.Count < 0) slot.Count = 0;
    if (slot.Count > 4) slot.Count = 4;
    return slot.Count;
}

void setValue(CardInfoSlot& slot, int index, char* text, const LineBox* box, int confidence, int line) {
    slot.Text[index] = text;
    if (box) slot.Rect[index] = CardInfoRect{box->left, box->top, box->right, box->bottom};
    slot.Confidence[index] = static_cast<int16_t>(confidence);
    if (line >= 0) slot.Line[index] = static_cast<int16_t>(line);
}

void fillLineValues(CardInfo* info) {
    for (int k = 0; k < kKinds; ++k) {
        if (isAddressPiece(k)) continue;
        CardInfoSlot& slot = info->Field[k];
        for (int j = 0; j < g_fid.lineCount; ++j) {
            int c = cell(k, j);
            if (c <= 0 || clampCount(slot) >= 4) continue;
            char* text = g_fid.lines[j];
            if (k == FieldSexGuess) {
                strcpy(g_fid.sex, c == 81 ? "MALE" : "FEMALE");
                text = g_fid.sex;
            }
            setValue(slot, slot.Count, text, &g_fid.boxes[j], c, j);
            ++slot.Count;
        }
    }
}

void placeAddressPart(CardInfoSlot& slot, int n, int b, char* text, const LineBox* box, int confidence) {
    if (b > 3 || n + 1 > 4) return;
    slot.Count = static_cast<int16_t>(n + 1 > slot.Count ? n + 1 : slot.Count);
    setValue(slot, b, text, box, confidence, -1);
}

void fillAddressValues(CardInfo* info) {
    int placed = 0;
    CardInfoSlot& address = info->Field[FieldAddress];
    for (AddressRecord& r : g_fid.address) {
        int a = r.line;
        if (a < 0 || a >= kMaxLines) continue;
        int b = placed;
        for (int i = 0; i < clampCount(address); ++i)
            if (address.Line[i] == a) {
                b = i;
                break;
            }
        const LineBox* box = &g_fid.boxes[a];
        bool any = false;
        struct {
            int kind;
            char* text;
            bool needsConfidence;
            const LineBox* box;
        } parts[] = {{FieldCountry, r.Country, true, box},
                     {FieldState, r.State, true, box},
                     {FieldCity, r.City, true, box},
                     {FieldZipCode, r.ZipCode, false, box},
                     {FieldCtryGuess, r.CtryGuess, true, nullptr},
                     {FieldStatGuess, r.StatGuess, true, nullptr}};
        for (auto& p : parts) {
            if (!*p.text || (p.needsConfidence && cell(p.kind, a) <= 0)) continue;
            placeAddressPart(info->Field[p.kind], placed, b, p.text, p.box, cell(p.kind, a));
            any = true;
        }
        if (any) ++placed;
    }
}

void fillStreets(CardInfo* info) {
    CardInfoSlot& address = info->Field[FieldAddress];
    CardInfoSlot& street = info->Field[FieldStreet];
    int count = clampCount(address);
    street.Count = static_cast<int16_t>(count > street.Count ? count : street.Count);
    for (int i = 0; i < count && i < kAddressRecords; ++i) {
        if (!address.Text[i]) continue;
        auto part = [&](int kind) -> const char* {
            const CardInfoSlot& s = info->Field[kind];
            return i < s.Count && s.Text[i] ? s.Text[i] : "";
        };
        char text[128];
        streetBefore(address.Text[i], part(FieldCountry), part(FieldZipCode), part(FieldState), part(FieldCity), text,
                     sizeof text);
        if (!*text) continue;
        strcpy(g_fid.address[i].Street, text);
        street.Text[i] = g_fid.address[i].Street;
        street.Rect[i] = address.Rect[i];
        street.Confidence[i] = address.Confidence[i];
        street.Line[i] = address.Line[i];
    }
}

void fillNameParts(CardInfo* info) {
    CardInfoSlot& name = info->Field[FieldName];
    int firstLine = g_fid.names.lines[0];
    int confidence = firstLine >= 0 && firstLine < kMaxLines ? cell(FieldName, firstLine) : 0;
    NameParts& n = g_fid.names;
    struct {
        int kind;
        char* text;
    } parts[] = {{FieldPrefix, n.prefix},
                 {FieldFirstName, n.first},
                 {FieldMidName, n.middle},
                 {FieldLastName, n.last},
                 {FieldSuffix, n.suffix}};
    for (auto& p : parts) {
        if (!*p.text) continue;
        CardInfoSlot& slot = info->Field[p.kind];
        slot.Count = 1;
        slot.Text[0] = p.text;
        slot.Confidence[0] = static_cast<int16_t>(confidence);
        slot.Rect[0] = name.Rect[0];
    }
}

void fillDegrees(CardInfo* info) {
    CardInfoSlot& title = info->Field[FieldTitle];
    for (DegreeRecord& d : g_fid.degrees) {
        if (!d.text[0] || clampCount(title) >= 4) continue;
        setValue(title, title.Count, d.text, &d.rect, 3, -1);
        ++title.Count;
    }
}

}  // namespace

void FID_scores_to_confidence() {
    for (int k = 0; k < kKinds; ++k)
        for (int j = 0; j < g_fid.lineCount; ++j) {
            int32_t& s = cell(k, j);
            int d = fullScore(k);
            if (s <= 0) s = 0;
            else if (s >= d) s = 100;
            else if (k == FieldSexGuess) s = s == 5 ? 81 : s == 6 ? 80 : s;
            else s = s * 100 / d;
        }
}

void FID_fill_card_info(CardInfo* info) {
    fillLineValues(info);
    fillAddressValues(info);
    fillStreets(info);
    fillNameParts(info);
    fillDegrees(info);
}

namespace {

// Position behind the first occurrence of piece in text from `from`, where blanks of the text
// may stand between its characters; -1 when absent. Zip codes are kept without their blanks
// ("1016BG") but printed with them ("1016 BG").
int endSkippingBlanks(const char* text, const char* piece, int from) {
    for (int start = from; text[start]; ++start) {
        int t = start, k = 0;
        while (piece[k] && text[t]) {
            if (text[t] == piece[k]) {
                ++t;
                ++k;
            } else if (text[t] == ' ' && k > 0) {
                ++t;
            } else {
                break;
            }
        }
        if (!piece[k]) return t;
    }
    return -1;
}

}  // namespace

void streetBefore(const char* address, const char* country, const char* zip, const char* state, const char* city,
                  char* street, size_t cap) {
    char text[512], piece[512];
    copyBounded(text, sizeof text, address);
    reverseText(text);
    int position = 0;
    for (const char* part : {country, zip, state, city}) {
        if (!*part) continue;
        copyBounded(piece, sizeof piece, part);
        reverseText(piece);
        if (part == zip) {
            int end = endSkippingBlanks(text, piece, position);
            if (end >= 0) position = end;
            continue;
        }
        int hit = findText(text, piece, position);
        if (hit >= 0) position = hit + static_cast<int>(strlen(piece));
    }
    char rest[512];
    copyBounded(rest, sizeof rest, text + position);
    reverseText(rest);
    removeChar(rest, '\n');
    for (char* p = rest; *p; ++p)
        if (*p == '\r') *p = ' ';
    stripTrailing(rest, " ,-(");
    copyBounded(street, cap, rest);
}

namespace {

bool isGenericLabel(const char* label) {
    static const char* const kGeneric[] = {"EDU", "COM", "NET", "ORG", "GOV", "MIL",  "INT",
                                           "AC",  "CO",  "GO",  "RE",  "BIZ", "INFO", "NAME"};
    char upper[64];
    upperCopy(upper, label, sizeof upper);
    for (const char* g : kGeneric)
        if (strcmp(upper, g) == 0) return true;
    return false;
}

// The company word of a host name, empty when none.
void hostWord(const char* host, char* word, size_t cap) {
    word[0] = 0;
    char text[130];
    copyBounded(text, sizeof text, host);
    char* slash = strchr(text, '/');
    if (slash) *slash = 0;
    char* labels[64];
    int n = 0;
    for (char* p = text; n < 64;) {
        labels[n++] = p;
        char* dot = strchr(p, '.');
        if (!dot) break;
        *dot = 0;
        p = dot + 1;
    }
    const char *a = nullptr, *b = nullptr, *c = nullptr;
    if (n == 1) a = labels[0];
    else if (n == 2) {
        a = labels[0];
        b = labels[1];
    } else {
        a = labels[n - 3];
        b = labels[n - 2];
        c = labels[n - 1];
    }
    const char* chosen = (!b || isGenericLabel(b)) ? a : (c ? b : a);
    copyBounded(word, cap, chosen);
}

void appendCompany(CardInfo* info, const char* word) {
    CardInfoSlot& company = info->Field[FieldCompany];
    int c = clampCount(company);
    if (c >= 4 || !*word) return;
    copyBounded(g_fid.companyBuffers[c], sizeof g_fid.companyBuffers[c], word);
    company.Text[c] = g_fid.companyBuffers[c];
    company.Rect[c] = CardInfoRect{0, 0, 0, 0};
    company.Confidence[c] = 50;
    company.Count = static_cast<int16_t>(c + 1);
}

}  // namespace

void webHostWord(const char* url, char* word, size_t cap) {
    word[0] = 0;
    if (strlen(url) > 128) return;
    const char* p = url;
    if (strncmp(p, "http", 4) == 0 ||
        ((p[0] | 32) == 'h' && (p[1] | 32) == 't' && (p[2] | 32) == 't' && (p[3] | 32) == 'p')) {
        p += 4;
        if (*p == 's' || *p == 'S') ++p;
        while (inSet(*p, ",./:;")) ++p;
        if (!*p) return;
    }
    hostWord(p, word, cap);
}

void emailDomainWord(const char* address, char* word, size_t cap) {
    word[0] = 0;
    if (strlen(address) > 128) return;
    const char* at = strchr(address, '@');
    if (!at) return;
    hostWord(at + 1, word, cap);
}

int recheckCompany(CardInfo* info) {
    if (!info) return 0;
    for (CardInfoSlot& slot : info->Field) clampCount(slot);
    if (info->Field[FieldCompany].Count > 0) return 1;
    char word[130];
    CardInfoSlot& web = info->Field[FieldWebSite];
    for (int i = 0; i < web.Count && info->Field[FieldCompany].Count < 4; ++i) {
        if (!web.Text[i]) continue;
        webHostWord(web.Text[i], word, sizeof word);
        appendCompany(info, word);
    }
    CardInfoSlot& mail = info->Field[FieldEMail];
    for (int i = 0; i < mail.Count && info->Field[FieldCompany].Count < 4; ++i) {
        if (!mail.Text[i]) continue;
        emailDomainWord(mail.Text[i], word, sizeof word);
        appendCompany(info, word);
    }
    return 1;
}
