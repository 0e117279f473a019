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
    if (name.Count < 1 || info->Field[FieldTitle].Count > 0) return;
    int j = name.Line[0] + 1;
    const CardInfoSlot& none = info->Field[FieldNone];
    for (int v = 0; v < none.Count && v < 4; ++v)
        if (none.Text[v] && none.Line[v] == j && j < g_fid.lineCount && readsAsTitle(g_fid.lines[j])) {
            titleBelowName(info, j, 50);
            return;
        }
}
