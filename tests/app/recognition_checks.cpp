#include "recognition_checks.h"
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>

std::string CardImage(const std::string& file) { return std::string(CARD_IMAGES) + file; }

static std::string Truth(const std::string& truthFile, const std::string& card, const char* field) {
    char value[256];
    GetPrivateProfileStringA(card.c_str(), field, "", value, sizeof value, truthFile.c_str());
    return value;
}

static std::string Digits(const std::string& s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

void ExpectCardOf(const std::string& card, const StoredCard& stored) {
    ExpectCardOf(CardImage("cards.ini"), card, stored);
}

void ExpectCardOf(const std::string& truthFile, const std::string& card, const StoredCard& stored) {
    SCOPED_TRACE(card);
    EXPECT_EQ(stored.Name, Truth(truthFile, card, "Name"));
    EXPECT_EQ(stored.Company, Truth(truthFile, card, "Company"));
    EXPECT_EQ(stored.Title, Truth(truthFile, card, "Title"));
    EXPECT_EQ(stored.EMail, Truth(truthFile, card, "EMail"));
    EXPECT_EQ(Digits(stored.OfficePhone), Digits(Truth(truthFile, card, "Phone")));
    EXPECT_EQ(Digits(stored.Fax), Digits(Truth(truthFile, card, "Fax")));
    EXPECT_NE(stored.Address.find(Truth(truthFile, card, "Street")), std::string::npos) << stored.Address;
    EXPECT_EQ(stored.City, Truth(truthFile, card, "City"));
    EXPECT_EQ(stored.State, Truth(truthFile, card, "State"));
    EXPECT_EQ(stored.Zip, Truth(truthFile, card, "Zip"));
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

namespace {

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

}  // namespace

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
    const DWORD step = 100;
    int seen = 0;
    DWORD quiet = 0;
    // Each run makes a window of its own: a new handle is a new run, even when the previous
    // window went away and the next came between two looks (quick runs of a page of cards).
    HWND last = nullptr;
    for (DWORD waited = 0; waited < timeoutMs; waited += step) {
        HWND now = WindowOfProcess(run.ProcessId(), "IMC_OcrWnd20");
        if (now && now != last) ++seen;
        if (now) last = now;
        bool busy = now || WindowOfProcess(run.ProcessId(), "#32770") != nullptr;
        quiet = busy ? 0 : quiet + step;
        if (seen >= runs && quiet >= 4000) return true;
        PumpMessages(step);
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
