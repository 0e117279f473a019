// What a new user sees of zem40, driven as he would drive it in one run of the program on a
// fresh installation: the Preferences' export fields and an export without fields, the Find
// dialog after a date error, the navigation arrows, Undo after a text drag, the Card List's
// sort arrow, an image no module reads, the About window and a missing help file, and labels
// that fit their room. Screenshots of the Card Editor, Preferences, Find and About are kept.
#include <gtest/gtest.h>
#include "card_files.h"
#include "dialog_watch.h"
#include "gui_driver.h"
#include "label_fit.h"
#include "list_view_remote.h"
#include "screen_picture.h"
#include "shared_run.h"
#include "window_helpers.h"
#include <commctrl.h>
#include <prsht.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kExportFields = 28;
const char* const kTitleSales = "Sales";

HWND DialogOf(DWORD process, const std::string& caption) {
    for (HWND dialog : VisibleDialogsOf(process))
        if (WindowText(dialog) == caption) return dialog;
    return nullptr;
}

bool Seen(const std::vector<SeenDialog>& seen, const std::string& caption, const std::string& text) {
    for (const SeenDialog& s : seen)
        if ((caption.empty() || s.Caption == caption) && s.Text.find(text) != std::string::npos) return true;
    return false;
}

// The files of a folder whose names start with the prefix.
int FilesStartingWith(const std::string& folder, const std::string& prefix) {
    int n = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return n;
}

// Whether the picture appears anywhere in the capture.
bool PictureShownIn(const WindowPixels& shot, const ScreenPicture& picture) {
    if (picture.Pixels.empty()) return false;
    for (int y = 0; y + picture.Height <= shot.Height; ++y)
        for (int x = 0; x + picture.Width <= shot.Width; ++x)
            if (PictureShowsAt(shot.Pixels, shot.Width, shot.Height, picture, x, y, picture.Width)) return true;
    return false;
}

struct DialogSearch {
    DWORD Process;
    int Count;
};

BOOL CALLBACK CountDialogWindow(HWND window, LPARAM param) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    char name[16] = "";
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, name, sizeof name);
    if (owner == search->Process && lstrcmpA(name, "#32770") == 0) ++search->Count;
    return TRUE;
}

// The top-level dialog windows of the process, shown or not: a dialog that was answered is
// hidden at once, but its modal loop runs (and takes posted commands) until it is destroyed.
int DialogWindowsOf(DWORD process) {
    DialogSearch search{process, 0};
    EnumWindows(CountDialogWindow, reinterpret_cast<LPARAM>(&search));
    return search.Count;
}

class UserViewRun : public ZemWindows {
public:
    UserViewRun() : installation("user_view") {
        cards = installation.Path("Database\\Users.mdb");
        // Stored out of name order: the table shows them by name.
        std::vector<DetailedCard> list = {
            {{"Cy Cedar", "", ""}, "Core", "", "555-0102", "", 0, {2000, 2, 29}},
            {{"Ann Archer", "", ""}, "Acme", kTitleSales, "555-0100", "", 0, {2001, 3, 10}},
            {{"Dee Dale", "", ""}, "Dune", kTitleSales, "555-0103", "", 0, {2003, 1, 5}},
            {{"Bob Brook", "", ""}, "Bolt", "", "555-0101", "", 0, {2002, 6, 1}},
        };
        created = CreateDetailedCardFile(cards, list);
        unreadable = installation.Path("my scanned card.bmp");
        const char garbage[] = "This is no picture of a card at all, only text.";
        WriteWholeFile(unreadable, garbage, sizeof garbage);
        // A fresh installation: no SaveField; a help file that is not there.
        installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
        installation.WriteSetting("Preference", "HelpFile", "zem40 help.chm");
        installation.WriteSetting("Preference", "ToolTip", "0");
        program = LoadLibraryExA(installation.Path("zem40.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        run = std::make_unique<ProgramRun>(installation, "");
        main = run->WaitForMainWindow();
        if (!main) return;
        SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        work = FindChildById(main, 920, "IMC_WorkEdit20");
        answers = std::make_unique<DialogAnswerer>(run->ProcessId());
    }
    ~UserViewRun() {
        answers.reset();
        if (main && IsWindow(main)) PostMessageA(main, WM_CLOSE, 0, 0);
        if (run) run->WaitForExit(60000);
        if (program) FreeLibrary(program);
    }
    HWND WaitDialog(const std::string& caption) const {
        HWND dialog = nullptr;
        WaitFor([&] { return (dialog = DialogOf(run->ProcessId(), caption)) != nullptr; }, 30000);
        return dialog;
    }
    bool WaitGone(HWND dialog) const {
        bool gone = WaitFor([&] { return !IsWindow(dialog); });
        Send(main, WM_NULL);
        return gone;
    }
    // Settles what the last commands painted before the screen is read.
    void Settle() const {
        Send(main, WM_NULL);
        PumpMessages(400);
        Send(main, WM_NULL);
    }
    // File > Preferences, the sheet as it opens; the caller ends it.
    HWND OpenPreferences() const {
        PostCommand(58);
        HWND sheet = WaitDialog("Preferences");
        if (sheet) WaitUntilDrawn(sheet);
        return sheet;
    }
    // Types the path into the file dialog of that title, chooses the file type (from 0) when
    // asked, and presses OK; true once the dialog went.
    bool AnswerFileDialog(const std::string& title, const std::string& path, int type = -1) const {
        HWND dialog = WaitDialog(title);
        if (!dialog) return false;
        HWND types = GetDlgItem(dialog, 0x470), box = GetDlgItem(dialog, 1148);
        HWND name = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
        if (!name) name = box ? box : GetDlgItem(dialog, 0x480);
        for (int attempt = 0; attempt < 10 && IsWindow(dialog) && IsWindowVisible(dialog); ++attempt) {
            if (type >= 0 && types) {
                Send(types, CB_SETCURSEL, type, 0);
                Send(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
            }
            Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 3000);
        }
        Send(main, WM_NULL);
        return !IsWindow(dialog) || !IsWindowVisible(dialog);
    }
    // The program in front, then the keys as the keyboard sends them.
    void Keys(std::vector<WORD> modifiers, WORD key) const {
        for (int attempt = 0; attempt < 5 && GetForegroundWindow() != main; ++attempt) {
            SetForegroundWindow(main);
            WaitFor([&] { return GetForegroundWindow() == main; }, 2000);
        }
        PressKeys(modifiers, key, main);
        PumpMessages(300);
        Settle();
    }
    // The state a search-bar arrow (700 first to 703 last) shows: N normal, G grey, ? other.
    char ArrowShown(int id) const {
        HWND arrow = FindChildById(Strip(), id, "Button");
        if (!arrow) return '-';
        WindowPixels shot = CaptureWindow(arrow);
        if (PictureShowsAt(shot.Pixels, shot.Width, shot.Height, PictureResource(program, id + 600), 0, 0, 17))
            return 'N';
        if (PictureShowsAt(shot.Pixels, shot.Width, shot.Height, PictureResource(program, id + 608), 0, 0, 17))
            return 'G';
        return '?';
    }
    std::string Arrows() const {
        std::string shown;
        for (int id = 700; id <= 703; ++id) shown += ArrowShown(id);
        return shown;
    }
    // Waits until the four arrows show the states expected; what they show then.
    std::string WaitArrows(const std::string& expected) const {
        Settle();
        WaitFor([&] { return Arrows() == expected; }, 5000);
        return Arrows();
    }

    Installation installation;
    std::string cards, unreadable;
    bool created = false;
    HMODULE program = nullptr;
    std::unique_ptr<ProgramRun> run;
    std::unique_ptr<DialogAnswerer> answers;
};

class UserView : public SharedRunTest<UserViewRun> {
protected:
    UserViewRun& u = Shared();
};

// The crossing point of an export field's box on the Export Options page: black when ticked.
bool FieldTicked(HWND list, int index) {
    RECT r{};
    if (Send(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR) return false;
    int side = (r.bottom - r.top) - 4;
    POINT centre = {r.left + 2 + side / 2, r.top + 2 + side / 2};
    WindowPixels shot = CaptureWindow(list);
    POINT origin = {0, 0};
    ClientToScreen(list, &origin);
    RECT window;
    GetWindowRect(list, &window);
    int x = centre.x + origin.x - window.left, y = centre.y + origin.y - window.top;
    return x >= 0 && y >= 0 && x < shot.Width && y < shot.Height && shot.At(x, y) == RGB(0, 0, 0);
}

}  // namespace

// Without SaveField the export writes every field, and without bSaveField the field names: the
// page shows every field and the field names ticked, and OK keeps them. Every page's labels fit.
TEST_F(UserView, PreferencesOfAFreshInstallationTickEveryExportFieldAndOkKeepsThem) {
    ASSERT_EQ(u.installation.ReadSetting("Preference", "SaveField", "missing"), "missing");
    ASSERT_EQ(u.installation.ReadSetting("Preference", "bSaveField", "missing"), "missing");
    HWND sheet = u.OpenPreferences();
    ASSERT_NE(sheet, nullptr);
    std::vector<LabelCut> cuts;
    HMODULE library = LoadLibraryExA(u.installation.Path("ZemPrefer.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(library, nullptr);
    const struct {
        const char* Name;
        int Template;
    } pages[] = {{"scan", 3000}, {"export", 3002}, {"synchronization", 3001}};
    for (int page = 0; page < 3; ++page) {
        Send(sheet, PSM_SETCURSEL, page, 0);
        HWND shown = reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND));
        ASSERT_NE(shown, nullptr) << pages[page].Name;
        WaitUntilDrawn(sheet);
        HFONT font = TemplateDialogFont(library, pages[page].Template);
        EXPECT_NE(font, nullptr);
        EXPECT_GT(CheckChildLabels(shown, std::string("Preferences, ") + pages[page].Name, &cuts, font), 0);
        DeleteObject(font);
        SaveScreenshot(sheet, std::string("user-preferences-") + pages[page].Name);
        if (page != 1) continue;
        HWND list = GetDlgItem(shown, 3016);
        ASSERT_NE(list, nullptr);
        std::string unticked;
        for (int i = 0; i < kExportFields; ++i)
            if (!FieldTicked(list, i)) unticked += std::to_string(i) + " ";
        EXPECT_EQ(unticked, "") << "export fields shown without a tick";
        EXPECT_EQ(Send(GetDlgItem(shown, 3017), BM_GETCHECK), BST_CHECKED) << "the export writes the field names";
    }
    FreeLibrary(library);
    EXPECT_TRUE(cuts.empty()) << DescribeCuts(cuts);
    PostMessageA(sheet, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(u.WaitGone(sheet));
    std::string saved = u.installation.ReadSetting("Preference", "SaveField");
    EXPECT_EQ(saved.substr(0, kExportFields), std::string(kExportFields, '1'));
    EXPECT_EQ(u.installation.ReadSetting("Preference", "bSaveField"), "1");
}

// With no field chosen, File > Export writes nothing and says where fields are chosen.
TEST_F(UserView, AnExportWithNoFieldChosenSaysSo) {
    u.installation.WriteSetting("Preference", "SaveField", std::string(30, '0').c_str());
    HWND sheet = u.OpenPreferences();  // the program reads the fields again after the sheet
    ASSERT_NE(sheet, nullptr);
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(u.WaitGone(sheet));
    u.answers->AnswerMessage("No field is chosen", IDOK);
    std::string path = u.installation.Path("nothing.csv");
    u.PostCommand(52);
    ASSERT_TRUE(u.AnswerFileDialog("Export Card File", path, 1));  // Outlook
    EXPECT_TRUE(WaitFor([&] { return Seen(u.answers->Seen(), "", "No field is chosen for export."); }));
    EXPECT_TRUE(WaitFor([&] { return DialogWindowsOf(u.run->ProcessId()) == 0; }));
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    u.installation.WriteSetting("Preference", "SaveField", std::string(30, '1').c_str());
}

// The date error belongs to the Find dialog: once it is answered the dialog is still open in
// front, and the main window stays disabled until the dialog is closed.
TEST_F(UserView, FindStaysInFrontAndModalAfterADateError) {
    u.answers->AnswerMessage("Invalid Date.", IDOK);
    u.PostCommand(72);
    HWND find = u.WaitDialog("Field Search");
    ASSERT_NE(find, nullptr);
    WaitUntilDrawn(find);
    std::vector<LabelCut> cuts;
    HFONT font = TemplateDialogFont(u.program, 537);
    EXPECT_GT(CheckChildLabels(find, "Find", &cuts, font), 0);
    DeleteObject(font);
    EXPECT_TRUE(cuts.empty()) << DescribeCuts(cuts);
    SaveScreenshot(find, "user-find");
    EXPECT_FALSE(IsWindowEnabled(u.main)) << "the Find dialog is modal";
    Send(GetDlgItem(find, 1155), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("13/45/2020"));
    PostMessageA(find, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return Seen(u.answers->Seen(), "Date Error !", "Invalid Date."); }));
    WaitFor([&] { return VisibleDialogsOf(u.run->ProcessId()).size() == 1; });
    u.Settle();
    EXPECT_TRUE(IsWindow(find) && IsWindowVisible(find));
    EXPECT_FALSE(IsWindowEnabled(u.main)) << "the main window takes input behind the open dialog";
    EXPECT_TRUE(IsWindowEnabled(find));
    PostMessageA(find, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(u.WaitGone(find));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(u.main) != FALSE; }));
}

// The arrows show the state of the card and the count after every change of either: moves,
// a Find filter, the all-cards tab and a deleted card.
TEST_F(UserView, NavigationArrowsFollowTheCurrentCardAndTheCount) {
    u.Command(111);
    ASSERT_NE(u.Strip(), nullptr);
    u.Command(94);
    EXPECT_EQ(u.WaitArrows("GGNN"), "GGNN") << "1/4";
    u.Command(95);
    EXPECT_EQ(u.WaitArrows("NNGG"), "NNGG") << "4/4";
    // Find by title: the first of two cards.
    u.PostCommand(72);
    HWND find = u.WaitDialog("Field Search");
    ASSERT_NE(find, nullptr);
    Send(GetDlgItem(find, 1153), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kTitleSales));
    PostMessageA(find, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(u.WaitGone(find));
    EXPECT_EQ(ListRowCount(u.DeckList()), 2);
    EXPECT_EQ(u.WaitArrows("GGNN"), "GGNN") << "1/2 after Find";
    u.Command(95);
    EXPECT_EQ(u.WaitArrows("NNGG"), "NNGG") << "2/2";
    // The all-cards tab: every card again, the first current.
    Send(u.Strip(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(27 * 16 + 8, 12));
    Send(u.Strip(), WM_LBUTTONUP, 0, MAKELPARAM(27 * 16 + 8, 12));
    EXPECT_EQ(ListRowCount(u.DeckList()), 4);
    EXPECT_EQ(u.WaitArrows("GGNN"), "GGNN") << "1/4 after the all-cards tab";
    u.Command(95);
    u.Command(97);
    EXPECT_EQ(u.WaitArrows("NNNN"), "NNNN") << "3/4";
    // Deleting card 3 of 4 leaves the last card current: 3/3.
    u.Command(105);
    EXPECT_EQ(ListRowCount(u.DeckList()), 3);
    EXPECT_EQ(u.WaitArrows("NNGG"), "NNGG") << "3/3 after Delete Card";
}

// Ctrl+Z after a drag of the title into the empty Title 2 puts both texts back. The form's
// labels fit their column.
TEST_F(UserView, UndoAfterATextDragPutsBackBothFields) {
    u.Command(94);
    u.Command(113);
    ASSERT_TRUE(WaitFor([&] { return u.Form() != nullptr; }));
    HWND title = u.Field(431), title2 = u.Field(400);
    ASSERT_NE(title2, nullptr);
    ASSERT_EQ(WindowText(title), kTitleSales);
    ASSERT_EQ(WindowText(title2), "");
    u.Settle();
    // Every label of the form in the font it is drawn with (its row's height less 2 pixels),
    // with the 4 pixels the drawing keeps on either side.
    std::vector<std::string> cut;
    int labels = 0;
    for (int id : {410, 411, 412, 413, 414, 416, 417, 418, 419, 420, 421, 422, 424, 450,
                   451, 452, 453, 454, 455, 456, 457, 458, 459, 460, 461, 462, 463, 464}) {
        HWND label = GetDlgItem(u.Form(), id);
        if (!label || !IsWindowVisible(label)) continue;
        ++labels;
        RECT r;
        GetClientRect(label, &r);
        HDC dc = GetDC(label);
        HFONT font =
            CreateFontA(r.bottom - 2, 0, 0, 0, 400, 0, 0, 0, 0, 0, 1, 0, VARIABLE_PITCH | FF_ROMAN, "MS Sans Serif");
        HGDIOBJ old = SelectObject(dc, font);
        std::string text = WindowText(label);
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(label, dc);
        if (extent.cx + 8 > r.right)
            cut.push_back(text + " needs " + std::to_string(extent.cx + 8) + ", has " + std::to_string(r.right));
    }
    EXPECT_EQ(labels, 28);
    EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
    WaitUntilDrawn(u.main);
    SaveScreenshot(u.main, "user-card-editor");

    // The drag as a user makes it: the text selected, a press inside it, the release over
    // Title 2.
    Send(title, EM_SETSEL, 0, -1);
    LRESULT inside = Send(title, EM_POSFROMCHAR, 2);
    RECT target;
    GetClientRect(title2, &target);
    POINT drop = {target.right / 2, target.bottom / 2};
    ClientToScreen(title2, &drop);
    Send(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(LOWORD(inside), HIWORD(inside) + 3));
    SetCursorPos(drop.x, drop.y);
    POINT at = drop;
    ScreenToClient(title, &at);
    Send(title, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_EQ(WindowText(title), "");
    ASSERT_EQ(WindowText(title2), kTitleSales);
    u.Keys({VK_CONTROL}, 'Z');
    EXPECT_TRUE(WaitFor([&] { return WindowText(title) == kTitleSales; }, 5000)) << WindowText(title);
    EXPECT_EQ(WindowText(title2), "");
}

// Cards appended after the table was sorted stand at its end: the Name header shows no sort
// arrow until the cards are sorted again.
TEST_F(UserView, TheCardListHeaderShowsTheOrderItsRowsHave) {
    const ScreenPicture ascending = PictureResource(u.program, 1282);
    ASSERT_FALSE(ascending.Pixels.empty());
    u.Command(110);
    ASSERT_NE(u.CardList(), nullptr);
    HWND header = reinterpret_cast<HWND>(Send(u.CardList(), LVM_GETHEADER));
    ASSERT_NE(header, nullptr);
    u.Settle();
    EXPECT_TRUE(PictureShownIn(CaptureWindow(header), ascending)) << "a card file opens sorted by name";
    // A new card, typed in the Card Editor, joins the end of the table.
    u.Command(71);
    ASSERT_TRUE(WaitFor([&] { return u.Field(430) != nullptr; }));
    Send(u.Field(430), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Aaron Able"));
    Send(u.Field(430), EM_SETMODIFY, TRUE);
    u.Command(110);
    ASSERT_NE(u.CardList(), nullptr);
    header = reinterpret_cast<HWND>(Send(u.CardList(), LVM_GETHEADER));
    int rows = ListRowCount(u.CardList());
    ASSERT_EQ(rows, 4);
    EXPECT_EQ(ListCellText(u.CardList(), rows - 1, 2), "Aaron Able");
    u.Settle();
    SaveScreenshot(u.main, "user-card-list-appended");
    EXPECT_FALSE(PictureShownIn(CaptureWindow(header), ascending)) << "rows in no name order under Name ▲";
    u.Command(89);
    EXPECT_EQ(ListCellText(u.CardList(), 0, 2), "Aaron Able");
    u.Settle();
    EXPECT_TRUE(PictureShownIn(CaptureWindow(header), ascending)) << "sorted by name again";
}

// An image no module reads is named as the user chose it, and its copy leaves the image folder.
TEST_F(UserView, AnUnreadableImageIsNamedAsChosenAndLeavesNoCopy) {
    std::string images = u.installation.Path("IMAGE\\");
    int before = FilesStartingWith(images, "OPEN");
    u.answers->AnswerMessage("Unknown format", IDOK);
    u.PostCommand(53);
    ASSERT_TRUE(u.AnswerFileDialog("Open Images", u.unreadable));
    EXPECT_TRUE(WaitFor([&] { return Seen(u.answers->Seen(), u.unreadable, "Unknown format, cannot open."); }));
    for (const SeenDialog& seen : u.answers->Seen())
        EXPECT_EQ(seen.Caption.find("OPEN"), std::string::npos) << seen.Caption;
    u.Settle();
    EXPECT_EQ(FilesStartingWith(images, "OPEN"), before);
    EXPECT_EQ(ListRowCount(u.CardList()), 4) << "no card was stored";
}

// About draws the logo, the product title, the version and the maker's line in letters one can
// read; Help > Contents without its file names the file.
TEST_F(UserView, AboutDrawsItsLinesAndAMissingHelpFileIsNamed) {
    u.PostCommand(141);
    HWND about = WaitForUncaptionedDialog(u.run->ProcessId());
    ASSERT_NE(about, nullptr);
    WaitUntilDrawn(about);
    WindowPixels shot = CaptureWindow(about);
    SaveScreenshot(shot, "user-about");
    EXPECT_TRUE(PictureShownIn(shot, PictureResource(u.program, 1500))) << "the logo";
    // Rows that carry dark ink below the logo, grouped into lines of text.
    std::vector<int> lineHeights;
    int run = 0;
    for (int y = 140; y < shot.Height - 4; ++y) {
        bool ink = false;
        for (int x = 10; x < shot.Width - 10 && !ink; ++x) {
            COLORREF c = shot.At(x, y);
            ink = GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 160;
        }
        if (ink) ++run;
        else if (run) lineHeights.push_back(run), run = 0;
    }
    ASSERT_GE(lineHeights.size(), 3u) << "title, version and maker";
    EXPECT_GE(lineHeights[0], 16) << "the title";
    EXPECT_GE(lineHeights[1], 10) << "the version";
    PostMessageA(about, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(u.WaitGone(about));

    u.answers->AnswerMessage("help file", IDOK);
    u.Command(140);
    std::string helpFile = u.installation.Path("help\\zem40 help.chm");
    EXPECT_TRUE(WaitFor([&] { return Seen(u.answers->Seen(), "", helpFile); })) << helpFile;
}
