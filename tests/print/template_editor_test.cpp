// The label template editor driven by messages: mouse presses and moves on its canvas, its
// tool buttons, the template list, and what OK, Save As and Delete leave in the settings file.
#include "print_fixture.h"
#include "dialog_watch.h"
#include "file_bytes.h"
#include "template_editor.h"
#include "resource.h"

using namespace printtest;

namespace {

std::string Setting(const char* section, const char* key) {
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, SettingsPath().c_str());
    return value;
}

std::string Item(const char* text, int left, int top, int width, int height) {
    return std::string(text) + "," + std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) +
           "," + std::to_string(height) + ",Arial,10,400,0,0,0,0,0,0,0";
}

struct Rect4 {
    int Left, Top, Right, Bottom;
    bool operator==(const Rect4& o) const {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

std::ostream& operator<<(std::ostream& out, const Rect4& r) {
    return out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

Rect4 ItemRect(int index) {
    int32_t r[4] = {};
    GetLayoutItemProperty(index, LAYOUT_RECT, r);
    return Rect4{r[0], r[1], r[2], r[3]};
}

class TemplateEditor : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 1; n <= 6; ++n) StoreTemplate(n, {Item("Name", 100, 100, 1000, 400)}, 4000, 5000);
        StoreTemplate(
            1, {Item("Name", 0, 0, 1000, 500), Item("Company", 0, 1000, 2000, 500), Item("Title", 0, 4000, 1000, 500)},
            4000, 5000, "Head", "Foot");
        StoreLayouts({"1, Labels, 11000, 8500, 500, 250, 2, 2, 5000, 4000, 0, 0, 0, 0, 0"}, 0);
        App.Print.SelectedTemplate = 0;
        LoadTemplate(0);
    }
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
        App.Print.CanvasWindow = nullptr;
    }
    void Open() {
        dialog_ =
            CreateDialogParamA(App.Instance, MAKEINTRESOURCEA(IDD_TEMPLATE_EDITOR), nullptr, LayoutEditorDlgProc, 0);
        ASSERT_NE(nullptr, dialog_);
        canvas_ = App.Print.CanvasWindow;
        ASSERT_NE(nullptr, canvas_);
        RECT client;
        GetClientRect(canvas_, &client);
        ASSERT_GT(client.right, 100);
    }
    void Command(int id, int code = BN_CLICKED) {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(dialog_, id));
    }
    void Mouse(UINT message, POINT p, bool shift = false) {
        SendMessageA(canvas_, message, (message == WM_LBUTTONUP ? 0 : MK_LBUTTON) | (shift ? MK_SHIFT : 0),
                     MAKELPARAM(p.x, p.y));
    }
    static POINT Inside(int index) {
        RECT r = ItemCanvasRect(index);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(int index, bool shift = false) {
        Mouse(WM_LBUTTONDOWN, Inside(index), shift);
        Mouse(WM_LBUTTONUP, Inside(index), shift);
    }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(dialog_, id)) != 0; }

    HWND dialog_ = nullptr;
    HWND canvas_ = nullptr;
};

}  // namespace

TEST_F(TemplateEditor, DistributingThreeItemsDownLeavesEqualGaps) {
    Open();
    Command(IDC_SELECT_ALL);
    EXPECT_EQ(3, SelectedItemCount());
    EXPECT_TRUE(Enabled(IDC_DISTRIBUTE_DOWN));
    Command(IDC_DISTRIBUTE_DOWN);
    // Total 3 x 501 = 1503 over a span of 4500: gaps of 1498, each step height + gap + 1.
    EXPECT_EQ((Rect4{0, 0, 1000, 500}), ItemRect(0));
    EXPECT_EQ((Rect4{0, 1999, 2000, 2499}), ItemRect(1));
    EXPECT_EQ((Rect4{0, 3998, 1000, 4498}), ItemRect(2));
}

TEST_F(TemplateEditor, AlignAndSameSizeWorkOnTheSelection) {
    Open();
    Click(0);
    EXPECT_EQ(0, GetFocusedLayoutItem());
    EXPECT_FALSE(Enabled(IDC_ALIGN_LEFT));
    EXPECT_TRUE(Enabled(IDC_TEXT_LEFT));
    EXPECT_TRUE(Enabled(IDC_FONT_BUTTON));
    // Shift and a second item: a two-item selection, everything but distribution enabled.
    Click(1, true);
    EXPECT_EQ(LAYOUT_NONE, GetFocusedLayoutItem());
    EXPECT_EQ(2, SelectedItemCount());
    for (int id = IDC_ALIGN_LEFT; id <= IDC_SELECT_ALL; ++id)
        EXPECT_EQ(id != IDC_DISTRIBUTE_DOWN && id != IDC_DISTRIBUTE_ACROSS, Enabled(id)) << id;
    Command(IDC_SAME_WIDTH);
    EXPECT_EQ((Rect4{0, 0, 2000, 500}), ItemRect(0));
    EXPECT_EQ((Rect4{0, 1000, 2000, 1500}), ItemRect(1));
    Command(IDC_ALIGN_BOTTOM);
    EXPECT_EQ((Rect4{0, 1000, 2000, 1500}), ItemRect(0));
    Command(IDC_TEXT_LEFT + 2);
    uint8_t alignment = 0;
    GetLayoutItemProperty(1, LAYOUT_ALIGNMENT, &alignment);
    EXPECT_EQ(2, alignment);
}

TEST_F(TemplateEditor, MovingAnItemByPixelsKeepsItsSize) {
    Open();
    Rect4 before = ItemRect(1);
    POINT p = Inside(1);
    Mouse(WM_LBUTTONDOWN, p);
    for (POINT step : {POINT{7, 3}, POINT{5, -2}, POINT{3, 9}, POINT{-1, 1}}) {
        p.x += step.x;
        p.y += step.y;
        Mouse(WM_MOUSEMOVE, p);
    }
    Mouse(WM_LBUTTONUP, p);
    Rect4 after = ItemRect(1);
    EXPECT_NE(before.Left, after.Left);
    EXPECT_EQ(before.Right - before.Left, after.Right - after.Left);
    EXPECT_EQ(before.Bottom - before.Top, after.Bottom - after.Top);
}

TEST_F(TemplateEditor, ACornerStopsAtTheOppositeEdgeAndAnEmptyItemIsRemoved) {
    Open();
    Click(1);
    RECT r = ItemCanvasRect(1);
    Mouse(WM_LBUTTONDOWN, POINT{r.right, r.bottom});
    EXPECT_EQ(9, Editor.DragMode);
    Mouse(WM_MOUSEMOVE, POINT{r.left - 30, r.top + 5});
    EXPECT_EQ(r.left, Editor.DragRect.right) << "stops at the left edge";
    EXPECT_EQ(r.top + 5, Editor.DragRect.bottom);
    Mouse(WM_MOUSEMOVE, POINT{r.left - 30, r.top - 30});
    Mouse(WM_LBUTTONUP, POINT{r.left - 30, r.top - 30});
    uint8_t flags = 0;
    GetLayoutItemProperty(1, LAYOUT_FLAGS, &flags);
    EXPECT_EQ(1, flags & 1);
    EXPECT_EQ(2, App.Print.Template.Live);
    EXPECT_EQ(-1, HitTestLayoutItem(500, 1250, 0));
    // OK writes the live items only, numbered without gaps.
    SetDlgItemTextA(dialog_, IDC_TEMPLATE_HEADER, "New Head");
    Command(IDOK);
    EXPECT_EQ("2", Setting("Template1", "FieldCount"));
    EXPECT_EQ("Name,0,0,1000,500,Arial,10,400,0,0,0,0,0,0,0", Setting("Template1", "Field1"));
    EXPECT_EQ("Title,0,4000,1000,500,Arial,10,400,0,0,0,0,0,0,0", Setting("Template1", "Field2"));
    EXPECT_EQ("New Head", Setting("Template1", "Header"));
    EXPECT_EQ("0", Setting("Template", "SelectTemplate"));
}

// A drag whose capture another window takes is over: a later button-up applies nothing.
TEST_F(TemplateEditor, ADragThatLosesTheMouseCaptureIsCancelled) {
    Open();
    struct Case {
        const char* Drag;
        int Item;
        bool Corner;
        POINT To;  // offset from the press
    } cases[] = {
        {"move", 1, false, POINT{40, 25}},
        {"corner", 1, true, POINT{-30, -12}},
        {"corner to nothing", 0, true, POINT{-400, -400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Drag);
        Rect4 before = ItemRect(c.Item);
        Click(c.Item);
        RECT r = ItemCanvasRect(c.Item);
        POINT press = c.Corner ? POINT{r.right, r.bottom} : Inside(c.Item);
        Mouse(WM_LBUTTONDOWN, press);
        ASSERT_NE(DRAG_NONE, Editor.DragMode);
        POINT to = {press.x + c.To.x, press.y + c.To.y};
        Mouse(WM_MOUSEMOVE, to);
        SendMessageA(canvas_, WM_CAPTURECHANGED, 0, (LPARAM)dialog_);
        EXPECT_EQ(DRAG_NONE, Editor.DragMode);
        Mouse(WM_LBUTTONUP, to);
        EXPECT_EQ(before, ItemRect(c.Item));
        uint8_t flags = 0;
        GetLayoutItemProperty(c.Item, LAYOUT_FLAGS, &flags);
        EXPECT_EQ(0, flags) << "the item stays";
    }
    EXPECT_EQ(3, App.Print.Template.Live);
}

// A template whose every item was removed is stored empty: loading it later shows nothing of
// the template that was on the canvas before, and saving it again keeps it empty.
TEST_F(TemplateEditor, ATemplateWithoutItemsIsStoredAndLoadedEmpty) {
    StoreTemplate(6, {Item("Name", 100, 100, 1000, 400)}, 3000, 1500, "Six Head", "Six Foot");
    Open();
    SendDlgItemMessageA(dialog_, IDC_TEMPLATE_NAMES, LB_SETCURSEL, 5, 0);
    Command(IDC_TEMPLATE_NAMES, LBN_SELCHANGE);
    ASSERT_EQ(1, App.Print.Template.Live);
    Click(0);
    RECT r = ItemCanvasRect(0);
    Mouse(WM_LBUTTONDOWN, POINT{r.right, r.bottom});
    Mouse(WM_MOUSEMOVE, POINT{r.left - 5, r.top - 5});
    Mouse(WM_LBUTTONUP, POINT{r.left - 5, r.top - 5});
    ASSERT_EQ(0, App.Print.Template.Live);
    Command(IDOK);
    DestroyWindow(dialog_);
    dialog_ = nullptr;
    EXPECT_EQ("0", Setting("Template6", "FieldCount"));
    EXPECT_EQ("3000", Setting("Template6", "LabelWidth"));
    EXPECT_EQ("Six Head", Setting("Template6", "Header"));

    LoadTemplate(0);
    ASSERT_EQ(3, App.Print.Template.Live);
    LoadTemplate(5);
    EXPECT_EQ(0, App.Print.Template.Live);
    EXPECT_EQ(5, App.Print.SelectedTemplate);
    EXPECT_EQ(3000, App.Print.LabelWidth);
    EXPECT_EQ(1500, App.Print.LabelHeight);
    EXPECT_STREQ("Six Head", App.Print.Header);

    // Through the editor: the first template, then the empty one, then OK.
    App.Print.SelectedTemplate = 0;
    LoadTemplate(0);
    Open();
    SendDlgItemMessageA(dialog_, IDC_TEMPLATE_NAMES, LB_SETCURSEL, 5, 0);
    Command(IDC_TEMPLATE_NAMES, LBN_SELCHANGE);
    EXPECT_EQ(0, App.Print.Template.Live);
    Command(IDOK);
    EXPECT_EQ("0", Setting("Template6", "FieldCount"));
    EXPECT_EQ("Six Head", Setting("Template6", "Header"));
    EXPECT_EQ("3000", Setting("Template6", "LabelWidth"));
}

TEST_F(TemplateEditor, ARubberBandAroundOneItemFocusesIt) {
    Open();
    RECT r = ItemCanvasRect(2);
    Mouse(WM_LBUTTONDOWN, POINT{r.left - 3, r.top - 3});
    EXPECT_EQ(DRAG_RUBBER, Editor.DragMode);
    Mouse(WM_MOUSEMOVE, POINT{r.right + 3, r.bottom + 3});
    Mouse(WM_LBUTTONUP, POINT{r.right + 3, r.bottom + 3});
    EXPECT_EQ(2, GetFocusedLayoutItem());
    EXPECT_EQ(0, SelectedItemCount());
}

TEST_F(TemplateEditor, TheFirstFiveTemplatesCannotBeDeleted) {
    Open();
    SendDlgItemMessageA(dialog_, IDC_TEMPLATE_NAMES, LB_SETCURSEL, 4, 0);
    Command(IDC_TEMPLATE_NAMES, LBN_SELCHANGE);
    EXPECT_FALSE(Enabled(IDC_DELETE_TEMPLATE));
    Command(IDC_DELETE_TEMPLATE);
    EXPECT_EQ("6", Setting("Template", "Count"));
    SendDlgItemMessageA(dialog_, IDC_TEMPLATE_NAMES, LB_SETCURSEL, 5, 0);
    Command(IDC_TEMPLATE_NAMES, LBN_SELCHANGE);
    EXPECT_TRUE(Enabled(IDC_DELETE_TEMPLATE));
    Command(IDC_DELETE_TEMPLATE);
    EXPECT_EQ("5", Setting("Template", "Count"));
    EXPECT_EQ(4, SendDlgItemMessageA(dialog_, IDC_TEMPLATE_NAMES, LB_GETCURSEL, 0, 0)) << "the new last one";
    EXPECT_EQ(4, App.Print.SelectedTemplate);
    EXPECT_FALSE(Enabled(IDC_DELETE_TEMPLATE));
}

TEST_F(TemplateEditor, SaveAsRefusesATakenNameInAnyCaseAndAddsANewTemplate) {
    Open();
    {
        DialogWatch user(IDOK, {{IDC_SAVE_AS_NAME, "TEST TEMPLATE 2"}});
        Command(IDC_SAVE_TEMPLATE_AS);
        std::vector<std::string> texts = user.Texts();
        ASSERT_EQ(2u, texts.size());
        EXPECT_EQ("The name already exists. Please type another one.", texts[1]);
    }
    EXPECT_EQ("6", Setting("Template", "Count"));
    const std::string name(64, 'L');  // the longest name the dialog takes
    {
        DialogWatch user(IDOK, {{IDC_SAVE_AS_NAME, name}});
        Command(IDC_SAVE_TEMPLATE_AS);
    }
    EXPECT_EQ("7", Setting("Template", "Count"));
    EXPECT_EQ(name, Setting("Template7", "TempName"));
    EXPECT_EQ("3", Setting("Template7", "FieldCount"));
    EXPECT_EQ(6, App.Print.SelectedTemplate);
    EXPECT_EQ(6, SendDlgItemMessageA(dialog_, IDC_TEMPLATE_NAMES, LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(Enabled(IDC_DELETE_TEMPLATE));
    // Deleting template 6 moves the long name down whole.
    DeleteTemplate(6);
    EXPECT_EQ("6", Setting("Template", "Count"));
    EXPECT_EQ(name, Setting("Template6", "TempName"));
}

TEST(StoredTemplates, DeletingTheSecondOfFourMovesTheLaterOnesDown) {
    for (int n = 1; n <= 4; ++n)
        StoreTemplate(n, std::vector<std::string>(n, Item(("Text" + std::to_string(n)).c_str(), 0, 0, 100, 100)), 4000,
                      2000, "Header " + std::to_string(n));
    WritePrivateProfileStringA("Template", "Count", "4", SettingsPath().c_str());
    DeleteTemplate(2);
    EXPECT_EQ("3", Setting("Template", "Count"));
    EXPECT_EQ("Test template 1", Setting("Template1", "TempName"));
    EXPECT_EQ("Test template 3", Setting("Template2", "TempName"));
    EXPECT_EQ("Header 3", Setting("Template2", "Header"));
    EXPECT_EQ("3", Setting("Template2", "FieldCount"));
    EXPECT_EQ(Item("Text3", 0, 0, 100, 100), Setting("Template2", "Field3"));
    EXPECT_EQ("Test template 4", Setting("Template3", "TempName"));
    EXPECT_EQ("4", Setting("Template3", "FieldCount"));
    EXPECT_EQ("Test template 4", Setting("Template4", "TempName")) << "the last old section stays";
}

TEST(StoredTemplates, ASelectionAtTheTemplateCountFallsBackToTheFirst) {
    for (int n = 1; n <= 3; ++n) StoreTemplate(n, {Item("Name", 0, 0, 100, 100)}, 4000, 2000);
    WritePrivateProfileStringA("Template", "Count", "3", SettingsPath().c_str());
    HWND dialog = CreateDialogParamA(App.Instance, MAKEINTRESOURCEA(IDD_SAVE_AS_NAME), nullptr, PlainDialog, 0);
    HWND list = CreateWindowExA(0, "ListBox", "", WS_CHILD, 0, 0, 10, 10, dialog, (HMENU)IDC_TEMPLATE_NAMES,
                                App.Instance, nullptr);
    ASSERT_NE(nullptr, list);
    App.Print.SelectedTemplate = 3;
    FillTemplateList(dialog, IDC_TEMPLATE_NAMES);
    EXPECT_EQ(0, App.Print.SelectedTemplate);
    EXPECT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));
    DestroyWindow(dialog);
}

TEST_F(TemplateEditor, TheEditorAsTheUserSeesIt) {
    Open();
    Click(1);
    std::string picture = SaveWindowPicture(dialog_, "template_editor");
    EXPECT_TRUE(IsFile(picture)) << picture;
}
