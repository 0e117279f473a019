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
struct RecogPage;

// The four edits below read the page's black-and-white rows through its bank (RecogPage +884,
// set bit = ink) with the host's OCR program; a character box without ink reads as a blank (32).
// Each gives 1 when the edit was made and read, 0 for a page without images, a character that
// is not in the line, a cut outside the character, or no OCR program (the edit's boxes stand
// then, the codes stay as they were). A character is read as Chinese (code page 936) when it was
// a double-byte character (for a merge: when any of the run was); the read character gets
// candidate count 1 and attribute 13 (uncertain) when the program was less than 50% sure.

// Cuts `character` at column x (direction 0: the left piece ends at x - 1) or row y (direction
// 1: the upper piece ends at y - 1) into two characters in place and reads both.
int32_t split_and_recognize(struct RecogPage* page, struct RecogLine* line, struct RecogChar* character, int32_t x,
                            int32_t y, int32_t direction, int32_t reserved);

// Joins the run first..last (last after first in the line) into `first`, whose box becomes the
// union of theirs; the others are freed with char_free. Reads the joined character.
int32_t merge_and_recognize(struct RecogPage* page, struct RecogLine* line, struct RecogChar* first,
                            struct RecogChar* last);

// Reads `character` again from the rows just edited in the bank.
int32_t erase_and_recognize(struct RecogPage* page, struct RecogLine* line, struct RecogChar* character);

// Reads the rectangle of the page (clipped to it) as one line into `line`, replacing its
// characters (line boxes the union of the characters). A rectangle at least one and a half times
// as high as wide is a vertical line: it is cut into character cells down its inked rows, each
// cell read as one character with the cell's box, and the line reads 'v'; any other is a
// horizontal line ('h') whose words' boxes are shared out over their characters, with blanks
// between words. `mask` picks the character classes: 64 Chinese (read with the Simplified
// Chinese data, code page 936), 6 Latin letters, 1 digits, 119 all; characters of other classes
// are dropped, punctuation and blanks always stay. A rectangle without ink empties the line.
// 1, or 0 for a null argument, a page without images or no OCR program (the line stays as it
// was).
int32_t ReRecognizeField(struct RecogPage* page, const struct RecogBox* rect, struct RecogLine* line, int32_t mask);

// Fills `line` (fresh from line_alloc) with one character per character of `text` (bytes of
// the process code page; a lead byte and its trail byte make one double-byte character). Each
// character and the line get `rect`; the line reads horizontally and is a text line (kind 10).
// 1, or 0 for a null argument, a line of (RecogLine*)-1, or no memory (the characters made so
// far stay in the line).
int32_t ConvertFieldDataToLineStructure(const char* text, const struct RecogBox* rect, struct RecogLine* line);

// Candidate glyph indices for `character` (16-bit each) into *buffer, an engine-heap block that
// is grown with OCR_realloc when it is too small (a null *buffer gets a new block); *count gets
// their number. This engine knows look-alikes only: the character itself first, then the other
// members of its group (0 and O; 1 and l; twenty box-shaped Chinese characters, 日 to 曲, so a
// caller sees more candidates than it has buttons); any other character gives count 0 and leaves
// the buffer alone.
// `previous`, `next`, `context` and `mode` are accepted for the callers' sake.
// 1, or 0 for a null character, count or buffer pointer.
int32_t GetRelationData(const struct RecogChar* previous, const struct RecogChar* next,
                        const struct RecogChar* character, const uint16_t* context, int32_t* count, uint16_t** buffer,
                        int32_t mode);

#ifdef __cplusplus
}
#endif
