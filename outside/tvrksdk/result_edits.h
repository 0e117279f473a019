// Stand-in for the recognition engine SDK: the calls a result editor makes on a recognised
// page (plain C functions exported by name, cdecl).
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct RecogChar;
struct RecogLine;
struct RecogBox;

// Fills `line` (fresh from line_alloc) with one character per character of `text` (bytes of
// the process code page; a lead byte and its trail byte make one double-byte character). Each
// character and the line get `rect`; the line reads horizontally and is a text line (kind 10).
// 1, or 0 for a null argument, a line of (RecogLine*)-1, or no memory (the characters made so
// far stay in the line).
int32_t ConvertFieldDataToLineStructure(const char* text, const struct RecogBox* rect, struct RecogLine* line);

// Candidate glyph indices for `character` (16-bit each) into *buffer, an engine-heap block that
// is grown with OCR_realloc when it is too small (a null *buffer gets a new block); *count gets
// their number. This engine knows look-alikes only: the character itself first, then 0 and O,
// 1 and l for each other; any other character gives count 0 and leaves the buffer alone.
// `previous`, `next`, `context` and `mode` are accepted for the callers' sake.
// 1, or 0 for a null character, count or buffer pointer.
int32_t GetRelationData(const struct RecogChar* previous, const struct RecogChar* next,
                        const struct RecogChar* character, const uint16_t* context, int32_t* count, uint16_t** buffer,
                        int32_t mode);

#ifdef __cplusplus
}
#endif
