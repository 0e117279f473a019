// Stand-in for the recognition engine's utility library: the calls our libraries make.
// All are plain C functions exported by name (cdecl, undecorated).
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Code of a glyph index: up to 0x8000 a single Windows-1252 byte (32 blank, 13 and 10 end a
// line), above it a double-byte character, high byte first. This stand-in's glyph index of a
// code is the code itself, so the result is the index cut to 16 bits.
uint16_t Index_to_code(int32_t index);

// Glyph index of a code (double-byte as lead x 256 + trail); the inverse of Index_to_code.
int32_t Code_to_index_for_train(int32_t code);

// Attribute `attribute` of a character's 16-byte attribute block: 1 when byte `attribute`
// of the block is non-zero, else 0 (attribute 13: the character is uncertain). 0 for a null
// block or an attribute outside 0..15. `reserved` is ignored.
int32_t get_attribute(int32_t attribute, const void* attributeBlock, int32_t reserved);

// Similarity 0..100 of two upper-case strings: 100 less the edit distance as a share of the
// longer length (100 for two equal strings, 0 when either is null or empty).
int32_t str_similarity(const char* a, const char* b);

// Index of the slot among 0..lastIndex of the fixed-width table `table` (slot width
// `slotWidth`) whose text, read from `offset` bytes into the slot, is most similar to `word`
// by str_similarity; the first slot wins a tie. Empty slots are passed over. Negative when
// nothing was compared (null argument, lastIndex below 0, offset not inside the slot);
// *similarity (when not null) gets the best similarity, 0 when none.
int32_t most_similar_str_in_db(const char* word, const void* table, int32_t slotWidth, int32_t reserved,
                               int32_t lastIndex, int32_t offset, int32_t* similarity);

#ifdef __cplusplus
}
#endif
