#include "title_line.h"
#include "card_values.h"
#include "fid_state.h"
#include "text_util.h"

namespace {

bool readsAsTitle(const char* text) {
    int words = 0;
    bool inWord = false;
    for (const char* p = text; *p; ++p) {
        if (isDigit(*p) || *p == '@' || *p == '"') return false;
        bool blank = *p == ' ';
        if (!blank && !inWord) ++words;
        inWord = !blank;
    }
    return countLetters(text) >= 3 && words <= 6;
}

}  // namespace

void FID_title_below_name(CardInfo* info) {
    const CardInfoSlot& name = info->Field[FieldName];
    int n = firstLineOf(name);
    if (n < 0 || info->Field[FieldTitle].Count > 0) return;
    int j = n + 1;
    if (j >= g_fid.lineCount || !readsAsTitle(g_fid.lines[j])) return;
    CardInfoSlot& company = info->Field[FieldCompany];
    int v = valueOnLine(company, j);
    // A second company value right below the name ("Claims Adjuster" beside "Riverbend
    // Insurance") is the person's title.
    if (v >= 0 && company.Count > 1 && !g_fid.companyForm[j]) {
        int confidence = company.Confidence[v];
        dropValues(company, -1, v);
        titleBelowName(info, j, confidence);
        return;
    }
    if (valueOnLine(info->Field[FieldNone], j) >= 0) titleBelowName(info, j, 50);
}
