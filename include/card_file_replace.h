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

// Reserves, in `path` (MAX_PATH bytes), a name of its own in the card file's folder for the
// card file's compacted copy. The reserved empty file is removed again at once: the engine
// creates the copy itself and refuses a file that exists. The name is one nobody else uses, so
// compacting never touches a file it did not make, and the copy lies on the card file's own
// drive, where the replace is one rename. 0 when no name can be had.
inline int ReserveCompactionPath(const char* cardFile, char* path) {
    char folder[MAX_PATH];
    const char* slash = cardFile ? strrchr(cardFile, '\\') : NULL;
    const size_t length = slash ? (size_t)(slash - cardFile) + 1 : 0;
    // GetTempFileName wants room for its own 14 characters after the folder.
    if (!cardFile || length + 14 >= sizeof(folder)) return 0;
    if (length) {
        memcpy(folder, cardFile, length);
        folder[length] = 0;
    } else {
        strcpy(folder, ".\\");
    }
    if (!GetTempFileNameA(folder, "zem", 0, path)) return 0;
    DeleteFileA(path);
    return 1;
}

// Compacts the card file through `compact` (called with the copy's path, 1 on success) into a
// copy of its own beside it and puts the copy in its place in one step. A copy that did not
// take the card file's place is deleted: the card file is then exactly what it was. Returns 1
// when the card file was replaced by its compacted copy, 0 otherwise.
template <typename Compact>
inline int CompactCardFileInPlace(const char* cardFile, Compact compact) {
    char compacted[MAX_PATH];
    if (!ReserveCompactionPath(cardFile, compacted)) return 0;
    if (compact(static_cast<const char*>(compacted)) == 1 && ReplaceCardFileWithCompacted(compacted, cardFile))
        return 1;
    DeleteFileA(compacted);
    return 0;
}
