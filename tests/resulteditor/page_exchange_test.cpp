// Loading pages into the editor and handing the lines back, through the exports.
#include "editor_fixture.h"

namespace {

using PageExchange = ReglyphHost;

struct Row {
    std::string name, text;
};

}  // namespace

class RowsOf : public ReglyphHost {
protected:
    std::vector<Row> Tab(int tab) {
        ShowTab(tab);
        std::vector<Row> rows;
        for (int r = 0; r < Rows(); ++r) rows.push_back({Cell(r, 0), Cell(r, 1)});
        return rows;
    }
};

TEST_F(RowsOf, GroupsGoToTheirTabsWithTheDateLineAndTheNoteSlot) {
    // Groups alternate in the page; group 2 is not the editor's.
    TestPage page({{0, 0, "John Smith"},
                   {1, 17, "555-1234"},
                   {0, 1, "Acme"},
                   {2, 5, "kept"},
                   {0, 0, "Jane Doe"},
                   {0, 0, "Third"},
                   {0, 0, "Fourth"}});
    RecogLine* kept = page.Lines()[3];
    ASSERT_TRUE(Open(page.page()));
    std::vector<Row> first = Tab(0);
    ASSERT_EQ(first.size(), 6u);
    const Row expected[] = {{Gbk("姓名"), "John Smith"}, {Gbk("公司"), "Acme"},   {Gbk("姓名 2"), "Jane Doe"},
                            {Gbk("姓名 3"), "Third"},    {Gbk("姓名"), "Fourth"}, {Gbk("日期"), "2002/5/17"}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(first[i].name, expected[i].name) << i;
        EXPECT_EQ(first[i].text, expected[i].text) << i;
    }
    std::vector<Row> other = Tab(1);
    ASSERT_EQ(other.size(), 2u);
    EXPECT_EQ(other[0].name, Gbk("电话"));
    EXPECT_EQ(other[0].text, "555-1234");
    EXPECT_EQ(other[1].name, Gbk("备注"));
    EXPECT_EQ(other[1].text, "");
    // While the editor holds the lines, only the group-2 line is in the block.
    ASSERT_EQ(page.Lines().size(), 1u);
    EXPECT_EQ(page.Lines()[0], kept);
    EXPECT_STREQ(TextOf(kept).c_str(), "kept");
}

TEST_F(RowsOf, KindsOutsideTheNamesGetAnEmptyNameAndNoOrdinal) {
    TestPage page({{0, 55, "a"}, {0, 55, "b"}, {0, -1, "c"}, {0, 1000, "d"}, {0, 52, "e"}, {0, 53, "f"}});
    ASSERT_TRUE(Open(page.page()));
    std::vector<Row> first = Tab(0);
    ASSERT_EQ(first.size(), 7u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(first[i].name, "") << i;
    EXPECT_EQ(first[4].name, Gbk("标志图像"));
    EXPECT_EQ(first[5].name, Gbk("昵称"));
}

TEST_F(PageExchange, HandBackRebuildsTheFirstBlockAndReadsTheDate) {
    TestPage page({{0, 0, "John Smith"}, {1, 17, "555-1234"}, {0, 1, "Acme"}, {2, 5, "kept"}}, 2);
    RecogLine* kept = page.Lines(1)[1];
    ASSERT_EQ(TextOf(kept), "kept");
    ASSERT_TRUE(Open(page.page()));
    int y = 0, m = 0, d = 0;
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    EXPECT_EQ(y, 2002);
    EXPECT_EQ(m, 5);
    EXPECT_EQ(d, 17);
    // Group 0, then group 1 with characters, then what stayed in the block; the empty note
    // slot and the date line do not come back.
    std::vector<RecogLine*> lines = page.Lines(0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(TextOf(lines[0]), "John Smith");
    EXPECT_EQ(lines[0]->Group, 0);
    EXPECT_EQ(lines[0]->FieldKind, 0);
    EXPECT_EQ(TextOf(lines[1]), "Acme");
    EXPECT_EQ(lines[1]->Group, 0);
    EXPECT_EQ(TextOf(lines[2]), "555-1234");
    EXPECT_EQ(lines[2]->Group, 1);
    EXPECT_EQ(lines[2]->FieldKind, 17);
    // The second block keeps only its group-2 line, untouched.
    ASSERT_EQ(page.Lines(1).size(), 1u);
    EXPECT_EQ(page.Lines(1)[0], kept);
    EXPECT_EQ(TextOf(kept), "kept");
    // Closing afterwards changes the page no further.
    Close();
    std::vector<RecogLine*> after = page.Lines(0);
    EXPECT_EQ(after, lines);
    EXPECT_EQ(TextOf(after[0]), "John Smith");
}

// The host may take the lines as often as it likes and in any order with reloads: each time it
// gets copies, and the editor keeps its own lines, shown and editable.
TEST_F(PageExchange, HandingBackGivesCopiesAndKeepsTheEditorsPageWhole) {
    TestPage page({{0, 0, "John"}, {0, 1, "Acme"}, {1, 17, "555"}});
    auto texts = [&] {
        std::vector<std::string> out;
        for (RecogLine* line : page.Lines()) out.push_back(TextOf(line));
        return out;
    };
    const std::vector<std::string> all = {"John", "Acme", "555"};
    ASSERT_TRUE(Open(page.page()));
    int y, m, d;
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    EXPECT_EQ(texts(), all);
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 1), "John");
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    EXPECT_EQ(texts(), all) << "a second hand-back";
    // An edit after a hand-back reaches the next one.
    SelectRow(0);
    SendMessageA(Box(), EM_SETSEL, 4, 4);
    Type("ny");
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Johnny", "Acme", "555"}));
    ASSERT_EQ(Load(page.page(), 2002, 5, 17), 1);
    EXPECT_EQ(Cell(0, 1), "Johnny");
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Johnny", "Acme", "555"}));
    Close();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Johnny", "Acme", "555"}));
}

TEST_F(PageExchange, ClosingHandsTheLinesBackOnce) {
    TestPage page({{0, 0, "John Smith"}, {1, 17, "555-1234"}});
    ASSERT_TRUE(Open(page.page()));
    Close();
    std::vector<RecogLine*> lines = page.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(TextOf(lines[0]), "John Smith");
    EXPECT_EQ(TextOf(lines[1]), "555-1234");
}

TEST_F(PageExchange, HandBackFreesOnlyTheHostsOwnLines) {
    TestPage page({{0, 0, "John"}, {2, 5, "kept"}});
    TestPage host({{0, 0, "host line"}});
    int live = line_live_count();
    ASSERT_TRUE(Open(page.page()));
    int y, m, d;
    // The host hands its own page: its lines are freed, the editor's page gets the lines.
    ASSERT_EQ(handBack_(host.page(), &y, &m, &d), 1);
    EXPECT_TRUE(host.Lines().empty());
    std::vector<RecogLine*> lines = page.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(TextOf(lines[0]), "John");
    EXPECT_EQ(TextOf(lines[1]), "kept");
    // The editor's own page: the lines it left stay, the ones it handed back are the host's.
    ASSERT_EQ(Load(page.page(), 2002, 5, 17), 1);
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    lines = page.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(TextOf(lines[0]), "John");
    EXPECT_EQ(TextOf(lines[1]), "kept");
    EXPECT_EQ(line_live_count(), live - 1);
}

TEST_F(PageExchange, PagesWithoutLinesGetNeitherDateLineNorNoteSlot) {
    TestPage empty({});
    TestPage onlyOther({{2, 0, "x"}, {3, 0, "y"}});
    for (TestPage* page : {&empty, &onlyOther}) {
        ASSERT_TRUE(Open(page->page()));
        EXPECT_EQ(Rows(), 0);
        ShowTab(1);
        EXPECT_EQ(Rows(), 0);
        int y = 1, m = 2, d = 3;
        ASSERT_EQ(handBack_(page->page(), &y, &m, &d), 1);
        EXPECT_EQ(y * 10000 + m * 100 + d, 20020517);
        Close();
    }
    EXPECT_EQ(onlyOther.Lines().size(), 2u);
}

TEST_F(PageExchange, ANullPageOpensAnEmptyEditor) {
    ASSERT_TRUE(Open(nullptr));
    EXPECT_EQ(Rows(), 0);
    int y = 0, m = 0, d = 0;
    EXPECT_EQ(handBack_(nullptr, &y, &m, &d), 1);
    EXPECT_EQ(y, 2002);
}

TEST_F(PageExchange, ThreeHundredLinesKeepTheOnesBeyondTheSlotsInThePage) {
    std::vector<LineSpec> specs;
    for (int i = 0; i < 300; ++i) specs.push_back({i % 3 == 2 ? 1 : 0, 0, "line " + std::to_string(i)});
    TestPage page(specs);
    std::vector<RecogLine*> original = page.Lines();
    ASSERT_TRUE(Open(page.page()));
    // 254 lines took slots; the 46 after them stay in the block in their order.
    std::vector<RecogLine*> left = page.Lines();
    ASSERT_EQ(left.size(), 46u);
    for (int i = 0; i < 46; ++i) EXPECT_EQ(left[i], original[254 + i]);
    int taken0 = 0;
    for (int i = 0; i < 254; ++i) taken0 += i % 3 == 2 ? 0 : 1;
    EXPECT_EQ(Rows(), taken0 + 1);
    ShowTab(1);
    EXPECT_EQ(Rows(), 254 - taken0 + 1);
    int y, m, d;
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    std::vector<RecogLine*> back = page.Lines();
    ASSERT_EQ(back.size(), 300u);
    EXPECT_EQ(TextOf(back[0]), "line 0");
    EXPECT_EQ(TextOf(back[taken0]), "line 2");
    for (int i = 0; i < 46; ++i) EXPECT_EQ(back[254 + i], original[254 + i]);
}

TEST_F(PageExchange, WithoutEngineLinesTheFirstTabEndsWithTheLastGroup0Line) {
    TestPage page({{0, 0, "John"}, {0, 1, "Acme"}, {1, 17, "555"}});
    line_alloc_limit(0);
    HWND editor = Open(page.page());
    line_alloc_limit(-1);
    ASSERT_TRUE(editor);
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(1, 1), "Acme");
    int y = 0, m = 0, d = 0;
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    // No date line: the last group-0 line comes back instead of being read as a date.
    std::vector<RecogLine*> lines = page.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(TextOf(lines[1]), "Acme");
    EXPECT_EQ(lines[1]->Group, 0);
    EXPECT_EQ(y, 2002);
}

TEST_F(PageExchange, LongLinesAreCutAtTheirTextWidth) {
    LineSpec wide{0, 0, std::string(150, 'A')};
    TestPage page({wide, {0, 1, std::string(250, 'B')}});
    // Indices of -32 or less count 1 each.
    for (RecogChar* c = page.Lines()[1]->FirstChar; c; c = c->Next) c->GlyphIndex = -40;
    ASSERT_TRUE(Open(page.page()));
    int y, m, d;
    ASSERT_EQ(handBack_(page.page(), &y, &m, &d), 1);
    std::vector<RecogLine*> lines = page.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(CharsOf(lines[0]), 101);
    EXPECT_EQ(CharsOf(lines[1]), 201);
}

TEST_F(PageExchange, ReloadShowsTheNewPage) {
    TestPage first({{0, 0, "First"}});
    TestPage second({{0, 1, "Second"}, {0, 1, "Again"}});
    ASSERT_TRUE(Open(first.page()));
    ASSERT_EQ(Load(second.page(), 2010, 1, 2), 1);
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 1), "Second");
    EXPECT_EQ(Cell(1, 0), Gbk("公司 2"));
    EXPECT_EQ(Cell(2, 1), "2010/1/2");
}

TEST_F(PageExchange, ExportsOtherThanOpenDoNothingWithoutAnEditor) {
    TestPage page({{0, 0, "John"}});
    for (int round = 0; round < 2; ++round) {
        int y = 7;
        EXPECT_EQ(Load(page.page(), 1, 2, 3), 0);
        EXPECT_EQ(handBack_(page.page(), &y, &y, &y), 0);
        EXPECT_EQ(y, 7);
        EXPECT_EQ(cardStatus_(5, 3), 0);
        EXPECT_EQ(editApi_(1), 0);
        EXPECT_EQ(page.Lines().size(), 1u);
        // Once more after an editor was opened and closed.
        ASSERT_TRUE(Open(nullptr));
        Close();
    }
}
