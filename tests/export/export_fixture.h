// What the export tests share: the program's state as start-up leaves it, over a card file of
// four cards made here (one with quotes, commas and line breaks, one with every field at full
// length), a scratch folder, the expected rows of an export built from the cards' texts, and
// the independent readers that check a written file.
#pragma once
#include <gtest/gtest.h>
#include "export.h"
#include <string>
#include <vector>

namespace exporttest {

using Row = std::vector<std::string>;

// The captions of the 28 export fields.
extern const char* const kCaptions[28];

// The cards of the test file, in the file's (name) order: texts of the 28 export entries.
const std::vector<Row>& CardTexts();

// The scratch folder of this run, with a closing backslash.
std::string ScratchPath(const std::string& name);

// Selects the fields given as a SaveField text ("" selects every field) and sets the include
// marks as the export command does outside the Card List.
void SelectFields(const std::string& saveField);
// The selected entries' texts of a card (or the captions for the header row).
Row SelectedTexts(const Row& all);
Row SelectedCaptions();

// Empty when the reader agrees that the file holds exactly these rows, else what it found.
// kind "text" (with delimiter "comma", "tab" or "blank") or "sheet".
std::string CheckWithReaders(const std::string& file, const std::string& kind, const std::vector<Row>& rows,
                             const std::string& delimiter = "");

// The table's cursor and the program's current card before an export, to see that it keeps them.
struct CurrentCardState {
    int Number;
    int TableRecord;
    CardRec Card;
};
CurrentCardState CaptureCurrentCard();

}  // namespace exporttest
