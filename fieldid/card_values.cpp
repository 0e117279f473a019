#include "card_values.h"
#include "fid_state.h"

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
    if (name.Count < 1 || name.Line[0] != j - 1 || title.Count > 0 || !g_fid.lines[j][0]) return;
    const LineBox& box = g_fid.boxes[j];
    title.Text[0] = g_fid.lines[j];
    title.Rect[0] = CardInfoRect{box.left, box.top, box.right, box.bottom};
    title.Confidence[0] = static_cast<int16_t>(confidence);
    title.Line[0] = static_cast<int16_t>(j);
    title.Count = 1;
    dropValues(info->Field[FieldNone], j);
}
