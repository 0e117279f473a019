// File > Export through the real program: the save dialog's file type picks the writer, in the
// Card Deck and in the Card List (its selected rows only); what the files hold is read back by
// the independent readers; a file that cannot be written is told. One start of the program.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "card_files.h"
#include "dialog_driver.h"
#include "export_readers.h"
#include "list_view_remote.h"
#include <functional>

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr int kExportCommand = 52;
constexpr int kCardListCommand = 110;
constexpr int kFileTypeCombo = 0x470;  // the save dialog's "Save as type" list
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 0x480;

LRESULT Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, 60000, &result);
    return static_cast<LRESULT>(result);
}

bool WaitFor(const std::function<bool()>& condition, DWORD ms = 60000) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(50);
    }
    return true;
}

HWND FileNameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    HWND edit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
    return edit ? edit : (box ? box : GetDlgItem(dialog, kFileNameEdit));
}

// The writer runs once the dialog has gone and holds its file open until it is written whole.
bool WaitUntilWritten(const std::string& path) {
    return WaitFor([&] {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    });
}

bool WasTold(DialogAnswerer& answers, const std::string& text) {
    for (const SeenDialog& seen : answers.Seen())
        if (seen.Text == text) return true;
    return false;
}

// The three cards of the test file, in name order: Name, Title and Company.
const Rows kCards = {{"Ann Archer", "Engineer", "Acme"},
                     {"Baker, Quinn", "Head of \"Special\" Projects", "Smith, Jones & Co."},
                     {"Carl Cole", "", "Cole, \"C\" Ltd"}};
const std::vector<std::string> kCaptions = {"Name", "Title", "Company"};

class ExportCommandRun {
public:
    ExportCommandRun() : installation("export_command") {
        std::string cardFile = installation.Path("Database\\Export.mdb");
        std::vector<DetailedCard> cards;
        for (const auto& card : kCards) {
            DetailedCard detailed{{card[0], "", ""}, card[2], card[1], "555-0100", "Dover", 0, {2004, 3, 7}};
            cards.push_back(detailed);
        }
        created = CreateDetailedCardFile(cardFile, cards);
        installation.WriteSetting("CardBase", "DataBaseName", cardFile.c_str());
        installation.WriteSetting("Preference", "SaveField", "101001");
        installation.WriteSetting("Preference", "bSaveField", "1");
        run = std::make_unique<ProgramRun>(installation, "");
        main = run->WaitForMainWindow();
        if (main) SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (run->Started()) answers = std::make_unique<DialogAnswerer>(run->ProcessId());
    }
    ~ExportCommandRun() {
        answers.reset();
        if (main) PostMessageA(main, WM_CLOSE, 0, 0);
        run->WaitForExit();
    }

    // File > Export with the file type (0 Excel ... 7 Plain Text) and path typed into the dialog.
    // True once the dialog was answered.
    bool Export(int type, const std::string& path) {
        PostMessageA(main, WM_COMMAND, kExportCommand, 0);
        HWND dialog = dialog_driver::WaitForDialog(run->ProcessId(), "Export Card File");
        if (!dialog) return false;
        HWND types = GetDlgItem(dialog, kFileTypeCombo);
        HWND name = FileNameEdit(dialog);
        if (!types || !name) return false;
        for (int attempt = 0; attempt < 10 && IsWindowVisible(dialog); ++attempt) {
            Send(types, CB_SETCURSEL, type, 0);
            Send(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
            Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 3000);
        }
        return !IsWindow(dialog) || !IsWindowVisible(dialog);
    }

    Installation installation;
    bool created = false;
    std::unique_ptr<ProgramRun> run;
    std::unique_ptr<DialogAnswerer> answers;
    HWND main = nullptr;
};

Rows WithCaptions(const std::vector<int>& cards) {
    Rows rows = {kCaptions};
    for (int i : cards) rows.push_back(kCards[i]);
    return rows;
}

}  // namespace

TEST(ExportCommand, FileExportWritesTheChosenTypeInEachView) {
    ExportCommandRun r;
    ASSERT_TRUE(r.created);
    ASSERT_NE(r.main, nullptr);
    r.answers->AnswerMessage("replace", IDYES);
    r.answers->AnswerMessage("could not be written", IDOK);

    // Card Deck: every card, in the card file's order.
    std::string tab = r.installation.Path("cards.txt"), sheet = r.installation.Path("cards.xls");
    ASSERT_TRUE(r.Export(6, tab));
    ASSERT_TRUE(WaitUntilWritten(tab));
    EXPECT_EQ(CheckExportWithReaders(tab, "text", WithCaptions({0, 1, 2}), "tab"), "");
    ASSERT_TRUE(r.Export(0, sheet));
    ASSERT_TRUE(WaitUntilWritten(sheet));
    EXPECT_EQ(CheckExportWithReaders(sheet, "sheet", WithCaptions({0, 1, 2})), "");

    // Card List: only the rows selected there.
    Send(r.main, WM_COMMAND, kCardListCommand, 0);
    HWND work = FindWindowExA(r.main, nullptr, "IMC_WorkEdit20", nullptr);
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = FindWindowExA(work, nullptr, "SysListView32", nullptr)) != nullptr; }));
    ASSERT_EQ(ListRowCount(list), 3);
    ListSelectRows(list, {0, 2});
    std::string outlook = r.installation.Path("selected.csv");
    ASSERT_TRUE(r.Export(1, outlook));
    ASSERT_TRUE(WaitUntilWritten(outlook));
    EXPECT_EQ(CheckExportWithReaders(outlook, "text", WithCaptions({0, 2}), "comma"), "");
    WaitUntilDrawn(r.main);
    SaveScreenshot(r.main, "export_card_list");

    // A file another program holds open cannot be replaced: the user is told.
    std::string held = r.installation.Path("held.txt");
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(r.Export(5, held));
    EXPECT_TRUE(WaitFor([&] { return WasTold(*r.answers, "The export file could not be written."); }));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(held), "");
}
