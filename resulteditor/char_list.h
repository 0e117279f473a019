// The character list of a line as the in-place editor changes it.
#pragma once
#include "recogpage.h"

// The link that points at character `index` of the line (the end link when index is the count).
RecogChar** CharLink(RecogLine& line, int index);
// Character index of a byte offset into text of the process code page.
int CharIndexOfOffset(const char* text, int offset);
// Byte offset of character `index` in the text.
int OffsetOfCharIndex(const char* text, int index);
// Links a new character with `glyph` in front of character `index`, with a box between its
// neighbours. Null when out of memory.
RecogChar* InsertChar(RecogLine& line, int index, int32_t glyph);
// Frees characters first..last-1 of the line (indices clipped to the line).
void RemoveChars(RecogLine& line, int first, int last);
