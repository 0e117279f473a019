// The list file Batch.ini through which a second start hands file names to the first.
#pragma once

// Name of the mutex that every writer and reader of Batch.ini holds while it works on it,
// and how long either waits for it.
#define BATCH_LIST_MUTEX_NAME "Orvane_ZEM_Batch"
#define BATCH_LIST_WAIT_MS    5000

// The separator of a text's file names: the double quote when the whole text holds one, else
// the blank. It is taken once for the whole text, since the last of several quoted names
// has lost its closing quote where the enclosing quotes were removed.
char FileNameSeparator(const char* text);

// Copies the next file name of text into name (at most size - 1 characters) and returns the
// rest of the text; separator is FileNameSeparator of the whole text.
const char* SplitNextFileName(const char* text, char separator, char* name, int size);

// A heap copy (HeapFree) of text in its short form when the system can give one for the
// whole text, else of the text itself; null when no memory could be had.
char* CopyInShortForm(const char* text);

// Forms ImageDir + "\Batch.ini"; 0 (after the message naming ImageDir) when it does not fit.
int GetBatchListPath(char* path, int size);

// The list's mutex, owned by the caller, or null when it could not be had in time; what is
// taken is given back with ReleaseBatchListMutex.
HANDLE TakeBatchListMutex(void);
void ReleaseBatchListMutex(HANDLE mutex);

// Appends every name of the command line to [Files] of Batch.ini after its Count entries,
// writing only while it holds the list's mutex. Returns 1 when the names were written, 0
// when the mutex could not be had in time or the list has no usable path (nothing written:
// the caller hands the names over another way, so that none is dropped).
int AppendNamesToBatchList(const char* commandLine);
