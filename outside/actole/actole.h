// The ACT! automation server stand-in's own export (not a call of the server it stands in
// for): tests make their databases with it.
#pragma once
#include <windows.h>

#define ACTOLE_PROG_ID L"ACTOLE.DATABASE"

// Creates an empty database at `path` (the contact table, a dBASE III file ending in ".dbf",
// with its memo file and the note table beside it). 1 when created; 0 when a file of it exists
// already or cannot be written.
typedef int(WINAPI* ActCreateDatabaseFn)(const char* path);
