// Seeded random sequences of what a user does (typing into the card form or a Card List cell,
// moving, Find, the search bar, the index tabs, the sorts, List View Options, Delete Card, New
// Card, Undo, view switches, closing and starting again), driven through zem40's windows,
// against a model of the card file: after each sequence every card of the file must equal the
// model. The suite runs a few sequences; ZEM_SEQUENCE_COUNT (and ZEM_SEQUENCE_STEPS,
// ZEM_SEQUENCE_SEED for the first seed) run a longer soak by hand, several side by side when
// their first seeds differ.
#include <gtest/gtest.h>
#include "current_card_run.h"
#include "list_view_remote.h"
#include "window_helpers.h"
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

int EnvironmentNumber(const char* name, int fallback) {
    char value[32];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? atoi(value) : fallback;
}

const int kViews[] = {111, 113, 110, 114};  // deck, editor, list, album
const int kSorts[] = {89, 90, 91, 92, 93, 345, 346, 347, 348, 349};

// One sequence: the program, the model of its card file and what was done.
class Sequence {
public:
    // Runs that go side by side name their installation apart: folder is theirs alone.
    Sequence(int seed, int steps, const std::string& folder)
        : seed_(seed), steps_(steps), random_(static_cast<unsigned>(seed)), folder_(folder) {}

    // The mismatches found (0 when the file equals the model after every close).
    int Run() {
        run_ = std::make_unique<CardRun>(folder_, FiveCards());
        model_ = FiveCards();
        if (!run_->Ready()) return Fail("the program did not start:" + run_->StartReport());
        Answer();
        for (int step = 0; step < steps_; ++step) {
            if (!Step()) return mismatches_ + 1;
        }
        CloseAndCompare();
        return mismatches_;
    }
    std::string Log() const {
        std::ostringstream text;
        text << "seed " << seed_ << ":";
        for (const std::string& step : log_) text << "\n  " << step;
        return text.str();
    }

private:
    void Answer() {
        run_->Answers().AnswerMessage("Card not found.", IDOK);
        run_->Answers().AnswerMessage("could not be stored", IDOK);
    }
    int Fail(const std::string& what) {
        log_.push_back("FAILED: " + what);
        ++mismatches_;
        return mismatches_;
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    int View() const {
        if (run_->Form()) return 113;
        if (run_->CardList()) return 110;
        if (run_->DeckList()) return 111;
        return 114;
    }
    ModelCard* Card(const std::string& name) {
        for (ModelCard& card : model_)
            if (card.Name == name) return &card;
        return nullptr;
    }
    std::string NextText() { return "T" + std::to_string(++texts_); }

    // Types into the Title or the Company of the card the form shows.
    bool TypeInForm() {
        std::string name = run_->Name();
        // A Find whose cards were all deleted leaves the form without a card: typing there
        // makes a new card, which New Card covers.
        if (name.empty()) return true;
        ModelCard* card = Card(name);
        if (!card) return Fail("the form shows '" + name + "', which the model does not hold") == 0;
        bool title = Pick(2) == 0;
        HWND field = run_->Field(title ? kTitleField : kCompanyField);
        std::string text = NextText();
        lastTyped_ = {name, title, title ? card->Title : card->Company};
        run_->Type(field, text);
        (title ? card->Title : card->Company) = text;
        log_.push_back("type '" + text + "' into the " + (title ? "title" : "company") + " of " + name);
        return true;
    }
    // Opens a cell of a random row, types, and ends it with Tab.
    bool TypeInList() {
        HWND list = run_->CardList();
        int rows = ListRowCount(list);
        int nameColumn = run_->ListColumnTitled("Name");
        if (rows < 1 || nameColumn < 0) return true;
        int row = Pick(rows);
        bool title = Pick(2) == 0;
        int column = run_->ListColumnTitled(title ? "Title" : "Company");
        if (column < 0) return true;
        std::string name = ListCellText(list, row, nameColumn);
        ModelCard* card = Card(name);
        if (!card) return Fail("the list shows '" + name + "', which the model does not hold") == 0;
        HWND editor = run_->OpenCell(row, column);
        if (!editor) return Fail("no cell editor on row " + std::to_string(row)) == 0;
        std::string text = NextText();
        run_->Type(editor, text);
        PostMessageA(editor, WM_CHAR, '\t', 1);
        PumpMessages(300);
        Send(run_->Main(), WM_NULL);
        (title ? card->Title : card->Company) = text;
        log_.push_back("cell '" + text + "' into the " + (title ? "title" : "company") + " of " + name);
        return true;
    }
    // Undo right after typing into the form takes the typing back.
    bool UndoTyping() {
        ModelCard* card = Card(lastTyped_.Name);
        if (!card || !run_->Form()) return true;
        run_->Command(100);
        (lastTyped_.Title ? card->Title : card->Company) = lastTyped_.Before;
        log_.push_back("undo on " + lastTyped_.Name);
        return true;
    }
    std::string ShownName() const {
        if (run_->Form()) return run_->Name();
        if (run_->DeckList()) {
            std::vector<int> rows = ListSelectedRows(run_->DeckList());
            return rows.size() == 1 ? ListCellText(run_->DeckList(), rows[0], 0) : "";
        }
        return "";
    }
    bool DeleteShown() {
        std::string name = ShownName();
        if (name.empty() || model_.size() < 3 || !Card(name)) return true;
        run_->Command(105);
        for (size_t i = 0; i < model_.size(); ++i)
            if (model_[i].Name == name) model_.erase(model_.begin() + static_cast<long>(i));
        log_.push_back("delete " + name);
        return true;
    }
    bool NewCard() {
        run_->Command(71);
        if (!run_->Form()) return Fail("New Card shows no form") == 0;
        std::string name = "New " + std::to_string(++newCards_);
        run_->Type(run_->Field(kNameField), name);
        model_.push_back({name, "", ""});
        lastTyped_ = {};
        log_.push_back("new card " + name);
        return true;
    }
    bool CloseAndCompare() {
        log_.push_back("close");
        if (run_->Close() != 0) return Fail("the program did not end:" + run_->StartReport()) == 0;
        std::vector<ModelCard> stored = StoredModelCards(run_->CardFile()), expected = SortedCards(model_);
        if (stored != expected) Fail("file " + Describe(stored) + "\n  model " + Describe(expected));
        for (const SeenDialog& seen : run_->Answers().Seen())
            if (seen.Text.find("could not be stored") != std::string::npos) Fail("a store failed");
        return true;
    }
    bool Step() {
        int view = View();
        bool typed = false, ok = true;
        switch (Pick(14)) {
        case 0:
        case 1:
            if (view == 113) ok = TypeInForm(), typed = true;
            else if (view == 110) ok = TypeInList();
            break;
        case 2: {
            int command = 94 + Pick(4);
            run_->Command(command);
            log_.push_back("move " + std::to_string(command));
            break;
        }
        case 3: {
            const char letters[] = "aeiln";
            std::string text(1, letters[Pick(5)]);
            if (view != 114) {
                run_->Find(text);
                log_.push_back("find " + text);
            }
            break;
        }
        case 4:
            if (view == 111 || view == 113) {
                std::string text(1, "abcdeln"[Pick(7)]);
                run_->SearchBar(text);
                log_.push_back("search bar " + text);
            }
            break;
        case 5:
            if (view == 111 || view == 113) {
                int k = Pick(2) ? 26 : Pick(26);
                run_->ClickTab(k);
                log_.push_back("tab " + std::to_string(k));
            }
            break;
        case 6:
            if (view != 114) {
                int command = kSorts[Pick(10)];
                run_->Command(command);
                log_.push_back("sort " + std::to_string(command));
            }
            break;
        case 7:
            if (view == 110) {
                run_->ListOptionsOk();
                log_.push_back("list options OK");
            }
            break;
        case 8:
            if (view == 111 || view == 113) ok = DeleteShown();
            break;
        case 9: ok = NewCard(); break;
        case 10:
            if (lastWasFormTyping_ && view == 113) ok = UndoTyping();
            break;
        case 11:
        case 12: {
            int command = kViews[Pick(4)];
            run_->Command(command);
            log_.push_back("view " + std::to_string(command));
            break;
        }
        case 13:
            CloseAndCompare();
            log_.push_back("start again");
            if (!run_->Restart()) return Fail("the program did not start again:" + run_->StartReport()) == 0;
            Answer();
            break;
        }
        lastWasFormTyping_ = typed;
        return ok;
    }

    struct Typed {
        std::string Name;
        bool Title = true;
        std::string Before;
    };
    int seed_, steps_;
    std::mt19937 random_;
    std::string folder_;
    std::unique_ptr<CardRun> run_;
    std::vector<ModelCard> model_;
    std::vector<std::string> log_;
    Typed lastTyped_;
    bool lastWasFormTyping_ = false;
    int mismatches_ = 0, texts_ = 0, newCards_ = 0;
};

TEST(CardSequence, EveryCardOfTheFileEqualsTheModel) {
    const int count = EnvironmentNumber("ZEM_SEQUENCE_COUNT", 3);
    const int steps = EnvironmentNumber("ZEM_SEQUENCE_STEPS", 15);
    const int first = EnvironmentNumber("ZEM_SEQUENCE_SEED", 1);
    int mismatched = 0;
    for (int seed = first; seed < first + count; ++seed) {
        Sequence sequence(seed, steps, "sequence-" + std::to_string(first));
        int mismatches = sequence.Run();
        if (mismatches) ++mismatched;
        EXPECT_EQ(mismatches, 0) << sequence.Log();
    }
    std::printf("card sequences: %d run, %d steps each, %d with a mismatch\n", count, steps, mismatched);
}

}  // namespace
