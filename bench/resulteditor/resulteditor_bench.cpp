// Times the result editor against references measured in the same run:
// - zoom steps from 1:1 down to one ninth and back on a 2480 x 3508 grey page (each step makes
//   the reduced copy and paints the window) against StretchDIBits of the same page to the same
//   sizes into a memory bitmap;
// - loading a page of 250 lines into the editor and handing them back against the same done
//   plainly: the line records copied out and back, the first tab's rows listed in a report list
//   with the first selected, and a menu of them (the editor's load shows its rows too).
// Run: build/wine-exec build/bin/resulteditor_bench.exe (with the display tools/test starts).
#include "best_time.h"
#include "host_note.h"
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string.h>
#include <functional>
#include <vector>
#include "engine_memory.h"
#include "glyphutil.h"
#include "page_nodes.h"
#include "recogpage.h"

namespace {

double Time(const std::function<void()>& work) { return BestTime(work, 15); }

using OpenFn = HWND(WINAPI*)(HWND, RecogPage*, int, int, int);
using LoadFn = int(WINAPI*)(RecogPage*, int, int, int);
using HandBackFn = int(WINAPI*)(RecogPage*, int*, int*, int*);

constexpr int kWidth = 2480, kHeight = 3508, kLines = 250, kCharsPerLine = 24;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

RecogLine* MakeLine(int index) {
    RecogLine* line = line_alloc();
    line->Group = index % 3 == 2 ? 1 : 0;
    line->FieldKind = index % 20;
    line->Orientation = 'h';
    line->Rect = line->Rect2 = RecogBox{100, 20 * index, 100 + 30 * kCharsPerLine, 20 * index + 18};
    RecogChar** tail = &line->FirstChar;
    for (int k = 0; k < kCharsPerLine; ++k) {
        RecogChar* c = char_alloc();
        c->GlyphIndex = 'A' + (index + k) % 26;
        c->CandidateCount = 1;
        c->Rect = c->Rect2 = RecogBox{100 + 30 * k, 20 * index, 128 + 30 * k, 20 * index + 18};
        *tail = c;
        tail = &c->Next;
    }
    return line;
}

// The reference does by plain means what a load and a hand-back of a page must: each line record
// copied into an array and from there into a fresh record again (the characters move with their
// line, as in the editor), the first tab's rows (the group-0 lines and a date row) put into a
// report list of two columns and the first row selected, and a menu with an item per row.
class PlainExchange {
public:
    explicit PlainExchange(HWND parent) {
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 440, 480,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 100;
        SendMessageA(list_, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
        SendMessageA(list_, LVM_INSERTCOLUMNA, 1, (LPARAM)&column);
        menu_ = CreatePopupMenu();
        slots_.resize(256);
    }
    ~PlainExchange() {
        DestroyMenu(menu_);
        DestroyWindow(list_);
    }
    void Run(RecogBlock& block) {
        size_t n = 0;
        for (RecogLine* line = block.FirstLine; line && n < slots_.size(); line = line->Next) slots_[n++] = *line;
        while (GetMenuItemCount(menu_) > 0) DeleteMenu(menu_, 0, MF_BYPOSITION);
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
        int row = 0;
        for (size_t i = 0; i <= n; ++i) {
            if (i < n && slots_[i].Group != 0) continue;
            char name[16], text[260];
            snprintf(name, sizeof name, "kind %d", i < n ? (int)slots_[i].FieldKind : 54);
            Text(i < n ? &slots_[i] : nullptr, text, sizeof text);
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = row++;
            item.pszText = name;
            SendMessageA(list_, LVM_INSERTITEMA, 0, (LPARAM)&item);
            item.iSubItem = 1;
            item.pszText = text;
            SendMessageA(list_, LVM_SETITEMA, 0, (LPARAM)&item);
            AppendMenuA(menu_, MF_STRING, 1010 + i, name);
        }
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list_, LVM_SETITEMSTATE, 0, (LPARAM)&state);
        for (size_t i = 0; i < n; ++i) {
            RecogLine* back = line_alloc();
            *back = slots_[i];
            back->FirstChar = nullptr;  // the characters stay with the page's line
            line_free(back);
        }
    }

private:
    static void Text(const RecogLine* line, char* text, int size) {
        int n = 0;
        for (const RecogChar* c = line ? line->FirstChar : nullptr; c && n + 2 < size; c = c->Next) {
            uint16_t code = Index_to_code(c->GlyphIndex);
            if (code > 255) text[n++] = (char)(code >> 8);
            text[n++] = (char)(code & 0xFF);
        }
        text[n] = 0;
    }
    HWND list_ = nullptr;
    HMENU menu_ = nullptr;
    std::vector<RecogLine> slots_;
};

}  // namespace

int main() {
    PrintHostNote();
    HMODULE library = LoadLibraryA("Reglyph.dll");
    auto open = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(GetProcAddress(library, "_OvReglyph@20")));
    auto load = reinterpret_cast<LoadFn>(reinterpret_cast<void*>(GetProcAddress(library, "_PageInfo2Reglyph@16")));
    auto handBack =
        reinterpret_cast<HandBackFn>(reinterpret_cast<void*>(GetProcAddress(library, "_Reglyph2PageInfo@16")));
    if (!open || !load || !handBack) {
        printf("Reglyph.dll or its exports missing\n");
        return 1;
    }
    WNDCLASSA host = {};
    host.lpfnWndProc = DefWindowProcA;
    host.hInstance = GetModuleHandleA(nullptr);
    host.lpszClassName = "ReglyphBenchHost";
    RegisterClassA(&host);
    HWND window = CreateWindowExA(0, "ReglyphBenchHost", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700,
                                  nullptr, nullptr, host.hInstance, nullptr);

    // A grey A4 page at 300 dpi with one line of text on it.
    RecogPage page = {};
    RecogRegion region = {};
    RecogBlock block = {};
    page.FirstRegion = &region;
    region.FirstBlock = &block;
    block.FirstLine = MakeLine(0);
    int stride = (kWidth + 3) / 4 * 4;
    HGLOBAL grey = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(stride) * kHeight);
    BYTE* pixels = static_cast<BYTE*>(GlobalLock(grey));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < stride; ++x)
            pixels[static_cast<size_t>(y) * stride + x] = static_cast<BYTE>(200 + (x ^ y) % 50);
    page.Image.Width = kWidth;
    page.Image.Height = kHeight;
    page.Image.GreyBytesPerRow = static_cast<uint16_t>(stride);
    page.Image.GreyBitsPerPixel = 8;
    page.Image.GreyRows = grey;
    HWND editor = open(window, &page, 2002, 5, 17);
    Pump();
    HWND image = GetDlgItem(editor, 8012);
    // Level 7 (1:1) first, then down to level 15 and back.
    for (int i = 0; i < 16; ++i) SendMessageA(editor, WM_COMMAND, 1000, 0);
    for (int i = 0; i < 7; ++i) SendMessageA(editor, WM_COMMAND, 1001, 0);
    double zoom = Time([&] {
        for (int command : {1001, 1000})
            for (int i = 0; i < 8; ++i) {
                SendMessageA(editor, WM_COMMAND, command, 0);
                UpdateWindow(image);
            }
    });
    // The reference makes the same reduced pictures of the same page with StretchDIBits.
    std::vector<BYTE> dib(40 + 1024);
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(dib.data());
    info->bmiHeader = {40, kWidth, -kHeight, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    for (int i = 0; i < 256; ++i) info->bmiColors[i] = RGBQUAD{(BYTE)i, (BYTE)i, (BYTE)i, 0};
    HDC screen = GetDC(nullptr);
    double stretch = Time([&] {
        for (int pass = 0; pass < 2; ++pass)
            for (int level = 8; level <= 15; ++level) {
                int w = kWidth / (level - 6), h = kHeight / (level - 6);
                HDC memory = CreateCompatibleDC(screen);
                HBITMAP target = CreateCompatibleBitmap(screen, w, h);
                HGDIOBJ old = SelectObject(memory, target);
                SetStretchBltMode(memory, COLORONCOLOR);
                StretchDIBits(memory, 0, 0, w, h, 0, 0, kWidth, kHeight, pixels, info, DIB_RGB_COLORS, SRCCOPY);
                SelectObject(memory, old);
                DeleteObject(target);
                DeleteDC(memory);
            }
    });
    ReleaseDC(nullptr, screen);
    printf("zoom 1:1 to 1/9 and back, %d x %d grey: editor %.1f ms, StretchDIBits %.1f ms, ratio %.2f (target 3)\n",
           kWidth, kHeight, zoom * 1000, stretch * 1000, zoom / stretch);

    // 250 lines: load and hand back, against copying their records.
    int y, m, d;
    handBack(&page, &y, &m, &d);
    for (RecogLine* line = block.FirstLine; line;) {
        RecogLine* next = line->Next;
        line_free(line);
        line = next;
    }
    RecogLine** tail = &block.FirstLine;
    for (int i = 0; i < kLines; ++i) {
        *tail = MakeLine(i);
        tail = &(*tail)->Next;
    }
    page.Image.GreyRows = nullptr;  // the lines alone
    double exchange = Time([&] {
        load(&page, 2002, 5, 17);
        handBack(&page, &y, &m, &d);
    });
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    PlainExchange plain(window);
    double copy = Time([&] { plain.Run(block); });
    printf("load and hand back %d lines of %d characters: editor %.2f ms, copying them and listing their rows %.2f ms, "
           "ratio %.2f (target 3)\n",
           kLines, kCharsPerLine, exchange * 1000, copy * 1000, exchange / copy);
    DestroyWindow(window);
    GlobalUnlock(grey);
    GlobalFree(grey);
    return 0;
}
