// Line and character records of the engine's page structure, from the engine heap.
#include "page_nodes.h"
#include "engine_memory.h"
#include "recogpage.h"

namespace {
int32_t g_linesLeft = -1;  // negative: no limit
int32_t g_linesLive = 0;
}  // namespace

static_assert(sizeof(RecogChar) == 160, "character record size");

extern "C" RecogChar* char_alloc(void) { return static_cast<RecogChar*>(OCR_malloc(sizeof(RecogChar))); }

extern "C" void char_free(RecogChar* character) { OCR_free(character); }

extern "C" RecogLine* line_alloc(void) {
    RecogLine* none = reinterpret_cast<RecogLine*>(-1);
    if (g_linesLeft == 0) return none;
    RecogLine* line = static_cast<RecogLine*>(OCR_malloc(sizeof(RecogLine)));
    if (!line) return none;
    if (g_linesLeft > 0) --g_linesLeft;
    ++g_linesLive;
    return line;
}

extern "C" void line_free(RecogLine* line) {
    if (!line || line == reinterpret_cast<RecogLine*>(-1)) return;
    for (RecogChar* c = line->FirstChar; c;) {
        RecogChar* next = c->Next;
        char_free(c);
        c = next;
    }
    OCR_free(line);
    --g_linesLive;
}

extern "C" int32_t line_alloc_limit(int32_t limit) {
    g_linesLeft = limit < 0 ? -1 : limit;
    return 1;
}

extern "C" int32_t line_live_count(void) { return g_linesLive; }
