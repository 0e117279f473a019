// The one order of the word list: unsigned byte order of NUL-terminated texts.
#pragma once

// -1 when query sorts before entry, 1 after, 0 equal.
int CompareWord(const char* query, const char* entry);
