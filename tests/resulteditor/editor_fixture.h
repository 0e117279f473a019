// The host side of the result editor, in the test process: a top-level window, pages built
// through the utility library's line and character records, and the editor's exports by name.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <memory>
#include <string>
#include <vector>
#include "bank_transfer.h"
#include "dll_module.h"
#include "engine_memory.h"
#include "page_nodes.h"
#include "recogpage.h"

using OvReglyphFn = HWND(WINAPI*)(HWND, RecogPage*, int, int, int);
using PageInfo2ReglyphFn = int(WINAPI*)(RecogPage*, int, int, int);
using Reglyph2PageInfoFn = int(WINAPI*)(RecogPage*, int*, int*, int*);
using CardStatusFn = int(WINAPI*)(int, int);
using EditApiFn = int(WINAPI*)(int);

// A line to build: its group, field kind and text (bytes of code page 936).
struct LineSpec {
    int group;
    int kind;
    std::string text;
};

// A page of one region and one block holding the lines in order (more blocks on request).
class TestPage {
public:
    explicit TestPage(const std::vector<LineSpec>& lines, int blocks = 1);
    ~TestPage();
    RecogPage* page() { return &page_; }
    RecogBlock* block(int i) { return &blocks_[i]; }
    // The lines of the first block in order.
    std::vector<RecogLine*> Lines(int block = 0);
    // A line made from a spec (line_alloc, one char_alloc per character, a box per character).
    static RecogLine* MakeLine(const LineSpec& spec);

private:
    RecogPage page_ = {};
    RecogRegion region_ = {};
    std::vector<RecogBlock> blocks_;
};

// Images for a hand-built page, as the engine keeps them: black-and-white rows (set bit = ink,
// `bytesPerRow` each, in a locked movable block with guard bytes behind it) described to a bank,
// and 8-bit grey rows derived from them.
class PageImages {
public:
    PageImages(RecogPage* page, int width, int height);
    ~PageImages();
    void Ink(int left, int top, int right, int bottom);  // inclusive
    bool InkAt(int x, int y) const;
    uint8_t* Row(int y) { return bw_ + (size_t)y * bytesPerRow_; }
    int BytesPerRow() const { return bytesPerRow_; }
    // True while the guard bytes behind the rows are untouched.
    bool GuardIntact() const;

private:
    RecogPage* page_;
    int width_, height_, bytesPerRow_;
    HGLOBAL bwBlock_, greyBlock_;
    uint8_t* bw_;
    uint8_t* grey_;
};

// Text of a line's characters: codes above 255 as two bytes, high first.
std::string TextOf(const RecogLine* line);
int CharsOf(const RecogLine* line);

// The host window and the editor's exports. Records the commands that reach the host.
class ReglyphHost : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Open(RecogPage* page, int y = 2002, int m = 5, int d = 17);
    // Loads another page into the open editor (_PageInfo2Reglyph); its result.
    int Load(RecogPage* page, int y = 2002, int m = 5, int d = 17);
    void Close();
    // The editor's descendant window with that control id.
    HWND Control(int id);
    HWND List() { return Control(1013); }
    HWND Box() { return Control(1115); }
    int Rows();
    std::string Cell(int row, int column);
    void ShowTab(int tab);
    void SelectRow(int row);
    // Keys and characters to the in-place editor's text box, as the keyboard sends them.
    void Key(int key);
    void Type(const std::string& bytes);
    std::string BoxText();
    // Pumps this thread's messages (paints, posted notes).
    static void Pump();
    // A left-button gesture on a window: press at the first point, moves through the rest,
    // release at the last.
    static void Drag(HWND window, const std::vector<POINT>& path);
    // Engine calls traced since the start of the test (TVRKSDK_TRACE).
    std::vector<std::string> EngineCalls();
    std::string tracePath_;

    DllModule dll_{"Reglyph.dll"};
    OvReglyphFn open_ = nullptr;
    PageInfo2ReglyphFn load_ = nullptr;
    Reglyph2PageInfoFn handBack_ = nullptr;
    CardStatusFn cardStatus_ = nullptr;
    EditApiFn editApi_ = nullptr;
    HWND host_ = nullptr;
    HWND editor_ = nullptr;

public:
    // WM_COMMAND ids the host window received from the editor.
    static std::vector<int> commands_;
    // Closes the running test's editor when it shows `page`: closing hands the lines back into
    // the page, so a page must outlive the editor that shows it.
    static void ClosePage(RecogPage* page);

private:
    static ReglyphHost* running_;
    RecogPage* shown_ = nullptr;
};

// Saves the window's screen area as screenshots\<name>.bmp beside the test program and, through
// ImageMagick, as <name>.png; returns the BMP path.
std::string SaveScreenshot(HWND window, const std::string& name);

// A UTF-8 text in code page 936, as the editor shows it.
std::string Gbk(const char* utf8);
