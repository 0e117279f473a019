// The editor's flat array of line copies: loading a page into it and handing it back.
#pragma once
#include "recogpage.h"
#include <set>
#include <vector>

constexpr int kSlotCapacity = 256;
// Lines of the page that take slots; the date line and the trailing note slot take the rest.
constexpr int kMaxPageLines = kSlotCapacity - 2;
constexpr int kFieldKindNote = 20;
constexpr int kFieldKindDate = 54;
constexpr int kFieldKindCount = 55;

struct PageLines {
    RecogLine* Slots = nullptr;  // kSlotCapacity copies, engine heap
    int* Ordinals = nullptr;     // kSlotCapacity, engine heap
    int TotalLines = 0;
    int PrimaryLines = 0;
    bool HasDateLine = false;  // the last first-tab slot is the date line
    RecogPage* Page = nullptr;
    // Lines the load left in the page's blocks (group 2 and up, or beyond the slots): the
    // hand-back never frees them.
    std::set<RecogLine*> LeftInPage;
    // The copies the last hand-back linked into the page's first block; the host has taken the
    // lines since the last load when it asked for them (then closing leaves its page alone).
    std::set<RecogLine*> HandedBack;
    bool TakenByHost = false;
    int Date[3] = {0, 0, 0};
};

// Allocates the zeroed array and ordinals. False when out of memory (nothing is kept).
bool AllocatePageLines(PageLines& lines);
// Frees the array and ordinals (the characters of slots still holding lines too).
void FreePageLines(PageLines& lines);

// Takes the page's lines into the slots (the date line after group 0, the note slot last).
// 0 for a null page, else 1.
int LoadPageLines(PageLines& lines, RecogPage* page);

// Frees the lines in the first block of the first region of `page` except those the load left.
void FreeHostLines(PageLines& lines, RecogPage* page);

// Takes the copies an earlier hand-back linked into the held page out of it again and frees
// them, so that the next hand-back replaces them rather than adding a second set.
void WithdrawHandedBack(PageLines& lines);

// Links copies of the slots into the held page's first block (ahead of the lines the load left
// there) and reads the date line into Date. The slots stay as they are: the editor goes on
// showing and editing them, and the host may ask again at any time.
void StorePageLines(PageLines& lines);

// The line's text in the process code page: codes above 0x8000 as two bytes, high first (above
// `wideFrom` when given), else one byte. Cut to fit `size` bytes with the zero.
void LineText(const RecogLine* line, char* text, int size, int wideFrom = 0x8000);

// A line whose orientation is neither 'h' nor 'v' gets 'h' when wider than high, else 'v'.
void FixOrientation(RecogLine& line);

// True when the line holds characters.
inline bool HasCharacters(const RecogLine& line) { return line.FirstChar != nullptr; }
