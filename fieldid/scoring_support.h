// What the scoring passes share: adding fixed points to a line's cells and walking the
// lines of the store with their upper-case form.
#pragma once
#include <initializer_list>
#include "fid_state.h"
#include "text_util.h"

struct Delta {
    int kind;
    int points;
};

inline void addPoints(int line, std::initializer_list<Delta> deltas) {
    for (const Delta& d : deltas) cell(d.kind, line) += d.points;
}

// Calls visit(line, original, upper) for every line of the store, in order.
template <typename Visit>
void forEachLine(Visit visit) {
    char upper[kLineBytes];
    for (int line = 0; line < g_fid.lineCount; ++line) {
        const char* original = g_fid.lines[line];
        upperCopy(upper, original, sizeof upper);
        visit(line, original, static_cast<const char*>(upper));
    }
}
