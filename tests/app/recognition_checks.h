// Checks of recognised cards shared by the tests that store cards through zem40: the text
// drawn on the rendered card images against what the card file holds, the program's
// windows, and waiting for its recognition runs to end.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "card_files.h"
#include "gui_driver.h"

// A rendered card image of the build (CARD_IMAGES folder).
std::string CardImage(const std::string& file);
// A path in double quotes, as a user names a file on a command line of several names (the
// build tree's path may hold a blank).
inline std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
// The card drawn on an image (a section of cards.ini, or of another truth file), field by
// field, against what the card file holds.
void ExpectCardOf(const std::string& card, const StoredCard& stored);
void ExpectCardOf(const std::string& truthFile, const std::string& card, const StoredCard& stored);
struct FieldCheck {
    const char* Field;
    std::string Stored;  // as compared: phone digits only, the street when the address holds it
    std::string Drawn;
};
std::vector<FieldCheck> CheckFields(const std::string& truthFile, const std::string& card, const StoredCard& stored);
std::vector<std::string> FilesIn(const std::string& folder);
// A visible top-level window of the process of that class (null when none).
HWND WindowOfProcess(DWORD processId, const char* className);
// Waits until the program has shown its recognition window `runs` times and then stayed
// without it and without a message box for a few seconds.
bool WaitForRecognitionRuns(const ProgramRun& run, int runs, DWORD timeoutMs);
std::string AllSeen(const std::vector<SeenDialog>& seen);
bool SeenMessageWith(const std::vector<SeenDialog>& seen, const std::string& part);

// An installation on an empty named card file, taking pages as they come (no turning).
struct RecognitionInstallation {
    explicit RecognitionInstallation(const char* name) : installation(name) {
        cards = installation.Path("Database\\cards.mdb");
        CreateCardFile(cards, {});
        installation.WriteSetting("CardBase", "DataBaseName", cards.c_str());
        installation.WriteSetting("Preference", "AutoRotate", "0");
    }
    Installation installation;
    std::string cards;
};
