#include "sync_run.h"
#include "exchange_database.h"
#include <string.h>
#include <memory>
#include <new>

namespace {

const DWORD kCreator = 0x61646472;  // 'addr'
const DWORD kType = 0x44415441;     // 'DATA'
const BYTE kOpenReadWrite = 0xC0;

struct Run {
    const SyncLibraries& Sync;
    std::string Folder;
    const ferrow::FieldMap& Map;
    BYTE Handle;
};

int OpenAddressDB(Run& run, const char* name) {
    int result = run.Sync.OpenDb(name, 0, &run.Handle, kOpenReadWrite);
    if (result != SYNC_ERR_NOT_FOUND) return result;
    SyncCreateRecord create = {};
    create.Creator = kCreator;
    create.Type = kType;
    strncpy(create.Name, "AddressDB", sizeof(create.Name));
    result = run.Sync.CreateDb(&create);
    if (result) {
        LogEntry(run.Sync, "SyncCreateDB failed", 22);
        return result;
    }
    run.Handle = create.Handle;
    return 0;
}

HandheldByteOrder OrderOf(const SyncLibraries& sync) {
    // The sync manager's word conversions are stdcall; the record code takes plain functions.
    static const SyncLibraries* current;
    current = &sync;
    return {[](uint32_t v) -> uint32_t { return current->HostToHandheld(v); },
            [](uint32_t v) -> uint32_t { return current->HandheldToHost(v); }};
}

// A step's working memory: the record buffer and one card. Asked of the heap without
// exceptions, since none may leave through the HotSync manager's plain C entry.
struct StepMemory {
    std::unique_ptr<char[]> Buffer{new (std::nothrow) char[PACKED_RECORD_CAPACITY]};
    std::unique_ptr<CardRecV4> Card{new (std::nothrow) CardRecV4};
    bool Held() const { return Buffer && Card; }
};

// Every handheld record becomes a new card with Flags 3; the handheld keeps its records.
int ReceiveHandheldRecords(Run& run) {
    ExchangeDatabase exchange(run.Folder);
    if (exchange.Count() >= 1) exchange.Engine().RecLast(exchange.Dataset());
    if (int result = run.Sync.ResetFlags(run.Handle)) return result;
    WORD count = 0;
    if (int result = run.Sync.RecordCount(run.Handle, &count)) return result;
    StepMemory memory;
    if (!memory.Held()) return SYNC_ERR_MEMORY;
    HandheldByteOrder order = OrderOf(run.Sync);
    for (WORD index = 0; index < count; ++index) {
        HHAddressRecord record = {};
        memset(memory.Buffer.get(), 0, PACKED_RECORD_CAPACITY);
        SyncRawRecord raw = {};
        raw.Handle = run.Handle;
        raw.Index = index;
        raw.Capacity = PACKED_RECORD_CAPACITY;
        raw.Buffer = memory.Buffer.get();
        if (int result = run.Sync.ReadByIndex(&raw)) return result;
        int size = raw.Size < PACKED_RECORD_CAPACITY ? static_cast<int>(raw.Size) : PACKED_RECORD_CAPACITY;
        UnpackAddressRecord(memory.Buffer.get(), size, &record, order);
        PalmRecToCardRec(record, memory.Card.get(), run.Map);
        memory.Card->Flags = 3;
        exchange.InsertCommitted(memory.Card.get());
    }
    return 0;
}

// Cards with Flags 2 go to the handheld; each leaves the exchange database once its record
// has been written, so a failed write keeps it for the next run.
int SendCardsToHandheld(Run& run) {
    ExchangeDatabase exchange(run.Folder);
    if (exchange.Count() < 1) return 0;
    CkvDBEngine& engine = exchange.Engine();
    CkvDataset* cards = exchange.Dataset();
    engine.RecFirst(cards);
    int result = run.Sync.ResetFlags(run.Handle);
    StepMemory memory;
    if (!memory.Held()) return SYNC_ERR_MEMORY;
    char* buffer = memory.Buffer.get();
    CardRecV4* card = memory.Card.get();
    HandheldByteOrder order = OrderOf(run.Sync);
    while (!engine.RecIsEOF(cards)) {
        memset(card, 0, sizeof(CardRecV4));
        if (engine.CardRecGetV4(cards, card, 1) != 1 || card->Flags != 2) {
            engine.RecNext(cards);
            continue;
        }
        HHAddressRecord record;
        CardRecToPalmRec(&record, *card, run.Map);
        memset(buffer, 0, PACKED_RECORD_CAPACITY);
        SyncRawRecord raw = {};
        raw.Handle = run.Handle;
        raw.Capacity = PACKED_RECORD_CAPACITY;
        raw.Buffer = buffer;
        raw.Size = static_cast<DWORD>(PackAddressRecord(record, buffer, PACKED_RECORD_CAPACITY, order));
        result = run.Sync.WriteRecord(&raw);
        if (result == 0) exchange.DeleteCurrent();
        engine.RecNext(cards);
    }
    return result;
}

}  // namespace

int RunHotSync(const std::string& folder, const char* properties, PalmFieldMaps* maps) {
    SyncLibraries sync = {};
    int type = 0;
    memcpy(&type, properties + SYNC_PROPS_TYPE, 4);
    bool bound = BindSyncLibraries(&sync);
    if (type == SYNC_DO_NOTHING) {
        LogEntry(sync, "Address Transfer - sync configured to Do Nothing", -1);
        return 0;
    }
    if (!bound) return SYNC_ERR_NOT_FOUND;
    DWORD conduit = 0;
    if (int result = sync.Register(&conduit)) return result;
    LogEntry(sync, "", 19);
    const char* name = nullptr;
    memcpy(&name, properties + SYNC_PROPS_DB_NAME, sizeof(name));
    Run run = {sync, folder, maps->Map, 0};
    int result = OpenAddressDB(run, name);
    if (result == 0) {
        ReadPalmFieldMap(folder.c_str(), maps);
        if (type == SYNC_HANDHELD_OVERWRITES || type == SYNC_BOTH) ReceiveHandheldRecords(run);
        if (type == SYNC_DESKTOP_OVERWRITES || type == SYNC_BOTH) SendCardsToHandheld(run);
        result = sync.CloseDb(run.Handle);
    }
    LogEntry(sync, "AddressTransfer", result == 0 ? 20 : 21);
    sync.Unregister(conduit);
    return result;
}
