// The card file at start-up and on closing: the file the settings name, the fallback to the
// untitled card file, and the question before untitled cards would be lost.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "card_files.h"
#include "recognition_checks.h"
#include "linux_programs.h"
#include <memory>

namespace {

bool ButtonEnabled(HWND bar, int id) { return IsWindowEnabled(GetDlgItem(bar, id)) != FALSE; }

const char kSaveQuestion[] = "Do you want to save the new card data?";

// Starts the program on the untitled card file, adds cards through New Card and stands ready
// to answer the question those cards bring on closing.
class UntitledWithCards {
public:
    UntitledWithCards(const Installation& installation, int cards, int saveAnswer) : run_(installation, "") {
        main_ = run_.WaitForMainWindow();
        for (int i = 0; i < cards && main_; ++i) SendMessageA(main_, WM_COMMAND, 71, 0);
        untitled_ = installation.Path("Database\\Untitled.mdb");
        // Made only now, so that what it has seen is what came after the cards.
        answers_ = std::make_unique<DialogAnswerer>(run_.ProcessId());
        answers_->AnswerMessage(kSaveQuestion, saveAnswer);
    }
    void Close() const { PostMessageA(main_, WM_CLOSE, 0, 0); }
    // The exit code once closed.
    int CloseAndWait() {
        Close();
        return run_.WaitForExit();
    }
    DialogAnswerer& Answers() { return *answers_; }
    HWND Main() const { return main_; }
    const std::string& UntitledPath() const { return untitled_; }

private:
    ProgramRun run_;
    std::unique_ptr<DialogAnswerer> answers_;
    HWND main_ = nullptr;
    std::string untitled_;
};

// What a restricted user's run is told: where the per-user folder is.
std::vector<std::pair<std::string, std::string>> RestrictedUser(const std::string& folder) {
    return {{"ZEM40_TEST_RESTRICTED_USER", "1"}, {"PATHKEEP_FOLDER", folder}};
}

// A folder in which no file can be made while the object lives. File modes do not stop the
// host's administrator, so where the tests run as that user the host marks the folder
// immutable; any other user (who may not mark it) is stopped by the folder's mode.
class ClosedFolder {
public:
    explicit ClosedFolder(const std::string& path) : path_(path), unix_(UnixPath(path)) {
        RunShellCommand("chattr -i '" + unix_ + "' 2>/dev/null; mkdir -p '" + unix_ + "' && { chattr +i '" + unix_ +
                        "' 2>/dev/null || chmod a-w '" + unix_ + "'; }");
    }
    ~ClosedFolder() { RunShellCommand("chattr -i '" + unix_ + "' 2>/dev/null; chmod u+w '" + unix_ + "'"); }
    // Whether a file can be made in it (it must not).
    bool TakesFiles() const {
        std::string probe = path_ + "\\probe.txt";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        DeleteFileA(probe.c_str());
        return true;
    }

private:
    std::string path_, unix_;
};

}  // namespace

TEST(CardFile, StartupOpensTheNamedFileAndIgnoresALeftoverTempFile) {
    Installation installation("cardfile-named");
    std::string cards = installation.Path("Database\\Named.mdb");
    ASSERT_TRUE(CreateCardFile(cards, {{"Cy Cedar", "", ""}, {"Al Alder", "", ""}, {"Bo Beech", "", ""}}));
    installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
    // A stale compaction result from an earlier run must never replace the card file.
    ASSERT_TRUE(CreateCardFile(installation.Path("TVRKTEMP\\temp.mdb"), {{"Stale", "", ""}}));
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Named.mdb");
    HWND bar = run.Child("IMC_CMD20");
    for (int id : {701, 702, 703, 708, 709, 710, 711}) EXPECT_TRUE(ButtonEnabled(bar, id)) << id;
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(CardNames(cards), (std::vector<std::string>{"Al Alder", "Bo Beech", "Cy Cedar"}));
    EXPECT_FALSE(IsFile(installation.Path("TVRKTEMP\\temp.mdb")));
}

TEST(CardFile, ACompactedCopyThatCannotTakeItsPlaceLeavesTheCardFileWhole) {
    Installation installation("cardfile-held");
    std::string cards = installation.Path("Database\\Held.mdb");
    ASSERT_TRUE(CreateCardFile(cards, {{"Cy Cedar", "", ""}, {"Al Alder", "", ""}, {"Bo Beech", "", ""}}));
    installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
    // Another program reads the card file while the program starts: it shares reading and
    // writing but not deleting, and holds a read lock on the first pages.
    HANDLE reader = CreateFileA(cards.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    OVERLAPPED at{};
    ASSERT_TRUE(LockFileEx(reader, LOCKFILE_FAIL_IMMEDIATELY, 0, 4096, 0, &at));
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Held.mdb");
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
    UnlockFileEx(reader, 0, 4096, 0, &at);
    CloseHandle(reader);
    EXPECT_EQ(CardNames(cards), (std::vector<std::string>{"Al Alder", "Bo Beech", "Cy Cedar"}));
    // The compacted copy is kept: it did not take the card file's place.
    EXPECT_EQ(CardNames(installation.Path("TVRKTEMP\\temp.mdb")),
              (std::vector<std::string>{"Al Alder", "Bo Beech", "Cy Cedar"}));
}

TEST(CardFile, MissingOrBrokenFileFallsBackToTheUntitledCardFile) {
    struct Case {
        const char* name;
        bool broken;  // a file that is not a card file: message 801, then the fallback
    } cases[] = {{"cardfile-missing", false}, {"cardfile-broken", true}};
    for (const Case& c : cases) {
        Installation installation(c.name);
        std::string path = installation.Path("Database\\Gone.mdb");
        if (c.broken) WriteSmallFile(path);
        installation.WriteSetting("CardBase", "DataBaseName", path.c_str());
        ProgramRun run(installation, "");
        DialogAnswerer answers(run.ProcessId());
        answers.AnswerMessage("cannot be opened", IDOK);
        answers.AnswerMessage("DAO error", IDOK);
        HWND main = run.WaitForMainWindow();
        ASSERT_NE(main, nullptr) << c.name;
        EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Untitled.mdb") << c.name;
        EXPECT_TRUE(ButtonEnabled(run.Child("IMC_CMD20"), 708)) << c.name;
        EXPECT_TRUE(IsFile(installation.Path("Database\\Untitled.mdb"))) << c.name;
        auto seen = answers.Seen();
        if (c.broken) {
            ASSERT_FALSE(seen.empty());
            EXPECT_EQ(seen.back().Caption, path);
            EXPECT_EQ(seen.back().Text, "File $ cannot be opened.");
        } else {
            EXPECT_TRUE(seen.empty());
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(run.WaitForExit(), 0) << c.name;
    }
}

TEST(CardFile, MissingDatabaseFolderIsCreatedForTheUntitledFile) {
    Installation installation("cardfile-nofolder");
    RemoveDirectoryA(installation.Path("Database").c_str());
    ProgramRun run(installation, "");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsFile(installation.Path("Database\\Untitled.mdb")));
    EXPECT_TRUE(GetFileAttributesA(installation.Path("Database\\Untitled.mdb").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    SendMessageA(main, WM_COMMAND, 71, 0);
    EXPECT_TRUE(ButtonEnabled(run.Child("IMC_CMD20"), 701));
    PostMessageA(main, WM_CLOSE, 0, 0);
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage(kSaveQuestion, IDNO);
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST(CardFile, WithoutAnyCardFileScanAndNewCardAreDisabled) {
    Installation installation("cardfile-none");
    // A file where the Database folder belongs: not even the untitled card file can be made.
    RemoveDirectoryA(installation.Path("Database").c_str());
    WriteSmallFile(installation.Path("Database"));
    ProgramRun run(installation, "");
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("DAO error", IDOK);
    answers.AnswerMessage("cannot be opened", IDOK);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // The user is told which card file could not be made.
    std::vector<SeenDialog> seen = answers.Seen();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Text, "File $ cannot be opened.");
    EXPECT_EQ(seen.back().Caption, installation.Path("Database\\Untitled.mdb"));
    HWND bar = run.Child("IMC_CMD20");
    // No web site is named in the settings: its button does nothing either.
    for (int id : {708, 709, 701, 702, 703, 710, 711, 713}) EXPECT_FALSE(ButtonEnabled(bar, id)) << id;
    for (int id : {700, 704, 705, 706, 707, 712}) EXPECT_TRUE(ButtonEnabled(bar, id)) << id;
    SendMessageA(main, WM_COMMAND, 71, 0);
    EXPECT_FALSE(ButtonEnabled(bar, 701));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST(CardFile, CancellingTheSaveQuestionKeepsTheProgramAndItsCards) {
    Installation installation("cardfile-cancel");
    UntitledWithCards session(installation, 2, IDCANCEL);
    ASSERT_NE(session.Main(), nullptr);
    DialogAnswerer& answers = session.Answers();
    session.Close();
    PumpMessages(2500);
    EXPECT_TRUE(IsWindow(session.Main()));
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].Caption, "Tamsel! Nimbra");
    // Nothing was written: the current card stays as the settings had it.
    EXPECT_EQ(installation.ReadSetting("Status", "CurCard"), "-1");
    // End the session: No discards the cards now.
    answers.AnswerMessage(kSaveQuestion, IDNO);
    session.Close();
}

TEST(CardFile, AnsweringNoDeletesTheUntitledFile) {
    Installation installation("cardfile-no");
    UntitledWithCards session(installation, 1, IDNO);
    ASSERT_NE(session.Main(), nullptr);
    EXPECT_EQ(session.CloseAndWait(), 0);
    EXPECT_FALSE(IsFile(session.UntitledPath()));
    EXPECT_EQ(installation.ReadSetting("CardBase", "DataBaseName", "<missing>"), "<missing>");
}

TEST(CardFile, AnsweringYesSavesEveryCardUnderTheChosenName) {
    Installation installation("cardfile-yes");
    std::string saved = installation.Path("Database\\Saved.mdb");
    UntitledWithCards session(installation, 3, IDYES);
    ASSERT_NE(session.Main(), nullptr);
    DialogAnswerer& answers = session.Answers();
    answers.AnswerFileDialog("Save Card File", saved);
    EXPECT_EQ(session.CloseAndWait(), 0);
    EXPECT_EQ(CountCards(saved), 3);
    EXPECT_FALSE(IsFile(session.UntitledPath()));
    EXPECT_EQ(installation.ReadSetting("CardBase", "DataBaseName"), saved);
}

TEST(CardFile, SavingOntoAnExistingCardFileReplacesItAndItsImages) {
    Installation installation("cardfile-replace");
    std::string other = installation.Path("Database\\Other.mdb");
    std::string image = WriteSmallFile(installation.Path("IMAGE\\OTHR0001.TIF"));
    std::string thumb = WriteSmallFile(installation.Path("thumb\\OTHR0001.THM"));
    ASSERT_TRUE(CreateCardFile(other, {{"Old One", image, thumb}, {"Old Two", "", ""}}));
    UntitledWithCards session(installation, 1, IDYES);
    ASSERT_NE(session.Main(), nullptr);
    DialogAnswerer& answers = session.Answers();
    answers.AnswerMessage("already exists", IDYES);  // the dialog's own overwrite question
    answers.AnswerFileDialog("Save Card File", other);
    EXPECT_EQ(session.CloseAndWait(), 0);
    EXPECT_EQ(CountCards(other), 1);
    EXPECT_FALSE(IsFile(image));
    EXPECT_FALSE(IsFile(thumb));
    EXPECT_FALSE(IsFile(session.UntitledPath()));
}

TEST(CardFile, RestrictedUserWorksInThePerUserDatabaseFolder) {
    Installation installation("cardfile-restricted", Installation::TestRoads);
    std::string folder = installation.Path("peruser\\");
    ProgramRun run(installation, "", RestrictedUser(folder));
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsFile(folder + "Database\\Untitled.mdb"));
    EXPECT_FALSE(IsFile(installation.Path("Database\\Untitled.mdb")));
    SendMessageA(main, WM_COMMAND, 71, 0);
    std::string saved = folder + "Database\\Mine.mdb";
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage(kSaveQuestion, IDYES);
    answers.AnswerFileDialog("Save Card File", saved);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(CountCards(saved), 1);
    EXPECT_FALSE(IsFile(folder + "Database\\Untitled.mdb"));
    char value[512];
    GetPrivateProfileStringA("CardBase", "DataBaseName", "", value, sizeof value, (folder + "zem40.ini").c_str());
    EXPECT_EQ(std::string(value), saved);
}

// A restricted user may keep the untitled cards only where a folder can be made beside the
// file; a refused path brings the message and the dialog back, and nothing is written there.
TEST(CardFile, RestrictedUserIsRefusedAPathWithoutWriteAccessAndAskedAgain) {
    Installation installation("cardfile-restricted-refused", Installation::TestRoads);
    std::string folder = installation.Path("peruser\\");
    ProgramRun run(installation, "", RestrictedUser(folder));
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    SendMessageA(main, WM_COMMAND, 71, 0);
    // The write test makes a folder named like the file; one that is there already fails it.
    std::string blockedFolder = folder + "Database\\Blocked";
    ASSERT_TRUE(CreateDirectoryA(blockedFolder.c_str(), nullptr));
    std::string refused = blockedFolder + ".mdb";
    std::string saved = folder + "Database\\Mine.mdb";
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage(kSaveQuestion, IDYES);
    answers.AnswerMessage("You do not have permission to open this file.", IDOK);
    answers.AnswerFileDialog("Save Card File", refused, 1);
    answers.AnswerFileDialog("Save Card File", saved);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);

    int refusals = 0, saveDialogs = 0;
    for (const SeenDialog& seen : answers.Seen()) {
        if (seen.Text == "You do not have permission to open this file.") {
            ++refusals;
            EXPECT_EQ(seen.Caption, "Error");  // a message box without caption text
        }
        if (seen.Caption == "Save Card File") ++saveDialogs;
    }
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(saveDialogs, 2);
    EXPECT_FALSE(IsFile(refused));
    EXPECT_NE(GetFileAttributesA(blockedFolder.c_str()), INVALID_FILE_ATTRIBUTES) << "the user's folder must stay";
    EXPECT_EQ(CountCards(saved), 1);
    EXPECT_FALSE(IsFile(folder + "Database\\Untitled.mdb"));
}

// Without a TempDir the program works from the root of its current drive: compaction and the
// clean-up at the end must leave the files there alone. The same installation shows no web
// site buttons, and its command bar ends with the Export options button.
TEST(CardFile, EmptyTempFolderLeavesTheDrivesRootAlone) {
    Installation installation("cardfile-notemp");
    std::string cards = installation.Path("Database\\Named.mdb");
    ASSERT_TRUE(CreateCardFile(cards, {{"Cy Cedar", "", ""}, {"Al Alder", "", ""}}));
    installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
    installation.WriteSetting("Directory", "TempDir", "");
    installation.WriteSetting("Preference", "ShowWebSite", "0");
    const std::string rootFiles[] = {"C:\\temp.mdb", "C:\\SOMEONES.IFO"};
    for (const std::string& file : rootFiles) ASSERT_TRUE(WriteWholeFile(file, "not the program's: " + file));
    {
        ProgramRun run(installation, "", {}, "C:\\");
        HWND main = run.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(WindowText(main), "Tamsel! Nimbra - Named.mdb");
        HWND bar = run.Child("IMC_CMD20");
        EXPECT_EQ(GetDlgItem(bar, 713), nullptr);
        EXPECT_EQ(GetDlgItem(bar, 720), nullptr);
        EXPECT_EQ(CommandBarSeparatorsBetween(bar, RightInParent(GetDlgItem(bar, 712))), 0);
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(run.WaitForExit(), 0);
    }
    for (const std::string& file : rootFiles) {
        EXPECT_EQ(ReadWholeFile(file), "not the program's: " + file);
        DeleteFileA(file.c_str());
    }
    EXPECT_EQ(CardNames(cards), (std::vector<std::string>{"Al Alder", "Cy Cedar"}));
}

// Keeping the untitled cards fails when the copy cannot be made, here under the untitled
// file's own name: message 801 names the path, the program stays open on the untitled file,
// and no card is lost.
TEST(CardFile, AnsweringYesWhereTheCopyFailsKeepsTheUntitledCards) {
    Installation installation("cardfile-yes-fails");
    std::string untitled;
    {
        UntitledWithCards session(installation, 2, IDYES);
        ASSERT_NE(session.Main(), nullptr);
        untitled = session.UntitledPath();
        DialogAnswerer& answers = session.Answers();
        answers.AnswerMessage("already exists", IDYES);  // the dialog's own overwrite question
        answers.AnswerMessage("cannot be opened", IDOK);
        answers.AnswerFileDialog("Save Card File", untitled, 1);
        session.Close();
        PumpMessages(12000);
        ASSERT_TRUE(IsWindow(session.Main()));
        bool told = false;
        for (const SeenDialog& seen : answers.Seen())
            told = told || (seen.Text == "File $ cannot be opened." && seen.Caption == untitled);
        EXPECT_TRUE(told);
        EXPECT_EQ(WindowText(session.Main()), "Tamsel! Nimbra - Untitled.mdb");
    }  // the program is ended here, its card file as the failed keep left it
    EXPECT_EQ(CountCards(untitled), 2);
}

// Keeping the untitled cards where no copy can be made: a read-only folder, and an existing card
// file of as many cards that another program holds open (it can be neither replaced nor
// written). Each time message 801 names the path and the program stays on the untitled file;
// the untitled card keeps its image and thumbnail, and the held file its card and card files.
TEST(CardFile, AnsweringYesWhereNoCopyCanBeMadeKeepsEveryCardAndItsImages) {
    Installation installation("cardfile-yes-nowhere");
    installation.WriteSetting("Preference", "AutoRotate", "0");
    const std::string untitled = installation.Path("Database\\Untitled.mdb");
    ClosedFolder closed(installation.Path("ReadOnly"));
    ASSERT_FALSE(closed.TakesFiles());
    const std::string closedFolder = installation.Path("ReadOnly\\Kept.mdb");
    const std::string held = installation.Path("Database\\Held.mdb");
    const std::string heldImage = WriteSmallFile(installation.Path("IMAGE\\HELD0001.TIF"));
    const std::string heldThumb = WriteSmallFile(installation.Path("thumb\\HELD0001.THM"));
    ASSERT_TRUE(CreateCardFile(held, {{"Held One", heldImage, heldThumb}}));
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    {
        ProgramRun run(installation, CardImage("miller.bmp"));
        DialogAnswerer answers(run.ProcessId());
        ASSERT_NE(run.WaitForMainWindow(), nullptr);
        // The card is stored with its thumbnail, and then the program is left idle.
        for (DWORD start = GetTickCount(); FilesIn(installation.Path("thumb\\")).empty();) {
            ASSERT_LT(GetTickCount() - start, 300000u) << AllSeen(answers.Seen());
            PumpMessages(250);
        }
        ASSERT_TRUE(WaitForRecognitionRuns(run, 0, 60000)) << AllSeen(answers.Seen());
        answers.AnswerMessage(kSaveQuestion, IDYES);
        answers.AnswerMessage("already exists", IDYES);  // the dialog's own overwrite question
        answers.AnswerMessage("cannot be opened", IDOK);
        answers.AnswerMessage("DAO error", IDOK);  // the card database's own report comes first
        answers.AnswerFileDialog("Save Card File", closedFolder, 1);
        answers.AnswerFileDialog("Save Card File", held, 1);
        for (const std::string& target : {closedFolder, held}) {
            PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
            bool told = false;
            for (DWORD start = GetTickCount(); !told && GetTickCount() - start < 60000;) {
                PumpMessages(200);
                for (const SeenDialog& seen : answers.Seen())
                    told = told || (seen.Text == "File $ cannot be opened." && seen.Caption == target);
            }
            EXPECT_TRUE(told) << target << "\n" << AllSeen(answers.Seen());
            PumpMessages(1000);
            ASSERT_TRUE(IsWindow(run.MainWindow())) << target;
            EXPECT_EQ(WindowText(run.MainWindow()), "Tamsel! Nimbra - Untitled.mdb") << target;
        }
    }  // the program is ended here, its card files as the failed keeps left them
    CloseHandle(holder);
    std::vector<StoredCard> kept = ReadCards(untitled);
    ASSERT_EQ(kept.size(), 1u);
    ExpectCardOf("miller", kept[0]);
    EXPECT_TRUE(IsFile(kept[0].ImagePath)) << kept[0].ImagePath;
    EXPECT_TRUE(IsFile(kept[0].ThumbnailPath)) << kept[0].ThumbnailPath;
    EXPECT_EQ(CardNames(held), std::vector<std::string>{"Held One"});
    EXPECT_TRUE(IsFile(heldImage));
    EXPECT_TRUE(IsFile(heldThumb));
}
