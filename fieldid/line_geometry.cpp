#include "line_geometry.h"
#include "fid_state.h"

int lineDistance(int a, int b) {
    if (a == b) return 0;
    if (a < 0 || b < 0 || a >= kMaxLines || b >= kMaxLines) return 30000;
    const LineBox& x = g_fid.boxes[a];
    const LineBox& y = g_fid.boxes[b];
    int gap = x.top < y.top ? y.top - x.bottom : x.top - y.bottom;
    // String input has no boxes: the left edges then tell an indented line apart.
    if (x.right == 0 || y.right == 0) gap += x.left > y.left ? x.left - y.left : y.left - x.left;
    return gap < 0 ? 0 : gap;
}

void uniteBoxes(int into, int from) {
    LineBox& a = g_fid.boxes[into];
    const LineBox& b = g_fid.boxes[from];
    if (b.left < a.left) a.left = b.left;
    if (b.top < a.top) a.top = b.top;
    if (b.right > a.right) a.right = b.right;
    if (b.bottom > a.bottom) a.bottom = b.bottom;
}
