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

// The other roads into a scan, in one run: an Epson default source scans with its sheet feeder
// on the wider area; a hand-over asks for a named source, which is opened without a probe of the
// default; Select Scanner answered with OK takes the chosen scanner's model; and a button
// panel's request with its user interface mode 0 opens the panel's source with its own dialog,
// asking for the panel's custom value and 400 dpi instead of the suppressed-dialog settings.
TEST(Scanning, EpsonHandOverChosenAndPanelSourcesScanThroughTheProgram) {
    ScanningInstallation s("scanning-other-roads");
    VirtualScanner& scanner = s.scanner;
    ASSERT_TRUE(scanner.Installed());
    ASSERT_TRUE(scanner.InstallCardScannerDrivers());
    scanner.SetDevices({{"Epson Virtual", "Virtual Epson Feeder"},
                        {"Virtual Devices", "Virtual Flatbed"},
                        {"Syscan Virtual", "Virtual Card Scanner"}});
    const Installation& installation = s.setup.installation;
    ProgramRun run(installation, "");
    DialogAnswerer answers(run.ProcessId());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    // The default source is an Epson scanner: the feeder, the custom value, the wider area.
    scanner.Feed({{CardImage("miller.bmp"), -1, -1}});
    PostMessageA(main, WM_COMMAND, 70, 0);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    for (const char* line :
         {"OPENDS Virtual Epson Feeder -> SUCCESS", "SET 0x1002=1 -> SUCCESS", "SET 0x1007=1 -> SUCCESS",
          "SET 0x803B=1 -> SUCCESS", "IMAGELAYOUT/SET 3.95x3.70 -> SUCCESS"})
        EXPECT_TRUE(scanner.Logged(line)) << line;

    // A hand-over names the card scanner: it is opened by its name, the default is not probed.
    installation.WriteSetting("Preference", "DefaultDSProductName", "Virtual Card Scanner");
    scanner.ClearLog();
    scanner.Feed({{CardImage("chen.bmp"), -1, -1}});
    PostMessageA(main, WM_USER + 3000, 70, 0);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    EXPECT_EQ(CountLogged(scanner, "OPENDS"), 1u);
    EXPECT_TRUE(scanner.Logged("OPENDS Virtual Card Scanner -> SUCCESS"));
    EXPECT_TRUE(IsWindowEnabled(main));

    // Select Scanner: the card scanner chosen and confirmed is opened and its model taken, so
    // that the program now polls its button; one press scans (with the default source, whose
    // empty feeder ends the scan at once), and the probe of that scan stops the polling again.
    scanner.ClearLog();
    PostMessageA(main, WM_COMMAND, 84, 0);
    HWND select = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (select = CaptionedWindowOf(run.ProcessId(), "Select Source")) != nullptr; }));
    PumpMessages(1000);
    HWND list = FindWindowExA(select, nullptr, "ListBox", nullptr);
    ASSERT_NE(list, nullptr);
    std::vector<std::string> items = ListBoxItems(select);
    auto chosen = std::find(items.begin(), items.end(), "Virtual Card Scanner");
    ASSERT_NE(chosen, items.end());
    SendMessageA(list, LB_SETCURSEL, chosen - items.begin(), 0);
    PostMessageA(select, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return CaptionedWindowOf(run.ProcessId(), "Select Source") == nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return scanner.Logged("CLOSEDS"); }));
    EXPECT_EQ(CountLogged(scanner, "OPENDS"), 1u);
    EXPECT_TRUE(scanner.Logged("OPENDS Virtual Card Scanner -> SUCCESS"));
    scanner.ClearLog();
    scanner.Feed({});
    scanner.Set("CardScanner", "ButtonPresses", 1);
    ASSERT_TRUE(WaitFor([&] { return CountLogged(scanner, "IDENTITY/CLOSEDS") == 2 && IsWindowEnabled(main); }));
    PumpMessages(2000);
    EXPECT_EQ(scanner.Get("CardScanner", "ButtonPresses", -1), 0);
    EXPECT_EQ(CountLogged(scanner, "USERINTERFACE/ENABLEDS"), 1u);
    EXPECT_EQ(CountLogged(scanner, "OPENDS Virtual Epson Feeder -> SUCCESS"), 2u);
    scanner.Set("CardScanner", "ButtonPresses", 1);
    PumpMessages(2000);
    EXPECT_EQ(scanner.Get("CardScanner", "ButtonPresses", -1), 1);
    scanner.Set("CardScanner", "ButtonPresses", 0);

    // The panel's request for the flatbed, its user interface mode 0: the source identity carries
    // the panel's name, so the probe and the acquisition both open the panel's source, which
    // shows its dialog; one page scanned there is stored.
    installation.WriteSetting("Preference", "EpsonDSProductName", "Virtual Flatbed");
    installation.WriteSetting("Preference", "EP_UI_MODE", "0");
    scanner.ClearLog();
    scanner.Feed({{CardImage("brooks.bmp"), -1, -1}});
    PostMessageA(main, WM_COMMAND, 99, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = CaptionedWindowOf(run.ProcessId(), "Virtual Flatbed")) != nullptr; }));
    std::vector<std::string> opened;
    for (const std::string& line : scanner.LogLines())
        if (line.find("OPENDS") != std::string::npos) opened.push_back(line);
    ASSERT_EQ(opened.size(), 2u);
    for (const std::string& line : opened)
        EXPECT_NE(line.find("OPENDS Virtual Flatbed -> SUCCESS"), std::string::npos) << line;
    for (const char* line : {"SET 0x800F=2 -> SUCCESS", "SET 0x1118=400 -> SUCCESS", "SET 0x1119=400 -> SUCCESS",
                             "SET 0x0103=2 -> SUCCESS"})
        EXPECT_TRUE(scanner.Logged(line)) << line;
    for (const char* line : {"SET 0x0101", "SET 0x0001", "IMAGELAYOUT/SET", "SET 0x1002"})
        EXPECT_FALSE(scanner.Logged(line)) << line;
    PumpMessages(1000);
    SaveScreenshot(main, "zem40_panel_scan_dialog");
    PressSourceButton(dialog, 102);
    ASSERT_TRUE(WaitForRecognitionRuns(run, 1, kRecognitionWait));
    EXPECT_TRUE(IsWindowEnabled(main));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(60000), 0);
    for (const char* message : {"Error", "Sorry", "Please place"})
        EXPECT_EQ(CountSeen(answers, message), 0u) << AllSeen(answers.Seen());
    std::vector<StoredCard> stored = ReadCards(s.setup.cards);
    ASSERT_EQ(stored.size(), 3u);
    ExpectCardOf("miller", stored[0]);
    ExpectCardOf("chen", stored[1]);
    ExpectCardOf("brooks", stored[2]);
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
