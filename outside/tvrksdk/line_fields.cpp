// Which field each recognised line belongs to, from the rectangles of the identified values.
#include "line_fields.h"

namespace {

constexpr int kNoteKind = 20;

long long Area(long long left, long long top, long long right, long long bottom) {
    return right < left || bottom < top ? 0 : (right - left + 1) * (bottom - top + 1);
}

// Intersection over union of a line's box and a value's rectangle, in thousandths.
long long Cover(const RecogBox& line, const CardInfoRect& value) {
    long long common = Area(
        line.left > value.left ? line.left : value.left, line.top > value.top ? line.top : value.top,
        line.right < value.right ? line.right : value.right, line.bottom < value.bottom ? line.bottom : value.bottom);
    if (common == 0) return 0;
    long long both = Area(line.left, line.top, line.right, line.bottom) +
                     Area(value.left, value.top, value.right, value.bottom) - common;
    return both > 0 ? common * 1000 / both : 0;
}

}  // namespace

void AssignFieldKinds(RecogPage& page, const CardInfo& fields) {
    for (RecogRegion* region = page.FirstRegion; region; region = region->Next)
        for (RecogBlock* block = region->FirstBlock; block; block = block->Next)
            for (RecogLine* line = block->FirstLine; line; line = line->Next) {
                long long best = 0;
                int kind = -1;
                for (int k = 0; k < FieldKindCount; ++k) {
                    const CardInfoSlot& slot = fields.Field[k];
                    for (int i = 0; i < slot.Count && i < 4; ++i) {
                        if (!slot.Text[i]) continue;
                        long long cover = Cover(line->Rect2, slot.Rect[i]);
                        if (cover > best) {
                            best = cover;
                            kind = k;
                        }
                    }
                }
                line->Group = kind < 0 ? 1 : 0;
                line->FieldKind = kind < 0 ? kNoteKind : kind;
            }
}
