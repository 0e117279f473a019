// The in-place editor: every change goes to the current line's character list, and the box's
// text is rebuilt from that list. Candidate buttons show the alternatives of the character at
// the caret.
#include "line_editor.h"
#include "char_list.h"
#include "engine_memory.h"
#include "glyph_pane.h"
#include "glyphutil.h"
#include "resource_ids.h"
#include "result_edits.h"
#include <commctrl.h>
#include <string.h>

namespace {

constexpr int kTextLimit = 255;
constexpr int kCandidateButtons = 14;
// Candidates a character stores: its glyph index and twelve more.
constexpr int kStoredCandidates = 13;

// Editor flags for the library's lifetime.
bool g_insertMode = true;
int g_leadByte = 0;
bool g_composing = false;
bool g_keyDuringComposition = false;
bool g_deletePending = false;
DWORD g_deleteStart = 0, g_deleteEnd = 0;
WNDPROC g_boxProc = nullptr;
// Whether the edit box counts its positions in bytes (a double-byte character two) or in
// characters; measured once, since systems differ.
bool g_bytePositions = true;
HBRUSH g_frameBrush = nullptr;

RecogLine* CurrentLine(Editor& e) {
    if (!e.Lines.Slots || e.CurrentLine < 0 || e.CurrentLine >= e.Lines.TotalLines) return nullptr;
    return &e.Lines.Slots[e.CurrentLine];
}

void BoxText(HWND box, char* text, int size) { GetWindowTextA(box, text, size); }

DWORD SelectionStart(HWND box, DWORD* end = nullptr) {
    DWORD start = 0, stop = 0;
    SendMessageA(box, EM_GETSEL, (WPARAM)&start, (LPARAM)&stop);
    if (end) *end = stop;
    return start;
}

// Character index of a position of the box.
int CharOfPosition(HWND box, DWORD position) {
    if (!g_bytePositions) return (int)position;
    char text[kTextLimit + 2];
    BoxText(box, text, sizeof text);
    return CharIndexOfOffset(text, position);
}

int CaretChar(HWND box) { return CharOfPosition(box, SelectionStart(box)); }

void MeasurePositions(HWND box) {
    SetWindowTextA(box, "\xD6\xD0"
                        "a");
    SendMessageA(box, EM_SETSEL, 0, -1);
    DWORD end = 0;
    SelectionStart(box, &end);
    g_bytePositions = end == 3;
    SetWindowTextA(box, "");
}

void Refresh(Editor& e) { SendMessageA(e.Dialog, WM_COMMAND, IDC_REFRESH, 0); }

void PutCaretAtChar(HWND box, int index) {
    char text[kTextLimit + 2];
    BoxText(box, text, sizeof text);
    int position = g_bytePositions ? OffsetOfCharIndex(text, index) : index;
    SendMessageA(box, EM_SETSEL, position, position);
}

void CodeText(uint16_t code, char* text) {
    int n = 0;
    if (code > 255) text[n++] = (char)(code >> 8);
    if (code) text[n++] = (char)(code & 0xFF);
    text[n] = 0;
}

void KeyPress(HWND box, int key) {
    SendMessageA(box, WM_KEYDOWN, key, 0);
    SendMessageA(box, WM_KEYUP, key, 0xC0000000);
}

void TypeCode(Editor& e, HWND box, int code) {
    RecogLine* line = CurrentLine(e);
    if (!line) return;
    char text[kTextLimit + 2];
    BoxText(box, text, sizeof text);
    if ((int)strlen(text) >= kTextLimit) return;
    int index = CaretChar(box);
    RecogChar* at = *CharLink(*line, index);
    int32_t glyph = Code_to_index_for_train(code);
    if (g_insertMode || !at) {
        if (!InsertChar(*line, index, glyph)) return;
    } else {
        at->GlyphIndex = glyph;
    }
    char typed[3];
    CodeText((uint16_t)code, typed);
    if (at) SetDlgItemTextA(e.Dialog, IDC_CANDIDATE_FIRST, typed);
    Refresh(e);
    PutCaretAtChar(box, index + 1);
}

void TypedByte(Editor& e, HWND box, int byte) {
    if (g_leadByte) {
        int code = g_leadByte * 256 + byte;
        g_leadByte = 0;
        TypeCode(e, box, code);
        return;
    }
    if (IsDBCSLeadByte((BYTE)byte)) {
        g_leadByte = byte;
        return;
    }
    if (byte < 32) return;
    TypeCode(e, box, byte);
}

void DeleteReleased(Editor& e, HWND box) {
    if (GetKeyState(VK_CONTROL) < 0) return;
    DWORD start = g_deletePending ? g_deleteStart : SelectionStart(box, &g_deleteEnd);
    DWORD end = g_deletePending ? g_deleteEnd : g_deleteEnd;
    g_deletePending = false;
    RecogLine* line = CurrentLine(e);
    if (!line) return;
    // The box already lost the single character itself; the line's text still has it.
    char text[kTextLimit + 2];
    LineText(line, text, sizeof text, 255);
    int first = g_bytePositions ? CharIndexOfOffset(text, start) : (int)start;
    int last = start == end ? first + 1 : g_bytePositions ? CharIndexOfOffset(text, end) : (int)end;
    RemoveChars(*line, first, last);
    Refresh(e);
    PutCaretAtChar(box, first);
    ShowCandidates(e, first);
}

void Paste(Editor& e, HWND box) {
    RecogLine* line = CurrentLine(e);
    if (!line || !OpenClipboard(box)) return;
    // The text is measured and copied while the clipboard is open and its block locked: once
    // closed, another program may empty it and the block is gone.
    char pasted[kTextLimit + 2] = "";
    bool fits = false;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* source = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (source) {
        size_t length = strnlen(source, GlobalSize(data));
        fits = length < sizeof pasted - 1;
        if (fits) memcpy(pasted, source, length);
        GlobalUnlock(data);
    }
    CloseClipboard();
    char text[kTextLimit + 2];
    BoxText(box, text, sizeof text);
    if (!pasted[0] || !fits || strlen(text) + strlen(pasted) >= (size_t)kTextLimit) return;
    int index = CaretChar(box);
    int inserted = 0;
    for (const unsigned char* p = (const unsigned char*)pasted; *p; ++p) {
        int code = *p;
        if (IsDBCSLeadByte(*p) && p[1]) {
            code = (p[0] << 8) | p[1];
            ++p;
        }
        if (code < 32) continue;  // line breaks of copied text stay out of a one-line field
        if (!InsertChar(*line, index + inserted, Code_to_index_for_train(code))) break;
        ++inserted;
    }
    Refresh(e);
    PutCaretAtChar(box, index + inserted);
}

// Rows 11, 12, 15 and 16 of the list ask the host for a look-up on a double-click.
bool DoubleClickCommand(Editor& e, HWND box) {
    static const int rows[] = {11, 12, 15, 16}, commands[] = {87, 85, 88, 86};
    int row = (int)SendMessageA(e.List, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    for (int i = 0; i < 4; ++i) {
        if (row != rows[i]) continue;
        HWND top = GetAncestor(box, GA_ROOT);
        SendMessageA(top, WM_COMMAND, commands[i], 0);
        SetFocus(top);
        return true;
    }
    return false;
}

bool KeyDown(HWND box, WPARAM key) {
    if (g_composing) g_keyDuringComposition = true;
    if (key == VK_TAB || key == VK_UP || key == VK_DOWN) return true;
    if (key != VK_DELETE) return false;
    // Ctrl+Delete leaves the text alone, in the box as in the line.
    if (GetKeyState(VK_CONTROL) < 0) return true;
    if (g_deletePending) return true;
    g_deleteStart = SelectionStart(box, &g_deleteEnd);
    g_deletePending = true;
    return g_deleteStart != g_deleteEnd;
}

bool KeyUp(Editor& e, HWND box, WPARAM key) {
    bool quiet = !g_composing && !g_keyDuringComposition;
    bool swallowed = key == VK_TAB || key == VK_UP || key == VK_DOWN;
    if (key == VK_INSERT) g_insertMode = !g_insertMode;
    if (quiet) {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        if (key == VK_BACK && SelectionStart(box) > 0) {
            KeyPress(box, VK_LEFT);
            KeyPress(box, VK_DELETE);
        } else if (key == VK_TAB || key == VK_UP || key == VK_DOWN) {
            bool previous = key == VK_UP || (key == VK_TAB && shift);
            SendMessageA(e.FieldList, WM_COMMAND, previous ? IDC_PREVIOUS_ROW : IDC_NEXT_ROW, 0);
        } else if (key == VK_LEFT || key == VK_RIGHT) {
            ShowCandidates(e, CaretChar(box));
        } else if (key == VK_DELETE) {
            DeleteReleased(e, box);
        }
    }
    g_keyDuringComposition = false;
    return swallowed;
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor* e = g_editor;
    if (e) {
        switch (message) {
        case WM_KEYDOWN:
            if (KeyDown(box, wParam)) return 0;
            break;
        case WM_KEYUP:
            if (KeyUp(*e, box, wParam)) return 0;
            break;
        case WM_CHAR: TypedByte(*e, box, (int)(wParam & 0xFF)); return 0;
        case WM_IME_STARTCOMPOSITION: g_composing = true; break;
        case WM_IME_ENDCOMPOSITION: g_composing = false; break;
        case WM_LBUTTONDOWN: {
            LRESULT result = CallWindowProcA(g_boxProc, box, message, wParam, lParam);
            ShowCandidates(*e, CaretChar(box));
            return result;
        }
        case WM_LBUTTONDBLCLK:
            if (DoubleClickCommand(*e, box)) return 0;
            break;
        case WM_CUT:
            SendMessageA(box, WM_COPY, 0, 0);
            SendMessageA(box, WM_CLEAR, 0, 0);
            return 0;
        case WM_CLEAR: KeyPress(box, VK_DELETE); return 0;
        case WM_PASTE: Paste(*e, box); return 0;
        case WM_SETFOCUS: {
            LRESULT result = CallWindowProcA(g_boxProc, box, message, wParam, lParam);
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(box, &at);
            LRESULT hit = SendMessageA(box, EM_CHARFROMPOS, 0, MAKELPARAM(at.x, at.y));
            ShowCandidates(*e, CharOfPosition(box, LOWORD(hit)));
            return result;
        }
        }
    }
    return CallWindowProcA(g_boxProc, box, message, wParam, lParam);
}

INT_PTR CALLBACK LineEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORDLG: return (INT_PTR)g_frameBrush;
    case WM_SIZE: {
        HWND box = GetDlgItem(dialog, IDC_LINE_EDIT);
        MoveWindow(box, 1, 1, LOWORD(lParam) - 2, HIWORD(lParam) - 2, TRUE);
        return TRUE;
    }
    }
    return FALSE;
}

// The candidate buffer holds `count` entries: grown by the engine's heap as needed.
bool EnsureCandidateRoom(Editor& e, int count) {
    uint16_t* grown = static_cast<uint16_t*>(OCR_realloc(e.Candidates, count * sizeof(uint16_t)));
    if (!grown) return false;
    e.Candidates = grown;
    return true;
}

void GetCandidates(Editor& e, RecogLine& line, RecogChar* character) {
    RecogChar* previous = nullptr;
    for (RecogChar* c = line.FirstChar; c && c != character; c = c->Next) previous = c;
    uint16_t context[14] = {};
    const RecogImageInfo* image = e.Lines.Page ? &e.Lines.Page->Image : nullptr;
    if (image) {
        context[0] = (uint16_t)(uintptr_t)image->BwBank;
        context[1] = image->BwBytesPerRow;
        context[2] = image->Height;
        context[13] = (uint16_t)image->RelationValue;
    }
    int32_t count = 0;
    GetRelationData(previous, character->Next, character, context, &count, &e.Candidates, 1);
    if (count >= 1) {
        e.CandidateCount = count;
        return;
    }
    int stored = character->CandidateCount;
    if (stored > kStoredCandidates) stored = kStoredCandidates;
    if (stored < 1 || !EnsureCandidateRoom(e, stored)) {
        e.CandidateCount = 0;
        return;
    }
    e.Candidates[0] = (uint16_t)character->GlyphIndex;
    for (int i = 1; i < stored; ++i) e.Candidates[i] = (uint16_t)character->MoreCandidates[i - 1];
    e.CandidateCount = stored;
}

// A button repaints on every change of its text or state: only changes are made.
void SetButton(HWND button, const char* text, bool enabled) {
    char now[8] = "";
    GetWindowTextA(button, now, sizeof now);
    if (strcmp(now, text) != 0) SetWindowTextA(button, text);
    if (!IsWindowEnabled(button) != !enabled) EnableWindow(button, enabled);
}

void ShowButtons(Editor& e, bool show) {
    for (int i = 0; i < kCandidateButtons; ++i)
        ShowWindow(GetDlgItem(e.Dialog, IDC_CANDIDATE_FIRST + i), show ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

void CreateLineEditor(Editor& e) {
    if (!g_frameBrush) g_frameBrush = CreateSolidBrush(RGB(255, 0, 0));
    e.LineEditor = CreateDialogParamA(g_module, MAKEINTRESOURCEA(IDD_LINE_EDITOR), e.List, LineEditorProc, 0);
    e.LineEdit = GetDlgItem(e.LineEditor, IDC_LINE_EDIT);
    RECT client;
    GetClientRect(e.LineEditor, &client);
    MoveWindow(e.LineEdit, 2, 1, client.right - 4, client.bottom - 2, FALSE);
    MeasurePositions(e.LineEdit);
    g_boxProc = (WNDPROC)SetWindowLongPtrA(e.LineEdit, GWLP_WNDPROC, (LONG_PTR)BoxProc);
}

void PlaceLineEditor(Editor& e, const RECT& cell, const char* text) {
    if (!e.LineEditor) return;
    SendMessageA(e.LineEdit, EM_LIMITTEXT, kTextLimit, 0);
    SetWindowTextA(e.LineEdit, text);
    SetWindowPos(e.LineEditor, HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                 SWP_SHOWWINDOW);
    SetFocus(e.LineEdit);
    SendMessageA(e.LineEdit, EM_SETSEL, 0, 0);
}

void HideLineEditor(Editor& e) {
    if (e.LineEditor) ShowWindow(e.LineEditor, SW_HIDE);
}

void ShowCandidates(Editor& e, int k) {
    RecogLine* line = CurrentLine(e);
    if (!line || !line->FirstChar) {
        SetGlyphCharacter(e, nullptr);
        return ShowButtons(e, false);
    }
    ShowButtons(e, true);
    RecogChar* character = *CharLink(*line, k);
    if (character) GetCandidates(e, *line, character);
    int shown = !character ? 0 : e.CandidateCount < kCandidateButtons ? e.CandidateCount : kCandidateButtons;
    for (int i = 0; i < kCandidateButtons; ++i) {
        char text[3] = "";
        if (i < shown) CodeText(Index_to_code(e.Candidates[i]), text);
        SetButton(GetDlgItem(e.Dialog, IDC_CANDIDATE_FIRST + i), text, i < shown);
    }
    if (!character) return SetGlyphCharacter(e, nullptr);
    e.CurrentChar = k;
    SetGlyphCharacter(e, character);
    const RecogBox& box = character->Rect;
    if (box.left == 0 && box.top == 0 && box.right == 0 && box.bottom == 0) ShowButtons(e, false);
}

void PickCharacter(Editor& e, int k) {
    if (!CurrentLine(e)) return;
    PutCaretAtChar(e.LineEdit, k);
    ShowCandidates(e, k);
}

void PickCandidate(Editor& e, int id) {
    RecogLine* line = CurrentLine(e);
    int i = id - IDC_CANDIDATE_FIRST;
    if (!line || i < 0 || i >= e.CandidateCount) return;
    char clicked[8], first[8];
    GetDlgItemTextA(e.Dialog, id, clicked, sizeof clicked);
    GetDlgItemTextA(e.Dialog, IDC_CANDIDATE_FIRST, first, sizeof first);
    SetDlgItemTextA(e.Dialog, id, first);
    SetDlgItemTextA(e.Dialog, IDC_CANDIDATE_FIRST, clicked);
    // The buffer follows the texts, so that a second click picks what its button now shows.
    uint16_t picked = e.Candidates[i];
    e.Candidates[i] = e.Candidates[0];
    e.Candidates[0] = picked;
    int index = CaretChar(e.LineEdit);
    RecogChar* character = *CharLink(*line, index);
    if (!character) return;
    character->GlyphIndex = picked;
    DWORD caret = SelectionStart(e.LineEdit);
    Refresh(e);
    SendMessageA(e.LineEdit, EM_SETSEL, caret, caret);
}
