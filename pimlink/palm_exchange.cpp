#include "palm_exchange.h"
#include "card_file_side.h"
#include "card_file_walk.h"
#include "compare_card_records.h"
#include "link_cards_import.h"
#include "ferrow.h"
#include <windows.h>
#include <string.h>
#include <string>

namespace ferrow {

namespace {

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Each exchange record read without its images, in name order.
template <typename Visit>
void ForEachRecord(CCardFileSide& side, Visit visit) {
    CkvDBEngine& engine = side.Engine();
    int n = side.Count();
    if (n <= 0 || engine.RecFirst(side.Dataset()) != 1) return;
    for (int i = 0; i < n; ++i) {
        CardRecV4 record;
        memset(&record, 0, sizeof(record));
        if (engine.CardRecGetV4(side.Dataset(), &record, 0) == 1 && !visit(record)) return;
        engine.RecNext(side.Dataset());
    }
}

bool NotPresent(int16_t flags) { return flags != FERROW_FLAG_PRESENT; }

// Cards already in the exchange file are not written twice.
void MarkCardsInExchange(CCardFileSide& exchange, CardRecV4* cards, int count) {
    ForEachRecord(exchange, [&](const CardRecV4& record) {
        MarkAllEqual(cards, count, record, nullptr, NotPresent);
        return true;
    });
    if (exchange.Count() > 0) exchange.Engine().RecLast(exchange.Dataset());
}

void WriteForHandheld(CCardFileSide& exchange, const CardRecV4& card) {
    CardRecV4 copy;
    memcpy(&copy, &card, sizeof(copy));
    copy.Flags = FERROW_FLAG_EXCHANGED;
    exchange.InsertCommitted(nullptr, &copy);
}

bool NotNewYet(int16_t flags) { return flags < FERROW_FLAG_NEW; }

// Appends a handheld entry unless a card equals it; every equal card is marked present.
bool TakeFromHandheld(const CardRecV4& record, CardRecV4** cards, int* count) {
    bool found = false;
    for (int i = 0; i < *count; ++i) {
        CardRecV4& card = (*cards)[i];
        if (!NotNewYet(card.Flags) || !CompareCardRecords(card, record, nullptr)) continue;
        card.Flags = FERROW_FLAG_PRESENT;
        found = true;
    }
    if (found) return true;
    return CLinkCardsImport(cards, count, nullptr, SkipNew::Yes).Append(record);
}

}  // namespace

int WritePalmExchangeDB(const char* cardDbPath, CardRecV4* cards, int count, const char* exchangeFile) {
    CCardFileSide exchange(CardLayout::V4);
    if (!exchange.OpenOrCreate(exchangeFile)) return 0;
    if (cardDbPath) {
        ForEachCardToSend(cardDbPath, [&](CardRecV4& card) { WriteForHandheld(exchange, card); });
    } else if (count > 0) {
        MarkCardsInExchange(exchange, cards, count);
        for (int i = 0; i < count; ++i)
            if (IsCardToSend(cards[i])) WriteForHandheld(exchange, cards[i]);
    }
    exchange.CloseCompacted(exchangeFile);
    return 1;
}

int ReadPalmExchangeDB(const char* exchangeFile, CardRecV4** cards, int* count, const char* cardDbPath) {
    CCardFileSide exchange(CardLayout::V4);
    if (!Exists(exchangeFile) || !exchange.Open(exchangeFile)) return 0;
    if (cardDbPath) {
        CCardFileSide cardFile(CardLayout::V4);
        if (!cardFile.OpenOrCreate(cardDbPath)) return 0;
        ForEachRecord(exchange, [&](CardRecV4& record) {
            if (record.Flags == FERROW_FLAG_NEW) cardFile.InsertCommitted(nullptr, &record);
            return true;
        });
        return 1;
    }
    int result = 1;
    ForEachRecord(exchange, [&](const CardRecV4& record) {
        if (record.Flags != FERROW_FLAG_NEW) return true;
        if (!TakeFromHandheld(record, cards, count)) result = 0;
        return result == 1;
    });
    return result;
}

}  // namespace ferrow
