// Whether a word differs from a list entry the way a reader misreads print, so that the
// correction mends misread words and leaves correct ones alone.
#pragma once
#include <stddef.h>

// True when `word` (upper case) is `entry` (upper case) misread: characters a reader confuses
// (0/O, 1/l/I, 5/S, rn/m, cl/d, vv/w and the pairs of the table), one letter missing or
// doubled inside the word, or its last letter printed twice. A plural ending, an added or dropped word and any other change are
// not misreadings.
bool looksMisread(const char* word, const char* entry);

// True when `word` (upper case) reads as `entry` (upper case) misprinted: the two differ by the
// letters a reader confuses and at most one letter added, dropped or changed (never a letter added
// or dropped in front, no other last letter, no accent the entry lacks), or by the last letter
// printed twice. Another form of the entry (a stem
// with another ending: "Computer", "Photography") is no misprint.
bool readsAsMisprintOf(const char* word, const char* entry);

// True when the word (upper case) is itself an entry of the library's vocabulary (titles,
// company and department words, street words, common words), and therefore no misreading.
bool isKnownWord(const char* word);

// The word with the letter pairs that print like one letter joined into it ("CHAIRRNAN" becomes
// "CHAIRMAN"), for looking a misread word up in a list.
void joinMisreadShapes(const char* word, char* out, size_t cap);

// True when the place name (upper case) is an entry of a place list: the world cities, the
// Italian provinces and provincial capitals, or a city list of any region.
bool isKnownPlace(const char* name);
