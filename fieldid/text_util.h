// Character handling of our own, ASCII-only, so that no C runtime locale changes results.
#pragma once
#include <stddef.h>

inline bool isLower(char c) { return c >= 'a' && c <= 'z'; }
inline bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool isLetter(char c) { return isLower(c) || isUpper(c); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isAlnum(char c) { return isLetter(c) || isDigit(c); }
inline char toUpper(char c) { return isLower(c) ? static_cast<char>(c - 32) : c; }
inline char toLower(char c) { return isUpper(c) ? static_cast<char>(c + 32) : c; }
inline bool isHighByte(char c) { return static_cast<unsigned char>(c) >= 0x81; }
// Letters include the accented ones of the code page, so "MüLLER" is one word.
inline bool isWordByte(char c) { return isAlnum(c) || isHighByte(c); }

// Upper-case copy of src into dst (capacity cap), a to z only.
void upperCopy(char* dst, const char* src, size_t cap);
void upperInPlace(char* s);

// Copies src into dst of capacity cap (cap >= 1), cut at a character boundary.
void copyBounded(char* dst, size_t cap, const char* src);
void copyBoundedN(char* dst, size_t cap, const char* src, size_t srcLength);

// Appends src behind dst (capacity cap) when all of it fits; returns false otherwise.
bool appendWhole(char* dst, size_t cap, const char* src);

int countDigits(const char* s);
// Whether the n characters from s on are all digits.
bool digitsAt(const char* s, int n);
inline bool holdsDigit(const char* s) { return countDigits(s) > 0; }
// A digit or "@": no name, firm or town is written with either.
bool holdsDigitOrAt(const char* s);
int countLetters(const char* s);
bool containsLetter(const char* s);

// Removes every occurrence of character c.
void removeChar(char* s, char c);
void stripTrailing(char* s, const char* set);
void stripLeading(char* s, const char* set);
bool inSet(char c, const char* set);

// Position of needle in haystack (case sensitive), -1 when absent.
int findText(const char* haystack, const char* needle, int from = 0);
// Position of the last occurrence, -1 when absent.
int findLast(const char* haystack, const char* needle);
// Position of needle in haystack compared in upper case, -1 when absent.
int findTextNoCase(const char* haystack, const char* needle);

// Replaces `length` bytes at `pos` by `replacement`, bounded by capacity cap.
void replaceAt(char* s, size_t cap, int pos, int length, const char* replacement);

// Reverses a string in place.
void reverseText(char* s);

// Copies the blank-delimited word at or after `pos` of `text` into `word` (capacity cap; an
// empty word when none is left) and returns the position just behind it. Walk a line with
// `for (int p = wordAt(s, 0, w, n); *w; p = wordAt(s, p, w, n))`.
int wordAt(const char* text, int pos, char* word, size_t cap);
