#include "card_values.h"
#include "fid_state.h"

int lineOfValue(const CardInfoSlot& slot, int v) {
    if (v < 0 || v >= slot.Count || v >= 4 || !slot.Text[v]) return -1;
    int line = slot.Line[v];
    return line >= 0 && line < g_fid.lineCount ? line : -1;
}

int firstLineOf(const CardInfoSlot& slot) {
    for (int v = 0; v < slot.Count && v < 4; ++v)
        if (lineOfValue(slot, v) >= 0) return lineOfValue(slot, v);
    return -1;
}

int valueOnLine(const CardInfoSlot& slot, int line) {
    for (int v = 0; v < slot.Count && v < 4; ++v)
        if (slot.Text[v] && slot.Line[v] == line) return v;
    return -1;
}

void dropValues(CardInfoSlot& slot, int line, int index) {
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

void titleBelowName(CardInfo* info, int j, int confidence) {
    const CardInfoSlot& name = info->Field[FieldName];
    CardInfoSlot& title = info->Field[FieldTitle];
    if (j < 1 || j >= g_fid.lineCount || g_fid.companyForm[j] || firstLineOf(name) != j - 1 || title.Count > 0 ||
        !g_fid.lines[j][0])
        return;
    const LineBox& box = g_fid.boxes[j];
    title.Text[0] = g_fid.lines[j];
    title.Rect[0] = CardInfoRect{box.left, box.top, box.right, box.bottom};
    title.Confidence[0] = static_cast<int16_t>(confidence);
    title.Line[0] = static_cast<int16_t>(j);
    title.Count = 1;
    dropValues(info->Field[FieldNone], j);
}

void keepOneName(CardInfo* info, int given) {
    CardInfoSlot& name = info->Field[FieldName];
    int best = -1;
    for (int v = given; v < name.Count && v < 4; ++v)
        if (lineOfValue(name, v) >= 0 && (best < 0 || name.Confidence[v] > name.Confidence[best])) best = v;
    if (best < 0) return;
    CardInfoSlot& none = info->Field[FieldNone];
    for (int v = name.Count < 4 ? name.Count - 1 : 3; v >= given; --v) {
        int line = lineOfValue(name, v);
        if (v == best || line < 0) continue;
        if (none.Count < 4 && valueOnLine(none, line) < 0) {
            int n = none.Count++;
            none.Text[n] = name.Text[v];
            none.Rect[n] = name.Rect[v];
            none.Confidence[n] = name.Confidence[v];
            none.Line[n] = name.Line[v];
        }
        dropValues(name, -1, v);
        dropValues(info->Field[FieldSexGuess], line);
    }
}
