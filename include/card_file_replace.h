// Putting the compacted copy of a card file in the card file's place, for every deliverable
// that compacts card files.
#pragma once
#include <windows.h>
#include <string.h>

// Makes `compacted` the card file `cardFile` in one step: afterwards the card file is either
// the whole compacted copy or, on any failure, exactly what it was before; no moment leaves a
// half-copied card file. A compacted copy on another drive is first copied beside the card file
// (as "<cardFile>.compacted") and renamed from there. `compacted` is kept whenever it did not
// take the card file's place. Returns 1 when the card file was replaced, 0 otherwise (the
// card file read-only or held open by another program, a full disk, a missing copy).
inline int ReplaceCardFileWithCompacted(const char* compacted, const char* cardFile) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!compacted || !cardFile) return 0;
    // Windows refuses to replace a read-only file; not every file system under us does.
    const DWORD attributes = GetFileAttributesA(cardFile);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return 0;
    if (MoveFileExA(compacted, cardFile, flags)) return 1;
    if (GetLastError() != ERROR_NOT_SAME_DEVICE) return 0;
    char staging[MAX_PATH + 16];
    if (strlen(cardFile) + sizeof(".compacted") > sizeof(staging)) return 0;
    strcpy(staging, cardFile);
    strcat(staging, ".compacted");
    if (CopyFileA(compacted, staging, FALSE) && MoveFileExA(staging, cardFile, flags)) {
        DeleteFileA(compacted);
        return 1;
    }
    DeleteFileA(staging);
    return 0;
}
