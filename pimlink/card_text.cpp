#include "card_text.h"
#include <windows.h>
#include <string.h>

namespace ferrow {

size_t CutLength(const char* text, size_t limit) {
    if (!text) return 0;
    size_t pos = 0;
    while (pos < limit && text[pos]) {
        // No code page leads a double-byte character with an ASCII byte: most texts never ask.
        BYTE c = static_cast<BYTE>(text[pos]);
        bool lead = c >= 0x80 && IsDBCSLeadByte(c) && text[pos + 1];
        size_t step = lead ? 2 : 1;
        if (pos + step > limit) break;
        pos += step;
    }
    return pos;
}

void CopyCut(char* target, const char* source, size_t limit) {
    size_t n = CutLength(source, limit);
    if (n) memmove(target, source, n);
    target[n] = '\0';
}

void CopyIntoRoom(char* slot, const char* source, size_t room) {
    size_t n = CutLength(source, room);
    if (n) memmove(slot, source, n);
    if (n < room) slot[n] = '\0';
}

void CopyField(char* target, size_t limit, const char* source, size_t sourceWidth) {
    char bounded[1024];
    size_t width = sourceWidth < sizeof(bounded) - 1 ? sourceWidth : sizeof(bounded) - 1;
    memcpy(bounded, source, width);
    bounded[width] = '\0';
    CopyCut(target, bounded, limit);
}

void TerminateAt(char* text, size_t keep) { text[CutLength(text, keep)] = '\0'; }

int TrimBlanks(char* text) {
    if (!text || !*text) return 0;
    const char* first = text;
    while (*first == ' ') ++first;
    size_t len = strlen(first);
    while (len && first[len - 1] == ' ') --len;
    memmove(text, first, len);
    text[len] = '\0';
    return 1;
}

void JoinLines(char* text) {
    char* out = text;
    for (const char* in = text; *in; ++in) {
        if (in[0] == '\r' && in[1] == '\n') {
            *out++ = ' ';
            ++in;
        } else {
            *out++ = *in;
        }
    }
    *out = '\0';
}

}  // namespace ferrow
