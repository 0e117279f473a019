// The items of the current template as the template editor works on them: their properties
// by id, the hit test, and the selection set (a growable list of item indexes) with the one
// focused item beside it.
#include "print.h"
#include "shell.h"
#include <string.h>

// The selection list, created with the main window.
static struct {
    WORD Capacity;
    WORD Count;
    HGLOBAL Block;
} LayoutSelection;

void CreateLayoutSelectionList(void) { InitGrowableArray(&LayoutSelection, sizeof(uint16_t)); }

void FreeLayoutSelectionList(void) {
    if (LayoutSelection.Block) GlobalFree(LayoutSelection.Block);
    LayoutSelection.Block = NULL;
    LayoutSelection.Capacity = LayoutSelection.Count = 0;
}

LAYOUTITEM* LockLayoutItems(void) {
    return App.Print.Template.Block ? (LAYOUTITEM*)GlobalLock(App.Print.Template.Block) : NULL;
}

void UnlockLayoutItems(void) { GlobalUnlock(App.Print.Template.Block); }

// Live for property navigation: the deleted bit is clear.
static int IsLiveTypeA(const LAYOUTITEM* item) { return !(item->Flags & 1) && item->Body.Type == 'A'; }

// The first live 'A' item from `index` on along the prev (backwards) or next links.
static uint16_t FindLiveTypeA(const LAYOUTITEM* items, int index, int backwards) {
    while (index != LAYOUT_NONE && index < App.Print.Template.Count) {
        if (IsLiveTypeA(&items[index])) return (uint16_t)index;
        index = backwards ? items[index].Prev : items[index].Next;
    }
    return LAYOUT_NONE;
}

// Reads one property of a locked item; 0 for an id the store does not know.
static int ReadItemProperty(const LAYOUTITEM* items, int index, int property, void* out) {
    const LAYOUTITEM* item = &items[index];
    const LAYOUTITEMBODY* body = &item->Body;
    switch (property) {
    case LAYOUT_PREVIOUS_A: *(uint16_t*)out = FindLiveTypeA(items, item->Prev, 1); break;
    case LAYOUT_NEXT_A: *(uint16_t*)out = FindLiveTypeA(items, item->Next, 0); break;
    case LAYOUT_RECT: memcpy(out, body->Rect, sizeof body->Rect); break;
    case LAYOUT_HANDLE: *(uint32_t*)out = body->Handle; break;
    case LAYOUT_FONT: memcpy(out, &body->Font, sizeof body->Font); break;
    case LAYOUT_TEXT: strcpy((char*)out, body->Text); break;
    case LAYOUT_VALUE: *(uint32_t*)out = body->Value; break;
    case LAYOUT_TYPE: *(uint8_t*)out = body->Type; break;
    case LAYOUT_ALIGNMENT: *(uint8_t*)out = body->Alignment; break;
    case LAYOUT_DRAW_MODE: *(uint8_t*)out = body->DrawMode; break;
    case LAYOUT_VALUE_A: *(uint32_t*)out = body->ValueA; break;
    case LAYOUT_VALUE_B: *(uint32_t*)out = body->ValueB; break;
    case LAYOUT_CODE: *(uint32_t*)out = body->Code; break;
    case LAYOUT_BOLD: *(uint32_t*)out = body->Font.lfWeight != FW_NORMAL; break;
    case LAYOUT_ITALIC: *(uint8_t*)out = body->Font.lfItalic; break;
    case LAYOUT_UNDERLINE: *(uint8_t*)out = body->Font.lfUnderline; break;
    case LAYOUT_STRIKE_OUT: *(uint8_t*)out = body->Font.lfStrikeOut; break;
    case LAYOUT_FLAGS: *(uint8_t*)out = item->Flags; break;
    case LAYOUT_WORD: *(uint32_t*)out = body->Word; break;
    case LAYOUT_BODY: *(LAYOUTITEMBODY*)out = *body; break;
    case LAYOUT_THIS_OR_NEXT_A: *(uint16_t*)out = FindLiveTypeA(items, index, 0); break;
    case LAYOUT_THIS_OR_PREVIOUS_A: *(uint16_t*)out = FindLiveTypeA(items, index, 1); break;
    case LAYOUT_EXTRA: memcpy(out, body->Extra, sizeof body->Extra); break;
    case LAYOUT_COLOUR: *(uint32_t*)out = body->Colour; break;
    default: return 0;
    }
    return 1;
}

// Writes one property of a locked item; 0 for an id the store does not know or one that can
// only be read.
static int WriteItemProperty(LAYOUTITEM* item, int property, const void* in) {
    LAYOUTITEMBODY* body = &item->Body;
    switch (property) {
    case LAYOUT_RECT: memcpy(body->Rect, in, sizeof body->Rect); break;
    case LAYOUT_HANDLE: body->Handle = *(const uint32_t*)in; break;
    case LAYOUT_FONT: memcpy(&body->Font, in, sizeof body->Font); break;
    case LAYOUT_TEXT: lstrcpynA(body->Text, (const char*)in, sizeof body->Text); break;
    case LAYOUT_VALUE: body->Value = *(const uint32_t*)in; break;
    case LAYOUT_TYPE: body->Type = *(const uint8_t*)in; break;
    case LAYOUT_ALIGNMENT: body->Alignment = *(const uint8_t*)in; break;
    case LAYOUT_DRAW_MODE: body->DrawMode = *(const uint8_t*)in; break;
    case LAYOUT_VALUE_A: body->ValueA = *(const uint32_t*)in; break;
    case LAYOUT_VALUE_B: body->ValueB = *(const uint32_t*)in; break;
    case LAYOUT_CODE: body->Code = *(const uint8_t*)in; break;
    case LAYOUT_BOLD: body->Font.lfWeight = *(const uint32_t*)in ? FW_BOLD : FW_NORMAL; break;
    case LAYOUT_ITALIC: body->Font.lfItalic = *(const uint8_t*)in; break;
    case LAYOUT_UNDERLINE: body->Font.lfUnderline = *(const uint8_t*)in; break;
    case LAYOUT_STRIKE_OUT: body->Font.lfStrikeOut = *(const uint8_t*)in; break;
    case LAYOUT_FLAGS: item->Flags = *(const uint8_t*)in; break;
    case LAYOUT_WORD: body->Word = *(const uint16_t*)in; break;
    case LAYOUT_BODY: *body = *(const LAYOUTITEMBODY*)in; break;
    case LAYOUT_COLOUR: body->Colour = *(const uint32_t*)in; break;
    default: return 0;
    }
    return 1;
}

int GetLayoutItemProperty(int index, int property, void* out) {
    if (index < 0 || index >= App.Print.Template.Count) return 0;
    LAYOUTITEM* items = LockLayoutItems();
    if (!items) return 0;
    int done = ReadItemProperty(items, index, property, out);
    UnlockLayoutItems();
    return done;
}

int SetLayoutItemProperty(int index, int property, const void* in) {
    if (index < 0 || index >= App.Print.Template.Count) return 0;
    LAYOUTITEM* items = LockLayoutItems();
    if (!items) return 0;
    int done = WriteItemProperty(&items[index], property, in);
    UnlockLayoutItems();
    if (done) App.Print.LayoutModified = 1;
    return done;
}

// The item under a point (layout units), last appended first; the smallest of several wins.
int HitTestLayoutItem(int x, int y, int filter) {
    LAYOUTITEM* items = LockLayoutItems();
    if (!items) return -1;
    int best = -1;
    long long bestArea = 0;
    for (int i = App.Print.Template.Tail; i != LAYOUT_NONE && i < App.Print.Template.Count; i = items[i].Prev) {
        if (items[i].Flags != 0) continue;
        uint8_t type = items[i].Body.Type;
        int qualifies = filter == 0 || (filter == 1 && (type == 'A' || type == 'X')) ||
                        (filter != 1 && strchr("ALMNPSX", filter) && type == filter);
        if (!qualifies) continue;
        const int32_t* r = items[i].Body.Rect;
        if (x < r[0] - 2 || x > r[2] + 2 || y < r[1] - 2 || y > r[3] + 2) continue;
        long long area = (long long)(r[2] - r[0] + 1) * (r[3] - r[1] + 1);
        if (best < 0 || area < bestArea) best = i, bestArea = area;
    }
    UnlockLayoutItems();
    return best;
}

int GetFocusedLayoutItem(void) { return App.Print.FocusedLayoutItem; }
void SetFocusedLayoutItem(int index) { App.Print.FocusedLayoutItem = index; }
int SelectedItemCount(void) { return LayoutSelection.Count; }

int IsItemSelected(int index) {
    uint16_t* list = LayoutSelection.Block ? (uint16_t*)GlobalLock(LayoutSelection.Block) : NULL;
    if (!list) return 0;
    int found = 0;
    for (int i = 0; i < LayoutSelection.Count && !found; ++i) found = list[i] == index;
    GlobalUnlock(LayoutSelection.Block);
    return found;
}

int AddToSelection(int index) {
    if (index < 0 || index > 65533 || IsItemSelected(index) || !LayoutSelection.Block) return -1;
    if (LayoutSelection.Count >= LayoutSelection.Capacity) {
        HGLOBAL grown = GlobalReAlloc(LayoutSelection.Block, (LayoutSelection.Capacity + 20) * sizeof(uint16_t),
                                      GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!grown) return -1;
        LayoutSelection.Block = grown;
        LayoutSelection.Capacity += 20;
    }
    uint16_t* list = (uint16_t*)GlobalLock(LayoutSelection.Block);
    if (!list) return -1;
    list[LayoutSelection.Count] = (uint16_t)index;
    GlobalUnlock(LayoutSelection.Block);
    if (App.CommandBar) InvalidateRect(App.CommandBar, NULL, FALSE);
    return LayoutSelection.Count++;
}

int GetSelectedItem(int position) {
    if (position < 0 || position >= LayoutSelection.Count) return LAYOUT_NONE;
    uint16_t* list = (uint16_t*)GlobalLock(LayoutSelection.Block);
    int index = list ? list[position] : LAYOUT_NONE;
    GlobalUnlock(LayoutSelection.Block);
    return index;
}

void SetSelectedItem(int position, int index) {
    uint16_t* list = (uint16_t*)GlobalLock(LayoutSelection.Block);
    if (list) list[position] = (uint16_t)index;
    GlobalUnlock(LayoutSelection.Block);
}

void RemoveFromSelection(int index) {
    uint16_t* list = LayoutSelection.Block ? (uint16_t*)GlobalLock(LayoutSelection.Block) : NULL;
    if (!list) return;
    for (int i = 0; i < LayoutSelection.Count; ++i)
        if (list[i] == index) {
            list[i] = list[--LayoutSelection.Count];
            break;
        }
    GlobalUnlock(LayoutSelection.Block);
    if (App.CommandBar) InvalidateRect(App.CommandBar, NULL, FALSE);
}

void EmptySelection(void) { LayoutSelection.Count = 0; }

int SelectItemsInRect(const RECT* rect) {
    EmptySelection();
    LAYOUTITEM* items = LockLayoutItems();
    if (!items) return 0;
    int count = 0;
    for (int i = App.Print.Template.Head; i != LAYOUT_NONE && i < App.Print.Template.Count; i = items[i].Next) {
        const int32_t* r = items[i].Body.Rect;
        if (items[i].Flags == 0 && r[0] >= rect->left && r[1] >= rect->top && r[2] <= rect->right &&
            r[3] <= rect->bottom) {
            UnlockLayoutItems();
            if (AddToSelection(i) >= 0) ++count;
            items = LockLayoutItems();
        }
    }
    UnlockLayoutItems();
    return count;
}
