// Stand-in for the engine utility library: the engine's line and character records.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct RecogChar;
struct RecogLine;

// A zeroed 160-byte character record from the engine heap, or null when out of memory.
struct RecogChar* char_alloc(void);

// Gives a character record of char_alloc back; null does nothing. Its next pointer is not
// followed.
void char_free(struct RecogChar* character);

// A zeroed 172-byte line record from the engine heap; (RecogLine*)-1 when none is left (out of
// memory, or the limit of line_alloc_limit reached).
struct RecogLine* line_alloc(void);

// Gives a line record of line_alloc back together with the characters of its list; null and
// (RecogLine*)-1 do nothing. The next line is not followed.
void line_free(struct RecogLine* line);

// Stand-in control, not a call of the real library: from now on line_alloc hands out at most
// `limit` further lines (negative: no limit, the start state). Returns 1.
int32_t line_alloc_limit(int32_t limit);

// Stand-in control: line records handed out and not yet given back.
int32_t line_live_count(void);

#ifdef __cplusplus
}
#endif
