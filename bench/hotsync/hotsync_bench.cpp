// ZemSync.DLL's HotSync runs, called by name as the HotSync manager calls them, against the
// card work that each direction cannot do without, in the same run and on equal copies of the
// same files:
//   send    (sync type 3, every card Flags 2)  vs  per card CardRecGetV4, then RecDelete in a
//                                                  transaction of its own
//   receive (sync type 2, as many records)     vs  per record CardRecInsertV4 and Commit
// Compaction apart: each run ends with the conduit compacting the exchange database; the
// reference then does the same compaction of its own result, timed on its own, and the ratio
// sets the conduit's time less that compaction against the card work.
// Usage: hotsync_bench [records=2000].
#include "bench_folder.h"
#include "best_time.h"
#include "engine_card_file.h"
#include "host_note.h"
#include "sync_properties.h"
#include "v4_cards.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "card_file_replace.h"
#include "handheld_database.h"
#include "kvdb_engine.h"
#include "palm_field_map.h"

namespace {

typedef long(__cdecl* OpenConduitFn)(void*, const char*);

// The installed Palm field map.
const char kFieldMap[] = "1,0,4,0,18,3,10,17,13,12,0,14,0,19,0,5,6,7,8,9,0,0,0,0,0,0,20,21";
const char kLocale[] = ";LANGID=0x0409;CP=1252;COUNTRY=0";

std::vector<CardRecV4> MakeCards(int n) {
    return MakeV4Cards(n, [](int i, CardRecV4& c) {
        snprintf(c.Address[0].FullAddress.Text, sizeof(c.Address[0].FullAddress.Text), "%d Long Street\r\nSuite 4", i);
        c.Flags = 2;
    });
}

// The exchange card database the conduit opens: card table "NM", here holding the cards.
void CreateExchange(const std::string& path, const std::vector<CardRecV4>& cards) {
    DeleteFileA(path.c_str());
    WriteV4CardFile(path, kLocale, cards);
}

uint32_t Swap(uint32_t v) { return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24); }

// The handheld's "AddressDB" holding the cards as the conduit would have written them.
void CreateHandheld(const std::vector<CardRecV4>& cards, const ferrow::FieldMap& map) {
    HandheldDatabase database;
    database.Path = HandheldDatabasePath("AddressDB");
    database.Creator = 0x61646472;
    database.Type = 0x44415441;
    const HandheldByteOrder order = {Swap, Swap};
    for (const CardRecV4& card : cards) {
        HHAddressRecord record;
        CardRecToPalmRec(&record, card, map);
        std::vector<char> bytes(PACKED_RECORD_CAPACITY, 0);
        bytes.resize(PackAddressRecord(record, bytes.data(), PACKED_RECORD_CAPACITY, order));
        database.Records.push_back({database.NextId++, 0, 0, bytes});
    }
    SaveHandheldDatabase(database);
}

// The cards the conduit makes of the handheld's records, made beforehand for the reference.
std::vector<CardRecV4> ReceivedCards(const std::vector<CardRecV4>& cards, const ferrow::FieldMap& map) {
    std::vector<CardRecV4> received(cards.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        HHAddressRecord record;
        CardRecToPalmRec(&record, cards[i], map);
        PalmRecToCardRec(record, &received[i], map);
        received[i].Flags = 3;
    }
    return received;
}

struct ExchangeTable {
    CkvDBEngine Engine;
    CkvDatabase* Db = nullptr;
    CkvDataset* Cards = nullptr;
    // Opened as the conduit opens it: sorted by name.
    explicit ExchangeTable(const std::string& path) {
        Engine.OpenDatabase(31, path.c_str(), &Db);
        Engine.TblNew(Db, "NM", &Cards);
        Engine.KeyAdd(Cards, "CNAME_FullName_Data");
        Engine.SetSortOrder(Cards, 0);
        Engine.TblOpen(Cards);
    }
    ~ExchangeTable() {
        Engine.TblClose(Cards);
        Engine.TblFree(Cards);
        Engine.CloseDatabase(Db);
    }
};

double ReferenceSend(const std::string& path, int* left) {
    double start = Seconds();
    {
        ExchangeTable table(path);
        CkvDBEngine& e = table.Engine;
        std::vector<char> card(sizeof(CardRecV4));
        if (e.TblNRecs(table.Cards) > 0) e.RecFirst(table.Cards);
        while (!e.RecIsEOF(table.Cards)) {
            e.CardRecGetV4(table.Cards, reinterpret_cast<CardRecV4*>(card.data()), 1);
            e.StartTransation(table.Db);
            if (e.RecDelete(table.Cards)) e.Commit(table.Db);
            else e.Rollback(table.Db);
            e.RecNext(table.Cards);
        }
    }
    double took = Seconds() - start;
    ExchangeTable after(path);
    *left = after.Engine.TblNRecs(after.Cards);
    return took;
}

double ReferenceReceive(const std::string& path, std::vector<CardRecV4>& cards, int* stored) {
    double start = Seconds();
    {
        ExchangeTable table(path);
        for (CardRecV4& card : cards) {
            table.Engine.CardRecInsertV4(table.Cards, &card);
            table.Engine.Commit(table.Db);
        }
    }
    double took = Seconds() - start;
    ExchangeTable after(path);
    *stored = after.Engine.TblNRecs(after.Cards);
    return took;
}

// The conduit's compaction of an exchange database: through a copy of its own beside it.
double Compact(const std::string& path) {
    double start = Seconds();
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    engine.OpenDatabase(31, path.c_str(), &db);
    CompactCardFileInPlace(path.c_str(), [&](const char* compacted) {
        return engine.CompactDatabase(db, path.c_str(), compacted, kLocale);
    });
    engine.CloseDatabase(db);
    return Seconds() - start;
}

void PrintRow(const char* what, double conduit, const char* reference, double work, double compaction,
              const std::string& outcome) {
    printf("%-8s %8.3f s, less compaction %8.3f s  %-22s %8.3f s  ratio %5.2f  (compaction %6.3f s; %s)\n", what,
           conduit, conduit - compaction, reference, work, (conduit - compaction) / work, compaction, outcome.c_str());
}

void __cdecl Progress(const char*) {}

double Conduit(OpenConduitFn open, int type, long* result) {
    const char* properties = SyncProperties(type);
    double start = Seconds();
    *result = open(reinterpret_cast<void*>(&Progress), properties);
    return Seconds() - start;
}

int CountCards(const std::string& path) {
    ExchangeTable table(path);
    return table.Engine.TblNRecs(table.Cards);
}

size_t HandheldRecords() {
    HandheldDatabase database;
    LoadHandheldDatabase(HandheldDatabasePath("AddressDB"), &database);
    return database.Records.size();
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    PrintHostNote();
    int n = argc > 1 ? atoi(argv[1]) : 2000;
    std::string folder = TempBenchFolder("hotsync_bench");
    CreateDirectoryA((folder + "temp").c_str(), nullptr);
    CreateDirectoryA((folder + "palm").c_str(), nullptr);
    SetEnvironmentVariableA("PALM_STANDIN_DIR", (folder + "palm\\").c_str());
    SetEnvironmentVariableA("SYNC20_FAIL", nullptr);
    std::string conduitFile = folder + "ZemSync.DLL";
    CopyFileA((ProgramFolder() + "\\ZemSync.DLL").c_str(), conduitFile.c_str(), FALSE);
    WritePrivateProfileStringA("PALM", "FieldMap", kFieldMap, (folder + "Zem40.ini").c_str());
    HMODULE conduit = LoadLibraryA(conduitFile.c_str());
    auto open = conduit
                    ? reinterpret_cast<OpenConduitFn>(reinterpret_cast<void*>(GetProcAddress(conduit, "OpenConduit")))
                    : nullptr;
    if (!open) {
        printf("ZemSync.DLL not found beside the benchmark\n");
        return 1;
    }
    PalmFieldMaps maps = {};
    ReadPalmFieldMap(folder.c_str(), &maps);
    printf("records %d\n", n);

    std::vector<CardRecV4> cards = MakeCards(n);
    std::string exchange = folder + "ZemSync.mdb", seeded = folder + "seeded.mdb", empty = folder + "empty.mdb";
    CreateExchange(seeded, cards);
    CreateExchange(empty, {});
    std::string handheld = HandheldDatabasePath("AddressDB");

    // Send: both sides start from a copy of the same seeded file.
    DeleteFileA(handheld.c_str());
    CopyFileA(seeded.c_str(), exchange.c_str(), FALSE);
    long result = 0;
    double send = Conduit(open, 3, &result);
    std::string outcome = "result " + std::to_string(result) + ", " + std::to_string(HandheldRecords()) +
                          " records written, cards left " + std::to_string(CountCards(exchange));
    CopyFileA(seeded.c_str(), exchange.c_str(), FALSE);
    int referenceLeft = 0;
    double referenceSend = ReferenceSend(exchange, &referenceLeft);
    double sendCompaction = Compact(exchange);
    PrintRow("send", send, "get + delete per card", referenceSend, sendCompaction,
             outcome + " and " + std::to_string(referenceLeft));

    // Receive: both sides start from a copy of the same empty card file; the handheld holds
    // the cards as records.
    CreateHandheld(cards, maps.Map);
    CopyFileA(empty.c_str(), exchange.c_str(), FALSE);
    double receive = Conduit(open, 2, &result);
    outcome = "result " + std::to_string(result) + ", cards stored " + std::to_string(CountCards(exchange));
    CopyFileA(empty.c_str(), exchange.c_str(), FALSE);
    std::vector<CardRecV4> incoming = ReceivedCards(cards, maps.Map);
    int referenceStored = 0;
    double referenceReceive = ReferenceReceive(exchange, incoming, &referenceStored);
    double receiveCompaction = Compact(exchange);
    PrintRow("receive", receive, "insert + commit", referenceReceive, receiveCompaction,
             outcome + " and " + std::to_string(referenceStored));
    FreeLibrary(conduit);
    return 0;
}
