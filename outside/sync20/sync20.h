// The HotSync sync manager's calls as a conduit makes them: by ordinal (and three by name),
// stdcall, with the packed records they exchange. 0 is success.
#pragma once
#include <windows.h>
#include <stdint.h>

#define SYNC20_LIBRARY     "SYNC20.DLL"
#define SYNC_ERR_NOT_FOUND 0x4003  // no database of that name on the handheld

enum Sync20Ordinal {
    SYNC_REGISTER = 22,       // int (DWORD* conduitHandle)
    SYNC_UNREGISTER = 23,     // int (DWORD conduitHandle)
    SYNC_OPEN_DB = 26,        // int (const char* name, int card, BYTE* handle, BYTE mode)
    SYNC_CREATE_DB = 27,      // int (SyncCreateRecord*)
    SYNC_CLOSE_DB = 28,       // int (BYTE handle)
    SYNC_WRITE_RECORD = 32,   // int (SyncRawRecord*): record id 0 appends under a new id
    SYNC_READ_BY_INDEX = 36,  // int (SyncRawRecord*)
    SYNC_RESET_FLAGS = 40,    // int (BYTE handle)
};

#pragma pack(push, 1)
struct SyncCreateRecord {
    BYTE Handle;  // out
    DWORD Creator;
    DWORD Flags;
    BYTE Card;
    char Name[32];
    DWORD Type;
    WORD Version;
    DWORD Reserved;
};

struct SyncRawRecord {
    BYTE Handle;
    DWORD RecordId;
    WORD Index;
    BYTE Attributes;
    WORD Category;
    DWORD ConduitField;
    DWORD Size;
    WORD Capacity;
    char* Buffer;
    DWORD Reserved;
};
#pragma pack(pop)

static_assert(sizeof(SyncCreateRecord) == 52, "creation record");
static_assert(sizeof(SyncRawRecord) == 28, "raw-record descriptor");

typedef int(WINAPI* SyncRegisterFn)(DWORD* handle);
typedef int(WINAPI* SyncUnregisterFn)(DWORD handle);
typedef int(WINAPI* SyncOpenDbFn)(const char* name, int card, BYTE* handle, BYTE mode);
typedef int(WINAPI* SyncCreateDbFn)(SyncCreateRecord* record);
typedef int(WINAPI* SyncHandleFn)(BYTE handle);
typedef int(WINAPI* SyncRecordFn)(SyncRawRecord* record);
typedef int(WINAPI* SyncCountFn)(BYTE handle, WORD* count);
typedef DWORD(WINAPI* SyncWordFn)(DWORD value);
