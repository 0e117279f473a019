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

// Each field drawn on a card, as the card file holds it and as the drawing says: phones by
// their digits, the street as part of the address.
std::vector<FieldCheck> CheckFields(const std::string& truthFile, const std::string& card, const StoredCard& stored) {
    auto truth = [&](const char* field) { return Truth(truthFile, card, field); };
    std::string street = truth("Street");
    return {
        {"Name", stored.Name, truth("Name")},
        {"Company", stored.Company, truth("Company")},
        {"Title", stored.Title, truth("Title")},
        {"EMail", stored.EMail, truth("EMail")},
        {"Phone", Digits(stored.OfficePhone), Digits(truth("Phone"))},
        {"Fax", Digits(stored.Fax), Digits(truth("Fax"))},
        {"Street", stored.Address.find(street) != std::string::npos ? street : stored.Address, street},
        {"City", stored.City, truth("City")},
        {"State", stored.State, truth("State")},
        {"Zip", stored.Zip, truth("Zip")},
    };
}

void ExpectCardOf(const std::string& truthFile, const std::string& card, const StoredCard& stored) {
    SCOPED_TRACE(card);
    for (const FieldCheck& f : CheckFields(truthFile, card, stored)) EXPECT_EQ(f.Stored, f.Drawn) << f.Field;
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
