// File > Print from start to end: the Print dialog answered as a user would (range buttons,
// From and To, Cancel), the orientation question, the "Print..." dialog, and the pages the
// file printer received, read back with Ghostscript.
#include "print_fixture.h"
#include "dialog_watch.h"
#include "file_bytes.h"
#include <dlgs.h>
#include <atomic>
#include <mutex>
#include <set>
#include <thread>

using namespace printtest;

namespace {

const char* const kTwoByEight = "1, Two by Eight, 11000, 8500, 1000, 750, 2, 8, 1125, 3500, 0, 0, 0, 0, 0";
const char* const kWide = "2, Wide, 8500, 11000, 500, 500, 3, 3, 2416, 3250, 125, 125, 0, 0, 0";
const char* const kSquare = "3, Square, 8500, 8000, 500, 500, 2, 2, 3750, 3500, 0, 0, 0, 0, 0";
const char* const kOnePerPage = "4, One per Page, 11000, 8500, 1000, 1000, 1, 1, 9000, 6500, 0, 0, 0, 0, 0";
const std::vector<std::string> kNameAndCompany = {"Name,100,100,3300,400,Arial,12,700,0,0,0,0,0,0,0",
                                                  "Company,100,600,3300,400,Arial,10,400,0,0,0,0,0,0,0"};

// What the user does in the dialogs of one print command.
struct UserPlan {
    int Range = rad1;  // rad1 All, rad2 Current, rad3 Cards
    int From = 0, To = 0;
    bool CancelPrintDialog = false;
    int OrientationAnswer = IDNO;
    bool CancelJob = false;
    // Sent to this window when the "Print..." dialog shows, so that it arrives while pages print.
    HWND NotifyDuringJob = nullptr;
    UINT NotifyMessage = 0;
    // The program's thread, to which a quit is posted while pages print.
    DWORD QuitThread = 0;
};

// Answers the dialogs of this process from a thread of its own, each dialog once, and keeps
// their captions in the order they came.
class PrintUser {
public:
    explicit PrintUser(UserPlan plan) : plan_(plan), thread_([this] { Run(); }) {}
    ~PrintUser() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::string> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    void Run() {
        while (!stop_) {
            for (HWND dialog : VisibleDialogsOf(GetCurrentProcessId()))
                if (handled_.insert(dialog).second) Answer(dialog);
            Sleep(20);
        }
    }
    void Answer(HWND dialog) {
        // Read without sending messages: the program's thread may be busy with a page.
        wchar_t wideCaption[128] = L"", wideText[512] = L"";
        InternalGetWindowText(dialog, wideCaption, 128);
        char caption[128] = "", text[512] = "";
        WideCharToMultiByte(CP_ACP, 0, wideCaption, -1, caption, sizeof caption, nullptr, nullptr);
        // A message box, captioned with the program's title, holds its text in static -1.
        HWND message = GetDlgItem(dialog, 0xFFFF);
        if (message && strcmp(caption, App.ProductTitle) == 0) InternalGetWindowText(message, wideText, 512);
        WideCharToMultiByte(CP_ACP, 0, wideText, -1, text, sizeof text, nullptr, nullptr);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(std::string(caption) + (text[0] ? std::string(": ") + text : ""));
        }
        std::string title = caption;
        if (title == "Print") {
            if (plan_.CancelPrintDialog) {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            SendMessageA(GetDlgItem(dialog, plan_.Range), BM_CLICK, 0, 0);
            if (plan_.Range == rad3) {
                SetDlgItemInt(dialog, edt1, plan_.From, FALSE);
                SetDlgItemInt(dialog, edt2, plan_.To, FALSE);
            }
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
        } else if (title == "Print...") {
            if (plan_.NotifyDuringJob) PostMessageA(plan_.NotifyDuringJob, plan_.NotifyMessage, 0, 0);
            if (plan_.QuitThread) PostThreadMessageA(plan_.QuitThread, WM_QUIT, 3, 0);
            if (plan_.CancelJob)
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             (LPARAM)GetDlgItem(dialog, IDCANCEL));
        } else {
            PostMessageA(dialog, WM_COMMAND, plan_.OrientationAnswer, 0);
        }
    }

    UserPlan plan_;
    std::atomic<bool> stop_{false};
    std::set<HWND> handled_;
    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::thread thread_;
};

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Which of cards 1..count each printed page names.
std::vector<std::vector<int>> CardsPerPage(const std::vector<std::string>& pages, int count) {
    std::vector<std::vector<int>> result;
    for (const std::string& page : pages) {
        std::vector<int> cards;
        for (int i = 1; i <= count; ++i)
            if (Holds(page, PersonName(i))) cards.push_back(i);
        result.push_back(cards);
    }
    return result;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> cards;
    for (int i = first; i <= last; ++i) cards.push_back(i);
    return cards;
}

class PrintJob : public ::testing::Test {
protected:
    void SetUp() override {
        StoreTemplate(1, kNameAndCompany, 3500, 1125, "Zem Header", "Zem Footer");
        StoreLayouts({kTwoByEight, kWide, kSquare, kOnePerPage}, 0);
        OpenCards(40);
        LoadDefaultPrinter();
        SetOrientation(DMORIENT_PORTRAIT);
        DeleteFileA(PrinterOutput().c_str());
    }
    // Prints with the user's plan; the dialogs seen.
    std::vector<std::string> Print(UserPlan plan) {
        PrintUser user(plan);
        PrintCards();
        Sleep(100);
        return user.Seen();
    }
    static void SetOrientation(int orientation) {
        DEVMODEA* mode = (DEVMODEA*)GlobalLock(App.Print.PrintDialog.hDevMode);
        ASSERT_NE(nullptr, mode) << "the file printer is the default printer";
        mode->dmOrientation = (short)orientation;
        mode->dmFields |= DM_ORIENTATION;
        GlobalUnlock(App.Print.PrintDialog.hDevMode);
    }
    static bool PrinterDcGone() { return GetObjectType(App.Print.PrintDialog.hDC) == 0; }
};

}  // namespace

TEST_F(PrintJob, AllOfFortyCardsGivesThreePagesEachWithItsSixteenNames) {
    std::vector<std::string> seen = Print(UserPlan{});
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ("Print", seen[0]);
    EXPECT_EQ("Print...", seen[1]);
    std::vector<std::string> pages = PrintedPageTexts();
    ASSERT_EQ(3u, pages.size());
    EXPECT_EQ(Range(1, 16), CardsPerPage(pages, 40)[0]);
    EXPECT_EQ(Range(17, 32), CardsPerPage(pages, 40)[1]);
    EXPECT_EQ(Range(33, 40), CardsPerPage(pages, 40)[2]);
    for (const std::string& page : pages) {
        EXPECT_TRUE(Holds(page, "Zem Header"));
        EXPECT_TRUE(Holds(page, "Zem Footer"));
    }
    EXPECT_TRUE(Holds(pages[2], "Company 40"));
    EXPECT_TRUE(PrinterDcGone());
    EXPECT_EQ(nullptr, App.Print.AbortDialog);
}

TEST_F(PrintJob, CellFramesLieWhereThePageStylePutsThemOnPaper) {
    Print(UserPlan{});
    // The printer places the cells in its own dots (300 per inch: corner (225, 300) counted
    // from the paper's edge, steps of 1050 across and 337 down); rendered at 100 dots per inch
    // every position is a third of that.
    std::vector<GreyPage> pages = PrintedPages(100);
    ASSERT_EQ(3u, pages.size());
    auto darkShare = [](const GreyPage& page, int x0, int y0, int x1, int y1) {
        int dark = 0, all = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x, ++all)
                if (page.At(x, y) < 160) ++dark;
        return (double)dark / all;
    };
    // The darkest of three neighbouring columns or rows, since lines fall between dots.
    auto vertical = [&](const GreyPage& page, int x, int y0, int y1) {
        double best = 0;
        for (int dx = -1; dx <= 1; ++dx) best = std::max(best, darkShare(page, x + dx, y0, x + dx, y1));
        return best;
    };
    auto horizontal = [&](const GreyPage& page, int y, int x0, int x1) {
        double best = 0;
        for (int dy = -1; dy <= 1; ++dy) best = std::max(best, darkShare(page, x0, y + dy, x1, y + dy));
        return best;
    };
    const GreyPage& first = pages[0];
    ASSERT_EQ(850, first.Width);
    ASSERT_EQ(1100, first.Height);
    for (int x : {75, 425, 775}) EXPECT_GT(vertical(first, x, 105, 995), 0.95) << "x " << x;
    for (int row = 0; row <= 8; ++row) {
        int y = (300 + row * 337) / 3;
        EXPECT_GT(horizontal(first, y, 80, 770), 0.95) << "y " << y;
    }
    EXPECT_LT(vertical(first, 60, 105, 995), 0.05);
    EXPECT_LT(horizontal(first, 1008, 80, 770), 0.05);
    // The last page ends with card 40, the eighth cell of the first column.
    EXPECT_GT(vertical(pages[2], 425, 105, 995), 0.95);
    EXPECT_LT(vertical(pages[2], 775, 105, 995), 0.05);
}

TEST_F(PrintJob, CurrentPrintsOnePageWithTheCurrentCardOnly) {
    kvRecGoto(App.CardTable, 7);
    kvCardRecGet(App.CardTable, &App.CurrentCard, 1);
    App.CurrentCardNumber = 7;
    Print(UserPlan{rad2});
    std::vector<std::string> pages = PrintedPageTexts();
    ASSERT_EQ(1u, pages.size());
    EXPECT_EQ(std::vector<int>{7}, CardsPerPage(pages, 40)[0]);
    EXPECT_STREQ("Person 07", App.CurrentCard.CName) << "the current card stays current";
}

TEST_F(PrintJob, CardsThreeToFivePrintsThoseThreeCards) {
    Print(UserPlan{rad3, 3, 5});
    std::vector<std::string> pages = PrintedPageTexts();
    ASSERT_EQ(1u, pages.size());
    EXPECT_EQ(Range(3, 5), CardsPerPage(pages, 40)[0]);
    // A range over more than a page goes on where the page ended.
    Print(UserPlan{rad3, 10, 30});
    pages = PrintedPageTexts();
    ASSERT_EQ(2u, pages.size());
    EXPECT_EQ(Range(10, 25), CardsPerPage(pages, 40)[0]);
    EXPECT_EQ(Range(26, 30), CardsPerPage(pages, 40)[1]);
}

TEST_F(PrintJob, AWidePageStyleOnAPortraitPrinterAsksFirst) {
    StoreLayouts({kTwoByEight, kWide, kSquare, kOnePerPage}, 1);
    UserPlan no;
    std::vector<std::string> seen = Print(no);
    ASSERT_EQ(2u, seen.size());
    EXPECT_TRUE(Holds(seen[1], "The page orientation does not fit the selected page style. Continue to print?"));
    EXPECT_FALSE(IsFile(PrinterOutput())) << "No prints nothing";
    EXPECT_TRUE(PrinterDcGone()) << "the printer's device context is not left behind";

    UserPlan yes;
    yes.OrientationAnswer = IDYES;
    seen = Print(yes);
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ("Print...", seen[2]);
    EXPECT_EQ(5u, PrintedPageTexts().size()) << "nine cards a page";

    // The same style on a landscape printer, and a page that fits 8.5 inches, are not questioned.
    SetOrientation(DMORIENT_LANDSCAPE);
    DeleteFileA(PrinterOutput().c_str());
    seen = Print(no);
    EXPECT_EQ((std::vector<std::string>{"Print", "Print..."}), seen);
    EXPECT_EQ(5u, PrintedPageTexts().size());
    SetOrientation(DMORIENT_PORTRAIT);
    StoreLayouts({kTwoByEight, kWide, kSquare, kOnePerPage}, 2);
    EXPECT_EQ((std::vector<std::string>{"Print", "Print..."}), Print(no));
}

TEST_F(PrintJob, NoQuestionBeforeAnyPrintDialogGaveAnOrientation) {
    StoreLayouts({kTwoByEight, kWide}, 1);
    int16_t kept = App.Print.PrinterOrientation;
    App.Print.PrinterOrientation = 0;
    EXPECT_FALSE(IsOrientationMismatch());
    App.Print.PrinterOrientation = DMORIENT_PORTRAIT;
    EXPECT_TRUE(IsOrientationMismatch());
    App.Print.PrinterOrientation = kept;
}

TEST_F(PrintJob, CancelInThePrintDialogOrAnEmptyFilePrintsNothing) {
    UserPlan cancel;
    cancel.CancelPrintDialog = true;
    EXPECT_EQ(std::vector<std::string>{"Print"}, Print(cancel));
    EXPECT_FALSE(IsFile(PrinterOutput()));
    OpenCards(0);
    EXPECT_TRUE(Print(UserPlan{}).empty()) << "no dialog at all";
    EXPECT_FALSE(IsFile(PrinterOutput()));
}

TEST_F(PrintJob, CancelWhilePagesArePrintedAbortsTheDocument) {
    StoreLayouts({kTwoByEight, kWide, kSquare, kOnePerPage}, 3);
    UserPlan plan;
    plan.CancelJob = true;
    std::vector<std::string> seen = Print(plan);
    EXPECT_EQ((std::vector<std::string>{"Print", "Print..."}), seen);
    EXPECT_EQ(1, App.Print.Aborted);
    EXPECT_EQ(nullptr, App.Print.AbortDialog);
    EXPECT_FALSE(IsFile(PrinterOutput())) << "an aborted document never reaches the printer";
    EXPECT_TRUE(PrinterDcGone());
}

// The program ends while a job prints (its main window destroyed, the loop told to quit):
// the quit stays for the main loop and the job stops.
TEST_F(PrintJob, AQuitDuringTheJobStaysForTheMainLoopAndAbortsTheDocument) {
    StoreLayouts({kTwoByEight, kWide, kSquare, kOnePerPage}, 3);  // forty pages
    UserPlan plan;
    plan.QuitThread = GetCurrentThreadId();
    std::vector<std::string> seen = Print(plan);
    EXPECT_EQ((std::vector<std::string>{"Print", "Print..."}), seen);
    EXPECT_EQ(1, App.Print.Aborted);
    EXPECT_EQ(nullptr, App.Print.AbortDialog);
    EXPECT_FALSE(IsFile(PrinterOutput())) << "the stopped document never reaches the printer";
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is still queued";
    EXPECT_EQ(3u, quit.wParam);
}

// File > Print while a job prints (its messages are dispatched between pages) starts no second
// job: no second Print dialog, and the first job ends with its own "Print..." dialog.
namespace {
const UINT kPrintAgain = WM_APP + 7;
int g_printAgainCalls = 0;
LRESULT CALLBACK PrintAgainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kPrintAgain) return DefWindowProcA(window, message, wParam, lParam);
    ++g_printAgainCalls;
    PrintCards();
    return 0;
}
}  // namespace

TEST_F(PrintJob, PrintWhileAJobRunsStartsNoSecondJob) {
    StoreLayouts({kTwoByEight, kWide, kSquare, kOnePerPage}, 3);  // forty pages
    WNDCLASSA kind = {};
    kind.lpfnWndProc = PrintAgainWndProc;
    kind.hInstance = App.Instance;
    kind.lpszClassName = "ZemPrintAgain";
    RegisterClassA(&kind);
    HWND window = CreateWindowA("ZemPrintAgain", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, App.Instance, nullptr);
    ASSERT_NE(nullptr, window);
    g_printAgainCalls = 0;
    UserPlan plan;
    plan.NotifyDuringJob = window;
    plan.NotifyMessage = kPrintAgain;
    std::vector<std::string> seen = Print(plan);
    DestroyWindow(window);
    EXPECT_EQ(1, g_printAgainCalls) << "File > Print came while the job ran";
    EXPECT_EQ((std::vector<std::string>{"Print", "Print..."}), seen);
    EXPECT_EQ(nullptr, App.Print.AbortDialog);
    EXPECT_EQ(40u, PrintedPageTexts().size()) << "the first job prints whole";
}
