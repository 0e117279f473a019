// The Palm link in exchange mode: the cards meet the HotSync conduit in an exchange card file
// (a V4 card file). Cards written for the handheld carry Flags 2; the conduit adds the
// handheld's entries with Flags 3, which the read brings back as new cards.
#pragma once
#include "link_connector.h"

namespace ferrow {

// Writes every card whose Flags is below 2 into the exchange file (created when missing) with
// Flags 2, after marking present (Flags 5) the cards it already holds; with a card file path
// the cards come from that V4 card file instead, unmarked. The file is compacted afterwards.
// 1 when the exchange table could be opened or created, else 0.
int WritePalmExchangeDB(const char* cardDbPath, CardRecV4* cards, int count, const char* exchangeFile);

// Brings the exchange file's Flags 3 records back: equal cards (the nine default fields) are
// marked present, the others appended as new cards, the array growing when it is full; with a
// card file path they are inserted into that V4 card file (created when missing) instead.
// 1 when the exchange table could be opened, 0 when not, when the array could not grow or when
// the card file could be neither opened nor created.
int ReadPalmExchangeDB(const char* exchangeFile, CardRecV4** cards, int* count, const char* cardDbPath);

class CPalmExchangeConnector : public CLinkConnector {
public:
    void MarkPresent(const char*, CardRecV4*, int, const LinkSettings&) override {}
    int Export(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) override {
        return WritePalmExchangeDB(cardDbPath, cards, count, settings.dbFileName);
    }
    int Import(const char* cardDbPath, CardRecV4** cards, int* count, const LinkSettings& settings) override {
        return ReadPalmExchangeDB(settings.dbFileName, cards, count, cardDbPath);
    }
};

}  // namespace ferrow
