// Inserting and removing characters of a line, with the boxes a typed character gets.
#include "char_list.h"
#include "page_nodes.h"
#include <windows.h>

namespace {

// A 2-pixel box centred between two neighbours' boxes; zero without both neighbours.
RecogBox BoxBetween(const RecogBox* before, const RecogBox* after) {
    if (!before || !after) return RecogBox{0, 0, 0, 0};
    int centre = (before->right + after->left) / 2;
    int top = before->top < after->top ? before->top : after->top;
    int bottom = before->bottom > after->bottom ? before->bottom : after->bottom;
    int middle = (top + bottom) / 2;
    return RecogBox{centre - 1, middle - 1, centre + 1, middle + 1};
}

}  // namespace

RecogChar** CharLink(RecogLine& line, int index) {
    RecogChar** link = &line.FirstChar;
    for (int i = 0; i < index && *link; ++i) link = &(*link)->Next;
    return link;
}

int CharIndexOfOffset(const char* text, int offset) {
    int index = 0;
    for (int i = 0; i < offset && text[i]; ++i, ++index)
        if (IsDBCSLeadByte((BYTE)text[i]) && text[i + 1]) ++i;
    return index;
}

int OffsetOfCharIndex(const char* text, int index) {
    int offset = 0;
    for (int i = 0; i < index && text[offset]; ++i)
        offset += IsDBCSLeadByte((BYTE)text[offset]) && text[offset + 1] ? 2 : 1;
    return offset;
}

RecogChar* InsertChar(RecogLine& line, int index, int32_t glyph) {
    RecogChar* created = char_alloc();
    if (!created) return nullptr;
    RecogChar* before = index > 0 ? *CharLink(line, index - 1) : nullptr;
    RecogChar** link = CharLink(line, index);
    RecogChar* after = *link;
    created->Rect = BoxBetween(before ? &before->Rect : nullptr, after ? &after->Rect : nullptr);
    created->Rect2 = BoxBetween(before ? &before->Rect2 : nullptr, after ? &after->Rect2 : nullptr);
    created->GlyphIndex = glyph;
    created->CandidateCount = 1;
    created->Next = after;
    *link = created;
    return created;
}

void RemoveChars(RecogLine& line, int first, int last) {
    RecogChar** link = CharLink(line, first);
    for (int i = first; i < last && *link; ++i) {
        RecogChar* gone = *link;
        *link = gone->Next;
        char_free(gone);
    }
}
