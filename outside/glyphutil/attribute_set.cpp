// Writes character and page attributes into the engine's 16-byte attribute blocks.
#include "attribute_set.h"

extern "C" int32_t set_attribute(int32_t attribute, void* attributeBlock, int32_t value) {
    if (!attributeBlock || attribute < 0 || attribute > 15) return 0;
    static_cast<uint8_t*>(attributeBlock)[attribute] = static_cast<uint8_t>(value);
    return 1;
}
