// Loading a recognised page into the editor's slots and handing the slots back.
#include "page_lines.h"
#include "engine_memory.h"
#include "glyphutil.h"
#include "page_nodes.h"
#include "result_edits.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

RecogLine* const kNoLine = reinterpret_cast<RecogLine*>(-1);
// A line's text is cut once its width count passes this (2 a character, 1 a lower index).
constexpr int kMaxTextWidth = 200;

void FreeCharacters(RecogChar* c) {
    while (c) {
        RecogChar* next = c->Next;
        char_free(c);
        c = next;
    }
}

void CapText(RecogLine& line) {
    int width = 0;
    for (RecogChar* c = line.FirstChar; c; c = c->Next) {
        width += c->GlyphIndex > -32 ? 2 : 1;
        if (width > kMaxTextWidth) {
            FreeCharacters(c->Next);
            c->Next = nullptr;
            return;
        }
    }
}

// Appends the date line made from the date; false when the engine has no line to give.
bool AppendDateLine(PageLines& lines) {
    RecogLine* line = line_alloc();
    if (line == kNoLine) return false;
    char text[40];
    snprintf(text, sizeof text, "%d/%d/%d", lines.Date[0], lines.Date[1], lines.Date[2]);
    RecogBox empty = {0, 0, 0, 0};
    ConvertFieldDataToLineStructure(text, &empty, line);
    RecogLine& slot = lines.Slots[lines.TotalLines++];
    slot = *line;
    slot.Next = nullptr;
    slot.FieldKind = kFieldKindDate;
    memset(line, 0, sizeof *line);
    line_free(line);
    return true;
}

void TakeLine(PageLines& lines, RecogLine* line) {
    RecogLine& slot = lines.Slots[lines.TotalLines++];
    slot = *line;
    slot.Next = nullptr;
    memset(line, 0, sizeof *line);
    line_free(line);
}

void CountOrdinals(PageLines& lines) {
    int counters[60] = {};
    for (int i = 0; i < lines.PrimaryLines; ++i) {
        int kind = lines.Slots[i].FieldKind;
        lines.Ordinals[i] = kind >= 0 && kind < kFieldKindCount ? counters[kind]++ : 0;
    }
}

RecogBlock* FirstBlock(RecogPage* page) {
    if (!page || !page->FirstRegion) return nullptr;
    return page->FirstRegion->FirstBlock;
}

// A line of its own from line_alloc with copies of the slot's characters from char_alloc, not
// linked to any other line; null when the engine has no memory left (nothing is kept then).
RecogLine* CopyOfLine(const RecogLine& slot) {
    RecogLine* line = line_alloc();
    if (line == kNoLine) return nullptr;
    *line = slot;
    line->Next = nullptr;
    line->FirstChar = nullptr;
    RecogChar** tail = &line->FirstChar;
    for (const RecogChar* c = slot.FirstChar; c; c = c->Next) {
        RecogChar* copy = char_alloc();
        if (!copy) {
            line_free(line);
            return nullptr;
        }
        *copy = *c;
        copy->Next = nullptr;
        *tail = copy;
        tail = &copy->Next;
    }
    return line;
}

// Reads "y/m/d" into the date: up to the first '/' the year, up to the second the month, the
// rest the day; without a first '/' nothing changes, without a second only the year.
void ParseDate(const char* text, int date[3]) {
    const char* first = strchr(text, '/');
    if (!first) return;
    date[0] = atoi(text);
    const char* second = strchr(first + 1, '/');
    if (!second) return;
    date[1] = atoi(first + 1);
    date[2] = atoi(second + 1);
}

}  // namespace

void FixOrientation(RecogLine& line) {
    if (line.Orientation == 'h' || line.Orientation == 'v') return;
    bool wide = line.Rect.right - line.Rect.left > line.Rect.bottom - line.Rect.top;
    line.Orientation = wide ? 'h' : 'v';
}

bool AllocatePageLines(PageLines& lines) {
    lines.Slots = static_cast<RecogLine*>(OCR_malloc(kSlotCapacity * sizeof(RecogLine)));
    lines.Ordinals = static_cast<int*>(OCR_malloc(kSlotCapacity * sizeof(int)));
    if (lines.Slots && lines.Ordinals) return true;
    FreePageLines(lines);
    return false;
}

void FreePageLines(PageLines& lines) {
    if (lines.Slots)
        for (int i = 0; i < kSlotCapacity; ++i) FreeCharacters(lines.Slots[i].FirstChar);
    OCR_free(lines.Slots);
    OCR_free(lines.Ordinals);
    lines.Slots = nullptr;
    lines.Ordinals = nullptr;
    lines.TotalLines = lines.PrimaryLines = 0;
}

int LoadPageLines(PageLines& lines, RecogPage* page) {
    if (!page || !lines.Slots) return 0;
    for (int i = 0; i < kSlotCapacity; ++i) FreeCharacters(lines.Slots[i].FirstChar);
    memset(lines.Ordinals, 0, kSlotCapacity * sizeof(int));
    memset(lines.Slots, 0, kSlotCapacity * sizeof(RecogLine));
    lines.TotalLines = lines.PrimaryLines = 0;
    lines.HasDateLine = false;
    lines.LeftInPage.clear();
    lines.HandedBack.clear();
    lines.TakenByHost = false;
    // Group 0 before group 1, each in page order, however the groups alternate in the page.
    std::vector<RecogLine*> groups[2];
    for (RecogRegion* region = page->FirstRegion; region; region = region->Next) {
        for (RecogBlock* block = region->FirstBlock; block; block = block->Next) {
            RecogLine* line = block->FirstLine;
            block->FirstLine = nullptr;
            RecogLine** kept = &block->FirstLine;
            for (RecogLine* next; line; line = next) {
                next = line->Next;
                FixOrientation(*line);
                bool editable = line->Group == 0 || line->Group == 1;
                if (editable && groups[0].size() + groups[1].size() < kMaxPageLines) {
                    groups[line->Group].push_back(line);
                    continue;
                }
                // Not the editor's: it stays in its block, in its order.
                line->Next = nullptr;
                *kept = line;
                kept = &line->Next;
                lines.LeftInPage.insert(line);
            }
        }
    }
    for (RecogLine* line : groups[0]) TakeLine(lines, line);
    if (!groups[0].empty() || !groups[1].empty()) lines.HasDateLine = AppendDateLine(lines);
    lines.PrimaryLines = lines.TotalLines;
    for (RecogLine* line : groups[1]) TakeLine(lines, line);
    if (lines.TotalLines > 0) lines.Slots[lines.TotalLines++].FieldKind = kFieldKindNote;
    CountOrdinals(lines);
    for (int i = 0; i < lines.TotalLines; ++i) CapText(lines.Slots[i]);
    lines.Page = page;
    return 1;
}

void FreeHostLines(PageLines& lines, RecogPage* page) {
    RecogBlock* block = FirstBlock(page);
    if (!block) return;
    RecogLine** link = &block->FirstLine;
    while (RecogLine* line = *link) {
        if (lines.LeftInPage.count(line)) {
            link = &line->Next;
        } else {
            *link = line->Next;
            lines.HandedBack.erase(line);
            line_free(line);
        }
    }
}

void WithdrawHandedBack(PageLines& lines) {
    RecogBlock* block = FirstBlock(lines.Page);
    if (block) {
        RecogLine** link = &block->FirstLine;
        while (RecogLine* line = *link) {
            if (!lines.HandedBack.count(line)) {
                link = &line->Next;
                continue;
            }
            *link = line->Next;
            line_free(line);
        }
    }
    lines.HandedBack.clear();
}

void StorePageLines(PageLines& lines) {
    if (!lines.Slots) return;
    RecogLine* chain = nullptr;
    RecogLine** tail = &chain;
    int dateSlot = lines.HasDateLine ? lines.PrimaryLines - 1 : -1;
    int lastPrimary = lines.PrimaryLines - 1;
    for (int i = 0; i < lines.TotalLines; ++i) {
        const RecogLine& slot = lines.Slots[i];
        if (i == dateSlot) {
            if (HasCharacters(slot)) {
                char text[1024];
                LineText(&slot, text, sizeof text);
                ParseDate(text, lines.Date);
            }
            continue;
        }
        if (i > lastPrimary && !HasCharacters(slot)) continue;
        RecogLine* line = CopyOfLine(slot);
        if (!line) continue;  // no engine memory left: that line is not handed back this time
        line->Group = i < lines.PrimaryLines ? 0 : 1;
        *tail = line;
        tail = &line->Next;
    }
    RecogBlock* block = FirstBlock(lines.Page);
    if (!block) {
        // No block to take them: the copies go back to the engine rather than leak.
        for (RecogLine* line = chain; line;) {
            RecogLine* next = line->Next;
            line_free(line);
            line = next;
        }
        return;
    }
    for (RecogLine* line = chain; line; line = line->Next) lines.HandedBack.insert(line);
    if (chain) {
        *tail = block->FirstLine;
        block->FirstLine = chain;
    }
}

void LineText(const RecogLine* line, char* text, int size, int wideFrom) {
    if (size < 1) return;
    int n = 0;
    for (const RecogChar* c = line ? line->FirstChar : nullptr; c; c = c->Next) {
        uint16_t code = Index_to_code(c->GlyphIndex);
        bool wide = code > wideFrom;
        if (n + (wide ? 2 : 1) > size - 1) break;
        if (wide) text[n++] = (char)(code >> 8);
        text[n++] = (char)(code & 0xFF);
    }
    text[n] = 0;
}
