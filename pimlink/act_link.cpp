#include "act_link.h"
#include "act_record.h"
#include "automation_object.h"
#include "card_converters.h"
#include "card_file_side.h"
#include "card_file_walk.h"
#include "card_text.h"
#include "com_scope.h"
#include "export_progress.h"
#include "ferrow_resources.h"
#include "library_module.h"
#include "link_cards_import.h"
#include "user_dlg.h"
#include "ferrow.h"
#include <string.h>

namespace ferrow {

namespace {

enum : DISPID {
    kOpen = 1117,
    kVersion = 1107,
    kDefaultUser = 1113,
    kLogOnRequired = 1112,
    kLogOn = 1120,
    kLogOnFailed = 1101,
    kIsOpen = 1102,
    kReadOnly = 1140,
    kContactList = 1106,
    kListMissing = 1103,
    kNoteList = 1109,
    kClose = 1118,
    kCount = 207,
    kFirst = 212,
    kFirstText = 211,
    kStartAdding = 213,
    kNext = 215
};

bool CallMethod(CAutomationObject& object, DISPID id) { return object.CallId(id, DISPATCH_METHOD, {}, nullptr); }

// A property read as a number (booleans as 0 or 1); 0 when it cannot be read.
long ReadNumber(CAutomationObject& object, DISPID id) {
    VARIANT value;
    if (!object.CallId(id, DISPATCH_PROPERTYGET, {}, &value)) return 0;
    long number = SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)) ? value.lVal : 0;
    VariantClear(&value);
    return number;
}

bool ReadFlag(CAutomationObject& object, DISPID id) { return ReadNumber(object, id) != 0; }

// One use of the automation server, with COM started for it: the database object and its
// contact list, released (and COM undone) when the session ends.
struct CActSession {
    CComScope com;
    CAutomationObject database, contacts;

    bool Create() {
        database = CAutomationObject::Create(L"ACTOLE.DATABASE");
        return database.Valid();
    }
    void Open(const char* path) {
        VARIANT text = CAutomationObject::Text(path);
        database.CallId(kOpen, DISPATCH_METHOD, {text}, nullptr);
        VariantClear(&text);
    }
    void LogOn() {
        VARIANT user = CAutomationObject::Text(ActUserName), password = CAutomationObject::Text(ActPassword);
        database.CallId(kLogOn, DISPATCH_METHOD, {user, password}, nullptr);
        VariantClear(&user);
        VariantClear(&password);
    }
    // Opens the database and logs on with the kept user name and password when it asks for it.
    void OpenLoggedOn(const char* path) {
        Open(path);
        if (ReadFlag(database, kLogOnRequired)) LogOn();
    }
    bool IsOpen() { return ReadFlag(database, kIsOpen); }
    bool ReadOnly() { return ReadFlag(database, kReadOnly); }
    // The contact list; without one the database is closed.
    bool OpenContacts() {
        database.ObjectId(kContactList, {}, &contacts);
        if (contacts.Valid()) return true;
        ReadNumber(database, kListMissing);
        CallMethod(database, kClose);
        return false;
    }
    // The contact list ready for new contacts; false (with a message when the database is
    // closed or read-only) when there is none.
    bool ReadyForAdding() {
        if (!IsOpen() || ReadOnly()) {
            ShowLibraryMessage(IDS_ACT_CANNOT_OPEN);
            return false;
        }
        if (!OpenContacts()) return false;
        CallMethod(contacts, kStartAdding);
        return true;
    }
    void Close() {
        contacts.Reset();
        CallMethod(database, kClose);
    }
};

// Calls take(card, origin) for each of the n contacts, read into a zeroed buffer and converted
// into a zeroed card. A move that fails before the last contact ends the walk: reading the same
// contact again would turn it into its own duplicate. False then, or when take refused.
template <typename Take>
bool ForEachContact(CAutomationObject& contacts, long n, const FieldMap& map, bool callsFirstText, Take take) {
    CallMethod(contacts, kFirst);
    if (callsFirstText) {
        std::string unused;
        VARIANT text;
        if (contacts.CallId(kFirstText, DISPATCH_METHOD, {}, &text)) CAutomationObject::TakeText(&text, &unused);
    }
    for (long i = 0; i < n; ++i) {
        char buffer[kActRecordBufferSize] = {};
        std::string origin;
        ReadActContact(contacts, buffer, &origin);
        CardRecV4 card;
        memset(&card, 0, sizeof(card));
        ActToCard(buffer, card, map);
        if (!take(card, origin)) return false;
        if (!CallMethod(contacts, kNext) && i + 1 < n) return false;
    }
    return true;
}

// Stores one card as a contact; false when ACT! did not store it. The text of its field-200
// slot becomes a note of that contact when `notes` is given.
bool SendCard(CActSession& act, const CardRecV4& card, const FieldMap& map, bool notes) {
    char buffer[kActRecordBufferSize] = {};
    CardToAct(buffer, card, map);
    std::string stored;
    if (!StoreActContact(act.contacts, buffer, &stored)) return false;
    std::string note(buffer + kActNoteSlot, strnlen(buffer + kActNoteSlot, 50));
    if (notes && !note.empty()) {
        CAutomationObject noteList;
        act.database.ObjectId(kNoteList, {}, &noteList);
        if (noteList.Valid()) StoreActNote(noteList, note.c_str(), stored);
    }
    return true;
}

bool OpenCardFile(CCardFileSide& cardFile, const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && cardFile.Open(path);
}

int ImportIntoCardFile(const char* cardDbPath, const char* databasePath, const FieldMap& map) {
    CCardFileSide cardFile(CardLayout::V4);
    if (!OpenCardFile(cardFile, cardDbPath)) return 0;
    if (cardFile.Count() > 0) cardFile.Engine().RecLast(cardFile.Dataset());
    CActSession act;
    if (!act.Create()) return 0;
    act.Open(databasePath);
    if (!act.IsOpen()) {
        ShowLibraryMessage(IDS_ACT_CANNOT_OPEN);
        return 0;
    }
    if (!act.OpenContacts()) return 0;
    bool whole = ForEachContact(act.contacts, ReadNumber(act.contacts, kCount), map, true,
                                [&](CardRecV4& card, const std::string& origin) {
                                    if (origin == kActOriginMark) return true;
                                    card.Flags = FERROW_FLAG_NEW;
                                    return cardFile.InsertCommitted(nullptr, &card);
                                });
    act.Close();
    return whole ? 1 : 0;
}

int ExportCardFile(const char* cardDbPath, const char* databasePath, const FieldMap& map) {
    CCardFileSide cardFile(CardLayout::V4);
    if (!OpenCardFile(cardFile, cardDbPath)) return 0;
    if (cardFile.Count() <= 0) return 1;
    CActSession act;
    if (!act.Create()) return 0;
    act.Open(databasePath);
    if (!act.ReadyForAdding()) return 0;
    bool allStored = true;
    ForEachCardToSend(cardFile, [&](CardRecV4& card) { allStored = SendCard(act, card, map, false) && allStored; });
    act.Close();
    ShowLibraryMessage(IDS_ACT_EXPORT_DONE);
    return allStored ? 1 : 0;
}

}  // namespace

int ActOpenCheck(const char* databasePath) {
    CActSession act;
    if (!act.Create()) return 0;
    act.Open(databasePath);
    ReadNumber(act.database, kVersion);
    std::string user;
    act.database.GetText(kDefaultUser, &user);
    CopyCut(ActUserName, user.c_str(), sizeof(ActUserName) - 1);
    int result = 1;
    if (ReadFlag(act.database, kLogOnRequired)) {
        ActPassword[0] = '\0';
        CUserDlg().DoModal();
        act.LogOn();
        result = ReadFlag(act.database, kLogOnFailed) ? 0 : 1;
    }
    if (act.IsOpen()) CallMethod(act.database, kClose);
    return result;
}

int ActMarkExisting(CardRecV4* cards, int count, const char* databasePath, const FieldMap& map) {
    CActSession act;
    if (!act.Create()) return 0;
    act.OpenLoggedOn(databasePath);
    int readOnly = act.ReadOnly() ? 1 : 0;
    if (!act.IsOpen() || !act.OpenContacts()) return readOnly;
    CLinkCardsImport marker(&cards, &count, &map, SkipNew::No);
    bool whole = ForEachContact(act.contacts, ReadNumber(act.contacts, kCount), map, true,
                                [&](const CardRecV4& card, const std::string&) {
                                    marker.MarkFirstEqual(card);
                                    return true;
                                });
    act.Close();
    return whole ? 1 : 0;
}

int ActImport(const char* cardDbPath, CardRecV4** cards, int* count, const char* databasePath, const FieldMap& map) {
    if (cardDbPath) return ImportIntoCardFile(cardDbPath, databasePath, map);
    CActSession act;
    if (!act.Create()) return 0;
    act.OpenLoggedOn(databasePath);
    if (!act.IsOpen() || !act.OpenContacts()) return 0;
    long n = ReadNumber(act.contacts, kCount);
    CLinkCardsImport import(cards, count, &map, SkipNew::No);
    bool whole = import.MakeRoomFor(static_cast<int>(n)) &&
                 ForEachContact(act.contacts, n, map, false,
                                [&](const CardRecV4& card, const std::string&) { return import.Take(card); });
    act.Close();
    return whole ? 1 : 0;
}

int ActExport(const char* cardDbPath, CardRecV4* cards, int count, const char* databasePath, const FieldMap& map) {
    if (cardDbPath) return ExportCardFile(cardDbPath, databasePath, map);
    CActSession act;
    if (!act.Create()) return 0;
    CExportProgress progress(count, "Open Act! Database...");
    act.OpenLoggedOn(databasePath);
    if (!act.ReadyForAdding()) return 0;
    bool allStored = true;
    for (int i = 0; i < count; ++i) {
        if (IsCardToSend(cards[i])) {
            allStored = SendCard(act, cards[i], map, true) && allStored;
            progress.Step();
        }
        progress.ShowPercent(i);
    }
    act.Close();
    return allStored ? 1 : 0;
}

}  // namespace ferrow
