#include "palm_files.h"
#include "card_builders.h"
#include "hh_address_record.h"
#include "kvdb_engine.h"

namespace {

const DWORD kAddr = 0x61646472, kData = 0x44415441;

// The handheld keeps its words most significant byte first.
uint32_t Swap(uint32_t v) { return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24); }
const HandheldByteOrder kOrder = {Swap, Swap};

}  // namespace

bool SeedExchangeCards(const std::string& path, const std::vector<SeedCard>& cards) {
    DeleteFileA(path.c_str());
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    if (engine.CreateDatabase(31, path.c_str(), ";LANGID=0x0804;CP=936;COUNTRY=0", &db) != 1) return false;
    CkvDataset* ds = nullptr;
    bool ok = engine.TblCreate(db, "NM", 1) == 1 && engine.TblNew(db, "NM", &ds) == 1 && engine.TblOpen(ds) == 1;
    for (const SeedCard& seed : cards) {
        CardRecV4 card = {};
        SetText(card.CNAME.FullName, seed.Name);
        SetText(card.Company[0], seed.Company);
        card.Flags = seed.Flags;
        ok = ok && engine.CardRecInsertV4(ds, &card) == 1;
    }
    if (ds) engine.TblFree(ds);
    engine.CloseDatabase(db);
    return ok;
}

std::vector<std::string> ExchangeCards(const std::string& path) {
    CkvDBEngine engine;
    CkvDatabase* db = nullptr;
    std::vector<std::string> cards;
    if (engine.OpenDatabase(31, path.c_str(), &db) != 1) return cards;
    CkvDataset* ds = nullptr;
    engine.TblNew(db, "NM", &ds);
    engine.KeyAdd(ds, "CNAME_FullName_Data");
    engine.TblOpen(ds);
    int count = engine.TblNRecs(ds);
    for (int ok = count > 0 && engine.RecFirst(ds); ok && !engine.RecIsEOF(ds); ok = engine.RecNext(ds)) {
        CardRecV4 card = {};
        engine.CardRecGetV4(ds, &card, 0);
        cards.push_back(std::string(card.CNAME.FullName.Text) + "|" + card.Company[0].Text + "|" +
                        std::to_string(card.Flags));
    }
    engine.TblFree(ds);
    engine.CloseDatabase(db);
    return cards;
}

bool SeedHandheld(const std::vector<std::pair<std::string, std::string>>& people) {
    HandheldDatabase database;
    database.Path = HandheldDatabasePath("AddressDB");
    database.Creator = kAddr;
    database.Type = kData;
    for (const auto& person : people) {
        HHAddressRecord record = {};
        SetText(record.Name, person.first);
        SetText(record.Company, person.second);
        std::vector<char> bytes(PACKED_RECORD_CAPACITY, 0);
        bytes.resize(PackAddressRecord(record, bytes.data(), PACKED_RECORD_CAPACITY, kOrder));
        database.Records.push_back({database.NextId++, 0, 0, bytes});
    }
    return SaveHandheldDatabase(database);
}

HandheldDatabase Handheld() {
    HandheldDatabase database;
    LoadHandheldDatabase(HandheldDatabasePath("AddressDB"), &database);
    return database;
}

std::vector<std::string> HandheldRecords() {
    std::vector<std::string> records;
    for (const HandheldRecord& r : Handheld().Records) {
        HHAddressRecord record = {};
        UnpackAddressRecord(r.Bytes.data(), static_cast<int>(r.Bytes.size()), &record, kOrder);
        records.push_back(std::string(record.Name) + "|" + record.Company);
    }
    return records;
}
