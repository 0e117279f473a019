// The two ends of a HotSync as tests set them up and read them back: the exchange card
// database (through the card classes) and the stand-in handheld's "AddressDB" (its file, its
// records packed the handheld's way).
#pragma once
#include <stdint.h>
#include <string>
#include <utility>
#include <vector>
#include "handheld_database.h"

struct SeedCard {
    const char* Name;
    const char* Company;
    int16_t Flags;
};

// A new exchange card database at path holding the cards (full name, first company, Flags).
bool SeedExchangeCards(const std::string& path, const std::vector<SeedCard>& cards);

// "name|company|flags" of each card, sorted by name; empty when the file cannot be opened.
std::vector<std::string> ExchangeCards(const std::string& path);

// The stand-in handheld's "AddressDB" (creator 'addr', type 'DATA') holding one record per
// (last name, company).
bool SeedHandheld(const std::vector<std::pair<std::string, std::string>>& people);

// The stand-in handheld's "AddressDB" as its file holds it (no records when it is missing).
HandheldDatabase Handheld();

// "last name|company" of each record of "AddressDB", unpacked the handheld's way.
std::vector<std::string> HandheldRecords();
