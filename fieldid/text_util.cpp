#include "text_util.h"
#include <string.h>

void upperCopy(char* dst, const char* src, size_t cap) {
    size_t i = 0;
    for (; src[i] && i + 1 < cap; ++i) dst[i] = toUpper(src[i]);
    dst[i] = 0;
}

void upperInPlace(char* s) {
    for (; *s; ++s) *s = toUpper(*s);
}

void copyBoundedN(char* dst, size_t cap, const char* src, size_t srcLength) {
    if (cap == 0) return;
    size_t n = 0;
    while (n < srcLength && src[n]) {
        size_t step = (isHighByte(src[n]) && n + 1 < srcLength && src[n + 1]) ? 2 : 1;
        if (n + step > cap - 1) break;
        n += step;
    }
    memmove(dst, src, n);
    dst[n] = 0;
}

void copyBounded(char* dst, size_t cap, const char* src) { copyBoundedN(dst, cap, src, strlen(src)); }

bool appendWhole(char* dst, size_t cap, const char* src) {
    size_t a = strlen(dst), b = strlen(src);
    if (a + b + 1 > cap) return false;
    memcpy(dst + a, src, b + 1);
    return true;
}

int countDigits(const char* s) {
    int n = 0;
    for (; *s; ++s) n += isDigit(*s);
    return n;
}

int countLetters(const char* s) {
    int n = 0;
    for (; *s; ++s) n += isLetter(*s);
    return n;
}

bool containsLetter(const char* s) { return countLetters(s) > 0; }

void removeChar(char* s, char c) {
    char* out = s;
    for (; *s; ++s)
        if (*s != c) *out++ = *s;
    *out = 0;
}

bool inSet(char c, const char* set) { return c != 0 && strchr(set, c) != nullptr; }

void stripTrailing(char* s, const char* set) {
    size_t n = strlen(s);
    while (n > 0 && inSet(s[n - 1], set)) s[--n] = 0;
}

void stripLeading(char* s, const char* set) {
    size_t k = 0;
    while (inSet(s[k], set)) ++k;
    if (k) memmove(s, s + k, strlen(s + k) + 1);
}

int findText(const char* haystack, const char* needle, int from) {
    if (!*needle) return -1;
    int length = static_cast<int>(strlen(haystack));
    if (from > length) return -1;
    const char* hit = strstr(haystack + from, needle);
    return hit ? static_cast<int>(hit - haystack) : -1;
}

int findLast(const char* haystack, const char* needle) {
    int last = -1, pos = 0;
    while ((pos = findText(haystack, needle, pos)) >= 0) last = pos++;
    return last;
}

int findTextNoCase(const char* haystack, const char* needle) {
    char h[512], n[512];
    upperCopy(h, haystack, sizeof h);
    upperCopy(n, needle, sizeof n);
    return findText(h, n);
}

void replaceAt(char* s, size_t cap, int pos, int length, const char* replacement) {
    size_t total = strlen(s);
    size_t r = strlen(replacement);
    size_t tail = total - pos - length;
    if (pos + r + tail + 1 > cap) {
        if (pos + r + 1 > cap) r = cap - 1 - pos;
        tail = cap - 1 - pos - r;
    }
    memmove(s + pos + r, s + pos + length, tail);
    memcpy(s + pos, replacement, r);
    s[pos + r + tail] = 0;
}

void reverseText(char* s) {
    size_t n = strlen(s);
    for (size_t i = 0; i < n / 2; ++i) {
        char t = s[i];
        s[i] = s[n - 1 - i];
        s[n - 1 - i] = t;
    }
}

int wordAt(const char* text, int pos, char* word, size_t cap) {
    while (text[pos] == ' ') ++pos;
    int n = 0;
    while (text[pos + n] && text[pos + n] != ' ') ++n;
    copyBoundedN(word, cap, text + pos, static_cast<size_t>(n));
    return pos + n;
}

bool holdsDigitOrAt(const char* s) { return holdsDigit(s) || strchr(s, '@'); }

bool digitsAt(const char* s, int n) {
    for (int i = 0; i < n; ++i)
        if (!isDigit(s[i])) return false;
    return true;
}
