#include "palm_desktop.h"
#include "card_converters.h"
#include "card_file_side.h"
#include "card_file_walk.h"
#include "link_cards_import.h"
#include "palm_data.h"
#include "user_data.h"
#include "ferrow.h"
#include <string.h>

namespace ferrow {

namespace {

// The user's address book: UserData gives the user's id for the number, the book opens on it.
bool OpenUserBook(CPalmData& book, int user) {
    DWORD id = 0;
    CUserData users;
    if (!users.UserId(user, &id)) return false;
    book.Open(id);
    return book.IsOpen() == 1;
}

void SaveAndClose(CPalmData& book) {
    if (book.IsModified()) book.Save();
    book.Close();
}

// Calls take(card) for each address of the book, converted into a zeroed card; the walk ends
// at the last record the iterator gives (never on an empty buffer) or when take refuses.
template <typename Take>
bool ForEachAddress(CPalmData& book, const FieldMap& map, Take take) {
    int n = book.GetRecordCount();
    PalmAddressBuffer buffer;
    memset(&buffer, 0, sizeof(buffer));
    int found = n >= 1 ? book.FindFirst(&buffer) : 0;
    for (int i = 0; i < n && found; ++i) {
        CardRecV4 card;
        memset(&card, 0, sizeof(card));
        PalmToCard(buffer.Record(), card, map);
        if (!take(card)) return false;
        memset(&buffer, 0, sizeof(buffer));
        found = book.FindNext(&buffer);
    }
    return true;
}

void AppendCard(CPalmData& book, const CardRecV4& card, const FieldMap& map) {
    PalmAddressBuffer buffer;
    memset(&buffer, 0, sizeof(buffer));
    CardToPalm(buffer.Record(), card, map);
    book.AppendFromBuffer(&buffer);
}

bool MayBeMarked(int16_t flags) { return flags != FERROW_FLAG_PRESENT && flags != FERROW_FLAG_NEW; }

int ExportCardFile(const char* cardDbPath, const FieldMap& map, int user) {
    CPalmData book;
    bool failed = false;
    bool walked = ForEachCardToSend(cardDbPath, [&](CardRecV4& card) {
        if (failed) return;
        if (!book.IsOpen()) {
            CUserData().UserCount();
            failed = !OpenUserBook(book, user);
            if (failed) return;
        }
        AppendCard(book, card, map);
    });
    SaveAndClose(book);
    return walked && !failed ? 1 : 0;
}

int ImportIntoCardFile(const char* cardDbPath, const FieldMap& map, int user) {
    CCardFileSide cardFile(CardLayout::V4);
    CPalmData book;
    if (GetFileAttributesA(cardDbPath) == INVALID_FILE_ATTRIBUTES || !cardFile.Open(cardDbPath) ||
        !OpenUserBook(book, user))
        return 0;
    if (cardFile.Count() > 0) cardFile.Engine().RecLast(cardFile.Dataset());
    bool inserted = ForEachAddress(book, map, [&](CardRecV4& card) {
        card.Flags = FERROW_FLAG_NEW;
        return cardFile.InsertCommitted(nullptr, &card);
    });
    SaveAndClose(book);
    return inserted ? 1 : 0;
}

}  // namespace

int PalmDesktopMarkingPass(CardRecV4* cards, int count, const FieldMap& map, int user) {
    CPalmData book;
    if (!OpenUserBook(book, user)) return 0;
    ForEachAddress(book, map, [&](const CardRecV4& entry) {
        MarkAllEqual(cards, count, entry, &map, MayBeMarked);
        return true;
    });
    SaveAndClose(book);
    return 1;
}

int ExportCardsToPalmDesktop(const char* cardDbPath, CardRecV4* cards, int count, const char*, const FieldMap& map,
                             int user) {
    if (cardDbPath) return ExportCardFile(cardDbPath, map, user);
    CPalmData book;
    if (!OpenUserBook(book, user)) return 0;
    for (int i = 0; i < count; ++i)
        if (IsCardToSend(cards[i])) AppendCard(book, cards[i], map);
    SaveAndClose(book);
    return 1;
}

int ImportPalmDesktop(const char* cardDbPath, CardRecV4** cards, int* count, const char*, const FieldMap& map,
                      int user) {
    if (cardDbPath) return ImportIntoCardFile(cardDbPath, map, user);
    CPalmData book;
    if (!OpenUserBook(book, user)) return 0;
    CLinkCardsImport import(cards, count, &map, SkipNew::Yes);
    bool taken = import.MakeRoomFor(book.GetRecordCount()) &&
                 ForEachAddress(book, map, [&](const CardRecV4& entry) { return import.Take(entry); });
    SaveAndClose(book);
    return taken ? 1 : 0;
}

}  // namespace ferrow
