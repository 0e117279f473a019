// Card images become stored cards through zem40 itself: rendered cards (ImageMagick, known
// text) handed over on the command line, read by the real OCR program under Wine, and the
// card file read back after the program has ended.
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include "card_files.h"
#include "gui_driver.h"

namespace {

std::string CardImage(const std::string& file) { return std::string(CARD_IMAGES) + file; }

std::string Truth(const std::string& card, const char* field) {
    char value[256];
    GetPrivateProfileStringA(card.c_str(), field, "", value, sizeof value, CardImage("cards.ini").c_str());
    return value;
}

std::string Digits(const std::string& s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

// The card drawn on an image, field by field, against what the card file holds.
void ExpectCardOf(const std::string& card, const StoredCard& stored) {
    SCOPED_TRACE(card);
    EXPECT_EQ(stored.Name, Truth(card, "Name"));
    EXPECT_EQ(stored.Company, Truth(card, "Company"));
    EXPECT_EQ(stored.Title, Truth(card, "Title"));
    EXPECT_EQ(stored.EMail, Truth(card, "EMail"));
    EXPECT_EQ(Digits(stored.OfficePhone), Digits(Truth(card, "Phone")));
    EXPECT_EQ(Digits(stored.Fax), Digits(Truth(card, "Fax")));
    EXPECT_NE(stored.Address.find(Truth(card, "Street")), std::string::npos) << stored.Address;
    EXPECT_EQ(stored.City, Truth(card, "City"));
    EXPECT_EQ(stored.State, Truth(card, "State"));
    EXPECT_EQ(stored.Zip, Truth(card, "Zip"));
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// An installation on an empty named card file, turning pages upright by itself.
struct RecognitionInstallation {
    explicit RecognitionInstallation(const char* name) : installation(name) {
        cards = installation.Path("Database\\cards.mdb");
        EXPECT_TRUE(CreateCardFile(cards, {}));
        installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
        installation.WriteSetting("Preference", "AutoRotate", "0");
    }
    Installation installation;
    std::string cards;
};

struct WindowSearch {
    DWORD Process;
    const char* Class;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64];
    if (owner != s->Process || !IsWindowVisible(window) || !GetClassNameA(window, name, sizeof name) ||
        strcmp(name, s->Class) != 0)
        return TRUE;
    s->Found = window;
    return FALSE;
}

// A visible top-level window of the process of that class (null when none).
HWND WindowOfProcess(DWORD processId, const char* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Waits until the program has shown its recognition window `runs` times and then stayed
// without it and without a message box for a few seconds: the card file, which the program
// holds, is read only after it has ended.
bool WaitForRecognitionRuns(const ProgramRun& run, int runs, DWORD timeoutMs) {
    int seen = 0, quiet = 0;
    bool showing = false;
    for (DWORD waited = 0; waited < timeoutMs; waited += 250) {
        bool now = WindowOfProcess(run.ProcessId(), "IMC_OcrWnd20") != nullptr;
        if (now && !showing) ++seen;
        showing = now;
        bool busy = now || WindowOfProcess(run.ProcessId(), "#32770") != nullptr;
        quiet = busy ? 0 : quiet + 250;
        if (seen >= runs && quiet >= 4000) return true;
        PumpMessages(250);
    }
    return false;
}

std::string AllSeen(const std::vector<SeenDialog>& seen) {
    std::string all;
    for (const SeenDialog& d : seen) all += "[" + d.Caption + ": " + d.Text + "] ";
    return all;
}

bool SeenMessageWith(const std::vector<SeenDialog>& seen, const std::string& part) {
    return std::any_of(seen.begin(), seen.end(),
                       [&](const SeenDialog& d) { return (d.Caption + " " + d.Text).find(part) != std::string::npos; });
}

}  // namespace

TEST(Recognition, ImagesOnTheCommandLineBecomeCardsAndFailuresLeaveNothingBehind) {
    RecognitionInstallation setup("recognition-command-line");
    const Installation& installation = setup.installation;
    std::string broken = WriteSmallFile(installation.Path("broken.bmp"));
    std::string missing = installation.Path("missing.bmp");
    // A blank page, a file no module reads and a missing file, then three cards.
    std::string arguments = CardImage("blank.bmp") + " " + broken + " " + missing + " " + CardImage("miller.bmp") +
                            " " + CardImage("chen.bmp") + " " + CardImage("garcia.bmp");
    ProgramRun run(installation, arguments);
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("", IDOK);
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    // Four pages are read: the blank one and the three cards.
    ASSERT_TRUE(WaitForRecognitionRuns(run, 4, 600000));
    PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(60000), 0);

    std::vector<SeenDialog> seen = answers.Seen();
    EXPECT_TRUE(SeenMessageWith(seen, "No text was found on the card image")) << AllSeen(seen);
    EXPECT_TRUE(SeenMessageWith(seen, "broken.bmp")) << AllSeen(seen);
    EXPECT_TRUE(SeenMessageWith(seen, "missing.bmp")) << AllSeen(seen);
    std::vector<StoredCard> stored = ReadCards(setup.cards);
    ASSERT_EQ(stored.size(), 3u);
    const char* expected[] = {"miller", "chen", "garcia"};
    std::vector<std::string> images;
    for (size_t i = 0; i < stored.size(); ++i) {
        ExpectCardOf(expected[i], stored[i]);
        EXPECT_TRUE(PathExists(stored[i].ImagePath)) << stored[i].ImagePath;
        EXPECT_EQ(stored[i].ImagePath.rfind(installation.Path("IMAGE\\"), 0), 0u) << stored[i].ImagePath;
        EXPECT_TRUE(PathExists(stored[i].ThumbnailPath)) << stored[i].ThumbnailPath;
        EXPECT_EQ(stored[i].ThumbnailPath.rfind(installation.Path("thumb\\"), 0), 0u) << stored[i].ThumbnailPath;
        images.push_back(stored[i].ImagePath.substr(stored[i].ImagePath.rfind('\\') + 1));
    }
    // The image folder holds the three card images and nothing of the failed or turned pages.
    std::vector<std::string> left = FilesIn(installation.Path("IMAGE\\"));
    left.erase(std::remove_if(left.begin(), left.end(),
                              [](const std::string& n) { return n.find(".ini") != std::string::npos; }),
               left.end());
    std::sort(left.begin(), left.end());
    std::sort(images.begin(), images.end());
    EXPECT_EQ(left, images);
    EXPECT_EQ(FilesIn(installation.Path("thumb\\")).size(), 3u);
    for (const std::string& name : FilesIn(installation.Path("TVRKTEMP\\")))
        EXPECT_EQ(name.find("tvrk"), std::string::npos) << name;
}
