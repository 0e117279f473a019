#include "outlook_link.h"
#include "card_converters.h"
#include "card_file_side.h"
#include "card_file_walk.h"
#include "card_text.h"
#include "com_scope.h"
#include "link_cards_import.h"
#include "outlook_field_list.h"
#include "ferrow.h"
#include <string.h>

namespace ferrow {

namespace {

const long kContactsFolder = 10, kContactItem = 2, kContactClass = 40;
const int kLastSlotKeeps = 60;

// The application and the contacts folder, and the folder's items when asked for.
struct COutlookSession {
    CAutomationObject application, folder, items;

    bool OpenFolder() {
        application = CAutomationObject::Create(L"Outlook.Application");
        CAutomationObject space;
        VARIANT mapi = CAutomationObject::Text("MAPI");
        bool opened = application.Valid() && application.Object(L"GetNamespace", {mapi}, &space) && space.Valid() &&
                      space.Object(L"GetDefaultFolder", {CAutomationObject::Int(kContactsFolder)}, &folder) &&
                      folder.Valid();
        VariantClear(&mapi);
        return opened;
    }
    bool OpenItems() { return OpenFolder() && folder.Object(L"Items", {}, &items) && items.Valid(); }
};

// Reads the 50 properties into the (zeroed) list, each cut to its slot; a failed read ends the
// contact with the slots read so far.
void ReadContact(CAutomationObject& item, char* list) {
    memset(list, 0, kOutlookFieldListSize);
    for (int s = 0; s < kOutlookFields; ++s) {
        const OutlookSlot& slot = kOutlookFieldList[s];
        std::string value;
        if (!item.GetText(slot.id, &value)) return;
        CopyCut(list + slot.offset, value.c_str(), s == kOutlookFields - 1 ? kLastSlotKeeps : slot.size - 1);
    }
}

bool IsContact(CAutomationObject& item) {
    long itemClass = 0;
    return item.Integer(L"Class", &itemClass) && itemClass == kContactClass;
}

// Calls take(item) for every contact of the folder; false when the walk itself failed or
// take refused.
template <typename Take>
bool ForEachContact(CAutomationObject& items, Take take) {
    CAutomationObject item;
    if (!items.Object(L"GetFirst", {}, &item)) return false;
    while (item.Valid()) {
        if (IsContact(item)) {
            char list[kOutlookFieldListSize];
            ReadContact(item, list);
            if (!take(list)) return false;
        }
        if (!items.Object(L"GetNext", {}, &item)) return false;
    }
    return true;
}

// Creates, fills and saves one contact; false when any of it failed.
bool SaveContact(CAutomationObject& application, const CardRecV4& card, const FieldMap& map) {
    char list[kOutlookFieldListSize] = {};
    CardToOutlook(list, card, map);
    CAutomationObject item;
    if (!application.Object(L"CreateItem", {CAutomationObject::Int(kContactItem)}, &item) || !item.Valid())
        return false;
    for (const OutlookSlot& slot : kOutlookFieldList)
        if (!item.PutText(slot.id, list + slot.offset)) return false;
    return item.Method(L"Save");
}

// One half of the duplicate filter: the clauses of the non-empty slots it lists.
std::string BuildFilter(const char* list, const int* slots, int count) {
    std::string filter;
    for (int i = 0; i < count; ++i) {
        const OutlookSlot& slot = kOutlookFieldList[slots[i]];
        std::string value = list + slot.offset;
        if (value.empty() || !EscapeFilterValue(value)) continue;
        if (!filter.empty()) filter += " AND ";
        filter += std::string("[") + slot.name + "] = \"" + value + "\"";
    }
    return filter;
}

bool FindByFilter(CAutomationObject& items, const std::string& filter) {
    VARIANT text = CAutomationObject::Text(filter.c_str());
    CAutomationObject found;
    bool hit = items.Object(L"Find", {text}, &found) && found.Valid();
    VariantClear(&text);
    return hit;
}

int ImportIntoCardFile(const char* cardDbPath, const FieldMap& map) {
    CCardFileSide cardFile(CardLayout::V4);
    if (!cardFile.Open(cardDbPath)) return 0;
    CComScope com;
    COutlookSession outlook;
    if (!outlook.OpenItems()) return 0;
    return ForEachContact(outlook.items,
                          [&](const char* list) {
                              CardRecV4 card;
                              memset(&card, 0, sizeof(card));
                              OutlookToCard(list, card, map);
                              card.Flags = FERROW_FLAG_NEW;
                              return cardFile.InsertCommitted(nullptr, &card);
                          })
               ? 1
               : 0;
}

}  // namespace

int EscapeFilterValue(std::string& text) {
    std::string doubled;
    for (char c : text) doubled += c == '"' ? std::string("\"\"") : std::string(1, c);
    text = doubled;
    size_t i = 0;
    while (i < text.size()) i += IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
    return i == text.size() ? 1 : 0;
}

int FindOutlookContact(CAutomationObject& items, const char* list) {
    std::string filter = BuildFilter(list, kOutlookFilterGroup1, kOutlookFilterGroup1Count);
    if (filter.empty()) return 0;
    if (FindByFilter(items, filter)) return 1;
    int group2[kOutlookFields], count = 0;
    for (int s = 0; s < kOutlookFields; ++s)
        if (kOutlookFieldList[s].filterGroup == 2) group2[count++] = s;
    filter = BuildFilter(list, group2, count);
    return !filter.empty() && FindByFilter(items, filter) ? 1 : 0;
}

int MarkCardsInOutlook(CardRecV4* cards, int count, const FieldMap& map) {
    CComScope com;
    COutlookSession outlook;
    if (!outlook.OpenItems()) return 0;
    for (int i = 0; i < count; ++i) {
        if (cards[i].Flags == FERROW_FLAG_PRESENT) continue;
        char list[kOutlookFieldListSize] = {};
        CardToOutlook(list, cards[i], map);
        if (FindOutlookContact(outlook.items, list)) cards[i].Flags = FERROW_FLAG_PRESENT;
    }
    return 1;
}

int ImportOutlookContacts(const char* cardDbPath, CardRecV4** cards, int* count, const FieldMap& map) {
    if (cardDbPath) return ImportIntoCardFile(cardDbPath, map);
    CComScope com;
    COutlookSession outlook;
    long contacts = 0;
    if (!outlook.OpenItems() || !outlook.items.Integer(L"Count", &contacts)) return 0;
    CLinkCardsImport import(cards, count, &map, SkipNew::Yes);
    if (!import.MakeRoomFor(static_cast<int>(contacts))) return 0;
    return ForEachContact(outlook.items,
                          [&](const char* list) {
                              CardRecV4 card;
                              memset(&card, 0, sizeof(card));
                              OutlookToCard(list, card, map);
                              return import.Take(card);
                          })
               ? 1
               : 0;
}

int ExportCardsToOutlook(const char* cardDbPath, CardRecV4* cards, int count, const FieldMap& map) {
    CComScope com;
    COutlookSession outlook;
    if (!outlook.OpenFolder()) return 0;
    bool allSaved = true;
    auto send = [&](const CardRecV4& card) { allSaved = SaveContact(outlook.application, card, map) && allSaved; };
    if (cardDbPath) {
        if (!ForEachCardToSend(cardDbPath, send)) return 0;
    } else {
        for (int i = 0; i < count; ++i)
            if (IsCardToSend(cards[i])) send(cards[i]);
    }
    return allSaved ? 1 : 0;
}

}  // namespace ferrow
