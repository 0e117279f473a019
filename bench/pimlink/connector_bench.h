// What the connector benchmarks share: the cards they send, the entries an import sees, the
// duplicate scan timed alone and the printed rows.
#pragma once
#include "link_bench.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "card_converters.h"
#include "link_cards_import.h"
#include "link_settings.h"
#include "linkcards.h"
#include "peak_memory.h"
#include "v4_cards.h"

// n cards with 12 filled fields (name, title, department, company, office, mobile, fax, e-mail,
// web site, address, city, zip), each different from the others.
inline std::vector<CardRecV4> MakeBenchCards(int n) {
    return MakeV4Cards(n, [](int i, CardRecV4& c) {
        snprintf(c.Department[0].Text, sizeof(c.Department[0].Text), "Dept %d", i % 7);
        snprintf(c.Phone[1].PhoneNum.Text, sizeof(c.Phone[1].PhoneNum.Text), "+1 666 %07d", i);
        c.Phone[1].PhoneType = 5;
        snprintf(c.Fax[0].PhoneNum.Text, sizeof(c.Fax[0].PhoneNum.Text), "+1 777 %07d", i);
        c.Fax[0].PhoneType = 1;
        snprintf(c.WebSite[0].Text, sizeof(c.WebSite[0].Text), "www%d.test", i % 50);
        snprintf(c.Address[0].FullAddress.Text, sizeof(c.Address[0].FullAddress.Text), "%d Long Street", i);
        snprintf(c.Address[0].ZipCode.Text, sizeof(c.Address[0].ZipCode.Text), "%05d", i % 99999);
    });
}

// The duplicate scan of an import that finds every entry: each converted entry against the cards.
inline double ScanAlone(const std::vector<CardRecV4>& cards, const std::vector<CardRecV4>& entries, const char* mapText,
                        ferrow::SkipNew skipNew) {
    ferrow::FieldMap map;
    ferrow::ParseFieldMap(mapText, &map);
    CardRecV4* array = AllocLinkCards(static_cast<int>(cards.size()));
    int count = static_cast<int>(cards.size());
    memcpy(array, cards.data(), cards.size() * sizeof(CardRecV4));
    ferrow::CLinkCardsImport scan(&array, &count, &map, skipNew);
    double start = Seconds();
    for (const CardRecV4& entry : entries) scan.Take(entry);
    double took = Seconds() - start;
    FreeLinkCards(array);
    return took;
}

using CardToRecordFn = void (*)(char*, const CardRecV4&, const ferrow::FieldMap&);
using RecordToCardFn = void (*)(const char*, CardRecV4&, const ferrow::FieldMap&);

// Each card's exchange record under the map, as an export makes it.
inline std::vector<std::vector<char>> ExchangeRecords(const std::vector<CardRecV4>& cards, const char* mapText,
                                                      CardToRecordFn toRecord, size_t size) {
    ferrow::FieldMap map;
    ferrow::ParseFieldMap(mapText, &map);
    std::vector<std::vector<char>> records;
    for (const CardRecV4& card : cards) {
        std::vector<char> record(size, 0);
        toRecord(record.data(), card, map);
        records.push_back(record);
    }
    return records;
}

// Converted entries as an import sees them (each equal to its card under the map).
inline std::vector<CardRecV4> RoundTripped(const std::vector<CardRecV4>& cards, const char* mapText,
                                           CardToRecordFn toRecord, RecordToCardFn toCard) {
    ferrow::FieldMap map;
    ferrow::ParseFieldMap(mapText, &map);
    std::vector<CardRecV4> entries(cards.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        std::vector<char> record(4096, 0);
        memset(&entries[i], 0, sizeof(CardRecV4));
        toRecord(record.data(), cards[i], map);
        toCard(record.data(), entries[i], map);
    }
    return entries;
}

inline void PrintRows(const char* target, double linkOut, double directOut, double linkBack, double directBack,
                      double scan, int outResult, int backResult, int backCount, int cards) {
    printf("%-16s out   link %8.3f s  direct %8.3f s  ratio %5.2f  (result %d)\n", target, linkOut, directOut,
           linkOut / directOut, outResult);
    printf("%-16s back  link %8.3f s  direct %8.3f s  ratio %5.2f  (result %d, %d new)\n", target, linkBack, directBack,
           linkBack / directBack, backResult, backCount - cards);
    printf("%-16s back  duplicate scan alone %8.3f s = %4.1f%% of link; outside it ratio %5.2f\n", target, scan,
           100.0 * scan / linkBack, (linkBack - scan) / directBack);
}

// What an import does besides reading and comparing: growing the array for the entries and
// converting each entry's record into a card.
inline double GrowAndConvertAlone(int cards, const std::vector<std::vector<char>>& records, const char* mapText,
                                  RecordToCardFn toCard) {
    ferrow::FieldMap map;
    ferrow::ParseFieldMap(mapText, &map);
    CardRecV4* array = AllocLinkCards(cards);
    double start = Seconds();
    ResizeLinkCards(&array, cards + static_cast<int>(records.size()));
    for (const std::vector<char>& record : records) {
        CardRecV4 card;
        memset(&card, 0, sizeof(card));
        toCard(record.data(), card, map);
    }
    double took = Seconds() - start;
    FreeLinkCards(array);
    return took;
}

inline void PrintGrowAndConvert(const char* target, double linkBack, double directBack, double scan, double convert) {
    printf("%-16s back  growth and conversion alone %8.3f s = %4.1f%% of link; outside them and the scan ratio %5.2f\n",
           target, convert, 100.0 * convert / linkBack, (linkBack - scan - convert) / directBack);
}

inline void PrintPeakMemory(int cards) {
    printf("peak working set %.1f MB (cards array %.1f MB)\n", ResidentBytes(true) / 1048576.0,
           cards * sizeof(CardRecV4) / 1048576.0);
}
