// Scanning through zem40 itself: Wine's TWAIN manager loads the virtual scanner, the program
// scans pages of one or eight cards, hands them to recognition and stores them; faults show
// their messages and keep what was stored; card scanners are polled and checked through
// their driver libraries. The card file is read after the program has ended.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>
#include <algorithm>
#include "recognition_checks.h"
#include "scratch_folder.h"
#include "virtual_scanner.h"

namespace {

const DWORD kRecognitionWait = 900000;

std::string ScanPage(const std::string& file) { return std::string(SCAN_PAGES) + file; }

// An installation and a virtual scanner, its pages in a scratch folder.
struct ScanningInstallation {
    explicit ScanningInstallation(const char* name) : setup(name), folder(name), scanner(folder.path()) {
        const Installation& i = setup.installation;
        i.WriteSetting("Preference", "ShowTWAINUI", "0");
        i.WriteSetting("Preference", "DefaultImgType", "1");
        i.WriteSetting("Preference", "DefaultReso", "2");
        i.WriteSetting("Preference", "bScanMultiple", "1");
        i.WriteSetting("Preference", "bKeepDlg", "1");
    }
    RecognitionInstallation setup;
    ScratchFolder folder;
    VirtualScanner scanner;
};

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 120000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        if (done()) return true;
        PumpMessages(100);
    }
    return false;
}

size_t CountSeen(DialogAnswerer& answers, const std::string& part) {
    std::vector<SeenDialog> seen = answers.Seen();
    return std::count_if(seen.begin(), seen.end(), [&](const SeenDialog& d) {
        return (d.Caption + " " + d.Text).find(part) != std::string::npos;
    });
}

size_t CountLogged(const VirtualScanner& scanner, const std::string& part) {
    std::vector<std::string> lines = scanner.LogLines();
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// A top-level window of the process with that caption (null when none).
HWND CaptionedWindowOf(DWORD processId, const char* caption) {
    for (HWND w = FindWindowA(nullptr, caption); w; w = FindWindowExA(nullptr, w, nullptr, caption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

std::vector<std::string> ListBoxItems(HWND dialog) {
    std::vector<std::string> items;
    HWND list = FindWindowExA(dialog, nullptr, "ListBox", nullptr);
    int n = list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        char narrow[256] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
        items.push_back(narrow);
    }
    return items;
}

bool ModuleLoaded(DWORD processId, const char* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &entry); more && !found; more = Module32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szModule, name) == 0;
    CloseHandle(snapshot);
    return found;
}

void PressSourceButton(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

}  // namespace

// A flatbed with its dialog suppressed: a card, a letter page holding one card (kept whole),
// a letter page of eight cards (split into eight), pages whose transfer fails after a good
// one, a cancelled scan, the Select Scanner dialog, and a source that will not do without
// its own dialog, on which two pages are scanned before the user closes it.
TEST(Scanning, FlatbedPagesBecomeCardsWithTheRightFields) {
    ScanningInstallation s("scanning-flatbed");
    VirtualScanner& scanner = s.scanner;
    ASSERT_TRUE(scanner.Installed());
    scanner.SetDevices({{"Virtual Devices", "Virtual Flatbed"}, {"Syscan Virtual", "Virtual Card Scanner"}});
    ProgramRun run(s.setup.installation, "");
    DialogAnswerer answers(run.ProcessId());
    for (const char* text : {"Error: Accessing DS", "supports up to 24-bit", "user interface suppression"})
        answers.AnswerMessage(text, IDOK);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    auto scan = [&](const std::vector<FeederPage>& pages) {
        scanner.Feed(pages);
        PostMessageA(main, WM_COMMAND, 70, 0);
    };
    std::string truth = ScanPage("pages.ini");

    scan({{CardImage("miller.bmp"), -1, -1}});
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    for (const char* line : {"SET 0x0103=2 -> SUCCESS", "SET 0x0101=1 -> SUCCESS", "SET 0x1118=300 -> SUCCESS",
                             "IMAGELAYOUT/SET 3.70x3.70 -> SUCCESS"})
        EXPECT_TRUE(scanner.Logged(line)) << line;
    scan({{ScanPage("letter1.bmp"), -1, -1}});
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    scan({{ScanPage("letter8.bmp"), -1, -1}});
    ASSERT_TRUE(WaitForRecognitionRuns(run, 8, kRecognitionWait));

    // A 16-bit page after a good one, then a page whose image information fails.
    std::string feeder = s.folder.File("feeder.ini");
    scanner.Feed({{CardImage("brooks.bmp"), -1, -1}, {CardImage("garcia.bmp"), -1, -1}});
    WritePrivateProfileStringA("Feeder", "BitsPerPixel1", "16", feeder.c_str());
    PostMessageA(main, WM_COMMAND, 70, 0);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    EXPECT_EQ(CountSeen(answers, "supports up to 24-bit color or 8-bit grayscale"), 1u) << AllSeen(answers.Seen());
    EXPECT_TRUE(IsWindowEnabled(main));
    size_t accessErrors = CountSeen(answers, "Error: Accessing DS");
    scanner.Feed({{CardImage("miller.bmp"), -1, -1}, {CardImage("garcia.bmp"), -1, -1}});
    WritePrivateProfileStringA("Feeder", "ImageInfo1", "1", feeder.c_str());
    PostMessageA(main, WM_COMMAND, 70, 0);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    EXPECT_EQ(CountSeen(answers, "Error: Accessing DS"), accessErrors + 1) << AllSeen(answers.Seen());
    EXPECT_TRUE(IsWindowEnabled(main));

    // A scan the source cancels shows nothing and stores nothing.
    size_t seenBefore = answers.Seen().size();
    scanner.Feed({{CardImage("garcia.bmp"), -1, -1}});
    WritePrivateProfileStringA("Feeder", "Cancel0", "1", feeder.c_str());
    scanner.ClearLog();
    PostMessageA(main, WM_COMMAND, 70, 0);
    ASSERT_TRUE(WaitFor([&] { return scanner.Logged("CLOSEDS") && IsWindowEnabled(main); }));
    PumpMessages(2000);
    EXPECT_EQ(answers.Seen().size(), seenBefore);

    // Select Scanner shows the manager's list of the virtual devices.
    PostMessageA(main, WM_COMMAND, 84, 0);
    HWND select = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (select = CaptionedWindowOf(run.ProcessId(), "Select Source")) != nullptr; }));
    PumpMessages(1000);
    SaveScreenshot(select, "zem40_select_scanner");
    EXPECT_EQ(ListBoxItems(select), (std::vector<std::string>{"Virtual Flatbed", "Virtual Card Scanner"}));
    PostMessageA(select, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return CaptionedWindowOf(run.ProcessId(), "Select Source") == nullptr; }));

    // A source that refuses the scan area: the program says so once and shows the source's
    // dialog; two pages scanned there are recognised when the dialog is closed.
    scanner.Set("Capabilities", "RefuseLayout", 1);
    scan({{CardImage("brooks.bmp"), -1, -1}, {CardImage("chen.bmp"), -1, -1}});
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = CaptionedWindowOf(run.ProcessId(), "Virtual Flatbed")) != nullptr; }));
    EXPECT_EQ(CountSeen(answers, "does not support TWAIN user interface suppression"), 1u);
    PumpMessages(1000);
    SaveScreenshot(main, "zem40_scanner_dialog");
    for (int page = 1; page <= 2; ++page) {
        PressSourceButton(dialog, 102);
        ASSERT_TRUE(WaitFor([&] { return scanner.FeederNext() == page; })) << page;
    }
    EXPECT_EQ(WindowOfProcess(run.ProcessId(), "IMC_OcrWnd20"), nullptr);
    PressSourceButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 2, kRecognitionWait));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(60000), 0);
    EXPECT_EQ(s.setup.installation.ReadSetting("Preference", "ShowTWAINUI"), "1");
    std::vector<StoredCard> stored = ReadCards(s.setup.cards);
    ASSERT_EQ(stored.size(), 14u);
    ExpectCardOf("miller", stored[0]);
    ExpectCardOf(truth, "letter1.0", stored[1]);
    for (int i = 0; i < 8; ++i) ExpectCardOf(truth, "letter8." + std::to_string(i), stored[2 + i]);
    const char* rest[] = {"brooks", "miller", "brooks", "chen"};
    for (int i = 0; i < 4; ++i) ExpectCardOf(rest[i], stored[10 + i]);
}

// Card scanners: the drivers are loaded at start-up, a scan without a card is refused, the
// scanner button starts exactly one scan per press, a calibration asked for is made, a paper
// jam asks whether to go on, and a card reader starts a scan when a card goes in.
TEST(Scanning, CardScannersArePolledAndCheckedThroughTheirDrivers) {
    ScanningInstallation s("scanning-card-scanners");
    VirtualScanner& scanner = s.scanner;
    ASSERT_TRUE(scanner.Installed());
    ASSERT_TRUE(scanner.InstallCardScannerDrivers());
    scanner.SetDevices({{"Syscan Virtual", "Virtual Card Scanner"}});
    scanner.Set("CardScanner", "PaperOn", 0);
    scanner.Set("CardScanner", "CalibrationNeeded", 1);
    s.setup.installation.WriteSetting("Preference", "DetectIsScannerNeedCalibrate", "1");
    ProgramRun run(s.setup.installation, "");
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("Please place a card facedown", IDOK);
    answers.AnswerMessage("possible paper jam", IDNO);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    for (const char* driver : {"A8100.DLL", "SCANL.DLL", "SCANL30.DLL"})
        EXPECT_TRUE(ModuleLoaded(run.ProcessId(), driver)) << driver;

    // No card in the scanner: calibrated, then refused.
    scanner.ClearLog();
    PostMessageA(main, WM_COMMAND, 70, 0);
    ASSERT_TRUE(WaitFor([&] { return CountSeen(answers, "Please place a card facedown") == 1; }));
    EXPECT_EQ(scanner.Get("CardScanner", "Calibrations", 0), 1);
    EXPECT_FALSE(scanner.Logged("ENABLEDS"));

    // One press of the button, one scan; the card goes through and the button stays quiet.
    scanner.Feed({{CardImage("chen.bmp"), -1, -1}});
    scanner.Set("CardScanner", "PaperOn", 1);
    scanner.Set("CardScanner", "ButtonPresses", 1);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    PumpMessages(3000);
    EXPECT_EQ(scanner.Get("CardScanner", "ButtonPresses", -1), 0);
    EXPECT_EQ(CountLogged(scanner, "USERINTERFACE/ENABLEDS"), 1u);
    EXPECT_EQ(scanner.Get("CardScanner", "PaperOn", -1), 0);

    // A card that stays in the scanner: the user is asked and says No.
    scanner.Feed({{CardImage("garcia.bmp"), -1, -1}});
    scanner.Set("CardScanner", "Jam", 1);
    scanner.Set("CardScanner", "PaperOn", 1);
    PostMessageA(main, WM_COMMAND, 70, 0);
    ASSERT_TRUE(WaitFor([&] { return CountSeen(answers, "possible paper jam") == 1; }));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) && scanner.Logged("CLOSEDS"); }));

    // A card reader: no card, refused; a card goes in, and the reader's status starts a scan.
    scanner.SetDevices({{"Dyna Data System Corporation", "Nimbra Reader Series 3"}});
    scanner.Set("CardScanner", "Jam", 0);
    scanner.Set("CardScanner", "PaperOn", 0);
    PostMessageA(main, WM_COMMAND, 70, 0);
    ASSERT_TRUE(WaitFor([&] { return CountSeen(answers, "Please place a card facedown") == 2; }));
    // The card goes in while the message still shows: the reader's poll waits for its end.
    scanner.Feed({{CardImage("brooks.bmp"), -1, -1}});
    scanner.Set("CardScanner", "PaperOn", 1);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    EXPECT_EQ(scanner.Get("CardScanner", "PaperOn", -1), 0);

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(60000), 0);
    std::vector<StoredCard> stored = ReadCards(s.setup.cards);
    ASSERT_EQ(stored.size(), 2u);
    ExpectCardOf("chen", stored[0]);
    ExpectCardOf("brooks", stored[1]);
}
