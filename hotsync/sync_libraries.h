// The HotSync manager's libraries as the conduit reaches them: SYNC20 for the handheld, HSLOG20
// for the log, bound by ordinal when a run starts (the manager has them loaded).
#pragma once
#include "hslog20.h"
#include "sync20.h"

struct SyncLibraries {
    SyncRegisterFn Register;
    SyncUnregisterFn Unregister;
    SyncOpenDbFn OpenDb;
    SyncCreateDbFn CreateDb;
    SyncHandleFn CloseDb;
    SyncHandleFn ResetFlags;
    SyncRecordFn ReadByIndex;
    SyncRecordFn WriteRecord;
    SyncCountFn RecordCount;
    SyncWordFn HostToHandheld;
    SyncWordFn HandheldToHost;
    LogAddEntryFn Log;
};

// Binds every call; false when a library or a call is missing.
bool BindSyncLibraries(SyncLibraries* libraries);

// A log entry; nothing without the log library.
void LogEntry(const SyncLibraries& libraries, const char* text, int activity);
