// Sending side of the hand-over: the file names of a second start go into Batch.ini.
#include "shell.h"
#include "handover.h"
#include <stdio.h>
#include <string.h>

const char* SplitNextFileName(const char* text, char* name, int size) {
    char separator = strchr(text, '"') ? '"' : ' ';
    const char* p = text;
    while (*p == ' ') ++p;
    while (*p == '"') ++p;
    int n = 0;
    while (*p && *p != separator) {
        if (n < size - 1) name[n++] = *p;
        ++p;
    }
    name[n] = 0;
    if (*p) {
        ++p;
        while (*p == ' ') ++p;
        while (*p == '"') ++p;
    }
    return p;
}

void GetBatchListPath(char* path, int size) {
    char imageDir[MAX_PATH];
    ReadSettingText("Directory", "ImageDir", "", imageDir, sizeof imageDir);
    snprintf(path, size, "%s\\Batch.ini", imageDir);
}

// The short form when the system can give one for the whole text, else the text itself.
static char* ShortFormCopy(const char* text) {
    size_t size = strlen(text) + 1;
    char* copy = (char*)HeapAlloc(GetProcessHeap(), 0, size);
    if (!copy) return NULL;
    DWORD n = GetShortPathNameA(text, copy, (DWORD)size);
    if (n == 0 || n >= size) memcpy(copy, text, size);
    return copy;
}

int AppendNamesToBatchList(const char* commandLine) {
    char listPath[MAX_PATH + 16];
    GetBatchListPath(listPath, sizeof listPath);
    char* text = ShortFormCopy(commandLine);
    if (!text) return 0;
    HANDLE mutex = CreateMutexA(NULL, FALSE, BATCH_LIST_MUTEX_NAME);
    if (mutex) WaitForSingleObject(mutex, 10000);

    int next = (int)GetPrivateProfileIntA("Files", "Count", 0, listPath);
    int written = 0;
    size_t nameSize = strlen(text) + 1;
    char* name = (char*)HeapAlloc(GetProcessHeap(), 0, nameSize);
    const char* rest = text;
    while (name && *rest) {
        rest = SplitNextFileName(rest, name, (int)nameSize);
        if (!name[0]) continue;
        char key[24], count[16];
        snprintf(key, sizeof key, "File%d", next);
        if (!WritePrivateProfileStringA("Files", key, name, listPath)) continue;
        ++next;
        ++written;
        snprintf(count, sizeof count, "%d", next);
        WritePrivateProfileStringA("Files", "Count", count, listPath);
    }

    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    if (name) HeapFree(GetProcessHeap(), 0, name);
    HeapFree(GetProcessHeap(), 0, text);
    return written;
}
