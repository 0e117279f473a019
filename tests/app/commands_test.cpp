// The menu's commands driven through zem40 as a user would: by command id and by the keys of
// the accelerator table, with the card files read after each step. One run walks the Find
// dialog, the card, edit, file, link and help commands in order and ends with Alt+F4; a second
// run shows the online-update version dialog; a third, of the test build as a restricted user,
// walks the refused card files, the web and e-mail links and Using Help.
#include <gtest/gtest.h>
#include "bmp_file.h"
#include "card_files.h"
#include "gui_driver.h"
#include "shared_run.h"
#include "dialog_watch.h"
#include "list_view_remote.h"
#include "window_helpers.h"
#include "cardrec.h"
#include "kvdb_engine.h"
#include "refused_card_names.h"
#include <tlhelp32.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A small 24-bit BMP that the program can load as a card image.
std::string WriteSmallBmp(const std::string& path) {
    return WriteBmp24(path, 64, 40, [](int, int) { return RGB(0x60, 0x60, 0x60); });
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The V4 exchange file that the Palm link reads in exchange mode: cards a HotSync left there
// for the desktop (Flags 3).
bool CreateExchangeFile(const std::string& path, const std::vector<std::string>& names) {
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    CkvDataset* ds = nullptr;
    if (engine.CreateDatabase(31, path.c_str(), ";LANGID=0x0409;CP=1252;COUNTRY=0", &db) != 1) return false;
    bool ok = engine.TblCreate(db, "NM", 1) == 1 && engine.TblNew(db, "NM", &ds) == 1 && engine.TblOpen(ds) == 1;
    for (const std::string& name : names) {
        static CardRecV4 card;
        memset(&card, 0, sizeof card);
        lstrcpynA(card.CNAME.FullName.Text, name.c_str(), sizeof card.CNAME.FullName.Text);
        lstrcpynA(card.Company[0].Text, "Handheld Co", sizeof card.Company[0].Text);
        card.Flags = 3;
        engine.StartTransation(db);
        ok = ok && engine.CardRecInsertV4(ds, &card) != 0;
        engine.Commit(db);
    }
    if (ds) engine.TblFree(ds);
    engine.CloseDatabase(db);
    return ok;
}

// A top-level dialog of the process whose caption is exactly the text.
HWND DialogOf(DWORD process, const std::string& caption) {
    for (HWND dialog : VisibleDialogsOf(process))
        if (WindowText(dialog) == caption) return dialog;
    return nullptr;
}

int CountSeen(const std::vector<SeenDialog>& seen, const std::string& text) {
    int n = 0;
    for (const SeenDialog& s : seen)
        if (s.Text.find(text) != std::string::npos) ++n;
    return n;
}

bool SeenCaption(const std::vector<SeenDialog>& seen, const std::string& caption, const std::string& text) {
    for (const SeenDialog& s : seen)
        if (s.Caption == caption && s.Text.find(text) != std::string::npos) return true;
    return false;
}

const char* const kNames[] = {"Ann Archer", "Bob Brook", "Cy O'Cedar", "Dee Dale"};
const int kListName = 2;  // the Card List's name column, after the row number and the mark

class CommandsRun : public ZemWindows {
public:
    CommandsRun() : installation("commands") {
        cards = installation.Path("Cards.mdb");
        annImage = WriteSmallBmp(installation.Path("IMAGE\\ann.bmp"));
        std::vector<DetailedCard> list = {
            {{kNames[0], annImage, ""}, "Acme", "Sales", "555-0100", "", 0, {2001, 3, 10}},
            {{kNames[1], "", ""}, "Bolt [UK]", "", "555-0101", "", 0, {2002, 6, 1}},
            {{kNames[2], "", ""}, "Core", "", "555-0102", "", 0, {2000, 2, 29}},
            {{kNames[3], "", ""}, "Dune", "Sales", "555-0103", "", 0, {2003, 1, 5}},
        };
        created = CreateDetailedCardFile(cards, list);
        for (const char* other : {"B.mdb", "C.mdb", "D.mdb", "E.mdb"})
            created = created && CreateCardFile(installation.Path(other), {{std::string("In ") + other, "", ""}});
        WriteSmallFile(installation.Path("Bad.mdb"));
        created = created && CreateExchangeFile(installation.Path("exchange.mdb"), {"Fay Fox"});
        CreateDirectoryA(installation.Path("help").c_str(), nullptr);
        // Help contents and the web site are handed to the system to open: batch files that
        // leave a mark show whether they were.
        for (const char* name : {"help\\contents", "web"}) {
            std::string batch = "@echo opened> \"" + installation.Path(std::string(name) + "-opened.txt") + "\"\r\n";
            WriteWholeFile(installation.Path(std::string(name) + ".bat"), batch.data(), batch.size());
        }
        installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
        installation.WriteSetting("CardBase", "Count", "1");
        installation.WriteSetting("CardBase", "File1", cards.c_str());
        installation.WriteSetting("Preference", "HelpFile", "contents.bat");
        installation.WriteSetting("Preference", "WebSite", installation.Path("web.bat").c_str());
        installation.WriteSetting("Preference", "ToolTip", "0");
        // Palm in exchange mode reads from the handheld; the Link button shows Outlook, which
        // would send.
        installation.WriteSetting("Palm", "DBFileName", installation.Path("exchange.mdb").c_str());
        installation.WriteSetting("Preference", "PalmMode", "0");
        installation.WriteSetting("Preference", "ExportOptn", "211111");
        installation.WriteSetting("Preference", "DataOptn", "111111");
        installation.WriteSetting("Preference", "DefaultExport", "3");
        run = std::make_unique<ProgramRun>(installation, "");
        main = run->WaitForMainWindow();
        if (!main) return;
        SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RestPointerOnCaption();
        work = FindChildById(main, 920, "IMC_WorkEdit20");
        answers = std::make_unique<DialogAnswerer>(run->ProcessId());
    }
    int DeckRow() const {
        std::vector<int> rows = ListSelectedRows(DeckList());
        return rows.size() == 1 ? rows[0] : -100 - static_cast<int>(rows.size());
    }
    int DeckRows() const { return DeckList() ? ListRowCount(DeckList()) : -1; }
    std::string Title() const { return WindowText(main); }
    // Without a window manager X gives the keyboard focus to the window under the pointer, and
    // Wine takes a focus that leaves for the bare screen (a dialog closing where the pointer was
    // left by an earlier test) as the program going to the background, a moment later: keys
    // pressed then reach nobody. On the caption, the pointer's window is the program whenever
    // none of its dialogs is open.
    void RestPointerOnCaption() const {
        RECT r;
        GetWindowRect(main, &r);
        SetCursorPos(r.left + (r.right - r.left) / 3,
                     r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2);
        Send(main, WM_NULL);
    }
    // The program in the foreground, so that the keys reach its accelerators. A dialog that has
    // just closed may still move the foreground a moment later: the program must stay in front
    // for a while before the keys go.
    void Keys(std::vector<WORD> modifiers, WORD key) const {
        RestPointerOnCaption();
        auto steadyInFront = [&] {
            if (GetForegroundWindow() != main) return false;
            PumpMessages(250);
            Send(main, WM_NULL);
            return GetForegroundWindow() == main;
        };
        for (int attempt = 0; attempt < 3 && !steadyInFront(); ++attempt) {
            SetForegroundWindow(main);
            WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
        }
        EXPECT_EQ(GetForegroundWindow(), main) << "key " << key;
        PressKeys(modifiers, key, main);
        PumpMessages(300);
        Send(main, WM_NULL);
    }
    HWND WaitDialog(const std::string& caption) const {
        HWND dialog = nullptr;
        WaitFor([&] { return (dialog = DialogOf(run->ProcessId(), caption)) != nullptr; });
        return dialog;
    }
    // Gone means destroyed, with its modal loop left: keys pressed while that loop still runs
    // would be the dialog's, not the main window's.
    bool WaitGone(HWND dialog) const {
        bool gone = WaitFor([&] { return !IsWindow(dialog); });
        Send(main, WM_NULL);
        return gone;
    }
    // Fills the Find dialog in the mode asked for and presses OK; the dialog, still open or not.
    HWND Find(bool freeSearch, const std::vector<std::string>& texts, bool byKeys = false) const {
        if (byKeys) Keys({VK_CONTROL}, 'F');
        else PostCommand(72);
        HWND dialog = nullptr;
        WaitFor([&] {
            dialog = DialogOf(run->ProcessId(), "Field Search");
            if (!dialog) dialog = DialogOf(run->ProcessId(), "Free Search");
            return dialog != nullptr;
        });
        if (!dialog) return nullptr;
        if ((WindowText(dialog) == "Free Search") != freeSearch) Send(dialog, WM_COMMAND, 1024, 0);
        for (int i = 0; i < 5; ++i) {
            std::string text = i < static_cast<int>(texts.size()) ? texts[i] : "";
            Send(GetDlgItem(dialog, 1152 + i), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(dialog) || CountSeen(answers->Seen(), "Invalid Date.") > invalidDates; });
        PumpMessages(500);
        Send(main, WM_NULL);
        return IsWindow(dialog) ? dialog : nullptr;
    }

    Installation installation;
    std::string cards, annImage;
    bool created = false;
    std::unique_ptr<ProgramRun> run;
    std::unique_ptr<DialogAnswerer> answers;
    int invalidDates = 0;
};

class Commands : public SharedRunTest<CommandsRun> {
protected:
    CommandsRun& c = Shared();
};

TEST_F(Commands, GreyedItemsIgnoreTheirKeys) {
    c.Command(114);  // Card Album: Delete Card is greyed there
    ASSERT_NE(c.Pane("IMC_Desk20"), nullptr);
    c.Keys({VK_CONTROL}, VK_DELETE);
    c.Command(111);
    ASSERT_NE(c.DeckList(), nullptr);
    EXPECT_EQ(c.DeckRows(), 4);
}

TEST_F(Commands, FindByFieldsAndFreeTextWithDatesInEveryView) {
    c.answers->AnswerMessage("Card not found.", IDOK);
    c.answers->AnswerMessage("Invalid Date.", IDOK);
    // Card Deck, by the accelerator: the title field.
    EXPECT_EQ(c.Find(false, {"", "Sales"}, true), nullptr);
    EXPECT_EQ(c.DeckRows(), 2);
    EXPECT_EQ(ListCellText(c.DeckList(), 0, 0), "Ann Archer");
    EXPECT_EQ(ListCellText(c.DeckList(), 1, 0), "Dee Dale");
    // A bracket in a company name is matched as typed.
    c.Find(false, {"", "", "[UK]"});
    EXPECT_EQ(c.DeckRows(), 1);
    EXPECT_EQ(ListCellText(c.DeckList(), 0, 0), "Bob Brook");

    // Card List: an apostrophe in free text.
    c.Command(110);
    ASSERT_NE(c.CardList(), nullptr);
    c.Find(true, {"o'cedar"});
    EXPECT_EQ(ListRowCount(c.CardList()), 1);
    EXPECT_EQ(ListCellText(c.CardList(), 0, kListName), "Cy O'Cedar");

    // Card Editor: two free texts within dates; Dee Dale (Dune, 2003) is outside them.
    c.Command(113);
    ASSERT_NE(c.Form(), nullptr);
    c.Find(true, {"Dune", "Acme", "", "1/1/2001", "12/31/2002"});
    EXPECT_EQ(WindowText(c.Field(430)), "Ann Archer");
    c.Command(111);
    EXPECT_EQ(c.DeckRows(), 1);

    // Only a To date: the last day counts to its end.
    c.Find(false, {"", "", "", "", "6/1/2002"});
    EXPECT_EQ(c.DeckRows(), 3);

    // A bad date keeps the dialog open with what was typed; Cancel leaves the filter.
    HWND open = c.Find(false, {"Dee", "", "", "2/29/2001"});
    ASSERT_NE(open, nullptr);
    c.invalidDates = 1;
    EXPECT_EQ(WindowText(GetDlgItem(open, 1152)), "Dee");
    SaveScreenshot(open, "commands-find-field");
    Send(open, WM_COMMAND, 1024, 0);
    EXPECT_EQ(WindowText(open), "Free Search");
    EXPECT_EQ(WindowText(GetDlgItem(open, 1088)), "Search 1 :");
    SaveScreenshot(open, "commands-find-free");
    PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(c.WaitGone(open));
    EXPECT_EQ(c.DeckRows(), 3);

    // Card Album: no match shows every card again.
    c.Command(114);
    c.Find(false, {"nobody"});
    c.Command(111);
    EXPECT_EQ(c.DeckRows(), 4);
    std::vector<SeenDialog> seen = c.answers->Seen();
    EXPECT_TRUE(SeenCaption(seen, "Date Error !", "Invalid Date."));
    EXPECT_TRUE(SeenCaption(seen, "Search Error !", "Card not found."));
    EXPECT_EQ(CountSeen(seen, "Card not found."), 1);
}

TEST_F(Commands, SortNavigateAndGoToCard) {
    c.Command(110);
    ASSERT_NE(c.CardList(), nullptr);
    c.Command(346);  // company, descending
    EXPECT_EQ(ListCellText(c.CardList(), 0, kListName), "Dee Dale");
    EXPECT_EQ(ListCellText(c.CardList(), 3, kListName), "Ann Archer");
    c.Command(89);
    EXPECT_EQ(ListCellText(c.CardList(), 0, kListName), "Ann Archer");
    c.Command(111);
    struct Step {
        WORD Key;
        int Row;
    } steps[] = {{VK_END, 3}, {VK_HOME, 0}, {VK_NEXT, 1}, {VK_NEXT, 2}, {VK_PRIOR, 1}};
    for (const Step& step : steps) {
        c.Keys({VK_CONTROL}, step.Key);
        EXPECT_EQ(c.DeckRow(), step.Row) << "key " << step.Key;
    }
    c.PostCommand(98);
    HWND go = c.WaitDialog("Go to Card");
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(go, 490)), "2");
    EXPECT_EQ(WindowText(GetDlgItem(go, 1088)), "4");
    for (const char* wrong : {"0", "5"}) {
        Send(GetDlgItem(go, 490), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wrong));
        Send(go, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(go)) << wrong;
    }
    Send(GetDlgItem(go, 490), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("4"));
    PostMessageA(go, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(c.WaitGone(go));
    EXPECT_EQ(c.DeckRow(), 3);
}

TEST_F(Commands, NewCardEditUndoAndDeleteCard) {
    c.Keys({VK_CONTROL}, 'N');
    ASSERT_TRUE(WaitFor([&] { return c.Form() != nullptr; }));
    HWND name = c.Field(430);
    ASSERT_NE(name, nullptr);
    for (char ch : std::string("Zed Zulu")) Send(name, WM_CHAR, static_cast<unsigned char>(ch), 1);
    Send(name, EM_SETSEL, 0, -1);
    c.Command(102);
    EXPECT_EQ(ClipboardText(), "Zed Zulu");
    c.Keys({VK_CONTROL}, 'D');
    EXPECT_TRUE(WaitFor([&] { return WindowText(name).empty(); })) << WindowText(name);
    c.Command(100);
    EXPECT_EQ(WindowText(name), "Zed Zulu");
    c.Keys({VK_CONTROL}, VK_HOME);  // leaving the card stores it
    EXPECT_TRUE(WaitFor([&] { return WindowText(c.Field(430)) == "Ann Archer"; })) << WindowText(c.Field(430));

    // Delete Card takes the card with its image and the thumbnail that the album made of it.
    ASSERT_TRUE(Exists(c.annImage));
    EXPECT_EQ(FolderFiles(c.installation.Path("thumb\\")), 1);
    c.Keys({VK_CONTROL}, VK_DELETE);
    EXPECT_TRUE(WaitFor([&] { return WindowText(c.Field(430)) == "Bob Brook"; })) << WindowText(c.Field(430));
    EXPECT_FALSE(Exists(c.annImage));
    EXPECT_EQ(FolderFiles(c.installation.Path("thumb\\")), 0);
    // In the Card List the keys copy the selected rows; Delete Card by id takes them.
    c.Command(110);
    ASSERT_NE(c.CardList(), nullptr);
    ASSERT_EQ(ListRowCount(c.CardList()), 4);
    EXPECT_EQ(ListCellText(c.CardList(), 3, kListName), "Zed Zulu");
    ListSelectRows(c.CardList(), {2, 3});
    c.Keys({VK_CONTROL}, 'C');
    EXPECT_TRUE(WaitFor([&] { return ClipboardText().find("Zed Zulu") != std::string::npos; })) << ClipboardText();
    c.Command(105);
    EXPECT_EQ(ListRowCount(c.CardList()), 2);
    c.Command(111);
}

TEST_F(Commands, SaveAsOpenCancelFailedOpenAndDelete) {
    std::string saved = c.installation.Path("Saved.mdb");
    c.answers->AnswerFileDialog("Save Card File", saved, 1);
    c.Command(44);
    EXPECT_NE(c.Title().find("Saved.mdb"), std::string::npos) << c.Title();
    EXPECT_EQ(CardNames(c.cards), (std::vector<std::string>{"Bob Brook", "Cy O'Cedar"}));

    c.answers->AnswerFileDialog("Open Card File", c.installation.Path("B.mdb"), 1);
    c.Keys({VK_CONTROL}, 'O');
    EXPECT_TRUE(WaitFor([&] { return c.Title().find("B.mdb") != std::string::npos; })) << c.Title();
    EXPECT_EQ(c.DeckRows(), 1);
    EXPECT_EQ(CardNames(saved), (std::vector<std::string>{"Bob Brook", "Cy O'Cedar"}));
    // Cancel: B stays open, opened once.
    c.answers->AnswerFileDialog("Open Card File", "", 1);
    c.Command(41);
    EXPECT_NE(c.Title().find("B.mdb"), std::string::npos);
    EXPECT_EQ(ListCellText(c.DeckList(), 0, 0), "In B.mdb");
    // A file that is no card file: the program is back on B.
    c.answers->AnswerMessage("Unrecognized database format", IDOK);
    c.answers->AnswerMessage("cannot be opened", IDOK);
    c.answers->AnswerFileDialog("Open Card File", c.installation.Path("Bad.mdb"), 1);
    c.Command(41);
    EXPECT_NE(c.Title().find("B.mdb"), std::string::npos) << c.Title();
    EXPECT_EQ(c.DeckRows(), 1);
    EXPECT_EQ(CountSeen(c.answers->Seen(), "cannot be opened"), 1);

    for (const char* name : {"C.mdb", "D.mdb", "E.mdb"}) {
        c.answers->AnswerFileDialog("Open Card File", c.installation.Path(name), 1);
        c.Command(41);
        EXPECT_NE(c.Title().find(name), std::string::npos) << c.Title();
    }
    // The recent list's second entry (D) comes back to the front.
    c.Command(63);
    EXPECT_NE(c.Title().find("D.mdb"), std::string::npos) << c.Title();

    // Three files chosen, one of them open: two go, and the open one is refused once.
    c.answers->AnswerMessage("Are you sure", IDYES);
    c.answers->AnswerMessage("Cannot delete current", IDOK);
    c.answers->AnswerFileDialog("Delete Card File", "\"C.mdb\" \"D.mdb\" \"E.mdb\"", 1);
    c.Command(43);
    EXPECT_FALSE(Exists(c.installation.Path("C.mdb")));
    EXPECT_TRUE(Exists(c.installation.Path("D.mdb")));
    EXPECT_FALSE(Exists(c.installation.Path("E.mdb")));
    EXPECT_EQ(CountSeen(c.answers->Seen(), "Cannot delete current card file."), 1);
    EXPECT_EQ(c.DeckRows(), 1);
}

TEST_F(Commands, PalmLinkStoresTheCardsItBringsAndAFailedLinkKeepsTheCard) {
    c.answers->AnswerMessage("Transfer complete.", IDOK);
    c.answers->AnswerMessage("Transfer failed.", IDOK);
    std::string d = c.installation.Path("D.mdb");
    // ExportOptn gives Palm "from the handheld" while the Link button shows Outlook.
    c.Command(45);
    EXPECT_EQ(CountSeen(c.answers->Seen(), "Transfer complete."), 1);
    // The stored card joins the end of the table until it is opened again.
    ASSERT_EQ(c.DeckRows(), 2);
    EXPECT_EQ(ListCellText(c.DeckList(), 1, 0), "Fay Fox");
    EXPECT_EQ(c.DeckRow(), 1);
    c.Command(94);
    c.Command(113);
    ASSERT_NE(c.Form(), nullptr);
    EXPECT_EQ(WindowText(c.Field(430)), "In D.mdb");
    // The mobile phone link does nothing and says so; a Palm link without its file fails.
    // The card walk of a link leaves the last card read: the form must come back with the
    // card it shows, not with that one's record under this card's number.
    c.Command(47);
    DeleteFileA(c.installation.Path("exchange.mdb").c_str());
    c.Command(45);
    EXPECT_EQ(CountSeen(c.answers->Seen(), "Transfer failed."), 2);
    EXPECT_EQ(WindowText(c.Field(430)), "In D.mdb");
    c.Command(111);
    EXPECT_EQ(c.DeckRows(), 2);
    EXPECT_EQ(c.DeckRow(), 0);
}

TEST_F(Commands, HelpAboutTooltipsNewAndExit) {
    c.Keys({}, VK_F1);
    EXPECT_TRUE(WaitFor([&] { return Exists(c.installation.Path("help\\contents-opened.txt")); }, 30000));
    // The web site setting names a batch file, which is no web address: a message, and nothing runs.
    c.answers->AnswerMessage("This is not a web address", IDOK);
    c.Command(66);
    EXPECT_TRUE(WaitFor([&] { return CountSeen(c.answers->Seen(), "This is not a web address") == 1; }, 30000));
    Sleep(3000);
    EXPECT_FALSE(Exists(c.installation.Path("web-opened.txt")));
    c.PostCommand(141);
    HWND about = WaitForUncaptionedDialog(c.run->ProcessId());
    ASSERT_NE(about, nullptr);
    RECT r;
    GetWindowRect(about, &r);
    EXPECT_EQ(r.right - r.left, 450);
    EXPECT_EQ(r.bottom - r.top, 359);
    WaitUntilDrawn(about);
    SaveScreenshot(about, "commands-about");
    PostMessageA(about, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(c.WaitGone(about));
    for (int i = 0; i < 3; ++i) c.Command(142);

    // New: the untitled card file, in the Card Deck.
    c.Command(113);
    c.Keys({VK_CONTROL, VK_SHIFT}, 'N');
    EXPECT_TRUE(WaitFor([&] { return c.Title().find("Untitled") != std::string::npos; })) << c.Title();
    EXPECT_NE(c.DeckList(), nullptr);
    EXPECT_EQ(c.DeckRows(), 0);
    SaveScreenshot(c.main, "commands-new");
    // The first recent file, not the one open: the empty untitled file goes.
    c.Command(62);
    EXPECT_NE(c.Title().find("D.mdb"), std::string::npos) << c.Title();
    c.Keys({VK_MENU}, VK_F4);
    EXPECT_EQ(c.run->WaitForExit(60000), 0);
    EXPECT_EQ(c.installation.ReadSetting("Preference", "ToolTip"), "1");
    // Most recent first: D (taken from the list), E, C, B; Bad.mdb never joined.
    EXPECT_EQ(c.installation.ReadSetting("CardBase", "Count"), "4");
    std::vector<std::string> recent;
    for (const char* key : {"File1", "File2", "File3", "File4"}) {
        std::string path = c.installation.ReadSetting("CardBase", key);
        recent.push_back(path.substr(path.find_last_of('\\') + 1));
    }
    EXPECT_EQ(recent, (std::vector<std::string>{"D.mdb", "E.mdb", "C.mdb", "B.mdb"}));
    // The files the program no longer holds: the linked card stored in D.
    EXPECT_EQ(CardNames(c.installation.Path("D.mdb")), (std::vector<std::string>{"Fay Fox", "In D.mdb"}));
}

// Online-update mode: About shows the update component's version text.
TEST(CommandsOnlineUpdate, AboutShowsTheVersionTextWithTheProductTitle) {
    Installation installation("commands-update");
    installation.WriteSetting("Preference", "ShowWebSite", "2");
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, 141, 0);
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = DialogOf(run.ProcessId(), "About")) != nullptr; });
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 60)), "Version: Tamsel! Nimbra\n4.1.0 (ZEM), no update information");
    SaveScreenshot(dialog, "commands-update-info");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    PostMessageA(main, WM_COMMAND, 61, 0);
    EXPECT_EQ(run.WaitForExit(60000), 0);
}

// Points a URL protocol's open command of the Wine prefix (HKCR, which Wine's ShellExecute
// consults) at another program for the test's time, and puts back what the prefix held.
class ProtocolCommand {
public:
    ProtocolCommand(const std::string& protocol, const std::string& command)
        : protocol_(protocol), key_(protocol + "\\shell\\open\\command") {
        HKEY key;
        hadProtocol_ = RegOpenKeyExA(HKEY_CLASSES_ROOT, protocol.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (hadProtocol_) RegCloseKey(key);
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        DWORD size = sizeof saved_;
        hadValue_ = RegQueryValueExA(key, nullptr, nullptr, &savedType_, saved_, &size) == ERROR_SUCCESS;
        savedSize_ = size;
        set_ = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                              static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~ProtocolCommand() {
        if (!hadProtocol_) {
            for (const char* made : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
                RegDeleteKeyA(HKEY_CLASSES_ROOT, (protocol_ + made).c_str());
            return;
        }
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
        if (hadValue_) RegSetValueExA(key, nullptr, 0, savedType_, saved_, savedSize_);
        else RegDeleteValueA(key, nullptr);
        RegCloseKey(key);
    }
    bool Set() const { return set_; }

private:
    std::string protocol_, key_;
    bool hadProtocol_ = false, hadValue_ = false, set_ = false;
    DWORD savedType_ = REG_SZ, savedSize_ = 0;
    BYTE saved_[1024] = {};
};

std::vector<std::string> LinesOf(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(path), line;
    for (char ch : text) {
        if (ch == '\n') lines.push_back(line), line.clear();
        else if (ch != '\r') line += ch;
    }
    return lines;
}

// The process, other than the program's, that shows the help viewer's main window ("MS_WINHELP").
DWORD HelpViewerProcess(DWORD program) {
    HWND viewer = FindWindowA("MS_WINHELP", nullptr);
    DWORD process = 0;
    if (viewer) GetWindowThreadProcessId(viewer, &process);
    return process != program ? process : 0;
}

std::string ProcessImageName(DWORD process) {
    std::string image;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == process) image = entry.szExeFile;
    CloseHandle(snapshot);
    return image.substr(image.find_last_of('\\') + 1);
}

std::string Lowercase(std::string text) {
    for (char& ch : text) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    return text;
}

const char kNoPermission[] = "You do not have permission to open this file.";

// A restricted user (the program's test build) is refused card files he cannot write or whose
// images lie in the program folder, in Open, Delete and Save As alike; the open card's web and
// e-mail links reach the prefix's protocol handlers as the card holds them; Using Help starts
// the help viewer.
TEST(CommandsRestrictedUser, RefusedCardFilesLinksAndUsingHelp) {
    Installation installation("commands-restricted", Installation::TestRoads);
    std::string mine = installation.Path("mine\\");
    CreateDirectoryA(mine.c_str(), nullptr);
    std::string links = mine + "Links.mdb", programImages = mine + "Program.mdb", blocked = mine + "Blocked.mdb";
    const CardWithLinks card = {"Lee Link", "lee@example.com", "lee.home@example.org", "http://www.example.com/lee",
                                "http://example.org/cards?name=lee&x=1"};
    ASSERT_TRUE(CreateCardFileWithLinks(links, {card}));
    // Its image lies in the program's folder, which a restricted user may not write.
    ASSERT_TRUE(CreateCardFile(programImages, {{"Pat Program", installation.Path("IMAGE\\pat.bmp"), ""}}));
    // The write test makes a folder named like the file; one that is there already fails it.
    // Open and Delete take only files that exist.
    ASSERT_TRUE(CreateDirectoryA((mine + "Blocked").c_str(), nullptr));
    ASSERT_TRUE(CreateCardFile(blocked, {{"Bo Blocked", "", ""}}));
    std::string blockedNew = mine + "BlockedNew.mdb";
    ASSERT_TRUE(CreateDirectoryA((mine + "BlockedNew").c_str(), nullptr));

    std::string record = installation.Path("links.txt");
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string recorder = std::string(self).substr(0, std::string(self).rfind('\\') + 1) + "link_recorder.exe";
    std::string command = "\"" + recorder + "\" \"" + record + "\" \"%1\"";
    ProtocolCommand http("http", command), mailto("mailto", command);
    ASSERT_TRUE(http.Set() && mailto.Set());

    ProgramRun run(installation, "",
                   {{"ZEM40_TEST_RESTRICTED_USER", "1"}, {"PATHKEEP_FOLDER", installation.Path("peruser\\")}});
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, 143, 0);
    DWORD viewer = 0;
    EXPECT_TRUE(WaitFor([&] { return (viewer = HelpViewerProcess(run.ProcessId())) != 0; }, 60000));
    if (viewer) {
        EXPECT_EQ(Lowercase(ProcessImageName(viewer)), "winhlp32.exe");
        // The viewer looks for the help file the command named and asks where it is.
        std::string asked;
        WaitFor(
            [&] {
                for (HWND window : VisibleDialogsOf(viewer))
                    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                        if (WindowText(child).find("WINHELP.HLP") != std::string::npos) asked = WindowText(child);
                return !asked.empty();
            },
            20000);
        EXPECT_NE(asked.find("'WINHELP.HLP'"), std::string::npos) << asked;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewer);
        if (process) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 10000);
            CloseHandle(process);
        }
    }
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage(kNoPermission, IDOK);
    answers.AnswerFileDialog("Open Card File", blocked, 1);
    answers.AnswerFileDialog("Open Card File", programImages, 1);
    answers.AnswerFileDialog("Open Card File", links, 1);
    Send(main, WM_COMMAND, 41);
    bool linksOpen = WaitFor([&] { return WindowText(main).find("Links.mdb") != std::string::npos; });
    ASSERT_TRUE(linksOpen) << WindowText(main);
    answers.AnswerFileDialog("Delete Card File", programImages, 1);
    answers.AnswerFileDialog("Delete Card File", "", 1);
    Send(main, WM_COMMAND, 43);
    answers.AnswerFileDialog("Save Card File", blockedNew, 1);
    answers.AnswerFileDialog("Save Card File", "", 1);
    Send(main, WM_COMMAND, 44);

    std::vector<SeenDialog> seen = answers.Seen();
    std::vector<std::string> order;
    for (const SeenDialog& s : seen) {
        order.push_back(s.Caption);
        if (s.Text == kNoPermission) {
            EXPECT_EQ(s.Caption, "Error");  // a message box without caption text
        }
    }
    const std::vector<std::string> expected = {
        "Open Card File",   "Error", "Open Card File",   "Error",          "Open Card File",
        "Delete Card File", "Error", "Delete Card File", "Save Card File", "Error",
        "Save Card File"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(CountSeen(seen, kNoPermission), 4);
    EXPECT_EQ(CountCards(programImages), 1) << "a refused file is not deleted";
    EXPECT_FALSE(Exists(blockedNew));
    EXPECT_NE(WindowText(main).find("Links.mdb"), std::string::npos) << WindowText(main);

    // Web site, Web site 2, E-mail, E-mail 2: each hands its link to the system, which starts
    // the recorder once.
    const int ids[] = {85, 86, 87, 88};
    for (size_t i = 0; i < 4; ++i) {
        Send(main, WM_COMMAND, ids[i]);
        EXPECT_TRUE(WaitFor([&] { return LinesOf(record).size() > i; }, 30000)) << "command " << ids[i];
    }
    const std::vector<std::string> opened = {card.WebSite, card.WebSite2, "mailto:" + card.EMail,
                                             "mailto:" + card.EMail2};
    EXPECT_EQ(LinesOf(record), opened);

    Send(main, WM_NULL);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(60000), 0);
}

}  // namespace

// A card the PIM brings back that the card file refuses (here a unique index on the name takes
// no second "Ann Archer", as a full disk takes no card at all) is rolled back, and the link
// says the transfer failed instead of "Transfer complete."
TEST(CommandsLinkStore, ACardTheCardFileRefusesMakesTheTransferFail) {
    Installation installation("commands-linkstore");
    const std::string cards = installation.Path("Cards.mdb");
    ASSERT_TRUE(CreateCardFile(cards, {{"Ann Archer", "", ""}}));
    ASSERT_TRUE(RefuseSecondCardOf(cards, "CName"));
    ASSERT_TRUE(CreateExchangeFile(installation.Path("exchange.mdb"), {"Ann Archer"}));
    installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
    installation.WriteSetting("Palm", "DBFileName", installation.Path("exchange.mdb").c_str());
    installation.WriteSetting("Preference", "PalmMode", "0");
    installation.WriteSetting("Preference", "ExportOptn", "211111");
    installation.WriteSetting("Preference", "ToolTip", "0");

    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("Transfer complete.", IDOK);
    answers.AnswerMessage("Transfer failed.", IDOK);
    answers.AnswerMessage("DAO error", IDOK);
    Send(main, WM_COMMAND, 45, 0);
    WaitFor([&] { return CountSeen(answers.Seen(), "Transfer") > 0; });
    EXPECT_EQ(CountSeen(answers.Seen(), "Transfer failed."), 1);
    EXPECT_EQ(CountSeen(answers.Seen(), "Transfer complete."), 0);
    EXPECT_EQ(CountSeen(answers.Seen(), "DAO error"), 1);
    PostMessageA(main, WM_CLOSE, 0, 0);
    run.WaitForExit();
    EXPECT_EQ(CardNames(cards), std::vector<std::string>{"Ann Archer"});
}
