// The sync manager stand-in: open handheld databases live in memory from open to close, so
// every call is cheap; SYNC20_FAIL makes chosen calls fail for tests.
#include "sync20.h"
#include "handheld_database.h"
#include "standin_folder.h"
#include <stdlib.h>
#include <string.h>
#include <map>
#include <memory>
#include <string>

namespace {

const int kCountKey = 1000;  // SyncGetDBRecordCount in SYNC20_FAIL ("count:<code>")

std::map<BYTE, std::unique_ptr<HandheldDatabase>> OpenDatabases;
std::map<int, int> CallCounts;

// SYNC20_FAIL=<ordinal or count>:<code>[@n],...: the n-th call (every call without @n) of
// that entry gives the code.
int InjectedFailure(int key) {
    int call = ++CallCounts[key];
    char value[256] = "";
    DWORD n = GetEnvironmentVariableA("SYNC20_FAIL", value, sizeof(value));
    if (n == 0 || n >= sizeof(value)) return 0;
    for (char* token = strtok(value, ","); token; token = strtok(nullptr, ",")) {
        int tokenKey = strncmp(token, "count", 5) == 0 ? kCountKey : atoi(token);
        char* colon = strchr(token, ':');
        if (tokenKey != key || !colon) continue;
        char* at = strchr(colon, '@');
        if (at && atoi(at + 1) != call) continue;
        return static_cast<int>(strtol(colon + 1, nullptr, 0));
    }
    return 0;
}

HandheldDatabase* Find(BYTE handle) {
    auto it = OpenDatabases.find(handle);
    return it == OpenDatabases.end() ? nullptr : it->second.get();
}

BYTE Keep(std::unique_ptr<HandheldDatabase> database) {
    BYTE handle = 1;
    while (OpenDatabases.count(handle)) ++handle;
    OpenDatabases[handle] = std::move(database);
    return handle;
}

const int kBadHandle = 0x4004;
const int kNoRecord = 0x4005;
const int kBufferSmall = 0x4006;

}  // namespace

extern "C" {

int WINAPI SyncRegister(DWORD* handle) {
    CallCounts.clear();  // "the n-th call" counts within one HotSync run
    if (int code = InjectedFailure(SYNC_REGISTER)) return code;
    if (handle) *handle = 0x5A53;
    return 0;
}

int WINAPI SyncUnregister(DWORD) { return InjectedFailure(SYNC_UNREGISTER); }

int WINAPI SyncOpenDb(const char* name, int, BYTE* handle, BYTE) {
    if (int code = InjectedFailure(SYNC_OPEN_DB)) return code;
    if (!name || !handle) return SYNC_ERR_NOT_FOUND;
    auto database = std::make_unique<HandheldDatabase>();
    if (!LoadHandheldDatabase(HandheldDatabasePath(name), database.get())) return SYNC_ERR_NOT_FOUND;
    *handle = Keep(std::move(database));
    return 0;
}

int WINAPI SyncCreateDb(SyncCreateRecord* record) {
    if (int code = InjectedFailure(SYNC_CREATE_DB)) return code;
    if (!record) return kBadHandle;
    char name[33] = "";
    memcpy(name, record->Name, 32);
    auto database = std::make_unique<HandheldDatabase>();
    database->Path = HandheldDatabasePath(name);
    database->Creator = record->Creator;
    database->Type = record->Type;
    if (!SaveHandheldDatabase(*database)) return kBadHandle;
    record->Handle = Keep(std::move(database));
    return 0;
}

int WINAPI SyncCloseDb(BYTE handle) {
    HandheldDatabase* database = Find(handle);
    if (!database) return kBadHandle;
    int code = InjectedFailure(SYNC_CLOSE_DB);
    if (!code && !SaveHandheldDatabase(*database)) code = kBadHandle;
    OpenDatabases.erase(handle);
    return code;
}

int WINAPI SyncResetFlags(BYTE handle) {
    if (int code = InjectedFailure(SYNC_RESET_FLAGS)) return code;
    HandheldDatabase* database = Find(handle);
    if (!database) return kBadHandle;
    for (HandheldRecord& record : database->Records) record.Attributes &= 0x7F;  // the dirty bit
    return 0;
}

int WINAPI SyncGetDBRecordCount(BYTE handle, WORD* count) {
    if (int code = InjectedFailure(kCountKey)) return code;
    HandheldDatabase* database = Find(handle);
    if (!database || !count) return kBadHandle;
    *count = static_cast<WORD>(database->Records.size());
    return 0;
}

int WINAPI SyncReadByIndex(SyncRawRecord* raw) {
    if (int code = InjectedFailure(SYNC_READ_BY_INDEX)) return code;
    HandheldDatabase* database = raw ? Find(raw->Handle) : nullptr;
    if (!database) return kBadHandle;
    if (raw->Index >= database->Records.size()) return kNoRecord;
    const HandheldRecord& record = database->Records[raw->Index];
    if (record.Bytes.size() > raw->Capacity || !raw->Buffer) return kBufferSmall;
    memcpy(raw->Buffer, record.Bytes.data(), record.Bytes.size());
    raw->RecordId = record.Id;
    raw->Attributes = record.Attributes;
    raw->Category = record.Category;
    raw->Size = static_cast<DWORD>(record.Bytes.size());
    return 0;
}

int WINAPI SyncWriteRecord(SyncRawRecord* raw) {
    if (int code = InjectedFailure(SYNC_WRITE_RECORD)) return code;
    HandheldDatabase* database = raw ? Find(raw->Handle) : nullptr;
    if (!database) return kBadHandle;
    if (raw->Size > raw->Capacity || (raw->Size && !raw->Buffer)) return kBufferSmall;
    HandheldRecord record;
    record.Id = raw->RecordId ? raw->RecordId : database->NextId++;
    record.Attributes = raw->Attributes;
    record.Category = raw->Category;
    record.Bytes.assign(raw->Buffer, raw->Buffer + raw->Size);
    for (HandheldRecord& old : database->Records)
        if (old.Id == record.Id) {
            old = record;
            raw->RecordId = record.Id;
            return 0;
        }
    database->Records.push_back(record);
    raw->RecordId = record.Id;
    return 0;
}

DWORD WINAPI SyncHostToHHDWord(DWORD value) {
    return (value >> 24) | ((value >> 8) & 0xFF00) | ((value << 8) & 0xFF0000) | (value << 24);
}

DWORD WINAPI SyncHHToHostDWord(DWORD value) { return SyncHostToHHDWord(value); }

}  // extern "C"
