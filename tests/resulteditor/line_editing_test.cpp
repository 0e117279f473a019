// Host calls and the in-place editor: card status, navigation, clipboard operations, typing,
// deleting, pasting and candidate characters, all checked on the lines handed back.
#include "editor_fixture.h"
#include <thread>

namespace {

// Points the module's import of `name` at `replacement`; the former target.
void* PatchImport(HMODULE module, const char* name, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            void* former = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return former;
        }
    }
    return nullptr;
}

// Stands for another program that puts other text into the clipboard's block the moment the
// editor unlocks it (once, while armed): what the editor reads after that is no longer its text.
decltype(&GlobalUnlock) g_realGlobalUnlock = nullptr;
bool g_replaceOnUnlock = false;
BOOL WINAPI UnlockThenReplace(HGLOBAL block) {
    BOOL result = g_realGlobalUnlock(block);
    if (g_replaceOnUnlock) {
        g_replaceOnUnlock = false;
        if (char* bytes = static_cast<char*>(GlobalLock(block))) {
            SIZE_T size = GlobalSize(block);
            memset(bytes, 'x', size - 1);
            bytes[size - 1] = 0;
            g_realGlobalUnlock(block);
        }
    }
    return result;
}

class LineEditing : public ReglyphHost {
protected:
    // Puts the caret (or a selection) before character `start` (to before `end`) of the box,
    // in the box's own position units (bytes where it counts a double-byte character twice).
    void Caret(int start, int end = -2) {
        SendMessageA(Box(), EM_SETSEL, Position(start), Position(end == -2 ? start : end));
    }
    int Position(int index) {
        std::string text = BoxText();
        SendMessageA(Box(), EM_SETSEL, 0, -1);
        DWORD from = 0, to = 0;
        SendMessageA(Box(), EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        if (to != text.size()) return index;  // counted in characters
        size_t offset = 0;
        for (int i = 0; i < index && offset < text.size(); ++i) offset += IsDBCSLeadByte((BYTE)text[offset]) ? 2 : 1;
        return (int)offset;
    }
    std::string Candidate(int i) {
        char text[8] = "";
        GetWindowTextA(Control(1116 + i), text, sizeof text);
        return text;
    }
    bool CandidateEnabled(int i) { return IsWindowEnabled(Control(1116 + i)) != 0; }
    void Ctrl(bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void Clipboard(const std::string& text) {
        ASSERT_TRUE(OpenClipboard(host_));
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
        CloseClipboard();
    }
    std::string ClipboardText() {
        std::string text;
        if (!OpenClipboard(host_)) return text;
        HANDLE data = GetClipboardData(CF_TEXT);
        if (data) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
    // Lines handed back into the page, as texts.
    std::vector<std::string> HandBack(TestPage& page) {
        int y, m, d;
        EXPECT_EQ(handBack_(page.page(), &y, &m, &d), 1);
        std::vector<std::string> texts;
        for (RecogLine* line : page.Lines()) texts.push_back(TextOf(line));
        return texts;
    }
    // Opens the field menu of `row` and picks its item `item` as a user would with the keys.
    void MoveByMenu(int row, int item) {
        std::thread chooser([item] {
            HWND menu = nullptr;
            for (int i = 0; i < 200 && !(menu = FindWindowA("#32768", nullptr)); ++i) Sleep(25);
            if (!menu) return;
            Sleep(100);
            for (int i = 0; i <= item; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        });
        NMITEMACTIVATE click = {};
        click.hdr = {List(), 1013, (UINT)NM_RCLICK};
        click.iItem = row;
        click.ptAction = {10, 5};
        SendMessageA(GetParent(List()), WM_NOTIFY, 1013, (LPARAM)&click);
        chooser.join();
        Pump();
    }
};

}  // namespace

TEST_F(LineEditing, CardStatusEnablesNavigationAndButtonsReachTheHost) {
    TestPage page({{0, 0, "John"}});
    ASSERT_TRUE(Open(page.page()));
    const int buttons[] = {1018, 1019, 1020, 1021}, commands[] = {94, 97, 96, 95};
    ASSERT_EQ(cardStatus_(1, 1), 1);
    for (int id : buttons) {
        EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
        SendMessageA(Control(id), BM_CLICK, 0, 0);
    }
    Pump();
    EXPECT_TRUE(commands_.empty());
    ASSERT_EQ(cardStatus_(5, 3), 1);
    for (int id : buttons) {
        EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
        SendMessageA(Control(id), BM_CLICK, 0, 0);
        Pump();
    }
    EXPECT_EQ(commands_, std::vector<int>(std::begin(commands), std::end(commands)));
    // The image window's field menu ids 1017 to 1021 are slots, not the dialog's commands.
    commands_.clear();
    for (int id = 1017; id <= 1021; ++id) SendMessageA(editor_, WM_COMMAND, id, 1688);
    Pump();
    EXPECT_TRUE(commands_.empty());
}

TEST_F(LineEditing, EditApiForwardsClipboardCommandsToTheShownBox) {
    TestPage page({{0, 0, "John Smith"}});
    ASSERT_TRUE(Open(page.page()));
    Caret(0, 4);
    EXPECT_EQ(editApi_(1), 1);
    EXPECT_EQ(editApi_(2), 0);
    EXPECT_EQ(ClipboardText(), "John");
    EXPECT_EQ(editApi_(4), 0);  // clear: the four characters leave the line
    EXPECT_EQ(BoxText(), " Smith");
    EXPECT_EQ(editApi_(1), 0);
    Caret(6);
    EXPECT_EQ(editApi_(3), 0);  // paste behind the text
    EXPECT_EQ(BoxText(), " SmithJohn");
    Caret(0, 6);
    EXPECT_EQ(editApi_(5), 0);  // cut
    EXPECT_EQ(ClipboardText(), " Smith");
    EXPECT_EQ(BoxText(), "John");
    EXPECT_EQ(editApi_(6), 0);
    EXPECT_EQ(editApi_(0), 0);
    EXPECT_EQ(HandBack(page), std::vector<std::string>{"John"});
}

TEST_F(LineEditing, TypingGoesIntoTheCharacterList) {
    TestPage page({{0, 0, "John"}});
    ASSERT_TRUE(Open(page.page()));
    Caret(0);
    Type("\xD6\xD0");  // a double-byte character typed in two halves is one character
    EXPECT_EQ(BoxText(), "\xD6\xD0John");
    Caret(1);
    Type("\x01");  // control characters are not typed
    Type("\xB0\xA1");
    EXPECT_EQ(BoxText(), "\xD6\xD0\xB0\xA1John");
    Key(VK_INSERT);  // overwrite mode
    Caret(5);
    Type("X");
    Type("Y");  // at the end a character is added in either mode
    Key(VK_INSERT);
    EXPECT_EQ(BoxText(), "\xD6\xD0\xB0\xA1JohXY");
    Caret(0);
    Key(VK_BACK);  // nothing before the caret
    Caret(4);
    Key(VK_BACK);
    EXPECT_EQ(BoxText(), "\xD6\xD0\xB0\xA1JhXY");
    Caret(6);
    Type("\xB0\x05");  // a stored lead byte takes whatever byte follows
    std::vector<std::string> back = HandBack(page);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], "\xD6\xD0\xB0\xA1JhXY\xB0\x05");
    EXPECT_EQ(CharsOf(page.Lines()[0]), 7);
}

TEST_F(LineEditing, DeleteRemovesTheSelectedCharactersAndCtrlDeleteNothing) {
    TestPage page({{0, 0, "Jo\xD6\xD0nathan"}});
    ASSERT_TRUE(Open(page.page()));
    Caret(1, 4);  // o, the double-byte character and n
    Key(VK_DELETE);
    EXPECT_EQ(BoxText(), "Jathan");
    Caret(1);
    Ctrl(true);
    Key(VK_DELETE);
    Ctrl(false);
    EXPECT_EQ(BoxText(), "Jathan");
    Caret(5);
    Key(VK_DELETE);
    EXPECT_EQ(BoxText(), "Jatha");
    EXPECT_EQ(HandBack(page), std::vector<std::string>{"Jatha"});
}

TEST_F(LineEditing, PasteStopsShortOfTheLimit) {
    TestPage page({{0, 0, std::string(100, 'a')}});
    ASSERT_TRUE(Open(page.page()));
    Caret(100);
    Clipboard(std::string(155, 'b'));  // 100 + 155 reaches 255: nothing goes in
    SendMessageA(Box(), WM_PASTE, 0, 0);
    EXPECT_EQ(BoxText().size(), 100u);
    Clipboard(std::string(154, 'b'));
    SendMessageA(Box(), WM_PASTE, 0, 0);
    EXPECT_EQ(BoxText(), std::string(100, 'a') + std::string(154, 'b'));
    std::vector<std::string> back = HandBack(page);
    EXPECT_EQ(CharsOf(page.Lines()[0]), 254);
}

// Paste takes the clipboard's text while it holds the block: what happens to the block after the
// clipboard is unlocked and closed does not change what was pasted.
TEST_F(LineEditing, PasteCopiesTheTextBeforeLettingTheClipboardGo) {
    TestPage page({{0, 0, "John"}});
    ASSERT_TRUE(Open(page.page()));
    g_realGlobalUnlock = reinterpret_cast<decltype(&GlobalUnlock)>(
        PatchImport(dll_.handle(), "GlobalUnlock", reinterpret_cast<void*>(&UnlockThenReplace)));
    ASSERT_TRUE(g_realGlobalUnlock);
    Clipboard(" Smith" + std::string(1, '\0') + std::string(500, 'z'));
    Caret(4);
    g_replaceOnUnlock = true;
    SendMessageA(Box(), WM_PASTE, 0, 0);
    g_replaceOnUnlock = false;
    PatchImport(dll_.handle(), "GlobalUnlock", reinterpret_cast<void*>(g_realGlobalUnlock));
    EXPECT_EQ(BoxText(), "John Smith");
    EXPECT_EQ(HandBack(page), std::vector<std::string>{"John Smith"});
}

// An editor opened without a page gets its field menu with the first page it is given.
TEST_F(LineEditing, FieldMenuWorksAfterAnEmptyOpenAndALoad) {
    TestPage page({{0, 0, "John"}, {0, 0, "Jane"}});
    ASSERT_TRUE(Open(nullptr));
    ASSERT_EQ(Load(page.page(), 2002, 5, 17), 1);
    ASSERT_EQ(Cell(0, 1), "John");
    MoveByMenu(0, 1);
    EXPECT_EQ(Cell(0, 1), "Jane");
    EXPECT_EQ(Cell(1, 1), "John");
}

TEST_F(LineEditing, CandidatesFromTheEngineAndFromTheCharacter) {
    TestPage page({{0, 0, "0"}, {0, 1, "A"}, {0, 2, "Q"}});
    // "A" stores 20 candidates of which the record holds 13; "Q" stores none.
    std::vector<RecogLine*> lines = page.Lines();
    RecogChar* a = lines[1]->FirstChar;
    a->CandidateCount = 20;
    for (int i = 0; i < 12; ++i) a->MoreCandidates[i] = 'B' + i;
    lines[2]->FirstChar->CandidateCount = 0;
    int guards = OCR_guard_failures();
    ASSERT_TRUE(Open(page.page()));
    // The engine knows 0 and O as look-alikes.
    EXPECT_EQ(Candidate(0), "0");
    EXPECT_EQ(Candidate(1), "O");
    EXPECT_TRUE(CandidateEnabled(1));
    EXPECT_FALSE(CandidateEnabled(2));
    SendMessageA(editor_, WM_COMMAND, 1117, 0);
    EXPECT_EQ(BoxText(), "O");
    EXPECT_EQ(Candidate(0), "O");
    EXPECT_EQ(Candidate(1), "0");
    SendMessageA(editor_, WM_COMMAND, 1117, 0);  // the second click takes what the button now shows
    EXPECT_EQ(BoxText(), "0");
    SelectRow(1);
    for (int i = 0; i < 13; ++i) {
        EXPECT_TRUE(CandidateEnabled(i)) << i;
        EXPECT_EQ(Candidate(i), std::string(1, (char)('A' + i))) << i;
    }
    EXPECT_FALSE(CandidateEnabled(13));
    SelectRow(2);
    for (int i = 0; i < 14; ++i) {
        EXPECT_TRUE(IsWindowVisible(Control(1116 + i))) << i;
        EXPECT_FALSE(CandidateEnabled(i)) << i;
    }
    Close();
    EXPECT_EQ(OCR_guard_failures(), guards);
}

TEST_F(LineEditing, FieldMenuMovesLines) {
    TestPage page({{0, 0, "John"}, {0, 0, "Jane"}, {0, 1, "Acme"}, {1, 17, "555"}});
    ASSERT_TRUE(Open(page.page()));
    // Same kind: the two rows exchange their lines.
    MoveByMenu(0, 1);
    EXPECT_EQ(Cell(0, 1), "Jane");
    EXPECT_EQ(Cell(1, 1), "John");
    // Another kind: the company takes the name, the name row is emptied; both keep their names.
    MoveByMenu(0, 2);
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_EQ(Cell(0, 0), Gbk("姓名"));
    EXPECT_EQ(Cell(2, 1), "Jane");
    EXPECT_EQ(Cell(2, 0), Gbk("公司"));
    // From the second tab: the lines exchange and each keeps the other's kind.
    ShowTab(1);
    MoveByMenu(0, 1);
    EXPECT_EQ(Cell(0, 1), "John");
    EXPECT_EQ(Cell(0, 0), Gbk("姓名"));
    std::vector<std::string> back = HandBack(page);
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[0], "");
    EXPECT_EQ(back[1], "555");
    EXPECT_EQ(back[2], "Jane");
    EXPECT_EQ(back[3], "John");
    EXPECT_EQ(page.Lines()[1]->FieldKind, 0);  // the name slot keeps its kind
    EXPECT_EQ(page.Lines()[3]->FieldKind, 0);
    EXPECT_EQ(page.Lines()[3]->Group, 1);
}

// The engine knows twenty look-alikes of one character: the first fourteen fill the buttons in
// the engine's order, and a click on the last button puts its character in; the engine grew the
// editor's buffer of seven entries in its own heap without harm to its guards.
TEST_F(LineEditing, TwentyEngineCandidatesFillTheFourteenButtons) {
    const std::string shown = Gbk("日曰目田由甲申电白旦旧且自百");
    TestPage page({{0, 0, Gbk("日")}});
    int guards = OCR_guard_failures();
    ASSERT_TRUE(Open(page.page()));
    for (int i = 0; i < 14; ++i) {
        EXPECT_TRUE(IsWindowVisible(Control(1116 + i))) << i;
        EXPECT_TRUE(CandidateEnabled(i)) << i;
        EXPECT_EQ(Candidate(i), shown.substr(2 * i, 2)) << i;
    }
    SendMessageA(editor_, WM_COMMAND, 1129, 0);
    EXPECT_EQ(BoxText(), Gbk("百"));
    EXPECT_EQ(Candidate(0), Gbk("百"));
    EXPECT_EQ(Candidate(13), Gbk("日"));
    Close();
    EXPECT_EQ(OCR_guard_failures(), guards);
    EXPECT_EQ(TextOf(page.Lines()[0]), Gbk("百"));
}

// A press on a row's text picks the character under the pointer, measured in the font the row
// shows from the in-place editor's left edge: the caret goes before it and the buttons show its
// candidates (the engine's for 日 and 1, the character's own for the others). A press past the
// end of the text picks nothing.
TEST_F(LineEditing, PressOnARowPicksTheCharacterUnderThePointer) {
    const std::vector<std::string> chars = {"W", Gbk("日"), "i", "1", Gbk("中")};
    std::string text;
    for (const std::string& c : chars) text += c;
    TestPage page({{0, 0, "John"}, {0, 1, text}});
    ASSERT_TRUE(Open(page.page()));
    // Where row 1's text lies once the in-place editor is over it, character by character.
    SelectRow(1);
    RECT cell;
    GetWindowRect(GetParent(Box()), &cell);
    MapWindowPoints(nullptr, List(), reinterpret_cast<POINT*>(&cell), 2);
    int y = (cell.top + cell.bottom) / 2;
    HDC dc = GetDC(List());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(Box(), WM_GETFONT, 0, 0)));
    std::vector<int> middles;
    int left = cell.left;
    for (const std::string& c : chars) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, c.c_str(), (int)c.size(), &size);
        ASSERT_GT(size.cx, 1);
        middles.push_back(left + size.cx / 2);
        left += size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(List(), dc);
    auto press = [&](int x) {
        SelectRow(0);
        PostMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Pump();
    };
    auto caret = [&] {
        DWORD start = 0, end = 0;
        SendMessageA(Box(), EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        return (int)start;
    };
    for (size_t k = 0; k < chars.size(); ++k) {
        SCOPED_TRACE(k);
        press(middles[k]);
        ASSERT_EQ(BoxText(), text);
        int at = caret();  // read before Position, which selects the whole text to count it
        EXPECT_EQ(at, Position((int)k));
        EXPECT_EQ(Candidate(0), chars[k]);
    }
    press(middles[1]);
    EXPECT_EQ(Candidate(1), Gbk("曰"));
    press(middles[3]);
    EXPECT_EQ(Candidate(1), "l");
    press(left + 30);
    EXPECT_EQ(caret(), 0);
    EXPECT_EQ(Candidate(0), "W");
}
