#include "outlook_express.h"
#include "card_converters.h"
#include "card_file_side.h"
#include "card_file_walk.h"
#include "export_progress.h"
#include "link_cards_import.h"
#include "wab_field_list.h"
#include "wab_session.h"
#include "ferrow.h"
#include <string.h>

namespace ferrow {

namespace {

// The contact at that row as a card under the field map; false when the row is no mail user.
bool ReadContactCard(CWabSession& session, int row, const FieldMap& map, CardRecV4* card) {
    char list[kWabFieldListSize];
    if (!session.ReadContact(list, row)) return false;
    TerminateWabFieldList(list);
    memset(card, 0, sizeof(*card));
    WabToCard(list, *card, map);
    return true;
}

int CreateContactFromCard(CWabSession& session, const CardRecV4& card, const FieldMap& map) {
    char list[kWabFieldListSize] = {};
    CardToWab(list, card, map);
    return session.CreateContact(list);
}

int ExportCardFile(const char* cardDbPath, const FieldMap& map) {
    CWabSession session;
    session.Open("");
    if (!ForEachCardToSend(cardDbPath, [&](CardRecV4& card) { CreateContactFromCard(session, card, map); })) return 0;
    session.Close();
    MessageBoxA(nullptr, "Export to Outlook Express ! complete", "Export", MB_ICONINFORMATION | MB_SYSTEMMODAL);
    return 1;
}

int ImportIntoCardFile(const char* cardDbPath, const FieldMap& map) {
    CCardFileSide cardFile(CardLayout::V4);
    if (!cardFile.Open(cardDbPath)) return 0;
    CWabSession session;
    session.Open("");
    int contacts = session.CountContacts();
    for (int row = 0; row < contacts; ++row) {
        CardRecV4 card;
        if (!ReadContactCard(session, row, map, &card)) continue;
        card.Flags = FERROW_FLAG_NEW;
        if (!cardFile.InsertCommitted(nullptr, &card)) return 0;
    }
    return 1;
}

}  // namespace

int WabMarkingPass(CardRecV4* cards, int count, const FieldMap& map) {
    CWabSession session;
    session.Open("");
    if (!session.Opened()) return 0;
    CLinkCardsImport marks(&cards, &count, &map, SkipNew::No);
    int contacts = session.CountContacts();
    for (int row = 0; row < contacts; ++row) {
        CardRecV4 contact;
        if (ReadContactCard(session, row, map, &contact)) marks.MarkFirstEqual(contact);
    }
    return 1;
}

int ExportCardsToWab(const char* cardDbPath, CardRecV4* cards, int count, const FieldMap& map) {
    if (cardDbPath) return ExportCardFile(cardDbPath, map);
    CWabSession session;
    session.Open("");
    CExportProgress progress(count, "Open Outlook Express Address Book");
    for (int i = 0; i < count; ++i) {
        if (IsCardToSend(cards[i]) && !CreateContactFromCard(session, cards[i], map)) return 0;
        progress.Step();
        progress.ShowPercent(i);
    }
    return 1;
}

int ImportWabContacts(const char* cardDbPath, CardRecV4** cards, int* count, const FieldMap& map) {
    if (cardDbPath) return ImportIntoCardFile(cardDbPath, map);
    CWabSession session;
    session.Open("");
    if (!session.Opened()) return 0;
    int contacts = session.CountContacts();
    CLinkCardsImport import(cards, count, &map, SkipNew::No);
    if (!import.MakeRoomFor(contacts)) return 0;
    for (int row = 0; row < contacts; ++row) {
        CardRecV4 contact;
        if (ReadContactCard(session, row, map, &contact) && !import.Take(contact)) return 0;
    }
    return 1;
}

}  // namespace ferrow
