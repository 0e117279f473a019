// Stand-in for the engine utility library: writing one attribute of an attribute block,
// as the main program does for the page attributes it hands to the engine.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Sets byte `attribute` (0..15) of the 16-byte attribute block to `value` (cut to 8 bits).
// Returns 1, or 0 for a null block or an attribute outside 0..15 (the block is untouched).
// get_attribute reads the same byte back as a 0/1 flag.
int32_t set_attribute(int32_t attribute, void* attributeBlock, int32_t value);

#ifdef __cplusplus
}
#endif
