// Sending side of the hand-over: the file names of a second start go into Batch.ini.
#include "shell.h"
#include "handover.h"
#include <stdio.h>
#include <string.h>

char FileNameSeparator(const char* text) { return strchr(text, '"') ? '"' : ' '; }

const char* SplitNextFileName(const char* text, char separator, char* name, int size) {
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

int GetBatchListPath(char* path, int size) { return JoinFolderSettingAndName("ImageDir", "Batch.ini", path, size); }

// The short form when the system can give one for the whole text, else the text itself. A
// short form can be longer than the long one (".cache" becomes "_CAC~QWQ"), so it gets room
// of its own rather than the long form's length.
char* CopyInShortForm(const char* text) {
    size_t length = strlen(text) + 1;
    size_t size = length < MAX_PATH ? MAX_PATH : length;
    char* copy = (char*)HeapAlloc(GetProcessHeap(), 0, size);
    if (!copy) return NULL;
    DWORD n = GetShortPathNameA(text, copy, (DWORD)size);
    if (n == 0 || n >= size) memcpy(copy, text, length);
    return copy;
}

// Takes the list's mutex, waiting at most BATCH_LIST_WAIT_MS; null when it could not be had.
HANDLE TakeBatchListMutex(void) {
    HANDLE mutex = CreateMutexA(NULL, FALSE, BATCH_LIST_MUTEX_NAME);
    if (!mutex) return NULL;
    DWORD wait = WaitForSingleObject(mutex, BATCH_LIST_WAIT_MS);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return mutex;
    CloseHandle(mutex);
    return NULL;
}

void ReleaseBatchListMutex(HANDLE mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

static void WriteNames(const char* listPath, const char* text) {
    int next = (int)GetPrivateProfileIntA("Files", "Count", 0, listPath);
    size_t nameSize = strlen(text) + 1;
    char* name = (char*)HeapAlloc(GetProcessHeap(), 0, nameSize);
    const char* rest = text;
    char separator = FileNameSeparator(text);
    while (name && *rest) {
        rest = SplitNextFileName(rest, separator, name, (int)nameSize);
        if (!name[0]) continue;
        char key[24], count[16];
        snprintf(key, sizeof key, "File%d", next);
        if (!WritePrivateProfileStringA("Files", key, name, listPath)) continue;
        ++next;
        snprintf(count, sizeof count, "%d", next);
        WritePrivateProfileStringA("Files", "Count", count, listPath);
    }
    if (name) HeapFree(GetProcessHeap(), 0, name);
}

int AppendNamesToBatchList(const char* commandLine) {
    char listPath[MAX_PATH];
    // Without a list to write to, the caller hands the names over another way.
    if (!GetBatchListPath(listPath, sizeof listPath)) return 0;
    HANDLE mutex = TakeBatchListMutex();
    if (!mutex) return 0;
    char* text = CopyInShortForm(commandLine);
    if (text) {
        WriteNames(listPath, text);
        HeapFree(GetProcessHeap(), 0, text);
    }
    ReleaseBatchListMutex(mutex);
    return text != NULL;
}
