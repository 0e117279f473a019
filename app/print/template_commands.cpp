// The template editor's tool buttons: alignment of edges and centres, even distribution,
// equal sizes, text alignment and selection of every item.
#include "template_editor.h"
#include "shell.h"
#include "resource.h"
#include <algorithm>

static int ItemRect(int index, int32_t* r) { return GetLayoutItemProperty(index, LAYOUT_RECT, r); }

static void PlaceItem(int index, const int32_t* r) {
    InvalidateItem(index);
    SetLayoutItemProperty(index, LAYOUT_RECT, r);
    InvalidateItem(index);
}

// Edges: left 1024, centre across 1025, right 1026, top 1027, centre down 1028, bottom 1029.
static void AlignSelection(int id) {
    int n = SelectedItemCount();
    if (n < 2) return;
    int32_t r[4];
    ItemRect(GetSelectedItem(0), r);
    int left = r[0], top = r[1], right = r[2], bottom = r[3];
    for (int i = 1; i < n; ++i) {
        ItemRect(GetSelectedItem(i), r);
        left = std::min(left, (int)r[0]), top = std::min(top, (int)r[1]);
        right = std::max(right, (int)r[2]), bottom = std::max(bottom, (int)r[3]);
    }
    for (int i = 0; i < n; ++i) {
        int index = GetSelectedItem(i);
        ItemRect(index, r);
        int dx = 0, dy = 0;
        switch (id - IDC_ALIGN_LEFT) {
        case 0: dx = left - r[0]; break;
        case 1: dx = (left + right) / 2 - (r[0] + r[2]) / 2; break;
        case 2: dx = right - r[2]; break;
        case 3: dy = top - r[1]; break;
        case 4: dy = (top + bottom) / 2 - (r[1] + r[3]) / 2; break;
        case 5: dy = bottom - r[3]; break;
        }
        int32_t moved[4] = {r[0] + dx, r[1] + dy, r[2] + dx, r[3] + dy};
        PlaceItem(index, moved);
    }
}

// Places the items one after another from the first, with equal gaps between them.
static void DistributeSelection(int across) {
    int n = SelectedItemCount();
    if (n < 3) return;
    int start = across ? 0 : 1, end = across ? 2 : 3;
    // Sort the selection by its leading edge, in place.
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0; --j) {
            int32_t a[4], b[4];
            ItemRect(GetSelectedItem(j - 1), a);
            ItemRect(GetSelectedItem(j), b);
            if (a[start] <= b[start]) break;
            int kept = GetSelectedItem(j);
            SetSelectedItem(j, GetSelectedItem(j - 1));
            SetSelectedItem(j - 1, kept);
        }
    int32_t r[4];
    int total = 0, first = 0, last = 0;
    for (int i = 0; i < n; ++i) {
        ItemRect(GetSelectedItem(i), r);
        total += r[end] - r[start] + 1;
        first = i == 0 ? r[start] : std::min(first, (int)r[start]);
        last = i == 0 ? r[end] : std::max(last, (int)r[end]);
    }
    int gap = (last - first - total) / (n - 1);
    if (gap <= 0) return;
    int position = first;
    for (int i = 0; i < n; ++i) {
        int index = GetSelectedItem(i);
        ItemRect(index, r);
        int size = r[end] - r[start];
        r[start] = position;
        r[end] = position + size;
        PlaceItem(index, r);
        position += size + gap + 1;
    }
}

// Width 1032, height 1033, both 1034: the largest of the selection, the first on a tie.
static void SameSize(int id) {
    int n = SelectedItemCount();
    if (n < 2) return;
    int32_t r[4];
    int width = -1, height = -1;
    for (int i = 0; i < n; ++i) {
        ItemRect(GetSelectedItem(i), r);
        if (r[2] - r[0] > width) width = r[2] - r[0];
        if (r[3] - r[1] > height) height = r[3] - r[1];
    }
    for (int i = 0; i < n; ++i) {
        int index = GetSelectedItem(i);
        ItemRect(index, r);
        if (id != IDC_SAME_WIDTH + 1) r[2] = r[0] + width;
        if (id != IDC_SAME_WIDTH) r[3] = r[1] + height;
        PlaceItem(index, r);
    }
}

static void SetTextStyle(int index, int id) {
    uint8_t drawMode = id == IDC_DRAW_MODE_ONE ? 1 : 0;
    if (id != IDC_DRAW_MODE_ONE) {
        uint8_t alignment = (uint8_t)(id - IDC_TEXT_LEFT);
        SetLayoutItemProperty(index, LAYOUT_ALIGNMENT, &alignment);
    }
    SetLayoutItemProperty(index, LAYOUT_DRAW_MODE, &drawMode);
    InvalidateItem(index);
}

void SelectAllItems(void) {
    ClearLayoutSelection();
    LAYOUTITEM* items = LockLayoutItems();
    if (!items) return;
    int count = App.Print.Template.Count;
    for (int i = App.Print.Template.Head; i != LAYOUT_NONE && i < count; i = items[i].Next) {
        if (items[i].Flags & 1) continue;
        UnlockLayoutItems();
        AddToSelection(i);
        InvalidateItem(i);
        items = LockLayoutItems();
    }
    UnlockLayoutItems();
}

void OnEditorToolCommand(int id) {
    if (id >= IDC_ALIGN_LEFT && id <= IDC_ALIGN_BOTTOM) AlignSelection(id);
    else if (id == IDC_DISTRIBUTE_DOWN || id == IDC_DISTRIBUTE_ACROSS) DistributeSelection(id == IDC_DISTRIBUTE_ACROSS);
    else if (id >= IDC_SAME_WIDTH && id <= IDC_SAME_BOTH) SameSize(id);
    else if (id >= IDC_TEXT_LEFT && id <= IDC_DRAW_MODE_ONE) {
        if (GetFocusedLayoutItem() != LAYOUT_NONE) SetTextStyle(GetFocusedLayoutItem(), id);
        else
            for (int i = 0; i < SelectedItemCount(); ++i) SetTextStyle(GetSelectedItem(i), id);
    } else if (id == IDC_SELECT_ALL) {
        SelectAllItems();
        UpdateEditorButtons();
    }
}
