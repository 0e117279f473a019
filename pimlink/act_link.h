// The ACT! link: cards exchanged with an ACT! database through ACT!'s automation server
// ("ACTOLE.DATABASE"), every member called by dispatch id, each contact carried in an ACT!
// record buffer.
#pragma once
#include "link_connector.h"

namespace ferrow {

// Opens the database, takes its default user name and, when a log-on is required, asks for the
// user name and password (CUserDlg; a cancelled dialog still logs on with what the buffers
// hold). 1 when usable; 0 when the server cannot be created or the log-on failed.
int ActOpenCheck(const char* databasePath);

// Marks present (Flags 5) the first card not yet marked that equals each contact. 1 after a
// whole pass; 0 when the server cannot be created or a move to the next contact failed; the
// read-only flag when the database is closed or has no contact list.
int ActMarkExisting(CardRecV4* cards, int count, const char* databasePath, const FieldMap& map);

// Brings every contact back: the first card (not marked present; cards appended in this pass
// included) equal to it is marked present, otherwise it is appended as a new card, the array
// first growing to exactly contacts + cards when they are more than its spare room. With a card
// file path every contact not stored by this library (field 90 "ZEM40") is inserted into that
// V4 card file instead, without a log-on. 1; 0 when the server cannot be created, the database
// is closed (card-file form: with a message) or has no contact list, the array cannot grow, a
// move to the next contact fails or an insert fails.
int ActImport(const char* cardDbPath, CardRecV4** cards, int* count, const char* databasePath, const FieldMap& map);

// Stores a contact (field 90 "ZEM40") for every card whose Flags is below 2, and a note for
// each whose field-200 slot holds text, with a progress dialog; with a card file path the cards
// come from that V4 card file, without progress, log-on or notes, and a message says when it
// is done. 1 when every contact was stored; 0 when the server cannot be created, the database
// is closed or read-only ("Cannot open ACT! 2000 database."), has no contact list, or a contact
// could not be stored (the others are still sent).
int ActExport(const char* cardDbPath, CardRecV4* cards, int count, const char* databasePath, const FieldMap& map);

class CActConnector : public CLinkConnector {
public:
    int Open(const char* databasePath) override { return ActOpenCheck(databasePath); }
    void MarkPresent(const char*, CardRecV4* cards, int count, const LinkSettings& settings) override {
        ActMarkExisting(cards, count, settings.dbFileName, settings.map);
    }
    int Export(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) override {
        return ActExport(cardDbPath, cards, count, settings.dbFileName, settings.map);
    }
    int Import(const char* cardDbPath, CardRecV4** cards, int* count, const LinkSettings& settings) override {
        return ActImport(cardDbPath, cards, count, settings.dbFileName, settings.map);
    }
};

}  // namespace ferrow
