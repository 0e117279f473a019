// Line building and candidates for the result editor's calls.
#include "result_edits.h"
#include <string.h>
#include <string>
#include <vector>
#include "engine_memory.h"
#include "glyph_reading.h"
#include "page_structure.h"
#include "trace.h"
#include <stdio.h>
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
// Characters that read alike, by code (code page 936 for the double-byte ones): the Latin pairs
// 0/O and 1/l, and twenty box-shaped Chinese characters that differ by a stroke or two
// (日 曰 目 田 由 甲 申 电 白 旦 旧 且 自 百 臼 亘 吕 口 囗 曲).
const std::vector<std::vector<uint16_t>> kLookAlikes = {
    {'0', 'O'},
    {'1', 'l'},
    {0xC8D5, 0xD4BB, 0xC4BF, 0xCCEF, 0xD3C9, 0xBCD7, 0xC9EA, 0xB5E7, 0xB0D7, 0xB5A9,
     0xBEC9, 0xC7D2, 0xD7D4, 0xB0D9, 0xBECA, 0xD8A8, 0xC2C0, 0xBFDA, 0xE0ED, 0xC7FA},
};
}  // namespace

extern "C" int32_t GetRelationData(const RecogChar* previous, const RecogChar* next, const RecogChar* character,
                                   const uint16_t* context, int32_t* count, uint16_t** buffer, int32_t mode) {
    if (!character || !count || !buffer) return 0;
    *count = 0;
    uint16_t code = Index_to_code(character->GlyphIndex);
    for (const std::vector<uint16_t>& group : kLookAlikes) {
        bool member = false;
        for (uint16_t c : group) member = member || c == code;
        if (!member) continue;
        uint16_t* grown = static_cast<uint16_t*>(OCR_realloc(*buffer, group.size() * sizeof(uint16_t)));
        if (!grown) return 1;
        *buffer = grown;
        // The character itself first, then the others in the group's order.
        int n = 0;
        grown[n++] = (uint16_t)Code_to_index_for_train(code);
        for (uint16_t c : group)
            if (c != code) grown[n++] = (uint16_t)Code_to_index_for_train(c);
        *count = n;
        return 1;
    }
    return 1;
}

namespace {

bool InLine(const RecogLine* line, const RecogChar* character) {
    for (const RecogChar* c = line ? line->FirstChar : nullptr; c; c = c->Next)
        if (c == character) return true;
    return false;
}

// True when `last` comes after `first` in the character list.
bool Follows(const RecogChar* first, const RecogChar* last) {
    for (const RecogChar* c = first->Next; c; c = c->Next)
        if (c == last) return true;
    return false;
}

bool UsableImage(const RecogPage* page) { return page && page->Image.BwBank && page->Image.Width > 0; }

// A character is read as Chinese when it was a double-byte character.
bool IsChinese(const RecogChar* c) { return Index_to_code(c->GlyphIndex) > 0x8000; }

void Recognised(RecogChar* c, const ReadCharacter& read) {
    c->GlyphIndex = Code_to_index_for_train(read.Code);
    c->CandidateCount = 1;
    memset(c->MoreCandidates, 0, sizeof c->MoreCandidates);
    c->Attributes[13] = read.Code != ' ' && read.Confidence < 50 ? 1 : 0;
}

// Reads the characters again from the page's rows, each as Chinese or not as it was before.
int32_t RecogniseCharacters(const RecogPage* page, const std::vector<RecogChar*>& chars, bool chinese) {
    std::vector<RecogBox> boxes;
    for (RecogChar* c : chars) boxes.push_back(c->Rect);
    std::vector<ReadCharacter> read;
    if (ReadCharacters(*page, boxes, chinese, read) == OcrStatus::NoProgram) return 0;
    for (size_t i = 0; i < chars.size(); ++i) Recognised(chars[i], read[i]);
    return 1;
}

void Union(RecogBox& box, const RecogBox& more) {
    if (more.left < box.left) box.left = more.left;
    if (more.top < box.top) box.top = more.top;
    if (more.right > box.right) box.right = more.right;
    if (more.bottom > box.bottom) box.bottom = more.bottom;
}

enum CharacterClass { kChinese = 64, kLetters = 6, kDigits = 1 };

int ClassOf(int code) {
    if (code > 0x8000) return kChinese;
    if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z')) return kLetters;
    if (code >= '0' && code <= '9') return kDigits;
    return 0;  // blanks and punctuation belong to every mask
}

// The OCR program's language, options and code page for a mask of character classes.
void ReadingFor(int32_t mask, std::string& language, std::string& options, unsigned& codePage) {
    bool chinese = mask & kChinese, letters = mask & kLetters, digits = mask & kDigits;
    if (chinese) {
        language = letters || digits ? "chi_sim+eng" : "chi_sim";
        codePage = 936;
        return;
    }
    language = "eng";
    codePage = 1252;
    if (letters && digits) return;
    const char* allowed = digits ? "0123456789-+().,/:" : "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-.,@/:";
    options = std::string("-c tessedit_char_whitelist=") + allowed;
}

void FreeCharacters(RecogChar* c) {
    while (c) {
        RecogChar* next = c->Next;
        char_free(c);
        c = next;
    }
}

}  // namespace

extern "C" int32_t split_and_recognize(RecogPage* page, RecogLine* line, RecogChar* character, int32_t x, int32_t y,
                                       int32_t direction, int32_t) {
    TraceEngineCall("split_and_recognize");
    if (!UsableImage(page) || !InLine(line, character)) return 0;
    RecogBox first = character->Rect, second = character->Rect;
    if (direction == 0) {
        if (x <= first.left || x > first.right) return 0;
        first.right = x - 1;
        second.left = x;
    } else {
        if (y <= first.top || y > first.bottom) return 0;
        first.bottom = y - 1;
        second.top = y;
    }
    RecogChar* piece = char_alloc();
    if (!piece) return 0;
    bool chinese = IsChinese(character);
    character->Rect = character->Rect2 = first;
    piece->Rect = piece->Rect2 = second;
    piece->Next = character->Next;
    character->Next = piece;
    return RecogniseCharacters(page, {character, piece}, chinese);
}

extern "C" int32_t merge_and_recognize(RecogPage* page, RecogLine* line, RecogChar* first, RecogChar* last) {
    TraceEngineCall("merge_and_recognize");
    if (!UsableImage(page) || !InLine(line, first) || !Follows(first, last)) return 0;
    bool chinese = IsChinese(first);
    RecogBox box = first->Rect;
    RecogChar* c = first->Next;
    for (;;) {
        Union(box, c->Rect);
        chinese = chinese || IsChinese(c);
        RecogChar* next = c->Next;
        char_free(c);
        if (c == last) {
            first->Next = next;
            break;
        }
        c = next;
    }
    first->Rect = first->Rect2 = box;
    return RecogniseCharacters(page, {first}, chinese);
}

extern "C" int32_t erase_and_recognize(RecogPage* page, RecogLine* line, RecogChar* character) {
    TraceEngineCall("erase_and_recognize");
    if (!UsableImage(page) || !InLine(line, character)) return 0;
    return RecogniseCharacters(page, {character}, IsChinese(character));
}

namespace {

// A region much taller than wide is a vertical line (Chinese set in a column).
bool IsColumn(const RecogBox& box) { return (box.bottom - box.top + 1) * 2 > (box.right - box.left + 1) * 3; }

// The codes of a text that belong to the mask's classes (blanks and punctuation always do).
std::vector<int> CodesInMask(const std::string& text, unsigned codePage, int32_t mask) {
    std::vector<int> kept;
    for (int code : CharacterCodes(text, codePage)) {
        int cls = ClassOf(code);
        if (!cls || (mask & cls)) kept.push_back(code);
    }
    return kept;
}

// Characters of a horizontal line: the words' characters share out each word's box, with blanks
// between words.
RecogChar* ReadRow(RecogPage* page, const RecogBox& rect, const std::string& language, const std::string& options,
                   unsigned codePage, int32_t mask, bool& read) {
    std::vector<OcrWord> words;
    read = ReadLine(*page, rect, language, options, codePage, words) != OcrStatus::NoProgram;
    // Characters of classes outside the mask are dropped; a word left empty goes with them.
    std::vector<OcrWord> kept;
    for (OcrWord w : words) {
        std::string text;
        for (int code : CodesInMask(w.Text, codePage, mask)) {
            if (code > 0xFF) text += static_cast<char>(code >> 8);
            text += static_cast<char>(code & 0xFF);
        }
        if (text.empty()) continue;
        w.Text = text;
        kept.push_back(w);
    }
    std::vector<const OcrWord*> pointers;
    for (const OcrWord& w : kept) pointers.push_back(&w);
    RecogChar* characters = CharactersOfWords(pointers, codePage);
    if (!characters && !pointers.empty()) read = false;
    return characters;
}

// Characters of a vertical line, top to bottom, each with its own cell's box.
RecogChar* ReadVertical(RecogPage* page, const RecogBox& rect, const std::string& language, const std::string& options,
                        unsigned codePage, int32_t mask, bool& read) {
    std::vector<OcrWord> cells;
    read = ReadColumn(*page, rect, language, options, codePage, cells) != OcrStatus::NoProgram;
    RecogChar* first = nullptr;
    RecogChar** tail = &first;
    for (const OcrWord& cell : cells) {
        std::vector<int> codes = CodesInMask(cell.Text, codePage, mask);
        if (codes.empty()) continue;
        RecogChar* c = char_alloc();
        if (!c) {
            FreeCharacters(first);
            read = false;
            return nullptr;
        }
        c->Rect = c->Rect2 = RecogBox{cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1};
        c->CandidateCount = 1;
        c->GlyphIndex = Code_to_index_for_train(codes[0]);
        *tail = c;
        tail = &c->Next;
    }
    return first;
}

}  // namespace

extern "C" int32_t ReRecognizeField(RecogPage* page, const RecogBox* rect, RecogLine* line, int32_t mask) {
    char call[96];
    snprintf(call, sizeof call, "ReRecognizeField %d %d %d %d %d", (int)mask, rect ? (int)rect->left : 0,
             rect ? (int)rect->top : 0, rect ? (int)rect->right : 0, rect ? (int)rect->bottom : 0);
    TraceEngineCall(call);
    if (!UsableImage(page) || !rect || !line || line == reinterpret_cast<RecogLine*>(-1)) return 0;
    std::string language, options;
    unsigned codePage;
    ReadingFor(mask, language, options, codePage);
    bool vertical = IsColumn(*rect), read = false;
    RecogChar* characters = vertical ? ReadVertical(page, *rect, language, options, codePage, mask, read)
                                     : ReadRow(page, *rect, language, options, codePage, mask, read);
    if (!read) {
        FreeCharacters(characters);
        return 0;
    }
    FreeCharacters(line->FirstChar);
    line->FirstChar = characters;
    line->Orientation = vertical ? 'v' : 'h';
    if (characters) {
        RecogBox box = characters->Rect;
        for (RecogChar* c = characters; c; c = c->Next) {
            Union(box, c->Rect);
            c->Attributes[13] = 0;
        }
        line->Rect = line->Rect2 = box;
        line->SizeValue = vertical ? box.right - box.left + 1 : box.bottom - box.top + 1;
    }
    if (!line->Kind) line->Kind = 10;
    return 1;
}
