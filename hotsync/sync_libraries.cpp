#include "sync_libraries.h"

namespace {

template <typename Fn>
bool Bind(HMODULE module, Fn* fn, const char* name) {
    *fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return *fn != nullptr;
}

template <typename Fn>
bool Bind(HMODULE module, Fn* fn, int ordinal) {
    return Bind(module, fn, MAKEINTRESOURCEA(ordinal));
}

}  // namespace

bool BindSyncLibraries(SyncLibraries* l) {
    // Loaded for the life of the process, as the HotSync manager keeps them.
    HMODULE sync = LoadLibraryA(SYNC20_LIBRARY);
    HMODULE log = LoadLibraryA(HSLOG20_LIBRARY);
    if (!sync || !log) return false;
    return Bind(sync, &l->Register, SYNC_REGISTER) && Bind(sync, &l->Unregister, SYNC_UNREGISTER) &&
           Bind(sync, &l->OpenDb, SYNC_OPEN_DB) && Bind(sync, &l->CreateDb, SYNC_CREATE_DB) &&
           Bind(sync, &l->CloseDb, SYNC_CLOSE_DB) && Bind(sync, &l->ResetFlags, SYNC_RESET_FLAGS) &&
           Bind(sync, &l->ReadByIndex, SYNC_READ_BY_INDEX) && Bind(sync, &l->WriteRecord, SYNC_WRITE_RECORD) &&
           Bind(sync, &l->RecordCount, "SyncGetDBRecordCount") && Bind(sync, &l->HostToHandheld, "SyncHostToHHDWord") &&
           Bind(sync, &l->HandheldToHost, "SyncHHToHostDWord") && Bind(log, &l->Log, HSLOG_ADD_ENTRY);
}

void LogEntry(const SyncLibraries& libraries, const char* text, int activity) {
    if (libraries.Log) libraries.Log(text, activity, 0);
}
