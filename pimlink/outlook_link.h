// The Outlook link: cards exchanged with the contacts folder of Outlook's automation server
// ("Outlook.Application"), each contact carried as an Outlook field list.
#pragma once
#include <string>
#include "automation_object.h"
#include "link_connector.h"

namespace ferrow {

// Marks present (Flags 5) every card whose field list FindOutlookContact finds. 1; 0 when the
// contacts folder cannot be reached.
int MarkCardsInOutlook(CardRecV4* cards, int count, const FieldMap& map);

// Appends every contact (items of another class are passed over) that no card equals as a new
// card (an equal card is marked present), growing the array first when contacts and cards are
// more than its spare room; with a card file path each contact is inserted into that V4 card
// file instead, untested. 1; 0 when the contacts cannot be reached or walked, the array cannot
// grow or an insert fails.
int ImportOutlookContacts(const char* cardDbPath, CardRecV4** cards, int* count, const FieldMap& map);

// Creates and saves a contact for every card whose Flags is below 2 (from that V4 card file
// when a path is given). 1 when every contact was saved; 0 when Outlook cannot be reached or
// any contact could not be created or saved (the others are still sent).
int ExportCardsToOutlook(const char* cardDbPath, CardRecV4* cards, int count, const FieldMap& map);

// 1 when the items hold a contact whose properties equal every non-empty filter-group-1 value
// of the list, or, when there is such a value but no such contact, every non-empty group-2
// value; else 0. A list without group-1 values is never found.
int FindOutlookContact(CAutomationObject& items, const char* list);

// Doubles the double quotes of a filter value; 1 when it may be used, 0 when it ends inside a
// double-byte character of the system code page.
int EscapeFilterValue(std::string& text);

class COutlookConnector : public CLinkConnector {
public:
    void MarkPresent(const char*, CardRecV4* cards, int count, const LinkSettings& settings) override {
        MarkCardsInOutlook(cards, count, settings.map);
    }
    int Export(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) override {
        return ExportCardsToOutlook(cardDbPath, cards, count, settings.map);
    }
    int Import(const char* cardDbPath, CardRecV4** cards, int* count, const LinkSettings& settings) override {
        return ImportOutlookContacts(cardDbPath, cards, count, settings.map);
    }
};

}  // namespace ferrow
