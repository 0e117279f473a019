// Card files for the tests, made and read through kvdb32's exports.
#pragma once
#include <string>
#include <vector>
#include "file_bytes.h"

struct TestCard {
    std::string Name;
    std::string ImagePath;      // empty: no image
    std::string ThumbnailPath;  // empty: no thumbnail
};

// A card with more of its fields set.
struct DetailedCard {
    TestCard Card;
    std::string Company, Title, OfficePhone, City;
    int Flags;
    int Date[3];  // year, month, day
};

// Creates a card file holding the cards; true when every card was stored.
bool CreateCardFile(const std::string& path, const std::vector<TestCard>& cards);
bool CreateDetailedCardFile(const std::string& path, const std::vector<DetailedCard>& cards);
// A card with its two e-mail addresses and two web sites.
struct CardWithLinks {
    std::string Name, EMail, EMail2, WebSite, WebSite2;
};
bool CreateCardFileWithLinks(const std::string& path, const std::vector<CardWithLinks>& cards);
// The number of cards, or -1 when the file cannot be opened.
int CountCards(const std::string& path);
// Names of the cards in table order (empty when the file cannot be opened).
std::vector<std::string> CardNames(const std::string& path);
// One stored card as the card file holds it (text fields, image and thumbnail paths, note).
struct StoredCard {
    std::string Name, Company, Title, EMail, OfficePhone, Fax, Address, City, State, Zip;
    std::string ImagePath, ThumbnailPath, Note;
};
// Every card in table order (empty when the file cannot be opened).
std::vector<StoredCard> ReadCards(const std::string& path);
// Writes a small file (an image stand-in) and returns its path.
std::string WriteSmallFile(const std::string& path);
