// One run of zem40 on a small card file, driven as a user would, for the tests of which card
// an edit reaches: the card form, the Card List's cell editor, the index strip, Find and the
// sort commands; the card file is read back once the program has ended.
#pragma once
#include <windows.h>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "card_files.h"
#include "gui_driver.h"

// The fields of a card that the tests type into and compare.
struct ModelCard {
    std::string Name, Title, Company;
    bool operator==(const ModelCard& other) const {
        return Name == other.Name && Title == other.Title && Company == other.Company;
    }
};

// The cards of the file as the model expects them, in any order.
std::vector<ModelCard> SortedCards(std::vector<ModelCard> cards);
// The cards the file holds (names, titles, companies), sorted; empty when it cannot be read.
std::vector<ModelCard> StoredModelCards(const std::string& path);
std::string Describe(const std::vector<ModelCard>& cards);

// Five cards whose names and companies sort in opposite orders.
std::vector<ModelCard> FiveCards();

// A shared lock on the card file, as another reader of it holds one: the program can still
// write but cannot commit until the lock goes.
class ReaderLock {
public:
    explicit ReaderLock(const std::string& path);
    ~ReaderLock() { Release(); }
    bool Held() const { return held_; }
    void Release();

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool held_ = false;
};

class CardRun {
public:
    // A fresh installation named `name` whose card file holds the cards (an empty list makes
    // an empty file); the program started on it, in front of other windows.
    // Cards named in `images` get that card image, and a thumbnail file that is missing.
    CardRun(const std::string& name, const std::vector<ModelCard>& cards,
            const std::map<std::string, std::string>& images = {});
    bool Ready() const { return created_ && main_ && work_; }
    HWND Main() const { return main_; }
    HWND Work() const { return work_; }
    DWORD Process() const { return run_->ProcessId(); }
    DialogAnswerer& Answers() { return *answers_; }
    // Every message box and dialog answered so far, for a failure's report.
    std::string SeenMessages();
    // Whether the program still runs and its top-level windows, for a failed start's report.
    std::string StartReport() const;
    const std::string& CardFile() const { return cardFile_; }
    Installation& Setup() { return installation_; }

    HWND Form() const;
    HWND Field(int id) const;
    HWND Strip() const;
    HWND CardList() const;
    HWND DeckList() const;
    void Command(int id) const;      // sent: returns once the command is done
    void PostCommand(int id) const;  // posted: its modal dialog runs meanwhile
    // Types into the edit as the keyboard does: its text selected, then each character.
    void Type(HWND edit, const std::string& text) const;
    void ClickTab(int k) const;  // index tab k, 26 every card
    void SearchBar(const std::string& text) const;
    // The Find dialog by fields: name, title, company; false when it did not close.
    bool Find(const std::string& name, const std::string& title = "", const std::string& company = "") const;
    // The command bar's Sort button, then the key chosen in its dialog (1 name to 5 date).
    bool SortFromBar(int key) const;
    // Opens the Card List's cell editor on the row's cell of list column n; the editor.
    HWND OpenCell(int row, int n) const;
    // List View Options answered OK without a change.
    bool ListOptionsOk() const;
    std::string Name() const;
    // Closes the program through its close box; the exit code.
    int Close(DWORD timeoutMs = 90000);
    int WaitForExit(DWORD timeoutMs = 90000) { return run_->WaitForExit(timeoutMs); }
    // Starts the program again on the same installation once it has ended; true when it runs.
    bool Restart();
    // The list column whose header reads the title, or -1.
    int ListColumnTitled(const std::string& title) const;
    HWND WaitDialog(const std::string& caption, DWORD ms = 20000) const;

private:
    void Attach();
    Installation installation_;
    std::string cardFile_;
    bool created_ = false;
    std::unique_ptr<ProgramRun> run_;
    std::unique_ptr<DialogAnswerer> answers_;
    HWND main_ = nullptr;
    HWND work_ = nullptr;
};

// The field ids of the card form.
const int kNameField = 430, kTitleField = 431, kCompanyField = 432;
