// The Palm link in Palm Desktop mode: cards exchanged directly with one Palm Desktop user's
// address book (the user is the PalmUser number), each address carried as a PalmAddressBuffer.
#pragma once
#include "link_connector.h"

namespace ferrow {

// Marks present (Flags 5) every card, other than new ones, that equals an address of the book
// (all equal cards, not only the first). 1 when the book was opened, else 0.
int PalmDesktopMarkingPass(CardRecV4* cards, int count, const FieldMap& map, int user);

// Appends an address of category 2 for every card whose Flags is below 2 (from that V4 card
// file when a path is given) and saves the book when anything was appended; a card that
// cannot be appended is passed over. `dbFileName` is not used. 1; 0 when the user is unknown,
// the user or table library is missing, the book or the card file cannot be opened.
int ExportCardsToPalmDesktop(const char* cardDbPath, CardRecV4* cards, int count, const char* dbFileName,
                             const FieldMap& map, int user);

// Brings every address of the book back: the first card equal to it (new cards and cards
// already marked are passed over) is marked present, otherwise it is appended as a new card,
// the array growing first when addresses and cards are more than its spare room. With a card
// file path every address is inserted into that V4 card file as a new card instead, without a
// duplicate test. Notes are not read. 1; 0 when the book or the card file cannot be opened,
// the array cannot grow or an insert fails (the import stops there).
int ImportPalmDesktop(const char* cardDbPath, CardRecV4** cards, int* count, const char* dbFileName,
                      const FieldMap& map, int user);

class CPalmDesktopConnector : public CLinkConnector {
public:
    void MarkPresent(const char*, CardRecV4* cards, int count, const LinkSettings& settings) override {
        PalmDesktopMarkingPass(cards, count, settings.map, settings.palmUser);
    }
    int Export(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) override {
        return ExportCardsToPalmDesktop(cardDbPath, cards, count, settings.dbFileName, settings.map, settings.palmUser);
    }
    int Import(const char* cardDbPath, CardRecV4** cards, int* count, const LinkSettings& settings) override {
        return ImportPalmDesktop(cardDbPath, cards, count, settings.dbFileName, settings.map, settings.palmUser);
    }
};

}  // namespace ferrow
