// The Outlook Express link: cards exchanged with the Windows Address Book's personal address
// book through CWabSession, each contact carried as a WAB field list.
#pragma once
#include "link_connector.h"

namespace ferrow {

// Marks present (Flags 5) the first card equal, under the field map, to each contact.
// 1; 0 when the address book cannot be opened.
int WabMarkingPass(CardRecV4* cards, int count, const FieldMap& map);

// Creates a contact for every card whose Flags is below 2, with a progress dialog; a contact
// equal to one already there counts as created. With a card file path the cards come from
// that V4 card file instead (no progress dialog; "Export to Outlook Express ! complete" at the
// end). 1 when every contact was created; 0 at the first that was not (those before it stay).
int ExportCardsToWab(const char* cardDbPath, CardRecV4* cards, int count, const FieldMap& map);

// Appends every contact that no card equals as a new card (an equal card is marked present),
// growing the array first when contacts and cards are more than its spare room; with a card
// file path each contact is inserted into that V4 card file instead, untested. 1; 0 when the
// address book cannot be opened, the array cannot grow or an insert fails.
int ImportWabContacts(const char* cardDbPath, CardRecV4** cards, int* count, const FieldMap& map);

class COutlookExpressConnector : public CLinkConnector {
public:
    void MarkPresent(const char*, CardRecV4* cards, int count, const LinkSettings& settings) override {
        WabMarkingPass(cards, count, settings.map);
    }
    int Export(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) override {
        return ExportCardsToWab(cardDbPath, cards, count, settings.map);
    }
    int Import(const char* cardDbPath, CardRecV4** cards, int* count, const LinkSettings& settings) override {
        return ImportWabContacts(cardDbPath, cards, count, settings.map);
    }
};

}  // namespace ferrow
