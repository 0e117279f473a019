// A recognising host of the result editor: recognises the card images named on its command line
// one at a time, shows each in the editor, moves between them when the editor asks (commands 94
// first, 95 last, 96 next, 97 previous) and writes out what the editor hands back, for each card
// it leaves and when it is closed.
//
// Usage: reglyph_host.exe /O <output file> [/D <year>/<month>/<day>] <card.bmp> [<card.bmp> ...]
// The output file gets, per hand-back, "[<card file>]", "date=<y>/<m>/<d>" and one line
// "<group>\t<field kind>\t<text>" per line of the page's first block (texts in the process code
// page). Exit code 0, or 1 for a bad command line, 2 when the editor library is missing.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "card_page.h"

namespace {

using OpenFn = HWND(WINAPI*)(HWND, RecogPage*, int, int, int);
using LoadFn = int(WINAPI*)(RecogPage*, int, int, int);
using HandBackFn = int(WINAPI*)(RecogPage*, int*, int*, int*);
using StatusFn = int(WINAPI*)(int, int);

struct Host {
    std::vector<std::string> Cards;
    std::string Output;
    int Current = 0;
    int Date[3] = {2002, 1, 1};
    CardRecognizer* Engine = nullptr;
    RecogPage* Page = nullptr;
    HWND Window = nullptr;
    OpenFn Open = nullptr;
    LoadFn Load = nullptr;
    HandBackFn HandBack = nullptr;
    StatusFn Status = nullptr;
};
Host g_host;

std::string LineText(const RecogLine* line) {
    std::string text;
    for (const RecogChar* c = line->FirstChar; c; c = c->Next) {
        int code = c->GlyphIndex & 0xFFFF;
        if (code > 0xFF) text += static_cast<char>(code >> 8);
        text += static_cast<char>(code & 0xFF);
    }
    return text;
}

// Takes the editor's lines back into the page and appends them to the output file.
void WriteHandBack() {
    if (!g_host.Page) return;
    g_host.HandBack(g_host.Page, &g_host.Date[0], &g_host.Date[1], &g_host.Date[2]);
    FILE* f = fopen(g_host.Output.c_str(), "ab");
    if (!f) return;
    fprintf(f, "[%s]\r\ndate=%d/%d/%d\r\n", g_host.Cards[g_host.Current].c_str(), g_host.Date[0], g_host.Date[1],
            g_host.Date[2]);
    RecogRegion* region = g_host.Page->FirstRegion;
    RecogBlock* block = region ? region->FirstBlock : nullptr;
    for (RecogLine* line = block ? block->FirstLine : nullptr; line; line = line->Next)
        fprintf(f, "%d\t%d\t%s\r\n", line->Group, line->FieldKind, LineText(line).c_str());
    fclose(f);
}

void ShowCard(int index, bool first) {
    g_host.Current = index;
    g_host.Page = g_host.Engine->Recognise(g_host.Cards[index]);
    if (first) {
        g_host.Open(g_host.Window, g_host.Page, g_host.Date[0], g_host.Date[1], g_host.Date[2]);
    } else {
        g_host.Load(g_host.Page, g_host.Date[0], g_host.Date[1], g_host.Date[2]);
    }
    g_host.Status(static_cast<int>(g_host.Cards.size()), index + 1);
}

void Navigate(int command) {
    int last = static_cast<int>(g_host.Cards.size()) - 1, next = g_host.Current;
    if (command == 94) next = 0;
    if (command == 95) next = last;
    if (command == 96 && next < last) ++next;
    if (command == 97 && next > 0) --next;
    if (next == g_host.Current) return;
    WriteHandBack();
    ShowCard(next, false);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) >= 94 && LOWORD(wParam) <= 97) Navigate(LOWORD(wParam));
        return 0;
    case WM_SIZE: {
        HWND editor = GetWindow(window, GW_CHILD);
        if (editor) MoveWindow(editor, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    case WM_CLOSE:
        WriteHandBack();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool ReadArguments() {
    for (int i = 1; i < __argc; ++i) {
        std::string a = __argv[i];
        if ((a == "/O" || a == "/o") && i + 1 < __argc) g_host.Output = __argv[++i];
        else if ((a == "/D" || a == "/d") && i + 1 < __argc)
            sscanf(__argv[++i], "%d/%d/%d", &g_host.Date[0], &g_host.Date[1], &g_host.Date[2]);
        else g_host.Cards.push_back(a);
    }
    return !g_host.Output.empty() && !g_host.Cards.empty();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!ReadArguments()) return 1;
    HMODULE library = LoadLibraryA("Reglyph.dll");
    if (!library) return 2;
    g_host.Open = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(GetProcAddress(library, "_OvReglyph@20")));
    g_host.Load = reinterpret_cast<LoadFn>(reinterpret_cast<void*>(GetProcAddress(library, "_PageInfo2Reglyph@16")));
    g_host.HandBack =
        reinterpret_cast<HandBackFn>(reinterpret_cast<void*>(GetProcAddress(library, "_Reglyph2PageInfo@16")));
    g_host.Status =
        reinterpret_cast<StatusFn>(reinterpret_cast<void*>(GetProcAddress(library, "_Reglyph4CardStatus@8")));
    if (!g_host.Open || !g_host.Load || !g_host.HandBack || !g_host.Status) return 2;
    CardRecognizer engine(true);
    g_host.Engine = &engine;
    WNDCLASSA host = {};
    host.lpfnWndProc = HostProc;
    host.hInstance = instance;
    host.hCursor = LoadCursor(nullptr, IDC_ARROW);
    host.lpszClassName = "ReglyphHost";
    RegisterClassA(&host);
    g_host.Window = CreateWindowExA(0, "ReglyphHost", "Reglyph host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700,
                                    nullptr, nullptr, instance, nullptr);
    ShowCard(0, true);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
