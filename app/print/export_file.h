// An export file written through one buffer, which remembers whether any step failed, so that
// a writer reports a full disk or a lost file as a failure and never as a success.
#pragma once
#include <windows.h>

#define EXPORT_FILE_BUFFER 65536

typedef struct EXPORTFILE {
    HANDLE Handle;
    DWORD Used;  // bytes waiting in Buffer
    int Failed;  // set by the first create, write or seek that failed
    char* Buffer;
} EXPORTFILE;

// Creates the file, truncating one of that name; with deleteFirst an existing file is deleted
// before. 1 when the file is open for writing; 0 when it could not be created (nothing to close).
int CreateExportFile(EXPORTFILE* file, const char* path, int deleteFirst);
// Appends bytes; the file remembers a failure and further writes do nothing.
void WriteExportBytes(EXPORTFILE* file, const void* bytes, DWORD size);
void WriteExportText(EXPORTFILE* file, const char* text);
// A field in double quotes; a quote inside the text is doubled, as comma-separated readers expect.
void WriteQuotedField(EXPORTFILE* file, const char* text, int length);
// The byte offset where the next write lands.
DWORD ExportFilePosition(EXPORTFILE* file);
// Writes bytes over earlier ones at the given offset, then goes on at the end of the file.
void RewriteExportBytes(EXPORTFILE* file, DWORD offset, const void* bytes, DWORD size);
// Writes what is buffered and closes the file. 1 when every step succeeded, else 0.
int CloseExportFile(EXPORTFILE* file);
