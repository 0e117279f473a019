// The Page Setup dialog driven by messages as a user's clicks and typing send them; what it
// shows, and what it leaves in the settings file.
#include "print_fixture.h"
#include "dialog_watch.h"
#include "file_bytes.h"
#include "resource.h"
#include <commctrl.h>
#include <stdlib.h>

using namespace printtest;

namespace {

// 18 built-in styles, then two of the user's.
std::vector<std::string> StoredStyles() {
    std::vector<std::string> lines;
    for (int i = 1; i <= 18; ++i)
        lines.push_back(std::to_string(i) + ", Built In " + std::to_string(i) +
                        ", 11000, 8500, 500, 750, 2, 5, 2000, 3500, 0, 0, 0, 0, 0");
    lines.push_back("19, My Cards, 11000, 8500, 500, 750, 2, 5, 2000, 3500, 0, 0, 0, 0, 0");
    lines.push_back("20, My Labels, 11000, 8500, 500, 187, 3, 10, 1000, 2625, 0, 125, 0, 0, 0");
    return lines;
}

std::string Setting(const char* section, const char* key) {
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, SettingsPath().c_str());
    return value;
}

class PageSetup : public ::testing::Test {
protected:
    void SetUp() override {
        StoreTemplate(1, {"Name,100,100,3300,400,Arial,12,700,0,0,0,0,0,0,0"}, 3500, 2000, "First Header",
                      "First Footer");
        StoreTemplate(2, {"Company,100,100,3300,400,Arial,12,700,0,0,0,0,0,0,0"}, 3500, 2000, "Second Header", "");
        StoreLayouts(StoredStyles(), 18);
        OpenCards(12);
    }
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
    }
    // The dialog as File > Page Setup opens it, kept hidden and driven from this thread.
    void Open() {
        dialog_ = CreateDialogParamA(App.Instance, MAKEINTRESOURCEA(IDD_PAGE_SETUP), nullptr, PageSetupDlgProc, 0);
        ASSERT_NE(nullptr, dialog_);
    }
    std::string Text(int id) {
        char text[128] = "";
        GetDlgItemTextA(dialog_, id, text, sizeof text);
        return text;
    }
    void Type(int id, const char* text) { SetDlgItemTextA(dialog_, id, text); }
    void Command(int id, int code = BN_CLICKED) {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(dialog_, id));
    }
    // Enter in an edit: the focus is there and the default button is pressed.
    void Enter(int id) {
        SetFocus(GetDlgItem(dialog_, id));
        Command(IDOK);
    }
    void ChooseStyle(int index) {
        SendDlgItemMessageA(dialog_, IDC_STYLE_LIST, CB_SETCURSEL, index, 0);
        Command(IDC_STYLE_LIST, CBN_SELCHANGE);
    }
    void Spin(int id, int delta) {
        NMUPDOWN change = {};
        change.hdr.hwndFrom = GetDlgItem(dialog_, id);
        change.hdr.idFrom = id;
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        SendMessageA(dialog_, WM_NOTIFY, id, (LPARAM)&change);
    }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(dialog_, id)) != 0; }
    int Thousandths(int id) { return (int)(atof(Text(id).c_str()) * 1000 + 0.5); }

    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(PageSetup, ShowsTheStoredStyleInInchesAndLetsOnlyUserStylesBeEdited) {
    Open();
    EXPECT_EQ(18, SendDlgItemMessageA(dialog_, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("11.000", Text(IDC_PAPER_HEIGHT));
    EXPECT_EQ("8.500", Text(IDC_PAPER_WIDTH));
    EXPECT_EQ("0.500", Text(IDC_TOP_MARGIN));
    EXPECT_EQ("2", Text(IDC_COLUMNS));
    EXPECT_EQ("2.000", Text(IDC_LABEL_HEIGHT));
    EXPECT_EQ("3.500", Text(IDC_LABEL_WIDTH));
    EXPECT_EQ("First Header", Text(IDC_TEMPLATE_HEADER));
    EXPECT_TRUE(Enabled(IDC_PAPER_HEIGHT));
    EXPECT_TRUE(Enabled(IDC_UPDATE_STYLE));
    EXPECT_TRUE(IsDlgButtonChecked(dialog_, IDC_PREVIEW_CHECK));
    EXPECT_NE(nullptr, FindWindowExA(dialog_, nullptr, "IMC_Preview20", nullptr));
    ChooseStyle(3);
    for (int id : {IDC_PAPER_HEIGHT, IDC_COLUMNS, IDC_COLUMN_GAP, IDC_UPDATE_STYLE, IDC_DELETE_STYLE, 3004})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_SAVE_STYLE_AS));
}

TEST_F(PageSetup, WithoutAnyStyleNothingCanBeEdited) {
    StoreLayouts({}, 0);
    Open();
    EXPECT_EQ(CB_ERR, SendDlgItemMessageA(dialog_, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0));
    for (int id : {IDC_PAPER_HEIGHT, IDC_TOP_MARGIN, IDC_ROWS, IDC_UPDATE_STYLE, IDC_DELETE_STYLE, 3002})
        EXPECT_FALSE(Enabled(id)) << id;
    Command(IDC_UPDATE_STYLE);  // nothing to update, nothing breaks
    Command(IDOK);
    EXPECT_EQ("0", Setting("PaperLayout", "Count"));
}

TEST_F(PageSetup, TypedValuesAreLimitedAndUpdateWritesTheStyle) {
    Open();
    struct Case {
        int Id;
        const char* Typed;
        int Shown;  // thousandths, or the count for columns and rows
    } cases[] = {
        {IDC_COLUMNS, "12", 12},       {IDC_COLUMNS, "0", 1},
        {IDC_ROWS, "10", 10},          {IDC_TOP_MARGIN, "9", 5495},    // (11000 - 10) / 2 with ten rows and no gap
        {IDC_TOP_MARGIN, "0.75", 750}, {IDC_LEFT_MARGIN, "abc", 750},  // not a number: the stored value stays
        {IDC_PAPER_WIDTH, "0", 1},  // never a width of 0 (the left margin then has no room)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        Type(c.Id, c.Typed);
        Enter(c.Id);
        EXPECT_NE(nullptr, App.Print.PreviewWindow) << "the dialog stays open";
        if (c.Id == IDC_COLUMNS || c.Id == IDC_ROWS) EXPECT_EQ(std::to_string(c.Shown), Text(c.Id));
        else EXPECT_EQ(c.Shown, Thousandths(c.Id));
    }
    Type(IDC_PAPER_WIDTH, "8.5");
    Type(IDC_LEFT_MARGIN, "0.75");
    Type(IDC_COLUMNS, "3");
    Type(IDC_ROWS, "5");
    Type(IDC_ROW_GAP, "0.125");
    Command(IDC_UPDATE_STYLE);
    // Label height (11000 - 1500 - 4 x 125) / 5, width (8500 - 1500) / 3.
    EXPECT_EQ("19, My Cards, 11000, 8500, 750, 750, 3, 5, 1800, 2333, 125, 0, 0, 0, 0", Setting("PaperLayout", "@19"));
    EXPECT_EQ("18", Setting("PaperLayout", "SelectLayout"));
    EXPECT_EQ("", Setting("PaperLayout", "DefaultCount")) << "the section is written anew";
    EXPECT_EQ(1800, App.Print.PageGeometry[10]);
    EXPECT_EQ(3, App.Print.PageGeometry[9]);
}

// Lengths up to the dialog's 99 inches reach the renderer whole, labels and gaps beyond
// 65.535 inches included.
TEST_F(PageSetup, LongPaperKeepsItsLabelSizesAndGapsWhole) {
    Open();
    struct Case {
        const char *Height, *Rows, *RowGap;
        int LabelHeight, RowGapKept;
    } cases[] = {
        {"70", "1", "0", 69000, 0},  // 70 - 2 x 0.5 inches of margin
        {"99", "1", "0", 98000, 0},
        {"99", "2", "66", 16000, 66000},  // (99000 - 1000 - 66000) / 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Height);
        Type(IDC_PAPER_HEIGHT, c.Height);
        Type(IDC_TOP_MARGIN, "0.5");
        Type(IDC_ROWS, c.Rows);
        Type(IDC_ROW_GAP, c.RowGap);
        Command(IDC_UPDATE_STYLE);
        EXPECT_EQ(c.LabelHeight, Thousandths(IDC_LABEL_HEIGHT));
        EXPECT_EQ(c.LabelHeight, (int)App.Print.PageGeometry[10]);
        EXPECT_EQ(c.RowGapKept, (int)App.Print.PageGeometry[7]);
        EXPECT_EQ(500, (int)App.Print.PageGeometry[1]);
    }
    LoadSelectedLayout();  // as the print job does
    EXPECT_EQ(16000, (int)App.Print.PageGeometry[10]);
    EXPECT_EQ(66000, (int)App.Print.PageGeometry[7]);
    EXPECT_EQ(99000, App.Print.PaperHeight);
}

TEST_F(PageSetup, UpDownsStepATenthOfAnInchOrOneCell) {
    Open();
    Spin(IDC_TOP_MARGIN_SPIN, 1);
    EXPECT_EQ(600, Thousandths(IDC_TOP_MARGIN));
    Type(IDC_TOP_MARGIN, "0.0");
    Spin(IDC_TOP_MARGIN_SPIN, -1);
    EXPECT_EQ(0, Thousandths(IDC_TOP_MARGIN));
    Spin(3004, 1);  // columns
    EXPECT_EQ("3", Text(IDC_COLUMNS));
    Type(IDC_ROWS, "1");
    Spin(3005, -1);
    EXPECT_EQ("1", Text(IDC_ROWS));
    EXPECT_EQ(0, SendDlgItemMessageA(dialog_, IDC_TOP_MARGIN_SPIN, UDM_GETPOS, 0, 0) & 0xFFFF);
}

TEST_F(PageSetup, SaveAsRefusesATakenNameAndStoresANameWithACommaReadably) {
    Open();
    {
        DialogWatch user(IDOK, {{IDC_SAVE_AS_NAME, "My Labels"}});
        Command(IDC_SAVE_STYLE_AS);
        std::vector<std::string> texts = user.Texts();
        ASSERT_EQ(2u, texts.size());
        EXPECT_EQ("The name already exists. Please type another one.", texts[1]);
    }
    EXPECT_EQ(20, App.Print.LayoutCount);
    ChooseStyle(0);  // a built-in style: Save As makes an editable copy
    Type(IDC_COLUMNS, "4");
    {
        DialogWatch user(IDOK, {{IDC_SAVE_AS_NAME, "Wide, Tall"}});
        Command(IDC_SAVE_STYLE_AS);
    }
    EXPECT_EQ(21, App.Print.LayoutCount);
    EXPECT_EQ(20, SendDlgItemMessageA(dialog_, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0));
    EXPECT_TRUE(Enabled(IDC_PAPER_HEIGHT));
    EXPECT_EQ("", Setting("PaperLayout", "@21")) << "written only by Update or OK";
    Command(IDOK);
    EXPECT_EQ("21", Setting("PaperLayout", "Count"));
    EXPECT_EQ("20", Setting("PaperLayout", "SelectLayout"));
    EXPECT_EQ("1, Wide; Tall, 11000, 8500, 500, 750, 4, 5, 2000, 1750, 0, 0, 0, 0, 0", Setting("PaperLayout", "@21"));
    LoadLayoutTable(20);
    PAPERLAYOUTRECORD* r = LockLayout(20);
    ASSERT_NE(nullptr, r);
    EXPECT_STREQ("Wide; Tall", r->Name);
    EXPECT_EQ(4, r->Columns);
    EXPECT_EQ(1750, r->LabelWidth);
    UnlockLayouts();
}

TEST_F(PageSetup, DeletingTheLastStyleSelectsTheNewLastAndOkWritesTheTable) {
    Open();
    ChooseStyle(19);
    Command(IDC_DELETE_STYLE);
    EXPECT_EQ(18, SendDlgItemMessageA(dialog_, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("My Cards", std::string(Text(IDC_STYLE_LIST)));
    EXPECT_TRUE(Enabled(IDC_PAPER_HEIGHT));
    Command(IDC_DELETE_STYLE);
    EXPECT_EQ(17, SendDlgItemMessageA(dialog_, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0));
    EXPECT_FALSE(Enabled(IDC_PAPER_HEIGHT)) << "a built-in style is selected now";
    Command(IDOK);
    EXPECT_EQ("18", Setting("PaperLayout", "Count"));
    EXPECT_EQ("", Setting("PaperLayout", "@19"));
}

TEST_F(PageSetup, CancelWritesNothingAndCloseAfterChangesRestoresTheStoredStyle) {
    Open();
    ChooseStyle(19);
    Type(IDC_COLUMNS, "7");
    Command(IDC_UPDATE_STYLE);  // written
    Type(IDC_COLUMNS, "9");
    Enter(IDC_COLUMNS);
    Command(IDCANCEL);
    DestroyWindow(dialog_);
    EXPECT_EQ("20, My Labels, 11000, 8500, 500, 187, 7, 10, 1000, 1053, 0, 125, 0, 0, 0",
              Setting("PaperLayout", "@20"));
    Open();
    ChooseStyle(3);
    EXPECT_EQ(3, App.Print.SelectedLayout);
    SendMessageA(dialog_, WM_CLOSE, 0, 0);
    EXPECT_EQ(19, App.Print.SelectedLayout) << "the stored selection";
    EXPECT_EQ(7, App.Print.PageGeometry[9]);
}

TEST_F(PageSetup, ChoosingATemplateShowsItsHeaderAndLoadsIt) {
    Open();
    SendDlgItemMessageA(dialog_, IDC_TEMPLATE_LIST, CB_SETCURSEL, 1, 0);
    Command(IDC_TEMPLATE_LIST, CBN_SELCHANGE);
    EXPECT_EQ(1, App.Print.SelectedTemplate);
    EXPECT_EQ("Second Header", Text(IDC_TEMPLATE_HEADER));
    LAYOUTITEMBODY body;
    ASSERT_EQ(1, GetLayoutItemProperty(0, LAYOUT_BODY, &body));
    EXPECT_STREQ("Company", body.Text);
    CheckDlgButton(dialog_, IDC_PREVIEW_CHECK, BST_UNCHECKED);
    Command(IDC_PREVIEW_CHECK);
    EXPECT_EQ(0, App.Print.PreviewMode);
    Command(IDCANCEL);
    EXPECT_EQ("0", Setting("Template", "SelectTemplate")) << "a template picked here is not remembered";
}

TEST_F(PageSetup, TheDialogAsTheUserSeesIt) {
    Open();
    std::string picture = SaveWindowPicture(dialog_, "page_setup");
    EXPECT_TRUE(IsFile(picture)) << picture;
}
