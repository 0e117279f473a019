// Glyph codes and character attributes of the engine's recognised characters.
#include "glyphutil.h"

extern "C" uint16_t Index_to_code(int32_t index) { return static_cast<uint16_t>(index & 0xFFFF); }

extern "C" int32_t Code_to_index_for_train(int32_t code) { return code & 0xFFFF; }

extern "C" int32_t get_attribute(int32_t attribute, const void* attributeBlock, int32_t) {
    if (!attributeBlock || attribute < 0 || attribute > 15) return 0;
    return static_cast<const uint8_t*>(attributeBlock)[attribute] != 0 ? 1 : 0;
}
