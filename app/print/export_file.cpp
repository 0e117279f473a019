// The buffered export file shared by the text and worksheet writers.
#include "export_file.h"
#include <stdlib.h>
#include <string.h>

int CreateExportFile(EXPORTFILE* file, const char* path, int deleteFirst) {
    memset(file, 0, sizeof *file);
    file->Handle = INVALID_HANDLE_VALUE;
    if (!path || !path[0]) return 0;
    if (deleteFirst && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) DeleteFileA(path);
    file->Buffer = (char*)malloc(EXPORT_FILE_BUFFER);
    if (!file->Buffer) return 0;
    file->Handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file->Handle == INVALID_HANDLE_VALUE) {
        free(file->Buffer);
        file->Buffer = NULL;
        return 0;
    }
    return 1;
}

static void FlushExportFile(EXPORTFILE* file) {
    if (file->Used == 0 || file->Failed) {
        file->Used = 0;
        return;
    }
    DWORD written = 0;
    if (!WriteFile(file->Handle, file->Buffer, file->Used, &written, NULL) || written != file->Used) file->Failed = 1;
    file->Used = 0;
}

void WriteExportBytes(EXPORTFILE* file, const void* bytes, DWORD size) {
    const char* from = (const char*)bytes;
    while (size > 0 && !file->Failed) {
        if (file->Used == EXPORT_FILE_BUFFER) FlushExportFile(file);
        DWORD room = EXPORT_FILE_BUFFER - file->Used;
        DWORD n = size < room ? size : room;
        memcpy(file->Buffer + file->Used, from, n);
        file->Used += n;
        from += n;
        size -= n;
    }
}

void WriteExportText(EXPORTFILE* file, const char* text) { WriteExportBytes(file, text, (DWORD)strlen(text)); }

void WriteQuotedField(EXPORTFILE* file, const char* text, int length) {
    WriteExportBytes(file, "\"", 1);
    int start = 0;
    for (int i = 0; i < length; ++i) {
        if (text[i] != '"') continue;
        WriteExportBytes(file, text + start, (DWORD)(i + 1 - start));  // the quote itself, then again
        start = i;
    }
    WriteExportBytes(file, text + start, (DWORD)(length - start));
    WriteExportBytes(file, "\"", 1);
}

DWORD ExportFilePosition(EXPORTFILE* file) {
    FlushExportFile(file);
    DWORD at = SetFilePointer(file->Handle, 0, NULL, FILE_CURRENT);
    if (at == INVALID_SET_FILE_POINTER) file->Failed = 1;
    return at;
}

void RewriteExportBytes(EXPORTFILE* file, DWORD offset, const void* bytes, DWORD size) {
    FlushExportFile(file);
    if (file->Failed) return;
    if (SetFilePointer(file->Handle, (LONG)offset, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        file->Failed = 1;
        return;
    }
    WriteExportBytes(file, bytes, size);
    FlushExportFile(file);
    if (SetFilePointer(file->Handle, 0, NULL, FILE_END) == INVALID_SET_FILE_POINTER) file->Failed = 1;
}

int CloseExportFile(EXPORTFILE* file) {
    if (file->Handle == INVALID_HANDLE_VALUE) return 0;
    FlushExportFile(file);
    if (!CloseHandle(file->Handle)) file->Failed = 1;
    file->Handle = INVALID_HANDLE_VALUE;
    free(file->Buffer);
    file->Buffer = NULL;
    return file->Failed ? 0 : 1;
}
