// Line building and candidates for the result editor's calls.
#include "result_edits.h"
#include "engine_memory.h"
#include "glyphutil.h"
#include "page_nodes.h"
#include "recogpage.h"
#include <windows.h>

extern "C" int32_t ConvertFieldDataToLineStructure(const char* text, const RecogBox* rect, RecogLine* line) {
    if (!text || !rect || !line || line == reinterpret_cast<RecogLine*>(-1)) return 0;
    line->Rect = *rect;
    line->Rect2 = *rect;
    line->Orientation = 'h';
    line->Kind = 10;
    RecogChar** tail = &line->FirstChar;
    while (*tail) tail = &(*tail)->Next;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        int32_t code = *p;
        if (IsDBCSLeadByte(*p) && p[1]) {
            code = (p[0] << 8) | p[1];
            ++p;
        }
        RecogChar* character = char_alloc();
        if (!character) return 0;
        character->Rect = *rect;
        character->Rect2 = *rect;
        character->CandidateCount = 1;
        character->GlyphIndex = Code_to_index_for_train(code);
        *tail = character;
        tail = &character->Next;
    }
    return 1;
}

namespace {
// Characters that read alike, in pairs.
const char kLookAlikes[][2] = {{'0', 'O'}, {'1', 'l'}};
}  // namespace

extern "C" int32_t GetRelationData(const RecogChar* previous, const RecogChar* next, const RecogChar* character,
                                   const uint16_t* context, int32_t* count, uint16_t** buffer, int32_t mode) {
    if (!character || !count || !buffer) return 0;
    *count = 0;
    uint16_t code = Index_to_code(character->GlyphIndex);
    for (const auto& pair : kLookAlikes) {
        if (code != (uint8_t)pair[0] && code != (uint8_t)pair[1]) continue;
        uint16_t* grown = static_cast<uint16_t*>(OCR_realloc(*buffer, 2 * sizeof(uint16_t)));
        if (!grown) return 1;
        *buffer = grown;
        uint16_t other = code == (uint8_t)pair[0] ? (uint8_t)pair[1] : (uint8_t)pair[0];
        grown[0] = (uint16_t)Code_to_index_for_train(code);
        grown[1] = (uint16_t)Code_to_index_for_train(other);
        *count = 2;
    }
    return 1;
}
